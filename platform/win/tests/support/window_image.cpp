#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/compose.h"
#include "platform/win/wm/wm.h"

#include <QDir>
#include <QFileInfo>

namespace pm::test {
QImage windowImage(HWND hwnd) {
    wm::Window* w = wm::window(hwnd);
    return w ? wm::composeWindow(w) : QImage();
}

bool saveWindowPng(HWND hwnd, const QString& path) {
    QImage img = windowImage(hwnd);
    if (img.isNull()) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return img.save(path, "PNG");
}

QString outputFolder() {
    return QString::fromUtf8(PM_TEST_OUTPUT_DIR);
}

} // namespace pm::test
