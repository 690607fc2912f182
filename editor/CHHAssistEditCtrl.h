#pragma once
// CHHAssistEditCtrl: the source edit control with code assistance. A member list opens after '.'
// or on command and completes the word being typed; a quick-information tip shows the signature
// of the word at the caret; a margin shows bookmarks and breakpoints that follow their lines
// while the text is edited; and hooks keep a protected head and tail of the text out of reach.
// Derived controls fill the list and the tip from their own sources.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHExpressionInfo.h"
#include "editor/CHHLineMarker.h"
#include "editor/CHHListPopupWnd.h"
#include "editor/CHHMarginWnd.h"
#include "editor/CHHMemberItem.h"
#include "editor/CHHMemberListBox.h"
#include "editor/CHHQuickInfoWnd.h"
#include "platform/framework/CImageList.h"

// Reasons for ConstrainSelection.
#define HHCONSTRAIN_TYPING 1
#define HHCONSTRAIN_DELETE 3
#define HHCONSTRAIN_BACKSPACE 4
#define HHCONSTRAIN_CLICK_OR_CUT 5

// Member-list kinds.
#define HHLIST_MEMBERS 0
#define HHLIST_FUNCTIONS 3

class CHHAssistEditCtrl : public CHHEditCtrl {
    DECLARE_DYNAMIC(CHHAssistEditCtrl)
public:
    static constexpr UINT kListBoxId = 100;
    static constexpr int kListWidth = 150;

    CHHAssistEditCtrl();
    ~CHHAssistEditCtrl() override;

    // ---- Operations added (virtual, in slot order) ----
    virtual BYTE GetLineMarkers(int line);
    // line -1 is the caret's line; operation 0 clears, 1 sets, 2 toggles the bits.
    virtual void SetLineMarker(int line, BYTE bits, int operation);
    virtual void ClearAllMarkers(BYTE bits);
    virtual BOOL GetExpressionAt(LPSTR lineText, int column, CHHExpressionInfo& info);
    virtual void LoadMemberList(CHHExpressionInfo& info, int kind);
    virtual void FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind);
    virtual CString GetQuickInfoText(CHHExpressionInfo& info);
    virtual void GetEditableRange(int& start, int& end);
    virtual void ConstrainSelection(int reason);

    // ---- Overrides ----
    BOOL InitControl(BOOL loadSettings) override;
    void OnTextChanged(BOOL deleted, int start, int end) override;
    void MarkLine(int line) override;
    BOOL IsProtectedChange(const ENPROTECTED* protectedChange) override;

    // ---- Public operations ----
    void EnableBreakpoints(BOOL enable);
    BOOL AreBreakpointsEnabled() const { return !(m_nDisabledMarkers & HHMARK_BREAKPOINT); }
    void ToggleBreakpoint(int line);
    void ToggleBookmark(int line);
    void SetBookmark(int line, BOOL set);
    void ClearAllBreakpoints();
    void ClearAllBookmarks();
    void GoToBookmark(BOOL forward);
    CHHMarginWnd* GetMarginWnd() { return &m_wndMargin; }
    COLORREF GetListItemColor(int index) const;
    BOOL IsListSorted() const { return m_bSortByGroup; }
    const CHHLineMarkerArray& GetMarkers() { return markers(); }

    // The open list (null when closed), its popup and the tip, for looking at them.
    BOOL IsListOpen() const { return m_nListAnchor >= 0; }
    int GetListAnchor() const { return m_nListAnchor; }
    CHHMemberListBox& GetListBox() { return m_wndList; }
    CHHListPopupWnd& GetListPopup() { return m_wndListPopup; }
    CHHQuickInfoWnd& GetQuickInfoWnd() { return m_wndQuickInfo; }
    // The text of the list's selected item ("" when none).
    CString GetSelectedItemText();
    void HideMemberList();

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // The popups are owned by the top-level window, not by the control: they go with the control,
    // while it can still free the list's items.
    afx_msg void OnDestroy();
    afx_msg LRESULT OnCut(WPARAM, LPARAM);
    afx_msg LRESULT OnPasteMessage(WPARAM, LPARAM);
    // A whole new text: the markers move as for the part that differs.
    afx_msg LRESULT OnSetTextAssist(WPARAM, LPARAM);
    afx_msg void OnSelChangeAssist(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnListSelChange();
    afx_msg void OnListDblClk();
    afx_msg void OnMarkerCommand(UINT nID);
    afx_msg void OnUpdateBreakpointCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBookmarkCommand(CCmdUI* pCmdUI);
    afx_msg void OnQuickInfo();
    afx_msg void OnListCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

    // The expression at pos (the selection's start when -1): with insertDot as if a '.' were typed
    // there; with an explicit pos, from the nearest word character at or before it. The line's
    // start and the column are returned beside it.
    BOOL ExpressionAt(int pos, BOOL insertDot, CHHExpressionInfo& info, int& lineStart, int& column);
    // Fills and shows the list anchored at anchor, pre-selecting by word; FALSE when it is empty.
    BOOL ShowMemberList(CHHExpressionInfo& info, int kind, int anchor, LPCSTR word);
    void HideQuickInfo();
    // Selects the first item beginning with the prefix typed since the anchor.
    void SelectByTypedPrefix();
    int TypedPrefixEnd();
    // Replaces the typed prefix by the selected item and closes the list.
    void CommitSelection();
    void UpdateTipForSelection();
    // The tip for the word at pos (the caret when -1); with walkBack, from the called function's
    // name inside its arguments.
    void ShowQuickInfo(BOOL walkBack, int pos);
    void OpenListForCommand(UINT nID);
    void OnDotTyped();
    void RepaintMargin();
    // The markers, each on the line its position lies on now.
    CHHLineMarkerArray& markers();

    CHHMarginWnd m_wndMargin;
    CHHLineMarkerArray m_markers;
    BOOL m_bRelineMarkers = FALSE; // the text changed since the markers' lines were found
    BYTE m_nDisabledMarkers = 0;
    CHHListPopupWnd m_wndListPopup;
    CHHMemberListBox m_wndList;
    CImageList m_images;
    int m_nListAnchor = -1;
    COLORREF m_itemColors[3];
    BOOL m_bSortByGroup = TRUE;
    CHHQuickInfoWnd m_wndQuickInfo;
    BOOL m_bTransientTip = FALSE;
    int m_nLastFirstVisible = -1;
    int m_nLastLineCount = -1;
    BOOL m_bAssistChanging = FALSE; // the control itself is changing the text or selection
};
