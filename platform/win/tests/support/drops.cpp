// Drags from other programs: what the desktop sends a window's widget when data is dropped on it.

#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QList>
#include <QMimeData>
#include <QUrl>

namespace pm::test {
namespace {

QList<QUrl> toUrls(const std::vector<std::string>& entries) {
    QList<QUrl> urls;
    for (const std::string& entry : entries) {
        QString text = QString::fromStdString(entry);
        urls.push_back(entry.rfind('/', 0) == 0 ? QUrl::fromLocalFile(text) : QUrl(text));
    }
    return urls;
}

// The widget of the top-level window over `screen`'s window tree, and the point in it.
QWidget* widgetAt(HWND hwnd, POINT screen, QPoint* at) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    RECT frame{};
    GetWindowRect(top, &frame);
    *at = QPoint(screen.x - frame.left, screen.y - frame.top);
    return pm::wm::window(top)->widget;
}

// The drag's entry, and with `drop` its drop; whether the entry was accepted. `taken` receives
// the action the drop was taken with (Qt::IgnoreAction when refused).
bool dragMime(HWND hwnd, POINT screen, const QMimeData& mime, bool drop,
              Qt::DropActions offered = Qt::CopyAction, Qt::DropAction* taken = nullptr) {
    QPoint at;
    QWidget* widget = widgetAt(hwnd, screen, &at);
    // Offered to be moved, the source proposes a move, as a file manager's drag with Shift does.
    const Qt::KeyboardModifiers keys = offered & Qt::MoveAction ? Qt::ShiftModifier : Qt::NoModifier;
    QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(widget, &enter);
    if (drop) {
        QDropEvent e(QPointF(at), offered, &mime, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(widget, &e);
        if (taken) *taken = e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    return enter.isAccepted();
}

} // namespace

bool dropUrls(HWND hwnd, POINT screen, const std::vector<std::string>& urls) {
    QMimeData mime;
    mime.setUrls(toUrls(urls));
    return dragMime(hwnd, screen, mime, true);
}

std::string dropUrlsOfferedToMove(HWND hwnd, POINT screen, const std::vector<std::string>& urls) {
    QMimeData mime;
    mime.setUrls(toUrls(urls));
    Qt::DropAction taken = Qt::IgnoreAction;
    dragMime(hwnd, screen, mime, true, Qt::CopyAction | Qt::MoveAction, &taken);
    switch (taken) {
    case Qt::CopyAction:
        return "copy";
    case Qt::MoveAction:
        return "move";
    case Qt::LinkAction:
        return "link";
    default:
        return "";
    }
}

bool dragUrlsOver(HWND hwnd, POINT screen, const std::vector<std::string>& urls) {
    QMimeData mime;
    mime.setUrls(toUrls(urls));
    return dragMime(hwnd, screen, mime, false);
}

bool dropText(HWND hwnd, POINT screen, const std::string& text) {
    QMimeData mime;
    mime.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    return dragMime(hwnd, screen, mime, true);
}

} // namespace pm::test
