#include "support/form1_fixture.h"

#include "colourtool/app/globals.h"
#include "colourtool/app/named_colors_form.h"
#include "colourtool/app/pick_color.h"

#include "platform/forms/app.h"
#include "platform/forms/clipboard.h"
#include "platform/win/tests/support/test_windows.h"

using pm::test::pumpMessages;
using tintara::Rgb;

namespace {

class CommandTest : public Form1Fixture {
protected:
    void TearDown() override {
        tintara::NamedColors::destroy();
        Form1Fixture::TearDown();
    }
    std::string clipboard() const { return vb::Clipboard().GetText(); }
    std::string tags() {
        std::string all = form().Preview.Tag;
        for (int i = 0; i < 4; ++i)
            all += " " + form().Label1[i].Tag;
        return all;
    }
    void dispatch(std::string key, bool dropDown = false) { form().Form1_Tool_ButtonClick(key, dropDown); }
    // Queues keys that choose an item of the pop-up menu about to open.
    void queueMenuKeys(std::initializer_list<int> keys) {
        for (int vk : keys)
            pm::test::pressKey(form().hWnd(), vk);
    }
    std::string checkedViews() {
        std::string checked = form().menuItem("popup4b")->Checked ? "rgb" : "";
        for (int k = 0; k < 4; ++k) {
            if (form().menuItem("popup4c", k)->Checked) checked += " c" + std::to_string(k);
            if (form().ColorSystem[k].Visible()) checked += " v" + std::to_string(k);
        }
        return checked;
    }
};

TEST_F(CommandTest, EveryClipboardNotationByteForByte) {
    start();
    setColour(255, 0, 128);
    const struct {
        void (tintara::Form1::*command)(int);
        int index;
        const char* text;
    } cases[] = {
        {&tintara::Form1::popup0b_Click, 0, "#FF0080"},
        {&tintara::Form1::popup0b_Click, 1, "8388863"},
        {&tintara::Form1::popup0b_Click, 2, "&H8000FF"},
        {&tintara::Form1::popup0c_Click, 0, "RGB(255, 0, 128)"},
        {&tintara::Form1::popup0c_Click, 1, "RGB(&HFF, &H0, &H80)"},
        {&tintara::Form1::popup0e_Click, 0, "new Color(255, 0, 128)"},
        {&tintara::Form1::popup0e_Click, 1, "new Color(0xFF, 0x0, 0x80)"},
        {&tintara::Form1::popup0d_Click, 1,
         "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#FF0080\" LINK=\"#0000FF\" VLINK=\"#880088\" ALINK=\"#0000FF\">"},
        {&tintara::Form1::popup0d_Click, 0,
         "<HTML>\r\n <HEAD>\r\n  <TITLE>Insert Title Here</TITLE>\r\n </HEAD>\r\n <BODY BGCOLOR=\"#FFFFFF\" "
         "TEXT=\"#FF0080\" LINK=\"#0000FF\" VLINK=\"#880088\" ALINK=\"#0000FF\">\r\n\r\n </BODY>\r\n</HTML>"},
        {&tintara::Form1::popup0d_Click, 2,
         "  <STYLE TYPE=\"text/css\">\r\n   BODY       { Background: #FFFFFF; Color: #FF0080; }\r\n   A      "
         "    { "
         "Color: #0000FF; }\r\n   A:Visited  { Color: #880088; }\r\n   A:Active   { Color: #0000FF; }\r\n  "
         "</STYLE>"},
    };
    for (const auto& c : cases) {
        vb::Clipboard().SetText("before");
        (form().*c.command)(c.index);
        EXPECT_EQ(clipboard(), c.text) << c.index;
    }
    setColour(0, 0, 0);
    form().popup0c_Click(1);
    EXPECT_EQ(clipboard(), "RGB(&H0, &H0, &H0)");
    form().popup0b_Click(2);
    EXPECT_EQ(clipboard(), "&H000000");
    form().Preview_Click();
    setColour(0, 0, 255);
    form().popup0b_Click(1);
    EXPECT_EQ(clipboard(), "16711680");
    form().popup0b_Click(3);
    EXPECT_EQ(clipboard(), "Blue");
}

TEST_F(CommandTest, WebsafeAndNegativeOfTheWorkingColour) {
    start();
    const struct {
        Rgb from;
        int index;
        const char* websafe;
        const char* negative;
    } cases[] = {{{128, 129, 25}, 0, "102,153,0", "127,126,230"}, {{26, 255, 0}, 0, "51,255,0", "229,0,255"}};
    for (const auto& c : cases) {
        setColour(c.from.red, c.from.green, c.from.blue);
        form().popup1b_Click(0);
        EXPECT_EQ(components(), c.websafe);
        setColour(c.from.red, c.from.green, c.from.blue);
        form().popup2b_Click(0);
        EXPECT_EQ(components(), c.negative);
        EXPECT_EQ(boxes(), c.negative);
    }
}

TEST_F(CommandTest, AllSamplesTransformedInOnePassEndWithNormalTextSelected) {
    start();
    std::string before = tags();
    form().popup2b_Click(1);
    EXPECT_EQ(tags(), "#000000 #FFFFFF #FFFF00 #77FF77 #FFFF00");
    EXPECT_EQ(form().CON, &form().Label1[0]);
    EXPECT_EQ(components(), "255,255,255");
    EXPECT_TRUE(form().GradientsOn);
    form().popup2b_Click(1);
    EXPECT_EQ(tags(), before);
    form().Label1_Click(2);
    form().popup1b_Click(1);
    EXPECT_EQ(tags(), "#FFFFFF #000000 #0000FF #990099 #0000FF");
    EXPECT_EQ(form().CON, &form().Label1[0]);
}

TEST_F(CommandTest, RandomColourStaysInRange) {
    start();
    for (int i = 0; i < 20; ++i) {
        form().mnuRandom_Click();
        Rgb rgb = form().workingColour();
        for (int c : {rgb.red, rgb.green, rgb.blue}) {
            EXPECT_GE(c, 0);
            EXPECT_LE(c, 255);
        }
        EXPECT_EQ(form().Label1[0].Tag, tintara::htmlNotation(rgb));
    }
}

TEST_F(CommandTest, ModeCyclesThroughTheViewsWithTheirCheckMarks) {
    start();
    const char* expected[] = {" c0 v0", " c1 v1", " c2 v2", " c3 v3", "rgb"};
    for (const char* views : expected) {
        dispatch("mode");
        EXPECT_EQ(checkedViews(), views);
    }
    form().popup4c_Click(2);
    dispatch("mode");
    EXPECT_EQ(checkedViews(), " c3 v3");
    form().popup4b_Click();
    EXPECT_EQ(checkedViews(), "rgb");
    EXPECT_FALSE(form().ColorSyst.Visible());
}

TEST_F(CommandTest, FacesRunTheFirstCommandAndArrowsOpenTheirMenus) {
    start();
    setColour(128, 0, 10);
    dispatch("copy");
    EXPECT_EQ(clipboard(), "#80000A");
    dispatch("websafe");
    EXPECT_EQ(components(), "102,0,0");
    dispatch("negative");
    EXPECT_EQ(components(), "153,255,255");
    queueMenuKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    dispatch("negative", true);
    EXPECT_EQ(tags().substr(0, 7), "#000000");
    queueMenuKeys({VK_ESCAPE});
    dispatch("save", true);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    dispatch("save");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].second.title, "Save HTML file");
    dispatch("home");
    ASSERT_EQ(urls.opened.size(), 1u);
    EXPECT_NE(urls.opened[0].find("help.html"), std::string::npos);
    form().URL_Click();
    EXPECT_EQ(urls.opened, (std::vector<std::string>{urls.opened[0], urls.opened[0]}));
    dispatch("unknown");
    dispatch("Copy");
}

// The standard colour dialog opens at the working colour; Cancel keeps it.
TEST_F(CommandTest, MiscMenuOpensTheStandardColourDialog) {
    start();
    setColour(200, 100, 50);
    dialogs.colourAnswer = [](COLORREF initial, DWORD flags) -> std::optional<COLORREF> {
        EXPECT_EQ(flags, static_cast<DWORD>(CC_FULLOPEN | CC_RGBINIT));
        EXPECT_EQ(initial, RGB(200, 100, 50));
        return RGB(10, 20, 30);
    };
    queueMenuKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    dispatch("system");
    EXPECT_EQ(components(), "10,20,30");
    dialogs.colourAnswer = nullptr;
    form().popup6b_Click(1);
    EXPECT_EQ(components(), "10,20,30");
}

TEST_F(CommandTest, TopmostTogglesTheWindowAndTheCheck) {
    start();
    dispatch("topmost");
    EXPECT_TRUE(form().AlwaysOnTop);
    EXPECT_TRUE(form().TopMost());
    EXPECT_TRUE(form().Tool.button(9).Checked);
    dispatch("topmost");
    EXPECT_FALSE(form().AlwaysOnTop);
    EXPECT_FALSE(form().TopMost());
    EXPECT_FALSE(form().Tool.button(9).Checked);
}

TEST_F(CommandTest, ToolBarClicksReachTheDispatcher) {
    start();
    setColour(1, 2, 3);
    HWND bar = form().Tool.hWnd();
    int copyFace = form().Tool.faceLeft(3);
    pm::test::click(bar, POINT{copyFace + 10, 12});
    pumpMessages();
    EXPECT_EQ(clipboard(), "#010203");
    pm::test::click(bar, POINT{form().Tool.faceLeft(4) + 27, 12});
    queueMenuKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    pumpMessages();
    EXPECT_EQ(tags(), "#FFFFFF #000000 #0000FF #990099 #0000FF");
}

TEST_F(CommandTest, HelpPageThatNoBrowserOpensIsReportedWithItsPath) {
    start();
    vb::FakeUrlOpener noBrowser(false);
    vb::setUrlOpener(&noBrowser);
    dispatch("home");
    vb::setUrlOpener(&urls);
    ASSERT_EQ(noBrowser.opened.size(), 1u);
    const std::string path = vb::App().Path() + "/help.html";
    EXPECT_EQ(noBrowser.opened[0], "file://" + path);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "The help page could not be opened in a browser. It is at " + path);
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    dispatch("home");
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(CommandTest, KeyTable) {
    start();
    setColour(253, 0, 10);
    for (int i = 0; i < 5; ++i)
        key(VK_RIGHT);
    EXPECT_EQ(components(), "255,5,15");
    key(VK_LEFT);
    EXPECT_EQ(components(), "254,4,14");
    const struct {
        int vk;
        bool shift, control;
        const char* components;
    } letters[] = {{'R', false, false, "255,4,14"},
                   {'R', false, false, "255,4,14"},
                   {'G', true, false, "255,3,14"},
                   {'B', false, true, "255,3,14"},
                   {'B', false, false, "255,3,15"}};
    for (const auto& c : letters) {
        key(c.vk, c.shift, c.control);
        EXPECT_EQ(components(), c.components) << c.vk;
    }
    pm::test::typeText(form().hWnd(), "-");
    pumpMessages();
    EXPECT_EQ(components(), "255,3,15");
    setColour(0, 0, 0);
    key('R', true);
    EXPECT_EQ(components(), "0,0,0");
    for (int i = 0; i < 4; ++i) {
        key('1' + i);
        EXPECT_EQ(form().CON, &form().Label1[i]);
    }
    key('5');
    EXPECT_EQ(form().CON, &form().Preview);
    key('C');
    EXPECT_EQ(clipboard(), "#FFFFFF");
    setColour(128, 128, 128);
    key('W');
    EXPECT_EQ(components(), "102,102,102");
    key('N');
    EXPECT_EQ(components(), "153,153,153");
    key('N', true);
    EXPECT_EQ(form().CON, &form().Label1[0]);
    key('E');
    ASSERT_NE(tintara::NamedColors::instance(), nullptr);
    EXPECT_TRUE(tintara::NamedColors::instance()->Visible());
    tintara::NamedColors::destroy();
    SetActiveWindow(form().hWnd());
    pumpMessages();
    key('D');
    EXPECT_EQ(dialogs.colourRequests, 1);
    key('S');
    key('A');
    key('O');
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(dialogs.fileRequests[2].second.title, "Open HTML file");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Discard changes and open another file?");
    answer = IDCANCEL;
    key(VK_INSERT);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Discard changes and create a new file?");
    EXPECT_EQ(shown[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    pm::test::typeText(form().hWnd(), "?");
    pumpMessages();
    EXPECT_EQ(form().Label1[0].Tag, tintara::htmlNotation(form().workingColour()));
}

// Ctrl and Alt make a key an editing or menu key: no letter's command runs, in a component box or
// beside it, and Shift+Insert is no New.
TEST_F(CommandTest, ModifiedKeysRunNoCommand) {
    start();
    setColour(10, 20, 30);
    const struct {
        int vk;
        bool shift, control, alt;
    } keys[] = {{'A', false, true, false}, {'N', false, true, false},       {'W', false, true, false},
                {'S', false, true, false}, {'O', false, true, false},       {'P', false, true, false},
                {'C', false, true, false}, {'E', false, false, true},       {'D', false, false, true},
                {'5', false, true, false}, {VK_INSERT, true, false, false}, {VK_INSERT, false, true, false}};
    vb::Clipboard().Clear(); // Shift+Insert in the box pastes nothing
    for (HWND focus : {form().txtColor[1].hWnd(), form().Colors.hWnd()}) {
        SetFocus(focus);
        pumpMessages();
        for (const auto& k : keys) {
            pm::test::pressKey(GetFocus(), k.vk, k.shift, k.control, k.alt);
            pumpMessages();
            EXPECT_EQ(components(), "10,20,30") << k.vk;
        }
    }
    EXPECT_EQ(form().CON, &form().Label1[0]);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(dialogs.colourRequests, 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(tintara::NamedColors::instance(), nullptr);
    EXPECT_EQ(tintara::PickColor::instance(), nullptr);
    // Shift alone still runs the commands that take it.
    key('N', true);
    EXPECT_EQ(form().Label1[0].Tag, "#F5EBE1");
}

// Ctrl+V in a component box pastes into the box, over its selection, and runs no command.
TEST_F(CommandTest, PastingIntoAComponentBox) {
    start();
    setColour(10, 20, 30);
    vb::TextBox& green = form().txtColor[1];
    pm::test::click(green.hWnd(), POINT{5, 5});
    pumpMessages();
    vb::Clipboard().SetText("77");
    key('A', false, true);
    key('V', false, true);
    EXPECT_EQ(green.Text(), "77");
    key(VK_RETURN);
    EXPECT_EQ(components(), "10,77,30");
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_TRUE(shown.empty());
}

} // namespace
