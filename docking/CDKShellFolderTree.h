#pragma once
// A tree of the file system's folders (and, on request, files) under the "Desktop", the user's
// home folder. Branches are read when they open; a right click offers Open, Rename, New Folder and
// Properties; a double click opens a file; labels can be edited to rename items; any branch can be
// read again, keeping the branches that were open and the selection.

#include "docking/CDKShellNamespace.h"

#include "platform/framework/afxwin.h"

#include <memory>
#include <unordered_map>

// The context menu's commands.
#define DK_SHELLCMD_OPEN 1
#define DK_SHELLCMD_PROPERTIES 2
#define DK_SHELLCMD_RENAME 19
#define DK_SHELLCMD_NEWFOLDER 27

class CDKShellFolderTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CDKShellFolderTree)
public:
    CDKShellFolderTree();
    ~CDKShellFolderTree() override;

    // Replaces the shell operations (tests use a namespace of their own).
    void SetNamespace(std::unique_ptr<CDKShellNamespace> pNamespace);
    CDKShellNamespace& GetNamespace() { return *m_pNamespace; }

    int m_bContextMenu = 1;
    int m_bFileSystemOnly = 1;
    int m_bShellOwner = 0;
    int m_bDesktopRoot = 1;
    int m_bShowFiles = 0;

    // Rebuilds the tree with the children of the folder (empty: the desktop) at its top.
    BOOL FillTree(LPCSTR lpszPath = "");
    BOOL SelectPath(LPCSTR lpszPath, BOOL bExpand);
    CString GetPathFromItem(HTREEITEM hItem) const;
    BOOL RefreshItem(HTREEITEM hItem);
    void LockRedraw(BOOL bUnlock);
    // Runs a command of the context menu on the item.
    BOOL InvokeCommand(HTREEITEM hItem, UINT nCmd);

    virtual BOOL IncludeItem(const CDKShellItem& item);
    virtual BOOL IncludeFile(LPCSTR lpszName);

protected:
    afx_msg void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CDKShellItem* Record(HTREEITEM hItem) const;
    HTREEITEM TopItem() const;
    HTREEITEM ItemAtCursor() const;
    void MakeImages();
    void FillChildren(HTREEITEM hParent, const CString& strFolder);
    bool Keeps(const CDKShellItem& item);
    void SortChildren(HTREEITEM hParent);
    // Removes the item's children; it keeps its button, so opening it reads them again.
    void DeleteChildren(HTREEITEM hItem);
    HTREEITEM FindChild(HTREEITEM hFirst, const CString& strName) const;
    void ShowContextMenu(HTREEITEM hItem);
    HTREEITEM InsertRecord(HTREEITEM hParent, const CDKShellItem& item);
    void MovePathsBelow(HTREEITEM hItem, const CString& strOld, const CString& strNew);

    std::unique_ptr<CDKShellNamespace> m_pNamespace;
    std::unordered_map<const CDKShellItem*, std::unique_ptr<CDKShellItem>> m_records;
    CImageList m_images;
    CString m_strTopPath;
    int m_nRedrawLock = 0;
    int m_bLabelEditing = 0;
};
