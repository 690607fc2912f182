// The row arithmetic of sizeable dock bars, without windows.
#include "docking/DockRowModel.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dock;

namespace {

constexpr int B = 2;

RowEntry S(int length, int thickness = 100) {
    return RowEntry::Bar(length, thickness, true);
}
RowEntry F(int length, int thickness = 26) {
    return RowEntry::Bar(length, thickness, false);
}
RowEntry N() {
    return RowEntry::Boundary();
}

std::vector<int> Lengths(const Row& row) {
    std::vector<int> out;
    for (const RowEntry& e : row)
        if (!e.boundary) out.push_back(e.length);
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
    const Row row{N(), S(100, 90), F(40, 30), S(50, 120), S(60, 100), RowEntry::Bar(70, 500, true, false),
                  N()};
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

TEST(DockRowModel, SplitterRangesKeepTheRowsLimits) {
    struct Case {
        const char* name;
        Row row;
        int index; // the splitter's place: a row's start, or the bar after an in-row splitter
        bool rowSplitter, leading;
        Range expected;
    };
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    // Bars 100 and 300 from -2 with a splitter between them end at 404: 16 free of an extent of 420.
    const Case cases[] = {
        {"left dock: no thinner than its thickest tool bar",
         {N(), F(100, 26), S(200, 80), N()},
         1,
         true,
         true,
         {26 - 80, kMax}},
        {"right dock: likewise the other way",
         {N(), F(100, 26), S(200, 80), N()},
         1,
         true,
         false,
         {kMin, 80 - 26}},
        {"a row of sizeable bars alone may go to nothing",
         {N(), S(200, 80), N()},
         1,
         true,
         true,
         {-80, kMax}},
        {"in-row: both neighbours give all but a caption",
         {N(), S(100), S(300), N()},
         2,
         false,
         false,
         {-(100 - 21), 300 + 16 - 21}},
        {"in-row: a single sizeable bar cannot move", {N(), S(200), F(50), N()}, 2, false, false, {0, 0}},
        {"in-row: a hidden neighbour takes no part",
         {N(), S(200), RowEntry::Bar(90, 100, true, false), N()},
         2,
         false,
         false,
         {0, 0}},
    };
    for (const Case& c : cases) {
        const Range r = c.rowSplitter ? RowSplitterRange(c.row, c.index, c.leading)
                                      : InRowSplitterRange(c.row, c.index, 420, B);
        EXPECT_EQ(r.min, c.expected.min) << c.name;
        EXPECT_EQ(r.max, c.expected.max) << c.name;
    }
}

TEST(DockRowModel, MovingASplitterTradesLengthOrThickness) {
    struct Case {
        const char* name;
        Row row;
        int index, delta;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {"backward: the bar before gives, the one after takes",
         {N(), S(100), S(300), N()},
         2,
         -50,
         {50, 350}},
        {"forward: the bar after gives, the one before takes", {N(), S(100), S(300), N()}, 2, 50, {150, 250}},
        {"backward past a whole bar: the next one gives the rest",
         {N(), S(30), S(50), S(100), N()},
         3,
         -60,
         {20, 0, 160}},
        {"forward past the bars: the free room at the end", {N(), S(100), S(300), N()}, 2, 310, {410, 0}},
    };
    for (const Case& c : cases) {
        Row row = c.row;
        MoveInRowSplitter(row, c.index, c.delta, 420, B);
        EXPECT_EQ(Lengths(row), c.lengths) << c.name;
    }
    // A row splitter gives every sizeable bar of the row the new thickness, never below its tool bars.
    Row row{N(), F(100, 26), S(200, 80), S(100, 60), N()};
    MoveRowSplitter(row, 1, true, 15);
    EXPECT_EQ(row[2].thickness, 95);
    EXPECT_EQ(row[3].thickness, 95);
    EXPECT_EQ(row[1].thickness, 26);
    MoveRowSplitter(row, 1, false, 500);
    EXPECT_EQ(row[2].thickness, 26);
}

TEST(DockRowModel, RowsMakeRoomForBarsDockedAndShownAgain) {
    // Docked by a drag: the row held 200 + 300 + 150 + two splitters = 666; the others share 666 -
    // 150 - 8 = 508 (504 after their overlaps and the splitter between them) at 200:300.
    Row docked{N(), S(200), S(300), S(150), N()};
    EXPECT_TRUE(AdjustForNewBar(docked, 3, B));
    EXPECT_EQ(Lengths(docked), (std::vector<int>{201, 302, 150}));
    // A fixed bar brings no splitter: the bar alone shares 520 - 120 (and its overlap).
    Row tool{N(), S(400), F(120), N()};
    EXPECT_TRUE(AdjustForNewBar(tool, 2, B));
    EXPECT_EQ(Lengths(tool), (std::vector<int>{402, 120}));
    Row alone{N(), S(150), N()};
    EXPECT_FALSE(AdjustForNewBar(alone, 1, B));

    // Shown again after being hidden: the others give back its length and its splitter out of the
    // dock bar's length (400), whatever they had grown to meanwhile.
    Row shown{N(), S(398), S(100), N(), S(402), N()};
    EXPECT_TRUE(ReturnShownBars(shown, {false, false, true, false, false, false}, 400, B));
    EXPECT_EQ(Lengths(shown), (std::vector<int>{400 - 100 - 8 + 2, 100, 402}));
    Row none = shown;
    EXPECT_FALSE(ReturnShownBars(none, {}, 400, B));
    EXPECT_EQ(Lengths(none), Lengths(shown));
}
