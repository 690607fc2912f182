// Icons and cursors as image objects (mask and colour, drawn as Win32 does), the stock ones, and
// loading icons, cursors and bitmaps from resources and files.
#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/stock_images.h"
#include "platform/win/qtapp.h"

#include <QFile>

#include <map>
#include <string>
#include <tuple>

namespace pm::gdi {

namespace {

ResourceImageLoader g_loader = nullptr;

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

Icon iconFromArgb(const QImage& picture, QPoint hotspot, bool isIcon) {
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    Icon icon;
    icon.color = QImage(argb.size(), QImage::Format_RGB32);
    icon.mask = QImage(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* c = reinterpret_cast<QRgb*>(icon.color.scanLine(y));
        auto* m = reinterpret_cast<QRgb*>(icon.mask.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            bool clear = qAlpha(in[x]) < 128;
            m[x] = clear ? kWhite : kBlack;
            c[x] = clear ? kBlack : (in[x] | kBlack);
        }
    }
    icon.hotspot = hotspot;
    icon.isIcon = isIcon;
    return icon;
}

HICON addIcon(Icon icon, bool shared) {
    return addObject<HICON>(std::move(icon), shared);
}

} // namespace

QImage imageOfIcon(HICON handle, QPoint* hotspot) {
    Icon* icon = objectAs<Icon>(handle);
    if (!icon) return QImage();
    if (hotspot) *hotspot = icon->hotspot;
    QImage out(icon->color.size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* c = reinterpret_cast<const QRgb*>(icon->color.constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(icon->mask.constScanLine(y));
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
    return addIcon(iconFromArgb(image, hotspot, isIcon), false);
}

void setResourceImageLoader(ResourceImageLoader loader) {
    g_loader = loader;
}

namespace {

using LoadKey = std::tuple<HINSTANCE, std::string, UINT>;

std::string keyName(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    return name;
}

bool resourceBytes(HINSTANCE instance, LPCSTR name, UINT type, QByteArray* bytes) {
    return g_loader && name && g_loader(instance, name, type, bytes);
}

QImage decodeImage(const QByteArray& bytes) {
    return QImage::fromData(bytes);
}

// A stock cursor or icon, or one of a program's resources; shared and kept for the process.
HICON loadShared(HINSTANCE instance, LPCSTR name, UINT type) {
    ensureQtApplication();
    static std::map<LoadKey, HICON> loaded;
    LoadKey key{instance, keyName(name), type};
    auto it = loaded.find(key);
    if (it != loaded.end() && objectAs<Icon>(it->second)) return it->second;
    QImage picture;
    QPoint hotspot;
    bool found;
    if (!instance && IS_INTRESOURCE(name)) {
        int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
        found =
            type == IMAGE_CURSOR ? stockCursorImage(id, &picture, &hotspot) : stockIconImage(id, &picture);
    } else {
        QByteArray bytes;
        found = resourceBytes(instance, name, type, &bytes);
        if (found) picture = decodeImage(bytes);
        found = found && !picture.isNull();
    }
    if (!found) return nullptr;
    HICON icon = addIcon(iconFromArgb(picture, hotspot, type == IMAGE_ICON), true);
    loaded[key] = icon;
    return icon;
}

// LR_LOADMAP3DCOLORS: the classic greys of a bitmap become the current 3-D colours.
void map3DColors(QImage& img) {
    const std::pair<QRgb, int> map[] = {{qRgb(128, 128, 128), COLOR_3DSHADOW},
                                        {qRgb(192, 192, 192), COLOR_3DFACE},
                                        {qRgb(223, 223, 223), COLOR_3DLIGHT}};
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            for (const auto& [from, index] : map)
                if ((line[x] | kBlack) == from) line[x] = toRgb(GetSysColor(index));
    }
}

// LR_LOADTRANSPARENT: pixels of the first pixel's colour take the window colour.
void mapTransparent(QImage& img) {
    if (img.isNull()) return;
    QRgb key = img.pixel(0, 0) | kBlack;
    QRgb window = toRgb(GetSysColor(COLOR_WINDOW));
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | kBlack) == key) line[x] = window;
    }
}

QImage loadPicture(HINSTANCE instance, LPCSTR name, UINT type, UINT flags) {
    if (flags & LR_LOADFROMFILE) return name ? QImage(QFile::decodeName(name)) : QImage();
    QByteArray bytes;
    return resourceBytes(instance, name, type, &bytes) ? decodeImage(bytes) : QImage();
}

HANDLE loadBitmapImage(HINSTANCE instance, LPCSTR name, UINT flags) {
    QImage img = loadPicture(instance, name, IMAGE_BITMAP, flags).convertToFormat(QImage::Format_RGB32);
    if (img.isNull()) return nullptr;
    if (flags & LR_LOADTRANSPARENT) mapTransparent(img);
    if (flags & LR_LOADMAP3DCOLORS) map3DColors(img);
    return createBitmapFromImage(img);
}

} // namespace

} // namespace pm::gdi

using namespace pm::gdi;

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) return nullptr;
    Bitmap* mask = objectAs<Bitmap>(info->hbmMask);
    Bitmap* color = objectAs<Bitmap>(info->hbmColor);
    if (!mask) return nullptr;
    Icon icon;
    if (color) {
        icon.color = color->image.copy();
        icon.mask = mask->image.copy(QRect(QPoint(0, 0), color->image.size()));
    } else {
        // A monochrome icon: the mask bitmap holds the AND mask above the XOR picture.
        int h = mask->image.height() / 2;
        icon.mask = mask->image.copy(0, 0, mask->image.width(), h);
        icon.color = mask->image.copy(0, h, mask->image.width(), h);
    }
    icon.isIcon = info->fIcon != 0;
    icon.hotspot = icon.isIcon ? QPoint(icon.color.width() / 2, icon.color.height() / 2)
                               : QPoint(static_cast<int>(info->xHotspot), static_cast<int>(info->yHotspot));
    return addObject<HICON>(std::move(icon));
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    Icon* icon = objectAs<Icon>(handle);
    if (!icon || !info) return FALSE;
    info->fIcon = icon->isIcon;
    info->xHotspot = static_cast<DWORD>(icon->hotspot.x());
    info->yHotspot = static_cast<DWORD>(icon->hotspot.y());
    Bitmap mask;
    mask.image = icon->mask.copy();
    mask.mono = true;
    mask.bitsPerPixel = 1;
    info->hbmMask = addObject<HBITMAP>(std::move(mask));
    info->hbmColor = createBitmapFromImage(icon->color);
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
    QImage* img = dc->image();
    if (!img) return TRUE;
    if (cx == 0) cx = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CXICON) : icon->color.width();
    if (cy == 0) cy = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CYICON) : icon->color.height();
    QRect target = dc->toDevice(RECT{x, y, x + cx, y + cy});
    if (target.isEmpty()) return TRUE;
    QImage mask = icon->mask.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage color = icon->color.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QRegion area = outputArea(*dc, target);
    QPoint delta = -(target.topLeft() + dc->origin());
    bool drawMask = flags & DI_MASK, drawImage = flags & DI_IMAGE;
    if (drawMask) applyRop3(*img, area, rop3Code(SRCAND), nullptr, &mask, delta);
    if (drawImage) applyRop3(*img, area, rop3Code(drawMask ? SRCINVERT : SRCCOPY), nullptr, &color, delta);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    return loadShared(instance, name, IMAGE_ICON);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return loadShared(instance, name, IMAGE_CURSOR);
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    return static_cast<HBITMAP>(loadBitmapImage(instance, name, 0));
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_BITMAP) return loadBitmapImage(instance, name, flags);
    if (type != IMAGE_ICON && type != IMAGE_CURSOR) return nullptr;
    bool fromFile = flags & LR_LOADFROMFILE;
    if (!fromFile && (flags & LR_SHARED || !instance) && cx == 0 && cy == 0)
        return loadShared(instance, name, type);
    QImage picture;
    QPoint hotspot;
    if (!fromFile && !instance && IS_INTRESOURCE(name)) {
        int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
        if (type == IMAGE_CURSOR)
            stockCursorImage(id, &picture, &hotspot);
        else
            stockIconImage(id, &picture);
    } else {
        picture = loadPicture(instance, name, type, flags);
    }
    if (picture.isNull()) return nullptr;
    if (cx == 0 && flags & LR_DEFAULTSIZE) cx = GetSystemMetrics(SM_CXICON);
    if (cy == 0 && flags & LR_DEFAULTSIZE) cy = GetSystemMetrics(SM_CYICON);
    if (cx > 0 && cy > 0 && picture.size() != QSize(cx, cy)) {
        hotspot = QPoint(hotspot.x() * cx / picture.width(), hotspot.y() * cy / picture.height());
        picture = picture.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return createIconFromImage(picture, hotspot, type == IMAGE_ICON);
}
