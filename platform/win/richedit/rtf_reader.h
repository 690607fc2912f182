#pragma once
// Reads the small RTF subset the editors write: groups, a colour table, \cfN, \b, \i, \ul,
// \ulnone, \par, \tab, \'hh and the escaped \\ \{ \}. No header is needed: font, size and the
// protected effect come from the base format. Unknown control words are skipped, unknown
// destinations ({\* ...}, font tables, style sheets, ...) with all they hold.
//
// The reader takes its input piece by piece as a stream delivers it, so a large stream is never
// held whole; text and runs go straight to an RtfOutput.

#include "platform/win/richedit/rich_text_model.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pm::richedit {

struct RtfDocument {
    std::string text; // line breaks as single CRs
    std::vector<FormattedPiece> pieces;
};

enum class RtfError {
    None,
    UnbalancedGroups,
    NumberTooLarge,
    TooDeep,
    Truncated,
};

// Where a reader puts the text it reads.
class RtfOutput {
public:
    virtual ~RtfOutput() = default;
    // Bytes in format `format`, after all given before.
    virtual void append(const char* bytes, std::size_t n, FormatId format) = 0;
    // Takes back the last byte appended.
    virtual void dropLast() = 0;
};

// Collects text and merged runs in memory.
class DocumentOutput : public RtfOutput {
public:
    explicit DocumentOutput(RtfDocument& doc) : m_doc(doc) {}
    void append(const char* bytes, std::size_t n, FormatId format) override;
    void dropLast() override;

private:
    RtfDocument& m_doc;
};

class RtfReader {
public:
    RtfReader(const RunFormat& base, FormatTable& formats, RtfOutput& out);

    // Reads the next piece of the stream. A control word cut by the piece's end waits for the next.
    RtfError feed(std::string_view piece);
    // Ends the stream. wholeText drops the break of a final \par (a stream that replaces the whole
    // text ends with one that is not meant as an empty last line).
    RtfError finish(bool wholeText);

private:
    static constexpr long long kNoKey = std::numeric_limits<long long>::min();
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

    RtfError parseKeepingRest(std::string_view rtf, bool fromCarry);
    RtfError parse(std::string_view rtf, bool last);
    RtfError step();
    // Length of the control word or symbol at m_rtf[at] ('\\'), or 0 when the input ends inside it.
    std::size_t controlLength(std::size_t at);
    RtfError controlWord();
    RtfError controlSymbol(char c, bool atGroupStart);
    void apply(std::string_view word, bool hasParam, long param, bool atGroupStart);
    void endColourEntry();
    void finishColourEntryIfPending();
    FormatId currentFormat();
    void emit(char c) { emitBytes(&c, 1); }
    void emitPlainRun();
    void emitBytes(const char* bytes, std::size_t n);

    RunFormat m_base;
    FormatTable& m_formats;
    RtfOutput& m_out;
    std::string_view m_rtf;
    std::size_t m_pos = 0;
    bool m_last = false;
    std::string m_carry;            // the start of a control word cut by a piece's end
    std::size_t m_carryLetters = 0; // how far m_carry is known to be letters of that word
    std::vector<GroupState> m_stack;
    std::vector<ColourEntry> m_colours;
    ColourEntry m_pending;
    bool m_groupStart = false;
    long m_written = 0;
    long m_lastParAt = -1;
    long long m_cachedKey = kNoKey;
    FormatId m_cachedFormat = 0;
    std::size_t m_waitFrom = 0;      // where parse stopped at a cut control word, or npos
    std::size_t m_resumeLetters = 0; // m_carryLetters for the carried word being read again
    // Formats already interned, by group state key: small keys (the first colours) in a table,
    // the rest in a map. Both are emptied when the colour table grows.
    std::vector<FormatId> m_internedSmall;
    std::unordered_map<long long, FormatId> m_interned;
};

// Parses a whole stream held in memory into text and runs; on an error `out` is left empty.
RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out);

} // namespace pm::richedit
