#pragma once
// CHHLineMarker: the marks of one line (breakpoint, bookmark, a third mark) kept with the position
// of the line's start, so that they follow their line while the text is edited.

#include "platform/win/wintypes.h"

#include <vector>

// Marker flags.
#define HHMARK_BREAKPOINT 1
#define HHMARK_BOOKMARK 2
#define HHMARK_THIRD 4

struct CHHLineMarker {
    int m_nLine = 0;      // zero-based line
    int m_nLineStart = 0; // character position of the line's start
    BYTE m_nFlags = 0;
};

// In the order the records were created; at most one record per line.
using CHHLineMarkerArray = std::vector<CHHLineMarker>;
