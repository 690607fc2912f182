#pragma once
// CCFormater: a C-family language - preprocessor lines ('#' at a line start) with their own
// word table, names in angle brackets on those lines as strings, both quote characters.

#include "editor/CHHGenericFormater.h"

class CCFormater : public CHHGenericFormater {
    DECLARE_DYNCREATE(CCFormater)
public:
    CCFormater();

    WORD ClassifyWord(const char16_t* word, int length, WORD context) override;
    BOOL ScanLanguageToken(const char16_t* text, int count, WORD* tokens, BOOL atLineStart, int& tokenStart,
                           int& pos, WORD& token, WORD& context) override;
    WORD ScanNumber(const char16_t* text, int count, int& tokenStart, int& pos) override;

    // The preprocessor words' table, used on preprocessor lines.
    void AddPreprocessorWord(LPCTSTR word, WORD cls) { m_preprocessor.SetAt(word, cls); }
    WORD LookupPreprocessorWord(const char16_t* word);

private:
    CHHKeywordMap m_preprocessor;
};
