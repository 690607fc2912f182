// Edits a long line without a break as typing does and checks that a formater which keeps what it
// learnt of the line gives, after each edit, exactly the tokens and block-comment markers that a new
// formater gives the same text. The first byte chooses the language; the bytes up to the first NUL
// are a piece repeated into a line long enough to be kept; each later group of bytes is an edit:
// two bytes of position (a share of the line), one of characters removed, one of characters
// inserted, then those characters.
#include "fuzz/formaters_for_fuzz.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kLineLength = 6000;
constexpr int kMaxEdits = 24;

std::vector<WORD> tokensOf(CHHGenericFormater& formater, const std::u16string& line) {
    std::vector<WORD> tokens(line.size(), 0);
    formater.ColorizeText(line.data(), static_cast<int>(line.size()), tokens.data());
    return tokens;
}

std::vector<int> markersOf(CHHGenericFormater& formater, const std::u16string& line, BOOL inComment) {
    CHHCommentMarkerArray markers;
    formater.ScanBlockComments(line.data(), static_cast<int>(line.size()), markers, inComment);
    std::vector<int> found;
    for (INT_PTR i = 0; i < markers.GetSize(); ++i) {
        found.push_back(markers[i].m_nPos);
        found.push_back(markers[i].m_nLength);
        found.push_back(markers[i].m_bStart);
    }
    return found;
}

void check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t selector = data[0];
    std::size_t at = 1;
    std::u16string piece;
    while (at < size && data[at] != 0)
        piece.push_back(data[at++]);
    ++at;
    if (piece.empty()) return 0;
    std::u16string line;
    while (line.size() < kLineLength)
        line += piece;

    const auto kept = formaterFor(selector);
    const auto keptInComment = formaterFor(selector);
    tokensOf(*kept, line);
    markersOf(*kept, line, FALSE);
    markersOf(*keptInComment, line, TRUE);
    for (int edit = 0; edit < kMaxEdits && at + 4 <= size; ++edit) {
        const std::size_t share = data[at] | (data[at + 1] << 8);
        const std::size_t pos = line.size() * share / 0x10000;
        const std::size_t removed = std::min<std::size_t>(data[at + 2], line.size() - pos);
        std::size_t inserted = data[at + 3];
        at += 4;
        inserted = std::min(inserted, size - at);
        std::u16string text;
        for (std::size_t i = 0; i < inserted; ++i)
            text.push_back(data[at + i]);
        at += inserted;
        line.replace(pos, removed, text);

        const auto fresh = formaterFor(selector);
        check(tokensOf(*kept, line) == tokensOf(*fresh, line));
        check(markersOf(*kept, line, FALSE) == markersOf(*fresh, line, FALSE));
        check(markersOf(*keptInComment, line, TRUE) == markersOf(*formaterFor(selector), line, TRUE));
    }
    return 0;
}
