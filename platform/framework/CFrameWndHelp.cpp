// A frame's context-help mode (ID_CONTEXT_HELP, Shift+F1): the pointer takes the help cursor, and
// the next click on one of the frame's windows, or the next command, says which help to show.

#include "platform/framework/CFrameWnd.h"

#include "platform/framework/CWinApp.h"

namespace {

bool isMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The window a child belongs to, or the owner of a top-level window.
HWND parentOrOwner(HWND hwnd) {
    return (::GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd) : ::GetWindow(hwnd, GW_OWNER);
}

// The window is the frame, one of its descendants or a window it owns.
bool belongsTo(HWND hwnd, HWND frame) {
    for (HWND h = hwnd; h; h = parentOrOwner(h))
        if (h == frame) return true;
    return false;
}

void setCursor(LPCSTR id) {
    ::SetCursor(::LoadCursor(nullptr, id));
}

} // namespace

void CFrameWnd::OnContextHelp() {
    if (m_bHelpMode) return;
    MSG msg;
    // A request to leave help mode that is already waiting cancels this one.
    if (::PeekMessage(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE)) return;
    const HWND self = m_hWnd;
    m_bHelpMode = TRUE;
    ::SetCapture(self);
    setCursor(IDC_HELP);
    DWORD context = 0;
    CWinApp* app = AfxGetApp();
    LONG idleCount = 0;
    while (::IsWindow(self) && m_bHelpMode) {
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT || !ProcessHelpMsg(msg, &context)) break;
        } else if (!app || !app->OnIdle(idleCount++)) {
            idleCount = 0;
            ::WaitMessage();
        }
    }
    if (!::IsWindow(self)) return;
    m_bHelpMode = FALSE;
    ::PeekMessage(&msg, self, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE);
    if (::GetCapture() == self) ::ReleaseCapture();
    setCursor(IDC_ARROW);
    if (context == static_cast<DWORD>(-1))
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    else if (context != 0 && app)
        app->WinHelp(context, HELP_CONTEXT);
    PostMessage(WM_KICKIDLE);
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) {
    const UINT message = msg.message;
    const bool ends = message == WM_EXITHELPMODE || (message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
    if (!::PeekMessage(&msg, nullptr, message, message, PM_REMOVE)) return TRUE;
    if (ends) return FALSE;
    if (isMouseMessage(message)) {
        // The pointer is the frame's (its capture): over other windows it does nothing.
        HWND hit = ::WindowFromPoint(msg.pt);
        if (!belongsTo(hit, m_hWnd)) {
            setCursor(IDC_ARROW);
            return TRUE;
        }
        setCursor(IDC_HELP);
        if (message != WM_LBUTTONDOWN && message != WM_NCLBUTTONDOWN) return TRUE;
        const LRESULT area = ::SendMessage(hit, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
        *pContext =
            area == HTCLIENT ? MapClientArea(hit, msg.pt) : static_cast<DWORD>(HID_BASE_NCAREAS + area);
        return FALSE;
    }
    if (message == WM_SYSCOMMAND || (message >= WM_KEYFIRST && message <= WM_KEYLAST)) {
        // Accelerators still make commands (which then show their help); of the keys themselves
        // only the system's reach their windows.
        if (PreTranslateMessage(&msg)) return TRUE;
        ::TranslateMessage(&msg);
        if (message == WM_SYSCOMMAND || (message >= WM_SYSKEYDOWN && message <= WM_SYSDEADCHAR))
            ::DispatchMessage(&msg);
        return TRUE;
    }
    ::DispatchMessage(&msg);
    return TRUE;
}

DWORD CFrameWnd::MapClientArea(HWND hWndHit, CPoint point) {
    for (HWND h = hWndHit; h; h = parentOrOwner(h)) {
        CPoint client = point;
        ::ScreenToClient(h, &client);
        const auto context =
            static_cast<DWORD>(::SendMessage(h, WM_HELPHITTEST, 0, MAKELPARAM(client.x, client.y)));
        if (context != 0) return context;
        if (h == m_hWnd) break;
    }
    return static_cast<DWORD>(-1);
}

void CFrameWnd::ExitHelpMode() {
    if (!m_bHelpMode) return;
    m_bHelpMode = FALSE;
    // Wakes a loop that waits for messages.
    PostMessage(WM_EXITHELPMODE);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    CFrameWnd* top = GetTopLevelFrame();
    if (!top || !top->m_bHelpMode || lParam != 0 || nID == ID_HELP || nID == ID_DEFAULT_HELP ||
        nID == ID_CONTEXT_HELP)
        return CWnd::OnCommand(wParam, lParam);
    if (!SendMessage(WM_COMMANDHELP, 0, static_cast<LPARAM>(HID_BASE_COMMAND + nID)))
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    top->ExitHelpMode();
    return TRUE;
}
