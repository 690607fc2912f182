#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>

#include <algorithm>

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

// Where the last input of the tests left the pointer, on the screen.
QPoint g_pointer(-1, -1);

// Qt drops a move to the point where the pointer already is, even over a window that was not
// there before; a test whose window comes up under the pointer that an earlier test left
// there then never sees the pointer arrive. The pointer comes from one pixel beside instead.
void mouseMoveOnto(const Target& t, QPoint screen) {
    if (screen == g_pointer) QTest::mouseMove(t.window, t.pos + QPoint(1, 0));
    QTest::mouseMove(t.window, t.pos);
    g_pointer = screen;
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
    const QPoint screen = screenOfClient(hwnd, client);
    Target t = targetAt(hwnd, screen);
    g_pointer = screen;
    if (t.window) QTest::mousePress(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void releaseMouse(HWND hwnd, POINT client, int button) {
    const QPoint screen = screenOfClient(hwnd, client);
    Target t = targetAt(hwnd, screen);
    g_pointer = screen;
    if (t.window) QTest::mouseRelease(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void moveMouse(HWND hwnd, POINT client) {
    const QPoint screen = screenOfClient(hwnd, client);
    Target t = targetAt(hwnd, screen);
    if (t.window) mouseMoveOnto(t, screen);
}

void click(HWND hwnd, POINT client, int button) {
    const QPoint screen = screenOfClient(hwnd, client);
    Target t = targetAt(hwnd, screen);
    if (!t.window) return;
    mouseMoveOnto(t, screen);
    QTest::mouseClick(t.window, qtButton(button), Qt::NoModifier, t.pos);
}

void doubleClick(HWND hwnd, POINT client) {
    const QPoint screen = screenOfClient(hwnd, client);
    Target t = targetAt(hwnd, screen);
    if (!t.window) return;
    mouseMoveOnto(t, screen);
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
    g_pointer = QPoint(to.x, to.y);
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

// The key a US layout types a character with, and whether Shift is held for it.
struct KeyOfChar {
    Qt::Key key;
    bool shift;
};

KeyOfChar keyOfChar(char c) {
    if (c >= 'a' && c <= 'z') return {static_cast<Qt::Key>(Qt::Key_A + (c - 'a')), false};
    if (c >= 'A' && c <= 'Z') return {static_cast<Qt::Key>(Qt::Key_A + (c - 'A')), true};
    if (c >= '0' && c <= '9') return {static_cast<Qt::Key>(Qt::Key_0 + (c - '0')), false};
    static const std::string shifted = "~!@#$%^&*()_+{}|:\"<>?";
    // Qt names a shifted punctuation key by the character it types, as Latin-1 key codes do.
    const bool shift = shifted.find(c) != std::string::npos;
    return {static_cast<Qt::Key>(static_cast<unsigned char>(c)), shift};
}

void typeAtPace(HWND any, const std::string& text, DWORD msPerKey, const std::function<void()>& serve) {
    DWORD step = 1;
    const auto send = [&](QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods, const QString& typed) {
        QWindow* w = keyWindow(any);
        if (!w) return;
        QKeyEvent event(type, key, mods, typed);
        QCoreApplication::sendEvent(w, &event);
        advanceClock(step);
        serve();
    };
    for (char c : text) {
        const KeyOfChar k = keyOfChar(c);
        const Qt::KeyboardModifiers mods = k.shift ? Qt::ShiftModifier : Qt::NoModifier;
        const QString typed(QChar::fromLatin1(c));
        step = std::max<DWORD>(1, msPerKey / (k.shift ? 4 : 2));
        if (k.shift) send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, QString());
        send(QEvent::KeyPress, k.key, mods, typed);
        send(QEvent::KeyRelease, k.key, mods, typed);
        if (k.shift) send(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, QString());
    }
}

} // namespace pm::test
