#include "platform/win/gdi/device_context.h"

#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/region_store.h"

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

// ---- What a DC draws on (dc_surface.h) ------------------------------------------------------------

namespace {

const ImageDc* imageDcOf(const DeviceContext& dc) {
    bool image = dc.kind() == DeviceContext::Kind::Image || dc.kind() == DeviceContext::Kind::Page;
    return image ? static_cast<const ImageDc*>(&dc) : nullptr;
}

void placeImageDc(ImageDc& dc, QPoint origin, const QRegion& clipInImagePixels) {
    dc.setOrigin(POINT{origin.x(), origin.y()});
    dc.hasOwnerClip = !clipInImagePixels.isEmpty();
    dc.ownerClip = clipInImagePixels.translated(-origin);
}

} // namespace

QImage* imageOf(const DeviceContext& dc) {
    if (const ImageDc* idc = imageDcOf(dc)) {
        if (idc->source) idc->image = std::exchange(idc->source, nullptr)();
        return idc->image;
    }
    if (dc.kind() != DeviceContext::Kind::Memory) return nullptr;
    Bitmap* bm = objectAs<Bitmap>(dc.state.bitmap);
    return bm ? bm->image.get() : nullptr;
}

QRect surfaceRect(const DeviceContext& dc) {
    QImage* img = imageOf(dc);
    if (!img) return QRect();
    return QRect(-originOf(dc), img->size());
}

QRegion visibleRegion(const DeviceContext& dc) {
    QRegion r(surfaceRect(dc));
    if (const ImageDc* idc = imageDcOf(dc); idc && idc->hasOwnerClip) r &= idc->ownerClip;
    if (dc.state.clip) r &= *dc.state.clip;
    return r;
}

QRect deviceRect(const DeviceContext& dc, const RECT& r) {
    POINT a = dc.toDevice(r.left, r.top), b = dc.toDevice(r.right, r.bottom);
    return QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                 QPoint(std::max(a.x, b.x) - 1, std::max(a.y, b.y) - 1));
}

RECT logicalRect(const DeviceContext& dc, const QRect& r) {
    POINT a = dc.toLogical(r.left(), r.top()), b = dc.toLogical(r.right() + 1, r.bottom() + 1);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
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
    dc->source = std::move(source);
    return addDc(std::move(dc));
}

void setImageDCOrigin(HDC hdc, QPoint origin, const QRegion& clip) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || dc->kind() != DeviceContext::Kind::Image) return;
    placeImageDc(static_cast<ImageDc&>(*dc), origin, clip);
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
    DeviceContext* dc = dcOf(hdc);
    return dc && dc->kind() == DeviceContext::Kind::Page ? imageOf(*dc) : nullptr;
}

void setPrinterPainter(HDC hdc, QPainter* painter) {
    DeviceContext* dc = dcOf(hdc);
    if (dc && dc->kind() == DeviceContext::Kind::Page) static_cast<ImageDc&>(*dc).printerPainter = painter;
}

QPainter* printerPainterOf(const DeviceContext& dc) {
    return dc.kind() == DeviceContext::Kind::Page ? static_cast<const ImageDc&>(dc).printerPainter : nullptr;
}

void releaseImageDC(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || dc->kind() != DeviceContext::Kind::Image) return;
    removeDc(hdc);
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
    QRect surface = page ? surfaceRect(*dc) : QRect();
    switch (index) {
    case TECHNOLOGY:
        return page ? DT_RASPRINTER : DT_RASDISPLAY;
    case PHYSICALWIDTH:
        return page ? surface.width() : 0;
    case PHYSICALHEIGHT:
        return page ? surface.height() : 0;
    // A page answers its own size; screen, window and memory DCs the screen's.
    case HORZRES:
        return page ? surface.width() : GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return page ? surface.height() : GetSystemMetrics(SM_CYSCREEN);
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
