// The documents' child windows.

#include "app/program/CChildFrame.h"

IMPLEMENT_DYNCREATE(CChildFrame, CDKMDIChildWndSizeDock)

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CDKMDIChildWndSizeDock::PreCreateWindow(cs);
}
