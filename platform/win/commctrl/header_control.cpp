// "SysHeader32": column headings in display order, with dividers the mouse drags to resize a
// column (HDN_BEGINTRACK, HDN_TRACK, HDN_ENDTRACK), buttons that report clicks and, with
// HDS_DRAGDROP, headings the mouse drags to a new place (HDN_BEGINDRAG, HDN_ENDDRAG).

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kDividerSlack = 4; // the divider catches the mouse this far either side

struct HeaderItem {
    int width = 0;
    std::string text;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int image = -1;
};

class HeaderControl final : public ctl::Control {
public:
    HeaderControl(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {
        m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Drag { None, Track, Press, Move };

    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    int height() const;
    RECT itemRect(int i) const;
    int hitTest(POINT pt, UINT* flags) const;
    // WM_NOTIFY with an NMHEADER; the parent's answer.
    LRESULT notify(UINT code, int item, int button = 0, HDITEM* with = nullptr) const;
    bool changeWidth(int i, int width);
    LRESULT insert(int i, const HDITEM* item);
    LRESULT getItem(int i, HDITEM* item) const;
    LRESULT setItem(int i, const HDITEM* item);
    LRESULT remove(int i);
    LRESULT layout(HDLAYOUT* l) const;
    void mouseDown(POINT pt);
    void mouseMove(POINT pt);
    void mouseUp(POINT pt);
    // The display position a heading dragged to x lands at.
    int dropPosition(int x) const;
    void endMove(POINT pt);
    void doubleClick(POINT pt);
    void paint();
    void drawItem(HDC dc, int i, RECT rc) const;
    void drawSortArrow(HDC dc, const RECT& rc, bool up) const;

    std::vector<HeaderItem> m_items;
    std::vector<int> m_order; // display position -> item index
    HIMAGELIST m_images = nullptr;
    Drag m_drag = Drag::None;
    int m_dragItem = -1;
    int m_grabOffset = 0;
    bool m_pressedIn = false;
    POINT m_pressAt{0, 0};
    int m_dropAt = -1; // display position of a heading being moved
};

int HeaderControl::height() const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return tm.tmHeight + 6;
}

RECT HeaderControl::itemRect(int i) const {
    RECT client = clientRect();
    int x = 0;
    for (int index : m_order) {
        int w = m_items[static_cast<std::size_t>(index)].width;
        if (index == i) return RECT{x, 0, x + w, client.bottom};
        x += w;
    }
    return RECT{0, 0, 0, 0};
}

int HeaderControl::hitTest(POINT pt, UINT* flags) const {
    RECT client = clientRect();
    UINT f = 0;
    if (pt.y < 0) f |= HHT_ABOVE;
    if (pt.y >= client.bottom) f |= HHT_BELOW;
    if (pt.x < 0) f |= HHT_TOLEFT;
    int x = 0, found = -1;
    for (std::size_t k = 0; k < m_order.size() && !f; ++k) {
        int index = m_order[k], right = x + m_items[static_cast<std::size_t>(index)].width;
        // A zero-width column right of the divider opens with a drag from that divider.
        if (std::abs(pt.x - right) <= kDividerSlack) {
            bool open = k + 1 < m_order.size() &&
                        m_items[static_cast<std::size_t>(m_order[k + 1])].width == 0 && pt.x > right;
            found = open ? m_order[k + 1] : index;
            f = open ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
        } else if (pt.x >= x && pt.x < right) {
            found = index;
            f = HHT_ONHEADER;
        }
        x = right;
    }
    if (!f) f = pt.x >= x ? HHT_TORIGHT : HHT_NOWHERE;
    if (flags) *flags = f;
    return found;
}

LRESULT HeaderControl::notify(UINT code, int item, int button, HDITEM* with) const {
    NMHEADER nm{{}, item, button, with};
    return sendNotify(nm.hdr, code);
}

// Sets a width with HDN_ITEMCHANGING (which may refuse) and HDN_ITEMCHANGED.
bool HeaderControl::changeWidth(int i, int width) {
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    if (notify(HDN_ITEMCHANGING, i, 0, &item)) return false;
    m_items[static_cast<std::size_t>(i)].width = item.cxy;
    notify(HDN_ITEMCHANGED, i, 0, &item);
    redraw();
    return true;
}

LRESULT HeaderControl::insert(int i, const HDITEM* item) {
    if (!item || i < 0) return -1;
    i = std::min(i, count());
    HeaderItem h;
    if (item->mask & HDI_WIDTH) h.width = std::max(0, item->cxy);
    if ((item->mask & HDI_TEXT) && item->pszText) h.text = item->pszText;
    if (item->mask & HDI_FORMAT) h.fmt = item->fmt;
    if (item->mask & HDI_LPARAM) h.lParam = item->lParam;
    if (item->mask & HDI_IMAGE) h.image = item->iImage;
    m_items.insert(m_items.begin() + i, h);
    for (int& index : m_order)
        if (index >= i) ++index;
    int position =
        (item->mask & HDI_ORDER) ? std::clamp(item->iOrder, 0, static_cast<int>(m_order.size())) : i;
    m_order.insert(m_order.begin() + std::min(position, static_cast<int>(m_order.size())), i);
    redraw();
    return i;
}

LRESULT HeaderControl::getItem(int i, HDITEM* item) const {
    if (!item || !valid(i)) return FALSE;
    const HeaderItem& h = m_items[static_cast<std::size_t>(i)];
    if (item->mask & HDI_WIDTH) item->cxy = h.width;
    if (item->mask & HDI_TEXT) ctl::copyText(h.text, item->pszText, item->cchTextMax);
    if (item->mask & HDI_FORMAT) item->fmt = h.fmt;
    if (item->mask & HDI_LPARAM) item->lParam = h.lParam;
    if (item->mask & HDI_IMAGE) item->iImage = h.image;
    if (item->mask & HDI_ORDER)
        item->iOrder = static_cast<int>(std::find(m_order.begin(), m_order.end(), i) - m_order.begin());
    return TRUE;
}

LRESULT HeaderControl::setItem(int i, const HDITEM* item) {
    if (!item || !valid(i)) return FALSE;
    HDITEM copy = *item;
    if (notify(HDN_ITEMCHANGING, i, 0, &copy)) return FALSE;
    HeaderItem& h = m_items[static_cast<std::size_t>(i)];
    if (item->mask & HDI_WIDTH) h.width = std::max(0, item->cxy);
    if (item->mask & HDI_TEXT) h.text = item->pszText ? item->pszText : "";
    if (item->mask & HDI_FORMAT) h.fmt = item->fmt;
    if (item->mask & HDI_LPARAM) h.lParam = item->lParam;
    if (item->mask & HDI_IMAGE) h.image = item->iImage;
    if (item->mask & HDI_ORDER) {
        m_order.erase(std::find(m_order.begin(), m_order.end(), i));
        m_order.insert(m_order.begin() + std::clamp(item->iOrder, 0, static_cast<int>(m_order.size())), i);
    }
    notify(HDN_ITEMCHANGED, i, 0, &copy);
    redraw();
    return TRUE;
}

LRESULT HeaderControl::remove(int i) {
    if (!valid(i)) return FALSE;
    m_items.erase(m_items.begin() + i);
    m_order.erase(std::find(m_order.begin(), m_order.end(), i));
    for (int& index : m_order)
        if (index > i) --index;
    redraw();
    return TRUE;
}

LRESULT HeaderControl::layout(HDLAYOUT* l) const {
    if (!l || !l->prc || !l->pwpos) return FALSE;
    int h = (style() & HDS_HIDDEN) ? 0 : height();
    *l->pwpos =
        WINDOWPOS{m_hwnd, nullptr, l->prc->left, l->prc->top, l->prc->right - l->prc->left, h, SWP_NOZORDER};
    l->prc->top += h;
    return TRUE;
}

void HeaderControl::mouseDown(POINT pt) {
    UINT flags = 0;
    int i = hitTest(pt, &flags);
    if (i < 0) return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = m_items[static_cast<std::size_t>(i)].width;
        if (notify(HDN_BEGINTRACK, i, 0, &item)) return;
        m_drag = Drag::Track;
        m_dragItem = i;
        m_grabOffset = pt.x - itemRect(i).right;
    } else if (style() & (HDS_BUTTONS | HDS_DRAGDROP)) {
        m_drag = Drag::Press;
        m_dragItem = i;
        m_pressedIn = true;
        m_pressAt = pt;
        redraw();
    } else {
        return;
    }
    SetCapture(m_hwnd);
}

int HeaderControl::dropPosition(int x) const {
    int position = 0, left = 0;
    for (int index : m_order) {
        int w = m_items[static_cast<std::size_t>(index)].width;
        if (index != m_dragItem && x >= left + w / 2) ++position;
        left += w;
    }
    return position;
}

void HeaderControl::mouseMove(POINT pt) {
    if (m_drag == Drag::Move) {
        int at = dropPosition(pt.x);
        if (at != m_dropAt) m_dropAt = at, redraw();
        return;
    }
    if (m_drag == Drag::Press && (style() & HDS_DRAGDROP) &&
        std::abs(pt.x - m_pressAt.x) >= GetSystemMetrics(SM_CXDRAG)) {
        if (notify(HDN_BEGINDRAG, m_dragItem)) {
            m_drag = Drag::None;
            if (GetCapture() == m_hwnd) ReleaseCapture();
        } else {
            m_drag = Drag::Move;
            m_dropAt = dropPosition(pt.x);
        }
        redraw();
        return;
    }
    if (m_drag == Drag::Press) {
        UINT flags = 0;
        bool inside = hitTest(pt, &flags) == m_dragItem && (flags & HHT_ONHEADER);
        if (inside != m_pressedIn) m_pressedIn = inside, redraw();
        return;
    }
    if (m_drag != Drag::Track) return;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, static_cast<int>(pt.x - m_grabOffset - itemRect(m_dragItem).left));
    if (style() & HDS_FULLDRAG) {
        changeWidth(m_dragItem, item.cxy);
        return;
    }
    if (notify(HDN_TRACK, m_dragItem, 0, &item)) mouseUp(pt);
}

void HeaderControl::mouseUp(POINT pt) {
    Drag drag = m_drag;
    int i = m_dragItem;
    m_drag = Drag::None;
    m_dragItem = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (drag == Drag::Press) {
        redraw();
        if (m_pressedIn && (style() & HDS_BUTTONS)) notify(HDN_ITEMCLICK, i);
        return;
    }
    if (drag == Drag::Move) {
        m_dragItem = i;
        endMove(pt);
        m_dragItem = -1;
        return;
    }
    if (drag != Drag::Track) return;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, static_cast<int>(pt.x - m_grabOffset - itemRect(i).left));
    notify(HDN_ENDTRACK, i, 0, &item);
    if (!(style() & HDS_FULLDRAG)) changeWidth(i, item.cxy);
}

// HDN_ENDDRAG offers the new position in pitem->iOrder; a nonzero answer leaves the order alone.
void HeaderControl::endMove(POINT pt) {
    HDITEM item{};
    item.mask = HDI_ORDER;
    item.iOrder = dropPosition(pt.x);
    m_dropAt = -1;
    if (!notify(HDN_ENDDRAG, m_dragItem, 0, &item) && valid(m_dragItem)) {
        m_order.erase(std::find(m_order.begin(), m_order.end(), m_dragItem));
        m_order.insert(m_order.begin() + std::clamp(item.iOrder, 0, static_cast<int>(m_order.size())),
                       m_dragItem);
    }
    redraw();
}

void HeaderControl::doubleClick(POINT pt) {
    UINT flags = 0;
    int i = hitTest(pt, &flags);
    if (i < 0) return;
    notify((flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? HDN_DIVIDERDBLCLICK : HDN_ITEMDBLCLICK, i);
}

void HeaderControl::drawSortArrow(HDC dc, const RECT& rc, bool up) const {
    int cx = rc.right - 12, cy = (rc.top + rc.bottom) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int row = 0; row < 4; ++row) {
        int y = up ? cy - 2 + row : cy + 1 - row;
        MoveToEx(dc, cx - row, y, nullptr);
        LineTo(dc, cx + row + 1, y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void HeaderControl::drawItem(HDC dc, int i, RECT rc) const {
    const HeaderItem& h = m_items[static_cast<std::size_t>(i)];
    bool pressed = m_drag == Drag::Press && m_dragItem == i && m_pressedIn;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | (pressed ? 0 : BF_SOFT));
    RECT inner = rc;
    InflateRect(&inner, -6, -2);
    if (pressed) OffsetRect(&inner, 1, 1);
    if (h.fmt & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT dis{ODT_HEADER,
                           static_cast<UINT>(id()),
                           static_cast<UINT>(i),
                           ODA_DRAWENTIRE,
                           pressed ? static_cast<UINT>(ODS_SELECTED) : 0u,
                           m_hwnd,
                           dc,
                           rc,
                           static_cast<ULONG_PTR>(h.lParam)};
        if (HWND parent = GetParent(m_hwnd))
            SendMessage(parent, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
        return;
    }
    if ((h.fmt & HDF_IMAGE) && m_images && h.image >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_images, &cx, &cy);
        ImageList_Draw(m_images, h.image, dc, inner.left, (inner.top + inner.bottom - cy) / 2,
                       ILD_TRANSPARENT);
        inner.left += cx + 3;
    }
    bool sorted = h.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    if (sorted) {
        drawSortArrow(dc, rc, h.fmt & HDF_SORTUP);
        inner.right -= 14;
    }
    UINT align = (h.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                 : (h.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                           : DT_LEFT;
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (inner.right > inner.left)
        DrawText(dc, h.text.c_str(), static_cast<int>(h.text.size()), &inner,
                 align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void HeaderControl::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    HGDIOBJ old = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    int x = 0;
    for (int index : m_order) {
        RECT rc{x, 0, x + m_items[static_cast<std::size_t>(index)].width, client.bottom};
        if (rc.right > rc.left) drawItem(dc, index, rc);
        x = rc.right;
    }
    RECT rest{x, 0, client.right, client.bottom};
    if (rest.right > rest.left) {
        FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    if (m_drag == Drag::Move && m_dropAt >= 0) {
        // The place the moved heading lands: a bar at the left edge of that position.
        int left = 0, position = 0;
        for (int index : m_order) {
            if (index != m_dragItem && position++ == m_dropAt) break;
            left += m_items[static_cast<std::size_t>(index)].width;
        }
        RECT bar{std::max(0, left - 1), 0, left + 1, client.bottom};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SelectObject(dc, old);
    EndPaint(m_hwnd, &ps);
}

LRESULT HeaderControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) return common;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(m_hwnd, &at);
        UINT flags = 0;
        hitTest(at, &flags);
        if (!(flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) return defaultProc(msg, wParam, lParam);
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        mouseDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        mouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        mouseUp(pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        doubleClick(pt);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_drag != Drag::None && reinterpret_cast<HWND>(lParam) != m_hwnd) m_drag = Drag::None, redraw();
        return 0;
    case HDM_GETITEMCOUNT:
        return count();
    case HDM_INSERTITEMA:
        return insert(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM:
        return remove(static_cast<int>(wParam));
    case HDM_GETITEMA:
        return getItem(static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEMA:
        return setItem(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT:
        return layout(reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info) return -1;
        info->iItem = hitTest(info->pt, &info->flags);
        return info->iItem;
    }
    case HDM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        int i = static_cast<int>(wParam);
        if (!rc || !valid(i)) return FALSE;
        *rc = itemRect(i);
        return TRUE;
    }
    case HDM_SETIMAGELIST: {
        HIMAGELIST old = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        redraw();
        return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case HDM_ORDERTOINDEX:
        return wParam < m_order.size() ? m_order[wParam] : static_cast<LRESULT>(wParam);
    case HDM_GETORDERARRAY: {
        auto* out = reinterpret_cast<int*>(lParam);
        if (!out || wParam != m_order.size()) return FALSE;
        std::copy(m_order.begin(), m_order.end(), out);
        return TRUE;
    }
    case HDM_SETORDERARRAY: {
        auto* in = reinterpret_cast<const int*>(lParam);
        if (!in || wParam != m_order.size()) return FALSE;
        std::vector<int> order(in, in + wParam), sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t k = 0; k < sorted.size(); ++k)
            if (sorted[k] != static_cast<int>(k)) return FALSE;
        m_order = order;
        redraw();
        return TRUE;
    }
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

} // namespace

void registerHeaderClass() {
    ctl::registerControlClass(WC_HEADER, ctl::controlProc<HeaderControl>,
                              CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
}

} // namespace pm::cc
