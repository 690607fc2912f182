#include "docking/CDKFrameWndSizeDock.h"

#include "docking/CDKSizeControlBar.h"

IMPLEMENT_DYNCREATE(CDKFrameWndSizeDock, CFrameWnd)

CDKFrameWndSizeDock::~CDKFrameWndSizeDock() {
    CDKSizeControlBar::DeleteAutoDeleteBars(this);
}
