// The documents' child windows.

#include "app/program/CChildFrame.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CMDIChildWnd::PreCreateWindow(cs);
}
