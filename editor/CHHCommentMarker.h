#pragma once
// CHHCommentMarker: one block-comment start or end marker found in a text; the colouring pass
// pairs them into comment ranges.

#include "platform/framework/CArray.h"

struct CHHCommentMarker {
    int m_nPos = 0;    // character index of the marker
    int m_nLength = 0; // marker length in characters
    int m_bStart = 0;  // 1 for a start marker, 0 for an end marker
    int m_nPair = 0;   // pairing state, kept by the colouring pass; 0 when found
};

typedef CArray<CHHCommentMarker, const CHHCommentMarker&> CHHCommentMarkerArray;
