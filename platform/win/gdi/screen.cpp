#include "platform/win/gdi/screen.h"

#include "platform/win/qtapp.h"

#include <QGuiApplication>
#include <QScreen>

namespace pm::gdi {
namespace {

// Without a screen (no desktop at all) the layer works on a screen of the classic size.
constexpr RECT kNoScreen{0, 0, 1280, 1024};

QScreen* primaryScreen() {
    ensureQtApplication();
    return QGuiApplication::primaryScreen();
}

RECT toRECT(const QRect& r) {
    return RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

} // namespace

RECT screenRect() {
    QScreen* s = primaryScreen();
    return s ? toRECT(s->geometry()) : kNoScreen;
}

RECT workArea() {
    QScreen* s = primaryScreen();
    return s ? toRECT(s->availableGeometry()) : kNoScreen;
}

} // namespace pm::gdi
