// Printing the edit control's text page by page on a fixed letter page with margins all controls
// share, and Page Setup for those margins. Page starts are learnt while printing; a page that
// takes no character ends the document, so printing always ends.

#include "editor/CHHEditCtrl.h"
#include "editor/HHEditSettings.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CPrintInfo.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CommonDialogs.h"

CRect CHHEditCtrl::s_rcMargins(720, 720, 720, 720);

CRect CHHEditCtrl::GetPrintRect() const {
    return CRect(m_rcMargins.left, m_rcMargins.top, kPageWidth - m_rcMargins.right,
                 kPageHeight - m_rcMargins.bottom);
}

long CHHEditCtrl::FormatRange(CDC* pDC, long first, long last, BOOL render) {
    const CPoint offset(pDC->GetDeviceCaps(PHYSICALOFFSETX), pDC->GetDeviceCaps(PHYSICALOFFSETY));
    pDC->OffsetViewportOrg(-offset.x, -offset.y);
    // Print preview draws on one device and measures on another: the extents follow their ratio.
    if (pDC->m_hAttribDC && pDC->m_hAttribDC != pDC->m_hDC) {
        pDC->ScaleWindowExt(
            ::GetDeviceCaps(pDC->m_hDC, LOGPIXELSX), ::GetDeviceCaps(pDC->m_hAttribDC, LOGPIXELSX),
            ::GetDeviceCaps(pDC->m_hDC, LOGPIXELSY), ::GetDeviceCaps(pDC->m_hAttribDC, LOGPIXELSY));
    }
    FORMATRANGE range{};
    range.hdc = pDC->m_hDC;
    range.hdcTarget = pDC->m_hAttribDC;
    range.rc = GetPrintRect();
    range.rcPage = CRect(0, 0, kPageWidth, kPageHeight);
    range.chrg = CHARRANGE{static_cast<LONG>(first), static_cast<LONG>(last)};
    const long next = CRichEditCtrl::FormatRange(&range, render);
    pDC->OffsetViewportOrg(offset.x, offset.y);
    return next;
}

void CHHEditCtrl::OnBeginPrinting(CDC*, CPrintInfo*) {
    // Starts left by a job that never reached its end are dropped.
    m_pageStarts.assign(1, 0);
    CRichEditCtrl::FormatRange(nullptr, FALSE);
}

void CHHEditCtrl::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    pDC->SetMapMode(MM_TEXT);
    if (!pInfo || pInfo->m_nCurPage <= m_pageStarts.size()) return;
    if (!paginateTo(pDC, pInfo, pInfo->m_nCurPage)) pInfo->m_bContinuePrinting = FALSE;
}

void CHHEditCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    const UINT page = pInfo->m_nCurPage;
    if (page == 0 || page > m_pageStarts.size()) return;
    const long start = m_pageStarts[page - 1];
    const long next = FormatRange(pDC, start, -1, TRUE);
    notePageEnd(pInfo, page, start, next);
}

void CHHEditCtrl::OnEndPrinting(CDC*, CPrintInfo*) {
    CRichEditCtrl::FormatRange(nullptr, FALSE);
    m_pageStarts.clear();
}

void CHHEditCtrl::notePageEnd(CPrintInfo* pInfo, UINT page, long start, long next) {
    // The text's end, or a page that took nothing, makes this the last page.
    if (next >= GetTextLength() || next <= start) {
        pInfo->SetMaxPage(page);
        return;
    }
    if (page == m_pageStarts.size()) m_pageStarts.push_back(next);
}

BOOL CHHEditCtrl::paginateTo(CDC* pDC, CPrintInfo* pInfo, UINT page) {
    while (m_pageStarts.size() < page) {
        const UINT known = static_cast<UINT>(m_pageStarts.size());
        const long start = m_pageStarts.back();
        const long next = FormatRange(pDC, start, -1, FALSE);
        notePageEnd(pInfo, known, start, next);
        if (m_pageStarts.size() == known) return FALSE;
    }
    return TRUE;
}

void CHHEditCtrl::OnPageSetup() {
    CPageSetupDialog dlg(PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES, this);
    dlg.m_psd.rtMargin =
        CRect(hh::TwipsToThousandths(m_rcMargins.left), hh::TwipsToThousandths(m_rcMargins.top),
              hh::TwipsToThousandths(m_rcMargins.right), hh::TwipsToThousandths(m_rcMargins.bottom));
    CWinApp* app = AfxGetApp();
    PRINTDLG printer{};
    printer.lStructSize = sizeof(printer);
    if (app && app->GetPrinterDeviceDefaults(&printer)) {
        dlg.m_psd.hDevMode = printer.hDevMode;
        dlg.m_psd.hDevNames = printer.hDevNames;
    }
    if (dlg.DoModal() != IDOK) return;
    const RECT& chosen = dlg.m_psd.rtMargin;
    m_rcMargins = CRect(hh::ThousandthsToTwips(chosen.left), hh::ThousandthsToTwips(chosen.top),
                        hh::ThousandthsToTwips(chosen.right), hh::ThousandthsToTwips(chosen.bottom));
    s_rcMargins = m_rcMargins;
    if (app && (dlg.m_psd.hDevNames != printer.hDevNames || dlg.m_psd.hDevMode != printer.hDevMode))
        app->SelectPrinter(dlg.m_psd.hDevNames, dlg.m_psd.hDevMode, TRUE);
}
