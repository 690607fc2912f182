#pragma once
// The notification-area icon behind a small interface: the system's (Shell_NotifyIcon) or a fake for
// tests. Use: `vb::notifyIcon().Add(hwnd, 1, WM_MOUSEMOVE, icon, "tip")` at start-up and
// `vb::notifyIcon().Delete(hwnd, 1)` before ending; clicks arrive at `hwnd` as the callback message
// with wParam = the id and lParam = the mouse message (WM_LBUTTONUP, WM_RBUTTONDBLCLK...).
// Where the desktop has no notification area Add fails: callers then minimise the window instead of
// hiding it, so that it stays reachable.

#include "platform/win/windows.h"

#include <map>
#include <string>
#include <utility>

namespace vb {

class NotifyIconService {
public:
    virtual ~NotifyIconService() = default;
    // Adds the icon (target, id) with its picture and tip; false when it exists already or there is no
    // notification area. The tip is cut to 127 bytes.
    virtual bool Add(HWND target, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) = 0;
    // Removes the icon; false when there was none.
    virtual bool Delete(HWND target, UINT id) = 0;
};

// Over the window layer's Shell_NotifyIcon.
class SystemNotifyIcon : public NotifyIconService {
public:
    bool Add(HWND target, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) override;
    bool Delete(HWND target, UINT id) override;
};

// Icons kept in memory; Click acts as the user's mouse on an icon.
class FakeNotifyIcon : public NotifyIconService {
public:
    struct Icon {
        UINT callbackMessage = 0;
        HICON icon = nullptr;
        std::string tip;
    };

    // Without `available`, the desktop has no notification area.
    explicit FakeNotifyIcon(bool available = true) : m_available(available) {}
    bool Add(HWND target, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) override;
    bool Delete(HWND target, UINT id) override;

    // The icon (target, id), or nullptr.
    const Icon* find(HWND target, UINT id) const;
    // Sends the icon's callback message with `mouseMessage` to its window, as the shell does for a
    // click; false when the icon does not exist.
    bool Click(HWND target, UINT id, UINT mouseMessage);

private:
    bool m_available;
    std::map<std::pair<HWND, UINT>, Icon> m_icons;
};

// The service in use (the system's unless replaced); nullptr restores the system's.
NotifyIconService& notifyIcon();
void setNotifyIcon(NotifyIconService* service);

} // namespace vb
