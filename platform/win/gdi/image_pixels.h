#pragma once
// The images of the image store as the GDI's own code sees them: new images, views of their pixels,
// and the stretched copies that blits and icons draw. The images themselves are the backend's
// (image_store.h).

#include "platform/win/gdi/pixel_view.h"
#include "platform/win/gdi/store_refs.h"
#include "platform/win/wintypes.h"

#include <cstdint>

namespace pm::gdi {

// A new image of width x height pixels, each `fill`.
ImageRef newImage(int width, int height, std::uint32_t fill);
// A new image holding a copy of the pixels.
ImageRef copyOfPixels(ConstPixelView pixels);
// A new image holding a copy of a part of the pixels; where the part reaches past them, black.
ImageRef copyOfPart(ConstPixelView pixels, const RECT& part);
// The image at width x height pixels: itself when it has that size, else a copy stretched to it, each
// pixel the nearest one of the image scaled to that size.
ImageRef stretched(ImageRef image, int width, int height);

// The pixels of an image, to change; an image that shares its pixels with another takes a copy of
// its own first.
PixelView pixelsOf(StoredImage& image);
// The pixels of an image, to read.
ConstPixelView constPixelsOf(const StoredImage& image);

} // namespace pm::gdi
