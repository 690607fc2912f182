// The "LISTBOX" control (and "ComboLBox", the list of a combo box): sorted and unsorted items with
// data, single, multiple and extended selection, owner-draw fixed and variable, type-ahead,
// scrolling by top index; only visible items are drawn.

#include "platform/win/controls/block_list.h"
#include "platform/win/controls/control.h"
#include "platform/win/controls/system_classes.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace pm::ctl {

namespace {

constexpr DWORD kTypeAheadMs = 1000;

bool startsWithNoCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && compareNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

struct Item {
    std::string text;
    ULONG_PTR data = 0;
    int height = 0;
    bool selected = false;
};

class ListBox final : public Control {
public:
    ListBox(HWND hwnd, const CREATESTRUCT& cs) : Control(hwnd), m_style(static_cast<DWORD>(cs.style)) {
        if (m_style & LBS_EXTENDEDSEL) m_style &= ~static_cast<DWORD>(LBS_MULTIPLESEL);
        if (m_style & LBS_COMBOBOX) m_combo = static_cast<HWND>(cs.lpCreateParams);
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT common = 0;
        if (handleCommon(msg, wParam, lParam, common)) {
            if (msg == WM_SETFONT) fontChanged(LOWORD(lParam) != 0);
            return common;
        }
        switch (msg) {
        case WM_CREATE:
            return create();
        case WM_DESTROY:
            deleteAll();
            return defaultProc(msg, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_MOUSEACTIVATE:
            if (m_style & WS_POPUP) return MA_NOACTIVATE;
            return defaultProc(msg, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return paint();
        case WM_SIZE:
            updateScrollBar();
            return 0;
        case WM_ENABLE:
            redraw();
            return 0;
        case WM_SETREDRAW:
            // While drawing is off, changes leave the scroll bar alone too; it catches up when
            // drawing is on again.
            m_redrawOff = wParam == 0;
            defaultProc(msg, wParam, lParam);
            if (!m_redrawOff) updateScrollBar();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return focusChanged(msg == WM_SETFOCUS);
        case WM_LBUTTONDOWN:
            return mouseDown(lParam, wParam);
        case WM_MOUSEMOVE:
            return mouseMove(lParam);
        case WM_LBUTTONUP:
            return mouseUp();
        case WM_CAPTURECHANGED:
            m_tracking = false;
            return 0;
        case WM_LBUTTONDBLCLK:
            return doubleClick(lParam, wParam);
        case WM_KEYDOWN:
            return key(static_cast<int>(wParam));
        case WM_CHAR:
            return typed(static_cast<UINT>(wParam));
        case WM_VSCROLL:
            return vscroll(LOWORD(wParam));
        case WM_MOUSEWHEEL:
            setTop(m_top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
            return 0;
        default:
            return listMessage(msg, wParam, lParam);
        }
    }

private:
    // ---- Styles ----
    bool hasStrings() const {
        return !(m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (m_style & LBS_HASSTRINGS);
    }
    bool ownerDraw() const { return (m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool variable() const { return (m_style & LBS_OWNERDRAWVARIABLE) != 0; }
    bool multi() const { return (m_style & LBS_MULTIPLESEL) != 0; }
    bool extended() const { return (m_style & LBS_EXTENDEDSEL) != 0; }
    bool anyMulti() const { return multi() || extended(); }
    bool noSel() const { return (m_style & LBS_NOSEL) != 0; }
    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    // The window that receives owner-draw and notification messages: a combo box's list reports to
    // its combo box, which passes them on.
    HWND owner() const { return m_combo ? m_combo : GetParent(m_hwnd); }
    UINT ctlType() const { return (m_style & LBS_COMBOBOX) ? ODT_COMBOBOX : ODT_LISTBOX; }

    void notifyOwner(int code) const {
        if (!(m_style & LBS_NOTIFY) && !(m_style & LBS_COMBOBOX)) return;
        if (HWND o = owner())
            SendMessage(o, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id()), static_cast<WORD>(code)),
                        reinterpret_cast<LPARAM>(m_hwnd));
    }

    LRESULT listMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        int index = static_cast<int>(static_cast<INT_PTR>(wParam));
        switch (msg) {
        case LB_ADDSTRING:
            return add(lParam);
        case LB_INSERTSTRING:
            return insertAt(index, lParam);
        case LB_DELETESTRING:
            return deleteAt(index);
        case LB_RESETCONTENT:
            deleteAll();
            return LB_OKAY;
        case LB_GETCOUNT:
            return count();
        case LB_GETTEXT:
            return getText(index, reinterpret_cast<LPSTR>(lParam));
        case LB_GETTEXTLEN:
            return valid(index)
                       ? (hasStrings()
                              ? static_cast<LRESULT>(m_items[static_cast<std::size_t>(index)].text.size())
                              : static_cast<LRESULT>(sizeof(ULONG_PTR)))
                       : LB_ERR;
        case LB_GETITEMDATA:
            return valid(index) ? static_cast<LRESULT>(m_items[static_cast<std::size_t>(index)].data)
                                : LB_ERR;
        case LB_SETITEMDATA:
            if (!valid(index)) return LB_ERR;
            m_items[static_cast<std::size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case LB_GETCURSEL:
            return anyMulti() ? (count() ? m_caret : LB_ERR) : (m_selected >= 0 ? m_selected : LB_ERR);
        case LB_SETCURSEL:
            return setCurSel(index);
        case LB_GETSEL:
            return valid(index) ? isSelected(index) : LB_ERR;
        case LB_SETSEL:
            return setSel(wParam != 0, static_cast<int>(lParam));
        case LB_GETSELCOUNT:
            return anyMulti() ? selCount() : LB_ERR;
        case LB_GETSELITEMS:
            return selItems(index, reinterpret_cast<int*>(lParam));
        case LB_SELITEMRANGE:
            return selectRange(LOWORD(lParam), HIWORD(lParam), wParam != 0);
        case LB_SELITEMRANGEEX:
            return selectRangeEx(index, static_cast<int>(lParam));
        case LB_FINDSTRING:
            return find(index, reinterpret_cast<LPCSTR>(lParam), false);
        case LB_FINDSTRINGEXACT:
            return find(index, reinterpret_cast<LPCSTR>(lParam), true);
        case LB_SELECTSTRING:
            return selectString(index, reinterpret_cast<LPCSTR>(lParam));
        case LB_GETTOPINDEX:
            return m_top;
        case LB_SETTOPINDEX:
            if (index < 0 || (index >= count() && count() > 0)) return LB_ERR;
            setTop(index);
            return LB_OKAY;
        case LB_GETITEMRECT:
            return itemRect(index, reinterpret_cast<RECT*>(lParam));
        case LB_GETITEMHEIGHT:
            return variable() && valid(index) ? m_items[static_cast<std::size_t>(index)].height
                                              : m_itemHeight;
        case LB_SETITEMHEIGHT:
            return setItemHeight(index, LOWORD(lParam));
        case LB_GETCARETINDEX:
            return count() ? m_caret : 0;
        case LB_SETCARETINDEX:
            if (!valid(index)) return LB_ERR;
            moveCaret(index);
            return LB_OKAY;
        case LB_GETANCHORINDEX:
            return m_anchor;
        case LB_SETANCHORINDEX:
            if (!valid(index)) return LB_ERR;
            m_anchor = index;
            return LB_OKAY;
        case LB_ITEMFROMPOINT:
            return itemFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case LB_SETTABSTOPS:
            return setTabStops(index, reinterpret_cast<const int*>(lParam));
        case LB_GETHORIZONTALEXTENT:
            return m_extent;
        case LB_SETHORIZONTALEXTENT:
            m_extent = index;
            return 0;
        case LB_INITSTORAGE:
            return count();
        default:
            return defaultProc(msg, wParam, lParam);
        }
    }

    // ---- Items ----

    LRESULT create() {
        fontChanged(false);
        if (ownerDraw() && !variable()) m_itemHeight = measure(0, 0);
        updateScrollBar();
        return 0;
    }

    void fontChanged(bool repaint) {
        if (!ownerDraw()) {
            TEXTMETRIC tm = fontMetrics();
            m_itemHeight = std::max<int>(tm.tmHeight, 1);
            m_avgChar = std::max<int>(tm.tmAveCharWidth, 1);
        }
        updateScrollBar();
        if (repaint) redraw();
    }

    int measure(int index, ULONG_PTR data) const {
        MEASUREITEMSTRUCT mis{ctlType(), static_cast<UINT>(id()),         static_cast<UINT>(index),
                              0,         static_cast<UINT>(m_itemHeight), data};
        if (HWND o = owner())
            SendMessage(o, WM_MEASUREITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&mis));
        return std::max<int>(static_cast<int>(mis.itemHeight), 1);
    }

    Item makeItem(LPARAM lParam) const {
        Item item;
        if (hasStrings())
            item.text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        else
            item.data = static_cast<ULONG_PTR>(lParam);
        return item;
    }

    int compareItems(const Item& a, const Item& b, int indexOfB) const {
        if (hasStrings()) return compareNoCase(a.text, b.text);
        COMPAREITEMSTRUCT cis{ctlType(), static_cast<UINT>(id()),     m_hwnd, static_cast<UINT>(-1),
                              a.data,    static_cast<UINT>(indexOfB), b.data, 0};
        HWND o = owner();
        return o ? static_cast<int>(SendMessage(o, WM_COMPAREITEM, static_cast<WPARAM>(id()),
                                                reinterpret_cast<LPARAM>(&cis)))
                 : 1;
    }

    // The first index whose item sorts after the new one. A fill in sorted order appends, which
    // one comparison with the last item decides.
    int sortedPosition(const Item& item) const {
        int lo = 0, hi = count();
        if (hi == 0) return 0;
        if (compareItems(item, m_items[static_cast<std::size_t>(hi - 1)], hi - 1) >= 0) return hi;
        --hi;
        while (lo < hi) {
            int mid = lo + (hi - lo) / 2;
            if (compareItems(item, m_items[static_cast<std::size_t>(mid)], mid) >= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

    LRESULT add(LPARAM lParam) {
        Item item = makeItem(lParam);
        int at = (m_style & LBS_SORT) ? sortedPosition(item) : count();
        return insertItem(at, std::move(item));
    }

    LRESULT insertAt(int index, LPARAM lParam) {
        if (index < -1 || index > count()) return LB_ERR;
        return insertItem(index == -1 ? count() : index, makeItem(lParam));
    }

    LRESULT insertItem(int at, Item item) {
        if (variable()) item.height = measure(at, item.data);
        m_items.insert(static_cast<std::size_t>(at), std::move(item));
        if (m_selected >= at) ++m_selected;
        if (m_caret >= at && count() > 1) ++m_caret;
        if (m_anchor >= at && count() > 1) ++m_anchor;
        changed();
        return at;
    }

    void sendDelete(int index) const {
        const Item& item = m_items[static_cast<std::size_t>(index)];
        if (!item.data && !ownerDraw()) return;
        DELETEITEMSTRUCT dis{ctlType(), static_cast<UINT>(id()), static_cast<UINT>(index), m_hwnd, item.data};
        if (HWND o = owner())
            SendMessage(o, WM_DELETEITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
    }

    LRESULT deleteAt(int index) {
        if (!valid(index)) return LB_ERR;
        sendDelete(index);
        m_items.erase(static_cast<std::size_t>(index));
        if (m_selected == index)
            m_selected = -1;
        else if (m_selected > index)
            --m_selected;
        if (m_caret >= count()) m_caret = std::max(0, count() - 1);
        if (m_anchor >= count()) m_anchor = std::max(0, count() - 1);
        changed();
        return count();
    }

    void deleteAll() {
        for (int i = 0; i < count(); ++i)
            sendDelete(i);
        m_items.clear();
        m_selected = -1;
        m_caret = m_anchor = m_top = 0;
        changed();
    }

    void changed() {
        m_top = std::clamp(m_top, 0, std::max(0, count() - 1));
        if (m_redrawOff) return;
        updateScrollBar();
        if (!(m_style & LBS_NOREDRAW)) redraw();
    }

    LRESULT getText(int index, LPSTR out) const {
        if (!valid(index) || !out) return LB_ERR;
        const Item& item = m_items[static_cast<std::size_t>(index)];
        if (!hasStrings()) {
            std::memcpy(out, &item.data, sizeof item.data);
            return sizeof item.data;
        }
        std::memcpy(out, item.text.c_str(), item.text.size() + 1);
        return static_cast<LRESULT>(item.text.size());
    }

    LRESULT find(int after, LPCSTR s, bool exact) const {
        if (!s || !count()) return LB_ERR;
        std::string want = s;
        int start = valid(after) ? after + 1 : 0;
        for (int k = 0; k < count(); ++k) {
            int i = (start + k) % count();
            const Item& item = m_items[static_cast<std::size_t>(i)];
            if (!hasStrings()) {
                if (item.data == reinterpret_cast<ULONG_PTR>(s)) return i;
                continue;
            }
            if (exact ? compareNoCase(item.text, want) == 0 : startsWithNoCase(item.text, want)) return i;
        }
        return LB_ERR;
    }

    LRESULT selectString(int after, LPCSTR s) {
        LRESULT i = find(after, s, false);
        if (i == LB_ERR) return LB_ERR;
        if (anyMulti())
            setSel(true, static_cast<int>(i));
        else
            setCurSel(static_cast<int>(i));
        return i;
    }

    // ---- Selection ----

    bool isSelected(int i) const {
        return anyMulti() ? m_items[static_cast<std::size_t>(i)].selected : i == m_selected;
    }

    int selCount() const {
        int n = 0;
        m_items.forEach([&n](const Item& i) { n += i.selected; });
        return n;
    }

    LRESULT selItems(int max, int* out) const {
        if (!anyMulti()) return LB_ERR;
        int n = 0;
        for (int i = 0; i < count() && n < max; ++i)
            if (m_items[static_cast<std::size_t>(i)].selected) out[n++] = i;
        return n;
    }

    LRESULT setCurSel(int index) {
        if (anyMulti()) return LB_ERR;
        if (!valid(index)) {
            select(-1);
            return LB_ERR;
        }
        select(index);
        ensureVisible(index);
        return index;
    }

    void select(int index) {
        if (m_selected == index) return;
        int old = m_selected;
        m_selected = index;
        if (index >= 0) m_caret = m_anchor = index;
        redrawItem(old);
        redrawItem(index);
    }

    void clearSelection() {
        m_items.forEach([](Item& i) { i.selected = false; });
    }

    LRESULT setSel(bool on, int index) {
        if (!anyMulti()) return LB_ERR;
        if (index == -1) {
            m_items.forEach([on](Item& i) { i.selected = on; });
            redraw();
            return LB_OKAY;
        }
        if (!valid(index)) return LB_ERR;
        m_items[static_cast<std::size_t>(index)].selected = on;
        m_caret = index;
        redraw();
        return LB_OKAY;
    }

    LRESULT selectRange(int from, int to, bool on) {
        if (!anyMulti()) return LB_ERR;
        if (from > to) std::swap(from, to);
        for (int i = std::max(from, 0); i <= std::min(to, count() - 1); ++i)
            m_items[static_cast<std::size_t>(i)].selected = on;
        redraw();
        return LB_OKAY;
    }

    LRESULT selectRangeEx(int first, int last) {
        if (first <= last) return selectRange(first, last, true);
        return selectRange(last, first, false);
    }

    // ---- Geometry ----

    int heightOf(int i) const {
        return variable() && valid(i) ? m_items[static_cast<std::size_t>(i)].height : m_itemHeight;
    }

    int visibleCount() const {
        RECT rc = clientRect();
        int h = 0, n = 0;
        for (int i = m_top; i < count() && h < rc.bottom; ++i, ++n)
            h += heightOf(i);
        if (!variable()) n = std::max(1, static_cast<int>(rc.bottom / m_itemHeight));
        return std::max(1, n);
    }

    // Items fully visible from top.
    int fullyVisible(int top) const {
        RECT rc = clientRect();
        if (!variable()) return std::max(1, static_cast<int>(rc.bottom / m_itemHeight));
        int h = 0, n = 0;
        for (int i = top; i < count() && h + heightOf(i) <= rc.bottom; ++i, ++n)
            h += heightOf(i);
        return std::max(1, n);
    }

    LRESULT itemRect(int index, RECT* out) const {
        if (!out || (index < 0 || (index >= count() && index != 0))) return LB_ERR;
        RECT rc = clientRect();
        int y = 0;
        if (index >= m_top) {
            for (int i = m_top; i < index; ++i)
                y += heightOf(i);
        } else {
            for (int i = index; i < m_top; ++i)
                y -= heightOf(i);
        }
        *out = RECT{0, y, rc.right, y + heightOf(index)};
        return LB_OKAY;
    }

    int indexAt(POINT p) const {
        int y = 0;
        for (int i = m_top; i < count(); ++i) {
            int h = heightOf(i);
            if (p.y < y + h) return i;
            y += h;
        }
        return -1;
    }

    LRESULT itemFromPoint(POINT p) const {
        RECT rc = clientRect();
        bool outside = !PtInRect(&rc, p);
        int i = indexAt(p);
        if (i < 0) i = std::max(0, count() - 1), outside = true;
        return MAKELONG(static_cast<WORD>(i), outside ? 1 : 0);
    }

    LRESULT setItemHeight(int index, int h) {
        if (h <= 0 || h > 255) return LB_ERR;
        if (variable()) {
            if (!valid(index)) return LB_ERR;
            m_items[static_cast<std::size_t>(index)].height = h;
        } else {
            m_itemHeight = h;
        }
        changed();
        return LB_OKAY;
    }

    LRESULT setTabStops(int n, const int* stops) {
        if (n < 0 || (n > 0 && !stops)) return FALSE;
        m_tabDlu.assign(stops, stops + n);
        return TRUE;
    }

    void setTop(int top) {
        top = std::clamp(top, 0, std::max(0, count() - fullyVisible(std::max(0, count() - 1))));
        if (!variable()) top = std::clamp(top, 0, std::max(0, count() - fullyVisible(0)));
        if (top == m_top) return;
        m_top = top;
        updateScrollBar();
        redraw();
    }

    void ensureVisible(int index) {
        if (!valid(index)) return;
        if (index < m_top)
            setTop(index);
        else if (index >= m_top + fullyVisible(m_top))
            setTop(index - fullyVisible(m_top) + 1);
    }

    void updateScrollBar() {
        if (!(m_style & WS_VSCROLL)) return;
        UINT mask = SIF_ALL | ((m_style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
        SCROLLINFO si{sizeof si, mask, 0, std::max(0, count() - 1), static_cast<UINT>(fullyVisible(m_top)),
                      m_top,     0};
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }

    LRESULT vscroll(int code) {
        int page = fullyVisible(m_top);
        switch (code) {
        case SB_LINEUP:
            setTop(m_top - 1);
            break;
        case SB_LINEDOWN:
            setTop(m_top + 1);
            break;
        case SB_PAGEUP:
            setTop(m_top - page);
            break;
        case SB_PAGEDOWN:
            setTop(m_top + page);
            break;
        case SB_TOP:
            setTop(0);
            break;
        case SB_BOTTOM:
            setTop(count());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            if (GetScrollInfo(m_hwnd, SB_VERT, &si)) setTop(si.nTrackPos);
            break;
        }
        default:
            break;
        }
        return 0;
    }

    // ---- Focus, mouse and keyboard ----

    LRESULT focusChanged(bool gained) {
        redrawItem(m_caret);
        notifyOwner(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    }

    void moveCaret(int index) {
        int old = m_caret;
        m_caret = index;
        redrawItem(old);
        redrawItem(index);
        ensureVisible(index);
    }

    // A user's choice of item: selects according to the selection style, then LBN_SELCHANGE.
    void choose(int index, bool shift, bool control) {
        if (!valid(index) || noSel()) return;
        if (!anyMulti()) {
            bool change = m_selected != index;
            select(index);
            ensureVisible(index);
            if (change) notifyOwner(LBN_SELCHANGE);
            return;
        }
        if (multi()) {
            Item& it = m_items[static_cast<std::size_t>(index)];
            it.selected = !it.selected;
        } else if (shift) {
            if (!control) clearSelection();
            for (int i = std::min(m_anchor, index); i <= std::max(m_anchor, index); ++i)
                m_items[static_cast<std::size_t>(i)].selected = true;
        } else if (control) {
            Item& it = m_items[static_cast<std::size_t>(index)];
            it.selected = !it.selected;
            m_anchor = index;
        } else {
            clearSelection();
            m_items[static_cast<std::size_t>(index)].selected = true;
            m_anchor = index;
        }
        m_caret = index;
        ensureVisible(index);
        redraw();
        notifyOwner(LBN_SELCHANGE);
    }

    static bool held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

    LRESULT mouseDown(LPARAM lParam, WPARAM keys) {
        if (GetFocus() != m_hwnd && !(m_style & LBS_COMBOBOX)) SetFocus(m_hwnd);
        int i = indexAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (i < 0) return 0;
        choose(i, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
        if (!multi()) {
            SetCapture(m_hwnd);
            m_tracking = true;
        }
        return 0;
    }

    LRESULT mouseMove(LPARAM lParam) {
        if (!m_tracking || GetCapture() != m_hwnd) return 0;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int i = p.y < 0 ? m_top - 1 : indexAt(p);
        if (!valid(i) || i == m_caret) return 0;
        if (extended()) {
            clearSelection();
            for (int k = std::min(m_anchor, i); k <= std::max(m_anchor, i); ++k)
                m_items[static_cast<std::size_t>(k)].selected = true;
            m_caret = i;
            ensureVisible(i);
            redraw();
            notifyOwner(LBN_SELCHANGE);
            return 0;
        }
        choose(i, false, false);
        return 0;
    }

    LRESULT mouseUp() {
        if (!m_tracking) return 0;
        m_tracking = false;
        if (GetCapture() == m_hwnd) ReleaseCapture();
        return 0;
    }

    LRESULT doubleClick(LPARAM lParam, WPARAM keys) {
        int i = indexAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (i < 0) return 0;
        if (!isSelected(i) || anyMulti()) mouseDown(lParam, keys);
        mouseUp();
        notifyOwner(LBN_DBLCLK);
        return 0;
    }

    int keyTarget(int vk) const {
        int page = fullyVisible(m_top);
        int from = anyMulti() ? m_caret : (m_selected >= 0 ? m_selected : m_caret);
        switch (vk) {
        case VK_UP:
            return from - 1;
        case VK_DOWN:
            return m_selected < 0 && !anyMulti() ? 0 : from + 1;
        case VK_PRIOR:
            return from - page + 1;
        case VK_NEXT:
            return from + page - 1;
        case VK_HOME:
            return 0;
        case VK_END:
            return count() - 1;
        default:
            return -2;
        }
    }

    LRESULT key(int vk) {
        if ((m_style & LBS_WANTKEYBOARDINPUT) && owner()) {
            LRESULT r = SendMessage(owner(), WM_VKEYTOITEM, MAKEWPARAM(vk, m_caret),
                                    reinterpret_cast<LPARAM>(m_hwnd));
            if (r == -2) return 0;
            if (r >= 0) return 0;
        }
        if (!count()) return 0;
        if (vk == VK_SPACE && multi()) {
            choose(m_caret, false, false);
            return 0;
        }
        int target = keyTarget(vk);
        if (target == -2) return 0;
        target = std::clamp(target, 0, count() - 1);
        if (multi() || (extended() && held(VK_CONTROL) && !held(VK_SHIFT))) {
            moveCaret(target);
            return 0;
        }
        choose(target, extended() && held(VK_SHIFT), false);
        return 0;
    }

    LRESULT typed(UINT c) {
        if ((m_style & LBS_WANTKEYBOARDINPUT) && owner() && !hasStrings()) {
            SendMessage(owner(), WM_CHARTOITEM, MAKEWPARAM(c, m_caret), reinterpret_cast<LPARAM>(m_hwnd));
            return 0;
        }
        if (!hasStrings() || c < 0x20) return 0;
        DWORD now = GetTickCount();
        if (now - m_lastType > kTypeAheadMs) m_typed.clear();
        m_lastType = now;
        m_typed += static_cast<char>(c);
        int from = anyMulti() ? m_caret : m_selected;
        // The same letter again steps to the next match; a longer prefix searches from the current item.
        int start = m_typed.size() == 1 ? from : from - 1;
        LRESULT i = find(start, m_typed.c_str(), false);
        if (i == LB_ERR) return 0;
        if (anyMulti() && !extended())
            moveCaret(static_cast<int>(i));
        else
            choose(static_cast<int>(i), false, false);
        return 0;
    }

    // ---- Painting ----

    void redrawItem(int index) {
        RECT rc{};
        if (!valid(index) || itemRect(index, &rc) == LB_ERR) return;
        InvalidateRect(m_hwnd, &rc, TRUE);
    }

    LRESULT paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        HGDIOBJ oldFont = SelectObject(dc, font());
        HBRUSH brush = controlColour(dc, WM_CTLCOLORLISTBOX);
        RECT rc = clientRect();
        FillRect(dc, &rc, brush);
        int y = 0;
        for (int i = m_top; i < count() && y < rc.bottom; ++i) {
            RECT item{0, y, rc.right, y + heightOf(i)};
            if (item.bottom > ps.rcPaint.top && item.top < ps.rcPaint.bottom) paintItem(dc, i, item);
            y = item.bottom;
        }
        if (!count() && hasFocus() && showFocus() && !ownerDraw()) {
            RECT focus{0, 0, rc.right, m_itemHeight};
            DrawFocusRect(dc, &focus);
        }
        SelectObject(dc, oldFont);
        EndPaint(m_hwnd, &ps);
        return 0;
    }

    void paintItem(HDC dc, int i, const RECT& rc) {
        bool sel = isSelected(i);
        bool focus = i == m_caret && hasFocus() && showFocus();
        const Item& item = m_items[static_cast<std::size_t>(i)];
        if (ownerDraw()) {
            UINT state = (sel ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
            DRAWITEMSTRUCT dis{ctlType(),
                               static_cast<UINT>(id()),
                               static_cast<UINT>(i),
                               ODA_DRAWENTIRE,
                               state,
                               m_hwnd,
                               dc,
                               rc,
                               item.data};
            if (HWND o = owner())
                SendMessage(o, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
            return;
        }
        COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
        if (sel) {
            FillRect(dc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        if (!enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        if (m_style & LBS_USETABSTOPS) {
            std::vector<int> stops;
            for (int d : m_tabDlu)
                stops.push_back(d * m_avgChar / 4);
            if (stops.empty()) stops.push_back(32 * m_avgChar / 4);
            TabbedTextOut(dc, rc.left + 2, rc.top, item.text.c_str(), static_cast<int>(item.text.size()),
                          static_cast<int>(stops.size()), stops.data(), rc.left + 2);
        } else {
            TextOut(dc, rc.left + 2, rc.top, item.text.c_str(), static_cast<int>(item.text.size()));
        }
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        if (focus) DrawFocusRect(dc, &rc);
    }

    DWORD m_style;
    HWND m_combo = nullptr; // the combo box a "ComboLBox" reports to
    BlockList<Item> m_items;
    int m_selected = -1;
    int m_caret = 0;
    int m_anchor = 0;
    int m_top = 0;
    int m_itemHeight = 16;
    int m_avgChar = 6;
    int m_extent = 0;
    bool m_tracking = false;
    bool m_redrawOff = false; // WM_SETREDRAW FALSE
    std::vector<int> m_tabDlu;
    std::string m_typed;
    DWORD m_lastType = 0;
};

} // namespace

void registerListBoxClasses() {
    registerControlClass("LISTBOX", controlProc<ListBox>, CS_DBLCLKS, IDC_ARROW);
    registerControlClass("ComboLBox", controlProc<ListBox>, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
}

} // namespace pm::ctl
