#pragma once
// CDKFrameWndSizeDock: the single-document frame of sizeable docking.

#include "platform/framework/CFrameWnd.h"

class CDKFrameWndSizeDock : public CFrameWnd {
    DECLARE_DYNCREATE(CDKFrameWndSizeDock)
public:
    CDKFrameWndSizeDock() = default;
    // Deletes the auto-delete sizeable bars that docked in this frame.
    ~CDKFrameWndSizeDock() override;
};
