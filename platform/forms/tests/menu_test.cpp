#include "platform/forms/form.h"
#include "platform/forms/menu.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A tray-style menu: Show, Drop (checked), a separator, a hidden item, a submenu and an item array.
class MenuForm : public vb::Form {
public:
    MenuForm() : vb::Form("MenuForm", 200, 120, vb::FormBorderStyle::None) {
        traymenu.add("Show", "&Show").Click = [this](int) { log.push_back("Show_Click"); };
        vb::Menu& drop = traymenu.add("Drop", "Drop to clipboard");
        drop.Checked = true;
        drop.Click = [this](int) { log.push_back("Drop_Click"); };
        traymenu.add("Sep1", "-");
        traymenu.add("Hidden", "Hidden").Visible = false;
        vb::Menu& custom = traymenu.add("mnuCustom", "Custom");
        vb::Menu& first = custom.add("mnuCustomItem", "", 0);
        first.Click = [this](int index) { log.push_back("mnuCustomItem_Click " + std::to_string(index)); };
        traymenu.add("Exit", "Exit").Click = [this](int) { log.push_back("Exit_Click"); };
    }
    Log log;
    vb::Menu traymenu{"traymenu"};
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        pm::test::pumpMessages();
    }
    MenuForm form;
};

TEST_F(MenuTest, PopupLeavesOutHiddenItemsAndShowsChecks) {
    std::map<UINT, vb::Menu*> commands;
    HMENU popup = form.traymenu.buildPopup(commands);
    ASSERT_EQ(GetMenuItemCount(popup), 5); // Show, Drop, separator, Custom, Exit
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_NE(GetSubMenu(popup, 3), nullptr);
    char text[64] = {};
    GetMenuString(popup, 4, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Exit");
    DestroyMenu(popup);
}

TEST_F(MenuTest, PopupMenuReturnsAfterTheChosenItemsClick) {
    for (int vk : {VK_DOWN, VK_DOWN, VK_RETURN})
        pm::test::pressKey(form.hWnd(), vk);
    form.PopupMenu(form.traymenu, 10, 10);
    EXPECT_EQ(form.log, (Log{"Drop_Click"}));
}

TEST_F(MenuTest, ItemArraysLoadHiddenCopiesAfterTheirLastElement) {
    vb::Menu& custom = *form.traymenu.item("mnuCustom");
    vb::Menu& added = custom.Load("mnuCustomItem", 1);
    EXPECT_FALSE(added.Visible);
    EXPECT_EQ(added.Index, 1);
    EXPECT_THROW(custom.Load("mnuCustomItem", 1), std::invalid_argument);
    EXPECT_THROW(custom.Load("nothing", 1), std::out_of_range);
    added.Caption = "Sunset";
    added.Visible = true;
    custom.item("mnuCustomItem", 0)->Visible = false;
    std::map<UINT, vb::Menu*> commands;
    HMENU popup = custom.buildPopup(commands);
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    char text[64] = {};
    GetMenuString(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Sunset");
    DestroyMenu(popup);
    for (int vk : {VK_DOWN, VK_RETURN})
        pm::test::pressKey(form.hWnd(), vk);
    form.PopupMenu(custom, 10, 10);
    EXPECT_EQ(form.log, (Log{"mnuCustomItem_Click 1"}));
}

} // namespace
