// Moving and sizing with the mouse (a modal loop with capture), caption buttons, and the system
// commands DefWindowProc carries out.

#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/nonclient.h"
#include "platform/win/wm/wm.h"

#include "platform/win/wingdi.h"

namespace pm::wm {
namespace {

bool movesLeft(int side) {
    return side == WMSZ_LEFT || side == WMSZ_TOPLEFT || side == WMSZ_BOTTOMLEFT;
}
bool movesRight(int side) {
    return side == WMSZ_RIGHT || side == WMSZ_TOPRIGHT || side == WMSZ_BOTTOMRIGHT;
}
bool movesTop(int side) {
    return side == WMSZ_TOP || side == WMSZ_TOPLEFT || side == WMSZ_TOPRIGHT;
}
bool movesBottom(int side) {
    return side == WMSZ_BOTTOM || side == WMSZ_BOTTOMLEFT || side == WMSZ_BOTTOMRIGHT;
}

RECT sizedRect(RECT r, int side, POINT d, const MINMAXINFO& mmi) {
    if (movesLeft(side)) r.left = std::min(r.left + d.x, r.right - mmi.ptMinTrackSize.x);
    if (movesRight(side)) r.right = std::max(r.right + d.x, r.left + mmi.ptMinTrackSize.x);
    if (movesTop(side)) r.top = std::min(r.top + d.y, r.bottom - mmi.ptMinTrackSize.y);
    if (movesBottom(side)) r.bottom = std::max(r.bottom + d.y, r.top + mmi.ptMinTrackSize.y);
    if (r.right - r.left > mmi.ptMaxTrackSize.x) {
        if (movesLeft(side))
            r.left = r.right - mmi.ptMaxTrackSize.x;
        else
            r.right = r.left + mmi.ptMaxTrackSize.x;
    }
    if (r.bottom - r.top > mmi.ptMaxTrackSize.y) {
        if (movesTop(side))
            r.top = r.bottom - mmi.ptMaxTrackSize.y;
        else
            r.bottom = r.top + mmi.ptMaxTrackSize.y;
    }
    return r;
}

void placeOnScreen(Window* w, const RECT& screen) {
    POINT parentOrigin = w->parent && w->parent != desktop() ? clientScreenOrigin(w->parent) : POINT{0, 0};
    SetWindowPos(w->handle, nullptr, screen.left - parentOrigin.x, screen.top - parentOrigin.y,
                 screen.right - screen.left, screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool isMouseOrKey(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_KEYFIRST && m <= WM_KEYLAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// A move or size the window manager runs, from its grab of the window to its release.
struct DesktopMoveSize {
    HWND hwnd = nullptr;
    int side = 0;                  // the WMSZ_ edge of a size asked for; 0: a move, or not known
    bool announced = false;        // WM_ENTERSIZEMOVE sent
    bool deactivationHeld = false; // the desktop deactivated the window during the grab
};

DesktopMoveSize& desktopMoveSize() {
    static DesktopMoveSize s;
    return s;
}

// The WMSZ_ edge of a size from `from` to `to`: the edges that moved (WMSZ_LEFT 1, WMSZ_RIGHT 2,
// WMSZ_TOP 3, WMSZ_BOTTOM 6, and their sums for corners).
int sizedSide(const RECT& from, const RECT& to) {
    int horizontal = to.left != from.left ? WMSZ_LEFT : to.right != from.right ? WMSZ_RIGHT : 0;
    int vertical = to.top != from.top ? WMSZ_TOP : to.bottom != from.bottom ? WMSZ_BOTTOM : 0;
    return horizontal + vertical;
}

// A caption button pressed: true when the button goes up over it.
bool trackCaptionButton(Window* w, int hit) {
    HWND hwnd = w->handle;
    SetCapture(hwnd);
    bool inside = true;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        if (!window(hwnd) || GetCapture() != hwnd) return false;
        if (msg.message == WM_LBUTTONUP || msg.message == WM_MOUSEMOVE) {
            inside = defNcHitTest(w, msg.pt) == hit;
            if (msg.message == WM_LBUTTONUP) break;
            continue;
        }
        if (!isMouseOrKey(msg.message)) DispatchMessage(&msg);
    }
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    if (window(hwnd) && GetCapture() == hwnd) ReleaseCapture();
    return inside && window(hwnd);
}

} // namespace

void runMoveSizeLoop(Window* w, WPARAM command, POINT start) {
    HWND hwnd = w->handle;
    bool moving = (command & 0xFFF0) == SC_MOVE;
    int side = static_cast<int>(command & 0x000F);
    if (!moving && (side < WMSZ_LEFT || side > WMSZ_BOTTOMRIGHT)) return;
    if (desktopServices().startMoveSize(w, command)) {
        desktopMoveSizeStarted(w, true, moving ? 0 : side);
        return;
    }
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{100000, 100000};
    send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (!window(hwnd)) return;
    RECT original = windowRectOnScreen(w);
    SetCapture(hwnd);
    send(w, WM_ENTERSIZEMOVE);
    MSG msg{};
    bool cancelled = false;
    while (window(hwnd) && GetCapture() == hwnd && GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_LBUTTONUP) break;
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            cancelled = msg.wParam == VK_ESCAPE;
            break;
        }
        if (msg.message != WM_MOUSEMOVE) {
            if (!isMouseOrKey(msg.message)) DispatchMessage(&msg);
            continue;
        }
        POINT d{msg.pt.x - start.x, msg.pt.y - start.y};
        RECT r = original;
        if (moving)
            OffsetRect(&r, d.x, d.y);
        else
            r = sizedRect(original, side, d, mmi);
        send(w, moving ? WM_MOVING : WM_SIZING, moving ? 0 : static_cast<WPARAM>(side),
             reinterpret_cast<LPARAM>(&r));
        if (!window(hwnd)) return;
        placeOnScreen(w, r);
    }
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    if (!window(hwnd)) return;
    if (cancelled) placeOnScreen(w, original);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (window(hwnd)) send(w, WM_EXITSIZEMOVE);
}

void desktopMoveSizeStarted(Window* w, bool asked, int side) {
    DesktopMoveSize& s = desktopMoveSize();
    if (s.hwnd == w->handle) return; // asked for, then grabbed
    if (Window* other = window(s.hwnd)) desktopMoveSizeEnded(other);
    s = DesktopMoveSize{w->handle, side, asked, false};
    if (asked) send(w, WM_ENTERSIZEMOVE);
}

bool desktopMoveSizeRuns(const Window* w) {
    return desktopMoveSize().hwnd == w->handle;
}

void followDesktopGeometry(Window* w, RECT proposed) {
    HWND hwnd = w->handle;
    DesktopMoveSize& s = desktopMoveSize();
    if (s.hwnd == hwnd) {
        if (!s.announced) {
            s.announced = true;
            send(w, WM_ENTERSIZEMOVE);
            if (!window(hwnd)) return;
        }
        RECT now = windowRectOnScreen(w);
        bool sized = proposed.right - proposed.left != now.right - now.left ||
                     proposed.bottom - proposed.top != now.bottom - now.top;
        int side = s.side ? s.side : sizedSide(now, proposed);
        send(w, sized ? WM_SIZING : WM_MOVING, sized ? static_cast<WPARAM>(side) : 0,
             reinterpret_cast<LPARAM>(&proposed));
        if (!window(hwnd)) return;
    }
    placeOnScreen(w, proposed);
}

void desktopMoveSizeEnded(Window* w) {
    DesktopMoveSize s = desktopMoveSize();
    if (s.hwnd != w->handle) return;
    desktopMoveSize() = DesktopMoveSize{};
    HWND hwnd = w->handle;
    if (s.announced) send(w, WM_EXITSIZEMOVE);
    if (s.deactivationHeld && window(hwnd) && !desktopHoldsFocus())
        desktopServices().activationChanged(hwnd, false);
}

bool holdDesktopDeactivation(Window* w) {
    DesktopMoveSize& s = desktopMoveSize();
    if (s.hwnd != w->handle) return false;
    s.deactivationHeld = true;
    return true;
}

void defSysCommand(Window* w, WPARAM command, LPARAM lParam) {
    HWND hwnd = w->handle;
    switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE: {
        POINT start{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == 0) start = cursorScreenPos();
        runMoveSizeLoop(w, command, start);
        return;
    }
    case SC_CLOSE:
        send(w, WM_CLOSE);
        return;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        return;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        return;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        return;
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        if (KeyMenuHandler h = keyMenuHandler()) h(hwnd, command, lParam);
        return;
    default:
        return;
    }
}

void defNcLButtonDown(Window* w, WPARAM hit, LPARAM lParam) {
    HWND hwnd = w->handle;
    switch (hit) {
    case HTCAPTION: {
        Window* top = topLevelOf(w);
        if (top != activeWindow() && !(top->style & WS_DISABLED)) activate(top, WA_CLICKACTIVE);
        if (window(hwnd)) send(w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return;
    }
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        send(w, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
        return;
    case HTVSCROLL:
    case HTHSCROLL:
        if (scrollBarHooks().track)
            scrollBarHooks().track(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ,
                                   POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return;
    case HTSYSMENU:
    case HTMENU:
        send(w, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
        return;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON: {
        if (!trackCaptionButton(w, static_cast<int>(hit))) return;
        WPARAM cmd = hit == HTCLOSE        ? SC_CLOSE
                     : hit == HTMINBUTTON  ? SC_MINIMIZE
                     : IsZoomed(w->handle) ? SC_RESTORE
                                           : SC_MAXIMIZE;
        send(w, WM_SYSCOMMAND, cmd, lParam);
        return;
    }
    default:
        return;
    }
}

} // namespace pm::wm
