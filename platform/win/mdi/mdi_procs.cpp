// The default processing of MDI frames and children, and the MDI keyboard interface.

#include "platform/win/mdi/mdi_client.h"

#include <string>

using pm::mdi::MdiClient;

LRESULT DefFrameProc(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
    MdiClient* c = MdiClient::of(client);
    if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND: {
        UINT id = LOWORD(wParam);
        if (HIWORD(wParam) <= 1 && c->windowListCommand(id)) return 0;
        // The maximised child's system-menu commands from the frame's menu bar.
        if (id >= SC_SIZE && c->maximised()) {
            SendMessage(c->active(), WM_SYSCOMMAND, wParam, lParam);
            return 0;
        }
        break;
    }
    case WM_NCACTIVATE:
        if (HWND active = c->active()) SendMessage(active, WM_NCACTIVATE, wParam, lParam);
        break;
    case WM_SETTEXT:
        c->setFrameTitle(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_SETFOCUS:
        if (IsWindowVisible(client)) SetFocus(client);
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_INITMENUPOPUP:
        c->refreshWindowMenu();
        break;
    case WM_SYSCOMMAND:
        // Alt+minus: the active child's system menu.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == '-' && c->active()) {
            SendMessage(c->active(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MdiClient* c = MdiClient::ofChild(hwnd);
    if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
    HWND client = GetParent(hwnd);
    switch (msg) {
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        c->childChanged(hwnd);
        return r;
    }
    case WM_CLOSE:
        SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
        return 0;
    case WM_MOUSEACTIVATE: {
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT && c->active() != hwnd)
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
        return r;
    }
    case WM_CHILDACTIVATE:
        if (c->active() != hwnd) SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
        return 0;
    case WM_SETFOCUS:
        if (c->active() != hwnd) SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_SIZE: {
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        if (wParam == SIZE_MINIMIZED) c->placeIcon(hwnd);
        c->childChanged(hwnd);
        return r;
    }
    case WM_WINDOWPOSCHANGED: {
        // Moved, sized, shown or hidden: the client's scroll bars follow.
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        c->updateScrollBars();
        return r;
    }
    case WM_NCLBUTTONDBLCLK:
        // A minimised child's caption restores it.
        if (wParam == HTCAPTION && IsIconic(hwnd)) {
            SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, lParam);
            return 0;
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
            SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd),
                        (wParam & 0xFFF0) == SC_PREVWINDOW);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
        }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

BOOL TranslateMDISysAccel(HWND client, LPMSG msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    MdiClient* c = MdiClient::of(client);
    HWND active = c ? c->active() : nullptr;
    if (!active || !IsWindowEnabled(active)) return FALSE;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return FALSE;
    WPARAM command = 0;
    switch (msg->wParam) {
    case VK_F4:
        command = SC_CLOSE;
        break;
    case VK_F6:
    case VK_TAB:
        command = GetKeyState(VK_SHIFT) < 0 ? SC_PREVWINDOW : SC_NEXTWINDOW;
        break;
    default:
        return FALSE;
    }
    SendMessage(active, WM_SYSCOMMAND, command, static_cast<LPARAM>(msg->wParam));
    return TRUE;
}

HWND CreateMDIWindow(LPCSTR className, LPCSTR title, DWORD style, int x, int y, int cx, int cy, HWND parent,
                     HINSTANCE instance, LPARAM lParam) {
    MDICREATESTRUCT mcs{className, title, instance, x, y, cx, cy, style, lParam};
    return reinterpret_cast<HWND>(SendMessage(parent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}
