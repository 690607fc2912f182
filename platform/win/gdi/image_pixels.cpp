#include "platform/win/gdi/image_pixels.h"

#include "platform/win/gdi/rect_region.h"

#include <cstring>

namespace pm::gdi {

ImageRef copyOfPixels(ConstPixelView pixels) {
    return copyOfPart(pixels, RECT{0, 0, pixels.width, pixels.height});
}

ImageRef copyOfPart(ConstPixelView pixels, const RECT& part) {
    ImageRef copy = newImage(widthOf(part), heightOf(part), 0xFF000000u);
    PixelView to = pixelsOf(*copy);
    RECT inside = intersectionOf(part, RECT{0, 0, pixels.width, pixels.height});
    if (to.empty() || IsRectEmpty(&inside)) return copy;
    for (int y = inside.top; y < inside.bottom; ++y)
        std::memcpy(to.line(y - part.top) + (inside.left - part.left), pixels.line(y) + inside.left,
                    static_cast<std::size_t>(widthOf(inside)) * 4);
    return copy;
}

} // namespace pm::gdi
