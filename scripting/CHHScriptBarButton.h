#pragma once
// CHHScriptBarButton: a script view's bar button. Its clicks go straight to the parent as
// commands, so it never shows a pressed state of its own: the view sets its check state.

#include "platform/framework/Controls.h"
#include "platform/framework/framework.h"

class CHHScriptBarButton : public CButton {
protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
