#include "colourtool/app/brightness.h"

#include "support/fake_main_window.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

COLORREF rgb(int r, int g, int b) {
    return static_cast<COLORREF>(colourValue(Rgb{r, g, b}));
}

class BrightnessTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.window().Show();
        dialog = &Brightness::open();
        pumpMessages();
        // The tests run the ticks themselves.
        dialog->Timer1.SetEnabled(false);
    }
    void TearDown() override { Brightness::destroy(); }
    void offsets(const char* bright, const char* red, const char* green, const char* blue) {
        dialog->Bright.SetText(bright);
        dialog->Red.SetText(red);
        dialog->Green.SetText(green);
        dialog->Blue.SetText(blue);
    }
    std::string texts() const {
        return dialog->Bright.Text() + " " + dialog->Red.Text() + " " + dialog->Green.Text() + " " +
               dialog->Blue.Text();
    }

    FakeMainWindow main;
    Brightness* dialog = nullptr;
};

TEST(BrightnessArithmetic, ClampingAndRounding) {
    const struct {
        std::int32_t value;
        int byte;
    } clamps[] = {{-1, 0}, {0, 0}, {128, 128}, {255, 255}, {256, 255}, {INT32_MIN, 0}, {INT32_MAX, 255}};
    for (const auto& c : clamps)
        EXPECT_EQ(Brightness_ClampByte(c.value), c.byte) << c.value;
    const struct {
        int base;
        double brightness, offset;
        int adjusted;
    } sums[] = {
        {250, 10, -20, 240}, {250, 10, 0, 255}, {100, 12.5, 0, 112}, {101, 12.5, 0, 114}, {0, -5, 0, 0},
        {10, 0.5, 0, 10},    {11, 0.5, 0, 12},  {0, 1e20, 0, 255},   {200, -1e20, 0, 0},  {7, 0, -7.5, 0},
    };
    for (const auto& c : sums)
        EXPECT_EQ(adjustedComponent(c.base, c.brightness, c.offset), c.adjusted)
            << c.base << " " << c.brightness << " " << c.offset;
}

TEST_F(BrightnessTest, OpensWithZeroOffsetsAndPreviewsTheMainWindowsColours) {
    EXPECT_EQ(dialog->Caption(), "Brightness");
    EXPECT_EQ(texts(), "0 0 0 0");
    EXPECT_EQ(dialog->AffectAll.Value(), 0);
    EXPECT_EQ(dialog->Label1[2].Caption(), "Visited Link");
    EXPECT_EQ(dialog->Label2[0].Caption(), "Brightness:");
    dialog->Timer1_Timer();
    EXPECT_EQ(dialog->Preview.BackColor(), main.samples[kBackgroundSample]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dialog->Label1[i].ForeColor(), main.samples[i]) << i;
}

TEST_F(BrightnessTest, OnlyTheSelectedColourIsAdjustedUnlessAffectAll) {
    main.samples = {rgb(250, 100, 101), rgb(250, 100, 101), rgb(250, 100, 101), rgb(250, 100, 101),
                    rgb(250, 100, 101)};
    const COLORREF base = rgb(250, 100, 101);
    const COLORREF moved = rgb(240, 110, 111);
    const struct {
        int selected;
        int affectAll;
        std::array<bool, 5> changed; // text samples 0-3, background
    } cases[] = {
        {1, 0, {false, true, false, false, false}},
        {kBackgroundSample, 0, {false, false, false, false, true}},
        {3, 1, {true, true, true, true, true}},
        {kNoSample, 0, {false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        main.selected = c.selected;
        dialog->AffectAll.SetValue(c.affectAll);
        offsets("10", "-20", "0", "0");
        dialog->Timer1_Timer();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(dialog->Label1[i].ForeColor(), c.changed[i] ? moved : base) << c.selected << " " << i;
        EXPECT_EQ(dialog->Preview.BackColor(), c.changed[4] ? moved : base) << c.selected;
    }
}

TEST_F(BrightnessTest, ATickUsesTheTypedNumberOnceAndThenItsNormalForm) {
    main.selected = kBackgroundSample;
    main.samples[kBackgroundSample] = rgb(250, 100, 101);
    const struct {
        const char* typed[4];
        Rgb first;          // the tick that reads the typed texts
        const char* normal; // the texts after it
        Rgb second;         // the next tick
    } cases[] = {
        {{"12.5", "0", "0", "0"}, {255, 112, 114}, "12 0 0 0", {255, 112, 113}},
        {{"13.5", "0", "0", "0"}, {255, 114, 114}, "14 0 0 0", {255, 114, 115}},
        {{"", "-20", "", "abc"}, {230, 100, 101}, "0 -20 0 0", {230, 100, 101}},
        {{"0", "300", "0", "0"}, {255, 100, 101}, "0 -20 0 0", {230, 100, 101}}, // reverts to the spinner
        {{"0", "0", "5x", "-300"}, {250, 105, 0}, "0 0 0 0", {250, 100, 101}},
        {{" 7 ", "0", "0", "0"}, {255, 107, 108}, "7 0 0 0", {255, 107, 108}},
    };
    for (const auto& c : cases) {
        offsets(c.typed[0], c.typed[1], c.typed[2], c.typed[3]);
        dialog->Timer1_Timer();
        EXPECT_EQ(dialog->Preview.BackColor(), static_cast<COLORREF>(colourValue(c.first))) << c.typed[0];
        EXPECT_EQ(texts(), c.normal) << c.typed[0];
        if (std::string(c.typed[0]) != dialog->Bright.Text()) {
            EXPECT_EQ(dialog->Bright.SelStart(), static_cast<int>(dialog->Bright.Text().size()));
        }
        dialog->Timer1_Timer();
        EXPECT_EQ(dialog->Preview.BackColor(), static_cast<COLORREF>(colourValue(c.second))) << c.typed[0];
    }
}

// Keys typed into the brightness box with the timer running: its ticks leave the caret, the
// selection and the start of a number alone, and rewrite only what is not a number in range.
TEST_F(BrightnessTest, TypingIntoABoxBetweenTicks) {
    main.selected = kBackgroundSample;
    main.samples[kBackgroundSample] = rgb(100, 100, 100);
    dialog->Timer1.SetEnabled(true);
    dialog->Bright.SetFocus();
    const HWND box = dialog->Bright.hWnd();
    const auto ticks = [] {
        for (int i = 0; i < 5; ++i) {
            pm::test::advanceClock(20);
            pumpMessages();
        }
    };
    const auto type = [&](const std::string& text) { pm::test::typeAtPace(box, text, 40, pumpMessages); };
    const auto key = [&](int vk, bool control = false) {
        pm::test::pressKey(box, vk, false, control);
        ticks();
    };
    const struct {
        const char* name;
        std::function<void()> keys;
        const char* shown;
        int value; // the spinner's
        int red;   // of the preview's background
    } cases[] = {
        {"Home, 2", [&] { key(VK_HOME), type("2"); }, "20", 20, 120},
        {"Home, Delete", [&] { key(VK_HOME), key(VK_DELETE); }, "0", 0, 100},
        {"Ctrl+A, 37", [&] { type("5"), key('A', true), type("37"); }, "37", 37, 137},
        {"Ctrl+A, -5", [&] { key('A', true), type("-5"); }, "-5", -5, 95},
        {"a lone minus", [&] { key('A', true), type("-"); }, "-", -5, 100},
        {"BackSpace over -3", [&] { type("3"), key(VK_BACK), key(VK_BACK), type("4"); }, "4", 4, 104},
        {"300 reverts", [&] { key('A', true), type("300"); }, "30", 30, 130},
    };
    for (const auto& c : cases) {
        c.keys();
        ticks();
        EXPECT_EQ(dialog->Bright.Text(), c.shown) << c.name;
        EXPECT_EQ(dialog->VScroll1.Value(), c.value) << c.name;
        EXPECT_EQ(dialog->Preview.BackColor(), rgb(c.red, c.red, c.red)) << c.name;
    }
}

TEST_F(BrightnessTest, TheSpinnersUpperArrowRaisesTheValueIntoItsBox) {
    dialog->VScroll2.SetValue(5);
    EXPECT_EQ(dialog->Red.Text(), "5");
    EXPECT_EQ(dialog->Red.SelStart(), 1);
    // A click on the upper arrow.
    pm::test::click(dialog->hWnd(), POINT{dialog->VScroll1.Left() + 7, dialog->VScroll1.Top() + 3});
    pumpMessages();
    EXPECT_EQ(dialog->Bright.Text(), "1");
    pm::test::click(dialog->hWnd(), POINT{dialog->VScroll1.Left() + 7,
                                          dialog->VScroll1.Top() + dialog->VScroll1.Height() - 3});
    pm::test::click(dialog->hWnd(), POINT{dialog->VScroll1.Left() + 7,
                                          dialog->VScroll1.Top() + dialog->VScroll1.Height() - 3});
    pumpMessages();
    EXPECT_EQ(dialog->Bright.Text(), "-1");
    dialog->VScroll3.SetValue(400);
    EXPECT_EQ(dialog->Green.Text(), "255");
}

TEST_F(BrightnessTest, ApplyWritesAllFiveAndKeepsTheSelectionsColourInTheSliders) {
    main.selected = 1;
    main.samples = {rgb(0, 0, 0), rgb(0, 0, 255), rgb(136, 0, 136), rgb(0, 0, 255), rgb(255, 255, 255)};
    offsets("0", "0", "0", "20");
    dialog->Timer1_Timer();
    dialog->Command1_Click();
    const std::array<COLORREF, 5> once = {rgb(0, 0, 0), rgb(0, 0, 255), rgb(136, 0, 136), rgb(0, 0, 255),
                                          rgb(255, 255, 255)};
    EXPECT_EQ(main.samples, once); // the link is blue already: 255 + 20 clamps
    offsets("0", "0", "0", "-40");
    dialog->Timer1_Timer();
    dialog->Command1_Click();
    EXPECT_EQ(main.samples[1], rgb(0, 0, 215));
    ASSERT_EQ(main.applied.size(), 12u); // five samples and the selection, per Apply
    EXPECT_EQ(main.working, (Rgb{0, 0, 215}));
    EXPECT_EQ(main.selected, 1);
    EXPECT_TRUE(dialog->Timer1.Enabled());
    dialog->Timer1.SetEnabled(false);

    // A second Apply adjusts the applied colours again.
    dialog->Timer1_Timer();
    dialog->Command1_Click();
    EXPECT_EQ(main.samples[1], rgb(0, 0, 175));

    // Affect all moves every colour, the background included.
    dialog->Timer1.SetEnabled(false);
    dialog->AffectAll.SetValue(1);
    offsets("-10", "0", "0", "0");
    dialog->Timer1_Timer();
    dialog->Command1_Click();
    const std::array<COLORREF, 5> all = {rgb(0, 0, 0), rgb(0, 0, 165), rgb(126, 0, 126), rgb(0, 0, 245),
                                         rgb(245, 245, 245)};
    EXPECT_EQ(main.samples, all);
}

TEST_F(BrightnessTest, CloseUnloadsAndANewOpeningStartsAgain) {
    offsets("5", "6", "7", "8");
    dialog->AffectAll.SetValue(1);
    dialog->Timer1_Timer();
    pm::test::pressKey(dialog->hWnd(), 'C', false, false, true);
    pumpMessages();
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_FALSE(dialog->Timer1.Enabled());
    Brightness& again = Brightness::open();
    EXPECT_EQ(&again, dialog);
    EXPECT_TRUE(again.Timer1.Enabled());
    again.Timer1.SetEnabled(false);
    EXPECT_EQ(texts(), "0 0 0 0");
    EXPECT_EQ(again.AffectAll.Value(), 0);
}

TEST_F(BrightnessTest, TheTimerKeepsThePreviewCurrent) {
    main.selected = kBackgroundSample;
    main.samples[kBackgroundSample] = rgb(100, 100, 100);
    dialog->Timer1.SetEnabled(true);
    dialog->Bright.SetText("30");
    for (int i = 0; i < 100 && dialog->Preview.BackColor() != rgb(130, 130, 130); ++i) {
        pm::test::advanceClock(5);
        pumpMessages();
    }
    EXPECT_EQ(dialog->Preview.BackColor(), rgb(130, 130, 130));
}

TEST_F(BrightnessTest, Picture) {
    main.selected = 1;
    main.samples = {rgb(0, 0, 0), rgb(0, 0, 255), rgb(136, 0, 136), rgb(0, 0, 255), rgb(255, 255, 224)};
    dialog->AffectAll.SetValue(1);
    offsets("-20", "0", "0", "10");
    dialog->Timer1_Timer();
    pumpMessages();
    EXPECT_TRUE(
        pm::test::saveWindowPng(dialog->hWnd(), pm::test::outputFolder() + "/tintara_brightness.png"));
}

} // namespace
