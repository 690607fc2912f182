#pragma once
// Making a tab page from a runtime class, as both tab view containers do: the creation context
// comes from the shown page when it is a view, the object from the class inside an exception
// frame, the window as a visible child of the container.

#include "docking/CDKTabPageIds.h"
#include "platform/framework/afxwin.h"

namespace docking {

struct TabPageMade {
    CWnd* pWnd = nullptr;   // the page, its window created; NULL on failure
    BOOL bFromView = FALSE; // the context was made from the shown view: send WM_INITIALUPDATE
};

TabPageMade CreateTabPage(CRuntimeClass* pClass, CCreateContext* pContext, CWnd* pShownPage, CWnd* pContainer,
                          const CRect& rect, UINT nID);
// After insertion: a page made from a view's context is told to do its first update.
void FinishTabPage(const TabPageMade& made, CWnd* pInserted);
// A page leaving its container: its id goes back to the pool, its window is destroyed or, when it
// was the shown page and stays alive, hidden (it must not stay shown with no tab).
void ReleaseTabPage(CWnd* pPage, CDKTabPageIds& ids, BOOL bDestroy, bool bShown);

} // namespace docking
