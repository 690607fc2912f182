// Text drops: from a drag in another window of ours, or plain text from another program arriving
// as a Qt drop on a top-level widget.

#include "platform/win/shell/text_drop.h"

#include "platform/win/winuser.h"

#include <QByteArray>
#include <QDropEvent>
#include <QMimeData>

#include <string>

namespace pm {

namespace {

POINT screenPoint(HWND hwnd, const QDropEvent* e) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    QPoint p = e->position().toPoint();
    return POINT{r.left + p.x(), r.top + p.y()};
}

// The dragged plain text in UTF-8 with CR LF line breaks; empty when the drag holds none.
std::string droppedText(const QDropEvent* e) {
    const QMimeData* data = e->mimeData();
    if (!data || !data->hasText()) return {};
    QByteArray bytes = data->text().toUtf8();
    std::string text;
    text.reserve(static_cast<std::size_t>(bytes.size()));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\n' && (i == 0 || bytes[i - 1] != '\r')) text.push_back('\r');
        text.push_back(c);
    }
    return text;
}

bool offer(HWND hwnd, const QDropEvent* e, bool query) {
    if (!IsWindow(hwnd) || !e->mimeData() || !e->mimeData()->hasText()) return false;
    // A query needs no copy of what may be a large text.
    std::string text = query ? std::string() : droppedText(e);
    if (!query && text.empty()) return false;
    return dropTextAt(screenPoint(hwnd, e), text, query);
}

} // namespace

UINT textDropMessage() {
    static const UINT message = RegisterWindowMessage("PmTextDrop");
    return message;
}

bool dropTextAt(POINT point, std::string_view text, bool query) {
    HWND target = WindowFromPoint(point);
    if (!target) return false;
    TextDrop drop{point, text, query};
    return SendMessage(target, textDropMessage(), 0, reinterpret_cast<LPARAM>(&drop)) != 0;
}

bool acceptsTextDrop(HWND hwnd, const QDropEvent* e) {
    return offer(hwnd, e, true);
}

bool deliverTextDrop(HWND hwnd, const QDropEvent* e) {
    return offer(hwnd, e, false);
}

} // namespace pm
