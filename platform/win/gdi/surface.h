#pragma once
// Where a DC's output goes, in the GDI's own terms: the rectangle of its surface and the area output
// may reach, in device coordinates or in the surface's pixels, and device rectangles of logical
// ones and back. Device (0,0) lies at the DC's origin pixel of its surface.

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/rect_region.h"

namespace pm::gdi {

// The surface alone, in device coordinates ({0, 0, 0, 0} without one).
RECT surfaceRect(const DeviceContext& dc);
// The area output may reach, in device coordinates: the surface, the owner's clip and the DC's
// clip region together.
RectRegion visibleRegion(const DeviceContext& dc);
// The part of device rectangle `rect` that output may reach, in the surface's pixels.
RectRegion outputArea(const DeviceContext& dc, const RECT& rect);
// A device area of dc in the surface's pixels.
inline RectRegion inPixels(const DeviceContext& dc, const RectRegion& deviceArea) {
    return deviceArea.translated(dc.origin().x, dc.origin().y);
}

// The device rectangle of a logical one, normalised; and the logical rectangle of a device one.
RECT deviceRect(const DeviceContext& dc, const RECT& r);
RECT logicalRect(const DeviceContext& dc, const RECT& device);

// A result pixel as stored: opaque, except that on pixels that keep transparency (Target::keyed)
// black is stored as transparent.
inline std::uint32_t storedPixel(std::uint32_t v, bool keyed) {
    v &= 0xFFFFFFu;
    return keyed && v == 0 ? 0u : v | 0xFF000000u;
}

} // namespace pm::gdi
