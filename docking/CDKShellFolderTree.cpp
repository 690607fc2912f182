#include "docking/CDKShellFolderTree.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDKShellFolderTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CDKShellFolderTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDoubleClick)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDIT, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// Images of the tree's own list.
enum { kDesktopImage, kFolderImage, kOpenFolderImage, kFileImage, kImageCount };
constexpr int kIconSize = 16;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

void DrawFolder(CDC& dc, int x, bool bOpen) {
    const COLORREF outline = RGB(128, 96, 0);
    dc.FillSolidRect(x + 1, 3, 6, 2, outline);
    dc.FillSolidRect(x + 1, 4, 14, 10, outline);
    dc.FillSolidRect(x + 2, 5, 12, 8, RGB(255, 214, 90));
    if (bOpen) {
        POINT flap[] = {{x + 4, 8}, {x + 15, 8}, {x + 13, 14}, {x + 1, 14}};
        CBrush face(RGB(255, 236, 150));
        CPen edge(PS_SOLID, 1, outline);
        CBrush* pOldBrush = dc.SelectObject(&face);
        CPen* pOldPen = dc.SelectObject(&edge);
        dc.Polygon(flap, 4);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);
    }
}

void DrawDesktop(CDC& dc, int x) {
    dc.FillSolidRect(x + 1, 2, 14, 10, RGB(64, 64, 64));
    dc.FillSolidRect(x + 2, 3, 12, 8, RGB(0, 128, 128));
    dc.FillSolidRect(x + 6, 12, 4, 2, RGB(64, 64, 64));
    dc.FillSolidRect(x + 4, 14, 8, 1, RGB(64, 64, 64));
}

void DrawFile(CDC& dc, int x) {
    dc.FillSolidRect(x + 3, 1, 10, 14, RGB(96, 96, 96));
    dc.FillSolidRect(x + 4, 2, 8, 12, RGB(255, 255, 255));
    for (int y = 5; y < 13; y += 2)
        dc.FillSolidRect(x + 5, y, 6, 1, RGB(160, 160, 160));
}

} // namespace

CDKShellFolderTree::CDKShellFolderTree() : m_pNamespace(std::make_unique<CDKShellNamespace>()) {}

CDKShellFolderTree::~CDKShellFolderTree() = default;

void CDKShellFolderTree::SetNamespace(std::unique_ptr<CDKShellNamespace> pNamespace) {
    m_pNamespace = std::move(pNamespace);
}

CDKShellItem* CDKShellFolderTree::Record(HTREEITEM hItem) const {
    if (!hItem || hItem == TVI_ROOT) return nullptr;
    return reinterpret_cast<CDKShellItem*>(GetItemData(hItem));
}

CString CDKShellFolderTree::GetPathFromItem(HTREEITEM hItem) const {
    const CDKShellItem* pRecord = Record(hItem);
    return pRecord ? pRecord->m_strPath : CString();
}

BOOL CDKShellFolderTree::IncludeItem(const CDKShellItem&) {
    return TRUE;
}

BOOL CDKShellFolderTree::IncludeFile(LPCSTR) {
    return TRUE;
}

void CDKShellFolderTree::MakeImages() {
    if (m_images.GetSafeHandle()) return;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap strip;
    strip.CreateCompatibleBitmap(&screen, kIconSize * kImageCount, kIconSize);
    ::ReleaseDC(nullptr, screen.Detach());
    CBitmap* pOld = dc.SelectObject(&strip);
    dc.FillSolidRect(0, 0, kIconSize * kImageCount, kIconSize, kMaskColour);
    DrawDesktop(dc, kDesktopImage * kIconSize);
    DrawFolder(dc, kFolderImage * kIconSize, false);
    DrawFolder(dc, kOpenFolderImage * kIconSize, true);
    DrawFile(dc, kFileImage * kIconSize);
    dc.SelectObject(pOld);
    m_images.Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK, kImageCount, 0);
    m_images.Add(&strip, kMaskColour);
}

BOOL CDKShellFolderTree::FillTree(LPCSTR lpszPath) {
    m_pNamespace->SetOwner(m_bShellOwner ? this : nullptr);
    MakeImages();
    SetImageList(&m_images, TVSIL_NORMAL);
    CString strTop = lpszPath && *lpszPath ? CString(lpszPath) : m_pNamespace->GetDesktopPath();
    if (!m_pNamespace->IsFolder(strTop)) return FALSE;
    SelectItem(nullptr);
    DeleteAllItems();
    m_strTopPath = strTop;
    HTREEITEM hParent = TVI_ROOT;
    if (m_bDesktopRoot) {
        TVINSERTSTRUCT tvis{};
        tvis.hParent = TVI_ROOT;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask =
            TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN | TVIF_PARAM;
        tvis.item.pszText = const_cast<LPSTR>("Desktop");
        tvis.item.iImage = tvis.item.iSelectedImage = kDesktopImage;
        tvis.item.state = tvis.item.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        tvis.item.cChildren = 1;
        hParent = InsertItem(&tvis);
    }
    FillChildren(hParent, strTop);
    SortChildren(hParent);
    return TRUE;
}

bool CDKShellFolderTree::Keeps(const CDKShellItem& item) {
    const DWORD a = item.m_dwAttributes;
    const bool bFolder = (a & DK_SHELL_FOLDER) != 0;
    const bool bFileSystem = (a & DK_SHELL_FILESYSTEM) != 0;
    bool bKeep = m_bFileSystemOnly ? bFileSystem && (bFolder || m_bShowFiles) : bFolder || m_bShowFiles;
    if (bKeep && bFileSystem && !bFolder) bKeep = IncludeFile(item.m_strName) != FALSE;
    return bKeep && IncludeItem(item);
}

HTREEITEM CDKShellFolderTree::InsertRecord(HTREEITEM hParent, const CDKShellItem& item) {
    auto pRecord = std::make_unique<CDKShellItem>(item);
    const bool bFolder = (item.m_dwAttributes & DK_SHELL_FOLDER) != 0;
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    tvis.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(item.m_strName));
    tvis.item.iImage = bFolder ? kFolderImage : kFileImage;
    tvis.item.iSelectedImage = bFolder ? kOpenFolderImage : kFileImage;
    tvis.item.cChildren = (item.m_dwAttributes & DK_SHELL_HASSUBFOLDER) || (m_bShowFiles && bFolder) ? 1 : 0;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pRecord.get());
    HTREEITEM hItem = InsertItem(&tvis);
    if (hItem) m_records[pRecord.get()] = std::move(pRecord);
    return hItem;
}

void CDKShellFolderTree::FillChildren(HTREEITEM hParent, const CString& strFolder) {
    CWaitCursor wait;
    std::vector<CDKShellItem> items;
    if (!m_pNamespace->EnumChildren(strFolder, items)) return;
    for (const CDKShellItem& item : items)
        if (Keeps(item)) InsertRecord(hParent, item);
}

void CDKShellFolderTree::SortChildren(HTREEITEM hParent) {
    TVSORTCB sort{};
    sort.hParent = hParent;
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM) -> int {
        const auto* pA = reinterpret_cast<const CDKShellItem*>(a);
        const auto* pB = reinterpret_cast<const CDKShellItem*>(b);
        return pA && pB ? CDKShellNamespace::Compare(*pA, *pB) : 0;
    };
    SortChildrenCB(&sort);
}

HTREEITEM CDKShellFolderTree::TopItem() const {
    HTREEITEM hRoot = GetRootItem();
    if (m_bDesktopRoot && hRoot && !Record(hRoot)) return GetChildItem(hRoot);
    return hRoot;
}

HTREEITEM CDKShellFolderTree::FindChild(HTREEITEM hFirst, const CString& strName) const {
    for (HTREEITEM h = hFirst; h; h = GetNextSiblingItem(h)) {
        const CDKShellItem* pRecord = Record(h);
        if (pRecord && pRecord->m_strName == strName) return h;
    }
    return nullptr;
}

BOOL CDKShellFolderTree::SelectPath(LPCSTR lpszPath, BOOL bExpand) {
    CString strPath = lpszPath ? lpszPath : "";
    if (strPath.IsEmpty()) return TRUE;
    while (strPath.GetLength() > 1 && strPath.Right(1) == "/")
        strPath = strPath.Left(strPath.GetLength() - 1);
    CString strTop = m_strTopPath;
    if (strTop.Right(1) != "/") strTop += "/";
    if (strPath.Left(strTop.GetLength()) != strTop) return FALSE;
    std::vector<CString> parts;
    CString rest = strPath.Mid(strTop.GetLength());
    while (!rest.IsEmpty()) {
        const int slash = rest.Find('/');
        const CString part = slash >= 0 ? rest.Left(slash) : rest;
        rest = slash >= 0 ? rest.Mid(slash + 1) : CString();
        if (!part.IsEmpty()) parts.push_back(part);
    }
    if (parts.empty()) return FALSE;
    HTREEITEM hLevel = TopItem();
    for (size_t i = 0; i < parts.size(); ++i) {
        HTREEITEM hItem = FindChild(hLevel, parts[i]);
        if (!hItem) return FALSE;
        if (i + 1 < parts.size()) {
            Expand(hItem, TVE_EXPAND);
            hLevel = GetChildItem(hItem);
            continue;
        }
        SelectItem(hItem);
        if (bExpand) Expand(hItem, TVE_EXPAND);
        EnsureVisible(hItem);
    }
    return TRUE;
}

BOOL CDKShellFolderTree::RefreshItem(HTREEITEM hItem) {
    const CString strSelected = GetPathFromItem(GetSelectedItem());
    SelectItem(nullptr);
    HTREEITEM hStart = nullptr;
    const bool bRoot = hItem == TVI_ROOT;
    bool bWasExpanded = false;
    if (bRoot) {
        hStart = TopItem();
    } else {
        bWasExpanded = (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        if (!bWasExpanded) {
            // Read again when it opens: the old children go now, so they are not listed twice.
            DeleteChildren(hItem);
            SetItemState(hItem, 0, TVIS_EXPANDEDONCE);
            SelectPath(strSelected, FALSE);
            return TRUE;
        }
        hStart = GetChildItem(hItem);
    }
    std::vector<CString> expanded;
    for (HTREEITEM h = hStart; h; h = GetNextVisibleItem(h))
        if (GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) expanded.push_back(GetPathFromItem(h));
    LockRedraw(FALSE);
    if (bRoot) {
        FillTree(m_strTopPath);
    } else {
        DeleteChildren(hItem);
        SetItemState(hItem, 0, TVIS_EXPANDEDONCE);
        Expand(hItem, TVE_COLLAPSE);
        Expand(hItem, TVE_EXPAND);
    }
    for (const CString& strPath : expanded)
        SelectPath(strPath, TRUE);
    SelectPath(strSelected, TRUE);
    LockRedraw(TRUE);
    return TRUE;
}

void CDKShellFolderTree::DeleteChildren(HTREEITEM hItem) {
    while (HTREEITEM hChild = GetChildItem(hItem))
        DeleteItem(hChild);
    TVITEM item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = 1;
    SetItem(&item);
}

void CDKShellFolderTree::LockRedraw(BOOL bUnlock) {
    if (!bUnlock) {
        if (m_nRedrawLock++ == 0) SendMessage(WM_SETREDRAW, FALSE);
        return;
    }
    if (m_nRedrawLock == 0) return;
    if (--m_nRedrawLock == 0) SendMessage(WM_SETREDRAW, TRUE);
}

HTREEITEM CDKShellFolderTree::ItemAtCursor() const {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    return HitTest(point);
}

void CDKShellFolderTree::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* pnm = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pnm->itemNew.hItem;
    if (pnm->action != TVE_EXPAND || (GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) return;
    const CDKShellItem* pRecord = Record(hItem);
    if (!pRecord) return;
    FillChildren(hItem, pRecord->m_strPath);
    SortChildren(hItem);
}

void CDKShellFolderTree::OnRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    if (!m_bContextMenu) return;
    HTREEITEM hItem = ItemAtCursor();
    if (Record(hItem)) ShowContextMenu(hItem);
}

void CDKShellFolderTree::ShowContextMenu(HTREEITEM hItem) {
    const CDKShellItem* pRecord = Record(hItem);
    const bool bCanRename = (GetStyle() & TVS_EDITLABELS) && (pRecord->m_dwAttributes & DK_SHELL_CANRENAME);
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    menu.AppendMenu(MF_STRING, DK_SHELLCMD_OPEN, "&Open");
    menu.AppendMenu(MF_STRING | (bCanRename ? 0 : MF_GRAYED), DK_SHELLCMD_RENAME, "Rena&me");
    if (pRecord->m_dwAttributes & DK_SHELL_FOLDER)
        menu.AppendMenu(MF_STRING, DK_SHELLCMD_NEWFOLDER, "New &Folder");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, DK_SHELLCMD_PROPERTIES, "P&roperties");
    menu.SetDefaultItem(DK_SHELLCMD_OPEN);
    CPoint point;
    ::GetCursorPos(&point);
    const UINT nCmd = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, this);
    if (nCmd) InvokeCommand(hItem, nCmd);
}

BOOL CDKShellFolderTree::InvokeCommand(HTREEITEM hItem, UINT nCmd) {
    const CDKShellItem* pRecord = Record(hItem);
    if (!pRecord) return FALSE;
    switch (nCmd) {
    case DK_SHELLCMD_RENAME:
        // By handle: the edit control has no framework object of its own.
        return SendMessage(TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
    case DK_SHELLCMD_OPEN:
        return m_pNamespace->OpenItem(pRecord->m_strPath);
    case DK_SHELLCMD_PROPERTIES:
        m_pNamespace->ShowProperties(pRecord->m_strPath);
        return TRUE;
    case DK_SHELLCMD_NEWFOLDER: {
        const CString strNew = m_pNamespace->CreateFolder(pRecord->m_strPath);
        if (strNew.IsEmpty()) return FALSE;
        RefreshItem(hItem);
        return SelectPath(strNew, FALSE);
    }
    default:
        return FALSE;
    }
}

void CDKShellFolderTree::OnDoubleClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    const CDKShellItem* pRecord = Record(ItemAtCursor());
    if (pRecord && !(pRecord->m_dwAttributes & DK_SHELL_FOLDER)) m_pNamespace->OpenItem(pRecord->m_strPath);
}

void CDKShellFolderTree::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pInfo = reinterpret_cast<const NMTVDISPINFO*>(pNMHDR);
    const CDKShellItem* pRecord = Record(pInfo->item.hItem);
    const bool bAllowed = pRecord && (pRecord->m_dwAttributes & DK_SHELL_CANRENAME);
    // Only an edit that goes ahead ends with TVN_ENDLABELEDIT, which clears the flag again.
    if (bAllowed) m_bLabelEditing = 1;
    *pResult = bAllowed ? FALSE : TRUE;
}

void CDKShellFolderTree::MovePathsBelow(HTREEITEM hItem, const CString& strOld, const CString& strNew) {
    for (HTREEITEM h = GetChildItem(hItem); h; h = GetNextSiblingItem(h)) {
        CDKShellItem* pRecord = Record(h);
        if (pRecord && pRecord->m_strPath.Left(strOld.GetLength() + 1) == strOld + "/")
            pRecord->m_strPath = strNew + pRecord->m_strPath.Mid(strOld.GetLength());
        MovePathsBelow(h, strOld, strNew);
    }
}

void CDKShellFolderTree::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pInfo = reinterpret_cast<const NMTVDISPINFO*>(pNMHDR);
    m_bLabelEditing = 0;
    *pResult = FALSE;
    CDKShellItem* pRecord = Record(pInfo->item.hItem);
    if (!pRecord || !pInfo->item.pszText || !*pInfo->item.pszText) return;
    CWaitCursor wait;
    const CString strNew = m_pNamespace->Rename(pRecord->m_strPath, pInfo->item.pszText);
    if (strNew.IsEmpty()) return;
    // The items below keep pointing at what they show.
    MovePathsBelow(pInfo->item.hItem, pRecord->m_strPath, strNew);
    pRecord->m_strPath = strNew;
    pRecord->m_strName = pInfo->item.pszText;
    *pResult = TRUE;
}

void CDKShellFolderTree::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pnm = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    m_records.erase(reinterpret_cast<const CDKShellItem*>(pnm->itemOld.lParam));
    *pResult = 0;
}

void CDKShellFolderTree::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bLabelEditing) {
        SetFocus();
        return;
    }
    CTreeCtrl::OnLButtonDown(nFlags, point);
}
