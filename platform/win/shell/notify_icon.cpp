// Shell_NotifyIcon: one QSystemTrayIcon per (window, id); clicks become the owner's callback
// message, posted.

#include "platform/win/shellapi.h"
#include "platform/win/shell/shell.h"
#include "platform/win/winuser.h"
#include "platform/win/gdi/icons.h"
#include "platform/win/text_codec.h"

#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace pm {
namespace {

struct TrayEntry {
    std::unique_ptr<QSystemTrayIcon> icon;
    UINT callback = 0;
    std::string tip;
};

using Key = std::pair<HWND, UINT>;

std::map<Key, TrayEntry>& entries() {
    static std::map<Key, TrayEntry> table;
    return table;
}

int& availableOverride() {
    static int value = -1;
    return value;
}

bool trayAvailable() {
    int o = availableOverride();
    return o >= 0 ? o != 0 : QSystemTrayIcon::isSystemTrayAvailable();
}

void apply(TrayEntry& entry, const NOTIFYICONDATA& data) {
    if (data.uFlags & NIF_MESSAGE) entry.callback = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) {
        QImage image = data.hIcon ? gdi::imageOfIcon(data.hIcon, nullptr) : QImage();
        entry.icon->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    }
    if (data.uFlags & NIF_TIP) {
        entry.tip.assign(data.szTip, strnlen(data.szTip, sizeof data.szTip));
        entry.icon->setToolTip(decodeText(entry.tip));
    }
}

void post(HWND hwnd, UINT id, UINT callback, UINT mouse) {
    PostMessage(hwnd, callback, static_cast<WPARAM>(id), static_cast<LPARAM>(mouse));
}

} // namespace

void setTrayAvailableOverride(int available) {
    availableOverride() = available;
}

bool trayIconExists(HWND hwnd, UINT id, std::string* tip) {
    auto it = entries().find({hwnd, id});
    if (it == entries().end()) return false;
    if (tip) *tip = it->second.tip;
    return true;
}

void trayIconActivated(HWND hwnd, UINT id, int reason) {
    auto it = entries().find({hwnd, id});
    if (it == entries().end() || !it->second.callback) return;
    UINT cb = it->second.callback;
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::Trigger:
        post(hwnd, id, cb, WM_LBUTTONDOWN);
        post(hwnd, id, cb, WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::DoubleClick:
        post(hwnd, id, cb, WM_LBUTTONDBLCLK);
        post(hwnd, id, cb, WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::Context:
        post(hwnd, id, cb, WM_RBUTTONDOWN);
        post(hwnd, id, cb, WM_RBUTTONUP);
        break;
    case QSystemTrayIcon::MiddleClick:
        post(hwnd, id, cb, WM_MBUTTONDOWN);
        post(hwnd, id, cb, WM_MBUTTONUP);
        break;
    default:
        break;
    }
}

} // namespace pm

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data) {
    using namespace pm;
    if (!data) return FALSE;
    Key key{data->hWnd, data->uID};
    auto it = entries().find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != entries().end() || !IsWindow(data->hWnd) || !trayAvailable()) return FALSE;
        TrayEntry& entry = entries()[key];
        entry.icon = std::make_unique<QSystemTrayIcon>();
        HWND hwnd = data->hWnd;
        UINT id = data->uID;
        QObject::connect(entry.icon.get(), &QSystemTrayIcon::activated,
                         [hwnd, id](QSystemTrayIcon::ActivationReason r) { trayIconActivated(hwnd, id, r); });
        apply(entry, *data);
        if (QSystemTrayIcon::isSystemTrayAvailable()) entry.icon->show();
        return TRUE;
    }
    case NIM_MODIFY:
        if (it == entries().end()) return FALSE;
        apply(it->second, *data);
        return TRUE;
    case NIM_DELETE:
        if (it == entries().end()) return FALSE;
        entries().erase(it);
        return TRUE;
    default:
        return FALSE;
    }
}
