#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/wm.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace pm::test {
namespace {

// Draws w at its place in `into`, children above their parent in Z-order, each clipped to its
// parent's client area.
void compose(QPainter& p, const wm::Window* w, QPoint origin, const QRect& clip) {
    if (!(w->style & WS_VISIBLE)) return;
    QRect area = QRect(origin, w->image.size()) & clip;
    if (area.isEmpty()) return;
    p.save();
    p.setClipRect(area);
    p.drawImage(origin, w->image);
    p.restore();
    QPoint clientOrigin = origin + QPoint(w->client.left, w->client.top);
    QRect clientClip = QRect(clientOrigin, wm::toQRect(w->client).size()) & clip;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        compose(p, *it, clientOrigin + QPoint((*it)->rect.left, (*it)->rect.top), clientClip);
}

} // namespace

QImage windowImage(HWND hwnd) {
    wm::Window* w = wm::window(hwnd);
    if (!w) return QImage();
    QImage out(w->image.size(), QImage::Format_RGB32);
    out.fill(0xFFFFFFFF);
    QPainter p(&out);
    bool visible = (w->style & WS_VISIBLE) != 0;
    w->style |= WS_VISIBLE;
    compose(p, w, QPoint(0, 0), out.rect());
    if (!visible) w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    return out;
}

bool saveWindowPng(HWND hwnd, const QString& path) {
    QImage img = windowImage(hwnd);
    if (img.isNull()) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return img.save(path, "PNG");
}

QString outputFolder() { return QString::fromUtf8(PM_TEST_OUTPUT_DIR); }

} // namespace pm::test
