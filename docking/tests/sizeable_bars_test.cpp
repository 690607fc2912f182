// Sizeable bars in the docking test program: their frame and buttons, the drag that docks and
// floats them, the splitters between them, hiding and showing, and pictures of it all.

#include "docking/CDKCoolToolBar.h"
#include "docking/CDKDockContext.h"
#include "docking/CDKFrameWndSizeDock.h"
#include "docking/CDKMDIFloatWnd.h"
#include "docking/CDKSizableMiniDockFrameWnd.h"
#include "docking/CDKWorkspaceState.h"
#include "docking/SizeBarGeometry.h"
#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

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
        {"top: strip at the left", 0, CBRS_ALIGN_TOP, false, CRect(105, 131, 116, 195),
         CRect(105, 105, 116, 116), CRect(105, 118, 116, 129), CRect(121, 105, 295, 195)},
        {"left: strip at the top", 0, CBRS_ALIGN_LEFT, false, CRect(105, 105, 269, 116),
         CRect(284, 105, 295, 116), CRect(271, 105, 282, 116), CRect(105, 121, 295, 195)},
        {"left without close", SZBAR_NOCLOSEBUTTON, CBRS_ALIGN_LEFT, false, CRect(105, 105, 282, 116), none,
         CRect(284, 105, 295, 116), CRect(105, 121, 295, 195)},
        {"no gripper: border only", SZBAR_NOGRIPPER, CBRS_ALIGN_LEFT, false, CRect(105, 105, 295, 195), none,
         none, CRect(105, 105, 295, 195)},
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
    static CPoint CaptionPoint(CDKSizeControlBar& bar) {
        return ClientPoint(&bar, bar.GetCaptionRect().CenterPoint());
    }
    // Presses the left button at a screen point of the bar, moves through the others and releases
    // it at the last.
    static void PressRelease(CDKSizeControlBar& bar, CPoint pressAt, std::vector<CPoint> path) {
        const CPoint p = ClientPoint(&bar, pressAt);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        for (CPoint& at : path) {
            at = ClientPoint(&bar, at);
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        }
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(path.back().x, path.back().y));
        pm::afxtest::pump();
    }
    static void PressRelease(CDKSizeControlBar& bar, CPoint pressAt, CPoint releaseAt) {
        PressRelease(bar, pressAt, std::vector<CPoint>{releaseAt});
    }
    // A point inside the top dock bar's edge of the frame's client area.
    CPoint TopEdge() {
        CRect top = WindowRect(Dock(AFX_IDW_DOCKBAR_TOP));
        return CPoint(top.left + 300, top.top + 4);
    }
    CDKDockContext* Context(CControlBar& bar) { return static_cast<CDKDockContext*>(bar.m_pDockContext); }
    // A double click on the caption floats the bar: its floating frame.
    static CDKSizableMiniDockFrameWnd* FloatByDoubleClick(CDKSizeControlBar& bar) {
        const CPoint caption = CaptionPoint(bar);
        bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
        pm::afxtest::pump();
        return dynamic_cast<CDKSizableMiniDockFrameWnd*>(bar.GetParentFrame());
    }
    // Each document window's class and normal place.
    static std::multiset<std::vector<LONG>> ChildPlaces(CMDIFrameWnd* main) {
        std::multiset<std::vector<LONG>> places;
        for (HWND h = ::GetWindow(main->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CWnd* child = CWnd::FromHandlePermanent(h);
            if (!child || !child->IsKindOf(RUNTIME_CLASS(CDKMDIChildWndSizeDock))) continue;
            WINDOWPLACEMENT wp{};
            wp.length = sizeof wp;
            child->GetWindowPlacement(&wp);
            const RECT& r = wp.rcNormalPosition;
            places.insert({r.left, r.top, r.right, r.bottom, static_cast<LONG>(child->IsWindowVisible())});
        }
        return places;
    }
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
    EXPECT_EQ(mini->GetStyle() & 0x0001, 0x0001u) << "a frame floated by a drag is marked";
}

TEST_F(SizeableBars, ADragLocksTheDesktopAndEndsWithTheIdlePrompt) {
    CPaneBar& bar = frame->m_wndInformation;
    for (int endKey : {VK_ESCAPE, VK_RBUTTON, 0}) {
        frame->m_prompts.clear();
        frame->m_bDesktopLockedInDrag = false;
        DragBar(&bar, CaptionPoint(bar), {TopEdge()}, false, endKey);
        EXPECT_TRUE(frame->m_bDesktopLockedInDrag) << endKey;
        EXPECT_TRUE(::LockWindowUpdate(frame->m_hWnd)) << "unlocked after the drag " << endKey;
        ::LockWindowUpdate(nullptr);
        ASSERT_FALSE(frame->m_prompts.empty());
        EXPECT_EQ(frame->m_prompts.front(), static_cast<UINT>(ID_SZBAR_PROMPT)) << endKey;
        EXPECT_EQ(frame->m_prompts.back(), static_cast<UINT>(AFX_IDS_IDLEMESSAGE)) << endKey;
    }
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(SizeableBars, AnOutlineAsLongAsItsSideIsAThirdAndADropWhereItStartedMovesNothing) {
    // Output alone in the bottom row is about as long as the frame's inner width: its band outline
    // takes a third of that width. Information shares its row: its outline keeps its own length.
    struct Case {
        CPaneBar* bar;
        bool third;
    };
    for (const Case& c : {Case{&frame->m_wndOutput, true}, Case{&frame->m_wndInformation, false}}) {
        CPaneBar& bar = *c.bar;
        DragBar(&bar, CaptionPoint(bar), {bar.GetCaptionRect().CenterPoint() + CPoint(30, -30)}, false,
                VK_ESCAPE);
        const CDKDockContext* ctx = Context(bar);
        EXPECT_EQ(ctx->m_rectDragHorz.Width(), c.third ? ctx->m_rectFullWidth.Width() / 3 : bar.m_szHorz.cx);
    }
    EXPECT_GE(frame->m_wndOutput.m_szHorz.cx, Context(frame->m_wndOutput)->m_rectFullWidth.Width() - 16);

    // Moved away over another side and back to where it was pressed, then released: it stays.
    CPaneBar& bar = frame->m_wndInformation;
    const CRect before = WindowRect(&bar);
    const CPoint caption = bar.GetCaptionRect().CenterPoint();
    DragBar(&bar, CaptionPoint(bar), {TopEdge(), caption});
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(WindowRect(&bar), before);
}

TEST_F(SizeableBars, ForbiddenDockingFloatsThePaneUntilAllowedAgain) {
    CPaneBar& bar = frame->m_wndInformation;
    const DWORD dockStyle = bar.m_dwDockStyle & CBRS_ALIGN_ANY;
    ASSERT_NE(dockStyle, 0u);
    bar.SendMessage(WM_COMMAND, ID_SZBAR_ALLOWDOCKING);
    pm::afxtest::pump();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(bar.m_dwDockStyle & CBRS_ALIGN_ANY, 0u);
    CMenu menu;
    menu.CreatePopupMenu();
    bar.SendMessage(WM_SZBAR_APPENDMENU, 0, reinterpret_cast<LPARAM>(menu.m_hMenu));
    EXPECT_EQ(menu.GetMenuState(ID_SZBAR_ALLOWDOCKING, MF_BYCOMMAND) & MF_CHECKED, 0u);

    // Neither a double click on its frame's caption nor a drag over a side docks it.
    CFrameWnd* mini = bar.GetParentFrame();
    mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    pm::afxtest::pump();
    EXPECT_TRUE(bar.IsFloating());
    DragBar(&bar, CPoint(20, 20), {CPoint(WindowRect(&bar).TopLeft()) + CPoint(60, 60), TopEdge()});
    EXPECT_TRUE(bar.IsFloating());

    bar.SendMessage(WM_COMMAND, ID_SZBAR_ALLOWDOCKING);
    EXPECT_EQ(bar.m_dwDockStyle & CBRS_ALIGN_ANY, dockStyle);
    bar.GetParentFrame()->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    pm::afxtest::pump();
    EXPECT_FALSE(bar.IsFloating());
}

TEST_F(SizeableBars, TheFocusInAPaneShowsOnItsCaption) {
    // A pane's caption point in window coordinates, and its colour there.
    auto captionColour = [](CDKSizeControlBar& bar) {
        CRect window;
        bar.GetWindowRect(&window);
        const CPoint p = bar.GetCaptionRect().TopLeft() - window.TopLeft() + CPoint(3, 3);
        HDC dc = ::GetWindowDC(bar.m_hWnd);
        const COLORREF colour = ::GetPixel(dc, p.x, p.y);
        ::ReleaseDC(bar.m_hWnd, dc);
        return colour;
    };
    CPaneBar& project = frame->m_wndProject; // a solid caption
    CPaneBar& info = frame->m_wndInformation;
    HWND inProject = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 30, 80, 20, project.m_hWnd,
                                     nullptr, nullptr, nullptr);
    HWND inInfo = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 30, 80, 20, info.m_hWnd, nullptr,
                                  nullptr, nullptr);
    ::SetFocus(inProject);
    pm::afxtest::runIdle();
    pm::afxtest::pump();
    EXPECT_TRUE(project.IsActive());
    EXPECT_FALSE(info.IsActive());
    EXPECT_EQ(captionColour(project), ::GetSysColor(COLOR_ACTIVECAPTION));

    ::SetFocus(inInfo);
    pm::afxtest::runIdle();
    pm::afxtest::pump();
    EXPECT_TRUE(info.IsActive());
    EXPECT_FALSE(project.IsActive());
    EXPECT_EQ(captionColour(project), ::GetSysColor(COLOR_INACTIVECAPTION));

    ::SetFocus(frame->m_hWnd);
    pm::afxtest::runIdle();
    EXPECT_FALSE(info.IsActive());
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
    // Docked, its frame has the caption strip at the left again, beyond the border.
    CRect client;
    bar.GetClientRect(&client);
    bar.ClientToScreen(&client);
    EXPECT_EQ(client.TopLeft() - before.TopLeft(), CSize(5 + 11 + 5, 5));
}

TEST_F(SizeableBars, SplitterBetweenPanesTradesLengthWithinLimits) {
    auto* left = static_cast<CDKSizeDockBar*>(Dock(AFX_IDW_DOCKBAR_LEFT));
    int between = -1;
    for (size_t i = 0; i < left->GetSplitters().size(); ++i)
        if (left->GetSplitters()[i].kind == CDKSizeDockBar::kindUpDown) between = static_cast<int>(i);
    ASSERT_GE(between, 0);
    const CRect splitter = left->GetSplitters()[between].rect;
    const int info = WindowRect(&frame->m_wndInformation).Height();
    const int project = WindowRect(&frame->m_wndProject).Height();
    const int total = info + project;

    // A drag of the strip 30 pixels down, scripted as the pointer does it; Esc first leaves it.
    const CPoint from = splitter.CenterPoint();
    left->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + 30));
    left->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    left->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    pm::afxtest::pump();
    EXPECT_EQ(WindowRect(&frame->m_wndInformation).Height(), info);
    left->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + 30));
    left->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x, from.y + 30));
    left->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    pm::afxtest::pump();
    EXPECT_EQ(WindowRect(&frame->m_wndInformation).Height(), info + 30);
    EXPECT_EQ(WindowRect(&frame->m_wndProject).Height(), project - 30);

    // Dragged far past the end: Project keeps a caption's length in its row, and the lengths add up.
    const CPoint now = left->GetSplitters()[between].rect.CenterPoint();
    left->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(now.x, now.y + 2000));
    left->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(now.x, now.y + 2000));
    left->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(now.x, now.y));
    pm::afxtest::pump();
    // (The row may leave a pixel of the floors free, which counts as room too.)
    EXPECT_NEAR(WindowRect(&frame->m_wndProject).Height(), dock::kCollapsedLength, 1);
    EXPECT_EQ(WindowRect(&frame->m_wndProject).left, WindowRect(&frame->m_wndInformation).left);
    EXPECT_EQ(WindowRect(&frame->m_wndInformation).Height() + WindowRect(&frame->m_wndProject).Height(),
              total);
}

TEST_F(SizeableBars, TheSplittersShowWhichWayTheyMove) {
    // Without cursors of its own the program gets the system's sizing cursors.
    struct Case {
        UINT dock;
        int kind;
        LPCSTR cursor;
    };
    for (const Case& c : {Case{AFX_IDW_DOCKBAR_LEFT, CDKSizeDockBar::kindUpDown, IDC_SIZENS},
                          Case{AFX_IDW_DOCKBAR_LEFT, CDKSizeDockBar::kindSideways, IDC_SIZEWE},
                          Case{AFX_IDW_DOCKBAR_BOTTOM, CDKSizeDockBar::kindUpDown, IDC_SIZENS}}) {
        auto* dock = static_cast<CDKSizeDockBar*>(Dock(c.dock));
        bool found = false;
        for (const CDKSizeDockBar::Splitter& s : dock->GetSplitters()) {
            if (s.kind != c.kind) continue;
            found = true;
            const CPoint p = s.rect.CenterPoint();
            dock->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
            EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, c.cursor)) << c.dock << " " << c.kind;
        }
        EXPECT_TRUE(found) << c.dock << " " << c.kind;
    }
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

TEST_F(SizeableBars, ACaptionButtonActsOnReleaseOverItselfAsAPushButtonDoes) {
    CPaneBar& info = frame->m_wndInformation;
    const CPoint close = info.GetCloseRect().CenterPoint(), expand = info.GetExpandRect().CenterPoint();
    const CPoint away = close + CPoint(0, 60);
    // Pressed on one button and released over the other: neither acts.
    PressRelease(info, close, {expand});
    EXPECT_TRUE(info.IsWindowVisible());
    EXPECT_FALSE(info.IsExpanded());
    PressRelease(info, expand, {close});
    EXPECT_TRUE(info.IsWindowVisible());
    EXPECT_FALSE(info.IsExpanded());
    // Pressed, moved off and back on before the release: the button shows pressed again and acts.
    const CPoint p = ClientPoint(&info, expand), off = ClientPoint(&info, away);
    info.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    info.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(off.x, off.y));
    EXPECT_EQ(info.GetPressed(), CDKSizeControlBar::pressedNone);
    info.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(info.GetPressed(), CDKSizeControlBar::pressedExpand);
    info.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    pm::afxtest::pump();
    EXPECT_TRUE(info.IsExpanded());
    PressRelease(info, info.GetCloseRect().CenterPoint(), {away, info.GetCloseRect().CenterPoint()});
    EXPECT_FALSE(info.IsWindowVisible());
}

TEST_F(SizeableBars, ALongCaptionAlongAStripEndsBeforeTheButtons) {
    // Docked at the bottom, the caption runs up the strip at the left; the area of the buttons (and
    // the gaps between them) looks the same with a title too long for the strip as with a short one.
    CPaneBar& output = frame->m_wndOutput;
    const CRect window = WindowRect(&output);
    const CRect caption = output.GetCaptionRect();
    const RECT buttons{caption.left - window.left, 0, caption.right - window.left, caption.top - window.top};
    auto buttonArea = [&](const char* title) {
        output.SetWindowText(title);
        output.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        pm::afxtest::pump();
        return pm::test::windowPicture(output.m_hWnd).copy(buttons);
    };
    const pm::test::Picture shortTitle = buttonArea("Out");
    const pm::test::Picture longTitle =
        buttonArea("Output of a build that runs very much longer than the strip");
    EXPECT_TRUE(longTitle == shortTitle);
}

namespace {

int g_deletedBars = 0;

// A sizeable bar that counts how often bars of its kind were deleted.
class CCountedBar : public CDKSizeControlBar {
public:
    explicit CCountedBar(DWORD dwBarStyle) : CDKSizeControlBar(dwBarStyle) {}
    ~CCountedBar() override { ++g_deletedBars; }
};

void MakeBar(CControlBar& bar, CFrameWnd* frame, UINT id) {
    auto* sizeable = dynamic_cast<CDKSizeControlBar*>(&bar);
    ASSERT_NE(sizeable, nullptr);
    ASSERT_TRUE(sizeable->Create(frame, "Bar", id, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 150, 100)));
    sizeable->EnableDocking(CBRS_ALIGN_ANY);
}

} // namespace

TEST_F(SizeableBars, TheSingleDocumentFrameDeletesItsAutoDeleteBarsAndNoOtherFramesBars) {
    g_deletedBars = 0;
    auto* single = new CDKFrameWndSizeDock;
    ASSERT_TRUE(single->Create(nullptr, "Single", WS_OVERLAPPEDWINDOW, CRect(50, 50, 450, 350)));
    EnableSizeDocking(single, CBRS_ALIGN_ANY);
    auto* own = new CCountedBar(SZBAR_AUTODELETE);
    MakeBar(*own, single, 0xE860);
    single->DockControlBar(own, AFX_IDW_DOCKBAR_LEFT);
    auto* other = new CCountedBar(SZBAR_AUTODELETE);
    MakeBar(*other, frame, 0xE861);
    frame->DockControlBar(other, AFX_IDW_DOCKBAR_RIGHT);
    single->DestroyWindow();
    pm::afxtest::pump();
    EXPECT_EQ(g_deletedBars, 1);
    EXPECT_TRUE(::IsWindow(other->m_hWnd)) << "the program's frame deletes its own when it goes";
}

TEST_F(SizeableBars, AFloatingFrameOfAnOrdinaryBarSizesAtItsSidesOrMovesByItsEdgesAsTheBarDoes) {
    for (DWORD sizing : {static_cast<DWORD>(CBRS_SIZE_DYNAMIC), static_cast<DWORD>(CBRS_SIZE_FIXED)}) {
        SCOPED_TRACE(sizing);
        const UINT buttons[] = {0x8101, 0x8102, 0x8103, 0x8104};
        CToolBar tools;
        ASSERT_TRUE(tools.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | sizing, 0xE863));
        ASSERT_TRUE(tools.SetButtons(buttons, 4));
        ASSERT_TRUE(tools.SetBitmap(pm::afxtest::makeButtonImages(4)));
        tools.EnableDocking(CBRS_ALIGN_ANY);
        frame->FloatControlBar(&tools, CPoint(300, 300));
        pm::afxtest::pump();
        auto* mini = dynamic_cast<CDKSizableMiniDockFrameWnd*>(tools.GetParentFrame());
        ASSERT_NE(mini, nullptr);
        // An ordinary bar never asks: the frame decided once the bar was in it.
        EXPECT_EQ(mini->GetKind(), CDKSizableMiniDockFrameWnd::kindOrdinary);
        const bool dynamic = sizing == CBRS_SIZE_DYNAMIC;
        EXPECT_EQ((mini->m_dwMiniStyle & MFS_4THICKFRAME) != 0, dynamic);
        EXPECT_EQ((mini->m_dwMiniStyle & MFS_MOVEFRAME) != 0, !dynamic);
        EXPECT_EQ((mini->GetStyle() & WS_THICKFRAME) != 0, dynamic) << "only a bar that sizes gets borders";

        const CRect before = WindowRect(mini);
        const CRect barBefore = WindowRect(&tools);
        const CPoint side(before.right - 1, before.CenterPoint().y),
            corner(before.right - 1, before.bottom - 1);
        auto hit = [&](CPoint p) { return mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); };
        if (dynamic) {
            EXPECT_EQ(hit(side), HTRIGHT);
            EXPECT_EQ(hit(corner), HTBOTTOM) << "sized at its four sides, not across a corner";
            // The right side dragged in by half: the bar wraps its buttons into more rows.
            pm::test::dragScreen(mini->m_hWnd, side, side - CSize(barBefore.Width() / 2, 0));
            pm::afxtest::pump();
            EXPECT_LT(WindowRect(&tools).Width(), barBefore.Width());
            EXPECT_GT(WindowRect(&tools).Height(), barBefore.Height());
        } else {
            EXPECT_EQ(hit(side), HTCAPTION);
            EXPECT_EQ(hit(corner), HTCAPTION);
            // Its edge drags the bar as its caption does: the frame moves, its size stays.
            pm::test::dragScreen(mini->m_hWnd, side, side + CSize(30, 30));
            pm::afxtest::pump();
            ASSERT_TRUE(tools.IsFloating());
            const CRect after = WindowRect(tools.GetParentFrame());
            EXPECT_EQ(after.Size(), before.Size());
            EXPECT_GT(after.left, before.left);
            EXPECT_GT(after.top, before.top);
            EXPECT_EQ(WindowRect(&tools).Size(), barBefore.Size());
        }
        tools.DestroyWindow();
        pm::afxtest::pump();
    }
}

TEST_F(SizeableBars, ClosingAFloatingFrameDeletesADeleteOnCloseBarButOnlyHidesTheBarsOfAMultiFrame) {
    g_deletedBars = 0;
    auto* doomed = new CCountedBar(SZBAR_DELETEONCLOSE);
    MakeBar(*doomed, frame, 0xE864);
    frame->FloatControlBar(doomed, CPoint(300, 300));
    doomed->SendMessage(WM_SZBAR_FLOATKIND);
    const HWND mini = doomed->GetParentFrame()->m_hWnd;
    ::SendMessage(mini, WM_CLOSE, 0, 0);
    pm::afxtest::pump();
    EXPECT_EQ(g_deletedBars, 1);
    EXPECT_FALSE(::IsWindow(mini));

    // Floating together, the bars are only hidden, whatever their own style.
    CCountedBar first(SZBAR_DELETEONCLOSE), second(0);
    MakeBar(first, frame, 0xE865);
    MakeBar(second, frame, 0xE866);
    first.EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    second.EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    frame->FloatControlBar(&first, CPoint(320, 320), CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
    first.SendMessage(WM_SZBAR_FLOATKIND);
    frame->DockControlBar(&second, static_cast<CDockBar*>(first.m_pDockBar));
    ASSERT_EQ(second.GetParentFrame(), first.GetParentFrame());
    const HWND multi = first.GetParentFrame()->m_hWnd;
    ::SendMessage(multi, WM_CLOSE, 0, 0);
    pm::afxtest::pump();
    EXPECT_EQ(g_deletedBars, 1);
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_FALSE(second.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(multi));
    ::DestroyWindow(multi);
    pm::afxtest::pump();
}

TEST_F(SizeableBars, AToolBarDockedAtASideShowsEveryButtonInAColumn) {
    const UINT buttons[] = {0x8101, 0x8102, ID_SEPARATOR, 0x8103, 0x8104, 0x8105};
    CDKCoolToolBar tools;
    ASSERT_TRUE(tools.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE870));
    ASSERT_TRUE(tools.SetButtons(buttons, 6));
    ASSERT_TRUE(tools.SetBitmap(pm::afxtest::makeButtonImages(5)));
    tools.EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(&tools, CPoint(400, 300));
    frame->RecalcLayout();
    CRect drop(CPoint(2, 300), tools.CalcDynamicLayout(0, LM_VERTDOCK));
    frame->DockControlBar(&tools, AFX_IDW_DOCKBAR_LEFT, &drop);
    frame->RecalcLayout();
    pm::afxtest::pump();
    CRect client;
    tools.GetClientRect(&client);
    EXPECT_GT(client.Height(), client.Width());
    CRect first, last;
    tools.GetItemRect(0, &first);
    tools.GetItemRect(5, &last);
    EXPECT_GT(last.top, first.top) << "the buttons are in a column";
    EXPECT_LE(last.right, client.right) << "the last button lies in the bar";
    EXPECT_LE(last.bottom, client.bottom);
    tools.DestroyWindow();
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

    // Alone in its row the button is inactive: a click on it is a click on the caption, which
    // moves nothing and leaves no capture.
    CPaneBar& output = frame->m_wndOutput;
    EXPECT_FALSE(output.IsExpandable());
    const CRect place = WindowRect(&output);
    const CPoint p = ClientPoint(&output, output.GetExpandRect().CenterPoint());
    output.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    output.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    pm::afxtest::pump();
    EXPECT_NE(::GetCapture(), output.m_hWnd);
    EXPECT_EQ(output.GetPressed(), CDKSizeControlBar::pressedNone);
    EXPECT_FALSE(output.IsExpanded());
    EXPECT_EQ(WindowRect(&output), place);
    // Pressed and moved, it drags the bar like its caption.
    DragBar(&output, p, {output.GetExpandRect().CenterPoint() + CPoint(0, -80), TopEdge()});
    EXPECT_EQ(output.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(SizeableBars, DropOnARowOfTwoShowsAThirdOfTheLength) {
    CPaneBar& bar = frame->m_wndOutput;
    const CRect info = WindowRect(&frame->m_wndInformation);
    const CPoint target(info.left + 10, info.top + 100);
    frame->m_strPicture = "docking_drag_outline";
    DragBar(&bar, CaptionPoint(bar), {bar.GetCaptionRect().CenterPoint() + CPoint(0, -60), target}, false, 0,
            frame);
    EXPECT_TRUE(frame->m_bPictureSaved);
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    const CDKDockContext* ctx = Context(bar);
    EXPECT_EQ(ctx->m_rectDrop.Height(), ctx->m_rectFullHeight.Height() / 3);
}

TEST_F(SizeableBars, FloatingFrameMenuAndSize) {
    CPaneBar& bar = frame->m_wndProject;
    CDKSizableMiniDockFrameWnd* mini = FloatByDoubleClick(bar);
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

TEST_F(SizeableBars, TheFloatingFrameSizesByItsBordersAndOffersItsSystemMenu) {
    CPaneBar& bar = frame->m_wndProject;
    CDKSizableMiniDockFrameWnd* mini = FloatByDoubleClick(bar);
    ASSERT_NE(mini, nullptr);
    ASSERT_EQ(mini->GetKind(), CDKSizableMiniDockFrameWnd::kindSizeBar);
    const CRect before = WindowRect(mini);
    const CPoint border(before.right - 2, before.CenterPoint().y);
    ASSERT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)), HTRIGHT);
    mini->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(mini->m_hWnd),
                      MAKELPARAM(HTRIGHT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE));

    // The right border dragged 60 pixels out: the frame follows, and the pane's floating size.
    const CSize floatBefore = bar.m_szFloat;
    pm::test::dragScreen(mini->m_hWnd, border, border + CPoint(60, 0));
    pm::afxtest::pump();
    EXPECT_EQ(WindowRect(mini).Width(), before.Width() + 60);
    EXPECT_EQ(WindowRect(mini).left, before.left);
    EXPECT_EQ(bar.m_szFloat.cx, floatBefore.cx + 60);
    EXPECT_EQ(bar.m_szFloat.cy, floatBefore.cy);

    // The system menu, chosen from the frame's corner: "&Hide" hides the pane.
    pm::test::pressKey(mini->m_hWnd, 'H');
    mini->SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(before.left + 4, before.top + 4));
    pm::afxtest::pump();
    EXPECT_FALSE(bar.IsWindowVisible());
}

TEST_F(SizeableBars, PanesOnThreeSidesAndOneFloatingPicture) {
    CPaneBar& project = frame->m_wndProject;
    DragBar(&project, CaptionPoint(project),
            {project.GetCaptionRect().CenterPoint() + CPoint(20, 0), TopEdge()});
    ASSERT_EQ(project.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    // Output to the right edge: the band across the frame's height meets the right dock bar.
    CPaneBar& output = frame->m_wndOutput;
    const CRect right = WindowRect(Dock(AFX_IDW_DOCKBAR_RIGHT));
    const CPoint caption = output.GetCaptionRect().CenterPoint();
    DragBar(&output, CaptionPoint(output),
            {caption + CPoint(0, -150), CPoint(right.left - 4, caption.y - 150)});
    ASSERT_EQ(output.m_pDockBar, Dock(AFX_IDW_DOCKBAR_RIGHT));
    // A document window docked and floated makes the fourth pane.
    auto* child = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive());
    ASSERT_TRUE(child->SetDocked(TRUE));
    pm::afxtest::pump();
    child->m_wndViewBar.m_pDockContext->ToggleDocking();
    pm::afxtest::pump();
    ASSERT_TRUE(child->m_wndViewBar.IsFloating());
    child->m_wndViewBar.GetParentFrame()->SetWindowPos(nullptr, 380, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pm::afxtest::pump();
    EXPECT_TRUE(SaveScreenPng(frame, "docking_three_sides_and_floating"));
}

TEST_F(SizeableBars, WorkspaceStateBringsBackTheWindowsSidesSizesAndFloatingPlace) {
    CPaneBar& info = frame->m_wndInformation;
    DragBar(&info, CaptionPoint(info), {info.GetCaptionRect().CenterPoint() + CPoint(30, 0), TopEdge()});
    ASSERT_EQ(info.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    CPaneBar& output = frame->m_wndOutput;
    DragBar(&output, CaptionPoint(output), {CPoint(WindowRect(frame).CenterPoint())}, true);
    ASSERT_TRUE(output.IsFloating());
    const CPoint floatingAt = WindowRect(output.GetParentFrame()).TopLeft();
    // Its floating frame resized by the user: a size other than the one it floated with.
    const CSize floatedWith = output.m_szFloat;
    const CSize floatingSize = WindowRect(output.GetParentFrame()).Size() + CSize(57, 43);
    output.GetParentFrame()->SetWindowPos(nullptr, 0, 0, floatingSize.cx, floatingSize.cy,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pm::afxtest::pump();
    ASSERT_NE(output.m_szFloat, floatedWith);
    // Information's row made thicker by its splitter.
    auto* top = static_cast<CDKSizeDockBar*>(Dock(AFX_IDW_DOCKBAR_TOP));
    ASSERT_FALSE(top->GetSplitters().empty());
    const int startThickness = WindowRect(&info).Height();
    top->MoveSplitter(static_cast<int>(top->GetSplitters().size()) - 1, 35);
    pm::afxtest::pump();
    const int thickness = WindowRect(&info).Height();
    ASSERT_EQ(thickness, startThickness + 35);

    // The document windows where the user left them.
    const std::multiset<std::vector<LONG>> windows = ChildPlaces(frame);
    ASSERT_EQ(windows.size(), 3u);

    CDKWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    EndProgram(app);

    CFixtureApp again;
    StartProgram(again, 0);
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
    ASSERT_TRUE(restored.ApplyState(1));
    pm::afxtest::pump();
    EXPECT_EQ(ChildPlaces(second), windows);
    EXPECT_EQ(second->m_wndInformation.m_pDockBar, second->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(WindowRect(&second->m_wndInformation).Height(), thickness);
    EXPECT_EQ(second->m_wndProject.m_pDockBar, second->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(second->m_wndOutput.IsFloating());
    EXPECT_EQ(WindowRect(second->m_wndOutput.GetParentFrame()).TopLeft(), floatingAt);
    EXPECT_EQ(WindowRect(second->m_wndOutput.GetParentFrame()).Size(), floatingSize);
    EndProgram(again);
}

TEST_F(SizeableBars, AWorkspaceStateBringsDocumentPanesBackAsDocumentWindows) {
    // One document docked, one floating as a pane, when the state is taken.
    auto* docked = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive());
    ASSERT_TRUE(docked->SetDocked(TRUE));
    auto* floating = static_cast<CDKMDIChildWndSizeDock*>(
        CWnd::FromHandlePermanent(::GetWindow(docked->m_hWnd, GW_HWNDNEXT)));
    ASSERT_TRUE(floating->SetDocked(TRUE));
    floating->m_wndViewBar.m_pDockContext->ToggleDocking();
    pm::afxtest::pump();
    ASSERT_TRUE(floating->m_wndViewBar.IsFloating());
    CDKWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());

    // Applied after the windows went back among the documents: no pane shows up empty.
    ASSERT_TRUE(docked->SetDocked(FALSE));
    ASSERT_TRUE(floating->SetDocked(FALSE));
    pm::afxtest::pump();
    ASSERT_TRUE(state.ApplyState(CDKWorkspaceState::kApplyWithoutChildren));
    pm::afxtest::pump();
    for (CDKMDIChildWndSizeDock* child : {docked, floating}) {
        EXPECT_FALSE(child->IsDocked());
        EXPECT_TRUE(child->IsWindowVisible());
        EXPECT_FALSE(child->m_wndViewBar.IsWindowVisible());
    }
    EXPECT_EQ(frame->m_wndInformation.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));

    // Applied in the program started again: the documents come back as windows, and no floating
    // frame is left empty.
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    EndProgram(app);
    CFixtureApp again;
    StartProgram(again, 0);
    CDKWorkspaceState restored;
    ASSERT_TRUE(restored.ReadFromBytes(bytes));
    ASSERT_TRUE(restored.ApplyState(1));
    pm::afxtest::pump();
    CFixtureFrame* second = again.Frame();
    int documents = 0;
    for (HWND h = ::GetWindow(second->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        documents += ::IsWindowVisible(h) ? 1 : 0;
    EXPECT_EQ(documents, 3);
    for (POSITION pos = second->m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(second->m_listControlBars.GetNext(pos));
        CFrameWnd* parent = bar->GetParentFrame();
        if (bar->IsDockBar() && parent != second && parent->IsWindowVisible()) {
            EXPECT_GT(static_cast<CDockBar*>(bar)->GetDockedVisibleCount(), 0) << "an empty floating frame";
        }
    }
    EndProgram(again);
}

TEST_F(SizeableBars, APaneFloatsAmongTheDocumentWindowsAndBack) {
    CPaneBar& bar = frame->m_wndOutput;
    // The pane's menu offers it (and, docked, docking and hiding).
    CMenu menu;
    menu.CreatePopupMenu();
    bar.SendMessage(WM_SZBAR_APPENDMENU, 0, reinterpret_cast<LPARAM>(menu.m_hMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(0), static_cast<UINT>(ID_SZBAR_MDIFLOAT));
    EXPECT_EQ(menu.GetMenuState(ID_SZBAR_ALLOWDOCKING, MF_BYCOMMAND) & MF_CHECKED,
              static_cast<UINT>(MF_CHECKED));

    bar.SendMessage(WM_COMMAND, ID_SZBAR_MDIFLOAT);
    pm::afxtest::pump();
    CDKMDIFloatWnd* floatWnd = bar.GetMDIFloatWnd();
    ASSERT_NE(floatWnd, nullptr);
    EXPECT_EQ(floatWnd->GetParent()->m_hWnd, frame->m_hWndMDIClient);
    EXPECT_TRUE(floatWnd->IsWindowVisible());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_TRUE(SaveScreenPng(frame, "docking_pane_in_mdi_window"));

    CMenu inMDI;
    inMDI.CreatePopupMenu();
    bar.SendMessage(WM_SZBAR_APPENDMENU, 0, reinterpret_cast<LPARAM>(inMDI.m_hMenu));
    ASSERT_EQ(inMDI.GetMenuItemCount(), 2u); // no docking item among the document windows
    EXPECT_EQ(inMDI.GetMenuState(ID_SZBAR_MDIFLOAT, MF_BYCOMMAND) & MF_CHECKED,
              static_cast<UINT>(MF_CHECKED));

    // Among the document windows the pane is not dragged.
    const CRect before = WindowRect(floatWnd);
    DragBar(&bar, CPoint(20, 20), {CPoint(before.left + 200, before.top + 100)});
    EXPECT_EQ(bar.GetMDIFloatWnd(), floatWnd);

    const HWND floatHwnd = floatWnd->m_hWnd;
    bar.SendMessage(WM_COMMAND, ID_SZBAR_MDIFLOAT);
    pm::afxtest::pump();
    EXPECT_EQ(bar.GetMDIFloatWnd(), nullptr);
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_NE(dynamic_cast<CDKSizableMiniDockFrameWnd*>(bar.GetParentFrame()), nullptr);
    EXPECT_FALSE(::IsWindow(floatHwnd));
}

TEST_F(SizeableBars, APaneClosedInItsDocumentWindowComesBackThereByTheViewCommand) {
    CPaneBar& bar = frame->m_wndOutput;
    bar.SendMessage(WM_COMMAND, ID_SZBAR_MDIFLOAT);
    pm::afxtest::pump();
    CDKMDIFloatWnd* floatWnd = bar.GetMDIFloatWnd();
    ASSERT_NE(floatWnd, nullptr);
    const CRect place = WindowRect(floatWnd);
    floatWnd->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(floatWnd->IsWindowVisible());
    EXPECT_NE(frame->MDIGetActive(), floatWnd);

    frame->SendMessage(WM_COMMAND, ID_PANE_OUTPUT, 0);
    pm::afxtest::pump();
    EXPECT_TRUE(bar.IsWindowVisible());
    ASSERT_EQ(bar.GetMDIFloatWnd(), floatWnd);
    EXPECT_TRUE(floatWnd->IsWindowVisible());
    EXPECT_EQ(WindowRect(floatWnd), place);
}

TEST_F(SizeableBars, APaneShownAgainTakesBackItsShareOfTheRow) {
    CPaneBar& info = frame->m_wndInformation;
    CPaneBar& project = frame->m_wndProject;
    auto* left = static_cast<CDKSizeDockBar*>(Dock(AFX_IDW_DOCKBAR_LEFT));
    int between = -1;
    for (size_t i = 0; i < left->GetSplitters().size(); ++i)
        if (left->GetSplitters()[i].kind == CDKSizeDockBar::kindUpDown) between = static_cast<int>(i);
    ASSERT_GE(between, 0);
    left->MoveSplitter(between, -60); // Project the longer of the two
    pm::afxtest::pump();
    const int infoBefore = WindowRect(&info).Height(), projectBefore = WindowRect(&project).Height();
    ASSERT_LT(infoBefore, projectBefore);

    frame->SendMessage(WM_COMMAND, ID_PANE_PROJECT, 0); // hidden: Information takes the row
    pm::afxtest::pump();
    ASSERT_FALSE(project.IsWindowVisible());
    EXPECT_GT(WindowRect(&info).Height(), infoBefore + projectBefore - 10);

    frame->SendMessage(WM_COMMAND, ID_PANE_PROJECT, 0);
    pm::afxtest::pump();
    ASSERT_TRUE(project.IsWindowVisible());
    EXPECT_NEAR(WindowRect(&info).Height(), infoBefore, 2);
    EXPECT_NEAR(WindowRect(&project).Height(), projectBefore, 2);
}
