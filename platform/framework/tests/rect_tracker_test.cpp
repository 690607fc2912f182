// The rect tracker: hit testing of its handles (and of a mirrored rectangle), moving and resizing by
// mouse in its modal loop, Esc restoring the rectangle, a derived tracker's adjustments, and the
// rubber band.

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

// Snaps to a 10-pixel grid and keeps every rectangle it was given.
class CGridTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    std::vector<CRect> changes;
    void AdjustRect(int nHandle, LPRECT lpRect) override {
        CRectTracker::AdjustRect(nHandle, lpRect);
        auto snap = [](LONG& v) { v = (v + 5) / 10 * 10; };
        snap(lpRect->left);
        snap(lpRect->top);
        snap(lpRect->right);
        snap(lpRect->bottom);
    }
    void OnChangedRect(const CRect&) override { changes.push_back(m_rect); }
};

// A window that tracks on a press: the rectangle, or a rubber band off it.
class CTrackerWnd : public CWnd {
public:
    CGridTracker m_tracker{CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside};
    BOOL m_bGrid = FALSE;
    CRectTracker m_plain{CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside};
    int m_nResult = -1;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        CRectTracker& tracker = m_bGrid ? m_tracker : m_plain;
        if (tracker.HitTest(point) == CRectTracker::hitNothing)
            m_nResult = tracker.TrackRubberBand(this, point);
        else
            m_nResult = tracker.Track(this, point);
    }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        m_plain.Draw(&dc);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTrackerWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
END_MESSAGE_MAP()

class RectTracker : public ::testing::Test {
protected:
    void SetUp() override {
        pm::afx::registerStandardClasses();
        ASSERT_TRUE(wnd.CreateEx(0, AFX_WNDFRAMEORVIEW, "Tracker", WS_OVERLAPPED | WS_VISIBLE, 120, 120, 320,
                                 240, nullptr, nullptr));
        pm::afxtest::pump();
    }
    void TearDown() override {
        wnd.DestroyWindow();
        pm::afxtest::pump();
    }
    void drag(CPoint from, std::vector<CPoint> path, bool escape = false) {
        pm::test::pressMouse(wnd.m_hWnd, from);
        for (CPoint p : path)
            pm::test::moveMouse(wnd.m_hWnd, p);
        if (escape) pm::test::pressKey(wnd.m_hWnd, VK_ESCAPE);
        pm::test::releaseMouse(wnd.m_hWnd, path.back());
        pm::afxtest::pump();
    }
    CTrackerWnd wnd;
};

} // namespace

TEST(RectTrackerHits, HandlesSidesMiddleAndTheMirroredRectangle) {
    CRectTracker tracker(CRect(50, 50, 150, 120), CRectTracker::solidLine | CRectTracker::resizeInside);
    struct Case {
        CPoint point;
        int hit;
    };
    for (Case c : {Case{{50, 50}, CRectTracker::hitTopLeft}, Case{{148, 50}, CRectTracker::hitTopRight},
                   Case{{148, 118}, CRectTracker::hitBottomRight},
                   Case{{50, 118}, CRectTracker::hitBottomLeft}, Case{{100, 50}, CRectTracker::hitTop},
                   Case{{148, 85}, CRectTracker::hitRight}, Case{{100, 118}, CRectTracker::hitBottom},
                   Case{{50, 85}, CRectTracker::hitLeft}, Case{{100, 85}, CRectTracker::hitMiddle},
                   Case{{20, 20}, CRectTracker::hitNothing}, Case{{160, 85}, CRectTracker::hitNothing}}) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(tracker.HitTest(c.point), c.hit);
    }
    // Mirrored left to right: the handle at the top left corner is the rectangle's top right.
    tracker.m_rect = CRect(150, 50, 50, 120);
    EXPECT_EQ(tracker.HitTest(CPoint(50, 50)), CRectTracker::hitTopRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitTopRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitLeft), CRectTracker::hitRight);
    tracker.m_rect = CRect(150, 120, 50, 50);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitMiddle), CRectTracker::hitMiddle);
    // A small rectangle has only its corners.
    tracker.m_rect = CRect(0, 0, 20, 20);
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu);
}

TEST_F(RectTracker, MovedAndResizedByTheMouse) {
    drag(CPoint(100, 85), {CPoint(110, 90), CPoint(130, 100)});
    EXPECT_EQ(wnd.m_nResult, TRUE);
    EXPECT_EQ(wnd.m_plain.m_rect, CRect(80, 65, 180, 135));
    drag(CPoint(178, 133), {CPoint(190, 140), CPoint(200, 160)});
    EXPECT_EQ(wnd.m_nResult, TRUE);
    EXPECT_EQ(wnd.m_plain.m_rect, CRect(80, 65, 202, 162));
    EXPECT_EQ(::GetCapture(), nullptr);
    wnd.Invalidate();
    wnd.UpdateWindow();
    pm::afxtest::savePng(wnd.m_hWnd, "rect_tracker");
}

TEST_F(RectTracker, EscRestoresTheRectangleAndAClickChangesNothing) {
    drag(CPoint(100, 85), {CPoint(120, 95), CPoint(140, 105)}, true);
    EXPECT_EQ(wnd.m_nResult, FALSE);
    EXPECT_EQ(wnd.m_plain.m_rect, CRect(50, 50, 150, 120));
    EXPECT_EQ(::GetCapture(), nullptr);
    pm::test::click(wnd.m_hWnd, CPoint(100, 85));
    pm::afxtest::pump();
    EXPECT_EQ(wnd.m_nResult, FALSE);
    EXPECT_EQ(wnd.m_plain.m_rect, CRect(50, 50, 150, 120));
}

TEST_F(RectTracker, ADerivedTrackerAdjustsAndFollowsTheRectangle) {
    wnd.m_bGrid = TRUE;
    wnd.m_tracker.m_sizeMin = CSize(40, 40);
    // The right edge pulled far left stops at the minimum width, on the grid.
    drag(CPoint(148, 85), {CPoint(120, 85), CPoint(63, 87)});
    EXPECT_EQ(wnd.m_tracker.m_rect, CRect(50, 50, 90, 120));
    ASSERT_FALSE(wnd.m_tracker.changes.empty());
    for (const CRect& r : wnd.m_tracker.changes) {
        EXPECT_EQ(r.right % 10, 0);
        EXPECT_GE(r.Width(), 40);
    }
}

TEST_F(RectTracker, TheRubberBandDrawsANewRectangle) {
    drag(CPoint(200, 20), {CPoint(220, 40), CPoint(180, 70)});
    EXPECT_EQ(wnd.m_nResult, TRUE);
    // Dragged left of its start, the band is inverted (allowed by default).
    EXPECT_EQ(wnd.m_plain.m_rect, CRect(200, 20, 180, 70));
}
