// Tables of cases for the formaters: token words per character, block-comment markers, keyword
// case, expressions at a position, templates, parameters and type names, the word tables.

#include "editor/CCFormater.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr WORD kUntouched = 0xFFFF;

std::unique_ptr<CHHGenericFormater> makeFormater(const std::string& language) {
    if (language == "js") return std::make_unique<CHHJScriptFormater>();
    if (language == "vbs") return std::make_unique<CHHVBScriptFormater>();
    if (language == "c") return std::make_unique<CCFormater>();
    return std::make_unique<CHHGenericFormater>();
}

char letterFor(WORD token) {
    switch (token) {
    case kUntouched:
        return '_';
    case HHTOKEN_DEFAULT:
        return '.';
    case HHTOKEN_KEYWORD:
        return 'k';
    case HHTOKEN_COMMENT:
        return 'c';
    case HHTOKEN_OPERATOR:
        return 'o';
    case HHTOKEN_NUMBER:
        return 'n';
    case HHTOKEN_STRING:
        return 's';
    case HHTOKEN_CONSTANT:
        return 'K';
    case HHTOKEN_FUNCTION:
        return 'f';
    case HHTOKEN_PREPROCESSOR:
        return 'p';
    case HHTOKEN_USER1:
        return '1';
    case HHTOKEN_USER2:
        return '2';
    default:
        return '?';
    }
}

std::u16string widen(const std::string& text) {
    std::u16string wide;
    for (unsigned char c : text)
        wide.push_back(c);
    return wide;
}

// One letter per character; '_' marks a character the tokeniser did not write.
std::string classes(CHHFormater& formater, const std::string& text) {
    const std::u16string wide = widen(text);
    std::vector<WORD> tokens(text.size(), kUntouched);
    formater.ColorizeText(wide.data(), static_cast<int>(wide.size()), tokens.data());
    std::string out;
    for (WORD token : tokens)
        out.push_back(letterFor(token));
    return out;
}

struct TokenCase {
    const char* name;
    const char* language;
    std::string text;
    std::string expected;
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.name;
}

class TokenTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenTable, GivesEachCharacterItsTokenWord) {
    const TokenCase& c = GetParam();
    auto formater = makeFormater(c.language);
    EXPECT_EQ(classes(*formater, c.text), c.expected) << c.text;
}

const std::string kLongWord(600, 'q');

INSTANTIATE_TEST_SUITE_P(
    Formaters, TokenTable,
    ::testing::Values(
        // JavaScript
        TokenCase{"LineCommentStopsBeforeCr", "js", "// x\r\ny", "cccc__."},
        TokenCase{"LineCommentStopsBeforeLf", "js", "// x\ny", "cccc_."},
        TokenCase{"LineCommentStopsBeforeLoneCr", "js", "// x\ry", "cccc_."},
        TokenCase{"StringStopsBeforeLoneLf", "js", "\"ab\nx", "sss_."},
        TokenCase{"ApostropheOpensNoString", "js", "'abc'", "....."},
        TokenCase{"EscapedQuoteStaysInString", "js", "\"a\\\"b\"", "ssssss"},
        TokenCase{"UnclosedStringStopsAtLineEnd", "js", "\"abc\r\nx", "ssss__."},
        TokenCase{"QuoteAfterDoubledEscapeCloses", "js", "\"a\\\\\" x", "sssss_."},
        TokenCase{"StringOfOneEscapedEscape", "js", "\"\\\\\";x", "ssss.."},
        TokenCase{"QuoteAfterTripleEscapeStaysInString", "js", "\"\\\\\\\" x", "sssssss"},
        TokenCase{"EscapeBeforeLineEndStillStopsString", "js", "\"a\\\nx", "sss_."},
        TokenCase{"NumberWithExponent", "js", "1.5e-3", "nnnnnn"},
        TokenCase{"SecondDotEndsNumber", "js", "1.2.3", "nnn.n"},
        TokenCase{"MinusInsideNumber", "js", "3-4", "nnn"}, TokenCase{"HexNumber", "js", "0x1F", "nnnn"},
        TokenCase{"HexPrefixWithoutDigits", "js", "0xZ", "nn."},
        TokenCase{"UnderscoreStartsNoWord", "js", "_x", ".."},
        TokenCase{"OverlongIdentifierKeepsDefault", "js", kLongWord, std::string(600, '.')},
        TokenCase{"ConditionalCompilationWord", "js", "@cc_on", "kkkkkk"},
        TokenCase{"OperatorWords", "js", "void typeof delete in", "oooo_oooooo_oooooo_kk"},
        TokenCase{"OtherCharacterTakesWhitespaceBefore", "js", "a  ;", "...."},
        TokenCase{"OperatorLeavesWhitespaceBefore", "js", "a  +", ".__o"},
        TokenCase{"BlockCommentHidesLineMarker", "js", "/* http://x */ y", "cccccccccccccc_."},
        TokenCase{"BlockCommentHidesQuote", "js", "/* \"a */ b", "cccccccc_."},
        TokenCase{"EmptyBlockComment", "js", "a/**/b", ".cccc."},
        TokenCase{"UnterminatedBlockComment", "js", "x /* open\r\nmore", "._ccccccccccccc"},
        TokenCase{"DotAndBracesAreNoOperators", "js", "a.b{}", "....."},
        // VBScript
        TokenCase{"RemStartsComment", "vbs", "rem x", "ccccc"},
        TokenCase{"RemInCapitals", "vbs", "REM x", "ccccc"},
        TokenCase{"RemAtTextEnd", "vbs", "x rem", "._ccc"},
        TokenCase{"RemarkIsAWord", "vbs", "Remark", "......"},
        TokenCase{"ApostropheComment", "vbs", "x ' c", "._ccc"},
        TokenCase{"HexWithClosingAmpersand", "vbs", "&H1F&", "nnnnn"},
        TokenCase{"LoneAmpersandIsOperator", "vbs", "a & b", "._o_."},
        TokenCase{"KeywordsIgnoreCase", "vbs", "dim Dim DIM", "kkk_kkk_kkk"},
        TokenCase{"ConstantsAndFunctions", "vbs", "vbRed IsObject", "KKKKK_ffffffff"},
        TokenCase{"OperatorWordsAndBackslash", "vbs", "a Mod b\\c", "._ooo_.o."},
        TokenCase{"StringWithBackslashEscape", "vbs", "\"a\\\"b\"", "ssssss"},
        TokenCase{"QuoteAfterDoubledEscapeDoesNotClose", "vbs", "\"a\\\\\" x", "sssssss"},
        // C family
        TokenCase{"PreprocessorWordAfterBlanks", "c", "#  define X", "p__pppppp_."},
        TokenCase{"BlanksBeforeHashArePreprocessor", "c", "  #if", "ppppp"},
        TokenCase{"IncludeNameIsString", "c", "#include <stdio.h>", "p......._sssssssss"},
        TokenCase{"LessThanOutsidePreprocessorLine", "c", "a < b", "._o_."},
        TokenCase{"PreprocessorWordOnPlainLine", "c", "define if", "......_kk"},
        TokenCase{"BothQuotes", "c", "'c' \"s\"", "sss_sss"},
        TokenCase{"BracketsAreOperators", "c", "x[0]", ".ono"},
        TokenCase{"HashOnSecondLineAfterCrLf", "c", "a\r\n#if", ".ppppp"},
        TokenCase{"HashOnSecondLineAfterLf", "c", "a\n#if", ".pppp"},
        TokenCase{"HashInsideLineIsOther", "c", "a #if", "...kk"},
        // Generic: no data at all
        TokenCase{"GenericKnowsOnlyNumbers", "generic", "abc 12 + \"x\"", "..._nn......"}),
    [](const ::testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); });

// --- block-comment markers ---------------------------------------------------------------------

struct MarkerCase {
    const char* name;
    const char* language;
    const char* text;
    BOOL inComment;
    const char* expected;
};

std::string describeMarkers(const CHHCommentMarkerArray& markers) {
    std::string out;
    for (INT_PTR i = 0; i < markers.GetSize(); ++i) {
        const CHHCommentMarker& m = markers[i];
        if (!out.empty()) out += ' ';
        out += (m.m_bStart ? "S" : "E") + std::to_string(m.m_nPos);
        EXPECT_EQ(m.m_nLength, 2);
        EXPECT_EQ(m.m_nPair, 0);
    }
    return out;
}

class MarkerTable : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(MarkerTable, RecordsBlockCommentMarkers) {
    const MarkerCase& c = GetParam();
    auto formater = makeFormater(c.language);
    const std::u16string text = widen(c.text);
    CHHCommentMarkerArray markers;
    formater->ScanBlockComments(text.data(), static_cast<int>(text.size()), markers, c.inComment);
    EXPECT_EQ(describeMarkers(markers), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Formaters, MarkerTable,
    ::testing::Values(MarkerCase{"Pair", "js", "/* a */", FALSE, "S0 E5"},
                      MarkerCase{"UrlInsideComment", "js", "/* see http://x */ y", FALSE, "S0 E16"},
                      MarkerCase{"QuoteInsideComment", "js", "/* say \"hi */", FALSE, "S0 E11"},
                      MarkerCase{"LineCommentAfterBlockHidesEnd", "js", "/* a \"b */ x // c */", FALSE,
                                 "S0 E8"},
                      MarkerCase{"ApostropheInsideCComment", "c", "/* it's */ x = 'a';", FALSE, "S0 E8"},
                      MarkerCase{"LineCommentHidesMarkers", "js", "// /* x\r\n*/", FALSE, "E9"},
                      MarkerCase{"StringHidesMarkers", "js", "\"/*\" /* a */", FALSE, "S5 E10"},
                      MarkerCase{"NestedStartIsRecorded", "js", "/* /* */ */", FALSE, "S0 S3 E6 E9"},
                      MarkerCase{"Unterminated", "js", "/* open", FALSE, "S0"},
                      MarkerCase{"StrayEnd", "js", "*/", FALSE, "E0"},
                      MarkerCase{"StartsInsideComment", "js", "a // */ /* b */", TRUE, "E5 S8 E13"},
                      MarkerCase{"NoBlockMarkersInVBScript", "vbs", "/* a */", FALSE, ""}),
    [](const ::testing::TestParamInfo<MarkerCase>& info) { return std::string(info.param.name); });

TEST(ScanBlockComments, AppendsToWhatTheArrayHolds) {
    CHHJScriptFormater formater;
    CHHCommentMarkerArray markers;
    markers.Add(CHHCommentMarker{100, 2, 1, 7});
    const std::u16string text = widen("*/");
    formater.ScanBlockComments(text.data(), 2, markers);
    ASSERT_EQ(markers.GetSize(), 2);
    EXPECT_EQ(markers[0].m_nPos, 100);
    EXPECT_EQ(markers[1].m_nPos, 0);
}

// --- keyword case --------------------------------------------------------------------------------

struct CaseFixCase {
    const char* language;
    const char* word;
    WORD cls;
    BOOL changed;
    const char* expected;
};

class WordCaseTable : public ::testing::TestWithParam<CaseFixCase> {};

TEST_P(WordCaseTable, AdjustsWordCase) {
    const CaseFixCase& c = GetParam();
    auto formater = makeFormater(c.language);
    char word[64];
    std::strcpy(word, c.word);
    EXPECT_EQ(formater->AdjustWordCase(word, c.cls), c.changed) << c.word;
    EXPECT_STREQ(word, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Formaters, WordCaseTable,
                         ::testing::Values(CaseFixCase{"vbs", "dim", HHTOKEN_KEYWORD, TRUE, "Dim"},
                                           CaseFixCase{"vbs", "elseif", HHTOKEN_KEYWORD, TRUE, "Elseif"},
                                           CaseFixCase{"vbs", "ELSEIF", HHTOKEN_KEYWORD, TRUE, "Elseif"},
                                           CaseFixCase{"vbs", "Dim", HHTOKEN_KEYWORD, FALSE, "Dim"},
                                           CaseFixCase{"vbs", "vbred", HHTOKEN_CONSTANT, TRUE, "vbRed"},
                                           CaseFixCase{"vbs", "VBRED", HHTOKEN_CONSTANT, TRUE, "Vbred"},
                                           CaseFixCase{"vbs", "vbRed", HHTOKEN_CONSTANT, FALSE, "vbRed"},
                                           CaseFixCase{"vbs", "vb", HHTOKEN_CONSTANT, TRUE, "Vb"},
                                           CaseFixCase{"vbs", "TRUE", HHTOKEN_CONSTANT, TRUE, "True"},
                                           CaseFixCase{"vbs", "mod", HHTOKEN_OPERATOR, TRUE, "Mod"},
                                           CaseFixCase{"vbs", "msgbox", HHTOKEN_FUNCTION, FALSE, "msgbox"},
                                           CaseFixCase{"vbs", "x", HHTOKEN_DEFAULT, FALSE, "x"},
                                           CaseFixCase{"vbs", "", HHTOKEN_KEYWORD, FALSE, ""},
                                           CaseFixCase{"js", "WHILE", HHTOKEN_KEYWORD, FALSE, "WHILE"}));

// --- expressions ---------------------------------------------------------------------------------

struct ExpressionCase {
    const char* name;
    const char* line;
    int pos;
    BOOL found;
    const char* qualifier;
    const char* word;
    int qualifierStart;
    int wordStart;
};

class ExpressionTable : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTable, FindsWordAndQualifier) {
    const ExpressionCase& c = GetParam();
    CHHJScriptFormater formater;
    CHHExpressionInfo info;
    info.m_strWord = "stale";
    EXPECT_EQ(formater.ParseExpressionAt(c.line, c.pos, info), c.found);
    EXPECT_STREQ(info.m_strQualifier, c.qualifier);
    EXPECT_STREQ(info.m_strWord, c.word);
    EXPECT_EQ(info.m_nReserved, -1);
    EXPECT_EQ(info.m_nQualifierStart, c.qualifierStart);
    EXPECT_EQ(info.m_nWordStart, c.wordStart);
}

INSTANTIATE_TEST_SUITE_P(
    Formaters, ExpressionTable,
    ::testing::Values(
        ExpressionCase{"AtEnd", "window.document.wri", 19, TRUE, "window.document", "wri", 0, 16},
        ExpressionCase{"InsideWord", "window.document.wri", 17, TRUE, "window.document", "wri", 0, 16},
        ExpressionCase{"AtWordStart", "window.document.wri", 16, TRUE, "window.document", "wri", 0, 16},
        ExpressionCase{"BeforeDot", "window.document.wri", 15, TRUE, "window", "document", 0, 7},
        ExpressionCase{"AtLineStart", "window.document.wri", 0, TRUE, "", "window", -1, 0},
        ExpressionCase{"AfterDot", "  document.", 11, TRUE, "document", "", 2, -1},
        ExpressionCase{"InsideComment", "x = a.b // c.d", 14, FALSE, "", "", -1, -1},
        ExpressionCase{"EmptyLine", "", 0, FALSE, "", "", -1, -1},
        ExpressionCase{"DotAfterCall", "foo().", 6, FALSE, "", "", -1, -1},
        ExpressionCase{"BlankAtPosition", "  abc", 0, FALSE, "", "", -1, -1},
        ExpressionCase{"PositionPastEnd", "abc", 99, TRUE, "", "abc", -1, 0},
        ExpressionCase{"NegativePosition", "abc", -5, TRUE, "", "abc", -1, 0},
        ExpressionCase{"ThreeLevels", "a.b.c", 5, TRUE, "a.b", "c", 0, 4},
        ExpressionCase{"ExtraWordCharacter", "x = @cc_on", 7, TRUE, "", "@cc_on", -1, 4},
        ExpressionCase{"QualifierStopsAtOperator", "x=y.z", 5, TRUE, "y", "z", 2, 4}),
    [](const ::testing::TestParamInfo<ExpressionCase>& info) { return std::string(info.param.name); });

TEST(ParseExpressionAt, NullLineFindsNothing) {
    CHHJScriptFormater formater;
    CHHExpressionInfo info;
    EXPECT_FALSE(formater.ParseExpressionAt(nullptr, 0, info));
}

// --- templates, parameters, type names -----------------------------------------------------------

struct TemplateCase {
    const char* language;
    const char* kind; // "proc", "event" or "end"
    VARTYPE type;
    const char* expected;
};

class TemplateTable : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateTable, FormatsTemplates) {
    const TemplateCase& c = GetParam();
    auto formater = makeFormater(c.language);
    CString text;
    if (std::strcmp(c.kind, "proc") == 0)
        text = formater->FormatProcedure("Name", "a, b", c.type);
    else if (std::strcmp(c.kind, "event") == 0)
        text = formater->FormatEventHandler("Object", "Event", "a", c.type);
    else
        text = formater->FormatProcedureEnd("Name", "a, b", c.type);
    EXPECT_STREQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formaters, TemplateTable,
    ::testing::Values(TemplateCase{"js", "proc", 0, "function Name(a, b)"},
                      TemplateCase{"js", "proc", 24, "function Name(a, b)"},
                      TemplateCase{"js", "proc", 3, "function Name(a, b) "},
                      TemplateCase{"js", "event", 0, "function Object::Event(a) {"},
                      TemplateCase{"js", "event", 8, "function Object::Event(a) {"},
                      TemplateCase{"js", "end", 0, "}"}, TemplateCase{"js", "end", 3, "}"},
                      TemplateCase{"vbs", "proc", 0, "Sub Name(a, b)"},
                      TemplateCase{"vbs", "proc", 24, "Sub Name(a, b)"},
                      TemplateCase{"vbs", "proc", 3, "Function Name(a, b) Long"},
                      TemplateCase{"vbs", "event", 0, "Sub Object_Event(a)"},
                      TemplateCase{"vbs", "event", 8, "Function Object_Event(a)"},
                      TemplateCase{"vbs", "end", 0, "End Sub"},
                      TemplateCase{"vbs", "end", 12, "End Function"}, TemplateCase{"c", "proc", 0, ""},
                      TemplateCase{"c", "event", 3, ""}, TemplateCase{"c", "end", 0, ""}));

struct ParameterCase {
    const char* language;
    VARTYPE type;
    BOOL byVal;
    BOOL optional;
    BOOL withType;
    const char* expected;
};

class ParameterTable : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterTable, FormatsParameter) {
    const ParameterCase& c = GetParam();
    auto formater = makeFormater(c.language);
    EXPECT_STREQ(formater->FormatParameter("x", c.type, c.byVal, c.optional, c.withType), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Formaters, ParameterTable,
                         ::testing::Values(ParameterCase{"vbs", 12, FALSE, TRUE, FALSE, "Optional x"},
                                           ParameterCase{"vbs", 3, FALSE, TRUE, TRUE, "x As Long"},
                                           ParameterCase{"vbs", 3, TRUE, FALSE, TRUE, "ByVal x As Long"},
                                           ParameterCase{"vbs", 12, TRUE, TRUE, TRUE,
                                                         "ByVal Optional x As Variant"},
                                           ParameterCase{"vbs", 99, FALSE, FALSE, TRUE, "x As Unknown"},
                                           ParameterCase{"vbs", 8, FALSE, FALSE, FALSE, "x"},
                                           ParameterCase{"js", 12, TRUE, TRUE, TRUE, "x"},
                                           ParameterCase{"c", 3, FALSE, FALSE, TRUE, "x"}));

TEST(GetTypeName, VBScriptNamesEveryVariantType) {
    CHHVBScriptFormater vbs;
    const struct {
        std::vector<VARTYPE> types;
        const char* name;
    } table[] = {{{2, 18, 22, 23}, "Integer"},
                 {{3, 19}, "Long"},
                 {{4}, "Single"},
                 {{5}, "Double"},
                 {{8, 30}, "String"},
                 {{9, 13, 29}, "Object"},
                 {{11, 16, 17}, "Boolean"},
                 {{12}, "Variant"},
                 {{0, 1, 6, 7, 24, 0x4003}, "Unknown"}};
    for (const auto& row : table)
        for (VARTYPE type : row.types)
            EXPECT_STREQ(vbs.GetTypeName(type), row.name) << type;
    CHHJScriptFormater js;
    EXPECT_STREQ(js.GetTypeName(3), "");
}

// --- word tables ---------------------------------------------------------------------------------

TEST(WordTables, JScriptWords) {
    CHHJScriptFormater js;
    EXPECT_EQ(js.GetKeywordMap().GetCount(), 41);
    EXPECT_EQ(js.LookupWord(u"break"), HHTOKEN_KEYWORD);
    EXPECT_EQ(js.LookupWord(u"@set"), HHTOKEN_KEYWORD);
    EXPECT_EQ(js.LookupWord(u"typeof"), HHTOKEN_OPERATOR);
    EXPECT_EQ(js.LookupWord(u"Break"), 0);
    CStringArray names;
    names.Add("stale");
    js.GetFunctionList(names);
    EXPECT_EQ(names.GetSize(), 0);
}

TEST(WordTables, VBScriptWordsAndFunctions) {
    CHHVBScriptFormater vbs;
    EXPECT_EQ(vbs.LookupWord(u"DIM"), HHTOKEN_KEYWORD);
    EXPECT_EQ(vbs.LookupWord(u"dim"), 0); // stored upper-case, looked up exactly
    EXPECT_EQ(vbs.LookupWord(u"VBARRAY"), HHTOKEN_CONSTANT);
    EXPECT_EQ(vbs.LookupWord(u"XOR"), HHTOKEN_OPERATOR);
    EXPECT_EQ(vbs.LookupWord(u"STRING"), HHTOKEN_FUNCTION); // the function entry comes last
    CStringArray names;
    vbs.GetFunctionList(names);
    ASSERT_EQ(names.GetSize(), 90);
    EXPECT_STREQ(names[0], "Abs");
    EXPECT_STREQ(names[89], "Year");
    EXPECT_STREQ(vbs.GetFunctionSignature("isobject"), "Function IsObject(Expression) As Boolean");
    EXPECT_STREQ(vbs.GetFunctionSignature("UCase"), "Function UCase(String)");
    EXPECT_STREQ(vbs.GetFunctionSignature("Fix"), "Function Int(Number)");
    EXPECT_STREQ(vbs.GetFunctionSignature("Split"),
                 "Split(Expression[, Delimiter As String [, Count As Number[, Compare As Number]]])");
    const CString currency = vbs.GetFunctionSignature("FormatCurrency");
    EXPECT_EQ(currency.Right(3), "]) ");
    EXPECT_STREQ(vbs.GetFunctionSignature("NoSuchFunction"), "");
}

TEST(WordTables, CPreprocessorWords) {
    CCFormater c;
    EXPECT_EQ(c.LookupPreprocessorWord(u"define"), HHTOKEN_PREPROCESSOR);
    EXPECT_EQ(c.LookupPreprocessorWord(u"include"), 0);
    EXPECT_EQ(c.LookupWord(u"define"), 0);
    EXPECT_EQ(c.LookupWord(u"UInt64"), HHTOKEN_KEYWORD);
}

TEST(WordTables, AddKeywordAndMapSetAtShareOneTable) {
    CHHJScriptFormater js;
    js.GetKeywordMap().SetAt("alert", HHTOKEN_USER1);
    EXPECT_EQ(classes(js, "alert"), "11111");
    js.AddKeyword("alert", HHTOKEN_PREPROCESSOR);
    EXPECT_EQ(classes(js, "alert"), "ppppp");
    js.AddKeyword("while", HHTOKEN_USER2); // an existing word changes class only
    EXPECT_EQ(classes(js, "while"), "22222");
    EXPECT_EQ(js.GetKeywordMap().GetCount(), 42);
}

TEST(WordTables, CaseInsensitiveSignatureKeys) {
    CHHGenericFormater generic;
    generic.AddFunction("MyFunc", "sig");
    EXPECT_STREQ(generic.GetFunctionSignature("MYFUNC"), "sig");
    EXPECT_STREQ(generic.GetFunctionSignature("myfunc"), "sig");
    generic.SetCaseSensitive(TRUE);
    generic.AddFunction("Other", "sig2");
    EXPECT_STREQ(generic.GetFunctionSignature("Other"), "sig2");
    EXPECT_STREQ(generic.GetFunctionSignature("OTHER"), "");
}

TEST(ColorizeKeywords, ClassesOnlyWordsStillDefault) {
    CHHVBScriptFormater vbs;
    const std::string text = "dim x = \"dim\" : Rem";
    const std::u16string wide = widen(text);
    std::vector<WORD> tokens(text.size(), 0);
    for (std::size_t i = 8; i < 13; ++i)
        tokens[i] = HHTOKEN_STRING;
    vbs.ColorizeKeywords(wide.data(), static_cast<int>(wide.size()), tokens.data());
    std::string out;
    for (WORD t : tokens)
        out.push_back(letterFor(t));
    EXPECT_EQ(out, "kkk.....sssss...kkk");
}

TEST(MatchText, ComparesWithTheFormatersCaseRule) {
    CHHVBScriptFormater vbs;
    CHHJScriptFormater js;
    EXPECT_TRUE(vbs.MatchText(u"rem x", u"REM", 3));
    EXPECT_FALSE(js.MatchText(u"rem x", u"REM", 3));
    EXPECT_TRUE(js.MatchText(u"abc", u"abc", -1));
    EXPECT_FALSE(js.MatchText(u"abc", u"ab", -1));
    EXPECT_TRUE(js.MatchText(u"abc", u"ab", 2));
    EXPECT_TRUE(js.MatchText(u"ab", u"ab", 5)); // stops where both strings end
    EXPECT_FALSE(js.MatchText(u"abc", u"ab", 5));
    EXPECT_FALSE(js.MatchText(u"abc", u"abc", 0));
    EXPECT_FALSE(js.MatchText(nullptr, u"abc", 3));
    EXPECT_FALSE(js.MatchText(u"abc", nullptr, 3));
}

TEST(RuntimeClasses, FormatersAreCreatedByName) {
    for (const char* name :
         {"CHHGenericFormater", "CHHJScriptFormater", "CHHVBScriptFormater", "CCFormater"}) {
        std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CHHFormater))) << name;
    }
}

TEST(ColorizeText, CharactersAbove255AreLetters) {
    CHHJScriptFormater js;
    const std::u16string text = u"var \u4e2d\u6587 = 1";
    std::vector<WORD> tokens(text.size(), kUntouched);
    js.ColorizeText(text.data(), static_cast<int>(text.size()), tokens.data());
    EXPECT_EQ(tokens[4], HHTOKEN_DEFAULT);
    EXPECT_EQ(tokens[5], HHTOKEN_DEFAULT);
    EXPECT_EQ(tokens[9], HHTOKEN_NUMBER);
}

TEST(ColorizeText, NullOrEmptyTextWritesNothing) {
    CHHJScriptFormater js;
    WORD token = kUntouched;
    js.ColorizeText(nullptr, 5, &token);
    js.ColorizeText(u"x", 0, &token);
    EXPECT_EQ(token, kUntouched);
}

// A long line is tokenised and scanned for comment markers again only around an edit: after each
// edit the tokens and markers are those a new formater gives the same text, whatever the edit
// opens or closes, in languages with and without letter case.
TEST(ColorizeText, ALongLineEditedGivesWhatANewFormaterGives) {
    struct Edit {
        const char* name;
        double at; // where in the line, as a share of its length
        int removed;
        std::u16string inserted;
        std::u16string after = u""; // or just after the first of these from there
    };
    const Edit edits[] = {{"a letter in the middle", 0.5, 0, u"x"},
                          {"a quote opens a string to the end", 0.5, 0, u"\""},
                          {"the quote taken back", 0.5, 1, u""},
                          {"a block comment opened", 0.3, 0, u"/*"},
                          {"and closed further on", 0.6, 0, u"*/"},
                          {"a line comment", 0.7, 0, u"//"},
                          {"a word made a keyword", 0.4, 0, u" if "},
                          {"a hexadecimal number", 0.45, 0, u"0x1F"},
                          {"an escape before a quote", 0.55, 0, u"\\"},
                          {"near the start", 0.001, 3, u"q"},
                          {"at the end", 1.0, 0, u"\"tail"},
                          {"a long stretch removed", 0.2, 9000, u"rem "},
                          {"a star after a slash", 0.35, 0, u"*", u"a/"},
                          {"a slash after a slash", 0.65, 0, u"/", u"a/"},
                          {"the quote after an escape removed", 0.5, 1, u"", u"a\\"},
                          {"a comment of the other language", 0.75, 0, u"'"},
                          {"a line break", 0.5, 0, u"\r\n"}};
    struct Language {
        const char* name;
        std::u16string piece;
    } languages[] = {
        {"js", u"var total=item.price*3+index;if(total>100){return \"a\\\"b\";}/* c */x=0x1f/a/b;"},
        {"vbs",
         u"Dim total: total = item.Price * 3 + &H1F: If total > 100 Then s = \"a\"\"b\" & a/b & a\\ "}};
    for (const Language& language : languages) {
        const std::unique_ptr<CHHGenericFormater> kept = makeFormater(language.name);
        std::u16string line;
        while (line.size() < 40000)
            line += language.piece;
        auto colourWith = [&](CHHGenericFormater& formater) {
            std::vector<WORD> tokens(line.size(), 0);
            formater.ColorizeText(line.data(), static_cast<int>(line.size()), tokens.data());
            return tokens;
        };
        // Markers found from the start, and by a second formater from inside a comment.
        const std::unique_ptr<CHHGenericFormater> keptInComment = makeFormater(language.name);
        auto markersWith = [&](CHHGenericFormater& formater, BOOL inComment) {
            CHHCommentMarkerArray markers;
            formater.ScanBlockComments(line.data(), static_cast<int>(line.size()), markers, inComment);
            std::vector<std::vector<int>> found;
            for (INT_PTR i = 0; i < markers.GetSize(); ++i)
                found.push_back({markers[i].m_nPos, markers[i].m_nLength, markers[i].m_bStart});
            return found;
        };
        colourWith(*kept);
        markersWith(*kept, FALSE);
        markersWith(*keptInComment, TRUE);
        // A third told where the line changed, and that only its first tokens and those it
        // tokenises again are read: the others are its last ones, moved with the edit.
        const std::unique_ptr<CHHGenericFormater> hinted = makeFormater(language.name);
        std::vector<WORD> last = colourWith(*hinted);
        // Two more are told where the line changed only at every other edit: the text they
        // compare the next one with holds the edits they were told of.
        const std::unique_ptr<CHHGenericFormater> toldAtTimes = makeFormater(language.name);
        const std::unique_ptr<CHHGenericFormater> scanToldAtTimes = makeFormater(language.name);
        colourWith(*toldAtTimes);
        markersWith(*scanToldAtTimes, FALSE);
        bool tell = true;
        for (const Edit& e : edits) {
            std::size_t at = std::min(static_cast<std::size_t>(e.at * static_cast<double>(line.size())),
                                      line.size() - static_cast<std::size_t>(e.removed));
            if (!e.after.empty()) at = line.find(e.after, at) + e.after.size();
            const unsigned call = hinted->GetTextCount();
            const unsigned toldCall = toldAtTimes->GetTextCount();
            const unsigned scanToldCall = scanToldAtTimes->GetTextCount();
            line.replace(at, static_cast<std::size_t>(e.removed), e.inserted);
            const std::vector<WORD> fresh = colourWith(*makeFormater(language.name));
            EXPECT_EQ(colourWith(*kept), fresh) << language.name << ": " << e.name;
            last.erase(last.begin() + static_cast<std::ptrdiff_t>(at),
                       last.begin() + static_cast<std::ptrdiff_t>(at) + e.removed);
            last.insert(last.begin() + static_cast<std::ptrdiff_t>(at), e.inserted.size(), HHTOKEN_DEFAULT);
            const int count = static_cast<int>(line.size()), read = 10;
            std::vector<WORD> tokens(line.size(), 0xFFFF);
            hinted->HintChange(call, static_cast<int>(at), count - static_cast<int>(at + e.inserted.size()));
            hinted->HintTokensRead(0, read);
            hinted->ColorizeText(line.data(), count, tokens.data());
            int from = 0, to = count;
            const bool inPart = hinted->GetRetokenised(from, to);
            const bool nearAnEdit = at >= 1000 && e.inserted.find(u'\n') == std::u16string::npos;
            EXPECT_TRUE(inPart || !nearAnEdit) << language.name << ": " << e.name;
            for (int i = 0; i < count; ++i) {
                const std::size_t k = static_cast<std::size_t>(i);
                const bool written = !inPart || i < read || (i >= from && i < to);
                ASSERT_EQ(written ? tokens[k] : last[k], fresh[k])
                    << language.name << ": " << e.name << " at " << i;
            }
            last = fresh;
            if (tell) {
                toldAtTimes->HintChange(toldCall, static_cast<int>(at),
                                        count - static_cast<int>(at + e.inserted.size()));
                scanToldAtTimes->HintChange(scanToldCall, static_cast<int>(at),
                                            count - static_cast<int>(at + e.inserted.size()));
            }
            EXPECT_EQ(colourWith(*toldAtTimes), fresh) << language.name << ", told at times: " << e.name;
            EXPECT_EQ(markersWith(*scanToldAtTimes, FALSE), markersWith(*makeFormater(language.name), FALSE))
                << language.name << ", told at times: " << e.name;
            tell = !tell;
            EXPECT_EQ(markersWith(*kept, FALSE), markersWith(*makeFormater(language.name), FALSE))
                << language.name << ": " << e.name;
            EXPECT_EQ(markersWith(*keptInComment, TRUE), markersWith(*makeFormater(language.name), TRUE))
                << language.name << ", in a comment: " << e.name;
        }
        // A word added to the table colours the line it was not in before.
        kept->AddKeyword("total", HHTOKEN_FUNCTION);
        kept->AddKeyword("TOTAL", HHTOKEN_FUNCTION);
        const std::vector<WORD> withWord = colourWith(*kept);
        EXPECT_EQ(withWord[line.find(u"total")], HHTOKEN_FUNCTION) << language.name;
    }
}

} // namespace
