// The default non-client area: sizes (WM_NCCALCSIZE), hit testing (WM_NCHITTEST) and drawing
// (WM_NCPAINT) of borders, edges, captions with their buttons, the menu bar's place and the
// scroll bars' place. Overlapped top-level windows have the desktop's own frame instead.

#include "platform/win/wm/nonclient.h"
#include "platform/win/wm/wm.h"

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

NcLayout ncLayout(const Window* w) {
    NcLayout l;
    bool desktopFrame = hasDesktopFrame(w);
    l.frame = desktopFrame ? 0 : frameWidth(w->style, w->exStyle);
    l.thick = !desktopFrame && (w->style & WS_THICKFRAME);
    int width = w->width();
    int y = l.frame;
    if (!desktopFrame && hasCaption(w->style)) {
        int h = captionHeight(w->exStyle);
        l.caption = QRect(l.frame, y, width - 2 * l.frame, h - 1);
        y += h;
        if (w->style & WS_SYSMENU) {
            bool small = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
            int bw = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE) - 2;
            int bh = l.caption.height() - 4;
            int right = l.caption.right() - 1;
            l.closeButton = QRect(right - bw + 1, l.caption.top() + 2, bw, bh);
            right = l.closeButton.left() - 2;
            if (!small && (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
                l.maxButton = QRect(right - bw + 1, l.closeButton.top(), bw, bh);
                l.minButton = QRect(l.maxButton.left() - bw, l.closeButton.top(), bw, bh);
            }
            if (!small) l.sysIcon = QRect(l.caption.left() + 2, l.caption.top() + 1, bh + 2, bh + 2);
        }
    }
    if (int mh = menuBarHeight(w)) {
        l.menuBar = QRect(l.frame, y, width - 2 * l.frame, mh);
        y += mh;
    }
    l.client = clientRectInWindow(w);
    int edge = edgeWidth(w->exStyle);
    QRect inner = l.client;
    if (w->style & WS_VSCROLL)
        l.vscroll = QRect(inner.right() + 1, inner.top(), GetSystemMetrics(SM_CXVSCROLL), inner.height());
    if (w->style & WS_HSCROLL)
        l.hscroll = QRect(inner.left(), inner.bottom() + 1, inner.width(), GetSystemMetrics(SM_CYHSCROLL));
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
        l.sizeBox = QRect(l.vscroll.left(), l.hscroll.top(), l.vscroll.width(), l.hscroll.height());
    (void)edge;
    return l;
}

LRESULT defNcHitTest(Window* w, QPoint screen) {
    POINT o = windowScreenOrigin(w);
    QPoint p = screen - QPoint(o.x, o.y);
    QRect whole(0, 0, w->width(), w->height());
    if (!whole.contains(p)) return HTNOWHERE;
    NcLayout l = ncLayout(w);
    if (l.client.contains(p)) return HTCLIENT;
    if (l.frame > 0 && !whole.adjusted(l.frame, l.frame, -l.frame, -l.frame).contains(p)) {
        if (!l.thick) return HTBORDER;
        int corner = GetSystemMetrics(SM_CXSIZE) + l.frame;
        bool left = p.x() < corner, right = p.x() >= w->width() - corner;
        bool top = p.y() < corner, bottom = p.y() >= w->height() - corner;
        if (p.x() < l.frame) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        if (p.x() >= w->width() - l.frame) return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
        if (p.y() < l.frame) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    if (l.caption.contains(p)) {
        if (l.closeButton.contains(p)) return HTCLOSE;
        if (l.maxButton.contains(p)) return HTMAXBUTTON;
        if (l.minButton.contains(p)) return HTMINBUTTON;
        if (l.sysIcon.contains(p)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (l.menuBar.contains(p)) return HTMENU;
    if (l.sizeBox.contains(p)) return l.thick ? HTBOTTOMRIGHT : HTSIZE;
    if (l.vscroll.contains(p)) return HTVSCROLL;
    if (l.hscroll.contains(p)) return HTHSCROLL;
    return HTBORDER;
}

namespace {

void fill(HDC dc, const QRect& r, int colour) {
    RECT rc = toRECT(r);
    FillRect(dc, &rc, GetSysColorBrush(colour));
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

void paintCaption(Window* w, HDC dc, const NcLayout& l) {
    if (l.caption.isEmpty()) return;
    fill(dc, l.caption, w->ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    fill(dc, QRect(l.caption.left(), l.caption.bottom() + 1, l.caption.width(), 1), COLOR_BTNFACE);
    QRect textArea = l.caption.adjusted(3, 0, -3, 0);
    HICON icon = w->iconSmall ? w->iconSmall
                 : w->cls     ? (w->cls->iconSmall ? w->cls->iconSmall : w->cls->icon)
                              : nullptr;
    if (!l.sysIcon.isEmpty() && icon) {
        DrawIconEx(dc, l.sysIcon.left(), l.sysIcon.top(), icon, l.sysIcon.width(), l.sysIcon.height(), 0,
                   nullptr, DI_NORMAL);
        textArea.setLeft(l.sysIcon.right() + 3);
    }
    QRect firstButton = !l.minButton.isEmpty() ? l.minButton : l.closeButton;
    if (!firstButton.isEmpty()) textArea.setRight(firstButton.left() - 3);
    HFONT font = captionFont((w->exStyle & WS_EX_TOOLWINDOW) != 0);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w->ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT tr = toRECT(textArea);
    DrawText(dc, w->text.c_str(), static_cast<int>(w->text.size()), &tr,
             DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    DeleteObject(font);
    UINT inactive = w->ncActive ? 0 : DFCS_INACTIVE;
    auto button = [&](const QRect& r, UINT kind) {
        if (r.isEmpty()) return;
        RECT br = toRECT(r);
        DrawFrameControl(dc, &br, DFC_CAPTION, kind);
    };
    button(l.closeButton, DFCS_CAPTIONCLOSE | inactive);
    button(l.maxButton, (w->maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                            ((w->style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
    button(l.minButton, (w->minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) |
                            ((w->style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
}

void paintEdges(Window* w, HDC dc, const NcLayout& l) {
    int edge = edgeWidth(w->exStyle);
    if (!edge) return;
    QRect inner = l.client;
    if (!l.vscroll.isEmpty()) inner.setRight(l.vscroll.right());
    if (!l.hscroll.isEmpty()) inner.setBottom(l.hscroll.bottom());
    RECT rc = toRECT(inner.adjusted(-edge, -edge, edge, edge));
    DrawEdge(dc, &rc, (w->exStyle & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
}

} // namespace

void defNcPaint(Window* w) {
    if (w->width() <= 0 || w->height() <= 0) return;
    NcLayout l = ncLayout(w);
    HDC dc = GetWindowDC(w->handle);
    if (!dc) return;
    RECT clientRc = toRECT(l.client);
    ExcludeClipRect(dc, clientRc.left, clientRc.top, clientRc.right, clientRc.bottom);
    paintFrame(w, dc, l);
    paintCaption(w, dc, l);
    if (!l.menuBar.isEmpty()) {
        fill(dc, l.menuBar, COLOR_MENU);
        if (menuHooks().paint) menuHooks().paint(w->handle, dc, toRECT(l.menuBar));
    }
    if (!l.vscroll.isEmpty()) {
        fill(dc, l.vscroll, COLOR_SCROLLBAR);
        if (scrollHooks().paint) scrollHooks().paint(w->handle, dc, SB_VERT, toRECT(l.vscroll));
    }
    if (!l.hscroll.isEmpty()) {
        fill(dc, l.hscroll, COLOR_SCROLLBAR);
        if (scrollHooks().paint) scrollHooks().paint(w->handle, dc, SB_HORZ, toRECT(l.hscroll));
    }
    if (!l.sizeBox.isEmpty()) fill(dc, l.sizeBox, COLOR_BTNFACE);
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
