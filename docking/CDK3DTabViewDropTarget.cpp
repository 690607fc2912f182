#include "docking/CDK3DTabViewDropTarget.h"

#include "docking/CDK3DTabViewContainer.h"

BOOL CDK3DTabViewDropTarget::Register(CDK3DTabViewContainer* pContainer) {
    if (!pContainer || !::IsWindow(pContainer->GetSafeHwnd())) return FALSE;
    m_pContainer = pContainer;
    return TRUE;
}

DWORD CDK3DTabViewDropTarget::OnDragOver(CWnd* pWnd, DWORD, CPoint point) {
    if (!m_pContainer || pWnd != m_pContainer) return 0;
    TCHITTESTINFO hit{};
    hit.pt = point;
    const int nTab = m_pContainer->HitTest(&hit);
    if (nTab >= 0) m_pContainer->SetActivePageIndex(nTab);
    return 0;
}
