#include "docking/CDK3DTabViewDropTarget.h"

#include "docking/CDK3DTabViewContainer.h"

DROPEFFECT CDK3DTabViewDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD, CPoint point) {
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CDK3DTabViewContainer))) return DROPEFFECT_NONE;
    auto* pContainer = static_cast<CDK3DTabViewContainer*>(pWnd);
    TCHITTESTINFO hit{};
    hit.pt = point;
    const int nTab = pContainer->HitTest(&hit);
    if (nTab >= 0) pContainer->SetActivePageIndex(nTab);
    return DROPEFFECT_NONE;
}
