// Any framework window made from a dialog template: a child of its parent holding the template's
// controls, with WM_INITDIALOG and its controls' commands going through its own message map.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

namespace {

enum { kEdit = 10, kButton = 11, kCommand = 11 };

void declareTemplate() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = WS_CHILD | WS_VISIBLE | DS_SETFONT;
        t.cx = 120;
        t.cy = 60;
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        t.items = {
            {"EDIT", "text", kEdit, 5, 5, 80, 12, child | WS_BORDER, 0},
            {"BUTTON", "Go", kButton, 5, 22, 40, 14, child | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog("AfxTestChildTemplate", t);
        return true;
    }();
    (void)declared;
}

class CTemplatePane : public CWnd {
public:
    int m_initDialogs = 0;
    int m_commands = 0;

protected:
    LRESULT OnInitDialog(WPARAM, LPARAM) {
        ++m_initDialogs;
        return Default();
    }
    void OnGo() { ++m_commands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTemplatePane, CWnd)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
    ON_COMMAND(kCommand, OnGo)
END_MESSAGE_MAP()

class TemplateWindow : public ::testing::Test {
protected:
    void SetUp() override {
        declareTemplate();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP | WS_VISIBLE,
                                    CRect(50, 50, 450, 350), nullptr, 0));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CWnd parent;
};

} // namespace

TEST_F(TemplateWindow, AChildTemplateMakesAChildWithItsControlsAndItsOwnHandlers) {
    CTemplatePane pane;
    ASSERT_TRUE(pane.CreateDlg("AfxTestChildTemplate", &parent));
    EXPECT_EQ(CWnd::FromHandlePermanent(pane.m_hWnd), &pane);
    EXPECT_EQ(::GetParent(pane.m_hWnd), parent.m_hWnd);
    EXPECT_TRUE(pane.GetStyle() & WS_CHILD);
    EXPECT_EQ(pane.m_initDialogs, 1);

    CWnd* edit = pane.GetDlgItem(kEdit);
    ASSERT_NE(edit, nullptr);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "text");

    // The button's click reaches the pane's message map.
    ::SendMessage(::GetDlgItem(pane.m_hWnd, kButton), BM_CLICK, 0, 0);
    pm::afxtest::pump();
    EXPECT_EQ(pane.m_commands, 1);
    pane.DestroyWindow();
}

TEST_F(TemplateWindow, AMissingTemplateMakesNoWindow) {
    CTemplatePane pane;
    EXPECT_FALSE(pane.CreateDlg("AfxTestNoSuchTemplate", &parent));
    EXPECT_EQ(pane.m_hWnd, nullptr);
    EXPECT_EQ(pane.m_initDialogs, 0);
}
