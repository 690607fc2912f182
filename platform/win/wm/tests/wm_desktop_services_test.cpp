// The desktop services without a desktop (offscreen): the window tree alone places, stacks and
// activates the top-level windows, the pointer is where our input put it, and the desktop's dialogs
// answer cancelled. The real desktop's services are tested on the desktop fixture
// (platform/win/desktop_tests).

#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/desktop_backend.h"
#include "platform/win/wm/wm.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

HWND makeFrame() {
    return CreateWindowEx(0, pm::test::recordingClass(), "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                          300, 200, nullptr, nullptr, nullptr, nullptr);
}

TEST(OffscreenDesktop, IsChosenOnceAndLeavesTheWindowTreeInCharge) {
    HWND frame = makeFrame();
    pm::wm::DesktopServices& services = pm::wm::desktopServices();
    EXPECT_EQ(&services, &pm::wm::desktopServices());
    pm::wm::Window* w = pm::wm::window(frame);
    ASSERT_NE(w, nullptr);

    // A maximised window keeps the rectangle the layer gave it; no window manager places it.
    ShowWindow(frame, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_FALSE(services.placesWindow(w));
    RECT r{};
    GetWindowRect(frame, &r);
    EXPECT_GT(r.right - r.left, 300);
    ShowWindow(frame, SW_RESTORE);
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 300);

    // A caption drag runs in the layer's own loop.
    EXPECT_FALSE(services.startMoveSize(w, SC_MOVE));
    DestroyWindow(frame);
}

TEST(OffscreenDesktop, ThePointerIsWhereOurInputPutIt) {
    ASSERT_TRUE(SetCursorPos(321, 123));
    // Qt's own idea of the pointer is not asked: offscreen nothing moves it but us.
    QCursor::setPos(5, 5);
    POINT p{};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 321);
    EXPECT_EQ(p.y, 123);
}

TEST(OffscreenDesktop, TheDesktopsDialogsAnswerCancelledWithoutShowing) {
    bool shown = false;
    pm::CommonDialogAnswer answer = pm::wm::desktopServices().runDialog([&] {
        shown = true;
        pm::CommonDialogAnswer accepted;
        accepted.accepted = true;
        return accepted;
    });
    EXPECT_FALSE(shown);
    EXPECT_FALSE(answer.accepted);
}

TEST(OffscreenDesktop, TheClipboardStaysOursAndTheScreenIsOurWindows) {
    HWND frame = makeFrame();
    pm::wm::DesktopBackend& backend = pm::wm::desktopBackend();
    EXPECT_FALSE(backend.clipboardTaken(QGuiApplication::clipboard()));
    const QImage screen = backend.screen();
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.width(), GetSystemMetrics(SM_CXSCREEN));
    // Black where no window of ours is, the frame's face inside it.
    EXPECT_EQ(screen.pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_NE(screen.pixel(250, 200) & 0xFFFFFF, 0u);
    DestroyWindow(frame);
}

} // namespace
