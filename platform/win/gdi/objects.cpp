// The object table, stock objects, pens and brushes, and the generic object functions.
#include "platform/win/gdi/objects.h"

#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/image_pixels.h"

#include <cstring>

namespace pm::gdi {

// Never destroyed: global font and brush objects of the programs delete their handles from their
// destructors at exit, which may run after the table's would have.
HandleTable<GdiObject>& objectTable() {
    static auto* table = new HandleTable<GdiObject>;
    return *table;
}

GdiObject* objectOf(const void* handle) {
    return objectTable().get(reinterpret_cast<std::uintptr_t>(handle));
}

namespace {

// The 8x8 checkerboard of drag frames and focus rectangles (monochrome).
ImageRef halftonePattern() {
    ImageRef image = newImage(8, 8, 0xFF000000u);
    PixelView pixels = pixelsOf(*image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.line(y)[x] = (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    return image;
}

Pen makePen(UINT style, int width, COLORREF color) {
    Pen p;
    p.log.lopnStyle = style;
    p.log.lopnWidth = POINT{width < 0 ? 0 : width, 0};
    p.log.lopnColor = color & 0x03FFFFFF;
    return p;
}

Brush makeSolid(COLORREF color) {
    Brush b;
    b.style = BS_SOLID;
    b.color = color & 0x03FFFFFF;
    return b;
}

} // namespace

HPEN stockPen(int index) {
    static HPEN pens[3] = {addObject<HPEN>(makePen(PS_SOLID, 0, RGB(255, 255, 255)), true),
                           addObject<HPEN>(makePen(PS_SOLID, 0, RGB(0, 0, 0)), true),
                           addObject<HPEN>(makePen(PS_NULL, 0, 0), true)};
    return index >= WHITE_PEN && index <= NULL_PEN ? pens[index - WHITE_PEN] : nullptr;
}

HBRUSH stockBrush(int index) {
    static HBRUSH brushes[6] = {addObject<HBRUSH>(makeSolid(RGB(255, 255, 255)), true),
                                addObject<HBRUSH>(makeSolid(RGB(192, 192, 192)), true),
                                addObject<HBRUSH>(makeSolid(RGB(128, 128, 128)), true),
                                addObject<HBRUSH>(makeSolid(RGB(64, 64, 64)), true),
                                addObject<HBRUSH>(makeSolid(RGB(0, 0, 0)), true),
                                addObject<HBRUSH>(Brush{BS_NULL, 0, 0, {}, false}, true)};
    return index >= WHITE_BRUSH && index <= NULL_BRUSH ? brushes[index] : nullptr;
}

} // namespace pm::gdi

using namespace pm::gdi;

HGDIOBJ GetStockObject(int index) {
    switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH:
        return stockBrush(index);
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN:
        return stockPen(index);
    case DEFAULT_PALETTE:
        return defaultPalette();
    case DC_BRUSH: {
        static HBRUSH dcBrush = addObject<HBRUSH>(Brush{BS_SOLID, RGB(255, 255, 255), 0, {}, false}, true);
        return dcBrush;
    }
    case DC_PEN: {
        static HPEN dcPen = addObject<HPEN>(Pen{LOGPEN{PS_SOLID, POINT{0, 0}, 0}}, true);
        return dcPen;
    }
    default:
        return stockFont(index);
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    return addObject<HPEN>(Pen{LOGPEN{static_cast<UINT>(style), POINT{width < 0 ? 0 : width, 0}, color}});
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return addObject<HBRUSH>(Brush{BS_SOLID, color, 0, {}, false});
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    return addObject<HBRUSH>(Brush{BS_HATCHED, color, hatch, {}, false});
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    if (!bm) return nullptr;
    // The pattern is a copy: the bitmap may be deleted while the brush lives.
    return addObject<HBRUSH>(Brush{BS_PATTERN, 0, 0, copyOfPixels(constPixelsOf(*bm->image)), bm->mono});
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED:
        return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
        return nullptr;
    }
}

HBRUSH CreateHalftoneBrush() {
    return addObject<HBRUSH>(Brush{BS_PATTERN, 0, 0, halftonePattern(), true});
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->state.dcBrushColor;
    dc->state.dcBrushColor = color;
    return old;
}

COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->state.dcPenColor;
    dc->state.dcPenColor = color;
    return old;
}

HGDIOBJ pm::gdi::selectBitmap(DeviceContext& dc, HDC hdc, HBITMAP bitmap) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    if (dc.kind() != DeviceContext::Kind::Memory || !bm) return nullptr;
    HBITMAP old = dc.bitmap();
    if (old == bitmap) return old;
    // A bitmap is selected into one DC at a time; the stock 1x1 bitmap into any number.
    if (bm->selectedInto && bitmap != defaultBitmap()) return nullptr;
    if (Bitmap* oldBm = objectAs<Bitmap>(old)) oldBm->selectedInto = nullptr;
    if (bitmap != defaultBitmap()) bm->selectedInto = hdc;
    dc.setBitmap(bitmap);
    return old;
}

namespace {

template <class H> HGDIOBJ swapHandle(H& slot, HGDIOBJ h) {
    H old = slot;
    slot = static_cast<H>(h);
    return old;
}

} // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = dcOf(hdc);
    GdiObject* obj = objectOf(h);
    if (!dc || !obj) return nullptr;
    ObjectData& d = obj->data;
    if (std::holds_alternative<Pen>(d)) return swapHandle(dc->state.pen, h);
    if (std::holds_alternative<Brush>(d)) return swapHandle(dc->state.brush, h);
    if (std::holds_alternative<Font>(d)) return swapHandle(dc->state.font, h);
    if (std::holds_alternative<Bitmap>(d)) return selectBitmap(*dc, hdc, static_cast<HBITMAP>(h));
    if (std::holds_alternative<Region>(d))
        return reinterpret_cast<HGDIOBJ>(
            static_cast<std::intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(h))));
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_FONT:
        return dc->state.font;
    case OBJ_PAL:
        return dc->state.palette;
    case OBJ_BITMAP:
        return dc->bitmap();
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ h) {
    GdiObject* obj = objectOf(h);
    if (!obj) return FALSE;
    if (obj->stock) return TRUE;
    if (std::holds_alternative<Icon>(obj->data) || std::holds_alternative<DcHolder>(obj->data)) return FALSE;
    // A bitmap selected into a DC stays until it is selected out.
    if (Bitmap* bm = std::get_if<Bitmap>(&obj->data); bm && bm->selectedInto && dcOf(bm->selectedInto))
        return FALSE;
    objectTable().remove(reinterpret_cast<std::uintptr_t>(h));
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ h) {
    if (DeviceContext* dc = dcOf(static_cast<HDC>(h)))
        return dc->kind() == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    GdiObject* obj = objectOf(h);
    if (!obj) return 0;
    static const DWORD types[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION, OBJ_PAL, 0, 0};
    return types[obj->data.index()];
}

namespace {

template <class T> int copyOut(const T& value, int size, LPVOID out) {
    if (!out) return static_cast<int>(sizeof(T));
    int n = size < static_cast<int>(sizeof(T)) ? size : static_cast<int>(sizeof(T));
    if (n <= 0) return 0;
    std::memcpy(out, &value, static_cast<std::size_t>(n));
    return n;
}

BITMAP bitmapInfo(const Bitmap& bm) {
    ConstPixelView pixels = constPixelsOf(*bm.image);
    BITMAP b{};
    b.bmWidth = pixels.width;
    b.bmHeight = pixels.height;
    b.bmBitsPixel = static_cast<WORD>(bm.bitsPerPixel);
    b.bmPlanes = 1;
    b.bmWidthBytes = (b.bmWidth * b.bmBitsPixel + 15) / 16 * 2;
    if (bm.section) b.bmBits = const_cast<std::uint32_t*>(pixels.bits);
    return b;
}

} // namespace

int GetObjectA(HGDIOBJ h, int size, LPVOID out) {
    GdiObject* obj = objectOf(h);
    if (!obj) return 0;
    ObjectData& d = obj->data;
    if (auto* p = std::get_if<Pen>(&d)) return copyOut(p->log, size, out);
    if (auto* b = std::get_if<Brush>(&d)) {
        LOGBRUSH lb{b->style, b->color, static_cast<ULONG_PTR>(b->hatch)};
        return copyOut(lb, size, out);
    }
    if (auto* f = std::get_if<Font>(&d)) return copyOut(f->log, size, out);
    if (auto* bm = std::get_if<Bitmap>(&d)) return copyOut(bitmapInfo(*bm), size, out);
    if (auto* pal = std::get_if<Palette>(&d))
        return copyOut(static_cast<WORD>(pal->entries.size()), size, out);
    return 0;
}
