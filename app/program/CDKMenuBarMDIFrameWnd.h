#pragma once
// CDKMenuBarMDIFrameWnd: an MDI frame that shows its menu as a dockable menu bar instead of the
// window's own menu. Thread-wide keyboard and mouse hooks, installed with the first such frame and
// removed with the last, route Alt, mnemonics and arrows to the bar and let the pointer move an
// open menu along the bar.

#include "docking/CDKMDIFrameWndSizeDock.h"
#include "docking/CDKMenuBar.h"

#include <vector>

class CDKMenuBarMDIFrameWnd : public CDKMDIFrameWndSizeDock {
    DECLARE_DYNAMIC(CDKMenuBarMDIFrameWnd)
public:
    ~CDKMenuBarMDIFrameWnd() override;

    // Creates the menu bar and gives it the menu.
    virtual BOOL CreateMenuBar(HMENU hMenu, CWnd* pParent, DWORD dwStyle, UINT nID);
    // A hooked mouse message for this frame; TRUE eats it.
    virtual BOOL OnHookMouseMessage(UINT message, const MOUSEHOOKSTRUCT& info);
    // A hooked key for this frame (the virtual key and the key-message bits); TRUE eats it.
    virtual BOOL OnHookKeyboardMessage(UINT nKey, LPARAM lKeyData);
    virtual CDKMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    virtual void DrawMenuBar();
    // The menu bar's menu while the bar exists, else the window's.
    virtual HMENU GetMenu() const;
    virtual void SetMenu(HMENU hMenu);
    // Lays the frame out with the menu bar spanning its whole width.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Whether a visible bar in the docked menu bar's row is thicker or thinner than the menu bar.
    BOOL RowThicknessDiffers() const;

    // Whether the thread's hooks are installed (while at least one such frame exists).
    static BOOL AreHooksInstalled();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    // The expansion item of a popup with hidden items was chosen: the bar opens the same popup
    // again, with every item.
    afx_msg void OnExpandPopup();
    // The organiser made hidden items recently used again: the bar's menu is to be saved.
    afx_msg LRESULT OnRecentlyUsedChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CDKMenuBar m_wndMenuBar;
    HMENU m_hWindowMenu = nullptr;
    BOOL m_bSubMenuSelected = FALSE;
    std::vector<HMENU> m_popups;
};
