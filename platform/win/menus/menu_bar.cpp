// The window menu bar (SetMenu, drawn in the owner's non-client area through the window manager's
// hooks), keyboard and mouse entry into the menu loop (SC_KEYMENU, SC_MOUSEMENU), the system menu,
// TrackPopupMenu and EndMenu.

#include "platform/win/menus/menu_loop.h"

#include "platform/win/menus/menu_draw.h"
#include "platform/win/menus/menu_model.h"
#include "platform/win/wm/wm.h"

#include <map>

namespace pm::menus {
namespace {

struct BarState {
    RECT painted{0, 0, 0, 0}; // window coordinates of the last drawing
    int selected = -1;
    bool open = false;
};

std::map<HWND, BarState>& bars() {
    static std::map<HWND, BarState> states;
    return states;
}

std::map<HWND, HMENU>& systemMenus() {
    static std::map<HWND, HMENU> menus;
    return menus;
}

int barHeight(HWND hwnd, int width) {
    return layoutBar(GetMenu(hwnd), width).height;
}

void drawBar(HWND hwnd, HDC dc, const RECT& bar) {
    BarState& s = bars()[hwnd];
    s.painted = bar;
    paintBar(dc, GetMenu(hwnd), bar, s.selected, s.open);
}

// An MDI child's menu names the keys that close it and go to the next child, as the frame's names
// the key that closes the program.
HMENU buildSystemMenu(HWND hwnd) {
    const bool mdiChild = (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenuA(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, mdiChild ? "&Close\tCtrl+F4" : "&Close\tAlt+F4");
    if (mdiChild) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, SC_NEXTWINDOW, "Nex&t\tCtrl+F6");
    }
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    return menu;
}

// Enables the system menu's items for the window's state, as its frame buttons are.
void updateSystemMenu(HWND hwnd, HMENU menu) {
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    bool minimized = IsIconic(hwnd), maximized = IsZoomed(hwnd);
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, minimized || maximized);
    enable(SC_MOVE, !maximized);
    enable(SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
    enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
    enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
}

void postResult(HWND hwnd, const LoopResult& r) {
    if (!r.id || !IsWindow(hwnd)) return;
    PostMessage(hwnd, r.system ? WM_SYSCOMMAND : WM_COMMAND, r.system ? r.id : MAKEWPARAM(r.id, 0), 0);
}

void trackSystemMenu(HWND hwnd, POINT at, bool byMouse) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu || menuLoopRunning()) return;
    LoopStart start;
    start.owner = hwnd;
    start.popup = menu;
    start.at = at;
    start.system = true;
    start.byMouse = byMouse;
    postResult(hwnd, runMenuLoop(start));
}

int firstBarItem(HMENU bar) {
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (selectable(bar, i)) return i;
    return -1;
}

void trackBar(HWND hwnd, int item, bool open, bool byMouse) {
    if (menuLoopRunning() || item < 0) return;
    LoopStart start;
    start.owner = hwnd;
    start.bar = GetMenu(hwnd);
    start.barItem = item;
    start.openBarItem = open;
    start.byMouse = byMouse;
    postResult(hwnd, runMenuLoop(start));
}

void keyMenu(HWND hwnd, WPARAM command, LPARAM lParam) {
    HMENU bar = GetMenu(hwnd);
    if (command == SC_MOUSEMENU) {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT r = barScreenRect(hwnd);
        if (bar && PtInRect(&r, p)) {
            BarLayout layout = layoutBar(bar, r.right - r.left);
            POINT local{p.x - r.left, p.y - r.top};
            for (std::size_t i = 0; i < layout.items.size(); ++i)
                if (PtInRect(&layout.items[i], local)) trackBar(hwnd, static_cast<int>(i), true, true);
        } else if (GetWindowLong(hwnd, GWL_STYLE) & WS_SYSMENU) {
            trackSystemMenu(hwnd, p, true);
        }
        return;
    }
    if (lParam == ' ') {
        POINT corner{0, 0};
        ClientToScreen(hwnd, &corner);
        trackSystemMenu(hwnd, corner, false);
        return;
    }
    if (!bar) return;
    if (lParam == 0) {
        trackBar(hwnd, firstBarItem(bar), false, false);
        return;
    }
    int count = 0;
    int found = findMnemonic(bar, static_cast<char>(lParam), -1, &count);
    if (found < 0) {
        MessageBeep(0);
        return;
    }
    trackBar(hwnd, found, count == 1, false);
}

} // namespace

// A destroyed window's menu bar (a top-level window's) and its copy of the system menu are destroyed
// with it, as Win32 destroys them.
void windowDestroyed(HWND hwnd) {
    bars().erase(hwnd);
    auto it = systemMenus().find(hwnd);
    if (it != systemMenus().end()) {
        DestroyMenu(it->second);
        systemMenus().erase(it);
    }
    if (HMENU bar = GetMenu(hwnd)) DestroyMenu(bar);
}

void installMenuHooks() {
    static bool done = false;
    if (done) return;
    done = true;
    wm::MenuBarHooks hooks;
    hooks.height = barHeight;
    hooks.paint = drawBar;
    hooks.destroyed = windowDestroyed;
    wm::setMenuBarHooks(hooks);
    wm::setKeyMenuHandler(keyMenu);
}

RECT barScreenRect(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT bar = bars()[hwnd].painted;
    if (IsRectEmpty(&bar)) { // not drawn yet: the bar sits right above the client area
        POINT client{0, 0};
        ClientToScreen(hwnd, &client);
        int height = barHeight(hwnd, window.right - window.left);
        return RECT{client.x, client.y - height, window.right - (client.x - window.left), client.y};
    }
    OffsetRect(&bar, window.left, window.top);
    return bar;
}

void showBarSelection(HWND hwnd, int selected, bool open) {
    BarState& s = bars()[hwnd];
    s.selected = selected;
    s.open = open;
    if (IsRectEmpty(&s.painted)) return;
    HDC dc = GetWindowDC(hwnd);
    paintBar(dc, GetMenu(hwnd), s.painted, s.selected, s.open);
    ReleaseDC(hwnd, dc);
}

} // namespace pm::menus

using namespace pm::menus;

BOOL SetMenu(HWND hwnd, HMENU menu) {
    if (!IsWindow(hwnd) || (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD)) return FALSE;
    if (menu && !IsMenu(menu)) return FALSE;
    installMenuHooks();
    SetWindowLongPtr(hwnd, GWL_ID, reinterpret_cast<LONG_PTR>(menu));
    bars().erase(hwnd);
    return DrawMenuBar(hwnd);
}

HMENU GetMenu(HWND hwnd) {
    if (!IsWindow(hwnd) || (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    auto menu = reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWL_ID));
    return IsMenu(menu) ? menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    return SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, LPRECT rect) {
    if (!rect || !menu || GetMenu(hwnd) != menu) return FALSE;
    RECT bar = barScreenRect(hwnd);
    BarLayout layout = layoutBar(menu, bar.right - bar.left);
    if (item >= layout.items.size()) return FALSE;
    *rect = layout.items[item];
    OffsetRect(rect, bar.left, bar.top);
    return TRUE;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (!IsWindow(hwnd)) return nullptr;
    installMenuHooks();
    auto& menus = systemMenus();
    auto it = menus.find(hwnd);
    if (revert) {
        if (it != menus.end()) {
            DestroyMenu(it->second);
            menus.erase(it);
        }
        return nullptr;
    }
    HMENU menu = it != menus.end() && IsMenu(it->second) ? it->second : (menus[hwnd] = buildSystemMenu(hwnd));
    // Whoever shows the menu (a menu bar's icon of a maximised child, a program's own popup) finds
    // its items enabled for the window's state now.
    updateSystemMenu(hwnd, menu);
    return menu;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
    if (!IsMenu(menu) || !IsWindow(owner) || menuLoopRunning()) return FALSE;
    installMenuHooks();
    LoopStart start;
    start.owner = owner;
    start.popup = menu;
    start.at = POINT{x, y};
    start.flags = flags;
    LoopResult r = runMenuLoop(start);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(r.id);
    if (!(flags & TPM_NONOTIFY)) postResult(owner, r);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    if (!menuLoopRunning()) return FALSE;
    endMenuLoop();
    return TRUE;
}
