#pragma once
// Character formats of a text, stored as runs: each run is a start position and the id of an
// interned format. Setting a format over a range splits at most two runs and merges equal
// neighbours, so a coloured text costs one entry per token, not per byte.

#include "platform/win/richedit/partitioning.h"
#include "platform/win/wintypes.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pm::richedit {

// One character format, with the attributes the control keeps.
struct RunFormat {
    COLORREF color = 0;
    bool autoColor = true;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool protect = false;
    bool link = false;
    LONG heightTwips = 200;
    LONG offsetTwips = 0;
    BYTE charSet = 0;
    BYTE pitchAndFamily = 0;
    std::string face;

    bool operator==(const RunFormat& o) const;
    bool operator!=(const RunFormat& o) const { return !(*this == o); }
};

using FormatId = int;

// A piece of formatted text, for loading many runs in one step.
struct FormattedPiece {
    int length;
    FormatId format;
};

// Interns formats, so runs compare and store a small id.
class FormatTable {
public:
    FormatId intern(const RunFormat& format);
    const RunFormat& get(FormatId id) const { return m_formats[static_cast<std::size_t>(id)]; }
    int size() const { return static_cast<int>(m_formats.size()); }

private:
    std::vector<RunFormat> m_formats;
    std::unordered_map<std::string, FormatId> m_index;
};

struct Run {
    int start;
    int end;
    FormatId format;
};

class FormatRuns {
public:
    explicit FormatRuns(FormatId initial = 0, int blockSize = Partitioning::kDefaultBlockSize)
        : m_starts(blockSize) {
        reset(initial);
    }

    // One run of `initial` over an empty text.
    void reset(FormatId initial);
    int runCount() const { return m_starts.partitions(); }
    int length() const { return m_starts.end(); }

    // The run holding the character at pos (the last run for pos == length()).
    Run runAt(int pos) const;
    Run run(int index) const;
    int runIndexAt(int pos) const { return m_starts.partitionFromPosition(pos); }
    FormatId formatAt(int pos) const { return m_starts.value(runIndexAt(std::clamp(pos, 0, length()))); }

    // Calls f(run) for each run from the one holding pos on, in order, while f returns true.
    template <class F> void forEach(int pos, F f) const {
        m_starts.forEach(runIndexAt(std::clamp(pos, 0, length())), [&](const Partitioning::Span& s) {
            return f(Run{s.start, s.end, s.value});
        });
    }

    // Text of length len added at the end in format `format` (the fast way to build runs).
    void append(int len, FormatId format);
    // Many pieces of text added at the end, each in its format.
    void append(const FormattedPiece* pieces, std::size_t n);
    // Inserted text of length len at pos, given format `format`.
    void insert(int pos, int len, FormatId format);
    void erase(int pos, int len);
    void setFormat(int pos, int len, FormatId format);
    // Gives the text from pos on the formats of the pieces, setting only where they differ from
    // the runs; answers the stretch that changed (empty when none did).
    std::pair<int, int> restyle(int pos, const FormattedPiece* pieces, std::size_t n);

    // Checks, through PM_ASSERT, that the runs cover the text without an empty run (but the one of
    // an empty text) and that no two neighbours share a format. A pass over every run: for tests.
    void checkInvariants() const;

private:
    // Makes pos a run start (no-op at 0, the end, or an existing start); returns the run index
    // starting at pos.
    int splitAt(int pos);
    void mergeAround(int index);
    // Drops runs (first, last): their text goes to run `first`.
    void dropBetween(int first, int last);
    // All runs made again: those outside [pos, end) as they are, the pieces' inside.
    void rebuild(int pos, int end, const FormattedPiece* pieces, std::size_t n);

    // The runs' starts, each with its format as its value.
    Partitioning m_starts;
};

} // namespace pm::richedit
