// CView and CCtrlView.

#include "platform/framework/CView.h"

#include "platform/framework/CPrintInfo.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CDocument.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNCREATE(CCtrlView, CView)

namespace {
CView* currentRoutingView = nullptr;

// Keeps the view a command is being routed through.
class PushRoutingView {
public:
    explicit PushRoutingView(CView* pView) : m_old(currentRoutingView) { currentRoutingView = pView; }
    ~PushRoutingView() { currentRoutingView = m_old; }
    PushRoutingView(const PushRoutingView&) = delete;
    PushRoutingView& operator=(const PushRoutingView&) = delete;

private:
    CView* m_old;
};
} // namespace

CView* pm::afx::routingView() {
    return currentRoutingView;
}

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AFX_WNDFRAMEORVIEW;
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~static_cast<LONG>(WS_BORDER);
    }
    return TRUE;
}

void CView::PostNcDestroy() {
    delete this;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnDraw(CDC*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
    // Without a known page count only the first page prints.
    if (pInfo) pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
    if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
    if (!bActivate) return;
    // The view takes the focus when its top-level window is the active one.
    CWnd* pTop = GetTopLevelParent();
    if (pTop && ::GetActiveWindow() == pTop->m_hWnd) SetFocus();
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    if (CFrameWnd* pFrame = GetParentFrame()) {
        HWND focus = ::GetFocus();
        if (pFrame->GetActiveView() == this && focus != m_hWnd && !::IsChild(m_hWnd, focus))
            OnActivateView(TRUE, this, this);
        else
            pFrame->SetActiveView(this);
    }
    return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (!m_pDocument) return FALSE;
    PushRoutingView push(this);
    return m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CFrameWnd* CView::EnsureParentFrame() const {
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame) AfxThrowNotSupportedException();
    return pFrame;
}

// ---- CCtrlView ----

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = m_strClass.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strClass);
    cs.style |= static_cast<LONG>(m_dwDefaultStyle);
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnPaint() {
    // The control paints itself.
    Default();
}
