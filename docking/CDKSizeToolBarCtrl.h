#pragma once
// The tool-bar control of a sizeable tool bar: a press that hits no button (a separator or the
// empty area) goes to the owner, so that dragging there drags the bar.

#include "platform/framework/afxwin.h"

class CDKSizeToolBarCtrl : public CToolBarCtrl {
public:
    // The index of the button under the point, -1 for a separator or none. Rows are searched from
    // the bottom up.
    int HitTestButton(CPoint point) const;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
