#include "platform/forms/clipboard.h"

#include "platform/win/windows.h"

#include <cstring>

namespace vb {

void ClipboardObject::Clear() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

void ClipboardObject::SetText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory) {
        auto* bytes = static_cast<char*>(GlobalLock(memory));
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

std::string ClipboardObject::GetText() const {
    if (!OpenClipboard(nullptr)) return "";
    std::string text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes) text.assign(bytes, strnlen(bytes, GlobalSize(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

ClipboardObject& Clipboard() {
    static ClipboardObject clipboard;
    return clipboard;
}

} // namespace vb
