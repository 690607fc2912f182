#pragma once
// CCmdUI: one user-interface item (menu item, tool-bar button, control) whose state an update
// handler sets; the framework runs the handlers at idle time and before a menu opens.

#include "platform/framework/CCmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;    // the menu holding the item, or nullptr
    CMenu* m_pSubMenu = nullptr; // the item's popup, when it is one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr; // the window (control or bar) when not a menu item
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // Lets the command go on to the next target after this handler.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Runs pTarget's update handler for m_nID; with bDisableIfNoHndler an item with neither an
    // update handler nor a command handler is disabled. TRUE when a handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

namespace pm::afx {
// The update pass a popup menu gets before it opens, over the items of state.m_pMenu with
// pTarget's handlers: separators are skipped, a popup item speaks for its submenu's first command
// (never disabled for lack of a handler), and with bAutoMenuEnable commands below 0xF000 without
// any handler are disabled. A handler may add or remove items; the pass keeps its place.
void updateMenuItems(CCmdUI& state, CCmdTarget* pTarget, BOOL bAutoMenuEnable);

// The same pass over a popup and, first, over each of its sub-menus, as a context menu gets before
// it opens: a command below the system range with no handler at all is disabled.
void updateMenuItems(CMenu* pPopup, CCmdTarget* pTarget);
} // namespace pm::afx
