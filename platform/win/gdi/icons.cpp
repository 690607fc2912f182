// Icons and cursors as image objects: a mask and a colour picture, drawn as Win32 does.
#include "platform/win/gdi/icons.h"

#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"

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

using namespace pm::gdi;

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) return nullptr;
    Bitmap* mask = objectAs<Bitmap>(info->hbmMask);
    Bitmap* color = objectAs<Bitmap>(info->hbmColor);
    if (!mask) return nullptr;
    Icon icon;
    if (color) {
        icon.color = storeImage(color->image->copy());
        icon.mask = storeImage(mask->image->copy(QRect(QPoint(0, 0), color->image->size())));
    } else {
        // A monochrome icon: the mask bitmap holds the AND mask above the XOR picture.
        int h = mask->image->height() / 2;
        icon.mask = storeImage(mask->image->copy(0, 0, mask->image->width(), h));
        icon.color = storeImage(mask->image->copy(0, h, mask->image->width(), h));
    }
    icon.isIcon = info->fIcon != 0;
    icon.hotspot = icon.isIcon ? POINT{icon.color->width() / 2, icon.color->height() / 2}
                               : POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    return addObject<HICON>(std::move(icon));
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    Icon* icon = objectAs<Icon>(handle);
    if (!icon || !info) return FALSE;
    info->fIcon = icon->isIcon;
    info->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    info->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    Bitmap mask;
    mask.image = storeImage(icon->mask->copy());
    mask.mono = true;
    mask.bitsPerPixel = 1;
    info->hbmMask = addObject<HBITMAP>(std::move(mask));
    info->hbmColor = createBitmapFromImage(*icon->color);
    return TRUE;
}

HICON CopyIcon(HICON handle) {
    Icon* icon = objectAs<Icon>(handle);
    return icon ? addObject<HICON>(Icon(*icon)) : nullptr;
}

BOOL DestroyIcon(HICON handle) {
    GdiObject* obj = objectOf(handle);
    if (!obj || !std::holds_alternative<Icon>(obj->data)) return FALSE;
    if (!obj->stock) objectTable().remove(reinterpret_cast<std::uintptr_t>(handle));
    return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
    DeviceContext* dc = dcOf(hdc);
    Icon* icon = objectAs<Icon>(handle);
    if (!dc || !icon) return FALSE;
    QImage* img = imageOf(*dc);
    if (!img) return TRUE;
    if (cx == 0) cx = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CXICON) : icon->color->width();
    if (cy == 0) cy = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CYICON) : icon->color->height();
    QRect target = deviceRect(*dc, RECT{x, y, x + cx, y + cy});
    if (target.isEmpty()) return TRUE;
    QImage mask = icon->mask->scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage color = icon->color->scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QRegion area = outputArea(*dc, target);
    QPoint delta = -(target.topLeft() + originOf(*dc));
    bool drawMask = flags & DI_MASK, drawImage = flags & DI_IMAGE;
    if (drawMask) applyRop3(*img, area, rop3Code(SRCAND), nullptr, &mask, delta);
    if (drawImage) applyRop3(*img, area, rop3Code(drawMask ? SRCINVERT : SRCCOPY), nullptr, &color, delta);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
