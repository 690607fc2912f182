// The choice between the real desktop and none, made once.
#include "platform/win/wm/desktop_backend.h"

#include "platform/win/qtapp.h"

#include <QGuiApplication>

namespace pm::wm {

DesktopBackend& desktopBackend() {
    static const std::unique_ptr<DesktopBackend> chosen = [] {
        ensureQtApplication();
        return QGuiApplication::platformName() == QLatin1String("offscreen") ? makeOffscreenDesktop()
                                                                             : makeRealDesktop();
    }();
    return *chosen;
}

DesktopServices& desktopServices() {
    return desktopBackend();
}

} // namespace pm::wm
