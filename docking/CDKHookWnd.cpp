// CDKHookWnd: the chain of hooks per window, kept in a process-wide registry by window handle.

#include "docking/CDKHookWnd.h"

#include <map>

IMPLEMENT_DYNAMIC(CDKHookWnd, CObject)

namespace {
std::map<HWND, CDKHookWnd*>& heads() {
    static std::map<HWND, CDKHookWnd*> map;
    return map;
}
} // namespace

CDKHookWnd::CDKHookWnd() = default;

CDKHookWnd::~CDKHookWnd() {
    if (IsHooked()) UnhookWindow();
}

CDKHookWnd* CDKHookWnd::FindHook(HWND hwnd) {
    auto it = heads().find(hwnd);
    return it == heads().end() ? nullptr : it->second;
}

void CDKHookWnd::HookWindow(CWnd* pWnd) {
    // A hook is in one chain at a time: hooked again, it leaves its old place first, so it never
    // becomes its own next hook or passes one window's messages to another's procedure.
    if (IsHooked()) UnhookWindow();
    KillHookTimer();
    HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (!::IsWindow(hwnd)) return;
    CDKHookWnd* head = FindHook(hwnd);
    m_pNext = head;
    if (head) {
        m_pfnSaved = head->m_pfnSaved;
    } else {
        m_pfnSaved = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWndProc)));
    }
    heads()[hwnd] = this;
    m_pWndHooked = pWnd;
}

int CDKHookWnd::UnhookWindow() {
    KillHookTimer();
    if (!m_pWndHooked) return 0;
    HWND hwnd = m_pWndHooked->GetSafeHwnd();
    CDKHookWnd* head = FindHook(hwnd);
    if (head == this) {
        if (m_pNext) {
            heads()[hwnd] = m_pNext;
        } else {
            heads().erase(hwnd);
            if (::IsWindow(hwnd))
                ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSaved));
        }
    } else {
        for (CDKHookWnd* hook = head; hook; hook = hook->m_pNext) {
            if (hook->m_pNext != this) continue;
            hook->m_pNext = m_pNext;
            break;
        }
    }
    m_pNext = nullptr;
    m_pfnSaved = nullptr;
    m_pWndHooked = nullptr;
    return 0;
}

LRESULT CDKHookWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_TIMER && m_nTimerID && wParam == m_nTimerID) ||
        (message == WM_MOUSEMOVE && !m_bInside))
        CheckMouseInside();
    if (m_pNext) return m_pNext->WindowProc(message, wParam, lParam);
    return ::CallWindowProc(m_pfnSaved, m_pWndHooked->GetSafeHwnd(), message, wParam, lParam);
}

void CDKHookWnd::CheckMouseInside() {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    BOOL inside = ::WindowFromPoint(cursor) == m_pWndHooked->GetSafeHwnd();
    if (inside == m_bInside) return;
    m_bInside = inside;
    m_pWndHooked->PostMessage(inside ? WM_HOOK_MOUSEENTER : WM_HOOK_MOUSELEAVE);
}

void CDKHookWnd::KillHookTimer() {
    if (m_nTimerID && m_pWndHooked && ::IsWindow(m_pWndHooked->GetSafeHwnd()))
        m_pWndHooked->KillTimer(m_nTimerID);
    m_nTimerID = 0;
    m_bInside = FALSE;
}

LRESULT CALLBACK CDKHookWnd::HookWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Default() of the window's framework object sends on the message being handled.
    AFX_THREAD_STATE* state = AfxGetThreadState();
    MSG saved = state->m_lastSentMsg;
    state->m_lastSentMsg = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    CDKHookWnd* head = FindHook(hwnd);
    LRESULT result = 0;
    if (!head) {
        result = ::DefWindowProc(hwnd, message, wParam, lParam);
    } else if (message == WM_NCDESTROY) {
        WNDPROC original = head->m_pfnSaved;
        while (CDKHookWnd* hook = FindHook(hwnd))
            hook->UnhookWindow();
        result = ::CallWindowProc(original, hwnd, message, wParam, lParam);
    } else {
        result = head->WindowProc(message, wParam, lParam);
    }
    state->m_lastSentMsg = saved;
    return result;
}
