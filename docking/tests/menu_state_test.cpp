// Menus kept in the profile: the stored tree byte for byte, a round trip, damaged or foreign data
// leaving the menu as it is, long texts cut, and a customised menu coming back after a restart.

#include "docking/tests/support/menu_frame.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace docktest;
using Bytes = std::vector<BYTE>;

namespace {

const char* const kDefaultSection = "Menu_Default~!@#$#$%^";

class MenuState : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override { setUp(); }
    void TearDown() override {
        for (HMENU m : extra)
            ::DestroyMenu(m);
        tearDown();
    }
    CDKMenuBar& bar() { return frame->m_wndMenuBar; }
    Bytes store(HMENU m) {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store);
        bar().StoreMenu(m, ar);
        ar.Close();
        auto size = static_cast<size_t>(file.GetLength());
        BYTE* data = file.Detach();
        Bytes bytes(data, data + size);
        std::free(data);
        return bytes;
    }
    // Item texts, depth first, submenus in brackets.
    static std::string describe(HMENU m) {
        std::string s;
        for (int i = 0; i < ::GetMenuItemCount(m); ++i) {
            char text[300] = {};
            ::GetMenuStringA(m, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            s += text[0] ? text : "-";
            if (HMENU sub = ::GetSubMenu(m, i)) s += "[" + describe(sub) + "]";
            if (i + 1 < ::GetMenuItemCount(m)) s += ",";
        }
        return s;
    }
    HMENU smallMenu() {
        HMENU top = ::CreateMenu();
        HMENU sub = ::CreatePopupMenu();
        ::AppendMenu(sub, MF_STRING, 5, "B\tC");
        ::AppendMenu(sub, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(top, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&A");
        extra.push_back(top);
        return top;
    }
    std::vector<HMENU> extra;
};

} // namespace

TEST_F(MenuState, TheTreeIsStoredInItsByteLayout) {
    Bytes expected{1, 0, 0, 0,                                                        // one item
                   0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, '&', 'A',       // popup "&A"
                   2, 0, 0, 0,                                                        // its two items
                   0, 0, 0, 0, 0, 0, 0, 0, 5,    0,    0,    0,    3, 'B', '\t', 'C', // command 5
                   0, 8, 0, 0, 0, 0, 0, 0, 0,    0,    0,    0,    0};                // separator
    EXPECT_EQ(store(smallMenu()), expected);
}

TEST_F(MenuState, ALongTextIsStoredWith255Characters) {
    HMENU m = ::CreatePopupMenu();
    extra.push_back(m);
    ::AppendMenu(m, MF_STRING, 7, std::string(300, 'x').c_str());
    Bytes bytes = store(m);
    // 255 characters take the long length form: 0xFF and a 16-bit length.
    ASSERT_EQ(bytes.size(), 4u + 12u + 3u + 255u);
    EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.begin() + 19), (Bytes{0xFF, 255, 0}));
}

TEST_F(MenuState, SavedAndLoadedMenusMatchAndTheFrameHearsOfBoth) {
    HMENU saved = smallMenu();
    ASSERT_TRUE(bar().SaveMenuState(saved, "CNoteDoc"));
    EXPECT_EQ(app->GetProfileInt("Menu_CNoteDoc", "MenuDataSize", -1),
              static_cast<UINT>(store(saved).size()));
    HMENU target = ::CreateMenu();
    extra.push_back(target);
    ::AppendMenu(target, MF_STRING, 9, "Old");
    ASSERT_TRUE(bar().LoadMenuState(target, "CNoteDoc"));
    EXPECT_EQ(describe(target), describe(saved));
    EXPECT_EQ(::GetMenuItemID(::GetSubMenu(target, 0), 0), 5u);
    EXPECT_EQ(frame->m_log, (std::vector<std::string>{"saved Menu_CNoteDoc", "loaded Menu_CNoteDoc"}));
    // Nothing stored: the menu stays and the frame still hears of the load.
    frame->m_log.clear();
    ASSERT_TRUE(bar().LoadMenuState(target, "CNothing"));
    EXPECT_EQ(describe(target), describe(saved));
    EXPECT_EQ(frame->m_log, std::vector<std::string>{"loaded Menu_CNothing"});
}

TEST_F(MenuState, TruncatedOrForeignDataLeavesTheMenuAsItIs) {
    Bytes good = store(smallMenu());
    std::vector<Bytes> damaged;
    for (size_t n = 0; n < good.size(); ++n)
        damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(n));
    damaged.push_back(Bytes{0xFF, 0xFF, 0xFF, 0x7F});                         // two billion items
    damaged.push_back(Bytes{1, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 1, 0, 0, 0}); // has-submenu 7
    damaged.push_back(
        Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    HMENU target = makeTestMenu();
    extra.push_back(target);
    const std::string before = describe(target);
    for (const Bytes& data : damaged) {
        SCOPED_TRACE(data.size());
        app->WriteProfileBinary("Menu_CBroken", "MenuItems", const_cast<BYTE*>(data.data()),
                                static_cast<UINT>(data.size()));
        app->WriteProfileInt("Menu_CBroken", "MenuDataSize", static_cast<int>(data.size()));
        ASSERT_TRUE(bar().LoadMenuState(target, "CBroken"));
        EXPECT_EQ(describe(target), before);
    }
}

TEST_F(MenuState, ADeletedTopLevelItemStaysDeletedAfterARestart) {
    ASSERT_TRUE(bar().DeleteButton(1)); // Edit
    EXPECT_EQ(bar().SendMessage(TB_BUTTONCOUNT), 3);
    // The later buttons still stand for their items' positions.
    TBBUTTON third{};
    bar().SendMessage(TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&third));
    EXPECT_EQ(third.idCommand, 3);
    // Leaving the menu saves it under the default name (no document is open).
    HMENU other = smallMenu();
    frame->m_log.clear();
    ASSERT_TRUE(bar().SetMenu(other));
    ASSERT_FALSE(frame->m_log.empty());
    EXPECT_EQ(frame->m_log.front(), std::string("saved ") + kDefaultSection);
    bar().SetMenu(nullptr);
    recreateFrame();
    EXPECT_EQ(describe(bar().GetMenu()),
              "&File[&New\tCtrl+N,&Open...,-,E&xit],Find && Replace[&Find...],&Help[&About]");
    EXPECT_EQ(bar().SendMessage(TB_BUTTONCOUNT), 3);
    EXPECT_STREQ(bar().GetButtonText(1), "Find && Replace");
}
