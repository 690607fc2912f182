#pragma once
// CPrintInfo: one print or preview job as the view's printing functions see it: the print dialog
// (with the printer's DC), the page range, the page being printed and its drawing rectangle.

#include "platform/framework/CRect.h"
#include "platform/framework/CString.h"

class CPrintDialog;

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;
    BOOL m_bDirect = FALSE; // to the default printer without the dialog
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1; // 1 or 2 pages side by side
    CString m_strPageDesc;       // "Page %u\nPages %u-%u\n"
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw{0, 0, 0, 0}; // the page's printable area, in logical units

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    UINT GetFromPage() const;
    UINT GetToPage() const;
};
