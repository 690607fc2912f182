// "ToolbarWindow32": a row (or rows) of image buttons, separators and drop-down buttons along the
// parent's edge; a click sends WM_COMMAND, a drop-down part sends TBN_DROPDOWN.

#include "platform/win/commctrl/toolbar.h"

#include <algorithm>
#include <vector>

namespace pm::cc {

HWND Toolbar::notifyTarget() const {
    return IsWindow(m_notify) ? m_notify : GetParent(m_hwnd);
}

LRESULT Toolbar::sendNotify(NMHDR& hdr) const {
    HWND target = notifyTarget();
    if (!target) return 0;
    hdr.hwndFrom = m_hwnd;
    hdr.idFrom = static_cast<UINT_PTR>(id());
    return SendMessage(target, WM_NOTIFY, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&hdr));
}

// The size of every button: the image with its border, and room for the widest text below the
// image (beside it with TBSTYLE_LIST), within the TB_SETBUTTONWIDTH limits.
SIZE Toolbar::buttonSize() const {
    SIZE size = (m_button.cx > 0 && m_button.cy > 0)
                    ? m_button
                    : SIZE{m_bitmap.cx + kButtonExtra.cx, m_bitmap.cy + kButtonExtra.cy};
    if (m_text.cy > 0 && listStyle()) {
        size.cx = std::max<LONG>(size.cx, m_bitmap.cx + kButtonExtra.cx + m_text.cx + kTextPad);
        size.cy = std::max<LONG>(size.cy, m_text.cy + kButtonExtra.cy);
    } else if (m_text.cy > 0) {
        size.cx = std::max<LONG>(size.cx, m_text.cx + kTextPad);
        size.cy = std::max<LONG>(size.cy, m_bitmap.cy + kButtonExtra.cy + m_text.cy);
    }
    if (m_minWidth > 0) size.cx = std::max<LONG>(size.cx, m_minWidth);
    if (m_maxWidth > 0) size.cx = std::min<LONG>(size.cx, m_maxWidth);
    return size;
}

int Toolbar::widthOf(int i) const {
    const TBBUTTON& b = at(i);
    if (separator(b)) return b.iBitmap > 0 ? b.iBitmap : kSeparator;
    int w = buttonSize().cx;
    const Extra& e = m_extra[static_cast<std::size_t>(i)];
    bool mixed = listStyle() && (m_exStyle & TBSTYLE_EX_MIXEDBUTTONS);
    if (e.cx > 0) {
        w = e.cx;
    } else if ((b.fsStyle & BTNS_AUTOSIZE) || mixed) {
        // As wide as its own image and text.
        int text = showsText(i) ? static_cast<int>(measure(textOf(i)).cx) + kTextPad : 0;
        int image = b.iBitmap == I_IMAGENONE ? 0 : m_bitmap.cx + kButtonExtra.cx;
        w = listStyle() ? std::max(image + text, kTextPad) : std::max(image, text);
    }
    if (splitArrow(b))
        w += kArrow;
    else if (b.fsStyle & BTNS_WHOLEDROPDOWN)
        w += kArrow - 4;
    return w;
}

// Places the buttons in rows: a new row after TBSTATE_WRAP, or, with TBSTYLE_WRAPABLE, when the
// next button would pass the right edge.
void Toolbar::layout() const {
    if (!m_dirty) return;
    m_dirty = false;
    measureTexts();
    m_rects.assign(m_buttons.size(), RECT{});
    RECT client = clientRect();
    SIZE size = buttonSize();
    int top = (style() & CCS_NODIVIDER) ? 0 : 2;
    int x = m_indent, y = top;
    m_rows = 1;
    bool wrapable = style() & TBSTYLE_WRAPABLE;
    for (int i = 0; i < count(); ++i) {
        const TBBUTTON& b = at(i);
        if (b.fsState & TBSTATE_HIDDEN) continue;
        int w = widthOf(i);
        if (wrapable && x > m_indent && x + w > client.right && !separator(b)) {
            x = m_indent;
            y += size.cy;
            ++m_rows;
        }
        m_rects[static_cast<std::size_t>(i)] = RECT{x, y, x + w, y + size.cy};
        x += w;
        if (b.fsState & TBSTATE_WRAP) {
            x = m_indent;
            y += size.cy;
            ++m_rows;
        }
    }
    syncTips();
}

int Toolbar::indexOf(int command) const {
    for (int i = 0; i < count(); ++i)
        if (at(i).idCommand == command) return i;
    return -1;
}

// The index of the button under pt; a separator or no button gives a negative answer whose
// absolute value is the separator's index or the nearest button's.
int Toolbar::hitTest(POINT pt) const {
    layout();
    int nearest = -1;
    long best = 0;
    for (int i = 0; i < count(); ++i) {
        if (at(i).fsState & TBSTATE_HIDDEN) continue;
        const RECT& rc = m_rects[static_cast<std::size_t>(i)];
        if (PtInRect(&rc, pt)) return separator(at(i)) ? -i : i;
        long dx = std::max<long>({rc.left - pt.x, 0L, pt.x - rc.right + 1});
        long dy = std::max<long>({rc.top - pt.y, 0L, pt.y - rc.bottom + 1});
        if (nearest < 0 || dx * dx + dy * dy < best) nearest = i, best = dx * dx + dy * dy;
    }
    return nearest < 0 ? -1 : -nearest;
}

// Along the parent's top (CCS_TOP) or bottom edge, as wide as the parent's client area.
void Toolbar::placeInParent() {
    layout();
    DWORD s = style();
    HWND parent = GetParent(m_hwnd);
    int h = m_rows * buttonSize().cy + ((s & CCS_NODIVIDER) ? 0 : 2) + 2;
    if (!parent || (s & CCS_NORESIZE)) return;
    RECT pc{};
    GetClientRect(parent, &pc);
    RECT mine{};
    GetWindowRect(m_hwnd, &mine);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&mine), 2);
    if (s & CCS_NOPARENTALIGN) {
        SetWindowPos(m_hwnd, nullptr, 0, 0, mine.right - mine.left, h,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    bool bottom = (s & CCS_BOTTOM) == CCS_BOTTOM;
    SetWindowPos(m_hwnd, nullptr, 0, bottom ? pc.bottom - h : 0, pc.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
    m_dirty = true;
}

LRESULT Toolbar::insert(int i, const TBBUTTON* b, int n) {
    if (!b || n <= 0) return FALSE;
    i = std::clamp(i, 0, count());
    m_buttons.insert(m_buttons.begin() + i, b, b + n);
    std::vector<Extra> extras(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        // A text given as a pointer is kept by the bar; small values index the string pool.
        INT_PTR s = b[k].iString;
        if (s > 0xFFFF || s < -1) {
            extras[static_cast<std::size_t>(k)].ownText = true;
            extras[static_cast<std::size_t>(k)].text = reinterpret_cast<const char*>(s);
        }
    }
    m_extra.insert(m_extra.begin() + i, extras.begin(), extras.end());
    m_pressed = m_hot = -1;
    m_dirty = true;
    redraw();
    return TRUE;
}

void Toolbar::erase(int i) {
    m_buttons.erase(m_buttons.begin() + i);
    m_extra.erase(m_extra.begin() + i);
    m_pressed = m_hot = -1;
    m_dirty = true;
    redraw();
}

// Moves button `from` to index `to` (counted without it).
bool Toolbar::move(int from, int to) {
    if (!valid(from) || !valid(to)) return false;
    TBBUTTON b = at(from);
    Extra e = m_extra[static_cast<std::size_t>(from)];
    m_buttons.erase(m_buttons.begin() + from);
    m_extra.erase(m_extra.begin() + from);
    m_buttons.insert(m_buttons.begin() + to, b);
    m_extra.insert(m_extra.begin() + to, e);
    m_pressed = m_hot = -1;
    m_dirty = true;
    redraw();
    return true;
}

LRESULT Toolbar::setStateBit(int command, BYTE bit, bool on) {
    int i = indexOf(command);
    if (i < 0) return FALSE;
    BYTE& state = at(i).fsState;
    BYTE old = state;
    state = static_cast<BYTE>(on ? state | bit : state & ~bit);
    // Checking a button of a check group unchecks the others of its group.
    if (bit == TBSTATE_CHECKED && on && (at(i).fsStyle & BTNS_CHECKGROUP) == BTNS_CHECKGROUP) {
        for (int k = i - 1; k >= 0 && (at(k).fsStyle & BTNS_CHECKGROUP) == BTNS_CHECKGROUP; --k)
            at(k).fsState &= ~TBSTATE_CHECKED;
        for (int k = i + 1; k < count() && (at(k).fsStyle & BTNS_CHECKGROUP) == BTNS_CHECKGROUP; ++k)
            at(k).fsState &= ~TBSTATE_CHECKED;
    }
    if (bit == TBSTATE_HIDDEN || bit == TBSTATE_WRAP) m_dirty = true;
    if (old != state) redraw();
    return TRUE;
}

LRESULT Toolbar::notifyDropDown(int i) {
    if (!notifyTarget()) return TBDDRET_DEFAULT;
    layout();
    NMTOOLBAR nm{};
    nm.hdr.code = TBN_DROPDOWN;
    nm.iItem = at(i).idCommand;
    nm.tbButton = at(i);
    nm.rcButton = m_rects[static_cast<std::size_t>(i)];
    at(i).fsState |= TBSTATE_PRESSED;
    redraw();
    UpdateWindow(m_hwnd);
    LRESULT answer = sendNotify(nm.hdr);
    if (!valid(i)) return TBDDRET_DEFAULT;
    at(i).fsState &= ~TBSTATE_PRESSED;
    redraw();
    return answer;
}

LRESULT Toolbar::notifyButton(UINT code, int i) const {
    if (!notifyTarget()) return TRUE;
    NMTOOLBAR nm{};
    nm.hdr.code = code;
    nm.iItem = i;
    if (valid(i)) nm.tbButton = at(i);
    return sendNotify(nm.hdr);
}

void Toolbar::notifyChange() const {
    NMHDR nm{};
    nm.code = TBN_TOOLBARCHANGE;
    sendNotify(nm);
}

bool Toolbar::moveModifier() const {
    if (!(style() & CCS_ADJUSTABLE)) return false;
    return GetKeyState((style() & TBSTYLE_ALTDRAG) ? VK_MENU : VK_SHIFT) < 0;
}

void Toolbar::finishMove(POINT pt) {
    int from = m_moving;
    m_moving = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    RECT client = clientRect();
    if (!PtInRect(&client, pt)) {
        POINT screen = pt;
        ClientToScreen(m_hwnd, &screen);
        Toolbar* other = otherAdjustableBarAt(screen);
        // A bar that refuses the button leaves it where it was.
        if (other && !other->takeButton(*this, from, screen)) return;
        erase(from);
    } else {
        int to = dropIndex(pt);
        if (!notifyButton(TBN_QUERYINSERT, to)) return;
        if (to == from || to == from + 1) return;
        move(from, to > from ? to - 1 : to);
    }
    notifyChange();
}

// A completed click: check buttons toggle, and the parent receives the command.
void Toolbar::click(int i) {
    TBBUTTON& b = at(i);
    if (b.fsStyle & BTNS_CHECK) {
        bool group = (b.fsStyle & BTNS_CHECKGROUP) == BTNS_CHECKGROUP;
        setStateBit(b.idCommand, TBSTATE_CHECKED, group || !(b.fsState & TBSTATE_CHECKED));
    }
    HWND parent = notifyTarget();
    NMMOUSE nm{};
    nm.hdr.code = NM_CLICK;
    nm.dwItemSpec = static_cast<DWORD_PTR>(b.idCommand);
    nm.dwItemData = b.dwData;
    if (!parent) return;
    int command = b.idCommand;
    sendNotify(nm.hdr);
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(m_hwnd));
}

void Toolbar::mouseDown(POINT pt) {
    int i = hitTest(pt);
    if (i >= 0 && moveModifier()) {
        if (!notifyButton(TBN_QUERYDELETE, i)) return;
        m_moving = i;
        SetCapture(m_hwnd);
        return;
    }
    if (i < 0 || !(at(i).fsState & TBSTATE_ENABLED) || (i == 0 && separator(at(0)))) return;
    const TBBUTTON& b = at(i);
    const RECT& rc = m_rects[static_cast<std::size_t>(i)];
    bool onArrow = splitArrow(b) && pt.x >= rc.right - kArrow;
    bool whole = (b.fsStyle & BTNS_WHOLEDROPDOWN) ||
                 ((b.fsStyle & BTNS_DROPDOWN) && !(m_exStyle & TBSTYLE_EX_DRAWDDARROWS));
    if (onArrow || whole) {
        if (notifyDropDown(i) != TBDDRET_TREATPRESSED || !valid(i)) return;
        // The parent asks for a plain button press: the command follows the release, or comes at
        // once when the release has gone already (to a menu the parent showed).
        if (GetKeyState(VK_LBUTTON) >= 0) {
            click(i);
            return;
        }
    }
    m_pressed = i;
    m_pressedIn = true;
    at(i).fsState |= TBSTATE_PRESSED;
    SetCapture(m_hwnd);
    redraw();
    notifyDrag(TBN_BEGINDRAG, i);
}

void Toolbar::mouseMove(POINT pt) {
    if (m_pressed < 0) {
        if (style() & TBSTYLE_FLAT) setHot(hitTest(pt));
        return;
    }
    bool inside = PtInRect(&m_rects[static_cast<std::size_t>(m_pressed)], pt) != FALSE;
    if (inside == m_pressedIn) return;
    m_pressedIn = inside;
    BYTE& state = at(m_pressed).fsState;
    state = static_cast<BYTE>(inside ? state | TBSTATE_PRESSED : state & ~TBSTATE_PRESSED);
    redraw();
}

void Toolbar::mouseUp(POINT pt) {
    if (m_moving >= 0) {
        finishMove(pt);
        return;
    }
    int i = m_pressed;
    if (i < 0) return;
    m_pressed = -1;
    at(i).fsState &= ~TBSTATE_PRESSED;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    redraw();
    notifyDrag(TBN_ENDDRAG, i);
    if (m_pressedIn && valid(i)) click(i);
}

void Toolbar::setHot(int i, DWORD how) {
    if (!valid(i) || !(at(i).fsState & TBSTATE_ENABLED) || separator(at(i))) i = -1;
    if (i == m_hot) {
        if (i >= 0 && (how & HICF_MOUSE)) SetTimer(m_hwnd, kHotTimer, kHotPoll, nullptr);
        return;
    }
    NMTBHOTITEM nm{};
    nm.hdr.code = TBN_HOTITEMCHANGE;
    nm.idOld = valid(m_hot) ? at(m_hot).idCommand : 0;
    nm.idNew = i >= 0 ? at(i).idCommand : 0;
    nm.dwFlags = how | (m_hot < 0 ? HICF_ENTERING : 0) | (i < 0 ? HICF_LEAVING : 0);
    if (sendNotify(nm.hdr) || !IsWindow(m_hwnd)) return;
    if (i >= count()) i = -1;
    m_hot = i;
    // Only a hot item the pointer chose goes when the pointer leaves; one set by the program (a menu
    // bar driven from the keyboard) stays until the pointer comes over the bar.
    if (i >= 0 && (how & HICF_MOUSE))
        SetTimer(m_hwnd, kHotTimer, kHotPoll, nullptr);
    else
        KillTimer(m_hwnd, kHotTimer);
    redraw();
}

void Toolbar::notifyDrag(UINT code, int i) const {
    NMTOOLBAR nm{};
    nm.hdr.code = code;
    nm.iItem = at(i).idCommand;
    nm.tbButton = at(i);
    sendNotify(nm.hdr);
}

void Toolbar::drawImage(HDC dc, const TBBUTTON& b, int x, int y, bool hot) const {
    bool enabled = b.fsState & TBSTATE_ENABLED;
    HIMAGELIST list = !enabled && m_disabledImages ? m_disabledImages
                      : hot && m_hotImages         ? m_hotImages
                                                   : m_images;
    if (!list || b.iBitmap < 0) return;
    if (enabled || list == m_disabledImages) {
        ImageList_Draw(list, b.iBitmap, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    HICON icon = ImageList_GetIcon(list, b.iBitmap, ILD_NORMAL);
    DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

LRESULT Toolbar::customDraw(DWORD stage, HDC dc, const RECT& rc, int i) const {
    if (!notifyTarget()) return CDRF_DODEFAULT;
    NMTBCUSTOMDRAW cd{};
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    if (valid(i)) {
        const TBBUTTON& b = at(i);
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(b.idCommand);
        cd.nmcd.lItemlParam = static_cast<LPARAM>(b.dwData);
        UINT state = 0;
        if (b.fsState & TBSTATE_PRESSED) state |= CDIS_SELECTED;
        if (b.fsState & TBSTATE_CHECKED) state |= CDIS_CHECKED;
        if (!(b.fsState & TBSTATE_ENABLED)) state |= CDIS_DISABLED;
        if (b.fsState & TBSTATE_INDETERMINATE) state |= CDIS_INDETERMINATE;
        if (b.fsState & TBSTATE_MARKED) state |= CDIS_MARKED;
        if (i == m_hot) state |= CDIS_HOT;
        cd.nmcd.uItemState = state;
    }
    cd.clrText = GetSysColor(COLOR_BTNTEXT);
    cd.clrTextHighlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
    cd.clrBtnFace = GetSysColor(COLOR_BTNFACE);
    cd.clrBtnHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    cd.clrHighlightHotTrack = GetSysColor(COLOR_HIGHLIGHT);
    cd.clrMark = GetSysColor(COLOR_HIGHLIGHT);
    cd.nStringBkMode = TRANSPARENT;
    cd.nHLStringBkMode = OPAQUE;
    return sendNotify(cd.nmcd.hdr);
}

void Toolbar::drawButton(HDC dc, int i, LRESULT flags) const {
    const TBBUTTON& b = at(i);
    RECT rc = m_rects[static_cast<std::size_t>(i)];
    bool flat = style() & TBSTYLE_FLAT;
    if (separator(b)) {
        if (!flat) return;
        RECT line{(rc.left + rc.right) / 2 - 1, rc.top, (rc.left + rc.right) / 2 + 1, rc.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        return;
    }
    bool pressed = b.fsState & TBSTATE_PRESSED, checked = b.fsState & TBSTATE_CHECKED;
    bool hot = i == m_hot && (b.fsState & TBSTATE_ENABLED);
    RECT body = rc, arrow = rc;
    if (splitArrow(b)) body.right -= kArrow, arrow.left = body.right;
    if (checked && !pressed) {
        HBRUSH light = GetSysColorBrush(COLOR_3DLIGHT);
        RECT inner = body;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, light);
    }
    bool edges = !(flags & TBCDRF_NOEDGES);
    if (edges && (pressed || checked))
        DrawEdge(dc, &body, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (edges && (hot || !flat))
        DrawEdge(dc, &body, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    if (edges && splitArrow(b) && (hot || pressed || !flat))
        DrawEdge(dc, &arrow, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    int shift = (pressed || checked) && !(flags & TBCDRF_NOOFFSET) ? 1 : 0;
    int imageRight = (b.fsStyle & BTNS_WHOLEDROPDOWN) ? body.right - (kArrow - 4) : body.right;
    drawContent(dc, i, body, imageRight, shift, hot);
    if (!splitArrow(b) && !(b.fsStyle & BTNS_WHOLEDROPDOWN)) return;
    // The drop-down triangle: five, three and one pixels wide.
    RECT tri = (b.fsStyle & BTNS_WHOLEDROPDOWN) ? RECT{imageRight, body.top, body.right, body.bottom} : arrow;
    int cx = (tri.left + tri.right) / 2 + shift, cy = (tri.top + tri.bottom) / 2 - 1 + shift;
    HPEN pen =
        CreatePen(PS_SOLID, 1, GetSysColor((b.fsState & TBSTATE_ENABLED) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int row = 0; row < 3; ++row) {
        MoveToEx(dc, cx - 2 + row, cy + row, nullptr);
        LineTo(dc, cx + 3 - row, cy + row);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The button face, or with TBSTYLE_TRANSPARENT the parent's background under the bar.
void Toolbar::eraseBackground(HDC dc) const {
    RECT client = clientRect();
    HWND parent = GetParent(m_hwnd);
    if ((style() & TBSTYLE_TRANSPARENT) && parent) {
        POINT origin{0, 0};
        MapWindowPoints(m_hwnd, parent, &origin, 1);
        POINT old{};
        SetWindowOrgEx(dc, origin.x, origin.y, &old);
        LRESULT erased = SendMessage(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SetWindowOrgEx(dc, old.x, old.y, nullptr);
        if (erased) return;
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void Toolbar::drawInsertMark(HDC dc) const {
    if (!valid(m_mark.iButton) || (at(m_mark.iButton).fsState & TBSTATE_HIDDEN)) return;
    const RECT& rc = rectOf(m_mark.iButton);
    int x = (m_mark.dwFlags & TBIMHT_AFTER) ? rc.right - 1 : rc.left - 1;
    RECT line{x, rc.top, x + 2, rc.bottom};
    HBRUSH brush = CreateSolidBrush(m_markColour);
    FillRect(dc, &line, brush);
    DeleteObject(brush);
}

void Toolbar::createTips() {
    m_tips = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, nullptr, nullptr);
    m_dirty = true;
}

// One callback tool per shown button, under the button's command id.
void Toolbar::syncTips() const {
    if (!IsWindow(m_tips)) return;
    TTTOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hwnd;
    for (UINT_PTR tool : m_tipIds) {
        ti.uId = tool;
        SendMessage(m_tips, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
    m_tipIds.clear();
    for (int i = 0; i < count(); ++i) {
        if (separator(at(i)) || (at(i).fsState & TBSTATE_HIDDEN)) continue;
        ti.uId = static_cast<UINT_PTR>(at(i).idCommand);
        ti.rect = rectOf(i);
        ti.lpszText = LPSTR_TEXTCALLBACK;
        SendMessage(m_tips, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        m_tipIds.push_back(ti.uId);
    }
}

void Toolbar::relayToTips(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!IsWindow(m_tips)) return;
    layout();
    MSG m{m_hwnd, msg, wParam, lParam, 0, {0, 0}};
    SendMessage(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void Toolbar::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    layout();
    RECT client = clientRect();
    eraseBackground(dc);
    if (!(style() & CCS_NODIVIDER)) {
        RECT divider{client.left, client.top, client.right, client.top + 2};
        DrawEdge(dc, &divider, EDGE_ETCHED, BF_TOP);
    }
    LRESULT whole = customDraw(CDDS_PREPAINT, dc, client, -1);
    if (!(whole & CDRF_SKIPDEFAULT)) {
        for (int i = 0; i < count(); ++i) {
            if (at(i).fsState & TBSTATE_HIDDEN) continue;
            const RECT& rc = m_rects[static_cast<std::size_t>(i)];
            LRESULT item =
                (whole & CDRF_NOTIFYITEMDRAW) ? customDraw(CDDS_ITEMPREPAINT, dc, rc, i) : CDRF_DODEFAULT;
            if (!(item & CDRF_SKIPDEFAULT)) drawButton(dc, i, item);
            if (item & CDRF_NOTIFYPOSTPAINT) customDraw(CDDS_ITEMPOSTPAINT, dc, rc, i);
        }
    }
    drawInsertMark(dc);
    if (whole & CDRF_NOTIFYPOSTPAINT) customDraw(CDDS_POSTPAINT, dc, client, -1);
    EndPaint(m_hwnd, &ps);
}

LRESULT Toolbar::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_CREATE:
        if (style() & TBSTYLE_TOOLTIPS) createTips();
        placeInParent();
        return 0;
    case WM_DESTROY:
        if (IsWindow(m_tips)) DestroyWindow(m_tips);
        if (m_ownImages) ImageList_Destroy(m_images);
        m_tips = nullptr;
        m_images = nullptr;
        return 0;
    case WM_NOTIFY:
    case WM_COMMAND:
        // The tooltip's questions and the notifications of controls on the bar (a combo box)
        // go to the bar's parent.
        if (!lParam || !notifyTarget()) return 0;
        return SendMessage(notifyTarget(), msg, wParam, lParam);
    case WM_SIZE:
        m_dirty = true;
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDBLCLK:
        if (style() & CCS_ADJUSTABLE) {
            customize();
            return 0;
        }
        mouseDown(pt);
        return 0;
    case WM_LBUTTONDOWN:
        relayToTips(msg, wParam, lParam);
        mouseDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        relayToTips(msg, wParam, lParam);
        mouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        relayToTips(msg, wParam, lParam);
        mouseUp(pt);
        return 0;
    case WM_TIMER: {
        if (wParam != kHotTimer) return 0;
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(m_hwnd, &at);
        RECT client = clientRect();
        setHot(PtInRect(&client, at) ? hitTest(at) : -1);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hwnd) m_moving = -1;
        if (m_pressed >= 0 && reinterpret_cast<HWND>(lParam) != m_hwnd) {
            at(m_pressed).fsState &= ~TBSTATE_PRESSED;
            m_pressed = -1;
            redraw();
        }
        return 0;
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_ADDBUTTONSA:
        return insert(count(), reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam));
    case TB_INSERTBUTTONA:
        return insert(static_cast<int>(wParam), reinterpret_cast<const TBBUTTON*>(lParam), 1);
    case TB_DELETEBUTTON:
        if (!valid(static_cast<int>(wParam))) return FALSE;
        erase(static_cast<int>(wParam));
        return TRUE;
    case TB_MOVEBUTTON:
        return move(static_cast<int>(wParam), static_cast<int>(lParam)) ? TRUE : FALSE;
    case TB_ADDSTRINGA:
        return addStrings(wParam, lParam);
    case TB_GETBUTTONTEXTA:
        return buttonText(static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
    case TB_GETBUTTONINFOA:
    case TB_SETBUTTONINFOA:
        return buttonInfo(msg, wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam));
    case TB_ADDBITMAP:
        return addBitmap(static_cast<int>(wParam), reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_SETMAXTEXTROWS:
        m_maxTextRows = std::max(0, static_cast<int>(wParam));
        m_dirty = true;
        redraw();
        return TRUE;
    case TB_GETTEXTROWS:
        return m_maxTextRows;
    case TB_SETBUTTONWIDTH:
        m_minWidth = LOWORD(lParam);
        m_maxWidth = HIWORD(lParam);
        m_dirty = true;
        redraw();
        return TRUE;
    case TB_SETINSERTMARK: {
        const auto* mark = reinterpret_cast<const TBINSERTMARK*>(lParam);
        m_mark = mark ? *mark : TBINSERTMARK{-1, 0};
        redraw();
        return 0;
    }
    case TB_GETINSERTMARK:
        if (lParam) *reinterpret_cast<TBINSERTMARK*>(lParam) = m_mark;
        return TRUE;
    case TB_SETINSERTMARKCOLOR: {
        COLORREF old = m_markColour;
        m_markColour = static_cast<COLORREF>(lParam);
        redraw();
        return static_cast<LRESULT>(old);
    }
    case TB_GETINSERTMARKCOLOR:
        return static_cast<LRESULT>(m_markColour);
    case TB_SETPARENT: {
        HWND old = notifyTarget();
        m_notify = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(m_tips);
    case TB_SETTOOLTIPS:
        m_tips = reinterpret_cast<HWND>(wParam);
        m_tipIds.clear();
        m_dirty = true;
        return 0;
    case TB_SAVERESTOREA:
        return saveRestore(wParam != 0, reinterpret_cast<const TBSAVEPARAMSA*>(lParam));
    case TB_CUSTOMIZE:
        customize();
        return 0;
    case TB_BUTTONCOUNT:
        return count();
    case TB_GETBUTTON: {
        auto* out = reinterpret_cast<TBBUTTON*>(lParam);
        if (!out || !valid(static_cast<int>(wParam))) return FALSE;
        *out = at(static_cast<int>(wParam));
        return TRUE;
    }
    case TB_COMMANDTOINDEX:
        return indexOf(static_cast<int>(wParam));
    case TB_SETCMDID:
        if (!valid(static_cast<int>(wParam))) return FALSE;
        at(static_cast<int>(wParam)).idCommand = static_cast<int>(lParam);
        return TRUE;
    case TB_GETSTATE: {
        int i = indexOf(static_cast<int>(wParam));
        return i < 0 ? -1 : at(i).fsState;
    }
    case TB_SETSTATE: {
        int i = indexOf(static_cast<int>(wParam));
        if (i < 0) return FALSE;
        at(i).fsState = static_cast<BYTE>(LOWORD(lParam));
        m_dirty = true;
        redraw();
        return TRUE;
    }
    case TB_ENABLEBUTTON:
        return setStateBit(static_cast<int>(wParam), TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_CHECKBUTTON:
        return setStateBit(static_cast<int>(wParam), TBSTATE_CHECKED, LOWORD(lParam) != 0);
    case TB_PRESSBUTTON:
        return setStateBit(static_cast<int>(wParam), TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON:
        return setStateBit(static_cast<int>(wParam), TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_INDETERMINATE:
        return setStateBit(static_cast<int>(wParam), TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED:
    case TB_ISBUTTONPRESSED:
    case TB_ISBUTTONHIDDEN:
    case TB_ISBUTTONINDETERMINATE: {
        static const BYTE bits[] = {TBSTATE_ENABLED, TBSTATE_CHECKED, TBSTATE_PRESSED, TBSTATE_HIDDEN,
                                    TBSTATE_INDETERMINATE};
        int i = indexOf(static_cast<int>(wParam));
        return i >= 0 && (at(i).fsState & bits[msg - TB_ISBUTTONENABLED]);
    }
    case TB_GETITEMRECT:
    case TB_GETRECT: {
        int i = msg == TB_GETRECT ? indexOf(static_cast<int>(wParam)) : static_cast<int>(wParam);
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc || !valid(i) || (at(i).fsState & TBSTATE_HIDDEN)) return FALSE;
        layout();
        *rc = m_rects[static_cast<std::size_t>(i)];
        return TRUE;
    }
    case TB_HITTEST:
        return lParam ? hitTest(*reinterpret_cast<const POINT*>(lParam)) : -1;
    case TB_SETBUTTONSIZE:
        m_button = SIZE{LOWORD(lParam), HIWORD(lParam)};
        m_dirty = true;
        return TRUE;
    case TB_SETBITMAPSIZE:
        m_bitmap = SIZE{LOWORD(lParam), HIWORD(lParam)};
        m_dirty = true;
        return TRUE;
    case TB_GETBUTTONSIZE:
        layout();
        return MAKELONG(buttonSize().cx, buttonSize().cy);
    case TB_AUTOSIZE:
        placeInParent();
        return 0;
    case TB_GETROWS:
        layout();
        return m_rows;
    case TB_SETINDENT:
        m_indent = static_cast<int>(wParam);
        m_dirty = true;
        return TRUE;
    case TB_SETIMAGELIST:
    case TB_SETHOTIMAGELIST:
    case TB_SETDISABLEDIMAGELIST: {
        HIMAGELIST& slot = msg == TB_SETIMAGELIST      ? m_images
                           : msg == TB_SETHOTIMAGELIST ? m_hotImages
                                                       : m_disabledImages;
        HIMAGELIST old = slot;
        slot = reinterpret_cast<HIMAGELIST>(lParam);
        int cx = 0, cy = 0;
        if (msg == TB_SETIMAGELIST && ImageList_GetIconSize(slot, &cx, &cy))
            m_bitmap = SIZE{cx, cy}, m_dirty = true;
        redraw();
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case TB_GETHOTIMAGELIST:
        return reinterpret_cast<LRESULT>(m_hotImages);
    case TB_GETDISABLEDIMAGELIST:
        return reinterpret_cast<LRESULT>(m_disabledImages);
    case TB_SETSTYLE:
        SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(lParam));
        if ((lParam & TBSTYLE_TOOLTIPS) && !IsWindow(m_tips)) createTips();
        m_dirty = true;
        redraw();
        return 0;
    case TB_GETSTYLE:
        return style();
    case TB_SETEXTENDEDSTYLE: {
        DWORD old = m_exStyle;
        m_exStyle = static_cast<DWORD>(lParam);
        m_dirty = true;
        redraw();
        return old;
    }
    case TB_GETEXTENDEDSTYLE:
        return m_exStyle;
    case TB_GETHOTITEM:
        return m_hot;
    case TB_SETHOTITEM: {
        int old = m_hot;
        setHot(static_cast<int>(wParam), HICF_OTHER);
        return old;
    }
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

void registerToolbarClass() {
    ctl::registerControlClass(TOOLBARCLASSNAME, ctl::controlProc<Toolbar>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::cc
