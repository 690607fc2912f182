#pragma once
// CDKDropSourceHelper: turns a drop source's callbacks into messages to the window it serves (see
// CDKDropTargetHelper); a window that does not handle them gets the drop source's defaults.

#include "platform/framework/COleDropSource.h"

class CWnd;

#define WM_DKDROP_GIVEFEEDBACK 0x0752
#define WM_DKDROP_BEGINDRAG 0x0753
#define WM_DKDROP_QUERYCONTINUE 0x0754

struct DKDROPSOURCEPARAMS {
    INT_PTR words[5];
    enum { kResult = 4 };
};

class CDKDropSourceHelper : public COleDropSource {
public:
    explicit CDKDropSourceHelper(CWnd* pServed = nullptr) : m_pServed(pServed) {}

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

    CWnd* m_pServed;

private:
    BOOL Forward(UINT message, DKDROPSOURCEPARAMS& params);
};
