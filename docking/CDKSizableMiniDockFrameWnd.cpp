#include "docking/CDKSizableMiniDockFrameWnd.h"

#include "docking/CDKSizeControlBar.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CDKSizableMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CDKSizableMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

CDKSizeControlBar* AsSizeBar(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDKSizeControlBar)) ? static_cast<CDKSizeControlBar*>(bar) : nullptr;
}

} // namespace

BOOL CDKSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_THICKFRAME | MFS_THICKFRAME;
    cs.style &= ~static_cast<LONG>(MFS_4THICKFRAME | MFS_MOVEFRAME);
    return CMiniDockFrameWnd::PreCreateWindow(cs);
}

int CDKSizableMiniDockFrameWnd::OnCreate(LPCREATESTRUCT) {
    m_bClosing = FALSE;
    m_nKind = kindUndecided;
    return static_cast<int>(Default());
}

CControlBar* CDKSizableMiniDockFrameWnd::FirstBar() const {
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i))
            return bar;
    return nullptr;
}

void CDKSizableMiniDockFrameWnd::DecideKind() {
    if (m_nKind != kindUndecided)
        return;
    m_nKind = kindOrdinary;
    CControlBar* first = FirstBar();
    const bool multi = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) != 0;
    if (CDKSizeControlBar* bar = multi ? nullptr : AsSizeBar(first)) {
        m_nKind = kindSizeBar;
        GetSystemMenu(TRUE);
        CMenu* menu = GetSystemMenu(FALSE);
        for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_TASKLIST})
            menu->DeleteMenu(command, MF_BYCOMMAND);
        for (int i = static_cast<int>(menu->GetMenuItemCount()) - 1; i >= 0; --i)
            if (menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                menu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
        if (!(bar->GetSizeBarStyle() & SZBAR_DELETEONCLOSE))
            menu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, AfxLoadString(IDS_SZBAR_HIDE));
        return;
    }
    if (first && (first->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        m_dwMiniStyle |= MFS_4THICKFRAME;
        return;
    }
    m_dwMiniStyle = (m_dwMiniStyle & ~static_cast<DWORD>(MFS_THICKFRAME)) | MFS_MOVEFRAME;
    ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
}

void CDKSizableMiniDockFrameWnd::OnSize(UINT, int cx, int cy) {
    CDKSizeControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : AsSizeBar(FirstBar());
    if (bar && bar->IsWindowVisible() && cx > 0 && cy > 0) {
        const DWORD style = bar->m_dwStyle;
        CSize size(cx, cy);
        size.cx += ((style & CBRS_BORDER_LEFT) ? afxData.cxBorder2 : 0) + ((style & CBRS_BORDER_RIGHT) ? afxData.cxBorder2 : 0);
        size.cy += ((style & CBRS_BORDER_TOP) ? afxData.cyBorder2 : 0) + ((style & CBRS_BORDER_BOTTOM) ? afxData.cyBorder2 : 0);
        bar->m_szFloat = size;
    }
    Default();
    RecalcLayout();
}

void CDKSizableMiniDockFrameWnd::OnClose() {
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    CDKSizeControlBar* bar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : AsSizeBar(FirstBar());
    if (bar && (bar->GetSizeBarStyle() & SZBAR_DELETEONCLOSE)) {
        bar->DestroyWindow();
        delete bar;
        DestroyWindow();
        return;
    }
    CMiniDockFrameWnd::OnClose();
    m_bClosing = FALSE;
}
