#pragma once
// A combo box that keeps a history of entered texts, newest first, and keeps it in the registry
// under HKEY_CURRENT_USER\Software\<company>\<application>\HistoryCombo, one value per combo.
// A small tool bar beside it adds the text, deletes an entry and clears the history.

#include "docking/CDKHistoryToolBar.h"

#include "platform/framework/afxwin.h"

#include <memory>
#include <string>
#include <vector>

// The commands of the combo's tool bar.
#define ID_HISTORYCOMBO_ADD 0xD048
#define ID_HISTORYCOMBO_DELETE 0xD049
#define ID_HISTORYCOMBO_CLEAR 0xD04A

class CDKHistoryCombo : public CComboBox {
    DECLARE_DYNAMIC(CDKHistoryCombo)
public:
    static constexpr int kButtonFlags = 10;

    CDKHistoryCombo();
    ~CDKHistoryCombo() override;
    // Where the tool bar goes when the placement is none of 1 to 13: right of the combo, centred.
    static constexpr int kDefaultPlacement = 12;

    // The registry value the history is kept in; empty keys stand for the application's.
    void SetHistoryValue(LPCSTR lpszValueName, LPCSTR lpszCompanyKey = "", LPCSTR lpszAppKey = "");
    // With this set, the history is loaded when the window is created and saved when it goes.
    void SetSaveOnDestroy(BOOL bSave) { m_bSaveOnDestroy = bSave; }
    void SetMaxHistory(int nMax) { m_nMaxHistory = nMax > 0 ? nMax : 1; }

    // Places the tool bar (placement 1: hidden); with bBorderFlag set, its borders are not counted
    // where it overlaps the combo.
    void PositionToolbar(int nPlacement, BOOL bBorderFlag);
    int GetVisibleButtonCount() const;
    CToolBar* GetToolBar() const { return m_pToolBar.get(); }
    // Shows or hides a button of the tool bar (0 add, 1 delete, 2 clear).
    void ShowButton(int nButton, BOOL bShow);

    CString GetHistoryString() const;
    BOOL SaveHistory(LPCSTR lpszValueName, LPCSTR lpszCompanyKey, LPCSTR lpszAppKey, HKEY hRoot,
                     BOOL bAddFirst);
    BOOL LoadHistory(LPCSTR lpszValueName, LPCSTR lpszCompanyKey, LPCSTR lpszAppKey, HKEY hRoot);

    // Adds the text (NULL: the combo's text) as the newest entry; an equal older entry goes.
    virtual BOOL AddToHistory(LPCSTR lpszText = nullptr);
    // Deletes the entry (-1: the selected entry, or the one equal to the combo's text).
    virtual BOOL DeleteFromHistory(int nIndex = -1);
    virtual void ClearHistory();
    virtual BOOL CanAdd() const;
    virtual BOOL CanDelete() const;
    virtual BOOL CanClear() const;

    // The top-left corner of a tool bar of the given size beside the combo's rectangle R (in the
    // parent's client coordinates). Borders are the bar's left, top, right and bottom borders;
    // with bBorderFlag set, they are not counted where the placement overlaps the combo.
    static CPoint CalcToolbarOrigin(int nPlacement, const CRect& R, CSize size, const CRect& borders,
                                    BOOL bBorderFlag);

protected:
    // Makes the tool bar in the combo's parent.
    virtual BOOL InitToolbar(CWnd* pParent);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnClear();
    afx_msg void OnUpdateAdd(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnUpdateClear(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string> Entries() const;
    CString WindowText() const;
    int CurrentEntry() const;
    // The registry key of the histories, created when bCreate is set; NULL when the keys are unknown.
    HKEY OpenHistoryKey(LPCSTR lpszCompanyKey, LPCSTR lpszAppKey, HKEY hRoot, BOOL bCreate) const;

    static bool IsOwnCommand(UINT nID);

    int m_nPlacement = kDefaultPlacement;
    int m_bBorderFlag = 0;
    std::unique_ptr<CDKHistoryToolBar> m_pToolBar;
    int m_buttonFlags[kButtonFlags] = {};
    CString m_strValueName, m_strCompanyKey, m_strAppKey;
    int m_bSaveOnDestroy = 0;
    int m_nMaxHistory = 25;
};
