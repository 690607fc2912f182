// Printer DCs: a document of pages written to a PDF file, the page's measures, text and lines
// printed as the file's own text and vectors, and the calls out of order refused.

#include "platform/win/windows.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Page objects in a PDF file ("/Type /Page", not "/Type /Pages").
int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF")) return -1;
    int count = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        if (at + 11 >= bytes.size() || bytes[at + 11] != 's') ++count;
    return count;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Prints one page through the platform, as the programs' print paths do, drawn by `draw`.
template <class Draw> QByteArray printedPage(const QString& path, Draw draw) {
    HDC dc = CreateDCA("winspool", "PDF", nullptr, nullptr);
    QByteArray output = path.toLocal8Bit();
    DOCINFOA info{sizeof(DOCINFOA), "Page", output.constData(), nullptr, 0};
    if (!dc || StartDoc(dc, &info) <= 0 || StartPage(dc) <= 0) return {};
    draw(dc);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    return fileBytes(path);
}

} // namespace

// Text and lines reach the PDF as its own text (with its font) and vectors, not as a picture of
// the page; a coloured fill, drawn per pixel, is kept under the text as a picture.
TEST(GdiPrint, TextAndLinesPrintAsTheFilesOwnTextAndVectors) {
    QTemporaryDir dir;
    const auto text = [](HDC dc) {
        const char line[] = "Printed as text, not as a picture";
        TextOutA(dc, 150, 150, line, static_cast<int>(sizeof line - 1));
        MoveToEx(dc, 150, 200, nullptr);
        LineTo(dc, 1000, 200);
    };
    QByteArray plain = printedPage(dir.path() + "/text.pdf", text);
    ASSERT_TRUE(plain.startsWith("%PDF"));
    EXPECT_TRUE(plain.contains("/FontFile")) << "the text's font is in the file";
    EXPECT_FALSE(plain.contains("/Subtype /Image")) << "no picture of the page";

    QByteArray filled = printedPage(dir.path() + "/filled.pdf", [&](HDC dc) {
        RECT band{100, 100, 1100, 260};
        HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
        FillRect(dc, &band, yellow);
        DeleteObject(yellow);
        text(dc);
    });
    EXPECT_TRUE(filled.contains("/Subtype /Image")) << "the fill is kept";
    EXPECT_TRUE(filled.contains("/FontFile")) << "the text over it is still text";
}

TEST(GdiPrint, ADocumentOfThreePagesGoesToAPdfFile) {
    QTemporaryDir dir;
    QString path = dir.path() + "/three.pdf";
    HDC dc = CreateDCA("winspool", "PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 150);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1275);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1650);
    EXPECT_EQ(StartPage(dc), SP_ERROR) << "no document yet";
    QByteArray output = path.toLocal8Bit();
    DOCINFOA info{sizeof(DOCINFOA), "Three", output.constData(), nullptr, 0};
    ASSERT_GT(StartDoc(dc, &info), 0);
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR) << "one document at a time";
    for (int page = 1; page <= 3; ++page) {
        ASSERT_GT(StartPage(dc), 0);
        std::string text = "Page " + std::to_string(page);
        TextOutA(dc, 150, 150, text.c_str(), static_cast<int>(text.size()));
        ASSERT_GT(EndPage(dc), 0);
    }
    EXPECT_EQ(EndPage(dc), SP_ERROR) << "no page started";
    ASSERT_GT(EndDoc(dc), 0);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(pdfPages(path), 3);
}

TEST(GdiPrint, AnAbortedDocumentCanBeFollowedByAnother) {
    QTemporaryDir dir;
    QByteArray first = (dir.path() + "/aborted.pdf").toLocal8Bit();
    QByteArray second = (dir.path() + "/second.pdf").toLocal8Bit();
    HDC dc = CreateDCA("winspool", "PDF", nullptr, nullptr);
    DOCINFOA info{sizeof(DOCINFOA), "Aborted", first.constData(), nullptr, 0};
    ASSERT_GT(StartDoc(dc, &info), 0);
    StartPage(dc);
    EXPECT_GT(AbortDoc(dc), 0);
    info.lpszOutput = second.constData();
    ASSERT_GT(StartDoc(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    EXPECT_EQ(pdfPages(QString::fromLocal8Bit(second)), 1);
    EXPECT_EQ(EndDoc(dc), SP_ERROR) << "the DC is gone";
}
