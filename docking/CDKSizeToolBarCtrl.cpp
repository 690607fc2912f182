#include "docking/CDKSizeToolBarCtrl.h"

BEGIN_MESSAGE_MAP(CDKSizeToolBarCtrl, CToolBarCtrl)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int CDKSizeToolBarCtrl::HitTestButton(CPoint point) const {
    const int nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = nCount - 1; i >= 0; --i) {
        CRect rect;
        if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect))) continue;
        if (rect.PtInRect(point)) {
            TBBUTTON button{};
            SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            return (button.fsStyle & TBSTYLE_SEP) ? -1 : i;
        }
        if (rect.bottom < point.y) return -1;
    }
    return -1;
}

void CDKSizeToolBarCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    if (HitTestButton(point) >= 0) {
        CToolBarCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    CWnd* pTarget = GetOwner() ? GetOwner() : GetParent();
    if (!pTarget) return;
    ClientToScreen(&point);
    pTarget->ScreenToClient(&point);
    pTarget->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}
