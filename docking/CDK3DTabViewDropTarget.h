#pragma once
// The drop target of a tab view container: while something is dragged over the tab strip, the tab
// under the cursor brings its page to the front. The strip itself never accepts a drop.

#include "platform/framework/afxwin.h"

class CDK3DTabViewContainer;

class CDK3DTabViewDropTarget : public CObject {
public:
    // Binds the target to its container's window; FALSE when the window does not exist.
    BOOL Register(CDK3DTabViewContainer* pContainer);
    void Revoke() { m_pContainer = nullptr; }
    // The cursor is at point (client coordinates of pWnd): activates the tab under it. The answer
    // is always 0 (no drop effect).
    virtual DWORD OnDragOver(CWnd* pWnd, DWORD dwKeyState, CPoint point);

private:
    CDK3DTabViewContainer* m_pContainer = nullptr;
};
