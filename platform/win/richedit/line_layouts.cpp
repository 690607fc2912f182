#include "platform/win/richedit/line_layouts.h"

#include "platform/win/pm_assert.h"

#include <algorithm>

namespace pm::richedit {

namespace {

constexpr std::size_t kMaxLines = 64;

} // namespace

LineLayouts::Line& LineLayouts::lineAt(int start, int length) {
    auto it =
        std::find_if(m_lines.begin(), m_lines.end(), [start](const Line& l) { return l.start == start; });
    if (it == m_lines.end()) {
        if (m_lines.size() >= kMaxLines)
            m_lines.erase(std::min_element(m_lines.begin(), m_lines.end(),
                                           [](const Line& a, const Line& b) { return a.used < b.used; }));
        m_lines.push_back(Line{start, length, {}, 0, -1, false, 0});
        it = m_lines.end() - 1;
    }
    Line& line = *it;
    // A line met with another length than kept was changed unseen: it is laid out anew.
    if (line.marks.empty() || line.length != length) {
        line.length = length;
        line.marks.assign(1, Mark{0, 0, true});
        line.exact = 1;
        line.width = -1;
        line.widthWaits = false;
    }
    line.used = ++m_clock;
    return line;
}

LineLayouts::Point LineLayouts::before(int start, int length, int pos, const Walk& walk) {
    Line& line = lineAt(start, length);
    int rel = std::clamp(pos - start, 0, length);
    if (line.exact < line.marks.size() && line.marks[line.exact].pos <= rel) settle(line, walk);
    if (line.exact == line.marks.size() && line.width < 0 && rel >= line.marks.back().pos + m_spacing)
        extend(line, walk, [rel](int p, int) { return p <= rel; });
    auto after =
        std::upper_bound(line.marks.begin(), line.marks.begin() + static_cast<std::ptrdiff_t>(line.exact),
                         rel, [](int p, const Mark& m) { return p < m.pos; });
    const Mark& m = *(after - 1);
    return Point{start + m.pos, m.x};
}

LineLayouts::Point LineLayouts::beforeX(int start, int length, int x, const Walk& walk) {
    Line& line = lineAt(start, length);
    if (line.exact < line.marks.size() && line.marks[line.exact - 1].x <= x) settle(line, walk);
    if (line.exact == line.marks.size() && line.width < 0 && line.marks.back().x <= x)
        extend(line, walk, [x](int, int px) { return px <= x; });
    auto after =
        std::upper_bound(line.marks.begin(), line.marks.begin() + static_cast<std::ptrdiff_t>(line.exact), x,
                         [](int px, const Mark& m) { return px < m.x; });
    const Mark& m = after == line.marks.begin() ? line.marks.front() : *(after - 1);
    return Point{start + m.pos, m.x};
}

int LineLayouts::width(int start, int length, const Walk& walk) {
    Line& line = lineAt(start, length);
    if (line.exact < line.marks.size()) settle(line, walk);
    if (line.width < 0) extend(line, walk, [](int, int) { return true; });
    return line.width;
}

bool LineLayouts::extend(Line& line, const Walk& walk, const std::function<bool(int pos, int x)>& more) {
    const Mark from = line.marks.back();
    line.marks.back().tab = false;
    bool stopped = false;
    int end = from.x;
    walk(line.start + from.pos, from.x, [&](const Piece& p) {
        int rel = p.from - line.start;
        if (rel > from.pos && !more(rel, p.x)) {
            stopped = true;
            return false;
        }
        if (rel >= line.marks.back().pos + m_spacing) line.marks.push_back(Mark{rel, p.x, false});
        if (p.tab) line.marks.back().tab = true;
        end = p.x + p.width;
        return true;
    });
    line.exact = line.marks.size();
    if (stopped) {
        // The rest of the last mark's stretch is not seen: a tab may lie in it.
        line.marks.back().tab = true;
        return false;
    }
    line.width = end;
    line.widthWaits = false;
    return true;
}

void LineLayouts::settle(Line& line, const Walk& walk) {
    std::size_t first = line.exact;
    Mark& previous = line.marks[first - 1];
    previous.tab = false;
    const int target = line.marks[first].pos;
    std::vector<Mark> added;
    bool reached = false;
    int shift = 0;
    walk(line.start + previous.pos, previous.x, [&](const Piece& p) {
        int rel = p.from - line.start;
        if (rel >= target) {
            reached = rel == target;
            shift = p.x - line.marks[first].x;
            return false;
        }
        int last = added.empty() ? previous.pos : added.back().pos;
        if (rel >= last + m_spacing) added.push_back(Mark{rel, p.x, false});
        if (p.tab) (added.empty() ? previous : added.back()).tab = true;
        return true;
    });
    if (!reached) {
        // The marks after the change lost their places: the line is walked anew from here on.
        line.marks.resize(first);
        line.marks.insert(line.marks.end(), added.begin(), added.end());
        line.marks.back().tab = true;
        line.exact = line.marks.size();
        line.width = -1;
        line.widthWaits = false;
        return;
    }
    line.marks.insert(line.marks.begin() + static_cast<std::ptrdiff_t>(first), added.begin(), added.end());
    first += added.size();
    // From the first waiting mark on the line is as it was: everything moves by the same amount,
    // up to the first tab, which snaps to its stop.
    bool broken = false;
    for (std::size_t i = first; i < line.marks.size(); ++i) {
        line.marks[i].x += shift;
        if (shift != 0 && line.marks[i].tab) {
            line.marks.resize(i + 1);
            broken = true;
            break;
        }
    }
    if (line.widthWaits) line.width = broken || line.width < 0 ? -1 : line.width + shift;
    line.widthWaits = false;
    line.exact = line.marks.size();
}

void LineLayouts::changed(Line& line, int from, int to, int delta, bool sameLine) {
    auto byPos = [](const Mark& m, int p) { return m.pos < p; };
    std::size_t i0 = static_cast<std::size_t>(
        std::lower_bound(line.marks.begin(), line.marks.end(), from, byPos) - line.marks.begin());
    i0 = std::max<std::size_t>(1, i0);
    std::size_t i1 =
        static_cast<std::size_t>(std::upper_bound(line.marks.begin(), line.marks.end(), to,
                                                  [](int p, const Mark& m) { return p < m.pos; }) -
                                 line.marks.begin());
    i1 = std::max(i0, i1);
    // The stretch the change falls in is not known to be free of tabs any more.
    line.marks[i0 - 1].tab = true;
    if (line.exact < i0) {
        // Marks already waiting before this change: those after it would wait for another amount.
        line.marks.resize(i0);
        line.width = -1;
        line.widthWaits = false;
        return;
    }
    if (i1 < line.exact && line.exact < line.marks.size()) {
        // Marks still waiting for an earlier change after right ones: they would wait for the sum
        // of both changes, those between for this one alone.
        line.marks.resize(line.exact);
        line.width = -1;
        line.widthWaits = false;
    }
    line.marks.erase(line.marks.begin() + static_cast<std::ptrdiff_t>(i0),
                     line.marks.begin() + static_cast<std::ptrdiff_t>(i1));
    if (!sameLine) line.marks.resize(i0);
    for (std::size_t i = i0; i < line.marks.size(); ++i)
        line.marks[i].pos += delta;
    line.exact = i0;
    // The width moves with the marks after the change; with none, the line's end is walked again.
    bool waits = sameLine && line.marks.size() > i0 && (line.width >= 0 || line.widthWaits);
    line.widthWaits = waits;
    if (!waits) line.width = -1;
}

void LineLayouts::textChanged(int from, int oldTo, int newTo, const std::function<int(int)>& lineLength) {
    const int delta = newTo - oldTo;
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        Line& line = *it;
        const int end = line.start + line.length;
        if (oldTo < line.start) {
            line.start += delta;
        } else if (from <= end) {
            if (from < line.start) {
                // The change reaches into the line before: this line is another one now.
                it = m_lines.erase(it);
                continue;
            }
            int length = lineLength(line.start);
            changed(line, from - line.start, oldTo - line.start, delta,
                    oldTo <= end && length == line.length + delta);
            line.length = length;
        }
        ++it;
    }
}

void LineLayouts::formatsChanged(int from, int to) {
    for (Line& line : m_lines) {
        if (from >= line.start + line.length || to <= line.start) continue;
        int a = std::max(0, from - line.start);
        int b = std::min(line.length, to - line.start);
        changed(line, a, b, 0, true);
    }
}

void LineLayouts::checkInvariants() const {
    PM_ASSERT(m_lines.size() <= kMaxLines);
    for (const Line& line : m_lines) {
        PM_ASSERT(std::count_if(m_lines.begin(), m_lines.end(),
                                [&line](const Line& l) { return l.start == line.start; }) == 1);
        PM_ASSERT(line.used <= m_clock);
        PM_ASSERT(!line.marks.empty());
        PM_ASSERT(line.marks[0].pos == 0 && line.marks[0].x == 0);
        PM_ASSERT(line.exact >= 1 && line.exact <= line.marks.size());
        for (std::size_t i = 1; i < line.marks.size(); ++i) {
            PM_ASSERT(line.marks[i - 1].pos < line.marks[i].pos);
            PM_ASSERT(line.marks[i].pos < line.length);
            if (i < line.exact) PM_ASSERT(line.marks[i - 1].x <= line.marks[i].x);
        }
        PM_ASSERT(line.width >= -1);
        if (line.width >= 0 && !line.widthWaits && line.exact == line.marks.size())
            PM_ASSERT(line.width >= line.marks.back().x);
    }
}

} // namespace pm::richedit
