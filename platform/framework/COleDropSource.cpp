// COleDropSource: the default continuation and feedback.

#include "platform/framework/COleDropSource.h"

#include "platform/framework/CWnd.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (bEscapePressed || (dwKeyState & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd) {
    if (!pWnd || !::IsWindow(pWnd->m_hWnd)) return FALSE;
    const HWND hwnd = pWnd->m_hWnd;
    if (::GetCapture() != hwnd) ::SetCapture(hwnd);
    const BOOL begun = WaitForDragStart(hwnd);
    // Begun, the drag that follows keeps the pointer; otherwise it is let go.
    if (!begun && ::GetCapture() == hwnd) ::ReleaseCapture();
    return begun;
}

BOOL COleDropSource::WaitForDragStart(HWND hwnd) {
    while (::GetCapture() == hwnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (!m_rectStartDrag.PtInRect(pt)) return TRUE;
            break;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            return FALSE;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) return FALSE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    return FALSE;
}
