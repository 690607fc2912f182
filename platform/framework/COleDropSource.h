#pragma once
// COleDropSource: how a drag started here goes on: it begins once the pointer leaves the start
// rectangle, and the defaults end it on Esc or a right click (cancel) and on the left button's
// release (drop), and leave the cursor to the system.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/COleDataObject.h"
#include "platform/framework/CRect.h"

class CWnd;

typedef HRESULT SCODE;
#ifndef S_OK
#define S_OK ((HRESULT)0)
#endif
#define DRAGDROP_S_DROP 0x00040100L
#define DRAGDROP_S_CANCEL 0x00040101L
#define DRAGDROP_S_USEDEFAULTCURSORS 0x00040102L

class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource() = default;
    // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL to end.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Whether a drag pressed in pWnd begins: TRUE once the pointer leaves m_rectStartDrag (screen
    // coordinates) with the button held, FALSE when the button is released first or Esc or a right
    // click ends it.
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    CRect m_rectStartDrag{0, 0, 0, 0};

private:
    // The loop of OnBeginDrag, with the pointer captured by hwnd.
    BOOL WaitForDragStart(HWND hwnd);
};
