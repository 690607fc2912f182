#include "platform/win/gdi/image_store.h"

#include "platform/win/gdi/objects.h"

namespace pm::gdi {

StoredImage* copyStored(const StoredImage& image) {
    return new StoredImage(image);
}

void destroyStored(StoredImage* image) {
    delete image;
}

ImageRef storeImage(QImage image) {
    return ImageRef(new StoredImage(std::move(image)));
}

PixelView pixelsOfImage(QImage& image) {
    return PixelView(reinterpret_cast<std::uint32_t*>(image.bits()),
                     static_cast<int>(image.bytesPerLine() / 4), image.width(), image.height());
}

ConstPixelView constPixelsOfImage(const QImage& image) {
    return ConstPixelView(reinterpret_cast<const std::uint32_t*>(image.constBits()),
                          static_cast<int>(image.bytesPerLine() / 4), image.width(), image.height());
}

ImageRef newImage(int width, int height, std::uint32_t fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return storeImage(std::move(image));
}

ImageRef stretched(ImageRef image, int width, int height) {
    if (image->width() == width && image->height() == height) return image;
    return storeImage(image->scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

PixelView pixelsOf(StoredImage& image) {
    return pixelsOfImage(image);
}

ConstPixelView constPixelsOf(const StoredImage& image) {
    return constPixelsOfImage(image);
}

QImage imageOfBitmap(HBITMAP bitmap) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    return bm ? bm->image->copy() : QImage();
}

HBITMAP createBitmapFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    return addColourBitmap(storeImage(image.convertToFormat(QImage::Format_RGB32)));
}

} // namespace pm::gdi
