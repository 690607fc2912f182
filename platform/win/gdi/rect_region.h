#pragma once
// A set of pixels kept as rectangles: the areas of the GDI's regions and of the DCs' clips. The
// rectangles lie in bands from top to bottom; the rectangles of a band share their top and bottom
// and run left to right without touching, and a band that touches the one above it has other
// spans. Each set of pixels has exactly one such form, so two regions are equal when their
// rectangles are, and a region that is one rectangle holds just that rectangle.

#include "platform/win/wintypes.h"

#include <cstddef>
#include <vector>

namespace pm::gdi {

// Rectangles as the GDI's pixel code uses them (right and bottom exclusive), besides the Win32
// rectangle functions.
inline int widthOf(const RECT& r) {
    return r.right - r.left;
}
inline int heightOf(const RECT& r) {
    return r.bottom - r.top;
}
inline RECT translated(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
// The common part of two rectangles; {0, 0, 0, 0} when they do not meet.
inline RECT intersectionOf(const RECT& a, const RECT& b) {
    RECT r;
    IntersectRect(&r, &a, &b);
    return r;
}

class RectRegion {
public:
    RectRegion() = default;
    // The pixels of r (none when r is empty).
    explicit RectRegion(const RECT& r);
    // A region from rectangles already in bands (sorted by top, then left; the rectangles of a band
    // sharing top and bottom and not overlapping), as other regions list theirs. Touching rectangles
    // of a band and touching bands of the same spans are merged.
    static RectRegion fromBands(const RECT* rects, std::size_t count);

    bool empty() const { return m_bounds.right <= m_bounds.left || m_bounds.bottom <= m_bounds.top; }
    // The smallest rectangle holding the region; {0, 0, 0, 0} for an empty one.
    const RECT& bounds() const { return m_bounds; }
    std::size_t rectCount() const;
    const RECT* begin() const;
    const RECT* end() const { return begin() + rectCount(); }

    bool contains(int x, int y) const;
    bool intersects(const RECT& r) const;
    bool operator==(const RectRegion& other) const;
    bool operator!=(const RectRegion& other) const { return !(*this == other); }

    RectRegion operator&(const RectRegion& other) const;
    RectRegion operator|(const RectRegion& other) const;
    RectRegion operator-(const RectRegion& other) const;
    RectRegion operator^(const RectRegion& other) const;
    RectRegion& operator&=(const RectRegion& other) { return *this = *this & other; }
    RectRegion& operator|=(const RectRegion& other) { return *this = *this | other; }
    RectRegion& operator-=(const RectRegion& other) { return *this = *this - other; }

    void translate(int dx, int dy);
    RectRegion translated(int dx, int dy) const;

private:
    // Takes rectangles in the band form; one rectangle is kept as the bounds alone.
    explicit RectRegion(std::vector<RECT>&& rects);

    std::vector<RECT> m_rects; // two or more rectangles; empty when the region is one or none
    RECT m_bounds{0, 0, 0, 0};
};

} // namespace pm::gdi
