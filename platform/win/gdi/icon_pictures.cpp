// Icons and cursors made from pictures, and their pictures, for the platform's backend files.
#include "platform/win/gdi/icons.h"

#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"

namespace pm::gdi {

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

Icon iconFromArgb(const QImage& picture, QPoint hotspot, bool isIcon) {
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    Icon icon;
    icon.color = storeImage(QImage(argb.size(), QImage::Format_RGB32));
    icon.mask = storeImage(QImage(argb.size(), QImage::Format_RGB32));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* c = reinterpret_cast<QRgb*>(icon.color->scanLine(y));
        auto* m = reinterpret_cast<QRgb*>(icon.mask->scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            bool clear = qAlpha(in[x]) < 128;
            m[x] = clear ? kWhite : kBlack;
            c[x] = clear ? kBlack : (in[x] | kBlack);
        }
    }
    icon.hotspot = POINT{hotspot.x(), hotspot.y()};
    icon.isIcon = isIcon;
    return icon;
}

} // namespace

HICON addIcon(const QImage& picture, QPoint hotspot, bool isIcon, bool shared) {
    return addObject<HICON>(iconFromArgb(picture, hotspot, isIcon), shared);
}

QImage imageOfIcon(HICON handle, QPoint* hotspot) {
    Icon* icon = objectAs<Icon>(handle);
    if (!icon) return QImage();
    if (hotspot) *hotspot = QPoint(icon->hotspot.x, icon->hotspot.y);
    QImage out(icon->color->size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* c = reinterpret_cast<const QRgb*>(icon->color->constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(icon->mask->constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        // Where the mask lets the background through, a black colour pixel is transparent; any
        // other colour there inverts the screen, which a picture shows as that colour.
        for (int x = 0; x < out.width(); ++x)
            o[x] = (m[x] & 0xFFFFFF) && !(c[x] & 0xFFFFFF) ? 0u : (c[x] | kBlack);
    }
    return out;
}

HICON createIconFromImage(const QImage& image, QPoint hotspot, bool isIcon) {
    if (image.isNull()) return nullptr;
    return addIcon(image, hotspot, isIcon, false);
}

} // namespace pm::gdi
