#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>

namespace pm::test {
namespace {

struct Target {
    QWindow* window = nullptr;
    QPoint pos; // in the top-level window
};

Target targetAt(HWND hwnd, QPoint screen) {
    wm::Window* w = wm::window(hwnd);
    if (!w) return {};
    wm::Window* top = wm::topLevelOf(w);
    if (!top->widget) return {};
    top->widget->winId();
    POINT origin = wm::windowScreenOrigin(top);
    return Target{top->widget->windowHandle(), screen - QPoint(origin.x, origin.y)};
}

QPoint screenOfClient(HWND hwnd, POINT client) {
    POINT p = client;
    ClientToScreen(hwnd, &p);
    return QPoint(p.x, p.y);
}

Qt::MouseButton qtButton(int vk) {
    return vk == VK_RBUTTON ? Qt::RightButton : vk == VK_MBUTTON ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::Key qtKey(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return static_cast<Qt::Key>(vk);
    if (vk >= VK_F1 && vk <= VK_F24) return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
    switch (vk) {
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_DELETE:
        return Qt::Key_Delete;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_END:
        return Qt::Key_End;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_UP:
        return Qt::Key_Up;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_SHIFT:
        return Qt::Key_Shift;
    case VK_CONTROL:
        return Qt::Key_Control;
    case VK_MENU:
        return Qt::Key_Alt;
    default:
        return Qt::Key_unknown;
    }
}

QWindow* keyWindow(HWND any) {
    HWND focus = GetFocus() ? GetFocus() : GetActiveWindow() ? GetActiveWindow() : any;
    return targetAt(focus, QPoint()).window;
}

} // namespace

void pumpMessages() {
    MSG msg;
    for (int guard = 0; guard < 100000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void pressMouse(HWND hwnd, POINT client, int button) {
    Target t = targetAt(hwnd, screenOfClient(hwnd, client));
    if (t.window) QTest::mousePress(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void releaseMouse(HWND hwnd, POINT client, int button) {
    Target t = targetAt(hwnd, screenOfClient(hwnd, client));
    if (t.window) QTest::mouseRelease(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void moveMouse(HWND hwnd, POINT client) {
    Target t = targetAt(hwnd, screenOfClient(hwnd, client));
    if (t.window) QTest::mouseMove(t.window, t.pos);
}

void click(HWND hwnd, POINT client, int button) {
    Target t = targetAt(hwnd, screenOfClient(hwnd, client));
    if (!t.window) return;
    QTest::mouseMove(t.window, t.pos);
    QTest::mouseClick(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void doubleClick(HWND hwnd, POINT client) {
    Target t = targetAt(hwnd, screenOfClient(hwnd, client));
    if (!t.window) return;
    QTest::mouseMove(t.window, t.pos);
    QTest::mouseDClick(t.window, Qt::LeftButton, Qt::NoModifier, t.pos);
}

void dragScreen(HWND any, POINT from, POINT to, int steps) {
    Target start = targetAt(any, QPoint(from.x, from.y));
    if (!start.window) return;
    QPoint origin = QPoint(from.x, from.y) - start.pos;
    QTest::mouseMove(start.window, start.pos);
    QTest::mousePress(start.window, Qt::LeftButton, Qt::NoModifier, start.pos);
    for (int i = 1; i <= steps; ++i) {
        QPoint p(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        QTest::mouseMove(start.window, p - origin);
    }
    QTest::mouseRelease(start.window, Qt::LeftButton, Qt::NoModifier, QPoint(to.x, to.y) - origin);
}

void pressKey(HWND any, int vk, bool shift, bool control, bool alt) {
    QWindow* w = keyWindow(any);
    if (!w) return;
    Qt::KeyboardModifiers mods;
    if (shift) mods |= Qt::ShiftModifier;
    if (control) mods |= Qt::ControlModifier;
    if (alt) mods |= Qt::AltModifier;
    QTest::keyClick(w, qtKey(vk), mods);
}

void holdKey(HWND any, int vk, bool down) {
    wm::Window* w = wm::window(any);
    if (!w) return;
    wm::Window* top = wm::topLevelOf(w);
    if (!top->widget) return;
    top->widget->winId();
    QWindow* window = top->widget->windowHandle();
    if (down)
        QTest::keyPress(window, qtKey(vk));
    else
        QTest::keyRelease(window, qtKey(vk));
    pumpMessages();
}

void typeText(HWND any, const std::string& text) {
    QWindow* w = keyWindow(any);
    if (!w) return;
    for (QChar c : QString::fromStdString(text)) {
        if (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == ' ')) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(w, &press);
        }
    }
}

} // namespace pm::test
