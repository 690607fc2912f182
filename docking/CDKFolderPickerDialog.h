#pragma once
// A dialog around a shell folder tree: the chosen folder's path follows the selection, a typed path
// can be selected, and options change what the tree shows.

#include "docking/CDKShellFolderTree.h"

#include "platform/framework/afxwin.h"

// The dialog's controls.
#define IDC_FOLDERPICKER_TREE 1001
#define IDC_FOLDERPICKER_SELECT 1002
#define IDC_FOLDERPICKER_CONTEXTMENU 1003
#define IDC_FOLDERPICKER_FILESYSTEM 1004
#define IDC_FOLDERPICKER_SHOWFILES 1005
#define IDC_FOLDERPICKER_PATH 1006
#define IDC_FOLDERPICKER_SHELLOWNER 1008
#define IDC_FOLDERPICKER_DESKTOPROOT 1009
#define IDC_FOLDERPICKER_REFRESH 1010

class CDKFolderPickerDialog : public CDialog {
public:
    explicit CDKFolderPickerDialog(CWnd* pParentWnd = nullptr);

    CDKShellFolderTree m_tree;
    CString m_strSelectedPath;
    int m_bContextMenu = 1;
    int m_bFileSystemOnly = 1;
    int m_bShowFiles = 0;
    int m_bShellOwner = 0;
    int m_bDesktopRoot = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelectPath();
    afx_msg void OnContextMenuOption();
    afx_msg void OnFileSystemOption();
    afx_msg void OnShowFilesOption();
    afx_msg void OnShellOwnerOption();
    afx_msg void OnDesktopRootOption();
    afx_msg void OnRefresh();
    DECLARE_MESSAGE_MAP()
};
