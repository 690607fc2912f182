#pragma once
// Regions of curved and polygonal outlines, whose pixels Qt's scan conversion finds (qt_regions.cpp).

#include "platform/win/gdi/rect_region.h"

namespace pm::gdi {

// The pixels of the ellipse inscribed in box.
RectRegion ellipseRegion(const RECT& box);
// The pixels inside a polygon, by the winding or the alternate (even-odd) rule.
RectRegion polygonRegion(const POINT* points, int count, bool winding);

} // namespace pm::gdi
