// COleDataSource: the offered data and the drag loop.

#include "platform/framework/COleDataSource.h"

#include "platform/framework/COleDropSource.h"
#include "platform/framework/COleDropTarget.h"
#include "platform/framework/CWnd.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

void COleDataSource::CacheGlobalData(UINT cfFormat, HGLOBAL hGlobal) {
    if (cfFormat == CF_TEXT && hGlobal) {
        if (auto* text = static_cast<const char*>(::GlobalLock(hGlobal))) {
            m_data.SetText(CString(text, static_cast<int>(strnlen(text, ::GlobalSize(hGlobal)))));
            ::GlobalUnlock(hGlobal);
        }
    }
    if (hGlobal) ::GlobalFree(hGlobal);
}

void COleDataSource::CacheFiles(std::vector<CString> files) {
    m_data.SetFiles(std::move(files));
}

void COleDataSource::Empty() {
    m_data.Release();
}

DROPEFFECT COleDataSource::Over(COleDropTarget*& current, CPoint pt, DWORD keys, DWORD allowed) {
    COleDropTarget* target = COleDropTarget::FromWindow(::WindowFromPoint(pt));
    if (target != current && current) current->OnDragLeave(CWnd::FromHandle(current->GetWindow()));
    if (!target) {
        current = nullptr;
        return DROPEFFECT_NONE;
    }
    CWnd* wnd = CWnd::FromHandle(target->GetWindow());
    CPoint client = pt;
    wnd->ScreenToClient(&client);
    DROPEFFECT effect = target != current ? target->OnDragEnter(wnd, &m_data, keys, client)
                                          : target->OnDragOver(wnd, &m_data, keys, client);
    current = target;
    return effect & allowed;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource) {
    COleDropSource defaultSource;
    COleDropSource* source = pDropSource ? pDropSource : &defaultSource;
    CPoint start;
    ::GetCursorPos(&start);
    HWND capture = ::WindowFromPoint(start);
    if (!capture || ::GetCapture()) return DROPEFFECT_NONE;
    ::SetCapture(capture);
    COleDropTarget* current = nullptr;
    DROPEFFECT effect = DROPEFFECT_NONE;
    DWORD keys = MK_LBUTTON;
    CPoint pt = start;
    // Given a start rectangle, the source says when the drag begins; the move that began it is
    // the drag's first.
    if (lpRectStartDrag) {
        source->m_rectStartDrag = *lpRectStartDrag;
        if (!source->OnBeginDrag(CWnd::FromHandle(capture))) {
            if (::GetCapture() == capture) ::ReleaseCapture();
            return DROPEFFECT_NONE;
        }
        const DWORD pos = ::GetMessagePos();
        pt = CPoint(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
        effect = Over(current, pt, keys, dwEffects);
        source->GiveFeedback(effect);
    }
    SCODE state = S_OK;
    while (state == S_OK) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            state = DRAGDROP_S_CANCEL;
            break;
        }
        bool escape = false;
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN: {
            pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &pt);
            keys = static_cast<DWORD>(msg.wParam) & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
            if (msg.message == WM_LBUTTONUP) keys &= ~static_cast<DWORD>(MK_LBUTTON);
            if (msg.message == WM_RBUTTONDOWN) keys |= MK_RBUTTON;
            if (msg.message == WM_MOUSEMOVE) {
                effect = Over(current, pt, keys, dwEffects);
                source->GiveFeedback(effect);
            }
            break;
        }
        case WM_KEYDOWN:
            escape = msg.wParam == VK_ESCAPE;
            break;
        default:
            ::DispatchMessage(&msg);
            continue;
        }
        state = source->QueryContinueDrag(escape, keys);
        if (::GetCapture() != capture) state = DRAGDROP_S_CANCEL;
    }
    if (::GetCapture() == capture) ::ReleaseCapture();
    if (state != DRAGDROP_S_DROP || !current) {
        if (current) current->OnDragLeave(CWnd::FromHandle(current->GetWindow()));
        return DROPEFFECT_NONE;
    }
    // The drop goes where the pointer was released.
    effect = Over(current, pt, keys, dwEffects);
    if (!current) return DROPEFFECT_NONE;
    if (effect == DROPEFFECT_NONE) {
        current->OnDragLeave(CWnd::FromHandle(current->GetWindow()));
        return DROPEFFECT_NONE;
    }
    CPoint client = pt;
    ::ScreenToClient(current->GetWindow(), &client);
    return current->Drop(&m_data, effect, dwEffects, client);
}
