#include "platform/win/wm/compose.h"

#include "platform/win/wm/desktop_backend.h"
#include "platform/win/wm/desktop_overlay.h"
#include "platform/win/wm/desktop_widgets.h"
#include "platform/win/wm/window_surface.h"
#include "platform/win/wm/wm.h"

#include <QGuiApplication>

#include <algorithm>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace pm::wm {
namespace {

void compose(QPainter& p, const Window* w, QPoint origin, const QRect& clip, bool force) {
    if (!force && !(w->style & WS_VISIBLE)) return;
    QRect area = QRect(origin, QSize(std::max(w->width(), 0), std::max(w->height(), 0))) & clip;
    if (area.isEmpty()) return;
    // A window its children cover shows only them.
    if (!drawnNowhere(w)) {
        p.save();
        p.setClipRect(area);
        p.drawImage(origin, windowImage(w));
        p.restore();
    }
    QPoint clientOrigin = origin + QPoint(w->client.left, w->client.top);
    QRect clientClip = QRect(clientOrigin, toQRect(w->client).size()) & clip;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        compose(p, *it, clientOrigin + QPoint((*it)->rect.left, (*it)->rect.top), clientClip, false);
}

} // namespace

QImage composeWindow(const Window* w) {
    QImage out(QSize(std::max(w->width(), 0), std::max(w->height(), 0)), QImage::Format_RGB32);
    out.fill(0xFFFFFFFF);
    QPainter p(&out);
    compose(p, w, QPoint(0, 0), out.rect(), true);
    return out;
}

QImage composeScreen() {
    return desktopBackend().screen();
}

QImage composeDesktopWindows() {
    QRect screen = toQRect(desktop()->rect);
    QImage out(screen.size(), QImage::Format_RGB32);
    out.fill(0xFF000000);
    QPainter p(&out);
    const auto& tops = desktop()->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        compose(p, *it, QPoint((*it)->rect.left, (*it)->rect.top), out.rect(), false);
    if (const QImage* overlay = desktopOverlayImage()) p.drawImage(0, 0, *overlay);
    return out;
}

} // namespace pm::wm
