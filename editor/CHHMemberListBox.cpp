#include "editor/CHHMemberListBox.h"

IMPLEMENT_DYNAMIC(CHHMemberListBox, CListBox)

BEGIN_MESSAGE_MAP(CHHMemberListBox, CListBox)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CHHMemberListBox::OnLButtonDown(UINT, CPoint point) {
    const int height = GetItemHeight(0);
    const int index = height > 0 ? GetTopIndex() + point.y / height : -1;
    SetCurSel(index >= 0 && index < GetCount() ? index : -1);
    CWnd* parent = GetParent();
    if (parent)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(m_hWnd));
}
