#include "platform/win/wm/desktop_window.h"

#include "platform/win/gdi/icons.h"
#include "platform/win/text_codec.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace pm::wm {
namespace {

// How long a window just shown may take the window manager to place it.
constexpr int kSettleMilliseconds = 500;

bool isTopLevel(const Window* w) {
    return w->parent == desktop() && w->widget;
}

bool hasCaptionOrSizingBorder(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME);
}

bool hasDialogFrame(const Window* w) {
    return (w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME);
}

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

} // namespace

bool bypassesWindowManager(const Window* w) {
    if (!(w->style & WS_POPUP) || hasCaptionOrSizingBorder(w->style) || hasDialogFrame(w)) return false;
    return w->cls && (w->cls->style & CS_SAVEBITS);
}

Qt::WindowFlags topLevelWindowFlags(const Window* w) {
    if (!(w->style & WS_POPUP)) return Qt::Window;
    if (bypassesWindowManager(w)) return Qt::ToolTip | Qt::FramelessWindowHint;
    if (w->exStyle & WS_EX_APPWINDOW || !w->owner) return Qt::Window | Qt::FramelessWindowHint;
    if (w->exStyle & WS_EX_TOOLWINDOW) return Qt::Tool | Qt::FramelessWindowHint;
    return Qt::Dialog | Qt::FramelessWindowHint;
}

QWidget* desktopWidgetOf(HWND hwnd) {
    Window* w = window(hwnd);
    Window* top = w ? topLevelOf(w) : nullptr;
    return top && top != desktop() ? top->widget : nullptr;
}

void publishOwner(Window* w) {
    if (!isTopLevel(w) || !realDesktop() || bypassesWindowManager(w)) return;
    QWindow* self = nativeWindow(w);
    QWindow* owner = w->owner ? nativeWindow(w->owner) : nullptr;
    if (self && self->transientParent() != owner) self->setTransientParent(owner);
}

void publishTitle(Window* w) {
    if (!isTopLevel(w) || bypassesWindowManager(w)) return;
    QString title = decodeText(w->text);
    // An empty title would make Qt show the program's name instead.
    w->widget->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
}

void publishIcon(Window* w) {
    if (!isTopLevel(w) || bypassesWindowManager(w)) return;
    HICON big = w->iconBig ? w->iconBig : w->cls ? w->cls->icon : nullptr;
    HICON small = w->iconSmall ? w->iconSmall : w->cls ? w->cls->iconSmall : nullptr;
    if (!big && !small && w->owner) return; // owned windows show their owner's
    // Both sizes, so the desktop picks the one its title bar or task list shows.
    QIcon shown;
    for (HICON icon : {big, small}) {
        QImage image = icon ? gdi::imageOfIcon(icon, nullptr) : QImage();
        if (!image.isNull()) shown.addPixmap(QPixmap::fromImage(image));
    }
    if (!shown.isNull()) w->widget->setWindowIcon(shown);
}

void publishToDesktop(Window* w) {
    publishOwner(w);
    publishTitle(w);
    publishIcon(w);
    // A new native window (new flags, a new parent) leaves the windows it owns without their
    // transient parent.
    for (Window* t : desktop()->children)
        if (t->owner == w) publishOwner(t);
}

void refreshWindowFlags(Window* w) {
    if (!isTopLevel(w)) return;
    Qt::WindowFlags flags = topLevelWindowFlags(w);
    // Qt adds the title and button hints of its own to a window's flags; only the kind of window
    // and its frame come from the style. A new kind re-creates the native window, which the desktop
    // sees unmapped: it loses the keyboard and its maximised state, so a style change that keeps the
    // kind (a frame's own style bits, say) must leave it alone.
    const Qt::WindowFlags decided = Qt::WindowType_Mask | Qt::FramelessWindowHint;
    if ((w->widget->windowFlags() & decided) == (flags & decided)) return;
    bool visible = w->widget->isVisible();
    w->widget->setWindowFlags(flags);
    syncWidgetGeometry(w);
    publishToDesktop(w);
    w->widget->setVisible(visible);
}

bool requestDesktopMoveSize(Window* w, WPARAM command) {
    if (!isTopLevel(w) || !realDesktop() || !keyDown(VK_LBUTTON)) return false;
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

void settleDesktopPlacement(HWND hwnd) {
    Window* w = window(hwnd);
    if (!w || !isTopLevel(w) || !realDesktop() || !(w->style & WS_VISIBLE) || w->minimized) return;
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

void followDesktopState(HWND hwnd, bool) {
    Window* w = window(hwnd);
    if (!w || !isTopLevel(w) || !realDesktop()) return;
    bool minimized = w->widget->isMinimized();
    if (minimized != w->minimized) {
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
    if (!minimized && maximized != w->maximized) ShowWindow(hwnd, maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
}

void createWidget(Window* w) {
    if (w->parent == desktop()) {
        w->widget = new WindowWidget(w->handle, nullptr, topLevelWindowFlags(w));
        w->widget->setAttribute(Qt::WA_ShowWithoutActivating);
        watchDesktopGrabs();
    } else {
        w->widget = new WindowWidget(w->handle, w->parent->widget, Qt::Widget);
    }
    resizeImage(w);
    syncWidgetGeometry(w);
    restackWidget(w);
    w->widget->setVisible(false);
}

void destroyWidget(Window* w) {
    if (!w->widget) return;
    w->widget->detach();
    delete w->widget;
    w->widget = nullptr;
}

bool realDesktop() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

RECT toRECT(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
QRect toQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void syncWidgetGeometry(Window* w) {
    if (!w->widget) return;
    if (w->parent == desktop() || !w->parent) {
        // The window manager places a maximised or minimised window itself (and a new geometry
        // would end Qt's maximised state); the window follows the manager's geometry.
        if (realDesktop() && (w->widget->isMaximized() || w->widget->isMinimized())) return;
        w->widget->setGeometry(toQRect(w->rect));
    } else {
        w->widget->setGeometry(QRect(w->parent->client.left + w->rect.left,
                                     w->parent->client.top + w->rect.top, w->width(), w->height()));
    }
}

void restackWidget(Window* w) {
    if (!w->widget || !w->parent) return;
    auto& sib = w->parent->children;
    for (std::size_t i = 0; i < sib.size(); ++i) {
        if (sib[i] != w) continue;
        if (i == 0) {
            if (w->parent != desktop() || realDesktop()) w->widget->raise();
        } else if (sib[i - 1]->widget && w->parent != desktop()) {
            w->widget->stackUnder(sib[i - 1]->widget);
        }
        return;
    }
}

void activateOnDesktop(Window* w) {
    if (w->widget) w->widget->activateWindow();
}

bool desktopHoldsFocus() {
    return QGuiApplication::focusWindow() != nullptr;
}

void grabDesktopMouse(Window* w) {
    if (w->widget) w->widget->grabMouse();
}

void releaseDesktopMouse(Window* w) {
    if (w->widget) w->widget->releaseMouse();
}

} // namespace pm::wm
