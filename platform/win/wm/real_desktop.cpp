// The real desktop: an X11 window manager stacks, places, activates, minimises and maximises our
// top-level windows, takes their mouse-driven moves and sizes, and the screen shows other programs.
#include "platform/win/wm/desktop_backend.h"

#include "platform/win/wm/compose.h"
#include "platform/win/wm/desktop_widgets.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace pm::wm {
namespace {

// How long a window just shown may take the window manager to place it.
constexpr int kSettleMilliseconds = 500;

// WM_HINTS: its fields, the flag that says the start state is given, where it stands, its values.
constexpr uint32_t kWmHintsFields = 9;
constexpr uint32_t kStateHint = 1u << 1;
constexpr int kWmHintsState = 2;
constexpr uint32_t kNormalState = 1;
constexpr uint32_t kIconicState = 3;

// The native window of a widget, created when it does not exist yet.
QWindow* nativeWindow(Window* w) {
    if (!w->widget) return nullptr;
    w->widget->winId();
    return w->widget->windowHandle();
}

Qt::Edges edgesOf(int side) {
    switch (side) {
    case WMSZ_LEFT:
        return Qt::LeftEdge;
    case WMSZ_RIGHT:
        return Qt::RightEdge;
    case WMSZ_TOP:
        return Qt::TopEdge;
    case WMSZ_TOPLEFT:
        return Qt::TopEdge | Qt::LeftEdge;
    case WMSZ_TOPRIGHT:
        return Qt::TopEdge | Qt::RightEdge;
    case WMSZ_BOTTOM:
        return Qt::BottomEdge;
    case WMSZ_BOTTOMLEFT:
        return Qt::BottomEdge | Qt::LeftEdge;
    case WMSZ_BOTTOMRIGHT:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

// Whether the left button is down now on the X server. The queue's key state says what the last
// message taken from it said: after a quick click the release may still wait in the queue, or
// even reached us before the press was handled. Without an X server to ask, the queue's state.
bool leftButtonHeld(Window* w) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return keyDown(VK_LBUTTON);
    auto id = static_cast<xcb_window_t>(w->widget->internalWinId());
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, id), nullptr), &std::free);
    return pointer ? (pointer->mask & XCB_BUTTON_MASK_1) != 0 : keyDown(VK_LBUTTON);
}

// The start state that Qt gave the X window when it minimised it (WM_HINTS, iconic) stays when
// the desktop restores the window, and the window manager would map the window iconified the next
// time it is shown: the hint says normal again.
void clearIconicStartState(Window* w) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    auto id = static_cast<xcb_window_t>(w->widget->internalWinId());
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kWmHintsFields), nullptr),
        &std::free);
    if (!reply || reply->format != 32) return;
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    if (count <= kWmHintsState) return;
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    std::vector<uint32_t> hints(value, value + count);
    if (!(hints[0] & kStateHint) || hints[kWmHintsState] != kIconicState) return;
    hints[kWmHintsState] = kNormalState;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, count,
                        hints.data());
    xcb_flush(c);
}

// Qt writes WM_TRANSIENT_FOR only for the kinds of window it takes for transient ones (dialogs,
// tool windows) and deletes it from any other as it maps it: an owned ordinary window would have no
// owner on the desktop, and a click on the owner would stack the owner over it. Such a window is
// told its owner here, again each time it is shown.
void writeTransientFor(QWindow* self, QWindow* owner) {
    if (self->type() != Qt::Window) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    auto id = static_cast<xcb_window_t>(self->winId());
    if (owner) {
        auto ownerId = static_cast<xcb_window_t>(owner->winId());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                            &ownerId);
    } else {
        xcb_delete_property(c, id, XCB_ATOM_WM_TRANSIENT_FOR);
    }
    xcb_flush(c);
}

class RealDesktop final : public DesktopBackend {
public:
    void publishOwner(Window* w) override {
        if (!isDesktopTopLevel(w) || bypassesWindowManager(w)) return;
        QWindow* self = nativeWindow(w);
        QWindow* owner = w->owner ? nativeWindow(w->owner) : nullptr;
        if (!self) return;
        if (self->transientParent() != owner) self->setTransientParent(owner);
        writeTransientFor(self, owner);
    }

    void raise(Window* w) override {
        if (isDesktopTopLevel(w)) w->widget->raise();
    }

    void showMaximized(Window* w) override {
        if (isDesktopTopLevel(w)) w->widget->showMaximized();
    }

    void showRestored(Window* w, bool toMaximized) override {
        if (!isDesktopTopLevel(w)) return;
        if (toMaximized)
            w->widget->showMaximized();
        else
            w->widget->showNormal();
    }

    bool placesWindow(const Window* w) const override {
        return w->widget && (w->widget->isMaximized() || w->widget->isMinimized());
    }

    bool startMoveSize(Window* w, WPARAM command) override {
        if (!isDesktopTopLevel(w) || !keyDown(VK_LBUTTON)) return false;
        QWindow* native = w->widget->windowHandle();
        if (!native) return false;
        // The window manager would wait for a release that has already happened, and the window would
        // follow the pointer after the click: the layer's loop takes the release from the queue instead.
        if (!leftButtonHeld(w)) return false;
        bool moving = (command & 0xFFF0) == SC_MOVE;
        bool taken = moving ? native->startSystemMove()
                            : native->startSystemResize(edgesOf(static_cast<int>(command & 0x000F)));
        // The window manager keeps the button until it is done; the release never reaches us.
        if (taken) setKeyDown(VK_LBUTTON, false, false);
        return taken;
    }

    void settlePlacement(HWND hwnd) override {
        Window* w = window(hwnd);
        if (!w || !isDesktopTopLevel(w) || !(w->style & WS_VISIBLE) || w->minimized) return;
        QWindow* native = w->widget->windowHandle();
        if (!native || native->isExposed()) return;
        QElapsedTimer waited;
        waited.start();
        QTimer tick; // wakes the wait when the desktop says nothing
        tick.setSingleShot(true);
        while (!native->isExposed() && waited.elapsed() < kSettleMilliseconds) {
            tick.start(10);
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        // Not shown in time: the window keeps the place it asked for until the manager's word comes.
        if (!native->isExposed()) return;
        const QRect shown = w->widget->geometry();
        if (shown != toQRect(w->rect)) followDesktopGeometry(w, toRECT(shown));
    }

    void stateChanged(HWND hwnd) override {
        Window* w = window(hwnd);
        if (!w || !isDesktopTopLevel(w)) return;
        bool minimized = w->widget->isMinimized();
        if (minimized != w->minimized) {
            if (!minimized) clearIconicStartState(w);
            ShowWindow(hwnd, minimized ? SW_MINIMIZE : SW_RESTORE);
            // Back from its icon, the window stands where the manager shows it: a maximised one kept
            // the manager's place meanwhile, so no move of the manager's would tell it.
            w = window(hwnd);
            if (minimized || !w || !w->widget) return;
            const QRect shown = w->widget->geometry();
            if (shown != toQRect(w->rect)) followDesktopGeometry(w, toRECT(shown));
            return;
        }
        bool maximized = w->widget->isMaximized();
        if (!minimized && maximized != w->maximized)
            ShowWindow(hwnd, maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
    }

    void activationChanged(HWND hwnd, bool active) override { followDesktopActivation(hwnd, active); }

    void activate(Window* w) override {
        if (w->widget) w->widget->activateWindow();
    }

    POINT cursorPos() const override {
        // On a desktop the pointer may have left our windows (for another program's window, the
        // notification area's icon, the desktop itself) without any of our events saying so.
        const QPoint now = QCursor::pos();
        return POINT{now.x(), now.y()};
    }

    CommonDialogAnswer runDialog(const std::function<CommonDialogAnswer()>& show) override { return show(); }

    QImage screen() override {
        QScreen* primary = QGuiApplication::primaryScreen();
        return primary ? primary->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32)
                       : composeDesktopWindows();
    }

    void showOverlay(QWidget* overlay, QImage* background) override {
        if (!overlay->isVisible()) {
            *background = screen();
            overlay->show();
        }
        overlay->raise();
    }

    bool clipboardTaken(const QClipboard* clipboard) const override { return !clipboard->ownsClipboard(); }
};

} // namespace

std::unique_ptr<DesktopBackend> makeRealDesktop() {
    return std::make_unique<RealDesktop>();
}

} // namespace pm::wm
