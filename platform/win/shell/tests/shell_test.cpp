// Shell services: what ShellExecute would open, checked through the replaceable opener.

#include "platform/win/tests/support/test_windows.h"

#include "platform/win/shell/shell.h"
#include "platform/win/wm/window.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <gtest/gtest.h>

#include <QSystemTrayIcon>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct OpenRecorder {
    std::vector<pm::ShellOpenRequest> seen;
    bool succeed = true;
    pm::ShellOpenHook previous;
    OpenRecorder() {
        previous = pm::setShellOpenHook([this](const pm::ShellOpenRequest& r) {
            seen.push_back(r);
            return succeed;
        });
    }
    ~OpenRecorder() { pm::setShellOpenHook(previous); }
};

std::intptr_t code(HINSTANCE h) {
    return reinterpret_cast<std::intptr_t>(h);
}

} // namespace

TEST(ShellExecute, UrlGoesToTheDesktopHandler) {
    OpenRecorder rec;
    EXPECT_GT(code(ShellExecute(nullptr, "open", "https://example.org/help.html", nullptr, nullptr, SW_SHOW)),
              32);
    EXPECT_GT(code(ShellExecute(nullptr, nullptr, "mailto:a@b.c", nullptr, nullptr, SW_SHOW)), 32);
    ASSERT_EQ(rec.seen.size(), 2u);
    EXPECT_EQ(rec.seen[0].kind, pm::ShellOpenRequest::Url);
    EXPECT_EQ(rec.seen[0].target, "https://example.org/help.html");
    EXPECT_EQ(rec.seen[1].target, "mailto:a@b.c");
    rec.succeed = false;
    EXPECT_EQ(code(ShellExecute(nullptr, "open", "https://x.org", nullptr, nullptr, SW_SHOW)),
              SE_ERR_NOASSOC);
}

TEST(ShellExecute, DocumentsAndProgramsInAFolder) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QFile doc(tmp.filePath("page.html"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.close();
    QFile prog(tmp.filePath("tool"));
    ASSERT_TRUE(prog.open(QIODevice::WriteOnly));
    prog.close();
    prog.setPermissions(prog.permissions() | QFileDevice::ExeOwner);
    std::string dir = tmp.path().toStdString();

    OpenRecorder rec;
    EXPECT_GT(code(ShellExecute(nullptr, "open", "page.html", nullptr, dir.c_str(), SW_SHOW)), 32);
    EXPECT_GT(
        code(ShellExecute(nullptr, "open", (dir + "\\tool").c_str(), "-a \"b c\" d", dir.c_str(), SW_SHOW)),
        32);
    ASSERT_EQ(rec.seen.size(), 2u);
    EXPECT_EQ(rec.seen[0].kind, pm::ShellOpenRequest::Url);
    EXPECT_EQ(rec.seen[0].target, "file://" + dir + "/page.html");
    EXPECT_EQ(rec.seen[1].kind, pm::ShellOpenRequest::Program);
    EXPECT_EQ(rec.seen[1].target, dir + "/tool");
    EXPECT_EQ(rec.seen[1].args, (std::vector<std::string>{"-a", "b c", "d"}));
    EXPECT_EQ(rec.seen[1].dir, dir);
}

TEST(ShellExecute, ErrorCodes) {
    QTemporaryDir tmp;
    std::string dir = tmp.path().toStdString();
    OpenRecorder rec;
    struct Case {
        const char* verb;
        std::string file;
        std::intptr_t expected;
    } cases[] = {
        {"open", dir + "/missing.txt", SE_ERR_FNF},
        {"open", dir + "/no/such/missing.txt", SE_ERR_PNF},
        {"open", "", SE_ERR_FNF},
        {"frobnicate", "https://x.org", SE_ERR_NOASSOC},
    };
    for (const Case& c : cases)
        EXPECT_EQ(code(ShellExecute(nullptr, c.verb, c.file.c_str(), nullptr, nullptr, SW_SHOW)), c.expected)
            << c.file;
    EXPECT_TRUE(rec.seen.empty());
}

TEST(WaveSounds, HandsTheWaveFileToTheDesktopsPlayerOrStaysSilent) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString();
    QFile wave(tmp.filePath("click.wav"));
    ASSERT_TRUE(wave.open(QIODevice::WriteOnly));
    wave.close();
    const std::string played = dir + "/played.txt";
    QFile player(tmp.filePath("aplay"));
    ASSERT_TRUE(player.open(QIODevice::WriteOnly));
    player.write(("#!/bin/sh\nprintf '%s' \"$1\" > '" + played + "'\n").c_str());
    player.close();
    player.setPermissions(player.permissions() | QFileDevice::ExeOwner);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::string file = dir + "/click.wav";
    pm::takePlayedSounds();

    setenv("PATH", (dir + ":/usr/bin:/bin").c_str(), 1);
    EXPECT_TRUE(PlaySound(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
    QFile result(QString::fromStdString(played));
    ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << "a sound played without SND_ASYNC has ended on return";
    EXPECT_EQ(result.readAll().toStdString(), file);
    EXPECT_FALSE(
        PlaySound((dir + "/missing.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySound("SystemStart", nullptr, SND_ASYNC)) << "only wave files are offered";

    setenv("PATH", tmp.filePath("none").toStdString().c_str(), 1);
    EXPECT_FALSE(PlaySound(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC)) << "silent without a player";
    setenv("PATH", oldPath.c_str(), 1);

    std::vector<pm::PlayedSound> asked = pm::takePlayedSounds();
    ASSERT_EQ(asked.size(), 3u) << "every wave file asked for is recorded";
    EXPECT_EQ(asked[0].file, file);
    EXPECT_EQ(asked[0].flags, static_cast<DWORD>(SND_FILENAME | SND_NODEFAULT));
    EXPECT_EQ(asked[1].file, dir + "/missing.wav");
    EXPECT_TRUE(pm::takePlayedSounds().empty());
}

TEST(ShellExecute, TheDesktopsOpenerFindingNoProgramIsAFailure) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string opened = tmp.filePath("opened.txt").toStdString();
    QFile opener(tmp.filePath("xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(
        ("#!/bin/sh\ncase \"$1\" in *nothing*) exit 3;; esac\nprintf '%s' \"$1\" > '" + opened + "'\n")
            .c_str());
    opener.close();
    opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (tmp.path().toStdString() + ":/usr/bin:/bin").c_str(), 1);
    const std::intptr_t found =
        code(ShellExecute(nullptr, "open", "https://example.org/page", nullptr, nullptr, SW_SHOW));
    const std::intptr_t none =
        code(ShellExecute(nullptr, "open", "https://example.org/nothing", nullptr, nullptr, SW_SHOW));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_GT(found, 32);
    QFile result(QString::fromStdString(opened));
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll().toStdString(), "https://example.org/page");
    EXPECT_EQ(none, SE_ERR_NOASSOC) << "the opener found no program: not reported as opened";
}

TEST(ShellExecute, SplitsParameters) {
    struct Case {
        const char* text;
        std::vector<std::string> args;
    } cases[] = {
        {"", {}},
        {"  a   b ", {"a", "b"}},
        {"\"x y\" z", {"x y", "z"}},
        {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}},
        {"a\\\"b c", {"a\"b", "c"}},
        {"\"x \\\" --y\" z", {"x \" --y", "z"}},
        {"\"a\\\\\" b", {"a\\", "b"}},
        {"C:\\dir\\ \\\\x", {"C:\\dir\\", "\\\\x"}},
        {"end\\", {"end\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pm::splitCommandLine(c.text), c.args) << c.text;
}

namespace {

class NotifyIcon : public ::testing::Test {
protected:
    void SetUp() override {
        w = CreateWindowEx(0, "STATIC", "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        pm::setTrayAvailableOverride(-1);
        DestroyWindow(w);
        pm::test::pumpMessages();
    }
    NOTIFYICONDATA data(UINT flags, const char* tip = "") {
        NOTIFYICONDATA d{};
        d.cbSize = sizeof d;
        d.hWnd = w;
        d.uID = 7;
        d.uFlags = flags;
        d.uCallbackMessage = WM_USER + 5;
        d.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        std::strncpy(d.szTip, tip, sizeof d.szTip - 1);
        return d;
    }
    HWND w = nullptr;
};

} // namespace

TEST_F(NotifyIcon, AddFailsWithoutANotificationArea) {
    pm::setTrayAvailableOverride(0);
    NOTIFYICONDATA d = data(NIF_MESSAGE | NIF_ICON | NIF_TIP, "tip");
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));
    EXPECT_FALSE(pm::trayIconExists(w, 7));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &d));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &d));
}

TEST_F(NotifyIcon, AddModifyDelete) {
    pm::setTrayAvailableOverride(1);
    NOTIFYICONDATA d = data(NIF_MESSAGE | NIF_ICON | NIF_TIP, "Colours");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d)) << "the pair exists already";
    std::string tip;
    ASSERT_TRUE(pm::trayIconExists(w, 7, &tip));
    EXPECT_EQ(tip, "Colours");
    NOTIFYICONDATA m = data(NIF_TIP, "Other");
    EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &m));
    pm::trayIconExists(w, 7, &tip);
    EXPECT_EQ(tip, "Other");
    EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
    EXPECT_FALSE(pm::trayIconExists(w, 7));
}

TEST_F(NotifyIcon, ClicksPostTheCallbackMessage) {
    pm::setTrayAvailableOverride(1);
    NOTIFYICONDATA d = data(NIF_MESSAGE | NIF_TIP, "t");
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        std::vector<LPARAM> mouse;
    } cases[] = {
        {QSystemTrayIcon::Trigger, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {QSystemTrayIcon::DoubleClick, {WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
        {QSystemTrayIcon::Context, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
    };
    for (const Case& c : cases) {
        pm::trayIconActivated(w, 7, c.reason);
        std::vector<LPARAM> got;
        MSG msg;
        while (PeekMessage(&msg, w, WM_USER + 5, WM_USER + 5, PM_REMOVE)) {
            EXPECT_EQ(msg.wParam, 7u);
            got.push_back(msg.lParam);
        }
        EXPECT_EQ(got, c.mouse) << c.reason;
    }
    Shell_NotifyIcon(NIM_DELETE, &d);
}

namespace {

class DropFiles : public ::testing::Test {
protected:
    void SetUp() override {
        w = CreateWindowEx(0, pm::test::recordingClass(), "w", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150,
                           nullptr, nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(w);
        pm::test::pumpMessages();
    }
    // Drags `urls` onto the window and drops them at (x, y) of it; the HDROP posted, if any.
    HDROP drop(const std::vector<std::string>& urls, int x, int y) {
        pm::test::dropUrls(w, POINT{100 + x, 100 + y}, urls);
        MSG msg;
        if (!PeekMessage(&msg, w, WM_DROPFILES, WM_DROPFILES, PM_REMOVE)) return nullptr;
        return reinterpret_cast<HDROP>(msg.wParam);
    }
    HWND w = nullptr;
};

} // namespace

TEST_F(DropFiles, DroppedLocalFilesArePosted) {
    DragAcceptFiles(w, TRUE);
    EXPECT_TRUE(pm::wm::window(w)->widget->acceptDrops());
    EXPECT_TRUE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    HDROP h = drop({"/tmp/a.html", "https://x.org/", "/tmp/b c.pal"}, 30, 40);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(DragQueryFile(h, 0xFFFFFFFF, nullptr, 0), 2u);
    EXPECT_EQ(DragQueryFile(h, 1, nullptr, 0), 12u);
    char buf[64];
    EXPECT_EQ(DragQueryFile(h, 0, buf, sizeof buf), 11u);
    EXPECT_STREQ(buf, "/tmp/a.html");
    EXPECT_EQ(DragQueryFile(h, 1, buf, 5), 4u);
    EXPECT_STREQ(buf, "/tmp");
    EXPECT_EQ(DragQueryFile(h, 2, buf, sizeof buf), 0u);
    POINT pt{};
    EXPECT_TRUE(DragQueryPoint(h, &pt));
    EXPECT_EQ(pt.x, 30);
    EXPECT_EQ(pt.y, 40);
    DragFinish(h);
    EXPECT_EQ(DragQueryFile(h, 0xFFFFFFFF, nullptr, 0), 0u) << "a finished drop is stale";
    EXPECT_FALSE(DragQueryPoint(h, &pt));
}

// A file manager offers its files to be copied or moved; a window opens them, and the files stay
// where they are: the drop is taken as a copy, so the source deletes nothing.
TEST_F(DropFiles, FilesOfferedToBeMovedAreTakenAsACopy) {
    DragAcceptFiles(w, TRUE);
    EXPECT_EQ(pm::test::dropUrlsOfferedToMove(w, POINT{130, 140}, {"/tmp/a.html"}), "copy");
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, w, WM_DROPFILES, WM_DROPFILES, PM_REMOVE))
        << "the file is opened all the same";
    DragFinish(reinterpret_cast<HDROP>(msg.wParam));
}

TEST_F(DropFiles, NothingPostedWithoutAcceptingOrLocalFiles) {
    EXPECT_EQ(drop({"/tmp/a.html"}, 10, 10), nullptr) << "not accepting";
    DragAcceptFiles(w, TRUE);
    EXPECT_EQ(drop({"https://x.org/"}, 10, 10), nullptr) << "no local file";
    DragAcceptFiles(w, FALSE);
    EXPECT_EQ(drop({"/tmp/a.html"}, 10, 10), nullptr) << "no longer accepting";
}

TEST_F(DropFiles, GoesToTheAcceptingWindowUnderThePoint) {
    HWND c = CreateWindowEx(WS_EX_ACCEPTFILES, pm::test::recordingClass(), "c", WS_CHILD | WS_VISIBLE, 50, 60,
                            40, 30, w, nullptr, nullptr, nullptr);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::dropUrls(w, POINT{155, 170}, {"/tmp/x.pal"}));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_DROPFILES, WM_DROPFILES, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, c);
    HDROP h = reinterpret_cast<HDROP>(msg.wParam);
    POINT pt{};
    EXPECT_TRUE(DragQueryPoint(h, &pt));
    EXPECT_EQ(pt.x, 5);
    EXPECT_EQ(pt.y, 10);
    DragFinish(h);
    EXPECT_FALSE(pm::test::dragUrlsOver(w, POINT{110, 110}, {"/tmp/x.pal"}))
        << "the top-level window does not take files";
}
