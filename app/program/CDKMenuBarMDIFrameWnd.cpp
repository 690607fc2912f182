// The MDI frame with a menu bar.

#include "app/program/CDKMenuBarMDIFrameWnd.h"

#include "docking/CDKBitmapMenu.h"
#include "docking/CDKBitmapMenuManager.h"
#include "platform/framework/CDockBar.h"
#include "platform/framework/CMenu.h"

#include <map>

namespace {

struct Hooks {
    std::map<HWND, CDKMenuBarMDIFrameWnd*> frames;
    HHOOK keyboard = nullptr;
    HHOOK mouse = nullptr;
    BOOL altAlone = FALSE;
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

CDKMenuBarMDIFrameWnd* frameOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND top = ::GetAncestor(hwnd, GA_ROOT);
    auto found = hooks().frames.find(top);
    return found == hooks().frames.end() ? nullptr : found->second;
}

LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION)
        if (CDKMenuBarMDIFrameWnd* frame = frameOf(::GetFocus()))
            if (frame->OnHookKeyboardMessage(static_cast<UINT>(wParam), lParam)) return 1;
    return ::CallNextHookEx(hooks().keyboard, code, wParam, lParam);
}

LRESULT CALLBACK mouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (CDKMenuBarMDIFrameWnd* frame = frameOf(::WindowFromPoint(info->pt)))
            if (frame->OnHookMouseMessage(static_cast<UINT>(wParam), *info)) return 1;
    }
    return ::CallNextHookEx(hooks().mouse, code, wParam, lParam);
}

} // namespace

IMPLEMENT_DYNAMIC(CDKMenuBarMDIFrameWnd, CDKMDIFrameWndSizeDock)

BEGIN_MESSAGE_MAP(CDKMenuBarMDIFrameWnd, CDKMDIFrameWndSizeDock)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_EXITMENULOOP()
    ON_COMMAND(ID_BITMAPMENU_EXPAND, OnExpandPopup)
    ON_MESSAGE(WM_BITMAPMENU_RECENTLYUSEDCHANGED, OnRecentlyUsedChanged)
END_MESSAGE_MAP()

// The window's own menu, which the menu bar showed in its place, goes with the frame.
CDKMenuBarMDIFrameWnd::~CDKMenuBarMDIFrameWnd() {
    if (m_hWindowMenu) ::DestroyMenu(m_hWindowMenu);
}

BOOL CDKMenuBarMDIFrameWnd::AreHooksInstalled() {
    return hooks().keyboard != nullptr && hooks().mouse != nullptr;
}

int CDKMenuBarMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDKMDIFrameWndSizeDock::OnCreate(lpCreateStruct) == -1) return -1;
    hooks().frames[m_hWnd] = this;
    m_hWindowMenu = ::GetMenu(m_hWnd);
    if (m_hWindowMenu) ::SetMenu(m_hWnd, nullptr);
    if (!CreateMenuBar(m_hWindowMenu, this, 0x50002804, 0xE810)) return -1;
    if (!hooks().keyboard)
        hooks().keyboard = ::SetWindowsHookEx(WH_KEYBOARD, keyboardHook, nullptr, ::GetCurrentThreadId());
    if (!hooks().mouse)
        hooks().mouse = ::SetWindowsHookEx(WH_MOUSE, mouseHook, nullptr, ::GetCurrentThreadId());
    return 0;
}

void CDKMenuBarMDIFrameWnd::OnDestroy() {
    if (m_wndMenuBar.m_hWnd) m_wndMenuBar.SetCustomizationMode(nullptr, nullptr);
    hooks().frames.erase(m_hWnd);
    if (hooks().frames.empty()) {
        if (hooks().keyboard) ::UnhookWindowsHookEx(hooks().keyboard);
        if (hooks().mouse) ::UnhookWindowsHookEx(hooks().mouse);
        hooks().keyboard = hooks().mouse = nullptr;
    }
    CDKMDIFrameWndSizeDock::OnDestroy();
}

BOOL CDKMenuBarMDIFrameWnd::CreateMenuBar(HMENU hMenu, CWnd* pParent, DWORD dwStyle, UINT nID) {
    if (!m_wndMenuBar.Create(pParent, dwStyle, nID)) return FALSE;
    return m_wndMenuBar.SetMenu(hMenu);
}

HMENU CDKMenuBarMDIFrameWnd::GetMenu() const {
    return m_wndMenuBar.m_hWnd ? m_wndMenuBar.GetMenu() : ::GetMenu(m_hWnd);
}

void CDKMenuBarMDIFrameWnd::SetMenu(HMENU hMenu) {
    if (m_wndMenuBar.m_hWnd)
        m_wndMenuBar.SetMenu(hMenu);
    else
        ::SetMenu(m_hWnd, hMenu);
}

void CDKMenuBarMDIFrameWnd::RecalcLayout(BOOL bNotify) {
    BOOL previous = m_wndMenuBar.m_bFullLength;
    m_wndMenuBar.m_bFullLength = TRUE;
    CDKMDIFrameWndSizeDock::RecalcLayout(bNotify);
    // A bar of another thickness in the menu bar's row: once more, so that the row lines up.
    if (RowThicknessDiffers()) CDKMDIFrameWndSizeDock::RecalcLayout(bNotify);
    m_wndMenuBar.m_bFullLength = previous;
}

BOOL CDKMenuBarMDIFrameWnd::RowThicknessDiffers() const {
    CDockBar* dock = m_wndMenuBar.m_pDockBar;
    if (!dock || m_wndMenuBar.IsFloating() || !m_wndMenuBar.IsWindowVisible()) return FALSE;
    const int at = dock->FindBar(const_cast<CDKMenuBar*>(&m_wndMenuBar));
    if (at < 0) return FALSE;
    const BOOL horz = (m_wndMenuBar.GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    auto thickness = [horz](const CControlBar* bar) {
        CRect rect;
        bar->GetWindowRect(&rect);
        return horz ? rect.Height() : rect.Width();
    };
    const int own = thickness(&m_wndMenuBar);
    int first = at;
    while (first > 0 && dock->m_arrBars[first - 1])
        --first;
    for (int i = first; i < dock->m_arrBars.GetSize() && dock->m_arrBars[i]; ++i) {
        CControlBar* bar = dock->GetDockedControlBar(i);
        if (bar && bar != &m_wndMenuBar && bar->IsWindowVisible() && thickness(bar) != own) return TRUE;
    }
    return FALSE;
}

void CDKMenuBarMDIFrameWnd::DrawMenuBar() {
    if (m_wndMenuBar.m_hWnd)
        m_wndMenuBar.Invalidate();
    else
        ::DrawMenuBar(m_hWnd);
}

void CDKMenuBarMDIFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    m_bSubMenuSelected = FALSE;
    m_popups.push_back(pPopupMenu->m_hMenu);
    // The bar shows its popups with TrackPopupMenu, which knows no position: the popup's place
    // in the bar's menu is the bar's open item.
    const int open = m_wndMenuBar.m_nOpenPopup;
    if (!bSysMenu && open >= 0 && m_wndMenuBar.GetMenu() &&
        ::GetSubMenu(m_wndMenuBar.GetMenu(), open) == pPopupMenu->m_hMenu)
        nIndex = static_cast<UINT>(open);
    CDKMDIFrameWndSizeDock::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CDKMenuBarMDIFrameWnd::OnExpandPopup() {
    m_wndMenuBar.m_nNextPopup = m_wndMenuBar.m_nOpenPopup;
}

LRESULT CDKMenuBarMDIFrameWnd::OnRecentlyUsedChanged(WPARAM, LPARAM) {
    if (HMENU menu = m_wndMenuBar.GetMenu()) m_wndMenuBar.m_modifiedMenus[menu] = TRUE;
    return 0;
}

void CDKMenuBarMDIFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    m_bSubMenuSelected = (nFlags & MF_POPUP) != 0;
    if (nFlags & MF_MOUSESELECT)
        while (m_popups.size() > 1 && m_popups.back() != hSysMenu)
            m_popups.pop_back();
    CDKMDIFrameWndSizeDock::OnMenuSelect(nItemID, nFlags, hSysMenu);
}

void CDKMenuBarMDIFrameWnd::OnExitMenuLoop(BOOL bIsTrackPopupMenu) {
    if (!bIsTrackPopupMenu) m_popups.clear();
    CDKMDIFrameWndSizeDock::OnExitMenuLoop(bIsTrackPopupMenu);
}

BOOL CDKMenuBarMDIFrameWnd::OnHookKeyboardMessage(UINT nKey, LPARAM lKeyData) {
    if (!m_wndMenuBar.m_hWnd || ::GetActiveWindow() != m_hWnd || !IsWindowEnabled()) return FALSE;
    const bool down = (lKeyData & 0x80000000) == 0;
    const bool repeat = (lKeyData & 0x40000000) != 0;
    if (m_wndMenuBar.m_nOpenPopup >= 0) {
        if (!down) return FALSE;
        const bool toBar = (nKey == VK_LEFT && m_popups.size() <= 1) ||
                           (nKey == VK_RIGHT && !m_bSubMenuSelected) ||
                           (nKey == VK_ESCAPE && m_popups.size() <= 1);
        return toBar && m_wndMenuBar.HandleMenuKey(nKey);
    }
    // F10 activates and leaves the menu bar as Alt alone does (Shift+F10 is the context menu's key).
    if (nKey == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
        hooks().altAlone = FALSE;
        if (!down) m_wndMenuBar.HandleMenuKey(0);
        return TRUE;
    }
    if (nKey == VK_MENU) {
        if (down && !repeat) {
            hooks().altAlone = TRUE;
            return TRUE;
        }
        if (!down && hooks().altAlone) {
            hooks().altAlone = FALSE;
            m_wndMenuBar.HandleMenuKey(0);
            return TRUE;
        }
        return FALSE;
    }
    if (::GetKeyState(VK_MENU) >= 0 && !m_wndMenuBar.m_bKeyboardMode) return FALSE;
    hooks().altAlone = FALSE;
    if (!down || nKey == VK_F4) return FALSE;
    return m_wndMenuBar.HandleMenuKey(nKey);
}

BOOL CDKMenuBarMDIFrameWnd::OnHookMouseMessage(UINT message, const MOUSEHOOKSTRUCT& info) {
    if (m_wndMenuBar.m_nOpenPopup < 0 || message != WM_MOUSEMOVE) return FALSE;
    if (::WindowFromPoint(info.pt) != m_wndMenuBar.m_hWnd) return FALSE;
    m_wndMenuBar.OnMenuMouseMove(info.pt);
    return FALSE;
}
