#include "docking/CDKDropTargetHelper.h"

#include "platform/framework/CWnd.h"

namespace {

INT_PTR Word(const void* p) {
    return reinterpret_cast<INT_PTR>(p);
}

// The words of enter, over and drop: the window, the data, the keys or effect, the point.
DKDROPTARGETPARAMS DataAtPoint(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwValue, CPoint point) {
    DKDROPTARGETPARAMS p{};
    p.words[0] = Word(pWnd);
    p.words[1] = Word(pDataObject);
    p.words[2] = dwValue;
    p.words[3] = point.x;
    p.words[4] = point.y;
    return p;
}

} // namespace

BOOL CDKDropTargetHelper::Forward(CWnd* pWnd, UINT message, DKDROPTARGETPARAMS& params, LRESULT* pResult) {
    CWnd* served = m_pServed ? m_pServed : pWnd;
    if (!served || !::IsWindow(served->m_hWnd)) return FALSE;
    const LRESULT result = served->SendMessage(message, 0, reinterpret_cast<LPARAM>(&params));
    if (pResult) *pResult = result;
    return result != 0;
}

DROPEFFECT CDKDropTargetHelper::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                            CPoint point) {
    DKDROPTARGETPARAMS p = DataAtPoint(pWnd, pDataObject, dwKeyState, point);
    return Forward(pWnd, WM_DKDROP_DRAGENTER, p) ? static_cast<DROPEFFECT>(p.words[p.kResult])
                                                 : DROPEFFECT_NONE;
}

DROPEFFECT CDKDropTargetHelper::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                           CPoint point) {
    DKDROPTARGETPARAMS p = DataAtPoint(pWnd, pDataObject, dwKeyState, point);
    return Forward(pWnd, WM_DKDROP_DRAGOVER, p) ? static_cast<DROPEFFECT>(p.words[p.kResult])
                                                : DROPEFFECT_NONE;
}

void CDKDropTargetHelper::OnDragLeave(CWnd* pWnd) {
    DKDROPTARGETPARAMS p{};
    p.words[0] = Word(pWnd);
    if (!Forward(pWnd, WM_DKDROP_DRAGLEAVE, p)) COleDropTarget::OnDragLeave(pWnd);
}

DROPEFFECT CDKDropTargetHelper::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
    DKDROPTARGETPARAMS p{};
    p.words[0] = Word(pWnd);
    p.words[1] = dwKeyState;
    p.words[2] = point.x;
    p.words[3] = point.y;
    return Forward(pWnd, WM_DKDROP_DRAGSCROLL, p) ? static_cast<DROPEFFECT>(p.words[p.kResult])
                                                  : DROPEFFECT_NONE;
}

BOOL CDKDropTargetHelper::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                 CPoint point) {
    DKDROPTARGETPARAMS p = DataAtPoint(pWnd, pDataObject, dropEffect, point);
    return Forward(pWnd, WM_DKDROP_DROP, p) ? static_cast<BOOL>(p.words[p.kResult]) : FALSE;
}

DROPEFFECT CDKDropTargetHelper::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                         DROPEFFECT dropList, CPoint point) {
    DKDROPTARGETPARAMS p{};
    p.words[0] = Word(pWnd);
    p.words[1] = Word(pDataObject);
    p.words[3] = point.x;
    p.words[4] = point.y;
    p.words[5] = dropDefault;
    p.words[6] = dropList;
    if (Forward(pWnd, WM_DKDROP_DROPEX, p)) return static_cast<DROPEFFECT>(p.words[p.kResult]);
    return COleDropTarget::OnDropEx(pWnd, pDataObject, dropDefault, dropList, point);
}
