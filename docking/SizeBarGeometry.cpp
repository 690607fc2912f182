#include "docking/SizeBarGeometry.h"

#include "docking/CDKSizeControlBar.h"

#include <algorithm>

namespace dock {

namespace {

bool HasCaption(DWORD barStyle, DWORD align, bool floating) {
    return !floating && (align & CBRS_ALIGN_ANY) && !(barStyle & SZBAR_NOGRIPPER);
}

bool SideDocked(DWORD align) {
    return (align & CBRS_ORIENT_VERT) != 0;
}

} // namespace

CaptionRects CalcCaptionRects(const CRect& window, DWORD barStyle, DWORD align, bool floating) {
    CaptionRects r;
    r.caption = window;
    r.caption.DeflateRect(kBarBorder, kBarBorder);
    r.close.SetRectEmpty();
    r.expand.SetRectEmpty();
    if (!HasCaption(barStyle, align, floating)) return r;
    CRect& c = r.caption;
    if (!SideDocked(align)) {
        // A vertical strip at the left; the buttons stack from its top.
        c.right = c.left + kCaptionStrip;
        if (!(barStyle & SZBAR_NOCLOSEBUTTON)) {
            r.close = CRect(c.left, c.top, c.right, c.top + kCaptionStrip);
            c.top += kButtonStep;
        }
        if (!(barStyle & SZBAR_NOEXPANDBUTTON)) {
            r.expand = CRect(c.left, c.top, c.right, c.top + kCaptionStrip);
            c.top += kButtonStep;
        }
        return r;
    }
    // A horizontal strip at the top; the buttons line up from its right end.
    c.bottom = c.top + kCaptionStrip;
    if (!(barStyle & SZBAR_NOCLOSEBUTTON)) {
        r.close = CRect(c.right - kCaptionStrip, c.top, c.right, c.bottom);
        c.right -= kButtonStep;
    }
    if (!(barStyle & SZBAR_NOEXPANDBUTTON)) {
        r.expand = CRect(c.right - kCaptionStrip, c.top, c.right, c.bottom);
        c.right -= kButtonStep;
    }
    return r;
}

CRect CalcClientRect(const CRect& window, DWORD barStyle, DWORD align, bool floating) {
    CRect client = window;
    client.DeflateRect(kBarBorder, kBarBorder);
    if (!HasCaption(barStyle, align, floating)) return client;
    const int strip = kBarBorder + kCaptionStrip;
    if (!SideDocked(align))
        client.left = std::min<LONG>(client.left + strip, client.right);
    else
        client.top = std::min<LONG>(client.top + strip, client.bottom);
    return client;
}

CRect DefaultBarRect(int w, int h) {
    return CRect(w - w / 2, h - h / 4, w, h);
}

} // namespace dock
