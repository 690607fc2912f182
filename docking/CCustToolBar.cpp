#include "docking/CCustToolBar.h"

#include "docking/ToolBarState.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CCustToolBar, CToolBarEx)

BEGIN_MESSAGE_MAP(CCustToolBar, CToolBarEx)
    ON_WM_RBUTTONDOWN()
    ON_NOTIFY_REFLECT(TBN_BEGINADJUST, OnBeginAdjust)
    ON_NOTIFY_REFLECT(TBN_ENDADJUST, OnEndAdjust)
    ON_NOTIFY_REFLECT(TBN_BEGINDRAG, OnDragOrQuery)
    ON_NOTIFY_REFLECT(TBN_ENDDRAG, OnDragOrQuery)
    ON_NOTIFY_REFLECT(TBN_QUERYINSERT, OnQueryInsertOrDelete)
    ON_NOTIFY_REFLECT(TBN_QUERYDELETE, OnQueryInsertOrDelete)
    ON_NOTIFY_REFLECT(TBN_GETBUTTONINFO, OnGetButtonInfo)
    ON_NOTIFY_REFLECT(TBN_RESET, OnReset)
    ON_NOTIFY_REFLECT(TBN_TOOLBARCHANGE, OnToolBarChange)
    ON_NOTIFY_REFLECT(TBN_CUSTHELP, OnCustomHelp)
    ON_NOTIFY_REFLECT(TTN_SHOW, OnShowTip)
END_MESSAGE_MAP()

BOOL CCustToolBar::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= CCS_ADJUSTABLE | TBSTYLE_ALTDRAG;
    return CToolBarEx::PreCreateWindow(cs);
}

BOOL CCustToolBar::LoadToolBar(LPCSTR lpszResourceName) {
    const BOOL bLoaded = CToolBar::LoadToolBar(lpszResourceName);
    GetButtonRecords(m_allButtons);
    return bLoaded;
}

BOOL CCustToolBar::LoadToolBar(UINT nIDResource) {
    m_nIDResource = nIDResource;
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CCustToolBar::LoadToolBar(UINT nIDResource, const UINT* lpIDArray, int nIDCount) {
    m_nIDResource = nIDResource;
    const BOOL bLoaded =
        CToolBar::LoadBitmap(nIDResource) && SetButtons(lpIDArray, nIDCount) && OnButtonsLoaded();
    GetButtonRecords(m_allButtons);
    return bLoaded;
}

void CCustToolBar::GetButtonRecords(std::vector<TBBUTTON>& buttons) const {
    const int nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    buttons.assign(static_cast<size_t>(std::max(nCount, 0)), TBBUTTON{});
    for (int i = 0; i < nCount; ++i)
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i),
                    reinterpret_cast<LPARAM>(&buttons[static_cast<size_t>(i)]));
}

void CCustToolBar::SetButtonRecords(const std::vector<TBBUTTON>& buttons) {
    const int nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < nCount; ++i)
        SendMessage(TB_DELETEBUTTON, 0);
    if (!buttons.empty())
        SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

CWnd* CCustToolBar::GetControl(UINT nID) const {
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        if (static_cast<UINT>(pChild->GetDlgCtrlID()) == nID) return pChild;
    return nullptr;
}

void CCustToolBar::RepositionControls() {
    std::vector<TBBUTTON> buttons;
    GetButtonRecords(buttons);
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TBBUTTON& button = buttons[i];
        if (button.idCommand <= 0) {
            if (m_nSeparatorWidth >= 0)
                SetButtonInfo(static_cast<int>(i), 0, TBBS_SEPARATOR, m_nSeparatorWidth);
            continue;
        }
        CWnd* pControl = GetControl(static_cast<UINT>(button.idCommand));
        if (!pControl) continue;
        CRect rect;
        GetToolBarItemRect(static_cast<int>(i), rect);
        pControl->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pControl->ShowWindow(SW_SHOW);
    }
    for (const TBBUTTON& pooled : m_allButtons) {
        const bool bOnBar = std::any_of(buttons.begin(), buttons.end(),
                                        [&](const TBBUTTON& b) { return b.idCommand == pooled.idCommand; });
        if (bOnBar || pooled.idCommand <= 0) continue;
        if (CWnd* pControl = GetControl(static_cast<UINT>(pooled.idCommand))) pControl->ShowWindow(SW_HIDE);
    }
}

void CCustToolBar::OnButtonsChanged() {
    std::vector<TBBUTTON> buttons;
    GetButtonRecords(buttons);
    const bool bWrapped = std::any_of(buttons.begin(), buttons.end(),
                                      [](const TBBUTTON& b) { return (b.fsState & TBSTATE_WRAP) != 0; });
    if (!bWrapped) m_nMRUWidth = 32767;
    RepositionControls();
    CWnd* pParent = GetParent();
    if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(pParent)->RecalcLayout(TRUE);
    if (!m_strStateSection.IsEmpty()) SaveState(m_strStateSection);
}

CString CCustToolBar::GetStateValueName() const {
    char name[32];
    std::snprintf(name, sizeof name, "ToolBar State(0x%04X)", GetBarId() & 0xFFFF);
    return CString(name);
}

void CCustToolBar::SaveState(LPCSTR lpszSection) {
    std::vector<TBBUTTON> buttons;
    GetButtonRecords(buttons);
    std::vector<BYTE> data = docking::EncodeToolBarState(buttons);
    AfxGetApp()->WriteProfileBinary(lpszSection, GetStateValueName(), data.data(),
                                    static_cast<UINT>(data.size()));
}

BOOL CCustToolBar::ApplyStoredState(const BYTE* pData, size_t nSize) {
    std::vector<TBBUTTON> buttons;
    if (!docking::DecodeToolBarState(pData, nSize, buttons)) return FALSE;
    for (TBBUTTON& button : buttons) {
        auto it = std::find_if(m_allButtons.begin(), m_allButtons.end(),
                               [&](const TBBUTTON& b) { return b.idCommand == button.idCommand; });
        if (it == m_allButtons.end() || button.idCommand <= 0) continue;
        button.dwData = it->dwData;
        button.iString = it->iString;
    }
    SetButtonRecords(buttons);
    OnButtonsChanged();
    return TRUE;
}

BOOL CCustToolBar::RestoreState(LPCSTR lpszSection, BOOL bRemember) {
    CWinApp* pApp = AfxGetApp();
    m_nSeparatorWidth =
        static_cast<int>(pApp->GetProfileInt(lpszSection, "Separator Width", m_nSeparatorWidth));
    if (bRemember) m_strStateSection = lpszSection;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, GetStateValueName(), &pData, &nBytes)) return FALSE;
    std::unique_ptr<BYTE[]> owned(pData);
    return ApplyStoredState(pData, nBytes);
}

void CCustToolBar::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        std::vector<TBBUTTON> buttons;
        GetButtonRecords(buttons);
        std::vector<BYTE> data = docking::EncodeToolBarState(buttons);
        if (data.size() > 0xFFFF) AfxThrowArchiveException(CArchiveException::genericException);
        ar << static_cast<WORD>(data.size());
        ar.Write(data.data(), static_cast<UINT>(data.size()));
        return;
    }
    TRY {
        WORD nBytes = 0;
        ar >> nBytes;
        std::vector<BYTE> data(nBytes);
        if (ar.Read(data.data(), nBytes) != nBytes) AfxThrowArchiveException(CArchiveException::endOfFile);
        if (!ApplyStoredState(data.data(), data.size()))
            AfxThrowArchiveException(CArchiveException::badIndex);
    }
    CATCH(CArchiveException, e) {
        // The bar stays as it was.
    }
    END_CATCH
}

BOOL CCustToolBar::GetButtonTipText(UINT, CString&) {
    return FALSE;
}

BOOL CCustToolBar::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    CString strText;
    if (nID == 0 || !GetButtonTipText(nID, strText)) return FALSE;
    auto* pTip = reinterpret_cast<TOOLTIPTEXT*>(pNMHDR);
    std::snprintf(pTip->szText, sizeof pTip->szText, "%s", static_cast<LPCSTR>(strText));
    pTip->lpszText = pTip->szText;
    *pResult = 0;
    return TRUE;
}

BOOL CCustToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->code == static_cast<UINT>(TTN_NEEDTEXT)) {
        const auto* pTip = reinterpret_cast<const TOOLTIPTEXT*>(pNMHDR);
        UINT nID = static_cast<UINT>(pNMHDR->idFrom);
        if (pTip->uFlags & TTF_IDISHWND) nID = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
        if (OnToolTipText(nID, pNMHDR, pResult)) return TRUE;
    }
    return CToolBarEx::OnNotify(wParam, lParam, pResult);
}

void CCustToolBar::OnRButtonDown(UINT nFlags, CPoint point) {
    CToolBarEx::OnRButtonDown(nFlags, point);
    SendMessage(TB_CUSTOMIZE);
}

void CCustToolBar::OnBeginAdjust(NMHDR*, LRESULT* pResult) {
    GetButtonRecords(m_resetButtons);
    m_nSavedMRUWidth = m_nMRUWidth;
    *pResult = 0;
}

void CCustToolBar::OnEndAdjust(NMHDR*, LRESULT* pResult) {
    m_resetButtons.clear();
    *pResult = 0;
}

void CCustToolBar::OnDragOrQuery(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
}

void CCustToolBar::OnQueryInsertOrDelete(NMHDR*, LRESULT* pResult) {
    *pResult = TRUE;
}

void CCustToolBar::OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pInfo = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
    *pResult = FALSE;
    if (pInfo->iItem < 0 || static_cast<size_t>(pInfo->iItem) >= m_allButtons.size()) return;
    pInfo->tbButton = m_allButtons[static_cast<size_t>(pInfo->iItem)];
    // The command's string: its third line-feed-separated part, else the tip (the second).
    CString strings;
    strings.LoadString(static_cast<UINT>(pInfo->tbButton.idCommand));
    CString parts[3];
    for (int i = 0, start = 0; i < 3 && start <= strings.GetLength(); ++i) {
        const int end = strings.Find('\n', start);
        parts[i] = end < 0 ? strings.Mid(start) : strings.Mid(start, end - start);
        if (end < 0) break;
        start = end + 1;
    }
    const CString& text = parts[2].IsEmpty() ? parts[1] : parts[2];
    if (pInfo->pszText && pInfo->cchText > 0)
        std::snprintf(pInfo->pszText, static_cast<size_t>(pInfo->cchText), "%s", static_cast<LPCSTR>(text));
    *pResult = TRUE;
}

void CCustToolBar::OnReset(NMHDR*, LRESULT* pResult) {
    SetButtonRecords(::GetAsyncKeyState(VK_CONTROL) < 0 ? m_allButtons : m_resetButtons);
    OnButtonsChanged();
    *pResult = TRUE;
}

void CCustToolBar::OnToolBarChange(NMHDR*, LRESULT* pResult) {
    OnButtonsChanged();
    *pResult = 0;
}

void CCustToolBar::OnCustomHelp(NMHDR*, LRESULT* pResult) {
    AfxMessageBox("Help not implemented!");
    *pResult = TRUE;
}

void CCustToolBar::OnShowTip(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
}
