#pragma once
// The windowless model of the rich-edit control: text, character-format runs, the selection, the
// two position models and find. It sends no notifications; the control around it decides when to
// announce a change and calls in here to make it.
//
// Positions are "compact": one position per byte, a line break is one position. The 1.0 control
// counts a line break as two (CR LF); legacyFromCompact/compactFromLegacy convert.

#include "platform/win/richedit/format_runs.h"
#include "platform/win/richedit/text_buffer.h"

#include <string>
#include <string_view>
#include <vector>

namespace pm::richedit {

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// Text and its runs built apart from a model, to become a model's whole content in one step.
class FormattedText {
public:
    int length() const { return m_text.length(); }
    char byteAt(int pos) const { return m_text.charAt(pos); }
    // Appends pre-normalised bytes made of the given pieces.
    void append(std::string_view bytes, const FormattedPiece* pieces, std::size_t count) {
        m_text.insert(m_text.length(), bytes);
        m_runs.append(pieces, count);
    }
    void dropLast() {
        int last = length() - 1;
        m_text.erase(last, 1);
        m_runs.erase(last, 1);
    }

private:
    TextBuffer m_text;
    FormatRuns m_runs;
    friend class RichTextModel;
};

class RichTextModel {
public:
    RichTextModel();

    // Text and lines.
    int length() const { return m_text.length(); }
    int lineCount() const { return m_text.lineCount(); }
    int lineStart(int line) const { return m_text.lineStart(line); }
    int lineEnd(int line) const { return m_text.lineEnd(line); }
    int lineLength(int line) const { return lineEnd(line) - lineStart(line); }
    int lineFromPosition(int pos) const { return m_text.lineFromPosition(pos); }
    char charAt(int pos) const { return m_text.charAt(pos); }
    // Bytes of [pos, pos + len) with breaks as single CRs.
    std::string text(int pos, int len) const { return m_text.text(pos, len); }
    std::string text() const { return m_text.text(0, length()); }
    // Bytes of [pos, pos + len) with breaks written as CR LF.
    std::string textCrLf(int pos, int len) const;
    // Writes the bytes of [pos, pos + len) to out, breaks as CR LF when crLf, as single CRs
    // otherwise, and at most `room` bytes; answers how many.
    std::size_t copyText(int pos, int len, bool crLf, char* out, std::size_t room) const;
    std::string_view view(int pos, int len) { return m_text.view(pos, len); }
    // Calls f(bytes, count, position) for each contiguous stretch of [pos, pos + len), while f
    // returns true.
    template <class F> void forEachPiece(int pos, int len, F f) const { m_text.forEachPiece(pos, len, f); }

    // Replaces [pos, pos + len) by text (any line-break form) in format `format`. Returns the
    // length of the inserted text as stored. Callers check limits and protection first.
    int replace(int pos, int len, std::string_view text, FormatId format);
    // The same for text whose line breaks are already single CRs.
    int replaceStored(int pos, int len, std::string_view stored, FormatId format);
    // Replaces the whole text by pre-normalised text with its runs (the pieces cover it exactly).
    void setFormattedText(std::string text, const std::vector<FormattedPiece>& pieces);
    // Replaces the whole text by text built apart (an empty one takes the default format).
    void setFormattedText(FormattedText&& content);

    // Formats.
    FormatTable& formats() { return m_formats; }
    const FormatTable& formats() const { return m_formats; }
    const FormatRuns& runs() const { return m_runs; }
    FormatId defaultFormat() const { return m_defaultFormat; }
    // The format of text set without one; an empty text takes it at once.
    void setDefaultFormat(FormatId id) {
        m_defaultFormat = id;
        if (length() == 0) m_runs.reset(id);
    }
    void setFormat(int pos, int len, FormatId format) { m_runs.setFormat(pos, len, format); }
    // Formats from pos on as the pieces give them, changing only runs that differ; answers the
    // stretch that changed.
    std::pair<int, int> restyle(int pos, const std::vector<FormattedPiece>& pieces) {
        return m_runs.restyle(pos, pieces.data(), pieces.size());
    }
    // The format a character typed at pos takes: that of the character before it.
    FormatId formatForInsertion(int pos) const;

    // Selection, kept as anchor and active end (the caret).
    int anchor() const { return m_anchor; }
    int caret() const { return m_caret; }
    int selectionStart() const { return std::min(m_anchor, m_caret); }
    int selectionEnd() const { return std::max(m_anchor, m_caret); }
    void setSelection(int anchor, int caret);

    // Position models and safe positions.
    int legacyFromCompact(int pos) const;
    int compactFromLegacy(int legacy) const;
    int legacyLength() const { return length() + lineCount() - 1; }
    // pos clamped to the text and moved off the inside of a UTF-8 sequence (backward, or forward).
    int validPosition(int pos, bool forward = false) const;
    int nextCharPosition(int pos) const;
    int previousCharPosition(int pos) const;

    // The first match of pattern in [from, to), or -1. An empty pattern never matches.
    int find(int from, int to, std::string_view pattern, FindOptions options) const;
    // Every match of pattern in [from, to), each searched for from the end of the one before.
    std::vector<int> findAll(int from, int to, std::string_view pattern, FindOptions options) const;

    // Checks, through PM_ASSERT, the text's and the runs' own invariants, that the runs cover the
    // text exactly and that the selection lies inside it. A pass over the whole text: for tests.
    void checkInvariants() const;

private:
    // find for a pattern whose line breaks are single CRs.
    int findStored(int from, int to, const std::string& needle, FindOptions options) const;
    // Calls f(position) for each match of needle in [from, to), each from the end of the one
    // before, while f returns true.
    template <class F>
    void forEachMatch(int from, int to, const std::string& needle, FindOptions options, F f) const;

    TextBuffer m_text;
    FormatRuns m_runs;
    FormatTable m_formats;
    FormatId m_defaultFormat = 0;
    int m_anchor = 0;
    int m_caret = 0;
};

// True for bytes that make up words for whole-word matching and word movement.
bool isWordByte(unsigned char c);

} // namespace pm::richedit
