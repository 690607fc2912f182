#include "platform/win/wintypes.h"

#include <gtest/gtest.h>

TEST(Rect, IntersectUnionAndEmpty) {
    RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, r{};
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    EXPECT_TRUE(EqualRect(&r, &(const RECT&)RECT{5, 5, 10, 10}));
    RECT c{10, 0, 20, 10};
    EXPECT_FALSE(IntersectRect(&r, &a, &c)); // touching edges do not intersect
    EXPECT_TRUE(IsRectEmpty(&r));
    EXPECT_TRUE(UnionRect(&r, &a, &b));
    EXPECT_TRUE(EqualRect(&r, &(const RECT&)RECT{0, 0, 20, 20}));
    RECT empty{3, 3, 3, 8};
    EXPECT_TRUE(UnionRect(&r, &empty, &a));
    EXPECT_TRUE(EqualRect(&r, &a));
}

TEST(Rect, PointsOffsetsAndInflate) {
    RECT a{0, 0, 10, 10};
    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5})); // right and bottom edges are outside
    OffsetRect(&a, 5, -5);
    InflateRect(&a, 1, 2);
    EXPECT_TRUE(EqualRect(&a, &(const RECT&)RECT{4, -7, 16, 7}));
}

TEST(Rect, SubtractOnlyWhenTheResultIsARectangle) {
    RECT a{0, 0, 10, 10}, r{};
    RECT top{-1, -1, 11, 4};
    EXPECT_TRUE(SubtractRect(&r, &a, &top));
    EXPECT_TRUE(EqualRect(&r, &(const RECT&)RECT{0, 4, 10, 10}));
    RECT middle{2, 2, 4, 4};
    EXPECT_TRUE(SubtractRect(&r, &a, &middle));
    EXPECT_TRUE(EqualRect(&r, &a));
}

TEST(Macros, WordsColoursAndMulDiv) {
    EXPECT_EQ(MAKELONG(0x1234, 0xABCD), (LONG)0xABCD1234);
    EXPECT_EQ(LOWORD(0xABCD1234u), 0x1234);
    EXPECT_EQ(HIWORD(0xABCD1234u), 0xABCD);
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(-5, 7)), -5);
    COLORREF c = RGB(1, 2, 3);
    EXPECT_EQ(c, 0x030201u);
    EXPECT_EQ(GetRValue(c), 1);
    EXPECT_EQ(GetGValue(c), 2);
    EXPECT_EQ(GetBValue(c), 3);
    EXPECT_EQ(sizeof(WPARAM), sizeof(void*));
    EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
    EXPECT_EQ(MulDiv(10, 3, 4), 8); // 7.5 rounds away from zero
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x7fffffff, 2, 1), -1);
}
