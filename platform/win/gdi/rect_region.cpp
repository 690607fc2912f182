#include "platform/win/gdi/rect_region.h"

#include "platform/win/pm_assert.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace pm::gdi {

namespace {

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool holds(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

// Whether two rectangles share a pixel.
bool meet(const RECT& a, const RECT& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Writes rectangles in the band form, band by band from the top; a band that touches the one
// before it and has the same spans extends it instead.
class BandWriter {
public:
    // The band [top, bottom) of spans xs: left and right edges in pairs, sorted, not touching.
    void add(int top, int bottom, const std::vector<int>& xs) {
        if (xs.empty()) return;
        if (extendsLast(top, xs)) {
            for (std::size_t i = m_last; i < m_rects.size(); ++i)
                m_rects[i].bottom = bottom;
            return;
        }
        m_last = m_rects.size();
        for (std::size_t i = 0; i < xs.size(); i += 2)
            m_rects.push_back(RECT{xs[i], top, xs[i + 1], bottom});
    }
    std::vector<RECT>&& take() { return std::move(m_rects); }

private:
    bool extendsLast(int top, const std::vector<int>& xs) const {
        if (m_rects.empty() || m_rects.back().bottom != top || m_rects.size() - m_last != xs.size() / 2)
            return false;
        for (std::size_t i = 0; i < xs.size() / 2; ++i)
            if (m_rects[m_last + i].left != xs[2 * i] || m_rects[m_last + i].right != xs[2 * i + 1])
                return false;
        return true;
    }

    std::vector<RECT> m_rects;
    std::size_t m_last = 0; // where the last band starts
};

// The bands of a rectangle list in the band form, one after the other.
class Bands {
public:
    Bands(const RECT* begin, const RECT* end) : m_at(begin), m_end(end) { findBandEnd(); }
    bool done() const { return m_at == m_end; }
    int top() const { return m_at->top; }
    int bottom() const { return m_at->bottom; }
    const RECT* begin() const { return m_at; }
    const RECT* end() const { return m_bandEnd; }
    void next() {
        m_at = m_bandEnd;
        findBandEnd();
    }

private:
    void findBandEnd() {
        m_bandEnd = m_at;
        while (m_bandEnd != m_end && m_bandEnd->top == m_at->top)
            ++m_bandEnd;
    }
    const RECT* m_at;
    const RECT* m_end;
    const RECT* m_bandEnd = nullptr;
};

// The spans where keep(in a, in b) holds along one row, from the spans of a and of b there.
template <class Keep>
void combineSpans(const RECT* a, const RECT* aEnd, const RECT* b, const RECT* bEnd, Keep keep,
                  std::vector<int>& xs) {
    xs.clear();
    bool inA = false, inB = false, in = false;
    while (a != aEnd || b != bEnd) {
        // The next edge of each: the left of its next span from outside, the right from inside.
        int edgeA = a == aEnd ? INT_MAX : inA ? a->right : a->left;
        int edgeB = b == bEnd ? INT_MAX : inB ? b->right : b->left;
        int x = std::min(edgeA, edgeB);
        if (edgeA == x) {
            if (inA) ++a;
            inA = !inA;
        }
        if (edgeB == x) {
            if (inB) ++b;
            inB = !inB;
        }
        if (keep(inA, inB) != in) {
            xs.push_back(x);
            in = !in;
        }
    }
}

// The rows where either region has a band are taken in strips on which neither changes; each
// strip's spans are those where keep(in a, in b) holds.
template <class Keep> std::vector<RECT> combine(const RectRegion& a, const RectRegion& b, Keep keep) {
    Bands ba(a.begin(), a.end()), bb(b.begin(), b.end());
    BandWriter out;
    std::vector<int> xs;
    int y = INT_MIN;
    while (!ba.done() || !bb.done()) {
        int topA = ba.done() ? INT_MAX : ba.top(), topB = bb.done() ? INT_MAX : bb.top();
        y = std::max(y, std::min(topA, topB));
        bool inA = topA <= y, inB = topB <= y;
        int next = std::min(inA ? ba.bottom() : topA, inB ? bb.bottom() : topB);
        combineSpans(inA ? ba.begin() : nullptr, inA ? ba.end() : nullptr, inB ? bb.begin() : nullptr,
                     inB ? bb.end() : nullptr, keep, xs);
        out.add(y, next, xs);
        y = next;
        if (inA && ba.bottom() <= y) ba.next();
        if (inB && bb.bottom() <= y) bb.next();
    }
    return out.take();
}

} // namespace

RectRegion::RectRegion(const RECT& r) {
    if (r.right > r.left && r.bottom > r.top) m_bounds = r;
}

RectRegion::RectRegion(std::vector<RECT>&& rects) {
    if (rects.empty()) return;
    if (rects.size() == 1) {
        m_bounds = rects[0];
        return;
    }
    m_rects = std::move(rects);
    m_bounds = RECT{m_rects.front().left, m_rects.front().top, m_rects.front().right, m_rects.back().bottom};
    for (const RECT& r : m_rects) {
        m_bounds.left = std::min(m_bounds.left, r.left);
        m_bounds.right = std::max(m_bounds.right, r.right);
    }
}

RectRegion RectRegion::fromBands(const RECT* rects, std::size_t count) {
    BandWriter out;
    std::vector<int> xs;
    for (std::size_t i = 0; i < count;) {
        const RECT& first = rects[i];
        xs.clear();
        for (; i < count && rects[i].top == first.top; ++i) {
            const RECT& r = rects[i];
            PM_ASSERT(r.bottom == first.bottom && r.left < r.right && r.top < r.bottom);
            PM_ASSERT(xs.empty() || r.left >= xs.back());
            if (!xs.empty() && xs.back() == r.left) {
                xs.back() = r.right;
                continue;
            }
            xs.push_back(r.left);
            xs.push_back(r.right);
        }
        PM_ASSERT(i == count || rects[i].top >= first.bottom);
        out.add(first.top, first.bottom, xs);
    }
    return RectRegion(out.take());
}

std::size_t RectRegion::rectCount() const {
    if (!m_rects.empty()) return m_rects.size();
    return empty() ? 0 : 1;
}

const RECT* RectRegion::begin() const {
    return m_rects.empty() ? &m_bounds : m_rects.data();
}

bool RectRegion::contains(int x, int y) const {
    POINT p{x, y};
    if (!PtInRect(&m_bounds, p)) return false;
    for (const RECT& r : *this) {
        if (r.top > y) break;
        if (PtInRect(&r, p)) return true;
    }
    return false;
}

bool RectRegion::intersects(const RECT& rect) const {
    if (!meet(m_bounds, rect)) return false;
    return std::any_of(begin(), end(), [&](const RECT& r) { return meet(r, rect); });
}

bool RectRegion::operator==(const RectRegion& other) const {
    return rectCount() == other.rectCount() && std::equal(begin(), end(), other.begin(), sameRect);
}

RectRegion RectRegion::operator&(const RectRegion& other) const {
    if (!meet(m_bounds, other.m_bounds)) return RectRegion();
    if (rectCount() == 1 && holds(m_bounds, other.m_bounds)) return other;
    if (other.rectCount() == 1 && holds(other.m_bounds, m_bounds)) return *this;
    if (rectCount() == 1 && other.rectCount() == 1)
        return RectRegion(intersectionOf(m_bounds, other.m_bounds));
    return RectRegion(combine(*this, other, [](bool a, bool b) { return a && b; }));
}

RectRegion RectRegion::operator|(const RectRegion& other) const {
    if (other.empty()) return *this;
    if (empty()) return other;
    if (rectCount() == 1 && holds(m_bounds, other.m_bounds)) return *this;
    if (other.rectCount() == 1 && holds(other.m_bounds, m_bounds)) return other;
    return RectRegion(combine(*this, other, [](bool a, bool b) { return a || b; }));
}

RectRegion RectRegion::operator-(const RectRegion& other) const {
    if (!meet(m_bounds, other.m_bounds)) return *this;
    if (other.rectCount() == 1 && holds(other.m_bounds, m_bounds)) return RectRegion();
    return RectRegion(combine(*this, other, [](bool a, bool b) { return a && !b; }));
}

RectRegion RectRegion::operator^(const RectRegion& other) const {
    if (other.empty()) return *this;
    if (empty()) return other;
    return RectRegion(combine(*this, other, [](bool a, bool b) { return a != b; }));
}

void RectRegion::translate(int dx, int dy) {
    if (empty()) return;
    m_bounds = gdi::translated(m_bounds, dx, dy);
    for (RECT& r : m_rects)
        r = gdi::translated(r, dx, dy);
}

RectRegion RectRegion::translated(int dx, int dy) const {
    RectRegion out = *this;
    out.translate(dx, dy);
    return out;
}

} // namespace pm::gdi
