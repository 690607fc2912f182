// DrawEdge and DrawFrameControl in the classic 3-D colours, with the symbol glyphs drawn by us.
#include "platform/win/gdi/marlett.h"
#include "platform/win/gdi/painter.h"
#include "platform/win/gdi/raster.h"

using namespace pm::gdi;

namespace {

QRgb sys(int index) {
    return toRgb(GetSysColor(index));
}

struct RingColours {
    QRgb topLeft;
    QRgb bottomRight;
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
void drawRing(DeviceContext& dc, const QRect& r, UINT sides, RingColours c) {
    if (r.isEmpty()) return;
    if (sides & BF_TOP) fillSolid(dc, QRect(r.left(), r.top(), r.width() - 1, 1), c.topLeft);
    if (sides & BF_LEFT) fillSolid(dc, QRect(r.left(), r.top(), 1, r.height() - 1), c.topLeft);
    if (sides & BF_BOTTOM) fillSolid(dc, QRect(r.left(), r.bottom(), r.width(), 1), c.bottomRight);
    if (sides & BF_RIGHT) fillSolid(dc, QRect(r.right(), r.top(), 1, r.height()), c.bottomRight);
}

QRect shrink(const QRect& r, UINT sides, int n) {
    return r.adjusted(sides & BF_LEFT ? n : 0, sides & BF_TOP ? n : 0, sides & BF_RIGHT ? -n : 0,
                      sides & BF_BOTTOM ? -n : 0);
}

// Draws the edge on a device rectangle; answers the rectangle inside it.
QRect edge(DeviceContext& dc, QRect r, UINT edgeKind, UINT flags) {
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

void storeRect(const DeviceContext& dc, LPRECT rect, const QRect& device) {
    *rect = logicalRect(dc, device);
}

// A glyph of the symbol font in a cell of `em` pixels centred in r; inactive glyphs are embossed.
void glyph(DeviceContext& dc, QRect r, int em, char ch, QRgb colour, bool inactive) {
    DcPainter dp(dc);
    if (!dp.active()) return;
    QPainter& p = dp.painter();
    QRect cell(0, 0, em, em);
    cell.moveCenter(r.center());
    if (inactive) {
        drawMarlettGlyph(p, cell.translated(1, 1), ch, QColor::fromRgb(sys(COLOR_3DHIGHLIGHT)));
        colour = sys(COLOR_3DSHADOW);
    }
    drawMarlettGlyph(p, cell, ch, QColor::fromRgb(colour));
}

void glyph(DeviceContext& dc, QRect r, char ch, QRgb colour, bool inactive) {
    glyph(dc, r, std::min(r.width(), r.height()), ch, colour, inactive);
}

// The glyph cell of a button: sized by the whole button, as the symbol font's height would be.
int buttonEm(const QRect& r) {
    return std::max(4, std::min(r.width(), r.height()) - 1);
}

// A push button face: raised, or sunken when pushed; flat buttons get a one-pixel frame.
QRect buttonFace(DeviceContext& dc, const QRect& r, UINT state) {
    bool pushed = state & (DFCS_PUSHED | DFCS_CHECKED);
    if (state & DFCS_FLAT) {
        QRect in = edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
        fillSolid(dc, in, sys(COLOR_3DFACE));
        return in;
    }
    QRect in = pushed ? edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT) : edge(dc, r, EDGE_RAISED, BF_RECT);
    fillSolid(dc, in, sys(COLOR_3DFACE));
    return in;
}

void captionButton(DeviceContext& dc, const QRect& r, UINT state) {
    static const char glyphs[] = {'r', '0', '1', '2', 's'};
    UINT kind = state & 0xFF;
    if (kind > DFCS_CAPTIONHELP) return;
    QRect in = buttonFace(dc, r, state);
    if (state & DFCS_PUSHED) in.translate(1, 1);
    glyph(dc, in, buttonEm(r), glyphs[kind], sys(COLOR_BTNTEXT), state & DFCS_INACTIVE);
}

void sizeGrip(DeviceContext& dc, const QRect& r) {
    fillSolid(dc, r, sys(COLOR_3DFACE));
    int n = std::min(r.width(), r.height());
    for (int k = 1; k + 2 < n; k += 4) {
        for (int i = 0; i <= k; ++i) {
            // Two shadow lines and one highlight line, diagonally across the bottom right corner.
            fillSolid(dc, QRect(r.right() - k + i, r.bottom() - i, 1, 1), sys(COLOR_3DHIGHLIGHT));
            fillSolid(dc, QRect(r.right() - k - 1 + i, r.bottom() - i, 1, 1), sys(COLOR_3DSHADOW));
            fillSolid(dc, QRect(r.right() - k - 2 + i, r.bottom() - i, 1, 1), sys(COLOR_3DSHADOW));
        }
    }
}

void scrollButton(DeviceContext& dc, const QRect& r, UINT state) {
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
    QRect in = buttonFace(dc, r, state);
    if (state & DFCS_PUSHED) in.translate(1, 1);
    glyph(dc, in, buttonEm(r), ch, sys(COLOR_BTNTEXT), state & DFCS_INACTIVE);
}

// Menu glyphs are black on white, as masks for the caller to combine.
void menuGlyph(DeviceContext& dc, const QRect& r, UINT state) {
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

QRect squareAtLeft(const QRect& r) {
    int n = std::min(r.width(), r.height());
    return QRect(r.left(), r.top() + (r.height() - n) / 2, n, n);
}

void checkBox(DeviceContext& dc, const QRect& r, UINT state) {
    QRect box = squareAtLeft(r);
    bool greyed =
        state & (DFCS_INACTIVE | DFCS_PUSHED) || (state & DFCS_BUTTON3STATE && state & DFCS_CHECKED);
    QRect in = edge(dc, box, EDGE_SUNKEN, BF_RECT | (state & DFCS_FLAT ? BF_FLAT : 0));
    fillSolid(dc, in, sys(greyed ? COLOR_3DFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        glyph(dc, in, 'a',
              sys(state & DFCS_INACTIVE || state & DFCS_BUTTON3STATE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT),
              false);
}

void radioButton(DeviceContext& dc, const QRect& r, UINT state) {
    QRect box = squareAtLeft(r);
    DcPainter dp(dc);
    if (!dp.active()) return;
    QPainter& p = dp.painter();
    QRect b = box.adjusted(0, 0, -1, -1);
    // Two half circles for each ring, in the sunken edge's colours.
    auto ring = [&](QRect rr, QRgb tl, QRgb br) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QColor::fromRgb(tl));
        p.drawArc(rr, 45 * 16, 180 * 16);
        p.setPen(QColor::fromRgb(br));
        p.drawArc(rr, 225 * 16, 180 * 16);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(sys(state & (DFCS_INACTIVE | DFCS_PUSHED) ? COLOR_3DFACE : COLOR_WINDOW)));
    p.drawEllipse(b);
    ring(b, sys(COLOR_3DSHADOW), sys(COLOR_3DHIGHLIGHT));
    ring(b.adjusted(1, 1, -1, -1), sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT));
    if (state & DFCS_CHECKED) {
        int d = std::max(2, box.width() / 3);
        QRect dot(0, 0, d, d);
        dot.moveCenter(b.center());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgb(sys(state & DFCS_INACTIVE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
        p.drawEllipse(dot);
    }
}

bool button(DeviceContext& dc, LPRECT rect, QRect r, UINT state) {
    if (state & DFCS_BUTTONPUSH) {
        QRect in = buttonFace(dc, r, state);
        if (state & DFCS_ADJUSTRECT) storeRect(dc, rect, in);
        return true;
    }
    if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE))
        radioButton(dc, r, state);
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
    QRect inside = edge(*dc, deviceRect(*dc, *rect), edgeKind, flags);
    if (flags & BF_ADJUST) storeRect(*dc, rect, inside);
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
    DeviceContext* dc = dcOf(hdc);
    if (!dc || !rect) return FALSE;
    QRect r = deviceRect(*dc, *rect);
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
