// The bitmap button's behaviour; its picture is bmp_btn_painter's.

#include "app/program/CBmpBtn.h"

#include "app/program/bmp_btn_painter.h"

#include "platform/win/mmsystem.h"

namespace {

// The dialog items before and after a radio button that its click may clear.
constexpr int kGroupReach = 17;
// The notification a push button sends while the mouse is over it, and an auto-repeat button
// while it is held.
constexpr UINT kRepeatCode = 5;
constexpr UINT_PTR kRepeatTimer = 1;
// The hover cursor's command is the control id plus this.
constexpr UINT kHoverCommand = 1024;

} // namespace

IMPLEMENT_DYNCREATE(CBmpBtn, CButton)

BEGIN_MESSAGE_MAP(CBmpBtn, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBmpBtn::CBmpBtn() = default;

BmpBtnConfig CBmpBtn::configure() {
    CString text;
    GetWindowText(text);
    BmpBtnConfig config = ParseBmpBtnConfig(static_cast<LPCTSTR>(text));
    m_cKind = config.kind;
    if (!m_bCursorLoaded && !config.cursor.empty()) {
        m_hCursor = ::LoadCursor(AfxGetResourceHandle(), config.cursor.c_str());
        m_bCursorLoaded = true;
    }
    m_strSound = config.sound.c_str();
    m_strHoverImage = config.hoverImage.c_str();
    return config;
}

void CBmpBtn::SetButtonState(char cState) {
    if (cState == m_cState) return;
    m_cState = cState;
    Invalidate();
}

void CBmpBtn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const BmpBtnConfig config = configure();
    BmpBtnPaintState state;
    const bool checked = (m_cKind == 'C' || m_cKind == 'R') && m_cState == 'C';
    state.pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) || checked;
    state.disabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    state.hovering = m_bHovering;
    PaintBmpBtn(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem, config, state);
}

BOOL CBmpBtn::OnClicked() {
    configure();
    if (m_cKind == 'C') {
        SetButtonState(m_cState == 'C' ? 'U' : 'C');
    } else if (m_cKind == 'R') {
        SetButtonState('C');
        clearRadioGroup();
    }
    if (!m_strSound.IsEmpty()) ::PlaySound(m_strSound, nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
    // The parent hears of the click as well.
    return FALSE;
}

// The other bitmap buttons of the group go up: the search runs by control id and ends at the
// group's first item, at an item of the next group, or at an item that is no bitmap button.
void CBmpBtn::clearRadioGroup() {
    CWnd* parent = GetParent();
    if (!parent) return;
    const int id = GetDlgCtrlID();
    const bool startsGroup = (GetStyle() & WS_GROUP) != 0;
    for (int step = 1; step <= kGroupReach && !startsGroup; ++step) {
        auto* other =
            dynamic_cast<CBmpBtn*>(CWnd::FromHandlePermanent(::GetDlgItem(parent->m_hWnd, id - step)));
        if (!other) break;
        other->SetButtonState('U');
        if (other->GetStyle() & WS_GROUP) break;
    }
    for (int step = 1; step <= kGroupReach; ++step) {
        auto* other =
            dynamic_cast<CBmpBtn*>(CWnd::FromHandlePermanent(::GetDlgItem(parent->m_hWnd, id + step)));
        if (!other || (other->GetStyle() & WS_GROUP)) break;
        other->SetButtonState('U');
    }
}

void CBmpBtn::notifyParent(UINT nID, UINT nCode) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CBmpBtn::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bHovering) stopHovering();
    const BmpBtnConfig config = configure();
    CButton::OnLButtonDown(nFlags, point);
    if (m_cKind == 'S' && ::GetCapture() == m_hWnd) repeatWhilePressed(config);
}

// While the left button stays down the parent hears code 5 at once and then at every interval
// the mouse is over the button; the thread's other messages are dispatched meanwhile.
void CBmpBtn::repeatWhilePressed(const BmpBtnConfig& config) {
    HWND self = m_hWnd;
    const UINT id = static_cast<UINT>(GetDlgCtrlID());
    notifyParent(id, kRepeatCode);
    SetTimer(kRepeatTimer, static_cast<UINT>((config.repeatDigit - '0') * 100), nullptr);
    MSG msg;
    while (::IsWindow(self) && ::GetCapture() == self) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == self && msg.wParam == kRepeatTimer) {
            if (GetState() & BST_PUSHED) notifyParent(id, kRepeatCode);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (::IsWindow(self)) KillTimer(kRepeatTimer);
}

void CBmpBtn::OnMouseMove(UINT nFlags, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (m_bHovering && !client.PtInRect(point)) stopHovering();
    CButton::OnMouseMove(nFlags, point);
}

void CBmpBtn::stopHovering() {
    m_bHovering = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Invalidate();
}

void CBmpBtn::OnCaptureChanged(CWnd* pWnd) {
    if (m_bHovering) {
        m_bHovering = false;
        Invalidate();
    }
    CButton::OnCaptureChanged(pWnd);
}

BOOL CBmpBtn::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    configure();
    const UINT id = static_cast<UINT>(GetDlgCtrlID());
    // The hover image is shown, and the mouse followed, until it leaves or a button goes down.
    if (!m_strHoverImage.IsEmpty() && !m_bHovering && ::GetCapture() == nullptr) {
        m_bHovering = true;
        SetCapture();
        Invalidate();
    }
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        notifyParent(id + kHoverCommand, 0);
        return TRUE;
    }
    if (m_cKind == 'P') notifyParent(id, kRepeatCode);
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CBmpBtn::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CBmpBtn::OnDestroy() {
    if (m_hCursor) ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    CButton::OnDestroy();
}
