#include "platform/win/richedit/rtf_reader.h"

#include <algorithm>

namespace pm::richedit {

namespace {

constexpr std::size_t kMaxDepth = 256;
constexpr int kMaxDigits = 10;
constexpr std::size_t kNone = std::string_view::npos;
constexpr int kSmallKeys = 1 << 10;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSkippedDestination(std::string_view word) {
    static const char* const names[] = {"fonttbl",  "stylesheet", "info",    "pict",      "header",
                                        "footer",   "object",     "filetbl", "listtable", "listoverridetable",
                                        "generator"};
    for (const char* n : names)
        if (word == n) return true;
    return false;
}

} // namespace

void DocumentOutput::append(const char* bytes, std::size_t n, FormatId format) {
    doc_.text.append(bytes, n);
    if (!doc_.pieces.empty() && doc_.pieces.back().format == format) {
        doc_.pieces.back().length += static_cast<int>(n);
        return;
    }
    doc_.pieces.push_back(FormattedPiece{static_cast<int>(n), format});
}

void DocumentOutput::dropLast() {
    doc_.text.pop_back();
    if (!doc_.pieces.empty() && --doc_.pieces.back().length == 0) doc_.pieces.pop_back();
}

RtfReader::RtfReader(const RunFormat& base, FormatTable& formats, RtfOutput& out)
    : base_(base), formats_(formats), out_(out) {
    stack_.push_back(GroupState{});
}

RtfError RtfReader::feed(std::string_view piece) {
    if (carry_.empty()) return parseKeepingRest(piece, false);
    std::string held = std::move(carry_);
    carry_.clear();
    held.append(piece);
    RtfError e = parseKeepingRest(held, true);
    // A word still unfinished keeps growing in place instead of being copied again.
    if (e == RtfError::None && waitFrom_ == 0) carry_ = std::move(held);
    return e;
}

RtfError RtfReader::parseKeepingRest(std::string_view rtf, bool fromCarry) {
    resumeLetters_ = fromCarry ? carryLetters_ : 0;
    RtfError e = parse(rtf, false);
    if (e == RtfError::None && waitFrom_ != kNone && !(fromCarry && waitFrom_ == 0))
        carry_.assign(rtf.substr(waitFrom_));
    return e;
}

RtfError RtfReader::finish(bool wholeText) {
    if (!carry_.empty()) {
        std::string held = std::move(carry_);
        carry_.clear();
        resumeLetters_ = 0;
        RtfError e = parse(held, true);
        if (e != RtfError::None) return e;
    }
    if (stack_.size() != 1) return RtfError::UnbalancedGroups;
    if (wholeText && lastParAt_ >= 0 && lastParAt_ == written_ - 1) {
        out_.dropLast();
        --written_;
    }
    return RtfError::None;
}

RtfError RtfReader::parse(std::string_view rtf, bool last) {
    rtf_ = rtf;
    pos_ = 0;
    last_ = last;
    waitFrom_ = kNone;
    while (pos_ < rtf_.size()) {
        RtfError e = step();
        if (e != RtfError::None) return e;
    }
    return RtfError::None;
}

RtfError RtfReader::step() {
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
        if (!last_ && controlLength(pos_ - 1) == 0) {
            waitFrom_ = pos_ - 1;
            pos_ = rtf_.size();
            return RtfError::None;
        }
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

std::size_t RtfReader::controlLength(std::size_t at) {
    std::size_t n = rtf_.size();
    std::size_t p = at + 1;
    std::size_t resume = at == 0 ? resumeLetters_ : 0;
    resumeLetters_ = 0;
    carryLetters_ = 0;
    if (p >= n) return 0;
    if (!isLetter(rtf_[p])) {
        if (rtf_[p] == '\'') return p + 2 < n ? 4 : 0;
        return 2;
    }
    // Letters already seen in an earlier piece are not scanned again.
    p = std::max(p, at + resume);
    while (p < n && isLetter(rtf_[p]))
        ++p;
    carryLetters_ = p - at;
    if (p < n && rtf_[p] == '-') ++p;
    int digits = 0;
    while (p < n && isDigit(rtf_[p]) && digits <= kMaxDigits) {
        ++p;
        ++digits;
    }
    if (digits > kMaxDigits) return p - at; // complete enough to be refused
    if (p >= n) return 0;                   // the word, its number or its space may go on
    return p + (rtf_[p] == ' ' ? 1 : 0) - at;
}

RtfError RtfReader::controlWord() {
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
    while (pos_ < rtf_.size() && isDigit(rtf_[pos_])) {
        if (++digits > kMaxDigits) return RtfError::NumberTooLarge;
        param = param * 10 + (rtf_[pos_++] - '0');
        hasParam = true;
    }
    if (negative) param = -param;
    if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_; // the delimiting space belongs to the word
    apply(word, hasParam, param, atGroupStart);
    return RtfError::None;
}

RtfError RtfReader::controlSymbol(char c, bool atGroupStart) {
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

void RtfReader::apply(std::string_view word, bool hasParam, long param, bool atGroupStart) {
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
        lastParAt_ = written_ - 1;
    } else if (word == "tab") {
        emit('\t');
    }
}

void RtfReader::endColourEntry() {
    colours_.push_back(pending_);
    pending_ = ColourEntry{};
    internedSmall_.clear();
    interned_.clear();
    cachedKey_ = kNoKey;
}

// A table whose last entry lacks its ';' still keeps the entry.
void RtfReader::finishColourEntryIfPending() {
    if (pending_.set) endColourEntry();
}

FormatId RtfReader::currentFormat() {
    const GroupState& g = stack_.back();
    long long key = (static_cast<long long>(g.colour) + 1) * 8 + (g.bold ? 1 : 0) + (g.italic ? 2 : 0) +
                    (g.underline ? 4 : 0);
    if (key == cachedKey_) return cachedFormat_;
    bool small = key >= 0 && key < kSmallKeys;
    if (small && internedSmall_.empty()) internedSmall_.assign(kSmallKeys, -1);
    FormatId known = -1;
    if (small) {
        known = internedSmall_[static_cast<std::size_t>(key)];
    } else if (auto it = interned_.find(key); it != interned_.end()) {
        known = it->second;
    }
    if (known >= 0) {
        cachedKey_ = key;
        cachedFormat_ = known;
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
    if (small)
        internedSmall_[static_cast<std::size_t>(key)] = cachedFormat_;
    else
        interned_.emplace(key, cachedFormat_);
    return cachedFormat_;
}

// Takes the plain text from the byte just read up to the next special byte in one step.
void RtfReader::emitPlainRun() {
    std::size_t start = pos_ - 1;
    while (pos_ < rtf_.size()) {
        char c = rtf_[pos_];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') break;
        ++pos_;
    }
    emitBytes(rtf_.data() + start, pos_ - start);
}

void RtfReader::emitBytes(const char* bytes, std::size_t n) {
    if (stack_.back().skip) return;
    out_.append(bytes, n, currentFormat());
    written_ += static_cast<long>(n);
}

RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out) {
    out = RtfDocument{};
    out.text.reserve(rtf.size());
    // Every run starts at a control word, so there are no more runs than backslashes.
    out.pieces.reserve(static_cast<std::size_t>(std::count(rtf.begin(), rtf.end(), '\\')) + 1);
    DocumentOutput output(out);
    RtfReader reader(base, formats, output);
    RtfError e = reader.feed(rtf);
    if (e == RtfError::None) e = reader.finish(wholeText);
    if (e != RtfError::None) out = RtfDocument{};
    return e;
}

} // namespace pm::richedit
