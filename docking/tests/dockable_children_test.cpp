// Document windows that dock as panes in the docking test program: the view moves into a pane and
// back with its text, the window stays the active child while docked and never shows, and the
// pane's caption follows the window's title.

#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

class DockableChildren : public ::testing::Test {
protected:
    void SetUp() override {
        StartProgram(app);
        frame = app.Frame();
        active = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive());
        ASSERT_NE(active, nullptr);
        view = active->GetActiveView();
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { EndProgram(app); }
    CFixtureApp app;
    CFixtureFrame* frame = nullptr;
    CDKMDIChildWndSizeDock* active = nullptr;
    CView* view = nullptr;
};

CString TextOf(CWnd* wnd) {
    CString s;
    wnd->GetWindowText(s);
    return s;
}

} // namespace

TEST_F(DockableChildren, DockingMovesTheViewIntoAPaneAndBack) {
    const CString title = TextOf(active);
    CDocument* doc = view->GetDocument();
    // The dock command, as the window's system menu gives it.
    active->SendMessage(WM_SYSCOMMAND, CDKMDIChildWndSizeDock::DockCommandId(), 0);
    pm::afxtest::pump();
    ASSERT_TRUE(active->IsDocked());
    EXPECT_FALSE(active->IsWindowVisible());
    EXPECT_TRUE(active->m_wndViewBar.IsWindowVisible());
    EXPECT_TRUE(::IsChild(active->m_wndViewBar.m_hWnd, view->m_hWnd));
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_EQ(frame->GetActiveFrame(), active);
    EXPECT_EQ(TextOf(&active->m_wndViewBar), title);
    EXPECT_TRUE(SaveScreenPng(frame, "docking_document_docked"));

    // Showing it through its style changes nothing while it is docked.
    active->ModifyStyle(0, WS_VISIBLE);
    EXPECT_FALSE(active->IsWindowVisible());

    active->SendMessage(WM_COMMAND, CDKMDIChildWndSizeDock::DockCommandId(), 0);
    pm::afxtest::pump();
    EXPECT_FALSE(active->IsDocked());
    EXPECT_TRUE(active->IsWindowVisible());
    EXPECT_FALSE(active->m_wndViewBar.IsWindowVisible());
    EXPECT_EQ(view->GetParent(), active);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_EQ(active->GetActiveView(), view);
}

TEST_F(DockableChildren, AMaximisedChildIsRestoredToDockAndMaximisedAgainAfter) {
    active->MDIMaximize();
    pm::afxtest::pump();
    ASSERT_TRUE(active->IsZoomed());
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    EXPECT_FALSE(active->IsZoomed());
    ASSERT_TRUE(active->SetDocked(FALSE));
    pm::afxtest::pump();
    EXPECT_TRUE(active->IsZoomed());
}

TEST_F(DockableChildren, ActivatingAnotherChildEndsTheDockedOnesTurn) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    HWND other = ::GetWindow(active->m_hWnd, GW_HWNDNEXT);
    ASSERT_NE(other, nullptr);
    auto* otherChild = static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(other));
    frame->ActivateChild(otherChild);
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), otherChild);
    EXPECT_EQ(frame->m_pActiveDockedChild, nullptr);
    EXPECT_TRUE(active->IsDocked());
}

TEST_F(DockableChildren, SystemMenuCarriesTheDockItem) {
    CMenu* menu = active->GetSystemMenu(FALSE);
    CString text;
    menu->GetMenuString(CDKMDIChildWndSizeDock::DockCommandId(), text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Dock window");
    EXPECT_LT(CDKMDIChildWndSizeDock::DockCommandId(), 0xF000u);
}

TEST(DockableChildrenPlainFrame, DockingUnderAPlainMDIFrameDoesNothing) {
    CDKMDIChildWndSizeDock child;
    EXPECT_FALSE(child.SetDocked(TRUE));
    EXPECT_FALSE(child.IsDocked());
}

TEST_F(DockableChildren, ASecondWindowsNumberShowsOnThePaneCaption) {
    CDocument* doc = view->GetDocument();
    auto* second = static_cast<CDKMDIChildWndSizeDock*>(app.m_pTemplate->CreateNewFrame(doc, nullptr));
    ASSERT_NE(second, nullptr);
    app.m_pTemplate->InitialUpdateFrame(second, doc, TRUE);
    pm::afxtest::pump();
    const CString title = TextOf(second);
    ASSERT_NE(title.Find(":2"), -1) << (LPCSTR)title;
    ASSERT_TRUE(second->SetDocked(TRUE));
    pm::afxtest::pump();
    EXPECT_EQ(TextOf(&second->m_wndViewBar), title);
}

TEST(AutoDeleteBars, GoWithTheirOwnFrameOnly) {
    struct CountedBar : CDKSizeControlBar {
        explicit CountedBar(int* deleted) : CDKSizeControlBar(SZBAR_AUTODELETE), m_deleted(deleted) {}
        ~CountedBar() override { ++*m_deleted; }
        int* m_deleted;
    };
    int deleted = 0;
    CDKMDIFrameWndSizeDock first, second;
    auto* mine = new CountedBar(&deleted);
    mine->m_pDockSite = &first;
    CountedBar survivor(&deleted);
    survivor.m_pDockSite = &second;
    CDKSizeControlBar::DeleteAutoDeleteBars(&first);
    EXPECT_EQ(deleted, 1);
    CDKSizeControlBar::DeleteAutoDeleteBars(&first); // once only
    EXPECT_EQ(deleted, 1);
    survivor.m_pDockSite = nullptr;
}

TEST_F(DockableChildren, ClosingTheProgramWhileADocumentRefusesKeepsEverything) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    g_refuseClose = true;
    frame->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    g_refuseClose = false;
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_TRUE(active->IsDocked());
    EXPECT_TRUE(active->m_wndViewBar.IsWindowVisible());
    // A second close is not ignored: this one goes through.
    frame->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(DockableChildren, ClosingADockedWindowsDocumentClosesThatWindowOnly) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    const HWND child = active->m_hWnd;
    view->GetDocument()->OnCloseDocument();
    pm::afxtest::pump();
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_EQ(frame->m_pActiveDockedChild, nullptr);
    EXPECT_NE(frame->MDIGetActive(), nullptr);
}
