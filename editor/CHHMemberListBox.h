#pragma once
// CHHMemberListBox: the owner-drawn member list. A click selects the item under the pointer and
// tells the parent, without taking the focus or the mouse, so the text keeps the caret.

#include "platform/framework/Controls.h"

class CHHMemberListBox : public CListBox {
    DECLARE_DYNAMIC(CHHMemberListBox)
protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
