// The row arithmetic of sizeable dock bars, without windows.
#include "docking/DockRowModel.h"

#include <gtest/gtest.h>

using namespace dock;

namespace {

constexpr int B = 2;

RowEntry S(int length, int thickness = 100) { return RowEntry::Bar(length, thickness, true); }
RowEntry F(int length, int thickness = 26) { return RowEntry::Bar(length, thickness, false); }
RowEntry N() { return RowEntry::Boundary(); }

std::vector<int> Lengths(const Row& row) {
    std::vector<int> out;
    for (const RowEntry& e : row)
        if (!e.boundary)
            out.push_back(e.length);
    return out;
}

} // namespace

TEST(DockRowModel, SharesAreIntegerFloorsOfTheAvailableLength) {
    struct Case {
        const char* name;
        Row row;
        int length;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"single bar takes L + B", {N(), S(50), N()}, 400, {402}},
        // 596 + 2*2 - 8 (splitter) = 592, shared 100:300.
        {"two bars 100 and 300", {N(), S(100), S(300), N()}, 596, {148, 444}},
        // 101 + 3*2 - 16 = 91: three floors of 30.33 leave 1 unused.
        {"floors leave the remainder unused", {N(), S(1), S(1), S(1), N()}, 101, {30, 30, 30}},
        {"all zero: the first takes everything", {N(), S(0), S(0), N()}, 300, {296, 0}},
        // A fixed bar keeps its length and is taken off what the sizeable bars share.
        {"fixed bar keeps its length", {N(), F(120), S(10), N()}, 500, {120, 384}},
        {"hidden bar takes no part", {N(), S(100), RowEntry::Bar(50, 100, true, false), N()}, 200, {202, 50}},
    };
    for (const Case& c : cases) {
        Row row = c.row;
        EXPECT_TRUE(ShareRowLength(row, 1, c.length, B)) << c.name;
        EXPECT_EQ(Lengths(row), c.expected) << c.name;
    }
}

TEST(DockRowModel, SharingGivesTheRowsThicknessAndLeavesFixedRowsAlone) {
    Row row{N(), S(100, 80), S(100, 140), N(), F(200), F(100), N()};
    EXPECT_TRUE(ShareAllRows(row, 400, B));
    EXPECT_EQ(row[1].thickness, 140);
    EXPECT_EQ(row[2].thickness, 140);
    EXPECT_EQ(Lengths(row), (std::vector<int>{198, 198, 200, 100}));
    Row fixedOnly{N(), F(200), N()};
    EXPECT_FALSE(ShareRowLength(fixedOnly, 1, 400, B));
    EXPECT_EQ(fixedOnly[1].length, 200);
}

TEST(DockRowModel, StatisticsCountSplittersBetweenSizeableNeighboursOnly) {
    const Row row{N(), S(100, 90), F(40, 30), S(50, 120), S(60, 100), RowEntry::Bar(70, 500, true, false), N()};
    const RowStats s = RowStatistics(row, 1);
    EXPECT_EQ(s.sizeableLength, 210);
    EXPECT_EQ(s.fixedLength, 40 + 8);
    EXPECT_EQ(s.thickness, 120);
    EXPECT_EQ(s.fixedThickness, 30);
    EXPECT_EQ(s.sizeableCount, 3);
    EXPECT_EQ(s.barCount, 4);
    EXPECT_EQ(s.totalLength, 258);
}

TEST(DockRowModel, ExpandCollapsesTheOthersAndCollapseRestoresAll) {
    Row row{N(), S(100), S(200), S(300), N()};
    Expand(row, 2, true);
    EXPECT_EQ(Lengths(row), (std::vector<int>{21, 558, 21})); // 100 + 200 + 300 - 42
    EXPECT_TRUE(row[2].expanded);
    // Expanding a neighbour while one is expanded keeps the sizes saved by the first expand.
    Expand(row, 1, true);
    EXPECT_EQ(Lengths(row), (std::vector<int>{558, 21, 21}));
    EXPECT_FALSE(row[2].expanded);
    Expand(row, 1, false);
    EXPECT_EQ(Lengths(row), (std::vector<int>{100, 200, 300}));
    EXPECT_FALSE(row[1].expanded);
}

TEST(DockRowModel, ShrinkingTakesWholeBarsFirstAndOnlyCommitsWhenAsked) {
    Row row{N(), S(30), S(50), S(100), N()};
    int visited = 0;
    EXPECT_EQ(ShrinkBackward(row, 2, 60, false, &visited), 60);
    EXPECT_EQ(visited, 2);
    EXPECT_EQ(Lengths(row), (std::vector<int>{30, 50, 100}));
    EXPECT_EQ(ShrinkBackward(row, 2, 60, true), 60);
    EXPECT_EQ(Lengths(row), (std::vector<int>{20, 0, 100}));
    // More than the bars hold: all they have.
    EXPECT_EQ(ShrinkBackward(row, 2, 16000, false), 20);
    // Forward, the free room after the row counts as given: bars 20, 0 and 100 laid from -2 with
    // two splitters end at 130, so 70 of a 200 extent is free.
    EXPECT_EQ(ShrinkForward(row, 3, 16000, false, 200, B), 100 + 70);
}

TEST(DockRowModel, ArrangementCodeChangesWithBarsAndRows) {
    const Row one{N(), S(10), F(10), N()};
    const Row twoRows{N(), S(10), N(), F(10), N()};
    const Row hidden{N(), S(10), RowEntry::Bar(10, 10, false, false), N()};
    EXPECT_NE(ArrangementCode(one), ArrangementCode(twoRows));
    EXPECT_NE(ArrangementCode(one), ArrangementCode(hidden));
    EXPECT_EQ(ArrangementCode(one) & 0xFF, 2);
    EXPECT_EQ(ArrangementCode(Row{N()}), 0);
}

TEST(DockRowModel, RowBarCountFindsTheRowAtAnOffset) {
    // Rows 100 and 50 thick: the first spans 0..98, the second 98..146.
    const Row row{N(), S(10, 100), S(10, 60), S(10, 100), N(), F(10, 50), N()};
    EXPECT_EQ(RowBarCount(row, 10, 1, B), 2);
    EXPECT_EQ(RowBarCount(row, 10, -1, B), 3);
    EXPECT_EQ(RowBarCount(row, 120, -1, B), 1);
    EXPECT_EQ(RowBarCount(row, -5, -1, B), 0);
    EXPECT_EQ(RowBarCount(row, 146, -1, B), 0);
}
