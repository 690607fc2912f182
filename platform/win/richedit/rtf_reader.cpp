#include "platform/win/richedit/rtf_reader.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace pm::richedit {

namespace {

constexpr int kMaxDepth = 256;
constexpr int kMaxDigits = 10;

struct ColourEntry {
    bool set = false;
    int red = 0, green = 0, blue = 0;
};

struct GroupState {
    int colour = -1; // index into the colour table; -1 is the base colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool skip = false; // inside a destination whose text is not shown
    bool colourTable = false;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSkippedDestination(std::string_view word) {
    static const char* const names[] = {"fonttbl",  "stylesheet", "info",    "pict",      "header",
                                        "footer",   "object",     "filetbl", "listtable", "listoverridetable",
                                        "generator"};
    for (const char* n : names)
        if (word == n) return true;
    return false;
}

class Reader {
public:
    Reader(std::string_view rtf, const RunFormat& base, FormatTable& formats, RtfDocument& out)
        : rtf_(rtf), base_(base), formats_(formats), out_(out) {}

    RtfError run(bool wholeText) {
        stack_.push_back(GroupState{});
        while (pos_ < rtf_.size()) {
            RtfError e = step();
            if (e != RtfError::None) return e;
        }
        if (stack_.size() != 1) return RtfError::UnbalancedGroups;
        if (wholeText && lastParAt_ >= 0 && lastParAt_ == static_cast<long>(out_.text.size()) - 1) {
            out_.text.pop_back();
            shrinkLastPiece();
        }
        return RtfError::None;
    }

private:
    RtfError step() {
        char c = rtf_[pos_++];
        switch (c) {
        case '{':
            if (stack_.size() >= kMaxDepth) return RtfError::TooDeep;
            stack_.push_back(stack_.back());
            stack_.back().colourTable = false;
            groupStart_ = true;
            return RtfError::None;
        case '}':
            if (stack_.size() <= 1) return RtfError::UnbalancedGroups;
            if (stack_.back().colourTable) finishColourEntryIfPending();
            stack_.pop_back();
            groupStart_ = false;
            return RtfError::None;
        case '\\':
            return controlWord();
        case '\r':
        case '\n':
            return RtfError::None;
        default:
            groupStart_ = false;
            if (stack_.back().colourTable) {
                if (c == ';') endColourEntry();
                return RtfError::None;
            }
            emitPlainRun();
            return RtfError::None;
        }
    }

    RtfError controlWord() {
        if (pos_ >= rtf_.size()) return RtfError::Truncated;
        char c = rtf_[pos_];
        bool atGroupStart = groupStart_;
        groupStart_ = false;
        if (!isLetter(c)) {
            ++pos_;
            return controlSymbol(c, atGroupStart);
        }
        std::size_t start = pos_;
        while (pos_ < rtf_.size() && isLetter(rtf_[pos_]))
            ++pos_;
        std::string_view word = rtf_.substr(start, pos_ - start);
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ < rtf_.size() && rtf_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < rtf_.size() && rtf_[pos_] >= '0' && rtf_[pos_] <= '9') {
            if (++digits > kMaxDigits) return RtfError::NumberTooLarge;
            param = param * 10 + (rtf_[pos_++] - '0');
            hasParam = true;
        }
        if (negative) param = -param;
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_; // the delimiting space belongs to the word
        apply(word, hasParam, param, atGroupStart);
        return RtfError::None;
    }

    RtfError controlSymbol(char c, bool atGroupStart) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            emit(c);
            return RtfError::None;
        case '\'': {
            if (pos_ + 2 > rtf_.size()) return RtfError::Truncated;
            int hi = hexValue(rtf_[pos_]), lo = hexValue(rtf_[pos_ + 1]);
            pos_ += 2;
            if (hi >= 0 && lo >= 0) emit(static_cast<char>(hi * 16 + lo));
            return RtfError::None;
        }
        case '*':
            if (atGroupStart) stack_.back().skip = true;
            return RtfError::None;
        case '\r':
        case '\n':
            emit('\r'); // a backslash before a raw line end is a paragraph mark
            return RtfError::None;
        default:
            return RtfError::None;
        }
    }

    void apply(std::string_view word, bool hasParam, long param, bool atGroupStart) {
        GroupState& g = stack_.back();
        bool on = !hasParam || param != 0;
        if (word == "colortbl") {
            g.colourTable = true;
            g.skip = true;
            pending_ = ColourEntry{};
        } else if (g.colourTable) {
            int v = static_cast<int>(param < 0 ? 0 : param > 255 ? 255 : param);
            if (word == "red")
                pending_.red = v, pending_.set = true;
            else if (word == "green")
                pending_.green = v, pending_.set = true;
            else if (word == "blue")
                pending_.blue = v, pending_.set = true;
        } else if (atGroupStart && isSkippedDestination(word)) {
            g.skip = true;
        } else if (word == "cf") {
            g.colour = hasParam ? static_cast<int>(param) : -1;
        } else if (word == "b") {
            g.bold = on;
        } else if (word == "i") {
            g.italic = on;
        } else if (word == "ul") {
            g.underline = on;
        } else if (word == "ulnone") {
            g.underline = false;
        } else if (word == "plain") {
            g.bold = g.italic = g.underline = false;
            g.colour = -1;
        } else if (word == "par" || word == "line") {
            emit('\r');
            lastParAt_ = static_cast<long>(out_.text.size()) - 1;
        } else if (word == "tab") {
            emit('\t');
        }
    }

    void endColourEntry() {
        colours_.push_back(pending_);
        pending_ = ColourEntry{};
        interned_.clear();
        cachedKey_ = -1;
    }

    // A table whose last entry lacks its ';' still keeps the entry.
    void finishColourEntryIfPending() {
        if (pending_.set) endColourEntry();
    }

    FormatId currentFormat() {
        const GroupState& g = stack_.back();
        int key = (g.colour + 1) << 3 | (g.bold ? 1 : 0) | (g.italic ? 2 : 0) | (g.underline ? 4 : 0);
        if (key == cachedKey_) return cachedFormat_;
        auto known = interned_.find(key);
        if (known != interned_.end()) {
            cachedKey_ = key;
            cachedFormat_ = known->second;
            return cachedFormat_;
        }
        RunFormat f = base_;
        f.bold = g.bold;
        f.italic = g.italic;
        f.underline = g.underline;
        if (g.colour >= 0 && g.colour < static_cast<int>(colours_.size()) &&
            colours_[static_cast<std::size_t>(g.colour)].set) {
            const ColourEntry& e = colours_[static_cast<std::size_t>(g.colour)];
            f.color = RGB(e.red, e.green, e.blue);
            f.autoColor = false;
        }
        cachedKey_ = key;
        cachedFormat_ = formats_.intern(f);
        interned_.emplace(key, cachedFormat_);
        return cachedFormat_;
    }

    void emit(char c) { emitBytes(&c, 1); }

    // Takes the plain text from the byte just read up to the next special byte in one step.
    void emitPlainRun() {
        std::size_t start = pos_ - 1;
        while (pos_ < rtf_.size()) {
            char c = rtf_[pos_];
            if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
            ++pos_;
        }
        emitBytes(rtf_.data() + start, pos_ - start);
    }

    void emitBytes(const char* bytes, std::size_t n) {
        if (stack_.back().skip) return;
        FormatId f = currentFormat();
        out_.text.append(bytes, n);
        if (!out_.pieces.empty() && out_.pieces.back().format == f) {
            out_.pieces.back().length += static_cast<int>(n);
            return;
        }
        out_.pieces.push_back(FormattedPiece{static_cast<int>(n), f});
    }

    void shrinkLastPiece() {
        if (out_.pieces.empty()) return;
        if (--out_.pieces.back().length == 0) out_.pieces.pop_back();
    }

    std::string_view rtf_;
    const RunFormat& base_;
    FormatTable& formats_;
    RtfDocument& out_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    std::vector<ColourEntry> colours_;
    ColourEntry pending_;
    bool groupStart_ = false;
    long lastParAt_ = -1;
    int cachedKey_ = -1;
    FormatId cachedFormat_ = 0;
    // Formats already interned, by group state; the colour table is fixed once text starts.
    std::unordered_map<int, FormatId> interned_;
};

} // namespace

RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out) {
    out = RtfDocument{};
    out.text.reserve(rtf.size());
    // Every run starts at a control word, so there are no more runs than backslashes.
    out.pieces.reserve(static_cast<std::size_t>(std::count(rtf.begin(), rtf.end(), '\\')) + 1);
    Reader reader(rtf, base, formats, out);
    RtfError e = reader.run(wholeText);
    if (e != RtfError::None) out = RtfDocument{};
    return e;
}

} // namespace pm::richedit
