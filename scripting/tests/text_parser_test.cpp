#include "scripting/CHHVBScriptTextParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct HeaderCase {
    const char* line;
    bool header;
    const char* object;
    const char* procedure;
    bool function;
};

TEST(VBScriptTextParser, RecognisesProcedureHeaders) {
    const HeaderCase cases[] = {
        {"Sub Command1_Click\r\n", true, "Command1", "Click", false},
        {"Function Total\r\n", true, "", "Total", true},
        {"Sub A_B_C\r\n", true, "A", "B", false},
        {"Submit = 1\r\n", false, "", "", false},
        {"   sub  X\r\n", true, "", "X", false},
        {"\tFUNCTION f2(a)\r\n", true, "", "f2", true},
        {"Private Sub X\r\n", false, "", "", false},
        {"Sub Foo_\r\n", false, "", "", false},
        {"Sub 1Foo\r\n", false, "", "", false},
        {"Sub\tApp_Timer()\r\n", true, "App", "Timer", false},
        {"Sub\r\n", false, "", "", false},
        {"Sub caf\xC3\xA9\r\n", true, "", "caf", false},
    };
    CHHVBScriptTextParser parser;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CString object = "stale", procedure;
        BOOL function = FALSE;
        EXPECT_EQ(parser.IsProcedureHeader(c.line, object, procedure, function) != FALSE, c.header);
        if (!c.header) continue;
        EXPECT_STREQ(object, c.object);
        EXPECT_STREQ(procedure, c.procedure);
        EXPECT_EQ(function != FALSE, c.function);
    }
}

TEST(VBScriptTextParser, RecognisesEndLines) {
    EXPECT_TRUE(CHHVBScriptTextParser::IsEndLine("End Sub\r\n", FALSE));
    EXPECT_TRUE(CHHVBScriptTextParser::IsEndLine("  end   SUB ' done\r\n", FALSE));
    EXPECT_TRUE(CHHVBScriptTextParser::IsEndLine("End Function\r\n", TRUE));
    EXPECT_FALSE(CHHVBScriptTextParser::IsEndLine("End Sub\r\n", TRUE));
    EXPECT_FALSE(CHHVBScriptTextParser::IsEndLine("End Subroutine\r\n", FALSE));
    EXPECT_FALSE(CHHVBScriptTextParser::IsEndLine("EndSub\r\n", FALSE));
    EXPECT_STREQ(CHHVBScriptTextParser().GetEndLine(TRUE), "End Function");
}

TEST(VBScriptTextParser, NextLineEndsEveryLineWithCrLf) {
    const char* text = "a\r\nb\nc\rd";
    LPCTSTR pos = text;
    std::vector<std::string> lines;
    while (*pos)
        lines.push_back(static_cast<LPCTSTR>(CHHVBScriptTextParser::NextLine(pos)));
    EXPECT_EQ(lines, (std::vector<std::string>{"a\r\n", "b\r\n", "c\r\n", "d\r\n"}));
}

struct Piece {
    std::string object, procedure, head, body, tail;
    bool operator==(const Piece& o) const {
        return object == o.object && procedure == o.procedure && head == o.head && body == o.body &&
               tail == o.tail;
    }
};

std::vector<Piece> pieces(const char* text) {
    CHHVBScriptTextParser parser;
    std::vector<Piece> out;
    LPCTSTR pos = text;
    while (pos) {
        CString o, p, h, b, t;
        pos = parser.ParseNext(pos, o, p, h, b, t);
        out.push_back({static_cast<LPCTSTR>(o), static_cast<LPCTSTR>(p), static_cast<LPCTSTR>(h),
                       static_cast<LPCTSTR>(b), static_cast<LPCTSTR>(t)});
    }
    return out;
}

TEST(VBScriptTextParser, SplitsProceduresAndLooseLines) {
    std::vector<Piece> got =
        pieces("Dim n\nSub App_Timer()\n\tn = n + 1\nEnd Sub\n\n\nx = 1\n\nFunction F\nEnd Function");
    std::vector<Piece> expected = {
        {"", "", "", "Dim n\r\n", ""},
        {"App", "Timer", "Sub App_Timer()\r\n", "\tn = n + 1\r\n", "End Sub\r\n"},
        {"", "", "", "x = 1\r\n", ""},
        {"", "", "", "\r\n", ""},
        {"", "F", "Function F\r\n", "", "End Function\r\n"},
    };
    EXPECT_EQ(got, expected);
}

TEST(VBScriptTextParser, ClosesAProcedureOpenAtTheEnd) {
    std::vector<Piece> got = pieces("Function F\r\n  F = 1\r\n  End Sub");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].body, "  F = 1\r\n  End Sub\r\n"); // End Sub does not close a function
    EXPECT_EQ(got[0].tail, "End Function\r\n");
    got = pieces("Sub S\r\nx");
    EXPECT_EQ(got[0].body, "x\r\n");
    EXPECT_EQ(got[0].tail, "End Sub\r\n");
}

} // namespace
