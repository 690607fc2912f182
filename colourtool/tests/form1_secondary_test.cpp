#include "support/form1_fixture.h"

#include "colourtool/app/brightness.h"
#include "colourtool/app/frm_palette.h"
#include "colourtool/app/pick_color.h"

#include "platform/forms/clipboard.h"
#include "platform/forms/screen_capture.h"
#include "platform/win/tests/support/test_windows.h"

using pm::test::pumpMessages;

namespace {

class SecondaryTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        vb::setScreenCapture(&screen);
        start();
    }
    void TearDown() override {
        tintara::PickColor::destroy();
        tintara::Brightness::destroy();
        tintara::frmPalette::destroy();
        vb::setScreenCapture(nullptr);
        Form1Fixture::TearDown();
    }
    void dispatch(std::string key) {
        bool dropDown = false;
        form().Form1_Tool_ButtonClick(key, dropDown);
    }

    vb::FakeScreenCapture screen{[](int x, int) { return x < 500 ? RGB(10, 200, 5) : RGB(0, 15, 255); }};
};

TEST_F(SecondaryTest, TheDropperPicksIntoTheWindow) {
    dispatch("dropper");
    tintara::PickColor* picker = tintara::PickColor::instance();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->Visible());
    EXPECT_FALSE(form().Visible());
    pm::test::moveMouse(picker->P.hWnd(), POINT{300, 300}); // away from where the magnifier starts
    pumpMessages();
    pm::test::click(picker->P.hWnd(), POINT{300, 300});
    pumpMessages();
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(components(), "10,200,5");
    EXPECT_EQ(form().Label1[0].Tag, "#0AC805");
}

TEST_F(SecondaryTest, DropToClipboardLeavesTheWindowHidden) {
    form().Drop_click();
    tintara::PickColor* picker = tintara::PickColor::instance();
    ASSERT_NE(picker, nullptr);
    pm::test::click(picker->P.hWnd(), POINT{600, 100});
    pumpMessages();
    EXPECT_EQ(vb::Clipboard().GetText(), "#000FFF");
    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(components(), "0,0,0");
}

TEST_F(SecondaryTest, BrightnessOpensTopmostOnlyWhileAlwaysOnTop) {
    dispatch("filter");
    ASSERT_NE(tintara::Brightness::instance(), nullptr);
    EXPECT_TRUE(tintara::Brightness::instance()->Visible());
    EXPECT_FALSE(tintara::Brightness::instance()->TopMost());
    dispatch("topmost");
    EXPECT_TRUE(tintara::Brightness::instance()->TopMost());
    dispatch("topmost");
    EXPECT_FALSE(tintara::Brightness::instance()->TopMost());
    tintara::Brightness::destroy();
    dispatch("topmost");
    dispatch("filter");
    EXPECT_TRUE(tintara::Brightness::instance()->TopMost());
}

TEST_F(SecondaryTest, ImportPaletteAsksForAPaletteFile) {
    form().ImportPal_Click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(tintara::frmPalette::instance(), nullptr);
}

} // namespace
