#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_widgets.h"

#include "platform/win/gdi/icons.h"
#include "platform/win/text_codec.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QWindow>

namespace pm::wm {
namespace {

bool hasCaptionOrSizingBorder(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME);
}

bool hasDialogFrame(const Window* w) {
    return (w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME);
}

// The flags that a window's style decides beyond its kind: staying on top and, in the desktop's
// frame, the title bar's buttons.
constexpr Qt::WindowFlags kFrameHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

Qt::WindowFlags hintMask(const Window* w) {
    return Qt::WindowStaysOnTopHint | (hasDesktopFrame(w) ? kFrameHints : Qt::WindowFlags());
}

// Bypassing the window manager, a window stays on top already.
Qt::WindowFlags stayOnTopHint(const Window* w) {
    if (!(w->exStyle & WS_EX_TOPMOST) || bypassesWindowManager(w)) return Qt::WindowFlags();
    return Qt::WindowStaysOnTopHint;
}

Qt::WindowFlags hintFlags(const Window* w) {
    Qt::WindowFlags hints = stayOnTopHint(w);
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

// A topmost window is made with its hint: told later, before the window is first shown, the hint
// would make the desktop's native window anew behind the layer's back.
Qt::WindowFlags topLevelWindowFlags(const Window* w) {
    if (!(w->style & WS_POPUP)) return Qt::Window | hintFlags(w);
    if (bypassesWindowManager(w)) return Qt::ToolTip | Qt::FramelessWindowHint;
    const Qt::WindowFlags frameless = Qt::FramelessWindowHint | stayOnTopHint(w);
    if (w->exStyle & WS_EX_APPWINDOW || !w->owner) return Qt::Window | frameless;
    if (w->exStyle & WS_EX_TOOLWINDOW) return Qt::Tool | frameless;
    return Qt::Dialog | frameless;
}

QWidget* desktopWidgetOf(HWND hwnd) {
    Window* w = window(hwnd);
    Window* top = w ? topLevelOf(w) : nullptr;
    return top && top != desktop() ? top->widget : nullptr;
}

bool isDesktopTopLevel(const Window* w) {
    return w->parent == desktop() && w->widget;
}

void publishTitle(Window* w) {
    if (!isDesktopTopLevel(w) || bypassesWindowManager(w)) return;
    QString title = decodeText(w->text);
    // An empty title would make Qt show the program's name instead.
    w->widget->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
}

void publishIcon(Window* w) {
    if (!isDesktopTopLevel(w) || bypassesWindowManager(w)) return;
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
    if (!isDesktopTopLevel(w)) return;
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
    desktopServices().publishOwner(w);
    publishTitle(w);
    publishIcon(w);
    publishHints(w);
    // A new native window (new flags, a new parent) leaves the windows it owns without their
    // transient parent.
    for (Window* t : desktop()->children)
        if (t->owner == w) desktopServices().publishOwner(t);
}

void refreshWindowFlags(Window* w) {
    if (!isDesktopTopLevel(w)) return;
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
    setWidgetVisible(w, visible);
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
        if (desktopServices().placesWindow(w)) return;
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
            if (w->parent != desktop())
                w->widget->raise();
            else
                desktopServices().raise(w);
        } else if (sib[i - 1]->widget && w->parent != desktop()) {
            w->widget->stackUnder(sib[i - 1]->widget);
        }
        return;
    }
}

void setWidgetVisible(Window* w, bool visible) {
    if (!w->widget) return;
    w->widget->setVisible(visible);
    // Mapped anew, a top-level window may have lost the owner the desktop was told.
    if (visible && isDesktopTopLevel(w)) desktopServices().publishOwner(w);
}

void showWidgetMinimized(Window* w) {
    if (!w->widget || w->parent != desktop()) return;
    // A native window whose place differs from its widget's is given the widget's place as it is
    // shown, and on X11 a new place ends the state it was asked to show in (the window would be
    // mapped normal, not iconic): a hidden window takes its place before it is shown minimised.
    QWindow* native = w->widget->windowHandle();
    const bool hidden = !w->widget->isVisible();
    if (native && hidden && native->geometry() != w->widget->geometry())
        native->setGeometry(w->widget->geometry());
    w->widget->showMinimized();
    if (hidden) desktopServices().publishOwner(w);
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
