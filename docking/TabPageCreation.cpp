#include "docking/TabPageCreation.h"

namespace docking {

TabPageMade CreateTabPage(CRuntimeClass* pClass, CCreateContext* pContext, CWnd* pShownPage, CWnd* pContainer,
                          const CRect& rect, UINT nID) {
    TabPageMade made;
    CCreateContext context;
    if (!pContext) {
        if (pShownPage && pShownPage->IsKindOf(RUNTIME_CLASS(CView))) {
            CView* pView = static_cast<CView*>(pShownPage);
            context.m_pLastView = pView;
            context.m_pCurrentDoc = pView->GetDocument();
            if (context.m_pCurrentDoc) context.m_pNewDocTemplate = context.m_pCurrentDoc->GetDocTemplate();
            made.bFromView = TRUE;
        }
        pContext = &context;
    }
    CWnd* pWnd = nullptr;
    TRY {
        pWnd = static_cast<CWnd*>(pClass->CreateObject());
        if (!pWnd) AfxThrowMemoryException();
    }
    CATCH_ALL(e) {
        return TabPageMade{};
    }
    END_CATCH_ALL
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, pContainer, nID, pContext))
        return TabPageMade{};
    made.pWnd = pWnd;
    return made;
}

void FinishTabPage(const TabPageMade& made, CWnd* pInserted) {
    if (made.bFromView && pInserted && pInserted->IsKindOf(RUNTIME_CLASS(CView)))
        pInserted->SendMessage(WM_INITIALUPDATE);
}

void ReleaseTabPage(CWnd* pPage, CDKTabPageIds& ids, BOOL bDestroy, bool bShown) {
    if (!pPage || !::IsWindow(pPage->m_hWnd)) return;
    ids.Give(static_cast<UINT>(pPage->GetDlgCtrlID()));
    if (bDestroy)
        pPage->DestroyWindow();
    else if (bShown)
        pPage->ShowWindow(SW_HIDE);
}

} // namespace docking
