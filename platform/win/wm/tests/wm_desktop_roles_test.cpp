// Top-level windows as the desktop's window manager gets them (managed or bypassing it, owner,
// title), and the end of a modal loop, offscreen. The behaviour under a real window manager is
// tested on the desktop fixture (platform/win/desktop_tests).

#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/desktop_widgets.h"

#include <QIcon>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const char* savingBitsClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "RolesSavingBits";
        RegisterClass(&wc);
        registered = true;
    }
    return "RolesSavingBits";
}

Qt::WindowType kindOf(HWND hwnd) {
    QWidget* widget = pm::wm::desktopWidgetOf(hwnd);
    return widget ? widget->windowType() : Qt::Widget;
}

TEST(DesktopRoles, OnlyShortLivedPopupsBypassTheWindowManager) {
    HWND owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    const struct {
        const char* what;
        const char* cls;
        DWORD style, exStyle;
        HWND owner;
        Qt::WindowType kind;
    } cases[] = {
        {"borderless main window", pm::test::recordingClass(), WS_POPUP, 0, nullptr, Qt::Window},
        {"captioned main window", pm::test::recordingClass(), WS_POPUP | WS_CAPTION, 0, nullptr, Qt::Window},
        {"overlapped window", pm::test::recordingClass(), WS_OVERLAPPEDWINDOW, 0, nullptr, Qt::Window},
        {"owned borderless window", pm::test::recordingClass(), WS_POPUP, 0, owner, Qt::Dialog},
        {"dialog", savingBitsClass(), WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, owner, Qt::Dialog},
        {"captionless dialog", savingBitsClass(), WS_POPUP, WS_EX_DLGMODALFRAME, owner, Qt::Dialog},
        {"floating tool window", pm::test::recordingClass(), WS_POPUP | WS_CAPTION | WS_THICKFRAME,
         WS_EX_TOOLWINDOW, owner, Qt::Tool},
        {"owned window in the task bar", pm::test::recordingClass(), WS_POPUP, WS_EX_APPWINDOW, owner,
         Qt::Window},
        {"menu", savingBitsClass(), WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, owner, Qt::ToolTip},
        {"drop-down list", savingBitsClass(), WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, owner, Qt::ToolTip},
        {"tip without owner", savingBitsClass(), WS_POPUP, 0, nullptr, Qt::ToolTip},
    };
    for (const auto& c : cases) {
        HWND hwnd = CreateWindowEx(c.exStyle, c.cls, c.what, c.style, 0, 0, 50, 50, c.owner, nullptr, nullptr,
                                   nullptr);
        EXPECT_EQ(kindOf(hwnd), c.kind) << c.what;
        DestroyWindow(hwnd);
    }
    DestroyWindow(owner);
}

TEST(DesktopRoles, StyleAndOwnerChangesChangeTheKind) {
    HWND owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    HWND hwnd = CreateWindowEx(0, pm::test::recordingClass(), "Title", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(kindOf(hwnd), Qt::Window);
    EXPECT_EQ(pm::wm::desktopWidgetOf(hwnd)->windowTitle(), "Title");
    SetWindowLongPtr(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EXPECT_EQ(kindOf(hwnd), Qt::Dialog);
    EXPECT_TRUE(pm::wm::desktopWidgetOf(hwnd)->isVisible()) << "a new kind keeps the window shown";
    SetWindowLong(hwnd, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(kindOf(hwnd), Qt::Window);
    SetWindowText(hwnd, "Renamed");
    EXPECT_EQ(pm::wm::desktopWidgetOf(hwnd)->windowTitle(), "Renamed");
    EXPECT_TRUE(pm::wm::desktopWidgetOf(hwnd)->windowIcon().isNull());
    SendMessage(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_QUESTION)));
    EXPECT_FALSE(pm::wm::desktopWidgetOf(hwnd)->windowIcon().isNull());
    DestroyWindow(hwnd);
    DestroyWindow(owner);
}

// A style change that keeps the kind of window (a program's own style bits, a box taken off the
// caption) keeps its native window: a new one would be unmapped and mapped again by the desktop,
// which takes the keyboard and the maximised state away.
TEST(DesktopRoles, StyleChangesOfTheSameKindKeepTheNativeWindow) {
    HWND hwnd = CreateWindowEx(0, pm::test::recordingClass(), "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               80, 60, nullptr, nullptr, nullptr, nullptr);
    QWidget* widget = pm::wm::desktopWidgetOf(hwnd);
    ASSERT_NE(widget, nullptr);
    struct HideCounter : QObject {
        int hidden = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            hidden += e->type() == QEvent::Hide;
            return false;
        }
    } counter;
    widget->installEventFilter(&counter);
    for (LONG style :
         {LONG(WS_OVERLAPPEDWINDOW | WS_VISIBLE | 0x8000), LONG(WS_OVERLAPPEDWINDOW | WS_VISIBLE),
          LONG((WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_VISIBLE)}) {
        SetWindowLong(hwnd, GWL_STYLE, style);
        EXPECT_EQ(kindOf(hwnd), Qt::Window);
        EXPECT_EQ(counter.hidden, 0) << std::hex << style;
        EXPECT_TRUE(widget->isVisible());
    }
    widget->removeEventFilter(&counter);
    DestroyWindow(hwnd);
}

constexpr int kDialogId = 310;

INT_PTR CALLBACK quietDialog(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

// A modal loop's end: the owner enabled and active, the focus back in the control that had it.
TEST(DesktopRoles, ModalLoopsGiveTheOwnerItsFocusBack) {
    pm::res::DialogTemplate t;
    t.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = 100;
    t.cy = 40;
    t.items = {{"EDIT", "", 10, 5, 5, 80, 12, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0}};
    pm::res::addDialog(kDialogId, t);
    HWND owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND second = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, owner, nullptr,
                                 nullptr, nullptr);
    CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr, nullptr);
    SetFocus(second);
    pm::setDialogHook([](HWND dialog) { EndDialog(dialog, IDOK); });
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), second, quietDialog, 0), IDOK);
    pm::setDialogHook(nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), second);
    DestroyWindow(owner);
    pm::test::pumpMessages();
}

} // namespace
