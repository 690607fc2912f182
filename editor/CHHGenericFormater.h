#pragma once
// CHHGenericFormater: every formater operation driven by data - comment markers, quote, escape,
// operator, word and number-start characters, the keyword map, templates and the built-in
// functions. Empty after construction; a language fills it in its constructor.

#include "editor/CHHFormater.h"
#include "editor/CHHKeywordMap.h"
#include "editor/KeptText.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CHHGenericFormater : public CHHFormater {
    DECLARE_DYNCREATE(CHHGenericFormater)
public:
    CHHGenericFormater();

    BOOL IsCaseSensitive() override { return m_bCaseSensitive; }
    CString GetLineComment() override { return m_strLineComment; }
    CString GetLineComment2() override { return m_strLineComment2; }
    CString GetBlockCommentStart() override { return m_strBlockStart; }
    CString GetBlockCommentEnd() override { return m_strBlockEnd; }

    void ColorizeText(const char16_t* text, int count, WORD* tokens) override;
    void ColorizeKeywords(const char16_t* text, int count, WORD* tokens) override;
    void ScanBlockComments(const char16_t* text, int count, CHHCommentMarkerArray& markers,
                           BOOL inComment = FALSE) override;
    WORD LookupWord(const char16_t* word) override;
    BOOL AdjustWordCase(LPTSTR word, WORD cls) override;

    CString FormatProcedure(LPCTSTR name, LPCTSTR params, VARTYPE type) override;
    CString FormatEventHandler(LPCTSTR object, LPCTSTR event, LPCTSTR params, VARTYPE type) override;
    CString FormatProcedureEnd(LPCTSTR name, LPCTSTR params, VARTYPE type) override;
    CString FormatParameter(LPCTSTR name, VARTYPE type, BOOL byVal, BOOL optional, BOOL withType) override;
    CString GetTypeName(VARTYPE type) override;

    BOOL ParseExpressionAt(LPCTSTR line, int pos, CHHExpressionInfo& info) override;
    void GetFunctionList(CStringArray& names) override;
    CString GetFunctionSignature(LPCTSTR name) override;

    WORD ClassifyWord(const char16_t* word, int length, WORD context) override;
    BOOL ScanLanguageToken(const char16_t* text, int count, WORD* tokens, BOOL atLineStart, int& tokenStart,
                           int& pos, WORD& token, WORD& context) override;
    WORD ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) override;
    unsigned GetTextCount() override { return m_texts; }
    void HintChange(unsigned after, int head, int tail) override { m_hint = Hint{after, head, tail}; }
    bool HintTokensRead(int from, int to) override {
        m_hint.readOnly = true;
        m_hint.readFrom = from;
        m_hint.readTo = to;
        return true;
    }
    bool GetRetokenised(int& from, int& to) override;

    // The language's data.
    void SetCaseSensitive(BOOL caseSensitive);
    void SetLineComment(LPCTSTR marker);
    void SetLineComment2(LPCTSTR marker);
    void SetBlockComment(LPCTSTR start, LPCTSTR end);
    void SetQuoteChars(LPCTSTR chars);
    void SetEscapeChar(char escape);
    // Whether an escape character also escapes another one, so that a quote after an even run of
    // escapes closes the string (off: a quote right after any escape stays inside).
    void SetEscapesPair(BOOL pair) {
        m_bEscapesPair = pair;
        forgetLongLines();
    }
    void SetOperatorChars(LPCTSTR chars);
    void SetWordChars(LPCTSTR chars);
    void SetNumberStartChars(LPCTSTR chars);
    void SetProcedureTemplate(LPCTSTR text) { m_strProcedure = text; }
    void SetEventHandlerTemplate(LPCTSTR text) { m_strEventHandler = text; }
    void SetProcedureEndTemplate(LPCTSTR text) { m_strProcedureEnd = text; }
    void SetFunctionTemplate(LPCTSTR text) { m_strFunction = text; }
    void SetEventFunctionTemplate(LPCTSTR text) { m_strEventFunction = text; }
    void SetFunctionEndTemplate(LPCTSTR text) { m_strFunctionEnd = text; }
    CString GetQuoteChars() const { return m_strQuoteChars; }
    char GetEscapeChar() const { return m_chEscape; }
    CString GetOperatorChars() const { return m_strOperatorChars; }
    CString GetWordChars() const { return m_strWordChars; }
    CString GetNumberStartChars() const { return m_strNumberStartChars; }

    // Inserts a word with its token word, or replaces the class of a word already present. The
    // word is stored as given: a formater that ignores case wants upper-case words.
    void AddKeyword(LPCTSTR word, WORD cls) { m_keywords.SetAt(word, cls); }
    // Adds a built-in function: its name to the function list and its signature.
    void AddFunction(LPCTSTR name, LPCTSTR signature);
    // The word table itself, for callers that fill it directly.
    CHHKeywordMap& GetKeywordMap() { return m_keywords; }

    // Whether marker matches text: the first n characters for n > 0, the whole strings for n < 0;
    // ignoring letter case when the formater does. FALSE for null pointers or n == 0.
    BOOL MatchText(const char16_t* text, const char16_t* marker, int n) const;

protected:
    // Adds each word of a list separated by single blanks.
    void AddKeywords(LPCTSTR words, WORD cls) { AddWords(m_keywords, words, cls); }
    static void AddWords(CHHKeywordMap& map, LPCTSTR words, WORD cls);
    // The "0x" hexadecimal form of JavaScript and C: [tokenStart, pos) when it is one.
    static BOOL ScanHexLiteral(const char16_t* text, int count, int& tokenStart, int& pos);
    // Letters, digits, '_' and the extra word characters.
    bool IsWordChar(char16_t c) const;
    bool IsWordStart(char16_t c) const;

    // Character flags, per character below 256, rebuilt when the language's data changes.
    enum : unsigned char {
        kSpace = 1,
        kWordStart = 2,
        kWordPart = 4,
        kNumberStart = 8,
        kQuote = 16,
        kOperator = 32,
        kMarker = 64, // first character of a comment marker (either case when case is ignored)
        kLineEnd = 128,
    };
    unsigned char Flags(char16_t c) const {
        return c < 256 ? m_flags[c] : static_cast<unsigned char>(kWordStart | kWordPart);
    }

private:
    // The last line of kLongLine characters or more without a line break that was tokenised: its
    // text, its tokens and where each step of the tokeniser began. The same line after an edit is
    // tokenised again only from such a step before the edit to the first one after it that the
    // last tokenising also took: the language has no state across tokens, so all else stays.
    // Callers pass zeros, so the whitespace kept from the last tokens is what they would keep.
    struct LongLine {
        hh::KeptText text;
        std::vector<WORD> tokens;
        std::vector<unsigned char> steps; // 1 where a step began
        unsigned keywords = 0;            // the keyword table's version
        unsigned call = 0;                // the text count of the call that left it
    };
    // The same for the last long line scanned for block-comment markers: the markers it found.
    struct LongScan {
        hh::KeptText text;
        std::vector<CHHCommentMarker> markers;
        std::vector<unsigned char> steps;
        BOOL inComment = FALSE;
        unsigned call = 0;
    };
    // What HintChange told of the text of the call under way.
    struct Hint {
        unsigned after = 0;
        int head = 0;
        int tail = 0;
        bool readOnly = false; // the caller reads only what is written again and [readFrom, readTo)
        int readFrom = 0;
        int readTo = 0;
    };
    // The hint for a text kept by the call counted kept, taken once: null when it names another.
    const Hint* takeHint(unsigned kept);
    void rebuildFlags();
    // The language's data changed: what was kept of long lines no longer holds.
    void forgetLongLines() {
        m_longLine = LongLine();
        m_longScan = LongScan();
    }
    // Tokenises text from pos, the start of a step, marking each step in steps when given; stops
    // at count, or from resyncFrom on at a step of the last tokenising. Answers where it stopped.
    int scanTokens(const char16_t* text, int count, WORD* tokens, int pos, WORD& token, WORD& context,
                   unsigned char* steps, int resyncFrom);
    // Whether a comment marker is shorter than the distance kept between an edit and the step a
    // tokenising of it starts from.
    bool markersWithinLookahead() const;
    void tokeniseWhole(const char16_t* text, int count, WORD* tokens, WORD& token, WORD& context);
    bool retokeniseLongLine(const char16_t* text, int count, WORD* tokens, WORD& token, WORD& context);
    // Scans text for block-comment markers from pos, outside any comment or string, as
    // scanTokens does for tokens.
    int scanMarkers(const char16_t* text, int count, int pos, std::vector<CHHCommentMarker>& found,
                    unsigned char* steps, int resyncFrom) const;
    void scanWhole(const char16_t* text, int count, BOOL inComment, std::vector<CHHCommentMarker>& found);
    bool rescanLongLine(const char16_t* text, int count, BOOL inComment,
                        std::vector<CHHCommentMarker>& found);
    int matchedMarkerEnd(const char16_t* text, int count, int pos, const std::u16string& marker) const;
    int lineCommentAt(const char16_t* text, int count, int pos) const;
    int lineCommentEnd(const char16_t* text, int count, int pos) const;
    int blockCommentEnd(const char16_t* text, int count, int pos) const;
    int stringEnd(const char16_t* text, int count, int pos) const;
    int wordEnd(const char16_t* text, int count, int pos) const;
    int skipQuoted(const char16_t* text, int count, int pos) const;
    int scanToBlockEnd(const char16_t* text, int count, int pos, std::vector<CHHCommentMarker>& found) const;
    WORD classifyWordAt(const char16_t* text, int start, int end, WORD context);

    BOOL m_bLanguageHook = FALSE;
    BOOL m_bCaseSensitive = FALSE;
    CString m_strLineComment;
    CString m_strLineComment2;
    CString m_strBlockStart;
    CString m_strBlockEnd;
    CString m_strQuoteChars;
    char m_chEscape = 0;
    BOOL m_bEscapesPair = FALSE;
    CString m_strOperatorChars;
    CString m_strWordChars;
    CString m_strNumberStartChars;
    CHHKeywordMap m_keywords;
    CString m_strProcedure;
    CString m_strEventHandler;
    CString m_strProcedureEnd;
    CString m_strFunction;
    CString m_strEventFunction;
    CString m_strFunctionEnd;
    CStringArray m_functionNames;
    std::unordered_map<std::string, CString> m_signatures;

    // The markers as 16-bit strings and the character flags, kept in step with the fields above.
    std::u16string m_lineComment;
    std::u16string m_lineComment2;
    std::u16string m_blockStart;
    std::u16string m_blockEnd;
    unsigned char m_flags[256] = {};
    LongLine m_longLine;
    LongScan m_longScan;
    unsigned m_texts = 0;
    Hint m_hint;
    Hint m_taken;
    // What the last ColorizeText wrote, when not all its tokens (first -1 otherwise).
    std::pair<int, int> m_retokenised{-1, -1};

protected:
    void SetLanguageHook(BOOL on) {
        m_bLanguageHook = on;
        forgetLongLines();
    }
};
