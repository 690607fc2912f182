// The block structures under the rich-edit model, each pushed to its edges: blocks of one to four
// entries so that small inputs split and join blocks all the time, random edits checked against
// plain vectors and strings, and each structure's own invariants checked after every edit.
#include "platform/win/richedit/format_runs.h"
#include "platform/win/richedit/partitioning.h"
#include "platform/win/richedit/split_vector.h"
#include "platform/win/richedit/text_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

using namespace pm::richedit;

namespace {

int below(std::mt19937& rng, int n) {
    return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0;
}

// Starts and values as plain vectors, with the end of the text.
struct PartitionReference {
    std::vector<int> starts{0};
    std::vector<int> values{0};
    int end = 0;

    int length(int p) const {
        return (p + 1 < static_cast<int>(starts.size()) ? starts[p + 1] : end) - starts[p];
    }
    int partitionOf(int pos, bool counted = false) const {
        int p = 0;
        for (int i = 0; i < static_cast<int>(starts.size()); ++i)
            if (starts[i] + (counted ? i : 0) <= pos) p = i;
        return p;
    }
};

void expectSame(const Partitioning& got, const PartitionReference& want) {
    const int n = static_cast<int>(want.starts.size());
    ASSERT_EQ(got.partitions(), n);
    ASSERT_EQ(got.end(), want.end);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(got.positionFromPartition(i), want.starts[i]) << i;
        ASSERT_EQ(got.value(i), want.values[i]) << i;
        Partitioning::Span span = got.span(i);
        ASSERT_EQ(span.start, want.starts[i]) << i;
        ASSERT_EQ(span.end, want.starts[i] + want.length(i)) << i;
    }
    ASSERT_EQ(got.positionFromPartition(n), want.end);
    for (int pos = -1; pos <= want.end + 1; ++pos)
        ASSERT_EQ(got.partitionFromPosition(pos), want.partitionOf(pos)) << pos;
    for (int pos = -1; pos <= want.end + n; ++pos)
        ASSERT_EQ(got.partitionFromCountedPosition(pos), want.partitionOf(pos, true)) << pos;
}

} // namespace

TEST(Partitioning, RandomEditsWithBlocksOfEverySmallSize) {
    for (int blockSize : {1, 2, 3, 4, 1024}) {
        SCOPED_TRACE(blockSize);
        std::mt19937 rng(static_cast<unsigned>(blockSize));
        Partitioning got(blockSize);
        PartitionReference want;
        for (int step = 0; step < 2500; ++step) {
            const int n = static_cast<int>(want.starts.size());
            // A look-up just before each edit, asked again after it: the edit must not leave an
            // answer kept from before it.
            const int probe = below(rng, want.end + 2) - 1;
            got.partitionFromPosition(probe);
            switch (below(rng, 6)) {
            case 0: { // text in a partition
                int p = below(rng, n);
                int delta = below(rng, 8) - std::min(3, want.length(p));
                got.insertText(p, delta);
                for (int i = p + 1; i < n; ++i)
                    want.starts[i] += delta;
                want.end += delta;
                break;
            }
            case 1:
            case 2: { // a new partition inside a partition of some length
                int p = below(rng, n);
                if (want.length(p) < 2) break;
                int pos = want.starts[p] + 1 + below(rng, want.length(p) - 1);
                int value = below(rng, 100);
                got.insertPartition(p + 1, pos, value);
                want.starts.insert(want.starts.begin() + p + 1, pos);
                want.values.insert(want.values.begin() + p + 1, value);
                break;
            }
            case 3: { // a run of partitions merged into the one before
                if (n < 2) break;
                int p = 1 + below(rng, n - 1);
                int count = 1 + below(rng, std::min(n - p, 9));
                got.removePartitions(p, count);
                want.starts.erase(want.starts.begin() + p, want.starts.begin() + p + count);
                want.values.erase(want.values.begin() + p, want.values.begin() + p + count);
                break;
            }
            case 4: { // partitions added at the end
                int count = below(rng, 7);
                std::vector<int> lengths, values;
                for (int i = 0; i < count; ++i) {
                    lengths.push_back(1 + below(rng, 5));
                    values.push_back(below(rng, 100));
                    want.starts.push_back(want.end);
                    want.values.push_back(values.back());
                    want.end += lengths.back();
                }
                // The text's old last partition ends where the first new one begins.
                got.appendPartitions(lengths.data(), values.data(), count);
                break;
            }
            default: {
                int p = below(rng, n);
                int value = below(rng, 100);
                got.setValue(p, value);
                want.values[p] = value;
            }
            }
            got.checkInvariants();
            ASSERT_EQ(got.partitionFromPosition(probe), want.partitionOf(probe)) << probe;
            if (step % 25 == 0) expectSame(got, want);
            if (testing::Test::HasFatalFailure()) return;
        }
        expectSame(got, want);
        got.clear();
        expectSame(got, PartitionReference{});
    }
}

// The partition found last answers a look-up only inside its own span: every answer is the same
// whatever was looked up before it, at the span's edges, in an empty partition and at the ends of
// the int range.
TEST(Partitioning, AnswersDoNotDependOnTheLookUpBefore) {
    Partitioning got; // [0, 4) [4, 4) [4, 9) [9, 12)
    const int lengths[] = {0, 5, 3};
    const int values[] = {1, 2, 3};
    got.insertText(0, 4);
    got.appendPartitions(lengths, values, 3);
    PartitionReference want;
    want.starts = {0, 4, 4, 9};
    want.end = 12;
    const int positions[] = {INT_MIN, -1, 0, 3, 4, 8, 9, 11, 12, 13, INT_MAX};
    for (int before : positions)
        for (int pos : positions) {
            got.partitionFromPosition(before);
            EXPECT_EQ(got.partitionFromPosition(pos), want.partitionOf(pos)) << before << " then " << pos;
        }
}

TEST(TextBuffer, RandomEditsWithBlocksOfEverySmallSize) {
    const char* pieces[] = {"a", "bc\rd", "\r", "xyz", "\r\r", "long line without a break", "p\rq\rr\rs\r"};
    for (int blockSize : {1, 2, 3, 4, 64}) {
        for (int lineBlockSize : {1, 3}) {
            SCOPED_TRACE(blockSize * 10 + lineBlockSize);
            std::mt19937 rng(static_cast<unsigned>(blockSize * 7 + lineBlockSize));
            TextBuffer got(blockSize, lineBlockSize);
            std::string want;
            for (int step = 0; step < 1500; ++step) {
                int len = static_cast<int>(want.size());
                int pos = below(rng, len + 1);
                if (below(rng, 3) == 0) {
                    int cut = below(rng, std::min(len - pos, 30) + 1);
                    got.erase(pos, cut);
                    want.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(cut));
                } else {
                    std::string piece = pieces[below(rng, 7)];
                    got.insert(pos, piece);
                    want.insert(static_cast<std::size_t>(pos), piece);
                }
                got.checkInvariants();
                if (step % 20 != 0) continue;
                ASSERT_EQ(got.text(0, got.length()), want);
                // Each line is one contiguous stretch and reads back whole.
                int line = 0;
                for (int p = 0; p <= got.length(); ++p) {
                    ASSERT_EQ(got.lineFromPosition(p), line) << p;
                    ASSERT_EQ(got.charAt(p), p < got.length() ? want[static_cast<std::size_t>(p)] : '\0');
                    if (p < got.length() && want[static_cast<std::size_t>(p)] == '\r') {
                        int start = got.lineStart(line);
                        ASSERT_EQ(got.lineEnd(line), p);
                        int pieces = 0;
                        got.forEachPiece(start, p + 1 - start,
                                         [&](const char*, int, int) { return ++pieces, true; });
                        ASSERT_LE(pieces, 2) << "a line lies in one block";
                        ASSERT_EQ(std::string(got.view(start, p - start)),
                                  want.substr(static_cast<std::size_t>(start),
                                              static_cast<std::size_t>(p - start)));
                        ++line;
                    }
                }
                ASSERT_EQ(got.lineCount(), line + 1);
                // Blocks of several lines stay near the block size: there are not many more than bytes call
                // for.
                ASSERT_LE(got.blockCount(), got.lineCount());
            }
        }
    }
}

TEST(TextBuffer, BlocksHoldWholeLinesAndALongLineAlone) {
    TextBuffer text(16);
    std::string lines;
    for (int i = 0; i < 40; ++i)
        lines += "line " + std::to_string(i % 10) + "\r"; // 7 bytes each
    text.insert(0, lines);
    // Two lines (14 bytes) fit a block of 16.
    EXPECT_EQ(text.blockCount(), 20);
    const std::string longLine(1000, 'x');
    text.insert(text.lineStart(10), longLine);
    EXPECT_EQ(text.blockCount(), 21) << "the long line takes a block of its own";
    EXPECT_EQ(text.text(0, text.length()), lines.substr(0, 70) + longLine + lines.substr(70));
    // Typing in the long line leaves the blocks as they are.
    for (int i = 0; i < 50; ++i)
        text.insert(text.lineStart(10) + 500, "y");
    EXPECT_EQ(text.blockCount(), 21);
    // Deleting the breaks around it joins it with its neighbours.
    text.erase(text.lineEnd(10), 1);
    text.erase(text.lineEnd(9), 1);
    EXPECT_EQ(text.lineCount(), 39);
    EXPECT_EQ(text.lineEnd(9) - text.lineStart(9), 6 + 1050 + 6 + 6);
    EXPECT_EQ(text.blockCount(), 20) << "the joined line alone, line 8 in a block of its own";
    text.erase(0, text.length());
    EXPECT_EQ(text.blockCount(), 1);
    EXPECT_EQ(text.length(), 0);
    EXPECT_EQ(text.lineCount(), 1);
}

TEST(FormatRuns, RandomEditsWithBlocksOfEverySmallSize) {
    for (int blockSize : {1, 2, 3, 4}) {
        SCOPED_TRACE(blockSize);
        std::mt19937 rng(static_cast<unsigned>(blockSize));
        FormatRuns got(0, blockSize);
        std::vector<FormatId> want; // one format a byte
        for (int step = 0; step < 2000; ++step) {
            int len = static_cast<int>(want.size());
            int pos = below(rng, len + 1);
            int n = below(rng, std::min(len - pos, 12) + 1);
            FormatId f = below(rng, 3);
            switch (below(rng, 5)) {
            case 4: { // formats given again for a stretch: only what differs changes
                // Now and then most of the text, so that the runs are built again in one pass.
                const int stretch = step % 16 == 0 ? len - pos : n;
                std::vector<FormattedPiece> pieces;
                for (int left = stretch; left > 0;) {
                    int piece = std::min(left, below(rng, 4));
                    pieces.push_back(FormattedPiece{piece, below(rng, 3)});
                    left -= piece;
                }
                std::vector<FormatId> before = want;
                int at = pos;
                for (const FormattedPiece& p : pieces) {
                    std::fill(want.begin() + at, want.begin() + at + p.length, p.format);
                    at += p.length;
                }
                std::pair<int, int> changed = got.restyle(pos, pieces.data(), pieces.size());
                for (int i = 0; i < len; ++i)
                    if (before[static_cast<std::size_t>(i)] != want[static_cast<std::size_t>(i)]) {
                        ASSERT_GE(i, changed.first);
                        ASSERT_LT(i, changed.second);
                    }
                if (changed.first < changed.second) {
                    ASSERT_NE(before[static_cast<std::size_t>(changed.first)],
                              want[static_cast<std::size_t>(changed.first)]);
                    ASSERT_NE(before[static_cast<std::size_t>(changed.second - 1)],
                              want[static_cast<std::size_t>(changed.second - 1)]);
                }
                break;
            }
            case 0:
                got.erase(pos, n);
                want.erase(want.begin() + pos, want.begin() + pos + n);
                break;
            case 1:
                got.setFormat(pos, n, f);
                std::fill(want.begin() + pos, want.begin() + pos + n, f);
                break;
            case 2: {
                std::vector<FormattedPiece> pieces{{1 + below(rng, 3), f},
                                                   {1 + below(rng, 3), below(rng, 3)}};
                got.append(pieces.data(), pieces.size());
                for (const FormattedPiece& p : pieces)
                    want.insert(want.end(), static_cast<std::size_t>(p.length), p.format);
                break;
            }
            default:
                got.insert(pos, n + 1, f);
                want.insert(want.begin() + pos, static_cast<std::size_t>(n + 1), f);
            }
            ASSERT_EQ(got.length(), static_cast<int>(want.size()));
            got.checkInvariants();
            if (step % 10 != 0) continue;
            for (int i = 0; i < got.length(); ++i)
                ASSERT_EQ(got.formatAt(i), want[static_cast<std::size_t>(i)]) << i;
            // Runs cover the text exactly and never hold two equal neighbours.
            int end = 0;
            for (int i = 0; i < got.runCount(); ++i) {
                pm::richedit::Run run = got.run(i);
                ASSERT_EQ(run.start, end);
                if (i > 0) {
                    ASSERT_NE(run.format, got.run(i - 1).format);
                }
                end = run.end;
            }
            ASSERT_EQ(end, got.length());
        }
    }
}

TEST(SplitVector, SegmentsWithTheGapAtEveryPosition) {
    const std::string text = "0123456789abcdef";
    for (std::size_t gap = 0; gap <= text.size(); ++gap) {
        // The text after the gap first, then the text before it: the gap ends up between.
        SplitVector<char> v;
        v.insert(0, text.data() + gap, text.size() - gap);
        v.insert(0, text.data(), gap);
        for (std::size_t pos = 0; pos <= text.size(); ++pos) {
            for (std::size_t n = 0; pos + n <= text.size(); ++n) {
                std::string got;
                int segments = 0;
                v.forEachSegment(pos, n, [&](const char* bytes, std::size_t count) {
                    got.append(bytes, count);
                    ++segments;
                });
                ASSERT_EQ(got, text.substr(pos, n)) << gap << " " << pos << " " << n;
                ASSERT_LE(segments, pos < gap && pos + n > gap ? 2 : 1);
            }
        }
    }
}

TEST(SplitVector, LastAtMostWithTheGapAtEveryPosition) {
    const std::vector<int> values = {0, 2, 2, 5, 7, 7, 7, 9};
    const std::size_t n = values.size();
    for (std::size_t gap = 0; gap <= n; ++gap) {
        SplitVector<int> v;
        v.insert(0, values.data() + gap, n - gap);
        v.insert(0, values.data(), gap);
        for (std::size_t first = 0; first <= n; ++first) {
            for (std::size_t end = first; end <= n; ++end) {
                for (int x = -1; x <= 10; ++x) {
                    std::ptrdiff_t want = static_cast<std::ptrdiff_t>(first) - 1;
                    for (std::size_t i = first; i < end; ++i)
                        if (values[i] <= x) want = static_cast<std::ptrdiff_t>(i);
                    ASSERT_EQ(v.lastAtMost(first, end, x), want)
                        << gap << " " << first << " " << end << " " << x;
                }
            }
        }
    }
}
