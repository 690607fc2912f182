// CToolBar: buttons over the tool-bar control, and the layout family.

#include "platform/framework/CToolBar.h"

#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CToolCmdUI.h"
#include "platform/win/res/resources.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

CToolBar::CToolBar() {
    // Top and bottom borders a little larger than a bar's, for an easier grip.
    m_cyTopBorder = m_cyBottomBorder = 3;
}

CToolBar::~CToolBar() {
    if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    m_dwStyle = dwStyle & CBRS_ALL;
    ::InitCommonControls();
    // The control never places itself: the bar's layout does.
    DWORD style = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                  CCS_NODIVIDER | CCS_NORESIZE;
    if (m_dwStyle & CBRS_TOOLTIPS) style |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, style, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SetOwner(pParentWnd);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (!((dwOldStyle ^ dwNewStyle) & CBRS_TOOLTIPS)) return;
    const bool tips = (dwNewStyle & CBRS_TOOLTIPS) != 0;
    const auto style = static_cast<DWORD>(SendMessage(TB_GETSTYLE));
    SendMessage(TB_SETSTYLE, 0,
                tips ? (style | TBSTYLE_TOOLTIPS) : (style & ~static_cast<DWORD>(TBSTYLE_TOOLTIPS)));
    if (HWND tip = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)))
        ::SendMessage(tip, TTM_ACTIVATE, tips, 0);
}

// ---- Buttons ----

int CToolBar::ButtonCount() const {
    return static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

void CToolBar::_GetButton(int nIndex, TBBUTTON* pButton) const {
    ::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pButton));
    pButton->fsState ^= TBSTATE_ENABLED;
}

void CToolBar::_SetButton(int nIndex, TBBUTTON* pButton) {
    TBBUTTON old{};
    _GetButton(nIndex, &old);
    if (old.idCommand == pButton->idCommand && old.iBitmap == pButton->iBitmap &&
        old.fsState == pButton->fsState && old.fsStyle == pButton->fsStyle)
        return;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE | TBIF_STATE | TBIF_STYLE;
    info.idCommand = pButton->idCommand;
    info.iImage = pButton->iBitmap;
    info.fsState = static_cast<BYTE>(pButton->fsState ^ TBSTATE_ENABLED);
    info.fsStyle = pButton->fsStyle;
    ::SendMessage(m_hWnd, TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    m_bDelayedButtonLayout = TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName) {
    const pm::res::ToolbarTemplate* bar = pm::res::findToolbar(lpszResourceName);
    if (!bar) return FALSE;
    CSize image(bar->width, bar->height);
    SetSizes(CSize(image.cx + 7, image.cy + 7), image);
    if (!SetButtons(bar->ids.data(), static_cast<int>(bar->ids.size()))) return FALSE;
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName) {
    HBITMAP bitmap = ::LoadBitmapA(nullptr, lpszResourceName);
    return bitmap && SetBitmap(bitmap);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
    BITMAP info{};
    if (!hbmImageWell || !::GetObject(hbmImageWell, sizeof(info), &info) || m_sizeImage.cx <= 0) return FALSE;
    if (m_hbmImageWell && m_hbmImageWell != hbmImageWell) ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
    int images = info.bmWidth / m_sizeImage.cx;
    return SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add)) != -1;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    for (int count = ButtonCount(); count > 0; --count)
        SendMessage(TB_DELETEBUTTON, 0);
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button{};
        button.iString = -1;
        button.fsState = TBSTATE_ENABLED;
        button.idCommand = lpIDArray ? static_cast<int>(lpIDArray[i]) : 0;
        if (button.idCommand == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 8;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = image++;
        }
        if (!SendMessage(TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button))) return FALSE;
    }
    m_bDelayedButtonLayout = TRUE;
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    m_sizeButton = sizeButton;
    SyncButtonSize();
    Invalidate();
}

void CToolBar::SyncButtonSize() {
    auto size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    if (size) m_sizeButton = CSize(LOWORD(size), HIWORD(size));
}

void CToolBar::SetHeight(int cyHeight) {
    if (m_dwStyle & CBRS_BORDER_TOP) cyHeight -= afxData.cyBorder2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM) cyHeight -= afxData.cyBorder2;
    m_cyBottomBorder = (cyHeight - m_sizeButton.cy) / 2;
    m_cyTopBorder = cyHeight - m_sizeButton.cy - m_cyBottomBorder; // the odd pixel goes on top
    if (m_cyTopBorder < 0) m_cyTopBorder = m_cyBottomBorder = 0;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    Invalidate();
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
    return static_cast<int>(::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0));
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button{};
    _GetButton(nIndex, &button);
    return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON button{};
    _GetButton(nIndex, &button);
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    TBBUTTON button{};
    _GetButton(nIndex, &button);
    button.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    button.fsState = static_cast<BYTE>(HIWORD(nStyle));
    _SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON button{};
    _GetButton(nIndex, &button);
    nID = static_cast<UINT>(button.idCommand);
    nStyle = MAKELONG(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    TBBUTTON button{};
    _GetButton(nIndex, &button);
    button.idCommand = static_cast<int>(nID);
    button.iBitmap = iImage;
    button.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    button.fsState = static_cast<BYTE>(HIWORD(nStyle));
    _SetButton(nIndex, &button);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
    if (SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)) < 0)
        return FALSE;
    SyncButtonSize();
    m_bDelayedButtonLayout = TRUE;
    return TRUE;
}

void CToolBar::GetButtonText(int nIndex, CString& rString) const {
    char text[256] = {};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = text;
    info.cchText = sizeof(text);
    ::SendMessage(m_hWnd, TB_GETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    rString = text;
}

CString CToolBar::GetButtonText(int nIndex) const {
    CString text;
    GetButtonText(nIndex, text);
    return text;
}

// ---- Layout ----

int CToolBar::ButtonWidth(const TBBUTTON& button) const {
    if (button.fsStyle & TBSTYLE_SEP) return button.iBitmap;
    int width = m_sizeButton.cx;
    if (button.fsStyle & TBSTYLE_DROPDOWN) width += kDropDownWidth;
    return width;
}

void CToolBar::GetLayoutButton(int nIndex, DWORD, TBBUTTON* pButton) const {
    _GetButton(nIndex, pButton);
}

void CToolBar::CommitLayoutButton(int nIndex, TBBUTTON* pButton) {
    _SetButton(nIndex, pButton);
}

CSize CToolBar::CalcSize(TBBUTTON* pData, int nCount) {
    CPoint cur(0, 0);
    CSize result(0, 0);
    for (int i = 0; i < nCount; ++i) {
        const TBBUTTON& b = pData[i];
        if (b.fsState & TBSTATE_HIDDEN) continue;
        int width = ButtonWidth(b);
        bool separator = (b.fsStyle & TBSTYLE_SEP) != 0;
        // A separator that ends a row only ends it; one inside a row is a gap.
        if (!separator || !(b.fsState & TBSTATE_WRAP)) result.cx = std::max<LONG>(result.cx, cur.x + width);
        if (!separator) result.cy = std::max<LONG>(result.cy, cur.y + m_sizeButton.cy);
        cur.x += width;
        if (b.fsState & TBSTATE_WRAP) {
            cur.x = 0;
            cur.y += m_sizeButton.cy;
        }
    }
    return result;
}

int CToolBar::WrapToolBar(TBBUTTON* pData, int nCount, int nWidth) {
    int rows = 1;
    int x = 0;
    for (int i = 0; i < nCount; ++i) {
        pData[i].fsState &= ~TBSTATE_WRAP;
        if (pData[i].fsState & TBSTATE_HIDDEN) continue;
        int dx = ButtonWidth(pData[i]);
        if (x + dx <= nWidth) {
            x += dx;
            continue;
        }
        // Too wide: wrap after the last visible separator of this row (one with an id holds a
        // control and stays), else before this button.
        bool found = false;
        for (int j = i; j >= 0 && !(pData[j].fsState & TBSTATE_WRAP); --j) {
            if ((pData[j].fsStyle & TBSTYLE_SEP) && pData[j].idCommand == 0 &&
                !(pData[j].fsState & TBSTATE_HIDDEN)) {
                found = true;
                i = j;
                break;
            }
        }
        if (!found) {
            for (int j = i - 1; j >= 0 && !(pData[j].fsState & TBSTATE_WRAP); --j) {
                if ((pData[j].fsState & TBSTATE_HIDDEN) ||
                    ((pData[j].fsStyle & TBSTYLE_SEP) && pData[j].idCommand != 0))
                    continue;
                found = true;
                i = j;
                break;
            }
        }
        if (!found) {
            x += dx; // a first button wider than the row stays on it
            continue;
        }
        pData[i].fsState |= TBSTATE_WRAP;
        x = 0;
        ++rows;
    }
    return rows;
}

void CToolBar::SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert) {
    if (!bVert) {
        // The narrowest width with as many rows as nLength gives.
        int maxWidth = nLength;
        int target = WrapToolBar(pData, nCount, maxWidth);
        int minWidth = 0;
        if (WrapToolBar(pData, nCount, minWidth) != target) {
            while (minWidth < maxWidth) {
                int mid = (minWidth + maxWidth) / 2;
                if (WrapToolBar(pData, nCount, mid) == target) {
                    maxWidth = mid;
                } else if (minWidth == mid) {
                    WrapToolBar(pData, nCount, maxWidth);
                    break;
                } else {
                    minWidth = mid;
                }
            }
        }
        CSize size = CalcSize(pData, nCount);
        WrapToolBar(pData, nCount, size.cx);
        return;
    }
    // The width whose wrapping comes nearest to the height nLength.
    WrapToolBar(pData, nCount, 0);
    CSize sizeMin = CalcSize(pData, nCount);
    WrapToolBar(pData, nCount, 32767);
    CSize sizeMax = CalcSize(pData, nCount);
    while (sizeMin.cx < sizeMax.cx) {
        int midWidth = (sizeMin.cx + sizeMax.cx) / 2;
        WrapToolBar(pData, nCount, midWidth);
        CSize sizeMid = CalcSize(pData, nCount);
        if (nLength < sizeMid.cy) {
            if (sizeMin == sizeMid) {
                WrapToolBar(pData, nCount, sizeMax.cx);
                return;
            }
            sizeMin = sizeMid;
        } else if (nLength > sizeMid.cy) {
            if (sizeMax == sizeMid) return;
            sizeMax = sizeMid;
        } else {
            return;
        }
    }
}

CSize CToolBar::CalcLayout(DWORD dwMode, int nLength) {
    CSize result(0, 0);
    int count = ButtonCount();
    if (count > 0) {
        SyncButtonSize();
        std::vector<TBBUTTON> data(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            GetLayoutButton(i, dwMode, &data[static_cast<size_t>(i)]);
        TBBUTTON* p = data.data();
        if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
            bool dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
            if (dynamic && (dwMode & LM_MRUWIDTH)) {
                SizeToolBar(p, count, m_nMRUWidth);
            } else if (dynamic && (dwMode & LM_HORZDOCK)) {
                SizeToolBar(p, count, 32767);
            } else if (dynamic && (dwMode & LM_VERTDOCK)) {
                SizeToolBar(p, count, 0);
            } else if (dynamic && nLength != -1) {
                CRect inside;
                inside.SetRectEmpty();
                CalcInsideRect(inside, (dwMode & LM_HORZ) != 0);
                bool vert = (dwMode & LM_LENGTHY) != 0;
                SizeToolBar(p, count, nLength + (vert ? inside.Height() : inside.Width()), vert);
            } else if (dynamic && (m_dwStyle & CBRS_FLOATING)) {
                SizeToolBar(p, count, m_nMRUWidth);
            } else {
                SizeToolBar(p, count, (dwMode & LM_HORZ) ? 32767 : 0);
            }
        }
        result = CalcSize(p, count);
        if (dwMode & LM_COMMIT) {
            if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC)) m_nMRUWidth = result.cx;
            for (int i = 0; i < count; ++i)
                CommitLayoutButton(i, &p[i]);
            m_bDelayedButtonLayout = FALSE;
        }
    }
    // The borders around the buttons, and at least the bar's own stretch.
    CRect inside;
    inside.SetRectEmpty();
    CalcInsideRect(inside, (dwMode & LM_HORZ) != 0);
    result.cy -= inside.Height();
    result.cx -= inside.Width();
    CSize base = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
    result.cx = std::max(result.cx, base.cx);
    result.cy = std::max(result.cy, base.cy);
    return result;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0));
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

// ---- Updating and tips ----

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(ButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button{};
        _GetButton(static_cast<int>(state.m_nIndex), &button);
        if (button.fsStyle & TBSTYLE_SEP) continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    int count = ButtonCount();
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        _GetButton(i, &button);
        if ((button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
        CRect rect;
        GetItemRect(i, &rect);
        if (!rect.PtInRect(point)) continue;
        if (pTI) {
            pTI->hwnd = m_hWnd;
            pTI->uId = static_cast<UINT_PTR>(button.idCommand);
            pTI->rect = rect;
            pTI->lpszText = LPSTR_TEXTCALLBACK;
        }
        return button.idCommand;
    }
    return -1;
}
