// The Working Dir list of the information pane.

#include "app/program/CWorkDirListBox.h"

#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CWorkDirListBox, CListBox)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void CWorkDirListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDblClk(nFlags, point);
    if (CWnd* main = GetMainWindow()) main->SendMessage(WM_COMMAND, ID_WORKDIR_OPEN);
}

void CWorkDirListBox::OnRButtonDown(UINT nFlags, CPoint point) {
    CListBox::OnRButtonDown(nFlags, point);
    if (GetCount() > 0) TrackContextMenu(GetMainWindow(), CPoint(-1, -1), IDR_WORKDIR_MENU, 0);
}
