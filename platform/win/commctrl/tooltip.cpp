// "tooltips_class32": a popup that shows a tool's text after the mouse rests on the tool, fed by
// relayed mouse messages (TTM_RELAYEVENT or a subclassed tool window), or placed by the program
// for tracking tools.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kLeaveTimer = 3;
constexpr UINT kLeavePoll = 100;
constexpr int kCursorHeight = 20; // the tip goes this far below the mouse
constexpr int kTextBuffer = 80;
const char* const kTipProp = "pm.cc.tooltip";
const char* const kProcProp = "pm.cc.tooltip.proc";

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    std::string text;
    bool callback = false;
    LPARAM lParam = 0;
};

// Relays the mouse messages of a window with TTF_SUBCLASS tools to its tooltip.
LRESULT CALLBACK relayingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetProp(hwnd, kProcProp));
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_NCMOUSEMOVE) {
        MSG m{hwnd, msg, wParam, lParam, 0, {}};
        SendMessage(static_cast<HWND>(GetProp(hwnd, kTipProp)), TTM_RELAYEVENT, 0,
                    reinterpret_cast<LPARAM>(&m));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemoveProp(hwnd, kProcProp);
        RemoveProp(hwnd, kTipProp);
    }
    return CallWindowProc(old, hwnd, msg, wParam, lParam);
}

class Tooltip final : public ctl::Control {
public:
    Tooltip(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {
        m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int find(const TOOLINFO* ti) const;
    void store(Tool& tool, const TOOLINFO& ti);
    void fill(const Tool& tool, TOOLINFO* ti, int textMax) const;
    int hit(HWND hwnd, POINT client) const;
    bool cursorOnCurrent() const;
    RECT screenRect(const Tool& tool) const;
    std::string textOf(int index);
    // WM_NOTIFY `code` to the tool's window, which tooltips notify in place of their parent.
    LRESULT notifyTool(const Tool& tool, NMHDR& hdr, UINT code) const;
    void relay(const MSG& m);
    void show();
    void place(const std::string& text);
    void hide();
    void restart(UINT_PTR timer, UINT delay) { SetTimer(m_hwnd, timer, std::max(delay, 10u), nullptr); }
    void timer(UINT_PTR id);
    void paint();
    LRESULT tools(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT setDelay(WPARAM which, LPARAM value);

    std::vector<Tool> m_tools;
    int m_current = -1;
    bool m_shown = false;
    bool m_active = true;
    bool m_tracking = false;
    bool m_suppressed = false; // after a click, until the mouse goes to another tool
    std::string m_text;
    POINT m_trackPos{};
    UINT m_initial = 500, m_autopop = 5000, m_reshow = 100;
    DWORD m_poppedAt = 0;
    int m_maxWidth = -1;
    COLORREF m_back = GetSysColor(COLOR_INFOBK), m_fore = GetSysColor(COLOR_INFOTEXT);
};

int Tooltip::find(const TOOLINFO* ti) const {
    if (!ti) return -1;
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].hwnd == ti->hwnd && m_tools[i].id == ti->uId) return static_cast<int>(i);
    return -1;
}

void Tooltip::store(Tool& tool, const TOOLINFO& ti) {
    tool.flags = ti.uFlags;
    tool.hwnd = ti.hwnd;
    tool.id = ti.uId;
    tool.rect = ti.rect;
    tool.hinst = ti.hinst;
    tool.lParam = ti.lParam;
    tool.callback = ti.lpszText == LPSTR_TEXTCALLBACK;
    tool.text.clear();
    if (tool.callback || !ti.lpszText) return;
    if (IS_INTRESOURCE(ti.lpszText)) {
        char buffer[256] = {};
        LoadString(ti.hinst, LOWORD(reinterpret_cast<ULONG_PTR>(ti.lpszText)), buffer, sizeof buffer);
        tool.text = buffer;
    } else {
        tool.text = ti.lpszText;
    }
}

void Tooltip::fill(const Tool& tool, TOOLINFO* ti, int textMax) const {
    if (!ti) return;
    ti->uFlags = tool.flags;
    ti->hwnd = tool.hwnd;
    ti->uId = tool.id;
    ti->rect = tool.rect;
    ti->hinst = tool.hinst;
    ti->lParam = tool.lParam;
    if (!ti->lpszText || ti->lpszText == LPSTR_TEXTCALLBACK || IS_INTRESOURCE(ti->lpszText)) return;
    if (tool.callback) {
        ti->lpszText = LPSTR_TEXTCALLBACK;
        return;
    }
    ctl::copyText(tool.text, ti->lpszText, std::max(textMax, 1));
}

int Tooltip::hit(HWND hwnd, POINT client) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        const Tool& t = m_tools[i];
        if (t.flags & TTF_TRACK) continue;
        if (t.flags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(t.id) == hwnd) return static_cast<int>(i);
        } else if (t.hwnd == hwnd && PtInRect(&t.rect, client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

RECT Tooltip::screenRect(const Tool& tool) const {
    RECT rc = tool.rect;
    HWND from = tool.hwnd;
    if (tool.flags & TTF_IDISHWND) {
        from = reinterpret_cast<HWND>(tool.id);
        GetClientRect(from, &rc);
    }
    MapWindowPoints(from, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Tooltip::cursorOnCurrent() const {
    if (m_current < 0) return false;
    POINT pt{};
    GetCursorPos(&pt);
    RECT rc = screenRect(m_tools[static_cast<std::size_t>(m_current)]);
    return PtInRect(&rc, pt) != FALSE;
}

LRESULT Tooltip::notifyTool(const Tool& tool, NMHDR& hdr, UINT code) const {
    hdr = {m_hwnd, tool.id, code};
    return SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&hdr));
}

// The tool's text; a callback tool asks its window with TTN_GETDISPINFO.
std::string Tooltip::textOf(int index) {
    Tool& tool = m_tools[static_cast<std::size_t>(index)];
    if (!tool.callback) return tool.text;
    NMTTDISPINFO nm{};
    nm.lpszText = nm.szText;
    nm.hinst = nullptr;
    nm.uFlags = tool.flags;
    nm.lParam = tool.lParam;
    notifyTool(tool, nm.hdr, TTN_GETDISPINFO);
    std::string text;
    if (nm.lpszText && IS_INTRESOURCE(nm.lpszText)) {
        char buffer[256] = {};
        LoadString(nm.hinst, LOWORD(reinterpret_cast<ULONG_PTR>(nm.lpszText)), buffer, sizeof buffer);
        text = buffer;
    } else if (nm.lpszText == nm.szText) {
        text.assign(nm.szText, strnlen(nm.szText, sizeof nm.szText));
    } else if (nm.lpszText && nm.lpszText != LPSTR_TEXTCALLBACK) {
        text = nm.lpszText;
    }
    if (nm.uFlags & TTF_DI_SETITEM) {
        tool.text = text;
        tool.callback = false;
    }
    return text;
}

void Tooltip::relay(const MSG& m) {
    if (!m_active || m_tracking) return;
    switch (m.message) {
    case WM_MOUSEMOVE: {
        int index = hit(m.hwnd, POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
        if (index == m_current) return;
        bool recent = m_shown || GetTickCount() - m_poppedAt < m_reshow * 5;
        hide();
        m_current = index;
        m_suppressed = false;
        if (index < 0) return;
        restart(kShowTimer, recent ? m_reshow : m_initial);
        restart(kLeaveTimer, kLeavePoll);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        hide();
        m_suppressed = true;
        return;
    default:
        return;
    }
}

void Tooltip::show() {
    KillTimer(m_hwnd, kShowTimer);
    if (m_current < 0 || m_suppressed) return;
    const Tool& tool = m_tools[static_cast<std::size_t>(m_current)];
    HWND root = GetAncestor(tool.hwnd, GA_ROOT);
    if (!(style() & TTS_ALWAYSTIP) && !m_tracking && GetActiveWindow() != root) return;
    std::string text = textOf(m_current);
    if (text.empty()) return;
    m_text = text;
    if (!(style() & TTS_NOPREFIX)) m_text = m_text.substr(0, m_text.find('\t'));
    place(m_text);
    m_shown = true;
    if (!m_tracking) restart(kPopTimer, m_autopop);
}

// Sizes the tip to its text, lets the tool's window place it (TTN_SHOW), or places it itself.
void Tooltip::place(const std::string& text) {
    const Tool& tool = m_tools[static_cast<std::size_t>(m_current)];
    HDC dc = CreateCompatibleDC(nullptr); // measures even while the tip has no size
    HGDIOBJ old = SelectObject(dc, font());
    RECT box{0, 0, m_maxWidth > 0 ? m_maxWidth : 0, 0};
    UINT flags = DT_CALCRECT | (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE) |
                 ((style() & TTS_NOPREFIX) ? DT_NOPREFIX : DT_HIDEPREFIX);
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
    SelectObject(dc, old);
    DeleteDC(dc);
    int w = box.right + 8, h = box.bottom + 4;
    SetWindowPos(m_hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    NMHDR nm{};
    if (!notifyTool(tool, nm, TTN_SHOW)) {
        POINT at{};
        if (m_tracking) {
            at = m_trackPos;
            if (!(tool.flags & TTF_ABSOLUTE)) at.y += kCursorHeight;
        } else if (tool.flags & TTF_CENTERTIP) {
            RECT rc = screenRect(tool);
            at = {(rc.left + rc.right - w) / 2, rc.bottom + 2};
        } else {
            GetCursorPos(&at);
            at.y += kCursorHeight;
        }
        at.x = std::clamp<int>(at.x, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - w));
        at.y = std::clamp<int>(at.y, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - h));
        SetWindowPos(m_hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    redraw();
}

void Tooltip::hide() {
    KillTimer(m_hwnd, kShowTimer);
    KillTimer(m_hwnd, kPopTimer);
    if (!m_shown) return;
    m_shown = false;
    m_poppedAt = GetTickCount();
    ShowWindow(m_hwnd, SW_HIDE);
    if (m_current < 0) return;
    const Tool& tool = m_tools[static_cast<std::size_t>(m_current)];
    NMHDR nm{};
    notifyTool(tool, nm, TTN_POP);
}

void Tooltip::timer(UINT_PTR id) {
    if (id == kShowTimer) {
        show();
    } else if (id == kPopTimer) {
        hide();
        m_suppressed = true;
    } else if (id == kLeaveTimer && !m_tracking && !cursorOnCurrent()) {
        KillTimer(m_hwnd, kLeaveTimer);
        hide();
        m_current = -1;
    }
}

void Tooltip::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT rc = clientRect();
    HBRUSH back = CreateSolidBrush(m_back);
    FillRect(dc, &rc, back);
    DeleteObject(back);
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&rc, -4, -2);
    HGDIOBJ old = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_fore);
    UINT flags = (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE) |
                 ((style() & TTS_NOPREFIX) ? DT_NOPREFIX : DT_HIDEPREFIX);
    DrawText(dc, m_text.c_str(), static_cast<int>(m_text.size()), &rc, flags);
    SelectObject(dc, old);
    EndPaint(m_hwnd, &ps);
}

LRESULT Tooltip::setDelay(WPARAM which, LPARAM value) {
    int ms = static_cast<short>(LOWORD(value));
    switch (which) {
    case TTDT_AUTOMATIC: {
        UINT base = ms < 0 ? 500u : static_cast<UINT>(ms);
        m_initial = base;
        m_autopop = base * 10;
        m_reshow = base / 5;
        break;
    }
    case TTDT_INITIAL:
        m_initial = ms < 0 ? 500u : static_cast<UINT>(ms);
        break;
    case TTDT_AUTOPOP:
        m_autopop = ms < 0 ? 5000u : static_cast<UINT>(ms);
        break;
    case TTDT_RESHOW:
        m_reshow = ms < 0 ? 100u : static_cast<UINT>(ms);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Tooltip::tools(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* ti = reinterpret_cast<TOOLINFO*>(lParam);
    int index = find(ti);
    switch (msg) {
    case TTM_ADDTOOL: {
        if (!ti) return FALSE;
        Tool tool;
        store(tool, *ti);
        if (index >= 0)
            m_tools[static_cast<std::size_t>(index)] = tool;
        else
            m_tools.push_back(tool);
        HWND target = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
        if ((tool.flags & TTF_SUBCLASS) && target && !GetProp(target, kProcProp)) {
            SetProp(target, kTipProp, m_hwnd);
            SetProp(target, kProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtr(target, GWLP_WNDPROC)));
            SetWindowLongPtr(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(relayingProc));
        }
        return TRUE;
    }
    case TTM_DELTOOL:
        if (index < 0) return 0;
        if (index == m_current)
            hide(), m_current = -1;
        else if (index < m_current)
            --m_current;
        m_tools.erase(m_tools.begin() + index);
        return 0;
    case TTM_NEWTOOLRECT:
        if (index >= 0) m_tools[static_cast<std::size_t>(index)].rect = ti->rect;
        return 0;
    case TTM_UPDATETIPTEXT:
    case TTM_SETTOOLINFO: {
        if (index < 0) return 0;
        Tool& tool = m_tools[static_cast<std::size_t>(index)];
        if (msg == TTM_SETTOOLINFO) {
            store(tool, *ti);
        } else {
            Tool fresh = tool;
            store(fresh, *ti);
            tool.text = fresh.text;
            tool.callback = fresh.callback;
            tool.hinst = fresh.hinst;
        }
        if (m_shown && index == m_current) show();
        return 0;
    }
    case TTM_GETTOOLINFO:
        if (index < 0) return FALSE;
        fill(m_tools[static_cast<std::size_t>(index)], ti, kTextBuffer);
        return TRUE;
    case TTM_GETTEXT:
        if (index >= 0)
            fill(m_tools[static_cast<std::size_t>(index)], ti,
                 wParam ? static_cast<int>(wParam) : kTextBuffer);
        return 0;
    case TTM_ENUMTOOLS:
        if (wParam >= m_tools.size()) return FALSE;
        fill(m_tools[wParam], ti, kTextBuffer);
        return TRUE;
    case TTM_GETCURRENTTOOL:
        if (!m_shown || m_current < 0) return FALSE;
        fill(m_tools[static_cast<std::size_t>(m_current)], ti, kTextBuffer);
        return TRUE;
    case TTM_TRACKACTIVATE:
        if (!wParam) {
            hide();
            m_tracking = false;
            return 0;
        }
        if (index < 0) return 0;
        m_current = index;
        m_tracking = true;
        m_suppressed = false;
        show();
        return 0;
    default:
        return 0;
    }
}

LRESULT Tooltip::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        timer(wParam);
        return 0;
    case TTM_RELAYEVENT:
        if (lParam) relay(*reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        m_active = wParam != 0;
        if (!m_active) hide();
        return 0;
    case TTM_POP:
        hide();
        return 0;
    case TTM_ADDTOOL:
    case TTM_DELTOOL:
    case TTM_NEWTOOLRECT:
    case TTM_UPDATETIPTEXT:
    case TTM_SETTOOLINFO:
    case TTM_GETTOOLINFO:
    case TTM_GETTEXT:
    case TTM_ENUMTOOLS:
    case TTM_GETCURRENTTOOL:
    case TTM_TRACKACTIVATE:
        return tools(msg, wParam, lParam);
    case TTM_HITTEST: {
        auto* info = reinterpret_cast<TTHITTESTINFO*>(lParam);
        if (!info) return FALSE;
        int index = hit(info->hwnd, info->pt);
        if (index < 0) return FALSE;
        fill(m_tools[static_cast<std::size_t>(index)], &info->ti, kTextBuffer);
        return TRUE;
    }
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(m_tools.size());
    case TTM_TRACKPOSITION:
        m_trackPos = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (m_tracking && m_shown) place(m_text);
        return 0;
    case TTM_SETDELAYTIME:
        return setDelay(wParam, lParam);
    case TTM_GETDELAYTIME:
        return wParam == TTDT_AUTOPOP ? m_autopop : wParam == TTDT_RESHOW ? m_reshow : m_initial;
    case TTM_SETMAXTIPWIDTH: {
        int old = m_maxWidth;
        m_maxWidth = static_cast<int>(lParam);
        return old;
    }
    case TTM_GETMAXTIPWIDTH:
        return m_maxWidth;
    case TTM_SETTIPBKCOLOR:
        m_back = static_cast<COLORREF>(wParam);
        redraw();
        return 0;
    case TTM_SETTIPTEXTCOLOR:
        m_fore = static_cast<COLORREF>(wParam);
        redraw();
        return 0;
    case TTM_GETTIPBKCOLOR:
        return m_back;
    case TTM_GETTIPTEXTCOLOR:
        return m_fore;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerTooltipClass() {
    ctl::registerControlClass(TOOLTIPS_CLASS, ctl::controlProc<Tooltip>, CS_SAVEBITS, IDC_ARROW);
}

} // namespace pm::cc
