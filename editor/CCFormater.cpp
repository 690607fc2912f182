#include "editor/CCFormater.h"

IMPLEMENT_DYNCREATE(CCFormater, CHHGenericFormater)

namespace {

const char kKeywords[] =
    "abstract Attribute base bool Boolean byte Byte break catch char Char Single Double Decimal case "
    "checked class Console const continue switch CSharp decimal default delegate do double else enum "
    "event explicit extern false finally fixed float for foreach goto help if implicit in int Int16 "
    "UInt16 Int32 UInt32 Int64 UInt64 interface internal is lock long Microsoft namespace new null "
    "object operator out override params private protected public readonly ref return sbyte SByte "
    "sealed short sizeof static string struct System this throw try true typeof uint ulong unchecked "
    "unsafe ushort using virtual void while";
const char kPreprocessorWords[] = "define elif else endif if line undef ifndef pragma defined comment "
                                  "optimize component inline function intrinsic once warning";

constexpr WORD kPlainLine = 0;
constexpr WORD kPreprocessorLine = 1;

} // namespace

CCFormater::CCFormater() {
    SetLanguageHook(TRUE);
    SetCaseSensitive(TRUE);
    SetLineComment("//");
    SetBlockComment("/*", "*/");
    SetQuoteChars("\"'");
    SetEscapeChar('\\');
    SetOperatorChars("+-*/^%&|!~?:<>=,[]()");
    AddKeywords(kKeywords, HHTOKEN_KEYWORD);
    AddWords(m_preprocessor, kPreprocessorWords, HHTOKEN_PREPROCESSOR);
}

WORD CCFormater::LookupPreprocessorWord(const char16_t* word) {
    if (!word) return 0;
    int length = 0;
    while (word[length] != 0)
        ++length;
    return m_preprocessor.Lookup(word, length);
}

WORD CCFormater::ClassifyWord(const char16_t* word, int length, WORD context) {
    if (context != kPlainLine) return m_preprocessor.Lookup(word, length);
    return CHHGenericFormater::ClassifyWord(word, length, context);
}

// '#' at a line start opens a preprocessor line; on such a line "<name>" is a string.
BOOL CCFormater::ScanLanguageToken(const char16_t* text, int count, WORD*, BOOL atLineStart, int& tokenStart,
                                   int& pos, WORD& token, WORD& context) {
    if (!text) return FALSE;
    if (atLineStart) {
        if (text[pos] == '#') {
            context = kPreprocessorLine;
            token = HHTOKEN_PREPROCESSOR;
            ++pos;
            return TRUE;
        }
        context = kPlainLine;
    }
    if (context != kPreprocessorLine || text[pos] != '<') return FALSE;
    tokenStart = pos;
    for (++pos; pos < count; ++pos) {
        if (text[pos] == '\r' || text[pos] == '\n') break;
        if (text[pos] == '>' && text[pos - 1] != '\\') {
            ++pos;
            break;
        }
    }
    token = HHTOKEN_STRING;
    return TRUE;
}

WORD CCFormater::ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) {
    if (ScanHexLiteral(text, count, tokenStart, pos)) return HHTOKEN_NUMBER;
    return CHHGenericFormater::ScanNumber(text, count, tokenStart, pos);
}
