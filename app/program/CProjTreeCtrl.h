#pragma once
// CProjTreeCtrl: the tree of sample files. Paths with backslashes between their parts become
// nested items under the first root item, and the selected item gives its path back.

#include "docking/TabPageWindow.h"

class CProjTreeCtrl : public TabPageWindow<CTreeCtrl> {
public:
    // AddPath for each entry, in order.
    void AddPaths(const CStringList& paths);
    // Walks or creates the items of each folder of the relative path (texts compared with case)
    // under the first root item, then adds the last part unless it is there already.
    void AddPath(LPCTSTR lpszPath);
    // The first child of hParent whose text is lpszText exactly, or null.
    HTREEITEM FindChild(LPCTSTR lpszText, HTREEITEM hParent) const;
    // The texts of the selected item and its ancestors, from the root down, joined by backslashes;
    // "" when nothing is selected.
    CString GetSelectedPath() const;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
