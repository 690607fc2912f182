#include "colourtool/app/tray_icon.h"

#include "colourtool/app/drawn_pictures.h"

#include "platform/forms/notify_icon.h"

#include <algorithm>

namespace tintara {
namespace {

constexpr int kSize = 420 / 15; // 420 twips square
constexpr UINT kIconId = 1;
constexpr std::size_t kTipField = 64;

} // namespace

TrayIcon::TrayIcon(vb::Container& host, std::string name, int left, int top)
    : vb::UserControl(host, std::move(name), left, top, kSize, kSize),
      m_picture(*this, "TrayIcon", 0, 0, kSize, kSize), m_pichook(*this, "pichook", 0, 0, kSize, kSize),
      m_toolTip(*this, "ToolTip", 0, 0, kSize, kSize) {
    m_pichook.SetVisible(false);
    m_toolTip.SetVisible(false);
    m_pichook.MouseMove = [this](int, int, int x, int) { pichook_MouseMove(x); };
    SetVisible(false);
    UserControl_Resize();
}

TrayIcon::~TrayIcon() {
    if (m_shown || m_icon) TaskInvisible();
}

void TrayIcon::SetTrayIcon(HBITMAP picture) {
    m_picture.SetPicture(picture);
    m_picture.Cls();
}

std::string TrayIcon::tipField(const std::string& tip) {
    std::string field = tip.substr(0, std::min(tip.size(), kTipField - 1));
    field.push_back('\0');
    field.resize(kTipField, ' ');
    return field;
}

void TrayIcon::TaskVisible() {
    std::string field = tipField(ToolTipText());
    std::string tip = field.substr(0, field.find('\0'));
    HICON icon = iconOfPicture(GetTrayIcon(), RGB(0, 0, 0), true);
    if (!vb::notifyIcon().Add(m_pichook.hWnd(), kIconId, WM_MOUSEMOVE, icon, tip)) {
        if (icon) DestroyIcon(icon);
        return;
    }
    m_shown = true;
    if (m_icon) DestroyIcon(m_icon);
    m_icon = icon;
}

void TrayIcon::TaskInvisible() {
    vb::notifyIcon().Delete(m_pichook.hWnd(), kIconId);
    m_shown = false;
    if (m_icon) DestroyIcon(m_icon);
    m_icon = nullptr;
}

void TrayIcon::UserControl_Resize() {
    Move(Left(), Top(), kSize, kSize);
}

// The shell's callback arrives as a mouse move over `pichook` whose X is the icon's mouse message.
void TrayIcon::pichook_MouseMove(int x) {
    m_lastMessage = x;
    // A host handler may run a modal loop (a popup menu); notifications meanwhile are dropped.
    if (m_raising) return;
    m_raising = true;
    raiseFor(m_lastMessage);
    m_raising = false;
}

void TrayIcon::raiseFor(long message) {
    auto raise = [](const std::function<void(int)>& event, int button) {
        if (event) event(button);
    };
    auto click = [this] {
        if (Click) Click();
    };
    switch (message) {
    case WM_LBUTTONDOWN:
        raise(MouseDown, vb::vbLeftButton);
        break;
    case WM_LBUTTONUP:
        raise(MouseUp, vb::vbLeftButton);
        click();
        break;
    case WM_LBUTTONDBLCLK:
        raise(DblClick, vb::vbLeftButton);
        break;
    case WM_RBUTTONDOWN:
        raise(MouseDown, vb::vbRightButton);
        break;
    case WM_RBUTTONUP:
        raise(MouseUp, vb::vbRightButton);
        click();
        break;
    case WM_RBUTTONDBLCLK:
        raise(DblClick, vb::vbRightButton);
        break;
    default:
        break;
    }
}

void hideToTray(vb::Form& window, const TrayIcon& tray) {
    if (tray.IconShown()) {
        window.Hide();
        return;
    }
    window.SetWindowState(vb::vbMinimized);
}

void restoreFromTray(vb::Form& window) {
    window.Show();
    if (window.WindowState() == vb::vbMinimized) window.SetWindowState(vb::vbNormal);
}

} // namespace tintara
