// Logical palettes. Surfaces are true colour: a palette only names colours (PALETTEINDEX) and answers
// nearest-colour questions; realising it changes nothing on screen.
#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/objects.h"

#include <algorithm>
#include <climits>

namespace pm::gdi {

HPALETTE defaultPalette() {
    // The 20 reserved colours: 16 VGA colours with the four extra greys and tints in the middle.
    static const BYTE rgb[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                    {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                                    {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                    {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    static HPALETTE palette = [] {
        Palette p;
        for (const auto& c : rgb)
            p.entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
        return addObject<HPALETTE>(std::move(p), true);
    }();
    return palette;
}

} // namespace pm::gdi

using namespace pm::gdi;

namespace {

constexpr UINT kMaxEntries = 65535;

int distance(const PALETTEENTRY& e, COLORREF c) {
    int dr = e.peRed - GetRValue(c), dg = e.peGreen - GetGValue(c), db = e.peBlue - GetBValue(c);
    return dr * dr + dg * dg + db * db;
}

} // namespace

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0) return nullptr;
    Palette p;
    UINT n = std::min<UINT>(palette->palNumEntries, kMaxEntries);
    p.entries.assign(palette->palPalEntry, palette->palPalEntry + n);
    return addObject<HPALETTE>(std::move(p));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries) {
    Palette* p = objectAs<Palette>(palette);
    if (!p) return 0;
    UINT size = static_cast<UINT>(p->entries.size());
    if (!entries) return size;
    if (start >= size) return 0;
    UINT n = std::min(count, size - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
    GdiObject* o = objectOf(palette);
    Palette* p = objectAs<Palette>(palette);
    if (!p || o->stock || !entries) return 0;
    UINT size = static_cast<UINT>(p->entries.size());
    if (start >= size) return 0;
    UINT n = std::min(count, size - start);
    std::copy_n(entries, n, p->entries.begin() + start);
    return n;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !objectAs<Palette>(palette)) return nullptr;
    HPALETTE old = dc->state.palette;
    dc->state.palette = palette;
    return old;
}

UINT RealizePalette(HDC hdc) {
    return dcOf(hdc) ? 0 : GDI_ERROR;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
    Palette* p = objectAs<Palette>(palette);
    if (!p || p->entries.empty()) return CLR_INVALID;
    UINT best = 0;
    int bestDistance = INT_MAX;
    for (UINT i = 0; i < p->entries.size(); ++i) {
        int d = distance(p->entries[i], color & 0xFFFFFF);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    return toColorRef(dc->resolve(color));
}
