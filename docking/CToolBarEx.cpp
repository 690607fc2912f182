#include "docking/CToolBarEx.h"

#include "docking/EmbossedImage.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotDelay = 250;

} // namespace

CToolBarEx::CToolBarEx() {
    ReadColors();
    LOGFONT lf{};
    if (!::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) {
        ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
        lf.lfWeight = FW_NORMAL;
        std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", "MS Sans Serif");
    }
    lf.lfHeight = 6;
    lf.lfWidth = 0;
    m_smallFont.CreateFontIndirect(&lf);
    CalcImageOffsets();
}

void CToolBarEx::ReadColors() {
    m_crFace = ::GetSysColor(COLOR_BTNFACE);
    m_crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crLight = ::GetSysColor(COLOR_3DLIGHT);
    if (m_crLight == m_crFace) m_crLight = m_crHighlight;
}

void CToolBarEx::CalcImageOffsets() {
    m_nImageX = (m_sizeButton.cx - m_sizeImage.cx) / 2;
    bool bText = false;
    if (m_hWnd) {
        for (int i = 0; i < ButtonCount() && !bText; ++i)
            bText = !GetButtonText(i).IsEmpty();
    }
    m_nImageY = bText ? m_cyTopBorder : (m_sizeButton.cy - m_sizeImage.cy) / 2;
}

int CToolBarEx::OnCreate(LPCREATESTRUCT lpcs) {
    if (CToolBar::OnCreate(lpcs) == -1) return -1;
    m_hwndParent = lpcs->hwndParent;
    return 0;
}

LRESULT CToolBarEx::OnSetButtonSize(WPARAM, LPARAM) {
    const LRESULT result = Default();
    CalcImageOffsets();
    return result;
}

LRESULT CToolBarEx::OnSetBitmapSize(WPARAM, LPARAM) {
    const LRESULT result = Default();
    CalcImageOffsets();
    return result;
}

void CToolBarEx::OnSysColorChange() {
    Default();
    ReadColors();
}

void CToolBarEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    CToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (!m_bFlat) return;
    RECT& rc = lpncsp->rgrc[0];
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        rc.left += 4;
        rc.right += 4;
    } else {
        rc.top += 6;
        rc.bottom += 6;
    }
}

void CToolBarEx::OnNcPaint() {
    if (!m_bFlat) {
        CToolBar::OnNcPaint();
        return;
    }
    EraseNonClient();
    if (IsFloating()) return;
    CWindowDC dc(this);
    DrawGripper(dc);
}

void CToolBarEx::DrawGripper(CDC& dc) {
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    rect.DeflateRect(4, 4);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (int copy = 0; copy < 2; ++copy) {
        const int offset = 3 * copy;
        if (bHorz) {
            dc.Draw3dRect(rect.left + offset, rect.top, 3, rect.Height(), m_crHighlight, m_crShadow);
        } else {
            dc.Draw3dRect(rect.left, rect.top + offset, rect.Width(), 3, m_crHighlight, m_crShadow);
        }
    }
}

LRESULT CToolBarEx::CustomDraw(DWORD dwStage, HDC hdc, const CRect& rect, DWORD_PTR dwItem, UINT uState) {
    if (!::IsWindow(m_hwndParent)) return CDRF_DODEFAULT;
    NMCUSTOMDRAW nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    nm.dwDrawStage = dwStage;
    nm.hdc = hdc;
    nm.rc = rect;
    nm.dwItemSpec = dwItem;
    nm.uItemState = uState;
    return ::SendMessage(m_hwndParent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CToolBarEx::OnPaint() {
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    if (!m_bFlat || !hImages) {
        CToolBar::OnPaint();
        return;
    }
    CPaintDC dc(this);
    const CRect update(dc.m_ps.rcPaint);
    if (update.IsRectEmpty()) return;
    CalcImageOffsets();
    CFont* pOldFont = dc.SelectObject(&m_smallFont);
    CRect client;
    GetClientRect(&client);
    const LRESULT answer = CustomDraw(CDDS_PREPAINT, dc.m_hDC, client, 0, 0);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (int i = 0; i < ButtonCount(); ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsState & TBSTATE_HIDDEN) continue;
        CRect rect;
        SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        if (button.fsStyle & TBSTYLE_SEP) {
            const bool bFloatingWrap = IsFloating() && (button.fsState & TBSTATE_WRAP);
            if (rect.Width() < 9 && !bFloatingWrap) DrawSeparator(dc, rect, bHorz);
            continue;
        }
        CRect overlap;
        if (!overlap.IntersectRect(&rect, &update)) continue;
        const bool bEnabled = SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(button.idCommand)) != 0;
        const bool bPushed = (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0;
        LRESULT itemAnswer = CDRF_DODEFAULT;
        if (answer & CDRF_NOTIFYITEMDRAW) {
            const UINT uState = (bEnabled ? 0 : CDIS_DISABLED) | (bPushed ? CDIS_CHECKED : 0);
            itemAnswer = CustomDraw(CDDS_ITEMPREPAINT, dc.m_hDC, rect,
                                    static_cast<DWORD_PTR>(button.idCommand), uState);
            if (itemAnswer & CDRF_SKIPDEFAULT) continue;
        }
        DrawButton(dc, hImages, i, button, rect);
        if (itemAnswer & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(CDDS_ITEMPOSTPAINT, dc.m_hDC, rect, static_cast<DWORD_PTR>(button.idCommand), 0);
    }
    if (answer & CDRF_NOTIFYPOSTPAINT) CustomDraw(CDDS_POSTPAINT, dc.m_hDC, client, 0, 0);
    dc.SelectObject(pOldFont);
}

void CToolBarEx::DrawSeparator(CDC& dc, const CRect& rect, bool bHorz) {
    if (bHorz) {
        const int x = rect.left + rect.Width() / 2 - 1;
        dc.Draw3dRect(x, rect.top, 2, rect.Height(), m_crShadow, m_crHighlight);
        return;
    }
    // Across the bar, one button wide, just below the separator.
    const int y = rect.bottom + 2;
    dc.Draw3dRect(rect.left - m_sizeButton.cx, y, m_sizeButton.cx, 2, m_crShadow, m_crHighlight);
}

void CToolBarEx::DrawButton(CDC& dc, HIMAGELIST hImages, int nIndex, const TBBUTTON& button,
                            const CRect& rectButton) {
    const bool bPushed = (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0;
    const bool bHot = nIndex == m_nHotButton;
    const bool bEnabled = SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(button.idCommand)) != 0;
    CRect rect = rectButton;
    dc.FillSolidRect(&rect, bPushed && !bHot ? m_crLight : m_crFace);
    if (bPushed) {
        dc.Draw3dRect(&rect, m_crShadow, m_crHighlight);
        if (!bHot) {
            CRect inner = rect;
            inner.DeflateRect(1, 1);
            dc.Draw3dRect(&inner, m_crFace, m_crFace);
        }
        rect.OffsetRect(1, 1);
    } else if (bHot && bEnabled) {
        dc.Draw3dRect(&rect, m_crHighlight, m_crShadow);
    }
    const CPoint at(rect.left + m_nImageX, rect.top + m_nImageY);
    if (bEnabled) {
        ImageList_Draw(hImages, button.iBitmap, dc.m_hDC, at.x, at.y, ILD_TRANSPARENT);
    } else {
        docking::DrawEmbossedImage(dc, hImages, button.iBitmap, at, m_sizeImage);
    }
    const CString text = GetButtonText(nIndex);
    if (text.IsEmpty()) return;
    CRect rectText(rect.left + 3, at.y + m_sizeImage.cy + 1, rect.right - 3, rect.bottom - 3);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc.DrawText(text, &rectText, DT_CENTER | DT_VCENTER | DT_NOCLIP | DT_SINGLELINE);
}

void CToolBarEx::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bFlat) {
        int nHot = -1;
        for (int i = 0; i < ButtonCount() && nHot < 0; ++i) {
            TBBUTTON button{};
            SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            if (button.fsStyle & TBSTYLE_SEP) continue;
            if (!SendMessage(TB_ISBUTTONENABLED, static_cast<WPARAM>(button.idCommand))) continue;
            CRect rect;
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
            if (rect.PtInRect(point)) nHot = i;
        }
        if (nHot != m_nHotButton) {
            CRect rect;
            if (m_nHotButton >= 0 && GetToolBarItemRect(m_nHotButton, rect)) InvalidateRect(&rect);
            m_nHotButton = nHot;
            if (nHot >= 0 && GetToolBarItemRect(nHot, rect)) InvalidateRect(&rect);
        }
        m_nHotTimer = SetTimer(kHotTimer, kHotDelay, nullptr);
    }
    CToolBar::OnMouseMove(nFlags, point);
}

void CToolBarEx::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kHotTimer) {
        CToolBar::OnTimer(nIDEvent);
        return;
    }
    CRect rect;
    if (m_nHotButton >= 0 && GetToolBarItemRect(m_nHotButton, rect)) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (!rect.PtInRect(point)) {
            InvalidateRect(&rect);
            m_nHotButton = -1;
        }
    }
    KillTimer(kHotTimer);
    m_nHotTimer = 0;
}

void CToolBarEx::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    if (!m_bFlat) {
        CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        return;
    }
    const int nCount = ButtonCount();
    m_previousStyles.resize(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        m_previousStyles[static_cast<size_t>(i)] = GetButtonStyle(i);
    CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    for (int i = 0; i < nCount && i < ButtonCount(); ++i) {
        CRect rect;
        if (GetButtonStyle(i) != m_previousStyles[static_cast<size_t>(i)] && GetToolBarItemRect(i, rect))
            InvalidateRect(&rect);
    }
}
