#pragma once
// The image store: the pixels of the GDI's bitmaps, brush patterns and icons as Qt images, which
// the records own through ImageRefs (store_refs.h) and the GDI's own code reaches through
// image_pixels.h; and the pictures of bitmaps handed to and from the platform's other backend
// files. Private to platform/.

#include "platform/win/gdi/image_pixels.h"
#include "platform/win/wingdi.h"

#include <QImage>

#include <utility>

namespace pm::gdi {

// A record's image: a QImage, used as one.
class StoredImage : public QImage {
public:
    using QImage::QImage;
    StoredImage(const QImage& image) : QImage(image) {}
    StoredImage(QImage&& image) : QImage(std::move(image)) {}
    using QImage::operator=;
};

// A reference to a new stored image holding `image`.
ImageRef storeImage(QImage image);
// The pixels of a 32-bit image as a view.
PixelView pixelsOfImage(QImage& image);
ConstPixelView constPixelsOfImage(const QImage& image);

// The pixels of a bitmap (RGB32; a monochrome bitmap holds only black and white).
QImage imageOfBitmap(HBITMAP bitmap);
// A colour bitmap holding a copy of the picture.
HBITMAP createBitmapFromImage(const QImage& image);

} // namespace pm::gdi
