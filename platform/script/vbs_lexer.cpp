// The VBScript tokeniser.

#include "platform/script/vbs_lexer.h"

#include <cmath>

namespace pm::vbs {

namespace {

bool isIdentStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isIdentChar(unsigned char c) {
    return isIdentStart(c) || (c >= '0' && c <= '9') || c == '_';
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

} // namespace

class Lexer::Impl {
public:
    explicit Impl(const std::string& s) : m_s(s) {}

    void nextLine(std::vector<Token>& out) {
        out.clear();
        while (true) {
            bool space = skipBlanks();
            if (m_pos >= m_s.size()) break;
            Token t;
            t.spaceBefore = space;
            t.line = m_line;
            t.col = static_cast<int>(m_pos - m_lineStart);
            if (!scan(t)) continue;
            out.push_back(std::move(t));
            if (out.back().kind == Tok::Newline) return;
        }
        Token end;
        end.line = m_line;
        end.col = static_cast<int>(m_pos - m_lineStart);
        out.push_back(std::move(end));
    }

private:
    [[noreturn]] void fail(int number, int col) {
        ScriptError e(number);
        e.compile = true;
        e.pos.line = m_line;
        e.pos.col = col;
        throw e;
    }

    char peek(size_t ahead = 0) const { return m_pos + ahead < m_s.size() ? m_s[m_pos + ahead] : '\0'; }

    void newLine() {
        if (m_s[m_pos] == '\r' && peek(1) == '\n') ++m_pos;
        ++m_pos;
        ++m_line;
        m_lineStart = m_pos;
    }

    // Skips blanks and line continuations ("_" at the end of a line); true when anything was skipped.
    bool skipBlanks() {
        bool any = false;
        while (m_pos < m_s.size()) {
            char c = m_s[m_pos];
            if (c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\0') {
                ++m_pos;
                any = true;
            } else if (c == '_' && continuationFollows()) {
                ++m_pos;
                while (m_s[m_pos] == ' ' || m_s[m_pos] == '\t')
                    ++m_pos;
                newLine();
                any = true;
            } else {
                break;
            }
        }
        return any;
    }

    bool continuationFollows() const {
        size_t p = m_pos + 1;
        while (p < m_s.size() && (m_s[p] == ' ' || m_s[p] == '\t'))
            ++p;
        return p < m_s.size() && (m_s[p] == '\r' || m_s[p] == '\n');
    }

    void skipComment() {
        while (m_pos < m_s.size() && m_s[m_pos] != '\r' && m_s[m_pos] != '\n')
            ++m_pos;
    }

    // Scans one token into t; false when the text scanned was a comment.
    bool scan(Token& t) {
        unsigned char c = static_cast<unsigned char>(m_s[m_pos]);
        if (c == '\r' || c == '\n') {
            t.kind = Tok::Newline;
            newLine();
            return true;
        }
        if (c == '\'') {
            skipComment();
            return false;
        }
        if (isIdentStart(c)) return identifier(t);
        if (c == '[') return bracketIdentifier(t);
        if (isDigit(c) || (c == '.' && isDigit(static_cast<unsigned char>(peek(1))))) return number(t);
        if (c == '&' && (peek(1) == 'h' || peek(1) == 'H' || peek(1) == 'o' || peek(1) == 'O'))
            return radixNumber(t);
        if (c == '"') return stringLiteral(t);
        if (c == '#') return dateLiteral(t);
        return punctuation(t, c);
    }

    bool identifier(Token& t) {
        size_t start = m_pos;
        while (m_pos < m_s.size() && isIdentChar(static_cast<unsigned char>(m_s[m_pos])))
            ++m_pos;
        t.kind = Tok::Ident;
        t.text = m_s.substr(start, m_pos - start);
        if (t.text.size() > 255) fail(1030, t.col);
        t.lower = lowerCase(t.text);
        if (t.lower == "rem") {
            skipComment();
            return false;
        }
        return true;
    }

    bool bracketIdentifier(Token& t) {
        size_t start = ++m_pos;
        while (m_pos < m_s.size() && m_s[m_pos] != ']' && m_s[m_pos] != '\r' && m_s[m_pos] != '\n')
            ++m_pos;
        if (peek() != ']') fail(1007, static_cast<int>(m_pos - m_lineStart));
        t.kind = Tok::Ident;
        t.text = m_s.substr(start, m_pos - start);
        t.lower = lowerCase(t.text);
        ++m_pos;
        return true;
    }

    bool number(Token& t) {
        size_t start = m_pos;
        bool isFloat = false;
        while (isDigit(static_cast<unsigned char>(peek())))
            ++m_pos;
        if (peek() == '.') {
            isFloat = true;
            ++m_pos;
            while (isDigit(static_cast<unsigned char>(peek())))
                ++m_pos;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(static_cast<unsigned char>(peek(1))) ||
             ((peek(1) == '+' || peek(1) == '-') && isDigit(static_cast<unsigned char>(peek(2)))))) {
            isFloat = true;
            m_pos += 2;
            while (isDigit(static_cast<unsigned char>(peek())))
                ++m_pos;
        }
        if (isIdentStart(static_cast<unsigned char>(peek())))
            fail(kExpectedEndOfStatement, static_cast<int>(m_pos - m_lineStart));
        t.kind = Tok::Number;
        double d = std::strtod(m_s.substr(start, m_pos - start).c_str(), nullptr);
        if (!std::isfinite(d)) fail(kInvalidNumber, t.col);
        if (!isFloat && d <= 32767)
            t.value = Value::integer(static_cast<int32_t>(d));
        else if (!isFloat && d <= 2147483647.0)
            t.value = Value::longInt(static_cast<int32_t>(d));
        else
            t.value = Value::dbl(d);
        return true;
    }

    bool radixNumber(Token& t) {
        int radix = (peek(1) == 'h' || peek(1) == 'H') ? 16 : 8;
        m_pos += 2;
        uint64_t v = 0;
        size_t digits = 0;
        while (m_pos < m_s.size()) {
            char c = m_s[m_pos];
            int d = isDigit(static_cast<unsigned char>(c)) ? c - '0'
                    : (c >= 'a' && c <= 'f')               ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F')               ? c - 'A' + 10
                                                           : 99;
            if (d >= radix) break;
            v = v * radix + d;
            if (v > 0xFFFFFFFFULL) fail(kInvalidNumber, t.col);
            ++m_pos;
            ++digits;
        }
        if (digits == 0) fail(kInvalidNumber, t.col);
        bool longSuffix = peek() == '&';
        if (longSuffix) ++m_pos;
        t.kind = Tok::Number;
        if (!longSuffix && v <= 0xFFFF)
            t.value = Value::integer(static_cast<int16_t>(v));
        else
            t.value = Value::longInt(static_cast<int32_t>(static_cast<uint32_t>(v)));
        return true;
    }

    bool stringLiteral(Token& t) {
        ++m_pos;
        std::string text;
        while (true) {
            if (m_pos >= m_s.size() || m_s[m_pos] == '\r' || m_s[m_pos] == '\n')
                fail(kUnterminatedString, static_cast<int>(m_pos - m_lineStart));
            char c = m_s[m_pos++];
            if (c == '"') {
                if (peek() != '"') break;
                ++m_pos;
            }
            text += c;
        }
        t.kind = Tok::String;
        t.text = std::move(text);
        return true;
    }

    bool dateLiteral(Token& t) {
        size_t start = ++m_pos;
        while (m_pos < m_s.size() && m_s[m_pos] != '#' && m_s[m_pos] != '\r' && m_s[m_pos] != '\n')
            ++m_pos;
        if (peek() != '#') fail(kSyntaxError, t.col);
        DATE d;
        if (!parseDate(m_s.substr(start, m_pos - start), d)) fail(kSyntaxError, t.col);
        ++m_pos;
        t.kind = Tok::Date;
        t.value = Value::date(d);
        return true;
    }

    bool punctuation(Token& t, unsigned char c) {
        ++m_pos;
        switch (c) {
        case '(':
            t.kind = Tok::LParen;
            return true;
        case ')':
            t.kind = Tok::RParen;
            return true;
        case ',':
            t.kind = Tok::Comma;
            return true;
        case '.':
            t.kind = Tok::Dot;
            return true;
        case ':':
            t.kind = Tok::Colon;
            return true;
        case '+':
            t.kind = Tok::Plus;
            return true;
        case '-':
            t.kind = Tok::Minus;
            return true;
        case '*':
            t.kind = Tok::Star;
            return true;
        case '/':
            t.kind = Tok::Slash;
            return true;
        case '\\':
            t.kind = Tok::Backslash;
            return true;
        case '^':
            t.kind = Tok::Caret;
            return true;
        case '&':
            t.kind = Tok::Amp;
            return true;
        case '=':
            t.kind = Tok::Eq;
            return true;
        case '<':
            if (peek() == '>') return ++m_pos, t.kind = Tok::Ne, true;
            if (peek() == '=') return ++m_pos, t.kind = Tok::Le, true;
            t.kind = Tok::Lt;
            return true;
        case '>':
            if (peek() == '=') return ++m_pos, t.kind = Tok::Ge, true;
            t.kind = Tok::Gt;
            return true;
        default:
            fail(kInvalidCharacter, t.col);
        }
    }

    const std::string& m_s;
    size_t m_pos = 0;
    size_t m_lineStart = 0;
    int m_line = 0;
};

Lexer::Lexer(const std::string& source) : m_impl(std::make_unique<Impl>(source)) {}
Lexer::~Lexer() = default;
void Lexer::nextLine(std::vector<Token>& out) {
    m_impl->nextLine(out);
}

std::vector<Token> tokenize(const std::string& source) {
    Lexer lexer(source);
    std::vector<Token> all, line;
    do {
        lexer.nextLine(line);
        for (Token& t : line)
            all.push_back(std::move(t));
    } while (all.back().kind != Tok::End);
    return all;
}

} // namespace pm::vbs
