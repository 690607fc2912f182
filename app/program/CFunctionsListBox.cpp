// The Functions list of the information pane.

#include "app/program/CFunctionsListBox.h"

#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"

BEGIN_MESSAGE_MAP(CFunctionsListBox, CListBox)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void CFunctionsListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDblClk(nFlags, point);
    if (CWnd* main = GetMainWindow()) main->SendMessage(WM_COMMAND, ID_FUNCTIONS_GOTO);
}

void CFunctionsListBox::OnRButtonDown(UINT nFlags, CPoint point) {
    CListBox::OnRButtonDown(nFlags, point);
    if (GetCount() > 0) TrackContextMenu(GetMainWindow(), CPoint(-1, -1), IDR_FUNCTIONS_MENU, 0);
}
