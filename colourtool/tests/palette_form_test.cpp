#include "colourtool/app/drawn_pictures.h"
#include "colourtool/app/frm_palette.h"

#include "support/fake_main_window.h"
#include "support/temp_folder.h"

#include "platform/forms/app.h"
#include "platform/forms/dialog_service.h"
#include "platform/win/caption_width.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

const std::string kData = std::string(PM_TEST_DATA_DIR) + "/palettes/";

// A GIF header with a global colour table of 2^(bits+1) entries, colour k = (k, 255 - k, k / 2).
std::string gifBytes(unsigned packed, std::size_t keep = std::string::npos) {
    std::string bytes = "GIF89a";
    bytes += std::string("\x10\x00\x10\x00", 4);
    bytes += static_cast<char>(packed);
    bytes += std::string("\x00\x00", 2);
    std::string table;
    for (std::size_t k = 0; k < (std::size_t{2} << (packed & 7u)); ++k) {
        table += static_cast<char>(k);
        table += static_cast<char>(255 - k);
        table += static_cast<char>(k / 2);
    }
    return bytes + table.substr(0, keep);
}

// A PCX header whose 16-colour palette holds colour k = (16k, k, 255 - k).
std::string pcxBytes(std::size_t length = 128) {
    std::string bytes(128, '\0');
    bytes[0] = 10;
    for (int k = 0; k < 16; ++k) {
        bytes[16 + 3 * k] = static_cast<char>(16 * k);
        bytes[17 + 3 * k] = static_cast<char>(k);
        bytes[18 + 3 * k] = static_cast<char>(255 - k);
    }
    return bytes.substr(0, length);
}

// A JASC-PAL text of `count` colours k = (k, 0, 255 - k), announcing `announced` of them.
std::string jascBytes(int count, int announced) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(announced) + "\r\n";
    for (int k = 0; k < count; ++k)
        text += std::to_string(k) + " 0 " + std::to_string(255 - k) + "\r\n";
    return text;
}

class PaletteFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setDialogs(&dialogs);
        dialogs.fileAnswer = [this](vb::FakeDialogs::Kind, const vb::FileDialogRequest&) { return answer; };
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT type) {
            messages.push_back(text + (type & MB_ICONERROR ? " (error)" : ""));
            return IDOK;
        });
        main.window().Show();
        pumpMessages();
    }
    void TearDown() override {
        frmPalette::destroy();
        pm::setMessageBoxHook(nullptr);
        vb::setDialogs(nullptr);
    }
    // Imports the file `name` holding `bytes`.
    void import(const std::string& name, const std::string& bytes) {
        answer = folder.write(name, bytes);
        importPalette();
        pumpMessages();
    }
    POINT swatchCentre(std::size_t k) const {
        const PaletteGrid& grid = frmPalette::instance()->grid();
        return POINT{grid.swatchLeft(k) + 5, grid.swatchTop(k) + 5};
    }

    FakeMainWindow main;
    vb::FakeDialogs dialogs;
    TempFolder folder;
    std::optional<std::string> answer;
    std::vector<std::string> messages;
};

TEST_F(PaletteFormTest, EachFormatShowsItsColoursInAGridThatHoldsThemAll) {
    const struct {
        const char* name;
        std::string bytes;
        std::size_t count;
        int width, height; // the inner area
        Rgb last;
    } cases[] = {
        {"full.gif", gifBytes(0x87), 256, 160, 160, {255, 0, 127}},
        {"sixteen.gif", gifBytes(0x83), 16, 40, 40, {15, 240, 7}},
        {"two.gif", gifBytes(0x80), 2, 20, 10, {1, 254, 0}},
        {"eight.GIF", gifBytes(0x82), 8, 30, 30, {7, 248, 3}},
        {"header.pcx", pcxBytes(), 16, 40, 40, {240, 15, 240}},
        {"nearly.pal", jascBytes(255, 255), 255, 160, 160, {254, 0, 1}},
        {"sixteen.pal", fixture("palettes/sixteen.pal"), 16, 40, 40, {255, 0, 88}},
        {"shouting.PAL", fixture("palettes/shouting.PAL"), 0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        messages.clear();
        import(c.name, c.bytes);
        EXPECT_TRUE(messages.empty()) << c.name;
        frmPalette* window = frmPalette::instance();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window->hWnd())) << c.name;
        EXPECT_EQ(window->Caption(), "Palette");
        if (c.count == 0) continue; // fixtures: read, shown, not measured here
        EXPECT_EQ(window->grid().clientWidth(), c.width) << c.name;
        EXPECT_EQ(window->ScaleHeight(), c.height) << c.name;
        POINT p = swatchCentre(c.count - 1);
        EXPECT_EQ(window->Point(p.x, p.y), colourValue(c.last)) << c.name;
    }
}

// An 8-bit PCX picture made by an image program: its 256 swatches show the colours another
// decoder lists for its palette, in order.
TEST_F(PaletteFormTest, A256ColourPcxShowsTheColoursAtTheEndOfTheFile) {
    const std::string listed = fixture("palettes/p256.colours");
    std::vector<COLORREF> expected;
    for (std::size_t at = listed.find('#'); at != std::string::npos && at + 7 <= listed.size();
         at = listed.find('#', at + 1)) {
        const unsigned long rgb = std::stoul(listed.substr(at + 1, 6), nullptr, 16);
        expected.push_back(colourValue(Rgb{int(rgb >> 16), int((rgb >> 8) & 255), int(rgb & 255)}));
    }
    ASSERT_EQ(expected.size(), 256u);
    import("p256.pcx", fixture("palettes/p256.pcx"));
    EXPECT_TRUE(messages.empty());
    frmPalette* window = frmPalette::instance();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->grid().clientWidth(), 160);
    EXPECT_EQ(window->ScaleHeight(), 160);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const POINT p = swatchCentre(k);
        EXPECT_EQ(window->Point(p.x, p.y), expected[k]) << "swatch " << k;
    }
}

TEST_F(PaletteFormTest, TheImportDialogAsksForPaletteFilesInTheProgramFolder) {
    importPalette();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const vb::FileDialogRequest& r = dialogs.fileRequests[0].second;
    EXPECT_EQ(dialogs.fileRequests[0].first, vb::FakeDialogs::Kind::Open);
    EXPECT_EQ(r.title, "Import file containing palette");
    const std::vector<std::pair<std::string, std::string>> filters = {
        {"Files containing a palette.", "*.PAL;*.GIF;*.PCX"}, {"All Files", "*.*"}};
    EXPECT_EQ(r.filters, filters);
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.folder, vb::App().Path());
    EXPECT_TRUE(r.flags & OFN_HIDEREADONLY);
    EXPECT_EQ(r.owner, main.window().hWnd());
    // Cancelled: nothing happens.
    EXPECT_EQ(frmPalette::instance(), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PaletteFormTest, MalformedFilesAreReportedAndChangeNothing) {
    import("first.gif", gifBytes(0x81)); // 4 colours shown before
    frmPalette* window = frmPalette::instance();
    ASSERT_NE(window, nullptr);
    const long before = window->Point(15, 5);
    // Files of no known form are of an unknown format; files of a known form cut short or
    // malformed are damaged, and the box says why.
    const std::string unknown = "Unknown palette format. (error)";
    const std::string damaged = "The palette file is damaged: ";
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"sixteen.txt", fixture("palettes/sixteen.pal"), unknown},
        {"short.gif", gifBytes(0x87, 200), damaged + "the file ends inside its global colour table. (error)"},
        {"tiny.gif", "GIF8", damaged + "the file ends inside its screen descriptor. (error)"},
        {"notgif.gif", "gif89a" + gifBytes(0x83).substr(6), unknown},
        {"notable.gif", gifBytes(0x07), unknown},
        {"short.pcx", pcxBytes(40), damaged + "the file ends inside its header palette. (error)"},
        {"lower.pal", "jasc-pal\r\n0100\r\n1\r\n1 2 3\r\n", unknown},
        {"fewer.pal", jascBytes(3, 16), damaged + "the file ends after 3 colours. (error)"},
        {"zero.pal", jascBytes(0, 0),
         damaged + "line 3: the colour count is not a number from 1 to 256. (error)"},
        {"huge.pal", jascBytes(3, 100000000),
         damaged + "line 3: the colour count is not a number from 1 to 256. (error)"},
        {"word.pal", "JASC-PAL\r\n0100\r\n1\r\nred 0 0\r\n",
         damaged + "line 4: not three numbers separated by spaces. (error)"},
        {"two.pal", "JASC-PAL\r\n0100\r\n1\r\n1 2\r\n",
         damaged + "line 4: not three numbers separated by spaces. (error)"},
        {"empty.pal", "", unknown},
    };
    for (const auto& c : cases) {
        messages.clear();
        import(c.name, c.bytes);
        EXPECT_EQ(messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(window->grid().clientWidth(), 20) << c.name;
        EXPECT_EQ(window->Point(15, 5), before) << c.name;
    }
    messages.clear();
    answer = folder.file("missing.pal");
    importPalette();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(main.applied.empty());
}

TEST_F(PaletteFormTest, TheLeftButtonPicksOnSwatchesOnly) {
    import("sixteen.gif", gifBytes(0x83));
    frmPalette* window = frmPalette::instance();
    HWND hwnd = window->hWnd();
    pm::test::click(hwnd, swatchCentre(5));
    pumpMessages();
    ASSERT_EQ(main.applied.size(), 2u); // the press and the release
    EXPECT_EQ(main.applied.back(), (Rgb{5, 250, 2}));
    EXPECT_EQ(main.samples[0], static_cast<COLORREF>(RGB(5, 250, 2)));

    // A drag with the left button picks along the way, and nothing once off the window.
    main.applied.clear();
    pm::test::pressMouse(hwnd, swatchCentre(0));
    pm::test::moveMouse(hwnd, swatchCentre(1));
    pm::test::moveMouse(hwnd, POINT{60, 15});
    pm::test::moveMouse(hwnd, POINT{-20, -20});
    pm::test::releaseMouse(hwnd, POINT{-20, -20});
    pumpMessages();
    const std::vector<Rgb> dragged = {{0, 255, 0}, {1, 254, 0}};
    EXPECT_EQ(main.applied, dragged);

    main.applied.clear();
    pm::test::click(hwnd, swatchCentre(3), VK_RBUTTON);
    pumpMessages();
    EXPECT_TRUE(main.applied.empty());
}

// A small palette's window is as wide as its title and close button need, and stays above the main
// window when that is clicked; the strip beside the swatches picks nothing.
TEST_F(PaletteFormTest, ASmallPalettesWindowFitsItsTitleAndStaysAboveTheMainWindow) {
    import("two.gif", gifBytes(0x80));
    frmPalette* window = frmPalette::instance();
    const HWND hwnd = window->hWnd();
    EXPECT_GE(window->Width(), pm::captionFitWidth(hwnd));
    EXPECT_GT(pm::captionFitWidth(hwnd), 20 + window->Width() - window->ScaleWidth());
    EXPECT_EQ(window->ScaleHeight(), 10);
    pm::test::click(hwnd, POINT{window->ScaleWidth() - 3, 5});
    pumpMessages();
    EXPECT_TRUE(main.applied.empty());

    pm::test::click(main.window().hWnd(), POINT{5, 5});
    pumpMessages();
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), main.window().hWnd());
    HWND above = hwnd;
    while ((above = GetWindow(above, GW_HWNDPREV)) && above != main.window().hWnd()) {
    }
    EXPECT_EQ(above, nullptr) << "the main window came above the palette";
}

TEST_F(PaletteFormTest, TheEmptyEndOfTheLastRowPicksNothing) {
    import("three.pal", jascBytes(3, 3)); // 2 x 2 grid, one cell empty
    frmPalette* window = frmPalette::instance();
    EXPECT_EQ(window->grid().clientWidth(), 20);
    EXPECT_EQ(window->ScaleHeight(), 20);
    pm::test::click(window->hWnd(), POINT{15, 15});
    pumpMessages();
    EXPECT_TRUE(main.applied.empty());
    pm::test::click(window->hWnd(), POINT{5, 15});
    pumpMessages();
    EXPECT_EQ(main.applied.back(), (Rgb{2, 0, 253}));
}

TEST_F(PaletteFormTest, ANewImportOverdrawsAndAClosedWindowStartsAfresh) {
    main.onTop = true;
    import("full.gif", gifBytes(0x87));
    frmPalette* window = frmPalette::instance();
    EXPECT_TRUE(window->TopMost());
    // The pointer over the window is the hand, its hot spot at the fingertip.
    EXPECT_EQ(window->MousePointer, vb::vbCustom);
    ICONINFO hand{};
    ASSERT_TRUE(GetIconInfo(window->MouseIcon, &hand));
    EXPECT_EQ(hand.xHotspot, 5u);
    EXPECT_EQ(hand.yHotspot, 0u);
    DeleteObject(hand.hbmColor);
    DeleteObject(hand.hbmMask);
    SendMessage(window->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hWnd()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), window->MouseIcon);
    vb::Form& m = main.window();
    EXPECT_EQ(window->Left(), m.Left() + m.Width() / 2 - window->Width() / 2);
    import("sixteen.pal", fixture("palettes/sixteen.pal"));
    EXPECT_EQ(window->grid().clientWidth(), 40);
    EXPECT_EQ(window->Point(5, 5), RGB(0, 255, 0));
    SendMessage(window->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window->Loaded());
    import("two.gif", gifBytes(0x80));
    EXPECT_EQ(frmPalette::instance(), window);
    EXPECT_EQ(window->grid().clientWidth(), 20);
    EXPECT_TRUE(IsWindowVisible(window->hWnd()));
}

// A smaller palette imported over a larger one: the cells it leaves empty show the window's surface,
// not the swatches of the palette before.
TEST_F(PaletteFormTest, ASmallerPaletteLeavesNoOldSwatchBehind) {
    import("sixteen.gif", gifBytes(0x83));
    import("five.pal", jascBytes(5, 5));
    frmPalette* window = frmPalette::instance();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->grid().clientWidth(), 30);
    ASSERT_EQ(window->ScaleHeight(), 20);
    const POINT empty = swatchCentre(5);
    EXPECT_EQ(window->Point(empty.x, empty.y), static_cast<long>(RGB(192, 192, 192)));
    const POINT last = swatchCentre(4);
    EXPECT_EQ(window->Point(last.x, last.y), colourValue(Rgb{4, 0, 251}));
    EXPECT_TRUE(
        pm::test::saveWindowPng(window->hWnd(), pm::test::outputFolder() + "/tintara_palette_five.png"));
}

TEST_F(PaletteFormTest, Picture) {
    std::string text = "JASC-PAL\r\n0100\r\n256\r\n";
    for (int k = 0; k < 256; ++k) {
        int row = k / 16, column = k % 16;
        text += std::to_string(column * 17) + " " + std::to_string(row * 17) + " " +
                std::to_string(255 - (row + column) * 8) + "\r\n";
    }
    import("ramp.pal", text);
    ASSERT_NE(frmPalette::instance(), nullptr);
    EXPECT_TRUE(pm::test::saveWindowPng(frmPalette::instance()->hWnd(),
                                        pm::test::outputFolder() + "/tintara_palette.png"));
}

} // namespace

namespace {

TEST(HandPointer, PictureOfTheHandFourTimesItsSize) {
    vb::Form board("Board", 128, 128);
    board.SetBackColor(RGB(255, 255, 255));
    HBITMAP hand = drawHandPicture();
    board.PaintPicture(hand, 0, 0, 128, 128);
    DeleteObject(hand);
    board.Show();
    pumpMessages();
    EXPECT_EQ(board.Point(5 * 4 + 1, 1), static_cast<long>(RGB(0, 0, 0))); // the fingertip's outline
    EXPECT_EQ(board.Point(6 * 4 + 1, 9 * 4 + 1), static_cast<long>(RGB(255, 255, 255)));
    EXPECT_TRUE(pm::test::saveWindowPng(board.hWnd(), pm::test::outputFolder() + "/tintara_hand.png"));
}

} // namespace
