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

std::set<COLORREF> shownColours(HWND hwnd, const RECT& client) {
    const QImage image = windowImage(hwnd);
    RECT frame{};
    POINT origin{0, 0};
    GetWindowRect(hwnd, &frame);
    ClientToScreen(hwnd, &origin);
    const QRect area = QRect(client.left + origin.x - frame.left, client.top + origin.y - frame.top,
                             client.right - client.left, client.bottom - client.top)
                           .intersected(image.rect());
    std::set<COLORREF> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        }
    return colours;
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
