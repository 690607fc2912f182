// The framework's test helpers over the window system's.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/tests/support/test_images.h"
#include "platform/win/wm/compose.h"
#include "platform/win/wm/desktop_overlay.h"
#include "platform/win/wm/wm.h"

#include <QDir>
#include <QPainter>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace pm::afxtest {

void runIdle() {
    CWinApp* app = AfxGetApp();
    if (!app) {
        AfxDeleteTempMaps();
        return;
    }
    for (LONG count = 0; app->OnIdle(count); ++count) {
    }
}

void pump() {
    MSG msg{};
    for (int round = 0; round < 50; ++round) {
        bool any = false;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT) continue;
            if (!pm::afx::preTranslateForApp(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        runIdle();
        if (!any) break;
    }
}

void click(HWND hwnd, POINT client) {
    pm::test::click(hwnd, client);
    pump();
}

void pressKey(HWND any, int vk, bool shift, bool control, bool alt) {
    pm::test::pressKey(any, vk, shift, control, alt);
    pump();
}

void queueKey(HWND any, int vk, bool shift, bool control, bool alt) {
    pm::test::pressKey(any, vk, shift, control, alt);
}

void holdKey(HWND any, int vk, bool down) {
    pm::test::holdKey(any, vk, down);
    pump();
}

void typeText(HWND any, const std::string& text) {
    pm::test::typeText(any, text);
    pump();
}

HBITMAP makeButtonImages(int count) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16 * count, 15);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, 16 * count, 15};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < count; ++i) {
        RECT square{i * 16 + 2, 2, i * 16 + 14, 13};
        HBRUSH brush = ::CreateSolidBrush(RGB(40 + 50 * (i % 5), 200 - 30 * (i % 6), 90 + 40 * (i % 4)));
        ::FillRect(dc, &square, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

bool savePng(HWND hwnd, const std::string& name) {
    return pm::test::saveWindowPng(hwnd, pm::test::outputFolder() + "/" + name + ".png");
}

bool saveScreenPng(const std::string& name) {
    QImage screen = pm::wm::composeScreen();
    if (const QImage* overlay = pm::wm::desktopOverlayImage()) {
        QPainter painter(&screen);
        painter.drawImage(0, 0, *overlay);
    }
    QString folder = QString::fromStdString(pm::test::outputFolder());
    QDir().mkpath(folder);
    return screen.save(folder + "/" + QString::fromStdString(name) + ".png");
}

bool saveScreenPng(const std::string& name, const RECT& part) {
    const QImage screen = pm::wm::composeScreen();
    QString folder = QString::fromStdString(pm::test::outputFolder());
    QDir().mkpath(folder);
    return screen.copy(part.left, part.top, part.right - part.left, part.bottom - part.top)
        .save(folder + "/" + QString::fromStdString(name) + ".png");
}

int overlayPixelsIn(const RECT& rect) {
    const QImage* overlay = pm::wm::desktopOverlayImage();
    if (!overlay) return 0;
    int count = 0;
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, overlay->height()); ++y)
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, overlay->width()); ++x)
            if (qAlpha(overlay->pixel(x, y)) != 0) ++count;
    return count;
}

bool savePngWithPopups(HWND hwnd, const std::vector<HWND>& popups, const std::string& name) {
    QImage image = pm::test::windowImage(hwnd);
    RECT base{};
    ::GetWindowRect(hwnd, &base);
    QPainter painter(&image);
    for (HWND popup : popups) {
        RECT r{};
        if (!::IsWindowVisible(popup) || !::GetWindowRect(popup, &r)) continue;
        painter.drawImage(r.left - base.left, r.top - base.top, pm::test::windowImage(popup));
    }
    painter.end();
    QDir().mkpath(QString::fromStdString(pm::test::outputFolder()));
    return image.save(QString::fromStdString(pm::test::outputFolder() + "/" + name + ".png"));
}

std::string makeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "afxtest-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const char* made = ::mkdtemp(name.data());
    return made ? std::string(made) : std::string();
}

void removeFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace pm::afxtest
