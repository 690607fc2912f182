// The MDI client's part in the frame's menus: the window list at the end of the window menu, and
// a maximised child's system-menu icon and caption buttons in the frame's menu bar.

#include "platform/win/mdi/mdi_client.h"

#include <cstdio>

namespace pm::mdi {
namespace {

std::string windowText(HWND hwnd) {
    char text[512] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

struct ItemFacts {
    UINT type = 0;
    UINT id = 0;
    HBITMAP bitmap = nullptr;
};

bool itemFacts(HMENU menu, int pos, ItemFacts& facts) {
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_BITMAP;
    if (!GetMenuItemInfo(menu, static_cast<UINT>(pos), TRUE, &info)) return false;
    facts.type = info.fType;
    facts.id = info.wID;
    facts.bitmap = info.hbmpItem;
    return true;
}

bool isCaptionButton(const ItemFacts& f) {
    return (f.type & MFT_BITMAP) && (f.id == SC_MINIMIZE || f.id == SC_RESTORE || f.id == SC_CLOSE);
}

} // namespace

void MdiClient::setMenus(HMENU frameMenu, HMENU windowMenu) {
    removeWindowList();
    removeMaximisedItems();
    if (frameMenu && IsMenu(frameMenu) && frameMenu != GetMenu(frame())) SetMenu(frame(), frameMenu);
    if (windowMenu && IsMenu(windowMenu)) m_windowMenu = windowMenu;
    syncMaximisedItems();
    refreshWindowMenu();
}

void MdiClient::removeWindowList() {
    if (!m_listed) return;
    m_listed = false;
    if (!IsMenu(m_windowMenu)) return;
    int first = -1;
    for (int pos = GetMenuItemCount(m_windowMenu) - 1; pos >= 0; --pos) {
        UINT id = GetMenuItemID(m_windowMenu, pos);
        if (id == static_cast<UINT>(-1) || id < m_firstId || id > m_firstId + kListedWindows) continue;
        RemoveMenu(m_windowMenu, static_cast<UINT>(pos), MF_BYPOSITION);
        first = pos;
    }
    // The separator put before the list.
    if (first > 0 && first == GetMenuItemCount(m_windowMenu) &&
        (GetMenuState(m_windowMenu, static_cast<UINT>(first - 1), MF_BYPOSITION) & MF_SEPARATOR))
        RemoveMenu(m_windowMenu, static_cast<UINT>(first - 1), MF_BYPOSITION);
}

void MdiClient::refreshWindowMenu() {
    removeWindowList();
    if (!m_windowMenu || !IsMenu(m_windowMenu)) return;
    std::vector<HWND> shown;
    for (HWND c : children())
        if (IsWindowVisible(c)) shown.push_back(c);
    if (shown.empty()) return;
    AppendMenu(m_windowMenu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < shown.size() && i < kListedWindows; ++i) {
        std::string text = "&" + std::to_string(i + 1) + " " + windowText(shown[i]);
        UINT flags = MF_STRING | (shown[i] == m_active ? MF_CHECKED : MF_UNCHECKED);
        AppendMenu(m_windowMenu, flags, m_firstId + i, text.c_str());
    }
    if (shown.size() > kListedWindows)
        AppendMenu(m_windowMenu, MF_STRING, m_firstId + kListedWindows, "&More Windows...");
    m_listed = true;
}

void MdiClient::syncMaximisedItems() {
    HMENU menu = GetMenu(frame());
    HWND child = maximised() && menu ? m_active : nullptr;
    if (child == m_itemsChild && (child ? menu : nullptr) == m_itemsMenu) return;
    removeMaximisedItems();
    if (child) addMaximisedItems(menu, child);
    DrawMenuBar(frame());
}

void MdiClient::addMaximisedItems(HMENU menu, HWND child) {
    HMENU system = GetSystemMenu(child, FALSE);
    InsertMenu(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(system),
               reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
    MENUITEMINFO data{};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    data.dwItemData = reinterpret_cast<ULONG_PTR>(child);
    SetMenuItemInfo(menu, 0, TRUE, &data);
    bool minimisable = GetWindowLongPtr(child, GWL_STYLE) & WS_MINIMIZEBOX;
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY | (minimisable ? MF_ENABLED : MF_GRAYED), SC_MINIMIZE,
               reinterpret_cast<LPCSTR>(minimisable ? HBMMENU_MBAR_MINIMIZE : HBMMENU_MBAR_MINIMIZE_D));
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY, SC_RESTORE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY, SC_CLOSE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_CLOSE));
    m_itemsMenu = menu;
    m_itemsChild = child;
}

// Removes (never destroys: the popup is the child's system menu) the items addMaximisedItems put.
void MdiClient::removeMaximisedItems() {
    HMENU menu = m_itemsMenu;
    m_itemsMenu = nullptr;
    m_itemsChild = nullptr;
    if (!menu || !IsMenu(menu)) return;
    ItemFacts f;
    for (int pos = GetMenuItemCount(menu) - 1; pos >= 0 && itemFacts(menu, pos, f) && isCaptionButton(f);
         --pos)
        RemoveMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    if (itemFacts(menu, 0, f) && (f.type & MFT_BITMAP) && f.bitmap == HBMMENU_SYSTEM)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    if (IsWindow(frame())) DrawMenuBar(frame());
}

void MdiClient::syncFrameTitle() {
    HWND f = frame();
    if (!IsWindow(f)) return;
    std::string text;
    if (maximised()) {
        text = m_frameTitle + " - [" + windowText(m_active) + "]";
        m_titleComposed = true;
    } else if (m_titleComposed) {
        text = m_frameTitle;
        m_titleComposed = false;
    } else {
        return;
    }
    if (windowText(f) != text) DefWindowProc(f, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace pm::mdi
