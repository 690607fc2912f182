// Shared behaviour of the standard controls.

#include "platform/win/controls/control.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace pm::ctl {

void Control::setStyleBits(DWORD bits, bool on) {
    DWORD s = style();
    SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(on ? s | bits : s & ~bits));
}

RECT Control::clientRect() const {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    return rc;
}

void Control::notify(int code) const {
    HWND parent = GetParent(m_hwnd);
    if (!parent) return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id()), static_cast<WORD>(code)),
                reinterpret_cast<LPARAM>(m_hwnd));
}

HBRUSH Control::controlColour(HDC dc, UINT msg) const {
    HWND parent = GetParent(m_hwnd);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProc(m_hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)));
    return brush;
}

bool Control::handleCommon(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) redraw();
        result = 0;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(m_font);
        return true;
    case WM_QUERYUISTATE:
        result = m_uiState;
        return true;
    case WM_UPDATEUISTATE:
    case WM_CHANGEUISTATE: {
        WORD flags = HIWORD(wParam) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
        WORD old = m_uiState;
        if (LOWORD(wParam) == UIS_SET)
            m_uiState |= flags;
        else if (LOWORD(wParam) == UIS_CLEAR)
            m_uiState &= static_cast<WORD>(~flags);
        else if (LOWORD(wParam) == UIS_INITIALIZE)
            m_uiState = flags;
        if (old != m_uiState) redraw();
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

std::string Control::text() const {
    int n = GetWindowTextLength(m_hwnd);
    std::string t(static_cast<std::size_t>(n) + 1, '\0');
    t.resize(static_cast<std::size_t>(GetWindowText(m_hwnd, t.data(), n + 1)));
    return t;
}

TEXTMETRIC Control::fontMetrics() const {
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, font());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return tm;
}

HGDIOBJ Control::beginPaintText(HDC dc, const RECT& area, COLORREF back) const {
    fillSolid(dc, area, back);
    SetBkMode(dc, TRANSPARENT);
    return SelectObject(dc, font());
}

void Control::drawText(HDC dc, const std::string& text, RECT rc, UINT flags, bool disabled) const {
    if (!showAccel()) flags |= DT_HIDEPREFIX;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = rc;
        OffsetRect(&shifted, 1, 1);
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &shifted, flags);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
        SetTextColor(dc, old);
    } else {
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
    }
    SetBkMode(dc, oldMode);
}

std::optional<int> Control::scrollTarget(bool vertical, int code, int pos, int line, int page,
                                         int end) const {
    switch (code) {
    case SB_LINEUP:
        return pos - line;
    case SB_LINEDOWN:
        return pos + line;
    case SB_PAGEUP:
        return pos - page;
    case SB_PAGEDOWN:
        return pos + page;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return end;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(m_hwnd, vertical ? SB_VERT : SB_HORZ, &si)) return si.nTrackPos;
        return pos;
    }
    default:
        return std::nullopt;
    }
}

LRESULT Control::sendNotify(NMHDR& hdr, UINT code) const {
    HWND parent = GetParent(m_hwnd);
    if (!parent) return 0;
    hdr.hwndFrom = m_hwnd;
    hdr.idFrom = static_cast<UINT_PTR>(id());
    hdr.code = code;
    return SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&hdr));
}

void Control::sendDrawItem(UINT type, UINT item, UINT action, UINT state, HDC dc, const RECT& rc,
                           ULONG_PTR data) const {
    HWND parent = GetParent(m_hwnd);
    if (!parent) return;
    DRAWITEMSTRUCT dis{type, static_cast<UINT>(id()), item, action, state, m_hwnd, dc, rc, data};
    SendMessage(parent, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
}

int compareNoCase(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i])),
            y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool outsideDragRect(POINT from, POINT to) {
    return std::abs(to.x - from.x) >= GetSystemMetrics(SM_CXDRAG) ||
           std::abs(to.y - from.y) >= GetSystemMetrics(SM_CYDRAG);
}

void fillSolid(HDC dc, const RECT& rc, COLORREF colour) {
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

int copyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return 0;
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

void registerControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
    WNDCLASS wc{};
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

} // namespace pm::ctl
