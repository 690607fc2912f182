#include "platform/win/wm/desktop_overlay.h"

#include "platform/win/gdi/dc_surface.h"
#include "platform/win/wm/compose.h"
#include "platform/win/wm/desktop_backend.h"
#include "platform/win/wm/desktop_widgets.h"
#include "platform/win/wm/wm.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

namespace pm::wm {
namespace {

class OverlayWidget final : public QWidget {
public:
    OverlayWidget()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    QImage image;
    // The screen as it was when the overlay showed (RGB32): the overlay shows it with what is drawn
    // on the desktop inverting it, as XOR drawing on a screen does. (A desktop that does not
    // composite windows would show transparent pixels black.)
    QImage background;

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        if (background.isNull()) {
            p.drawImage(0, 0, image);
            return;
        }
        const QRect area = e->rect() & image.rect() & background.rect();
        QImage shown = background.copy(area);
        for (int y = 0; y < area.height(); ++y) {
            const auto* drawn =
                reinterpret_cast<const QRgb*>(image.constScanLine(area.top() + y)) + area.left();
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < area.width(); ++x)
                if (drawn[x]) line[x] = (line[x] ^ drawn[x]) | 0xFF000000u;
        }
        p.drawImage(area.topLeft(), shown);
    }
};

// Nothing is drawn on the overlay (an outline drawn twice with XOR is gone again).
bool blank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb p) { return p != 0; })) return false;
    }
    return true;
}

struct Overlay {
    OverlayWidget* widget = nullptr;
    std::set<HDC> dcs;
    std::map<HDC, std::unique_ptr<QImage>> snapshots;
};

Overlay& overlay() {
    static Overlay o;
    return o;
}

OverlayWidget* widget() {
    Overlay& o = overlay();
    if (o.widget) return o.widget;
    QRect screen = toQRect(desktop()->rect);
    o.widget = new OverlayWidget;
    o.widget->image = QImage(screen.size(), QImage::Format_ARGB32_Premultiplied);
    o.widget->image.fill(0);
    o.widget->setGeometry(screen);
    return o.widget;
}

} // namespace

HDC desktopOverlayDC() {
    OverlayWidget* w = widget();
    HDC dc = gdi::createImageDC(&w->image, QPoint(0, 0), QRegion());
    if (dc) overlay().dcs.insert(dc);
    return dc;
}

HDC desktopSnapshotDC() {
    // The screen is put together when the DC's pixels are first read, if ever: most who ask for
    // the screen's DC only measure with it.
    auto image = std::make_unique<QImage>();
    HDC dc = gdi::createDeferredImageDC([snapshot = image.get()] {
        *snapshot = composeScreen();
        return snapshot;
    });
    if (dc) overlay().snapshots[dc] = std::move(image);
    return dc;
}

bool isDesktopOverlayDC(HDC dc) {
    return overlay().dcs.count(dc) != 0 || overlay().snapshots.count(dc) != 0;
}

bool releaseDesktopOverlayDC(HDC dc) {
    Overlay& o = overlay();
    auto snapshot = o.snapshots.find(dc);
    if (snapshot != o.snapshots.end()) {
        gdi::releaseImageDC(dc);
        o.snapshots.erase(snapshot);
        return true;
    }
    if (!o.dcs.erase(dc)) return false;
    gdi::releaseImageDC(dc);
    OverlayWidget* w = o.widget;
    if (blank(w->image)) {
        // With nothing on it the overlay goes, so the desktop shows as it is; a little later, as an
        // outline is often taken off just before it is drawn again.
        QTimer::singleShot(0, w, [w] {
            if (!blank(w->image)) return;
            w->hide();
            w->background = QImage();
        });
        return true;
    }
    desktopBackend().showOverlay(w, &w->background);
    w->update();
    return true;
}

const QImage* desktopOverlayImage() {
    return overlay().widget ? &overlay().widget->image : nullptr;
}

} // namespace pm::wm
