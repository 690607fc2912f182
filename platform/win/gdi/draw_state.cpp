// DrawState: text, icons, bitmaps or caller-drawn content, plain, disabled (embossed) or as a
// one-colour silhouette.
#include "platform/win/gdi/image_pixels.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/winuser.h"

#include <cstring>

using namespace pm::gdi;

namespace {

struct Content {
    UINT kind;
    LPARAM data;
    WPARAM wData;
    DRAWSTATEPROC proc;
};

LPCSTR textOf(const Content& c) {
    return reinterpret_cast<LPCSTR>(c.data);
}

int textLength(const Content& c) {
    return c.wData ? static_cast<int>(c.wData) : static_cast<int>(std::strlen(textOf(c)));
}

// The natural size of the content on dc (logical units).
SIZE naturalSize(HDC hdc, const Content& c) {
    SIZE s{0, 0};
    switch (c.kind) {
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        RECT r{0, 0, 0, 0};
        UINT f = DT_CALCRECT | DT_SINGLELINE | (c.kind == DST_TEXT ? DT_NOPREFIX : 0);
        DrawTextA(hdc, textOf(c), textLength(c), &r, f);
        s = SIZE{r.right, r.bottom};
        break;
    }
    case DST_ICON: {
        if (const Icon* icon = objectAs<Icon>(reinterpret_cast<HICON>(c.data))) {
            ConstPixelView picture = constPixelsOf(*icon->color);
            s = SIZE{picture.width, picture.height};
        }
        break;
    }
    case DST_BITMAP: {
        BITMAP bm{};
        if (GetObject(reinterpret_cast<HBITMAP>(c.data), sizeof bm, &bm)) s = SIZE{bm.bmWidth, bm.bmHeight};
        break;
    }
    default:
        break;
    }
    return s;
}

// Draws the content plainly with its top left at (x, y).
BOOL drawPlain(HDC hdc, const Content& c, int x, int y, int cx, int cy, UINT flags) {
    switch (c.kind) {
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        RECT r{x, y, x + cx, y + cy};
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        UINT f = DT_SINGLELINE | DT_NOCLIP | (c.kind == DST_TEXT ? DT_NOPREFIX : 0) |
                 (flags & DSS_RIGHT ? DT_RIGHT : 0);
        if (flags & DSS_HIDEPREFIX) f |= DT_HIDEPREFIX;
        DrawTextA(hdc, textOf(c), textLength(c), &r, f);
        SetBkMode(hdc, oldMode);
        return TRUE;
    }
    case DST_ICON:
        return DrawIconEx(hdc, x, y, reinterpret_cast<HICON>(c.data), cx, cy, 0, nullptr, DI_NORMAL);
    case DST_BITMAP: {
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, reinterpret_cast<HBITMAP>(c.data));
        BOOL ok = old && BitBlt(hdc, x, y, cx, cy, mem, 0, 0, SRCCOPY);
        if (old) SelectObject(mem, old);
        DeleteDC(mem);
        return ok;
    }
    case DST_COMPLEX: {
        if (!c.proc) return FALSE;
        POINT old;
        OffsetViewportOrgEx(hdc, x, y, &old);
        BOOL ok = c.proc(hdc, c.data, c.wData, cx, cy);
        SetViewportOrgEx(hdc, old.x, old.y, nullptr);
        return ok;
    }
    default:
        return FALSE;
    }
}

// The content drawn black on white into a scratch bitmap: its dark pixels are its ink (none when
// the content has no area on the device).
class Ink {
public:
    Ink(HDC hdc, const Content& c, int cx, int cy)
        : m_dc(CreateCompatibleDC(nullptr)),
          m_bitmap(cx > 0 && cy > 0 ? CreateBitmap(cx, cy, 1, 32, nullptr) : nullptr) {
        m_old = SelectObject(m_dc, m_bitmap);
        if (!m_old) return;
        PatBlt(m_dc, 0, 0, cx, cy, WHITENESS);
        SelectObject(m_dc, GetCurrentObject(hdc, OBJ_FONT));
        SetTextColor(m_dc, RGB(0, 0, 0));
        drawPlain(m_dc, c, 0, 0, cx, cy, 0);
    }
    ~Ink() {
        if (m_old) SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        if (m_bitmap) DeleteObject(m_bitmap);
    }
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;

    ConstPixelView pixels() const {
        const Bitmap* bm = objectAs<Bitmap>(m_bitmap);
        return bm ? constPixelsOf(*bm->image) : ConstPixelView();
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

bool isInk(std::uint32_t c) {
    return (c >> 16 & 0xFF) * 30 + (c >> 8 & 0xFF) * 59 + (c & 0xFF) * 11 < 16000;
}

// Paints the ink pixels of `ink` at device point `at` in one colour.
void paintInk(DeviceContext& dc, ConstPixelView ink, POINT at, std::uint32_t colour, bool dither) {
    Target target = dc.target();
    if (target.pixels.empty() || ink.empty()) return;
    RectRegion area = outputArea(dc, RECT{at.x, at.y, at.x + ink.width, at.y + ink.height});
    POINT base{at.x + dc.origin().x, at.y + dc.origin().y};
    for (const RECT& r : area)
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* line = target.pixels.line(y);
            const std::uint32_t* src = ink.line(y - base.y);
            for (int x = r.left; x < r.right; ++x)
                if (isInk(src[x - base.x]) && (!dither || (x + y) % 2 == 0))
                    line[x] = storedPixel(colour, target.keyed);
        }
}

} // namespace

BOOL DrawStateA(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx,
                int cy, UINT flags) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc) return FALSE;
    Content c{flags & 0xF, data, wData, proc};
    if ((c.kind == DST_TEXT || c.kind == DST_PREFIXTEXT) && !data) return FALSE;
    if (cx == 0 || cy == 0) {
        SIZE s = naturalSize(hdc, c);
        if (cx == 0) cx = s.cx;
        if (cy == 0) cy = s.cy;
    }
    if (cx <= 0 || cy <= 0) return c.kind == DST_COMPLEX ? FALSE : TRUE;
    UINT state = flags & (DSS_DISABLED | DSS_MONO | DSS_UNION);
    if (state == 0) return drawPlain(hdc, c, x, y, cx, cy, flags);
    RECT box = deviceRect(*dc, RECT{x, y, x + cx, y + cy});
    Ink ink(hdc, c, widthOf(box), heightOf(box));
    POINT at{box.left, box.top};
    if (state & DSS_DISABLED) {
        paintInk(*dc, ink.pixels(), POINT{at.x + 1, at.y + 1}, toRgb(GetSysColor(COLOR_3DHIGHLIGHT)), false);
        paintInk(*dc, ink.pixels(), at, toRgb(GetSysColor(COLOR_3DSHADOW)), false);
        return TRUE;
    }
    Pattern pat = patternFor(*dc, brush ? brush : GetSysColorBrush(COLOR_WINDOWTEXT));
    std::uint32_t colour = pat.present ? pat.at(0, 0) : dc->resolve(dc->state.textColor);
    if (state & DSS_UNION) drawPlain(hdc, c, x, y, cx, cy, flags);
    paintInk(*dc, ink.pixels(), at, colour, state & DSS_UNION);
    return TRUE;
}
