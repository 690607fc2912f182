// Sizeable bars in the docking test program: their frame and buttons, the drag that docks and
// floats them, the splitters between them, hiding and showing, and pictures of it all.

#include "docking/CDKDockContext.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "docking/CDKWorkspaceState.h"
#include "docking/SizeBarGeometry.h"
#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

using namespace docktest;

TEST(SizeBarGeometry, DefaultPlaceIsTheParentsBottomRightPart) {
    EXPECT_EQ(dock::DefaultBarRect(800, 601), CRect(400, 451, 800, 601));
    EXPECT_EQ(dock::DefaultBarRect(801, 3), CRect(401, 3, 801, 3));
}

TEST(SizeBarGeometry, CaptionAndButtonsFollowTheSide) {
    const CRect window(100, 100, 300, 200);
    struct Case {
        const char* name;
        DWORD style, align;
        bool floating;
        CRect caption, close, expand, client;
    };
    const CRect none(0, 0, 0, 0);
    const Case cases[] = {
        {"top: strip at the left", 0, CBRS_ALIGN_TOP, false, CRect(105, 131, 116, 195), CRect(105, 105, 116, 116),
         CRect(105, 118, 116, 129), CRect(121, 105, 295, 195)},
        {"left: strip at the top", 0, CBRS_ALIGN_LEFT, false, CRect(105, 105, 269, 116), CRect(284, 105, 295, 116),
         CRect(271, 105, 282, 116), CRect(105, 121, 295, 195)},
        {"left without close", SZBAR_NOCLOSEBUTTON, CBRS_ALIGN_LEFT, false, CRect(105, 105, 282, 116), none,
         CRect(284, 105, 295, 116), CRect(105, 121, 295, 195)},
        {"no gripper: border only", SZBAR_NOGRIPPER, CBRS_ALIGN_LEFT, false, CRect(105, 105, 295, 195), none, none,
         CRect(105, 105, 295, 195)},
        {"floating: border only", 0, CBRS_ALIGN_TOP, true, CRect(105, 105, 295, 195), none, none,
         CRect(105, 105, 295, 195)},
    };
    for (const Case& c : cases) {
        const dock::CaptionRects r = dock::CalcCaptionRects(window, c.style, c.align, c.floating);
        EXPECT_EQ(r.caption, c.caption) << c.name;
        EXPECT_EQ(r.close, c.close) << c.name;
        EXPECT_EQ(r.expand, c.expand) << c.name;
        EXPECT_EQ(dock::CalcClientRect(window, c.style, c.align, c.floating), c.client) << c.name;
    }
}

namespace {

class SizeableBars : public ::testing::Test {
protected:
    void SetUp() override {
        StartProgram(app);
        frame = app.Frame();
    }
    void TearDown() override { EndProgram(app); }
    CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame->GetControlBar(id)); }
    static CPoint ClientPoint(CWnd* wnd, CPoint screen) {
        wnd->ScreenToClient(&screen);
        return screen;
    }
    static CPoint CaptionPoint(CDKSizeControlBar& bar) { return ClientPoint(&bar, bar.GetCaptionRect().CenterPoint()); }
    // Presses the left button at a screen point of the bar and releases it at another.
    static void PressRelease(CDKSizeControlBar& bar, CPoint pressAt, CPoint releaseAt) {
        const CPoint p = ClientPoint(&bar, pressAt), r = ClientPoint(&bar, releaseAt);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.x, r.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.x, r.y));
        pm::afxtest::pump();
    }
    // A point inside the top dock bar's edge of the frame's client area.
    CPoint TopEdge() {
        CRect top = WindowRect(Dock(AFX_IDW_DOCKBAR_TOP));
        return CPoint(top.left + 300, top.top + 4);
    }
    CDKDockContext* Context(CControlBar& bar) { return static_cast<CDKDockContext*>(bar.m_pDockContext); }
    CFixtureApp app;
    CFixtureFrame* frame = nullptr;
};

} // namespace

TEST_F(SizeableBars, StartingLayoutPicture) {
    EXPECT_EQ(frame->m_wndInformation.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(frame->m_wndProject.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(frame->m_wndOutput.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    // Information and Project share one row: one above the other, as wide as each other.
    const CRect info = WindowRect(&frame->m_wndInformation), project = WindowRect(&frame->m_wndProject);
    EXPECT_EQ(info.left, project.left);
    EXPECT_EQ(info.Width(), project.Width());
    EXPECT_GT(project.top, info.top);
    EXPECT_TRUE(SaveScreenPng(frame, "docking_start"));
}

TEST_F(SizeableBars, FirstResizeNotificationCarriesBothChanges) {
    ASSERT_FALSE(frame->m_wndInformation.resizes.empty());
    EXPECT_EQ(frame->m_wndInformation.resizes.front().mask, 3u);
    // A move that keeps the size tells nothing.
    const size_t count = frame->m_wndInformation.resizes.size();
    frame->m_wndInformation.SetWindowPos(nullptr, 3, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(frame->m_wndInformation.resizes.size(), count);
}

TEST_F(SizeableBars, DraggingToTheTopDocksThere) {
    CPaneBar& bar = frame->m_wndInformation;
    DragBar(&bar, CaptionPoint(bar), {bar.GetCaptionRect().CenterPoint() + CPoint(40, 40), TopEdge()});
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(frame->m_wndProject.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(SizeableBars, CtrlKeepsTheBarFloatingAndEscOrRightClickLeaveItAlone) {
    CPaneBar& bar = frame->m_wndInformation;
    const CRect before = WindowRect(&bar);
    for (int endKey : {VK_ESCAPE, VK_RBUTTON}) {
        DragBar(&bar, CaptionPoint(bar), {TopEdge()}, false, endKey);
        EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT)) << endKey;
        EXPECT_EQ(WindowRect(&bar), before) << endKey;
    }
    DragBar(&bar, CaptionPoint(bar), {TopEdge()}, true);
    EXPECT_TRUE(bar.IsFloating());
    // Over the top edge, Ctrl showed the floating frame's outline, not the band.
    EXPECT_EQ(Context(bar)->m_rectLastOutline.TopLeft(), Context(bar)->m_ptMRUFloatPos);
    auto* mini = dynamic_cast<CDKSizableMiniDockFrameWnd*>(bar.GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(mini->GetKind(), CDKSizableMiniDockFrameWnd::kindSizeBar);
}

TEST_F(SizeableBars, DoubleClickFloatsAndDocksBackAtTheSamePlace) {
    CPaneBar& bar = frame->m_wndOutput;
    const CRect before = WindowRect(&bar);
    const CPoint caption = CaptionPoint(bar);
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
    pm::afxtest::pump();
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* mini = bar.GetParentFrame();
    ASSERT_NE(mini, frame);
    mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    pm::afxtest::pump();
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(WindowRect(&bar), before);
}

TEST_F(SizeableBars, SplitterBetweenPanesTradesLengthWithinLimits) {
    auto* left = static_cast<CDKSizeDockBar*>(Dock(AFX_IDW_DOCKBAR_LEFT));
    int between = -1;
    for (size_t i = 0; i < left->GetSplitters().size(); ++i)
        if (left->GetSplitters()[i].kind == CDKSizeDockBar::kindUpDown)
            between = static_cast<int>(i);
    ASSERT_GE(between, 0);
    const CRect splitter = left->GetSplitters()[between].rect;
    const int info = WindowRect(&frame->m_wndInformation).Height();
    const int project = WindowRect(&frame->m_wndProject).Height();
    const int total = info + project;

    // A drag of the strip 30 pixels down, scripted as the pointer does it.
    const CPoint from = splitter.CenterPoint();
    left->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + 30));
    left->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x, from.y + 30));
    left->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    pm::afxtest::pump();
    EXPECT_EQ(WindowRect(&frame->m_wndInformation).Height(), info + 30);
    EXPECT_EQ(WindowRect(&frame->m_wndProject).Height(), project - 30);

    // Far past the end: Project keeps a caption's length in its row, and the lengths add up.
    left->MoveSplitter(between, 5000);
    pm::afxtest::pump();
    // (The row may leave a pixel of the floors free, which counts as room too.)
    EXPECT_NEAR(WindowRect(&frame->m_wndProject).Height(), dock::kCollapsedLength, 1);
    EXPECT_EQ(WindowRect(&frame->m_wndProject).left, WindowRect(&frame->m_wndInformation).left);
    EXPECT_EQ(WindowRect(&frame->m_wndInformation).Height() + WindowRect(&frame->m_wndProject).Height(), total);
}

TEST_F(SizeableBars, RowSplitterChangesTheRowsThickness) {
    auto* bottom = static_cast<CDKSizeDockBar*>(Dock(AFX_IDW_DOCKBAR_BOTTOM));
    ASSERT_FALSE(bottom->GetSplitters().empty());
    const int before = WindowRect(&frame->m_wndOutput).Height();
    bottom->MoveSplitter(0, -40); // up: the bottom row grows
    pm::afxtest::pump();
    EXPECT_EQ(WindowRect(&frame->m_wndOutput).Height(), before + 40);
}

TEST_F(SizeableBars, CloseButtonHidesAndTheViewCommandBringsThePaneBack) {
    CPaneBar& bar = frame->m_wndOutput;
    const CRect before = WindowRect(&bar);
    const CPoint close = bar.GetCloseRect().CenterPoint();
    // Pressed on the button and released away from it: nothing happens.
    PressRelease(bar, close, close + CPoint(0, 40));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.GetPressed(), CDKSizeControlBar::pressedNone);

    PressRelease(bar, close, close);
    EXPECT_FALSE(bar.IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_PANE_OUTPUT, 0);
    pm::afxtest::pump();
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(WindowRect(&bar), before);
}

TEST_F(SizeableBars, ExpandButtonTakesTheRowAndGivesItBack) {
    CPaneBar& info = frame->m_wndInformation;
    CPaneBar& project = frame->m_wndProject;
    const int infoBefore = WindowRect(&info).Height(), projectBefore = WindowRect(&project).Height();
    ASSERT_TRUE(info.IsExpandable());
    const CPoint expand = info.GetExpandRect().CenterPoint();
    PressRelease(info, expand, expand);
    EXPECT_TRUE(info.IsExpanded());
    EXPECT_EQ(WindowRect(&project).Height(), dock::kCollapsedLength);
    EXPECT_EQ(WindowRect(&info).Height(), infoBefore + projectBefore - dock::kCollapsedLength);
    PressRelease(info, info.GetExpandRect().CenterPoint(), info.GetExpandRect().CenterPoint());
    EXPECT_FALSE(info.IsExpanded());
    EXPECT_EQ(WindowRect(&info).Height(), infoBefore);
    EXPECT_EQ(WindowRect(&project).Height(), projectBefore);

    // Alone in its row the button does nothing and takes no capture.
    CPaneBar& output = frame->m_wndOutput;
    EXPECT_FALSE(output.IsExpandable());
    const CPoint p = ClientPoint(&output, output.GetExpandRect().CenterPoint());
    output.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_NE(::GetCapture(), output.m_hWnd);
    EXPECT_EQ(output.GetPressed(), CDKSizeControlBar::pressedNone);
}

TEST_F(SizeableBars, DropOnARowOfTwoShowsAThirdOfTheLength) {
    CPaneBar& bar = frame->m_wndOutput;
    const CRect info = WindowRect(&frame->m_wndInformation);
    const CPoint target(info.left + 10, info.top + 100);
    frame->m_strPicture = "docking_drag_outline";
    DragBar(&bar, CaptionPoint(bar), {bar.GetCaptionRect().CenterPoint() + CPoint(0, -60), target}, false, 0, frame);
    EXPECT_TRUE(frame->m_bPictureSaved);
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    const CDKDockContext* ctx = Context(bar);
    EXPECT_EQ(ctx->m_rectDrop.Height(), ctx->m_rectFullHeight.Height() / 3);
}

TEST_F(SizeableBars, FloatingFrameMenuAndSize) {
    CPaneBar& bar = frame->m_wndProject;
    const CPoint caption = CaptionPoint(bar);
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
    pm::afxtest::pump();
    auto* mini = dynamic_cast<CDKSizableMiniDockFrameWnd*>(bar.GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(mini->GetKind(), CDKSizableMiniDockFrameWnd::kindSizeBar);
    CMenu* menu = mini->GetSystemMenu(FALSE);
    for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        EXPECT_EQ(menu->GetMenuState(command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
    CString close;
    menu->GetMenuString(SC_CLOSE, close, MF_BYCOMMAND);
    EXPECT_STREQ(close, "&Hide");

    mini->SetWindowPos(nullptr, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
    pm::afxtest::pump();
    CRect client;
    mini->GetClientRect(&client);
    const DWORD borders = bar.m_dwStyle & CBRS_BORDER_ANY;
    const int extraX = ((borders & CBRS_BORDER_LEFT) ? 2 : 0) + ((borders & CBRS_BORDER_RIGHT) ? 2 : 0);
    EXPECT_EQ(bar.m_szFloat.cx, client.Width() + extraX);

    // Closed, the pane only hides, and comes back by the View command.
    mini->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_FALSE(bar.IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_PANE_PROJECT, 0);
    pm::afxtest::pump();
    EXPECT_TRUE(bar.IsWindowVisible());
}

TEST_F(SizeableBars, PanesOnThreeSidesAndOneFloatingPicture) {
    CPaneBar& bar = frame->m_wndProject;
    DragBar(&bar, CaptionPoint(bar), {bar.GetCaptionRect().CenterPoint() + CPoint(20, 0), TopEdge()});
    ASSERT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    CPaneBar& output = frame->m_wndOutput;
    const CRect client = WindowRect(frame);
    DragBar(&output, CaptionPoint(output), {client.CenterPoint()}, true);
    ASSERT_TRUE(output.IsFloating());
    EXPECT_TRUE(SaveScreenPng(frame, "docking_three_sides_and_floating"));
}

TEST_F(SizeableBars, WorkspaceStateBringsBackSidesAndFloatingPlace) {
    CPaneBar& info = frame->m_wndInformation;
    DragBar(&info, CaptionPoint(info), {info.GetCaptionRect().CenterPoint() + CPoint(30, 0), TopEdge()});
    ASSERT_EQ(info.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    CPaneBar& output = frame->m_wndOutput;
    DragBar(&output, CaptionPoint(output), {CPoint(WindowRect(frame).CenterPoint())}, true);
    ASSERT_TRUE(output.IsFloating());
    const CPoint floatingAt = WindowRect(output.GetParentFrame()).TopLeft();

    CDKWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    EndProgram(app);

    CFixtureApp again;
    StartProgram(again);
    CFixtureFrame* second = again.Frame();
    // A damaged state is refused and the program keeps its starting layout.
    CByteArray damaged;
    damaged.SetSize(bytes.GetSize() / 2);
    std::copy(bytes.GetData(), bytes.GetData() + damaged.GetSize(), damaged.GetData());
    CDKWorkspaceState refused;
    EXPECT_FALSE(refused.ReadFromBytes(damaged));
    EXPECT_EQ(second->m_wndInformation.m_pDockBar, second->GetControlBar(AFX_IDW_DOCKBAR_LEFT));

    CDKWorkspaceState restored;
    ASSERT_TRUE(restored.ReadFromBytes(bytes));
    ASSERT_TRUE(restored.ApplyState(CDKWorkspaceState::kApplyWithoutChildren));
    pm::afxtest::pump();
    EXPECT_EQ(second->m_wndInformation.m_pDockBar, second->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(second->m_wndProject.m_pDockBar, second->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(second->m_wndOutput.IsFloating());
    EXPECT_EQ(WindowRect(second->m_wndOutput.GetParentFrame()).TopLeft(), floatingAt);
    EndProgram(again);
}
