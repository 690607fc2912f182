// COleDropSource: the default continuation and feedback.

#include "platform/framework/COleDropSource.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (bEscapePressed || (dwKeyState & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }
