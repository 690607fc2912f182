// The clipboard: our own formats in global memory, published to the desktop's clipboard on close
// (text as UTF-8 bytes decoded for display, registered formats as raw bytes) and read back from it.

#include "platform/win/text_codec.h"
#include "platform/win/wm/desktop_backend.h"
#include "platform/win/winbase.h"
#include "platform/win/winuser.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

namespace {

const char* const kMimePrefix = "application/x-pm-clipboard-";

struct Clipboard {
    bool open = false;
    HWND openedBy = nullptr;
    HWND owner = nullptr;
    bool changed = false;
    std::map<UINT, HANDLE> data;       // formats set by us or read from the desktop, owned here
    std::map<std::string, UINT> names; // registered formats, lower-cased names
    UINT nextFormat = 0xC000;
    bool ours = false; // the desktop clipboard still holds what we published
};

Clipboard& clip() {
    static Clipboard c;
    return c;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string formatName(UINT format) {
    for (const auto& [name, id] : clip().names)
        if (id == format) return name;
    return std::string();
}

QString mimeOf(UINT format) {
    return QString::fromLatin1(kMimePrefix) + QString::fromStdString(formatName(format));
}

QByteArray bytesOf(HANDLE h, bool text) {
    SIZE_T size = GlobalSize(h);
    auto* p = static_cast<const char*>(GlobalLock(h));
    if (!p) return QByteArray();
    QByteArray bytes(p, static_cast<qsizetype>(size));
    GlobalUnlock(h);
    if (text) bytes.truncate(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0'));
    return bytes;
}

HANDLE handleOf(const QByteArray& bytes, bool text) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes.size()) + (text ? 1 : 0));
    if (!h) return nullptr;
    auto* p = static_cast<char*>(GlobalLock(h));
    std::memcpy(p, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (text) p[bytes.size()] = 0;
    GlobalUnlock(h);
    return h;
}

void freeData() {
    for (auto& [format, h] : clip().data)
        if (h) GlobalFree(h);
    clip().data.clear();
}

QClipboard* desktop() {
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

void publish() {
    QClipboard* cb = desktop();
    if (!cb) return;
    auto* mime = new QMimeData;
    for (const auto& [format, h] : clip().data) {
        if (!h) continue;
        if (format == CF_TEXT || format == CF_OEMTEXT) {
            QByteArray bytes = bytesOf(h, true);
            mime->setText(pm::decodeText(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        } else if (format >= 0xC000) {
            mime->setData(mimeOf(format), bytesOf(h, false));
        }
    }
    cb->setMimeData(mime);
    clip().ours = true;
}

bool desktopHas(UINT format) {
    QClipboard* cb = desktop();
    const QMimeData* mime = cb ? cb->mimeData() : nullptr;
    if (!mime) return false;
    if (format == CF_TEXT || format == CF_OEMTEXT) return mime->hasText();
    return format >= 0xC000 && mime->hasFormat(mimeOf(format));
}

HANDLE readDesktop(UINT format) {
    const QMimeData* mime = desktop()->mimeData();
    if (format == CF_TEXT || format == CF_OEMTEXT) {
        std::string bytes = pm::encodeText(mime->text());
        return handleOf(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), true);
    }
    return handleOf(mime->data(mimeOf(format)), false);
}

void forgetIfReplaced() {
    QClipboard* cb = desktop();
    if (clip().ours && cb && pm::wm::desktopBackend().clipboardTaken(cb)) clip().ours = false;
}

} // namespace

BOOL OpenClipboard(HWND owner) {
    Clipboard& c = clip();
    if (c.open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    c.open = true;
    c.openedBy = owner;
    c.changed = false;
    forgetIfReplaced();
    return TRUE;
}

BOOL CloseClipboard() {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    if (c.changed) publish();
    c.open = false;
    c.changed = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    if (IsWindow(c.owner) && c.owner != c.openedBy) SendMessage(c.owner, WM_DESTROYCLIPBOARD, 0, 0);
    freeData();
    c.owner = c.openedBy;
    c.changed = true;
    c.ours = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = c.data.find(format);
    if (it != c.data.end() && it->second && it->second != data) GlobalFree(it->second);
    c.data[format] = data;
    c.changed = true;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    Clipboard& c = clip();
    if (!c.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    if (c.ours || c.changed) {
        auto it = c.data.find(format);
        return it == c.data.end() ? nullptr : it->second;
    }
    if (!desktopHas(format)) return nullptr;
    HANDLE h = readDesktop(format);
    auto it = c.data.find(format);
    if (it != c.data.end() && it->second) GlobalFree(it->second);
    c.data[format] = h;
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    Clipboard& c = clip();
    forgetIfReplaced();
    if (c.ours || c.changed) return c.data.count(format) ? TRUE : FALSE;
    return desktopHas(format) ? TRUE : FALSE;
}

UINT RegisterClipboardFormat(LPCSTR name) {
    if (!name || !*name) return 0;
    Clipboard& c = clip();
    std::string key = lower(name);
    auto it = c.names.find(key);
    if (it != c.names.end()) return it->second;
    if (c.nextFormat == 0xFFFF) return 0;
    c.names[key] = c.nextFormat;
    return c.nextFormat++;
}

int CountClipboardFormats() {
    Clipboard& c = clip();
    if (c.ours || c.changed) return static_cast<int>(c.data.size());
    return desktopHas(CF_TEXT) ? 1 : 0;
}

UINT EnumClipboardFormats(UINT format) {
    Clipboard& c = clip();
    if (!c.open) return 0;
    if (!(c.ours || c.changed)) return format == 0 && desktopHas(CF_TEXT) ? CF_TEXT : 0;
    auto it = c.data.upper_bound(format);
    return it == c.data.end() ? 0 : it->first;
}

HWND GetClipboardOwner() {
    return IsWindow(clip().owner) ? clip().owner : nullptr;
}

HWND GetOpenClipboardWindow() {
    return clip().open ? clip().openedBy : nullptr;
}
