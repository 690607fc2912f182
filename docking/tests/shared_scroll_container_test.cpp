// The tab view container with shared scroll bars: a long page's bars move into the container and
// its scroll messages go back to the page; the splitter's limits; tab scrolling; titles; and
// finding the container from a page.

#include "docking/CDK3DTabViewContainer.h"
#include "docking/CDKTabViewContainer.h"
#include "docking/TabPageWindow.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A page that counts the scroll messages it gets.
class CScrollPage : public CWnd {
public:
    int m_nVScrolls = 0;

protected:
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { ++m_nVScrolls; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScrollPage, CWnd)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

class SharedScrollContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_parent.CreateEx(0, AFX_WND, "pane", WS_POPUP | WS_VISIBLE, 0, 0, 420, 260, nullptr, nullptr));
        ASSERT_TRUE(m_tabs.Create(&m_parent, CRect(0, 0, 420, 260), WS_CHILD | WS_VISIBLE, 100));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CScrollPage* MakePage(const char* text, int nVertMax, int nHorzMax) {
        auto page = std::make_unique<CScrollPage>();
        const DWORD bars = (nVertMax ? WS_VSCROLL : 0) | (nHorzMax ? WS_HSCROLL : 0);
        EXPECT_TRUE(page->CreateEx(0, AFX_WND, text, WS_CHILD | bars, CRect(0, 0, 50, 50), &m_tabs, 0));
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, nVertMax, 100, 30, 0};
        if (nVertMax) page->SetScrollInfo(SB_VERT, &si);
        si.nMax = nHorzMax;
        if (nHorzMax) page->SetScrollInfo(SB_HORZ, &si);
        m_pages.push_back(std::move(page));
        return m_pages.back().get();
    }

    CWnd m_parent;
    CDKTabViewContainer m_tabs;
    std::vector<std::unique_ptr<CScrollPage>> m_pages;
};

TEST_F(SharedScrollContainerTest, ALongPagesBarsMoveIntoTheContainer) {
    ASSERT_TRUE(m_tabs.InsertPage(0, MakePage("Functions", 0, 0), nullptr));
    EXPECT_FALSE(m_tabs.m_scrlBarHorz.IsWindowEnabled()) << "a page with no range: both bars disabled";
    EXPECT_FALSE(m_tabs.m_scrlBarVert.IsWindowEnabled());

    CScrollPage* longPage = MakePage("", 999, 599);
    ASSERT_TRUE(m_tabs.InsertPage(1, longPage, nullptr));
    EXPECT_EQ(m_tabs.GetPageTitle(1), "1") << "no title and no text: the index";
    EXPECT_EQ(m_tabs.GetScrollStyle(), static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
    EXPECT_TRUE(m_tabs.m_scrlBarVert.IsWindowEnabled());
    EXPECT_TRUE(m_tabs.m_scrlBarHorz.IsWindowEnabled());
    EXPECT_FALSE(longPage->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "the page's own bars are hidden";
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    m_tabs.m_scrlBarVert.GetScrollInfo(&si, SIF_ALL);
    EXPECT_EQ(si.nMax, 998) << "less one beside a horizontal bar";
    EXPECT_EQ(si.nPage, 100u);
    EXPECT_EQ(si.nPos, 30);
    CRect page;
    longPage->GetWindowRect(&page);
    m_tabs.ScreenToClient(&page);
    EXPECT_EQ(page, m_tabs.GetPageRect());

    // The container's bar scrolls the page.
    m_tabs.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(m_tabs.m_scrlBarVert.m_hWnd));
    EXPECT_EQ(longPage->m_nVScrolls, 1);

    // Back to the short page: its bars are disabled again, the long page gets its own back.
    ASSERT_TRUE(m_tabs.SetActivePageIndex(0));
    EXPECT_FALSE(m_tabs.m_scrlBarVert.IsWindowEnabled());
    EXPECT_TRUE(longPage->GetStyle() & WS_VSCROLL);

    ASSERT_TRUE(m_tabs.InsertPage(2, MakePage("Solutions", 0, 0), nullptr));
    ASSERT_TRUE(m_tabs.SetActivePageIndex(1));
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(m_parent.m_hWnd, "tab_view_shared_scroll_bars"));
}

TEST_F(SharedScrollContainerTest, PagesFindTheirContainerOnlyWhereThereIsOne) {
    CScrollPage* first = MakePage("a", 0, 0);
    CScrollPage* second = MakePage("b", 0, 0);
    ASSERT_TRUE(m_tabs.InsertPage(0, first, nullptr));
    ASSERT_TRUE(m_tabs.InsertPage(1, second, nullptr));
    EXPECT_EQ(GetParentTabViewContainer(second, TRUE), &m_tabs);
    EXPECT_EQ(GetParentTabViewContainer(first, TRUE), nullptr) << "not the shown page";
    EXPECT_EQ(GetParentTabViewContainer(first, FALSE), &m_tabs);

    CDK3DTabViewContainer other;
    ASSERT_TRUE(other.Create(&m_parent, CRect(0, 0, 100, 100), WS_CHILD, 101));
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, AFX_WND, "", WS_CHILD, CRect(0, 0, 10, 10), &other, 0));
    ASSERT_TRUE(other.InsertPage(0, &page, "p"));
    EXPECT_EQ(GetParentTabViewContainer(&page, FALSE), nullptr);
    // A window that only carries the mark is no container.
    CWnd impostor, child;
    ASSERT_TRUE(impostor.CreateEx(0, AFX_WND, "", WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 102));
    ::SetWindowLongPtr(impostor.m_hWnd, GWL_USERDATA, CDKTabViewContainer::kMark);
    ASSERT_TRUE(child.CreateEx(0, AFX_WND, "", WS_CHILD, CRect(0, 0, 5, 5), &impostor, 0));
    EXPECT_EQ(GetParentTabViewContainer(&child, FALSE), nullptr);
}

TEST_F(SharedScrollContainerTest, TheSplitterKeepsItsLimits) {
    const CRect page = m_tabs.GetPageRect();
    const int lastButtonRight = m_tabs.GetButtonRect(TVC_HIT_LAST).right;
    const CPoint start = m_tabs.GetSplitterRect().CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    m_tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2000, start.y));
    EXPECT_EQ(m_tabs.GetSplitterRect().CenterPoint().x, page.right - 57);
    EXPECT_EQ(m_tabs.GetTabAreaRect().right, m_tabs.GetSplitterRect().left);
    m_tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, start.y));
    EXPECT_EQ(m_tabs.GetSplitterRect().CenterPoint().x, lastButtonRight + 3);
    EXPECT_EQ(m_tabs.GetTabAreaRect().Width(), 0);
    m_tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(0, start.y));
    CRect bar;
    m_tabs.m_scrlBarHorz.GetWindowRect(&bar);
    m_tabs.ScreenToClient(&bar);
    EXPECT_EQ(bar.left, m_tabs.GetSplitterRect().right) << "the horizontal bar follows the splitter";
}

TEST_F(SharedScrollContainerTest, TabScrollingStopsAtBothEnds) {
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(m_tabs.InsertPage(i, MakePage("A long page title", 0, 0), nullptr));
    const CRect area = m_tabs.GetTabAreaRect();
    const int last = m_tabs.GetPageCount() - 1;
    EXPECT_EQ(m_tabs.GetTabRect(last).right, area.right) << "the inserted last tab was scrolled into view";
    m_tabs.ScrollTabs(TVC_HIT_NEXT);
    EXPECT_EQ(m_tabs.GetTabRect(last).right, area.right) << "no further than the last tab's end";
    m_tabs.ScrollTabs(TVC_HIT_FIRST);
    EXPECT_EQ(m_tabs.GetTabOffset(), 0);
    m_tabs.ScrollTabs(TVC_HIT_PREV);
    EXPECT_EQ(m_tabs.GetTabOffset(), 0);
    m_tabs.ScrollTabs(TVC_HIT_NEXT);
    EXPECT_EQ(m_tabs.GetTabOffset(), -15);
    m_tabs.ScrollTabs(TVC_HIT_LAST);
    EXPECT_EQ(m_tabs.GetTabRect(last).right, area.right);

    // Activating a tab hidden on the left brings it in with a 20-pixel margin before it.
    ASSERT_TRUE(m_tabs.SetActivePageIndex(3));
    EXPECT_EQ(m_tabs.GetTabRect(3).left, area.left + 20);
    // A click on a tab activates it.
    const CPoint onTab = m_tabs.GetTabRect(4).CenterPoint();
    m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onTab.x, onTab.y));
    m_tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onTab.x, onTab.y));
    EXPECT_EQ(m_tabs.GetActivePageIndex(), 4);
}

namespace {

COLORREF PixelAt(const pm::test::Picture& image, CPoint at) {
    return image.colour(at.x, at.y);
}

} // namespace

TEST_F(SharedScrollContainerTest, InactiveTabsHaveALightLeftAndAShadowedRightSlant) {
    // Inactive tabs are drawn in order and the active one last: the last tab shows both slants.
    ASSERT_TRUE(m_tabs.InsertPage(0, MakePage("First", 0, 0), nullptr));
    ASSERT_TRUE(m_tabs.InsertPage(1, MakePage("Second", 0, 0), nullptr));
    ASSERT_TRUE(m_tabs.InsertPage(2, MakePage("Third", 0, 0), nullptr));
    ASSERT_TRUE(m_tabs.SetActivePageIndex(0));
    m_tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pm::afxtest::pump();
    const pm::test::Picture image = pm::test::windowPicture(m_tabs.m_hWnd);
    CPoint origin(0, 0);
    m_tabs.ClientToScreen(&origin);
    CRect window;
    m_tabs.GetWindowRect(&window);
    const CSize toImage = origin - window.TopLeft();
    // Along the middle row of the inactive tab: outline, then the slant's line, from either side.
    const COLORREF outline = ::GetSysColor(COLOR_WINDOWTEXT);
    // Where the outline of a tab is along its middle row, from its left or from its right.
    auto outlineAt = [&](const CRect& tab, bool fromLeft) {
        const int y = tab.CenterPoint().y;
        int x = fromLeft ? tab.left : tab.right;
        while (x > tab.left - 1 && x < tab.right + 1 && PixelAt(image, CPoint(x, y) + toImage) != outline)
            x += fromLeft ? 1 : -1;
        return CPoint(x, y);
    };
    const CRect tab = m_tabs.GetTabRect(2);
    const CPoint left = outlineAt(tab, true), right = outlineAt(tab, false);
    ASSERT_LT(left.x, right.x);
    EXPECT_EQ(PixelAt(image, left + CSize(1, 0) + toImage), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAt(image, right - CSize(1, 0) + toImage), ::GetSysColor(COLOR_BTNSHADOW));
    // Inside, an inactive tab has the face colour; the active one, on top, the page's colour.
    EXPECT_EQ(PixelAt(image, left + CSize(3, 0) + toImage), ::GetSysColor(COLOR_BTNFACE));
    const CPoint activeLeft = outlineAt(m_tabs.GetTabRect(0), true);
    EXPECT_EQ(PixelAt(image, activeLeft + CSize(3, 0) + toImage), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(SharedScrollContainerTest, ThePageAreaShowsThePagesOwnBackground) {
    WNDCLASS wc{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = "GreenPage";
    wc.hbrBackground = ::CreateSolidBrush(RGB(0, 160, 0));
    ::RegisterClass(&wc);
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, "GreenPage", "Green", WS_CHILD, CRect(0, 0, 10, 10), &m_tabs, 0));
    ASSERT_TRUE(m_tabs.InsertPage(0, &page, nullptr));
    // The page window smaller than its place: the rest of the place shows its class's brush.
    const CRect place = m_tabs.GetPageRect();
    page.MoveWindow(place.left, place.top, place.Width() / 2, place.Height());
    m_tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pm::afxtest::pump();
    CPoint spot(place.right - 10, place.CenterPoint().y), origin(0, 0);
    m_tabs.ClientToScreen(&origin);
    CRect window;
    m_tabs.GetWindowRect(&window);
    EXPECT_EQ(PixelAt(pm::test::windowPicture(m_tabs.m_hWnd), spot + (origin - window.TopLeft())),
              RGB(0, 160, 0));
    // A change of the system's settings lays the container out again: the page takes its place.
    m_tabs.SendMessage(WM_SETTINGCHANGE, 0, 0);
    CRect now;
    page.GetWindowRect(&now);
    m_tabs.ScreenToClient(&now);
    EXPECT_EQ(now, place);
    page.DestroyWindow();
    ::DeleteObject(wc.hbrBackground);
}

TEST_F(SharedScrollContainerTest, TheSplitterShowsTheApplicationsSplitCursorOrTheSystems) {
    const CPoint splitter = m_tabs.GetSplitterRect().CenterPoint();
    CPoint screen = splitter;
    m_tabs.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    m_tabs.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_tabs.m_hWnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE)) << "without a cursor of the program's own";
    // A cursor picture without a hot spot of its own: a blue square.
    static const std::string cursor = pm::test::solidPictureBytes(16, 16, RGB(0, 0, 255), "BMP");
    pm::res::addImage(pm::res::ImageKind::Cursor, 30980,
                      reinterpret_cast<const unsigned char*>(cursor.data()), cursor.size());
    m_tabs.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_tabs.m_hWnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(::GetModuleHandle(nullptr), MAKEINTRESOURCE(30980)));
    EXPECT_NE(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE));
}

TEST_F(SharedScrollContainerTest, AListPageHandsItsScrollStateToTheContainerAndElsewhereOnlyTimes) {
    TabPageWindow<CListBox> list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 100, 100), &m_tabs, 7));
    ASSERT_TRUE(m_tabs.InsertPage(0, &list, "Functions"));
    EXPECT_FALSE(m_tabs.m_scrlBarVert.IsWindowEnabled()) << "nothing to scroll yet";
    for (int i = 0; i < 200; ++i)
        list.AddString("function");
    CRect page = m_tabs.GetPageRect();
    list.MoveWindow(CRect(page.left, page.top, page.right, page.bottom - 1));
    list.MoveWindow(&page);
    EXPECT_TRUE(m_tabs.m_scrlBarVert.IsWindowEnabled()) << "the list's range now shows in the container";
    EXPECT_FALSE(list.GetStyle() & WS_VSCROLL);

    // In another parent it is a plain list box with its timer.
    CDK3DTabViewContainer other;
    ASSERT_TRUE(other.Create(&m_parent, CRect(0, 0, 100, 100), WS_CHILD, 101));
    TabPageWindow<CListBox> plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VSCROLL, CRect(0, 0, 50, 50), &other, 8));
    EXPECT_TRUE(::KillTimer(plain.m_hWnd, TabPageWindow<CListBox>::kScrollTimer)) << "started on creation";
    list.DestroyWindow();
}

} // namespace
