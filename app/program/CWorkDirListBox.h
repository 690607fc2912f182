#pragma once
// CWorkDirListBox: the information pane's list of the working folder's files. A double click asks
// the main window to open the file; a right click on a list that holds something shows the list's
// context menu.

#include "docking/TabPageWindow.h"

class CWorkDirListBox : public TabPageWindow<CListBox> {
protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
