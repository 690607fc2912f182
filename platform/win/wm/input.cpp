// Input: Qt events become raw input in the queue; on retrieval they become Win32 mouse and key
// messages for the window our own hit testing, capture and focus choose.

#include "platform/win/gdi/icons.h"
#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_widgets.h"
#include "platform/win/wm/input_events.h"
#include "platform/win/wm/keys.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <deque>

namespace pm::wm {

namespace {

struct InputState {
    BYTE sync[256] = {};
    BYTE async[256] = {};
    QPoint cursor;
    HCURSOR cursorHandle = nullptr;
    int cursorShowCount = 0;
    struct KeyText {
        MSG msg;
        QString text;
    };
    std::deque<KeyText> recentKeys;
    HWND lastMouseTop = nullptr;
    int lastKeyPressed = 0; // the key of the last key press taken from the queue
};

InputState& input() {
    static InputState s;
    return s;
}

UINT buttonMessage(Qt::MouseButton b, QEvent::Type type) {
    UINT base = b == Qt::RightButton    ? WM_RBUTTONDOWN
                : b == Qt::MiddleButton ? WM_MBUTTONDOWN
                                        : WM_LBUTTONDOWN;
    if (type == QEvent::MouseButtonRelease) return base + 1;
    if (type == QEvent::MouseButtonDblClick) return base + 2;
    return base;
}

int buttonKey(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return VK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return VK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

bool isButtonDown(UINT m) {
    return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
           m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

bool isDoubleClick(UINT m) {
    return m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

void setModifierKeys(Qt::KeyboardModifiers mods, bool async) {
    setKeyDown(VK_SHIFT, mods & Qt::ShiftModifier, async);
    setKeyDown(VK_CONTROL, mods & Qt::ControlModifier, async);
    setKeyDown(VK_MENU, mods & Qt::AltModifier, async);
}

LPARAM keyData(int vk, bool up, bool repeat, bool alt) {
    DWORD data = 1 | (scanCodeOf(vk) << 16);
    if (isExtendedKey(vk)) data |= 1u << 24;
    if (alt) data |= 1u << 29;
    if (repeat || up) data |= 1u << 30;
    if (up) data |= 1u << 31;
    return static_cast<LPARAM>(data);
}

bool resolveMouse(RawInput& in) {
    Window* cap = captureWindow();
    int hit = HTCLIENT;
    Window* target = cap;
    if (!target) {
        target = windowFromScreenPoint(POINT{in.screen.x(), in.screen.y()}, &hit);
        if (!target) return false;
    }
    in.blocked = false;
    if (!cap) {
        for (Window* a = target; a && a != desktop(); a = a->parent)
            if (a->style & WS_DISABLED) in.blocked = true;
    }
    if (in.blocked) {
        Window* top = topLevelOf(target);
        in.hitTest = HTERROR;
        in.msg = MSG{top->handle, in.message,
                     0,           MAKELPARAM(in.screen.x(), in.screen.y()),
                     in.time,     POINT{in.screen.x(), in.screen.y()}};
        return true;
    }
    in.hitTest = hit;
    UINT m = in.message;
    if (hit == HTCLIENT) {
        if (isDoubleClick(m) && !(target->cls && (target->cls->style & CS_DBLCLKS))) m -= 2;
        POINT o = clientScreenOrigin(target);
        QPoint c = in.screen - QPoint(o.x, o.y);
        in.msg = MSG{target->handle,           m,       static_cast<WPARAM>(in.keyFlags),
                     MAKELPARAM(c.x(), c.y()), in.time, POINT{in.screen.x(), in.screen.y()}};
    } else {
        in.msg = MSG{target->handle,
                     m - WM_MOUSEMOVE + WM_NCMOUSEMOVE,
                     static_cast<WPARAM>(hit),
                     MAKELPARAM(in.screen.x(), in.screen.y()),
                     in.time,
                     POINT{in.screen.x(), in.screen.y()}};
    }
    return true;
}

bool resolveKey(RawInput& in) {
    Window* target = focusWindow();
    bool noFocus = !target;
    if (!target) target = activeWindow();
    if (!target) return false;
    bool alt = (in.keyData >> 29) & 1;
    bool sys = noFocus || in.vk == VK_F10 || (alt && !keyDown(VK_CONTROL)) || (in.vk == VK_MENU);
    UINT m = in.message;
    if (sys) m = m == WM_KEYDOWN ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    in.msg = MSG{target->handle, m,       static_cast<WPARAM>(in.vk),
                 in.keyData,     in.time, POINT{in.screen.x(), in.screen.y()}};
    return true;
}

bool resolveWheel(RawInput& in) {
    Window* target = focusWindow();
    if (!target) target = activeWindow();
    if (!target) return false;
    in.msg =
        MSG{target->handle,
            WM_MOUSEWHEEL,
            MAKEWPARAM(static_cast<WORD>(in.keyFlags), static_cast<WORD>(static_cast<short>(in.wheelDelta))),
            MAKELPARAM(in.screen.x(), in.screen.y()),
            in.time,
            POINT{in.screen.x(), in.screen.y()}};
    return true;
}

// WM_MOUSEACTIVATE and activation for a click; false when the click is eaten.
bool mouseActivate(Window* target, int hit, UINT message) {
    HWND hwnd = target->handle;
    Window* top = topLevelOf(target);
    if (target == activeWindow()) return true;
    LRESULT r =
        send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle), MAKELPARAM(hit, message));
    if (!window(hwnd)) return false;
    if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && top != activeWindow() &&
        !(top->style & WS_DISABLED))
        activate(top, WA_CLICKACTIVE);
    // A clicked child window that accepts activation is activated within its parent.
    if (window(hwnd) && target->isChild() && r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT)
        send(target, WM_CHILDACTIVATE, 0, 0);
    return window(hwnd) && r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT;
}

void parentNotifyClick(Window* target, UINT message, QPoint screen) {
    for (Window* w = target; w->isChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY); w = w->parent) {
        Window* p = w->parent;
        POINT o = clientScreenOrigin(p);
        QPoint c = screen - QPoint(o.x, o.y);
        HWND ph = p->handle;
        send(p, WM_PARENTNOTIFY, message, MAKELPARAM(c.x(), c.y()));
        if (!window(ph)) return;
    }
}

int mkFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    int mk = 0;
    if (buttons & Qt::LeftButton) mk |= MK_LBUTTON;
    if (buttons & Qt::RightButton) mk |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) mk |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) mk |= MK_SHIFT;
    if (mods & Qt::ControlModifier) mk |= MK_CONTROL;
    return mk;
}

void closeRequest(HWND hwnd, bool) {
    if (IsWindow(hwnd)) PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void desktopGeometry(HWND hwnd, bool) {
    Window* w = window(hwnd);
    if (!w || !w->widget) return;
    QRect g = w->widget->geometry();
    if (g == toQRect(w->rect)) return;
    followDesktopGeometry(w, toRECT(g));
}

void applyCursor() {
    InputState& s = input();
    Window* top = window(s.lastMouseTop);
    if (!top || !top->widget) return;
    QPoint hot;
    QImage img = s.cursorHandle && s.cursorShowCount >= 0 ? gdi::imageOfIcon(s.cursorHandle, &hot) : QImage();
    if (img.isNull()) {
        top->widget->setCursor(s.cursorShowCount >= 0 ? Qt::ArrowCursor : Qt::BlankCursor);
        return;
    }
    top->widget->setCursor(QCursor(QPixmap::fromImage(img), hot.x(), hot.y()));
}

} // namespace

void setKeyDown(int vk, bool down, bool async) {
    BYTE* table = async ? input().async : input().sync;
    if (vk < 0 || vk > 255) return;
    if (down) {
        if (!async && !(table[vk] & 0x80)) table[vk] ^= 1; // toggle on each press
        table[vk] |= 0x80;
    } else {
        table[vk] &= 0x7F;
    }
    if (!async) setKeyDown(vk, down, true);
}

void takeModifierKeysFromKeyboard() {
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    setModifierKeys(mods, false);
}

int lastKeyPressed() {
    return input().lastKeyPressed;
}

bool keyDown(int vk) {
    return vk >= 0 && vk < 256 && (input().sync[vk] & 0x80);
}

WPARAM mouseKeyFlags() {
    WPARAM mk = 0;
    if (keyDown(VK_LBUTTON)) mk |= MK_LBUTTON;
    if (keyDown(VK_RBUTTON)) mk |= MK_RBUTTON;
    if (keyDown(VK_MBUTTON)) mk |= MK_MBUTTON;
    if (keyDown(VK_SHIFT)) mk |= MK_SHIFT;
    if (keyDown(VK_CONTROL)) mk |= MK_CONTROL;
    return mk;
}

void setCursorScreenPos(QPoint p) {
    input().cursor = p;
}
QPoint cursorPoint() {
    return input().cursor;
}
POINT cursorScreenPos() {
    return POINT{input().cursor.x(), input().cursor.y()};
}

QString takeKeyText(const MSG& msg) {
    for (const auto& k : input().recentKeys)
        if (k.msg.hwnd == msg.hwnd && k.msg.message == msg.message && k.msg.wParam == msg.wParam &&
            k.msg.lParam == msg.lParam && k.msg.time == msg.time)
            return k.text;
    return QString();
}

void queueMouseEvent(QMouseEvent* e) {
    RawInput in;
    in.kind = RawInput::Kind::Mouse;
    in.screen = e->globalPosition().toPoint();
    in.message = e->type() == QEvent::MouseMove ? WM_MOUSEMOVE : buttonMessage(e->button(), e->type());
    in.keyFlags = mkFlags(e->buttons(), e->modifiers());
    setCursorScreenPos(in.screen);
    if (int vk = buttonKey(in.message)) setKeyDown(vk, e->type() != QEvent::MouseButtonRelease, true);
    pushRawInput(in);
}

void queueWheelEvent(QWheelEvent* e) {
    RawInput in;
    in.kind = RawInput::Kind::Wheel;
    in.screen = e->globalPosition().toPoint();
    in.wheelDelta = e->angleDelta().y();
    in.keyFlags = mkFlags(e->buttons(), e->modifiers());
    pushRawInput(in);
}

void queueKeyEvent(QKeyEvent* e) {
    bool up = e->type() == QEvent::KeyRelease;
    int vk = virtualKeyFromQt(e->key(), e->modifiers() & Qt::KeypadModifier);
    if (!vk) {
        if (!up && !e->text().isEmpty()) queueInputMethodText(e->text());
        return;
    }
    Qt::KeyboardModifiers mods = e->modifiers();
    setModifierKeys(mods, true);
    setKeyDown(vk, !up, true);
    RawInput in;
    in.kind = RawInput::Kind::Key;
    in.message = up ? WM_KEYUP : WM_KEYDOWN;
    in.vk = vk;
    bool alt = (mods & Qt::AltModifier) || (vk == VK_MENU && !up);
    in.keyData = keyData(vk, up, e->isAutoRepeat(), alt);
    in.text = up ? QString() : e->text();
    in.screen = cursorPoint();
    pushRawInput(in);
}

void queueInputMethodText(const QString& text) {
    for (uint cp : text.toUcs4()) {
        RawInput in;
        in.kind = RawInput::Kind::Char;
        in.message = WM_CHAR;
        in.vk = static_cast<int>(cp);
        in.screen = cursorPoint();
        pushRawInput(in);
    }
}

void queueInputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty()) queueInputMethodText(e->commitString());
}

void queueCloseRequest(HWND hwnd) {
    runLater(closeRequest, hwnd, false);
}
void queueDesktopGeometry(HWND hwnd) {
    runLater(desktopGeometry, hwnd, false);
}
void queueDesktopActivation(HWND hwnd, bool active) {
    runLater([](HWND h, bool a) { desktopServices().activationChanged(h, a); }, hwnd, active);
}

bool resolveInput(RawInput& in) {
    bool ok = false;
    switch (in.kind) {
    case RawInput::Kind::Mouse:
        ok = resolveMouse(in);
        break;
    case RawInput::Kind::Wheel:
        ok = resolveWheel(in);
        break;
    case RawInput::Kind::Key:
        ok = resolveKey(in);
        break;
    case RawInput::Kind::Char: {
        Window* target = focusWindow();
        if (!target) target = activeWindow();
        if (target) {
            in.msg = MSG{target->handle,
                         WM_CHAR,
                         static_cast<WPARAM>(in.vk),
                         1,
                         in.time,
                         POINT{in.screen.x(), in.screen.y()}};
            ok = true;
        }
        break;
    }
    }
    in.resolved = ok;
    return ok;
}

bool inputHooksSwallow(RawInput& in, bool remove) {
    int code = remove ? HC_ACTION : HC_NOREMOVE;
    if (in.kind == RawInput::Kind::Key && hooksInstalled(WH_KEYBOARD))
        return callHooks(WH_KEYBOARD, code, static_cast<WPARAM>(in.vk), in.keyData) != 0;
    if ((in.kind == RawInput::Kind::Mouse || in.kind == RawInput::Kind::Wheel) && hooksInstalled(WH_MOUSE)) {
        MOUSEHOOKSTRUCT mhs{POINT{in.screen.x(), in.screen.y()}, in.msg.hwnd, static_cast<UINT>(in.hitTest),
                            0};
        return callHooks(WH_MOUSE, code, in.msg.message, reinterpret_cast<LPARAM>(&mhs)) != 0;
    }
    return false;
}

bool acceptInput(RawInput& in) {
    InputState& s = input();
    MSG& m = in.msg;
    setCurrentMessage(m);
    if (in.kind == RawInput::Kind::Key) {
        setKeyDown(in.vk, in.message == WM_KEYDOWN, false);
        if (in.message == WM_KEYDOWN) s.lastKeyPressed = in.vk;
        s.recentKeys.push_back({m, in.text});
        if (s.recentKeys.size() > 16) s.recentKeys.pop_front();
        return true;
    }
    if (in.kind != RawInput::Kind::Mouse) return true;
    setCursorScreenPos(in.screen);
    UINT generic = in.message;
    if (int vk = buttonKey(generic)) setKeyDown(vk, isButtonDown(generic), false);
    Window* target = window(m.hwnd);
    if (!target) return false;
    s.lastMouseTop = topLevelOf(target)->handle;
    if (in.blocked) {
        // A click on a disabled window: the cursor message says HTERROR (DefWindowProc beeps) and
        // the window's enabled popup, a modal dialog, comes forward.
        send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd), MAKELPARAM(HTERROR, generic));
        if (isButtonDown(generic) && window(m.hwnd)) {
            Window* popup = window(GetLastActivePopup(m.hwnd));
            if (popup && popup != target && !(popup->style & WS_DISABLED)) activate(popup, WA_ACTIVE);
        }
        return false;
    }
    if (isButtonDown(generic) && !captureWindow()) {
        if (!mouseActivate(target, in.hitTest, generic)) return false;
        if (!window(m.hwnd)) return false;
    }
    if (!captureWindow()) {
        send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd), MAKELPARAM(in.hitTest, generic));
        if (!window(m.hwnd)) return false;
    }
    if (isButtonDown(generic) && in.hitTest == HTCLIENT) parentNotifyClick(target, generic, in.screen);
    if (in.hitTest == HTCLIENT && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
        m.wParam = static_cast<WPARAM>(in.keyFlags);
    return window(m.hwnd) != nullptr;
}

} // namespace pm::wm

using namespace pm::wm;

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    int vk = static_cast<int>(msg->wParam);
    bool control = keyDown(VK_CONTROL) && !keyDown(VK_MENU);
    QString text = takeKeyText(*msg);
    std::vector<uint> chars;
    if (control || text.isEmpty() || vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE || vk == VK_TAB) {
        int c = charOfKey(vk, keyDown(VK_SHIFT), control, (input().sync[VK_CAPITAL] & 1) != 0);
        if (c) chars.push_back(static_cast<uint>(c));
    } else if (vk >= 'A' && vk <= 'Z' && text.size() == 1 && text[0].toLatin1() >= 'A' &&
               text[0].toLower().toLatin1() == vk + ('a' - 'A')) {
        // A letter's case follows Shift and Caps Lock as this queue saw them.
        chars.push_back(
            static_cast<uint>(charOfKey(vk, keyDown(VK_SHIFT), false, (input().sync[VK_CAPITAL] & 1) != 0)));
    } else if (vk != VK_DELETE) {
        for (uint cp : text.toUcs4())
            if (cp >= 0x20 || cp == '\t' || cp == '\r' || cp == 8 || cp == 27) chars.push_back(cp);
    }
    if (chars.empty()) return FALSE;
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (auto it = chars.rbegin(); it != chars.rend(); ++it)
        postFront(MSG{msg->hwnd, charMsg, static_cast<WPARAM>(*it), msg->lParam, msg->time, msg->pt});
    return TRUE;
}

SHORT GetKeyState(int virtKey) {
    if (virtKey < 0 || virtKey > 255) return 0;
    BYTE b = input().sync[virtKey];
    if (virtKey == VK_LSHIFT || virtKey == VK_RSHIFT) b = input().sync[VK_SHIFT];
    if (virtKey == VK_LCONTROL || virtKey == VK_RCONTROL) b = input().sync[VK_CONTROL];
    if (virtKey == VK_LMENU || virtKey == VK_RMENU) b = input().sync[VK_MENU];
    return static_cast<SHORT>(((b & 0x80) ? 0x8000 : 0) | (b & 1));
}

SHORT GetAsyncKeyState(int virtKey) {
    if (virtKey < 0 || virtKey > 255) return 0;
    if (virtKey == VK_LBUTTON || virtKey == VK_RBUTTON || virtKey == VK_MBUTTON) {
        Qt::MouseButtons b = QGuiApplication::mouseButtons();
        bool down = virtKey == VK_LBUTTON   ? (b & Qt::LeftButton)
                    : virtKey == VK_RBUTTON ? (b & Qt::RightButton)
                                            : (b & Qt::MiddleButton);
        if (down || (input().async[virtKey] & 0x80)) return static_cast<SHORT>(0x8000);
        return 0;
    }
    return (input().async[virtKey] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(PBYTE keyState) {
    if (!keyState) return FALSE;
    std::copy(std::begin(input().sync), std::end(input().sync), keyState);
    return TRUE;
}

BOOL SetKeyboardState(LPBYTE keyState) {
    if (!keyState) return FALSE;
    std::copy(keyState, keyState + 256, input().sync);
    return TRUE;
}

UINT MapVirtualKey(UINT code, UINT mapType) {
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
        return scanCodeOf(static_cast<int>(code));
    case MAPVK_VSC_TO_VK:
        return static_cast<UINT>(virtualKeyOfScanCode(code));
    case MAPVK_VK_TO_CHAR: {
        if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
        static const char punct[] = ";=,-./`[\\]'";
        static const int vks[] = {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,
                                  VK_OEM_3, VK_OEM_4,    VK_OEM_5,     VK_OEM_6,     VK_OEM_7};
        for (int i = 0; i < 11; ++i)
            if (static_cast<int>(code) == vks[i]) return static_cast<UINT>(punct[i]);
        return static_cast<UINT>(charOfKey(static_cast<int>(code), false, false, false));
    }
    default:
        return 0;
    }
}

int GetKeyNameText(LONG lParam, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    UINT scan = (static_cast<DWORD>(lParam) >> 16) & 0xFF;
    bool extended = (static_cast<DWORD>(lParam) >> 24) & 1;
    int vk = virtualKeyOfScanCode(scan);
    if (extended && vk == VK_OEM_2) vk = VK_DIVIDE;
    QByteArray name = keyName(vk).toLatin1();
    int n = std::min(static_cast<int>(name.size()), size - 1);
    std::copy(name.constData(), name.constData() + n, buffer);
    buffer[n] = 0;
    return n;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = desktopServices().cursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    setCursorScreenPos(QPoint(x, y));
    QCursor::setPos(x, y);
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = input().cursorHandle;
    input().cursorHandle = cursor;
    if (old != cursor) applyCursor();
    return old;
}

HCURSOR GetCursor() {
    return input().cursorHandle;
}

int ShowCursor(BOOL show) {
    int& count = input().cursorShowCount;
    count += show ? 1 : -1;
    applyCursor();
    return count;
}

UINT GetDoubleClickTime() {
    return static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

BOOL SwapMouseButton(BOOL) {
    return FALSE;
}
