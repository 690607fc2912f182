#pragma once
// CHHMemberItem: one entry of a member list, its text and its kind word (bits 0 to 13 the icon
// index, bits 14 and 15 the colour group: 0 the window text colour, 1 to 3 the control's item
// colours 0 to 2).

#include "platform/framework/CString.h"
#include "platform/win/wintypes.h"

#include <vector>

struct CHHMemberItem {
    CString m_strText;
    WORD m_nKind = 0;

    int GetImage() const { return m_nKind & 0x3FFF; }
    int GetGroup() const { return m_nKind >> 14; }
};

using CHHMemberItemArray = std::vector<CHHMemberItem>;
