// No desktop (the tests, a process without a display): no window manager stacks, places or
// activates our top-level windows, so the window tree alone says where they are and which is
// active; the pointer is where our input last put it, and the desktop's dialogs cannot show.
#include "platform/win/wm/desktop_backend.h"

#include "platform/win/wm/compose.h"
#include "platform/win/wm/desktop_window.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

namespace pm::wm {
namespace {

class OffscreenDesktop final : public DesktopBackend {
public:
    void publishOwner(Window*) override {}
    void raise(Window*) override {}
    void showMaximized(Window*) override {}

    void showRestored(Window* w, bool) override {
        if (isDesktopTopLevel(w)) w->widget->showNormal();
    }

    bool placesWindow(const Window*) const override { return false; }
    bool startMoveSize(Window*, WPARAM) override { return false; }
    void settlePlacement(HWND) override {}
    void stateChanged(HWND) override {}
    void activationChanged(HWND, bool) override {}
    void activate(Window*) override {}
    POINT cursorPos() const override { return cursorScreenPos(); }
    CommonDialogAnswer runDialog(const std::function<CommonDialogAnswer()>&) override { return {}; }
    QImage screen() override { return composeDesktopWindows(); }

    void showOverlay(QWidget* overlay, QImage*) override {
        if (!overlay->isVisible()) overlay->show();
    }

    // Offscreen, Qt's clipboard never says who owns it.
    bool clipboardTaken(const QClipboard*) const override { return false; }
};

} // namespace

std::unique_ptr<DesktopBackend> makeOffscreenDesktop() {
    return std::make_unique<OffscreenDesktop>();
}

} // namespace pm::wm
