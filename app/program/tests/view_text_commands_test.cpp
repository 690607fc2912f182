// The text work behind the view's commands: brace matching, the word at the caret, function
// headings, the line/column pane, the modified mark and the words of Keywords.ini.

#include "app/program/view_text_commands.h"

#include "cmake/test_files.h"
#include "editor/CHHKeywordMap.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

TEST(ViewTextCommands, MatchingBrace) {
    struct Case {
        const char* name;
        const char* text;
        int selEnd;
        int expected;
    };
    const Case cases[] = {
        {"on an opening brace", "f(a, b)", 1, 6},
        {"just after a closing brace", "{ x }\n", 5, 0},
        {"nested pairs of the same kind", "{ { } }", 7, 0},
        {"inner pair", "{ { } }", 2, 4},
        {"caret at the end of the text", "(a)", 3, 0},
        {"square brackets", "a[b[1]]", 1, 6},
        {"brace at position 0, caret before it", "{}", 0, 1},
        {"no partner changes nothing", "((a)", 0, -1},
        {"no brace near the caret", "abc", 1, -1},
        {"caret at 0 on no brace", "ab{}", 0, -1},
        {"braces in strings count too", "{ \"}\" }", 0, 3},
        {"empty text", "", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindMatchingBrace(c.text, c.selEnd), c.expected) << c.name;
}

TEST(ViewTextCommands, WordAroundTheCaret) {
    EXPECT_EQ(WordAroundCaret("var total_1 = 2;", 6), "total_1");
    EXPECT_EQ(WordAroundCaret("var total_1 = 2;", 4), "total_1") << "caret at the word's start";
    EXPECT_EQ(WordAroundCaret("var total_1 = 2;", 11), "total_1") << "caret at the word's end";
    EXPECT_EQ(WordAroundCaret("a = b", 2), "");
    std::string longLine(150, ' ');
    longLine += "farAway";
    EXPECT_EQ(WordAroundCaret(longLine, 153), "farAway") << "a caret past column 100 still finds its word";
    EXPECT_EQ(WordAroundCaret("abc", 99), "abc");
}

TEST(ViewTextCommands, FunctionHeadings) {
    struct Case {
        const char* line;
        const char* heading;
    };
    const Case cases[] = {
        {"function foo(a, b) {", "foo(a, b)"},
        {"  function   bar()   ", "bar()"},
        {"var f = function (x) { return x; }", "(x)"},
        {"function open(a,", "open(a,"},
        {"function noParens", ""},
        {"functional(x)", ""},
        {"// no function here", ""},
        {"x = 1; function g(){}", "g()"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFunctionHeading(c.line), c.heading) << c.line;
}

TEST(ViewTextCommands, FunctionHeadingsOfEveryLineWhateverItsEnd) {
    using Headings = std::vector<std::string>;
    EXPECT_EQ(FunctionHeadingsOf(""), Headings{});
    EXPECT_EQ(FunctionHeadingsOf("function a() {\r\n}\r\nfunction b(x)\nfunction c(y)\rfunction d()"),
              (Headings{"a()", "b(x)", "c(y)", "d()"}));
    EXPECT_EQ(FunctionHeadingsOf("function a(\r\n\r\nx)\n\n"), Headings{"a("})
        << "blank lines declare nothing";
    const std::string indented = std::string(250, ' ') + "function f(x)";
    EXPECT_EQ(FunctionHeadingsOf(indented + "\n" + indented.substr(20)), Headings{"f(x)"})
        << "a line is read up to its 255th character";
}

TEST(ViewTextCommands, TheFirstLineDeclaringAHeadingAndItsColumn) {
    const std::string text =
        "// function f(a) in a comment is a heading too\r\nvar x;\nfunction g(b) {}\r  function g(b)";
    EXPECT_EQ(FindFunctionHeading(text, "f(a)"), std::make_pair(0, 12));
    EXPECT_EQ(FindFunctionHeading(text, "g(b)"), std::make_pair(2, 9)) << "the first of two";
    EXPECT_EQ(FindFunctionHeading(text, "h()"), std::make_pair(-1, -1));
    EXPECT_EQ(FindFunctionHeading("", "f()"), std::make_pair(-1, -1));
}

TEST(ViewTextCommands, LineColumnPaneIsCentredInNinePlaces) {
    EXPECT_EQ(LineColumnPaneText(1, 1), "  1, 1");
    EXPECT_EQ(LineColumnPaneText(12, 34), " 12, 34");
    EXPECT_EQ(LineColumnPaneText(1234, 567), "1234, 567");
    EXPECT_EQ(LineColumnPaneText(100000, 1), "100000, 1") << "a long text gets no padding";
}

TEST(ViewTextCommands, ModifiedMarkIsAddedAndTakenOffOnce) {
    EXPECT_EQ(std::string(TitleWithModifiedMark("a.js", TRUE)), "a.js *");
    EXPECT_EQ(std::string(TitleWithModifiedMark("a.js *", TRUE)), "a.js *");
    EXPECT_EQ(std::string(TitleWithModifiedMark("a.js *", FALSE)), "a.js");
    EXPECT_EQ(std::string(TitleWithModifiedMark("a.js", FALSE)), "a.js");
    EXPECT_EQ(std::string(TitleWithModifiedMark("*", FALSE)), "*");
}

TEST(ViewTextCommands, KeywordsIniWordsInBothCasesWithTheirClasses) {
    std::string folder = pm::afxtest::makeTempFolder();
    std::string path = folder + "/Keywords.ini";
    pm::test::writeFile(path, "[Keywords]\r\n0=Alert\r\n1=Window\r\n3=skipped\r\n"
                              "[User1]\r\n1=noZero\r\n"
                              "[Preproc]\r\n0=@cc_on\r\n");
    CHHKeywordMap map;
    LoadKeywordsIni(path.c_str(), map);
    WORD cls = 0;
    EXPECT_TRUE(map.Lookup("Alert", cls));
    EXPECT_EQ(cls, 1);
    EXPECT_TRUE(map.Lookup("alert", cls)) << "also in lower case";
    EXPECT_TRUE(map.Lookup("window", cls));
    EXPECT_FALSE(map.Lookup("skipped", cls)) << "reading stops at the first missing number";
    EXPECT_FALSE(map.Lookup("noZero", cls)) << "a section without entry 0 adds nothing";
    EXPECT_TRUE(map.Lookup("@cc_on", cls));
    EXPECT_EQ(cls, 0x400);

    CHHKeywordMap none;
    LoadKeywordsIni((folder + "/missing.ini").c_str(), none);
    EXPECT_FALSE(none.Lookup("alert", cls)) << "a missing file adds no words";
    pm::afxtest::removeFolder(folder);
}
