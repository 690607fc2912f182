// The common controls' wrappers: creation, and the members that fill structures.

#include "platform/framework/CommonControls.h"

#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/CGdiObject.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

// Creates a common control of the class, registering the common classes first.
BOOL createControl(CWnd* pWnd, LPCSTR cls, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    ::InitCommonControls();
    return pWnd->CWnd::Create(cls, nullptr, dwStyle, rect, pParentWnd, nID);
}

} // namespace

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, UPDOWN_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, PROGRESS_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, TRACKBAR_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, STATUSCLASSNAME, dwStyle, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    if (!createControl(this, TOOLBARCLASSNAME, dwStyle, rect, pParentWnd, nID)) return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, WC_TABCONTROL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, WC_TREEVIEW, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return createControl(this, WC_LISTVIEW, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    ::RegisterRichEditClasses();
    return CWnd::Create(RICHEDIT_CLASS10A, nullptr, dwStyle, rect, pParentWnd, nID);
}

// ---- Tool tips ----

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    ::InitCommonControls();
    return CWnd::CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pm::afx::safeHwnd(pParentWnd), nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
    ti = TOOLINFO{};
    ti.cbSize = sizeof(ti);
    if (nIDTool == 0) {
        // The tool is the window itself.
        ti.hwnd = ::GetParent(pWnd->m_hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    } else {
        ti.hwnd = pWnd->m_hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        pWnd->GetClientRect(&ti.rect);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    ti.uFlags |= TTF_SUBCLASS;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    static CString text;
    text = AfxLoadString(nIDText);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
    FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo)));
}

// ---- Status bar and tool bar ----

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const {
    auto result = static_cast<DWORD>(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(nPane)));
    if (pType) *pType = HIWORD(result);
    return LOWORD(result);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
    CString text;
    int length = GetTextLength(nPane, pType);
    SendMessage(SB_GETTEXT, static_cast<WPARAM>(nPane),
                reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer();
    return text;
}

CSize CToolBarCtrl::GetButtonSize() const {
    auto size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return CSize(LOWORD(size), HIWORD(size));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap) {
    TBADDBITMAP tb{nullptr, reinterpret_cast<UINT_PTR>(static_cast<HBITMAP>(*pBitmap))};
    return static_cast<int>(
        SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(&tb)));
}

void CToolBarCtrl::SaveState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName) {
    TBSAVEPARAMS params{hKeyRoot, lpszSubKey, lpszValueName};
    SendMessage(TB_SAVERESTORE, TRUE, reinterpret_cast<LPARAM>(&params));
}

void CToolBarCtrl::RestoreState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName) {
    TBSAVEPARAMS params{hKeyRoot, lpszSubKey, lpszValueName};
    SendMessage(TB_SAVERESTORE, FALSE, reinterpret_cast<LPARAM>(&params));
}

// ---- Tab control ----

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
    TCITEM item{};
    item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}

CSize CTabCtrl::SetItemSize(CSize size) {
    auto old = static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    return CSize(LOWORD(old), HIWORD(old));
}

// ---- Tree ----

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = const_cast<LPSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    return InsertItem(&tvis);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    char buffer[1024] = {};
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    GetItem(&item);
    return CString(item.pszText ? item.pszText : "");
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem) {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    BOOL ok = GetItem(&item);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    TVITEM item{};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    return TreeView_GetItemRect(m_hWnd, hItem, lpRect, bTextOnly);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return hItem;
}

// ---- List ----

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
    LVITEM item{};
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    char buffer[4096] = {};
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    return CString(item.pszText ? item.pszText : "");
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
    ref.top = iSubItem;
    ref.left = nArea;
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), reinterpret_cast<LPARAM>(&ref)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    LVHITTESTINFO info{};
    info.pt = pt;
    int index = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return index;
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

// ---- Rich edit ----

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
    CHARRANGE cr{0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
    CHARRANGE cr{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const {
    CHARRANGE cr{0, 0};
    GetSel(cr);
    CString text;
    int length = cr.cpMax > cr.cpMin ? static_cast<int>(cr.cpMax - cr.cpMin) : 0;
    long n = GetSelText(text.GetBufferSetLength(length));
    text.ReleaseBuffer(static_cast<int>(n));
    return text;
}

long CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const {
    TEXTRANGEA range{};
    range.chrg.cpMin = nFirst;
    range.chrg.cpMax = nLast;
    int length = nLast > nFirst ? nLast - nFirst : 0;
    range.lpstrText = refString.GetBufferSetLength(length);
    long n = static_cast<long>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    refString.ReleaseBuffer(static_cast<int>(n));
    return n;
}

int CRichEditCtrl::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
    if (nMaxLength < 2) return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength);
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

CPoint CRichEditCtrl::GetCharPos(long lChar) const {
    POINT pt{0, 0};
    SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), lChar);
    return CPoint(static_cast<int>(pt.x), static_cast<int>(pt.y));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof(cf);
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof(cf);
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof(cf);
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof(cf);
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof(cf);
    return static_cast<BOOL>(
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const {
    pf.cbSize = sizeof(pf);
    return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf) {
    pf.cbSize = sizeof(pf);
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}
