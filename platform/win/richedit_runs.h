#pragma once
// Private: the rich-edit control's own messages for work a colouring pass and Replace All do over
// a large text, which Win32's messages do a piece at a time.
//
// The message for giving a stretch many character formats at
// once, each run as EM_SETCHARFORMAT gives it to a selection (a colouring pass sets thousands of
// runs, which one message a run, or RTF written and read back, makes slow). Sent with wParam 0 and
// lParam pointing to a CharFormatRuns; it announces the stretch with EN_PROTECTED (msg
// EM_SETCHARFORMAT) and answers non-zero when the formats were set. The selection stays.

#include "platform/win/packed_format_runs.h"
#include "platform/win/richedit.h"

#include <cstddef>
#include <vector>

namespace pm {

struct CharFormatRun {
    LONG length; // in positions as the control counts them
    int format;  // index into CharFormatRuns::formats
};

struct CharFormatRuns {
    LONG cpMin; // where the first run starts
    const CHARFORMATA* formats;
    int formatCount;
    const CharFormatRun* runs;
    std::size_t runCount;
    const PackedFormatRuns* packed = nullptr; // when set, the runs, in place of runs and runCount
};

UINT charFormatRunsMessage();

// Private: its counterpart, reading the formats of a stretch as runs that charFormatRunsMessage
// gives back: wParam 0, lParam points to a GetCharFormatRuns. The runs cover chrg (cpMax -1: to
// the end) in the control's positions; each distinct format is given once, with every attribute
// the control keeps in its mask, as EM_GETCHARFORMAT gives a run. Answers how many runs.
struct GetCharFormatRuns {
    CHARRANGE chrg;
    std::vector<CHARFORMATA>* formats;
    std::vector<CharFormatRun>* runs;
    PackedFormatRuns* packed = nullptr; // when set, the runs go here instead of into runs
};

UINT getCharFormatRunsMessage();

// Private: the rich-edit control's own message for finding every match of a text in a range in one
// pass, as EM_FINDTEXTEX would find them one after another, each from the end of the one before.
// wParam holds FR_MATCHCASE and FR_WHOLEWORD; lParam points to a FindAllText; answers how many
// matches were found.
struct FindAllText {
    CHARRANGE chrg; // cpMax -1: to the end
    LPCSTR lpstrText;
    std::vector<CHARRANGE>* found; // the matches, in order
};

UINT findAllTextMessage();

} // namespace pm
