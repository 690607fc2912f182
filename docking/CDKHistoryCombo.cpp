#include "docking/CDKHistoryCombo.h"

#include "docking/HistoryText.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CDKHistoryCombo, CComboBox)

BEGIN_MESSAGE_MAP(CDKHistoryCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ENABLE()
    ON_COMMAND(ID_HISTORYCOMBO_ADD, OnAdd)
    ON_COMMAND(ID_HISTORYCOMBO_DELETE, OnDelete)
    ON_COMMAND(ID_HISTORYCOMBO_CLEAR, OnClear)
    ON_UPDATE_COMMAND_UI(ID_HISTORYCOMBO_ADD, OnUpdateAdd)
    ON_UPDATE_COMMAND_UI(ID_HISTORYCOMBO_DELETE, OnUpdateDelete)
    ON_UPDATE_COMMAND_UI(ID_HISTORYCOMBO_CLEAR, OnUpdateClear)
END_MESSAGE_MAP()

namespace {

constexpr REGSAM kKeyAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

HKEY OpenOrCreate(HKEY hParent, LPCSTR lpszName, BOOL bCreate) {
    HKEY hKey = nullptr;
    LONG result =
        bCreate ? ::RegCreateKeyEx(hParent, lpszName, 0, nullptr, 0, kKeyAccess, nullptr, &hKey, nullptr)
                : ::RegOpenKeyEx(hParent, lpszName, 0, KEY_READ, &hKey);
    return result == ERROR_SUCCESS ? hKey : nullptr;
}

} // namespace

CDKHistoryCombo::CDKHistoryCombo() : m_pToolBar(std::make_unique<CDKHistoryToolBar>()) {}

CDKHistoryCombo::~CDKHistoryCombo() = default;

bool CDKHistoryCombo::IsOwnCommand(UINT nID) {
    return nID == ID_HISTORYCOMBO_ADD || nID == ID_HISTORYCOMBO_DELETE || nID == ID_HISTORYCOMBO_CLEAR;
}

BOOL CDKHistoryCombo::InitToolbar(CWnd* pParent) {
    if (!pParent || !m_pToolBar->Create(pParent, this)) return FALSE;
    for (int i = 0; i < 3; ++i)
        m_buttonFlags[i] = 1;
    PositionToolbar(m_nPlacement, m_bBorderFlag);
    return TRUE;
}

int CDKHistoryCombo::GetVisibleButtonCount() const {
    int nCount = 0;
    for (int flag : m_buttonFlags)
        nCount += flag != 0;
    return nCount;
}

void CDKHistoryCombo::ShowButton(int nButton, BOOL bShow) {
    if (nButton < 0 || nButton >= 3 || !m_pToolBar->m_hWnd) return;
    m_buttonFlags[nButton] = bShow ? 1 : 0;
    m_pToolBar->SendMessage(TB_HIDEBUTTON, m_pToolBar->GetItemID(nButton), MAKELONG(!bShow, 0));
    PositionToolbar(m_nPlacement, m_bBorderFlag);
}

void CDKHistoryCombo::PositionToolbar(int nPlacement, BOOL bBorderFlag) {
    m_nPlacement = nPlacement >= 1 && nPlacement <= 13 ? nPlacement : kDefaultPlacement;
    m_bBorderFlag = bBorderFlag;
    if (!m_pToolBar->m_hWnd) return;
    const bool bShow = GetVisibleButtonCount() > 0 && m_nPlacement != 1;
    m_pToolBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    if (!bShow) return;
    CRect R;
    GetWindowRect(&R);
    if (CWnd* pParent = GetParent()) pParent->ScreenToClient(&R);
    m_pToolBar->SetBarStyle((m_pToolBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP |
                            CBRS_ALIGN_BOTTOM);
    const CSize size = m_pToolBar->CalcFixedLayout(FALSE, TRUE);
    const CPoint at = CalcToolbarOrigin(m_nPlacement, R, size, m_pToolBar->GetBorders(), m_bBorderFlag);
    m_pToolBar->MoveWindow(at.x, at.y, size.cx, size.cy, TRUE);
    m_pToolBar->Invalidate();
}

void CDKHistoryCombo::SetHistoryValue(LPCSTR lpszValueName, LPCSTR lpszCompanyKey, LPCSTR lpszAppKey) {
    m_strValueName = lpszValueName ? lpszValueName : "";
    m_strCompanyKey = lpszCompanyKey ? lpszCompanyKey : "";
    m_strAppKey = lpszAppKey ? lpszAppKey : "";
}

std::vector<std::string> CDKHistoryCombo::Entries() const {
    std::vector<std::string> entries;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString entry;
        GetLBText(i, entry);
        entries.emplace_back(entry);
    }
    return entries;
}

CString CDKHistoryCombo::WindowText() const {
    CString text;
    GetWindowText(text);
    return text;
}

CString CDKHistoryCombo::GetHistoryString() const {
    return CString(docking::JoinHistory(Entries()).c_str());
}

HKEY CDKHistoryCombo::OpenHistoryKey(LPCSTR lpszCompanyKey, LPCSTR lpszAppKey, HKEY hRoot,
                                     BOOL bCreate) const {
    CWinApp* pApp = AfxGetApp();
    CString company = lpszCompanyKey ? lpszCompanyKey : "";
    CString app = lpszAppKey ? lpszAppKey : "";
    if (company.IsEmpty() && pApp && pApp->m_pszRegistryKey) company = pApp->m_pszRegistryKey;
    if (app.IsEmpty() && pApp && pApp->m_pszProfileName) app = pApp->m_pszProfileName;
    if (company.IsEmpty() || app.IsEmpty()) return nullptr;
    HKEY hKey = OpenOrCreate(hRoot, "Software", bCreate);
    if (!hKey) return nullptr;
    for (LPCSTR lpszName : {static_cast<LPCSTR>(company), static_cast<LPCSTR>(app), "HistoryCombo"}) {
        HKEY hNext = OpenOrCreate(hKey, lpszName, bCreate);
        ::RegCloseKey(hKey);
        if (!hNext) return nullptr;
        hKey = hNext;
    }
    return hKey;
}

BOOL CDKHistoryCombo::SaveHistory(LPCSTR lpszValueName, LPCSTR lpszCompanyKey, LPCSTR lpszAppKey, HKEY hRoot,
                                  BOOL bAddFirst) {
    if (!lpszValueName || !*lpszValueName) return FALSE;
    HKEY hKey = OpenHistoryKey(lpszCompanyKey, lpszAppKey, hRoot, TRUE);
    if (!hKey) return FALSE;
    if (bAddFirst) AddToHistory(nullptr);
    const std::string text = docking::JoinHistory(Entries());
    LONG result = text.empty() ? ::RegDeleteValue(hKey, lpszValueName)
                               : ::RegSetValueEx(hKey, lpszValueName, 0, REG_SZ,
                                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                                 static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS || (text.empty() && result == ERROR_FILE_NOT_FOUND);
}

BOOL CDKHistoryCombo::LoadHistory(LPCSTR lpszValueName, LPCSTR lpszCompanyKey, LPCSTR lpszAppKey,
                                  HKEY hRoot) {
    if (!lpszValueName || !*lpszValueName) return FALSE;
    HKEY hKey = OpenHistoryKey(lpszCompanyKey, lpszAppKey, hRoot, FALSE);
    if (!hKey) return FALSE;
    DWORD dwType = 0, cb = 0;
    LONG result = ::RegQueryValueEx(hKey, lpszValueName, nullptr, &dwType, nullptr, &cb);
    std::string text(cb, '\0');
    if (result == ERROR_SUCCESS && dwType == REG_SZ && cb > 0)
        result =
            ::RegQueryValueEx(hKey, lpszValueName, nullptr, &dwType, reinterpret_cast<BYTE*>(&text[0]), &cb);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || dwType != REG_SZ) return FALSE;
    text.resize(std::min<size_t>(cb, text.size()));
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    ResetContent();
    for (const std::string& entry : docking::SplitHistory(text)) {
        if (GetCount() >= m_nMaxHistory) break;
        AddString(entry.c_str());
    }
    return TRUE;
}

BOOL CDKHistoryCombo::AddToHistory(LPCSTR lpszText) {
    const CString text = lpszText ? CString(lpszText) : WindowText();
    if (text.IsEmpty()) return FALSE;
    const std::vector<std::string> entries = Entries();
    for (size_t i = entries.size(); i > 0; --i)
        if (entries[i - 1] == static_cast<LPCSTR>(text)) DeleteString(static_cast<UINT>(i - 1));
    InsertString(0, text);
    while (GetCount() > m_nMaxHistory)
        DeleteString(static_cast<UINT>(GetCount() - 1));
    return TRUE;
}

int CDKHistoryCombo::CurrentEntry() const {
    const int nSel = GetCurSel();
    if (nSel >= 0) return nSel;
    const std::string text(WindowText());
    const std::vector<std::string> entries = Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == text) return static_cast<int>(i);
    return -1;
}

BOOL CDKHistoryCombo::DeleteFromHistory(int nIndex) {
    if (nIndex < 0) nIndex = CurrentEntry();
    if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
    return DeleteString(static_cast<UINT>(nIndex)) >= 0;
}

void CDKHistoryCombo::ClearHistory() {
    ResetContent();
}

BOOL CDKHistoryCombo::CanAdd() const {
    const CString text = WindowText();
    if (text.IsEmpty()) return FALSE;
    if (GetCount() == 0) return TRUE;
    CString first;
    GetLBText(0, first);
    return first != text;
}

BOOL CDKHistoryCombo::CanDelete() const {
    return CurrentEntry() >= 0;
}

BOOL CDKHistoryCombo::CanClear() const {
    return GetCount() > 0;
}

CPoint CDKHistoryCombo::CalcToolbarOrigin(int nPlacement, const CRect& R, CSize size, const CRect& borders,
                                          BOOL bBorderFlag) {
    const int w = size.cx, h = size.cy;
    const int L = borders.left, T = borders.top, Rb = borders.right, B = borders.bottom;
    const int bL = bBorderFlag ? 0 : L, bT = bBorderFlag ? 0 : T;
    const int bR = bBorderFlag ? 0 : Rb, bB = bBorderFlag ? 0 : B;
    const int xCentre = R.left + (R.right - w - R.left) / 2;
    const int yCentre = R.top + (R.bottom - R.top - h) / 2;
    switch (nPlacement) {
    case 2:
        return CPoint(R.left - L, R.top - h + bT);
    case 3:
        return CPoint(xCentre, R.top - h + bT);
    case 4:
        return CPoint(R.right - w + Rb, R.top - h + bT);
    case 5:
        return CPoint(R.left - L, R.bottom - bB);
    case 6:
        return CPoint(xCentre, R.bottom - bB);
    case 7:
        return CPoint(R.right - w + Rb, R.bottom - bB);
    case 8:
        return CPoint(R.left - w + bL, R.top - T);
    case 9:
        return CPoint(R.left - w + bL, yCentre);
    case 10:
        return CPoint(R.left - w + bL, R.bottom + B - h);
    case 11:
        return CPoint(R.right - bR, R.top - T);
    case 12:
        return CPoint(R.right - bR, yCentre);
    case 13:
        return CPoint(R.right - bR, R.bottom + B - h);
    default:
        return CalcToolbarOrigin(kDefaultPlacement, R, size, borders, bBorderFlag);
    }
}

int CDKHistoryCombo::OnCreate(LPCREATESTRUCT lpcs) {
    if (CComboBox::OnCreate(lpcs) == -1) return -1;
    InitToolbar(CWnd::FromHandle(lpcs->hwndParent));
    if (m_bSaveOnDestroy && !m_strValueName.IsEmpty())
        LoadHistory(m_strValueName, m_strCompanyKey, m_strAppKey, HKEY_CURRENT_USER);
    return 0;
}

void CDKHistoryCombo::OnDestroy() {
    // Saved before the control's own handling, which may already let its list go.
    if (m_bSaveOnDestroy) SaveHistory(m_strValueName, m_strCompanyKey, m_strAppKey, HKEY_CURRENT_USER, TRUE);
    CComboBox::OnDestroy();
    if (m_pToolBar->m_hWnd) m_pToolBar->DestroyWindow();
    m_pToolBar = std::make_unique<CDKHistoryToolBar>();
}

LRESULT CDKHistoryCombo::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    // The bar updates against the combo, which need not sit in a frame.
    if (m_pToolBar->m_hWnd && m_pToolBar->IsWindowVisible())
        m_pToolBar->OnUpdateCmdUI(nullptr, static_cast<BOOL>(wParam));
    return 0;
}

void CDKHistoryCombo::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    // The tool bar follows the combo; its placement and border flag stay as they were set.
    if (m_pToolBar->m_hWnd) PositionToolbar(m_nPlacement, m_bBorderFlag);
    CComboBox::OnWindowPosChanged(lpwndpos);
}

void CDKHistoryCombo::OnEnable(BOOL bEnable) {
    Default();
    if (m_pToolBar->m_hWnd) m_pToolBar->EnableWindow(bEnable);
}

BOOL CDKHistoryCombo::OnCommand(WPARAM wParam, LPARAM lParam) {
    const bool bFromBar = m_pToolBar->m_hWnd && reinterpret_cast<HWND>(lParam) == m_pToolBar->m_hWnd;
    if (!bFromBar || IsOwnCommand(LOWORD(wParam))) return CComboBox::OnCommand(wParam, lParam);
    if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CDKHistoryCombo::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Updates of the tool bar's other commands are run against the parent window.
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && !IsOwnCommand(nID) && GetParent())
        return GetParent()->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return CComboBox::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDKHistoryCombo::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pTip = reinterpret_cast<TOOLTIPTEXT*>(lParam);
    if (pTip->hdr.code != static_cast<UINT>(TTN_NEEDTEXT))
        return CComboBox::OnNotify(wParam, lParam, pResult);
    UINT nID = static_cast<UINT>(pTip->hdr.idFrom);
    if (pTip->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pTip->hdr.idFrom)));
    CString strings;
    strings.LoadString(nID);
    const int nBreak = strings.Find('\n');
    const CString tip = nBreak >= 0 ? strings.Mid(nBreak + 1) : CString();
    std::snprintf(pTip->szText, sizeof pTip->szText, "%.79s", static_cast<LPCSTR>(tip));
    pTip->lpszText = pTip->szText;
    ::SetWindowPos(pTip->hdr.hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    *pResult = 0;
    return TRUE;
}

void CDKHistoryCombo::OnAdd() {
    AddToHistory(nullptr);
}

void CDKHistoryCombo::OnDelete() {
    DeleteFromHistory(-1);
}

void CDKHistoryCombo::OnClear() {
    ClearHistory();
}

void CDKHistoryCombo::OnUpdateAdd(CCmdUI* pCmdUI) {
    pCmdUI->Enable(CanAdd() && IsWindowEnabled());
}

void CDKHistoryCombo::OnUpdateDelete(CCmdUI* pCmdUI) {
    pCmdUI->Enable(CanDelete());
}

void CDKHistoryCombo::OnUpdateClear(CCmdUI* pCmdUI) {
    pCmdUI->Enable(CanClear());
}
