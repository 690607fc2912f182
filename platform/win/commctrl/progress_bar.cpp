// "msctls_progress32": a position within a range shown as blocks (or a smooth bar) in a sunken
// frame.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>

namespace pm::cc {
namespace {

class ProgressBar final : public ctl::Control {
public:
    ProgressBar(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int clamp(int pos) const { return std::clamp(pos, std::min(m_low, m_high), std::max(m_low, m_high)); }
    // Moves to pos and returns the previous position.
    LRESULT moveTo(int pos);
    LRESULT setRange(int low, int high);
    LRESULT stepIt();
    LRESULT setColour(COLORREF& slot, COLORREF colour);
    void paint();

    int m_low = 0, m_high = 100, m_pos = 0, m_step = 10;
    COLORREF m_bar = CLR_DEFAULT, m_back = CLR_DEFAULT;
};

LRESULT ProgressBar::moveTo(int pos) {
    int old = m_pos;
    m_pos = clamp(pos);
    if (m_pos != old) redraw();
    return old;
}

LRESULT ProgressBar::setRange(int low, int high) {
    LRESULT old = MAKELONG(m_low, m_high);
    m_low = low;
    m_high = high;
    m_pos = clamp(m_pos);
    redraw();
    return old;
}

// Steps forward; past the end of the range it starts again from the other end.
LRESULT ProgressBar::stepIt() {
    int old = m_pos, span = m_high - m_low;
    long long pos = static_cast<long long>(m_pos) + m_step;
    if (span > 0 && (pos > m_high || pos < m_low)) pos = m_low + ((pos - m_low) % span + span) % span;
    m_pos = clamp(static_cast<int>(pos));
    if (m_pos != old) redraw();
    return old;
}

LRESULT ProgressBar::setColour(COLORREF& slot, COLORREF colour) {
    COLORREF old = slot;
    slot = colour;
    redraw();
    return static_cast<LRESULT>(old);
}

void ProgressBar::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT rc = clientRect();
    DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    HBRUSH back = m_back == CLR_DEFAULT ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(m_back);
    FillRect(dc, &rc, back);
    if (m_back != CLR_DEFAULT) DeleteObject(back);
    InflateRect(&rc, -1, -1);
    bool vertical = style() & PBS_VERTICAL;
    int length = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    int span = m_high - m_low;
    int filled = span > 0 ? static_cast<int>(static_cast<long long>(m_pos - m_low) * length / span) : 0;
    HBRUSH bar = m_bar == CLR_DEFAULT ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(m_bar);
    int thickness = vertical ? rc.right - rc.left : rc.bottom - rc.top;
    int block = (style() & PBS_SMOOTH) ? filled : std::max(2, thickness * 2 / 3);
    int gap = (style() & PBS_SMOOTH) ? 0 : 2;
    for (int at = 0; at < filled && block > 0; at += block + gap) {
        int end = std::min(at + block, length);
        RECT b = vertical ? RECT{rc.left, rc.bottom - end, rc.right, rc.bottom - at}
                          : RECT{rc.left + at, rc.top, rc.left + end, rc.bottom};
        FillRect(dc, &b, bar);
    }
    if (m_bar != CLR_DEFAULT) DeleteObject(bar);
    EndPaint(m_hwnd, &ps);
}

LRESULT ProgressBar::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case PBM_SETRANGE:
        return setRange(LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
        return setRange(static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE: {
        if (auto* r = reinterpret_cast<PBRANGE*>(lParam)) *r = PBRANGE{m_low, m_high};
        return wParam ? m_low : m_high;
    }
    case PBM_SETPOS:
        return moveTo(static_cast<int>(wParam));
    case PBM_DELTAPOS:
        return moveTo(m_pos + static_cast<int>(wParam));
    case PBM_GETPOS:
        return m_pos;
    case PBM_SETSTEP: {
        int old = m_step;
        m_step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT:
        return stepIt();
    case PBM_SETBARCOLOR:
        return setColour(m_bar, static_cast<COLORREF>(lParam));
    case PBM_SETBKCOLOR:
        return setColour(m_back, static_cast<COLORREF>(lParam));
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerProgressClass() {
    ctl::registerControlClass(PROGRESS_CLASS, ctl::controlProc<ProgressBar>, CS_HREDRAW | CS_VREDRAW,
                              IDC_ARROW);
}

} // namespace pm::cc
