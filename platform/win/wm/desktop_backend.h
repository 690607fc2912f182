#pragma once
// The desktop services' side that the window system's Qt backend files use: the picture of the
// screen, the overlay that drag outlines are drawn on, and the clipboard's owner.
// Private to platform/win.

#include "platform/win/wm/desktop_services.h"

#include <QClipboard>
#include <QImage>
#include <QWidget>

#include <memory>

namespace pm::wm {

class DesktopBackend : public DesktopServices {
public:
    // What the screen shows now: the desktop with other programs' windows where one runs, else our
    // top-level windows as the window tree stacks them, with the drag overlay over them.
    virtual QImage screen() = 0;
    // The drag overlay shown over the screen (when hidden: on a desktop, with the screen's picture
    // taken into `background` first) and raised above our windows.
    virtual void showOverlay(QWidget* overlay, QImage* background) = 0;
    // Whether another program has taken the desktop's clipboard from us.
    virtual bool clipboardTaken(const QClipboard* clipboard) const = 0;
};

DesktopBackend& desktopBackend();

// The two kinds (real_desktop.cpp, offscreen_desktop.cpp).
std::unique_ptr<DesktopBackend> makeRealDesktop();
std::unique_ptr<DesktopBackend> makeOffscreenDesktop();

} // namespace pm::wm
