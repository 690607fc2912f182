// DrawEdge and DrawFrameControl in the classic 3-D colours, with the symbol glyphs drawn by us.
#include "platform/win/gdi/frame_painting.h"
#include "platform/win/gdi/raster.h"
#include "platform/win/gdi/surface.h"
#include "platform/win/winuser.h"

#include <algorithm>

using namespace pm::gdi;

namespace {

std::uint32_t sys(int index) {
    return toRgb(GetSysColor(index));
}

struct RingColours {
    std::uint32_t topLeft;
    std::uint32_t bottomRight;
};

// The colours of the outer or inner ring of an edge.
RingColours ringOf(UINT edge, UINT flags, bool outer) {
    UINT raised = outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    if (flags & BF_MONO)
        return outer ? RingColours{sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME)}
                     : RingColours{sys(COLOR_WINDOW), sys(COLOR_WINDOW)};
    if (flags & BF_FLAT)
        return outer ? RingColours{sys(COLOR_3DSHADOW), sys(COLOR_3DSHADOW)}
                     : RingColours{sys(COLOR_3DFACE), sys(COLOR_3DFACE)};
    bool soft = flags & BF_SOFT;
    if (edge & raised)
        return outer ? RingColours{sys(soft ? COLOR_3DHIGHLIGHT : COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW)}
                     : RingColours{sys(soft ? COLOR_3DLIGHT : COLOR_3DHIGHLIGHT), sys(COLOR_3DSHADOW)};
    return outer ? RingColours{sys(COLOR_3DSHADOW), sys(COLOR_3DHIGHLIGHT)}
                 : RingColours{sys(soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT)};
}

// One ring, one pixel wide: top and left in the first colour, bottom and right (with the corners
// they meet) in the second.
void drawRing(DeviceContext& dc, const RECT& r, UINT sides, RingColours c) {
    if (IsRectEmpty(&r)) return;
    if (sides & BF_TOP) fillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, c.topLeft);
    if (sides & BF_LEFT) fillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, c.topLeft);
    if (sides & BF_BOTTOM) fillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, c.bottomRight);
    if (sides & BF_RIGHT) fillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, c.bottomRight);
}

RECT shrink(const RECT& r, UINT sides, int n) {
    return RECT{r.left + (sides & BF_LEFT ? n : 0), r.top + (sides & BF_TOP ? n : 0),
                r.right - (sides & BF_RIGHT ? n : 0), r.bottom - (sides & BF_BOTTOM ? n : 0)};
}

// Draws the edge on a device rectangle; answers the rectangle inside it.
RECT edge(DeviceContext& dc, RECT r, UINT edgeKind, UINT flags) {
    UINT sides = flags & BF_RECT;
    if (edgeKind & BDR_OUTER) {
        drawRing(dc, r, sides, ringOf(edgeKind, flags, true));
        r = shrink(r, sides, 1);
    }
    if (edgeKind & BDR_INNER) {
        drawRing(dc, r, sides, ringOf(edgeKind, flags, false));
        r = shrink(r, sides, 1);
    }
    if (flags & BF_MIDDLE) fillSolid(dc, r, sys(flags & BF_MONO ? COLOR_WINDOW : COLOR_3DFACE));
    return r;
}

void storeRect(const DeviceContext& dc, LPRECT rect, const RECT& device) {
    *rect = logicalRect(dc, device);
}

// A glyph of the symbol font in a cell as large as r allows, centred in r.
void glyph(DeviceContext& dc, const RECT& r, char ch, std::uint32_t colour, bool inactive) {
    drawFrameGlyph(dc, r, std::min(widthOf(r), heightOf(r)), ch, colour, inactive);
}

// The glyph cell of a button: sized by the whole button, as the symbol font's height would be.
int buttonEm(const RECT& r) {
    return std::max(4, std::min(widthOf(r), heightOf(r)) - 1);
}

// A push button face: raised, or sunken when pushed; flat buttons get a one-pixel frame.
RECT buttonFace(DeviceContext& dc, const RECT& r, UINT state) {
    bool pushed = state & (DFCS_PUSHED | DFCS_CHECKED);
    if (state & DFCS_FLAT) {
        RECT in = edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
        fillSolid(dc, in, sys(COLOR_3DFACE));
        return in;
    }
    RECT in = pushed ? edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT) : edge(dc, r, EDGE_RAISED, BF_RECT);
    fillSolid(dc, in, sys(COLOR_3DFACE));
    return in;
}

void captionButton(DeviceContext& dc, const RECT& r, UINT state) {
    static const char glyphs[] = {'r', '0', '1', '2', 's'};
    UINT kind = state & 0xFF;
    if (kind > DFCS_CAPTIONHELP) return;
    RECT in = buttonFace(dc, r, state);
    if (state & DFCS_PUSHED) in = translated(in, 1, 1);
    drawFrameGlyph(dc, in, buttonEm(r), glyphs[kind], sys(COLOR_BTNTEXT), state & DFCS_INACTIVE);
}

RECT pixelAt(int x, int y) {
    return RECT{x, y, x + 1, y + 1};
}

void sizeGrip(DeviceContext& dc, const RECT& r) {
    fillSolid(dc, r, sys(COLOR_3DFACE));
    int n = std::min(widthOf(r), heightOf(r));
    int right = r.right - 1, bottom = r.bottom - 1;
    for (int k = 1; k + 2 < n; k += 4) {
        for (int i = 0; i <= k; ++i) {
            // Two shadow lines and one highlight line, diagonally across the bottom right corner.
            fillSolid(dc, pixelAt(right - k + i, bottom - i), sys(COLOR_3DHIGHLIGHT));
            fillSolid(dc, pixelAt(right - k - 1 + i, bottom - i), sys(COLOR_3DSHADOW));
            fillSolid(dc, pixelAt(right - k - 2 + i, bottom - i), sys(COLOR_3DSHADOW));
        }
    }
}

void scrollButton(DeviceContext& dc, const RECT& r, UINT state) {
    UINT kind = state & 0xFF;
    if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        sizeGrip(dc, r);
        return;
    }
    char ch;
    switch (kind) {
    case DFCS_SCROLLUP:
        ch = '5';
        break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX:
        ch = '6';
        break;
    case DFCS_SCROLLLEFT:
        ch = '3';
        break;
    case DFCS_SCROLLRIGHT:
        ch = '4';
        break;
    default:
        return;
    }
    RECT in = buttonFace(dc, r, state);
    if (state & DFCS_PUSHED) in = translated(in, 1, 1);
    drawFrameGlyph(dc, in, buttonEm(r), ch, sys(COLOR_BTNTEXT), state & DFCS_INACTIVE);
}

// Menu glyphs are black on white, as masks for the caller to combine.
void menuGlyph(DeviceContext& dc, const RECT& r, UINT state) {
    char ch;
    switch (state & 0xFF) {
    case DFCS_MENUARROW:
        ch = '8';
        break;
    case DFCS_MENUCHECK:
        ch = 'a';
        break;
    case DFCS_MENUBULLET:
        ch = 'h';
        break;
    case DFCS_MENUARROWRIGHT:
        ch = '3';
        break;
    default:
        return;
    }
    fillSolid(dc, r, 0xFFFFFFFFu);
    glyph(dc, r, ch, 0xFF000000u, false);
}

RECT squareAtLeft(const RECT& r) {
    int n = std::min(widthOf(r), heightOf(r));
    int top = r.top + (heightOf(r) - n) / 2;
    return RECT{r.left, top, r.left + n, top + n};
}

void checkBox(DeviceContext& dc, const RECT& r, UINT state) {
    RECT box = squareAtLeft(r);
    bool greyed =
        state & (DFCS_INACTIVE | DFCS_PUSHED) || (state & DFCS_BUTTON3STATE && state & DFCS_CHECKED);
    RECT in = edge(dc, box, EDGE_SUNKEN, BF_RECT | (state & DFCS_FLAT ? BF_FLAT : 0));
    fillSolid(dc, in, sys(greyed ? COLOR_3DFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        glyph(dc, in, 'a',
              sys(state & DFCS_INACTIVE || state & DFCS_BUTTON3STATE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT),
              false);
}

bool button(DeviceContext& dc, LPRECT rect, const RECT& r, UINT state) {
    if (state & DFCS_BUTTONPUSH) {
        RECT in = buttonFace(dc, r, state);
        if (state & DFCS_ADJUSTRECT) storeRect(dc, rect, in);
        return true;
    }
    if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE))
        drawRadioButton(dc, squareAtLeft(r), state);
    else if (state & DFCS_BUTTONRADIOMASK)
        fillSolid(dc, squareAtLeft(r), 0xFF000000u);
    else
        checkBox(dc, r, state);
    return true;
}

} // namespace

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edgeKind, UINT flags) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    RECT inside = edge(*dc, deviceRect(*dc, *rect), edgeKind, flags);
    if (flags & BF_ADJUST) storeRect(*dc, rect, inside);
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    RECT r = deviceRect(*dc, *rect);
    switch (type) {
    case DFC_CAPTION:
        captionButton(*dc, r, state);
        return TRUE;
    case DFC_SCROLL:
        scrollButton(*dc, r, state);
        return TRUE;
    case DFC_MENU:
    case DFC_POPUPMENU:
        menuGlyph(*dc, r, state);
        return TRUE;
    case DFC_BUTTON:
        return button(*dc, rect, r, state);
    default:
        return FALSE;
    }
}
