// Splitter windows: the layout of rows and columns from ideal and minimum sizes, a static splitter
// with two views whose bar is dragged (Esc leaves it), row and column information, and a dynamic
// splitter that splits and drops a column dragged below its minimum.

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC* pDC) override {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect,
                           GetDlgCtrlID() == AFX_IDW_PANE_FIRST ? RGB(230, 240, 255) : RGB(255, 245, 220));
        pDC->TextOut(4, 4, "pane");
    }
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

class CSplitFrame : public CFrameWnd {
public:
    explicit CSplitFrame(bool dynamic) : m_bDynamic(dynamic) {}
    CSplitterWnd m_wndSplitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        if (m_bDynamic) {
            CCreateContext context;
            context.m_pNewViewClass = RUNTIME_CLASS(CPaneView);
            return m_wndSplitter.Create(this, 2, 2, CSize(40, 40), &context);
        }
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(150, 0), pContext) &&
               m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), pContext);
    }
    bool m_bDynamic;
};

// The layout on its own.
class CLayoutSplitter : public CSplitterWnd {
public:
    static std::vector<int> layout(std::vector<std::pair<int, int>> idealMin, int size) {
        std::vector<CRowColInfo> info;
        for (auto [ideal, minimum] : idealMin)
            info.push_back(CRowColInfo{minimum, ideal, 0});
        Layout(info, static_cast<int>(info.size()), size, 7);
        std::vector<int> sizes;
        for (const CRowColInfo& i : info)
            sizes.push_back(i.nCurSize);
        return sizes;
    }
};

class Splitter : public ::testing::Test {
protected:
    void make(bool dynamic) {
        pm::afx::registerStandardClasses();
        frame = new CSplitFrame(dynamic);
        ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW, CRect(100, 100, 600, 400)));
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        pm::afxtest::pump();
        split = &frame->m_wndSplitter;
    }
    void TearDown() override {
        if (frame) frame->DestroyWindow();
        pm::afxtest::pump();
    }
    int paneWidth(int col) const {
        CRect rect;
        split->GetPane(0, col)->GetClientRect(&rect);
        return rect.Width();
    }
    void dragBar(int fromX, int toX, bool escape = false) {
        pm::test::pressMouse(split->m_hWnd, CPoint(fromX, 60));
        pm::test::moveMouse(split->m_hWnd, CPoint((fromX + toX) / 2, 60));
        pm::test::moveMouse(split->m_hWnd, CPoint(toX, 60));
        pm::afxtest::pump();
        if (escape) pm::test::pressKey(split->m_hWnd, VK_ESCAPE);
        pm::test::releaseMouse(split->m_hWnd, CPoint(toX, 60));
        pm::afxtest::pump();
    }
    CSplitFrame* frame = nullptr;
    CSplitterWnd* split = nullptr;
};

} // namespace

TEST(SplitterLayout, IdealSizesMinimumsAndTheRest) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> idealMin;
        int size;
        std::vector<int> expected;
    };
    for (const Case& c : std::vector<Case>{
             {"ideal then the rest", {{100, 10}, {0, 10}}, 300, {100, 193}},
             {"three panes", {{50, 10}, {80, 10}, {0, 10}}, 300, {50, 80, 156}},
             {"ideal below its minimum: not shown", {{5, 10}, {0, 10}}, 300, {0, 293}},
             {"no room for the last: the first takes it all", {{290, 10}, {0, 20}}, 300, {300, 0}},
             {"first larger than the window", {{500, 10}, {0, 10}}, 300, {300, 0}},
             {"nothing to share", {{100, 10}, {0, 10}}, 0, {0, 0}},
         }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CLayoutSplitter::layout(c.idealMin, c.size), c.expected);
    }
}

TEST_F(Splitter, AStaticSplitterBarDraggedToANewSizeAndEscLeavesIt) {
    make(false);
    ASSERT_EQ(split->GetColumnCount(), 2);
    EXPECT_EQ(split->GetPane(0, 1)->GetDlgCtrlID(), split->IdFromRowCol(0, 1));
    int row = -1, col = -1;
    EXPECT_TRUE(split->IsChildPane(split->GetPane(0, 1), &row, &col));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 1);
    int cur = 0, minimum = 0;
    split->GetColumnInfo(0, cur, minimum);
    EXPECT_EQ(cur, 150);
    EXPECT_EQ(paneWidth(0), 150);
    CRect inside;
    split->GetClientRect(&inside);
    EXPECT_EQ(paneWidth(1), inside.Width() - 4 - 150 - 7);
    pm::afxtest::savePng(frame->m_hWnd, "splitter_static");

    // The bar starts after the border (2) and the first pane.
    EXPECT_EQ(split->HitTest(CPoint(2 + 150 + 3, 60)), CSplitterWnd::vSplitterBar1);
    dragBar(155, 255, true);
    EXPECT_FALSE(split->IsTracking());
    EXPECT_EQ(paneWidth(0), 150);
    dragBar(155, 255);
    EXPECT_EQ(paneWidth(0), 250);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pm::afxtest::overlayPixelsIn(CRect(0, 0, 2000, 2000)), 0) << "the tracker is gone";

    split->SetColumnInfo(0, 90, 30);
    split->RecalcLayout();
    EXPECT_EQ(paneWidth(0), 90);
    split->SetColumnInfo(0, 20, 30); // below its minimum: the pane is not shown
    split->RecalcLayout();
    split->GetColumnInfo(0, cur, minimum);
    EXPECT_EQ(cur, 0);
    EXPECT_EQ(minimum, 30);
}

TEST_F(Splitter, ADynamicSplitterSplitsAndDropsAColumnDraggedBelowItsMinimum) {
    make(true);
    EXPECT_EQ(split->GetColumnCount(), 1);
    EXPECT_FALSE(split->SplitColumn(20)) << "below the minimum";
    ASSERT_TRUE(split->SplitColumn(150));
    EXPECT_EQ(split->GetColumnCount(), 2);
    EXPECT_TRUE(split->GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPaneView)));
    EXPECT_FALSE(split->SplitColumn(100)) << "two columns at most";
    EXPECT_EQ(paneWidth(0), 150);
    // Dragged to 10 pixels, below the minimum of 40: the first column goes.
    dragBar(155, 12);
    EXPECT_EQ(split->GetColumnCount(), 1);
    ASSERT_NE(split->GetPane(0, 0), nullptr);
    CRect inside;
    split->GetClientRect(&inside);
    EXPECT_EQ(paneWidth(0), inside.Width() - 4);
}

TEST_F(Splitter, AKeyboardSplitFollowsTheArrowsAndReturnSetsItWhileEscLeavesIt) {
    make(true);
    ASSERT_TRUE(split->DoKeyboardSplit());
    EXPECT_TRUE(split->IsTracking());
    pm::test::pressKey(split->m_hWnd, VK_ESCAPE);
    pm::afxtest::pump();
    EXPECT_FALSE(split->IsTracking());
    EXPECT_EQ(split->GetColumnCount(), 1);
    EXPECT_EQ(split->GetRowCount(), 1);

    ASSERT_TRUE(split->DoKeyboardSplit());
    for (int i = 0; i < 3; ++i)
        pm::test::pressKey(split->m_hWnd, VK_RIGHT);
    pm::test::pressKey(split->m_hWnd, VK_RETURN);
    pm::afxtest::pump();
    EXPECT_EQ(split->GetColumnCount(), 2);
    EXPECT_EQ(split->GetRowCount(), 2);
    CRect inside;
    split->GetClientRect(&inside);
    inside.DeflateRect(2, 2);
    EXPECT_EQ(paneWidth(0), inside.Width() / 2 + 24);
    int cy = 0, cyMin = 0;
    split->GetRowInfo(0, cy, cyMin);
    EXPECT_EQ(cy, inside.Height() / 2);
    EXPECT_EQ(::GetCapture(), nullptr);
}
