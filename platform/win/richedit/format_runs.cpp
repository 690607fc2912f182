#include "platform/win/richedit/format_runs.h"

#include "platform/win/pm_assert.h"

#include <algorithm>

namespace pm::richedit {

bool RunFormat::operator==(const RunFormat& o) const {
    return color == o.color && autoColor == o.autoColor && bold == o.bold && italic == o.italic &&
           underline == o.underline && strikeOut == o.strikeOut && protect == o.protect && link == o.link &&
           heightTwips == o.heightTwips && offsetTwips == o.offsetTwips && charSet == o.charSet &&
           pitchAndFamily == o.pitchAndFamily && face == o.face;
}

FormatId FormatTable::intern(const RunFormat& f) {
    std::string key;
    key.reserve(32 + f.face.size());
    auto put = [&key](long v) { key.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(static_cast<long>(f.color));
    put((f.autoColor ? 1 : 0) | (f.bold ? 2 : 0) | (f.italic ? 4 : 0) | (f.underline ? 8 : 0) |
        (f.strikeOut ? 16 : 0) | (f.protect ? 32 : 0) | (f.link ? 64 : 0));
    put(f.heightTwips);
    put(f.offsetTwips);
    put(f.charSet | f.pitchAndFamily << 8);
    key += f.face;
    auto it = m_index.find(key);
    if (it != m_index.end()) return it->second;
    FormatId id = static_cast<FormatId>(m_formats.size());
    m_formats.push_back(f);
    m_index.emplace(std::move(key), id);
    return id;
}

void FormatRuns::reset(FormatId initial) {
    m_starts.clear();
    m_starts.setValue(0, initial);
}

Run FormatRuns::run(int index) const {
    Partitioning::Span span = m_starts.span(index);
    return Run{span.start, span.end, span.value};
}

Run FormatRuns::runAt(int pos) const {
    return run(runIndexAt(std::clamp(pos, 0, length())));
}

int FormatRuns::splitAt(int pos) {
    if (pos <= 0) return 0;
    if (pos >= length()) return runCount();
    int index = m_starts.partitionFromPosition(pos);
    Partitioning::Span span = m_starts.span(index);
    if (span.start == pos) return index;
    m_starts.insertPartition(index + 1, pos, span.value);
    return index + 1;
}

void FormatRuns::mergeAround(int index) {
    // Merge index with index + 1, then index - 1 with index, when their formats are equal.
    for (int i : {index, index - 1}) {
        if (i < 0 || i + 1 >= runCount()) continue;
        if (m_starts.value(i) != m_starts.value(i + 1)) continue;
        m_starts.removePartitions(i + 1, 1);
    }
}

void FormatRuns::dropBetween(int first, int last) {
    if (last - first > 1) m_starts.removePartitions(first + 1, last - first - 1);
}

void FormatRuns::append(int len, FormatId format) {
    if (len <= 0) return;
    int last = runCount() - 1;
    if (length() == 0) {
        m_starts.setValue(0, format);
        m_starts.insertText(0, len);
        return;
    }
    if (m_starts.value(last) == format) {
        m_starts.insertText(last, len);
        return;
    }
    m_starts.appendPartitions(&len, &format, 1);
}

void FormatRuns::append(const FormattedPiece* pieces, std::size_t n) {
    // New runs go in a few thousand at a step: their starts and formats in blocks at the end.
    constexpr std::size_t kStep = 4096;
    std::vector<int> lengths;
    std::vector<FormatId> ids;
    lengths.reserve(std::min(n, kStep));
    ids.reserve(std::min(n, kStep));
    auto flush = [&] {
        m_starts.appendPartitions(lengths.data(), ids.data(), static_cast<int>(lengths.size()));
        lengths.clear();
        ids.clear();
    };
    FormatId last = m_starts.value(runCount() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const FormattedPiece& p = pieces[i];
        if (p.length <= 0) continue;
        if (lengths.empty() && (length() == 0 || p.format == last)) {
            append(p.length, p.format);
            last = p.format;
            continue;
        }
        if (p.format == last) {
            lengths.back() += p.length;
            continue;
        }
        if (lengths.size() == kStep) flush();
        lengths.push_back(p.length);
        ids.push_back(p.format);
        last = p.format;
    }
    flush();
}

void FormatRuns::insert(int pos, int len, FormatId format) {
    if (len <= 0) return;
    pos = std::clamp(pos, 0, length());
    if (length() == 0) {
        m_starts.insertText(0, len);
        m_starts.setValue(0, format);
        return;
    }
    // Grow the run that holds pos (or the last run at the end), then give the new text its format.
    int index = m_starts.partitionFromPosition(pos);
    if (pos == length()) index = runCount() - 1;
    m_starts.insertText(index, len);
    setFormat(pos, len, format);
}

void FormatRuns::erase(int pos, int len) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return;
    if (len == length()) {
        reset(m_starts.value(0));
        return;
    }
    int first = splitAt(pos);
    int last = splitAt(pos + len);
    // Runs [first, last) lie wholly inside the erased range: drop all but one, then shrink it away.
    dropBetween(first, last);
    m_starts.insertText(first, -len);
    // Run `first` is now empty: fold it away.
    if (first > 0) {
        m_starts.removePartitions(first, 1);
        mergeAround(first - 1);
    } else {
        // The run after it takes over from position 0.
        FormatId next = m_starts.value(1);
        m_starts.removePartitions(1, 1);
        m_starts.setValue(0, next);
    }
}

void FormatRuns::setFormat(int pos, int len, FormatId format) {
    pos = std::clamp(pos, 0, length());
    len = std::clamp(len, 0, length() - pos);
    if (len == 0) return;
    int first = splitAt(pos);
    int last = splitAt(pos + len);
    dropBetween(first, last);
    m_starts.setValue(first, format);
    mergeAround(first);
}

std::pair<int, int> FormatRuns::restyle(int pos, const FormattedPiece* pieces, std::size_t n) {
    pos = std::clamp(pos, 0, length());
    int end = pos;
    for (std::size_t i = 0; i < n; ++i)
        end += std::max(0, pieces[i].length);
    end = std::min(end, length());
    // The stretches where a piece's format is not its run's, merged where they meet. Changes to
    // many of the runs are only counted: building the runs again in one pass costs less than a
    // split and a merge for each.
    const std::size_t many = std::max<std::size_t>(64, static_cast<std::size_t>(runCount()) / 8);
    std::vector<Run> changes; // the first many of them
    std::size_t changed = 0;
    Run first{0, 0, 0}, last{0, 0, 0};
    auto note = [&](int at, int stop, FormatId want) {
        if (changed > 0 && last.end == at && last.format == want) {
            last.end = stop;
            if (changed <= many) changes.back().end = stop;
            return;
        }
        last = Run{at, stop, want};
        if (changed++ == 0) first = last;
        if (changed <= many) changes.push_back(last);
    };
    std::size_t k = 0;
    int pieceStart = pos;
    m_starts.forEach(runIndexAt(pos), [&](const Partitioning::Span& run) {
        for (int at = std::max(run.start, pos); k < n && at < run.end && at < end;) {
            int pieceEnd = pieceStart + std::max(0, pieces[k].length);
            int stop = std::min({run.end, pieceEnd, end});
            FormatId want = pieces[k].format;
            if (stop > at && want != run.value) note(at, stop, want);
            at = stop;
            if (stop >= pieceEnd) {
                pieceStart = pieceEnd;
                ++k;
            }
        }
        return k < n && run.end < end;
    });
    if (changed == 0) return {pos, pos};
    if (changed > many)
        rebuild(pos, end, pieces, n);
    else
        for (const Run& c : changes)
            setFormat(c.start, c.end - c.start, c.format);
    return {first.start, last.end};
}

void FormatRuns::rebuild(int pos, int end, const FormattedPiece* pieces, std::size_t n) {
    std::vector<FormattedPiece> all;
    all.reserve(static_cast<std::size_t>(runCount()) + n);
    auto add = [&](int from, int to, FormatId format) {
        if (to > from) all.push_back(FormattedPiece{to - from, format});
    };
    m_starts.forEach(0, [&](const Partitioning::Span& run) {
        add(run.start, std::min(run.end, pos), run.value);
        return run.end < pos;
    });
    int at = pos;
    for (std::size_t i = 0; i < n && at < end; ++i) {
        const int stop = std::min(end, at + std::max(0, pieces[i].length));
        add(at, stop, pieces[i].format);
        at = stop;
    }
    if (end < length())
        m_starts.forEach(runIndexAt(end), [&](const Partitioning::Span& run) {
            add(std::max(run.start, end), run.end, run.value);
            return true;
        });
    reset(all.empty() ? m_starts.value(0) : all.front().format);
    append(all.data(), all.size());
}

void FormatRuns::checkInvariants() const {
    m_starts.checkInvariants();
    PM_ASSERT(runCount() >= 1);
    PM_ASSERT(length() > 0 || runCount() == 1);
    FormatId previous = -1;
    m_starts.forEach(0, [&](const Partitioning::Span& run) {
        PM_ASSERT(run.value >= 0 && run.value != previous);
        PM_ASSERT(run.end > run.start || length() == 0);
        previous = run.value;
        return true;
    });
}

} // namespace pm::richedit
