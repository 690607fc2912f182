// CPreviewView: the preview's place in the frame, its tool bar, and the pages drawn on the printer's
// DC and scaled into the view.

#include "platform/framework/CPreviewView.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CPrintInfo.h"
#include "platform/framework/CommonDialogs.h"
#include "platform/framework/FrameworkStrings.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

const int kMargin = 8;  // around and between the pages
const int kShadow = 3;  // the shadow under a page
const int kMaxZoom = 2; // whole pages, then one and a half and twice as large
const UINT kButtons[] = {AFX_ID_PREVIEW_PRINT,   AFX_ID_PREVIEW_NEXT,   AFX_ID_PREVIEW_PREV,
                         AFX_ID_PREVIEW_NUMPAGE, AFX_ID_PREVIEW_ZOOMIN, AFX_ID_PREVIEW_ZOOMOUT,
                         AFX_ID_PREVIEW_CLOSE};
const char* const kTexts[] = {"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                              "Zoom &In",  "Zoom &Out",  "&Close"};

} // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
    delete m_pPreviewInfo;
}

BOOL CPreviewView::StartPreview(CView* pPrintView, CPrintInfo* pInfo) {
    m_pPrintView = pPrintView;
    m_pPreviewInfo = pInfo;
    CFrameWnd* frame = GetParentFrame();
    // The frame's bars step aside for the preview's own.
    for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (bar->IsWindowVisible()) {
            m_hiddenBars.push_back(bar->m_hWnd);
            bar->ShowWindow(SW_HIDE);
        }
    }
    if (!m_wndToolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, AFX_IDW_PREVIEW_BAR) ||
        !m_wndToolBar.SetButtons(kButtons, 7)) {
        ClosePreview();
        return FALSE;
    }
    for (int i = 0; i < 7; ++i) {
        m_wndToolBar.SetButtonInfo(i, kButtons[i], TBBS_BUTTON | TBBS_AUTOSIZE, I_IMAGENONE);
        m_wndToolBar.SetButtonText(i, kTexts[i]);
    }
    m_nPages = std::clamp<UINT>(pInfo->m_nNumPreviewPages, 1, 2);
    m_nCurrentPage = pInfo->GetMinPage();
    CDC printer;
    printer.Attach(pInfo->m_pPD->m_pd.hDC);
    printer.m_bPrinting = TRUE;
    m_pPrintView->OnBeginPrinting(&printer, pInfo);
    printer.Detach();
    frame->SetActiveView(this);
    frame->RecalcLayout();
    Invalidate();
    return TRUE;
}

// ---- Pages ----

BOOL CPreviewView::PageExists(UINT nPage) {
    CPrintInfo* info = m_pPreviewInfo;
    if (nPage < info->GetMinPage() || nPage > info->GetMaxPage()) return FALSE;
    HDC hdc = info->m_pPD->m_pd.hDC;
    int saved = ::SaveDC(hdc);
    CDC printer;
    printer.Attach(hdc);
    printer.m_bPrinting = TRUE;
    UINT current = info->m_nCurPage;
    info->m_nCurPage = nPage;
    info->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&printer, info);
    BOOL exists = info->m_bContinuePrinting;
    info->m_nCurPage = current;
    printer.Detach();
    ::RestoreDC(hdc, saved);
    return exists;
}

CRect CPreviewView::GetPageRect(int nPage) const {
    CRect client;
    GetClientRect(&client);
    HDC hdc = m_pPreviewInfo->m_pPD->m_pd.hDC;
    int pageWidth = std::max(::GetDeviceCaps(hdc, HORZRES), 1);
    int pageHeight = std::max(::GetDeviceCaps(hdc, VERTRES), 1);
    int pages = static_cast<int>(m_nPages);
    int width = std::max(1, (client.Width() - kMargin * (pages + 1)) / pages);
    int height = std::max(1, client.Height() - 2 * kMargin);
    // Whole pages fit at the first zoom; larger ones are cut at the view's edge.
    double scale = std::min(static_cast<double>(width) / pageWidth, static_cast<double>(height) / pageHeight);
    scale *= 1.0 + 0.5 * m_nZoom;
    int w = static_cast<int>(pageWidth * scale), h = static_cast<int>(pageHeight * scale);
    int left = kMargin + nPage * (w + kMargin);
    return CRect(left, kMargin, left + w, kMargin + h);
}

void CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& target) {
    CPrintInfo* info = m_pPreviewInfo;
    HDC hdc = info->m_pPD->m_pd.hDC;
    int pageWidth = ::GetDeviceCaps(hdc, HORZRES), pageHeight = ::GetDeviceCaps(hdc, VERTRES);
    int saved = ::SaveDC(hdc);
    ::PatBlt(hdc, 0, 0, pageWidth, pageHeight, WHITENESS);
    CDC printer;
    printer.Attach(hdc);
    printer.m_bPrinting = TRUE;
    info->m_nCurPage = nPage;
    info->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&printer, info);
    info->m_rectDraw.SetRect(0, 0, pageWidth, pageHeight);
    printer.DPtoLP(reinterpret_cast<LPPOINT>(&info->m_rectDraw), 2);
    m_pPrintView->OnPrint(&printer, info);
    printer.Detach();
    ::RestoreDC(hdc, saved);
    ::SetStretchBltMode(pDC->m_hDC, HALFTONE);
    ::StretchBlt(pDC->m_hDC, target.left, target.top, target.Width(), target.Height(), hdc, 0, 0, pageWidth,
                 pageHeight, SRCCOPY);
}

void CPreviewView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    for (UINT i = 0; i < m_nPages; ++i) {
        UINT page = m_nCurrentPage + i;
        if (!PageExists(page)) break;
        CRect rect = GetPageRect(static_cast<int>(i));
        CRect shadow = rect;
        shadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&shadow, RGB(0, 0, 0));
        DrawPage(pDC, page, rect);
        pDC->Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPreviewView::ShowPage(UINT nPage) {
    m_nCurrentPage = nPage;
    Invalidate();
}

// ---- Commands ----

// Next brings one more page into view, while there is one.
void CPreviewView::OnNextPage() {
    if (PageExists(m_nCurrentPage + m_nPages)) ShowPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage() {
    if (m_nCurrentPage > m_pPreviewInfo->GetMinPage()) ShowPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange() {
    m_nPages = m_nPages == 1 ? 2 : 1;
    int index = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    m_wndToolBar.SetButtonText(index, AfxLoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE));
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    Invalidate();
}

void CPreviewView::OnZoomIn() {
    m_nZoom = std::min(m_nZoom + 1, kMaxZoom);
    Invalidate();
}

void CPreviewView::OnZoomOut() {
    m_nZoom = std::max(m_nZoom - 1, 0);
    Invalidate();
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(PageExists(m_nCurrentPage + m_nPages));
}
void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}
void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
    pCmdUI->Enable(TRUE);
}
void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nZoom < kMaxZoom);
}
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nZoom > 0);
}

void CPreviewView::OnPreviewPrint() {
    CFrameWnd* frame = GetParentFrame();
    ClosePreview();
    // The view printed from is active again: the print command reaches it.
    if (frame) frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnPreviewClose() {
    ClosePreview();
}

void CPreviewView::ClosePreview() {
    CFrameWnd* frame = GetParentFrame();
    CView* view = m_pPrintView;
    if (view && m_pPreviewInfo) {
        CDC printer;
        printer.Attach(m_pPreviewInfo->m_pPD->m_pd.hDC);
        printer.m_bPrinting = TRUE;
        view->OnEndPrintPreview(&printer, m_pPreviewInfo, CPoint(0, 0), this);
        printer.Detach();
    }
    if (m_wndToolBar.m_hWnd) m_wndToolBar.DestroyWindow();
    for (HWND bar : m_hiddenBars)
        if (::IsWindow(bar)) ::ShowWindow(bar, SW_SHOWNA);
    m_hiddenBars.clear();
    SetDlgCtrlID(AFX_IDW_PANE_SAVE + 1);
    if (view) {
        view->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        view->ShowWindow(SW_SHOW);
    }
    if (frame) frame->SetActiveView(view);
    DestroyWindow(); // deletes this view and, with it, the print job
    if (frame) frame->RecalcLayout();
}
