// The sizeable bar made from a dialog template: a child bar of the frame holding the template's
// controls, sized from the template, whose own initialisation answers WM_INITDIALOG.

#include "docking/CDKSizeDialogBar.h"
#include "docking/tests/support/bar_frame.h"
#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

enum { kEdit = 10, kBarId = 0xE901 };

void declareTemplate() {
    static const bool declared = [] {
        pm::res::DialogTemplate t;
        t.style = WS_CHILD | WS_VISIBLE | DS_SETFONT;
        t.cx = 100;
        t.cy = 60;
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        t.items = {{"EDIT", "in the bar", kEdit, 5, 5, 80, 12, WS_CHILD | WS_VISIBLE | WS_BORDER, 0}};
        pm::res::addDialog("DockTestDialogBar", t);
        return true;
    }();
    (void)declared;
}

class CCountingDialogBar : public CDKSizeDialogBar {
public:
    int m_inits = 0;
    BOOL m_answer = TRUE;
    BOOL OnInitDialogBar() override {
        ++m_inits;
        return m_answer;
    }
};

class SizeDialogBar : public ::testing::Test {
protected:
    void SetUp() override {
        declareTemplate();
        frame = docking_test::MakeFrame();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (bar.m_hWnd) bar.DestroyWindow();
        frame->DestroyWindow();
    }
    docking_test::CBarFrame* frame = nullptr;
    CCountingDialogBar bar;
};

} // namespace

TEST_F(SizeDialogBar, MadeFromTheTemplateAsABarOfTheFrame) {
    ASSERT_TRUE(bar.Create(frame, "DockTestDialogBar", WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarId));
    EXPECT_EQ(bar.m_inits, 1);
    EXPECT_EQ(bar.GetParent(), frame);
    EXPECT_EQ(bar.GetDlgCtrlID(), kBarId);
    EXPECT_EQ(frame->GetControlBar(kBarId), &bar);
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    CWnd* edit = bar.GetDlgItem(kEdit);
    ASSERT_NE(edit, nullptr);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "in the bar");

    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_GT(window.Width(), 0);
    EXPECT_EQ(bar.m_szFloat, window.Size());
    EXPECT_EQ(bar.m_szHorz, window.Size());
    EXPECT_EQ(bar.m_szVert, CSize(window.Height(), window.Width()));
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "docking_size_dialog_bar"));
}

TEST_F(SizeDialogBar, ItsInitialisationAnswersInitDialog) {
    ASSERT_TRUE(bar.Create(frame, "DockTestDialogBar", WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
    for (BOOL answer : {FALSE, TRUE}) {
        bar.m_answer = answer;
        EXPECT_EQ(bar.SendMessage(WM_INITDIALOG), answer);
    }
    EXPECT_EQ(bar.m_inits, 3);
}

TEST_F(SizeDialogBar, AMissingTemplateMakesNoBar) {
    EXPECT_FALSE(bar.Create(frame, "DockTestNoSuchBar", WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(frame->GetControlBar(kBarId), nullptr);
}

TEST(SizeDialogBarDocked, DocksAtASideOfTheDockingFrameWithItsControls) {
    declareTemplate();
    docktest::CFixtureApp app;
    docktest::StartProgram(app);
    docktest::CFixtureFrame* frame = app.Frame();
    CCountingDialogBar bar;
    ASSERT_TRUE(bar.Create(frame, "DockTestDialogBar", WS_CHILD | WS_VISIBLE | CBRS_RIGHT, kBarId));
    bar.SetWindowText("Dialog");
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_RIGHT);
    frame->RecalcLayout();
    pm::afxtest::pump();
    EXPECT_EQ(bar.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_TRUE(bar.IsWindowVisible());
    // The template's edit lies inside the docked bar.
    const CRect barRect = docktest::WindowRect(&bar), editRect = docktest::WindowRect(bar.GetDlgItem(kEdit));
    EXPECT_TRUE(CRect().IntersectRect(barRect, editRect));
    EXPECT_GE(editRect.left, barRect.left);
    EXPECT_TRUE(docktest::SaveScreenPng(frame, "docking_size_dialog_bar_docked"));
    docktest::EndProgram(app);
}
