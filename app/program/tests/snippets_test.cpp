// The snippet commands: the text each puts in place of the selection and the selection it leaves,
// worked out on plain text, and a few of them on a live document (line breaks count as two).

#include "app/program/snippets.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program/tests/support/penmere_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <map>

TEST(Snippets, TextAndSelectionOfEachKind) {
    struct Case {
        const char* name;
        unsigned id;
        const char* selected;
        const char* indent;
        const char* text;
        long selStart;
        long selEnd;
    };
    const Case cases[] = {
        {"bold with nothing selected: caret between the tags", ID_HTML_BOLD, "", "", "<B></B>", 3, 3},
        {"align left keeps the word selected", ID_HTML_LEFT, "word", "", "<DIV ALIGN=\"left\">word</DIV>", 18,
         22},
        {"align right", ID_HTML_RIGHT, "", "", "<DIV ALIGN=\"right\"></DIV>", 19, 19},
        {"a selection over a line break is selected again whole", ID_HTML_PRE, "a\r\nb", "",
         "<PRE>a\r\nb</PRE>", 5, 9},
        {"italic", ID_HTML_ITALIC, "t", "", "<I>t</I>", 3, 4},
        {"underline", ID_HTML_UNDERLINE, "t", "", "<U>t</U>", 3, 4},
        {"H1", ID_HTML_H1, "t", "", "<H1>t</H1>", 4, 5},
        {"H2", ID_HTML_H2, "t", "", "<H2>t</H2>", 4, 5},
        {"H3", ID_HTML_H3, "t", "", "<H3>t</H3>", 4, 5},
        {"paragraph", ID_HTML_PARAGRAPH, "t", "", "<P>t</P>", 3, 4},
        {"center", ID_HTML_CENTER, "t", "", "<CENTER>t</CENTER>", 8, 9},
        {"horizontal rule", ID_HTML_RULE, "", "", "<HR>", 4, 4},
        {"line break replaces the selection", ID_HTML_LINE_BREAK, "gone", "  ", "<BR>", 4, 4},
        {"unordered list: caret inside the item", ID_HTML_UL, "", "  ", "<UL>\r\n    <LI></LI>\r\n  </UL>",
         14, 14},
        {"ordered list at column 1", ID_HTML_OL, "", "", "<OL>\r\n  <LI></LI>\r\n</OL>", 12, 12},
        {"if at column 5", ID_JS_IF, "", "    ", "if()\r\n    {\r\n    \r\n    }", 3, 3},
        {"if...else", ID_JS_IF_ELSE, "", " ", "if()\r\n {\r\n \r\n }\r\n else\r\n {\r\n \r\n }", 3, 3},
        {"for", ID_JS_FOR, "", "", "for()\r\n{\r\n\r\n}\r\n", 4, 4},
        {"while", ID_JS_WHILE, "", "", "while()\r\n{\r\n\r\n}", 6, 6},
        {"do...while: inside the last parentheses", ID_JS_DO_WHILE, "", "  ", "do\r\n  {\r\n  \r\n  }while()",
         22, 22},
        {"switch", ID_JS_SWITCH, "", "",
         "switch()\r\n{\r\ncase :\r\n\tbreak;\r\ncase :\r\n\tbreak;\r\ncase :\r\n\tbreak;\r\n}", 7, 7},
        {"script block takes no indent: caret on the first empty line", ID_JS_SCRIPT, "", "    ",
         "\r\n<SCRIPT LANGUAGE = JavaScript>\r\n<!--\r\n\r\n\r\n//-->\r\n</SCRIPT>\r\n", 40, 40},
        {"equal", ID_OP_EQUAL, "", "", "==", 2, 2},
        {"less", ID_OP_LESS, "", "", "<", 1, 1},
        {"greater", ID_OP_GREATER, "", "", ">", 1, 1},
        {"less or equal", ID_OP_LESS_EQUAL, "", "", "<=", 2, 2},
        {"greater or equal", ID_OP_GREATER_EQUAL, "", "", ">=", 2, 2},
        {"not equal", ID_OP_NOT_EQUAL, "", "", "!=", 2, 2},
        {"not less", ID_OP_NOT_LESS, "", "", "!<", 2, 2},
        {"operator replaces the selection", ID_OP_NOT_GREATER, "x", "", "!>", 2, 2},
        {"logical and", ID_OP_AND, "", "", "&&", 2, 2},
        {"logical or", ID_OP_OR, "", "", "||", 2, 2},
        {"first member", ID_MEMBER_FIRST, "", "", ".setMonth();", 12, 12},
        {"last member", ID_MEMBER_LAST, "", "", ".setDate();", 11, 11},
        {"member text kept as written", 33041, "", "", "document.writleln();", 20, 20},
        {"member after the unused id", 33068, "", "", "onBlur=", 7, 7},
    };
    for (const Case& c : cases) {
        std::optional<SnippetInsertion> snippet = SnippetForCommand(c.id, c.selected, c.indent);
        ASSERT_TRUE(snippet) << c.name;
        EXPECT_EQ(snippet->text, c.text) << c.name;
        EXPECT_EQ(std::make_pair(snippet->selStart, snippet->selEnd), std::make_pair(c.selStart, c.selEnd))
            << c.name;
    }
}

TEST(Snippets, IdsWithoutATextInsertNothing) {
    EXPECT_FALSE(SnippetForCommand(33067, "", "")) << "the one unused member id";
    EXPECT_FALSE(SnippetForCommand(ID_HTML_TABLE, "", "")) << "the table asks first";
    EXPECT_FALSE(SnippetForCommand(ID_JS_FUNCTION, "", "")) << "the function asks first";
    EXPECT_STREQ(MemberSnippetText(33067), "");
}

TEST(Snippets, EveryMemberIdButOneInsertsItsTextWithTheCaretAfterIt) {
    // The texts as the menus show them, slips included.
    const std::map<unsigned, std::string> texts{
        {33011, ".setMonth();"},
        {33012, ".setHours();"},
        {33013, ".setMinutes();"},
        {33014, ".setSeconds();"},
        {33015, "Math.E"},
        {33016, "Math.LN10"},
        {33017, "Math.SQRT1_2"},
        {33018, "Math.SQRT2"},
        {33019, "Math.PI"},
        {33020, "Math.ceil();"},
        {33021, "Math.floor();"},
        {33022, "Math.round();"},
        {33023, "Math.random();"},
        {33024, "Math.min(,);"},
        {33025, "Math.max(,);"},
        {33026, "Math.pow(,);"},
        {33027, "Math.sin();"},
        {33028, "Math.asin();"},
        {33029, "Math.cos();"},
        {33030, "Math.acos();"},
        {33031, "Math.tan();"},
        {33032, "Math.atan();"},
        {33033, ".blink();"},
        {33034, ".fontColor();"},
        {33035, ".lastindexof(,);"},
        {33036, ".substring (,);"},
        {33037, ".toUpperCase();"},
        {33038, ".toLowerCase();"},
        {33039, "document.clear();"},
        {33040, "document.close();"},
        {33041, "document.writleln();"},
        {33042, "onChange="},
        {33043, "onMouseout="},
        {33044, "onMouseover="},
        {33045, "Math.sqrt();"},
        {33046, "document.write();"},
        {33047, "Math.LN"},
        {33048, ".length"},
        {33049, ".anchor();"},
        {33050, ".link();"},
        {33051, ".big();"},
        {33052, ".small();"},
        {33053, ".bold();"},
        {33054, ".italics();"},
        {33055, ".strike();"},
        {33056, ".sub();"},
        {33057, ".sup();"},
        {33058, ".fontSize();"},
        {33059, ".charAt();"},
        {33060, ".indexof (,);"},
        {33061, ".name"},
        {33062, "alert();"},
        {33063, "close();"},
        {33064, "confirm();"},
        {33065, "setTimeout(,);"},
        {33066, "prompt();"},
        {33068, "onBlur="},
        {33069, "onClick="},
        {33070, "onFocus="},
        {33071, "onLoad="},
        {33072, "onSelect="},
        {33073, "onSubmit="},
        {33074, "onUnload="},
        {33075, ".getDate();"},
        {33076, ".getYear();"},
        {33077, ".getMonth();"},
        {33078, ".getHours();"},
        {33079, ".getMinutes();"},
        {33080, ".getSeconds();"},
        {33081, ".getTime();"},
        {33082, ".setYear();"},
        {33083, ".setDate();"},
    };
    for (unsigned id = ID_MEMBER_FIRST; id <= ID_MEMBER_LAST; ++id) {
        auto expected = texts.find(id);
        std::optional<SnippetInsertion> snippet = SnippetForCommand(id, "selected", "  ");
        if (expected == texts.end()) {
            EXPECT_FALSE(snippet) << id;
            continue;
        }
        ASSERT_TRUE(snippet) << id;
        EXPECT_EQ(snippet->text, expected->second) << id;
        const auto end = static_cast<long>(expected->second.size());
        EXPECT_EQ(std::make_pair(snippet->selStart, snippet->selEnd), std::make_pair(end, end)) << id;
    }
    EXPECT_EQ(texts.size(), 72u);
}

TEST(Snippets, FunctionHeadingAndCaret) {
    EXPECT_EQ(FunctionSnippetName("init"), "init()");
    EXPECT_EQ(FunctionSnippetName("f(a)"), "f(a)") << "no second pair of parentheses";
    SnippetInsertion snippet = FunctionSnippet("init()", "  ");
    EXPECT_EQ(snippet.text, "function init()\r\n  {\r\n  \r\n  }\r\n");
    EXPECT_EQ(snippet.selStart, 26) << "the start of the closing brace's line";
    EXPECT_EQ(snippet.selEnd, 26);
}

TEST(Snippets, CaretIndentIsTheColumnLessOne) {
    EXPECT_EQ(CaretIndent(1), "");
    EXPECT_EQ(CaretIndent(5), "    ");
    EXPECT_EQ(CaretIndent(0), "") << "no negative indent";
}

namespace {

std::pair<long, long> selectionOf(CHHEditCtrl* edit) {
    CHARRANGE sel{};
    edit->GetSel(sel);
    return {static_cast<long>(sel.cpMin), static_cast<long>(sel.cpMax)};
}

} // namespace

TEST_F(PenmereTest, SnippetCommandsOnTheDocument) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/snip.js");
    pm::test::writeFile(path, "var a;\n    \nword\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();

    const long lineStart = edit->LineIndex(1);
    edit->SetSel(lineStart + 4, lineStart + 4);
    command(ID_JS_IF);
    EXPECT_EQ(view->GetLineText(1), "    if()");
    EXPECT_EQ(view->GetLineText(2), "    {");
    EXPECT_EQ(view->GetLineText(3), "    ");
    EXPECT_EQ(view->GetLineText(4), "    }");
    EXPECT_EQ(selectionOf(edit), std::make_pair(lineStart + 7, lineStart + 7))
        << "caret between the parentheses";

    command(ID_EDIT_UNDO);
    EXPECT_EQ(view->GetLineText(1), "    ") << "one undo takes the whole insertion back";
    EXPECT_EQ(view->GetLineText(2), "word");

    const long word = edit->LineIndex(2);
    edit->SetSel(word, word + 4);
    command(ID_HTML_LEFT);
    EXPECT_EQ(view->GetLineText(2), "<DIV ALIGN=\"left\">word</DIV>");
    EXPECT_EQ(selectionOf(edit), std::make_pair(word + 18, word + 22)) << "the word stays selected";

    const long end = edit->LineIndex(3);
    edit->SetSel(end, end);
    command(ID_HTML_UL);
    EXPECT_EQ(view->GetLineText(4), "  <LI></LI>");
    const long item = edit->LineIndex(4) + 6;
    EXPECT_EQ(selectionOf(edit), std::make_pair(item, item))
        << "caret inside the list item, past the line break";
}

TEST_F(PenmereTest, FunctionSnippetAsksForTheNameAndListsIt) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/func.js");
    pm::test::writeFile(path, "var a;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();
    CListBox& functions = frame->m_wndInfoBar.m_wndFunctions;
    functions.ResetContent();
    auto answer = [](const char* name) {
        pm::setDialogHook([name](HWND d) {
            if (!name) {
                ::SendMessage(d, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::SetDlgItemTextA(d, IDC_INPUT_TEXT, name);
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
        });
    };

    const long end = edit->LineIndex(1);
    edit->SetSel(end, end);
    answer(nullptr);
    command(ID_JS_FUNCTION);
    EXPECT_EQ(view->GetLineText(1), "") << "Cancel inserts nothing";
    EXPECT_EQ(functions.GetCount(), 0);

    answer("init");
    pm::afxtest::pressKey(edit->m_hWnd, VK_F8);
    pump();
    pm::setDialogHook(nullptr);
    EXPECT_EQ(view->GetLineText(1), "function init()");
    EXPECT_EQ(view->GetLineText(2), "{");
    EXPECT_EQ(view->GetLineText(4), "}");
    EXPECT_EQ(selectionOf(edit), std::make_pair(end + 16 + 6, end + 16 + 6))
        << "the start of the closing brace's line";
    ASSERT_EQ(functions.GetCount(), 1);
    CString listed;
    functions.GetText(0, listed);
    EXPECT_EQ(std::string(listed), "init()");
}

// The keys the Html menu shows beside its commands run them.
TEST_F(PenmereTest, KeysShownInTheHtmlMenuRunTheirCommands) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/keys.htm");
    pm::test::writeFile(path, "word\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();
    edit->SetFocus();
    edit->SetSel(0, 4);
    pm::afxtest::pressKey(edit->m_hWnd, 'B', false, true);
    pm::afxtest::pressKey(edit->m_hWnd, 'I', false, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "<B><I>word</I></B>")
        << "Ctrl+B, then Ctrl+I around the word kept selected";
    edit->SetSel(18, 18);
    pm::afxtest::pressKey(edit->m_hWnd, VK_RETURN, true);
    pm::afxtest::pressKey(edit->m_hWnd, VK_RETURN, false, false, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "<B><I>word</I></B><BR><P></P>") << "Shift+Enter, then Alt+Enter";
    EXPECT_EQ(edit->GetLineCount(), 2) << "no line break typed besides";
}

// In a document that is not HTML the same keys are the editor's, while the menu commands work.
TEST_F(PenmereTest, HtmlMenuKeysAreTheEditorsOwnOutsideHtmlDocuments) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/keys.js");
    pm::test::writeFile(path, "word\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();
    edit->SetFocus();
    edit->SetSel(0, 4);
    pm::afxtest::pressKey(edit->m_hWnd, 'B', false, true);
    pm::afxtest::pressKey(edit->m_hWnd, 'I', false, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "word") << "Ctrl+B and Ctrl+I insert no tags";
    edit->SetSel(4, 4);
    pm::afxtest::pressKey(edit->m_hWnd, VK_RETURN, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "word");
    EXPECT_EQ(edit->GetLineCount(), 3) << "Shift+Enter breaks the line";
    edit->SetSel(0, 4);
    command(ID_HTML_BOLD);
    EXPECT_EQ(view->GetLineText(0), "<B>word</B>") << "the menu command works in every document";

    // An untitled document made from an HTML template takes the template's kind.
    pm::test::writeFile(programFile("Template/page.htm"), "<P>x</P>\n");
    SetPendingTemplate(programFile("Template/page.htm").c_str());
    command(ID_FILE_NEW);
    view = activeView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->GetDocument()->GetPathName().IsEmpty());
    edit = view->GetEditCtrl();
    edit->SetFocus();
    edit->SetSel(0, 0);
    pm::afxtest::pressKey(edit->m_hWnd, VK_RETURN, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "<BR><P>x</P>");
}
