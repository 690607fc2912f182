// The common dialogs' wrappers over the platform's common dialog functions.

#include "platform/framework/CommonDialogs.h"

#include "platform/framework/CDC.h"
#include "platform/framework/CWinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

void CCommonDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    Default();
}

void CCommonDialog::OnCancel() {
    Default();
}

// ---- File ----

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(65536, '\0') {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (lpszFileName) std::strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter) {
        // '|' separates the pairs; the platform wants NUL separators and a double NUL at the end.
        for (const char* p = lpszFilter; *p; ++p)
            m_filter.push_back(*p == '|' ? '\0' : *p);
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerWindow();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) return CString(m_ofn.lpstrFile);
    POSITION pos = GetStartPosition();
    return pos ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    int slash = path.ReverseFind('/');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

POSITION CFileDialog::GetStartPosition() const {
    return m_ofn.lpstrFile && *m_ofn.lpstrFile ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    // One name, or a folder followed by NUL-separated names.
    const char* p = reinterpret_cast<const char*>(pos);
    const char* first = m_ofn.lpstrFile;
    CString folder(first);
    if (first[folder.GetLength() + 1] == '\0') {
        pos = nullptr;
        return folder;
    }
    if (p == first) p += folder.GetLength() + 1;
    CString name(p);
    const char* next = p + name.GetLength() + 1;
    pos = *next ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
    return folder.IsEmpty() || folder.Right(1) == "/" ? folder + name : folder + "/" + name;
}

// ---- Colour ----

COLORREF* CColorDialog::GetSavedCustomColors() {
    static COLORREF colours[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                   0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                   0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return colours;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0) m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
    m_cc.hwndOwner = OwnerWindow();
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

// ---- Font ----

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter) m_cf.hDC = pm::afx::safeHdc(pdcPrinter);
}

INT_PTR CFontDialog::DoModal() {
    m_cf.hwndOwner = OwnerWindow();
    m_cf.lpLogFont = &m_lf;
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}

// ---- Print and page setup ----

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = OwnerWindow();
    if (CWinApp* pApp = AfxGetApp(); pApp && !m_pd.hDevNames) {
        m_pd.hDevMode = pApp->m_hDevMode;
        m_pd.hDevNames = pApp->m_hDevNames;
    }
    if (!::PrintDlgA(&m_pd)) return IDCANCEL;
    if (CWinApp* pApp = AfxGetApp()) pApp->SelectPrinter(m_pd.hDevNames, m_pd.hDevMode, FALSE);
    return IDOK;
}

BOOL CPrintDialog::GetDefaults() {
    DWORD flags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    BOOL ok = ::PrintDlgA(&m_pd);
    m_pd.Flags = flags;
    return ok;
}

HDC CPrintDialog::CreatePrinterDC() {
    if (m_pd.hDC) return m_pd.hDC;
    CString device = GetDeviceName();
    CString output = GetPortName();
    m_pd.hDC = ::CreateDCA(nullptr, device, output, nullptr);
    return m_pd.hDC;
}

CString CPrintDialog::GetDeviceName() const {
    return DevNamesText(&DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetPortName() const {
    return DevNamesText(&DEVNAMES::wOutputOffset);
}

CString CPrintDialog::DevNamesText(WORD DEVNAMES::*offset) const {
    if (!m_pd.hDevNames) return CString();
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (!names) return CString();
    CString text(reinterpret_cast<const char*>(names) + names->*offset);
    ::GlobalUnlock(m_pd.hDevNames);
    return text;
}

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal() {
    m_psd.hwndOwner = OwnerWindow();
    return ::PageSetupDlgA(&m_psd) ? IDOK : IDCANCEL;
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const {
    if (lpRectMargins) *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins) *lpRectMinMargins = m_psd.rtMinMargin;
}

// ---- Find and replace ----

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr) {
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof(m_szReplaceWith);
}

UINT CFindReplaceDialog::GetFindReplaceMsg() {
    static const UINT message = ::RegisterWindowMessage(FINDMSGSTRING);
    return message;
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd) {
    m_fr.Flags = dwFlags;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    if (lpszFindWhat) std::strncpy(m_szFindWhat, lpszFindWhat, sizeof(m_szFindWhat) - 1);
    if (lpszReplaceWith) std::strncpy(m_szReplaceWith, lpszReplaceWith, sizeof(m_szReplaceWith) - 1);
    CWnd* pParent = pParentWnd ? pParentWnd : AfxGetMainWnd();
    m_fr.hwndOwner = pm::afx::safeHwnd(pParent);
    GetFindReplaceMsg();
    AfxHookWindowCreate(this);
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    if (!AfxUnhookWindowCreate()) PostNcDestroy();
    return hWnd != nullptr;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
    auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
    return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

void CFindReplaceDialog::PostNcDestroy() {
    delete this;
}
