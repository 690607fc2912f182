#pragma once
// COleDropSource: how a drag started here goes on: the defaults end it on Esc or a right click
// (cancel) and on the left button's release (drop), and leave the cursor to the system.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/COleDataObject.h"

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
};
