#include "colourtool/app/drawn_pictures.h"
#include "colourtool/app/tray_icon.h"

#include "platform/forms/form.h"
#include "platform/forms/notify_icon.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintara;
using pm::test::pumpMessages;

namespace {

class Host : public vb::Form {
public:
    Host() : vb::Form("Form1", 200, 100) {}
    TrayIcon Tray{*this, "TrayIcon", 10, 10};
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        vb::setNotifyIcon(&tray);
        picture = drawTrayPicture();
        host.Tray.SetTrayIcon(picture);
        host.Tray.SetToolTipText("Tintara");
        host.Tray.Click = [this] { log.push_back("Click"); };
        host.Tray.MouseDown = [this](int b) { log.push_back("MouseDown " + std::to_string(b)); };
        host.Tray.MouseUp = [this](int b) { log.push_back("MouseUp " + std::to_string(b)); };
        host.Tray.DblClick = [this](int b) { log.push_back("DblClick " + std::to_string(b)); };
        host.Show();
        pumpMessages();
    }
    void TearDown() override {
        host.Tray.TaskInvisible();
        vb::setNotifyIcon(nullptr);
        DeleteObject(picture);
    }
    void notify(const std::vector<LPARAM>& messages) {
        for (LPARAM m : messages)
            PostMessage(host.Tray.hookWindow(), WM_MOUSEMOVE, 1, m);
        pumpMessages();
    }

    const vb::FakeNotifyIcon::Icon* icon() const { return tray.find(host.Tray.hookWindow(), 1); }

    vb::FakeNotifyIcon tray;
    Host host;
    HBITMAP picture = nullptr;
    std::vector<std::string> log;
};

TEST_F(TrayIconTest, NotificationsBecomeEventsInTheShellsOrder) {
    const struct {
        std::vector<LPARAM> messages;
        std::vector<std::string> events;
    } cases[] = {
        {{WM_RBUTTONDOWN, WM_RBUTTONUP}, {"MouseDown 2", "MouseUp 2", "Click"}},
        {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {"MouseDown 1", "MouseUp 1", "Click", "DblClick 1", "MouseUp 1", "Click"}},
        {{WM_RBUTTONDBLCLK}, {"DblClick 2"}},
        {{WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_MBUTTONUP, 0, 70000}, {}},
    };
    for (const auto& c : cases) {
        log.clear();
        notify(c.messages);
        EXPECT_EQ(log, c.events) << c.messages.front();
    }
    EXPECT_EQ(host.Tray.LastMessage(), 70000 & 0xFFFF);
}

TEST_F(TrayIconTest, TheShellsClicksReachTheHostThroughTheAddedIcon) {
    host.Tray.TaskVisible();
    ASSERT_TRUE(host.Tray.IconShown());
    ASSERT_NE(icon(), nullptr);
    EXPECT_EQ(icon()->callbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_NE(icon()->icon, nullptr);
    tray.Click(host.Tray.hookWindow(), 1, WM_RBUTTONDOWN);
    tray.Click(host.Tray.hookWindow(), 1, WM_RBUTTONUP);
    const std::vector<std::string> expected = {"MouseDown 2", "MouseUp 2", "Click"};
    EXPECT_EQ(log, expected);
}

TEST_F(TrayIconTest, ClicksWhileAHostHandlerRunsAreDropped) {
    host.Tray.MouseUp = [this](int b) {
        log.push_back("MouseUp " + std::to_string(b));
        // As a popup menu's loop would, let the clicks that arrive meanwhile be dispatched.
        tray.Click(host.Tray.hookWindow(), 1, WM_LBUTTONDOWN);
        tray.Click(host.Tray.hookWindow(), 1, WM_LBUTTONUP);
    };
    host.Tray.TaskVisible();
    notify({WM_RBUTTONDOWN, WM_RBUTTONUP});
    const std::vector<std::string> expected = {"MouseDown 2", "MouseUp 2", "Click"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(host.Tray.LastMessage(), WM_LBUTTONUP);
    log.clear();
    notify({WM_LBUTTONDBLCLK});
    EXPECT_EQ(log, std::vector<std::string>{"DblClick 1"});
}

TEST_F(TrayIconTest, TheIconCarriesItsTipCutTo63Characters) {
    const std::string seventy(70, 'x');
    const struct {
        std::string tip, shown;
    } cases[] = {{"Tintara", "Tintara"},
                 {"", ""},
                 {seventy, seventy.substr(0, 63)},
                 {seventy.substr(0, 64), seventy.substr(0, 63)}};
    for (const auto& c : cases) {
        host.Tray.SetToolTipText(c.tip);
        host.Tray.TaskVisible();
        ASSERT_NE(icon(), nullptr);
        EXPECT_EQ(icon()->tip, c.shown);
        host.Tray.TaskInvisible();
        EXPECT_EQ(icon(), nullptr);
    }
    EXPECT_EQ(TrayIcon::tipField("ab"), std::string("ab\0", 3) + std::string(61, ' '));
}

TEST_F(TrayIconTest, ASecondAddIsRefusedAndLaterChangesDoNotReachTheShownIcon) {
    host.Tray.TaskVisible();
    host.Tray.SetToolTipText("Other");
    host.Tray.TaskVisible();
    EXPECT_TRUE(host.Tray.IconShown());
    ASSERT_NE(icon(), nullptr);
    EXPECT_EQ(icon()->tip, "Tintara");
    host.Tray.TaskInvisible();
    host.Tray.TaskInvisible(); // a delete of no icon does nothing
    EXPECT_FALSE(host.Tray.IconShown());
}

TEST_F(TrayIconTest, TheControlKeepsItsSizeAndStaysInvisible) {
    EXPECT_EQ(host.Tray.Width(), 28);
    host.Tray.Move(40, 30, 100, 70);
    EXPECT_EQ(host.Tray.Left(), 40);
    EXPECT_EQ(host.Tray.Width(), 28);
    EXPECT_EQ(host.Tray.Height(), 28);
    EXPECT_FALSE(IsWindowVisible(host.Tray.hWnd()));
}

TEST_F(TrayIconTest, HidingToTheTrayHidesOrMinimisesWhereThereIsNoTray) {
    host.Tray.TaskVisible();
    hideToTray(host, host.Tray);
    EXPECT_FALSE(IsWindowVisible(host.hWnd()));
    restoreFromTray(host);
    EXPECT_TRUE(IsWindowVisible(host.hWnd()));
    host.Tray.TaskInvisible();

    vb::FakeNotifyIcon none(false);
    vb::setNotifyIcon(&none);
    host.Tray.TaskVisible();
    EXPECT_FALSE(host.Tray.IconShown());
    hideToTray(host, host.Tray);
    EXPECT_TRUE(IsWindowVisible(host.hWnd()));
    EXPECT_EQ(host.WindowState(), vb::vbMinimized);
    restoreFromTray(host);
    EXPECT_EQ(host.WindowState(), vb::vbNormal);
    EXPECT_TRUE(IsWindowVisible(host.hWnd()));
    vb::setNotifyIcon(&tray);
}

} // namespace

namespace {

TEST(TrayPicture, HuesFramedInDarkGreyEightTimesItsSize) {
    vb::Form board("Board", 128, 128);
    HBITMAP picture = drawTrayPicture();
    board.PaintPicture(picture, 0, 0, 128, 128);
    DeleteObject(picture);
    board.Show();
    pumpMessages();
    EXPECT_EQ(board.Point(2, 2), static_cast<long>(RGB(64, 64, 64)));
    EXPECT_EQ(board.Point(12, 12), static_cast<long>(RGB(255, 153, 153))); // red, light, at the top left
    EXPECT_TRUE(pm::test::saveWindowPng(board.hWnd(), pm::test::outputFolder() + "/tintara_tray.png"));
}

} // namespace
