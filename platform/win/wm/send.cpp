// Sending and dispatching: window procedures are called only from here.

#include "platform/win/wm/remote_windows.h"
#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"

namespace pm::wm {

LRESULT sendFromWorker(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
bool knownTimerProc(LPARAM proc);

namespace {
int depth = 0;
}

int procDepth() {
    return depth;
}

LRESULT callProc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = w->handle;
    WNDPROC proc = w->proc;
    if (hooksInstalled(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
        callHooks(WH_CALLWNDPROC, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
        if (!window(hwnd)) return 0;
    }
    ++depth;
    LRESULT r = proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
    --depth;
    return r;
}

LRESULT send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    return w ? callProc(w, msg, wParam, lParam) : 0;
}

} // namespace pm::wm

using namespace pm::wm;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!onUiThread()) return sendFromWorker(hwnd, msg, wParam, lParam);
    if (hwnd == HWND_BROADCAST) {
        for (Window* w : std::vector<Window*>(desktop()->children))
            if (window(w->handle)) callProc(w, msg, wParam, lParam);
        return 0;
    }
    Window* w = window(hwnd);
    if (!w) {
        LRESULT r = 0;
        if (remote::isForeign(hwnd)) return remote::send(hwnd, msg, wParam, lParam, INFINITE, &r) ? r : 0;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return callProc(w, msg, wParam, lParam);
}

LRESULT SendMessageTimeout(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                           PDWORD_PTR result) {
    if (onUiThread() && remote::isForeign(hwnd)) {
        LRESULT r = 0;
        if (!remote::send(hwnd, msg, wParam, lParam, timeout, &r)) return 0;
        if (result) *result = static_cast<DWORD_PTR>(r);
        return 1;
    }
    if (onUiThread() && hwnd != HWND_BROADCAST && !window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LRESULT r = SendMessage(hwnd, msg, wParam, lParam);
    if (result) *result = static_cast<DWORD_PTR>(r);
    return 1;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!onUiThread()) return PostMessage(hwnd, msg, wParam, lParam);
    if (hwnd != HWND_BROADCAST && !window(hwnd)) return FALSE;
    SendMessage(hwnd, msg, wParam, lParam);
    return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    ++depth;
    LRESULT r = proc(hwnd, msg, wParam, lParam);
    --depth;
    return r;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam && knownTimerProc(msg->lParam)) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        ++depth;
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        --depth;
        return 0;
    }
    Window* w = window(msg->hwnd);
    if (!w) return 0;
    ++depth;
    LRESULT r = w->proc ? w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam)
                        : DefWindowProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    --depth;
    return r;
}
