#pragma once
// The drop-down window of a combo button: a grid of image cells, optionally a default text item
// above it, extra text items below it and a tear-off strip at the top. Dragging the strip turns it
// into a small floating tool window that stays open. It follows the mouse and the arrow keys and
// reports hot items and the choice to its owner combo.

#include "docking/CoolComboCommands.h"
#include "docking/CoolComboNotify.h"

#include "platform/framework/afxwin.h"

#include <vector>

class CCoolComboPopup : public CWnd {
    DECLARE_DYNCREATE(CCoolComboPopup)
public:
    struct Options {
        int nItems = 20;
        int nCurrent = CC_ITEM_NONE;
        int nColumns = 8;
        BOOL bTearOff = TRUE;
        CString strDefault;            // empty: no default text item
        std::vector<CString> extras;   // extra text items
        CImageList* pImages = nullptr; // one image per cell, or none
        CString strTitle;              // the torn-off window's caption
        BOOL bOpenUpwards = TRUE;      // with no room below, open above the owner
        std::vector<UINT> commandIds;  // one per cell: its command, 0 a separator; empty: plain cells
        std::vector<CString> cellTips; // one per plain cell, or none
    };

    // Tool ids of the popup's tips: the tear-off strip's, and each cell's from kCellTipBase + index.
    static constexpr UINT_PTR kTearOffTip = 1;
    static constexpr UINT_PTR kCellTipBase = 100;

    virtual void InitMetrics();
    // Opens the popup with its top-left corner at (x, y), the combo pOwner as owner.
    virtual BOOL Create(int x, int y, CWnd* pOwner, const Options& options);
    virtual void NotifyShown() { Notify(CCN_SHOWN, 0); }
    virtual void NotifyClosed() { Notify(CCN_CLOSED, 0); }
    virtual void NotifyDefault() { Notify(CCN_DEFAULT, 0); }
    virtual void NotifyExtra(int nIndex) { Notify(CCN_EXTRA, nIndex); }
    virtual void ChooseCell(int nIndex);
    virtual void NotifyCancel() { Notify(CCN_CANCEL, 0); }
    virtual void NotifyHot(int nIndex) { Notify(CCN_HOT, nIndex); }
    virtual CSize GetCellSize();
    virtual void DrawCell(CDC& dc, int nItem);

    int GetHotItem() const { return m_nHot; }
    // A command cell's tip (its tool-tip text and accelerators); empty for plain cells.
    CString GetCellTip(int nIndex) const;
    BOOL IsCellEnabled(int nIndex) const;
    CToolTipCtrl& GetToolTips() { return m_tips; }
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetCurrentItem(int nItem);
    BOOL IsFloating() const { return m_bFloating; }
    // The item at a client point: CC_ITEM_DEFAULT, a cell, CC_ITEM_EXTRA + i, or CC_ITEM_NONE.
    int HitTest(CPoint point) const;
    CRect GetItemRect(int nItem) const;
    const CRect& GetTearOffRect() const { return m_rectTearOff; }
    void TearOff();

protected:
    void PostNcDestroy() override;
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void Notify(UINT nCode, int nItem);
    void Layout();
    void KeepOnWorkArea(CRect& rect) const;
    void SetHot(int nItem);
    int NextItem(int nItem, UINT nKey) const;
    void End(bool bCancel);
    BOOL MakeWindow(int x, int y, DWORD dwExStyle, DWORD dwStyle);
    bool IsValidItem(int nItem) const;
    bool HasCommands() const { return !m_options.commandIds.empty(); }
    UINT CommandOf(int nIndex) const;
    void ShowPrompt(int nItem);
    void DrawCellContent(CDC& dc, int nItem, const CRect& rect);
    void InstallTips();

    Options m_options;
    int m_nRows = 0;
    int m_cxCell = 0, m_cyCell = 0;
    int m_cxEdge = 2, m_cyEdge = 2;
    int m_nHot = CC_ITEM_NONE;
    BOOL m_bTearOffPressed = FALSE;
    BOOL m_bFloating = FALSE, m_bEnding = FALSE, m_bRecreating = FALSE;
    CRect m_rectTearOff, m_rectDefault, m_rectGrid, m_rectSeparator, m_rectExtras;
    int m_cyText = 0;
    CFont m_font;
    HWND m_hOwnerCombo = nullptr; // by handle: the combo may go first
    CToolTipCtrl m_tips;
    std::vector<docking::CommandTexts> m_commandTexts; // per cell, in command mode
    CPoint m_ptOrigin;
};
