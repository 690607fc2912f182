#include "colourtool/app/drawn_pictures.h"
#include "colourtool/app/win_tool.h"

#include "platform/forms/form.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using pm::test::pumpMessages;
using tintara::WinTool;

namespace {

class Host : public vb::Form {
public:
    Host() : vb::Form("Host", 400, 80) {}
    WinTool Tool{*this, "Tool", 0, 10, 400};
};

class WinToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        icon = tintara::drawTrayPicture();
        host.Tool.ButtonClick = [this](std::string& key, bool& dropDown) {
            log.push_back(key + (dropDown ? " arrow" : " face"));
        };
        host.Tool.Timer1.SetEnabled(false);
        host.Show();
        pumpMessages();
    }
    void TearDown() override { DeleteObject(icon); }
    // The twelve buttons of the main window.
    void addMainButtons() {
        const struct {
            const char* key;
            bool dropDown, gap;
        } rows[] = {{"new", false, false},    {"open", false, false},   {"save", true, true},
                    {"copy", true, true},     {"websafe", true, false}, {"negative", true, false},
                    {"filter", false, true},  {"dropper", false, true}, {"mode", true, true},
                    {"topmost", false, true}, {"system", false, true},  {"home", false, false}};
        for (const auto& r : rows)
            host.Tool.AddButton(r.key, icon, std::string("tip ") + r.key, r.dropDown, r.gap);
        host.Tool.Timer1.SetEnabled(false);
    }
    void clickAt(int x, int button = VK_LBUTTON) {
        pm::test::click(host.Tool.hWnd(), POINT{x, 12}, button);
        pumpMessages();
    }
    void hoverAt(int x, int y) {
        RECT r;
        GetWindowRect(host.Tool.hWnd(), &r);
        SetCursorPos(r.left + x, r.top + y);
        host.Tool.hoverTick();
    }

    Host host;
    HBITMAP icon = nullptr;
    std::vector<std::string> log;
};

TEST_F(WinToolTest, TheLayoutWalkPlacesFacesArrowsAndGaps) {
    addMainButtons();
    const int expected[] = {11, 34, 57, 95, 133, 165, 197, 226, 255, 293, 322, 351};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(host.Tool.faceLeft(i), expected[i]) << i;
    EXPECT_EQ(host.Tool.Height(), 26);
    const struct {
        int style, height, margin, first;
    } styles[] = {{1, 26, 2, 11}, {2, 24, 1, 2}, {3, 22, 0, 1}, {7, 22, 0, 1}, {0, 26, 2, 11}};
    for (const auto& s : styles) {
        host.Tool.SetStyle(s.style);
        EXPECT_EQ(host.Tool.Height(), s.height) << s.style;
        EXPECT_EQ(host.Tool.TopMargin(), s.margin) << s.style;
        EXPECT_EQ(host.Tool.faceLeft(0), s.first) << s.style;
    }
}

TEST_F(WinToolTest, ReleasesRaiseTheKeyOfTheFaceOrArrowUnderThePointer) {
    addMainButtons();
    const struct {
        int x;
        int button;
        const char* event;
    } cases[] = {
        {12, VK_LBUTTON, "new face"},
        {57 + 22, VK_LBUTTON, "save face"},
        {57 + 24, VK_LBUTTON, "save arrow"},
        {57 + 23, VK_LBUTTON, ""},
        {57, VK_LBUTTON, ""},
        {34, VK_LBUTTON, ""},
        {57 + 30, VK_RBUTTON, ""},
        {351 + 10, VK_LBUTTON, "home face"},
        {390, VK_LBUTTON, ""},
    };
    for (const auto& c : cases) {
        log.clear();
        clickAt(c.x, c.button);
        EXPECT_EQ(log.empty() ? "" : log[0], std::string(c.event)) << c.x;
        EXPECT_LE(log.size(), 1u);
    }
}

TEST_F(WinToolTest, APressOnOneButtonAndAReleaseOnAnotherRaisesTheSecond) {
    addMainButtons();
    pm::test::pressMouse(host.Tool.hWnd(), POINT{15, 12});
    pumpMessages();
    EXPECT_TRUE(host.Tool.button(0).Pressed);
    pm::test::moveMouse(host.Tool.hWnd(), POINT{40, 12});
    pumpMessages();
    EXPECT_FALSE(host.Tool.button(0).Pressed);
    EXPECT_TRUE(host.Tool.button(1).Pressed);
    pm::test::releaseMouse(host.Tool.hWnd(), POINT{40, 12});
    pumpMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"open face"}));
    EXPECT_FALSE(host.Tool.button(1).Pressed);
}

TEST_F(WinToolTest, HoverHighlightsTheWholeButtonAndSetsTheTip) {
    addMainButtons();
    hoverAt(57 + 25, 12);
    EXPECT_TRUE(host.Tool.button(2).Hot);
    EXPECT_EQ(host.Tool.tipText(), "tip save");
    hoverAt(57 + 25, 1);
    EXPECT_FALSE(host.Tool.button(2).Hot);
    EXPECT_EQ(host.Tool.tipText(), "");
}

TEST_F(WinToolTest, CheckAndClearEveryButtonWithTheKey) {
    host.Tool.AddButton("twin", icon, "", false);
    host.Tool.AddButton("other", icon, "", false);
    host.Tool.AddButton("twin", icon, "", true);
    host.Tool.Check("twin");
    host.Tool.Check("nothing");
    EXPECT_TRUE(host.Tool.button(0).Checked);
    EXPECT_FALSE(host.Tool.button(1).Checked);
    EXPECT_TRUE(host.Tool.button(2).Checked);
    host.Tool.Clear("twin");
    EXPECT_FALSE(host.Tool.button(0).Checked);
    EXPECT_FALSE(host.Tool.button(2).Checked);
}

TEST_F(WinToolTest, TheTableHoldsAHundredAndOneButtons) {
    for (int i = 0; i < WinTool::kMaxButtons; ++i)
        host.Tool.AddButton("b" + std::to_string(i), icon, "", false);
    EXPECT_THROW(host.Tool.AddButton("more", icon, "", false), std::out_of_range);
    EXPECT_EQ(host.Tool.ButtonCount(), WinTool::kMaxButtons);
    EXPECT_TRUE(host.Tool.Timer1.Enabled());
}

TEST_F(WinToolTest, PictureOfTheStates) {
    addMainButtons();
    host.Tool.Check("topmost");
    hoverAt(host.Tool.faceLeft(9) + 5, 12);
    pm::test::pressMouse(host.Tool.hWnd(), POINT{host.Tool.faceLeft(3) + 27, 12});
    pumpMessages();
    pm::test::saveWindowPng(host.hWnd(), pm::test::outputFolder() + "/tintara_tool_bar.png");
    pm::test::releaseMouse(host.Tool.hWnd(), POINT{0, 40});
    pumpMessages();
    EXPECT_TRUE(log.empty());
}

} // namespace
