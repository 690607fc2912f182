#include "support/form1_fixture.h"
#include "colourtool/app/named_colors_form.h"

#include "platform/win/tests/support/test_windows.h"

using pm::test::pumpMessages;
using tintara::Rgb;

namespace {

using ColourTest = Form1Fixture;

TEST_F(ColourTest, ResetSelectsNormalTextWithTheDefaultColours) {
    start();
    setColour(1, 2, 3);
    form().Preview_Click();
    setColour(4, 5, 6);
    form().Reset();
    EXPECT_EQ(form().CON, &form().Label1[0]);
    EXPECT_EQ(form().TYP, 0);
    EXPECT_EQ(components(), "0,0,0");
    EXPECT_EQ(boxes(), "0,0,0");
    EXPECT_EQ(form().Preview.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(form().Preview.Tag, "#FFFFFF");
    const char* tags[] = {"#000000", "#0000FF", "#880088", "#0000FF"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form().Label1[i].Tag, tags[i]) << i;
    EXPECT_EQ(form().Label1[2].ForeColor(), static_cast<COLORREF>(0x880088));
    EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - Untitled");
    EXPECT_TRUE(form().FileName.empty());
    EXPECT_EQ(form().DocText, form().DefaultDoc);
}

TEST_F(ColourTest, DraggingASliderPinsItsComponentAtEitherEnd) {
    start();
    const struct {
        int slider, x;
        const char* components;
    } cases[] = {{0, -10, "0,0,0"}, {0, 300, "255,0,0"}, {1, 171, "255,171,0"}, {2, 5, "255,171,5"}};
    for (const auto& c : cases) {
        HWND slider = form().Color[c.slider].hWnd();
        drag(slider, POINT{100, 4}, POINT{c.x, 4});
        EXPECT_EQ(components(), c.components) << c.slider << " " << c.x;
        int value = std::stoi(form().Color[c.slider].Tag);
        EXPECT_EQ(form().Pointer[c.slider].Left(), form().Color[c.slider].Left() + value - 2);
    }
    EXPECT_EQ(form().Label1[0].Tag, "#FFAB05");
    EXPECT_EQ(boxes(), "255,171,5");
}

TEST_F(ColourTest, TheSelectedSampleTakesTheColourInItsOwnProperty) {
    start();
    setColour(5, 171, 0);
    EXPECT_EQ(form().Label1[0].Tag, "#05AB00");
    EXPECT_EQ(form().Label1[0].ForeColor(), static_cast<COLORREF>(0x00AB05));
    form().Preview_Click();
    EXPECT_EQ(components(), "255,255,255");
    setColour(16, 32, 48);
    EXPECT_EQ(form().Preview.Tag, "#102030");
    EXPECT_EQ(form().Preview.BackColor(), static_cast<COLORREF>(0x302010));
    EXPECT_EQ(form().Label1[0].Tag, "#05AB00");
    EXPECT_EQ(form().Label1[1].Tag, "#0000FF");
    form().Label1_Click(2);
    EXPECT_EQ(components(), "136,0,136");
    setColour(1, 1, 1);
    EXPECT_EQ(form().Label1[2].Tag, "#010101");
    EXPECT_EQ(form().Preview.Tag, "#102030");
}

TEST_F(ColourTest, ClickingASampleSelectsItAndMovesTheFrame) {
    start();
    pm::test::click(form().Preview.hWnd(), POINT{20, 4 + 15 * 3 + 5});
    pumpMessages();
    EXPECT_EQ(form().CON, &form().Label1[3]);
    EXPECT_EQ(form().Shape1.Left(), form().Label1[3].Left() - 2);
    EXPECT_EQ(form().Shape1.Top(), form().Label1[3].Top() + 1);
    pm::test::click(form().Preview.hWnd(), POINT{70, 64});
    pumpMessages();
    EXPECT_EQ(form().CON, &form().Preview);
    EXPECT_EQ(form().TYP, 1);
    EXPECT_EQ(form().Shape1.Height(), form().Preview.Height() - form().Label2.Height() - 1);
}

// The frame round the selected sample shows on any background: black on light ones, white on dark
// ones, and it follows the background as it changes.
TEST_F(ColourTest, TheFrameStandsOutFromTheBackground) {
    start();
    const struct {
        int red, green, blue;
        COLORREF frame;
    } cases[] = {{255, 255, 255, 0}, {0, 0, 0, 0xFFFFFF}, {0, 0, 128, 0xFFFFFF},
                 {255, 255, 0, 0},   {128, 128, 128, 0},  {100, 100, 100, 0xFFFFFF}};
    for (const auto& c : cases) {
        form().Preview_Click();
        setColour(c.red, c.green, c.blue);
        form().Label1_Click(2);
        EXPECT_EQ(form().Shape1.BorderColor, c.frame) << c.red << "," << c.green << "," << c.blue;
    }
    const std::vector<COLORREF> pixels = savePicture("tintara_frame_on_black");
    ASSERT_FALSE(pixels.empty());
    RECT frame{};
    GetWindowRect(form().Preview.hWnd(), &frame);
    POINT corner{form().Shape1.Left(), form().Shape1.Top()};
    ClientToScreen(form().Preview.hWnd(), &corner);
    ScreenToClient(form().hWnd(), &corner);
    RECT client{};
    GetClientRect(form().hWnd(), &client);
    EXPECT_EQ(pixels[static_cast<std::size_t>(corner.y * client.right + corner.x + 3)], RGB(255, 255, 255))
        << "the top edge of the frame on the dark grey background";
}

// The samples are as wide as their texts: beside a short one, a click picks the background.
TEST_F(ColourTest, TheBackgroundCanBeClickedBesideTheSampleTexts) {
    start();
    const vb::Label& link = form().Label1[1];
    EXPECT_LT(link.Left() + link.Width(), form().Preview.Width() / 2);
    pm::test::click(form().Preview.hWnd(), POINT{link.Left() + link.Width() + 10, link.Top() + 5});
    pumpMessages();
    EXPECT_EQ(form().CON, &form().Preview);
    pm::test::click(form().Preview.hWnd(), POINT{link.Left() + 3, link.Top() + 5});
    pumpMessages();
    EXPECT_EQ(form().CON, &link);
    savePicture("tintara_main_link_selected");
}

TEST_F(ColourTest, NamedColoursShowTheirNameAndEnableColorName) {
    start();
    const struct {
        Rgb rgb;
        bool named;
        const char* name;
    } cases[] = {{{255, 0, 0}, true, "Red"}, {{0, 255, 255}, true, "Cyan"}, {{1, 2, 3}, false, ""}};
    for (const auto& c : cases) {
        setColour(c.rgb.red, c.rgb.green, c.rgb.blue);
        EXPECT_EQ(form().Named.Visible(), c.named) << c.name;
        EXPECT_EQ(form().menuItem("popup0b", 3)->Enabled, c.named) << c.name;
        EXPECT_EQ(form().Named.ToolTipText, c.named ? c.name : form().Named.ToolTipText);
    }
}

TEST_F(ColourTest, PickingInEachScaleTakesThePixelUnderThePointer) {
    start();
    for (int k = 0; k < 4; ++k) {
        form().popup4c_Click(k);
        pumpMessages();
        vb::PictureBox& scale = form().ColorSystem[k];
        for (POINT p : {POINT{10, 10}, POINT{150, 30}, POINT{280, 55}}) {
            pm::test::click(scale.hWnd(), p);
            pumpMessages();
            Rgb expected = tintara::rgbOf(static_cast<tintara::ColourValue>(scale.Point(p.x, p.y)));
            EXPECT_EQ(form().workingColour(), expected) << k << " " << p.x << "," << p.y;
        }
    }
}

TEST_F(ColourTest, TheGapsOfTheWindowsLikeScalePickNothing) {
    start();
    form().popup4c_Click(3);
    pumpMessages();
    vb::PictureBox& scale = form().ColorSystem[3];
    // Between two swatches across and down, and the grey strips right of and below them.
    for (POINT gap : {POINT{21, 5}, POINT{5, 14}, POINT{21, 14}, POINT{289, 5}, POINT{5, 61}}) {
        setColour(1, 2, 3);
        pm::test::click(scale.hWnd(), gap);
        pumpMessages();
        EXPECT_EQ(components(), "1,2,3") << gap.x << "," << gap.y;
    }
    // A drag from a swatch over a gap keeps that swatch's colour.
    drag(scale.hWnd(), POINT{10, 5}, POINT{21, 5});
    Rgb swatch = tintara::rgbOf(static_cast<tintara::ColourValue>(scale.Point(10, 5)));
    EXPECT_NE(swatch, (Rgb{192, 192, 192}));
    EXPECT_EQ(form().workingColour(), swatch);
}

TEST_F(ColourTest, DraggingOffAScaleKeepsTheLastColour) {
    start();
    form().popup4c_Click(1);
    pumpMessages();
    HWND scale = form().ColorSystem[1].hWnd();
    drag(scale, POINT{100, 30}, POINT{400, 30});
    Rgb inside = tintara::rgbOf(static_cast<tintara::ColourValue>(form().ColorSystem[1].Point(250, 30)));
    EXPECT_NE(form().workingColour(), (Rgb{255, 0, 0}));
    EXPECT_EQ(form().workingColour(), inside);
}

TEST_F(ColourTest, OnlyTheLeftButtonDragsOnAScaleWhileAnyButtonPicks) {
    start();
    form().popup4c_Click(0);
    pumpMessages();
    HWND scale = form().ColorSystem[0].hWnd();
    auto colourAt = [this](int x, int y) {
        return tintara::rgbOf(static_cast<tintara::ColourValue>(form().ColorSystem[0].Point(x, y)));
    };
    pm::test::pressMouse(scale, POINT{20, 20}, VK_RBUTTON);
    pumpMessages();
    EXPECT_EQ(form().workingColour(), colourAt(20, 20));
    pm::test::moveMouse(scale, POINT{200, 50});
    pumpMessages();
    EXPECT_EQ(form().workingColour(), colourAt(20, 20));
    pm::test::releaseMouse(scale, POINT{200, 50}, VK_RBUTTON);
    pumpMessages();
}

TEST_F(ColourTest, ComponentBoxesApplyWholeNumbersAndRejectOtherText) {
    start();
    setColour(100, 100, 100);
    const struct {
        const char* typed;
        const char* red;
    } cases[] = {{"12.9", "12"}, {"abc", "12"}, {"-5", "0"}, {"300", "255"}, {"1e12", "255"}};
    for (const auto& c : cases) {
        vb::TextBox& box = form().txtColor[0];
        form().Colors.SetFocus();
        box.SetFocus();
        pumpMessages();
        EXPECT_FALSE(form().KeyPreview);
        box.SetText(c.typed);
        pm::test::pressKey(box.hWnd(), VK_RETURN);
        pumpMessages();
        EXPECT_EQ(form().Color[0].Tag, c.red) << c.typed;
        EXPECT_EQ(box.Text(), c.red) << c.typed;
        EXPECT_TRUE(form().KeyPreview);
    }
    form().txtColor[1].SetFocus();
    form().txtColor[1].SetText("7");
    form().Colors.SetFocus();
    pumpMessages();
    EXPECT_EQ(components(), "255,7,100");
}

// Keys typed into a component box are the box's, before and after Enter: none of them runs a key
// command of the window (E named colours, S save, Ctrl+A save as); away from the boxes they do.
TEST_F(ColourTest, KeysTypedIntoAComponentBoxStayInTheBox) {
    start();
    vb::TextBox& box = form().txtColor[0];
    pm::test::click(box.hWnd(), POINT{5, 5});
    pumpMessages();
    ASSERT_EQ(GetFocus(), box.hWnd());
    const struct {
        int vk;
        bool control;
    } keys[] = {{'E', false}, {VK_RETURN, false}, {'E', false}, {'S', false}, {'A', true}, {'5', false}};
    for (const auto& k : keys)
        key(k.vk, false, k.control);
    EXPECT_EQ(tintara::NamedColors::instance(), nullptr);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(form().CON, &form().Label1[0]);
    EXPECT_EQ(GetFocus(), box.hWnd());
    form().Colors.SetFocus();
    pumpMessages();
    key('5');
    EXPECT_EQ(form().CON, &form().Preview);
}

// Tab and Shift+Tab move between the component boxes, which sit on the colour picture; the box
// left is applied.
TEST_F(ColourTest, TabMovesBetweenTheComponentBoxes) {
    start();
    vb::TextBox& red = form().txtColor[0];
    pm::test::click(red.hWnd(), POINT{5, 5});
    pumpMessages();
    red.SetText("40");
    const struct {
        bool shift;
        int box;
    } steps[] = {{false, 1}, {false, 2}, {true, 1}, {true, 0}};
    for (const auto& s : steps) {
        key(VK_TAB, s.shift);
        EXPECT_EQ(GetFocus(), form().txtColor[s.box].hWnd()) << s.box;
    }
    EXPECT_EQ(components(), "40,0,0");
    EXPECT_FALSE(form().KeyPreview);
}

// Enter in a component box, then one quick click on a sample (press and release queued together):
// the click selects it.
TEST_F(ColourTest, TheFirstClickOnASampleAfterEnterInABoxSelectsIt) {
    start();
    vb::TextBox& box = form().txtColor[1];
    pm::test::click(box.hWnd(), POINT{5, 5});
    pumpMessages();
    box.SetText("77");
    key(VK_RETURN);
    ASSERT_EQ(components(), "0,77,0");
    vb::Label& link = form().Label1[1];
    pm::test::click(form().Preview.hWnd(), POINT{link.Left() + 10, link.Top() + 5});
    pumpMessages();
    EXPECT_EQ(form().CON, &link);
}

} // namespace
