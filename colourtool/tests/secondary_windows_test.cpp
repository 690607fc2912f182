// The secondary windows against the real main window.

#include "colourtool/app/brightness.h"
#include "colourtool/app/frm_palette.h"
#include "colourtool/app/named_colors_form.h"
#include "colourtool/app/pick_color.h"

#include "support/form1_fixture.h"
#include "support/temp_folder.h"

#include "platform/forms/clipboard.h"
#include "platform/forms/screen_capture.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

class SecondaryWindows : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        start();
        form().Show();
        pumpMessages();
    }
    void TearDown() override {
        NamedColors::destroy();
        Brightness::destroy();
        frmPalette::destroy();
        PickColor::destroy();
        Form1Fixture::TearDown();
    }
    std::string tags() {
        Form1& f = form();
        return f.Label1[0].Tag + " " + f.Label1[1].Tag + " " + f.Label1[2].Tag + " " + f.Label1[3].Tag + " " +
               f.Preview.Tag;
    }
};

TEST_F(SecondaryWindows, ANamedColourGoesIntoTheSelectedSample) {
    form().Label1_Click(1);
    NamedColors& dialog = NamedColors::open();
    dialog.ListX.SetText("tomato");
    dialog.Command3.press();
    EXPECT_EQ(components(), "255,99,71");
    EXPECT_EQ(form().Label1[1].Tag, "#FF6347");
    EXPECT_FALSE(dialog.Loaded());
}

TEST_F(SecondaryWindows, BrightnessApplyWritesEverySampleAndKeepsTheSelection) {
    form().Label1_Click(2); // "Visited Link", #880088
    Brightness& dialog = Brightness::open();
    dialog.Timer1.SetEnabled(false);
    dialog.Bright.SetText("16");
    dialog.Timer1_Timer();
    dialog.Command1_Click();
    dialog.Timer1.SetEnabled(false);
    EXPECT_EQ(tags(), "#000000 #0000FF #981098 #0000FF #FFFFFF");
    EXPECT_EQ(form().CON, &form().Label1[2]);
    EXPECT_EQ(components(), "152,16,152");

    form().Preview_Click();
    dialog.AffectAll.SetValue(1);
    dialog.Bright.SetText("-16");
    dialog.Timer1_Timer();
    dialog.Command1_Click();
    dialog.Timer1.SetEnabled(false);
    EXPECT_EQ(tags(), "#000000 #0000EF #880088 #0000EF #EFEFEF");
    EXPECT_EQ(form().CON, &form().Preview);
    EXPECT_EQ(components(), "239,239,239");
}

TEST_F(SecondaryWindows, APaletteSwatchGoesIntoTheSelectedSample) {
    TempFolder folder;
    std::string path = folder.write("two.pal", "JASC-PAL\r\n0100\r\n2\r\n10 20 30\r\n40 50 60\r\n");
    dialogs.fileAnswer = [&](vb::FakeDialogs::Kind, const vb::FileDialogRequest&) { return path; };
    form().Preview_Click();
    importPalette();
    frmPalette* palette = frmPalette::instance();
    ASSERT_NE(palette, nullptr);
    pm::test::click(palette->hWnd(), POINT{15, 5});
    pumpMessages();
    EXPECT_EQ(components(), "40,50,60");
    EXPECT_EQ(form().Preview.Tag, "#28323C");
}

TEST_F(SecondaryWindows, TheScreenPickerHidesAndShowsTheMainWindow) {
    vb::FakeScreenCapture screen([](int, int) -> COLORREF { return RGB(10, 200, 5); });
    vb::setScreenCapture(&screen);
    PickColor& picker = PickColor::open(false);
    EXPECT_FALSE(IsWindowVisible(form().hWnd()));
    picker.P_MouseUp(1, 0, 40, 40);
    EXPECT_TRUE(IsWindowVisible(form().hWnd()));
    EXPECT_EQ(components(), "10,200,5");
    EXPECT_EQ(form().Label1[0].Tag, "#0AC805");

    PickColor::open(true).P_MouseUp(1, 0, 40, 40);
    EXPECT_FALSE(IsWindowVisible(form().hWnd()));
    EXPECT_EQ(vb::Clipboard().GetText(), "#0AC805");
    vb::setScreenCapture(nullptr);
}

} // namespace
