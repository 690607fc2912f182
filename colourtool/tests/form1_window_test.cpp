#include "support/form1_fixture.h"
#include "support/temp_folder.h"

#include "cmake/test_files.h"
#include "platform/forms/app.h"
#include "platform/win/tests/support/test_windows.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using pm::test::pumpMessages;

namespace {

// Writes a 24-bit BMP file of width x height whose pixel (x, y) is colour(x, y).
template <class Colour> void writeBmp(const std::string& path, int width, int height, Colour colour) {
    int rowBytes = (width * 3 + 3) / 4 * 4;
    int size = 54 + rowBytes * height;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    auto put = [&bytes](int at, int value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(2, size, 4), put(10, 54, 4), put(14, 40, 4), put(18, width, 4), put(22, height, 4);
    put(26, 1, 2), put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            int at = 54 + (height - 1 - y) * rowBytes + x * 3;
            put(at, GetBValue(c), 1), put(at + 1, GetGValue(c), 1), put(at + 2, GetRValue(c), 1);
        }
    pm::test::writeFile(path, bytes);
}

class WindowTest : public Form1Fixture {
protected:
    const vb::FakeNotifyIcon::Icon* icon() { return tray.find(form().TrayIcon.hookWindow(), 1); }
    void notify(UINT mouseMessage) {
        tray.Click(form().TrayIcon.hookWindow(), 1, mouseMessage);
        pumpMessages();
    }
    // Removes the quit request that ending the program posts.
    static bool takeQuit() {
        MSG msg;
        return PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }
};

// The "N" of a named colour lies clear of the scale picture and of the blue box, inside its panel.
TEST_F(WindowTest, TheNamedMarkOverlapsNothing) {
    start();
    setColour(255, 0, 0);
    form().popup4c_Click(0);
    pumpMessages();
    const vb::Control& mark = form().Named;
    ASSERT_TRUE(mark.Visible());
    auto rect = [](const vb::Control& c) {
        return RECT{c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
    };
    // Grown by one pixel all round, so that touching counts too.
    auto clearOf = [&](const vb::Control& other) {
        RECT a = rect(mark), b = rect(other), meet{};
        InflateRect(&b, 1, 1);
        return !IntersectRect(&meet, &a, &b);
    };
    EXPECT_TRUE(clearOf(form().ColorSystem[0]));
    EXPECT_TRUE(clearOf(form().txtColor[2]));
    EXPECT_LE(mark.Top() + mark.Height(), form().Colors.Height());
    EXPECT_LE(mark.Left() + mark.Width(), form().Colors.Width());
    savePicture("tintara_main_named_mark");
}

TEST_F(WindowTest, PicturesOfEachView) {
    start();
    setColour(255, 128, 0);
    form().Timer1.OnTimer();
    std::vector<std::vector<COLORREF>> pictures{savePicture("tintara_main_sliders")};
    EXPECT_GT(std::count(pictures[0].begin(), pictures[0].end(), RGB(255, 128, 0)), 0)
        << "the sliders show the working colour";
    const char* names[] = {"websafe", "vb", "psp", "windows"};
    for (int k = 0; k < 4; ++k) {
        form().popup4c_Click(k);
        pictures.push_back(savePicture(std::string("tintara_main_scale_") + names[k]));
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_FALSE(pictures[i].empty()) << "picture " << i << " saved";
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(pictures[i], pictures[j])
                << "pictures " << j << " and " << i << " show different views";
    }
}

// A program folder of the test's own, so that tests running at the same time do not see each
// other's pictures.
class OwnProgramFolder {
public:
    OwnProgramFolder() { vb::SetAppPathForTests(m_folder.path()); }
    ~OwnProgramFolder() { vb::SetAppPathForTests(""); }
    const std::string& path() const { return m_folder.path(); }

private:
    TempFolder m_folder;
};

TEST_F(WindowTest, CustomPalettesOfTheProgramFolder) {
    OwnProgramFolder programFolder;
    std::string folder = programFolder.path();
    std::string sky = folder + "/Sky.bmp", mine = folder + "/my.palette.bmp";
    writeBmp(sky, 292, 63, [](int x, int y) { return RGB(x * 255 / 291, 128, y * 4); });
    writeBmp(mine, 8, 8, [](int, int) { return RGB(1, 2, 3); });
    start();
    vb::Menu* custom = form().menuItem("mnuCustom");
    EXPECT_TRUE(custom->Enabled);
    EXPECT_FALSE(form().menuItem("mnuCustomItem", 0)->Visible);
    std::vector<std::string> captions;
    for (int i = 1; vb::Menu* item = form().menuItem("mnuCustomItem", i); ++i)
        captions.push_back(item->Caption + "=" + item->Tag);
    EXPECT_EQ(captions, (std::vector<std::string>{"My=my.palette.bmp", "Sky=Sky.bmp"}));
    form().popup4c_Click(0);
    form().mnuCustomItem_Click(2);
    pumpMessages();
    EXPECT_TRUE(form().ColorSyst.Visible());
    EXPECT_TRUE(form().menuItem("mnuCustomItem", 2)->Checked);
    EXPECT_FALSE(form().menuItem("popup4c", 0)->Checked);
    EXPECT_FALSE(form().ColorSystem[0].Visible());
    EXPECT_EQ(form().ViewIndex, 1);
    pm::test::click(form().ColorSyst.hWnd(), POINT{291, 10});
    pumpMessages();
    EXPECT_EQ(components(), "255,128,40");
    EXPECT_FALSE(savePicture("tintara_main_custom_palette").empty());
    std::remove(sky.c_str());
    std::remove(mine.c_str());
    form().mnuCustomItem_Click(1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid picture. All BMP pictures in the app directory are shown here.");
    EXPECT_TRUE(form().menuItem("mnuCustomItem", 2)->Checked);
}

TEST_F(WindowTest, BesideASmallCustomPictureNothingIsPicked) {
    OwnProgramFolder programFolder;
    writeBmp(programFolder.path() + "/Tiny.bmp", 4, 3, [](int, int) { return RGB(10, 20, 30); });
    start();
    form().mnuCustomItem_Click(1);
    pumpMessages();
    ASSERT_TRUE(form().ColorSyst.Visible());
    for (POINT beside : {POINT{4, 0}, POINT{0, 3}, POINT{150, 30}, POINT{291, 62}}) {
        setColour(1, 2, 3);
        pm::test::click(form().ColorSyst.hWnd(), beside);
        pumpMessages();
        EXPECT_EQ(components(), "1,2,3") << beside.x << "," << beside.y;
    }
    pm::test::click(form().ColorSyst.hWnd(), POINT{3, 2});
    pumpMessages();
    EXPECT_EQ(components(), "10,20,30");
}

TEST_F(WindowTest, ACutCustomPictureIsRefused) {
    OwnProgramFolder programFolder;
    std::string cut = programFolder.path() + "/Cut.bmp";
    writeBmp(cut, 40, 20, [](int, int) { return RGB(200, 100, 50); });
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 40 * 3);
    start();
    form().popup4c_Click(1);
    form().mnuCustomItem_Click(1);
    pumpMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid picture. All BMP pictures in the app directory are shown here.");
    EXPECT_FALSE(form().ColorSyst.Visible());
    EXPECT_FALSE(form().menuItem("mnuCustomItem", 1)->Checked);
    EXPECT_TRUE(form().menuItem("popup4c", 1)->Checked);
}

TEST_F(WindowTest, ALargeCustomPictureIsShrunkToShowItWhole) {
    struct Case {
        const char* file;
        int width, height;
        int shownWidth, shownHeight; // fitted into the 292 x 63 palette area, its shape kept
    };
    const Case cases[] = {{"Tall.bmp", 100, 700, 9, 63}, {"Wide.bmp", 600, 100, 292, 49}};
    OwnProgramFolder programFolder;
    for (const Case& c : cases)
        writeBmp(programFolder.path() + "/" + c.file, c.width, c.height, [&c](int x, int y) {
            return RGB(x < c.width / 2 ? 255 : 0, y < c.height / 2 ? 0 : 255, x < c.width / 2 ? 0 : 255);
        });
    start();
    HWND area = form().ColorSyst.hWnd();
    for (int i = 0; i < 2; ++i) {
        const Case& c = cases[i];
        form().mnuCustomItem_Click(i + 1);
        pumpMessages();
        ASSERT_TRUE(form().ColorSyst.Visible()) << c.file;
        pm::test::click(area, POINT{0, 0});
        pumpMessages();
        EXPECT_EQ(components(), "255,0,0") << c.file;
        // The far corner of the picture is reachable; beside it nothing is picked.
        pm::test::click(area, POINT{c.shownWidth - 1, c.shownHeight - 1});
        pumpMessages();
        EXPECT_EQ(components(), "0,255,255") << c.file;
        if (c.shownWidth < 292) pm::test::click(area, POINT{c.shownWidth, 0});
        if (c.shownHeight < 63) pm::test::click(area, POINT{0, c.shownHeight});
        pumpMessages();
        EXPECT_EQ(components(), "0,255,255") << c.file;
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowTest, WithoutBitmapsCustomStaysDisabled) {
    OwnProgramFolder programFolder;
    start();
    EXPECT_FALSE(form().menuItem("mnuCustom")->Enabled);
    EXPECT_TRUE(form().menuItem("mnuCustomItem", 0)->Visible);
}

TEST_F(WindowTest, StartsInTheTrayOnlyWithExactlyDashT) {
    const struct {
        const char* commandLine;
        bool shown;
    } cases[] = {{"-t", false}, {"-T", true}, {"", true}, {"-t -t", true}};
    for (const auto& c : cases) {
        start(c.commandLine);
        EXPECT_EQ(form().Visible(), c.shown) << c.commandLine;
        ASSERT_NE(icon(), nullptr);
        EXPECT_EQ(icon()->tip, "Tintara");
        TearDown();
        SetUp();
    }
}

TEST_F(WindowTest, WithoutANotificationAreaHidingMinimises) {
    vb::FakeNotifyIcon none(false);
    vb::setNotifyIcon(&none);
    start("-t");
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(form().WindowState(), vb::vbMinimized);
}

TEST_F(WindowTest, HidingToTheTrayAndRestoring) {
    start();
    pm::test::click(form().hWnd(), POINT{352, 7});
    pumpMessages();
    EXPECT_FALSE(form().Visible());
    EXPECT_NE(icon(), nullptr);
    notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form().Visible());
    EXPECT_FALSE(form().Unload());
    EXPECT_FALSE(form().Visible());
    EXPECT_NE(icon(), nullptr);
    notify(WM_RBUTTONDBLCLK);
    EXPECT_TRUE(form().Visible());
    form().Hide();
    // The window is hidden, so the keys that choose "Show" are posted to it directly.
    for (WPARAM vk : {VK_DOWN, VK_RETURN})
        PostMessage(form().hWnd(), WM_KEYDOWN, vk, 1);
    notify(WM_RBUTTONUP);
    EXPECT_TRUE(form().Visible());
}

// The tray's Exit ends at once, unless the colours were changed and not saved: then it asks, and
// Cancel keeps the program.
TEST_F(WindowTest, TrayExitEndsAtOnceUnlessColoursWereChanged) {
    start();
    setColour(1, 2, 3);
    answer = IDCANCEL;
    form().Exit_Click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Discard changes and exit Tintara?");
    EXPECT_NE(icon(), nullptr);
    EXPECT_FALSE(takeQuit());
    setColour(0, 0, 0);
    form().Exit_Click();
    EXPECT_EQ(icon(), nullptr);
    EXPECT_TRUE(takeQuit());
    EXPECT_EQ(shown.size(), 1u);
}

// The close image asks first; the question speaks of the tray only where there is one, and of the
// changes when the colours were not saved.
TEST_F(WindowTest, TheCloseImageAsksFirst) {
    const std::string trayNote =
        "This will exit Tintara and remove it from the tray. To put Tintara in the tray "
        "use the minimize button instead.\n";
    vb::FakeNotifyIcon noTray(false);
    const struct {
        bool trayShown, changed;
        std::string question;
    } cases[] = {
        {true, false, trayNote + "Are you sure you want to exit Tintara?"},
        {true, true, trayNote + "Discard changes and exit Tintara?"},
        {false, false, "Are you sure you want to exit Tintara?"},
        {false, true, "Discard changes and exit Tintara?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        shown.clear();
        if (!c.trayShown) vb::setNotifyIcon(&noTray);
        start();
        if (c.changed) setColour(1, 2, 3);
        answer = IDCANCEL;
        pm::test::click(form().hWnd(), POINT{368, 7});
        pumpMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.question);
        EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2));
        EXPECT_FALSE(takeQuit());
        answer = IDOK;
        pm::test::click(form().hWnd(), POINT{368, 7});
        pumpMessages();
        EXPECT_EQ(icon(), nullptr);
        EXPECT_TRUE(takeQuit());
        TearDown();
        SetUp();
    }
}

// Rolled up, the title bar alone shows (no sliver of the tool bar below it); rolled down, the
// window is as high as at start.
TEST_F(WindowTest, RollingUpAndDown) {
    start();
    const int atStart = form().Height();
    EXPECT_EQ(atStart, tintara::Form1::kHeight);
    pm::test::click(form().hWnd(), POINT{340, 7});
    pumpMessages();
    EXPECT_EQ(form().Height(), form().Image2.Height());
    EXPECT_LE(form().Height(), form().Tool.Top() + 1);
    savePicture("tintara_main_rolled_up");
    pm::test::click(form().hWnd(), POINT{340, 7});
    pumpMessages();
    EXPECT_EQ(form().Height(), atStart);
    form().Move(form().Left(), form().Top(), form().Width(), 50);
    pm::test::doubleClick(form().hWnd(), POINT{100, 7});
    pumpMessages();
    EXPECT_EQ(form().Height(), form().Image2.Height());
}

TEST_F(WindowTest, StatusTimerShowsTheSelectedSampleAndTips) {
    start();
    setColour(1, 2, 3);
    form().Timer1.OnTimer();
    EXPECT_EQ(form().Label2.Caption(), "#010203");
    EXPECT_EQ(form().Label1[0].ToolTipText, "#010203");
    EXPECT_EQ(form().Preview.ToolTipText, "#FFFFFF");
}

TEST_F(WindowTest, TheToolBarPassesTheFocusOn) {
    start();
    form().Tool.SetFocus();
    pumpMessages();
    EXPECT_EQ(GetFocus(), form().Colors.hWnd());
}

} // namespace
