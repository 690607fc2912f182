#include "platform/forms/dialog_service.h"
#include "platform/forms/notify_icon.h"
#include "platform/forms/url_opener.h"

#include "platform/win/shell/shell.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pm::test::MessageRecorder;
using pm::test::pumpMessages;

constexpr UINT kCallback = WM_MOUSEMOVE;

HWND recordingWindow() {
    return CreateWindowEx(0, pm::test::recordingClass(), "target", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                          nullptr, nullptr, nullptr, nullptr);
}

std::vector<LPARAM> callbacks(const MessageRecorder& recorder, HWND hwnd) {
    std::vector<LPARAM> out;
    for (const auto& m : recorder.messages())
        if (m.hwnd == hwnd && m.message == kCallback && m.wParam == 1) out.push_back(m.lParam);
    return out;
}

class NotifyIconTest : public ::testing::Test {
protected:
    void TearDown() override {
        pm::setTrayAvailableOverride(-1);
        DestroyWindow(hwnd);
    }
    MessageRecorder recorder;
    HWND hwnd = recordingWindow();
};

TEST_F(NotifyIconTest, SystemIconIsAddedOnceWithItsTipAndReportsClicks) {
    pm::setTrayAvailableOverride(1);
    vb::SystemNotifyIcon tray;
    std::string longTip(200, 'x');
    ASSERT_TRUE(tray.Add(hwnd, 1, kCallback, nullptr, longTip));
    EXPECT_FALSE(tray.Add(hwnd, 1, kCallback, nullptr, "again"));
    std::string tip;
    ASSERT_TRUE(pm::trayIconExists(hwnd, 1, &tip));
    EXPECT_EQ(tip, std::string(127, 'x'));

    recorder.clear();
    pm::trayIconActivated(hwnd, 1, 1 /* context: the right button */);
    pumpMessages();
    EXPECT_EQ(callbacks(recorder, hwnd), (std::vector<LPARAM>{WM_RBUTTONDOWN, WM_RBUTTONUP}));

    EXPECT_TRUE(tray.Delete(hwnd, 1));
    EXPECT_FALSE(pm::trayIconExists(hwnd, 1));
    EXPECT_FALSE(tray.Delete(hwnd, 1));
}

TEST_F(NotifyIconTest, WithoutANotificationAreaAddFails) {
    pm::setTrayAvailableOverride(0);
    EXPECT_FALSE(vb::SystemNotifyIcon().Add(hwnd, 1, kCallback, nullptr, "tip"));
    EXPECT_FALSE(vb::FakeNotifyIcon(false).Add(hwnd, 1, kCallback, nullptr, "tip"));
}

TEST_F(NotifyIconTest, FakeIconClicksArriveAsTheCallbackMessage) {
    vb::FakeNotifyIcon fake;
    vb::setNotifyIcon(&fake);
    ASSERT_TRUE(vb::notifyIcon().Add(hwnd, 1, kCallback, nullptr, "Tip"));
    EXPECT_FALSE(vb::notifyIcon().Add(hwnd, 1, kCallback, nullptr, "Tip"));
    ASSERT_NE(fake.find(hwnd, 1), nullptr);
    EXPECT_EQ(fake.find(hwnd, 1)->tip, "Tip");
    recorder.clear();
    EXPECT_TRUE(fake.Click(hwnd, 1, WM_LBUTTONDBLCLK));
    EXPECT_EQ(callbacks(recorder, hwnd), (std::vector<LPARAM>{WM_LBUTTONDBLCLK}));
    EXPECT_TRUE(vb::notifyIcon().Delete(hwnd, 1));
    EXPECT_FALSE(fake.Click(hwnd, 1, WM_LBUTTONUP));
    vb::setNotifyIcon(nullptr);
}

TEST(UrlOpenerTest, SystemOpenerHandsTheAddressToTheDesktop) {
    std::vector<pm::ShellOpenRequest> seen;
    bool answer = true;
    pm::ShellOpenHook previous = pm::setShellOpenHook([&](const pm::ShellOpenRequest& r) {
        seen.push_back(r);
        return answer;
    });
    vb::SystemUrlOpener opener;
    EXPECT_TRUE(opener.OpenUrl("https://example.org/help.html"));
    answer = false;
    EXPECT_FALSE(opener.OpenUrl("https://example.org/"));
    pm::setShellOpenHook(previous);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, pm::ShellOpenRequest::Url);
    EXPECT_EQ(seen[0].target, "https://example.org/help.html");
}

TEST(UrlOpenerTest, FakeRecordsTheAddresses) {
    vb::FakeUrlOpener fake;
    vb::setUrlOpener(&fake);
    EXPECT_TRUE(vb::urlOpener().OpenUrl("https://example.org/"));
    vb::setUrlOpener(nullptr);
    EXPECT_EQ(fake.opened, std::vector<std::string>{"https://example.org/"});
}

class DialogServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override { pm::setCommonDialogHook(nullptr); }

    static vb::FileDialogRequest paletteRequest() {
        vb::FileDialogRequest request;
        request.title = "Import";
        request.filters = {{"Palettes", "*.PAL;*.GIF"}, {"All Files", "*.*"}};
        request.folder = "/tmp";
        return request;
    }

    std::vector<pm::CommonDialogRequest> requests;
    pm::CommonDialogAnswer answer;
};

TEST_F(DialogServiceTest, FileDialogsDescribeTheRequestAndGiveThePath) {
    answer.accepted = true;
    answer.paths = {"/tmp/a.pal"};
    vb::SystemDialogs dialogs;
    EXPECT_EQ(dialogs.OpenFile(paletteRequest()), std::optional<std::string>("/tmp/a.pal"));
    EXPECT_EQ(dialogs.SaveFile(paletteRequest()), std::optional<std::string>("/tmp/a.pal"));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].kind, pm::CommonDialog::Open);
    EXPECT_EQ(requests[1].kind, pm::CommonDialog::Save);
    EXPECT_EQ(requests[0].title, "Import");
    EXPECT_EQ(requests[0].folder, "/tmp");
    EXPECT_EQ(requests[0].filters.size(), 2u);
    EXPECT_EQ(requests[0].filterIndex, 0);

    answer.accepted = false;
    EXPECT_EQ(dialogs.OpenFile(paletteRequest()), std::nullopt);
}

TEST_F(DialogServiceTest, ColourDialogGivesTheChosenColourOrNothing) {
    answer.accepted = true;
    answer.colour = RGB(10, 200, 5);
    vb::SystemDialogs dialogs;
    EXPECT_EQ(dialogs.ChooseColour(nullptr, 0, CC_FULLOPEN), std::optional<COLORREF>(RGB(10, 200, 5)));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, pm::CommonDialog::Colour);
    EXPECT_EQ(requests[0].customColours, std::vector<COLORREF>(16, RGB(255, 255, 255)));
    answer.accepted = false;
    EXPECT_EQ(dialogs.ChooseColour(nullptr, 0, CC_FULLOPEN), std::nullopt);
}

TEST(FakeDialogsTest, AnswersFromTheTestAndCancelsWhenUnset) {
    vb::FakeDialogs fake;
    vb::setDialogs(&fake);
    EXPECT_EQ(vb::dialogs().OpenFile({}), std::nullopt);
    fake.fileAnswer = [](vb::FakeDialogs::Kind kind, const vb::FileDialogRequest&) {
        return std::optional<std::string>(kind == vb::FakeDialogs::Kind::Save ? "/s" : "/o");
    };
    EXPECT_EQ(vb::dialogs().SaveFile({}), std::optional<std::string>("/s"));
    fake.colourAnswer = [](COLORREF, DWORD) { return std::optional<COLORREF>(0x123456); };
    EXPECT_EQ(vb::dialogs().ChooseColour(nullptr, 0, 0), std::optional<COLORREF>(0x123456));
    vb::setDialogs(nullptr);
    EXPECT_EQ(fake.fileRequests.size(), 2u);
    EXPECT_EQ(fake.colourRequests, 1);
}

} // namespace
