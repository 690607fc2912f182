#pragma once
// The data behind HMENU handles, for the parts of the window system that show menus.

#include "platform/win/winmenu.h"

#include <string>
#include <vector>

namespace pm::menus {

struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP bitmap = nullptr;
    ULONG_PTR data = 0;
    std::string text;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
    DWORD helpId = 0;
};

// The menu of a live handle, or nullptr.
Menu* menuOf(HMENU menu);

// The item that (menu, item, flags) names: by position, or by command searched depth first through
// submenus. Sets *owner to the menu that holds it.
MenuItem* findItem(HMENU menu, UINT item, UINT flags, Menu** owner = nullptr, int* index = nullptr);

} // namespace pm::menus
