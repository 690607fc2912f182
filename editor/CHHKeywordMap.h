#pragma once
// CHHKeywordMap: a formater's word table, from a word (compared exactly, byte for byte) to its
// token word. Looked up once per identifier while colouring, so lookups take the text's own
// 16-bit characters and allocate nothing.

#include "platform/framework/CString.h"

#include <cstdint>
#include <string>
#include <vector>

class CHHKeywordMap {
public:
    CHHKeywordMap();

    // Inserts the word, or replaces the class of a word already present.
    void SetAt(LPCTSTR word, WORD cls);
    // The class of the word; FALSE when the map does not hold it.
    BOOL Lookup(LPCTSTR word, WORD& cls) const;
    // The class of length 16-bit characters (each taken as its low byte when below 256); 0 when
    // absent. Characters of 256 and above match no stored word.
    WORD Lookup(const char16_t* word, int length) const;

    int GetCount() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    void RemoveAll();
    // Changes whenever a word is set or the table emptied.
    unsigned GetVersion() const { return m_version; }

private:
    struct Slot {
        std::string word;
        WORD cls = 0;
        bool used = false;
    };
    template <class Char> std::size_t find(const Char* word, std::size_t length, std::size_t hash) const;
    void grow();

    std::vector<Slot> m_slots; // open addressing; size is a power of two
    int m_count = 0;
    std::size_t m_longest = 0; // longer words are absent without hashing
    // Quick rejection: the first characters and the lengths (up to 63) of the stored words.
    std::uint64_t m_firstChars[4] = {};
    std::uint64_t m_lengths = 0;
    unsigned m_version = 0;
};
