#pragma once
// CHHFormater: what an edit control needs to know about one programming language - comment
// markers, the tokeniser that gives every character a token word (HHTokenWords.h), keyword case,
// the expression at a position, code templates and the built-in functions. Abstract; see
// CHHGenericFormater for the table-driven implementation the languages derive from.

#include "editor/CHHCommentMarker.h"
#include "editor/CHHExpressionInfo.h"
#include "editor/HHTokenWords.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"
#include "platform/framework/CArray.h"

// A variant type number, as the COM layer defines it.
typedef unsigned short VARTYPE;

class CHHFormater : public CObject {
    DECLARE_DYNAMIC(CHHFormater)
public:
    ~CHHFormater() override = default;

    virtual BOOL IsCaseSensitive() = 0;
    virtual CString GetLineComment() = 0;
    virtual CString GetLineComment2() = 0;
    virtual CString GetBlockCommentStart() = 0;
    virtual CString GetBlockCommentEnd() = 0;

    // Writes one token word per character of text[0, count). Whitespace before a token keeps the
    // value the caller put there, so callers pass an array of zeros.
    virtual void ColorizeText(const char16_t* text, int count, WORD* tokens) = 0;
    // Classes the words whose token words are still 0 in an array another component filled.
    virtual void ColorizeKeywords(const char16_t* text, int count, WORD* tokens) = 0;
    // Appends a record per block-comment marker of text[0, count), positions relative to text.
    // With inComment the text starts inside a block comment (a rescan of lines within one).
    virtual void ScanBlockComments(const char16_t* text, int count, CHHCommentMarkerArray& markers,
                                   BOOL inComment = FALSE) = 0;
    // The class of a NUL-terminated word, looked up exactly; 0 when absent.
    virtual WORD LookupWord(const char16_t* word) = 0;
    // Rewrites the NUL-terminated word in the letter case of the language; TRUE when it changed.
    virtual BOOL AdjustWordCase(LPTSTR word, WORD cls) = 0;

    // Code templates: a procedure head, an event handler head and a procedure's closing line.
    virtual CString FormatProcedure(LPCTSTR name, LPCTSTR params, VARTYPE type) = 0;
    virtual CString FormatEventHandler(LPCTSTR object, LPCTSTR event, LPCTSTR params, VARTYPE type) = 0;
    virtual CString FormatProcedureEnd(LPCTSTR name, LPCTSTR params, VARTYPE type) = 0;
    // One parameter of a procedure head.
    virtual CString FormatParameter(LPCTSTR name, VARTYPE type, BOOL byVal, BOOL optional, BOOL withType) = 0;
    virtual CString GetTypeName(VARTYPE type) = 0;

    // The word at pos in a line and the qualifier before it; FALSE inside a comment or when both
    // are empty.
    virtual BOOL ParseExpressionAt(LPCTSTR line, int pos, CHHExpressionInfo& info) = 0;
    // The built-in function names, in the order they were added.
    virtual void GetFunctionList(CStringArray& names) = 0;
    virtual CString GetFunctionSignature(LPCTSTR name) = 0;

    // Tokeniser steps a language may replace. ClassifyWord gets a word of length characters (not
    // NUL-terminated), already upper-cased when the language ignores case; context is the
    // language's own per-line state.
    virtual WORD ClassifyWord(const char16_t* word, int length, WORD context) = 0;
    // Offered every token position when the language hook is on; TRUE when it took a token
    // [tokenStart, pos) of word token. Called with a null text before and after a text.
    virtual BOOL ScanLanguageToken(const char16_t* text, int count, WORD* tokens, BOOL atLineStart,
                                   int& tokenStart, int& pos, WORD& token, WORD& context) = 0;
    // Scans the number at pos: sets tokenStart, advances pos, answers the token word.
    virtual WORD ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) = 0;

    // Counts the texts given to ColorizeText and ScanBlockComments so far; read after a call, it
    // names that call in a hint. 0 when the formater takes no hints.
    virtual unsigned GetTextCount() { return 0; }
    // The text given to the next ColorizeText or ScanBlockComments equals the text of the call
    // named after, but for the characters from head to tail characters before its end: a
    // formater that kept that text need not compare the two.
    virtual void HintChange(unsigned /*after*/, int /*head*/, int /*tail*/) {}
    // Given after HintChange: the caller of the next ColorizeText reads only the tokens written
    // again and those of [from, to), so a formater that takes the hint need write no others.
    // True when taken: the tokens are then not zeroed, and the formater writes every token it
    // reports written, a space's included.
    virtual bool HintTokensRead(int /*from*/, int /*to*/) { return false; }
    // After a ColorizeText that took both hints: true, with the stretch it tokenised again, outside
    // which its tokens are those of the call the hint named, moved with the change. False when it
    // wrote all the tokens.
    virtual bool GetRetokenised(int& /*from*/, int& /*to*/) { return false; }
};
