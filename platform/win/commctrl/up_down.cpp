// "msctls_updown32": two arrow buttons that step a position within a range, asking the parent
// first (UDN_DELTAPOS), showing the position in a buddy window and reporting by WM_VSCROLL
// (WM_HSCROLL with UDS_HORZ). Holding a button repeats the step; with UDS_ARROWKEYS the buddy's up
// and down arrow keys step too.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 400;
constexpr UINT kRepeatDelay = 100;
const char* const kOwnerProp = "pm.cc.updown";
const char* const kProcProp = "pm.cc.updown.proc";

bool isArrow(WPARAM vk) {
    return vk == VK_UP || vk == VK_DOWN;
}

// The buddy of a UDS_ARROWKEYS control hands its up and down arrow keys to the control.
LRESULT CALLBACK buddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetProp(hwnd, kProcProp));
    if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && isArrow(wParam))
        return SendMessage(static_cast<HWND>(GetProp(hwnd, kOwnerProp)), msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemoveProp(hwnd, kProcProp);
        RemoveProp(hwnd, kOwnerProp);
    }
    return CallWindowProc(old, hwnd, msg, wParam, lParam);
}

void hookBuddy(HWND buddy, HWND owner) {
    if (!buddy || GetProp(buddy, kProcProp)) return;
    SetProp(buddy, kOwnerProp, owner);
    SetProp(buddy, kProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtr(buddy, GWLP_WNDPROC)));
    SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buddyProc));
}

void unhookBuddy(HWND buddy) {
    if (!buddy || !GetProp(buddy, kProcProp)) return;
    SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetProp(buddy, kProcProp)));
    RemoveProp(buddy, kProcProp);
    RemoveProp(buddy, kOwnerProp);
}

class UpDown final : public ctl::Control {
public:
    UpDown(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool horizontal() const { return style() & UDS_HORZ; }
    int low() const { return std::min(m_lower, m_upper); }
    int high() const { return std::max(m_lower, m_upper); }
    bool inRange(int pos) const { return pos >= low() && pos <= high(); }
    // The arrow half under pt: +1 the up (right) arrow, -1 the down (left) arrow.
    int arrowAt(POINT pt) const;
    POINT cursor() const {
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(m_hwnd, &pt);
        return pt;
    }
    RECT arrowRect(int which) const;
    void attach(HWND buddy);
    void align();
    void showInBuddy() const;
    // Reads the buddy's text into the position; false when it is not a number in range.
    bool readBuddy();
    void step(int which);
    void scroll(int code) const;
    void press(POINT pt);
    void release();
    void paint();
    LRESULT setPos(int pos);

    int m_lower = 100, m_upper = 0, m_pos = 0;
    int m_base = 10;
    HWND m_buddy = nullptr;
    int m_pressed = 0;
    DWORD m_pressedAt = 0;
    // Steps grow the longer a button is held: nInc from nSec seconds on.
    std::vector<UDACCEL> m_accels{{0, 1}, {2, 5}, {5, 20}};
    int increment() const;
    LRESULT setAccels(int n, const UDACCEL* accels);
};

int UpDown::increment() const {
    DWORD held = m_pressed ? (GetTickCount() - m_pressedAt) / 1000 : 0;
    UINT inc = 1;
    for (const UDACCEL& a : m_accels)
        if (a.nSec <= held) inc = a.nInc;
    return static_cast<int>(std::min<UINT>(inc, 0x7FFFFFFF));
}

LRESULT UpDown::setAccels(int n, const UDACCEL* accels) {
    if (n <= 0 || !accels) return FALSE;
    std::vector<UDACCEL> list(accels, accels + n);
    std::stable_sort(list.begin(), list.end(),
                     [](const UDACCEL& a, const UDACCEL& b) { return a.nSec < b.nSec; });
    m_accels = std::move(list);
    return TRUE;
}

int UpDown::arrowAt(POINT pt) const {
    RECT up = arrowRect(1);
    if (PtInRect(&up, pt)) return 1;
    RECT down = arrowRect(-1);
    return PtInRect(&down, pt) ? -1 : 0;
}

RECT UpDown::arrowRect(int which) const {
    RECT rc = clientRect();
    if (horizontal()) {
        int mid = (rc.left + rc.right) / 2;
        return which > 0 ? RECT{mid, rc.top, rc.right, rc.bottom} : RECT{rc.left, rc.top, mid, rc.bottom};
    }
    int mid = (rc.top + rc.bottom) / 2;
    return which > 0 ? RECT{rc.left, rc.top, rc.right, mid} : RECT{rc.left, mid, rc.right, rc.bottom};
}

void UpDown::attach(HWND buddy) {
    unhookBuddy(m_buddy);
    m_buddy = buddy;
    if (style() & UDS_ARROWKEYS) hookBuddy(buddy, m_hwnd);
    align();
    showInBuddy();
}

// With UDS_ALIGNRIGHT/LEFT the control sits inside the buddy's edge, and the buddy shrinks.
void UpDown::align() {
    DWORD s = style();
    if (!m_buddy || !(s & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
    HWND parent = GetParent(m_hwnd);
    RECT b{};
    GetWindowRect(m_buddy, &b);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
    RECT mine{};
    GetWindowRect(m_hwnd, &mine);
    int width = std::max<int>(mine.right - mine.left, GetSystemMetrics(SM_CXVSCROLL));
    int bw = std::max<int>(0, b.right - b.left - width + 2);
    bool right = s & UDS_ALIGNRIGHT;
    SetWindowPos(m_buddy, nullptr, right ? b.left : b.left + width - 2, b.top, bw, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(m_hwnd, nullptr, right ? b.left + bw - 2 : b.left, b.top, width, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void UpDown::showInBuddy() const {
    if (!m_buddy || !(style() & UDS_SETBUDDYINT)) return;
    char text[40];
    if (m_base == 16) {
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(m_pos));
    } else {
        std::string digits = std::to_string(std::abs(static_cast<long long>(m_pos)));
        if (!(style() & UDS_NOTHOUSANDS))
            for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
                digits.insert(static_cast<std::size_t>(at), ",");
        std::snprintf(text, sizeof text, "%s%s", m_pos < 0 ? "-" : "", digits.c_str());
    }
    SetWindowText(m_buddy, text);
}

bool UpDown::readBuddy() {
    if (!m_buddy || !(style() & UDS_SETBUDDYINT)) return true;
    char text[64] = {};
    GetWindowText(m_buddy, text, sizeof text);
    std::string digits;
    for (const char* p = text; *p; ++p)
        if (*p != ',') digits += *p;
    char* end = nullptr;
    long value = std::strtol(digits.c_str(), &end, m_base == 16 ? 16 : 10);
    if (digits.empty() || *end || !inRange(static_cast<int>(value))) return false;
    m_pos = static_cast<int>(value);
    return true;
}

void UpDown::scroll(int code) const {
    HWND parent = GetParent(m_hwnd);
    if (!parent) return;
    SendMessage(parent, horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(m_pos)),
                reinterpret_cast<LPARAM>(m_hwnd));
}

// One step towards m_upper (which > 0) or m_lower, when the parent allows it.
void UpDown::step(int which) {
    readBuddy();
    int direction = (m_upper >= m_lower ? which : -which) * increment();
    NMUPDOWN nm{{}, m_pos, direction};
    if (sendNotify(nm.hdr, UDN_DELTAPOS)) return;
    long long pos = static_cast<long long>(m_pos) + nm.iDelta;
    if (pos > high())
        pos = (style() & UDS_WRAP) ? low() : high();
    else if (pos < low())
        pos = (style() & UDS_WRAP) ? high() : low();
    if (pos == m_pos) return;
    m_pos = static_cast<int>(pos);
    showInBuddy();
    scroll(SB_THUMBPOSITION);
}

void UpDown::press(POINT pt) {
    int which = arrowAt(pt);
    if (!which || !enabled()) return;
    m_pressed = which;
    m_pressedAt = GetTickCount();
    SetCapture(m_hwnd);
    redraw();
    step(which);
    SetTimer(m_hwnd, kRepeatTimer, kFirstDelay, nullptr);
}

void UpDown::release() {
    if (!m_pressed) return;
    m_pressed = 0;
    KillTimer(m_hwnd, kRepeatTimer);
    if (GetCapture() == m_hwnd) ReleaseCapture();
    redraw();
    scroll(SB_ENDSCROLL);
}

void UpDown::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    for (int which : {1, -1}) {
        RECT rc = arrowRect(which);
        UINT kind = horizontal() ? (which > 0 ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                                 : (which > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
        if (m_pressed == which) kind |= DFCS_PUSHED;
        if (!enabled()) kind |= DFCS_INACTIVE;
        DrawFrameControl(dc, &rc, DFC_SCROLL, kind);
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT UpDown::setPos(int pos) {
    int old = m_pos;
    m_pos = std::clamp(pos, low(), high());
    showInBuddy();
    return old;
}

LRESULT UpDown::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_CREATE:
        if (style() & UDS_AUTOBUDDY) attach(GetWindow(m_hwnd, GW_HWNDPREV));
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        press(pt);
        return 0;
    case WM_LBUTTONUP:
        release();
        return 0;
    case WM_CAPTURECHANGED:
        release();
        return 0;
    case WM_TIMER:
        if (wParam != kRepeatTimer || !m_pressed) return 0;
        SetTimer(m_hwnd, kRepeatTimer, kRepeatDelay, nullptr);
        if (arrowAt(cursor()) == m_pressed) step(m_pressed);
        return 0;
    case WM_ENABLE:
        redraw();
        return 0;
    case WM_KEYDOWN:
        if ((style() & UDS_ARROWKEYS) && isArrow(wParam)) step(wParam == VK_UP ? 1 : -1);
        return 0;
    case WM_KEYUP:
        if ((style() & UDS_ARROWKEYS) && isArrow(wParam)) scroll(SB_ENDSCROLL);
        return 0;
    case WM_DESTROY:
        unhookBuddy(m_buddy);
        return 0;
    case UDM_SETRANGE:
        m_upper = static_cast<short>(LOWORD(lParam));
        m_lower = static_cast<short>(HIWORD(lParam));
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
    case UDM_SETRANGE32:
        m_lower = static_cast<int>(wParam);
        m_upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (auto* l = reinterpret_cast<int*>(wParam)) *l = m_lower;
        if (auto* u = reinterpret_cast<int*>(lParam)) *u = m_upper;
        return 0;
    case UDM_SETPOS:
        return setPos(static_cast<short>(LOWORD(lParam)));
    case UDM_SETPOS32:
        return setPos(static_cast<int>(lParam));
    case UDM_GETPOS: {
        bool ok = readBuddy();
        return MAKELONG(static_cast<WORD>(m_pos), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
        bool ok = readBuddy();
        if (auto* error = reinterpret_cast<BOOL*>(lParam)) *error = !ok;
        return m_pos;
    }
    case UDM_SETBUDDY: {
        HWND old = m_buddy;
        attach(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(m_buddy);
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16) return 0;
        int old = m_base;
        m_base = static_cast<int>(wParam);
        showInBuddy();
        return old;
    }
    case UDM_SETACCEL:
        return setAccels(static_cast<int>(wParam), reinterpret_cast<const UDACCEL*>(lParam));
    case UDM_GETACCEL: {
        auto* out = reinterpret_cast<UDACCEL*>(lParam);
        std::size_t n = std::min<std::size_t>(m_accels.size(), static_cast<std::size_t>(wParam));
        if (out) std::copy_n(m_accels.begin(), n, out);
        return static_cast<LRESULT>(m_accels.size());
    }
    case UDM_GETBASE:
        return m_base;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerUpDownClass() {
    ctl::registerControlClass(UPDOWN_CLASS, ctl::controlProc<UpDown>, CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

} // namespace pm::cc
