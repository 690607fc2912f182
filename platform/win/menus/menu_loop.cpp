// The modal menu loop: a nested message loop that owns the keyboard and the mouse while a menu
// shows. Popups are windows of the class "#32768"; the menu bar is drawn by the owner's
// non-client area. Messages the loop does not use (paint, timers, posted messages) are dispatched
// as usual, and WH_MSGFILTER hooks see every message with MSGF_MENU.

#include "platform/win/menus/menu_loop.h"

#include "platform/win/menus/menu_draw.h"
#include "platform/win/menus/menu_model.h"
#include "platform/win/wm/wm.h"

#include <memory>
#include <vector>

namespace pm::menus {
namespace {

constexpr char kPopupClass[] = "#32768";

struct Popup {
    HMENU menu = nullptr;
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    PopupLayout layout;
    int selected = -1;
    bool system = false;
};

LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* popup = reinterpret_cast<Popup*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case MN_GETHMENU:
        return popup ? reinterpret_cast<LRESULT>(popup->menu) : 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (popup) paintPopup(dc, popup->menu, popup->layout, popup->selected, popup->owner);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void registerPopupClass() {
    static bool done = false;
    if (done) return;
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = popupProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupClass;
    done = RegisterClass(&wc) != 0;
}

bool isMouseMessage(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

UINT normalMouse(UINT m) {
    return m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK ? m - WM_NCMOUSEMOVE + WM_MOUSEMOVE : m;
}

class MenuLoop {
public:
    explicit MenuLoop(const LoopStart& s) : m_start(s), m_owner(s.owner) {}
    LoopResult run();
    void end() { m_done = true; }

private:
    // Notifications
    bool notify() const { return !(m_start.flags & TPM_NONOTIFY); }
    void send(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (notify() && IsWindow(m_owner)) SendMessage(m_owner, msg, wParam, lParam);
    }
    void sendSelect(HMENU menu, int index, bool mouse, bool system);

    // Levels: the bar (in menu bar mode) and the open popups, outermost first.
    bool barMode() const { return m_start.bar != nullptr; }
    Popup* deepest() { return m_popups.empty() ? nullptr : m_popups.back().get(); }
    void selectBar(int index, bool open, bool mouse);
    void openBarPopup(bool selectFirst);
    void openPopup(HMENU menu, int parentItem, bool system, RECT anchor, bool beside, bool selectFirst);
    void closePopupsAbove(std::size_t keep);
    void select(Popup& p, int index, bool mouse);
    void openSubmenuOf(std::size_t level, bool selectFirst);
    void choose(std::size_t level, int index);
    // A bar item without a popup is a command of its own.
    bool chooseBarCommand();
    void moveBar(int step);
    int nextSelectable(HMENU menu, int from, int step) const;

    // Input
    void onKey(UINT vk);
    void onChar(char ch);
    void onMouse(UINT msg, POINT screen);
    bool hitPopup(POINT screen, std::size_t* level, int* item);
    int hitBar(POINT screen);
    bool chooseButton(UINT msg) const;

    LoopStart m_start;
    HWND m_owner;
    std::vector<std::unique_ptr<Popup>> m_popups;
    int m_barSelected = -1;
    bool m_done = false;
    bool m_ignoreRelease = false;
    bool m_pressedOutside = false; // the loop ends on a press outside every menu
    UINT m_leaveKey = 0;           // Alt or F10 pressed inside the loop
    LoopResult m_result;
};

MenuLoop* g_current = nullptr;

void MenuLoop::sendSelect(HMENU menu, int index, bool mouse, bool system) {
    Menu* m = menuOf(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    const MenuItem& item = m->items[static_cast<std::size_t>(index)];
    UINT flags = item.type | (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT)) | MF_HILITE;
    if (item.submenu) flags |= MF_POPUP;
    if (mouse) flags |= MF_MOUSESELECT;
    if (system) flags |= MF_SYSMENU;
    UINT first = item.submenu ? static_cast<UINT>(index) : item.id;
    send(WM_MENUSELECT, MAKEWPARAM(first, flags), reinterpret_cast<LPARAM>(menu));
}

int MenuLoop::nextSelectable(HMENU menu, int from, int step) const {
    int n = GetMenuItemCount(menu);
    if (n <= 0) return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = (i < 0 && step < 0) ? n - 1 : ((i + step) % n + n) % n;
        if (selectable(menu, i)) return i;
    }
    return -1;
}

void MenuLoop::selectBar(int index, bool open, bool mouse) {
    if (index != m_barSelected) {
        closePopupsAbove(0);
        m_barSelected = index;
        sendSelect(m_start.bar, index, mouse, false);
    }
    showBarSelection(m_owner, m_barSelected, open);
}

void MenuLoop::openBarPopup(bool selectFirst) {
    closePopupsAbove(0);
    HMENU sub = GetSubMenu(m_start.bar, m_barSelected);
    showBarSelection(m_owner, m_barSelected, sub != nullptr);
    if (!sub) return;
    RECT bar = barScreenRect(m_owner);
    Menu* m = menuOf(m_start.bar);
    BarLayout layout = layoutBar(m_start.bar, bar.right - bar.left);
    RECT item = layout.items[static_cast<std::size_t>(m_barSelected)];
    (void)m;
    OffsetRect(&item, bar.left, bar.top);
    openPopup(sub, m_barSelected, false, item, false, selectFirst);
}

void MenuLoop::openPopup(HMENU menu, int parentItem, bool system, RECT anchor, bool beside,
                         bool selectFirst) {
    send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(parentItem, system ? 1 : 0));
    auto popup = std::make_unique<Popup>();
    popup->menu = menu;
    popup->owner = m_owner;
    popup->system = system;
    popup->layout = layoutPopup(menu, m_owner);
    SIZE size = popup->layout.size;
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int x, y;
    if (beside) { // a submenu: right of its item, else left of the parent popup
        x = anchor.right - kPopupBorder;
        y = anchor.top - kPopupBorder;
        if (x + size.cx > screenW) x = anchor.left - size.cx + kPopupBorder;
    } else { // below a bar item, else above it
        x = anchor.left;
        y = anchor.bottom;
        if (y + size.cy > screenH) y = anchor.top - size.cy;
    }
    x = std::max(0, std::min<int>(x, screenW - size.cx));
    y = std::max(0, std::min<int>(y, screenH - size.cy));
    registerPopupClass();
    popup->hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, nullptr, WS_POPUP, x, y,
                                 size.cx, size.cy, m_owner, nullptr, nullptr, nullptr);
    SetWindowLongPtr(popup->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(popup.get()));
    SetWindowPos(popup->hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(popup->hwnd);
    m_popups.push_back(std::move(popup));
    if (selectFirst) select(*m_popups.back(), nextSelectable(menu, -1, 1), false);
}

void MenuLoop::closePopupsAbove(std::size_t keep) {
    while (m_popups.size() > keep) {
        std::unique_ptr<Popup> p = std::move(m_popups.back());
        m_popups.pop_back();
        DestroyWindow(p->hwnd);
        send(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(p->menu),
             MAKELPARAM(0, p->system ? MF_SYSMENU : 0));
    }
}

void MenuLoop::select(Popup& p, int index, bool mouse) {
    std::size_t level = 0;
    while (level < m_popups.size() && m_popups[level].get() != &p)
        ++level;
    if (index == p.selected) return;
    closePopupsAbove(level + 1);
    p.selected = index;
    InvalidateRect(p.hwnd, nullptr, FALSE);
    UpdateWindow(p.hwnd);
    if (index >= 0) sendSelect(p.menu, index, mouse, p.system);
}

void MenuLoop::openSubmenuOf(std::size_t level, bool selectFirst) {
    Popup& p = *m_popups[level];
    HMENU sub = GetSubMenu(p.menu, p.selected);
    if (!sub || !choosable(p.menu, p.selected)) return;
    if (m_popups.size() > level + 1 && m_popups[level + 1]->menu == sub) return;
    closePopupsAbove(level + 1);
    RECT item = p.layout.items[static_cast<std::size_t>(p.selected)];
    RECT window;
    GetWindowRect(p.hwnd, &window);
    OffsetRect(&item, window.left, window.top);
    item.right = window.right;
    openPopup(sub, p.selected, p.system, item, true, selectFirst);
}

void MenuLoop::choose(std::size_t level, int index) {
    Popup& p = *m_popups[level];
    if (!choosable(p.menu, index)) return;
    if (index != p.selected) select(p, index, false);
    if (GetSubMenu(p.menu, index)) {
        openSubmenuOf(level, true);
        return;
    }
    m_result.id = GetMenuItemID(p.menu, index);
    m_result.system = p.system;
    m_done = true;
}

bool MenuLoop::chooseBarCommand() {
    if (!barMode() || m_barSelected < 0 || GetSubMenu(m_start.bar, m_barSelected)) return false;
    if (choosable(m_start.bar, m_barSelected)) {
        m_result.id = GetMenuItemID(m_start.bar, m_barSelected);
        m_done = true;
    }
    return true;
}

void MenuLoop::moveBar(int step) {
    int next = nextSelectable(m_start.bar, m_barSelected, step);
    if (next < 0) return;
    bool wasOpen = !m_popups.empty();
    selectBar(next, wasOpen, false);
    if (wasOpen) openBarPopup(true);
}

void MenuLoop::onKey(UINT vk) {
    Popup* p = deepest();
    switch (vk) {
    case VK_ESCAPE:
        if (!p) {
            m_done = true;
        } else if (m_popups.size() == 1 && !barMode()) {
            m_done = true;
        } else {
            closePopupsAbove(m_popups.size() - 1);
            if (m_popups.empty()) showBarSelection(m_owner, m_barSelected, false);
        }
        return;
    case VK_UP:
    case VK_DOWN:
        if (!p) {
            openBarPopup(true);
            return;
        }
        select(*p, nextSelectable(p->menu, p->selected, vk == VK_DOWN ? 1 : -1), false);
        return;
    case VK_RIGHT:
        if (!p) {
            moveBar(1);
        } else if (GetSubMenu(p->menu, p->selected)) {
            openSubmenuOf(m_popups.size() - 1, true);
        } else if (barMode()) {
            moveBar(1);
        }
        return;
    case VK_LEFT:
        if (!p || (m_popups.size() == 1 && barMode()))
            moveBar(-1);
        else if (m_popups.size() > 1)
            closePopupsAbove(m_popups.size() - 1);
        return;
    case VK_RETURN:
        if (!p) {
            if (!chooseBarCommand()) openBarPopup(true);
        } else if (p->selected >= 0) {
            choose(m_popups.size() - 1, p->selected);
        }
        return;
    default:
        return;
    }
}

void MenuLoop::onChar(char ch) {
    Popup* p = deepest();
    HMENU menu = p ? p->menu : m_start.bar;
    if (!menu) return;
    int current = p ? p->selected : m_barSelected;
    int count = 0;
    int found = findMnemonic(menu, ch, current, &count);
    if (found < 0) {
        UINT flags = p ? MF_POPUP : 0;
        if (p && p->system) flags |= MF_SYSMENU;
        LRESULT r = SendMessage(m_owner, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(ch), flags),
                                reinterpret_cast<LPARAM>(menu));
        found = LOWORD(r);
        switch (HIWORD(r)) {
        case MNC_CLOSE:
            m_done = true;
            return;
        case MNC_EXECUTE:
            count = 1;
            break;
        case MNC_SELECT:
            count = 2;
            break;
        default:
            MessageBeep(0);
            return;
        }
        if (!selectable(menu, found)) return;
    }
    if (!p) {
        selectBar(found, count == 1, false);
        if (count == 1) openBarPopup(true);
        return;
    }
    if (count == 1)
        choose(m_popups.size() - 1, found);
    else
        select(*p, found, false);
}

bool MenuLoop::hitPopup(POINT screen, std::size_t* level, int* item) {
    for (std::size_t l = m_popups.size(); l-- > 0;) {
        Popup& p = *m_popups[l];
        RECT window;
        GetWindowRect(p.hwnd, &window);
        if (!PtInRect(&window, screen)) continue;
        *level = l;
        *item = -1;
        POINT local{screen.x - window.left, screen.y - window.top};
        for (std::size_t i = 0; i < p.layout.items.size(); ++i)
            if (PtInRect(&p.layout.items[i], local) && selectable(p.menu, static_cast<int>(i)))
                *item = static_cast<int>(i);
        return true;
    }
    return false;
}

int MenuLoop::hitBar(POINT screen) {
    if (!barMode()) return -1;
    RECT bar = barScreenRect(m_owner);
    if (!PtInRect(&bar, screen)) return -1;
    BarLayout layout = layoutBar(m_start.bar, bar.right - bar.left);
    POINT local{screen.x - bar.left, screen.y - bar.top};
    for (std::size_t i = 0; i < layout.items.size(); ++i)
        if (PtInRect(&layout.items[i], local) && selectable(m_start.bar, static_cast<int>(i)))
            return static_cast<int>(i);
    return -1;
}

bool MenuLoop::chooseButton(UINT msg) const {
    return msg == WM_LBUTTONUP || (msg == WM_RBUTTONUP && (barMode() || (m_start.flags & TPM_RIGHTBUTTON)));
}

void MenuLoop::onMouse(UINT msg, POINT screen) {
    msg = normalMouse(msg);
    std::size_t level = 0;
    int item = -1;
    bool inPopup = hitPopup(screen, &level, &item);
    int barItem = inPopup ? -1 : hitBar(screen);
    // The second press of a double click is a press too: outside the menu it ends it and goes on.
    bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    if (down) m_ignoreRelease = false;
    if (msg == WM_MOUSEMOVE) {
        if (inPopup && item >= 0) {
            select(*m_popups[level], item, true);
            openSubmenuOf(level, false);
        } else if (barItem >= 0 && barItem != m_barSelected && !m_popups.empty()) {
            selectBar(barItem, true, true);
            openBarPopup(false);
        }
        return;
    }
    if (down) {
        if (inPopup) {
            if (item >= 0) {
                select(*m_popups[level], item, true);
                openSubmenuOf(level, false);
            }
        } else if (barItem >= 0) {
            if (barItem == m_barSelected && !m_popups.empty()) {
                m_done = true;
                return;
            }
            selectBar(barItem, true, true);
            openBarPopup(false);
            m_ignoreRelease = true;
        } else {
            m_done = true; // a press outside every menu dismisses it
            m_pressedOutside = true;
        }
        return;
    }
    if (chooseButton(msg) && !inPopup && barItem >= 0 && barItem == m_barSelected && chooseBarCommand())
        return;
    if (!chooseButton(msg) || m_ignoreRelease) return;
    if (inPopup && item >= 0 && !GetSubMenu(m_popups[level]->menu, item)) choose(level, item);
}

LoopResult MenuLoop::run() {
    MenuLoop* outer = g_current;
    g_current = this;
    m_ignoreRelease = m_start.byMouse;
    send(WM_ENTERMENULOOP, barMode() ? FALSE : TRUE, 0);
    send(WM_INITMENU, reinterpret_cast<WPARAM>(barMode() ? m_start.bar : m_start.popup), 0);
    SetCapture(m_owner);
    if (barMode()) {
        selectBar(m_start.barItem, m_start.openBarItem, m_start.byMouse);
        if (m_start.openBarItem) openBarPopup(!m_start.byMouse);
    } else {
        RECT anchor{m_start.at.x, m_start.at.y, m_start.at.x, m_start.at.y};
        openPopup(m_start.popup, 0, m_start.system, anchor, false, false);
        Popup& p = *m_popups.back();
        int cx = p.layout.size.cx, cy = p.layout.size.cy;
        int x = m_start.at.x - ((m_start.flags & TPM_RIGHTALIGN)    ? cx
                                : (m_start.flags & TPM_CENTERALIGN) ? cx / 2
                                                                    : 0);
        int y = m_start.at.y - ((m_start.flags & TPM_BOTTOMALIGN)    ? cy
                                : (m_start.flags & TPM_VCENTERALIGN) ? cy / 2
                                                                     : 0);
        x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - cx));
        y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - cy));
        SetWindowPos(p.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MSG dismissing{};
    while (!m_done && IsWindow(m_owner)) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (CallMsgFilter(&msg, MSGF_MENU)) continue;
        if (isMouseMessage(msg.message)) {
            onMouse(msg.message, msg.pt);
            if (m_pressedOutside) dismissing = msg;
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            TranslateMessage(&msg);
            if (msg.wParam == VK_MENU || msg.wParam == VK_F10)
                m_leaveKey = static_cast<UINT>(msg.wParam);
            else
                onKey(static_cast<UINT>(msg.wParam));
            // The character of a key that ended the menu (Enter choosing an item, Esc) belongs to
            // the menu: the window that has the focus afterwards never sees it.
            MSG typed;
            if (m_done && !PeekMessage(&typed, msg.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE))
                PeekMessage(&typed, msg.hwnd, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE);
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
            // Alt or F10 pressed again leaves on its release; the release of the Alt that opened
            // the menu (Alt+Space, Alt+letter) does not.
            if (msg.wParam == m_leaveKey) m_done = true;
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            if (msg.wParam > ' ') onChar(static_cast<char>(msg.wParam));
        } else {
            DispatchMessage(&msg);
        }
    }
    closePopupsAbove(0);
    if (GetCapture() == m_owner) ReleaseCapture();
    // The press that dismissed the menu goes on to the window under it, as it would without a menu.
    if (m_pressedOutside) wm::returnPressToQueue(dismissing);
    if (barMode() && IsWindow(m_owner)) showBarSelection(m_owner, -1, false);
    send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    send(WM_EXITMENULOOP, barMode() ? FALSE : TRUE, 0);
    g_current = outer;
    return m_result;
}

} // namespace

LoopResult runMenuLoop(const LoopStart& start) {
    MenuLoop loop(start);
    return loop.run();
}

bool menuLoopRunning() {
    return g_current != nullptr;
}

void endMenuLoop() {
    if (g_current) g_current->end();
}

} // namespace pm::menus
