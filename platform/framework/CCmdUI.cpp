// CCmdUI over menu items and windows.

#include "platform/framework/CCmdUI.h"

#include "platform/framework/CMenu.h"
#include "platform/framework/CWnd.h"

void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    if (m_pMenu) {
        if (!m_pSubMenu)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                             MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
        return;
    }
    if (!m_pOther) return;
    // Disabling the control with the focus moves the focus on first.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
        HWND parent = ::GetParent(m_pOther->m_hWnd);
        if (HWND next = ::GetNextDlgTabItem(parent, m_pOther->m_hWnd, FALSE)) ::SetFocus(next);
    }
    m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu) {
        if (!m_pSubMenu)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    if (!m_pOther) return;
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu && !m_pSubMenu) {
        if (bOn)
            ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (m_pMenu) {
        if (m_pSubMenu) return;
        UINT state = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION);
        state &= ~static_cast<UINT>(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | 0xFF00);
        ::ModifyMenuA(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
        return;
    }
    if (!m_pOther) return;
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText) m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return handled;
}

void pm::afx::updateMenuItems(CCmdUI& state, CCmdTarget* pTarget, BOOL bAutoMenuEnable) {
    CMenu* pMenu = state.m_pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0) continue;
        if (state.m_nID == static_cast<UINT>(-1)) {
            state.m_pSubMenu = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu) continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        UINT count = pMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count &&
                   pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = count;
    }
}

void pm::afx::beginUpdate(CCmdUI* pCmdUI) {
    pCmdUI->m_bContinueRouting = FALSE;
}

BOOL pm::afx::endUpdate(CCmdUI* pCmdUI) {
    return !pCmdUI->m_bContinueRouting;
}

void pm::afx::updateMenuItems(CMenu* pPopup, CCmdTarget* pTarget) {
    const int count = static_cast<int>(pPopup->GetMenuItemCount());
    for (int i = 0; i < count; ++i)
        if (CMenu* sub = pPopup->GetSubMenu(i)) updateMenuItems(sub, pTarget);
    CCmdUI state;
    state.m_pMenu = pPopup;
    updateMenuItems(state, pTarget, TRUE);
}
