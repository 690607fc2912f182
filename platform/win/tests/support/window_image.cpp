#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/compose.h"
#include "platform/win/wm/wm.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

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

void expectScrollsRepaintWhole(HWND hwnd, const std::vector<ScrollStep>& steps) {
    UpdateWindow(hwnd);
    for (const ScrollStep& step : steps) {
        SendMessage(hwnd, step.msg, step.wParam, step.lParam);
        UpdateWindow(hwnd);
        QImage scrolled = windowImage(hwnd);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        EXPECT_EQ(scrolled, windowImage(hwnd)) << step.name;
    }
}

std::string solidPictureBytes(int width, int height, COLORREF colour, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

} // namespace pm::test
