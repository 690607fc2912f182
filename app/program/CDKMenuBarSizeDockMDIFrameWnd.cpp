// The menu-bar frame with sizeable docking.

#include "app/program/CDKMenuBarSizeDockMDIFrameWnd.h"

#include "docking/CDKSizeDockBar.h"

#include <map>

IMPLEMENT_DYNAMIC(CDKMenuBarSizeDockMDIFrameWnd, CDKMenuBarMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDKMenuBarSizeDockMDIFrameWnd, CDKMenuBarMDIFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
END_MESSAGE_MAP()

void CDKMenuBarSizeDockMDIFrameWnd::EnableDocking(DWORD dwDockStyle) {
    EnableSizeDocking(this, dwDockStyle);
}

namespace {

std::map<HWND, CDKMenuBarSizeDockMDIFrameWnd*>& framesOfClients() {
    static std::map<HWND, CDKMenuBarSizeDockMDIFrameWnd*> frames;
    return frames;
}

} // namespace

int CDKMenuBarSizeDockMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKMenuBarMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (m_hWndMDIClient) {
        framesOfClients()[m_hWndMDIClient] = this;
        m_pfnClientProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(m_hWndMDIClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientProc)));
        m_bClientSubclassed = TRUE;
    }
    SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    return 0;
}

LRESULT CALLBACK CDKMenuBarSizeDockMDIFrameWnd::clientProc(HWND hwnd, UINT message, WPARAM wParam,
                                                           LPARAM lParam) {
    auto found = framesOfClients().find(hwnd);
    if (found == framesOfClients().end()) return ::DefWindowProc(hwnd, message, wParam, lParam);
    CDKMenuBarSizeDockMDIFrameWnd* frame = found->second;
    WNDPROC previous = frame->m_pfnClientProc;
    if (message == WM_NCDESTROY) {
        framesOfClients().erase(found);
        frame->m_bClientSubclassed = FALSE;
    }
    if (message == WM_NULL) frame->m_bClientHeard = TRUE;
    switch (message) {
    case WM_MDISETMENU:
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        return frame->MDIClientWindowProc(message, wParam, lParam);
    default:
        return ::CallWindowProc(previous, hwnd, message, wParam, lParam);
    }
}

LRESULT CDKMenuBarSizeDockMDIFrameWnd::MDIClientWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (message == WM_MDISETMENU && menu && m_wndMenuBar.m_hWnd) {
        m_wndMenuBar.SetMenu(menu);
        wParam = 0;
    }
    const LRESULT result = ::CallWindowProc(m_pfnClientProc, m_hWndMDIClient, message, wParam, lParam);
    // A child made, gone or activated changes the bar's buttons (a maximised child's icon and its
    // caption buttons).
    if (message != WM_MDISETMENU && m_wndMenuBar.m_hWnd) m_wndMenuBar.PostMessage(WM_IDLEUPDATECMDUI, TRUE);
    return result;
}

void CDKMenuBarSizeDockMDIFrameWnd::keepClientSubclassed() {
    if (!m_bClientSubclassed || !::IsWindow(m_hWndMDIClient)) return;
    m_bClientHeard = FALSE;
    ::SendMessage(m_hWndMDIClient, WM_NULL, 0, 0);
    if (m_bClientHeard) return;
    m_pfnClientProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(m_hWndMDIClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientProc)));
}

void CDKMenuBarSizeDockMDIFrameWnd::takeWindowMenu() {
    HMENU own = ::GetMenu(m_hWnd);
    if (!own || !m_wndMenuBar.m_hWnd) return;
    ::SetMenu(m_hWnd, nullptr);
    if (own != m_wndMenuBar.GetMenu()) m_wndMenuBar.SetMenu(own);
}

void CDKMenuBarSizeDockMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CDKMenuBarMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    takeWindowMenu();
}

LRESULT CDKMenuBarSizeDockMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
    keepClientSubclassed();
    takeWindowMenu();
    return CDKMenuBarMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

BOOL CDKMenuBarSizeDockMDIFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) {
    const UINT message = msg.message;
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST || !m_wndMenuBar.m_hWnd ||
        ::WindowFromPoint(msg.pt) != m_wndMenuBar.m_hWnd)
        return CDKMenuBarMDIFrameWnd::ProcessHelpMsg(msg, pContext);
    if (!::PeekMessage(&msg, nullptr, message, message, PM_REMOVE)) return TRUE;
    // A click while none of the bar's menus is open does nothing.
    if (message != WM_MOUSEMOVE && message != WM_MOUSEWHEEL && m_wndMenuBar.m_nOpenPopup < 0) return TRUE;
    // The message is the frame's (it holds the capture): the bar gets it in its own coordinates.
    CPoint point = msg.pt;
    m_wndMenuBar.ScreenToClient(&point);
    msg.hwnd = m_wndMenuBar.m_hWnd;
    msg.lParam = MAKELPARAM(point.x, point.y);
    ::DispatchMessage(&msg);
    return TRUE;
}
