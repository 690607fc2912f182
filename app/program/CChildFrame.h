#pragma once
// CChildFrame: the child window of every document.

#include "platform/framework/afxwin.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
