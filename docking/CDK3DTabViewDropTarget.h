#pragma once
// The drop target of a tab view container: while something is dragged over the tab strip, the tab
// under the cursor brings its page to the front. The strip itself never takes a drop.

#include "platform/framework/COleDropTarget.h"

class CDK3DTabViewDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
};
