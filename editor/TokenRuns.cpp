#include "editor/TokenRuns.h"

#include <cstdio>

namespace hh {

std::u16string WidenText(const char* text, std::size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    return std::u16string(bytes, bytes + length);
}

std::vector<WORD> Tokenize(CHHFormater& formater, const char* text, std::size_t length) {
    const std::u16string wide = WidenText(text, length);
    std::vector<WORD> tokens(length, HHTOKEN_DEFAULT);
    formater.ColorizeText(wide.data(), static_cast<int>(length), tokens.data());
    return tokens;
}

std::string TokenWordName(WORD token) {
    switch (token) {
    case HHTOKEN_DEFAULT:
        return "default";
    case HHTOKEN_KEYWORD:
        return "keyword";
    case HHTOKEN_COMMENT:
        return "comment";
    case HHTOKEN_OPERATOR:
        return "operator";
    case HHTOKEN_NUMBER:
        return "number";
    case HHTOKEN_STRING:
        return "string";
    case HHTOKEN_CONSTANT:
        return "constant";
    case HHTOKEN_FUNCTION:
        return "function";
    case HHTOKEN_PREPROCESSOR:
        return "preprocessor";
    case HHTOKEN_USER1:
        return "user1";
    case HHTOKEN_USER2:
        return "user2";
    default: {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%04x", token);
        return buffer;
    }
    }
}

namespace {

void appendEscaped(std::string& out, const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
}

} // namespace

std::string DescribeTokenRuns(const char* text, std::size_t length, const std::vector<WORD>& tokens) {
    std::string out;
    std::size_t start = 0;
    while (start < length && start < tokens.size()) {
        std::size_t end = start + 1;
        while (end < length && end < tokens.size() && tokens[end] == tokens[start])
            ++end;
        char head[64];
        std::snprintf(head, sizeof head, "%zu %zu %s \"", start, end, TokenWordName(tokens[start]).c_str());
        out += head;
        appendEscaped(out, text + start, end - start);
        out += "\"\n";
        start = end;
    }
    return out;
}

} // namespace hh
