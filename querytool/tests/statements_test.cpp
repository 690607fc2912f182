#include "querytool/statements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> pieces(const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view p : SplitStatements(text))
        out.emplace_back(p);
    return out;
}

} // namespace

TEST(Statements, SplitAtSeparatorsOutsideStringsNamesAndComments) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"two statements", "select 1;\nselect 2", {"select 1", "\nselect 2"}},
        {"runs of separators", ";;select 1;;;select 2;;", {"select 1", "select 2"}},
        {"only separators", ";;;", {}},
        {"empty", "", {}},
        {"blank piece kept", " \n ", {" \n "}},
        {"single-quoted", "select 'a;b';x", {"select 'a;b'", "x"}},
        {"double-quoted", "select \"a;b\";x", {"select \"a;b\"", "x"}},
        {"backslash-escaped quote", "select 'it\\'s;';x", {"select 'it\\'s;'", "x"}},
        {"doubled quote", "select 'it''s;';x", {"select 'it''s;'", "x"}},
        {"escaped backslash ends the string", "select 'a\\\\';x", {"select 'a\\\\'", "x"}},
        {"quoted name", "select `a;b``;c`;x", {"select `a;b``;c`", "x"}},
        {"backslash in a quoted name", "select `a\\`;x", {"select `a\\`", "x"}},
        {"dash comment", "select 1 -- c;d\n;x", {"select 1 -- c;d\n", "x"}},
        {"dashes without a blank", "select 1--1;x", {"select 1--1", "x"}},
        {"dash comment at the end", "select 1;--", {"select 1", "--"}},
        {"hash comment", "select 1 # c;d\n;x", {"select 1 # c;d\n", "x"}},
        {"block comment", "/* ; */select 1;x", {"/* ; */select 1", "x"}},
        {"unclosed string runs to the end", "select 'a;b", {"select 'a;b"}},
        {"unclosed comment runs to the end", "select 1 /* ;", {"select 1 /* ;"}},
        {"quote inside a comment", "select 1 -- it's\n;x", {"select 1 -- it's\n", "x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, pieces(c.text)) << c.name;
}

TEST(Statements, DelimiterLinesChangeTheSeparator) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"procedure body",
         "DELIMITER $$\ncreate procedure p() begin select 1; select 2; end$$\nDELIMITER ;\ncall p();",
         {"create procedure p() begin select 1; select 2; end", "\n", "call p()"}},
        {"any case, leading blanks, CR LF",
         "  delimiter //\r\nselect 1; select 2//select 3//\r\n",
         {"select 1; select 2", "select 3", "\r\n"}},
        {"pending text ends at the line", "select 1\nDELIMITER $$\nselect 2$$", {"select 1\n", "select 2"}},
        {"no word keeps the separator", "DELIMITER \nselect 1;select 2", {"select 1", "select 2"}},
        {"inside a string", "select '\nDELIMITER $$\n';x", {"select '\nDELIMITER $$\n'", "x"}},
        {"inside a comment", "/*\nDELIMITER $$\n*/select 1;x", {"/*\nDELIMITER $$\n*/select 1", "x"}},
        {"not at a line start", "select 1 delimiter $$;x", {"select 1 delimiter $$", "x"}},
        {"a word starting with it", "delimiters $$;x", {"delimiters $$", "x"}},
        {"the last line", "select 1;\ndelimiter $$", {"select 1", "\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, pieces(c.text)) << c.name;
}

TEST(Statements, BlankAndUseTests) {
    EXPECT_TRUE(IsBlankStatement(" \t\n\v\f\r"));
    EXPECT_TRUE(IsBlankStatement(""));
    EXPECT_FALSE(IsBlankStatement(" x "));
    EXPECT_FALSE(IsBlankStatement("-- c\n"));
    EXPECT_TRUE(MentionsUse("use db"));
    EXPECT_TRUE(MentionsUse("USE db"));
    EXPECT_TRUE(MentionsUse("select * from users"));
    EXPECT_FALSE(MentionsUse("Use db"));
}

// What is sent of a piece: its text from the first statement word on; nothing for white space and
// comments. Before the first word any "--" starts a comment, as the standard client reads a
// "---- heading" line; inside a statement "--" needs a blank after it.
TEST(Statements, TheStatementTextLeavesOutTheCommentsBeforeIt) {
    struct Case {
        const char* text;
        const char* sent;
    };
    const Case cases[] = {
        {"", ""},
        {" \r\n\t", ""},
        {"-- a\n# b\n/* c */ \n", ""},
        {"-- unterminated", ""},
        {"/* open", ""},
        {"---- a heading\n--x\nselect 1", "select 1"},
        {"  --1\nselect 1 --1", "select 1 --1"},
        {"/*!40101 SET NAMES utf8mb4 */", "/*!40101 SET NAMES utf8mb4 */"},
        {"/*M!100100 SET x = 1 */", "/*M!100100 SET x = 1 */"},
        {"-- c\nselect 1 -- d", "select 1 -- d"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.sent, std::string(StatementText(c.text))) << c.text;
}

// A "----" line between statements is a comment, so its ";" and quotes split nothing; inside a
// statement "--" with no blank after it is the server's, as the minus signs of "select 1--1".
TEST(Statements, DashLinesBeforeAStatementAreComments) {
    EXPECT_EQ((std::vector<std::string>{"select 1", "\n---- it's; a heading\nselect 2", "\nselect 1\n--1"}),
              pieces("select 1;\n---- it's; a heading\nselect 2;\nselect 1\n--1"));
}

TEST(Statements, EveryLineBreakBecomesOneLineFeed) {
    EXPECT_EQ("a\nb\nc\n\n\nd\n", WithLineFeeds("a\rb\r\nc\n\r\rd\r"));
    EXPECT_EQ("", WithLineFeeds(""));
}

TEST(Statements, CurrentStatementUnderTheCaret) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t caret;
        CurrentStatementPlan::Kind kind;
        const char* piece;
    };
    const char* two = "select 1;\nselect 2";
    const char* quoted = "select 'a;b';\nselect 2";
    const char* delimited = "DELIMITER $$\nselect 1; select 2$$\nselect 3$$";
    const Case cases[] = {
        {"inside the first", two, 3, CurrentStatementPlan::RunPiece, "select 1"},
        {"at the start", two, 0, CurrentStatementPlan::RunPiece, "select 1"},
        {"just after the semicolon", two, 9, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"inside the second", two, 14, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"at the very end", two, 18, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"beyond the end", two, 500, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"nothing after the last semicolon", "select 1;", 9, CurrentStatementPlan::RunPiece, "select 1"},
        {"blank text runs all", "  \n ", 2, CurrentStatementPlan::RunAll, "  \n "},
        {"blank after semicolon runs all", "select 1; \n", 11, CurrentStatementPlan::RunAll, " \n"},
        {"only semicolons", ";;;", 2, CurrentStatementPlan::Nothing, ""},
        {"empty text", "", 0, CurrentStatementPlan::Nothing, ""},
        {"after a semicolon inside a string", quoted, 11, CurrentStatementPlan::RunPiece, "select 'a;b'"},
        {"after the string's statement", quoted, 15, CurrentStatementPlan::RunPiece, "\nselect 2"},
        {"inside a delimited statement", delimited, 23, CurrentStatementPlan::RunPiece, "select 1; select 2"},
        {"after the new separator", delimited, 40, CurrentStatementPlan::RunPiece, "\nselect 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CurrentStatementPlan plan = PlanCurrentStatement(c.text, c.caret);
        EXPECT_EQ(c.kind, plan.kind);
        EXPECT_EQ(c.piece, std::string(plan.piece));
    }
}
