// Icons and cursors as image objects: a mask and a colour picture, drawn as Win32 does.
#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/winuser.h"

using namespace pm::gdi;

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) return nullptr;
    Bitmap* mask = objectAs<Bitmap>(info->hbmMask);
    Bitmap* color = objectAs<Bitmap>(info->hbmColor);
    if (!mask) return nullptr;
    Icon icon;
    ConstPixelView maskPixels = constPixelsOf(*mask->image);
    if (color) {
        ConstPixelView colorPixels = constPixelsOf(*color->image);
        icon.color = copyOfPixels(colorPixels);
        icon.mask = copyOfPart(maskPixels, RECT{0, 0, colorPixels.width, colorPixels.height});
    } else {
        // A monochrome icon: the mask bitmap holds the AND mask above the XOR picture.
        int h = maskPixels.height / 2;
        icon.mask = copyOfPart(maskPixels, RECT{0, 0, maskPixels.width, h});
        icon.color = copyOfPart(maskPixels, RECT{0, h, maskPixels.width, 2 * h});
    }
    ConstPixelView colorPixels = constPixelsOf(*icon.color);
    icon.isIcon = info->fIcon != 0;
    icon.hotspot = icon.isIcon ? POINT{colorPixels.width / 2, colorPixels.height / 2}
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
    mask.image = copyOfPixels(constPixelsOf(*icon->mask));
    mask.mono = true;
    mask.bitsPerPixel = 1;
    info->hbmMask = addObject<HBITMAP>(std::move(mask));
    info->hbmColor = addColourBitmap(copyOfPixels(constPixelsOf(*icon->color)));
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
    Target out = dc->target();
    if (out.pixels.empty()) return TRUE;
    ConstPixelView picture = constPixelsOf(*icon->color);
    if (cx == 0) cx = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CXICON) : picture.width;
    if (cy == 0) cy = flags & DI_DEFAULTSIZE ? GetSystemMetrics(SM_CYICON) : picture.height;
    RECT target = deviceRect(*dc, RECT{x, y, x + cx, y + cy});
    if (IsRectEmpty(&target)) return TRUE;
    ImageRef mask = stretched(icon->mask, widthOf(target), heightOf(target));
    ImageRef color = stretched(icon->color, widthOf(target), heightOf(target));
    RectRegion area = outputArea(*dc, target);
    POINT delta{-(target.left + dc->origin().x), -(target.top + dc->origin().y)};
    bool drawMask = flags & DI_MASK, drawImage = flags & DI_IMAGE;
    if (drawMask) applyRop3(out, area, rop3Code(SRCAND), nullptr, Source{constPixelsOf(*mask), false}, delta);
    if (drawImage)
        applyRop3(out, area, rop3Code(drawMask ? SRCINVERT : SRCCOPY), nullptr,
                  Source{constPixelsOf(*color), false}, delta);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
