#pragma once
// A flat tool bar the user rearranges with the tool-bar control's customisation dialog. It keeps
// every button it was loaded with, places child controls at the separators that carry their id,
// and saves its layout in the profile (value "ToolBar State(0x%04X)" with its control id) or in an
// archive.

#include "docking/CToolBarEx.h"

#include <vector>

class CCustToolBar : public CToolBarEx {
    DECLARE_DYNAMIC(CCustToolBar)
public:
    virtual BOOL LoadToolBar(LPCSTR lpszResourceName);
    virtual BOOL LoadToolBar(UINT nIDResource);
    virtual BOOL LoadToolBar(UINT nIDResource, const UINT* lpIDArray, int nIDCount);
    virtual void SaveState(LPCSTR lpszSection);
    // FALSE when the section holds no layout, or a damaged one; the bar then stays as it is.
    virtual BOOL RestoreState(LPCSTR lpszSection, BOOL bRemember = TRUE);
    virtual BOOL OnButtonsLoaded() { return TRUE; }
    virtual CWnd* GetControl(UINT nID) const;
    virtual void RepositionControls();
    virtual void GetButtonRecords(std::vector<TBBUTTON>& buttons) const;
    virtual void SetButtonRecords(const std::vector<TBBUTTON>& buttons);
    virtual UINT GetBarId() const { return static_cast<UINT>(GetDlgCtrlID()); }
    virtual BOOL GetButtonTipText(UINT nID, CString& strText);
    virtual BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    void Serialize(CArchive& ar) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CString GetStateValueName() const;
    const std::vector<TBBUTTON>& GetAllButtons() const { return m_allButtons; }
    int m_nSeparatorWidth = -1; // width of plain separators; -1 leaves them as they are

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // After a change of the buttons: one row unless wrapped, controls placed, the frame laid out
    // again, and the layout saved when a state section is remembered.
    void OnButtonsChanged();
    // Takes stored buttons; application data and texts come from the loaded buttons of the same
    // command. FALSE for a damaged layout.
    BOOL ApplyStoredState(const BYTE* pData, size_t nSize);

    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnBeginAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDragOrQuery(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnQueryInsertOrDelete(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReset(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnToolBarChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomHelp(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnShowTip(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    UINT m_nIDResource = 0; // the tool-bar resource the bar was loaded from

private:
    CString m_strStateSection;
    std::vector<TBBUTTON> m_allButtons;
    int m_nSavedMRUWidth = 0;
    std::vector<TBBUTTON> m_resetButtons;
};
