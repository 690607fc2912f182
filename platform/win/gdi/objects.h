#pragma once
// The GDI objects behind HPEN, HBRUSH, HFONT, HBITMAP, HRGN and HPALETTE, kept in one handle table
// so that a stale or foreign handle is refused instead of reached. Their images and fonts are the
// backend's: the image store (image_pixels.h, image_store.h) and the font cache (font_cache.h).

#include "platform/win/gdi/rect_region.h"
#include "platform/win/gdi/store_refs.h"
#include "platform/win/handle_table.h"
#include "platform/win/wingdi.h"

#include <memory>
#include <variant>
#include <vector>

namespace pm::gdi {

struct Pen {
    LOGPEN log{};
};

struct Brush {
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    // BS_PATTERN: the pattern's pixels; a monochrome pattern takes the DC's text colour for black
    // and its background colour for white.
    ImageRef pattern;
    bool monoPattern = false;
};

class FontCache;

struct Font {
    LOGFONTA log{};
    bool marlett = false;             // glyphs drawn by us (see marlett.h)
    std::shared_ptr<FontCache> cache; // the Qt font made from log, its metrics and laid-out text
};

struct Bitmap {
    ImageRef image; // RGB32; a monochrome bitmap holds only black and white
    bool mono = false;
    int bitsPerPixel = 32; // as reported by GetObject
    bool section = false;  // a DIB section: GetObject reports its pixels' address
    HDC selectedInto = nullptr;
};

struct Region {
    RectRegion region; // in the coordinates it was made in
};

struct Palette {
    std::vector<PALETTEENTRY> entries;
};

// Icons and cursors: drawn as (destination AND mask) XOR colour, as Win32 does.
struct Icon {
    ImageRef color; // RGB32
    ImageRef mask;  // RGB32, white where the destination shows through
    POINT hotspot{0, 0};
    bool isIcon = true;
};

class DeviceContext;
struct DcHolder {
    std::shared_ptr<DeviceContext> dc; // made as the kind of DC it is (an ImageDc is one too)
};

// Device contexts share the table so that no handle of one kind is ever a live handle of another.
using ObjectData = std::variant<Pen, Brush, Font, Bitmap, Region, Palette, Icon, DcHolder>;

struct GdiObject {
    ObjectData data;
    bool stock = false; // stock objects, system colour brushes and shared icons are never deleted
};

HandleTable<GdiObject>& objectTable();

// Adds an object and answers its handle as the handle type asked for.
template <class H> H addObject(ObjectData data, bool stock = false) {
    auto obj = std::make_unique<GdiObject>();
    obj->data = std::move(data);
    obj->stock = stock;
    return reinterpret_cast<H>(objectTable().add(std::move(obj)));
}

GdiObject* objectOf(const void* handle);

// The object of a live handle of the given kind, or nullptr.
template <class T> T* objectAs(const void* handle) {
    GdiObject* o = objectOf(handle);
    return o ? std::get_if<T>(&o->data) : nullptr;
}

// Selects a bitmap into a memory DC (one DC at a time; the stock bitmap anywhere); answers the
// previous bitmap, or nullptr when the bitmap cannot be selected.
HGDIOBJ selectBitmap(DeviceContext& dc, HDC hdc, HBITMAP bitmap);

// Stock objects made on first use.
HPEN stockPen(int index);
HBRUSH stockBrush(int index);
HFONT stockFont(int index);
HPALETTE defaultPalette();
HBITMAP defaultBitmap(); // the 1x1 monochrome bitmap of a new memory DC

// A colour bitmap of the image's pixels (RGB32); nullptr when it is empty or larger than bitmaps
// may be.
HBITMAP addColourBitmap(ImageRef image);

} // namespace pm::gdi
