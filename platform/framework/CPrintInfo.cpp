// CPrintInfo: the page range lives in the print dialog's structure.

#include "platform/framework/CPrintInfo.h"

#include "platform/framework/CommonDialogs.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo() {
    if (m_pPD->m_pd.hDC) ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage) {
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage);
}
void CPrintInfo::SetMaxPage(UINT nMaxPage) {
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage);
}
UINT CPrintInfo::GetMinPage() const {
    return m_pPD->m_pd.nMinPage;
}
UINT CPrintInfo::GetMaxPage() const {
    return m_pPD->m_pd.nMaxPage;
}
UINT CPrintInfo::GetFromPage() const {
    return m_pPD->m_pd.nFromPage;
}
UINT CPrintInfo::GetToPage() const {
    return m_pPD->m_pd.nToPage;
}
