// Document windows that dock as panes in the docking test program: the view moves into a pane and
// back with its text, the window stays the active child while docked and never shows, and the
// pane's caption follows the window's title.

#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/CMenu.h"
#include "docking/CDKMDIFloatWnd.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

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
    EXPECT_EQ(TextOf(active), title);
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_EQ(::SendMessage(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0),
              reinterpret_cast<LRESULT>(active->m_hWnd));
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
    otherChild->MDIActivate(); // through the frame, which knows the docked window
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

TEST_F(DockableChildren, ATitleChangedWhileDockedShowsOnThePaneCaptionAndTheFrames) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    view->GetDocument()->SetTitle("Renamed *");
    pm::afxtest::pump();
    EXPECT_EQ(TextOf(&active->m_wndViewBar), "Renamed *");
    EXPECT_NE(TextOf(frame).Find("Renamed *"), -1) << (LPCSTR)TextOf(frame);
    // The caption on the screen (the bar's frame, left of its client area) is the one a whole
    // repaint draws.
    const HWND bar = active->m_wndViewBar.m_hWnd;
    CRect client;
    active->m_wndViewBar.GetClientRect(&client);
    active->m_wndViewBar.ClientToScreen(&client);
    const RECT caption{0, 0, client.left - WindowRect(&active->m_wndViewBar).left, client.Height()};
    ASSERT_GT(caption.right, 0);
    const pm::test::Picture shown = pm::test::windowPicture(bar).copy(caption);
    ::RedrawWindow(bar, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(shown == pm::test::windowPicture(bar).copy(caption));
    EXPECT_TRUE(SaveScreenPng(frame, "docking_document_docked_renamed"));
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

    // A pane of the test program goes with the program's frame, which forgot it as its windows went.
    CFixtureApp app;
    StartProgram(app, 0);
    auto* pane = new CountedBar(&deleted);
    ASSERT_TRUE(
        pane->Create(app.Frame(), "Counted", 0xE850, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 60)));
    pane->EnableDocking(CBRS_ALIGN_ANY);
    app.Frame()->DockControlBar(pane, AFX_IDW_DOCKBAR_LEFT);
    EndProgram(app);
    EXPECT_EQ(deleted, 2);
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

TEST_F(DockableChildren, AFloatingDocumentPaneClosesItsWindow) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    CDKSizeViewBar& bar = active->m_wndViewBar;
    bar.m_pDockContext->ToggleDocking();
    pm::afxtest::pump();
    ASSERT_TRUE(bar.IsFloating());
    // Floating, the view sits in the pane itself and still shows its document.
    EXPECT_EQ(view->GetParent(), &bar);
    EXPECT_TRUE(view->IsWindowVisible());
    // Another window made active, a click in the floating view makes this one active again.
    frame->ActivateChild(
        static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(::GetWindow(active->m_hWnd, GW_HWNDNEXT))));
    pm::afxtest::pump();
    ASSERT_NE(frame->MDIGetActive(), active);
    pm::afxtest::click(view->m_hWnd, CPoint(15, 15));
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), active);
    // Its floating frame's system menu offers to dock it back, once.
    CFrameWnd* mini = bar.GetParentFrame();
    CMenu* sys = mini->GetSystemMenu(FALSE);
    for (int i = 0; i < 2; ++i)
        mini->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys->m_hMenu), MAKELPARAM(0, TRUE));
    int items = 0;
    for (UINT i = 0; i < sys->GetMenuItemCount(); ++i)
        items += sys->GetMenuItemID(static_cast<int>(i)) == CDKMDIChildWndSizeDock::DockCommandId();
    EXPECT_EQ(items, 1);
    // Refused by its document, it stays where it is; agreed, the document is asked once.
    const HWND child = active->m_hWnd;
    g_refuseClose = true;
    mini->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    g_refuseClose = false;
    ASSERT_TRUE(::IsWindow(child));
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_TRUE(bar.IsWindowVisible());
    g_closeQuestions = 0;
    mini->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_EQ(g_closeQuestions, 1);
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
}

TEST_F(DockableChildren, ClicksMoveTheActiveWindowBetweenPaneAndClient) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    HWND otherHwnd = nullptr;
    // The topmost visible document window (the one a click on its view reaches).
    for (HWND h = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); h && !otherHwnd;
         h = ::GetWindow(h, GW_HWNDNEXT))
        if (h != active->m_hWnd && ::IsWindowVisible(h)) otherHwnd = h;
    ASSERT_NE(otherHwnd, nullptr);
    auto* other = static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(otherHwnd));
    pm::afxtest::click(other->GetActiveView()->m_hWnd, CPoint(20, 20));
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), other);
    EXPECT_EQ(frame->m_pActiveDockedChild, nullptr);
    EXPECT_FALSE(active->m_wndViewBar.IsActive()); // its caption shows it is not the active one

    pm::afxtest::click(view->m_hWnd, CPoint(20, 20));
    pm::afxtest::pump();
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_TRUE(active->m_wndViewBar.IsActive());
}

TEST_F(DockableChildren, NewWindowOnADockedDocumentAndNoMaximisingWhileDocked) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    active->MDIMaximize();
    pm::afxtest::pump();
    EXPECT_FALSE(active->IsZoomed());
    EXPECT_FALSE(active->IsWindowVisible());

    CDocument* doc = view->GetDocument();
    int views = 0;
    for (POSITION pos = doc->GetFirstViewPosition(); pos; doc->GetNextView(pos))
        ++views;
    frame->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    pm::afxtest::pump();
    int after = 0;
    for (POSITION pos = doc->GetFirstViewPosition(); pos; doc->GetNextView(pos))
        ++after;
    EXPECT_EQ(after, views + 1);
}

TEST_F(DockableChildren, AnActivePaneLeavesTheDocumentPaneItsCaption) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    ASSERT_TRUE(active->m_wndViewBar.IsActive());
    frame->m_wndOutput.SetActive(TRUE, TRUE);
    frame->m_wndInformation.SetActive(TRUE, TRUE);
    EXPECT_FALSE(frame->m_wndOutput.IsActive());  // an ordinary pane gives way
    EXPECT_TRUE(active->m_wndViewBar.IsActive()); // the document's pane follows its window
}

TEST_F(DockableChildren, TheFrameFollowsTheDockedChildForCommandsAndHelp) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    EXPECT_EQ(frame->GetActiveView(), view);
    // A command no one takes leaves the frame without a view of its own.
    EXPECT_FALSE(frame->OnCmdMsg(0x7F7F, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(frame->GetActiveView(), nullptr);
    EXPECT_EQ(frame->GetActiveFrame(), active);

    // Help asked while a menu item is tracked is that item's.
    frame->m_nIDTracking = ID_PANE_OUTPUT;
    frame->SendMessage(WM_COMMANDHELP, 0, 0);
    frame->m_nIDTracking = 0;
    ASSERT_FALSE(app.m_helpAsked.empty());
    EXPECT_EQ(app.m_helpAsked.back(), 0x10000u + ID_PANE_OUTPUT);
}

TEST_F(DockableChildren, ThePaneThatIsTheActiveWindowGivesItsTurnAwayWhenTheStatusBarCommandHidesIt) {
    auto* status = new CPaneBar(SZBAR_AUTODELETE | SZBAR_MDIFLOAT);
    ASSERT_TRUE(status->Create(frame, "Status", AFX_IDW_STATUS_BAR, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                               CRect(0, 0, 200, 60)));
    status->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(status, AFX_IDW_DOCKBAR_BOTTOM);
    status->SendMessage(WM_COMMAND, ID_SZBAR_MDIFLOAT);
    pm::afxtest::pump();
    CDKMDIFloatWnd* floatWnd = status->GetMDIFloatWnd();
    ASSERT_NE(floatWnd, nullptr);
    floatWnd->MDIActivate();
    pm::afxtest::pump();
    ASSERT_EQ(frame->MDIGetActive(), floatWnd);
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    pm::afxtest::pump();
    EXPECT_FALSE(status->IsWindowVisible());
    EXPECT_NE(frame->MDIGetActive(), floatWnd);
}

TEST_F(DockableChildren, ACaptionWithoutASystemMenuStillOffersToDock) {
    active->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
    const CRect r = WindowRect(active);
    for (int vk : {VK_DOWN, VK_RETURN})
        active->PostMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    active->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 40, r.top + 8));
    pm::afxtest::pump();
    EXPECT_TRUE(active->IsDocked());
}

TEST_F(DockableChildren, ANewViewInAChildLeavesNoFrameWithTheOldOneActive) {
    ASSERT_EQ(active->GetActiveView(), view);
    frame->SetActiveView(view);
    CCreateContext context;
    context.m_pNewViewClass = view->GetRuntimeClass();
    context.m_pCurrentDoc = view->GetDocument();
    ASSERT_NE(active->CreateView(&context, AFX_IDW_PANE_FIRST + 1), nullptr);
    EXPECT_EQ(active->GetActiveView(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), nullptr);
}

TEST_F(DockableChildren, ARefusedCloseLeavesTheWindowAndTheNextCloseGoesThrough) {
    const HWND child = active->m_hWnd;
    g_refuseClose = true;
    active->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    g_refuseClose = false;
    ASSERT_TRUE(::IsWindow(child));
    EXPECT_FALSE(active->m_bClosing);
    active->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(child));
}

TEST_F(DockableChildren, TheWrapperIsThePanesAndClosesOnlyWhatItsDocumentAllows) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    CDKSizeViewBar& bar = active->m_wndViewBar;
    CWnd* wrapper = bar.GetWrapper();
    ASSERT_TRUE(::IsWindow(wrapper->m_hWnd));
    const CRect w = WindowRect(wrapper);
    EXPECT_EQ(wrapper->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 3, w.top + 3)), HTCLIENT);

    g_refuseClose = true;
    wrapper->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    g_refuseClose = false;
    ASSERT_TRUE(::IsWindow(active->m_hWnd));
    EXPECT_TRUE(active->IsDocked());

    // A double click on it is the pane's: the pane floats.
    wrapper->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    pm::afxtest::pump();
    EXPECT_TRUE(bar.IsFloating());
}

TEST_F(DockableChildren, AFloatingPaneShowsItsWindowsTitleAndActivation) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    CDKSizeViewBar& bar = active->m_wndViewBar;
    bar.m_pDockContext->ToggleDocking();
    pm::afxtest::pump();
    auto* mini = dynamic_cast<CDKSizableMiniDockFrameWnd*>(bar.GetParentFrame());
    ASSERT_NE(mini, nullptr);
    active->SetWindowText("renamed");
    EXPECT_EQ(TextOf(mini), "renamed");
    EXPECT_TRUE(mini->m_bActive) << "floated as the active window, its frame shows it";
    auto* other =
        static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(::GetWindow(active->m_hWnd, GW_HWNDNEXT)));
    other->MDIActivate();
    pm::afxtest::pump();
    EXPECT_FALSE(mini->m_bActive) << "its frame shows the window is not the active one";
    EXPECT_FALSE(bar.IsActive());
}

TEST_F(DockableChildren, APaneThatGoesTakesItsDockedWindowAlong) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    const HWND child = active->m_hWnd;
    active->m_wndViewBar.DestroyWindow();
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
}

TEST(DockableChildrenAlone, TheOnlyDocumentDockedStaysTheActiveOneAndComesBackActive) {
    CFixtureApp app;
    StartProgram(app, 1);
    CFixtureFrame* frame = app.Frame();
    auto* child = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive());
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(child->SetDocked(TRUE));
    pm::afxtest::pump();
    EXPECT_FALSE(child->IsWindowVisible());
    EXPECT_EQ(frame->MDIGetActive(), child);
    EXPECT_EQ(frame->GetActiveFrame(), child);
    EXPECT_NE(frame->GetActiveView(), nullptr);
    CString title;
    frame->GetWindowText(title);
    EXPECT_NE(title.Find("one"), -1) << title;
    ASSERT_TRUE(child->SetDocked(FALSE));
    pm::afxtest::pump();
    EXPECT_TRUE(child->IsWindowVisible());
    EXPECT_EQ(::SendMessage(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0),
              reinterpret_cast<LRESULT>(child->m_hWnd));
    EXPECT_FALSE(child->m_bPseudoInactive);
    EXPECT_EQ(frame->GetActiveView(), child->GetActiveView());
    EndProgram(app);
}

TEST_F(DockableChildren, ADockedWindowAskedToComeForwardShowsItsPaneNotItself) {
    ASSERT_TRUE(active->SetDocked(TRUE));
    pm::afxtest::pump();
    CDKSizeViewBar& bar = active->m_wndViewBar;
    // Its pane hidden by the close button, another window active.
    frame->ShowControlBar(&bar, FALSE, FALSE);
    auto* other =
        static_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(::GetWindow(active->m_hWnd, GW_HWNDNEXT)));
    other->MDIActivate();
    pm::afxtest::pump();
    ASSERT_EQ(frame->MDIGetActive(), other);

    // As the framework brings forward the window of a document opened again.
    active->ActivateFrame();
    pm::afxtest::pump();
    EXPECT_FALSE(active->IsWindowVisible());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(frame->MDIGetActive(), active);
    EXPECT_TRUE(::IsChild(bar.m_hWnd, view->m_hWnd));
    // Nor does a plain show make the empty window appear.
    active->ShowWindow(SW_SHOW);
    EXPECT_FALSE(active->IsWindowVisible());
    ASSERT_TRUE(active->SetDocked(FALSE));
    EXPECT_TRUE(active->IsWindowVisible());
}
