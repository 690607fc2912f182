// CDKBitmapMenuPopupWnd: painting the items, picking and dragging them, and the context commands.

#include "docking/CDKBitmapMenuPopupWnd.h"

#include "docking/CDKBitmapMenu.h"
#include "platform/framework/CDC.h"

IMPLEMENT_DYNAMIC(CDKBitmapMenuPopupWnd, CWnd)

namespace {
const int kBorder = 3;
}

CDKBitmapMenuPopupWnd::CDKBitmapMenuPopupWnd(CDKBitmapMenu* pMenu) : m_pMenu(pMenu) {
    if (m_pMenu) m_pMenu->m_pPopupWnd = this;
}

CDKBitmapMenuPopupWnd::~CDKBitmapMenuPopupWnd() {
    if (m_pMenu && m_pMenu->m_pPopupWnd == this) m_pMenu->m_pPopupWnd = nullptr;
    if (m_hWnd) DestroyWindow();
}

BOOL CDKBitmapMenuPopupWnd::Create(CWnd* pOwner, CPoint ptScreen) {
    LPCSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_MENU));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, "", WS_POPUP | WS_BORDER,
                  CRect(ptScreen, CSize(10, 10)), pOwner, 0))
        return FALSE;
    CreateMenuFont();
    RecalcLayout();
    if (m_pMenu) m_pMenu->GetDropTarget()->Register(this);
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

void CDKBitmapMenuPopupWnd::CreateMenuFont() {
    m_font.DeleteObject();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    m_font.CreateFontIndirect(&metrics.lfMenuFont);
}

void CDKBitmapMenuPopupWnd::RecalcLayout() {
    m_itemRects.clear();
    CDKBitmapMenu* menu = GetBitmapMenu();
    if (!menu || !m_hWnd) return;
    menu->CalcExtents();
    int y = kBorder, width = 0;
    for (int i = 0; i < static_cast<int>(menu->GetMenuItemCount()); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_TYPE;
        menu->GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = (info.fType & MFT_SEPARATOR) ? 0 : info.wID;
        measure.itemData = info.dwItemData;
        menu->MeasureItem(&measure);
        m_itemRects.emplace_back(kBorder, y, 0, y + static_cast<int>(measure.itemHeight));
        width = std::max(width, static_cast<int>(measure.itemWidth));
        y += static_cast<int>(measure.itemHeight);
    }
    for (CRect& rect : m_itemRects)
        rect.right = kBorder + width;
    CRect window(0, 0, width + 2 * kBorder, y + kBorder);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

CRect CDKBitmapMenuPopupWnd::GetItemRect(int nPosition) const {
    if (nPosition < 0 || nPosition >= static_cast<int>(m_itemRects.size())) return CRect(0, 0, 0, 0);
    return m_itemRects[static_cast<size_t>(nPosition)];
}

void CDKBitmapMenuPopupWnd::RedrawItem(int nPosition) {
    CRect rect = GetItemRect(nPosition);
    if (!rect.IsRectEmpty() && m_hWnd)
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CDKBitmapMenuPopupWnd::InCustomizationMode() const {
    CDKBitmapMenu* menu = GetBitmapMenu();
    return menu && menu->m_bCustomizationMode;
}

void CDKBitmapMenuPopupWnd::SelectAt(CPoint point) {
    // The menu counts its items from the top of the first one.
    point.y -= kBorder;
    GetBitmapMenu()->SetCustomizedItem(GetBitmapMenu()->HitTest(point));
}

void CDKBitmapMenuPopupWnd::OnPaint() {
    PAINTSTRUCT ps;
    CDC* pDC = CDC::FromHandle(::BeginPaint(m_hWnd, &ps));
    int saved = pDC->SaveDC();
    pDC->SetTextColor(::GetSysColor(COLOR_MENUTEXT));
    if (m_font.GetSafeHandle()) pDC->SelectObject(&m_font);
    if (CDKBitmapMenu* menu = GetBitmapMenu()) {
        for (int i = 0; i < static_cast<int>(m_itemRects.size()); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            menu->GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemID = menu->GetMenuItemID(i);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hwndItem = reinterpret_cast<HWND>(menu->m_hMenu);
            draw.hDC = pDC->GetSafeHdc();
            draw.rcItem = m_itemRects[static_cast<size_t>(i)];
            draw.itemData = info.dwItemData;
            menu->DrawItem(&draw);
        }
    }
    pDC->RestoreDC(saved);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CDKBitmapMenuPopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_DKDROP_DRAGENTER:
        return GetBitmapMenu() && GetBitmapMenu()->OnDragEnter(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_DKDROP_DRAGOVER:
        return GetBitmapMenu() && GetBitmapMenu()->OnDragOver(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_DKDROP_DRAGLEAVE:
        return GetBitmapMenu() && GetBitmapMenu()->OnDragLeave();
    case WM_DKDROP_DROP:
        return GetBitmapMenu() && GetBitmapMenu()->OnDrop(reinterpret_cast<DKDROPTARGETPARAMS*>(lParam));
    case WM_SETTINGCHANGE:
        CreateMenuFont();
        RecalcLayout();
        break;
    case WM_LBUTTONDOWN:
        if (!InCustomizationMode()) break;
        SelectAt(point);
        m_nDragTimer = SetTimer(kDragTimer, kDragDelay, nullptr);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!InCustomizationMode()) break;
        SelectAt(point);
        return 0;
    case WM_RBUTTONUP:
        if (!InCustomizationMode()) break;
        if (GetBitmapMenu()->GetCustomizedItem() != -1) {
            ClientToScreen(&point);
            GetBitmapMenu()->ShowCustomizeMenu(GetBitmapMenu()->GetCustomizedItem(), point.x, point.y);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_nDragTimer && ::GetKeyState(VK_LBUTTON) >= 0) {
            KillTimer(m_nDragTimer);
            m_nDragTimer = 0;
        }
        break;
    case WM_TIMER:
        if (wParam != kDragTimer) break;
        KillTimer(kDragTimer);
        m_nDragTimer = 0;
        if (::IsWindow(m_hWnd) && InCustomizationMode() && ::GetKeyState(VK_LBUTTON) < 0)
            GetBitmapMenu()->OnBeginDrag(GetBitmapMenu()->GetCustomizedItem());
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDKBitmapMenuPopupWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    CDKBitmapMenu* menu = GetBitmapMenu();
    if (!menu || !InCustomizationMode() || lParam != 0) return CWnd::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case ID_BITMAPMENU_DELETE:
        menu->OnCustomizeDelete();
        return TRUE;
    case ID_BITMAPMENU_APPEARANCE:
        menu->OnCustomizeAppearance();
        return TRUE;
    case ID_BITMAPMENU_SEPARATORBEFORE:
        menu->OnCustomizeSeparatorBefore();
        return TRUE;
    case ID_BITMAPMENU_SEPARATORAFTER:
        menu->OnCustomizeSeparatorAfter();
        return TRUE;
    case ID_BITMAPMENU_RECENTLYUSED:
        menu->OnCustomizeRecentlyUsed();
        return TRUE;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
}
