#include "platform/framework/framework.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, SizesCornersAndMoves) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 110, 70));
    r.BottomRight().Offset(-10, -20);
    EXPECT_EQ(r, CRect(0, 0, 100, 50));
    r.MoveToXY(5, 6);
    EXPECT_EQ(r, CRect(5, 6, 105, 56));
    r.OffsetRect(CSize(-5, -6));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(1, 2, 97, 46));
    r.InflateRect(1, 2);
    EXPECT_EQ(r, CRect(0, 0, 98, 48));
    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_FALSE(CRect(1, 1, 1, 1).IsRectNull());
    EXPECT_TRUE(CRect(1, 1, 1, 1).IsRectEmpty());
}

TEST(CRect, SetOperations) {
    const CRect a(0, 0, 10, 10), b(5, 5, 20, 20);
    EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
    EXPECT_EQ(a | b, CRect(0, 0, 20, 20));
    EXPECT_TRUE((a & CRect(10, 0, 20, 10)).IsRectNull()); // touching edges do not intersect
    EXPECT_TRUE(a.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(a.PtInRect(CPoint(10, 5)));
    CRect c;
    EXPECT_TRUE(c.IntersectRect(a, b));
    EXPECT_EQ(c, CRect(5, 5, 10, 10));
    EXPECT_EQ(a + CPoint(1, 2), CRect(1, 2, 11, 12));
    EXPECT_EQ(a - CSize(1, 2), CRect(-1, -2, 9, 8));
    const RECT* asRect = a; // passes where a RECT* is expected
    EXPECT_EQ(asRect->right, 10);
}

TEST(CPoint, ArithmeticAndPackedCoordinates) {
    CPoint p(3, 4);
    EXPECT_EQ(p + CSize(1, 1), CPoint(4, 5));
    EXPECT_EQ(p - CPoint(1, 1), CSize(2, 3));
    EXPECT_EQ(-p, CPoint(-3, -4));
    p += CPoint(1, 1);
    p -= CSize(2, 2);
    EXPECT_EQ(p, CPoint(2, 3));
    EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-5), 7))), CPoint(-5, 7));
    EXPECT_EQ(CSize(2, 3) + CSize(1, 1), CSize(3, 4));
    EXPECT_NE(CSize(2, 3), CSize(3, 2));
}

TEST(CRect, ArchivedAsFourLongs) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CRect(1, -1, 2, 3) << CPoint(4, 5) << CSize(6, 7);
    }
    EXPECT_EQ(file.GetLength(), 32u);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CRect r;
    CPoint p;
    CSize s;
    ar >> r >> p >> s;
    EXPECT_EQ(r, CRect(1, -1, 2, 3));
    EXPECT_EQ(p, CPoint(4, 5));
    EXPECT_EQ(s, CSize(6, 7));
}

} // namespace
