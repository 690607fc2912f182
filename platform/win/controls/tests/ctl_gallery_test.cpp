// A picture of every standard control in a dialog-like window, for the eye: written to the test
// output folder as controls-gallery.png.

#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK faceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND add(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id = 0,
         DWORD exStyle = 0) {
    HWND c = CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

void fill(HWND box, UINT msg, std::initializer_list<const char*> items) {
    for (const char* s : items)
        SendMessage(box, msg, 0, reinterpret_cast<LPARAM>(s));
}

} // namespace

TEST(Gallery, EveryStandardControlInADialog) {
    WNDCLASS wc{};
    wc.lpfnWndProc = faceProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "GalleryFace";
    RegisterClass(&wc);
    HWND dlg = CreateWindowEx(WS_EX_DLGMODALFRAME, "GalleryFace", "Standard controls",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 560, 400, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(dlg, nullptr);

    add(dlg, "BUTTON", "Options", BS_GROUPBOX, 10, 8, 170, 150);
    HWND r1 = add(dlg, "BUTTON", "&Radio one", BS_AUTORADIOBUTTON | WS_GROUP, 22, 28, 140, 18);
    add(dlg, "BUTTON", "Radio &two", BS_AUTORADIOBUTTON, 22, 50, 140, 18);
    HWND c1 = add(dlg, "BUTTON", "&Check box", BS_AUTOCHECKBOX | WS_TABSTOP, 22, 76, 140, 18);
    HWND c3 = add(dlg, "BUTTON", "Three-state", BS_AUTO3STATE, 22, 98, 140, 18);
    HWND cd = add(dlg, "BUTTON", "Disabled", BS_AUTOCHECKBOX | WS_DISABLED, 22, 120, 140, 18);
    SendMessage(r1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(c1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(c3, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessage(cd, BM_SETCHECK, BST_CHECKED, 0);

    add(dlg, "STATIC", "&Name:", SS_LEFT, 195, 14, 60, 14);
    HWND name =
        add(dlg, "EDIT", "Selected text", ES_AUTOHSCROLL | WS_TABSTOP, 260, 10, 150, 21, 0, WS_EX_CLIENTEDGE);
    add(dlg, "STATIC", "Password:", SS_LEFT, 195, 40, 60, 14);
    add(dlg, "EDIT", "secret", ES_PASSWORD | ES_AUTOHSCROLL, 260, 36, 150, 21, 0, WS_EX_CLIENTEDGE);
    add(dlg, "STATIC", "Read-only:", SS_LEFT, 195, 66, 60, 14);
    add(dlg, "EDIT", "cannot change", ES_READONLY | ES_AUTOHSCROLL, 260, 62, 150, 21, 0, WS_EX_CLIENTEDGE);
    add(dlg, "EDIT", "Line one\r\nLine two\r\n\tTabbed line\r\nLine four\r\nLine five\r\nLine six",
        ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 195, 90, 215, 68, 0, WS_EX_CLIENTEDGE);

    HWND list = add(dlg, "LISTBOX", "", LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_TABSTOP, 10, 170, 170, 110, 0,
                    WS_EX_CLIENTEDGE);
    fill(list, LB_ADDSTRING,
         {"Cherry", "Apple", "Banana", "Damson", "Elderberry", "Fig", "Grape", "Huckleberry", "Kiwi",
          "Lemon"});
    SendMessage(list, LB_SETCURSEL, 2, 0);

    HWND dropList = add(dlg, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 195, 170, 215, 120);
    fill(dropList, CB_ADDSTRING, {"Drop-down list", "Second", "Third"});
    SendMessage(dropList, CB_SETCURSEL, 0, 0);
    HWND dropDown = add(dlg, "COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 195, 200, 215, 120);
    fill(dropDown, CB_ADDSTRING, {"Drop-down", "Other"});
    SendMessage(dropDown, CB_SETCURSEL, 0, 0);
    HWND simple = add(dlg, "COMBOBOX", "", CBS_SIMPLE, 195, 230, 215, 80);
    fill(simple, CB_ADDSTRING, {"Simple", "combo", "box"});
    SendMessage(simple, CB_SETCURSEL, 0, 0);

    add(dlg, "STATIC", "", SS_ETCHEDHORZ, 10, 318, 530, 2);
    HWND hs = add(dlg, "SCROLLBAR", "", SBS_HORZ, 10, 290, 170, 17);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
    SetScrollInfo(hs, SB_CTL, &si, TRUE);
    HWND vs = add(dlg, "SCROLLBAR", "", SBS_VERT, 420, 10, 17, 140);
    SetScrollInfo(vs, SB_CTL, &si, TRUE);
    HWND pane = add(dlg, "STATIC", "A window with scroll bars", SS_LEFT | WS_HSCROLL | WS_VSCROLL, 445, 10,
                    100, 140, 0, WS_EX_CLIENTEDGE);
    SetScrollInfo(pane, SB_VERT, &si, TRUE);
    SetScrollInfo(pane, SB_HORZ, &si, TRUE);
    add(dlg, "STATIC", "", SS_BLACKFRAME, 445, 165, 100, 40);
    add(dlg, "STATIC", "Right-aligned static text that wraps over lines", SS_RIGHT, 420, 215, 125, 60);

    add(dlg, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 300, 330, 75, 23, IDOK);
    add(dlg, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 383, 330, 75, 23, IDCANCEL);
    add(dlg, "BUTTON", "&Help", BS_PUSHBUTTON | WS_DISABLED, 466, 330, 75, 23, IDHELP);

    SetFocus(name);
    SendMessage(name, EM_SETSEL, 0, 8);
    pm::test::pumpMessages();

    QImage image = pm::test::windowImage(dlg);
    ASSERT_FALSE(image.isNull());
    QColor highlight(GetRValue(GetSysColor(COLOR_HIGHLIGHT)), GetGValue(GetSysColor(COLOR_HIGHLIGHT)),
                     GetBValue(GetSysColor(COLOR_HIGHLIGHT)));
    RECT item;
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT at{item.right - 3, item.top + 1};
    MapWindowPoints(list, dlg, &at, 1);
    RECT window, client;
    GetWindowRect(dlg, &window);
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    GetClientRect(dlg, &client);
    QPoint inImage(at.x + origin.x - window.left, at.y + origin.y - window.top);
    EXPECT_EQ(image.pixelColor(inImage), highlight) << "the selected list item is highlighted";
    EXPECT_TRUE(pm::test::saveWindowPng(dlg, pm::test::outputFolder() + "/controls-gallery.png"));

    SendMessage(dropList, CB_SHOWDROPDOWN, TRUE, 0);
    pm::test::pumpMessages();
    EXPECT_TRUE(SendMessage(dropList, CB_GETDROPPEDSTATE, 0, 0));
    SendMessage(dropList, CB_SHOWDROPDOWN, FALSE, 0);
    DestroyWindow(dlg);
}
