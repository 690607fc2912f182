// Feeds arbitrary text to the formaters' tokenisers: the first byte chooses the language, the
// rest is the text. Checks that every token word is one of the known ones, that block-comment
// markers lie inside the text in ascending order, and that the expression and keyword-case
// operations stay inside their buffers.
#include "fuzz/formaters_for_fuzz.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr WORD kUntouched = 0xFFFF;

bool knownToken(WORD token) {
    switch (token) {
    case kUntouched:
    case HHTOKEN_DEFAULT:
    case HHTOKEN_KEYWORD:
    case HHTOKEN_COMMENT:
    case HHTOKEN_OPERATOR:
    case HHTOKEN_NUMBER:
    case HHTOKEN_STRING:
    case HHTOKEN_CONSTANT:
    case HHTOKEN_FUNCTION:
    case HHTOKEN_PREPROCESSOR:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    auto formater = formaterFor(data[0]);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::u16string text;
    for (unsigned char c : bytes)
        text.push_back(c);
    if (data[0] & 0x80) text.push_back(0x4e2d); // a character beyond the byte range
    const int count = static_cast<int>(text.size());

    std::vector<WORD> tokens(text.size(), kUntouched);
    formater->ColorizeText(text.data(), count, tokens.data());
    for (WORD token : tokens)
        if (!knownToken(token)) __builtin_trap();
    std::vector<WORD> keywords(text.size(), HHTOKEN_DEFAULT);
    formater->ColorizeKeywords(text.data(), count, keywords.data());

    for (BOOL inComment : {FALSE, TRUE}) {
        CHHCommentMarkerArray markers;
        formater->ScanBlockComments(text.data(), count, markers, inComment);
        for (INT_PTR i = 0; i < markers.GetSize(); ++i) {
            const CHHCommentMarker& m = markers[i];
            if (m.m_nPos < 0 || m.m_nPos + m.m_nLength > count) __builtin_trap();
            if (i > 0 && m.m_nPos < markers[i - 1].m_nPos + markers[i - 1].m_nLength) __builtin_trap();
        }
    }

    const std::string line = bytes.substr(0, bytes.find('\0'));
    for (int pos : {0, static_cast<int>(line.size()) / 2, static_cast<int>(line.size()), -1, 1 << 20}) {
        CHHExpressionInfo info;
        formater->ParseExpressionAt(line.c_str(), pos, info);
        if (info.m_nWordStart > static_cast<int>(line.size()) ||
            info.m_nQualifierStart > static_cast<int>(line.size()))
            __builtin_trap();
    }
    std::string word = line.substr(0, 600);
    for (WORD cls : {HHTOKEN_KEYWORD, HHTOKEN_CONSTANT, HHTOKEN_FUNCTION})
        formater->AdjustWordCase(word.data(), cls);
    return 0;
}
