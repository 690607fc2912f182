#include "scripting/CHHScriptBarButton.h"

BEGIN_MESSAGE_MAP(CHHScriptBarButton, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CHHScriptBarButton::OnLButtonDown(UINT, CPoint) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CHHScriptBarButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);
}
