#pragma once
// The pure parts of the edit control's colouring pass: token words to colour classes, the
// block-comment marker list kept in step with edits and paired into comments, the comment overlay
// on a stretch's token words, and the coloured RTF a whole text is loaded with. None of it needs
// a window.

#include "editor/CHHCommentMarker.h"
#include "editor/HHTokenWords.h"
#include "platform/win/windows.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace hh {

// One colour class's look.
struct ColorEntry {
    COLORREF colour;
    BOOL bold;
    BOOL italic;
};

constexpr int kColorClasses = 10;
// Stretches larger than this are coloured as a large range (pre-filled, under a redraw lock).
constexpr int kLargeRange = 1536;
// A block comment is coloured only when its end starts less than this after its start.
constexpr int kMaxCommentSpan = 1024;
// Token words whose keyword case the language may fix.
constexpr WORD kKeywordCaseMask = 0x1F09;

// The default look of the ten classes.
void SetDefaultColors(ColorEntry* table);

// The text with each line break (CR LF, LF or CR alone) made CR LF, so
// positions are the edit control's.
std::string WithCrLf(const char* text, std::size_t length);

// The colour class of a token word: the first of its bits in the order keyword, comment,
// operator, number, string, constant, function, preprocessor, user defined 1 and 2.
int ClassFromTokenBits(WORD bits);
// The class a token word is shown in: its class, with User Defined 2 shown as Default (a table
// look-up, for the long stretches the colouring sends).
int ShownClass(WORD bits);
// The table entry a class is shown with; a class without an entry (User Defined 2) shows as 0.
const ColorEntry& EntryForClass(const ColorEntry* table, int cls);

// A stretch of text [first, second) to recolour.
typedef std::pair<int, int> Stretch;

// Moves and drops markers for the change [start, end): deleted text removes the markers it
// overlaps and pulls later ones back; inserted text pushes later ones on and removes a marker it
// falls strictly inside.
void ShiftMarkers(CHHCommentMarkerArray& markers, BOOL deleted, int start, int end);
// Moves stretches for the change [start, end) as ShiftMarkers moves markers; a stretch the
// deletion covers shrinks to where it was.
void ShiftStretches(std::vector<Stretch>& stretches, BOOL deleted, int start, int end);

// Inserts found markers (positions relative to offset) in position order, skipping a position
// already present.
void MergeMarkers(CHHCommentMarkerArray& markers, const CHHCommentMarkerArray& found, int offset);
// The markers lying at [from, to), as they are (pairing included).
std::vector<CHHCommentMarker> MarkersIn(const CHHCommentMarkerArray& markers, int from, int to);
// Replaces the markers lying at [from, to) by kept ones taken there (in order, pairing as kept).
void PutBackMarkers(CHHCommentMarkerArray& markers, int from, int to,
                    const std::vector<CHHCommentMarker>& kept);
// Pairs start and end markers into comments (nested starts skipped, spans of kMaxCommentSpan or
// more rejected, unterminated starts unpaired) and answers the stretches whose comment status
// may have changed.
std::vector<Stretch> PairMarkers(CHHCommentMarkerArray& markers);
// Whether the language has pos inside a block comment: the last marker before it is a start
// (paired or not: the span limit is a colouring rule only).
bool InsideComment(const CHHCommentMarkerArray& markers, int pos);
// Overwrites, in the stretch's text (text[0] is position start), every unpaired marker lying
// wholly inside [start, end) with spaces; answers the stretch from the first to the last blanked
// (empty when none).
Stretch BlankUnpairedMarkers(const CHHCommentMarkerArray& markers, int start, int end, char16_t* text);
// Marks the comment pairs' parts inside [start, end) as comment in the stretch's token words,
// comments that begin before the stretch included.
void OverlayCommentPairs(const CHHCommentMarkerArray& markers, int start, int end, WORD* tokens);
// The stretch from the first to the last character OverlayCommentPairs marks (empty when none).
Stretch CommentPairsIn(const CHHCommentMarkerArray& markers, int start, int end);

// The colour classes the control shows for one stretch of text, as the colouring pass last gave
// them, kept in step with edits (inserted text shows classes not known): colouring the stretch
// again then sends the control only the part whose classes changed.
class ShownClasses {
public:
    // The control is to show [start, start + length) in the classes of these token words: they
    // are kept, and the answer is the part from the first to the last character whose class is
    // not known to be the one shown (empty when none; all of it unless the stretch is the one
    // kept). Text inserted at two places since makes all between them not known.
    // overlaid: the characters whose words were set otherwise than the formater gave them.
    Stretch Take(int start, const WORD* tokens, int length, Stretch overlaid = Stretch(0, 0));
    // As Take, for the stretch kept, when the words outside read (absolute positions) are the
    // ones kept: only those inside it are read and compared. read must hold NotKnown() and the
    // Overlaid() of the last Take.
    Stretch TakeWithin(int start, const WORD* tokens, int length, Stretch read, Stretch overlaid);
    // Whether the stretch [start, start + length) is the one kept.
    bool Holds(int start, int length) const {
        return !m_tokens.empty() && start == m_start && static_cast<std::size_t>(length) == m_tokens.size();
    }
    // The text inserted since the last Take, and the characters it was given as overlaid, in
    // positions of the text (empty when none).
    Stretch NotKnown() const { return absolute(m_unknown); }
    Stretch Overlaid() const { return absolute(m_overlaid); }
    // The words of the stretch kept, as the last Take left them.
    const WORD* Kept() const { return m_tokens.data(); }
    void Clear() {
        m_tokens.clear();
        m_unknown = Stretch(0, 0);
        m_overlaid = Stretch(0, 0);
    }
    // Text [start, end) was deleted or inserted.
    void Change(BOOL deleted, int start, int end);
    // The formats of [start, end) were set some other way.
    void Forget(int start, int end);

private:
    int m_start = 0;
    // A token word per character whose class is the one shown: equal words are passed over a
    // block at a time, so a long line is compared quickly.
    std::vector<WORD> m_tokens;
    // Indexes into m_tokens spanning all text inserted since the last Take: its classes are not
    // known.
    Stretch m_unknown{0, 0};
    // Indexes into m_tokens spanning the words the last Take was given as overlaid.
    Stretch m_overlaid{0, 0};
    Stretch absolute(Stretch s) const {
        return s.first < s.second ? Stretch(m_start + s.first, m_start + s.second) : Stretch(0, 0);
    }
    // The words of [from, to) of the stretch were compared, the others are alike.
    Stretch takeCompared(const WORD* tokens, int from, int to, Stretch overlaid);
};

// The RTF that loads text coloured by its token words: a colour table of the ten classes, a
// class change as \cfN with bold and italic, escaped backslashes and braces, every line break
// (CR LF, LF or CR alone) as a paragraph, Tab as \tab; ends with a paragraph mark when asked.
// It is written piece by piece as a stream reads it, so a large text's RTF is never held whole.
// The text (and tokens given by pointer) must outlive it.
class ColoredRtf {
public:
    // Colours the text a block at a time as the stream reads it: given the start of the next
    // block, answers its end (a line end, or the end of the text) and points tokens at the token
    // words of the block's characters, valid until the next call.
    using BlockColouring = std::function<std::size_t(std::size_t from, const WORD*& tokens)>;

    // No RTF at all: the text could not be coloured.
    ColoredRtf() = default;
    ColoredRtf(const char* text, std::size_t length, const WORD* tokens, const ColorEntry* table,
               bool finalParagraph);
    // The first block is coloured here, the others as they are read.
    ColoredRtf(const char* text, std::size_t length, BlockColouring colour, const ColorEntry* table,
               bool finalParagraph);
    ColoredRtf(ColoredRtf&&) = default;
    ColoredRtf& operator=(ColoredRtf&&) = default;

    bool empty() const { return !m_valid; }
    // Writes the next bytes of the RTF to out, at most size of them; 0 once all are written.
    std::size_t Read(char* out, std::size_t size);

private:
    // Writes the next RTF to out, at most size bytes (more than a step's worth); answers how many.
    std::size_t write(char* out, std::size_t size);
    void colourNextBlock();
    WORD tokenAt(std::size_t at) const { return m_tokens[at - m_blockFrom]; }

    bool m_valid = false;
    const char* m_text = nullptr;
    std::size_t m_length = 0;
    BlockColouring m_colour;
    const WORD* m_tokens = nullptr; // the token words of [m_blockFrom, m_blockTo)
    std::size_t m_blockFrom = 0;
    std::size_t m_blockTo = 0;
    bool m_finalParagraph = false;
    std::string m_starts[kColorClasses]; // what starts a run of each class: colour, bold and italic
    std::size_t m_at = 0;                // the next character of the text to write
    int m_class = -1;                    // the class written last
    WORD m_classified = HHTOKEN_DEFAULT; // the token word m_classOfToken was found for
    int m_classOfToken = 0;
    bool m_ended = false; // the closing brace is written
    std::string m_buffer; // for small reads: written up to m_written, unread from m_read on
    std::size_t m_written = 0;
    std::size_t m_read = 0;
};

// The whole RTF of a ColoredRtf at once.
std::string BuildColoredRtf(const char* text, std::size_t length, const WORD* tokens, const ColorEntry* table,
                            bool finalParagraph);

} // namespace hh
