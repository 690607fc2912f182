// Dialog data exchange: a dialog with a text, a number, a check box, radio buttons, a combo box
// and a list box round-trips its members; a number out of range shows the error box, puts the
// focus back on its field and stores nothing. A modal dialog comes up centred over its owner
// unless it placed itself.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

enum {
    kName = 10,
    kCount = 11,
    kCheck = 12,
    kRadio1 = 13,
    kRadio2 = 14,
    kRadio3 = 15,
    kCombo = 16,
    kList = 18
};

void declareDialog() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 200;
        t.cy = 150;
        t.caption = "Exchange";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        t.items = {
            {"EDIT", "", kName, 7, 7, 80, 12, child | WS_BORDER | ES_AUTOHSCROLL, 0},
            {"EDIT", "", kCount, 7, 22, 40, 12, child | WS_BORDER, 0},
            {"BUTTON", "Check", kCheck, 7, 37, 60, 10, child | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "One", kRadio1, 7, 50, 40, 10, child | WS_GROUP | BS_AUTORADIOBUTTON, 0},
            {"BUTTON", "Two", kRadio2, 50, 50, 40, 10, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
            {"BUTTON", "Three", kRadio3, 93, 50, 40, 10, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
            {"COMBOBOX", "", kCombo, 7, 65, 80, 60, child | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 0},
            {"LISTBOX", "", kList, 100, 65, 60, 40, child | WS_BORDER | LBS_NOTIFY, 0},
            {"BUTTON", "OK", IDOK, 143, 7, 50, 14, child | BS_DEFPUSHBUTTON, 0},
            {"BUTTON", "Cancel", IDCANCEL, 143, 24, 50, 14, child | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog("AfxTestExchange", t);
        return true;
    }();
    (void)declared;
}

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog("AfxTestExchange") {}
    CString m_name = "abc";
    int m_count = 5;
    int m_check = 1;
    int m_radio = 2;
    CString m_choice = "green";
    int m_list = 1;

protected:
    BOOL OnInitDialog() override {
        for (const char* colour : {"red", "green", "blue"})
            SendDlgItemMessage(kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour));
        for (const char* item : {"one", "two", "three"})
            SendDlgItemMessage(kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kName, m_name);
        DDV_MaxChars(pDX, m_name, 8);
        DDX_Text(pDX, kCount, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 10);
        DDX_Check(pDX, kCheck, m_check);
        DDX_Radio(pDX, kRadio1, m_radio);
        DDX_CBString(pDX, kCombo, m_choice);
        DDX_LBIndex(pDX, kList, m_list);
    }
};

std::string itemText(HWND dialog, int id) {
    char text[128] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

class DataExchange : public ::testing::Test {
protected:
    void SetUp() override {
        declareDialog();
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        pm::setMessageBoxHook(nullptr);
        pm::setDialogHook(nullptr);
    }
    std::vector<std::string> boxes;
};

} // namespace

TEST_F(DataExchange, LoadsTheControlsAndStoresTheirValues) {
    CExchangeDlg dlg;
    pm::setDialogHook([](HWND dialog) {
        EXPECT_EQ(itemText(dialog, kName), "abc");
        EXPECT_EQ(itemText(dialog, kCount), "5");
        EXPECT_EQ(::IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(dialog, kRadio3), BST_CHECKED);
        EXPECT_EQ(::SendDlgItemMessageA(dialog, kCombo, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(::SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0), 1);

        ::SetDlgItemTextA(dialog, kName, "xyz");
        ::SetDlgItemTextA(dialog, kCount, " 7 ");
        ::CheckDlgButton(dialog, kCheck, BST_UNCHECKED);
        ::CheckRadioButton(dialog, kRadio1, kRadio3, kRadio1);
        ::SendDlgItemMessageA(dialog, kCombo, CB_SETCURSEL, 2, 0);
        ::SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 0, 0);
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::string(dlg.m_name), "xyz");
    EXPECT_EQ(dlg.m_count, 7);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(std::string(dlg.m_choice), "blue");
    EXPECT_EQ(dlg.m_list, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DataExchange, AValueOutOfRangeStoresNothingAndGoesBackToItsField) {
    CExchangeDlg dlg;
    pm::setDialogHook([this](HWND dialog) {
        ::SetDlgItemTextA(dialog, kName, "changed");
        ::SetDlgItemTextA(dialog, kCount, "42");
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindow(dialog)) << "the dialog stays open";
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kCount));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], "Please enter an integer between 1 and 10.");

        ::SetDlgItemTextA(dialog, kCount, "seven");
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(boxes.back(), "Please enter an integer.");

        ::SetDlgItemTextA(dialog, kName, "far too long a name");
        ::SetDlgItemTextA(dialog, kCount, "3");
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(boxes.back(), "Please enter no more than 8 characters.");
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName));
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(std::string(dlg.m_name), "abc") << "fields before the failing one are not kept either";
    EXPECT_EQ(dlg.m_count, 5);
}

TEST_F(DataExchange, DialogItemsAreSubclassedThroughDdxControl) {
    class CControlDlg : public CExchangeDlg {
    public:
        CEdit m_edit;
        void DoDataExchange(CDataExchange* pDX) override {
            CExchangeDlg::DoDataExchange(pDX);
            DDX_Control(pDX, kName, m_edit);
        }
    };
    CControlDlg dlg;
    HWND seen = nullptr;
    pm::setDialogHook([&](HWND dialog) {
        seen = dlg.m_edit.m_hWnd;
        EXPECT_EQ(seen, ::GetDlgItem(dialog, kName));
        EXPECT_EQ(CWnd::FromHandlePermanent(seen), &dlg.m_edit);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.DoModal();
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr) << "the control went with the dialog";
}

TEST_F(DataExchange, AModalDialogSeesItsMessagesFirst) {
    class CKeyDlg : public CExchangeDlg {
    public:
        int m_f5 = 0;
        BOOL PreTranslateMessage(MSG* pMsg) override {
            if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5) {
                ++m_f5;
                return TRUE;
            }
            return CExchangeDlg::PreTranslateMessage(pMsg);
        }
    };
    CKeyDlg dlg;
    pm::setDialogHook([](HWND dialog) {
        ::PostMessage(::GetDlgItem(dialog, kName), WM_KEYDOWN, VK_F5, 0);
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_f5, 1);
}

TEST_F(DataExchange, AModalDialogComesUpCentredOverItsOwnerUnlessItPlacedItself) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE,
                               CRect(100, 80, 900, 680), nullptr, 0));
    auto centreOf = [](HWND hwnd) {
        CRect r;
        ::GetWindowRect(hwnd, &r);
        return r.CenterPoint();
    };
    CPoint seen;
    pm::setDialogHook([&](HWND dialog) {
        seen = centreOf(dialog);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CExchangeDlg centred;
    centred.m_pParentWnd = &owner;
    centred.DoModal();
    const CPoint middle = centreOf(owner.m_hWnd);
    EXPECT_LE(std::abs(seen.x - middle.x), 1);
    EXPECT_LE(std::abs(seen.y - middle.y), 1);

    class CPlacedDlg : public CExchangeDlg {
        BOOL OnInitDialog() override {
            SetWindowPos(nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return CExchangeDlg::OnInitDialog();
        }
    } placed;
    placed.m_pParentWnd = &owner;
    CRect where;
    pm::setDialogHook([&](HWND dialog) {
        ::GetWindowRect(dialog, &where);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    placed.DoModal();
    EXPECT_EQ(where.TopLeft(), CPoint(20, 30));
    owner.DestroyWindow();
}
