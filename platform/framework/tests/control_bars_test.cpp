// Control bars in a frame: the layout on each side, dragging and docking by input, Ctrl and Esc
// during a drag, toggling by double click, resizing a floating bar, the saved layout, idle updates,
// and the tool bar's layout algorithms on their own.

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Rectangles in failure messages.
void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
void PrintTo(const CSize& s, std::ostream* os) {
    *os << s.cx << "x" << s.cy;
}

namespace {

const UINT ID_BOLD = 0x8201, ID_ITALIC = 0x8202, ID_CUT = 0x8203, ID_COPY = 0x8204, ID_PASTE = 0x8205,
           ID_FIND = 0x8206, ID_UNDO = 0x8207, ID_REDO = 0x8208, ID_LEFT = 0x8209, ID_RIGHT = 0x820A,
           ID_CENTRE = 0x820B;
const UINT ID_INDICATOR_MODE = 0x8210;
const UINT IDW_EDIT_BAR = AFX_IDW_CONTROLBAR_FIRST + 32;

const UINT kToolButtons[] = {ID_BOLD,  ID_ITALIC,    ID_SEPARATOR, ID_CUT,  ID_COPY,
                             ID_PASTE, ID_SEPARATOR, ID_FIND,      ID_UNDO, ID_REDO};
const UINT kEditButtons[] = {ID_LEFT, ID_CENTRE, ID_RIGHT};
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_MODE};

class CBarsFrame : public CFrameWnd {
public:
    CToolBar m_wndTools;
    CToolBar m_wndEdit;
    CStatusBar m_wndStatus;
    CWnd m_wndView;
    BOOL m_bItalicEnabled = FALSE;
    BOOL m_bBoldChecked = TRUE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
        if (!m_wndView.CreateEx(WS_EX_CLIENTEDGE, AFX_WND, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                                this, AFX_IDW_PANE_FIRST))
            return -1;
        DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
        if (!m_wndTools.Create(this, style | CBRS_SIZE_DYNAMIC, AFX_IDW_TOOLBAR) ||
            !m_wndTools.SetButtons(kToolButtons, 10) ||
            !m_wndTools.SetBitmap(pm::afxtest::makeButtonImages(8)))
            return -1;
        m_wndTools.SetWindowText("Standard");
        if (!m_wndEdit.Create(this, style | CBRS_SIZE_FIXED, IDW_EDIT_BAR) ||
            !m_wndEdit.SetButtons(kEditButtons, 3) || !m_wndEdit.SetBitmap(pm::afxtest::makeButtonImages(3)))
            return -1;
        m_wndEdit.SetWindowText("Alignment");
        if (!m_wndStatus.Create(this) || !m_wndStatus.SetIndicators(kIndicators, 2)) return -1;
        m_wndTools.EnableDocking(CBRS_ALIGN_ANY);
        m_wndEdit.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndTools);
        DockControlBar(&m_wndEdit);
        return 0;
    }
    afx_msg void OnCommandStub(UINT) {}
    afx_msg void OnUpdateItalic(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bItalicEnabled); }
    afx_msg void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bBoldChecked); }
    afx_msg void OnUpdateMode(CCmdUI* pCmdUI) { pCmdUI->SetText("INS"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarsFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_BOLD, ID_CENTRE, OnCommandStub)
    ON_UPDATE_COMMAND_UI(ID_ITALIC, OnUpdateItalic)
    ON_UPDATE_COMMAND_UI(ID_BOLD, OnUpdateBold)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
    ON_COMMAND_EX(IDW_EDIT_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(IDW_EDIT_BAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

class CBarsApp : public CWinApp {
public:
    CBarsApp() : CWinApp("BarsTest") {}
};

CRect screenRect(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

class ControlBars : public ::testing::Test {
protected:
    void SetUp() override {
        pm::res::addString(ID_INDICATOR_MODE, "OVR");
        pm::res::addString(ID_CUT, "Cut the selection\nCut");
        app = std::make_unique<CBarsApp>();
        app->SetRegistryKey("Framework Tests");
        ASSERT_TRUE(app->InitApplication());
        createFrame();
    }
    void TearDown() override {
        if (::IsWindow(main)) ::DestroyWindow(main);
        pm::afxtest::pump();
        app.reset();
    }
    void createFrame() {
        pm::afx::registerStandardClasses();
        frame = new CBarsFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW, CRect(100, 100, 700, 500)));
        main = frame->m_hWnd;
        app->m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        pm::afxtest::pump();
    }
    void recreateFrame() {
        ::DestroyWindow(main);
        pm::afxtest::pump();
        createFrame();
    }
    CRect clientRectOf(const CWnd& wnd) const {
        CRect rect = screenRect(wnd);
        frame->ScreenToClient(&rect);
        return rect;
    }
    // A point on a docked bar's gripper, in screen coordinates.
    CPoint gripper(const CControlBar& bar) const {
        CRect rect = screenRect(bar);
        if (bar.GetBarStyle() & CBRS_ORIENT_HORZ) return CPoint(rect.left + 11, rect.top + rect.Height() / 2);
        return CPoint(rect.left + rect.Width() / 2, rect.top + 11);
    }
    CPoint frameClientToScreen(CPoint pt) const {
        frame->ClientToScreen(&pt);
        return pt;
    }
    void drag(CPoint from, CPoint to) {
        pm::test::dragScreen(main, from, to, 6);
        pm::afxtest::pump();
    }
    UINT dockSide(const CControlBar& bar) const {
        return bar.m_pDockBar ? bar.m_pDockBar->GetDlgCtrlID() : 0;
    }

    std::unique_ptr<CBarsApp> app;
    CBarsFrame* frame = nullptr;
    HWND main = nullptr;
};

} // namespace

TEST_F(ControlBars, EachDockSideLaysOutAroundTheView) {
    struct Case {
        UINT side;
        bool horizontal;
    };
    for (Case c : {Case{AFX_IDW_DOCKBAR_TOP, true}, Case{AFX_IDW_DOCKBAR_BOTTOM, true},
                   Case{AFX_IDW_DOCKBAR_LEFT, false}, Case{AFX_IDW_DOCKBAR_RIGHT, false}}) {
        SCOPED_TRACE(c.side);
        frame->DockControlBar(&frame->m_wndTools, c.side);
        frame->RecalcLayout();
        pm::afxtest::pump();
        CRect client;
        frame->GetClientRect(&client);
        // A docked bar reaches past its dock bar's edges by their borders; what shows is inside it.
        CRect tools;
        tools.IntersectRect(clientRectOf(frame->m_wndTools), clientRectOf(*frame->m_wndTools.m_pDockBar));
        CRect view = clientRectOf(frame->m_wndView);
        CRect status = clientRectOf(frame->m_wndStatus);
        CRect edit = clientRectOf(frame->m_wndEdit);
        EXPECT_EQ(dockSide(frame->m_wndTools), c.side);
        EXPECT_EQ(tools.Width() > tools.Height(), c.horizontal);
        // The status bar takes the bottom edge, full width; the edit bar stays on top.
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(status.Width(), client.Width());
        EXPECT_LE(edit.bottom, view.top);
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(&tools, &view)) << "the bar covers the view";
        switch (c.side) {
        case AFX_IDW_DOCKBAR_TOP:
            EXPECT_LE(tools.bottom, view.top);
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            EXPECT_GE(tools.top, view.bottom);
            EXPECT_LE(tools.bottom, status.top);
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            EXPECT_LE(tools.right, view.left);
            break;
        default:
            EXPECT_GE(tools.left, view.right);
            EXPECT_LE(tools.right, client.right);
        }
        EXPECT_GT(view.Width(), 200);
        EXPECT_GT(view.Height(), 150);
    }
}

TEST_F(ControlBars, ABarWithoutRoomLeftInItsRowStartsTheNextRowAtItsStart) {
    // Both bars in one row along the top, the second after the first.
    auto* top = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    CRect tools = screenRect(frame->m_wndTools);
    CRect after(tools.right, tools.top, tools.right + 60, tools.bottom);
    frame->DockControlBar(&frame->m_wndEdit, AFX_IDW_DOCKBAR_TOP, &after);
    frame->RecalcLayout();
    pm::afxtest::pump();
    ASSERT_EQ(clientRectOf(frame->m_wndEdit).top, clientRectOf(frame->m_wndTools).top);

    // The frame made narrower than the first bar: the second has no room left and starts a row of
    // its own, at that row's start; the rows hold each bar once, in order.
    CRect window = screenRect(*frame), client;
    frame->GetClientRect(&client);
    frame->SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + tools.Width() - 10, window.Height(),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pm::afxtest::pump();
    const CRect first = clientRectOf(frame->m_wndTools), second = clientRectOf(frame->m_wndEdit);
    EXPECT_EQ(second.left, first.left);
    EXPECT_EQ(second.top, first.bottom - afxData.cyBorder2);
    std::vector<CControlBar*> rows;
    for (int i = 0; i < top->m_arrBars.GetSize(); ++i)
        rows.push_back(top->GetDockedControlBar(i));
    EXPECT_EQ(rows,
              (std::vector<CControlBar*>{nullptr, &frame->m_wndTools, nullptr, &frame->m_wndEdit, nullptr}));
}

namespace {

// What the desktop shows in the middle of a drag: the test looks while the drag loop waits for
// the release, then releases the button.
struct MidDrag {
    HWND main = nullptr;
    CPoint release;
    CControlBar* bar = nullptr;
    CRect outline;
    int outlinePixels = 0;
};
MidDrag* midDrag = nullptr;

void CALLBACK lookMidDrag(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    midDrag->outline = midDrag->bar->m_pDockContext->m_rectLast;
    midDrag->outlinePixels = pm::afxtest::overlayPixelsIn(midDrag->outline);
    pm::afxtest::saveScreenPng("control_bars_drag_outline");
    pm::test::releaseMouse(midDrag->main, midDrag->release);
}

} // namespace

TEST_F(ControlBars, DraggedFromTheTopToTheLeftItDocksThere) {
    CRect before = clientRectOf(frame->m_wndTools);
    CPoint grip = gripper(frame->m_wndTools);
    frame->ScreenToClient(&grip);
    MidDrag look;
    look.main = main;
    look.release = CPoint(4, 200);
    look.bar = &frame->m_wndTools;
    midDrag = &look;
    pm::test::pressMouse(main, grip);
    pm::test::moveMouse(main, CPoint(60, 120));
    pm::test::moveMouse(main, look.release);
    ::SetTimer(nullptr, 0, 10, lookMidDrag);
    pm::afxtest::pump();
    midDrag = nullptr;
    // During the drag: a thin outline of the bar turned upright, at the left edge.
    EXPECT_GT(look.outline.Height(), look.outline.Width());
    EXPECT_TRUE(look.outline.PtInRect(frameClientToScreen(look.release)));
    EXPECT_GT(look.outlinePixels, 2 * look.outline.Height());
    EXPECT_EQ(dockSide(frame->m_wndTools), AFX_IDW_DOCKBAR_LEFT);
    CRect after = clientRectOf(frame->m_wndTools);
    EXPECT_GT(after.Height(), after.Width());
    EXPECT_NE(after, before);
    EXPECT_LE(after.right, clientRectOf(frame->m_wndView).left);
    // The loop is over: no capture and no outline left on the desktop.
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(frame->m_wndTools.m_pDockContext->m_rectLast.IsRectEmpty());
    EXPECT_EQ(pm::afxtest::overlayPixelsIn(CRect(0, 0, 2000, 2000)), 0);
}

TEST_F(ControlBars, CtrlHeldDuringTheDragFloatsTheBar) {
    CPoint from = gripper(frame->m_wndTools);
    CPoint to = frameClientToScreen(CPoint(4, 200));
    CPoint grip = from;
    frame->ScreenToClient(&grip);
    CPoint target = to;
    frame->ScreenToClient(&target);
    pm::afxtest::holdKey(main, VK_CONTROL, true);
    pm::test::pressMouse(main, grip);
    pm::test::moveMouse(main, target);
    pm::test::releaseMouse(main, target);
    pm::afxtest::pump();
    pm::afxtest::holdKey(main, VK_CONTROL, false);
    EXPECT_TRUE(frame->m_wndTools.IsFloating());
    CFrameWnd* floating = frame->m_wndTools.GetParentFrame();
    ASSERT_NE(floating, frame);
    EXPECT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(floating->IsWindowVisible());
    // The mini frame is where the outline was: around the drop point.
    CRect rect = screenRect(*floating);
    rect.InflateRect(30, 30);
    EXPECT_TRUE(rect.PtInRect(to));
}

TEST_F(ControlBars, EscDuringTheDragLeavesEverythingWhereItWas) {
    CRect tools = screenRect(frame->m_wndTools), edit = screenRect(frame->m_wndEdit);
    CRect view = screenRect(frame->m_wndView);
    CPoint grip = gripper(frame->m_wndTools);
    frame->ScreenToClient(&grip);
    pm::test::pressMouse(main, grip);
    pm::test::moveMouse(main, CPoint(4, 150));
    pm::test::moveMouse(main, CPoint(4, 200));
    pm::test::pressKey(main, VK_ESCAPE);
    pm::test::releaseMouse(main, CPoint(4, 200));
    pm::afxtest::pump();
    EXPECT_EQ(dockSide(frame->m_wndTools), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(screenRect(frame->m_wndTools), tools);
    EXPECT_EQ(screenRect(frame->m_wndEdit), edit);
    EXPECT_EQ(screenRect(frame->m_wndView), view);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pm::afxtest::overlayPixelsIn(CRect(0, 0, 2000, 2000)), 0);
}

TEST_F(ControlBars, DoubleClicksFloatTheBarAndDockItBackInTheSamePlace) {
    CRect docked = screenRect(frame->m_wndTools);
    CPoint grip = gripper(frame->m_wndTools);
    frame->ScreenToClient(&grip);
    pm::test::doubleClick(main, grip);
    pm::afxtest::pump();
    ASSERT_TRUE(frame->m_wndTools.IsFloating());
    CFrameWnd* floating = frame->m_wndTools.GetParentFrame();
    HWND mini = floating->m_hWnd;
    // The caption of the mini frame: a double click there docks the bar again.
    CRect window = screenRect(*floating);
    CRect client;
    floating->GetClientRect(&client);
    floating->ClientToScreen(&client);
    CPoint caption(window.left + window.Width() / 2, (window.top + client.top) / 2);
    HWND top = ::GetAncestor(mini, GA_ROOT);
    CPoint captionClient = caption;
    ::ScreenToClient(top, &captionClient);
    pm::test::doubleClick(top, captionClient);
    pm::afxtest::pump();
    EXPECT_FALSE(frame->m_wndTools.IsFloating());
    EXPECT_EQ(dockSide(frame->m_wndTools), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(screenRect(frame->m_wndTools), docked);
    EXPECT_FALSE(::IsWindow(mini)) << "the emptied mini frame goes away";
}

TEST_F(ControlBars, AFloatingDynamicBarResizedWrapsItsButtons) {
    frame->FloatControlBar(&frame->m_wndTools, frameClientToScreen(CPoint(150, 150)));
    pm::afxtest::pump();
    CFrameWnd* floating = frame->m_wndTools.GetParentFrame();
    ASSERT_NE(floating, frame);
    CRect wide = screenRect(frame->m_wndTools);
    CRect outer = screenRect(*floating);
    CPoint border(outer.right - 2, outer.top + outer.Height() / 2);
    pm::test::dragScreen(floating->m_hWnd, border, CPoint(border.x - wide.Width() / 2, border.y), 5);
    pm::afxtest::pump();
    CRect narrow = screenRect(frame->m_wndTools);
    EXPECT_LT(narrow.Width(), wide.Width());
    EXPECT_GT(narrow.Height(), wide.Height());
    int wrapped = 0;
    for (int i = 0; i < 10; ++i)
        if (frame->m_wndTools.GetButtonStyle(i) & TBBS_WRAPPED) ++wrapped;
    EXPECT_GT(wrapped, 0);
    // The buttons lie inside the bar as the control placed them.
    CRect last;
    frame->m_wndTools.GetItemRect(9, &last);
    CRect inside;
    frame->m_wndTools.GetClientRect(&inside);
    EXPECT_LE(last.bottom, inside.bottom);
    EXPECT_LE(last.right, inside.right);
    pm::afxtest::saveScreenPng("control_bars_docked_and_floating");
}

TEST_F(ControlBars, TheSavedLayoutComesBackWhenTheFrameIsCreatedAgain) {
    frame->DockControlBar(&frame->m_wndTools, AFX_IDW_DOCKBAR_LEFT);
    frame->FloatControlBar(&frame->m_wndEdit, frameClientToScreen(CPoint(300, 120)), CBRS_ALIGN_LEFT);
    frame->RecalcLayout();
    pm::afxtest::pump();
    CRect tools = screenRect(frame->m_wndTools), edit = screenRect(frame->m_wndEdit);
    CRect editFrame = screenRect(*frame->m_wndEdit.GetParentFrame());
    CRect view = screenRect(frame->m_wndView);
    frame->SaveBarState("Layout");

    recreateFrame();
    ASSERT_EQ(dockSide(frame->m_wndTools), AFX_IDW_DOCKBAR_TOP);
    frame->LoadBarState("Layout");
    pm::afxtest::pump();
    EXPECT_EQ(dockSide(frame->m_wndTools), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(frame->m_wndEdit.IsFloating());
    EXPECT_EQ(screenRect(frame->m_wndTools), tools);
    EXPECT_EQ(screenRect(frame->m_wndEdit), edit);
    EXPECT_EQ(screenRect(*frame->m_wndEdit.GetParentFrame()), editFrame);
    EXPECT_EQ(screenRect(frame->m_wndView), view);
}

TEST_F(ControlBars, AFloatingBarSavedOffTheScreenComesBackOnIt) {
    frame->FloatControlBar(&frame->m_wndEdit, frameClientToScreen(CPoint(300, 120)), CBRS_ALIGN_LEFT);
    pm::afxtest::pump();
    CDockState state;
    frame->GetDockState(state);
    const int right = ::GetSystemMetrics(SM_CXSCREEN) - ::GetSystemMetrics(SM_CXICON);
    const int bottom = ::GetSystemMetrics(SM_CYSCREEN) - ::GetSystemMetrics(SM_CYICON);
    struct Case {
        CPoint saved, shown;
    };
    const Case cases[] = {{CPoint(5000, 4000), CPoint(right, bottom)},
                          {CPoint(-3000, -20), CPoint(0, 0)},
                          {CPoint(right - 5, 7), CPoint(right - 5, 7)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved.x);
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
            if (state.m_arrBarInfo[i]->m_bDockBar && state.m_arrBarInfo[i]->m_bFloating)
                state.m_arrBarInfo[i]->m_pointPos = c.saved;
        recreateFrame();
        frame->SetDockState(state);
        pm::afxtest::pump();
        ASSERT_TRUE(frame->m_wndEdit.IsFloating());
        EXPECT_EQ(screenRect(*frame->m_wndEdit.GetParentFrame()).TopLeft(), c.shown);
    }
}

TEST_F(ControlBars, ADamagedSavedLayoutIsIgnored) {
    CDockState good;
    frame->GetDockState(good);
    std::vector<BYTE> bytes = good.ToBytes();
    ASSERT_GT(bytes.size(), 40u);
    auto withCount = [&](int32_t count) {
        std::vector<BYTE> b = bytes;
        for (int i = 0; i < 4; ++i)
            b[4 + i] = static_cast<BYTE>(static_cast<uint32_t>(count) >> (8 * i));
        return b;
    };
    std::vector<BYTE> foreign = bytes;
    foreign[0] = 'X';
    std::vector<BYTE> flag = bytes;
    flag[4 + 4 + 4] = 7; // the first bar's visible flag
    struct Case {
        const char* name;
        std::vector<BYTE> data;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"foreign tag", foreign},
        {"truncated", std::vector<BYTE>(bytes.begin(), bytes.end() - 3)},
        {"half", std::vector<BYTE>(bytes.begin(), bytes.begin() + bytes.size() / 2)},
        {"huge count", withCount(0x7FFFFFFF)},
        {"negative count", withCount(-1)},
        {"a bar too many", withCount(static_cast<int32_t>(good.m_arrBarInfo.GetSize() + 1))},
        {"trailing bytes",
         [&] {
             auto b = bytes;
             b.push_back(0);
             return b;
         }()},
        {"bad flag", flag}};
    CDockState state;
    EXPECT_TRUE(state.FromBytes(bytes.data(), bytes.size()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(state.FromBytes(c.data.data(), c.data.size()));
        EXPECT_EQ(state.m_arrBarInfo.GetSize(), 0);
    }
    // Through the profile: the frame keeps the layout it has.
    CRect tools = screenRect(frame->m_wndTools), edit = screenRect(frame->m_wndEdit);
    app->WriteProfileBinary("Damaged", "DockState", withCount(1000).data(), static_cast<UINT>(bytes.size()));
    frame->LoadBarState("Damaged");
    pm::afxtest::pump();
    EXPECT_EQ(screenRect(frame->m_wndTools), tools);
    EXPECT_EQ(screenRect(frame->m_wndEdit), edit);
}

TEST_F(ControlBars, IdleUpdatesReachButtonsAndPanesAndTheIdlePromptShows) {
    pm::afxtest::runIdle();
    CToolBar& tools = frame->m_wndTools;
    EXPECT_TRUE(tools.GetButtonStyle(tools.CommandToIndex(ID_ITALIC)) & TBBS_DISABLED);
    EXPECT_TRUE(tools.GetButtonStyle(tools.CommandToIndex(ID_BOLD)) & TBBS_CHECKED);
    EXPECT_FALSE(tools.GetButtonStyle(tools.CommandToIndex(ID_CUT)) & TBBS_DISABLED);
    frame->m_bItalicEnabled = TRUE;
    frame->m_bBoldChecked = FALSE;
    pm::afxtest::runIdle();
    EXPECT_FALSE(tools.GetButtonStyle(tools.CommandToIndex(ID_ITALIC)) & TBBS_DISABLED);
    EXPECT_FALSE(tools.GetButtonStyle(tools.CommandToIndex(ID_BOLD)) & TBBS_CHECKED);
    EXPECT_EQ(frame->m_wndStatus.GetPaneText(1), CString("INS"));
    EXPECT_EQ(frame->m_wndStatus.GetPaneText(0), CString("Ready"));
    frame->SetMessageText(ID_CUT);
    EXPECT_EQ(frame->m_wndStatus.GetPaneText(0), CString("Cut the selection"));
}

TEST_F(ControlBars, HidingABarGivesTheViewItsRoomAndADelayedShowWaitsForTheLayout) {
    CRect view = clientRectOf(frame->m_wndView);
    frame->ShowControlBar(&frame->m_wndEdit, FALSE, FALSE);
    EXPECT_LT(clientRectOf(frame->m_wndView).top, view.top);
    frame->ShowControlBar(&frame->m_wndEdit, TRUE, TRUE); // delayed: shown at the next layout
    EXPECT_TRUE(frame->m_wndEdit.IsVisible());
    EXPECT_FALSE(frame->m_wndEdit.IsWindowVisible());
    pm::afxtest::pump();
    EXPECT_TRUE(frame->m_wndEdit.IsWindowVisible());
    EXPECT_EQ(clientRectOf(frame->m_wndView), view);
}

// ---- The tool bar's layout algorithms, on arrays of buttons ----

namespace {

TBBUTTON button(int id, BYTE style = TBSTYLE_BUTTON) {
    TBBUTTON b{};
    b.idCommand = id;
    b.fsStyle = style;
    b.iBitmap = style & TBSTYLE_SEP ? 8 : 0;
    return b;
}

std::string wraps(const std::vector<TBBUTTON>& buttons) {
    std::string s;
    for (const TBBUTTON& b : buttons) {
        s += (b.fsStyle & TBSTYLE_SEP) ? '|' : (b.fsStyle & TBSTYLE_DROPDOWN) ? 'D' : 'B';
        if (b.fsState & TBSTATE_WRAP) s += '/';
    }
    return s;
}

class LayoutBar : public CToolBar {
public:
    using CToolBar::CalcSize;
};

} // namespace

TEST(ToolBarLayout, WrapsAndSizesRowsOfButtons) {
    const BYTE B = TBSTYLE_BUTTON, S = TBSTYLE_SEP, D = TBSTYLE_DROPDOWN;
    struct Case {
        const char* name;
        std::vector<BYTE> kinds;
        enum { Wrap, Size, SizeVert } how;
        int length;
        const char* wrapped;
        CSize size;
    };
    std::vector<Case> cases = {
        {"one row", {B, B, S, B, B, S, B}, Case::Wrap, 32767, "BB|BB|B", CSize(131, 22)},
        {"wrapped at separators", {B, B, S, B, B, S, B}, Case::Wrap, 60, "BB|/BB|/B", CSize(46, 66)},
        {"no separator: before the button", {B, B, B, B}, Case::Wrap, 50, "BB/BB", CSize(46, 44)},
        {"narrower than a button", {B, B, S, B, B, S, B}, Case::Wrap, 0, "B/B|/B/B|/B", CSize(23, 110)},
        {"drop-down button is wider", {B, D, B}, Case::Wrap, 32767, "BDB", CSize(83, 22)},
        {"drop-down wraps as its width", {B, D, B}, Case::Wrap, 70, "BD/B", CSize(60, 44)},
        {"sized to two rows keeps them narrow",
         {B, B, B, B, B, B},
         Case::Size,
         100,
         "BBB/BBB",
         CSize(69, 44)},
        {"sized to a height", {B, B, B, B, B, B}, Case::SizeVert, 66, "BB/BB/BB", CSize(46, 66)},
        {"sized vertically for docking on a side", {B, B, S, B}, Case::Size, 0, "B/B|/B", CSize(23, 66)},
    };
    LayoutBar bar;
    bar.m_sizeButton = CSize(23, 22);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TBBUTTON> buttons;
        int id = 1;
        for (BYTE kind : c.kinds)
            buttons.push_back(button(kind & TBSTYLE_SEP ? 0 : id++, kind));
        int count = static_cast<int>(buttons.size());
        if (c.how == Case::Wrap)
            bar.WrapToolBar(buttons.data(), count, c.length);
        else
            bar.SizeToolBar(buttons.data(), count, c.length, c.how == Case::SizeVert);
        EXPECT_EQ(wraps(buttons), c.wrapped);
        EXPECT_EQ(bar.CalcSize(buttons.data(), count), c.size);
    }
}

TEST(ToolBarLayout, HiddenButtonsTakeNoRoomAndSeparatorsWithIdsAreNotWrapPoints) {
    LayoutBar bar;
    bar.m_sizeButton = CSize(23, 22);
    std::vector<TBBUTTON> buttons = {button(1), button(2), button(3, TBSTYLE_SEP), button(4), button(5)};
    buttons[1].fsState |= TBSTATE_HIDDEN;
    buttons[2].iBitmap = 40; // a separator holding a control (it has an id)
    EXPECT_EQ(bar.CalcSize(buttons.data(), 5), CSize(23 + 40 + 46, 22));
    EXPECT_EQ(bar.WrapToolBar(buttons.data(), 5, 80), 3);
    EXPECT_EQ(wraps(buttons), "B/B|B/B");
}

TEST_F(ControlBars, ARealBarsLayoutsFixedDockedAndWrappedToALength) {
    CToolBar& tools = frame->m_wndTools;
    CRect inside;
    inside.SetRectEmpty();
    tools.CalcInsideRect(inside, TRUE);
    int buttons = 8 * tools.m_sizeButton.cx + 2 * 8;
    // Docked along the top: one row as long as the buttons, or stretched over the frame.
    CSize fixed = tools.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(fixed, CSize(buttons - inside.Width(), tools.m_sizeButton.cy - inside.Height()));
    EXPECT_EQ(tools.CalcFixedLayout(TRUE, TRUE).cx, 32767);
    // Docked on a side: one button per row, the separators ending rows.
    CRect insideVert;
    insideVert.SetRectEmpty();
    tools.CalcInsideRect(insideVert, FALSE);
    CSize vertical = tools.CalcDynamicLayout(-1, LM_VERTDOCK);
    EXPECT_EQ(vertical, CSize(tools.m_sizeButton.cx - insideVert.Width(),
                              8 * tools.m_sizeButton.cy - insideVert.Height()));
    // Floating, sized to three buttons across: three rows wrapped at the separators, in the control.
    frame->FloatControlBar(&tools, frameClientToScreen(CPoint(200, 200)));
    pm::afxtest::pump();
    CRect floatingInside;
    floatingInside.SetRectEmpty();
    tools.CalcInsideRect(floatingInside, TRUE);
    CSize wrapped =
        tools.CalcDynamicLayout(3 * tools.m_sizeButton.cx - floatingInside.Width(), LM_HORZ | LM_COMMIT);
    int rows = 1;
    for (int i = 0; i < 10; ++i)
        if (tools.GetButtonStyle(i) & TBBS_WRAPPED) ++rows;
    EXPECT_EQ(rows, 3) << "B B | / B B B | / B B B";
    EXPECT_EQ(wrapped.cx, 3 * tools.m_sizeButton.cx - floatingInside.Width());
}

TEST_F(ControlBars, ToolTipsFollowTheBarStyle) {
    CToolBar& bar = frame->m_wndTools;
    HWND tip = reinterpret_cast<HWND>(bar.SendMessage(TB_GETTOOLTIPS));
    ASSERT_TRUE(::IsWindow(tip));
    CRect item;
    bar.GetItemRect(bar.CommandToIndex(ID_CUT), &item);
    CPoint over = item.CenterPoint();
    bar.ClientToScreen(&over);
    frame->ScreenToClient(&over);
    // Whether resting on the button shows its tip, within a second of the clock.
    auto tipShows = [&] {
        pm::test::moveMouse(main, CPoint(300, 250));
        pm::test::moveMouse(main, over);
        for (int i = 0; i < 100 && !::IsWindowVisible(tip); ++i) {
            pm::afxtest::pump();
            pm::test::advanceClock(10);
        }
        return ::IsWindowVisible(tip) != FALSE;
    };
    bar.SetBarStyle(bar.GetBarStyle() & ~CBRS_TOOLTIPS);
    EXPECT_FALSE(tipShows()) << "without CBRS_TOOLTIPS";
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS);
    ASSERT_TRUE(tipShows()) << "CBRS_TOOLTIPS given later";
    TOOLINFO shown{};
    shown.cbSize = sizeof shown;
    ASSERT_TRUE(::SendMessage(tip, TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&shown)));
    EXPECT_EQ(shown.uId, static_cast<UINT_PTR>(ID_CUT));
}

TEST_F(ControlBars, ButtonPromptsFlyByAndClosingAMiniFrameHidesItsBar) {
    // The pointer over a button shows its prompt; off the bar the idle prompt comes back.
    CRect item;
    frame->m_wndTools.GetItemRect(frame->m_wndTools.CommandToIndex(ID_CUT), &item);
    CPoint over = item.CenterPoint();
    frame->m_wndTools.ClientToScreen(&over);
    frame->ScreenToClient(&over);
    pm::test::moveMouse(main, over);
    pm::afxtest::pump();
    EXPECT_EQ(frame->m_wndStatus.GetPaneText(0), CString("Cut the selection"));
    pm::test::moveMouse(main, CPoint(300, 250));
    pm::afxtest::pump();
    EXPECT_EQ(frame->m_wndStatus.GetPaneText(0), CString("Ready"));

    frame->FloatControlBar(&frame->m_wndEdit, frameClientToScreen(CPoint(250, 150)));
    pm::afxtest::pump();
    CFrameWnd* floating = frame->m_wndEdit.GetParentFrame();
    ASSERT_NE(floating, frame);
    floating->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_TRUE(::IsWindow(floating->m_hWnd)) << "closing hides, it does not destroy";
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_FALSE(frame->m_wndEdit.IsWindowVisible());
    // The View menu's check brings it back, floating where it was.
    frame->SendMessage(WM_COMMAND, IDW_EDIT_BAR);
    pm::afxtest::pump();
    EXPECT_TRUE(frame->m_wndEdit.IsWindowVisible());
    EXPECT_TRUE(floating->IsWindowVisible());
}

namespace {

// A 24-bit BMP file of one colour.
std::vector<unsigned char> bmpFile(int w, int h, COLORREF colour) {
    int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> out(static_cast<size_t>(54 + stride * h), 0);
    auto put32 = [&out](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t at = static_cast<size_t>(54 + y * stride + x * 3);
            out[at] = GetBValue(colour);
            out[at + 1] = GetGValue(colour);
            out[at + 2] = GetRValue(colour);
        }
    return out;
}

} // namespace

TEST_F(ControlBars, LoadToolBarTakesTheLayoutAndBitmapOfAResource) {
    const UINT IDR_LOADED = 7310;
    static const std::vector<unsigned char> image = bmpFile(3 * 20, 18, RGB(0, 128, 255));
    pm::res::addToolbar(IDR_LOADED, {20, 18, {ID_CUT, ID_SEPARATOR, ID_COPY, ID_PASTE}});
    pm::res::addImage(pm::res::ImageKind::Bitmap, IDR_LOADED, image.data(), image.size());
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 40));
    ASSERT_TRUE(bar.LoadToolBar(IDR_LOADED));
    EXPECT_EQ(bar.m_sizeImage, CSize(20, 18));
    EXPECT_EQ(bar.m_sizeButton, CSize(27, 25));
    ASSERT_EQ(bar.CommandToIndex(ID_PASTE), 3);
    UINT id = 0, style = 0;
    int imageIndex = -1;
    bar.GetButtonInfo(1, id, style, imageIndex);
    EXPECT_EQ(style & TBBS_SEPARATOR, static_cast<UINT>(TBBS_SEPARATOR));
    bar.GetButtonInfo(3, id, style, imageIndex);
    EXPECT_EQ(id, ID_PASTE);
    EXPECT_EQ(imageIndex, 2) << "separators take no image";
    EXPECT_FALSE(bar.LoadToolBar(7311)) << "no such resource";
    bar.DestroyWindow();
}

TEST_F(ControlBars, AMiniFrameHasATrimmedSystemMenuAndFollowsTheMainFramesActivation) {
    frame->FloatControlBar(&frame->m_wndEdit, frameClientToScreen(CPoint(250, 150)));
    pm::afxtest::pump();
    auto* floating = static_cast<CMiniDockFrameWnd*>(frame->m_wndEdit.GetParentFrame());
    ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(floating->GetExStyle() & WS_EX_TOOLWINDOW);
    HMENU menu = ::GetSystemMenu(floating->m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(::GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(::GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    char text[32] = {};
    ::GetMenuStringA(menu, SC_CLOSE, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Hide");
    frame->SendMessage(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_TRUE(floating->m_bActive);
    frame->SendMessage(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(floating->m_bActive);
}
