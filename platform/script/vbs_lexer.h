#pragma once
// Splits VBScript source (UTF-8 bytes) into tokens with zero-based line and byte column. Comments
// and line continuations are dropped; ':' and line ends are separate tokens.

#include "platform/script/vbs_value.h"

#include <memory>
#include <string>
#include <vector>

namespace pm::vbs {

enum class Tok : unsigned char {
    Ident,
    Number,
    String,
    Date,
    LParen,
    RParen,
    Comma,
    Dot,
    Colon,
    Newline,
    End,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge
};

struct Token {
    Tok kind = Tok::End;
    bool spaceBefore = false;
    int line = 0;
    int col = 0;
    std::string text;  // identifier as written; string literal's value
    std::string lower; // identifier in lower case
    Value value;       // number and date literals
};

// Reads a text one line at a time (a line continued with " _" counts as one), so that only the
// tokens of the current line are held.
class Lexer {
public:
    explicit Lexer(const std::string& source); // the text must outlive the lexer
    ~Lexer();
    // The tokens of the next line, ending with Newline, or with End at the end of the text.
    // Throws ScriptError (compile) at an invalid character or an unterminated string.
    void nextLine(std::vector<Token>& out);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

// Tokenises the whole text; throws ScriptError (compile) at the first invalid character or
// unterminated string.
std::vector<Token> tokenize(const std::string& source);

} // namespace pm::vbs
