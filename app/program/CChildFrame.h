#pragma once
// CChildFrame: the child window of every document.

#include "docking/CDKMDIChildWndSizeDock.h"

class CChildFrame : public CDKMDIChildWndSizeDock {
    DECLARE_DYNCREATE(CChildFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
