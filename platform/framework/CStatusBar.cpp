// CStatusBar: panes, their widths and texts over the status-bar control, and their updates.

#include "platform/framework/CStatusBar.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/FrameworkStrings.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

const int kPanePadding = 8; // room around a pane's text, for its edge and margins

// A pane's view for update handlers: enabling shows its text, checking pops it out.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        int index = static_cast<int>(m_nIndex);
        UINT style = bar->GetPaneStyle(index) & ~static_cast<UINT>(SBPS_DISABLED);
        bar->SetPaneStyle(index, bOn ? style : (style | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override {
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        int index = static_cast<int>(m_nIndex);
        UINT style = bar->GetPaneStyle(index) & ~static_cast<UINT>(SBPS_POPOUT);
        bar->SetPaneStyle(index, nCheck ? (style | SBPS_POPOUT) : style);
    }
    void SetText(LPCSTR lpszText) override {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }
};

} // namespace

CStatusBar::CStatusBar() {
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    ::InitCommonControls();
    DWORD style = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                  CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, style, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const {
    if (text.IsEmpty()) return 0;
    HDC dc = ::GetDC(m_hWnd);
    auto font = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.assign(static_cast<size_t>(std::max(nIDCount, 0)), Pane{});
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        pane.nID = lpIDArray ? lpIDArray[i] : 0;
        if (pane.nID != ID_SEPARATOR) {
            pane.strText = AfxLoadString(pane.nID);
            pane.cxText = TextWidth(pane.strText);
        }
    }
    if (!m_panes.empty()) m_panes[0].nStyle |= SBPS_STRETCH;
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
    if (!m_hWnd) return;
    int count = static_cast<int>(m_panes.size());
    if (bUpdateRects && count > 0) {
        CRect client;
        GetClientRect(&client);
        int borders[3] = {};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        int fixed = 0;
        int stretchers = 0;
        for (const Pane& pane : m_panes) {
            if (pane.nStyle & SBPS_STRETCH)
                ++stretchers;
            else
                fixed += pane.cxText + kPanePadding + borders[2];
        }
        int grip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
        int extra = std::max(0, client.Width() - fixed - grip - borders[0]);
        std::vector<int> rights(static_cast<size_t>(count));
        int right = borders[0];
        for (int i = 0; i < count; ++i) {
            const Pane& pane = m_panes[static_cast<size_t>(i)];
            int width = pane.cxText + kPanePadding;
            if (pane.nStyle & SBPS_STRETCH) width = std::max(width, extra / std::max(stretchers, 1));
            right += width;
            rights[static_cast<size_t>(i)] = right;
            right += borders[2];
        }
        rights.back() = -1; // the last pane reaches the end
        SendMessage(SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rights.data()));
    }
    if (!bUpdateText) return;
    for (int i = 0; i < count; ++i) {
        const Pane& pane = m_panes[static_cast<size_t>(i)];
        UINT type = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
        LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.strText);
        SendMessage(SB_SETTEXT, static_cast<WPARAM>(i) | type, reinterpret_cast<LPARAM>(text));
    }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind) return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!::SendMessage(m_hWnd, SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (!Valid(nIndex)) return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (!Valid(nIndex)) return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(cxWidth, 0);
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (!Valid(nIndex) || m_panes[static_cast<size_t>(nIndex)].nStyle == nStyle) return;
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    UpdateAllPanes(FALSE, TRUE);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const {
    rString = Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].strText : CString();
}

CString CStatusBar::GetPaneText(int nIndex) const {
    CString text;
    GetPaneText(nIndex, text);
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
    if (!Valid(nIndex)) return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    CString text = lpszNewText ? lpszNewText : "";
    if (pane.strText == text) return TRUE;
    pane.strText = text;
    if (!bUpdate) return TRUE;
    UINT type = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
    LPCSTR shown = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.strText);
    SendMessage(SB_SETTEXT, static_cast<WPARAM>(nIndex) | type, reinterpret_cast<LPARAM>(shown));
    return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    TEXTMETRIC tm{};
    HDC dc = ::GetDC(m_hWnd);
    auto font = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    ::GetTextMetrics(dc, &tm);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    int borders[3] = {};
    ::SendMessage(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CRect inside;
    inside.SetRectEmpty();
    CalcInsideRect(inside, bHorz);
    size.cy = tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 4 + 2 * borders[1] - inside.Height();
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR) continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnSize(UINT, int, int) {
    Default();
    UpdateAllPanes(TRUE, FALSE);
}

// The size grip answers as the frame's corner; the rest is the bar's.
LRESULT CStatusBar::OnNcHitTest(CPoint) {
    LRESULT hit = Default();
    return hit == HTBOTTOMRIGHT ? hit : HTCLIENT;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0) index = 0;
    return SetPaneText(index, reinterpret_cast<LPCSTR>(lParam)) ? TRUE : FALSE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    int index = CommandToIndex(ID_SEPARATOR);
    CString text = GetPaneText(index < 0 ? 0 : index);
    if (wParam == 0 || !lParam) return 0;
    auto length = std::min<size_t>(static_cast<size_t>(text.GetLength()), wParam - 1);
    std::memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCSTR>(text), length);
    reinterpret_cast<char*>(lParam)[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    int index = CommandToIndex(ID_SEPARATOR);
    return GetPaneText(index < 0 ? 0 : index).GetLength();
}
