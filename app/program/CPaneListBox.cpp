// The lists of the information pane.

#include "app/program/CPaneListBox.h"

#include "app/program/editor_globals.h"

BEGIN_MESSAGE_MAP(CPaneListBox, CListBox)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void CPaneListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDblClk(nFlags, point);
    if (CWnd* main = GetMainWindow()) main->SendMessage(WM_COMMAND, m_doubleClickCommand);
}

void CPaneListBox::OnRButtonDown(UINT nFlags, CPoint point) {
    CListBox::OnRButtonDown(nFlags, point);
    if (GetCount() > 0) TrackContextMenu(GetMainWindow(), CPoint(-1, -1), m_contextMenu, 0);
}
