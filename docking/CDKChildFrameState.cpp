#include "docking/CDKChildFrameState.h"

#include "docking/CDKMDIChildWndSizeDock.h"
#include "docking/CDKSplitterColRowState.h"
#include "docking/WorkspaceArchive.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"

IMPLEMENT_SERIAL(CDKChildFrameState, CObject, VERSIONABLE_SCHEMA | 1)

CDKChildFrameState::CDKChildFrameState() : m_pSplitters(new CObArray) {}

CDKChildFrameState::~CDKChildFrameState() {
    dock::OwnedArrayDeleter()(m_pSplitters);
}

void CDKChildFrameState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteProperties(ar);
        return;
    }
    dock::CheckObjectSchema(ar, &m_nSchema);
    ReadProperties(ar);
}

void CDKChildFrameState::WriteProperties(CArchive& ar) {
    dock::WritePlacement(ar, m_placement);
    ar << m_strDocumentPath << m_strDocumentClass << m_strFrameClass << m_strViewClass;
    ar << m_bSaveSplitters;
    ar.WriteObject(m_pSplitters);
}

void CDKChildFrameState::ReadProperties(CArchive& ar) {
    dock::ReadPlacement(ar, m_placement);
    ar >> m_strDocumentPath >> m_strDocumentClass >> m_strFrameClass >> m_strViewClass;
    ar >> m_bSaveSplitters;
    dock::OwnedArray splitters = dock::ReadOwnedArray(ar, RUNTIME_CLASS(CDKSplitterColRowState));
    dock::OwnedArrayDeleter()(m_pSplitters);
    m_pSplitters = splitters.release();
}

BOOL CDKChildFrameState::CaptureState(CMDIChildWnd* pChildFrame) {
    if (!pChildFrame) return FALSE;
    m_placement = WINDOWPLACEMENT{};
    m_placement.length = dock::kPlacementLength;
    pChildFrame->GetWindowPlacement(&m_placement);
    // A document window shown as a pane is hidden meanwhile; it comes back as a window, as it shows
    // when it leaves its pane.
    if (pChildFrame->IsKindOf(RUNTIME_CLASS(CDKMDIChildWndSizeDock))) {
        auto* dockable = static_cast<CDKMDIChildWndSizeDock*>(pChildFrame);
        if (dockable->IsDocked())
            m_placement.showCmd =
                dockable->m_wndViewBar.m_bMaximizedWhenDocked ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    CView* view = nullptr;
    CWnd* pane = pChildFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
        view = static_cast<CView*>(pane);
    else
        view = pChildFrame->GetActiveView();
    CDocument* doc = view ? view->GetDocument() : nullptr;
    if (!doc) return FALSE;
    m_strDocumentPath = doc->GetPathName();
    m_strDocumentClass = doc->GetRuntimeClass()->m_lpszClassName;
    m_strFrameClass = pChildFrame->GetRuntimeClass()->m_lpszClassName;
    m_strViewClass = view->GetRuntimeClass()->m_lpszClassName;
    dock::DeleteAll(*m_pSplitters);
    return m_bSaveSplitters ? CaptureSplitters(pChildFrame) : TRUE;
}

CDocTemplate* CDKChildFrameState::FindTemplate() const {
    CWinApp* app = AfxGetApp();
    if (!app) return nullptr;
    CDocTemplate* byDocument = nullptr;
    POSITION pos = app->GetFirstDocTemplatePosition();
    while (pos) {
        CDocTemplate* t = app->GetNextDocTemplate(pos);
        if (!t->GetDocClass() || m_strDocumentClass != t->GetDocClass()->m_lpszClassName) continue;
        const bool frame = t->GetFrameClass() && m_strFrameClass == t->GetFrameClass()->m_lpszClassName;
        const bool view = t->GetViewClass() && m_strViewClass == t->GetViewClass()->m_lpszClassName;
        if (frame && view) return t;
        if (!byDocument) byDocument = t;
    }
    return byDocument;
}

CFrameWnd* CDKChildFrameState::OpenFrame(CDocTemplate* pTemplate) const {
    CDocument* open = nullptr;
    if (!m_strDocumentPath.IsEmpty() &&
        pTemplate->MatchDocType(m_strDocumentPath, open) == CDocTemplate::yesAlreadyOpen && open) {
        CFrameWnd* frame = pTemplate->CreateNewFrame(open, nullptr);
        if (frame) pTemplate->InitialUpdateFrame(frame, open);
        return frame;
    }
    CDocument* doc =
        pTemplate->OpenDocumentFile(m_strDocumentPath.IsEmpty() ? nullptr : (LPCSTR)m_strDocumentPath);
    if (!doc) return nullptr;
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = pos ? doc->GetNextView(pos) : nullptr;
    return view ? view->GetParentFrame() : nullptr;
}

BOOL CDKChildFrameState::ApplyState() {
    CDocTemplate* tmpl = FindTemplate();
    if (!tmpl) return FALSE;
    CFrameWnd* frame = OpenFrame(tmpl);
    if (!frame) return FALSE;
    WINDOWPLACEMENT wp = m_placement;
    wp.length = dock::kPlacementLength;
    frame->SetWindowPlacement(&wp);
    return m_bSaveSplitters ? ApplySplitters(frame) : TRUE;
}

BOOL CDKChildFrameState::CaptureSplitters(CFrameWnd* pFrame) {
    return dock::CaptureSplitters(pFrame, *m_pSplitters);
}

BOOL CDKChildFrameState::ApplySplitters(CFrameWnd* pFrame) {
    return dock::ApplySplitters(pFrame, *m_pSplitters);
}
