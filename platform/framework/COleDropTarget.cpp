// COleDropTarget: the registered windows, the hook that turns file drops into the callbacks, and
// the default callbacks.

#include "platform/framework/COleDropTarget.h"

#include "platform/framework/CWnd.h"

#include <map>
#include <vector>

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

std::map<HWND, COleDropTarget*>& targets() {
    static std::map<HWND, COleDropTarget*> all;
    return all;
}

} // namespace

COleDropTarget::~COleDropTarget() {
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
    if (!pWnd || !::IsWindow(pWnd->m_hWnd) || m_hWnd || targets().count(pWnd->m_hWnd)) return FALSE;
    m_hWnd = pWnd->m_hWnd;
    targets()[m_hWnd] = this;
    m_pfnOldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&COleDropTarget::HookProc)));
    ::DragAcceptFiles(m_hWnd, TRUE);
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (!m_hWnd) return;
    if (::IsWindow(m_hWnd)) {
        ::DragAcceptFiles(m_hWnd, FALSE);
        // Only when nobody hooked the window after us: else their chain would break.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == &COleDropTarget::HookProc)
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOldProc));
    }
    targets().erase(m_hWnd);
    m_hWnd = nullptr;
}

COleDropTarget* COleDropTarget::FromWindow(HWND hwnd) {
    for (; hwnd; hwnd = ::GetParent(hwnd)) {
        auto it = targets().find(hwnd);
        if (it != targets().end()) return it->second;
    }
    return nullptr;
}

LRESULT CALLBACK COleDropTarget::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = targets().find(hwnd);
    if (it == targets().end()) return ::DefWindowProc(hwnd, message, wParam, lParam);
    COleDropTarget* target = it->second;
    WNDPROC old = target->m_pfnOldProc;
    if (message == WM_DROPFILES) {
        target->OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The window goes: unhook it first, then let it finish.
        ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        targets().erase(hwnd);
        target->m_hWnd = nullptr;
    }
    return ::CallWindowProc(old, hwnd, message, wParam, lParam);
}

void COleDropTarget::OnDropFiles(HDROP drop) {
    std::vector<CString> files;
    UINT count = ::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFile(drop, i, nullptr, 0);
        CString path;
        ::DragQueryFile(drop, i, path.GetBufferSetLength(static_cast<int>(length)), length + 1);
        path.ReleaseBuffer();
        files.push_back(path);
    }
    CPoint point;
    ::DragQueryPoint(drop, &point);
    ::DragFinish(drop);
    COleDataObject data;
    data.SetFiles(std::move(files));
    CWnd* wnd = CWnd::FromHandle(m_hWnd);
    DWORD keys = 0;
    DROPEFFECT effect = OnDragEnter(wnd, &data, keys, point);
    effect = OnDragOver(wnd, &data, keys, point);
    if (effect == DROPEFFECT_NONE) {
        OnDragLeave(wnd);
        return;
    }
    Drop(&data, effect, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, point);
}

DROPEFFECT COleDropTarget::Drop(COleDataObject* pDataObject, DROPEFFECT effect, DROPEFFECT allowed,
                                CPoint point) {
    CWnd* wnd = CWnd::FromHandle(m_hWnd);
    DROPEFFECT result = OnDropEx(wnd, pDataObject, effect, allowed, point);
    if (result != static_cast<DROPEFFECT>(-1)) return result;
    return OnDrop(wnd, pDataObject, effect, point) ? effect : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) {
    return FALSE;
}
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
    return static_cast<DROPEFFECT>(-1);
}
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
