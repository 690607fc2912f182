// The SQL editor: colouring of the visible text, auto-indent, case, comments, templates, find and
// replace, and pictures of the editor and the connect dialog.

#include "support/tessmark_fixture.h"

#include "querytool/app/find_replace.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_templates.h"

#include "platform/win/richedit.h"
#include "platform/win/tests/support/test_windows.h"

namespace {

COLORREF colourAt(HWND edit, long position) {
    CHARRANGE range{static_cast<LONG>(position), static_cast<LONG>(position + 1)};
    SendMessage(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessage(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format.crTextColor;
}

} // namespace

class Editor : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        m_edit = m_window->Editor()->Window();
    }
    std::string text() { return m_window->Editor()->GetText(); }
    CQueryWindow* m_window = nullptr;
    HWND m_edit = nullptr;
};

TEST_F(Editor, TokensAreColouredByKind) {
    const std::string sql = "select count(*), 'a;b' from t /*c*/x -- end";
    SetEditorText(*m_window, sql);
    pm::test::pumpMessages();
    struct Case {
        const char* what;
        long position;
        COLORREF colour;
    };
    const Case cases[] = {
        {"keyword", 0, 0xFF0000},
        {"function", 7, 0xFF00FF},
        {"operator", 13, 0x808080},
        {"string", 17, 0x0000FF},
        {"plain name", 28, 0x000000},
        {"block comment", 30, 0x808000},
        {"after the comment", 35, 0x000000},
        {"line comment", 40, 0x808000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour, colourAt(m_edit, c.position)) << c.what;
    EXPECT_FALSE(SendMessage(m_edit, EM_CANUNDO, 0, 0) == 0) << "the text itself is undoable";
    SendMessage(m_edit, EM_UNDO, 0, 0);
    EXPECT_EQ("", text()) << "colouring left no step in the undo history";
}

// The colouring pass sets the visible text to 11.5 points, not bold, before it colours the tokens.
TEST_F(Editor, ColouringResetsTheVisibleTextToElevenAndAHalfPointsNotBold) {
    SetEditorText(*m_window, "select 1 from t");
    SendMessage(m_edit, EM_SETSEL, 0, -1);
    CHARFORMATA bold{};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD | CFM_SIZE;
    bold.dwEffects = CFE_BOLD;
    bold.yHeight = 9 * 20;
    SendMessage(m_edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    PostMessage(m_edit, WM_USER_COLORIZE, 0, 0);
    pm::test::pumpMessages();
    for (long position : {0L, 7L, 14L}) {
        SCOPED_TRACE(position);
        CHARRANGE range{static_cast<LONG>(position), static_cast<LONG>(position + 1)};
        SendMessage(m_edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        SendMessage(m_edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(230, format.yHeight);
        EXPECT_EQ(0u, format.dwEffects & CFE_BOLD);
    }
    EXPECT_EQ(0xFF0000u, colourAt(m_edit, 0));
}

TEST_F(Editor, EnterKeepsTheIndentOfTheLineItEnds) {
    SetEditorText(*m_window, "select\n\t  a");
    SendMessage(m_edit, EM_SETSEL, 11, 11);
    SendMessage(m_edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ("select\n\t  a\n\t  ", text());
}

TEST_F(Editor, CaseAndCommentCommands) {
    SetEditorText(*m_window, "select 'é1' from t");
    SendMessage(m_edit, EM_SETSEL, 0, -1);
    Command(ID_UPPERCASE_KEY);
    EXPECT_EQ("SELECT 'é1' FROM T", text());
    Command(ID_LOWERCASE_KEY);
    EXPECT_EQ("select 'é1' from t", text());

    SetEditorText(*m_window, "a\nb\nc\nd");
    SendMessage(m_edit, EM_SETSEL, 0, 6); // three lines with the last line break
    Command(ID_COMMENT_KEY);
    EXPECT_EQ("-- a\n-- b\n-- c\nd", text());
    SendMessage(m_edit, EM_SETSEL, 0, 15);
    Command(ID_UNCOMMENT_KEY);
    EXPECT_EQ("a\nb\nc\nd", text());

    SendMessage(m_edit, EM_SETSEL, 5, 5); // no selection: the caret's line only
    Command(ID_COMMENT_KEY);
    EXPECT_EQ("a\nb\n-- c\nd", text());
    SetEditorText(*m_window, "--x\n  -- y");
    SendMessage(m_edit, EM_SETSEL, 0, -1);
    Command(ID_UNCOMMENT_KEY);
    EXPECT_EQ("--x\n  -- y", text());
}

TEST_F(Editor, TemplatesInsertTheirTexts) {
    SetEditorText(*m_window, "");
    Command(40054);
    EXPECT_EQ("/*\nTruncate Statement\nSource : mySQL documentation\n*/\nTRUNCATE TABLE table_name", text());
    EXPECT_NE(std::string::npos, TemplateMenuText(40048).find("DISTINCTROW"));
    EXPECT_EQ(TemplateMenuText(40067), TemplateMenuText(40069));
    EXPECT_EQ(')', TemplateMenuText(40073).back());
    EXPECT_EQ("", TemplateMenuText(40063));
    // The dialog opens on "Alter Table" and inserts the string resource.
    pm::setDialogHook([](HWND dialog) {
        char preview[1024] = {};
        GetDlgItemText(dialog, IDC_TEMPLATEPREVIEW, preview, sizeof preview);
        EXPECT_EQ(0, std::string(preview).find("/*\r\nAlter table Statement"));
        SendMessage(dialog, WM_COMMAND, IDC_INSERTTEMPLATE, 0);
    });
    SetEditorText(*m_window, "");
    Command(ID_TEMPLATES_KEY);
    EXPECT_EQ("/*\nAlter table Statement\nSource : mySQL documentation\n*/\nALTER [ IGNORE ] TABLE tbl_name "
              "alter_spec "
              "\n\t[ , alter_spec ... ]",
              text());
}

TEST_F(Editor, ReplaceAllGoesOnAfterEachReplacementAndFindUpwardReportsTheEnd) {
    SetEditorText(*m_window, "aaa");
    char find[] = "a";
    char replacement[] = "aa";
    FINDREPLACEA request{};
    request.lpstrFindWhat = find;
    request.lpstrReplaceWith = replacement;
    request.Flags = FR_REPLACEALL;
    HandleFindReplace(m_edit, request);
    EXPECT_EQ("aaaaaa", text());
    EXPECT_EQ("Replace All: Replaced 3 instances of a", m_boxes.back());
    SendMessage(m_edit, EM_SETSEL, 0, 0);
    request.Flags = FR_FINDNEXT;
    HandleFindReplace(m_edit, request);
    EXPECT_EQ("Find: Cannot find \"a\"", m_boxes.back());
}

TEST_F(Editor, AChangeMarksTheCaptionOnceAndEmptyingStillCounts) {
    SetEditorText(*m_window, "select 1");
    SetEditorText(*m_window, "select 2");
    char caption[256] = {};
    GetWindowText(m_window->Window(), caption, sizeof caption);
    EXPECT_EQ("Query - 127.0.0.1.root*", std::string(caption));
    m_window->SetFile(m_folder + "/x.sql");
    SetEditorText(*m_window, "");
    EXPECT_TRUE(m_window->Modified());
}

TEST_F(Editor, PicturesOfTheEditorAndTheConnectDialog) {
    SetEditorText(*m_window, "-- people born in December\nselect id, upper(name) as name, 'x;y' as s\n"
                             "  from people\n where born >= '1900-01-01' and id <> 3;\n");
    SetFocus(m_edit);
    SendMessage(m_edit, EM_SETSEL, 28, 70);
    pm::test::pumpMessages();
    EXPECT_EQ(" 0 ms", m_window->StatusBar()->PartText(1));
    ASSERT_TRUE(
        pm::test::saveWindowPng(m_window->Window(), pm::test::outputFolder() + "/tessmark_sql_editor.png"));
    bool saved = false;
    pm::setDialogHook([&](HWND dialog) {
        pm::test::pumpMessages();
        saved = pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/tessmark_connect_dialog.png");
        char host[64] = {};
        GetDlgItemText(dialog, IDC_HOST, host, sizeof host);
        EXPECT_EQ("localhost", std::string(host)) << "the stored host is offered";
        EXPECT_EQ(GetDlgItem(dialog, IDC_PASSWORD), GetFocus());
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_CONNECT);
    EXPECT_TRUE(saved);
}

TEST_F(Editor, CtrlFOpensTheFindDialogWithTheSelectionAndFindsOnward) {
    SetEditorText(*m_window, "select a from t; select b from u");
    SetFocus(m_edit);
    SendMessage(m_edit, EM_SETSEL, 9, 13); // "from"
    Command(ID_FIND_KEY);
    HWND dialog = m_app->FindDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessage(dialog, WM_COMMAND, IDOK, 0); // Find Next
    pm::test::pumpMessages();
    CHARRANGE found{};
    SendMessage(m_edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(26, found.cpMin);
    EXPECT_EQ(30, found.cpMax);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    pm::test::pumpMessages();
    EXPECT_EQ(nullptr, m_app->FindDialog());
}

TEST_F(Editor, ScrollingColoursTheTextThatComesIntoView) {
    std::string script;
    for (int i = 0; i < 2000; ++i)
        script += "select " + std::to_string(i) + ";\n";
    script += "select 2000";
    SetEditorText(*m_window, script);
    const long lastLine = static_cast<long>(script.size()) - 11;
    EXPECT_EQ(0x000000u, colourAt(m_edit, lastLine)) << "out of view, not coloured yet";
    SendMessage(m_edit, WM_VSCROLL, SB_BOTTOM, 0);
    pm::test::pumpMessages();
    EXPECT_EQ(0xFF0000u, colourAt(m_edit, lastLine));
}

TEST_F(Editor, CaretColumnCountsCharactersNotBytes) {
    SetEditorText(*m_window, "select 1;\nselect '\xC3\xA9\xC3\xBC' -- \xE2\x82\xAC");
    const LONG end = GetWindowTextLength(m_edit);
    struct Case {
        LONG position;
        const char* shown;
    };
    const Case cases[] = {{0, " Ln 1, Col 1"}, {9, " Ln 1, Col 10"}, {end, " Ln 2, Col 17"}};
    for (const Case& c : cases) {
        SendMessage(m_edit, EM_SETSEL, static_cast<WPARAM>(c.position), c.position);
        SendMessage(m_edit, WM_KEYUP, VK_END, 0);
        EXPECT_EQ(c.shown, m_window->StatusBar()->PartText(3)) << c.position;
    }
}

TEST_F(Editor, CaretPositionBeyondSixteenBitsAndPasteLeavesTheClipboardClosed) {
    SetEditorText(*m_window, std::string(70000, 'x'));
    SendMessage(m_edit, EM_SETSEL, 70000, 70000);
    SendMessage(m_edit, WM_KEYUP, VK_END, 0);
    EXPECT_EQ(" Ln 1, Col 70001", m_window->StatusBar()->PartText(3));

    ASSERT_TRUE(OpenClipboard(m_edit));
    EmptyClipboard();
    CloseClipboard();
    SetEditorText(*m_window, "");
    Command(ID_PASTE_KEY);
    EXPECT_EQ("", text());
    EXPECT_TRUE(OpenClipboard(m_window->Window())) << "the paste closed the clipboard it opened";
    CloseClipboard();
}
