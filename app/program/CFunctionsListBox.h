#pragma once
// CFunctionsListBox: the information pane's list of the active document's functions. A double
// click asks the main window to go to the function; a right click on a list that holds something
// shows the list's context menu.

#include "docking/TabPageWindow.h"

class CFunctionsListBox : public TabPageWindow<CListBox> {
protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
