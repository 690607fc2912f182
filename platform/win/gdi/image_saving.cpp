// The pixels of bitmaps as a plain view, and bitmaps written as picture files.
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"

#include <QBuffer>
#include <QByteArray>

namespace pm::gdi {

PixelView bitmapPixels(HBITMAP bitmap) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    return bm && bm->image ? pixelsOf(*bm->image) : PixelView();
}

std::string encodeBitmap(HBITMAP bitmap, const char* format) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    if (!bm || !bm->image || bm->image->isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!bm->image->save(&buffer, format)) return {};
    return bytes.toStdString();
}

bool saveBitmapPng(HBITMAP bitmap, const std::string& path) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    return bm && bm->image && !bm->image->isNull() && bm->image->save(QString::fromStdString(path), "PNG");
}

} // namespace pm::gdi
