#pragma once
// Sizes and drawing of menu items, shared by popup menus and the window menu bar. Private to
// platform/win.

#include "platform/win/winmenu.h"
#include "platform/win/wingdi.h"
#include "platform/win/winuser.h"

#include <vector>

namespace pm::menus {

// The font menus draw their texts with.
HFONT menuFont();

// Width of a popup menu's border, each side.
constexpr int kPopupBorder = 3;

// Item rectangles of a popup menu in its window's coordinates and the window size. Owner-drawn
// items are measured by the owner (WM_MEASUREITEM).
struct PopupLayout {
    std::vector<RECT> items;
    SIZE size{0, 0};
};
PopupLayout layoutPopup(HMENU menu, HWND owner);

// Item rectangles of a menu bar of the given width, relative to the bar's top-left corner, and
// the bar's height (one row or more).
struct BarLayout {
    std::vector<RECT> items;
    int height = 0;
};
BarLayout layoutBar(HMENU menu, int width);

// Draws a popup menu: its frame and every item; selected is an index or -1.
void paintPopup(HDC dc, HMENU menu, const PopupLayout& layout, int selected, HWND owner);
// Draws a menu bar into `bar`; selected is an index or -1, open tells whether its popup shows.
void paintBar(HDC dc, HMENU menu, const RECT& bar, int selected, bool open);

// The item whose text carries the mnemonic ch ('&' prefix), searching after `after`; -1 for none.
// *count receives how many items carry it.
int findMnemonic(HMENU menu, char ch, int after, int* count);

// Whether an item can be selected (not a separator) and chosen (also not grayed or disabled).
bool selectable(HMENU menu, int index);
bool choosable(HMENU menu, int index);

} // namespace pm::menus
