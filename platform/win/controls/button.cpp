// The "BUTTON" control: push and default push buttons, check boxes (two- and three-state, automatic
// or not), radio buttons, group boxes and owner-drawn buttons, with images (BM_SETIMAGE).

#include "platform/win/controls/control.h"
#include "platform/win/controls/system_classes.h"

#include <algorithm>

namespace pm::ctl {

namespace {

constexpr int kBoxSize = 13;

class Button final : public Control {
public:
    Button(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) return common;
        switch (msg) {
        case BM_GETCHECK:
            return m_check;
        case BM_SETCHECK:
            return setCheck(static_cast<UINT>(wParam));
        case BM_GETSTATE:
            return m_check | (m_pushed ? BST_PUSHED : 0) | (hasFocus() ? BST_FOCUS : 0);
        case BM_SETSTATE:
            return setPushed(wParam != 0);
        case BM_SETSTYLE:
            return setButtonStyle(static_cast<DWORD>(wParam), lParam != 0);
        case BM_CLICK:
            return click();
        case BM_GETIMAGE:
            return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
        case BM_SETIMAGE:
            return setImage(wParam, reinterpret_cast<HANDLE>(lParam));
        case WM_GETDLGCODE:
            return dialogCode();
        case WM_NCHITTEST:
            return type() == BS_GROUPBOX ? HTTRANSPARENT : defaultProc(msg, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_SETTEXT: {
            LRESULT r = defaultProc(msg, wParam, lParam);
            redraw();
            return r;
        }
        case WM_ENABLE:
            redraw();
            return 0;
        case WM_SETFOCUS:
            return focusChanged(true);
        case WM_KILLFOCUS:
            return focusChanged(false);
        case WM_LBUTTONDBLCLK:
            return doubleClick();
        case WM_LBUTTONDOWN:
            return buttonDown();
        case WM_MOUSEMOVE:
            return mouseMove(lParam);
        case WM_LBUTTONUP:
            return buttonUp(lParam);
        case WM_CAPTURECHANGED:
            return captureLost();
        case WM_KEYDOWN:
            return keyDown(static_cast<int>(wParam));
        case WM_KEYUP:
            return keyUp(static_cast<int>(wParam));
        case WM_CHAR:
            return 0;
        default:
            return defaultProc(msg, wParam, lParam);
        }
    }

private:
    DWORD type() const { return style() & BS_TYPEMASK; }
    bool isCheck() const {
        DWORD t = type();
        return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
    }
    bool isRadio() const { return type() == BS_RADIOBUTTON || type() == BS_AUTORADIOBUTTON; }
    bool isPush() const {
        return type() == BS_PUSHBUTTON || type() == BS_DEFPUSHBUTTON || type() == BS_USERBUTTON ||
               type() == BS_PUSHBOX;
    }
    bool looksPushed() const {
        return isPush() || type() == BS_OWNERDRAW || ((isCheck() || isRadio()) && (style() & BS_PUSHLIKE));
    }

    LRESULT dialogCode() const {
        switch (type()) {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
        case BS_USERBUTTON:
        case BS_PUSHBOX:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    }

    LRESULT setCheck(UINT check) {
        if (!isCheck() && !isRadio()) return 0;
        UINT limit = (type() == BS_3STATE || type() == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED;
        check = std::min(check, limit);
        if (isRadio() && type() == BS_AUTORADIOBUTTON) setStyleBits(WS_TABSTOP, check == BST_CHECKED);
        if (check != m_check) {
            m_check = check;
            redraw();
        }
        return 0;
    }

    LRESULT setPushed(bool pushed) {
        if (pushed == m_pushed) return 0;
        m_pushed = pushed;
        if (type() == BS_OWNERDRAW)
            drawOwner(ODA_SELECT);
        else
            redraw();
        if (style() & BS_NOTIFY) notify(pushed ? BN_HILITE : BN_UNHILITE);
        return 0;
    }

    LRESULT setButtonStyle(DWORD bits, bool repaint) {
        DWORD s = style();
        SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>((s & 0xFFFF0000u) | (bits & 0xFFFFu)));
        if (repaint) redraw();
        return 0;
    }

    LRESULT setImage(WPARAM kind, HANDLE image) {
        HANDLE& slot = kind == IMAGE_ICON ? m_icon : m_bitmap;
        if (kind != IMAGE_ICON && kind != IMAGE_BITMAP) return 0;
        HANDLE old = slot;
        slot = image;
        redraw();
        return reinterpret_cast<LRESULT>(old);
    }

    LRESULT click() {
        if (!enabled()) return 0;
        SendMessage(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessage(m_hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    }

    LRESULT focusChanged(bool gained) {
        if (!gained) {
            if (m_spaceDown) m_spaceDown = false;
            if (m_pushed) setPushed(false);
            if (GetCapture() == m_hwnd) ReleaseCapture();
        }
        if (type() == BS_OWNERDRAW)
            drawOwner(ODA_FOCUS);
        else
            redraw();
        if (style() & BS_NOTIFY) notify(gained ? BN_SETFOCUS : BN_KILLFOCUS);
        return 0;
    }

    LRESULT doubleClick() {
        if (isRadio() || type() == BS_OWNERDRAW || (style() & BS_NOTIFY)) {
            notify(BN_DBLCLK);
            return 0;
        }
        return buttonDown();
    }

    LRESULT buttonDown() {
        if (type() == BS_GROUPBOX) return 0;
        if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
        SetCapture(m_hwnd);
        m_tracking = true;
        setPushed(true);
        return 0;
    }

    bool inside(LPARAM lParam) const {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT rc = clientRect();
        return PtInRect(&rc, p) != FALSE;
    }

    LRESULT mouseMove(LPARAM lParam) {
        if (m_tracking && GetCapture() == m_hwnd) setPushed(inside(lParam));
        return 0;
    }

    LRESULT buttonUp(LPARAM lParam) {
        if (!m_tracking) return 0;
        m_tracking = false;
        bool clicked = m_pushed && inside(lParam);
        if (GetCapture() == m_hwnd) ReleaseCapture();
        setPushed(false);
        if (clicked) activate();
        return 0;
    }

    LRESULT captureLost() {
        if (m_tracking) {
            m_tracking = false;
            setPushed(false);
        }
        return 0;
    }

    LRESULT keyDown(int vk) {
        if (vk != VK_SPACE || m_spaceDown || type() == BS_GROUPBOX) return 0;
        m_spaceDown = true;
        setPushed(true);
        return 0;
    }

    LRESULT keyUp(int vk) {
        if (vk != VK_SPACE || !m_spaceDown) return 0;
        m_spaceDown = false;
        bool clicked = m_pushed;
        setPushed(false);
        if (clicked) activate();
        return 0;
    }

    // What a click does: automatic check boxes and radio buttons change state, then BN_CLICKED.
    void activate() {
        HWND self = m_hwnd;
        switch (type()) {
        case BS_AUTOCHECKBOX:
            setCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE:
            setCheck((m_check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            checkInGroup();
            break;
        default:
            break;
        }
        if (IsWindow(self)) notify(BN_CLICKED);
    }

    // Checks this radio button and clears the other automatic radio buttons of its group.
    void checkInGroup() {
        HWND parent = GetParent(m_hwnd);
        HWND first = m_hwnd;
        while (parent && !(GetWindowLongPtr(first, GWL_STYLE) & WS_GROUP)) {
            HWND prev = GetWindow(first, GW_HWNDPREV);
            if (!prev) break;
            first = prev;
        }
        for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (h != first && (GetWindowLongPtr(h, GWL_STYLE) & WS_GROUP)) break;
            if (h == m_hwnd) continue;
            if ((SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
                (GetWindowLongPtr(h, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        setCheck(BST_CHECKED);
    }

    UINT ownerState() const {
        return (m_pushed ? ODS_SELECTED : 0) | (hasFocus() ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
    }

    void drawOwner(UINT action) {
        HDC dc = GetDC(m_hwnd);
        drawOwnerOn(dc, action);
        ReleaseDC(m_hwnd, dc);
    }

    void drawOwnerOn(HDC dc, UINT action) {
        controlColour(dc, WM_CTLCOLORBTN);
        HGDIOBJ oldFont = SelectObject(dc, font());
        sendDrawItem(ODT_BUTTON, 0, action, ownerState(), dc, clientRect(), 0);
        SelectObject(dc, oldFont);
    }

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        if (type() == BS_OWNERDRAW) {
            drawOwnerOn(dc, ODA_DRAWENTIRE);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        HGDIOBJ oldFont = SelectObject(dc, font());
        if (looksPushed())
            paintPush(dc);
        else if (type() == BS_GROUPBOX)
            paintGroup(dc);
        else
            paintCheck(dc);
        SelectObject(dc, oldFont);
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    // The label: the image when one is set, else the text with its mnemonic.
    void paintLabel(HDC dc, RECT rc, UINT align) {
        bool off = !enabled();
        if ((style() & BS_ICON) && m_icon) {
            DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_icon), 0,
                      (rc.left + rc.right - 32) / 2, (rc.top + rc.bottom - 32) / 2, 0, 0,
                      DST_ICON | (off ? DSS_DISABLED : 0));
            return;
        }
        if ((style() & BS_BITMAP) && m_bitmap) {
            BITMAP bm{};
            GetObject(m_bitmap, sizeof bm, &bm);
            DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_bitmap), 0,
                      (rc.left + rc.right - bm.bmWidth) / 2, (rc.top + rc.bottom - bm.bmHeight) / 2,
                      bm.bmWidth, bm.bmHeight, DST_BITMAP | (off ? DSS_DISABLED : 0));
            return;
        }
        UINT flags = align | ((style() & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
        drawText(dc, text(), rc, flags, off);
    }

    UINT horizontalAlign(UINT fallback) const {
        switch (style() & BS_CENTER) {
        case BS_LEFT:
            return DT_LEFT;
        case BS_RIGHT:
            return DT_RIGHT;
        case BS_CENTER:
            return DT_CENTER;
        default:
            return fallback;
        }
    }

    void paintPush(HDC dc) {
        RECT rc = clientRect();
        controlColour(dc, WM_CTLCOLORBTN);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        bool down = m_pushed || ((isCheck() || isRadio()) && m_check == BST_CHECKED);
        bool isDefault = type() == BS_DEFPUSHBUTTON;
        if (isDefault) {
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&rc, -1, -1);
        }
        if (down && m_pushed) {
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
            RECT inner = rc;
            InflateRect(&inner, -1, -1);
            FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
        } else {
            DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        }
        RECT label = rc;
        InflateRect(&label, -3, -3);
        if (down) OffsetRect(&label, 1, 1);
        paintLabel(dc, label, horizontalAlign(DT_CENTER));
        if (hasFocus() && showFocus()) {
            RECT focus = rc;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
    }

    void paintCheck(HDC dc) {
        RECT rc = clientRect();
        HBRUSH back = controlColour(dc, WM_CTLCOLORSTATIC);
        FillRect(dc, &rc, back);
        bool leftText = (style() & BS_LEFTTEXT) != 0;
        int top = (rc.bottom - kBoxSize) / 2;
        RECT box = leftText ? RECT{rc.right - kBoxSize, top, rc.right, top + kBoxSize}
                            : RECT{rc.left, top, rc.left + kBoxSize, top + kBoxSize};
        UINT state = isRadio() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (m_check == BST_CHECKED) state |= DFCS_CHECKED;
        if (m_check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (m_pushed) state |= DFCS_PUSHED;
        if (!enabled()) state |= DFCS_INACTIVE;
        COLORREF textColour = GetTextColor(dc);
        DrawFrameControl(dc, &box, DFC_BUTTON, state);
        SetTextColor(dc, textColour);
        RECT label = leftText ? RECT{rc.left, rc.top, box.left - 4, rc.bottom}
                              : RECT{box.right + 4, rc.top, rc.right, rc.bottom};
        paintLabel(dc, label, horizontalAlign(DT_LEFT));
        if (!hasFocus() || !showFocus()) return;
        RECT focus = textBounds(dc, label);
        DrawFocusRect(dc, &focus);
    }

    // The rectangle the label's text covers, one pixel larger, clipped to the label area.
    RECT textBounds(HDC dc, const RECT& label) {
        std::string t = text();
        RECT calc = label;
        DrawText(dc, t.c_str(), static_cast<int>(t.size()), &calc,
                 DT_CALCRECT | ((style() & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE));
        int h = calc.bottom - calc.top;
        int top = (label.top + label.bottom - h) / 2;
        RECT r{label.left - 1, top - 1, std::min(calc.right + 1, label.right), top + h + 1};
        return r;
    }

    // Windows here are composed opaque, so a group box shows the controls it frames only from
    // beneath them: it keeps itself last among its siblings.
    void sinkBelowSiblings() {
        if (GetWindow(m_hwnd, GW_HWNDLAST) == m_hwnd) return;
        SetWindowPos(m_hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    void paintGroup(HDC dc) {
        sinkBelowSiblings();
        RECT rc = clientRect();
        HBRUSH back = controlColour(dc, WM_CTLCOLORSTATIC);
        FillRect(dc, &rc, back);
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        RECT frame{rc.left, rc.top + tm.tmHeight / 2, rc.right, rc.bottom};
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        std::string t = text();
        if (t.empty()) return;
        RECT label{rc.left + 8, rc.top, rc.right - 8, rc.top + tm.tmHeight};
        RECT calc = label;
        DrawText(dc, t.c_str(), static_cast<int>(t.size()), &calc, DT_CALCRECT | DT_SINGLELINE);
        RECT clear{calc.left - 2, calc.top, std::min(calc.right + 2, rc.right), calc.bottom};
        FillRect(dc, &clear, back);
        drawText(dc, t, label, DT_SINGLELINE | DT_LEFT, !enabled());
    }

    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_tracking = false;
    bool m_spaceDown = false;
    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
};

} // namespace

void registerButtonClass() {
    registerControlClass("BUTTON", controlProc<Button>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::ctl
