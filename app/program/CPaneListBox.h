#pragma once
// CPaneListBox: a list of the information pane. A double click asks the main window to carry out
// the list's command; a right click on a list that holds something shows the list's context menu.

#include "docking/TabPageWindow.h"

class CPaneListBox : public TabPageWindow<CListBox> {
protected:
    CPaneListBox(UINT doubleClickCommand, UINT contextMenu)
        : m_doubleClickCommand(doubleClickCommand), m_contextMenu(contextMenu) {}

    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_doubleClickCommand;
    UINT m_contextMenu;
};
