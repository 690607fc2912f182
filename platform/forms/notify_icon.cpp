#include "platform/forms/notify_icon.h"

#include <algorithm>
#include <cstring>

namespace vb {
namespace {

NotifyIconService* g_service = nullptr;

NOTIFYICONDATA iconData(HWND target, UINT id) {
    NOTIFYICONDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = target;
    data.uID = id;
    return data;
}

} // namespace

bool SystemNotifyIcon::Add(HWND target, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
    NOTIFYICONDATA data = iconData(target, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon;
    std::size_t n = std::min(tip.size(), sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip.data(), n);
    data.szTip[n] = '\0';
    return Shell_NotifyIcon(NIM_ADD, &data) != FALSE;
}

bool SystemNotifyIcon::Delete(HWND target, UINT id) {
    NOTIFYICONDATA data = iconData(target, id);
    return Shell_NotifyIcon(NIM_DELETE, &data) != FALSE;
}

bool FakeNotifyIcon::Add(HWND target, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
    if (!m_available || m_icons.count({target, id})) return false;
    m_icons[{target, id}] = Icon{callbackMessage, icon, tip.substr(0, 127)};
    return true;
}

bool FakeNotifyIcon::Delete(HWND target, UINT id) {
    return m_icons.erase({target, id}) != 0;
}

const FakeNotifyIcon::Icon* FakeNotifyIcon::find(HWND target, UINT id) const {
    auto it = m_icons.find({target, id});
    return it == m_icons.end() ? nullptr : &it->second;
}

bool FakeNotifyIcon::Click(HWND target, UINT id, UINT mouseMessage) {
    const Icon* icon = find(target, id);
    if (!icon) return false;
    SendMessage(target, icon->callbackMessage, static_cast<WPARAM>(id), static_cast<LPARAM>(mouseMessage));
    return true;
}

NotifyIconService& notifyIcon() {
    static SystemNotifyIcon system;
    return g_service ? *g_service : system;
}

void setNotifyIcon(NotifyIconService* service) {
    g_service = service;
}

} // namespace vb
