#include "docking/CDKFolderPickerDialog.h"

#include "platform/win/res/resources.h"

namespace {

constexpr const char* kTemplate = "CDKFolderPickerDialog";

void DeclareTemplate() {
    static const bool declared = [] {
        const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        pm::res::DialogTemplate t;
        t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = 260;
        t.cy = 200;
        t.caption = "Choose Folder";
        t.fontName = "MS Sans Serif";
        t.pointSize = 8;
        t.items = {
            {"SysTreeView32", "", IDC_FOLDERPICKER_TREE, 7, 7, 160, 150,
             child | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS |
                 TVS_SHOWSELALWAYS,
             0},
            {"EDIT", "", IDC_FOLDERPICKER_PATH, 7, 163, 160, 12, child | WS_BORDER | ES_AUTOHSCROLL, 0},
            {"BUTTON", "&Select", IDC_FOLDERPICKER_SELECT, 7, 180, 50, 14, child | BS_PUSHBUTTON, 0},
            {"BUTTON", "&Refresh", IDC_FOLDERPICKER_REFRESH, 62, 180, 50, 14, child | BS_PUSHBUTTON, 0},
            {"BUTTON", "&Context menu", IDC_FOLDERPICKER_CONTEXTMENU, 175, 7, 80, 10, child | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "File system &only", IDC_FOLDERPICKER_FILESYSTEM, 175, 21, 80, 10,
             child | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "Show &files", IDC_FOLDERPICKER_SHOWFILES, 175, 35, 80, 10, child | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "Shell o&wner", IDC_FOLDERPICKER_SHELLOWNER, 175, 49, 80, 10, child | BS_AUTOCHECKBOX,
             0},
            {"BUTTON", "&Desktop root", IDC_FOLDERPICKER_DESKTOPROOT, 175, 63, 80, 10,
             child | BS_AUTOCHECKBOX, 0},
            {"BUTTON", "OK", IDOK, 203, 162, 50, 14, child | BS_DEFPUSHBUTTON, 0},
            {"BUTTON", "Cancel", IDCANCEL, 203, 180, 50, 14, child | BS_PUSHBUTTON, 0},
        };
        pm::res::addDialog(kTemplate, t);
        return true;
    }();
    (void)declared;
}

} // namespace

BEGIN_MESSAGE_MAP(CDKFolderPickerDialog, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, IDC_FOLDERPICKER_TREE, OnTreeSelChanged)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_SELECT, OnSelectPath)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_CONTEXTMENU, OnContextMenuOption)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_FILESYSTEM, OnFileSystemOption)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_SHOWFILES, OnShowFilesOption)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_SHELLOWNER, OnShellOwnerOption)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_DESKTOPROOT, OnDesktopRootOption)
    ON_CONTROL(BN_CLICKED, IDC_FOLDERPICKER_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CDKFolderPickerDialog::CDKFolderPickerDialog(CWnd* pParentWnd)
    : CDialog((DeclareTemplate(), kTemplate), pParentWnd) {}

void CDKFolderPickerDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FOLDERPICKER_PATH, m_strSelectedPath);
    DDX_Check(pDX, IDC_FOLDERPICKER_CONTEXTMENU, m_bContextMenu);
    DDX_Check(pDX, IDC_FOLDERPICKER_FILESYSTEM, m_bFileSystemOnly);
    DDX_Check(pDX, IDC_FOLDERPICKER_SHOWFILES, m_bShowFiles);
    DDX_Check(pDX, IDC_FOLDERPICKER_SHELLOWNER, m_bShellOwner);
    DDX_Check(pDX, IDC_FOLDERPICKER_DESKTOPROOT, m_bDesktopRoot);
}

BOOL CDKFolderPickerDialog::OnInitDialog() {
    m_tree.SubclassDlgItem(IDC_FOLDERPICKER_TREE, this);
    m_tree.m_bContextMenu = m_bContextMenu;
    m_tree.m_bFileSystemOnly = m_bFileSystemOnly;
    m_tree.m_bShowFiles = m_bShowFiles;
    m_tree.m_bShellOwner = m_bShellOwner;
    m_tree.m_bDesktopRoot = m_bDesktopRoot;
    const CString strPath = m_strSelectedPath;
    CDialog::OnInitDialog();
    m_tree.FillTree();
    m_tree.SelectPath(strPath, FALSE);
    return TRUE;
}

void CDKFolderPickerDialog::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pnm = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    const CString strPath = m_tree.GetPathFromItem(pnm->itemNew.hItem);
    if (!strPath.IsEmpty()) m_strSelectedPath = strPath;
    UpdateData(FALSE);
    *pResult = 0;
}

void CDKFolderPickerDialog::OnSelectPath() {
    UpdateData(TRUE);
    CWaitCursor wait;
    m_tree.LockRedraw(FALSE);
    const BOOL bFound = m_tree.SelectPath(m_strSelectedPath, FALSE);
    m_tree.LockRedraw(TRUE);
    if (bFound) m_tree.SetFocus();
}

void CDKFolderPickerDialog::OnContextMenuOption() {
    UpdateData(TRUE);
    m_tree.m_bContextMenu = m_bContextMenu;
}

void CDKFolderPickerDialog::OnFileSystemOption() {
    UpdateData(TRUE);
    m_tree.m_bFileSystemOnly = m_bFileSystemOnly;
    m_tree.RefreshItem(TVI_ROOT);
}

void CDKFolderPickerDialog::OnShowFilesOption() {
    UpdateData(TRUE);
    m_tree.m_bShowFiles = m_bShowFiles;
    m_tree.RefreshItem(TVI_ROOT);
}

void CDKFolderPickerDialog::OnShellOwnerOption() {
    UpdateData(TRUE);
    m_tree.m_bShellOwner = m_bShellOwner;
    if (m_tree.m_hWnd) m_tree.GetNamespace().SetOwner(m_bShellOwner ? &m_tree : nullptr);
}

void CDKFolderPickerDialog::OnDesktopRootOption() {
    UpdateData(TRUE);
    m_tree.m_bDesktopRoot = m_bDesktopRoot;
    m_tree.RefreshItem(TVI_ROOT);
}

void CDKFolderPickerDialog::OnRefresh() {
    m_tree.RefreshItem(TVI_ROOT);
}
