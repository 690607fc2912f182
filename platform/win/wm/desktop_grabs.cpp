// The X11 window manager's grabs of our top-level windows. A move or size the manager runs (a drag
// of its title bar or border, or one we asked for) holds the keyboard and pointer from its start to
// its end, and the window sees the grab begin and end as focus and crossing events of mode Grab and
// Ungrab. The filter only queues what it sees; the loop then runs the move-size messages. The
// manager may tell a moved window its new place only after the grab, so the place is read from the
// X server when the grab ends.

#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/input_events.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace pm::wm {
namespace {

// The top-level window shown by X window `id`, or nullptr.
Window* topLevelOfXWindow(xcb_window_t id) {
    for (Window* w : desktop()->children)
        if (w->widget && w->widget->internalWinId() == id) return w;
    return nullptr;
}

// Where the X server has w's window now (screen pixels); false when it cannot say.
bool placeOnServer(Window* w, RECT* place) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return false;
    auto id = static_cast<xcb_window_t>(w->widget->internalWinId());
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> size(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &std::free);
    if (!size) return false;
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, size->root, 0, 0), nullptr),
        &std::free);
    if (!origin) return false;
    *place = RECT{origin->dst_x, origin->dst_y, origin->dst_x + size->width, origin->dst_y + size->height};
    return true;
}

void grabbed(HWND hwnd, bool) {
    Window* w = window(hwnd);
    if (w && w->widget && w->parent == desktop()) desktopMoveSizeStarted(w, false, 0);
}

void released(HWND hwnd, bool) {
    Window* w = window(hwnd);
    if (!w || !desktopMoveSizeRuns(w)) return;
    RECT place{};
    if (w->widget && placeOnServer(w, &place) && !EqualRect(&place, &w->rect))
        followDesktopGeometry(w, place);
    if (window(hwnd)) desktopMoveSizeEnded(w);
}

// Focus leaving a window for a grab, or the pointer leaving it for a grab that is not ours (our
// own capture grabs the pointer too), starts a grab; focus or pointer coming back as the grab ends,
// or focus going elsewhere, ends it.
class GrabWatch final : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7F) {
        case XCB_FOCUS_IN:
        case XCB_FOCUS_OUT:
            focusChanged(reinterpret_cast<const xcb_focus_in_event_t*>(event));
            break;
        case XCB_ENTER_NOTIFY:
        case XCB_LEAVE_NOTIFY:
            if (!QWidget::mouseGrabber()) crossed(reinterpret_cast<const xcb_enter_notify_event_t*>(event));
            break;
        default:
            break;
        }
        return false;
    }

private:
    static void queue(xcb_window_t id, bool grab) {
        if (Window* w = topLevelOfXWindow(id)) runLater(grab ? grabbed : released, w->handle, false);
    }
    static void focusChanged(const xcb_focus_in_event_t* e) {
        if (e->detail == XCB_NOTIFY_DETAIL_POINTER) return;
        bool out = (e->response_type & 0x7F) == XCB_FOCUS_OUT;
        if (out && e->mode == XCB_NOTIFY_MODE_GRAB)
            queue(e->event, true);
        else if (out || e->mode == XCB_NOTIFY_MODE_UNGRAB)
            queue(e->event, false);
    }
    static void crossed(const xcb_enter_notify_event_t* e) {
        bool leave = (e->response_type & 0x7F) == XCB_LEAVE_NOTIFY;
        if (leave && e->mode == XCB_NOTIFY_MODE_GRAB)
            queue(e->event, true);
        else if (!leave && e->mode == XCB_NOTIFY_MODE_UNGRAB)
            queue(e->event, false);
    }
};

} // namespace

void watchDesktopGrabs() {
    static bool watching = false;
    if (watching || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    watching = true;
    static GrabWatch watch;
    qGuiApp->installNativeEventFilter(&watch);
}

} // namespace pm::wm
