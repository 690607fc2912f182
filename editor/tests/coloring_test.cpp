// The colouring pass without a window: classes of token words, the comment-marker list kept in
// step with edits and paired into comments (nesting, the span limit, what to recolour), the
// comment overlay, and the coloured RTF.

#include "editor/HHColoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

CHHCommentMarker marker(int pos, bool start, int pair = 0) {
    CHHCommentMarker m;
    m.m_nPos = pos;
    m.m_nLength = 2;
    m.m_bStart = start ? 1 : 0;
    m.m_nPair = pair;
    return m;
}

void fill(CHHCommentMarkerArray& a, std::initializer_list<CHHCommentMarker> list) {
    for (const auto& m : list)
        a.Add(m);
}

std::vector<int> positions(const CHHCommentMarkerArray& a) {
    std::vector<int> p;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        p.push_back(a[i].m_nPos);
    return p;
}

std::vector<int> pairs(const CHHCommentMarkerArray& a) {
    std::vector<int> p;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        p.push_back(a[i].m_nPair);
    return p;
}

TEST(Coloring, ClassesOfTokenWords) {
    const struct {
        WORD bits;
        int cls;
    } cases[] = {{0, 0},     {1, 1},       {2, 2},      {8, 5},    {16, 4},    {32, 3},
                 {256, 6},   {512, 7},     {1024, 8},   {2048, 9}, {4096, 10}, {1 | 2, 1},
                 {2 | 8, 2}, {16 | 32, 4}, {0x4000, 0}, {64, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(hh::ClassFromTokenBits(c.bits), c.cls) << c.bits;
    // User Defined 2 has no entry of its own: it shows as the default, never past the table.
    hh::ColorEntry table[hh::kColorClasses];
    hh::SetDefaultColors(table);
    EXPECT_EQ(&hh::EntryForClass(table, 10), &table[0]);
    EXPECT_EQ(&hh::EntryForClass(table, 9), &table[9]);
}

TEST(Coloring, MarkersFollowDeletionsAndInsertions) {
    // "/*" at 10, "*/" at 20, "/*" at 40.
    CHHCommentMarkerArray list;
    fill(list, {marker(10, true), marker(20, false), marker(40, true)});
    hh::ShiftMarkers(list, TRUE, 15, 19); // deleting before "*/" pulls later markers back
    EXPECT_EQ(positions(list), (std::vector<int>{10, 16, 36}));
    hh::ShiftMarkers(list, TRUE, 16, 18); // deleting "*/" drops it
    EXPECT_EQ(positions(list), (std::vector<int>{10, 34}));
    hh::ShiftMarkers(list, FALSE, 11, 12); // typing inside "/*" breaks it
    EXPECT_EQ(positions(list), (std::vector<int>{35}));
    hh::ShiftMarkers(list, FALSE, 35, 38); // typing right before a marker pushes it on
    EXPECT_EQ(positions(list), (std::vector<int>{38}));

    CHHCommentMarkerArray found;
    fill(found, {marker(0, true), marker(8, false)});
    hh::MergeMarkers(list, found, 30); // 30 and 38: 38 is already there
    EXPECT_EQ(positions(list), (std::vector<int>{30, 38}));
}

// The markers of a stretch are taken with their pairing and put back in place of whatever the
// stretch holds then, fewer or more, the markers around it staying as they are.
TEST(Coloring, MarkersOfAStretchArePutBackAsTheyWereKept) {
    CHHCommentMarkerArray kept;
    fill(kept, {marker(5, true, 1), marker(12, true, 1), marker(20, false, 1), marker(33, false, 0)});
    const std::vector<CHHCommentMarker> taken = hh::MarkersIn(kept, 12, 33);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].m_nPos, 12);
    EXPECT_EQ(taken[1].m_nPos, 20);
    const struct {
        const char* name;
        std::initializer_list<CHHCommentMarker> now;
    } cases[] = {
        {"none there now", {marker(5, true, 1), marker(33, false, 0)}},
        {"one there now", {marker(5, true, 2), marker(15, false, 2), marker(33, false, 0)}},
        {"more there now",
         {marker(5, true, 1), marker(12, true), marker(14, true), marker(16, false), marker(20, false),
          marker(33, false, 0)}},
        {"nothing around", {marker(13, false)}},
    };
    for (const auto& c : cases) {
        CHHCommentMarkerArray list;
        fill(list, c.now);
        std::vector<int> expected;
        for (const CHHCommentMarker& m : c.now)
            if (m.m_nPos < 12 || m.m_nPos >= 33) expected.push_back(m.m_nPos);
        expected.insert(std::upper_bound(expected.begin(), expected.end(), 11), {12, 20});
        hh::PutBackMarkers(list, 12, 33, taken);
        EXPECT_EQ(positions(list), expected) << c.name;
        EXPECT_EQ(pairs(list)[static_cast<std::size_t>(std::find(expected.begin(), expected.end(), 12) -
                                                       expected.begin())],
                  1)
            << c.name << ": the pairing comes back as kept";
    }
    hh::PutBackMarkers(kept, 12, 33, {});
    EXPECT_EQ(positions(kept), (std::vector<int>{5, 33}));
}

TEST(Coloring, PairingNestsSkipsAndLimitsSpans) {
    // A nested start inside a comment is skipped; the first end closes the comment.
    CHHCommentMarkerArray nested;
    fill(nested, {marker(0, true), marker(10, true), marker(20, false), marker(30, false)});
    hh::PairMarkers(nested);
    EXPECT_EQ(pairs(nested), (std::vector<int>{1, 2, 2, 0}));

    // An end 1024 or more after its start pairs with nothing; 1023 still pairs.
    CHHCommentMarkerArray longOne;
    fill(longOne, {marker(0, true), marker(1024, false)});
    hh::PairMarkers(longOne);
    EXPECT_EQ(pairs(longOne), (std::vector<int>{0, 0}));
    CHHCommentMarkerArray justFits;
    fill(justFits, {marker(0, true), marker(1023, false)});
    hh::PairMarkers(justFits);
    EXPECT_EQ(pairs(justFits), (std::vector<int>{1, 1}));

    // A start without an end stays unpaired.
    CHHCommentMarkerArray open;
    fill(open, {marker(5, false), marker(10, true)});
    hh::PairMarkers(open);
    EXPECT_EQ(pairs(open), (std::vector<int>{0, 0}));
}

TEST(Coloring, PairingTellsWhatToRecolour) {
    CHHCommentMarkerArray list;
    fill(list, {marker(100, true), marker(200, false)});
    auto first = hh::PairMarkers(list);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front().first, 100);
    EXPECT_EQ(first.back().second, 202);
    // Pairing again with nothing changed recolours nothing.
    EXPECT_TRUE(hh::PairMarkers(list).empty());

    // The end goes: what the comment covered is recoloured, and no more than the span limit.
    hh::ShiftMarkers(list, TRUE, 200, 202);
    auto unpaired = hh::PairMarkers(list);
    ASSERT_EQ(unpaired.size(), 1u);
    EXPECT_EQ(unpaired[0].first, 100);
    EXPECT_GE(unpaired[0].second, 202);
    EXPECT_LE(unpaired[0].second, 102 + hh::kMaxCommentSpan);

    // A start typed far above an existing comment: the new pair covers only up to its end.
    CHHCommentMarkerArray distant;
    fill(distant, {marker(50000, true), marker(50100, false)});
    hh::PairMarkers(distant);
    CHHCommentMarkerArray typed;
    fill(typed, {marker(0, true)});
    hh::MergeMarkers(distant, typed, 10);
    auto stretches = hh::PairMarkers(distant);
    // The new start's comment would reach past the span limit: nothing pairs, and only the old
    // comment's text is recoloured, not the 50,000 characters between.
    ASSERT_FALSE(stretches.empty());
    for (const auto& s : stretches) {
        EXPECT_GE(s.first, 50000);
        EXPECT_LE(s.second, 50102);
    }
    EXPECT_EQ(pairs(distant), (std::vector<int>{0, 0, 0}));
}

TEST(Coloring, InsideACommentForTheScanner) {
    CHHCommentMarkerArray list;
    fill(list, {marker(10, true), marker(20, false), marker(5000, true)});
    hh::PairMarkers(list);
    const struct {
        int pos;
        bool inside;
    } cases[] = {{0, false}, {11, false}, {12, true},
                 {20, true}, {22, false}, {6000, true}}; // unpaired start too
    for (const auto& c : cases)
        EXPECT_EQ(hh::InsideComment(list, c.pos), c.inside) << c.pos;
}

TEST(Coloring, OverlayColoursCommentsStartingBeforeTheStretch) {
    CHHCommentMarkerArray list;
    fill(list, {marker(10, true), marker(30, false), marker(50, true)});
    hh::PairMarkers(list);
    std::vector<WORD> tokens(20, HHTOKEN_KEYWORD); // the stretch [20, 40)
    hh::OverlayCommentPairs(list, 20, 40, tokens.data());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(tokens[static_cast<std::size_t>(i)], HHTOKEN_COMMENT) << i;
    for (int i = 12; i < 20; ++i)
        EXPECT_EQ(tokens[static_cast<std::size_t>(i)], HHTOKEN_KEYWORD) << i;

    std::u16string text(20, u'x');
    text.replace(10, 2, u"/*");
    hh::BlankUnpairedMarkers(list, 40, 60, text.data()); // the unpaired start at 50
    EXPECT_EQ(text.substr(10, 2), u"  ");
}

TEST(Coloring, RtfEscapesBreaksAndClassChanges) {
    hh::ColorEntry table[hh::kColorClasses];
    hh::SetDefaultColors(table);
    const std::string text = "a\\{}\tb\r\nc\nd\re";
    std::vector<WORD> tokens(text.size(), 0);
    tokens[0] = HHTOKEN_OPERATOR;  // bold class 5
    tokens.back() = HHTOKEN_USER2; // class 10 shows as 0
    const std::string rtf = hh::BuildColoredRtf(text.data(), text.size(), tokens.data(), table, true);
    EXPECT_EQ(rtf.substr(0, 11), "{{\\colortbl");
    EXPECT_NE(rtf.find("\\red0\\green0\\blue255;"), std::string::npos);
    const std::string body = rtf.substr(rtf.find("}\r\n") + 3);
    EXPECT_EQ(body,
              "\\cf5\\b\\i0 a\\cf0\\b0\\i0 \\\\\\{\\}\\tab b\r\n\\par c\r\n\\par d\r\n\\par e\r\n\\par }");
    EXPECT_EQ(hh::BuildColoredRtf("x", 1, tokens.data(), table, false).back(), '}');
}

TEST(Coloring, ShownClassesFollowEditsAndTellWhatDiffers) {
    // Keywords (class 1) around a stretch of strings (class 3) in [10, 30).
    auto tokens = [](int length, int stringsFrom, int stringsTo) {
        std::vector<WORD> t(static_cast<std::size_t>(length), HHTOKEN_KEYWORD);
        for (int i = stringsFrom; i < stringsTo; ++i)
            t[static_cast<std::size_t>(i)] = HHTOKEN_STRING;
        return t;
    };
    const std::vector<WORD> kept = tokens(20, 5, 10);
    struct Case {
        const char* name;
        std::vector<std::pair<bool, hh::Stretch>> edits; // deleted, [start, end)
        int start;
        std::vector<WORD> now;
        hh::Stretch differing;
    } cases[] = {
        {"nothing changed", {}, 10, kept, {10, 10}},
        {"a class changed", {}, 10, tokens(20, 5, 11), {20, 21}},
        {"two typed inside", {{false, {17, 19}}}, 10, tokens(22, 5, 12), {17, 19}},
        {"typed at the start", {{false, {10, 11}}}, 10, tokens(21, 6, 11), {10, 11}},
        {"typed at the end", {{false, {30, 31}}}, 10, tokens(21, 5, 10), {30, 31}},
        {"typed at two places", {{false, {12, 13}}, {false, {25, 26}}}, 10, tokens(22, 6, 11), {12, 26}},
        {"deleted inside", {{true, {12, 14}}}, 10, tokens(18, 3, 8), {10, 10}},
        {"text before moves it", {{false, {0, 4}}, {true, {1, 2}}}, 13, kept, {13, 13}},
        {"a deletion reaching into it", {{true, {8, 12}}}, 8, tokens(18, 3, 8), {8, 8}},
        {"text after leaves it", {{false, {40, 45}}}, 10, kept, {10, 10}},
        {"another stretch", {}, 11, tokens(19, 4, 9), {11, 30}},
        {"another length", {}, 10, tokens(19, 5, 10), {10, 29}},
    };
    for (const Case& c : cases) {
        hh::ShownClasses shown;
        shown.Take(10, kept.data(), static_cast<int>(kept.size()));
        for (const auto& e : c.edits)
            shown.Change(e.first, e.second.first, e.second.second);
        const int length = static_cast<int>(c.now.size());
        EXPECT_EQ(shown.Take(c.start, c.now.data(), length), c.differing) << c.name;
        EXPECT_EQ(shown.Take(c.start, c.now.data(), length), hh::Stretch(c.start, c.start))
            << c.name << ", taken";
        // Told where the words may differ, the same is found reading only there: words outside
        // are not read.
        hh::ShownClasses within;
        within.Take(10, kept.data(), static_cast<int>(kept.size()));
        for (const auto& e : c.edits)
            within.Change(e.first, e.second.first, e.second.second);
        if (!within.Holds(c.start, length)) continue;
        hh::Stretch read = c.differing;
        const hh::Stretch inserted = within.NotKnown();
        if (inserted.first < inserted.second)
            read = hh::Stretch(std::min(read.first, inserted.first), std::max(read.second, inserted.second));
        std::vector<WORD> partly(c.now.size(), HHTOKEN_COMMENT);
        for (int i = read.first; i < read.second; ++i)
            partly[static_cast<std::size_t>(i - c.start)] = c.now[static_cast<std::size_t>(i - c.start)];
        EXPECT_EQ(within.TakeWithin(c.start, partly.data(), length, read, hh::Stretch(0, 0)), c.differing)
            << c.name << ", read in part";
        EXPECT_EQ(within.Take(c.start, c.now.data(), length), hh::Stretch(c.start, c.start))
            << c.name << ", read in part and taken";
    }
    hh::ShownClasses shown;
    shown.Take(10, kept.data(), static_cast<int>(kept.size()));
    shown.Forget(29, 40);
    EXPECT_EQ(shown.Take(10, kept.data(), 20), hh::Stretch(10, 30)) << "formats set otherwise are not known";
    // User Defined 2 shows as Default, as the RTF writes it.
    const std::vector<WORD> plain(4, HHTOKEN_DEFAULT), user2(4, HHTOKEN_USER2);
    shown.Take(0, plain.data(), 4);
    EXPECT_EQ(shown.Take(0, user2.data(), 4), hh::Stretch(0, 0));
    // Typed text whose token words equal those around it still has classes not shown.
    const std::vector<WORD> morePlain(5, HHTOKEN_DEFAULT);
    shown.Change(FALSE, 1, 2);
    EXPECT_EQ(shown.Take(0, morePlain.data(), 5), hh::Stretch(1, 2));
}

// The words a Take was told were overlaid move with the edits after it, as the text does.
TEST(Coloring, ShownClassesKeepWhereTheOverlaidWordsAre) {
    const std::vector<WORD> kept(20, HHTOKEN_KEYWORD);
    const struct {
        const char* name;
        bool deleted;
        hh::Stretch edit;
        hh::Stretch overlaid;
    } cases[] = {{"typed before them", false, {12, 14}, {17, 22}},
                 {"typed inside them", false, {17, 19}, {15, 22}},
                 {"typed right after them", false, {20, 21}, {15, 20}},
                 {"deleted before them", true, {11, 13}, {13, 18}},
                 {"deleted across their start", true, {13, 17}, {13, 16}},
                 {"deleted whole", true, {14, 22}, {0, 0}}};
    for (const auto& c : cases) {
        hh::ShownClasses shown;
        shown.Take(10, kept.data(), static_cast<int>(kept.size()), hh::Stretch(15, 20));
        EXPECT_EQ(shown.Overlaid(), hh::Stretch(15, 20)) << c.name;
        shown.Change(c.deleted, c.edit.first, c.edit.second);
        EXPECT_EQ(shown.Overlaid(), c.overlaid) << c.name;
    }
}

// The hull of what OverlayCommentPairs marks, a comment reaching into the stretch included.
TEST(Coloring, CommentPairsInSpanWhatTheOverlayMarks) {
    CHHCommentMarkerArray markers;
    fill(markers, {marker(2, true, 1), marker(8, false, 1), marker(20, true, 1), marker(30, false, 1),
                   marker(40, true)});
    hh::PairMarkers(markers);
    const struct {
        int start;
        int end;
    } stretches[] = {{0, 50}, {5, 25}, {10, 18}, {22, 50}, {32, 50}};
    for (const auto& st : stretches) {
        std::vector<WORD> tokens(static_cast<std::size_t>(st.end - st.start), HHTOKEN_DEFAULT);
        hh::OverlayCommentPairs(markers, st.start, st.end, tokens.data());
        hh::Stretch marked(0, 0);
        for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
            if (tokens[static_cast<std::size_t>(i)] != HHTOKEN_COMMENT) continue;
            if (marked.first == marked.second) marked.first = st.start + i;
            marked.second = st.start + i + 1;
        }
        EXPECT_EQ(hh::CommentPairsIn(markers, st.start, st.end), marked) << st.start << "-" << st.end;
    }
}

// Reads back RTF as BuildColoredRtf writes it: each text byte with the class it is shown in (line
// breaks come back as CR LF).
std::pair<std::string, std::string> readColoredRtf(const std::string& rtf) {
    std::string text, classes;
    char cls = '?';
    for (std::size_t i = rtf.find("}\r\n") + 3; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '}' && i + 1 == rtf.size()) break;
        if (c != '\\') {
            text += c;
            classes += cls;
            continue;
        }
        const char next = rtf[++i];
        if (next == '\\' || next == '{' || next == '}') {
            text += next;
            classes += cls;
        } else if (next == 'c') { // \cfN
            cls = rtf[i + 2];
            i = rtf.find(' ', i); // past \cfN\bX\iY and its space
        } else if (rtf.compare(i, 4, "tab ") == 0) {
            text += '\t';
            classes += cls;
            i += 3;
        } else if (rtf.compare(i, 4, "par ") == 0) {
            i += 3;
        }
    }
    return {text, classes};
}

TEST(Coloring, RtfOfALargeTextReadsInPiecesOfAnySize) {
    hh::ColorEntry table[hh::kColorClasses];
    hh::SetDefaultColors(table);
    // Long tokens cross the writer's pieces, escapes and breaks land on their edges.
    std::string text;
    std::vector<WORD> tokens;
    const WORD words[] = {HHTOKEN_DEFAULT, HHTOKEN_KEYWORD, HHTOKEN_COMMENT, HHTOKEN_STRING,
                          HHTOKEN_OPERATOR};
    for (int i = 0; text.size() < 200000; ++i) {
        const std::size_t length = i % 7 == 0 ? 20000 : static_cast<std::size_t>(1 + i % 13);
        for (std::size_t k = 0; k < length; ++k) {
            const char c = "ab\\{}\txy\r "[(static_cast<std::size_t>(i) * 7 + k) % 10];
            text += c;
            tokens.push_back(words[i % 5]);
            if (c == '\r') { // a break is CR LF in the text the control is given
                text += '\n';
                tokens.push_back(words[i % 5]);
            }
        }
    }
    const std::string whole = hh::BuildColoredRtf(text.data(), text.size(), tokens.data(), table, false);
    std::string expectedClasses;
    for (const WORD t : tokens)
        expectedClasses += static_cast<char>('0' + hh::ClassFromTokenBits(t));
    const auto [readText, readClasses] = readColoredRtf(whole);
    ASSERT_EQ(readText, text);
    EXPECT_EQ(readClasses, expectedClasses);
    for (const std::size_t size : {1u, 7u, 4096u, 100000u}) {
        hh::ColoredRtf source(text.data(), text.size(), tokens.data(), table, false);
        std::string pieces;
        std::vector<char> buffer(size);
        while (const std::size_t n = source.Read(buffer.data(), size))
            pieces.append(buffer.data(), n);
        EXPECT_EQ(pieces, whole) << size;
    }
}

TEST(Coloring, LineBreaksBecomeCrLf) {
    EXPECT_EQ(hh::WithCrLf("a\nb\r\nc\rd", 8), "a\r\nb\r\nc\r\nd");
}

} // namespace
