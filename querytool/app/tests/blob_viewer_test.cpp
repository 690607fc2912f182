// The blob viewer: a released click on a blob cell of the grid shows a JPEG as a picture and text
// as text; Escape's Cancel closes it and the next cell makes it again.

#include "support/tessmark_fixture.h"

#include "querytool/app/resource_ids.h"
#include "querytool/app/result_grid.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/tools/blob_viewer.h"
#include "querytool/app/tools/tool_resource_ids.h"

#include "platform/win/commctrl.h"
#include "platform/win/tests/support/test_windows.h"

namespace {

std::string jpegHex() {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : pm::test::solidPictureBytes(40, 24, RGB(20, 120, 220), "JPG")) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace

class BlobViewer : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        Exec(m_admin, "create table " + m_database + ".pics (id int, b longblob)");
        Exec(m_admin, "insert into " + m_database + ".pics values (1, x'" + jpegHex() +
                          "'), (2, 'plain text\\0after'), (3, NULL)");
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        SetEditorText(*m_window, "select * from pics order by id");
        Command(ID_EXECUTECURRENT);
    }
    void clickCell(int row, int column) {
        HWND grid = m_window->Tabs()->Grid()->Window();
        RECT cell{};
        ListView_GetSubItemRect(grid, row, column, LVIR_BOUNDS, &cell);
        SendMessage(grid, WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 5, (cell.top + cell.bottom) / 2));
        pm::test::pumpMessages();
    }
    std::string shownText() {
        char text[256] = {};
        GetDlgItemText(viewer().Window(), IDC_BLOBTEXT, text, sizeof text);
        return text;
    }
    CBlobViewer& viewer() { return m_app->BlobViewer(); }
    CQueryWindow* m_window = nullptr;
};

TEST_F(BlobViewer, AJpegIsDrawnAndTextIsShownUpToItsFirstZeroByte) {
    clickCell(0, 1); // the id column is no blob
    EXPECT_EQ(nullptr, viewer().Window());

    clickCell(0, 2);
    ASSERT_NE(nullptr, viewer().Window());
    EXPECT_TRUE(IsWindowVisible(viewer().Window()));
    ASSERT_NE(nullptr, viewer().Picture());
    BITMAP info{};
    GetObject(viewer().Picture(), sizeof info, &info);
    EXPECT_EQ(40, info.bmWidth);
    EXPECT_EQ(24, info.bmHeight);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(viewer().Window(), IDC_BLOBTEXT)));
    EXPECT_TRUE(
        pm::test::saveWindowPng(viewer().Window(), pm::test::outputFolder() + "/tessmark_blob_picture.png"));

    clickCell(1, 2);
    EXPECT_EQ(nullptr, viewer().Picture());
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(viewer().Window(), IDC_BLOBTEXT)));
    EXPECT_EQ("plain text", shownText());

    clickCell(2, 2); // NULL: an empty text
    EXPECT_EQ("", shownText());

    SendMessage(viewer().Window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(nullptr, viewer().Window());
    clickCell(1, 2);
    ASSERT_NE(nullptr, viewer().Window());
    EXPECT_EQ("plain text", shownText());
}
