#include "platform/win/winmenu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string textOf(HMENU menu, UINT item, UINT flags) {
    char buf[64] = {};
    GetMenuString(menu, item, buf, sizeof buf, flags);
    return buf;
}

// File(New 100, Open 101, ---, Recent > (Clear 200)), Edit(Undo 300)
struct Fixture {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    HMENU edit = CreatePopupMenu();
    Fixture() {
        AppendMenu(recent, MF_STRING, 200, "&Clear");
        AppendMenu(file, MF_STRING, 100, "&New");
        AppendMenu(file, MF_STRING | MF_GRAYED, 101, "&Open");
        AppendMenu(file, MF_SEPARATOR, 0, nullptr);
        AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenu(edit, MF_STRING | MF_CHECKED, 300, "&Undo");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    }
    ~Fixture() { DestroyMenu(bar); }
};

} // namespace

TEST(MenuModel, ItemsByPositionAndByCommandThroughSubmenus) {
    Fixture f;
    EXPECT_EQ(GetMenuItemCount(f.bar), 2);
    EXPECT_EQ(GetMenuItemCount(f.file), 4);
    EXPECT_EQ(GetSubMenu(f.bar, 0), f.file);
    EXPECT_EQ(GetMenuItemID(f.file, 1), 101u);
    EXPECT_EQ(GetMenuItemID(f.file, 3), static_cast<UINT>(-1)); // a submenu item
    EXPECT_EQ(GetMenuItemID(f.file, 9), static_cast<UINT>(-1));
    EXPECT_EQ(textOf(f.bar, 200, MF_BYCOMMAND), "&Clear"); // found inside a submenu's submenu
    EXPECT_EQ(textOf(f.file, 3, MF_BYPOSITION), "&Recent");
    EXPECT_EQ(GetMenuString(f.file, 100, nullptr, 0, MF_BYCOMMAND), 4);
    EXPECT_EQ(GetMenuState(f.bar, 101, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(f.file, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(f.file, 3, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(f.bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(MenuModel, ChecksEnablesAndRadioGroups) {
    Fixture f;
    EXPECT_EQ(CheckMenuItem(f.bar, 300, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(f.bar, 300, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(f.bar, 999, MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(f.file, 1, MF_BYPOSITION | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(GetMenuState(f.file, 101, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(EnableMenuItem(f.file, 999, MF_GRAYED), -1);
    EXPECT_TRUE(CheckMenuRadioItem(f.file, 0, 1, 1, MF_BYPOSITION));
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfo(f.file, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    GetMenuItemInfo(f.file, 0, TRUE, &info);
    EXPECT_FALSE(info.fState & MFS_CHECKED);
}

TEST(MenuModel, ModifyKeepsItemDataDeleteDestroysSubmenusRemoveDoesNot) {
    Fixture f;
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = 0xBEEF;
    ASSERT_TRUE(SetMenuItemInfo(f.file, 100, FALSE, &info));
    ASSERT_TRUE(ModifyMenu(f.file, 100, MF_BYCOMMAND | MF_STRING, 150, "&Fresh"));
    info.dwItemData = 0;
    GetMenuItemInfo(f.file, 0, TRUE, &info);
    EXPECT_EQ(info.dwItemData, 0xBEEFu);
    EXPECT_EQ(GetMenuItemID(f.file, 0), 150u);
    EXPECT_EQ(textOf(f.file, 0, MF_BYPOSITION), "&Fresh");

    ASSERT_TRUE(RemoveMenu(f.bar, 1, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(f.edit));
    DestroyMenu(f.edit);
    ASSERT_TRUE(DeleteMenu(f.file, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(f.recent));
    EXPECT_FALSE(DeleteMenu(f.file, 3, MF_BYPOSITION));
}

TEST(MenuModel, InsertItemInfoDefaultsAndStaleHandles) {
    HMENU menu = CreatePopupMenu();
    char text[] = "Second";
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
    info.wID = 2;
    info.fState = MFS_DEFAULT;
    info.dwTypeData = text;
    ASSERT_TRUE(InsertMenuItem(menu, 0, TRUE, &info));
    InsertMenu(menu, 0, MF_BYPOSITION | MF_STRING, 1, "First");
    EXPECT_EQ(textOf(menu, 0, MF_BYPOSITION), "First");
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 2u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 1u);
    EXPECT_TRUE(SetMenuDefaultItem(menu, static_cast<UINT>(-1), FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));

    char small[4] = {};
    MENUITEMINFO get{};
    get.cbSize = sizeof get;
    get.fMask = MIIM_STRING;
    get.dwTypeData = small;
    get.cch = sizeof small;
    GetMenuItemInfo(menu, 1, FALSE, &get);
    EXPECT_STREQ(small, "Fir"); // cut to the buffer
    EXPECT_EQ(get.cch, 3u);

    ASSERT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
    EXPECT_FALSE(DestroyMenu(menu));
}
