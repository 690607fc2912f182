#pragma once
// Qt's input and window-system events as the queue keeps them until a message loop retrieves
// them. Qt event handlers only queue these; the loop resolves the target window (hit testing,
// capture, focus) and makes the Win32 message.

#include "platform/win/winuser.h"

#include <QPoint>
#include <QString>

class QMouseEvent;
class QWheelEvent;
class QKeyEvent;
class QInputMethodEvent;

namespace pm::wm {

struct RawInput {
    enum class Kind { Mouse, Wheel, Key, Char };
    Kind kind = Kind::Mouse;
    UINT message = 0; // mouse: WM_MOUSEMOVE / WM_xBUTTONDOWN / UP / DBLCLK; key: WM_KEYDOWN / WM_KEYUP
    QPoint screen;    // cursor position when the event happened
    int vk = 0;
    LPARAM keyData = 0;
    int keyFlags = 0;   // mouse and wheel: the MK_ flags of the buttons and keys held
    int wheelDelta = 0; // wheel: the turn, in WHEEL_DELTA units of 120
    QString text;       // the characters a key press produces, or the committed text
    DWORD time = 0;
    bool resolved = false; // msg below is valid
    MSG msg{};
    int hitTest = HTCLIENT;
    bool blocked = false; // over a disabled window (or one inside a disabled window)
};

// Called from Qt event handlers.
void queueMouseEvent(QMouseEvent* e);
void queueWheelEvent(QWheelEvent* e);
void queueKeyEvent(QKeyEvent* e);
void queueInputMethodEvent(QInputMethodEvent* e);
void queueInputMethodText(const QString& text);
void queueCloseRequest(HWND hwnd);
void queueDesktopGeometry(HWND hwnd);
void queueDesktopActivation(HWND hwnd, bool active);

// Called by the queue: makes the message of a raw input (false if no window takes it).
bool resolveInput(RawInput& in);
// Called by the queue when the message is removed: activation, cursor shape, key state.
// Returns false when the message is eaten (MA_ACTIVATEANDEAT, MA_NOACTIVATEANDEAT).
bool acceptInput(RawInput& in);
// Calls WH_MOUSE or WH_KEYBOARD; true when a hook swallows the message.
bool inputHooksSwallow(RawInput& in, bool remove);

// The input side of the queue and of the cursor.
void postInput(const MSG& msg, const QString& text = QString());
QString takeKeyText(const MSG& msg);
void setCursorScreenPos(QPoint p);
QPoint cursorPoint();

void pushRawInput(RawInput in);
void runLater(void (*action)(HWND, bool), HWND hwnd, bool flag);

} // namespace pm::wm
