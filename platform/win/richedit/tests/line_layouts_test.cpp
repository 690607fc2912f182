// The layouts of long lines kept in step with edits: after any mix of typing, deleting, tabs,
// format changes and line breaks, each point the cache gives is a piece start with the x a walk
// from the line's start finds there, and the width is the line's.
#include "platform/win/richedit/line_layouts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace pm::richedit;

namespace {

constexpr int kTab = 40;

// Lines of text split at '\n'; a run is a stretch of letters of one case (the case stands for the
// format), a tab is a piece alone and ends at the next multiple of kTab. Letters are of widths 3 to 7.
struct Text {
    std::string bytes;

    int lineStart(int pos) const {
        while (pos > 0 && bytes[static_cast<std::size_t>(pos - 1)] != '\n')
            --pos;
        return pos;
    }
    int lineLength(int start) const {
        std::size_t end = bytes.find('\n', static_cast<std::size_t>(start));
        return static_cast<int>((end == std::string::npos ? bytes.size() : end) -
                                static_cast<std::size_t>(start));
    }
    static int width(char c) { return 3 + (c % 5); }
    static bool upper(char c) { return c >= 'A' && c <= 'Z'; }

    void walk(int pos, int x, const LineLayouts::Visit& visit) const {
        const int end = lineStart(pos) + lineLength(lineStart(pos));
        while (pos < end) {
            const char c = bytes[static_cast<std::size_t>(pos)];
            if (c == '\t') {
                int next = (x / kTab + 1) * kTab;
                if (!visit(LineLayouts::Piece{pos, pos + 1, x, next - x, true})) return;
                x = next;
                ++pos;
                continue;
            }
            int to = pos, w = 0;
            while (to < end && bytes[static_cast<std::size_t>(to)] != '\t' &&
                   upper(bytes[static_cast<std::size_t>(to)]) == upper(c))
                w += width(bytes[static_cast<std::size_t>(to++)]);
            if (!visit(LineLayouts::Piece{pos, to, x, w, false})) return;
            x += w;
            pos = to;
        }
    }

    // Piece starts of the line with their x, and its width, walked from its start.
    std::vector<LineLayouts::Point> pieceStarts(int start, int* lineWidth) const {
        std::vector<LineLayouts::Point> points;
        *lineWidth = 0;
        walk(start, 0, [&](const LineLayouts::Piece& p) {
            points.push_back({p.from, p.x});
            *lineWidth = p.x + p.width;
            return true;
        });
        return points;
    }
};

void expectRight(LineLayouts& layouts, const Text& text, int start, std::mt19937& rng) {
    const int length = text.lineLength(start);
    auto walk = [&text](int pos, int x, const LineLayouts::Visit& visit) { text.walk(pos, x, visit); };
    int lineWidth = 0;
    const std::vector<LineLayouts::Point> truth = text.pieceStarts(start, &lineWidth);
    auto isPieceStart = [&](LineLayouts::Point p) {
        if (p.pos == start) return p.x == 0;
        for (const LineLayouts::Point& t : truth)
            if (t.pos == p.pos) return t.x == p.x;
        return false;
    };
    for (int i = 0; i < 3; ++i) {
        const int pos = start + static_cast<int>(rng() % static_cast<unsigned>(length + 1));
        const LineLayouts::Point p = layouts.before(start, length, pos, walk);
        ASSERT_LE(p.pos, pos);
        ASSERT_TRUE(isPieceStart(p)) << "before " << pos << ": " << p.pos << " at " << p.x;
        const int x = static_cast<int>(rng() % static_cast<unsigned>(lineWidth + 20)) - 10;
        const LineLayouts::Point q = layouts.beforeX(start, length, x, walk);
        ASSERT_TRUE(q.x <= x || q.pos == start) << x;
        ASSERT_TRUE(isPieceStart(q)) << "before x " << x << ": " << q.pos << " at " << q.x;
    }
    ASSERT_EQ(layouts.width(start, length, walk), lineWidth);
}

} // namespace

TEST(LineLayouts, PointsStayPieceStartsThroughEdits) {
    const char* pieces[] = {"a", "B", "\t", "xyz", "QRS", "\n", "mixed Case\twords"};
    for (int spacing : {1, 2, 4, 16}) {
        SCOPED_TRACE(spacing);
        std::mt19937 rng(static_cast<unsigned>(spacing));
        Text text;
        for (int i = 0; i < 60; ++i)
            text.bytes += i % 7 == 0 ? "ab\tCD" : "abcABC";
        LineLayouts layouts(spacing);
        auto lineLength = [&text](int start) { return text.lineLength(start); };
        for (int step = 0; step < 5000; ++step) {
            const int len = static_cast<int>(text.bytes.size());
            const int pos = static_cast<int>(rng() % static_cast<unsigned>(len + 1));
            switch (rng() % 3) {
            case 0: {
                std::string piece = pieces[rng() % 7];
                text.bytes.insert(static_cast<std::size_t>(pos), piece);
                layouts.textChanged(pos, pos, pos + static_cast<int>(piece.size()), lineLength);
                break;
            }
            case 1: {
                const int cut = static_cast<int>(rng() % static_cast<unsigned>(std::min(len - pos, 6) + 1));
                text.bytes.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(cut));
                layouts.textChanged(pos, pos + cut, pos, lineLength);
                break;
            }
            default: { // a new format: the case of a stretch flips
                const int n = static_cast<int>(rng() % static_cast<unsigned>(std::min(len - pos, 5) + 1));
                for (int i = pos; i < pos + n; ++i) {
                    char& c = text.bytes[static_cast<std::size_t>(i)];
                    if (Text::upper(c))
                        c = static_cast<char>(c - 'A' + 'a');
                    else if (c >= 'a' && c <= 'z')
                        c = static_cast<char>(c - 'a' + 'A');
                }
                layouts.formatsChanged(pos, pos + n);
            }
            }
            layouts.checkInvariants();
            // Now and then several edits before a look (marks wait through more than one).
            if (rng() % 3 == 0) continue;
            // The line around the edit, and the first line.
            expectRight(layouts, text, text.lineStart(std::min(pos, static_cast<int>(text.bytes.size()))),
                        rng);
            expectRight(layouts, text, 0, rng);
            layouts.checkInvariants();
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(LineLayouts, TypingWithoutTabsWalksOnlyNearTheEdit) {
    Text text;
    for (int i = 0; i < 5000; ++i)
        text.bytes += "abcABC";
    LineLayouts layouts(64);
    int walked = 0;
    auto walk = [&](int pos, int x, const LineLayouts::Visit& visit) {
        text.walk(pos, x, [&](const LineLayouts::Piece& p) {
            walked += p.to - p.from;
            return visit(p);
        });
    };
    auto lineLength = [&text](int start) { return text.lineLength(start); };
    const int length = static_cast<int>(text.bytes.size());
    layouts.width(0, length, walk);
    walked = 0;
    for (int i = 0; i < 100; ++i) {
        const int at = 15000 + i;
        text.bytes.insert(static_cast<std::size_t>(at), "a");
        layouts.textChanged(at, at, at + 1, lineLength);
        layouts.before(0, length + i + 1, at + 1, walk);
        layouts.width(0, length + i + 1, walk);
    }
    // Each key costs a walk of about the spacing, not of the line.
    EXPECT_LT(walked, 100 * 3 * 64);
}
