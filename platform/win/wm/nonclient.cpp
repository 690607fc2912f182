// The default non-client area: sizes (WM_NCCALCSIZE), hit testing (WM_NCHITTEST) and drawing
// (WM_NCPAINT) of borders, edges, captions with their buttons, the menu bar's place and the
// scroll bars' place. Overlapped top-level windows have the desktop's own frame instead.

#include "platform/win/wm/nonclient.h"
#include "platform/win/wm/wm.h"

#include "platform/win/caption_width.h"
#include "platform/win/wingdi.h"

namespace pm::wm {
namespace {

int frameWidth(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int edgeWidth(DWORD exStyle) {
    if (exStyle & WS_EX_CLIENTEDGE) return GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

bool hasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int captionHeight(DWORD exStyle) {
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

KeyMenuHandler& keyMenu() {
    static KeyMenuHandler h;
    return h;
}

} // namespace

void setKeyMenuHandler(KeyMenuHandler handler) {
    keyMenu() = std::move(handler);
}
KeyMenuHandler keyMenuHandler() {
    return keyMenu();
}

namespace {
MenuBarHooks& menuHooks() {
    static MenuBarHooks h;
    return h;
}
} // namespace

namespace {
ScrollBarHooks& scrollHooks() {
    static ScrollBarHooks h;
    return h;
}
} // namespace

void setScrollBarHooks(const ScrollBarHooks& hooks) {
    scrollHooks() = hooks;
}
const ScrollBarHooks& scrollBarHooks() {
    return scrollHooks();
}

void setMenuBarHooks(const MenuBarHooks& hooks) {
    menuHooks() = hooks;
}
const MenuBarHooks& menuBarHooks() {
    return menuHooks();
}

int menuBarHeight(const Window* w) {
    if (!hasMenuBar(w)) return 0;
    if (menuHooks().height) return menuHooks().height(w->handle, w->width());
    return GetSystemMetrics(SM_CYMENU);
}

bool hasDesktopFrame(const Window* w) {
    return w->parent == desktop() && !(w->style & (WS_CHILD | WS_POPUP));
}

bool hasMenuBar(const Window* w) {
    return !w->isChild() && w->id != 0;
}

RECT nonClientInsets(DWORD style, DWORD exStyle, int menuHeight, bool desktopFrame) {
    RECT in{0, 0, 0, 0};
    int frame = desktopFrame ? 0 : frameWidth(style, exStyle);
    int edge = edgeWidth(exStyle);
    in.left = in.right = in.top = in.bottom = frame + edge;
    if (!desktopFrame && hasCaption(style)) in.top += captionHeight(exStyle);
    in.top += menuHeight;
    if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return in;
}

namespace {

RECT rectAt(int x, int y, int cx, int cy) {
    return RECT{x, y, x + cx, y + cy};
}

} // namespace

NcLayout ncLayout(const Window* w) {
    NcLayout l;
    bool desktopFrame = hasDesktopFrame(w);
    l.frame = desktopFrame ? 0 : frameWidth(w->style, w->exStyle);
    l.thick = !desktopFrame && (w->style & WS_THICKFRAME);
    int width = w->width();
    int y = l.frame;
    if (!desktopFrame && hasCaption(w->style)) {
        int h = captionHeight(w->exStyle);
        l.caption = rectAt(l.frame, y, width - 2 * l.frame, h - 1);
        y += h;
        if (w->style & WS_SYSMENU) {
            bool small = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
            int bw = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE) - 2;
            int bh = l.caption.bottom - l.caption.top - 4;
            int right = l.caption.right - 2; // the last column of the close button
            l.closeButton = rectAt(right - bw + 1, l.caption.top + 2, bw, bh);
            right = l.closeButton.left - 2;
            if (!small && (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
                l.maxButton = rectAt(right - bw + 1, l.closeButton.top, bw, bh);
                l.minButton = rectAt(l.maxButton.left - bw, l.closeButton.top, bw, bh);
            }
            if (!small) l.sysIcon = rectAt(l.caption.left + 2, l.caption.top + 1, bh + 2, bh + 2);
        }
    }
    if (int mh = menuBarHeight(w)) {
        l.menuBar = rectAt(l.frame, y, width - 2 * l.frame, mh);
        y += mh;
    }
    l.client = w->client;
    const RECT& c = l.client;
    if (w->style & WS_VSCROLL)
        l.vscroll = rectAt(c.right, c.top, GetSystemMetrics(SM_CXVSCROLL), c.bottom - c.top);
    if (w->style & WS_HSCROLL)
        l.hscroll = rectAt(c.left, c.bottom, c.right - c.left, GetSystemMetrics(SM_CYHSCROLL));
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
        l.sizeBox = RECT{l.vscroll.left, l.hscroll.top, l.vscroll.right, l.hscroll.bottom};
    return l;
}

LRESULT defNcHitTest(Window* w, POINT screen) {
    POINT o = windowScreenOrigin(w);
    POINT p{screen.x - o.x, screen.y - o.y};
    RECT whole{0, 0, w->width(), w->height()};
    if (!PtInRect(&whole, p)) return HTNOWHERE;
    NcLayout l = ncLayout(w);
    if (PtInRect(&l.client, p)) return HTCLIENT;
    RECT inside = whole;
    InflateRect(&inside, -l.frame, -l.frame);
    if (l.frame > 0 && !PtInRect(&inside, p)) {
        if (!l.thick) return HTBORDER;
        int corner = GetSystemMetrics(SM_CXSIZE) + l.frame;
        bool left = p.x < corner, right = p.x >= w->width() - corner;
        bool top = p.y < corner, bottom = p.y >= w->height() - corner;
        if (p.x < l.frame) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        if (p.x >= w->width() - l.frame) return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
        if (p.y < l.frame) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    if (PtInRect(&l.caption, p)) {
        if (PtInRect(&l.closeButton, p)) return HTCLOSE;
        if (PtInRect(&l.maxButton, p)) return HTMAXBUTTON;
        if (PtInRect(&l.minButton, p)) return HTMINBUTTON;
        if (PtInRect(&l.sysIcon, p)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (PtInRect(&l.menuBar, p)) return HTMENU;
    if (PtInRect(&l.sizeBox, p)) return l.thick ? HTBOTTOMRIGHT : HTSIZE;
    if (PtInRect(&l.vscroll, p)) return HTVSCROLL;
    if (PtInRect(&l.hscroll, p)) return HTHSCROLL;
    return HTBORDER;
}

namespace {

void fill(HDC dc, const RECT& r, int colour) {
    FillRect(dc, &r, GetSysColorBrush(colour));
}

void paintFrame(Window* w, HDC dc, const NcLayout& l) {
    RECT rc{0, 0, w->width(), w->height()};
    if (l.frame == 1) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        return;
    }
    if (l.frame == 0) return;
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int colour = l.thick ? (w->ncActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE;
    for (int i = 2; i < l.frame; ++i) {
        FrameRect(dc, &rc, GetSysColorBrush(colour));
        InflateRect(&rc, -1, -1);
    }
}

HFONT captionFont(bool small) {
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirect(small ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont);
}

int textWidth(const std::string& text, HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void paintCaption(Window* w, HDC dc, const NcLayout& l) {
    if (IsRectEmpty(&l.caption)) return;
    fill(dc, l.caption, w->ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    fill(dc, RECT{l.caption.left, l.caption.bottom, l.caption.right, l.caption.bottom + 1}, COLOR_BTNFACE);
    RECT textArea{l.caption.left + 3, l.caption.top, l.caption.right - 3, l.caption.bottom};
    HICON icon = w->iconSmall ? w->iconSmall
                 : w->cls     ? (w->cls->iconSmall ? w->cls->iconSmall : w->cls->icon)
                              : nullptr;
    if (!IsRectEmpty(&l.sysIcon) && icon) {
        DrawIconEx(dc, l.sysIcon.left, l.sysIcon.top, icon, l.sysIcon.right - l.sysIcon.left,
                   l.sysIcon.bottom - l.sysIcon.top, 0, nullptr, DI_NORMAL);
        textArea.left = l.sysIcon.right + 2;
    }
    const RECT& firstButton = !IsRectEmpty(&l.minButton) ? l.minButton : l.closeButton;
    if (!IsRectEmpty(&firstButton)) textArea.right = firstButton.left - 2;
    HFONT font = captionFont((w->exStyle & WS_EX_TOOLWINDOW) != 0);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w->ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(dc, w->text.c_str(), static_cast<int>(w->text.size()), &textArea,
             DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    DeleteObject(font);
    UINT inactive = w->ncActive ? 0 : DFCS_INACTIVE;
    auto button = [&](RECT r, UINT kind) {
        if (IsRectEmpty(&r)) return;
        DrawFrameControl(dc, &r, DFC_CAPTION, kind);
    };
    button(l.closeButton, DFCS_CAPTIONCLOSE | inactive);
    button(l.maxButton, (IsZoomed(w->handle) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                            ((w->style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
    button(l.minButton, (w->minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) |
                            ((w->style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
}

void paintEdges(Window* w, HDC dc, const NcLayout& l) {
    int edge = edgeWidth(w->exStyle);
    if (!edge) return;
    RECT rc = l.client;
    if (!IsRectEmpty(&l.vscroll)) rc.right = l.vscroll.right;
    if (!IsRectEmpty(&l.hscroll)) rc.bottom = l.hscroll.bottom;
    InflateRect(&rc, edge, edge);
    DrawEdge(dc, &rc, (w->exStyle & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
}

} // namespace

void defNcPaint(Window* w) {
    if (w->width() <= 0 || w->height() <= 0) return;
    NcLayout l = ncLayout(w);
    HDC dc = GetWindowDC(w->handle);
    if (!dc) return;
    ExcludeClipRect(dc, l.client.left, l.client.top, l.client.right, l.client.bottom);
    paintFrame(w, dc, l);
    paintCaption(w, dc, l);
    if (!IsRectEmpty(&l.menuBar)) {
        fill(dc, l.menuBar, COLOR_MENU);
        if (menuHooks().paint) menuHooks().paint(w->handle, dc, l.menuBar);
    }
    if (!IsRectEmpty(&l.vscroll)) {
        fill(dc, l.vscroll, COLOR_SCROLLBAR);
        if (scrollHooks().paint) scrollHooks().paint(w->handle, dc, SB_VERT, l.vscroll);
    }
    if (!IsRectEmpty(&l.hscroll)) {
        fill(dc, l.hscroll, COLOR_SCROLLBAR);
        if (scrollHooks().paint) scrollHooks().paint(w->handle, dc, SB_HORZ, l.hscroll);
    }
    if (!IsRectEmpty(&l.sizeBox)) fill(dc, l.sizeBox, COLOR_BTNFACE);
    paintEdges(w, dc, l);
    ReleaseDC(w->handle, dc);
}

} // namespace pm::wm

using namespace pm::wm;

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    bool desktopFrame = !(style & (WS_CHILD | WS_POPUP));
    RECT in = nonClientInsets(style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), exStyle,
                              menu ? GetSystemMetrics(SM_CYMENU) : 0, desktopFrame);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

// The caption's text starts 3 pixels in (after the icon and 2 where there is one) and ends 2 before
// its first button; the buttons stand 2 apart, the close button 2 from the caption's end.
int pm::captionFitWidth(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w || !hasCaption(w->style)) return 0;
    const bool small = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
    HFONT font = captionFont(small);
    int width = 2 * frameWidth(w->style, w->exStyle) + 3 + textWidth(w->text, font) + 2;
    DeleteObject(font);
    if (!(w->style & WS_SYSMENU)) return width + 1;
    const int button = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    width += button + 2;
    if (small) return width;
    if (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) width += 2 * button + 2;
    return width + captionHeight(w->exStyle) - 2; // the icon
}
