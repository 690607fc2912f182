#include "editor/CHHKeywordMap.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::size_t kInitialSlots = 64;

// Hashes the length and the first, middle and last characters: cheap for the tokeniser, which
// looks up every identifier, and spread well enough for word tables.
template <class Char> std::size_t hashWord(const Char* word, std::size_t length) {
    std::uint64_t h = length * 0x9E3779B97F4A7C15ull;
    if (length > 0) {
        using U = std::make_unsigned_t<Char>;
        h ^= static_cast<std::uint64_t>(static_cast<U>(word[0])) |
             static_cast<std::uint64_t>(static_cast<U>(word[length / 2])) << 16 |
             static_cast<std::uint64_t>(static_cast<U>(word[length - 1])) << 32;
    }
    h *= 0xff51afd7ed558ccdull;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

template <class Char> bool sameWord(const char* stored, const Char* word, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(stored[i]) != static_cast<std::make_unsigned_t<Char>>(word[i]))
            return false;
    }
    return true;
}

} // namespace

CHHKeywordMap::CHHKeywordMap() : m_slots(kInitialSlots) {}

void CHHKeywordMap::RemoveAll() {
    ++m_version;
    m_slots.assign(kInitialSlots, Slot());
    m_count = 0;
    m_longest = 0;
    m_lengths = 0;
    for (std::uint64_t& bits : m_firstChars)
        bits = 0;
}

template <class Char>
std::size_t CHHKeywordMap::find(const Char* word, std::size_t length, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (!slot.used) return i;
        if (slot.word.size() == length && sameWord(slot.word.data(), word, length)) return i;
    }
}

void CHHKeywordMap::grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    for (Slot& slot : old) {
        if (!slot.used) continue;
        const std::size_t h = hashWord(slot.word.data(), slot.word.size());
        m_slots[find(slot.word.data(), slot.word.size(), h)] = std::move(slot);
    }
}

void CHHKeywordMap::SetAt(LPCTSTR word, WORD cls) {
    if (!word) return;
    ++m_version;
    if (static_cast<std::size_t>(m_count + 1) * 2 > m_slots.size()) grow();
    const std::size_t length = std::strlen(word);
    Slot& slot = m_slots[find(word, length, hashWord(word, length))];
    if (!slot.used) {
        slot.used = true;
        slot.word.assign(word, length);
        ++m_count;
        if (length > m_longest) m_longest = length;
        m_lengths |= std::uint64_t(1) << std::min<std::size_t>(length, 63);
        if (length > 0) {
            const unsigned char first = static_cast<unsigned char>(word[0]);
            m_firstChars[first >> 6] |= std::uint64_t(1) << (first & 63);
        }
    }
    slot.cls = cls;
}

BOOL CHHKeywordMap::Lookup(LPCTSTR word, WORD& cls) const {
    if (!word) return FALSE;
    const std::size_t length = std::strlen(word);
    if (length > m_longest) return FALSE;
    const Slot& slot = m_slots[find(word, length, hashWord(word, length))];
    if (!slot.used) return FALSE;
    cls = slot.cls;
    return TRUE;
}

WORD CHHKeywordMap::Lookup(const char16_t* word, int length) const {
    if (!word || length < 0 || static_cast<std::size_t>(length) > m_longest) return 0;
    if (!(m_lengths >> std::min(length, 63) & 1)) return 0;
    if (length > 0 && (word[0] > 0xFF || !(m_firstChars[word[0] >> 6] >> (word[0] & 63) & 1))) return 0;
    const std::size_t n = static_cast<std::size_t>(length);
    const Slot& slot = m_slots[find(word, n, hashWord(word, n))];
    return slot.used ? slot.cls : 0;
}
