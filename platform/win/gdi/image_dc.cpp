// DCs over images others own and over pages of their own.
#include "platform/win/gdi/dc_surface.h"

#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/qt_regions.h"

#include <utility>

namespace pm::gdi {

namespace {

ImageDc* imageDcOf(HDC hdc, DeviceContext::Kind kind) {
    DeviceContext* dc = dcOf(hdc);
    return dc && dc->kind() == kind ? static_cast<ImageDc*>(dc) : nullptr;
}

void placeImageDc(ImageDc& dc, QPoint origin, const QRegion& clipInImagePixels) {
    dc.setOrigin(POINT{origin.x(), origin.y()});
    dc.hasOwnerClip = !clipInImagePixels.isEmpty();
    dc.ownerClipArea = fromQRegion(clipInImagePixels.translated(-origin));
}

} // namespace

QImage* ImageDc::imageNow() const {
    if (makeImage) image = std::exchange(makeImage, nullptr)();
    return image;
}

Target ImageDc::target() const {
    QImage* img = imageNow();
    return img ? Target{pixelsOfImage(*img), img->hasAlphaChannel()} : Target();
}

Source ImageDc::source() const {
    QImage* img = imageNow();
    return img ? Source{constPixelsOfImage(*img), img->hasAlphaChannel()} : Source();
}

QImage* imageOf(const DeviceContext& dc) {
    if (dc.kind() == DeviceContext::Kind::Image || dc.kind() == DeviceContext::Kind::Page)
        return static_cast<const ImageDc&>(dc).imageNow();
    if (dc.kind() != DeviceContext::Kind::Memory) return nullptr;
    Bitmap* bm = objectAs<Bitmap>(dc.state.bitmap);
    return bm ? bm->image.get() : nullptr;
}

HDC createImageDC(QImage* image, QPoint origin, const QRegion& clip) {
    // The per-pixel operations read and write 32-bit pixels.
    if (!image || image->depth() != 32) return nullptr;
    auto dc = std::make_shared<ImageDc>(DeviceContext::Kind::Image);
    dc->image = image;
    placeImageDc(*dc, origin, clip);
    return addDc(std::move(dc));
}

HDC createDeferredImageDC(std::function<QImage*()> source) {
    auto dc = std::make_shared<ImageDc>(DeviceContext::Kind::Image);
    dc->makeImage = std::move(source);
    return addDc(std::move(dc));
}

void setImageDCOrigin(HDC hdc, QPoint origin, const QRegion& clip) {
    if (ImageDc* dc = imageDcOf(hdc, DeviceContext::Kind::Image)) placeImageDc(*dc, origin, clip);
}

void releaseImageDC(HDC hdc) {
    if (imageDcOf(hdc, DeviceContext::Kind::Image)) removeDc(hdc);
}

HDC createPageDC(QSize size, int dpi) {
    if (size.isEmpty() || dpi <= 0 || static_cast<long long>(size.width()) * size.height() > (1LL << 28))
        return nullptr;
    auto dc = std::make_shared<ImageDc>(DeviceContext::Kind::Page);
    dc->page = QImage(size, QImage::Format_RGB32);
    dc->page.fill(Qt::white);
    dc->image = &dc->page;
    dc->setLogPixels(dpi);
    return addDc(std::move(dc));
}

QImage* pageImageOf(HDC hdc) {
    ImageDc* dc = imageDcOf(hdc, DeviceContext::Kind::Page);
    return dc ? dc->imageNow() : nullptr;
}

void setPrinterPainter(HDC hdc, QPainter* painter) {
    if (ImageDc* dc = imageDcOf(hdc, DeviceContext::Kind::Page)) dc->printerPainter = painter;
}

QPainter* printerPainterOf(const DeviceContext& dc) {
    return dc.kind() == DeviceContext::Kind::Page ? static_cast<const ImageDc&>(dc).printerPainter : nullptr;
}

} // namespace pm::gdi
