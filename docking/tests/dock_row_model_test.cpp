// The row arithmetic and the layout pass of sizeable dock bars, without windows.
#include "docking/DockRowLayout.h"
#include "docking/DockRowModel.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

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

RowEntry T(int length, int thickness = 26) {
    RowEntry e = RowEntry::Bar(length, thickness, true);
    e.toolBar = true;
    return e;
}

// The rows' rules hold after a step.
void ExpectHolds(const Row& row, const char* step = "") {
    std::string why;
    EXPECT_TRUE(checkInvariants(row, &why)) << step << ": " << why;
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
        ExpectHolds(row, c.name);
        EXPECT_EQ(Lengths(row), c.expected) << c.name;
    }
}

TEST(DockRowModel, SharingGivesTheRowsThicknessAndLeavesFixedRowsAlone) {
    Row row{N(), S(100, 80), S(100, 140), N(), F(200), F(100), N()};
    EXPECT_TRUE(ShareAllRows(row, 400, B));
    ExpectHolds(row);
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
    ExpectHolds(row, "expand");
    EXPECT_EQ(Lengths(row), (std::vector<int>{21, 558, 21})); // 100 + 200 + 300 - 42
    EXPECT_TRUE(row[2].expanded);
    // Expanding a neighbour while one is expanded keeps the sizes saved by the first expand.
    Expand(row, 1, true);
    ExpectHolds(row, "expand a neighbour");
    EXPECT_EQ(Lengths(row), (std::vector<int>{558, 21, 21}));
    EXPECT_FALSE(row[2].expanded);
    Expand(row, 1, false);
    ExpectHolds(row, "collapse");
    EXPECT_EQ(Lengths(row), (std::vector<int>{100, 200, 300}));
    EXPECT_FALSE(row[1].expanded);

    // Neighbours shorter than a collapsed bar take room from the expanded one, never below nothing.
    Row short_{N(), S(10), S(5), S(5), N()};
    Expand(short_, 1, true);
    ExpectHolds(short_, "expand among short bars");
    EXPECT_EQ(Lengths(short_), (std::vector<int>{0, 21, 21}));
}

TEST(DockRowModel, ShrinkingTakesWholeBarsFirstAndOnlyCommitsWhenAsked) {
    Row row{N(), S(30), S(50), S(100), N()};
    int visited = 0;
    EXPECT_EQ(ShrinkBackward(row, 2, 60, false, &visited), 60);
    EXPECT_EQ(visited, 2);
    EXPECT_EQ(Lengths(row), (std::vector<int>{30, 50, 100}));
    EXPECT_EQ(ShrinkBackward(row, 2, 60, true), 60);
    ExpectHolds(row);
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
        ExpectHolds(row, c.name);
        EXPECT_EQ(Lengths(row), c.lengths) << c.name;
    }
    // A row splitter gives every sizeable bar of the row the new thickness, never below its tool bars.
    Row row{N(), F(100, 26), S(200, 80), S(100, 60), N()};
    MoveRowSplitter(row, 1, true, 15);
    ExpectHolds(row);
    EXPECT_EQ(row[2].thickness, 95);
    EXPECT_EQ(row[3].thickness, 95);
    EXPECT_EQ(row[1].thickness, 26);
    MoveRowSplitter(row, 1, false, 500);
    ExpectHolds(row);
    EXPECT_EQ(row[2].thickness, 26);
}

TEST(DockRowModel, RowsMakeRoomForBarsDockedAndShownAgain) {
    // Docked by a drag: the row held 200 + 300 + 150 + two splitters = 666; the others share 666 -
    // 150 - 8 = 508 (504 after their overlaps and the splitter between them) at 200:300.
    Row docked{N(), S(200), S(300), S(150), N()};
    EXPECT_TRUE(AdjustForNewBar(docked, 3, B));
    ExpectHolds(docked);
    EXPECT_EQ(Lengths(docked), (std::vector<int>{201, 302, 150}));
    // A fixed bar brings no splitter: the bar alone shares 520 - 120 (and its overlap).
    Row tool{N(), S(400), F(120), N()};
    EXPECT_TRUE(AdjustForNewBar(tool, 2, B));
    ExpectHolds(tool);
    EXPECT_EQ(Lengths(tool), (std::vector<int>{402, 120}));
    Row alone{N(), S(150), N()};
    EXPECT_FALSE(AdjustForNewBar(alone, 1, B));

    // Shown again after being hidden: the others give back its length and its splitter out of the
    // dock bar's length (400), whatever they had grown to meanwhile.
    Row shown{N(), S(398), S(100), N(), S(402), N()};
    EXPECT_TRUE(ReturnShownBars(shown, {false, false, true, false, false, false}, 400, B));
    ExpectHolds(shown);
    EXPECT_EQ(Lengths(shown), (std::vector<int>{400 - 100 - 8 + 2, 100, 402}));
    Row none = shown;
    EXPECT_FALSE(ReturnShownBars(none, {}, 400, B));
    EXPECT_EQ(Lengths(none), Lengths(shown));
}

TEST(DockRowModel, ASizeableToolBarSharesButNeitherSplitsNorExpands) {
    // It shares its row as a sizeable bar does, with no splitter counted beside it.
    Row row{N(), S(100), T(100), N()};
    EXPECT_EQ(RowStatistics(row, 1).fixedLength, 0);
    EXPECT_TRUE(ShareRowLength(row, 1, 400, B));
    ExpectHolds(row);
    EXPECT_EQ(Lengths(row), (std::vector<int>{202, 202}));
    // A splitter beside it does not move, an expand leaves it as it is, and the arrangement code does
    // not count where it stands.
    EXPECT_EQ(InRowSplitterRange(row, 2, 420, B).max, 0);
    Expand(row, 1, true);
    ExpectHolds(row);
    EXPECT_EQ(row[2].length, 202);
    EXPECT_EQ(ArrangementCode(Row{N(), T(10), N()}), ArrangementCode(Row{N(), F(10), N()}));
    EXPECT_NE(ArrangementCode(Row{N(), S(10), N()}), ArrangementCode(Row{N(), F(10), N()}));
}

namespace {

RowEntry At(RowEntry e, int start, bool nowhere = false) {
    e.start = start;
    e.nowhere = nowhere;
    return e;
}

LayoutParams Params(int extent, bool leading = false) {
    LayoutParams p;
    p.extent = extent;
    p.leading = leading;
    return p;
}

Layout Checked(const Row& input, const LayoutParams& p) {
    Layout layout = LayOutRows(input, p);
    std::string why;
    EXPECT_TRUE(checkInvariants(layout, input, p, &why)) << why;
    return layout;
}

// The rows as text: each bar as its starting position along the row, rows parted by "|".
std::string Rows(const Layout& layout) {
    std::string out;
    for (size_t i = 1; i < layout.entries.size(); ++i) {
        const RowEntry& e = layout.entries[i];
        if (e.boundary) {
            out += i + 1 < layout.entries.size() ? " |" : "";
            continue;
        }
        out += " " + (e.visible ? std::to_string(layout.placed[i].along) : std::string("-"));
    }
    return out;
}

} // namespace

TEST(DockRowLayout, BarsWithoutRoomStartNewRowsInTheSamePass) {
    struct Case {
        const char* name;
        Row row;
        int extent;
        std::string rows;
    };
    const Case cases[] = {
        {"tool bars that fit keep their places", {N(), At(F(100), 0), At(F(100), 300), N()}, 500, " 0 300"},
        {"a tool bar past the end comes back into view",
         {N(), At(F(100), -2), At(F(200), 400), N()},
         500,
         " -2 300"},
        {"a tool bar without room starts the next row at its start",
         {N(), At(F(402), -2), At(F(200), 400), N()},
         400,
         " -2 | -2"},
        {"one that still starts in the row stays in it",
         {N(), At(F(300), -2), At(F(200), 400), N()},
         400,
         " -2 296"},
        {"hidden bars take no room",
         {N(), At(F(300), -2), RowEntry::Bar(200, 26, false, false), N()},
         400,
         " -2 -"},
        // Shared alone to the extent, a bar takes L + B.
        {"a sizeable bar past the end goes to a row of its own, shared",
         {N(), At(S(400), -2), At(S(100), 396), N()},
         400,
         " -2 | -2"},
        {"a sizeable bar with no place goes to a new row with those after it",
         {N(), At(F(100), -2), At(S(100), 0, true), At(F(50), 200), N()},
         400,
         " -2 | -2 350"},
        {"first in its row with no place: a row of its own, the rest after it",
         {N(), At(S(100), 0, true), At(S(100), 100), At(S(100), 200), N()},
         400,
         " -2 | -2 202"},
        {"a sizeable tool bar is laid out as a fixed bar",
         {N(), At(T(100), 50), At(F(100), 300), N()},
         500,
         " 50 300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Layout layout = Checked(c.row, Params(c.extent));
        EXPECT_EQ(Rows(layout), c.rows);
    }
    // The bars moved to a row of their own share its length.
    const Layout alone =
        Checked(Row{N(), At(S(100), 0, true), At(S(100), 100), At(S(300), 200), N()}, Params(400));
    EXPECT_EQ(alone.entries[1].wantLength, 402);
    EXPECT_EQ(alone.entries[3].wantLength + alone.entries[4].wantLength, 404 - 8);
}

TEST(DockRowLayout, SplittersStandBetweenSizeableBarsAndBeforeOrAfterTheirRows) {
    const Row row{N(), At(S(200, 100), 0), At(S(200, 100), 0), N(), At(F(100, 26), 0), N()};
    // A bottom or right dock bar: a row splitter before the sizeable row, none before the tool bars.
    Layout trailing = Checked(row, Params(500));
    ASSERT_EQ(trailing.splitters.size(), 2u);
    EXPECT_TRUE(trailing.splitters[0].betweenRows);
    EXPECT_EQ(trailing.splitters[0].across, -2);
    EXPECT_EQ(trailing.splitters[0].alongEnd, trailing.alongSize);
    EXPECT_FALSE(trailing.splitters[1].betweenRows);
    EXPECT_EQ(trailing.splitters[1].along, 196); // -2 + 200 - 2
    EXPECT_EQ(trailing.placed[2].along, 204);
    EXPECT_EQ(trailing.placed[4].across, -2 + 8 + 100 - 2);
    // A left or top dock bar: the row splitter follows the sizeable row and sizes it; the last one
    // after the last row adds what the dock bar's side gives.
    Row twice = row;
    twice.insert(twice.end() - 1, At(S(100, 40), 0));
    twice.back() = N();
    LayoutParams left = Params(500, true);
    left.finalSplitterGrowth = 7;
    const Layout leading = Checked(twice, left);
    ASSERT_EQ(leading.splitters.size(), 3u);
    EXPECT_TRUE(leading.splitters[1].betweenRows);
    EXPECT_EQ(leading.splitters[1].row, 1);
    EXPECT_EQ(leading.splitters[1].across, -2 + 100 - 2);
    EXPECT_TRUE(leading.splitters[2].betweenRows);
    EXPECT_EQ(leading.splitters[2].row, 4);
    EXPECT_EQ(leading.acrossSize, leading.splitters[2].across + 7);
}

namespace {

// A random dock bar: up to four rows of up to five bars of every kind, some hidden, some without a
// place, their windows anywhere along the row.
Row RandomRows(std::mt19937& random) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Row row{N()};
    for (int r = pick(1, 4); r > 0; --r) {
        for (int b = pick(1, 5); b > 0; --b) {
            const int kind = pick(0, 9);
            RowEntry e = kind < 5   ? F(pick(0, 300), pick(1, 60))
                         : kind < 9 ? S(pick(0, 400), pick(1, 200))
                                    : T(pick(0, 300), pick(1, 60));
            e.visible = pick(0, 7) != 0;
            e.start = pick(-60, 900);
            e.nowhere = e.sizeable && pick(0, 9) == 0;
            if (pick(0, 3) == 0) e.wantLength = pick(0, 400); // the window lags behind the bar's size
            row.push_back(e);
        }
        row.push_back(N());
    }
    return row;
}

// The next pass sees the bars where this one placed them.
Row AsPlaced(const Layout& layout) {
    Row next = layout.entries;
    for (size_t i = 0; i < next.size(); ++i) {
        RowEntry& e = next[i];
        if (e.boundary || !e.visible) continue;
        const Placement& at = layout.placed[i];
        e.length = at.length;
        e.thickness = at.thickness;
        e.start = at.along;
        e.nowhere = at.length <= 0 || at.thickness <= 0 || at.along + at.length <= 0;
    }
    return next;
}

bool SamePlaces(const Layout& a, const Layout& b) {
    if (a.entries.size() != b.entries.size()) return false;
    for (size_t i = 0; i < a.entries.size(); ++i) {
        if (a.entries[i].boundary != b.entries[i].boundary) return false;
        const Placement &p = a.placed[i], &q = b.placed[i];
        if (p.along != q.along || p.across != q.across || p.length != q.length || p.thickness != q.thickness)
            return false;
    }
    return true;
}

} // namespace

TEST(DockRowLayout, RandomBarSetsLayOutWithoutOverlapEachInsideItsRow) {
    std::mt19937 random(20261211);
    for (int run = 0; run < 10000; ++run) {
        Row input = RandomRows(random);
        LayoutParams p = Params(std::uniform_int_distribution<int>(0, 800)(random), run % 2 == 0);
        p.floating = run % 10 == 3;
        // As a layout after the frame's size changed, the rows are shared first half of the time.
        if (run % 4 < 2) ShareAllRows(input, p.extent, p.overlap);
        SCOPED_TRACE("run " + std::to_string(run));
        const Layout layout = Checked(input, p);
        // No two bars overlap more than their borders, and each lies in its row's band.
        std::vector<std::pair<int, int>> bands; // per row: across start and end
        std::vector<int> rowOf(layout.entries.size(), -1);
        for (size_t i = 0, r = 0; i < layout.entries.size(); ++i) {
            if (layout.entries[i].boundary) {
                if (!bands.empty() && bands.size() == r + 1) ++r;
                continue;
            }
            if (!layout.entries[i].visible) continue;
            const Placement& at = layout.placed[i];
            if (bands.size() == r) bands.emplace_back(at.across, at.across);
            bands[r].second = std::max(bands[r].second, at.across + at.thickness);
            rowOf[i] = static_cast<int>(r);
        }
        for (size_t i = 0; i < layout.entries.size(); ++i) {
            if (rowOf[i] < 0) continue;
            const Placement& a = layout.placed[i];
            EXPECT_GE(a.across, bands[rowOf[i]].first);
            EXPECT_LE(a.across + a.thickness, bands[rowOf[i]].second);
            for (size_t j = i + 1; j < layout.entries.size(); ++j) {
                if (rowOf[j] < 0) continue;
                const Placement& b = layout.placed[j];
                const bool apartAlong =
                    a.along + a.length - p.overlap <= b.along || b.along + b.length - p.overlap <= a.along;
                const bool apartAcross = a.across + a.thickness - p.overlapAcross <= b.across ||
                                         b.across + b.thickness - p.overlapAcross <= a.across;
                ASSERT_TRUE(apartAlong || apartAcross) << "entries " << i << " and " << j;
            }
        }
        for (size_t r = 1; r < bands.size(); ++r)
            EXPECT_GE(bands[r].first, bands[r - 1].second - p.overlapAcross);
        // The passes that follow settle: a bar shared to nothing has no place and gets a row of its
        // own in the next pass, and after that nothing moves any more.
        Layout last = layout;
        int passes = 0;
        for (bool settled = false; !settled && passes < 4; ++passes) {
            Layout next = Checked(AsPlaced(last), p);
            settled = SamePlaces(last, next);
            last = std::move(next);
        }
        ASSERT_LT(passes, 4);
    }
}
