#pragma once
// Reads the small RTF subset the editors write: groups, a colour table, \cfN, \b, \i, \ul,
// \ulnone, \par, \tab, \'hh and the escaped \\ \{ \}. No header is needed: font, size and the
// protected effect come from the base format. Unknown control words are skipped, unknown
// destinations ({\* ...}, font tables, style sheets, ...) with all they hold.
//
// The reader takes its input piece by piece as a stream delivers it, so a large stream is never
// held whole; text and runs go to an RtfOutput in batches.

#include "platform/win/richedit/rich_text_model.h"

#include <cstddef>
#include <memory>
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
    // Bytes after all given before, in the formats of the pieces, which cover them exactly.
    virtual void append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) = 0;
    // Takes back the last byte appended.
    virtual void dropLast() = 0;
};

// Collects text and merged runs in memory.
class DocumentOutput : public RtfOutput {
public:
    explicit DocumentOutput(RtfDocument& doc) : m_doc(doc) {}
    void append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) override;
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
    struct ColourEntry {
        bool set = false;
        int red = 0, green = 0, blue = 0;
    };
    struct GroupState {
        int colour = -1;   // index into the colour table; -1 is the base colour
        int effects = 0;   // kBold, kItalic, kUnderline
        bool skip = false; // inside a destination whose text is not shown
        bool colourTable = false;
        FormatId format = -1; // the format of the state above, once known
    };
    enum class Word;
    static Word wordOf(std::string_view word);

    RtfError parseKeepingRest(std::string_view rtf, bool fromCarry);
    RtfError parse(std::string_view rtf, bool last);
    // The control word or symbol at m_pos (a backslash), read in one pass; at the end of a piece
    // that may go on, the reader waits there for the next piece.
    RtfError control();
    // A control word that the end of the input cuts: the reader waits for the next piece there, or,
    // at the end of the stream, fails.
    RtfError endsInside(std::size_t at, std::size_t letters);
    RtfError controlSymbol(char c, bool atGroupStart);
    void apply(std::string_view word, bool hasParam, long param, bool atGroupStart);
    static constexpr int kBold = 1, kItalic = 2, kUnderline = 4;
    // Sets what the current format is made of; the format is looked up again when it changed.
    void setColour(int colour) {
        GroupState& g = m_stack.back();
        if (g.colour == colour) return;
        g.colour = colour;
        g.format = -1;
    }
    void setEffect(int effect, bool on) {
        GroupState& g = m_stack.back();
        int effects = on ? g.effects | effect : g.effects & ~effect;
        if (g.effects == effects) return;
        g.effects = effects;
        g.format = -1;
    }
    void plainText();
    void endColourEntry();
    void finishColourEntryIfPending();
    FormatId currentFormat();
    FormatId internFormat(const GroupState& g);
    void emit(char c) { emitBytes(&c, 1); }
    void emitBytes(const char* bytes, std::size_t n);
    void flush();

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
    std::size_t m_waitFrom = 0;      // where parse stopped at a cut control word, or npos
    std::size_t m_resumeLetters = 0; // m_carryLetters for the carried word being read again
    // Formats already interned, by group state key: small keys (the first colours) in a table,
    // the rest in a map. Both are emptied when the colour table grows.
    std::vector<FormatId> m_internedSmall;
    std::unordered_map<long long, FormatId> m_interned;
    // Text read and not yet given to the output, with its runs, in batches of up to kBatch bytes.
    static constexpr std::size_t kBatch = std::size_t{1} << 16;
    std::unique_ptr<char[]> m_text;
    std::size_t m_used = 0;
    std::unique_ptr<FormattedPiece[]> m_pieces;
    std::size_t m_pieceCount = 0;
};

// Parses a whole stream held in memory into text and runs; on an error `out` is left empty.
RtfError readRtf(std::string_view rtf, const RunFormat& base, FormatTable& formats, bool wholeText,
                 RtfDocument& out);

} // namespace pm::richedit
