// "SysTabControl32": tabs (or buttons) in one or more rows above or below a display area; the
// parent may refuse a change of selection (TCN_SELCHANGING) and learns of it (TCN_SELCHANGE). A
// single row too long for the control scrolls: an up-down control at the row's right end moves
// its first shown tab, and a tab that becomes selected is scrolled into view.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/commctrl/tab_layout.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kImageGap = 3;
constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotPoll = 100; // how often a hot tab checks that the mouse is still on it

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM lParam = 0;
    DWORD state = 0;
};

class TabControl final : public ctl::Control {
public:
    TabControl(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {
        m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    bool buttons() const { return style() & TCS_BUTTONS; }
    bool bottom() const { return !vertical() && (style() & TCS_BOTTOM); }
    // TCS_VERTICAL: the tabs stand along the left edge, or with TCS_RIGHT the right edge.
    bool vertical() const { return style() & TCS_VERTICAL; }
    bool rightSide() const { return vertical() && (style() & TCS_RIGHT); }
    void drawVerticalTab(HDC dc, int i, RECT rc, bool selected) const;
    void drawVerticalLabel(HDC dc, int i, RECT rc) const;
    int itemHeight() const;
    int naturalWidth(const TabItem& item) const;
    const TabLayout& layout() const;
    void invalidateLayout() {
        m_dirty = true;
        syncScroller();
        redraw();
    }
    // A single row that overflows the control scrolls (multi-line and vertical controls never do).
    bool scrolls() const { return !(style() & (TCS_MULTILINE | TCS_VERTICAL)); }
    // The right end of the room the tabs are shown in: left of the up-down while it is shown.
    int tabRoom() const;
    // Shows, places and sets the up-down control for the row as it is laid out now.
    void syncScroller();
    void scrollTo(int first);
    void scrollIntoView(int i);
    RECT displayRect() const;
    // False for the tabs an overflowing row has scrolled off its left end.
    bool isShown(int i) const { return layout().rects[static_cast<std::size_t>(i)].right > kTabMargin; }
    int hitTest(POINT pt, UINT* flags) const;
    void notify(UINT code) const;
    // Selects i with TCN_SELCHANGING (which may refuse) and TCN_SELCHANGE; false when refused.
    bool select(int i);
    void syncTools() const;
    LRESULT insert(int i, const TCITEM* item);
    LRESULT getItem(int i, TCITEM* item) const;
    LRESULT setItem(int i, const TCITEM* item);
    LRESULT remove(int i);
    LRESULT adjust(bool larger, RECT* rc) const;
    void keyDown(WPARAM vk);
    // TCS_HOTTRACK: the tab under the mouse (-1: none) draws its text in the hot colour.
    void setHot(int i);
    HBRUSH background() const;
    void erase(HDC dc) const;
    void paint();
    void drawTab(HDC dc, int i, RECT rc, bool selected) const;
    void drawLabel(HDC dc, int i, RECT rc) const;

    std::vector<TabItem> m_items;
    int m_selected = -1;
    int m_focus = -1;
    int m_hot = -1;
    HIMAGELIST m_images = nullptr;
    HWND m_tips = nullptr;
    SIZE m_padding{6, 3};
    SIZE m_itemSize{0, 0};
    int m_minWidth = -1;
    HWND m_scroller = nullptr; // the up-down of an overflowing row, created when first needed
    int m_first = 0;           // the first tab shown in an overflowing row
    mutable TabLayout m_layout;
    mutable bool m_dirty = true;
};

int scrollerWidth() {
    return 2 * GetSystemMetrics(SM_CXVSCROLL);
}

int TabControl::itemHeight() const {
    if (m_itemSize.cy > 0) return m_itemSize.cy;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int cx = 0, cy = 0;
    if (m_images) ImageList_GetIconSize(m_images, &cx, &cy);
    return std::max<int>(tm.tmHeight, cy) + 2 * m_padding.cy + (buttons() ? 2 : 1);
}

int TabControl::naturalWidth(const TabItem& item) const {
    if ((style() & TCS_FIXEDWIDTH) && m_itemSize.cx > 0) return m_itemSize.cx;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font());
    SIZE size{};
    GetTextExtentPoint32(dc, item.text.c_str(), static_cast<int>(item.text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    int cx = 0, cy = 0;
    if (m_images && item.image >= 0) ImageList_GetIconSize(m_images, &cx, &cy);
    int w = size.cx + 2 * m_padding.cx + (cx ? cx + kImageGap : 0);
    int minimum = m_minWidth >= 0 ? m_minWidth : 2 * m_padding.cx + 30;
    if (style() & TCS_FIXEDWIDTH) return m_itemSize.cx > 0 ? m_itemSize.cx : 96;
    return std::max(w, minimum);
}

const TabLayout& TabControl::layout() const {
    if (!m_dirty) return m_layout;
    TabLayoutInput in;
    RECT client = clientRect();
    // Vertical tabs are laid out as horizontal ones along the height, then turned.
    in.width = vertical() ? client.bottom : client.right;
    in.itemHeight = itemHeight();
    in.selected = m_selected;
    in.multiline = style() & TCS_MULTILINE;
    in.bottom = vertical() ? rightSide() : bottom();
    in.buttons = buttons();
    in.ragged = style() & TCS_RAGGEDRIGHT;
    in.scrollerWidth = scrolls() ? scrollerWidth() : 0;
    in.firstShown = m_first;
    for (const TabItem& item : m_items)
        in.widths.push_back(naturalWidth(item));
    m_layout = TabLayout::compute(in, vertical() ? client.right : client.bottom);
    if (vertical())
        for (RECT& r : m_layout.rects)
            r = RECT{r.top, r.left, r.bottom, r.right};
    m_dirty = false;
    syncTools();
    return m_layout;
}

int TabControl::tabRoom() const {
    layout(); // brings the overflow up to date
    const int right = clientRect().right;
    return m_layout.overflow ? right - scrollerWidth() : right;
}

void TabControl::syncScroller() {
    const TabLayout& lay = layout();
    m_first = lay.firstShown;
    if (!lay.overflow) {
        if (m_scroller) ShowWindow(m_scroller, SW_HIDE);
        return;
    }
    const RECT client = clientRect();
    const int top = lay.rects.front().top;
    if (!m_scroller)
        m_scroller = CreateWindowEx(0, UPDOWN_CLASS, nullptr, WS_CHILD | UDS_HORZ, 0, 0, 0, 0, m_hwnd,
                                    nullptr, nullptr, nullptr);
    SetWindowPos(m_scroller, nullptr, client.right - scrollerWidth(), top, scrollerWidth(),
                 lay.rects.front().bottom - top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SendMessage(m_scroller, UDM_SETRANGE32, 0, lay.lastFirst);
    SendMessage(m_scroller, UDM_SETPOS32, 0, m_first);
}

void TabControl::scrollTo(int first) {
    first = std::max(0, first);
    if (first == m_first) return;
    m_first = first;
    invalidateLayout();
}

// Moves the row so that tab i shows whole (or from its left edge when it is wider than the room).
void TabControl::scrollIntoView(int i) {
    if (!valid(i) || !scrolls()) return;
    const TabLayout& lay = layout();
    if (!lay.overflow) return;
    const std::vector<RECT>& rects = lay.rects;
    int first = lay.firstShown;
    if (i < first) {
        scrollTo(i);
        return;
    }
    int overhang = rects[static_cast<std::size_t>(i)].right - tabRoom();
    while (overhang > 0 && first < i) {
        overhang -=
            rects[static_cast<std::size_t>(first) + 1].left - rects[static_cast<std::size_t>(first)].left;
        ++first;
    }
    scrollTo(first);
}

// The area below (above) the tabs that the pages use, in client coordinates.
RECT TabControl::displayRect() const {
    RECT rc = clientRect();
    adjust(false, &rc);
    return rc;
}

LRESULT TabControl::adjust(bool larger, RECT* rc) const {
    if (!rc) return 0;
    const TabLayout& lay = layout();
    int tabs = (lay.rows ? lay.areaHeight : itemHeight()) + kTabMargin + (buttons() ? kTabButtonGap : 0);
    int border = buttons() ? 0 : 4;
    int sign = larger ? -1 : 1;
    if (vertical()) {
        if (rightSide())
            rc->right -= sign * tabs, rc->left += sign * border;
        else
            rc->left += sign * tabs, rc->right -= sign * border;
        rc->top += sign * border;
        rc->bottom -= sign * border;
        return 0;
    }
    if (bottom())
        rc->bottom -= sign * tabs;
    else
        rc->top += sign * tabs;
    rc->left += sign * border;
    rc->right -= sign * border;
    if (bottom())
        rc->top += sign * border;
    else
        rc->bottom -= sign * border;
    return 0;
}

int TabControl::hitTest(POINT pt, UINT* flags) const {
    const TabLayout& lay = layout();
    const bool shown = pt.x >= kTabMargin && pt.x < tabRoom();
    for (int i = 0; shown && i < count(); ++i) {
        if (!PtInRect(&lay.rects[static_cast<std::size_t>(i)], pt)) continue;
        if (flags) *flags = TCHT_ONITEMLABEL;
        return i;
    }
    if (flags) *flags = TCHT_NOWHERE;
    return -1;
}

void TabControl::notify(UINT code) const {
    NMHDR nm{};
    sendNotify(nm, code);
}

bool TabControl::select(int i) {
    if (!valid(i) || i == m_selected) return true;
    NMHDR nm{};
    if (sendNotify(nm, TCN_SELCHANGING)) return false;
    m_selected = m_focus = i;
    invalidateLayout();
    scrollIntoView(i);
    notify(TCN_SELCHANGE);
    return true;
}

// One callback tool per tab for TCS_TOOLTIPS, over the tab's rectangle.
void TabControl::syncTools() const {
    if (!m_tips) return;
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hwnd;
    while (SendMessage(m_tips, TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&ti)))
        SendMessage(m_tips, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    for (int i = 0; i < count(); ++i) {
        ti.uFlags = 0;
        ti.uId = static_cast<UINT_PTR>(i);
        ti.rect = m_layout.rects[static_cast<std::size_t>(i)];
        ti.lpszText = LPSTR_TEXTCALLBACK;
        SendMessage(m_tips, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

LRESULT TabControl::insert(int i, const TCITEM* item) {
    if (!item || i < 0) return -1;
    i = std::min(i, count());
    TabItem t;
    if ((item->mask & TCIF_TEXT) && item->pszText) t.text = item->pszText;
    if (item->mask & TCIF_IMAGE) t.image = item->iImage;
    if (item->mask & TCIF_PARAM) t.lParam = item->lParam;
    m_items.insert(m_items.begin() + i, t);
    m_hot = -1;
    if (m_selected >= i) ++m_selected;
    if (m_focus >= i) ++m_focus;
    if (m_selected < 0) m_selected = m_focus = 0;
    invalidateLayout();
    return i;
}

LRESULT TabControl::getItem(int i, TCITEM* item) const {
    if (!item || !valid(i)) return FALSE;
    const TabItem& t = m_items[static_cast<std::size_t>(i)];
    if (item->mask & TCIF_TEXT) ctl::copyText(t.text, item->pszText, item->cchTextMax);
    if (item->mask & TCIF_IMAGE) item->iImage = t.image;
    if (item->mask & TCIF_PARAM) item->lParam = t.lParam;
    if (item->mask & TCIF_STATE) item->dwState = t.state & item->dwStateMask;
    return TRUE;
}

LRESULT TabControl::setItem(int i, const TCITEM* item) {
    if (!item || !valid(i)) return FALSE;
    TabItem& t = m_items[static_cast<std::size_t>(i)];
    if (item->mask & TCIF_TEXT) t.text = item->pszText ? item->pszText : "";
    if (item->mask & TCIF_IMAGE) t.image = item->iImage;
    if (item->mask & TCIF_PARAM) t.lParam = item->lParam;
    if (item->mask & TCIF_STATE)
        t.state = (t.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    invalidateLayout();
    return TRUE;
}

LRESULT TabControl::remove(int i) {
    m_hot = -1;
    if (i == -1) {
        m_items.clear();
        m_selected = m_focus = -1;
        invalidateLayout();
        return TRUE;
    }
    if (!valid(i)) return FALSE;
    m_items.erase(m_items.begin() + i);
    if (m_selected == i)
        m_selected = -1;
    else if (m_selected > i)
        --m_selected;
    if (m_focus == i)
        m_focus = -1;
    else if (m_focus > i)
        --m_focus;
    invalidateLayout();
    return TRUE;
}

void TabControl::keyDown(WPARAM vk) {
    NMTCKEYDOWN nm{{}, static_cast<WORD>(vk), 0};
    sendNotify(nm.hdr, TCN_KEYDOWN);
    int step = (vk == VK_LEFT || vk == VK_UP) ? -1 : (vk == VK_RIGHT || vk == VK_DOWN) ? 1 : 0;
    if (step && valid(m_selected + step)) select(m_selected + step);
}

void TabControl::setHot(int i) {
    if (!(style() & TCS_HOTTRACK) || i == m_hot) return;
    m_hot = i;
    if (i >= 0)
        SetTimer(m_hwnd, kHotTimer, kHotPoll, nullptr);
    else
        KillTimer(m_hwnd, kHotTimer);
    redraw();
}

void TabControl::drawLabel(HDC dc, int i, RECT rc) const {
    const TabItem& t = m_items[static_cast<std::size_t>(i)];
    if (style() & TCS_OWNERDRAWFIXED) {
        DRAWITEMSTRUCT dis{ODT_TAB,
                           static_cast<UINT>(id()),
                           static_cast<UINT>(i),
                           ODA_DRAWENTIRE,
                           i == m_selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                           m_hwnd,
                           dc,
                           rc,
                           static_cast<ULONG_PTR>(t.lParam)};
        if (HWND parent = GetParent(m_hwnd))
            SendMessage(parent, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    int cx = 0, cy = 0;
    if (m_images && t.image >= 0) ImageList_GetIconSize(m_images, &cx, &cy);
    SIZE size{};
    GetTextExtentPoint32(dc, t.text.c_str(), static_cast<int>(t.text.size()), &size);
    int total = size.cx + (cx ? cx + kImageGap : 0);
    int x = rc.left + std::max(0, static_cast<int>(rc.right - rc.left - total) / 2);
    if (cx) {
        ImageList_Draw(m_images, t.image, dc, x, (rc.top + rc.bottom - cy) / 2, ILD_TRANSPARENT);
        x += cx + kImageGap;
    }
    RECT text{x, rc.top, rc.right, rc.bottom};
    bool hot = (style() & TCS_HOTTRACK) && i == m_hot;
    SetTextColor(dc, GetSysColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    DrawText(dc, t.text.c_str(), static_cast<int>(t.text.size()), &text,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | (showAccel() ? 0 : DT_HIDEPREFIX));
}

// A classic tab: light left and top (bottom tabs: bottom) edges with a cut corner, dark right edge.
void TabControl::drawTab(HDC dc, int i, RECT rc, bool selected) const {
    if (buttons()) {
        bool flat = style() & TCS_FLATBUTTONS;
        bool pressed = selected || (m_items[static_cast<std::size_t>(i)].state & TCIS_BUTTONPRESSED);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        if (pressed || !flat) DrawEdge(dc, &rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        RECT inner = rc;
        if (pressed) OffsetRect(&inner, 1, 1);
        drawLabel(dc, i, inner);
        return;
    }
    if (vertical()) {
        drawVerticalTab(dc, i, rc, selected);
        return;
    }
    if (selected) {
        InflateRect(&rc, 2, 0);
        if (bottom())
            rc.top -= 1, rc.bottom += 2;
        else
            rc.top -= 2, rc.bottom += 1;
    }
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    HGDIOBJ old = SelectObject(dc, light);
    int tip = bottom() ? rc.bottom - 1 : rc.top, base = bottom() ? rc.top : rc.bottom,
        inward = bottom() ? -1 : 1;
    MoveToEx(dc, rc.left, base, nullptr);
    LineTo(dc, rc.left, tip + 2 * inward);
    LineTo(dc, rc.left + 2, tip);
    if (!bottom()) LineTo(dc, rc.right - 2, tip);
    SelectObject(dc, bottom() ? shadow : dark);
    if (bottom()) {
        SelectObject(dc, dark);
        MoveToEx(dc, rc.left + 2, tip, nullptr);
        LineTo(dc, rc.right - 2, tip);
    }
    MoveToEx(dc, rc.right - 2, tip + inward, nullptr);
    LineTo(dc, rc.right - 1, tip + 2 * inward);
    LineTo(dc, rc.right - 1, base);
    SelectObject(dc, shadow);
    MoveToEx(dc, rc.right - 2, tip + 2 * inward, nullptr);
    LineTo(dc, rc.right - 2, base);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(shadow);
    DeleteObject(dark);
    RECT inner = rc;
    InflateRect(&inner, -2, -2);
    drawLabel(dc, i, inner);
    if (selected && hasFocus() && showFocus()) DrawFocusRect(dc, &inner);
}

// A tab standing on the left (right) edge: raised edges on three sides, its label turned.
void TabControl::drawVerticalTab(HDC dc, int i, RECT rc, bool selected) const {
    if (selected) {
        InflateRect(&rc, 0, 2);
        if (rightSide())
            rc.left -= 1, rc.right += 2;
        else
            rc.left -= 2, rc.right += 1;
    }
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, EDGE_RAISED, BF_TOP | BF_BOTTOM | (rightSide() ? BF_RIGHT : BF_LEFT) | BF_SOFT);
    RECT inner = rc;
    InflateRect(&inner, -2, -2);
    if (style() & TCS_OWNERDRAWFIXED)
        drawLabel(dc, i, inner);
    else
        drawVerticalLabel(dc, i, inner);
    if (selected && hasFocus() && showFocus()) DrawFocusRect(dc, &inner);
}

// Left tabs read upwards, right tabs downwards.
void TabControl::drawVerticalLabel(HDC dc, int i, RECT rc) const {
    const std::string& text = m_items[static_cast<std::size_t>(i)].text;
    LOGFONT lf{};
    GetObject(font(), sizeof lf, &lf);
    lf.lfEscapement = lf.lfOrientation = rightSide() ? 2700 : 900;
    HFONT turned = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, turned);
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int across = std::max<int>(0, (rc.right - rc.left - size.cy) / 2);
    int along = std::max<int>(0, (rc.bottom - rc.top - size.cx) / 2);
    bool hot = (style() & TCS_HOTTRACK) && i == m_hot;
    SetTextColor(dc, GetSysColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    if (rightSide())
        TextOut(dc, rc.right - across, rc.top + along, text.c_str(), static_cast<int>(text.size()));
    else
        TextOut(dc, rc.left + across, rc.bottom - along, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
    DeleteObject(turned);
}

// The parent's background, or the button face where the parent's class has none.
HBRUSH TabControl::background() const {
    HWND parent = GetParent(m_hwnd);
    HBRUSH back = parent ? reinterpret_cast<HBRUSH>(GetClassLongPtr(parent, GCLP_HBRBACKGROUND)) : nullptr;
    return back ? back : GetSysColorBrush(COLOR_BTNFACE);
}

// Fills what the DC may draw on: a window DC handed over by an owner that draws a border of its
// own around the control gets that border's band filled too, so nothing of an earlier, larger
// control stays there.
void TabControl::erase(HDC dc) const {
    RECT box{};
    if (GetClipBox(dc, &box) <= NULLREGION) return;
    FillRect(dc, &box, background());
}

void TabControl::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    FillRect(dc, &client, background());
    const TabLayout& lay = layout();
    HGDIOBJ oldFont = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    if (!buttons()) {
        RECT frame = displayRect();
        InflateRect(&frame, 4, 4);
        FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    for (int i = 0; i < count(); ++i)
        if (i != m_selected && isShown(i)) drawTab(dc, i, lay.rects[static_cast<std::size_t>(i)], false);
    if (valid(m_selected) && isShown(m_selected))
        drawTab(dc, m_selected, lay.rects[static_cast<std::size_t>(m_selected)], true);
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

LRESULT TabControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) {
        if (msg == WM_SETFONT) invalidateLayout();
        return common;
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_tips && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST))) {
        MSG m{m_hwnd, msg, wParam, lParam, 0, {}};
        SendMessage(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    }
    switch (msg) {
    case WM_CREATE:
        if (style() & TCS_TOOLTIPS)
            m_tips = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                    0, m_hwnd, nullptr, nullptr, nullptr);
        return 0;
    case WM_DESTROY:
        if (m_tips) DestroyWindow(m_tips);
        m_tips = nullptr;
        m_scroller = nullptr; // a child: destroyed with the control
        return 0;
    case WM_NOTIFY: {
        // The tooltip asks its tool window for texts; the tab control's parent answers.
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (!nm || nm->hwndFrom != m_tips || !GetParent(m_hwnd)) return 0;
        return SendMessage(GetParent(m_hwnd), WM_NOTIFY, wParam, lParam);
    }
    case WM_SIZE:
        invalidateLayout();
        return 0;
    case WM_HSCROLL:
        if (m_scroller && reinterpret_cast<HWND>(lParam) == m_scroller && LOWORD(wParam) == SB_THUMBPOSITION)
            scrollTo(static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        erase(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        redraw();
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_LBUTTONDOWN: {
        int i = hitTest(pt, nullptr);
        if (!(style() & TCS_FOCUSNEVER)) SetFocus(m_hwnd);
        if (i >= 0) select(i);
        return 0;
    }
    case WM_LBUTTONUP:
        notify(NM_CLICK);
        return 0;
    case WM_MOUSEMOVE:
        setHot(hitTest(pt, nullptr));
        return 0;
    case WM_TIMER: {
        if (wParam != kHotTimer) return 0;
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(m_hwnd, &at);
        RECT client = clientRect();
        setHot(PtInRect(&client, at) ? hitTest(at, nullptr) : -1);
        return 0;
    }
    case WM_RBUTTONUP:
        notify(NM_RCLICK);
        return 0;
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        invalidateLayout();
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETITEMCOUNT:
        return count();
    case TCM_GETITEMA:
        return getItem(static_cast<int>(wParam), reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEMA:
        return setItem(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_INSERTITEMA:
        return insert(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM:
        return remove(static_cast<int>(wParam) < 0 ? -2 : static_cast<int>(wParam));
    case TCM_DELETEALLITEMS:
        return remove(-1);
    case TCM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        int i = static_cast<int>(wParam);
        if (!rc || !valid(i)) return FALSE;
        *rc = layout().rects[static_cast<std::size_t>(i)];
        return TRUE;
    }
    case TCM_GETCURSEL:
        return m_selected;
    case TCM_SETCURSEL: {
        int old = m_selected, i = static_cast<int>(wParam);
        if (!valid(i)) return -1;
        m_selected = m_focus = i;
        invalidateLayout();
        scrollIntoView(i);
        return old;
    }
    case TCM_GETCURFOCUS:
        return m_focus;
    case TCM_SETCURFOCUS: {
        int i = static_cast<int>(wParam);
        if (!valid(i)) return 0;
        if (buttons())
            m_focus = i, redraw();
        else
            select(i);
        return 0;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        return info ? hitTest(info->pt, &info->flags) : -1;
    }
    case TCM_ADJUSTRECT:
        return adjust(wParam != 0, reinterpret_cast<RECT*>(lParam));
    case TCM_SETITEMSIZE: {
        LRESULT old = MAKELONG(m_itemSize.cx, m_itemSize.cy ? m_itemSize.cy : itemHeight());
        m_itemSize = SIZE{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        invalidateLayout();
        return old;
    }
    case TCM_SETPADDING:
        m_padding = SIZE{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        invalidateLayout();
        return 0;
    case TCM_SETMINTABWIDTH: {
        int old = m_minWidth;
        m_minWidth = static_cast<int>(lParam);
        invalidateLayout();
        return old;
    }
    case TCM_GETROWCOUNT:
        return layout().rows;
    case TCM_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(m_tips);
    case TCM_SETTOOLTIPS:
        m_tips = reinterpret_cast<HWND>(wParam);
        m_dirty = true;
        return 0;
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerTabClass() {
    ctl::registerControlClass(WC_TABCONTROL, ctl::controlProc<TabControl>,
                              CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

} // namespace pm::cc
