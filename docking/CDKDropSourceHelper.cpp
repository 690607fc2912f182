#include "docking/CDKDropSourceHelper.h"

#include "platform/framework/CWnd.h"

BOOL CDKDropSourceHelper::Forward(UINT message, DKDROPSOURCEPARAMS& params) {
    if (!m_pServed || !::IsWindow(m_pServed->m_hWnd)) return FALSE;
    return m_pServed->SendMessage(message, 0, reinterpret_cast<LPARAM>(&params)) != 0;
}

SCODE CDKDropSourceHelper::GiveFeedback(DROPEFFECT dropEffect) {
    DKDROPSOURCEPARAMS p{};
    p.words[3] = dropEffect;
    if (Forward(WM_DKDROP_GIVEFEEDBACK, p)) return static_cast<SCODE>(p.words[p.kResult]);
    return COleDropSource::GiveFeedback(dropEffect);
}

BOOL CDKDropSourceHelper::OnBeginDrag(CWnd* pWnd) {
    DKDROPSOURCEPARAMS p{};
    p.words[0] = reinterpret_cast<INT_PTR>(pWnd);
    if (Forward(WM_DKDROP_BEGINDRAG, p)) return static_cast<BOOL>(p.words[p.kResult]);
    return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CDKDropSourceHelper::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    DKDROPSOURCEPARAMS p{};
    p.words[1] = dwKeyState;
    p.words[2] = bEscapePressed;
    if (Forward(WM_DKDROP_QUERYCONTINUE, p)) return static_cast<SCODE>(p.words[p.kResult]);
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}
