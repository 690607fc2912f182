// The information pane.

#include "app/program/CInfoTabBar.h"

#include "app/program/resource_ids.h"

namespace {

const DWORD kPaneStyle = 0x5240FFFF;
const DWORD kListStyle = 0x40201103;
const DWORD kTabStyle = 0x50008243;
const UINT kTabsId = 0xE900;

} // namespace

LPCTSTR PaneWindowClass() {
    static const CString name = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    return name;
}

BOOL CreatePaneTabs(CWnd* pPane, CDK3DTabViewContainer& tabs) {
    if (!tabs.Create(pPane, CRect(0, 0, 0, 0), kTabStyle, kTabsId)) return FALSE;
    tabs.m_nBorderWidth = 0;
    tabs.m_nPageMargin = 0;
    tabs.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

void FitPaneTabs(CWnd* pPane, CDK3DTabViewContainer& tabs) {
    if (!tabs.m_hWnd) return;
    CRect client;
    pPane->GetClientRect(&client);
    tabs.MoveWindow(client);
}

BEGIN_MESSAGE_MAP(CInfoTabBar, CDKSizeControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CInfoTabBar::CInfoTabBar() : CDKSizeControlBar(30) {}

BOOL CInfoTabBar::Create(CFrameWnd* pParent, LPCTSTR lpszTitle, UINT nID) {
    return CDKSizeControlBar::Create(PaneWindowClass(), lpszTitle, kPaneStyle, CFrameWnd::rectDefault,
                                     pParent, nID);
}

int CInfoTabBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKSizeControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    LOGFONT lf{};
    lf.lfHeight = 11;
    lf.lfWeight = FW_NORMAL;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
    if (!m_font.CreateFontIndirect(&lf)) return -1;
    if (!CreatePaneTabs(this, m_wndTabs)) return -1;
    if (!m_wndFunctions.Create(kListStyle, CRect(0, 0, 0, 0), &m_wndTabs, IDC_FUNCTIONS_LIST)) return -1;
    if (!m_wndTabs.InsertPage(0, &m_wndFunctions, "Functions", 0)) return -1;
    if (!m_wndWorkDir.Create(kListStyle, CRect(0, 0, 0, 0), &m_wndTabs, 0)) return -1;
    if (!m_wndTabs.InsertPage(1, &m_wndWorkDir, "Working Dir", 1)) return -1;
    m_wndTabs.SetActivePageIndex(0);
    SendMessageToDescendants(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    UpdateWindow();
    return 0;
}

void CInfoTabBar::OnBarResized(int cx, int cy, BOOL bFloating, UINT nChangeMask) {
    CDKSizeControlBar::OnBarResized(cx, cy, bFloating, nChangeMask);
    FitPaneTabs(this, m_wndTabs);
}

void CInfoTabBar::OnDestroy() {
    CDKSizeControlBar::OnDestroy();
    m_font.DeleteObject();
}
