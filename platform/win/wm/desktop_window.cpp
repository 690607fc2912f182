#include "platform/win/wm/desktop_widgets.h"

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

// The flags that a window's style decides beyond its kind: staying on top and, in the desktop's
// frame, the title bar's buttons.
constexpr Qt::WindowFlags kFrameHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

Qt::WindowFlags hintMask(const Window* w) {
    return Qt::WindowStaysOnTopHint | (hasDesktopFrame(w) ? kFrameHints : Qt::WindowFlags());
}

Qt::WindowFlags hintFlags(const Window* w) {
    Qt::WindowFlags hints;
    // Bypassing the window manager, a window stays on top already.
    if ((w->exStyle & WS_EX_TOPMOST) && !bypassesWindowManager(w)) hints |= Qt::WindowStaysOnTopHint;
    if (!hasDesktopFrame(w)) return hints;
    // The desktop's frame offers the buttons the style has, and nothing else.
    hints |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (w->style & WS_SYSMENU) hints |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (w->style & WS_MINIMIZEBOX) hints |= Qt::WindowMinimizeButtonHint;
    if (w->style & WS_MAXIMIZEBOX) hints |= Qt::WindowMaximizeButtonHint;
    return hints;
}

} // namespace

bool bypassesWindowManager(const Window* w) {
    if (!(w->style & WS_POPUP) || hasCaptionOrSizingBorder(w->style) || hasDialogFrame(w)) return false;
    return w->cls && (w->cls->style & CS_SAVEBITS);
}

Qt::WindowFlags topLevelWindowFlags(const Window* w) {
    if (!(w->style & WS_POPUP)) return Qt::Window | hintFlags(w);
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

void publishHints(Window* w) {
    if (!isTopLevel(w)) return;
    const Qt::WindowFlags mask = hintMask(w);
    Qt::WindowFlags flags = w->widget->windowFlags();
    if ((flags & mask) == hintFlags(w)) return;
    flags = (flags & ~mask) | hintFlags(w);
    // Told to the native window alone: a new set of widget flags would hide the window and make its
    // native window anew.
    w->widget->overrideWindowFlags(flags);
    if (QWindow* native = w->widget->windowHandle()) native->setFlags(flags);
}

void publishToDesktop(Window* w) {
    publishOwner(w);
    publishTitle(w);
    publishIcon(w);
    publishHints(w);
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
    if ((w->widget->windowFlags() & decided) == (flags & decided)) {
        publishHints(w);
        return;
    }
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

namespace {

// The desktop's frame resizes a window only where its style has a sizing border.
void fixDesktopSize(Window* w) {
    const bool fixed = hasDesktopFrame(w) && !(w->style & WS_THICKFRAME);
    const QSize size(w->width(), w->height());
    w->widget->setMinimumSize(fixed ? size : QSize(0, 0));
    w->widget->setMaximumSize(fixed ? size : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// A child window shows only inside its parent's client area, as Win32 clips it; its widget sits in the
// parent's whole window, so the part over the parent's frame, caption or menu is masked off.
void clipToParentClient(Window* w) {
    const QRect client(0, 0, w->parent->client.right - w->parent->client.left,
                       w->parent->client.bottom - w->parent->client.top);
    const QRect own = toQRect(w->rect);
    if (own.isEmpty() || client.contains(own)) {
        if (!w->widget->mask().isEmpty()) w->widget->clearMask();
        return;
    }
    const QRect shown = (own & client).translated(-own.topLeft());
    // An empty mask would mean no mask at all: a parent without a client area shows nothing of it.
    w->widget->setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1) : QRegion(shown));
}

} // namespace

void syncWidgetGeometry(Window* w) {
    if (!w->widget) return;
    if (w->parent == desktop() || !w->parent) {
        // The window manager places a maximised or minimised window itself (and a new geometry
        // would end Qt's maximised state); the window follows the manager's geometry.
        if (realDesktop() && (w->widget->isMaximized() || w->widget->isMinimized())) return;
        fixDesktopSize(w);
        w->widget->setGeometry(toQRect(w->rect));
    } else {
        w->widget->setGeometry(QRect(w->parent->client.left + w->rect.left,
                                     w->parent->client.top + w->rect.top, w->width(), w->height()));
        clipToParentClient(w);
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

void setWidgetVisible(Window* w, bool visible) {
    if (w->widget) w->widget->setVisible(visible);
}

void raiseOnDesktop(Window* w) {
    if (w->widget && w->parent == desktop() && realDesktop()) w->widget->raise();
}

void showWidgetMinimized(Window* w) {
    if (w->widget && w->parent == desktop()) w->widget->showMinimized();
}

void showWidgetMaximized(Window* w) {
    if (w->widget && w->parent == desktop() && realDesktop()) w->widget->showMaximized();
}

void showWidgetRestored(Window* w, bool toMaximized) {
    if (!w->widget || w->parent != desktop()) return;
    if (toMaximized && realDesktop())
        w->widget->showMaximized();
    else
        w->widget->showNormal();
}

void reparentWidget(Window* w) {
    if (!w->widget) return;
    bool top = w->parent == desktop();
    w->widget->setParent(top ? nullptr : w->parent->widget,
                         top ? topLevelWindowFlags(w) : Qt::WindowFlags(Qt::Widget));
    w->widget->setAttribute(Qt::WA_TransparentForMouseEvents, !top);
    if (top) publishToDesktop(w);
    syncWidgetGeometry(w);
    restackWidget(w);
    w->widget->setVisible(false);
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
