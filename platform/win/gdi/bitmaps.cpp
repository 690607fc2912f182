// Bitmaps: colour (32 bits a pixel) and monochrome, device-independent bits in and out, pixels.
#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pm::gdi {

namespace {

// Larger bitmaps are refused rather than allocated.
constexpr long long kMaxPixels = 1LL << 28;
constexpr int kMaxSide = 1 << 16;

bool sizeOk(int w, int h) {
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && static_cast<long long>(w) * h <= kMaxPixels;
}

Bitmap makeBitmap(int w, int h, bool mono) {
    Bitmap bm;
    bm.image = newImage(w, h, 0xFF000000u);
    bm.mono = mono;
    bm.bitsPerPixel = mono ? 1 : 32;
    return bm;
}

} // namespace

HBITMAP defaultBitmap() {
    static HBITMAP bitmap = addObject<HBITMAP>(makeBitmap(1, 1, true), true);
    return bitmap;
}

HBITMAP addColourBitmap(ImageRef image) {
    ConstPixelView pixels = constPixelsOf(*image);
    if (pixels.empty() || !sizeOk(pixels.width, pixels.height)) return nullptr;
    Bitmap bm;
    bm.image = std::move(image);
    return addObject<HBITMAP>(std::move(bm));
}

} // namespace pm::gdi

using namespace pm::gdi;

namespace {

int dibStride(int width, int bpp) {
    return (width * bpp + 31) / 32 * 4;
}

std::uint32_t argb(int r, int g, int b) {
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

// The colour table of a DIB header, resolved to RGB; empty for depths without one.
std::vector<std::uint32_t> colourTable(const BITMAPINFO* info, UINT usage, const DeviceContext* dc) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    std::vector<std::uint32_t> table;
    if (h.biBitCount > 8) return table;
    UINT max = 1u << h.biBitCount;
    UINT n = h.biClrUsed == 0 || h.biClrUsed > max ? max : h.biClrUsed;
    const BYTE* base = reinterpret_cast<const BYTE*>(info) + h.biSize;
    for (UINT i = 0; i < n; ++i) {
        if (usage == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, base + i * 2, 2);
            table.push_back(dc ? dc->resolve(PALETTEINDEX(index)) : 0xFF000000u);
        } else {
            RGBQUAD q;
            std::memcpy(&q, base + i * 4, 4);
            table.push_back(argb(q.rgbRed, q.rgbGreen, q.rgbBlue));
        }
    }
    table.resize(max, 0xFF000000u);
    return table;
}

std::uint32_t dibPixel(const BYTE* row, int x, int bpp, const std::vector<std::uint32_t>& table) {
    switch (bpp) {
    case 1:
        return table[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
        return table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
    case 8:
        return table[row[x]];
    case 16: {
        int v = row[x * 2] | row[x * 2 + 1] << 8;
        return argb((v >> 10 & 31) * 255 / 31, (v >> 5 & 31) * 255 / 31, (v & 31) * 255 / 31);
    }
    case 24:
        return argb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default:
        return argb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
}

bool supportedDib(const BITMAPINFOHEADER& h) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || h.biPlanes != 1) return false;
    if (h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight < -kMaxSide ||
        h.biHeight > kMaxSide)
        return false;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

// The image row of DIB scan line `scan` (bottom-up DIBs start at the bottom).
int rowOfScan(const BITMAPINFOHEADER& h, int height, int scan) {
    return h.biHeight > 0 ? height - 1 - scan : scan;
}

} // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width == 0 || height == 0) return static_cast<HBITMAP>(defaultBitmap());
    if (planes != 1 || !sizeOk(width, height)) return nullptr;
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
    Bitmap bm = makeBitmap(width, height, bitsPerPixel == 1);
    bm.bitsPerPixel = static_cast<int>(bitsPerPixel);
    if (bits) {
        // Device-dependent rows are aligned to 16 bits.
        int stride = (width * static_cast<int>(bitsPerPixel) + 15) / 16 * 2;
        static const std::vector<std::uint32_t> mono = {0xFF000000u, 0xFFFFFFFFu};
        const auto* b = static_cast<const BYTE*>(bits);
        PixelView pixels = pixelsOf(*bm.image);
        for (int y = 0; y < height; ++y) {
            std::uint32_t* line = pixels.line(y);
            for (int x = 0; x < width; ++x)
                line[x] = dibPixel(b + y * stride, x, static_cast<int>(bitsPerPixel), mono);
        }
    }
    return addObject<HBITMAP>(std::move(bm));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return nullptr;
    if (width == 0 || height == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
    if (!sizeOk(width, height)) return nullptr;
    // A memory DC holding a monochrome bitmap makes monochrome bitmaps.
    return addObject<HBITMAP>(makeBitmap(width, height, dc->monochrome()));
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    // The shared stock bitmap is never written.
    if (!bm || objectOf(bitmap)->stock || !bits || !info || !supportedDib(info->bmiHeader)) return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    PixelView pixels = pixelsOf(*bm->image);
    int width = std::min(static_cast<int>(h.biWidth), pixels.width);
    int height = pixels.height;
    std::vector<std::uint32_t> table = colourTable(info, usage, dcOf(hdc));
    int stride = dibStride(static_cast<int>(h.biWidth), h.biBitCount);
    const auto* b = static_cast<const BYTE*>(bits);
    int done = 0;
    for (UINT i = 0; i < lines; ++i) {
        int row = rowOfScan(h, height, static_cast<int>(start + i));
        if (row < 0 || row >= height) continue;
        std::uint32_t* line = pixels.line(row);
        for (int x = 0; x < width; ++x) {
            std::uint32_t c = dibPixel(b + static_cast<std::size_t>(i) * stride, x, h.biBitCount, table);
            line[x] = bm->mono ? monoOf(c) : c;
        }
        ++done;
    }
    return done;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header) return nullptr;
    int w = header->biWidth, h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    HBITMAP bitmap = hdc ? CreateCompatibleBitmap(hdc, w, h) : CreateBitmap(w, h, 1, 32, nullptr);
    if (bitmap && (init & CBM_INIT) && bits && info)
        SetDIBits(hdc, bitmap, 0, static_cast<UINT>(h), bits, info, usage);
    return bitmap;
}

namespace {

void writeDibPixel(BYTE* row, int x, int bpp, std::uint32_t c) {
    switch (bpp) {
    case 1:
        if (c & 0xFFFFFF) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        break;
    case 24:
        row[x * 3] = static_cast<BYTE>(c);
        row[x * 3 + 1] = static_cast<BYTE>(c >> 8);
        row[x * 3 + 2] = static_cast<BYTE>(c >> 16);
        break;
    default:
        row[x * 4] = static_cast<BYTE>(c);
        row[x * 4 + 1] = static_cast<BYTE>(c >> 8);
        row[x * 4 + 2] = static_cast<BYTE>(c >> 16);
        row[x * 4 + 3] = 0;
        break;
    }
}

} // namespace

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    if (!bm || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    ConstPixelView pixels = constPixelsOf(*bm->image);
    int width = pixels.width, height = pixels.height;
    if (!bits) {
        bool askedDepth = h.biBitCount != 0;
        h.biWidth = width;
        if (h.biHeight >= 0)
            h.biHeight = height;
        else
            h.biHeight = -height;
        h.biPlanes = 1;
        if (!askedDepth) h.biBitCount = static_cast<WORD>(bm->bitsPerPixel);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(dibStride(width, h.biBitCount) * height);
        return height;
    }
    if (h.biBitCount != 1 && h.biBitCount != 24 && h.biBitCount != 32) return 0;
    if (h.biBitCount == 1) {
        info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        (&info->bmiColors[0])[1] = RGBQUAD{255, 255, 255, 0};
    }
    int stride = dibStride(width, h.biBitCount);
    auto* out = static_cast<BYTE*>(bits);
    int done = 0;
    for (UINT i = 0; i < lines; ++i) {
        int row = rowOfScan(h, height, static_cast<int>(start + i));
        if (row < 0 || row >= height) break;
        BYTE* dst = out + static_cast<std::size_t>(i) * stride;
        std::memset(dst, 0, static_cast<std::size_t>(stride));
        const std::uint32_t* line = pixels.line(row);
        for (int x = 0; x < width; ++x)
            writeDibPixel(dst, x, h.biBitCount, h.biBitCount == 1 ? monoOf(line[x]) : line[x]);
        ++done;
    }
    return done;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE section, DWORD) {
    // Sections of 32 bits a pixel, rows top-down (negative height): the bitmap's pixels are the
    // caller's bits, with the same layout.
    if (!info || section) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    int width = h.biWidth, height = -h.biHeight;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB ||
        h.biPlanes != 1 || !sizeOk(width, height))
        return nullptr;
    Bitmap bm;
    bm.image = newImage(width, height, 0xFF000000u);
    bm.section = true;
    HBITMAP handle = addObject<HBITMAP>(std::move(bm));
    if (bits) *bits = pixelsOf(*objectAs<Bitmap>(handle)->image).bits;
    return handle;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    Bitmap* bm = objectAs<Bitmap>(bitmap);
    if (!bm || !bits || size <= 0) return 0;
    int bpp = bm->bitsPerPixel == 1 ? 1 : 32;
    ConstPixelView pixels = constPixelsOf(*bm->image);
    int stride = (pixels.width * bpp + 15) / 16 * 2;
    auto* out = static_cast<BYTE*>(bits);
    LONG written = 0;
    for (int y = 0; y < pixels.height && written + stride <= size; ++y) {
        BYTE* row = out + written;
        std::memset(row, 0, static_cast<std::size_t>(stride));
        const std::uint32_t* line = pixels.line(y);
        for (int x = 0; x < pixels.width; ++x)
            writeDibPixel(row, x, bpp, line[x]);
        written += stride;
    }
    return written;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
    if (!objectAs<Bitmap>(bitmap) || !size) return FALSE;
    *size = SIZE{0, 0};
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    Target target = dc->target();
    POINT p = dc->toDevice(x, y);
    if (target.pixels.empty() || !visibleRegion(*dc).contains(p.x, p.y)) return CLR_INVALID;
    std::uint32_t c = dc->resolve(color);
    target.pixels.line(p.y + dc->origin().y)[p.x + dc->origin().x] = storedPixel(c, target.keyed);
    return toColorRef(c);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    ConstPixelView pixels = dc->source().pixels;
    POINT p = dc->toDevice(x, y);
    if (pixels.empty() || !visibleRegion(*dc).contains(p.x, p.y)) return CLR_INVALID;
    return toColorRef(pixels.line(p.y + dc->origin().y)[p.x + dc->origin().x]);
}
