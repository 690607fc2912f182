// The Insert Table dialog: the table's text for the sizes, units and frames asked for, the fields
// read as numbers, and the dialog driven from the view, where it stays open without rows.

#include "app/program/CInsertTableDlg.h"

#include "app/program/resource_ids.h"
#include "app/program/tests/support/penmere_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

namespace {

HtmlTableLayout layout(int rows, int columns, int width, bool percent, int border, int spacing = 0,
                       int padding = 0) {
    HtmlTableLayout s;
    s.rows = rows;
    s.columns = columns;
    s.width = width;
    s.percent = percent;
    s.border = border;
    s.spacing = spacing;
    s.padding = padding;
    return s;
}

std::string cells(const std::string& indent, int rows, int columns) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        text += indent + "  <TR>\r\n";
        for (int c = 0; c < columns; ++c)
            text += indent + "    <TD> </TD>\r\n";
        text += indent + "  </TR>\r\n";
    }
    return text;
}

} // namespace

TEST(HtmlTable, AttributesAsAskedFor) {
    struct Case {
        const char* name;
        HtmlTableLayout layout;
        const char* tag;
    };
    const Case cases[] = {
        {"width in per cent and the border only", layout(2, 3, 50, true, 1),
         "<TABLE WIDTH=\"50%\" BORDER=\"1\">"},
        {"width in pixels", layout(1, 1, 300, false, 0), "<TABLE WIDTH=\"300\" BORDER=\"0\">"},
        {"no width", layout(1, 1, 0, true, 2), "<TABLE BORDER=\"2\">"},
        {"a negative border is 0", layout(1, 1, -5, true, -3), "<TABLE BORDER=\"0\">"},
        {"spacing and padding when positive", layout(1, 1, 0, true, 1, 4, 2),
         "<TABLE BORDER=\"1\" CELLSPACING=\"4\" CELLPADDING=\"2\">"},
        {"not when 0 or below", layout(1, 1, 0, true, 1, 0, -1), "<TABLE BORDER=\"1\">"},
    };
    for (const Case& c : cases) {
        const std::string text = BuildHtmlTable(c.layout, "  ");
        EXPECT_EQ(text, "\r\n  " + std::string(c.tag) + "\r\n" +
                            cells("  ", c.layout.rows, c.layout.columns) + "  </TABLE>\r\n")
            << c.name;
    }
}

TEST(HtmlTable, FieldsAreWholeNumbersAfterTrimming) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"12", 12},
                          {"  7 ", 7},
                          {"\t-3", -3},
                          {"", 0},
                          {"abc", 0},
                          {"12px", 12},
                          {"99999999999999999999", 2147483647}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseTableField(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(PenmereTest, InsertTableRefusesSizesItCannotMakeAndInsertsAtTheCaretsIndent) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/table.htm");
    pm::test::writeFile(path, "<BODY>\r\n    x\r\n</BODY>\r\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    // The caret after the four blanks of the second line: column 5.
    view->GetEditCtrl()->SetSel(12, 13);
    struct Seen {
        bool percent = false, pixels = true;
        std::string border;
        LRESULT range = 0;
        std::vector<std::string> afterOk;
    } seen;
    pm::setDialogHook([&](HWND d) {
        seen.percent = ::IsDlgButtonChecked(d, IDC_TABLE_PERCENT) == BST_CHECKED;
        seen.pixels = ::IsDlgButtonChecked(d, IDC_TABLE_PIXELS) == BST_CHECKED;
        char border[16] = {};
        ::GetDlgItemTextA(d, IDC_TABLE_BORDER, border, sizeof border);
        seen.border = border;
        seen.range = ::SendDlgItemMessageA(d, IDC_TABLE_BORDER_SPIN, UDM_GETRANGE, 0, 0);
        auto ok = [&](const char* rows, const char* columns) {
            ::SetDlgItemTextA(d, IDC_TABLE_ROWS, rows);
            ::SetDlgItemTextA(d, IDC_TABLE_COLUMNS, columns);
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            seen.afterOk.push_back(::IsWindowVisible(d) ? "open" : "closed");
        };
        ::SetDlgItemTextA(d, IDC_TABLE_WIDTH, " 50 ");
        ok("0", "3");
        ok("-2", "3");
        ok("2", "0");
        ok("5000", "3");
        ::SetDlgItemTextA(d, IDC_TABLE_ROWS, "2");
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_insert_table_dialog");
        ok("2", "3");
    });
    command(ID_HTML_TABLE);
    pm::setDialogHook(nullptr);

    EXPECT_TRUE(seen.percent) << "Percent is chosen at first";
    EXPECT_FALSE(seen.pixels);
    EXPECT_EQ(seen.border, "1");
    EXPECT_EQ(seen.range, MAKELONG(20, 0)) << "the border goes from 0 to 20";
    EXPECT_EQ(seen.afterOk, (std::vector<std::string>{"open", "open", "open", "open", "closed"}))
        << "no rows, no columns, or more than a page can use: the dialog stays open";
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Rows: enter a number from 1 to 1000.", "Rows: enter a number from 1 to 1000.",
                         "Columns: enter a number from 1 to 100.", "Rows: enter a number from 1 to 1000."}))
        << "each refusal names the limit";
    const std::string table =
        "\r\n    <TABLE WIDTH=\"50%\" BORDER=\"1\">\r\n" + cells("    ", 2, 3) + "    </TABLE>\r\n";
    EXPECT_EQ(std::string(view->GetEditCtrl()->GetText()), "<BODY>\r\n    " + table + "\r\n</BODY>\r\n")
        << "the table replaces the selection";
    CHARRANGE sel{};
    view->GetEditCtrl()->GetSel(sel);
    EXPECT_EQ(sel.cpMin, static_cast<LONG>(12 + table.size())) << "the caret after the table";
    EXPECT_EQ(sel.cpMax, sel.cpMin);
}
