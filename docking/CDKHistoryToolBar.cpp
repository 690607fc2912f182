#include "docking/CDKHistoryToolBar.h"

#include "docking/CDKHistoryCombo.h"

#include "platform/framework/CToolCmdUI.h"

namespace {

const UINT kButtons[] = {ID_HISTORYCOMBO_ADD, ID_HISTORYCOMBO_DELETE, ID_HISTORYCOMBO_CLEAR};

// Three images of 16 x 15: a plus, a minus and a cross.
HBITMAP MakeImages() {
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(screen.m_hDC, 48, 15);
    ::ReleaseDC(nullptr, screen.Detach());
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    dc.FillSolidRect(0, 0, 48, 15, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF green = RGB(0, 128, 0), red = RGB(192, 0, 0);
    dc.FillSolidRect(3, 6, 10, 3, green);
    dc.FillSolidRect(6, 3, 3, 10, green);
    dc.FillSolidRect(19, 6, 10, 3, red);
    for (int i = 0; i < 9; ++i) {
        dc.FillSolidRect(35 + i, 3 + i, 2, 2, red);
        dc.FillSolidRect(43 - i, 3 + i, 2, 2, red);
    }
    ::SelectObject(dc.m_hDC, hOld);
    return hBitmap;
}

} // namespace

BOOL CDKHistoryToolBar::Create(CWnd* pParent, CWnd* pCombo) {
    m_pCombo = pCombo;
    const DWORD dwStyle = WS_CHILD | CBRS_ALIGN_TOP | CBRS_TOOLTIPS;
    if (!CreateEx(pParent, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 1)) return FALSE;
    // The buttons' commands and tips go to the combo.
    SetOwner(pCombo);
    SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(pCombo->m_hWnd));
    return SetButtons(kButtons, 3) && SetBitmap(MakeImages());
}

void CDKHistoryToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler) {
    if (!m_pCombo) return;
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(ButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID != ID_SEPARATOR) state.DoUpdate(m_pCombo, bDisableIfNoHndler);
    }
}
