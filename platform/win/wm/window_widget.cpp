#include "platform/win/wm/window_widget.h"

#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/input_events.h"
#include "platform/win/wm/registration.h"
#include "platform/win/wm/window_surface.h"
#include "platform/win/wm/wm.h"

#include <QDropEvent>
#include <QPaintEvent>
#include <QPainter>

namespace pm::wm {
namespace {

// Takes a drag as its source proposes it, or, where the source keeps what it gives, as a copy or
// a link; false when refused.
bool acceptDrag(QDropEvent* e, const DropHandler* handler) {
    e->ignore();
    if (!handler) return false;
    if (!handler->keepsSource || e->proposedAction() != Qt::MoveAction) {
        e->acceptProposedAction();
        return true;
    }
    for (Qt::DropAction kept : {Qt::CopyAction, Qt::LinkAction}) {
        if (!(e->possibleActions() & kept)) continue;
        e->setDropAction(kept);
        e->accept();
        return true;
    }
    return false;
}

} // namespace

WindowWidget::WindowWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_hwnd(hwnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    if (parent) setAttribute(Qt::WA_TransparentForMouseEvents);
    // Drags over a window tree reach its top-level widget; they are refused there unless a
    // window under the pointer accepts files (WS_EX_ACCEPTFILES).
    if (!parent) setAcceptDrops(true);
}

void WindowWidget::paintEvent(QPaintEvent* e) {
    Window* w = pm::wm::window(m_hwnd);
    if (!w) return;
    // Under children that cover it there is nothing of its own to show.
    if (w->surface->image.isNull() && (e->region() & shownArea(w)).isEmpty()) return;
    const QImage& image = windowImage(w);
    QPainter p(this);
    // A rectangle at a time: under a clip of one rectangle the image is copied straight, under a
    // clip of several (the area the children leave) it would be blended span by span.
    for (const QRect& r : e->region()) {
        p.setClipRect(r);
        p.drawImage(r.topLeft(), image, r);
    }
}

bool WindowWidget::event(QEvent* e) {
    if (!m_hwnd) return QWidget::event(e);
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        queueMouseEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::Wheel:
        queueWheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        queueKeyEvent(static_cast<QKeyEvent*>(e));
        return true;
    case QEvent::InputMethod:
        queueInputMethodEvent(static_cast<QInputMethodEvent*>(e));
        return true;
    case QEvent::ShortcutOverride:
        e->accept();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        // Accepted only over a window that takes files (the drop becomes WM_DROPFILES) or, for
        // plain text, over one that answers the text drop message.
        acceptDrag(static_cast<QDropEvent*>(e), dropHandlerFor(m_hwnd, static_cast<QDropEvent*>(e)));
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(e);
        const DropHandler* handler = dropHandlerFor(m_hwnd, drop);
        if (acceptDrag(drop, handler) && !handler->deliver(m_hwnd, drop)) drop->ignore();
        return true;
    }
    case QEvent::Close:
        queueCloseRequest(m_hwnd);
        e->ignore();
        return true;
    case QEvent::Resize:
    case QEvent::Move:
        if (e->spontaneous() && isWindow()) queueDesktopGeometry(m_hwnd);
        return QWidget::event(e);
    case QEvent::WindowActivate:
        queueDesktopActivation(m_hwnd, true);
        return QWidget::event(e);
    case QEvent::WindowDeactivate:
        queueDesktopActivation(m_hwnd, false);
        return QWidget::event(e);
    case QEvent::WindowStateChange:
        if (isWindow()) runLater([](HWND h, bool) { desktopServices().stateChanged(h); }, m_hwnd, false);
        return QWidget::event(e);
    default:
        return QWidget::event(e);
    }
}

} // namespace pm::wm
