// "MDICLIENT": creating, activating, cycling and destroying the document windows of a frame.

#include "platform/win/mdi/mdi_client.h"

#include "platform/win/wm/registration.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace pm::mdi {
namespace {

constexpr DWORD kChildStyles = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_CAPTION |
                               WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The offset between two stacked children: a caption and a frame.
int cascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
}

} // namespace

MdiClient::MdiClient(HWND hwnd, const CREATESTRUCT& cs)
    : Control(hwnd), m_scrollBars(static_cast<DWORD>(cs.style) & (WS_HSCROLL | WS_VSCROLL)) {
    if (const auto* ccs = static_cast<const CLIENTCREATESTRUCT*>(cs.lpCreateParams)) {
        m_windowMenu = static_cast<HMENU>(ccs->hWindowMenu);
        m_firstId = ccs->idFirstChild;
    }
    if (cs.hwndParent) {
        char title[512] = {};
        GetWindowText(cs.hwndParent, title, sizeof title);
        m_frameTitle = title;
    }
}

MdiClient* MdiClient::of(HWND client) {
    char name[16] = {};
    if (!IsWindow(client) || !GetClassName(client, name, sizeof name) || strcasecmp(name, "MDICLIENT") != 0)
        return nullptr;
    return dynamic_cast<MdiClient*>(reinterpret_cast<ctl::Control*>(GetWindowLongPtr(client, 0)));
}

MdiClient* MdiClient::ofChild(HWND child) {
    if (!IsWindow(child) || !(GetWindowLongPtr(child, GWL_EXSTYLE) & WS_EX_MDICHILD)) return nullptr;
    return of(GetParent(child));
}

std::vector<HWND> MdiClient::children() {
    m_children.erase(std::remove_if(m_children.begin(), m_children.end(),
                                    [this](HWND c) { return !IsWindow(c) || GetParent(c) != m_hwnd; }),
                     m_children.end());
    return m_children;
}

void MdiClient::renumber() {
    std::vector<HWND> list = children();
    for (std::size_t i = 0; i < list.size(); ++i)
        SetWindowLongPtr(list[i], GWL_ID, static_cast<LONG_PTR>(m_firstId + i));
}

void MdiClient::setFrameTitle(const std::string& title) {
    m_frameTitle = title;
    m_titleComposed = false;
    if (maximised())
        syncFrameTitle();
    else
        DefWindowProc(frame(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_frameTitle.c_str()));
}

LRESULT MdiClient::create(const MDICREATESTRUCT* mcs) {
    if (!mcs || !mcs->szClass) return 0;
    DWORD style = mcs->style;
    // Without MDIS_ALLCHILDSTYLES every child has the standard frame and shows.
    if (!(this->style() & MDIS_ALLCHILDSTYLES)) style |= kChildStyles | WS_VISIBLE;
    style = (style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
    bool visible = style & WS_VISIBLE;
    bool minimise = style & WS_MINIMIZE;
    bool maximise = (style & WS_MAXIMIZE) || (visible && maximised());
    style &= ~static_cast<DWORD>(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);

    RECT area = clientRect();
    int count = static_cast<int>(children().size());
    int step = cascadeStep();
    int x = mcs->x, y = mcs->y, cx = mcs->cx, cy = mcs->cy;
    if (cx == CW_USEDEFAULT) cx = std::max<int>(area.right * 3 / 4, 100);
    if (cy == CW_USEDEFAULT) cy = std::max<int>(area.bottom * 3 / 4, 60);
    if (x == CW_USEDEFAULT) {
        int fits = std::max<int>(1, (area.bottom - cy) / step + 1);
        x = y = step * (count % fits);
    }
    UINT id = m_firstId + static_cast<UINT>(count);
    HWND child = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, m_hwnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                static_cast<HINSTANCE>(mcs->hOwner), const_cast<MDICREATESTRUCT*>(mcs));
    if (!child) return 0;
    m_children.push_back(child);
    if (visible) {
        ShowWindow(child, maximise ? SW_SHOWMAXIMIZED : minimise ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
        if (IsWindow(child)) activate(child);
    }
    refreshWindowMenu();
    updateScrollBars();
    return reinterpret_cast<LRESULT>(child);
}

void MdiClient::activate(HWND child) {
    if (child == m_active || m_activating) return;
    if (child && GetParent(child) != m_hwnd) return;
    m_activating = true;
    HWND old = IsWindow(m_active) ? m_active : nullptr;
    // A hidden child (a document shown elsewhere, in a pane) takes activation but not the
    // maximised state: the maximised child stays so.
    bool carryMaximised = old && child && IsZoomed(old) && IsWindowVisible(child);
    if (old) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    }
    m_active = child;
    if (child) {
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // A maximised child hands its state on: the new one is maximised, the old one restored.
        if (carryMaximised && !IsZoomed(child)) ShowWindow(child, SW_SHOWMAXIMIZED);
        if (carryMaximised && IsWindow(old) && IsWindowVisible(old)) ShowWindow(old, SW_RESTORE);
        SendMessage(child, WM_NCACTIVATE, TRUE, 0);
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    }
    m_activating = false;
    HWND focus = GetFocus();
    bool frameActive = GetActiveWindow() == GetAncestor(m_hwnd, GA_ROOT);
    if (child && IsWindow(child) && frameActive)
        SetFocus(child);
    else if (!child && frameActive && (!focus || focus == old || IsChild(m_hwnd, focus)))
        SetFocus(m_hwnd);
    syncMaximisedItems();
    syncFrameTitle();
    refreshWindowMenu();
}

// The next child in stacking order after `from` (wrapping), or the bottom one going backwards;
// `from` itself goes to the bottom when moving forwards, so repeated steps visit every child.
void MdiClient::next(HWND from, bool previous) {
    if (!from) from = m_active;
    // The children that can take activation, and the one it starts from (hidden, it hands
    // activation on all the same).
    std::vector<HWND> order;
    for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (c == from ||
            (IsWindowVisible(c) && IsWindowEnabled(c) && (GetWindowLongPtr(c, GWL_EXSTYLE) & WS_EX_MDICHILD)))
            order.push_back(c);
    auto at = std::find(order.begin(), order.end(), from);
    if (order.size() < 2 || at == order.end()) return;
    if (previous) {
        activate(order.back());
        return;
    }
    HWND target = (at + 1 == order.end()) ? order.front() : *(at + 1);
    activate(target);
    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The active child hands activation to the next one first; the window list follows the removal
// (WM_PARENTNOTIFY).
void MdiClient::destroyChild(HWND child) {
    if (!IsWindow(child) || GetParent(child) != m_hwnd) return;
    if (child == m_active) {
        HWND nextChild = nullptr;
        for (HWND c = GetWindow(m_hwnd, GW_CHILD); c && !nextChild; c = GetWindow(c, GW_HWNDNEXT))
            if (c != child && IsWindowVisible(c) && (GetWindowLongPtr(c, GWL_EXSTYLE) & WS_EX_MDICHILD))
                nextChild = c;
        if (IsZoomed(child)) {
            if (nextChild && !IsZoomed(nextChild)) ShowWindow(nextChild, SW_SHOWMAXIMIZED);
            removeMaximisedItems();
        }
        activate(nextChild);
        if (m_active == child) m_active = nullptr;
    }
    if (IsWindow(child)) DestroyWindow(child);
}

void MdiClient::forget(HWND child) {
    auto at = std::find(m_children.begin(), m_children.end(), child);
    if (at == m_children.end()) return;
    m_children.erase(at);
    if (m_itemsChild == child) removeMaximisedItems();
    if (m_active == child) {
        m_active = nullptr;
        for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (c != child && IsWindowVisible(c) && (GetWindowLongPtr(c, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
                activate(c);
                break;
            }
    }
    renumber();
    refreshWindowMenu();
    syncFrameTitle();
    updateScrollBars();
}

void MdiClient::childChanged(HWND child) {
    if (GetParent(child) != m_hwnd || m_activating) return;
    if (child == m_active && IsIconic(child)) {
        // A minimised active child gives way to the next child that is not minimised.
        for (HWND c = GetWindow(m_hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (c != child && IsWindowVisible(c) && !IsIconic(c) &&
                (GetWindowLongPtr(c, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
                activate(c);
                return;
            }
    }
    syncMaximisedItems();
    syncFrameTitle();
    refreshWindowMenu();
    updateScrollBars();
}

bool MdiClient::windowListCommand(UINT id) {
    if (id < m_firstId || id > m_firstId + kListedWindows) return false;
    std::vector<HWND> shown;
    for (HWND c : children())
        if (IsWindowVisible(c)) shown.push_back(c);
    std::size_t k = id - m_firstId;
    if (k == kListedWindows) {
        if (shown.size() <= kListedWindows) return false;
        HWND chosen = chooseWindow(frame(), shown);
        if (chosen)
            k = static_cast<std::size_t>(std::find(shown.begin(), shown.end(), chosen) - shown.begin());
        else
            return true;
    }
    if (k >= shown.size()) return false;
    HWND child = shown[k];
    if (IsIconic(child)) ShowWindow(child, SW_RESTORE);
    activate(child);
    return true;
}

void MdiClient::size() {
    RECT area = clientRect();
    for (HWND c : children()) {
        if (!IsZoomed(c)) continue;
        RECT r = area;
        AdjustWindowRectEx(&r,
                           static_cast<DWORD>(GetWindowLongPtr(c, GWL_STYLE)) &
                               ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL),
                           FALSE, static_cast<DWORD>(GetWindowLongPtr(c, GWL_EXSTYLE)));
        SetWindowPos(c, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    arrangeIcons();
}

void MdiClient::paint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hwnd, &ps);
    EndPaint(m_hwnd, &ps);
}

LRESULT MdiClient::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto child = reinterpret_cast<HWND>(wParam);
    switch (msg) {
    case WM_MDICREATE:
        return create(reinterpret_cast<const MDICREATESTRUCT*>(lParam));
    case WM_MDIDESTROY:
        destroyChild(child);
        return 0;
    case WM_MDIACTIVATE:
        if (IsWindow(child) && GetParent(child) == m_hwnd) activate(child);
        return 0;
    case WM_MDINEXT:
        next(child, lParam != 0);
        return 0;
    case WM_MDIMAXIMIZE:
        if (IsWindow(child) && GetParent(child) == m_hwnd) ShowWindow(child, SW_SHOWMAXIMIZED);
        return 0;
    case WM_MDIRESTORE:
        if (IsWindow(child) && GetParent(child) == m_hwnd) ShowWindow(child, SW_RESTORE);
        return 0;
    case WM_MDIGETACTIVE:
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = maximised() ? TRUE : FALSE;
        return reinterpret_cast<LRESULT>(IsWindow(m_active) ? m_active : nullptr);
    case WM_MDICASCADE:
        cascade(static_cast<UINT>(wParam));
        return TRUE;
    case WM_MDITILE:
        tile(static_cast<UINT>(wParam));
        return TRUE;
    case WM_MDIICONARRANGE:
        arrangeIcons();
        return 0;
    case WM_MDISETMENU: {
        HMENU old = GetMenu(frame());
        setMenus(reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU:
        refreshWindowMenu();
        return reinterpret_cast<LRESULT>(GetMenu(frame()));
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY) forget(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CREATE:
        updateScrollBars();
        return defaultProc(msg, wParam, lParam);
    case WM_SIZE:
        size();
        updateScrollBars();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        scroll(msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_SETFOCUS:
        if (IsWindow(m_active) && IsWindowVisible(m_active) && !IsIconic(m_active)) SetFocus(m_active);
        return 0;
    case WM_ERASEBKGND: {
        RECT rc = clientRect();
        FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
        return 1;
    }
    case WM_PAINT:
        paint();
        return 0;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

void registerMdiClientClass() {
    ctl::registerControlClass("MDICLIENT", ctl::controlProc<MdiClient>, 0, IDC_ARROW);
}

} // namespace pm::mdi

// The class exists without anyone registering it; kept linked by the build (pm_library STARTUP).
extern "C" const bool pm_win_mdi_startup =
    (pm::wm::addSystemClassProvider(pm::mdi::registerMdiClientClass), true);
