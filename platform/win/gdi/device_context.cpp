#include "platform/win/gdi/device_context.h"

#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace pm::gdi {

namespace {

// Win32 rounds mapped coordinates to the nearest integer, halves away from zero.
int scale(int value, int num, int den) {
    if (den == 0) return value;
    long long p = static_cast<long long>(value) * num;
    long long q = (std::llabs(p) + std::llabs(static_cast<long long>(den)) / 2) /
                  std::llabs(static_cast<long long>(den));
    return static_cast<int>((p < 0) != (den < 0) ? -q : q);
}

} // namespace

DeviceContext::DeviceContext(Kind kind) : m_kind(kind) {
    state.pen = stockPen(BLACK_PEN);
    state.brush = stockBrush(WHITE_BRUSH);
    state.font = stockFont(SYSTEM_FONT);
    state.palette = defaultPalette();
}

bool DeviceContext::monochrome() const {
    if (m_kind != Kind::Memory) return false;
    Bitmap* bm = objectAs<Bitmap>(state.bitmap);
    return bm && bm->mono;
}

POINT DeviceContext::toDevice(int x, int y) const {
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return POINT{x - s.windowOrg.x + s.viewportOrg.x, y - s.windowOrg.y + s.viewportOrg.y};
    return POINT{scale(x - s.windowOrg.x, s.viewportExt.cx, s.windowExt.cx) + s.viewportOrg.x,
                 scale(y - s.windowOrg.y, s.viewportExt.cy, s.windowExt.cy) + s.viewportOrg.y};
}

POINT DeviceContext::toLogical(int x, int y) const {
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return POINT{x - s.viewportOrg.x + s.windowOrg.x, y - s.viewportOrg.y + s.windowOrg.y};
    return POINT{scale(x - s.viewportOrg.x, s.windowExt.cx, s.viewportExt.cx) + s.windowOrg.x,
                 scale(y - s.viewportOrg.y, s.windowExt.cy, s.viewportExt.cy) + s.windowOrg.y};
}

int DeviceContext::lengthToDevice(int logical) const {
    if (state.mapMode == MM_TEXT) return logical;
    return std::abs(scale(logical, state.viewportExt.cx, state.windowExt.cx));
}

int DeviceContext::lengthToLogical(int device) const {
    if (state.mapMode == MM_TEXT) return device;
    return std::abs(scale(device, state.windowExt.cx, state.viewportExt.cx));
}

HPEN DeviceContext::selectedPen() const {
    return objectAs<Pen>(state.pen) ? state.pen : stockPen(BLACK_PEN);
}

HBRUSH DeviceContext::selectedBrush() const {
    return objectAs<Brush>(state.brush) ? state.brush : stockBrush(WHITE_BRUSH);
}

std::uint32_t DeviceContext::resolve(COLORREF color) const {
    std::uint32_t c;
    if ((color >> 24) == 0x01) {
        Palette* pal = objectAs<Palette>(state.palette);
        UINT i = color & 0xFFFF;
        if (pal && i < pal->entries.size()) {
            const PALETTEENTRY& e = pal->entries[i];
            c = toRgb(RGB(e.peRed, e.peGreen, e.peBlue));
        } else {
            c = 0xFF000000u;
        }
    } else {
        c = toRgb(color & 0xFFFFFF);
    }
    return monochrome() ? monoOf(c) : c;
}

DeviceContext* dcOf(HDC hdc) {
    DcHolder* h = objectAs<DcHolder>(hdc);
    return h ? h->dc.get() : nullptr;
}

HDC addDc(std::shared_ptr<DeviceContext> dc) {
    return addObject<HDC>(DcHolder{std::move(dc)});
}

void removeDc(HDC hdc) {
    if (objectAs<DcHolder>(hdc)) objectTable().remove(reinterpret_cast<std::uintptr_t>(hdc));
}

Target DeviceContext::target() const {
    if (m_kind != Kind::Memory) return Target();
    Bitmap* bm = objectAs<Bitmap>(state.bitmap);
    return bm ? Target{pixelsOf(*bm->image), false} : Target();
}

Source DeviceContext::source() const {
    if (m_kind != Kind::Memory) return Source();
    Bitmap* bm = objectAs<Bitmap>(state.bitmap);
    return bm ? Source{constPixelsOf(*bm->image), false} : Source();
}

// ---- Where output goes (surface.h) ----------------------------------------------------------------

RECT surfaceRect(const DeviceContext& dc) {
    ConstPixelView pixels = dc.source().pixels;
    if (pixels.empty()) return RECT{0, 0, 0, 0};
    return RECT{-dc.origin().x, -dc.origin().y, pixels.width - dc.origin().x, pixels.height - dc.origin().y};
}

RectRegion visibleRegion(const DeviceContext& dc) {
    RectRegion r(surfaceRect(dc));
    if (const RectRegion* owner = dc.ownerClip()) r &= *owner;
    if (dc.state.clip) r &= *dc.state.clip;
    return r;
}

RectRegion outputArea(const DeviceContext& dc, const RECT& rect) {
    return inPixels(dc, visibleRegion(dc) & RectRegion(rect));
}

RECT deviceRect(const DeviceContext& dc, const RECT& r) {
    POINT a = dc.toDevice(r.left, r.top), b = dc.toDevice(r.right, r.bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT logicalRect(const DeviceContext& dc, const RECT& device) {
    POINT a = dc.toLogical(device.left, device.top), b = dc.toLogical(device.right, device.bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

} // namespace pm::gdi

using namespace pm::gdi;

HDC CreateCompatibleDC(HDC) {
    auto dc = std::make_shared<DeviceContext>(DeviceContext::Kind::Memory);
    HBITMAP bm = defaultBitmap();
    dc->setBitmap(bm);
    return addDc(std::move(dc));
}

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const void*) {
    // The display gives an information DC that measures but shows nothing; any other driver a printer,
    // which writes its documents to the output file when one is named.
    if (!driver) return device ? createPrinterDC(device, output) : nullptr;
    if (std::string(driver) != "DISPLAY") return createPrinterDC(device, output);
    return addDc(std::make_shared<DeviceContext>(DeviceContext::Kind::Info));
}

HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init) {
    return CreateDCA(driver, device, output, init);
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || dc->kind() == DeviceContext::Kind::Image) return FALSE;
    if (Bitmap* bm = objectAs<Bitmap>(dc->bitmap())) bm->selectedInto = nullptr;
    endPrinterDC(hdc);
    removeDc(hdc);
    return TRUE;
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int savedDC) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    int depth = static_cast<int>(dc->saved.size());
    int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
    if (level < 1 || level > depth) return FALSE;
    HBITMAP current = dc->bitmap();
    HBITMAP wanted = dc->saved[static_cast<std::size_t>(level - 1)].bitmap;
    dc->state = dc->saved[static_cast<std::size_t>(level - 1)];
    dc->saved.resize(static_cast<std::size_t>(level - 1));
    // The saved bitmap comes back through the selection rules (it may be gone or taken since).
    dc->setBitmap(current);
    if (wanted != current) selectBitmap(*dc, hdc, wanted);
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return 0;
    bool page = dc->kind() == DeviceContext::Kind::Page;
    // Only a page's own size is read from its surface (a screen DC's is made on demand).
    RECT surface = page ? surfaceRect(*dc) : RECT{0, 0, 0, 0};
    switch (index) {
    case TECHNOLOGY:
        return page ? DT_RASPRINTER : DT_RASDISPLAY;
    case PHYSICALWIDTH:
        return page ? widthOf(surface) : 0;
    case PHYSICALHEIGHT:
        return page ? heightOf(surface) : 0;
    // A page answers its own size; screen, window and memory DCs the screen's.
    case HORZRES:
        return page ? widthOf(surface) : GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return page ? heightOf(surface) : GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE:
        return MulDiv(GetDeviceCaps(hdc, HORZRES), 254, dc->logPixels() * 10);
    case VERTSIZE:
        return MulDiv(GetDeviceCaps(hdc, VERTRES), 254, dc->logPixels() * 10);
    case BITSPIXEL:
        return dc->monochrome() ? 1 : 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case NUMBRUSHES:
    case NUMPENS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT;
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return dc->logPixels();
    case SIZEPALETTE:
    case NUMRESERVED:
        return 0;
    case COLORRES:
        return 24;
    default:
        return 0;
    }
}
