#include "colourtool/app/globals.h"
#include "colourtool/app/pick_color.h"

#include "support/fake_main_window.h"

#include "platform/forms/clipboard.h"
#include "platform/forms/screen.h"
#include "platform/forms/screen_capture.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

// A screen whose pixel (x, y) is (x mod 256, y mod 256, 77), except one pixel of (10, 200, 5) and one
// of (0, 15, 255).
COLORREF screenPixel(int x, int y) {
    if (x == 300 && y == 200) return RGB(10, 200, 5);
    if (x == 301 && y == 200) return RGB(0, 15, 255);
    return RGB(x % 256, y % 256, 77);
}

class PickColorTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setScreenCapture(&screen);
        main.window().Show();
        pumpMessages();
        width = vb::Screen().Width();
        height = vb::Screen().Height();
    }
    void TearDown() override {
        PickColor::destroy();
        vb::setScreenCapture(nullptr);
    }
    PickColor& openAndPick(bool toClipboard, POINT at) {
        PickColor& picker = PickColor::open(toClipboard);
        pumpMessages();
        pm::test::moveMouse(picker.hWnd(), at);
        pm::test::pressMouse(picker.hWnd(), at);
        pm::test::releaseMouse(picker.hWnd(), at);
        pumpMessages();
        return picker;
    }
    std::string labels(const PickColor& p) const {
        return p.Red.Caption() + " " + p.Green.Caption() + " " + p.Blue.Caption() + " " + p.RedHex.Caption() +
               " " + p.GreenHex.Caption() + " " + p.BlueHex.Caption();
    }

    vb::FakeScreenCapture screen{screenPixel};
    FakeMainWindow main;
    int width = 0, height = 0;
};

TEST_F(PickColorTest, OpeningHidesTheMainWindowAndShowsTheScreenCopyOnTop) {
    PickColor& picker = PickColor::open(true);
    pumpMessages();
    EXPECT_TRUE(DropToClipboard);
    EXPECT_FALSE(IsWindowVisible(main.window().hWnd()));
    EXPECT_TRUE(IsWindowVisible(picker.hWnd()));
    EXPECT_TRUE(picker.TopMost());
    EXPECT_EQ(picker.ScaleWidth(), width);
    EXPECT_EQ(picker.ScaleHeight(), height);
    EXPECT_EQ(picker.P.Point(300, 200), static_cast<long>(RGB(10, 200, 5)));
    EXPECT_EQ(picker.P.Point(width - 1, height - 1), static_cast<long>(screenPixel(width - 1, height - 1)));
    EXPECT_EQ(picker.Wind.Width(), 108);
    EXPECT_EQ(picker.Wind.Height(), 124);
    EXPECT_EQ(picker.Label1.Caption(), "Tintara");
}

TEST_F(PickColorTest, AClipboardPickPutsTheHtmlNotationThereAndLeavesTheMainWindowHidden) {
    vb::Clipboard().SetText("before");
    PickColor& picker = openAndPick(true, POINT{300, 200});
    EXPECT_EQ(vb::Clipboard().GetText(), "#0AC805");
    EXPECT_FALSE(IsWindowVisible(main.window().hWnd()));
    EXPECT_FALSE(picker.Loaded());
    EXPECT_FALSE(IsWindowVisible(picker.hWnd()));
    EXPECT_TRUE(main.applied.empty());

    openAndPick(true, POINT{301, 200});
    EXPECT_EQ(vb::Clipboard().GetText(), "#000FFF");
}

TEST_F(PickColorTest, AWindowPickShowsTheMainWindowWithTheColour) {
    vb::Clipboard().SetText("kept");
    PickColor& picker = openAndPick(false, POINT{300, 200});
    EXPECT_FALSE(DropToClipboard);
    EXPECT_TRUE(IsWindowVisible(main.window().hWnd()));
    ASSERT_EQ(main.applied.size(), 1u);
    EXPECT_EQ(main.working, (Rgb{10, 200, 5}));
    EXPECT_EQ(main.samples[0], static_cast<COLORREF>(RGB(10, 200, 5)));
    EXPECT_EQ(vb::Clipboard().GetText(), "kept");
    EXPECT_FALSE(picker.Loaded());
}

// Escape ends the pick with nothing taken; the main window comes back as after a pick.
TEST_F(PickColorTest, EscapeCancelsThePick) {
    for (bool toClipboard : {false, true}) {
        vb::Clipboard().SetText("kept");
        PickColor& picker = PickColor::open(toClipboard);
        pumpMessages();
        pm::test::moveMouse(picker.hWnd(), POINT{300, 200});
        pm::test::pressKey(GetFocus() ? GetFocus() : picker.hWnd(), VK_ESCAPE);
        pumpMessages();
        EXPECT_FALSE(picker.Loaded()) << toClipboard;
        EXPECT_FALSE(IsWindowVisible(picker.hWnd())) << toClipboard;
        EXPECT_EQ(IsWindowVisible(main.window().hWnd()) != 0, !toClipboard);
        EXPECT_TRUE(main.applied.empty());
        EXPECT_EQ(vb::Clipboard().GetText(), "kept");
    }
}

TEST_F(PickColorTest, TheFrameShowsTheComponentsInDecimalAndUnpaddedHex) {
    PickColor& picker = PickColor::open(true);
    const struct {
        int x, y;
        const char* shown;
    } cases[] = {
        {300, 200, "10 200 5 A C8 5"},
        {301, 200, "0 15 255 0 F FF"},
        {171, 5, "171 5 77 AB 5 4D"},
    };
    for (const auto& c : cases) {
        picker.P_MouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(labels(picker), c.shown) << c.x;
        EXPECT_EQ(picker.Prev.BackColor(), screenPixel(c.x, c.y));
    }
}

TEST_F(PickColorTest, TheFrameFollowsThePointerAndStaysOnTheScreen) {
    const struct {
        int x, y;
        int left, top;
    } cases[] = {
        {100, 300, 150, 300 - 62},
        {1000 - 201, 300, 1000 - 201 + 50, 300 - 62}, // 201 pixels from the right edge
        {1000 - 200, 300, 1000 - 200 - 170, 300 - 62},
        {1000 - 1, 300, 1000 - 1 - 170, 300 - 62},
        {100, 0, 150, 0},
        {100, 61, 150, 0},
        {100, 62, 150, 0},
        {100, 63, 150, 1},
        {100, 799, 150, 800 - 124},
    };
    for (const auto& c : cases) {
        POINT p = PickColor::framePlace(c.x, c.y, 1000, 800);
        EXPECT_EQ(p.x, c.left) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.top) << c.x << "," << c.y;
    }
    PickColor& picker = PickColor::open(true);
    pumpMessages();
    pm::test::moveMouse(picker.hWnd(), POINT{width - 10, height - 1});
    pumpMessages();
    EXPECT_EQ(picker.Wind.Left(), width - 180);
    EXPECT_EQ(picker.Wind.Top() + picker.Wind.Height(), height);
}

TEST_F(PickColorTest, MagnifierCellsOffTheScreenAreGrey) {
    PickColor& picker = PickColor::open(true);
    const struct { int x, y; } points[] = {{0, 0}, {width - 1, height - 1}, {2, height - 2}, {300, 200}};
    for (const auto& p : points) {
        picker.P_MouseMove(0, 0, p.x, p.y);
        for (int cell = 0; cell < 49; ++cell) {
            int x = p.x - 3 + cell % 7;
            int y = p.y - 3 + cell / 7;
            bool on = x >= 0 && y >= 0 && x < width && y < height;
            EXPECT_EQ(picker.Zoom[cell].Point(4, 4),
                      static_cast<long>(on ? screenPixel(x, y) : PickColor::kOffScreen))
                << p.x << "," << p.y << " cell " << cell;
        }
    }
}

TEST_F(PickColorTest, Picture) {
    vb::FakeScreenCapture stripes(
        [](int x, int y) -> COLORREF { return (x / 2 + y / 3) % 2 ? RGB(255, 140, 0) : RGB(30, 60, 160); });
    vb::setScreenCapture(&stripes);
    PickColor& picker = PickColor::open(true);
    picker.P_MouseMove(0, 0, 402, 300);
    pumpMessages();
    EXPECT_TRUE(
        pm::test::saveWindowPng(picker.Wind.hWnd(), pm::test::outputFolder() + "/tintara_magnifier.png"));
}

} // namespace
