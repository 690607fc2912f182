#pragma once
// hh::SpanColours: how a stretch of whole lines of the edit control's text was coloured: its
// character formats as runs and its block-comment markers with their pairing, with the look they
// were made in (the formater, syntax colouring on or off, each colour class's format). An undo
// step keeps them with the text it puts back, so that the text comes back in its colours without
// being coloured again.

#include "editor/CHHCommentMarker.h"
#include "editor/HHColoring.h"
#include "platform/win/richedit_runs.h"

#include <vector>

class CHHFormater;

namespace hh {

struct SpanColours {
    int start = 0; // the stretch, in the control's positions
    int end = 0;
    std::vector<CHARFORMAT> formats;
    pm::PackedFormatRuns runs; // cover [start, end); none once let go
    std::vector<CHHCommentMarker> markers;
    const CHHFormater* formater = nullptr;
    BOOL syntaxColoring = FALSE;
    CHARFORMAT look[kColorClasses]{};

    // Frees the runs and markers: an older step lets go of them when a newer one keeps its own.
    void LetGo() {
        std::vector<CHARFORMAT>().swap(formats);
        runs.clear();
        std::vector<CHHCommentMarker>().swap(markers);
    }
};

} // namespace hh
