// A dialog template with every standard control kind: each control comes up at the pixel
// rectangle of its dialog units, Tab walks the tab stops, and a picture shows the whole dialog.

#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using pm::test::pumpMessages;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

enum : WORD {
    kLabel = 100,
    kEdit,
    kCheck,
    kGroup,
    kRadio1,
    kRadio2,
    kList,
    kCombo,
    kScroll,
    kDropList,
    kFrame,
    kDefault = IDOK
};

pm::res::DialogTemplate everyControl() {
    pm::res::DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = 260;
    t.cy = 150;
    t.caption = "Every Control";
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    t.items = {
        {"STATIC", "&Name:", kLabel, 7, 9, 30, 8, kChild | SS_LEFT, 0},
        {"EDIT", "Sample text", kEdit, 40, 7, 110, 12, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {"BUTTON", "&Check box", kCheck, 7, 26, 70, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
        {"BUTTON", "Choice", kGroup, 7, 40, 90, 42, kChild | BS_GROUPBOX, 0},
        {"BUTTON", "&First", kRadio1, 14, 52, 70, 10, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0},
        {"BUTTON", "&Second", kRadio2, 14, 66, 70, 10, kChild | BS_AUTORADIOBUTTON, 0},
        {"LISTBOX", "", kList, 105, 26, 70, 56,
         kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | WS_GROUP, 0},
        {"COMBOBOX", "", kCombo, 185, 7, 68, 60, kChild | WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 0},
        {"COMBOBOX", "", kDropList, 185, 26, 68, 60, kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0},
        {"SCROLLBAR", "", kScroll, 7, 90, 168, 10, kChild | SBS_HORZ, 0},
        {"STATIC", "", kFrame, 185, 45, 68, 37, kChild | SS_ETCHEDFRAME, 0},
        {"BUTTON", "OK", kDefault, 147, 126, 50, 14, kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
        {"BUTTON", "Cancel", IDCANCEL, 203, 126, 50, 14, kChild | WS_TABSTOP, 0},
    };
    return t;
}

bool classesExist() {
    WNDCLASS wc{};
    for (const char* name : {"BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "SCROLLBAR"})
        if (!GetClassInfo(nullptr, name, &wc)) return false;
    return true;
}

INT_PTR CALLBACK fillProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        for (const char* s : {"Apple", "Banana", "Cherry", "Damson"}) {
            SendDlgItemMessage(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(dialog, kDropList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        SendDlgItemMessage(dialog, kList, LB_SETCURSEL, 1, 0);
        SendDlgItemMessage(dialog, kDropList, CB_SETCURSEL, 2, 0);
        SetDlgItemText(dialog, kCombo, "Apple");
        CheckDlgButton(dialog, kCheck, BST_CHECKED);
        CheckRadioButton(dialog, kRadio1, kRadio2, kRadio2);
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

TEST(DialogTemplate, EveryControlKindAtItsDialogUnitSizesWithTabOrderAndAPicture) {
    ASSERT_TRUE(classesExist()) << "the standard control classes are registered";
    pm::res::addDialog(200, everyControl());
    std::vector<int> tabOrder;
    pm::setDialogHook([&](HWND dialog) {
        RECT units{0, 0, 4, 8};
        MapDialogRect(dialog, &units);
        for (const pm::res::DialogItem& item : everyControl().items) {
            SCOPED_TRACE(item.windowClass + " " + std::to_string(item.id));
            HWND h = GetDlgItem(dialog, item.id);
            ASSERT_TRUE(h);
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, MulDiv(item.x, units.right, 4));
            EXPECT_EQ(r.top, MulDiv(item.y, units.bottom, 8));
            EXPECT_EQ(r.right, MulDiv(item.x + item.cx, units.right, 4));
            if (item.windowClass != "COMBOBOX") { // a combo box's height is its closed height
                EXPECT_EQ(r.bottom, MulDiv(item.y + item.cy, units.bottom, 8));
            }
        }
        for (int i = 0; i < 9; ++i) {
            tabOrder.push_back(GetDlgCtrlID(GetFocus()));
            SendMessage(dialog, WM_NEXTDLGCTL, 0, FALSE);
        }
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpMessages();
        EXPECT_TRUE(pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/dlg_every_control.png"));
        pm::test::pressKey(dialog, VK_ESCAPE);
    });
    HWND owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(DialogBox(nullptr, MAKEINTRESOURCE(200), owner, fillProc), IDCANCEL);
    pm::setDialogHook(nullptr);
    // A radio group takes the focus at its checked button; a drop-down combo box gives it to its edit (1001).
    EXPECT_EQ(tabOrder,
              (std::vector<int>{kEdit, kCheck, kRadio2, kList, 1001, kDropList, IDOK, IDCANCEL, kEdit}));
    DestroyWindow(owner);
    pumpMessages();
}
