// CView's printing: preparing the job, the page loop on the printer DC, and starting print preview.

#include "platform/framework/CDC.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CPreviewView.h"
#include "platform/framework/CPrintInfo.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CommonDialogs.h"
#include "platform/framework/FrameworkStrings.h"

#include <algorithm>

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) {
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CView*) {
    OnEndPrinting(pDC, pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    CPrintDialog* dialog = pInfo->m_pPD;
    CWinApp* app = AfxGetApp();
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // The default printer, without asking (asking only when there is none).
        if (!dialog->m_pd.hDC) {
            bool defaults = app ? app->GetPrinterDeviceDefaults(&dialog->m_pd) : dialog->GetDefaults();
            if (!defaults && dialog->DoModal() != IDOK) return FALSE;
            if (!dialog->m_pd.hDC && !dialog->CreatePrinterDC()) return FALSE;
        }
        dialog->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
        dialog->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    } else {
        dialog->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
        dialog->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
        if (dialog->DoModal() != IDOK) return FALSE;
        if (!dialog->m_pd.hDC && !dialog->CreatePrinterDC()) return FALSE;
    }
    if (!dialog->m_pd.hDC) return FALSE;
    pInfo->m_strPageDesc = AfxLoadString(AFX_IDS_PREVIEWPAGEDESC);
    return TRUE;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    if (!OnPreparePrinting(&info)) return;
    CString output;
    if (info.m_pPD->m_pd.Flags & PD_PRINTTOFILE) {
        CFileDialog file(FALSE, AfxLoadString(AFX_IDS_PRINTDEFAULTEXT), AfxLoadString(AFX_IDS_PRINTDEFAULT),
                         OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, AfxLoadString(AFX_IDS_PRINTFILTER), this);
        if (file.DoModal() != IDOK) return;
        output = file.GetPathName();
    }
    if (!PrintPages(&info, output.IsEmpty() ? nullptr : static_cast<LPCSTR>(output)))
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}

void CView::OnFilePrintDirect() {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info)) return;
    if (!PrintPages(&info, nullptr)) AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}

BOOL CView::PrintPages(CPrintInfo* pInfo, LPCSTR lpszOutput) {
    CString title;
    if (CDocument* doc = GetDocument())
        title = doc->GetTitle();
    else
        EnsureParentFrame()->GetWindowText(title);
    DOCINFOA docInfo{sizeof(DOCINFOA), title, lpszOutput, nullptr, 0};
    CDC dc;
    dc.Attach(pInfo->m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, pInfo);
    CWnd* main = AfxGetMainWnd();
    if (main) main->EnableWindow(FALSE);
    bool ok = ::StartDocA(dc.m_hDC, &docInfo) != SP_ERROR;
    if (ok) {
        // The pages asked for, kept within the document's; a view may learn its last page as it goes.
        UINT first = std::clamp(pInfo->GetFromPage(), pInfo->GetMinPage(), pInfo->GetMaxPage());
        UINT last = std::clamp(pInfo->GetToPage(), pInfo->GetMinPage(), pInfo->GetMaxPage());
        for (pInfo->m_nCurPage = first; pInfo->m_nCurPage <= last && pInfo->m_nCurPage <= pInfo->GetMaxPage();
             ++pInfo->m_nCurPage) {
            OnPrepareDC(&dc, pInfo);
            if (!pInfo->m_bContinuePrinting) break;
            pInfo->m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            dc.DPtoLP(reinterpret_cast<LPPOINT>(&pInfo->m_rectDraw), 2);
            if (::StartPage(dc.m_hDC) < 0) {
                ok = false;
                break;
            }
            OnPrepareDC(&dc, pInfo); // starting a page resets the DC
            OnPrint(&dc, pInfo);
            if (::EndPage(dc.m_hDC) < 0) {
                ok = false;
                break;
            }
        }
        if (ok)
            ::EndDoc(dc.m_hDC);
        else
            ::AbortDoc(dc.m_hDC);
    }
    if (main) main->EnableWindow(TRUE);
    OnEndPrinting(&dc, pInfo);
    dc.Detach(); // the print info deletes the printer DC
    return ok;
}

void CView::OnFilePrintPreview() {
    auto* info = new CPrintInfo;
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info)) {
        delete info;
        return;
    }
    CFrameWnd* frame = EnsureParentFrame();
    auto* preview = static_cast<CPreviewView*>(RUNTIME_CLASS(CPreviewView)->CreateObject());
    CCreateContext context;
    context.m_pCurrentFrame = frame;
    context.m_pLastView = this;
    // The preview takes the pane's id; the view keeps its window, hidden, under another.
    SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    ShowWindow(SW_HIDE);
    bool created = preview->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), frame,
                                   AFX_IDW_PANE_FIRST, &context) != FALSE;
    if (!created) delete info; // the preview deleted itself
    // StartPreview owns the job from here; on failure it has closed itself.
    if (created && preview->StartPreview(this, info)) return;
    SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    ShowWindow(SW_SHOW);
    frame->RecalcLayout();
}
