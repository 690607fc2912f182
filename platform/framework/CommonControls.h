#pragma once
// Wrappers of the common controls and the rich-edit control: each is a CWnd whose members send
// the control's messages.

#include "platform/framework/CImageList.h"
#include "platform/framework/Controls.h"
#include "platform/win/richedit.h"

#include <type_traits>

namespace pm::afx {
// A message's result as the type the member returns.
template <class T> T fromResult(LRESULT r) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(r);
    else
        return static_cast<T>(r);
}
} // namespace pm::afx

#define PM_SEND(type, msg, w, l) pm::afx::fromResult<type>(SendMessage(msg, (WPARAM)(w), (LPARAM)(l)))

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CWnd* SetBuddy(CWnd* pWndBuddy) {
        return CWnd::FromHandle(PM_SEND(HWND, UDM_SETBUDDY, pm::afx::safeHwnd(pWndBuddy), 0));
    }
    CWnd* GetBuddy() const { return CWnd::FromHandle(PM_SEND(HWND, UDM_GETBUDDY, 0, 0)); }
    void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    void GetRange32(int& nLower, int& nUpper) const {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
    }
    int SetPos(int nPos) { return PM_SEND(int, UDM_SETPOS32, 0, nPos); }
    int GetPos() const { return PM_SEND(int, UDM_GETPOS32, 0, 0); }
    int SetBase(int nBase) { return PM_SEND(int, UDM_SETBASE, nBase, 0); }
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange32(int nLower, int nUpper) {
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
    int SetPos(int nPos) { return PM_SEND(int, PBM_SETPOS, nPos, 0); }
    int GetPos() const { return PM_SEND(int, PBM_GETPOS, 0, 0); }
    int OffsetPos(int nPos) { return PM_SEND(int, PBM_DELTAPOS, nPos, 0); }
    int SetStep(int nStep) { return PM_SEND(int, PBM_SETSTEP, nStep, 0); }
    int StepIt() { return PM_SEND(int, PBM_STEPIT, 0, 0); }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    int GetRangeMin() const { return PM_SEND(int, TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return PM_SEND(int, TBM_GETRANGEMAX, 0, 0); }
    int GetPos() const { return PM_SEND(int, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    int SetPageSize(int nSize) { return PM_SEND(int, TBM_SETPAGESIZE, 0, nSize); }
    int SetLineSize(int nSize) { return PM_SEND(int, TBM_SETLINESIZE, 0, nSize); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
};

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const { return PM_SEND(int, HDM_GETITEMCOUNT, 0, 0); }
    int InsertItem(int nPos, HDITEM* phdi) { return PM_SEND(int, HDM_INSERTITEM, nPos, phdi); }
    BOOL DeleteItem(int nPos) { return PM_SEND(BOOL, HDM_DELETEITEM, nPos, 0); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const {
        return PM_SEND(BOOL, HDM_GETITEM, nPos, pHeaderItem);
    }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return PM_SEND(BOOL, HDM_SETITEM, nPos, pHeaderItem); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return PM_SEND(BOOL, HDM_GETITEMRECT, nIndex, lpRect);
    }
    CImageList* SetImageList(CImageList* pImageList) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, HDM_SETIMAGELIST, 0, pm::afx::safeHandle(pImageList)));
    }
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    int SetMaxTipWidth(int iWidth) { return PM_SEND(int, TTM_SETMAXTIPWIDTH, 0, iWidth); }
    int GetToolCount() const { return PM_SEND(int, TTM_GETTOOLCOUNT, 0, 0); }
    void Pop() { SendMessage(TTM_POP); }
    BOOL GetToolInfo(TOOLINFO* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;

private:
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class CStatusBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetText(LPCSTR lpszText, int nPane, int nType) {
        return PM_SEND(BOOL, SB_SETTEXT, nPane | nType, lpszText);
    }
    CString GetText(int nPane, int* pType = nullptr) const;
    int GetTextLength(int nPane, int* pType = nullptr) const;
    BOOL SetParts(int nParts, int* pWidths) { return PM_SEND(BOOL, SB_SETPARTS, nParts, pWidths); }
    int GetParts(int nParts, int* pParts) const { return PM_SEND(int, SB_GETPARTS, nParts, pParts); }
    BOOL GetRect(int nPane, LPRECT lpRect) const { return PM_SEND(BOOL, SB_GETRECT, nPane, lpRect); }
    void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(nMin)); }
    BOOL SetSimple(BOOL bSimple = TRUE) { return PM_SEND(BOOL, SB_SIMPLE, bSimple, 0); }
    BOOL IsSimple() const { return PM_SEND(BOOL, SB_ISSIMPLE, 0, 0); }
};

class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) {
        return PM_SEND(BOOL, TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) {
        return PM_SEND(BOOL, TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0));
    }
    BOOL PressButton(int nID, BOOL bPress = TRUE) {
        return PM_SEND(BOOL, TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0));
    }
    BOOL HideButton(int nID, BOOL bHide = TRUE) {
        return PM_SEND(BOOL, TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0));
    }
    BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE) {
        return PM_SEND(BOOL, TB_INDETERMINATE, nID, MAKELPARAM(bIndeterminate, 0));
    }
    BOOL IsButtonEnabled(int nID) const { return PM_SEND(BOOL, TB_ISBUTTONENABLED, nID, 0); }
    BOOL IsButtonChecked(int nID) const { return PM_SEND(BOOL, TB_ISBUTTONCHECKED, nID, 0); }
    BOOL IsButtonPressed(int nID) const { return PM_SEND(BOOL, TB_ISBUTTONPRESSED, nID, 0); }
    BOOL IsButtonHidden(int nID) const { return PM_SEND(BOOL, TB_ISBUTTONHIDDEN, nID, 0); }
    BOOL SetState(int nID, UINT nState) { return PM_SEND(BOOL, TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }
    int GetState(int nID) const { return PM_SEND(int, TB_GETSTATE, nID, 0); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
        return PM_SEND(BOOL, TB_GETBUTTON, nIndex, lpButton);
    }
    int GetButtonCount() const { return PM_SEND(int, TB_BUTTONCOUNT, 0, 0); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return PM_SEND(BOOL, TB_GETITEMRECT, nIndex, lpRect);
    }
    BOOL GetRect(int nID, LPRECT lpRect) const { return PM_SEND(BOOL, TB_GETRECT, nID, lpRect); }
    void SetButtonStructSize(int nSize) { SendMessage(TB_BUTTONSTRUCTSIZE, static_cast<WPARAM>(nSize)); }
    BOOL SetButtonSize(CSize size) {
        return PM_SEND(BOOL, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
    }
    BOOL SetBitmapSize(CSize size) {
        return PM_SEND(BOOL, TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
    }
    CSize GetButtonSize() const;
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) {
        return PM_SEND(BOOL, TB_ADDBUTTONS, nNumButtons, lpButtons);
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) {
        return PM_SEND(BOOL, TB_INSERTBUTTON, nIndex, lpButton);
    }
    BOOL DeleteButton(int nIndex) { return PM_SEND(BOOL, TB_DELETEBUTTON, nIndex, 0); }
    BOOL MoveButton(UINT nOldPos, UINT nNewPos) { return PM_SEND(BOOL, TB_MOVEBUTTON, nOldPos, nNewPos); }
    UINT CommandToIndex(UINT nID) const { return PM_SEND(UINT, TB_COMMANDTOINDEX, nID, 0); }
    int HitTest(LPPOINT ppt) const { return PM_SEND(int, TB_HITTEST, 0, ppt); }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    int GetRows() const { return PM_SEND(int, TB_GETROWS, 0, 0); }
    BOOL SetCmdID(int nIndex, UINT nID) { return PM_SEND(BOOL, TB_SETCMDID, nIndex, nID); }
    BOOL SetIndent(int iIndent) { return PM_SEND(BOOL, TB_SETINDENT, iIndent, 0); }
    int GetHotItem() const { return PM_SEND(int, TB_GETHOTITEM, 0, 0); }
    int SetHotItem(int nHot) { return PM_SEND(int, TB_SETHOTITEM, nHot, 0); }
    DWORD GetStyle() const { return PM_SEND(DWORD, TB_GETSTYLE, 0, 0); }
    void SetStyle(DWORD dwStyle) { SendMessage(TB_SETSTYLE, 0, static_cast<LPARAM>(dwStyle)); }
    DWORD GetExtendedStyle() const { return PM_SEND(DWORD, TB_GETEXTENDEDSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return PM_SEND(DWORD, TB_SETEXTENDEDSTYLE, 0, dwExStyle); }
    BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const {
        return PM_SEND(BOOL, TB_GETBUTTONINFO, nID, ptbbi);
    }
    BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi) { return PM_SEND(BOOL, TB_SETBUTTONINFO, nID, ptbbi); }
    CImageList* SetImageList(CImageList* pImageList) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, TB_SETIMAGELIST, 0, pm::afx::safeHandle(pImageList)));
    }
    CImageList* GetImageList() const {
        return CImageList::FromHandle(PM_SEND(HIMAGELIST, TB_GETIMAGELIST, 0, 0));
    }
    CImageList* SetHotImageList(CImageList* pImageList) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, TB_SETHOTIMAGELIST, 0, pm::afx::safeHandle(pImageList)));
    }
    CImageList* SetDisabledImageList(CImageList* pImageList) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, TB_SETDISABLEDIMAGELIST, 0, pm::afx::safeHandle(pImageList)));
    }
    CToolTipCtrl* GetToolTips() const {
        return static_cast<CToolTipCtrl*>(CWnd::FromHandle(PM_SEND(HWND, TB_GETTOOLTIPS, 0, 0)));
    }
    void SetOwner(CWnd* pWnd) {
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(pm::afx::safeHwnd(pWnd)));
    }
    void Customize() { SendMessage(TB_CUSTOMIZE); }
    void SaveState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName);
    void RestoreState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName);
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CImageList* GetImageList() const {
        return CImageList::FromHandle(PM_SEND(HIMAGELIST, TCM_GETIMAGELIST, 0, 0));
    }
    CImageList* SetImageList(CImageList* pImageList) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, TCM_SETIMAGELIST, 0, pm::afx::safeHandle(pImageList)));
    }
    int GetItemCount() const { return PM_SEND(int, TCM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const {
        return PM_SEND(BOOL, TCM_GETITEM, nItem, pTabCtrlItem);
    }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return PM_SEND(BOOL, TCM_SETITEM, nItem, pTabCtrlItem); }
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) {
        return PM_SEND(LONG, TCM_INSERTITEM, nItem, pTabCtrlItem);
    }
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return PM_SEND(BOOL, TCM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return PM_SEND(BOOL, TCM_DELETEALLITEMS, 0, 0); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return PM_SEND(BOOL, TCM_GETITEMRECT, nItem, lpRect); }
    int GetCurSel() const { return PM_SEND(int, TCM_GETCURSEL, 0, 0); }
    int SetCurSel(int nItem) { return PM_SEND(int, TCM_SETCURSEL, nItem, 0); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return PM_SEND(int, TCM_HITTEST, 0, pHitTestInfo); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) {
        SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect));
    }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return PM_SEND(int, TCM_GETROWCOUNT, 0, 0); }
    int GetCurFocus() const { return PM_SEND(int, TCM_GETCURFOCUS, 0, 0); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
        return PM_SEND(HTREEITEM, TVM_INSERTITEM, 0, lpInsertStruct);
    }
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return PM_SEND(BOOL, TVM_DELETEITEM, 0, hItem); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return PM_SEND(BOOL, TVM_EXPAND, nCode, hItem); }
    UINT GetCount() const { return PM_SEND(UINT, TVM_GETCOUNT, 0, 0); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
        return PM_SEND(HTREEITEM, TVM_GETNEXTITEM, nCode, hItem);
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL Select(HTREEITEM hItem, UINT nCode) { return PM_SEND(BOOL, TVM_SELECTITEM, nCode, hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL GetItem(TVITEM* pItem) const { return PM_SEND(BOOL, TVM_GETITEM, 0, pItem); }
    BOOL SetItem(TVITEM* pItem) { return PM_SEND(BOOL, TVM_SETITEM, 0, pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
        return PM_SEND(UINT, TVM_GETITEMSTATE, hItem, nStateMask);
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    CImageList* GetImageList(UINT nImageList) const {
        return CImageList::FromHandle(PM_SEND(HIMAGELIST, TVM_GETIMAGELIST, nImageList, 0));
    }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, TVM_SETIMAGELIST, nImageListType, pm::afx::safeHandle(pImageList)));
    }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
        return PM_SEND(HTREEITEM, TVM_HITTEST, 0, pHitTestInfo);
    }
    BOOL SortChildren(HTREEITEM hItem) { return PM_SEND(BOOL, TVM_SORTCHILDREN, 0, hItem); }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return PM_SEND(BOOL, TVM_SORTCHILDRENCB, 0, pSort); }
    BOOL EnsureVisible(HTREEITEM hItem) { return PM_SEND(BOOL, TVM_ENSUREVISIBLE, 0, hItem); }
    CEdit* EditLabel(HTREEITEM hItem) {
        return static_cast<CEdit*>(CWnd::FromHandle(PM_SEND(HWND, TVM_EDITLABEL, 0, hItem)));
    }
    CEdit* GetEditControl() const {
        return static_cast<CEdit*>(CWnd::FromHandle(PM_SEND(HWND, TVM_GETEDITCONTROL, 0, 0)));
    }
    UINT GetVisibleCount() const { return PM_SEND(UINT, TVM_GETVISIBLECOUNT, 0, 0); }
    UINT GetIndent() const { return PM_SEND(UINT, TVM_GETINDENT, 0, 0); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const { return PM_SEND(int, LVM_GETITEMCOUNT, 0, 0); }
    void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nItems)); }
    BOOL GetItem(LVITEM* pItem) const { return PM_SEND(BOOL, LVM_GETITEM, 0, pItem); }
    BOOL SetItem(const LVITEM* pItem) { return PM_SEND(BOOL, LVM_SETITEM, 0, pItem); }
    int InsertItem(const LVITEM* pItem) { return PM_SEND(int, LVM_INSERTITEM, 0, pItem); }
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return PM_SEND(BOOL, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return PM_SEND(BOOL, LVM_DELETEALLITEMS, 0, 0); }
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return PM_SEND(UINT, LVM_GETITEMSTATE, nItem, nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    int GetNextItem(int nItem, int nFlags) const {
        return PM_SEND(int, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
    }
    UINT GetSelectedCount() const { return PM_SEND(UINT, LVM_GETSELECTEDCOUNT, 0, 0); }
    int GetSelectionMark() const { return PM_SEND(int, LVM_GETSELECTIONMARK, 0, 0); }
    int SetSelectionMark(int iIndex) { return PM_SEND(int, LVM_SETSELECTIONMARK, 0, iIndex); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return PM_SEND(int, LVM_HITTEST, 0, pHitTestInfo); }
    int SubItemHitTest(LVHITTESTINFO* pInfo) { return PM_SEND(int, LVM_SUBITEMHITTEST, 0, pInfo); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
        return PM_SEND(BOOL, LVM_ENSUREVISIBLE, nItem, bPartialOK);
    }
    BOOL Scroll(CSize size) { return PM_SEND(BOOL, LVM_SCROLL, size.cx, size.cy); }
    BOOL RedrawItems(int nFirst, int nLast) { return PM_SEND(BOOL, LVM_REDRAWITEMS, nFirst, nLast); }
    BOOL Update(int nItem) { return PM_SEND(BOOL, LVM_UPDATE, nItem, 0); }
    int GetTopIndex() const { return PM_SEND(int, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return PM_SEND(int, LVM_GETCOUNTPERPAGE, 0, 0); }
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) {
        return PM_SEND(int, LVM_INSERTCOLUMN, nCol, pColumn);
    }
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return PM_SEND(BOOL, LVM_DELETECOLUMN, nCol, 0); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return PM_SEND(BOOL, LVM_GETCOLUMN, nCol, pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return PM_SEND(BOOL, LVM_SETCOLUMN, nCol, pColumn); }
    int GetColumnWidth(int nCol) const { return PM_SEND(int, LVM_GETCOLUMNWIDTH, nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) {
        return PM_SEND(BOOL, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
    }
    CHeaderCtrl* GetHeaderCtrl() const {
        return static_cast<CHeaderCtrl*>(CWnd::FromHandle(PM_SEND(HWND, LVM_GETHEADER, 0, 0)));
    }
    DWORD GetExtendedStyle() const { return PM_SEND(DWORD, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) {
        return PM_SEND(DWORD, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
    }
    CImageList* GetImageList(int nImageList) const {
        return CImageList::FromHandle(PM_SEND(HIMAGELIST, LVM_GETIMAGELIST, nImageList, 0));
    }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
        return CImageList::FromHandle(
            PM_SEND(HIMAGELIST, LVM_SETIMAGELIST, nImageListType, pm::afx::safeHandle(pImageList)));
    }
    COLORREF GetBkColor() const { return PM_SEND(COLORREF, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return PM_SEND(BOOL, LVM_SETBKCOLOR, 0, cr); }
    BOOL SetTextColor(COLORREF cr) { return PM_SEND(BOOL, LVM_SETTEXTCOLOR, 0, cr); }
    BOOL SetTextBkColor(COLORREF cr) { return PM_SEND(BOOL, LVM_SETTEXTBKCOLOR, 0, cr); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
        return PM_SEND(BOOL, LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare));
    }
};

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void SetSel(long nStartChar, long nEndChar);
    long GetSelText(LPSTR lpBuf) const { return PM_SEND(long, EM_GETSELTEXT, 0, lpBuf); }
    CString GetSelText() const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE) {
        SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
    }
    void HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, bHide, bPerm); }
    long GetTextLength() const { return PM_SEND(long, WM_GETTEXTLENGTH, 0, 0); }
    long GetTextRange(int nFirst, int nLast, CString& refString) const;
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    long LineFromChar(long nIndex) const { return PM_SEND(long, EM_EXLINEFROMCHAR, 0, nIndex); }
    int LineIndex(int nLine = -1) const { return PM_SEND(int, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return PM_SEND(int, EM_LINELENGTH, nLine, 0); }
    int GetLineCount() const { return PM_SEND(int, EM_GETLINECOUNT, 0, 0); }
    int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const { return PM_SEND(int, EM_GETFIRSTVISIBLELINE, 0, 0); }
    void LineScroll(int nLines, int nChars = 0) {
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
    }
    CPoint GetCharPos(long lChar) const;
    DWORD GetEventMask() const { return PM_SEND(DWORD, EM_GETEVENTMASK, 0, 0); }
    DWORD SetEventMask(DWORD dwEventMask) { return PM_SEND(DWORD, EM_SETEVENTMASK, 0, dwEventMask); }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    BOOL SetParaFormat(PARAFORMAT& pf);
    long FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const {
        return PM_SEND(long, EM_FINDTEXTEX, dwFlags, pFindText);
    }
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE) {
        return PM_SEND(long, EM_FORMATRANGE, bDisplay, pfr);
    }
    long StreamIn(int nFormat, EDITSTREAM& es) { return PM_SEND(long, EM_STREAMIN, nFormat, &es); }
    long StreamOut(int nFormat, EDITSTREAM& es) { return PM_SEND(long, EM_STREAMOUT, nFormat, &es); }
    BOOL GetModify() const { return PM_SEND(BOOL, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return PM_SEND(BOOL, EM_SETREADONLY, bReadOnly, 0); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
        return PM_SEND(COLORREF, EM_SETBKGNDCOLOR, bSysColor, cr);
    }
    UINT SetOptions(WORD wOp, DWORD dwFlags) { return PM_SEND(UINT, EM_SETOPTIONS, wOp, dwFlags); }
    BOOL CanUndo() const { return PM_SEND(BOOL, EM_CANUNDO, 0, 0); }
    BOOL CanRedo() const { return PM_SEND(BOOL, EM_CANREDO, 0, 0); }
    BOOL Undo() { return PM_SEND(BOOL, EM_UNDO, 0, 0); }
    BOOL Redo() { return PM_SEND(BOOL, EM_REDO, 0, 0); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL CanPaste(UINT nFormat = 0) const { return PM_SEND(BOOL, EM_CANPASTE, nFormat, 0); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void RequestResize() { SendMessage(EM_REQUESTRESIZE); }
};

#undef PM_SEND
