// The menu bar of an MDI frame with a maximised child: the child's icon and its caption buttons on
// the bar, the buttons and the icon acting on the child (a button only when released over it); a
// stored menu coming back without the window list; and a cool tool bar on a child, which is not
// transparent.

#include "docking/CDKMenuBar.h"
#include "docking/tests/support/menu_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

class CMdiMenuFrame : public CMDIFrameWnd {
public:
    CDKMenuBar m_wndMenuBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
        if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC)) return -1;
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMdiMenuFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class MdiMenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<CMenuApp>();
        app->SetRegistryKey("Docking Tests");
        app->InitApplication();
        pm::afx::registerStandardClasses();
        frame = new CMdiMenuFrame;
        ASSERT_TRUE(frame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
        app->m_pMainWnd = frame;
        menu = makeTestMenu();
        frame->m_wndMenuBar.SetMenu(menu);
        frame->ShowWindow(SW_SHOW);
        pm::afxtest::pump();
    }
    void TearDown() override {
        if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
        pm::afxtest::pump();
        ::DestroyMenu(menu);
        app.reset();
    }
    CMDIChildWnd* openMaximised(DWORD style) {
        auto* child = new CMDIChildWnd;
        EXPECT_TRUE(
            child->Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | style, CFrameWnd::rectDefault, frame));
        child->MDIMaximize();
        pm::afxtest::pump();
        frame->m_wndMenuBar.UpdateMDIIcon(TRUE);
        frame->RecalcLayout();
        pm::afxtest::pump();
        return child;
    }
    CDKMenuBar& bar() { return frame->m_wndMenuBar; }
    // A point of a caption button, in the bar's client coordinates.
    CPoint buttonPoint(int hit) {
        CRect window;
        bar().GetWindowRect(&window);
        for (int y = 0; y < window.Height(); ++y)
            for (int x = window.Width() - 1; x >= 0; --x)
                if (bar().HitTest(CPoint(x, y), CDKMenuBar::coordWindow) == hit) {
                    CPoint screen(window.left + x, window.top + y);
                    bar().ScreenToClient(&screen);
                    return screen;
                }
        return CPoint(-1000, -1000);
    }
    std::unique_ptr<CMenuApp> app;
    CMdiMenuFrame* frame = nullptr;
    HMENU menu = nullptr;
};

} // namespace

TEST_F(MdiMenuBar, AMaximisedChildShowsItsIconAndCaptionButtons) {
    struct Case {
        const char* name;
        DWORD style;
        int buttons;
    } cases[] = {{"minimise and maximise boxes", WS_OVERLAPPEDWINDOW, 3},
                 {"neither box", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMDIChildWnd* child = openMaximised(c.style);
        ASSERT_NE(bar().GetIcon(), nullptr);
        int extent = bar().CalcMDIButtons();
        CRect window;
        bar().GetWindowRect(&window);
        bool thin = window.Height() < ::GetSystemMetrics(SM_CYSIZE);
        int length = (thin ? window.Height() : ::GetSystemMetrics(SM_CXSIZE)) - 2;
        // One button length and 8 for the close button alone; each other button adds a length.
        EXPECT_EQ(extent, length + 8 + (c.buttons - 1) * length);
        EXPECT_EQ(buttonPoint(CDKMenuBar::hitRestore).x != -1000, c.buttons == 3);
        if (c.buttons == 3) {
            EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "docking_mdi_menu_bar"));
        }
        child->MDIDestroy();
        pm::afxtest::pump();
    }
}

TEST_F(MdiMenuBar, TheCloseButtonActsOnlyWhenReleasedOverIt) {
    CMDIChildWnd* child = openMaximised(WS_OVERLAPPEDWINDOW);
    HWND childWindow = child->m_hWnd;
    CPoint close = buttonPoint(CDKMenuBar::hitClose);
    ASSERT_NE(close.x, -1000);
    pm::test::pressMouse(bar().m_hWnd, close);
    pm::afxtest::pump();
    pm::test::releaseMouse(bar().m_hWnd, CPoint(5, 5));
    pm::afxtest::pump();
    ASSERT_TRUE(::IsWindow(childWindow));
    pm::test::click(bar().m_hWnd, close);
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(childWindow));
}

TEST_F(MdiMenuBar, TheCaptionButtonsActOnTheChild) {
    struct Case {
        const char* name;
        int hit;
        bool zoomed, iconic;
    } cases[] = {{"restore", CDKMenuBar::hitRestore, false, false},
                 {"minimise", CDKMenuBar::hitMinimize, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMDIChildWnd* child = openMaximised(WS_OVERLAPPEDWINDOW);
        CPoint point = buttonPoint(c.hit);
        ASSERT_NE(point.x, -1000);
        pm::test::click(bar().m_hWnd, point);
        pm::afxtest::pump();
        ASSERT_TRUE(::IsWindow(child->m_hWnd));
        EXPECT_EQ(::IsZoomed(child->m_hWnd) != FALSE, c.zoomed);
        EXPECT_EQ(::IsIconic(child->m_hWnd) != FALSE, c.iconic);
        child->MDIDestroy();
        pm::afxtest::pump();
    }
}

TEST_F(MdiMenuBar, TheIconOpensTheChildsSystemMenuAndADoubleClickClosesTheChild) {
    CMDIChildWnd* child = openMaximised(WS_OVERLAPPEDWINDOW);
    HWND childWindow = child->m_hWnd;
    CPoint icon = buttonPoint(CDKMenuBar::hitIcon);
    ASSERT_NE(icon.x, -1000);
    int openIndex = -1;
    HMENU shown = nullptr;
    inLoops(frame->m_hWnd, {[&] {
                openIndex = bar().m_nOpenPopup;
                std::vector<HWND> popups = popupWindows();
                ASSERT_EQ(popups.size(), 1u);
                shown = reinterpret_cast<HMENU>(::SendMessage(popups[0], MN_GETHMENU, 0, 0));
                pm::test::pressKey(popups[0], VK_ESCAPE);
            }});
    pm::test::click(bar().m_hWnd, icon);
    pm::afxtest::pump();
    EXPECT_EQ(openIndex, ::GetMenuItemCount(menu));
    EXPECT_EQ(shown, ::GetSystemMenu(childWindow, FALSE));
    // The first press opens the system menu again; the second press of the double click ends it
    // and reaches the bar (a menu left open is closed so the test goes on).
    inLoops(frame->m_hWnd, {[&] {
                for (HWND popup : popupWindows())
                    pm::test::pressKey(popup, VK_ESCAPE);
            }});
    pm::test::doubleClick(bar().m_hWnd, icon);
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(childWindow));
}

TEST_F(MdiMenuBar, ACoolToolBarOnAChildIsFlatButNotTransparent) {
    CMDIChildWnd* child = openMaximised(WS_OVERLAPPEDWINDOW);
    struct Case {
        const char* name;
        CWnd* parent;
        bool transparent;
    } cases[] = {{"on the frame", frame, true}, {"on an MDI child", child, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDKCoolToolBar bar;
        ASSERT_TRUE(bar.Create(c.parent, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 7));
        EXPECT_TRUE(bar.GetStyle() & TBSTYLE_FLAT);
        EXPECT_EQ((bar.GetStyle() & TBSTYLE_TRANSPARENT) != 0, c.transparent);
        EXPECT_TRUE(bar.GetDropDownArrow());
        bar.DestroyWindow();
    }
}

TEST_F(MdiMenuBar, AStoredMenuComesBackWithoutTheWindowListWhichItsPopupShowsAgainByItself) {
    const UINT ID_CASCADE = 0xE130;
    HMENU stored = ::CreateMenu();
    HMENU window = ::CreatePopupMenu();
    ::AppendMenu(window, MF_STRING, ID_CASCADE, "&Cascade");
    ::AppendMenu(stored, MF_POPUP, reinterpret_cast<UINT_PTR>(window), "&Window");
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window));
    for (const char* title : {"One", "Two"}) {
        auto* child = new CMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, frame));
    }
    pm::afxtest::pump();
    auto ids = [](HMENU m) {
        std::vector<UINT> all;
        for (int i = 0; i < ::GetMenuItemCount(m); ++i)
            all.push_back(::GetMenuItemID(m, i));
        return all;
    };
    const std::vector<UINT> listed{ID_CASCADE, 0u, 0xFF00u, 0xFF01u};
    ASSERT_EQ(ids(window), listed) << "the window list and its separator are stored with the menu";
    ASSERT_TRUE(bar().SaveMenuState(stored, "CWindowListDoc"));

    HMENU loaded = ::CreateMenu();
    ::AppendMenu(loaded, MF_STRING, 9, "Old");
    ASSERT_TRUE(bar().LoadMenuState(loaded, "CWindowListDoc"));
    ASSERT_EQ(::GetMenuItemCount(loaded), 1);
    HMENU loadedWindow = ::GetSubMenu(loaded, 0);
    EXPECT_EQ(ids(loadedWindow), std::vector<UINT>{ID_CASCADE});
    EXPECT_EQ(bar().m_hWindowMenu, loadedWindow);
    // Shown as the window menu, the popup lists the windows once again, after one separator.
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(loadedWindow));
    EXPECT_EQ(ids(loadedWindow), listed);
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window));
    ::DestroyMenu(loaded);
    ::DestroyMenu(stored);
}
