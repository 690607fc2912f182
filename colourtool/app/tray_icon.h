#pragma once
// TrayIcon: a control that puts one icon with a tool tip into the notification area and turns the
// shell's mouse notifications for it into events of its own. It is invisible in use and keeps a
// fixed size of 28 x 28 pixels; its hidden window `pichook` receives the notifications.

#include "platform/forms/form.h"
#include "platform/forms/user_control.h"
#include "platform/forms/windowless.h"

#include <functional>
#include <string>

namespace tintara {

class TrayIcon : public vb::UserControl {
public:
    explicit TrayIcon(vb::Container& host, std::string name = "TrayIcon", int left = 0, int top = 0);
    ~TrayIcon() override;

    // The icon picture (not owned; it must live while the icon is added).
    HBITMAP GetTrayIcon() const { return m_picture.Picture(); }
    void SetTrayIcon(HBITMAP picture);
    std::string ToolTipText() const { return m_toolTip.Caption(); }
    void SetToolTipText(const std::string& text) { m_toolTip.SetCaption(text); }

    // Adds the icon with the current picture and tip (through vb::notifyIcon()); a second add of the
    // shown icon is refused, and a later change of picture or tip does not reach an icon already shown.
    void TaskVisible();
    // Removes the icon.
    void TaskInvisible();
    // True while the icon is in the notification area: false before TaskVisible, after
    // TaskInvisible, and where the desktop has no notification area.
    bool IconShown() const { return m_shown; }

    // The events the host handles. Button is 1 for the left, 2 for the right button. Click is the
    // control's own Click; these hide the surface's mouse events, which the control never raises.
    std::function<void(int button)> DblClick;
    std::function<void(int button)> MouseDown;
    std::function<void(int button)> MouseMove; // declared for the host, never raised
    std::function<void(int button)> MouseUp;

    // The last notification message received.
    long LastMessage() const { return m_lastMessage; }
    // The hidden window the shell notifies.
    HWND hookWindow() const { return m_pichook.hWnd(); }

    // The tip as the shell's icon record holds it: at most 63 characters, a NUL, then spaces up to 64.
    static std::string tipField(const std::string& tip);

protected:
    void UserControl_Resize() override;

private:
    void pichook_MouseMove(int x);
    void raiseFor(long message);

    vb::PictureBox m_picture;
    vb::PictureBox m_pichook;
    vb::Label m_toolTip;
    bool m_raising = false;
    bool m_shown = false;
    HICON m_icon = nullptr; // the icon the notification area shows
    long m_lastMessage = 0;
};

// Hides `window` to the notification area when the icon is there; where it is not, minimises the
// window instead, so that it stays reachable.
void hideToTray(vb::Form& window, const TrayIcon& tray);
// Shows `window` again, restored when it was minimised.
void restoreFromTray(vb::Form& window);

} // namespace tintara
