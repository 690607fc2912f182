// The tree of sample files.

#include "app/program/CProjTreeCtrl.h"

#include "app/text_helpers.h"

BEGIN_MESSAGE_MAP(CProjTreeCtrl, CTreeCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CProjTreeCtrl::AddPaths(const CStringList& paths) {
    for (POSITION pos = paths.GetHeadPosition(); pos;)
        AddPath(paths.GetNext(pos));
}

HTREEITEM CProjTreeCtrl::FindChild(LPCTSTR lpszText, HTREEITEM hParent) const {
    HTREEITEM child = hParent ? GetChildItem(hParent) : GetRootItem();
    for (; child; child = GetNextSiblingItem(child))
        if (GetItemText(child) == lpszText) return child;
    return nullptr;
}

void CProjTreeCtrl::AddPath(LPCTSTR lpszPath) {
    HTREEITEM parent = GetRootItem();
    CString rest(lpszPath);
    CString part;
    while (SplitAtDelimiter(part, rest, '\\')) {
        HTREEITEM found = FindChild(part, parent);
        parent = found ? found : InsertItem(part, parent ? parent : TVI_ROOT, TVI_LAST);
    }
    if (!FindChild(rest, parent)) InsertItem(rest, parent ? parent : TVI_ROOT, TVI_LAST);
}

CString CProjTreeCtrl::GetSelectedPath() const {
    CString path;
    for (HTREEITEM item = GetSelectedItem(); item; item = GetParentItem(item))
        path = path.IsEmpty() ? GetItemText(item) : GetItemText(item) + "\\" + path;
    return path;
}

void CProjTreeCtrl::OnDestroy() {
    if (CImageList* images = GetImageList(TVSIL_NORMAL)) images->DeleteImageList();
    CTreeCtrl::OnDestroy();
}
