#include "colourtool/app/named_colors_form.h"
#include "colourtool/core/named_colors.h"

#include "support/fake_main_window.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

class NamedColorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (namedColors().count() == 0) Globals_LoadNamedColors();
        main.window().Show();
        dialog = &NamedColors::open();
        pumpMessages();
    }
    void TearDown() override { NamedColors::destroy(); }

    FakeMainWindow main;
    NamedColors* dialog = nullptr;
};

TEST_F(NamedColorsTest, OpensSortedWithTheFirstNameSelectedAndShown) {
    EXPECT_EQ(dialog->Caption(), "Chose named color");
    EXPECT_EQ(dialog->List.ListCount(), 139);
    EXPECT_EQ(dialog->List.Text(), "Aliceblue");
    EXPECT_EQ(dialog->Preview.BackColor(), RGB(0xF0, 0xF8, 0xFF));
    EXPECT_TRUE(IsWindowVisible(dialog->hWnd()));
    // Centred over the main window.
    vb::Form& m = main.window();
    EXPECT_EQ(dialog->Left(), m.Left() + m.Width() / 2 - dialog->Width() / 2);
    EXPECT_EQ(dialog->Top(), m.Top() + m.Height() / 2 - dialog->Height() / 2);
    EXPECT_FALSE(dialog->TopMost());
}

TEST_F(NamedColorsTest, TypingSelectsTheFirstNameBeginningWithTheText) {
    const struct {
        const char* typed;
        const char* selected;
        COLORREF shown;
    } cases[] = {
        {"dark", "Darkblue", RGB(0, 0, 0x8B)},          {"DARKO", "Darkolivegreen", RGB(0x55, 0x6B, 0x2F)},
        {"x", "Darkolivegreen", RGB(0x55, 0x6B, 0x2F)}, // no match: the selection stays
        {"darkorange", "Darkorange", RGB(255, 140, 0)}, {"yellow", "Yellow", RGB(255, 255, 0)},
        {"", "Aliceblue", RGB(0xF0, 0xF8, 0xFF)},
    };
    for (const auto& c : cases) {
        dialog->ListX.SetText(c.typed);
        EXPECT_EQ(dialog->List.Text(), c.selected) << c.typed;
        EXPECT_EQ(dialog->Preview.BackColor(), c.shown) << c.typed;
    }
}

TEST_F(NamedColorsTest, TheTwoLimesStandTogetherAndShowTheSameColour) {
    dialog->ListX.SetText("lime");
    int first = dialog->List.ListIndex();
    EXPECT_EQ(dialog->List.List(first + 1), "Lime");
    for (int index : {first, first + 1}) {
        dialog->List.SetListIndex(index);
        EXPECT_EQ(dialog->Preview.BackColor(), RGB(0, 255, 0));
    }
}

// Opened, the dialog has the keys in its list: the arrows move through the names at once.
TEST_F(NamedColorsTest, TheListHasTheKeysAsTheDialogOpens) {
    EXPECT_EQ(GetFocus(), dialog->List.hWnd());
    pm::test::pressKey(dialog->hWnd(), VK_DOWN);
    pm::test::pressKey(dialog->hWnd(), VK_DOWN);
    pumpMessages();
    EXPECT_EQ(dialog->List.Text(), "Aqua");
    EXPECT_EQ(dialog->Preview.BackColor(), RGB(0, 255, 255));
}

TEST_F(NamedColorsTest, KeysTypeAndTheButtonsChoseAndClose) {
    dialog->ListX.SetFocus();
    pm::test::typeText(dialog->hWnd(), "tom");
    pumpMessages();
    EXPECT_EQ(dialog->List.Text(), "Tomato");
    pm::test::pressKey(dialog->hWnd(), VK_RETURN); // "&Chose" is the default button
    pumpMessages();
    ASSERT_EQ(main.applied.size(), 1u);
    EXPECT_EQ(main.working, (Rgb{255, 99, 71}));
    EXPECT_TRUE(dialog->Loaded());

    dialog->List.SetListIndex(dialog->List.ListIndex() + 1);
    pm::test::pressKey(dialog->hWnd(), 'H', false, false, true); // "C&hose n Close"
    pumpMessages();
    ASSERT_EQ(main.applied.size(), 2u);
    EXPECT_EQ(main.working, (Rgb{0x40, 0xE0, 0xD0})); // Turquoise follows Tomato
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_FALSE(IsWindowVisible(dialog->hWnd()));

    // A new opening lists the table anew and selects its first name.
    main.onTop = true;
    NamedColors& again = NamedColors::open();
    EXPECT_EQ(&again, dialog);
    EXPECT_EQ(again.List.Text(), "Aliceblue");
    EXPECT_EQ(again.ListX.Text(), "");
    EXPECT_EQ(again.List.ListCount(), 139);
    EXPECT_TRUE(again.TopMost());
    pm::test::pressKey(again.hWnd(), VK_ESCAPE); // "C&lose" is the cancel button
    pumpMessages();
    EXPECT_FALSE(again.Loaded());
    EXPECT_EQ(main.applied.size(), 2u);
}

TEST_F(NamedColorsTest, Picture) {
    dialog->ListX.SetText("Mediumsea");
    pumpMessages();
    EXPECT_TRUE(
        pm::test::saveWindowPng(dialog->hWnd(), pm::test::outputFolder() + "/tintara_named_colors.png"));
}

} // namespace
