#include "docking/CCoolComboPopup.h"

#include "docking/CCoolCombo.h"

#include "docking/EmbossedImage.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCoolComboPopup, CWnd)

BEGIN_MESSAGE_MAP(CCoolComboPopup, CWnd)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CCoolComboPopup::InitMetrics() {
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    m_font.DeleteObject();
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfMessageFont);
}

bool CCoolComboPopup::IsValidItem(int nItem) const {
    if (nItem >= 0) return nItem < m_options.nItems;
    if (nItem == CC_ITEM_DEFAULT) return !m_options.strDefault.IsEmpty();
    const int nExtra = nItem - CC_ITEM_EXTRA;
    return nExtra >= 0 && nExtra < static_cast<int>(m_options.extras.size());
}

BOOL CCoolComboPopup::Create(int x, int y, CWnd* pOwner, const Options& options) {
    m_options = options;
    m_options.nItems = std::max(m_options.nItems, 0);
    m_options.nColumns = std::max(m_options.nColumns, 1);
    if (m_options.nCurrent >= CC_ITEM_EXTRA && !IsValidItem(m_options.nCurrent))
        m_options.nCurrent = CC_ITEM_NONE;
    if (m_options.nCurrent >= 0 && !IsValidItem(m_options.nCurrent)) m_options.nCurrent = CC_ITEM_NONE;
    if (m_options.nCurrent == CC_ITEM_DEFAULT && !IsValidItem(m_options.nCurrent))
        m_options.nCurrent = CC_ITEM_NONE;
    m_hOwnerCombo = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    if (HasCommands()) m_options.commandIds.resize(static_cast<size_t>(m_options.nItems), 0);
    m_commandTexts.clear();
    for (UINT nID : m_options.commandIds)
        m_commandTexts.push_back(nID ? docking::GetCommandTexts(nID) : docking::CommandTexts{});
    m_nRows = (m_options.nItems + m_options.nColumns - 1) / m_options.nColumns;
    InitMetrics();
    const CSize cell = GetCellSize();
    m_cxCell = cell.cx + 2;
    m_cyCell = cell.cy + 2;
    m_ptOrigin = CPoint(x, y);
    if (!MakeWindow(x, y, 0, WS_POPUP | WS_VISIBLE)) return FALSE;
    SetFocus(); // the arrow keys, Enter and Esc come here
    NotifyShown();
    return TRUE;
}

BOOL CCoolComboPopup::MakeWindow(int x, int y, DWORD dwExStyle, DWORD dwStyle) {
    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    if (!CreateEx(dwExStyle, lpszClass, m_options.strTitle, dwStyle, x, y, 1, 1, m_hOwnerCombo, nullptr))
        return FALSE;
    Layout();
    InstallTips();
    return TRUE;
}

void CCoolComboPopup::InstallTips() {
    if (m_tips.m_hWnd) m_tips.DestroyWindow();
    if (!m_tips.Create(this)) return;
    if (!m_rectTearOff.IsRectEmpty())
        m_tips.AddTool(this, "Drag to make this menu float", &m_rectTearOff, kTearOffTip);
    for (int i = 0; i < m_options.nItems; ++i) {
        const CString tip = HasCommands() ? GetCellTip(i)
                            : i < static_cast<int>(m_options.cellTips.size())
                                ? m_options.cellTips[static_cast<size_t>(i)]
                                : CString();
        if (tip.IsEmpty()) continue;
        const CRect rect = GetItemRect(i);
        m_tips.AddTool(this, tip, &rect, kCellTipBase + static_cast<UINT_PTR>(i));
    }
}

BOOL CCoolComboPopup::PreTranslateMessage(MSG* pMsg) {
    if (m_tips.m_hWnd) m_tips.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

CSize CCoolComboPopup::GetCellSize() {
    int cx = 16, cy = 16;
    if (m_options.pImages && m_options.pImages->GetSafeHandle())
        ImageList_GetIconSize(m_options.pImages->GetSafeHandle(), &cx, &cy);
    if (!HasCommands()) return CSize(cx, cy);
    // Command cells show their texts beside the image.
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CFont* pOld = m_font.m_hObject ? screen.SelectObject(&m_font) : nullptr;
    int widest = 0;
    for (const docking::CommandTexts& texts : m_commandTexts) {
        CString shown = texts.strTip;
        shown.Replace("\t", "  ");
        widest = std::max(widest, static_cast<int>(screen.GetTextExtent(shown + "  ").cx));
    }
    if (pOld) screen.SelectObject(pOld);
    ::ReleaseDC(nullptr, screen.Detach());
    return CSize(std::max(cx, widest + cx + 4), cy);
}

UINT CCoolComboPopup::CommandOf(int nIndex) const {
    if (!HasCommands() || nIndex < 0 || nIndex >= static_cast<int>(m_options.commandIds.size())) return 0;
    return m_options.commandIds[static_cast<size_t>(nIndex)];
}

CString CCoolComboPopup::GetCellTip(int nIndex) const {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_commandTexts.size())) return CString();
    return m_commandTexts[static_cast<size_t>(nIndex)].strTip;
}

BOOL CCoolComboPopup::IsCellEnabled(int nIndex) const {
    if (!HasCommands()) return TRUE;
    const UINT nID = CommandOf(nIndex);
    return nID != 0 && docking::IsCommandEnabled(nID);
}

void CCoolComboPopup::ChooseCell(int nIndex) {
    if (!IsCellEnabled(nIndex)) return;
    const UINT nID = CommandOf(nIndex);
    if (!nID) {
        Notify(CCN_SELECT, nIndex);
        return;
    }
    CWnd* pMain = AfxGetMainWnd();
    if (pMain) pMain->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), reinterpret_cast<LPARAM>(m_hOwnerCombo));
}

void CCoolComboPopup::ShowPrompt(int nItem) {
    if (!HasCommands()) return;
    CWnd* pMain = AfxGetMainWnd();
    if (!pMain || !pMain->IsFrameWnd()) return;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pMain);
    if (CommandOf(nItem)) {
        pFrame->SetMessageText(m_commandTexts[static_cast<size_t>(nItem)].strPrompt);
    } else {
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
}

void CCoolComboPopup::Layout() {
    const int e = m_cxEdge, f = m_cyEdge;
    {
        CClientDC dc(this);
        CFont* pOld = m_font.m_hObject ? dc.SelectObject(&m_font) : nullptr;
        m_cyText = dc.GetTextExtent("M").cy + 4 * f + 1;
        if (pOld) dc.SelectObject(pOld);
    }
    const int width = m_options.nColumns * m_cxCell;
    const int x = 3 * e;
    int y = f + 1;
    m_rectTearOff.SetRectEmpty();
    m_rectDefault.SetRectEmpty();
    m_rectSeparator.SetRectEmpty();
    m_rectExtras.SetRectEmpty();
    if (m_options.bTearOff && !m_bFloating) {
        const int h = ::GetSystemMetrics(SM_CYSMCAPTION) / 2 - 1;
        m_rectTearOff.SetRect(x, f, x + width, f + h);
        y = m_rectTearOff.bottom + f;
    }
    if (!m_options.strDefault.IsEmpty()) {
        m_rectDefault.SetRect(x, y, x + width, y + m_cyText + 1);
        y = m_rectDefault.bottom + 2 * f;
    }
    m_rectGrid.SetRect(x, y, x + width, y + m_nRows * m_cyCell);
    int bottom = m_rectGrid.bottom + f;
    if (!m_options.extras.empty()) {
        m_rectSeparator.SetRect(x, m_rectGrid.bottom + f, x + width, m_rectGrid.bottom + f + 2);
        m_rectExtras.SetRect(x, m_rectSeparator.bottom, x + width,
                             m_rectSeparator.bottom + m_cyText * static_cast<int>(m_options.extras.size()));
        bottom = m_rectExtras.bottom + f;
    }
    CRect rect(0, 0, width + 6 * e, bottom + f + 1);
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
    rect.OffsetRect(m_ptOrigin - rect.TopLeft());
    KeepOnWorkArea(rect);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCoolComboPopup::KeepOnWorkArea(CRect& rect) const {
    CRect work;
    if (!::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0))
        work.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (rect.right > work.right) rect.OffsetRect(work.right - rect.right, 0);
    if (rect.left < 0) rect.OffsetRect(-rect.left, 0);
    if (rect.bottom <= work.bottom) return;
    int newBottom = work.bottom;
    if (m_options.bOpenUpwards && ::IsWindow(m_hOwnerCombo)) {
        CRect owner;
        ::GetWindowRect(m_hOwnerCombo, &owner);
        newBottom = owner.top - 1;
    }
    rect.OffsetRect(0, newBottom - rect.bottom);
}

void CCoolComboPopup::Notify(UINT nCode, int nItem) {
    if (!::IsWindow(m_hOwnerCombo)) return;
    NMCOOLCOMBO nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hOwnerCombo));
    nm.hdr.code = nCode;
    nm.iItem = nItem;
    ::SendMessage(m_hOwnerCombo, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CCoolComboPopup::SetCurrentItem(int nItem) {
    if (!IsValidItem(nItem)) nItem = CC_ITEM_NONE;
    if (nItem == m_options.nCurrent) return;
    m_options.nCurrent = nItem;
    if (m_hWnd) Invalidate();
}

int CCoolComboPopup::HitTest(CPoint point) const {
    if (m_rectDefault.PtInRect(point)) return CC_ITEM_DEFAULT;
    if (m_rectGrid.PtInRect(point)) {
        const int column = (point.x - m_rectGrid.left) / m_cxCell;
        const int row = (point.y - m_rectGrid.top) / m_cyCell;
        const int index = row * m_options.nColumns + column;
        return index < m_options.nItems ? index : CC_ITEM_NONE;
    }
    if (m_rectExtras.PtInRect(point) && m_cyText > 0)
        return CC_ITEM_EXTRA + (point.y - m_rectExtras.top) / m_cyText;
    return CC_ITEM_NONE;
}

CRect CCoolComboPopup::GetItemRect(int nItem) const {
    if (nItem == CC_ITEM_DEFAULT) return m_rectDefault;
    if (nItem >= CC_ITEM_EXTRA) {
        const int top = m_rectExtras.top + (nItem - CC_ITEM_EXTRA) * m_cyText;
        return CRect(m_rectExtras.left, top, m_rectExtras.right, top + m_cyText);
    }
    if (nItem < 0) return CRect();
    const int x = m_rectGrid.left + (nItem % m_options.nColumns) * m_cxCell;
    const int y = m_rectGrid.top + (nItem / m_options.nColumns) * m_cyCell;
    return CRect(x, y, x + m_cxCell, y + m_cyCell);
}

void CCoolComboPopup::SetHot(int nItem) {
    if (nItem == m_nHot) return;
    CRect rect = GetItemRect(m_nHot);
    InvalidateRect(&rect);
    m_nHot = nItem;
    rect = GetItemRect(m_nHot);
    InvalidateRect(&rect);
    ShowPrompt(nItem);
    if (nItem >= 0 && nItem < CC_ITEM_EXTRA) NotifyHot(nItem);
}

void CCoolComboPopup::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (!m_rectTearOff.IsRectEmpty()) dc.FillSolidRect(&m_rectTearOff, ::GetSysColor(COLOR_HIGHLIGHT));
    CFont* pOld = m_font.m_hObject ? dc.SelectObject(&m_font) : nullptr;
    if (!m_options.strDefault.IsEmpty()) DrawCell(dc, CC_ITEM_DEFAULT);
    for (int i = 0; i < m_options.nItems; ++i)
        DrawCell(dc, i);
    if (!m_options.extras.empty()) {
        dc.FillSolidRect(m_rectSeparator.left, m_rectSeparator.top, m_rectSeparator.Width(), 1,
                         ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(m_rectSeparator.left, m_rectSeparator.top + 1, m_rectSeparator.Width(), 1,
                         ::GetSysColor(COLOR_BTNHIGHLIGHT));
        for (int i = 0; i < static_cast<int>(m_options.extras.size()); ++i)
            DrawCell(dc, CC_ITEM_EXTRA + i);
    }
    if (pOld) dc.SelectObject(pOld);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
}

void CCoolComboPopup::DrawCell(CDC& dc, int nItem) {
    CRect rect = GetItemRect(nItem);
    const bool bCurrent = nItem == m_options.nCurrent;
    const bool bHot = nItem == m_nHot;
    dc.FillSolidRect(&rect, ::GetSysColor(bCurrent && !bHot ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (bCurrent)
        dc.DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);
    else if (bHot)
        dc.DrawEdge(&rect, BDR_RAISEDINNER, BF_RECT);
    if (nItem < 0 || nItem >= CC_ITEM_EXTRA) {
        const CString& text = nItem == CC_ITEM_DEFAULT
                                  ? m_options.strDefault
                                  : m_options.extras[static_cast<size_t>(nItem - CC_ITEM_EXTRA)];
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc.DrawText(text, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    DrawCellContent(dc, nItem, rect);
}

void CCoolComboPopup::DrawCellContent(CDC& dc, int nItem, const CRect& rect) {
    if (HasCommands() && !CommandOf(nItem)) {
        CRect line = rect;
        line.top += line.Height() / 2;
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const BOOL bEnabled = IsCellEnabled(nItem);
    const bool bImages = m_options.pImages && m_options.pImages->GetSafeHandle();
    int cx = 16, cy = 16;
    if (bImages) ImageList_GetIconSize(m_options.pImages->GetSafeHandle(), &cx, &cy);
    const int x = HasCommands() ? rect.left + 2 : rect.left + (rect.Width() - cx) / 2;
    const CPoint at(x, rect.top + (rect.Height() - cy) / 2);
    if (bImages && bEnabled) {
        ImageList_Draw(m_options.pImages->GetSafeHandle(), nItem, dc.m_hDC, at.x, at.y, ILD_TRANSPARENT);
    } else if (bImages) {
        docking::DrawEmbossedImage(dc, m_options.pImages->GetSafeHandle(), nItem, at, CSize(cx, cy));
    }
    if (!HasCommands()) return;
    // The tip's text left, its accelerators right.
    const CString& tip = m_commandTexts[static_cast<size_t>(nItem)].strTip;
    const int nTab = tip.Find('\t');
    CRect text(rect.left + cx + 6, rect.top, rect.right - 4, rect.bottom);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    const CString left = nTab >= 0 ? tip.Left(nTab) : tip;
    const CString right = nTab >= 0 ? tip.Mid(nTab + 1) : CString();
    if (!bEnabled) {
        docking::DrawEmbossedText(dc, left, text, nFormat | DT_LEFT);
        docking::DrawEmbossedText(dc, right, text, nFormat | DT_RIGHT);
        return;
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(left, &text, nFormat | DT_LEFT);
    dc.DrawText(right, &text, nFormat | DT_RIGHT);
}

int CCoolComboPopup::NextItem(int nItem, UINT nKey) const {
    // The items in order: the default text item, the cells, the extra items.
    std::vector<int> order;
    if (!m_options.strDefault.IsEmpty()) order.push_back(CC_ITEM_DEFAULT);
    for (int i = 0; i < m_options.nItems; ++i)
        order.push_back(i);
    for (int i = 0; i < static_cast<int>(m_options.extras.size()); ++i)
        order.push_back(CC_ITEM_EXTRA + i);
    if (order.empty()) return CC_ITEM_NONE;
    const auto it = std::find(order.begin(), order.end(), nItem);
    const int n = static_cast<int>(order.size());
    if (it == order.end()) return nKey == VK_LEFT || nKey == VK_UP ? order.back() : order.front();
    const int pos = static_cast<int>(it - order.begin());
    const bool bCell = nItem >= 0 && nItem < CC_ITEM_EXTRA;
    const int cols = m_options.nColumns;
    switch (nKey) {
    case VK_RIGHT:
        return order[static_cast<size_t>((pos + 1) % n)];
    case VK_LEFT:
        return order[static_cast<size_t>((pos + n - 1) % n)];
    case VK_DOWN:
        if (bCell && nItem + cols < m_options.nItems) return nItem + cols;
        return order[static_cast<size_t>((pos + 1) % n)];
    default: // VK_UP
        if (bCell && nItem - cols >= 0) return nItem - cols;
        return order[static_cast<size_t>((pos + n - 1) % n)];
    }
}

void CCoolComboPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        SetHot(NextItem(m_nHot, nChar));
        return;
    case VK_ESCAPE:
        End(true);
        return;
    case VK_RETURN:
        End(false);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CCoolComboPopup::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTearOffPressed) {
        if (!m_rectTearOff.PtInRect(point)) TearOff();
        return;
    }
    CRect client;
    GetClientRect(&client);
    const bool bInside = client.PtInRect(point) != FALSE;
    if (bInside && ::GetCapture() != m_hWnd) SetCapture();
    if (!bInside && m_bFloating && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    SetHot(HitTest(point));
    CWnd::OnMouseMove(nFlags, point);
}

void CCoolComboPopup::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_rectTearOff.PtInRect(point)) {
        m_bTearOffPressed = TRUE;
        SetCapture();
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CCoolComboPopup::OnLButtonUp(UINT, CPoint point) {
    if (m_bTearOffPressed) {
        m_bTearOffPressed = FALSE;
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) SetHot(HitTest(point));
    End(!client.PtInRect(point));
}

void CCoolComboPopup::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    if (!m_bFloating && !m_bRecreating) End(true);
}

void CCoolComboPopup::End(bool bCancel) {
    if (m_bEnding) return;
    m_bEnding = TRUE;
    if (!m_bFloating && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    const int nHot = m_nHot;
    if (bCancel || nHot == CC_ITEM_NONE) {
        NotifyCancel();
    } else {
        SetCurrentItem(nHot);
        // The combo shows what was chosen: a command cell tells it nothing else.
        CWnd* owner = CWnd::FromHandlePermanent(m_hOwnerCombo);
        if (owner && owner->IsKindOf(RUNTIME_CLASS(CCoolCombo)))
            static_cast<CCoolCombo*>(owner)->SetCurrentItem(nHot);
        if (nHot == CC_ITEM_DEFAULT)
            NotifyDefault();
        else if (nHot >= CC_ITEM_EXTRA)
            NotifyExtra(nHot - CC_ITEM_EXTRA);
        else
            ChooseCell(nHot);
    }
    if (!m_bFloating) {
        DestroyWindow(); // the object goes with its window
        return;
    }
    m_bEnding = FALSE;
}

void CCoolComboPopup::TearOff() {
    m_bTearOffPressed = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    CRect rect;
    GetWindowRect(&rect);
    m_bRecreating = TRUE;
    DestroyWindow();
    m_bFloating = TRUE;
    m_ptOrigin = rect.TopLeft();
    m_nHot = CC_ITEM_NONE;
    if (!MakeWindow(rect.left, rect.top, WS_EX_TOOLWINDOW, WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_SYSMENU)) {
        m_bRecreating = FALSE;
        NotifyClosed();
        delete this;
        return;
    }
    // The user goes on dragging the new window by its caption.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(rect.left, rect.top));
    m_bRecreating = FALSE;
    Notify(CCN_TORNOFF, 0);
}

void CCoolComboPopup::OnDestroy() {
    CWnd::OnDestroy();
    if (m_bRecreating) return;
    ShowPrompt(CC_ITEM_NONE);
    NotifyClosed();
}

void CCoolComboPopup::PostNcDestroy() {
    if (!m_bRecreating) delete this;
}
