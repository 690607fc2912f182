// "msctls_statusbar32": a row of parts with texts or owner-drawn contents along the parent's edge,
// a simple mode with one text, and a size grip.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kMaxParts = 256;
constexpr int kVerticalBorder = 2;
constexpr int kGap = 2;
constexpr int kGrip = 16;

struct Part {
    int right = -1;
    std::string text;
    UINT type = 0;
    LPARAM data = 0;
};

class StatusBar final : public ctl::Control {
public:
    StatusBar(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd), m_parts(1) {
        if (cs.lpszName) m_parts[0].text = cs.lpszName;
        m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool simple() const { return m_simpleMode; }
    int partCount() const { return static_cast<int>(m_parts.size()); }
    Part* part(WPARAM wParam);
    int height() const;
    RECT partRect(int i) const;
    // The part's rectangle less the size grip.
    RECT textRect(int i) const;
    void layout();
    LRESULT setText(WPARAM wParam, LPCSTR text);
    LRESULT getText(WPARAM wParam, LPSTR buffer) const;
    LRESULT setParts(int n, const int* rights);
    LRESULT getParts(int n, int* rights) const;
    void paint();
    void drawPart(HDC dc, const Part& p, RECT rc, int id) const;
    void drawGrip(HDC dc) const;
    // The size grip sizes the top-level window: its hit test answers HTBOTTOMRIGHT, and the
    // non-client button messages there go to the parent.
    bool onGrip(POINT screen) const;
    void mouse(UINT code, LPARAM lParam);

    std::vector<Part> m_parts;
    Part m_simple;
    bool m_simpleMode = false;
    int m_minHeight = 0;
};

Part* StatusBar::part(WPARAM wParam) {
    int i = LOBYTE(LOWORD(wParam));
    if (i == SB_SIMPLEID) return &m_simple;
    return i < partCount() ? &m_parts[static_cast<std::size_t>(i)] : nullptr;
}

int StatusBar::height() const {
    TEXTMETRIC tm = fontMetrics();
    return std::max<int>(tm.tmHeight + 2 * GetSystemMetrics(SM_CYBORDER) + 4, m_minHeight) +
           2 * kVerticalBorder;
}

// The bounds of part i (SB_SIMPLEID: the simple text) in client coordinates.
RECT StatusBar::partRect(int i) const {
    RECT client = clientRect();
    RECT rc{0, kVerticalBorder, client.right, client.bottom};
    if (i == SB_SIMPLEID || simple()) return rc;
    for (int k = 0; k <= i; ++k) {
        int right = m_parts[static_cast<std::size_t>(k)].right;
        rc.left = k == 0 ? 0 : rc.right + kGap;
        rc.right = right < 0 ? client.right : std::min<int>(right, client.right);
    }
    rc.left = std::min(rc.left, rc.right);
    return rc;
}

RECT StatusBar::textRect(int i) const {
    RECT rc = partRect(i);
    if (style() & SBARS_SIZEGRIP) rc.right = std::min<int>(rc.right, clientRect().right - kGrip);
    rc.left = std::min(rc.left, rc.right);
    return rc;
}

// Places the bar along the parent's top or bottom edge, as wide as the parent's client area.
void StatusBar::layout() {
    DWORD s = style();
    HWND parent = GetParent(m_hwnd);
    if (!parent || (s & CCS_NOPARENTALIGN) || (s & CCS_NORESIZE)) return;
    RECT pc{};
    GetClientRect(parent, &pc);
    int h = height();
    bool top = (s & CCS_BOTTOM) == CCS_TOP;
    SetWindowPos(m_hwnd, nullptr, 0, top ? 0 : pc.bottom - h, pc.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT StatusBar::setText(WPARAM wParam, LPCSTR text) {
    Part* p = part(wParam);
    if (!p) return FALSE;
    p->type = static_cast<UINT>(wParam & 0xFF00);
    if (p->type & SBT_OWNERDRAW) {
        p->data = reinterpret_cast<LPARAM>(text);
        p->text.clear();
    } else {
        p->text = text ? text : "";
    }
    redraw();
    return TRUE;
}

LRESULT StatusBar::getText(WPARAM wParam, LPSTR buffer) const {
    int i = static_cast<int>(wParam);
    if (i < 0 || i >= partCount()) return 0;
    const Part& p = m_parts[static_cast<std::size_t>(i)];
    if (p.type & SBT_OWNERDRAW) return p.data;
    if (buffer) std::copy(p.text.c_str(), p.text.c_str() + p.text.size() + 1, buffer);
    return MAKELONG(p.text.size(), p.type);
}

LRESULT StatusBar::setParts(int n, const int* rights) {
    if (n <= 0 || n > kMaxParts || !rights) return FALSE;
    m_parts.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        m_parts[static_cast<std::size_t>(i)].right = rights[i];
    redraw();
    return TRUE;
}

LRESULT StatusBar::getParts(int n, int* rights) const {
    if (rights)
        for (int i = 0; i < std::min(n, partCount()); ++i)
            rights[i] = m_parts[static_cast<std::size_t>(i)].right;
    return partCount();
}

void StatusBar::drawPart(HDC dc, const Part& p, RECT rc, int id) const {
    if (!(p.type & SBT_NOBORDERS))
        DrawEdge(dc, &rc, (p.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (p.type & SBT_OWNERDRAW) {
        HWND parent = GetParent(m_hwnd);
        DRAWITEMSTRUCT dis{
            0,  static_cast<UINT>(this->id()), static_cast<UINT>(id), ODA_DRAWENTIRE, 0, m_hwnd, dc,
            rc, static_cast<ULONG_PTR>(p.data)};
        if (parent)
            SendMessage(parent, WM_DRAWITEM, static_cast<WPARAM>(this->id()), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    // Tabs split the text into left, centred and right-aligned pieces.
    const UINT align[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    std::size_t start = 0;
    rc.left += 2;
    rc.right -= 2;
    for (int k = 0; k < 3 && start <= p.text.size(); ++k) {
        std::size_t end = k < 2 ? p.text.find('\t', start) : std::string::npos;
        std::string piece = p.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!piece.empty())
            DrawText(dc, piece.c_str(), static_cast<int>(piece.size()), &rc,
                     align[k] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

void StatusBar::drawGrip(HDC dc) const {
    RECT client = clientRect();
    RECT rc{client.right - kGrip, client.bottom - kGrip, client.right, client.bottom};
    DrawFrameControl(dc, &rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

bool StatusBar::onGrip(POINT screen) const {
    if (!(style() & SBARS_SIZEGRIP) || IsZoomed(GetAncestor(m_hwnd, GA_ROOT))) return false;
    POINT pt = screen;
    ScreenToClient(m_hwnd, &pt);
    RECT client = clientRect();
    RECT grip{client.right - kGrip, client.bottom - kGrip, client.right, client.bottom};
    return PtInRect(&grip, pt) != FALSE;
}

void StatusBar::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (simple()) {
        drawPart(dc, m_simple, textRect(SB_SIMPLEID), SB_SIMPLEID);
    } else {
        for (int i = 0; i < partCount(); ++i)
            drawPart(dc, m_parts[static_cast<std::size_t>(i)], textRect(i), i);
    }
    if (style() & SBARS_SIZEGRIP) drawGrip(dc);
    SelectObject(dc, old);
    EndPaint(m_hwnd, &ps);
}

void StatusBar::mouse(UINT code, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    NMMOUSE nm{};
    nm.pt = pt;
    nm.dwItemSpec = simple() ? SB_SIMPLEID : static_cast<DWORD_PTR>(-1);
    for (int i = 0; !simple() && i < partCount(); ++i) {
        RECT rc = partRect(i);
        if (pt.x >= rc.left && pt.x < rc.right) nm.dwItemSpec = static_cast<DWORD_PTR>(i);
    }
    sendNotify(nm.hdr, code);
}

LRESULT StatusBar::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    switch (msg) {
    case WM_CREATE:
        layout();
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_NCHITTEST:
        if (onGrip(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return HTBOTTOMRIGHT;
        return defaultProc(msg, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
        if (wParam != HTBOTTOMRIGHT || !GetParent(m_hwnd)) return defaultProc(msg, wParam, lParam);
        PostMessage(GetParent(m_hwnd), msg, wParam, lParam);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT:
        setText(0, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case SB_SETTEXTA:
        return setText(wParam, reinterpret_cast<LPCSTR>(lParam));
    case SB_GETTEXTA:
        return getText(wParam, reinterpret_cast<LPSTR>(lParam));
    case SB_GETTEXTLENGTHA:
        return getText(wParam, nullptr);
    case SB_SETPARTS:
        return setParts(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case SB_GETPARTS:
        return getParts(static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case SB_GETBORDERS: {
        auto* b = reinterpret_cast<int*>(lParam);
        if (!b) return FALSE;
        b[0] = 0;
        b[1] = kVerticalBorder;
        b[2] = kGap;
        return TRUE;
    }
    case SB_SETMINHEIGHT:
        m_minHeight = static_cast<int>(wParam);
        return 0;
    case SB_GETRECT: {
        int i = static_cast<int>(wParam);
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc || i < 0 || (i >= partCount() && i != SB_SIMPLEID)) return FALSE;
        *rc = partRect(i);
        return TRUE;
    }
    case SB_SIMPLE: {
        bool on = wParam != 0;
        if (on == m_simpleMode) return 0;
        m_simpleMode = on;
        NMHDR nm{};
        sendNotify(nm, SBN_SIMPLEMODECHANGE);
        redraw();
        return 0;
    }
    case SB_ISSIMPLE:
        return m_simpleMode;
    case WM_LBUTTONUP:
        mouse(NM_CLICK, lParam);
        return 0;
    case WM_RBUTTONUP:
        mouse(NM_RCLICK, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        mouse(NM_DBLCLK, lParam);
        return 0;
    case WM_RBUTTONDBLCLK:
        mouse(NM_RDBLCLK, lParam);
        return 0;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerStatusBarClass() {
    ctl::registerControlClass(STATUSCLASSNAME, ctl::controlProc<StatusBar>,
                              CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

} // namespace pm::cc
