// The default window procedure.

#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/nonclient.h"
#include "platform/win/wm/wm.h"

#include "platform/win/wingdi.h"

#include <cstring>

namespace pm::wm {

void defWindowPosChanged(Window* w, const WINDOWPOS* wp);

namespace {

LRESULT defSetCursor(Window* w, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = w->handle;
    if (w->isChild() && w->parent && w->parent != desktop()) {
        if (send(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (!window(hwnd)) return FALSE;
    }
    int hit = static_cast<short>(LOWORD(lParam));
    LPCSTR shape = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (w->cls && w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return TRUE;
        }
        break;
    case HTLEFT:
    case HTRIGHT:
        shape = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        shape = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        shape = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        shape = IDC_SIZENESW;
        break;
    case HTERROR:
        if (HIWORD(lParam) == WM_LBUTTONDOWN) MessageBeep(0);
        break;
    default:
        break;
    }
    SetCursor(LoadCursor(nullptr, shape));
    return hit == HTCLIENT ? FALSE : TRUE;
}

LRESULT defEraseBackground(Window* w, HDC dc) {
    HBRUSH brush = w->cls ? w->cls->background : nullptr;
    if (!brush) return 0;
    RECT rc{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    FillRect(dc, &rc, brush);
    return 1;
}

LRESULT defCtlColor(UINT msg, HDC dc) {
    bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    int brush = msg == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : window ? COLOR_WINDOW : COLOR_BTNFACE;
    return reinterpret_cast<LRESULT>(GetSysColorBrush(brush));
}

LRESULT defNcCalcSize(Window* w, WPARAM wParam, LPARAM lParam) {
    RECT* r =
        wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (!r) return 0;
    RECT in = nonClientInsets(w->style, w->exStyle, menuBarHeight(w), hasDesktopFrame(w));
    r->left += in.left;
    r->top += in.top;
    r->right -= in.right;
    r->bottom -= in.bottom;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return 0;
}

LRESULT copyText(const std::string& text, WPARAM size, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

// Alt released with no other key pressed since it went down (also none an accelerator took) enters
// the menu bar.
void keyMenuFromKeys(Window* w, UINT msg, WPARAM wParam) {
    Window* top = topLevelOf(w);
    if (msg == WM_SYSKEYDOWN && wParam == VK_F10 && keyDown(VK_SHIFT)) { // Shift+F10: the context menu
        send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->handle), -1);
        return;
    }
    if (msg == WM_SYSKEYDOWN) {
        if (wParam == VK_F4 && keyDown(VK_MENU)) PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    if (msg == WM_SYSKEYUP && ((wParam == VK_MENU && lastKeyPressed() == VK_MENU) || wParam == VK_F10))
        send(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    if (msg == WM_SYSCHAR && wParam != VK_RETURN && wParam != VK_ESCAPE && wParam != VK_TAB)
        send(top, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
}

LRESULT toParent(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!w->isChild() || !w->parent || w->parent == desktop()) return 0;
    return send(w->parent, msg, wParam, lParam);
}

} // namespace

} // namespace pm::wm

using namespace pm::wm;

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = window(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return defNcCalcSize(w, wParam, lParam);
    case WM_NCHITTEST:
        return defNcHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
        defNcPaint(w);
        return 0;
    case WM_NCACTIVATE:
        w->ncActive = wParam != 0;
        if (isVisible(w)) defNcPaint(w);
        return TRUE;
    case WM_NCLBUTTONDOWN:
        defNcLButtonDown(w, wParam, lParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            send(w, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
        else if (wParam == HTSYSMENU)
            send(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case WM_NCRBUTTONUP:
        send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_APPCOMMAND:
        return toParent(w, msg, wParam, lParam);
    case WM_SETCURSOR:
        return defSetCursor(w, wParam, lParam);
    case WM_MOUSEACTIVATE: {
        LRESULT r = toParent(w, msg, wParam, lParam);
        return r ? r : MA_ACTIVATE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        defSysCommand(w, wParam, lParam);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS) send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        keyMenuFromKeys(w, msg, wParam);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return defEraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if ((w->style & WS_CAPTION) == WS_CAPTION && isVisible(w)) defNcPaint(w);
        publishTitle(w);
        return TRUE;
    case WM_GETTEXT:
        return copyText(w->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_WINDOWPOSCHANGED:
        defWindowPosChanged(w, reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_SETREDRAW:
        w->redrawOff = wParam == 0;
        return 0;
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_SMALL ? w->iconSmall : w->iconBig);
    case WM_SETICON: {
        HICON& slot = wParam == ICON_SMALL ? w->iconSmall : w->iconBig;
        HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        publishIcon(w);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(w->cls ? w->cls->icon : nullptr);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return defCtlColor(msg, reinterpret_cast<HDC>(wParam));
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    case WM_NOTIFYFORMAT:
        return 1; // NFR_ANSI
    default:
        return 0;
    }
}
