// Printer DCs: a document of pages written to a PDF file, the page's measures, and the calls out of
// order refused.

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

} // namespace

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
