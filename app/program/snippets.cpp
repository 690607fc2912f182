// The snippet texts and where the selection goes after each.

#include "app/program/snippets.h"

#include "app/program/resource_ids.h"

#include <iterator>

namespace {

struct TagSnippet {
    unsigned id;
    const char* open;
    const char* close;
};

const TagSnippet kTags[] = {
    {ID_HTML_BOLD, "B", "B"},
    {ID_HTML_ITALIC, "I", "I"},
    {ID_HTML_UNDERLINE, "U", "U"},
    {ID_HTML_H1, "H1", "H1"},
    {ID_HTML_H2, "H2", "H2"},
    {ID_HTML_H3, "H3", "H3"},
    {ID_HTML_PARAGRAPH, "P", "P"},
    {ID_HTML_PRE, "PRE", "PRE"},
    {ID_HTML_LEFT, "DIV ALIGN=\"left\"", "DIV"},
    {ID_HTML_CENTER, "CENTER", "CENTER"},
    {ID_HTML_RIGHT, "DIV ALIGN=\"right\"", "DIV"},
};

// A block: every "%s" of the format is filled with the indent; the caret goes to offset from the
// start, or one character before the end when offset is negative.
struct BlockSnippet {
    unsigned id;
    const char* format;
    long offset;
};

const BlockSnippet kBlocks[] = {
    {ID_JS_IF, "if()\r\n%s{\r\n%s\r\n%s}", 3},
    {ID_JS_IF_ELSE, "if()\r\n%s{\r\n%s\r\n%s}\r\n%selse\r\n%s{\r\n%s\r\n%s}", 3},
    {ID_JS_FOR, "for()\r\n%s{\r\n%s\r\n%s}\r\n", 4},
    {ID_JS_WHILE, "while()\r\n%s{\r\n%s\r\n%s}", 6},
    {ID_JS_DO_WHILE, "do\r\n%s{\r\n%s\r\n%s}while()", -1},
    {ID_JS_SWITCH,
     "switch()\r\n%s{\r\n%scase :\r\n%s\tbreak;\r\n%scase :\r\n%s\tbreak;\r\n%scase :\r\n%s\tbreak;\r\n%s}",
     7},
    {ID_JS_SCRIPT, "\r\n<SCRIPT LANGUAGE = JavaScript>\r\n<!--\r\n\r\n\r\n//-->\r\n</SCRIPT>\r\n", 40},
};

struct PlainSnippet {
    unsigned id;
    const char* text;
};

const PlainSnippet kPlain[] = {
    {ID_HTML_LINE_BREAK, "<BR>"},
    {ID_HTML_RULE, "<HR>"},
    {ID_OP_EQUAL, "=="},
    {ID_OP_LESS, "<"},
    {ID_OP_GREATER, ">"},
    {ID_OP_LESS_EQUAL, "<="},
    {ID_OP_GREATER_EQUAL, ">="},
    {ID_OP_NOT_EQUAL, "!="},
    {ID_OP_NOT_LESS, "!<"},
    {ID_OP_NOT_GREATER, "!>"},
    {ID_OP_AND, "&&"},
    {ID_OP_OR, "||"},
};

const PlainSnippet kMembers[] = {
    // Date
    {33011, ".setMonth();"},
    {33012, ".setHours();"},
    {33013, ".setMinutes();"},
    {33014, ".setSeconds();"},
    {33075, ".getDate();"},
    {33076, ".getYear();"},
    {33077, ".getMonth();"},
    {33078, ".getHours();"},
    {33079, ".getMinutes();"},
    {33080, ".getSeconds();"},
    {33081, ".getTime();"},
    {33082, ".setYear();"},
    {33083, ".setDate();"},
    // Math
    {33015, "Math.E"},
    {33016, "Math.LN10"},
    {33017, "Math.SQRT1_2"},
    {33018, "Math.SQRT2"},
    {33019, "Math.PI"},
    {33020, "Math.ceil();"},
    {33021, "Math.floor();"},
    {33022, "Math.round();"},
    {33023, "Math.random();"},
    {33024, "Math.min(,);"},
    {33025, "Math.max(,);"},
    {33026, "Math.pow(,);"},
    {33027, "Math.sin();"},
    {33028, "Math.asin();"},
    {33029, "Math.cos();"},
    {33030, "Math.acos();"},
    {33031, "Math.tan();"},
    {33032, "Math.atan();"},
    {33045, "Math.sqrt();"},
    {33047, "Math.LN"},
    // String
    {33033, ".blink();"},
    {33034, ".fontColor();"},
    {33035, ".lastindexof(,);"},
    {33036, ".substring (,);"},
    {33037, ".toUpperCase();"},
    {33038, ".toLowerCase();"},
    {33048, ".length"},
    {33049, ".anchor();"},
    {33050, ".link();"},
    {33051, ".big();"},
    {33052, ".small();"},
    {33053, ".bold();"},
    {33054, ".italics();"},
    {33055, ".strike();"},
    {33056, ".sub();"},
    {33057, ".sup();"},
    {33058, ".fontSize();"},
    {33059, ".charAt();"},
    {33060, ".indexof (,);"},
    // Window and frame
    {33061, ".name"},
    {33062, "alert();"},
    {33063, "close();"},
    {33064, "confirm();"},
    {33065, "setTimeout(,);"},
    {33066, "prompt();"},
    // Document
    {33039, "document.clear();"},
    {33040, "document.close();"},
    {33041, "document.writleln();"},
    {33046, "document.write();"},
    // Events
    {33042, "onChange="},
    {33043, "onMouseout="},
    {33044, "onMouseover="},
    {33068, "onBlur="},
    {33069, "onClick="},
    {33070, "onFocus="},
    {33071, "onLoad="},
    {33072, "onSelect="},
    {33073, "onSubmit="},
    {33074, "onUnload="},
};

template <typename Entry, size_t N> const Entry* find(const Entry (&table)[N], unsigned id) {
    for (const Entry& entry : table)
        if (entry.id == id) return &entry;
    return nullptr;
}

long length(const std::string& text) {
    return static_cast<long>(text.size());
}

// The format with its "%s" places filled in order: the first with first, the others with rest.
std::string fill(const char* format, const std::string& first, const std::string& rest) {
    std::string out;
    bool firstPlace = true;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += firstPlace ? first : rest;
            firstPlace = false;
            ++p;
            continue;
        }
        out += *p;
    }
    return out;
}

SnippetInsertion caretAt(std::string text, long caret) {
    return SnippetInsertion{std::move(text), caret, caret};
}

SnippetInsertion wrap(const TagSnippet& tag, const std::string& selected) {
    const std::string open = tag.open;
    std::string text = "<" + open + ">" + selected + "</" + tag.close + ">";
    const long start = length(open) + 2;
    return SnippetInsertion{std::move(text), start, start + length(selected)};
}

SnippetInsertion list(const std::string& letter, const std::string& indent) {
    std::string text = "<" + letter + "L>\r\n" + indent + "  <LI></LI>\r\n" + indent + "</" + letter + "L>";
    const long caret = length(text) - (length(indent) + length(letter) + 11);
    return caretAt(std::move(text), caret);
}

SnippetInsertion block(const BlockSnippet& snippet, const std::string& indent) {
    std::string text = fill(snippet.format, indent, indent);
    const long caret = snippet.offset < 0 ? length(text) - 1 : snippet.offset;
    return caretAt(std::move(text), caret);
}

} // namespace

std::string CaretIndent(int column) {
    return std::string(column > 1 ? static_cast<size_t>(column - 1) : 0, ' ');
}

std::optional<SnippetInsertion> SnippetForCommand(unsigned id, const std::string& selected,
                                                  const std::string& indent) {
    if (const TagSnippet* tag = find(kTags, id)) return wrap(*tag, selected);
    if (id == ID_HTML_UL) return list("U", indent);
    if (id == ID_HTML_OL) return list("O", indent);
    if (const BlockSnippet* snippet = find(kBlocks, id)) return block(*snippet, indent);
    const PlainSnippet* plain = find(kPlain, id);
    if (!plain) plain = find(kMembers, id);
    if (!plain) return std::nullopt;
    std::string text = plain->text;
    const long end = length(text);
    return caretAt(std::move(text), end);
}

std::string FunctionSnippetName(const std::string& typed) {
    return typed.find('(') == std::string::npos ? typed + "()" : typed;
}

SnippetInsertion FunctionSnippet(const std::string& name, const std::string& indent) {
    std::string text = fill("function %s\r\n%s{\r\n%s\r\n%s}\r\n", name, indent);
    return caretAt(std::move(text), length(name) + 2 * length(indent) + 16);
}

const char* MemberSnippetText(unsigned id) {
    const PlainSnippet* member = find(kMembers, id);
    return member ? member->text : "";
}
