#include "platform/win/menus/menu_model.h"

#include "platform/win/handle_table.h"
#include "platform/win/handle_accounting.h"
#include "platform/win/menus/menu_loop.h"

#include <algorithm>
#include <cstring>

namespace pm::menus {

namespace {

HandleTable<Menu>& table() {
    static HandleTable<Menu> menus;
    return menus;
}

const bool kMenusCounted = registerHandleKind("menus", [] { return table().liveCount(); });

HMENU handleOf(std::uintptr_t value) {
    return reinterpret_cast<HMENU>(value);
}
std::uintptr_t valueOf(HMENU menu) {
    return reinterpret_cast<std::uintptr_t>(menu);
}

HMENU newMenu(bool popup) {
    installMenuHooks();
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    return handleOf(table().add(std::move(menu)));
}

MenuItem* findByCommand(HMENU handle, UINT id, Menu** owner, int* index, int depth) {
    Menu* menu = menuOf(handle);
    if (!menu || depth > 64) return nullptr;
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        if (item.submenu) {
            if (MenuItem* inner = findByCommand(item.submenu, id, owner, index, depth + 1)) return inner;
            // A popup item is found by command only when it has that id itself.
            if (item.id != id) continue;
        } else if (item.id != id) {
            continue;
        }
        if (owner) *owner = menu;
        if (index) *index = static_cast<int>(i);
        return &item;
    }
    return nullptr;
}

// An item built from the flags of AppendMenu, InsertMenu and ModifyMenu.
MenuItem itemFromFlags(UINT flags, UINT_PTR idOrPopup, LPCSTR content) {
    MenuItem item;
    item.type =
        flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (flags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(idOrPopup);
        item.id = static_cast<UINT>(idOrPopup);
    } else {
        item.id = static_cast<UINT>(idOrPopup);
    }
    if (flags & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(content);
    else if (flags & MF_BITMAP)
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(content));
    else if (!(flags & MF_SEPARATOR) && content)
        item.text = content;
    return item;
}

UINT legacyState(const MenuItem& item) {
    UINT state = item.type | (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT));
    return state & ~static_cast<UINT>(MFT_RADIOCHECK);
}

bool validItemInfo(LPCMENUITEMINFOA info) {
    return info && info->cbSize >= sizeof(MENUITEMINFOA) - sizeof(HBITMAP);
}

void applyInfo(MenuItem& item, const MENUITEMINFOA& info) {
    if (info.fMask & MIIM_FTYPE)
        item.type = (item.type & (MFT_BITMAP | MFT_STRING)) | (info.fType & ~static_cast<UINT>(MFT_BITMAP));
    if (info.fMask & MIIM_TYPE) {
        item.type = info.fType;
        item.text = (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
                        ? info.dwTypeData
                        : "";
        if (info.fType & MFT_BITMAP) item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    }
    if (info.fMask & MIIM_STRING) item.text = info.dwTypeData ? info.dwTypeData : "";
    if (info.fMask & MIIM_STATE) item.state = info.fState;
    if (info.fMask & MIIM_ID) item.id = info.wID;
    if (info.fMask & MIIM_SUBMENU) item.submenu = info.hSubMenu;
    if (info.fMask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info.hbmpChecked;
        item.uncheckedBitmap = info.hbmpUnchecked;
    }
    if (info.fMask & MIIM_DATA) item.data = info.dwItemData;
    if (info.fMask & MIIM_BITMAP) item.bitmap = info.hbmpItem;
}

BOOL insertAt(HMENU handle, UINT position, UINT flags, MenuItem item) {
    Menu* menu = menuOf(handle);
    if (!menu) return FALSE;
    std::size_t at = menu->items.size();
    if (flags & MF_BYPOSITION) {
        if (position != static_cast<UINT>(-1)) at = std::min<std::size_t>(position, menu->items.size());
    } else {
        Menu* owner = nullptr;
        int index = 0;
        if (findItem(handle, position, MF_BYCOMMAND, &owner, &index)) {
            owner->items.insert(owner->items.begin() + index, std::move(item));
            return TRUE;
        }
    }
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL removeItem(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
    Menu* owner = nullptr;
    int index = 0;
    MenuItem* item = findItem(handle, position, flags, &owner, &index);
    if (!item) return FALSE;
    HMENU submenu = item->submenu;
    owner->items.erase(owner->items.begin() + index);
    if (destroySubmenu && submenu) DestroyMenu(submenu);
    return TRUE;
}

} // namespace

Menu* menuOf(HMENU menu) {
    return table().get(valueOf(menu));
}

MenuItem* findItem(HMENU handle, UINT item, UINT flags, Menu** owner, int* index) {
    Menu* menu = menuOf(handle);
    if (!menu) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->items.size()) return nullptr;
        if (owner) *owner = menu;
        if (index) *index = static_cast<int>(item);
        return &menu->items[item];
    }
    return findByCommand(handle, item, owner, index, 0);
}

} // namespace pm::menus

using namespace pm::menus;

HMENU CreateMenu() {
    return newMenu(false);
}

HMENU CreatePopupMenu() {
    return newMenu(true);
}

BOOL IsMenu(HMENU menu) {
    return menuOf(menu) != nullptr;
}

BOOL DestroyMenu(HMENU menu) {
    std::unique_ptr<Menu> gone = table().remove(valueOf(menu));
    if (!gone) return FALSE;
    for (MenuItem& item : gone->items)
        if (item.submenu) DestroyMenu(item.submenu);
    return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR content) {
    return insertAt(menu, static_cast<UINT>(-1), MF_BYPOSITION, itemFromFlags(flags, idOrPopup, content));
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR content) {
    return insertAt(menu, position, flags, itemFromFlags(flags, idOrPopup, content));
}

// Replaces the item's kind, state, id and content; the item data stays unless the new item is
// owner-drawn (whose content is its data).
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR content) {
    MenuItem* item = findItem(menu, position, flags);
    if (!item) return FALSE;
    MenuItem fresh = itemFromFlags(flags, idOrPopup, content);
    if (!(flags & MF_OWNERDRAW)) fresh.data = item->data;
    if (!(flags & MF_POPUP) && item->submenu && fresh.submenu == nullptr) DestroyMenu(item->submenu);
    fresh.checkedBitmap = item->checkedBitmap;
    fresh.uncheckedBitmap = item->uncheckedBitmap;
    *item = std::move(fresh);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return removeItem(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return removeItem(menu, position, flags, false);
}

int GetMenuItemCount(HMENU menu) {
    Menu* m = menuOf(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    MenuItem* item = findItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (!item || item->submenu) return static_cast<UINT>(-1);
    return item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    MenuItem* item = findItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return item ? item->submenu : nullptr;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int max, UINT flags) {
    MenuItem* found = findItem(menu, item, flags);
    if (!found) return 0;
    int len = static_cast<int>(found->text.size());
    if (!text || max <= 0) return len;
    int n = std::min(len, max - 1);
    std::memcpy(text, found->text.data(), static_cast<std::size_t>(n));
    text[n] = '\0';
    return n;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    MenuItem* found = findItem(menu, item, flags);
    if (!found) return static_cast<UINT>(-1);
    UINT state = legacyState(*found);
    if (found->submenu)
        return (static_cast<UINT>(GetMenuItemCount(found->submenu)) << 8) | (state & 0xFF) | MF_POPUP;
    return state;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    MenuItem* found = findItem(menu, item, check);
    if (!found) return static_cast<DWORD>(-1);
    DWORD previous = found->state & MF_CHECKED;
    found->state = (found->state & ~static_cast<UINT>(MF_CHECKED)) | (check & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    Menu* owner = nullptr;
    int firstIndex = 0, lastIndex = 0, checkIndex = 0;
    if (!findItem(menu, first, flags, &owner, &firstIndex)) return FALSE;
    Menu* other = nullptr;
    if (!findItem(menu, last, flags, &other, &lastIndex) || other != owner) return FALSE;
    if (!findItem(menu, check, flags, &other, &checkIndex) || other != owner) return FALSE;
    if (firstIndex > lastIndex) std::swap(firstIndex, lastIndex);
    for (int i = firstIndex; i <= lastIndex; ++i) {
        MenuItem& item = owner->items[static_cast<std::size_t>(i)];
        if (item.submenu || (item.type & MFT_SEPARATOR)) continue;
        if (i == checkIndex) {
            item.type |= MFT_RADIOCHECK;
            item.state |= MFS_CHECKED;
        } else {
            item.state &= ~static_cast<UINT>(MFS_CHECKED);
        }
    }
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    MenuItem* found = findItem(menu, item, enable);
    if (!found) return -1;
    UINT previous = found->state & (MF_GRAYED | MF_DISABLED);
    found->state =
        (found->state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

BOOL HiliteMenuItem(HWND, HMENU menu, UINT item, UINT hilite) {
    MenuItem* found = findItem(menu, item, hilite);
    if (!found) return FALSE;
    found->state = (found->state & ~static_cast<UINT>(MF_HILITE)) | (hilite & MF_HILITE);
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
    Menu* m = menuOf(menu);
    if (!m) return FALSE;
    MenuItem* chosen = nullptr;
    if (item != static_cast<UINT>(-1)) {
        // Only the menu's own items can be its default.
        Menu* owner = nullptr;
        chosen = findItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &owner);
        if (!chosen || owner != m) return FALSE;
    }
    for (MenuItem& i : m->items)
        i.state &= ~static_cast<UINT>(MFS_DEFAULT);
    if (chosen) chosen->state |= MFS_DEFAULT;
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
    Menu* m = menuOf(menu);
    if (!m) return static_cast<UINT>(-1);
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (!(item.state & MFS_DEFAULT)) continue;
        if ((item.state & MFS_GRAYED) && !(flags & GMDI_USEDISABLED)) return static_cast<UINT>(-1);
        if (item.submenu && (flags & GMDI_GOINTOPOPUPS)) {
            UINT inner = GetMenuDefaultItem(item.submenu, byPosition, flags);
            if (inner != static_cast<UINT>(-1)) return inner;
        }
        return byPosition ? static_cast<UINT>(i) : item.id;
    }
    return static_cast<UINT>(-1);
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
    if (!validItemInfo(info)) return FALSE;
    MenuItem* found = findItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!found) return FALSE;
    UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = found->type;
    if (mask & MIIM_STATE) info->fState = found->state;
    if (mask & MIIM_ID) info->wID = found->id;
    if (mask & MIIM_SUBMENU) info->hSubMenu = found->submenu;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = found->checkedBitmap;
        info->hbmpUnchecked = found->uncheckedBitmap;
    }
    if (mask & MIIM_DATA) info->dwItemData = found->data;
    if (mask & MIIM_BITMAP) info->hbmpItem = found->bitmap;
    if (mask & (MIIM_TYPE | MIIM_STRING)) {
        if ((mask & MIIM_TYPE) && (found->type & MFT_BITMAP)) {
            info->dwTypeData = reinterpret_cast<LPSTR>(found->bitmap);
        } else if (info->dwTypeData && info->cch > 0) {
            UINT n = std::min<UINT>(static_cast<UINT>(found->text.size()), info->cch - 1);
            std::memcpy(info->dwTypeData, found->text.data(), n);
            info->dwTypeData[n] = '\0';
            info->cch = n;
        } else {
            info->cch = static_cast<UINT>(found->text.size());
        }
    }
    return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!validItemInfo(info)) return FALSE;
    MenuItem* found = findItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!found) return FALSE;
    applyInfo(*found, *info);
    return TRUE;
}

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!validItemInfo(info)) return FALSE;
    MenuItem fresh;
    applyInfo(fresh, *info);
    return insertAt(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, std::move(fresh));
}

DWORD GetMenuContextHelpId(HMENU menu) {
    Menu* m = menuOf(menu);
    return m ? m->helpId : 0;
}

BOOL SetMenuContextHelpId(HMENU menu, DWORD id) {
    Menu* m = menuOf(menu);
    if (!m) return FALSE;
    m->helpId = id;
    return TRUE;
}
