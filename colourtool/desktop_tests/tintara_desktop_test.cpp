// The colour tool on a real desktop: its borderless main window takes clicks and keys from the
// window manager, moves by its drawn title bar, minimises and comes back, and its questions come up
// above it and hand the keys back when they close; names typed into the file dialogs that are no
// regular file end in a message.

#include "colourtool/app/form1.h"
#include "colourtool/app/frm_palette.h"
#include "colourtool/app/pick_color.h"

#include "platform/forms/app.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/notify_icon.h"
#include "platform/forms/url_opener.h"
#include "platform/win/desktop_tests/support/desktop_session.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace desk = pm::test::desktop;

namespace {

using Pixels = std::vector<unsigned long>; // 0xRRGGBB

// The pictures of the window's _NET_WM_ICON on the desktop, by their width.
std::map<unsigned long, Pixels> desktopIcons(HWND hwnd) {
    std::stringstream in(desk::property(hwnd, "_NET_WM_ICON", "32c"));
    std::vector<unsigned long> values;
    for (std::string item; std::getline(in, item, ',');)
        values.push_back(std::stoul(item));
    std::map<unsigned long, Pixels> icons;
    for (std::size_t at = 0; at + 2 <= values.size();) {
        unsigned long width = values[at], height = values[at + 1];
        std::size_t end = std::min(values.size(), at + 2 + width * height);
        Pixels& pixels = icons[width];
        for (std::size_t i = at + 2; i < end; ++i)
            pixels.push_back(values[i] & 0xFFFFFF);
        at = end;
    }
    return icons;
}

// The pixels of an icon drawn at its size on white.
Pixels iconPixels(HICON icon, int size) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    Pixels pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            pixels.push_back(static_cast<unsigned long>(GetRValue(c)) << 16 | GetGValue(c) << 8 |
                             GetBValue(c));
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

class TintaraOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
        vb::setNotifyIcon(trayShown() ? &tray : &noTray);
        vb::setDialogs(&dialogs);
        vb::setUrlOpener(&urls);
        const char* argv[] = {"tintara", startArgument()};
        vb::SetCommandLine(startArgument() ? 2 : 1, argv);
        vb::App().Title = "Tintara";
        form = std::make_unique<tintara::Form1>();
        form->Load();
        if (startArgument()) return;
        ASSERT_TRUE(desk::pumpUntil([this] { return desk::active(main()); }))
            << "the window manager never activated the main window";
    }
    void TearDown() override {
        // The picker is kept after it closes, as long as the program runs; a test ends it.
        tintara::PickColor::destroy();
        tintara::frmPalette::destroy();
        form.reset();
        desk::pumpFor(50);
        vb::setUrlOpener(nullptr);
        vb::setDialogs(nullptr);
        vb::setNotifyIcon(nullptr);
        vb::SetCommandLine(0, nullptr);
    }

    HWND main() const { return form->hWnd(); }
    POINT onScreen(POINT client) const {
        ClientToScreen(main(), &client);
        return client;
    }
    // Types the red component into its box, as a user does: click, "5", Enter.
    void typeRed() {
        const HWND box = form->txtColor[0].hWnd();
        // The keys follow once a click has given the box the focus.
        desk::clickUntil(desk::centre(desk::screenRect(box)), [box] { return GetFocus() == box; });
        typeIntoFocus("5");
    }
    // Replaces the focused box's text with `digits` and Enter, with no click first.
    void typeIntoFocus(const std::string& digits) {
        desk::keys({"End", "BackSpace", "BackSpace", "BackSpace", digits, "Return"});
        desk::pumpUntil([&] { return form->Color[0].Tag == digits; });
    }
    // "New" by its key; the question is answered with `keys`; true when it came up above the main
    // window with the desktop's activation.
    bool askNew(const std::vector<std::string>& keys) {
        std::vector<std::string> input{"key", "--delay", "30"};
        input.insert(input.end(), keys.begin(), keys.end());
        desk::answerNextModal(main(), input, "tintara_desktop_question");
        desk::keys({"Insert"});
        desk::pumpFor(100);
        return desk::modalSighting().window != nullptr && desk::modalSighting().aboveOwner;
    }

    // Whether the desktop has a notification area.
    virtual bool trayShown() const { return true; }
    // The program's command line after its name, if any.
    virtual const char* startArgument() const { return nullptr; }

    vb::FakeNotifyIcon tray;
    vb::FakeNotifyIcon noTray{false};
    vb::FakeDialogs dialogs;
    vb::FakeUrlOpener urls;
    std::unique_ptr<tintara::Form1> form;
};

TEST_F(TintaraOnTheDesktop, AClickAndTypedDigitsChangeTheColour) {
    EXPECT_EQ(form->Label1[0].Tag, "#000000");
    typeRed();
    EXPECT_EQ(form->Color[0].Tag, "5");
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}

TEST_F(TintaraOnTheDesktop, TheDrawnTitleBarDragsTheWindow) {
    RECT before = desk::screenRect(main());
    POINT grip = onScreen(POINT{150, 7});
    desk::drag(grip, POINT{grip.x + 120, grip.y - 200});
    EXPECT_TRUE(desk::pumpUntil([&] { return desk::screenRect(main()).left == before.left + 120; }));
    RECT after = desk::screenRect(main());
    desk::saveScreenPng("tintara_desktop_moved");
    EXPECT_EQ(after.left - before.left, 120);
    EXPECT_EQ(after.top - before.top, -200);
    typeRed(); // the window still takes clicks and keys where it now is
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}

// The window hides as the button goes down on the hide image; the button comes up once it is gone,
// where the desktop gives the release to another window.
TEST_F(TintaraOnTheDesktop, TheHideImageHidesToTheTrayAndTheTrayBringsItBack) {
    const POINT hide = onScreen(POINT{354, 7});
    desk::xdotool(
        {"mousemove", std::to_string(hide.x), std::to_string(hide.y), "sleep", "0.05", "mousedown", "1"});
    EXPECT_TRUE(desk::pumpUntil([this] { return !IsWindowVisible(main()); }));
    desk::xdotool({"mouseup", "1"});
    // The window manager hands the focus on in its own time: its active-window property says when.
    EXPECT_TRUE(desk::pumpUntil([this] { return !desk::active(main()); }));
    ASSERT_TRUE(tray.Click(form->TrayIcon.hookWindow(), 1, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(desk::pumpUntil([this] { return IsWindowVisible(main()) && desk::active(main()); }));
    // The window manager places the window shown again; the click waits until it stands there.
    EXPECT_TRUE(desk::pumpUntil([this] {
        RECT ours{};
        GetWindowRect(main(), &ours);
        const RECT shown = desk::desktopRect(main());
        return EqualRect(&ours, &shown) != FALSE;
    }));
    typeRed();
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}

// Where the desktop has no notification area, the title bar's hide image minimises the window.
class TintaraWithoutTray : public TintaraOnTheDesktop {
protected:
    bool trayShown() const override { return false; }
};

TEST_F(TintaraWithoutTray, TheHideImageMinimisesAndARestoreBringsItBack) {
    desk::click(onScreen(POINT{354, 7})); // the hide image
    EXPECT_TRUE(desk::pumpUntil([this] { return IsIconic(main()) && desk::iconic(main()); }));
    std::string id = std::to_string(desk::xWindow(main()));
    desk::xdotool({"windowactivate", id});
    EXPECT_TRUE(desk::pumpUntil(
        [this] { return !IsIconic(main()) && GetActiveWindow() == main() && desk::active(main()); }));
    typeRed();
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}

// Started with "-t" where the desktop has no notification area, the window comes up minimised on
// the desktop and stays so; the desktop brings it back with the keys.
class TintaraStartedHidden : public TintaraWithoutTray {
protected:
    const char* startArgument() const override { return "-t"; }
};

TEST_F(TintaraStartedHidden, StartsMinimisedAndComesBackWhenActivated) {
    const auto iconicOnTheDesktop = [this] {
        return IsIconic(main()) && desk::property(main(), "WM_STATE", "32c") == "3, 0";
    };
    EXPECT_TRUE(desk::pumpUntil(iconicOnTheDesktop)) << desk::property(main(), "WM_STATE", "32c");
    desk::pumpFor(500); // nothing of ours restores it afterwards
    EXPECT_TRUE(iconicOnTheDesktop()) << desk::property(main(), "WM_STATE", "32c");
    EXPECT_TRUE(desk::iconic(main())) << desk::property(main(), "_NET_WM_STATE");
    desk::xdotool({"windowactivate", std::to_string(desk::xWindow(main()))});
    EXPECT_TRUE(desk::pumpUntil(
        [this] { return !IsIconic(main()) && GetActiveWindow() == main() && desk::active(main()); }));
    typeRed();
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}

// The screen picker hides the window and shows it again with the colour picked: after the desktop
// restored the minimised window, it comes back shown, not minimised again.
TEST_F(TintaraWithoutTray, AScreenPickAfterARestoreShowsTheWindowAgain) {
    desk::click(onScreen(POINT{354, 7})); // the hide image
    ASSERT_TRUE(desk::pumpUntil([this] { return IsIconic(main()) && desk::iconic(main()); }));
    desk::xdotool({"windowactivate", std::to_string(desk::xWindow(main()))});
    ASSERT_TRUE(desk::pumpUntil([this] { return !IsIconic(main()) && desk::active(main()); }));
    tintara::PickColor::open(false);
    desk::pumpFor(100);
    desk::click(POINT{600, 400});
    EXPECT_TRUE(desk::pumpUntil([this] { return IsWindowVisible(main()) != FALSE; }));
    desk::pumpFor(300);
    EXPECT_FALSE(IsIconic(main()));
    EXPECT_FALSE(desk::iconic(main())) << desk::property(main(), "_NET_WM_STATE");
    EXPECT_EQ(desk::property(main(), "WM_STATE", "32c"), "1, 0") << "the desktop shows it";
}

// With "Always on top" on, the close image's question comes up above the window and answers the
// mouse: Cancel keeps the program, OK ends it.
TEST_F(TintaraOnTheDesktop, TheExitQuestionOverAnAlwaysOnTopWindowAnswersTheMouse) {
    const int topmost = 9; // "Always on top"
    RECT bar = desk::screenRect(form->Tool.hWnd());
    desk::click(POINT{bar.left + form->Tool.faceLeft(topmost) + 10, bar.top + 12});
    ASSERT_TRUE(desk::pumpUntil([this] {
        return desk::property(main(), "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
    }));
    for (int button : {IDCANCEL, IDOK}) {
        HWND box = nullptr;
        bool aboveOwner = false;
        desk::giveInputInTurn({
            {[&] { return (box = desk::activeOwnedBy(main())) != nullptr; },
             [&] {
                 aboveOwner = desk::stackedAbove(box, main());
                 return desk::clickAt(desk::centre(desk::screenRect(GetDlgItem(box, button))));
             }},
            // Ended by the click; were it not, Escape would end it after a while and fail the test.
            {[&] { return !IsWindow(box); },
             [] {
                 return std::vector<std::string>{"sleep", "0"};
             }},
        });
        desk::click(onScreen(POINT{368, 7})); // the close image
        desk::pumpFor(100);
        EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "steps that waited in vain";
        EXPECT_TRUE(aboveOwner) << button;
        EXPECT_EQ(form->TrayIcon.IconShown(), button == IDCANCEL) << "OK removes the icon and ends";
    }
}

// The tool bar lights the button under the pointer and lets it go when the pointer leaves the
// window for a place no window of ours covers.
TEST_F(TintaraOnTheDesktop, AToolButtonLetsGoOfItsLightWhenThePointerLeavesTheWindow) {
    const int filter = 6; // "Brightness..."
    RECT bar = desk::screenRect(form->Tool.hWnd());
    const POINT over{bar.left + form->Tool.faceLeft(filter) + 10, bar.top + 12};
    desk::xdotool({"mousemove", std::to_string(over.x), std::to_string(over.y)});
    ASSERT_TRUE(desk::pumpUntil([this] { return form->Tool.button(filter).Hot; }));
    desk::xdotool({"mousemove", "1100", "100"});
    EXPECT_TRUE(desk::pumpUntil([this] { return !form->Tool.button(filter).Hot; }));
    EXPECT_EQ(form->Tool.tipText(), "");
}

// "Always on top" keeps the window above other programs' windows on the desktop, until it is
// clicked again.
TEST_F(TintaraOnTheDesktop, AlwaysOnTopKeepsTheWindowAboveOnTheDesktop) {
    const auto above = [this] {
        return desk::property(main(), "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
    };
    const int topmost = 9; // "Always on top"
    RECT bar = desk::screenRect(form->Tool.hWnd());
    const POINT button{bar.left + form->Tool.faceLeft(topmost) + 10, bar.top + 12};
    desk::click(button);
    EXPECT_TRUE(desk::pumpUntil(above)) << desk::property(main(), "_NET_WM_STATE");
    desk::click(button);
    EXPECT_TRUE(desk::pumpUntil([&] { return !above(); })) << desk::property(main(), "_NET_WM_STATE");
}

// The imported palette's window is owned by the main window: the desktop is told so, and a click on
// the main window leaves the palette above it.
TEST_F(TintaraOnTheDesktop, ThePaletteStaysAboveTheMainWindowWhenTheMainWindowIsClicked) {
    dialogs.fileAnswer = [](vb::FakeDialogs::Kind, const vb::FileDialogRequest&) {
        return std::optional<std::string>(std::string(PM_TEST_DATA_DIR) + "/palettes/sixteen.pal");
    };
    tintara::importPalette();
    const HWND palette = tintara::frmPalette::get().hWnd();
    ASSERT_TRUE(desk::pumpUntil([&] {
        return IsWindowVisible(palette) && desk::stackedAbove(palette, main());
    })) << "the palette never came up above the main window";
    EXPECT_EQ(desk::property(palette, "WM_TRANSIENT_FOR", "32c"), std::to_string(desk::xWindow(main())));
    // A click into the red box changes no colour.
    desk::click(desk::centre(desk::screenRect(form->txtColor[0].hWnd())));
    EXPECT_TRUE(desk::pumpUntil([this] { return desk::active(main()); })) << "the click never activated it";
    desk::pumpFor(300); // the window manager restacks as it activates
    EXPECT_TRUE(desk::stackedAbove(palette, main()))
        << desk::property(palette, "WM_TRANSIENT_FOR") << " / " << desk::xWindow(main());
}

TEST_F(TintaraOnTheDesktop, NewAsksAboveTheWindowAndTheKeysComeBackAfterwards) {
    typeRed();
    // Keys typed into a component box stay there, so the window's keys need the focus elsewhere.
    form->Colors.SetFocus();
    desk::pumpFor(50);
    ASSERT_TRUE(askNew({"Escape"})) << "the question did not come up above the main window";
    EXPECT_EQ(desk::modalSighting().title, "\"Tintara\"");
    EXPECT_EQ(form->Label1[0].Tag, "#050000") << "Cancel keeps the document";
    // No click: the window's key table has the keys again ("5" selects the preview sample).
    EXPECT_TRUE(desk::pumpUntil([this] { return desk::active(main()); }));
    desk::keys({"5"});
    EXPECT_TRUE(desk::pumpUntil([this] { return form->CON == &form->Preview; }));
    ASSERT_TRUE(askNew({"Return"}));
    EXPECT_TRUE(desk::pumpUntil([this] { return form->Label1[0].Tag == "#000000"; })) << "OK starts afresh";
    EXPECT_TRUE(desk::pumpUntil([this] { return desk::active(main()) && IsChild(main(), GetFocus()); }));
}

// The desktop shows the window with the program's icon, large for task lists and small for title
// bars, as the program drew it.
TEST_F(TintaraOnTheDesktop, TheDesktopShowsTheProgramsIcon) {
    HICON big = reinterpret_cast<HICON>(SendMessage(main(), WM_GETICON, ICON_BIG, 0));
    HICON small = reinterpret_cast<HICON>(SendMessage(main(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    std::map<unsigned long, Pixels> shown;
    EXPECT_TRUE(desk::pumpUntil([&] { return (shown = desktopIcons(main())).size() == 2; }))
        << desk::property(main(), "_NET_WM_ICON");
    EXPECT_EQ(shown[32], iconPixels(big, 32));
    EXPECT_EQ(shown[16], iconPixels(small, 16));
}

// The program itself, started as a user starts it: its window's title, class and icon on the desktop.
TEST_F(TintaraOnTheDesktop, TheProgramsWindowHasItsTitleClassAndIcon) {
    const char* argv[] = {PM_TINTARA_PROGRAM, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    std::string found;
    char command[128];
    std::snprintf(command, sizeof command, "timeout 10 xdotool search --sync --onlyvisible --pid %d", pid);
    if (FILE* pipe = popen(command, "r")) {
        char line[64] = {};
        if (std::fgets(line, sizeof line, pipe)) found = line;
        pclose(pipe);
    }
    std::string title, wmClass, icon;
    if (!found.empty()) {
        std::string id = std::to_string(std::stoul(found));
        auto read = [&](const char* name) {
            std::string text;
            std::string cmd = "xprop -id " + id + " " + name;
            if (FILE* pipe = popen(cmd.c_str(), "r")) {
                char line[256] = {};
                if (std::fgets(line, sizeof line, pipe)) text = line;
                pclose(pipe);
            }
            return text;
        };
        title = read("_NET_WM_NAME");
        wmClass = read("WM_CLASS");
        icon = read("_NET_WM_ICON");
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    ASSERT_FALSE(found.empty()) << "the program showed no window";
    EXPECT_EQ(title, "_NET_WM_NAME(UTF8_STRING) = \"Tintara 2.5.0 - Untitled\"\n");
    EXPECT_EQ(wmClass, "WM_CLASS(STRING) = \"tintara\", \"Tintara\"\n");
    EXPECT_EQ(icon, "_NET_WM_ICON(CARDINAL) = \tIcon (32 x 32):\n");
}

} // namespace

// Names that are no regular file, typed into the desktop's file dialogs as a user types them: Save
// As to a new file under /proc and Open of a named pipe are each refused with a message naming the
// file, and the dialog is shown again (nothing reads or waits on what the name stands for), and the window
// goes on taking clicks and keys.
TEST_F(TintaraOnTheDesktop, SaveAsUnderProcAndOpenOfANamedPipeEndInAMessage) {
    vb::SystemDialogs desktopDialogs;
    vb::setDialogs(&desktopDialogs);
    std::vector<std::string> told;
    pm::setMessageBoxHook([&told](HWND, const std::string& text, const std::string&, UINT) {
        told.push_back(text);
        return IDOK;
    });
    desk::typeIntoNextFileDialog(main(), "/proc/x.sql", true);
    form->popup3b_Click(1);
    ASSERT_EQ(told.size(), 1u) << "Save As ended without a message";
    EXPECT_EQ(told[0], "/proc/x.sql is a system file, not a regular file");

    char folder[] = "/tmp/tintara-pipe-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string pipe = std::string(folder) + "/pipe.htm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    desk::typeIntoNextFileDialog(main(), pipe, true);
    form->openDocument();
    ::unlink(pipe.c_str());
    ::rmdir(folder);
    pm::setMessageBoxHook(nullptr);
    vb::setDialogs(&dialogs);
    ASSERT_EQ(told.size(), 2u) << "Open ended without a message";
    EXPECT_EQ(told[1], pipe + " is a named pipe, not a regular file");

    ASSERT_TRUE(desk::pumpUntil([this] { return desk::active(main()); }));
    typeRed();
    EXPECT_EQ(form->Label1[0].Tag, "#050000");
}
