// The tab view container: which page is shown after insertions, activations and deletions, where
// the page goes, the margin, the page ids and the drag-over activation.

#include "docking/CDK3DTabViewContainer.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A page made from its runtime class that goes with its window, as views do.
class CSelfDeletingPage : public CWnd {
    DECLARE_DYNCREATE(CSelfDeletingPage)

protected:
    void PostNcDestroy() override { delete this; }
};

IMPLEMENT_DYNCREATE(CSelfDeletingPage, CWnd)

class TabViewContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_parent.CreateEx(0, AFX_WND, "panes", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_tabs.Create(&m_parent, CRect(0, 0, 300, 200), WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 100));
    }
    void TearDown() override {
        if (m_parent.m_hWnd) m_parent.DestroyWindow();
    }
    // A page window (a child of the container, as the panes make them); not yet inserted.
    CWnd* MakePage() {
        auto page = std::make_unique<CWnd>();
        EXPECT_TRUE(page->CreateEx(0, AFX_WND, "", WS_CHILD, CRect(0, 0, 10, 10), &m_tabs, 0));
        m_pages.push_back(std::move(page));
        return m_pages.back().get();
    }
    // Pages 0..n-1 appended.
    void AddPages(int n) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(m_tabs.InsertPage(m_tabs.GetItemCount(), MakePage(), "p"));
    }
    // The indexes of the tabs whose page is visible.
    std::vector<int> VisiblePages() const {
        std::vector<int> shown;
        for (int i = 0; i < m_tabs.GetItemCount(); ++i)
            if (m_tabs.GetPage(i)->IsWindowVisible()) shown.push_back(i);
        return shown;
    }

    CWnd m_parent;
    CDK3DTabViewContainer m_tabs;
    std::vector<std::unique_ptr<CWnd>> m_pages;
};

using Shown = std::vector<int>;

TEST_F(TabViewContainerTest, InsertionRefusesBadIndexesAndWindowsAndShowsOnlyTheNewPage) {
    EXPECT_FALSE(m_tabs.InsertPage(-1, MakePage(), "a"));
    EXPECT_FALSE(m_tabs.InsertPage(1, MakePage(), "a")) << "count + 1";
    EXPECT_FALSE(m_tabs.InsertPage(0, static_cast<CWnd*>(nullptr), "a"));
    CWnd* dead = MakePage();
    dead->DestroyWindow();
    EXPECT_FALSE(m_tabs.InsertPage(0, dead, "a"));
    EXPECT_EQ(m_tabs.GetItemCount(), 0);

    AddPages(3);
    EXPECT_EQ(VisiblePages(), Shown({2}));
    EXPECT_EQ(m_tabs.GetCurSel(), 2);
    EXPECT_TRUE(m_tabs.GetPage(0)->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(m_tabs.GetPage(3), nullptr);
    EXPECT_EQ(m_tabs.GetPage(-1), nullptr);
}

TEST_F(TabViewContainerTest, InsertingAtOrBeforeTheActivePageShowsExactlyTheNewPage) {
    struct Case {
        int active, insertAt;
    } cases[] = {{1, 1}, {1, 0}, {2, 0}, {0, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "active " << c.active << ", insert at " << c.insertAt);
        AddPages(3);
        ASSERT_TRUE(m_tabs.SetActivePageIndex(c.active));
        CWnd* page = MakePage();
        ASSERT_TRUE(m_tabs.InsertPage(c.insertAt, page, "new"));
        EXPECT_EQ(VisiblePages(), Shown({c.insertAt}));
        EXPECT_EQ(m_tabs.GetActivePageIndex(), c.insertAt);
        EXPECT_EQ(m_tabs.GetPage(c.insertAt), page);
        while (m_tabs.GetItemCount() > 0)
            m_tabs.DeletePage(0, TRUE);
    }
}

TEST_F(TabViewContainerTest, ActivationOfTheSameAndOfInvalidIndexes) {
    AddPages(2);
    EXPECT_TRUE(m_tabs.SetActivePageIndex(1));
    EXPECT_EQ(VisiblePages(), Shown({1}));
    EXPECT_FALSE(m_tabs.SetActivePageIndex(-1));
    EXPECT_EQ(VisiblePages(), Shown({}));
    EXPECT_FALSE(m_tabs.SetActivePageIndex(5));
    EXPECT_EQ(m_tabs.GetActivePageIndex(), -1) << "an index that names no tab is not kept";
    // An insertion at the index that was refused still shows its page.
    AddPages(3);
    EXPECT_EQ(VisiblePages(), Shown({4}));
}

TEST_F(TabViewContainerTest, DeletionShowsTheNeighbourTheRulesName) {
    struct Case {
        const char* what;
        int pages, active, remove;
        int activeAfter;
        Shown shownAfter;
    } cases[] = {
        {"the active last tab: the first page", 3, 2, 2, 0, {0}},
        {"the active page elsewhere: the next page", 3, 0, 0, 0, {0}},
        {"the active middle page: the next page", 3, 1, 1, 1, {1}},
        {"a page before the active one: the same page", 3, 2, 0, 1, {1}},
        {"a page after the active one", 3, 0, 2, 0, {0}},
        {"the only page", 1, 0, 0, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddPages(c.pages);
        ASSERT_TRUE(m_tabs.SetActivePageIndex(c.active));
        CWnd* shownBefore = m_tabs.GetPage(c.active == c.remove ? -1 : c.active);
        CWnd* removed = m_tabs.GetPage(c.remove);
        ASSERT_TRUE(m_tabs.DeletePage(c.remove, FALSE));
        EXPECT_TRUE(::IsWindow(removed->m_hWnd)) << "kept without the destroy flag";
        EXPECT_FALSE(removed->IsWindowVisible()) << "no page stays shown without a tab";
        EXPECT_EQ(m_tabs.GetActivePageIndex(), c.activeAfter);
        EXPECT_EQ(VisiblePages(), c.shownAfter);
        if (shownBefore) {
            EXPECT_EQ(m_tabs.GetPage(c.activeAfter), shownBefore);
        }
        while (m_tabs.GetItemCount() > 0)
            m_tabs.DeletePage(0, TRUE);
    }
    EXPECT_FALSE(m_tabs.DeletePage(0, TRUE));
    EXPECT_FALSE(m_tabs.DeletePage(static_cast<CWnd*>(nullptr), TRUE));
}

TEST_F(TabViewContainerTest, AClickAfterDeletingAnEarlierTabHidesExactlyTheShownPage) {
    AddPages(3);
    CWnd* shown = m_tabs.GetPage(2);
    ASSERT_TRUE(m_tabs.DeletePage(m_tabs.GetPage(0), TRUE));
    EXPECT_TRUE(shown->IsWindowVisible());
    // The user picks the first tab: the control reflects TCN_SELCHANGE to the container.
    m_tabs.SetCurSel(0);
    NMHDR nm{m_tabs.m_hWnd, 100, static_cast<UINT>(TCN_SELCHANGE)};
    m_parent.SendMessage(WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(VisiblePages(), Shown({0}));
    EXPECT_FALSE(shown->IsWindowVisible());
}

TEST_F(TabViewContainerTest, ThePageFillsTheDisplayAreaAndAPageOfThatSizeIsSentWmSize) {
    AddPages(1);
    CRect display;
    m_tabs.GetClientRect(&display);
    m_tabs.AdjustRect(FALSE, &display);
    CRect placed;
    m_tabs.GetPage(0)->GetWindowRect(&placed);
    m_tabs.ScreenToClient(&placed);
    EXPECT_EQ(placed, display);
    EXPECT_EQ(m_tabs.GetPageRect(), display);

    // Margin and border: the page rectangle shrinks by both.
    m_tabs.m_nPageMargin = 3;
    m_tabs.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    m_tabs.RepositionActivePage();
    CRect inner = display;
    inner.DeflateRect(3, 3);
    m_tabs.GetPage(0)->GetWindowRect(&placed);
    m_tabs.ScreenToClient(&placed);
    EXPECT_EQ(placed, inner);

    // A second page already of the page's size is not moved but told its size.
    CWnd* page = MakePage();
    page->MoveWindow(CRect(0, 0, inner.Width(), inner.Height()));
    pm::test::MessageRecorder recorder;
    recorder.watch(page->m_hWnd, "page");
    ASSERT_TRUE(m_tabs.InsertPage(1, page, "same size"));
    EXPECT_EQ(recorder.trace({WM_SIZE}).size(), 1u);
    CRect where;
    page->GetWindowRect(&where);
    m_tabs.ScreenToClient(&where);
    EXPECT_EQ(where.TopLeft(), CPoint(0, 0));
}

TEST_F(TabViewContainerTest, TheBorderIsANonClientMarginThatVanishesOnSmallControls) {
    CRect client;
    m_tabs.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(290, 190));
    m_tabs.MoveWindow(0, 0, 9, 40);
    m_tabs.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(0, 30)) << "narrower than twice the border: no width";
    m_tabs.m_nBorderWidth = 0;
    m_tabs.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    m_tabs.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(9, 40));
}

TEST_F(TabViewContainerTest, PagesMadeFromAClassGetFreshIdsAndFreedOnesOnce) {
    ASSERT_TRUE(m_tabs.InsertPage(0, RUNTIME_CLASS(CSelfDeletingPage), nullptr, "one"));
    EXPECT_FALSE(m_tabs.InsertPage(0, static_cast<CRuntimeClass*>(nullptr), nullptr, "none"));
    AddPages(1); // a page of the caller's: its id 0 never enters the pool
    ASSERT_TRUE(m_tabs.InsertPage(2, RUNTIME_CLASS(CSelfDeletingPage), nullptr, "two"));
    EXPECT_EQ(m_tabs.GetPage(0)->GetDlgCtrlID(), 1);
    EXPECT_EQ(m_tabs.GetPage(2)->GetDlgCtrlID(), 2);
    ASSERT_TRUE(m_tabs.DeletePage(0, TRUE));
    ASSERT_TRUE(m_tabs.DeletePage(0, FALSE));
    ASSERT_TRUE(m_tabs.InsertPage(1, RUNTIME_CLASS(CSelfDeletingPage), nullptr, "reuses 1"));
    ASSERT_TRUE(m_tabs.InsertPage(2, RUNTIME_CLASS(CSelfDeletingPage), nullptr, "fresh"));
    EXPECT_EQ(m_tabs.GetPage(1)->GetDlgCtrlID(), 1);
    EXPECT_EQ(m_tabs.GetPage(2)->GetDlgCtrlID(), 3);
}

TEST_F(TabViewContainerTest, DraggingOverATabShowsItsPageAndDropsNothing) {
    AddPages(3);
    CRect tab;
    ASSERT_TRUE(m_tabs.GetItemRect(0, &tab));
    EXPECT_EQ(COleDropTarget::FromWindow(m_tabs.m_hWnd), &m_tabs.GetDropTarget()) << "registered at creation";
    COleDataObject data;
    EXPECT_EQ(m_tabs.GetDropTarget().OnDragOver(&m_tabs, &data, 0, tab.CenterPoint()),
              static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(VisiblePages(), Shown({0}));
    m_tabs.GetDropTarget().OnDragOver(&m_tabs, &data, 0, m_tabs.GetPageRect().CenterPoint());
    EXPECT_EQ(VisiblePages(), Shown({0})) << "over the page, nothing changes";
}

TEST_F(TabViewContainerTest, ThePaneShowsItsTabsBelowThePageInsideASunkenFrame) {
    m_tabs.DestroyWindow();
    CDK3DTabViewContainer pane;
    ASSERT_TRUE(pane.Create(&m_parent, CRect(0, 0, 300, 200),
                            WS_CHILD | WS_VISIBLE | TCS_BOTTOM | TCS_MULTILINE, 100));
    CListBox functions, folders;
    ASSERT_TRUE(functions.Create(WS_CHILD | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 10, 10), &pane, 1));
    ASSERT_TRUE(folders.Create(WS_CHILD | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 10, 10), &pane, 2));
    for (const char* name : {"init()", "draw(ctx)", "resize(w, h)"})
        functions.AddString(name);
    folders.AddString("/home/u/site");
    ASSERT_TRUE(pane.InsertPage(0, &functions, "Functions"));
    ASSERT_TRUE(pane.InsertPage(1, &folders, "Working Dir"));
    CWnd solutions;
    ASSERT_TRUE(solutions.CreateEx(0, AFX_WND, "", WS_CHILD, CRect(0, 0, 10, 10), &pane, 3));
    ASSERT_TRUE(pane.InsertPage(2, &solutions, "Solutions"));
    ASSERT_TRUE(pane.SetActivePageIndex(0));
    pm::afxtest::pump();
    const pm::test::Picture image = pm::test::windowPicture(pane.m_hWnd);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, static_cast<unsigned>(0x808080))
        << "the frame's shadow at the top left";
    EXPECT_EQ(image.pixel(299, 199) & 0xFFFFFF, static_cast<unsigned>(0xFFFFFF))
        << "its highlight at the bottom right";
    EXPECT_TRUE(pm::afxtest::savePng(pane.m_hWnd, "tab_view_container"));
}

TEST_F(TabViewContainerTest, DestroyingTheContainerDestroysEveryPage) {
    AddPages(2);
    HWND first = m_tabs.GetPage(0)->m_hWnd;
    HWND second = m_tabs.GetPage(1)->m_hWnd;
    m_tabs.DestroyWindow();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(::IsWindow(second));
}

} // namespace
