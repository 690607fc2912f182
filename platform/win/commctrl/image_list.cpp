// Image lists over GDI bitmaps: copies, masks and drawing use only the GDI functions.

#include "platform/win/commctrl/image_list.h"

#include "platform/win/handle_table.h"
#include "platform/win/handle_accounting.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pm::cc {
namespace {

// A memory DC holding one bitmap for the lifetime of the object.
class MemoryDC {
public:
    explicit MemoryDC(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr)), m_old(SelectObject(m_dc, bitmap)) {}
    ~MemoryDC() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

constexpr DWORD kDestination = 0x00AA0029; // D: leave the destination as it is

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

BITMAPINFO topDown32(int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The colour of the top left pixel of a bitmap.
COLORREF cornerColour(HBITMAP bitmap) {
    MemoryDC dc(bitmap);
    return GetPixel(dc, 0, 0);
}

HandleTable<ImageList>& lists() {
    static HandleTable<ImageList> table;
    return table;
}

const bool kImageListsCounted = registerHandleKind("image lists", [] { return lists().liveCount(); });

} // namespace

ImageList* imageListOf(HIMAGELIST himl) {
    return lists().get(reinterpret_cast<std::uintptr_t>(himl));
}

ImageList::ImageList(int cx, int cy, UINT flags, int initial, int grow)
    : m_cx(cx), m_cy(cy), m_flags(flags), m_grow(std::max(grow, 1)) {
    m_overlays.fill(-1);
    reserve(std::max(initial, 1));
}

ImageList::~ImageList() {
    DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
}

void ImageList::reserve(int n) {
    if (n <= m_capacity) return;
    // Grows by at least half again, so that adding images one by one costs amortised constant time.
    int capacity = std::max(n, m_capacity + std::max(m_grow, m_capacity / 2));
    HBITMAP image = CreateBitmap(capacity * m_cx, m_cy, 1, 32, nullptr);
    HBITMAP mask = masked() ? CreateBitmap(capacity * m_cx, m_cy, 1, 1, nullptr) : nullptr;
    if (m_image && m_count) {
        MemoryDC from(m_image), to(image);
        BitBlt(to, 0, 0, m_count * m_cx, m_cy, from, 0, 0, SRCCOPY);
    }
    if (m_mask && m_count) {
        MemoryDC from(m_mask), to(mask);
        BitBlt(to, 0, 0, m_count * m_cx, m_cy, from, 0, 0, SRCCOPY);
    }
    DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
    m_image = image;
    m_mask = mask;
    m_capacity = capacity;
}

// Copies a cx by cy picture (and its mask, or an opaque mask) into slot `to`.
void ImageList::copySlot(int to, HBITMAP image, int sx, HBITMAP mask, int cx, int cy) {
    int x = to * m_cx;
    {
        MemoryDC dst(m_image), src(image);
        if (cx == m_cx && cy == m_cy)
            BitBlt(dst, x, 0, m_cx, m_cy, src, sx, 0, SRCCOPY);
        else
            StretchBlt(dst, x, 0, m_cx, m_cy, src, sx, 0, cx, cy, SRCCOPY);
    }
    if (!m_mask) return;
    MemoryDC dst(m_mask);
    if (!mask) {
        PatBlt(dst, x, 0, m_cx, m_cy, BLACKNESS);
        return;
    }
    MemoryDC src(mask);
    SetBkColor(src, RGB(255, 255, 255));
    if (cx == m_cx && cy == m_cy)
        BitBlt(dst, x, 0, m_cx, m_cy, src, sx, 0, SRCCOPY);
    else
        StretchBlt(dst, x, 0, m_cx, m_cy, src, sx, 0, cx, cy, SRCCOPY);
}

int ImageList::add(HBITMAP image, HBITMAP mask) {
    SIZE size = bitmapSize(image);
    int n = size.cx / m_cx;
    if (n <= 0 || size.cy < m_cy) return -1;
    reserve(m_count + n);
    int first = m_count;
    for (int k = 0; k < n; ++k)
        copySlot(first + k, image, k * m_cx, mask, m_cx, m_cy);
    m_count += n;
    return first;
}

// Sets the mask of n slots from `first` where the picture has colour `key`, and blackens those
// pixels of the picture so that it can also be drawn by AND and OR.
void ImageList::maskByColour(int first, int n, COLORREF key) {
    if (!m_mask) return;
    MemoryDC image(m_image), mask(m_mask);
    int x = first * m_cx, w = n * m_cx;
    SetBkColor(image, key);
    BitBlt(mask, x, 0, w, m_cy, image, x, 0, SRCCOPY);
    SetTextColor(image, RGB(255, 255, 255));
    SetBkColor(image, RGB(0, 0, 0));
    BitBlt(image, x, 0, w, m_cy, mask, x, 0, SRCAND);
}

int ImageList::addMasked(HBITMAP image, COLORREF key) {
    if (key == CLR_DEFAULT) key = cornerColour(image);
    int first = add(image, nullptr);
    if (first < 0 || key == CLR_NONE) return first;
    maskByColour(first, m_count - first, key);
    return first;
}

bool ImageList::replace(int i, HBITMAP image, HBITMAP mask) {
    if (!valid(i) || !image) return false;
    SIZE size = bitmapSize(image);
    copySlot(i, image, 0, mask, std::min<int>(size.cx, m_cx), std::min<int>(size.cy, m_cy));
    return true;
}

int ImageList::replaceIcon(int i, HICON icon) {
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) return -1;
    SIZE size = bitmapSize(ii.hbmColor);
    int index = -1;
    if (i == -1 && size.cx > 0) {
        reserve(m_count + 1);
        index = m_count++;
    } else if (valid(i) && size.cx > 0) {
        index = i;
    }
    if (index >= 0) copySlot(index, ii.hbmColor, 0, ii.hbmMask, size.cx, size.cy);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return index;
}

void ImageList::moveSlots(int from, int to, int n) {
    if (n <= 0) return;
    MemoryDC image(m_image);
    BitBlt(image, to * m_cx, 0, n * m_cx, m_cy, image, from * m_cx, 0, SRCCOPY);
    if (!m_mask) return;
    MemoryDC mask(m_mask);
    BitBlt(mask, to * m_cx, 0, n * m_cx, m_cy, mask, from * m_cx, 0, SRCCOPY);
}

bool ImageList::remove(int i) {
    if (i == -1) {
        m_count = 0;
        m_overlays.fill(-1);
        return true;
    }
    if (!valid(i)) return false;
    moveSlots(i + 1, i, m_count - i - 1);
    --m_count;
    for (int& o : m_overlays) {
        if (o == i)
            o = -1;
        else if (o > i)
            --o;
    }
    return true;
}

bool ImageList::setCount(int n) {
    if (n < 0) return false;
    reserve(n);
    if (n > m_count) {
        MemoryDC image(m_image);
        PatBlt(image, m_count * m_cx, 0, (n - m_count) * m_cx, m_cy, BLACKNESS);
        if (m_mask) {
            MemoryDC mask(m_mask);
            PatBlt(mask, m_count * m_cx, 0, (n - m_count) * m_cx, m_cy, BLACKNESS);
        }
    }
    m_count = n;
    return true;
}

void ImageList::setSize(int cx, int cy) {
    DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
    m_image = m_mask = nullptr;
    m_cx = cx;
    m_cy = cy;
    m_count = m_capacity = 0;
    m_overlays.fill(-1);
    reserve(m_grow);
}

// Draws image i tinted by `percent` of colour fg, through a scratch bitmap.
bool ImageList::blend(int i, COLORREF fg, int percent, HDC dc, int x, int y, int w, int h,
                      bool transparent) const {
    HBITMAP scratch = CreateBitmap(m_cx, m_cy, 1, 32, nullptr);
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(m_cx) * static_cast<std::size_t>(m_cy));
    BITMAPINFO info = topDown32(m_cx, m_cy);
    {
        MemoryDC src(m_image), tmp(scratch);
        BitBlt(tmp, 0, 0, m_cx, m_cy, src, i * m_cx, 0, SRCCOPY);
        GetDIBits(tmp, scratch, 0, static_cast<UINT>(m_cy), bits.data(), &info, DIB_RGB_COLORS);
        int fr = GetRValue(fg), fgG = GetGValue(fg), fb = GetBValue(fg);
        for (std::uint32_t& p : bits) {
            int b = static_cast<int>(p & 0xFF), g = static_cast<int>(p >> 8 & 0xFF),
                r = static_cast<int>(p >> 16 & 0xFF);
            r += (fr - r) * percent / 100;
            g += (fgG - g) * percent / 100;
            b += (fb - b) * percent / 100;
            p = (p & 0xFF000000u) | static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        }
        SetDIBits(tmp, scratch, 0, static_cast<UINT>(m_cy), bits.data(), &info, DIB_RGB_COLORS);
        if (transparent)
            MaskBlt(dc, x, y, w, h, tmp, 0, 0, m_mask, i * m_cx, 0, MAKEROP4(kDestination, SRCCOPY));
        else
            BitBlt(dc, x, y, w, h, tmp, 0, 0, SRCCOPY);
    }
    DeleteObject(scratch);
    return true;
}

bool ImageList::draw(int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                     UINT style) const {
    if (!valid(i) || !dc) return false;
    int w = dx > 0 ? std::min(dx, m_cx) : m_cx, h = dy > 0 ? std::min(dy, m_cy) : m_cy;
    if (style & ILD_MASK) {
        if (!m_mask) return PatBlt(dc, x, y, w, h, BLACKNESS) != FALSE;
        MemoryDC mask(m_mask);
        return BitBlt(dc, x, y, w, h, mask, i * m_cx, 0, SRCCOPY) != FALSE;
    }
    if (bk == CLR_DEFAULT) bk = m_bk;
    bool transparent = m_mask && ((style & ILD_TRANSPARENT) || bk == CLR_NONE);
    if (m_mask && !transparent) {
        HBRUSH brush = CreateSolidBrush(bk);
        RECT rc{x, y, x + w, y + h};
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    }
    int percent = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
    if (percent) {
        if (fg == CLR_DEFAULT || fg == CLR_NONE) fg = GetSysColor(COLOR_HIGHLIGHT);
        blend(i, fg, percent, dc, x, y, w, h, m_mask != nullptr);
    } else {
        MemoryDC image(m_image);
        if (m_mask)
            MaskBlt(dc, x, y, w, h, image, i * m_cx, 0, m_mask, i * m_cx, 0, MAKEROP4(kDestination, SRCCOPY));
        else
            BitBlt(dc, x, y, w, h, image, i * m_cx, 0, SRCCOPY);
    }
    int overlay = static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
    if (overlay >= 1 && overlay <= 15 && valid(m_overlays[static_cast<std::size_t>(overlay - 1)]))
        draw(m_overlays[static_cast<std::size_t>(overlay - 1)], dc, x, y, dx, dy, CLR_NONE, fg,
             ILD_TRANSPARENT);
    return true;
}

bool ImageList::info(int i, IMAGEINFO& out) const {
    if (!valid(i)) return false;
    out = IMAGEINFO{};
    out.hbmImage = m_image;
    out.hbmMask = m_mask;
    out.rcImage = RECT{i * m_cx, 0, (i + 1) * m_cx, m_cy};
    return true;
}

HICON ImageList::icon(int i, UINT style) const {
    if (!valid(i)) return nullptr;
    HBITMAP colour = CreateBitmap(m_cx, m_cy, 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(m_cx, m_cy, 1, 1, nullptr);
    {
        MemoryDC c(colour), m(mask);
        PatBlt(c, 0, 0, m_cx, m_cy, BLACKNESS);
        draw(i, c, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, (style & ~ILD_MASK) | ILD_TRANSPARENT);
        draw(i, m, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_MASK);
    }
    ICONINFO ii{TRUE, 0, 0, mask, colour};
    HICON result = CreateIconIndirect(&ii);
    DeleteObject(colour);
    DeleteObject(mask);
    return result;
}

COLORREF ImageList::setBkColor(COLORREF colour) {
    COLORREF old = m_bk;
    m_bk = colour;
    return old;
}

bool ImageList::setOverlay(int image, int overlay) {
    if (overlay < 1 || overlay > 15 || (image != -1 && !valid(image))) return false;
    m_overlays[static_cast<std::size_t>(overlay - 1)] = image;
    return true;
}

ImageList* ImageList::duplicate() const {
    auto* copy = new ImageList(m_cx, m_cy, m_flags, std::max(m_count, 1), m_grow);
    {
        MemoryDC from(m_image), to(copy->m_image);
        BitBlt(to, 0, 0, m_count * m_cx, m_cy, from, 0, 0, SRCCOPY);
    }
    if (m_mask) {
        MemoryDC from(m_mask), to(copy->m_mask);
        BitBlt(to, 0, 0, m_count * m_cx, m_cy, from, 0, 0, SRCCOPY);
    }
    copy->m_count = m_count;
    copy->m_bk = m_bk;
    copy->m_overlays = m_overlays;
    return copy;
}

HIMAGELIST registerImageList(std::unique_ptr<ImageList> list) {
    return reinterpret_cast<HIMAGELIST>(lists().add(std::move(list)));
}

bool destroyImageList(HIMAGELIST himl) {
    return lists().remove(reinterpret_cast<std::uintptr_t>(himl)) != nullptr;
}

} // namespace pm::cc
