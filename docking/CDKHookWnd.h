#pragma once
// CDKHookWnd: lets several independent objects subclass one window. Each hook is chained in front
// of the window's own procedure and sees every message first (the newest hook first), passing it on
// to the next hook and at last to the window. A hook also notices the mouse entering and leaving the
// window and posts WM_HOOK_MOUSEENTER and WM_HOOK_MOUSELEAVE to it.

#include "platform/framework/CWnd.h"

#define WM_HOOK_MOUSEENTER 0x8001
#define WM_HOOK_MOUSELEAVE 0x8002

class CDKHookWnd : public CObject {
    DECLARE_DYNAMIC(CDKHookWnd)
public:
    CDKHookWnd();
    ~CDKHookWnd() override;

    // Chains the hook in front of pWnd's procedure (out of any chain it was in first); nothing for
    // a window that does not exist.
    void HookWindow(CWnd* pWnd);
    int UnhookWindow();
    BOOL IsHooked() const { return m_pWndHooked != nullptr; }
    CWnd* GetHookedWindow() const { return m_pWndHooked; }
    // The head of the chain on hwnd; null when it has none.
    static CDKHookWnd* FindHook(HWND hwnd);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A timer a derived hook runs on the hooked window; leaving is noticed when it fires.
    UINT_PTR m_nTimerID = 0;

protected:
    void CheckMouseInside();
    void KillHookTimer();
    static LRESULT CALLBACK HookWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    CWnd* m_pWndHooked = nullptr;
    WNDPROC m_pfnSaved = nullptr;
    CDKHookWnd* m_pNext = nullptr;
    BOOL m_bInside = FALSE;
};
