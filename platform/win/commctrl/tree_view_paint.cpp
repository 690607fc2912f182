// The tree view's rows: geometry from the anchor item at the top, hit tests, scrolling, and the
// painting of the rows the update region touches (lines, buttons, images, labels, custom draw).

#include "platform/win/commctrl/tree_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pm::cc {
namespace {

constexpr int kWalkLimit = 64; // rows to step from the anchor before looking a row up instead

} // namespace

COLORREF TreeView::textColour() const {
    return m_text == CLR_DEFAULT || m_text == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOWTEXT)
                                                                        : m_text;
}

COLORREF TreeView::backColour() const {
    return m_back == CLR_DEFAULT || m_back == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOW) : m_back;
}

int TreeView::itemHeight() const {
    if (m_itemHeight > 0) return m_itemHeight;
    if (m_autoHeight > 0) return m_autoHeight;
    TEXTMETRIC tm = fontMetrics();
    int h = tm.tmHeight + 3, cx = 0, cy = 0;
    if (m_images && ImageList_GetIconSize(m_images, &cx, &cy)) h = std::max(h, cy + 1);
    if (m_stateImages && ImageList_GetIconSize(m_stateImages, &cx, &cy)) h = std::max(h, cy + 1);
    if ((h & 1) && !(style() & TVS_NONEVENHEIGHT)) ++h;
    m_autoHeight = h;
    return h;
}

int TreeView::fullRows() const {
    return std::max(0, static_cast<int>(clientRect().bottom) / itemHeight());
}

int TreeView::topRow() const {
    if (!m_top) return 0;
    if (!m_topRowKnown) {
        m_topRow = m_top ? std::max(0, m_model.rowOf(m_top)) : 0;
        m_topRowKnown = true;
    }
    return m_topRow;
}

TreeNode* TreeView::topNode() const {
    return m_top;
}

void TreeView::setTopRow(int row) {
    int rows = m_model.rows();
    row = std::clamp(row, 0, std::max(0, rows - std::max(1, fullRows())));
    int current = topRow();
    if (m_top && row == current) return;
    TreeNode* node = m_top;
    if (node && std::abs(row - current) <= kWalkLimit) {
        for (int k = current; k < row && node; ++k)
            node = m_model.nextShown(node);
        for (int k = current; k > row && node; --k)
            node = m_model.previousShown(node);
    } else {
        node = m_model.nodeAt(row);
    }
    bool moved = m_top && node;
    m_top = node;
    m_topRow = node ? row : 0;
    m_topRowKnown = true;
    updateScrollBars();
    if (moved)
        scrollRows(0, (current - row) * itemHeight());
    else
        redraw();
}

// The rows' pixels move; only the band they uncover is painted again.
void TreeView::scrollRows(int dx, int dy) const {
    RECT client = clientRect();
    ScrollWindowEx(m_hwnd, dx, dy, &client, &client, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

void TreeView::structureChanged(bool topRowKept) {
    if (!topRowKept) m_topRowKnown = false;
    if (m_top && !m_model.shown(m_top)) {
        TreeNode* n = m_top;
        while (n->parent != m_model.root() && !m_model.shown(n))
            n = n->parent;
        m_top = n;
        m_topRowKnown = false;
    }
    setTopRow(topRow());
    updateScrollBars();
    redraw();
}

int TreeView::columnOf(const TreeNode* node) const {
    DWORD s = style();
    bool rootColumn = (s & TVS_LINESATROOT) && (s & (TVS_HASLINES | TVS_HASBUTTONS));
    return node->level + (rootColumn ? 1 : 0);
}

int TreeView::imagesWidth() const {
    int width = 0, cx = 0, cy = 0;
    if (m_stateImages && ImageList_GetIconSize(m_stateImages, &cx, &cy)) width += cx;
    if (m_images && ImageList_GetIconSize(m_images, &cx, &cy)) width += cx + 2;
    return width;
}

int TreeView::labelWidth(const TreeNode* node) const {
    std::string text = nodeText(node);
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, font());
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return size.cx + 4;
}

RECT TreeView::labelRect(const TreeNode* node, int row) const {
    int h = itemHeight(), y = (row - topRow()) * h;
    int x = columnOf(node) * m_indent - m_scrollX + imagesWidth();
    return RECT{x, y, x + labelWidth(node), y + h};
}

LRESULT TreeView::itemRect(RECT* rc, bool textOnly) const {
    if (!rc) return FALSE;
    HTREEITEM handle = nullptr;
    std::memcpy(&handle, rc, sizeof handle);
    const TreeNode* node = m_model.find(handle);
    if (!node || !m_model.shown(node)) return FALSE;
    int row = m_model.rowOf(node);
    if (textOnly) {
        *rc = labelRect(node, row);
    } else {
        int h = itemHeight(), y = (row - topRow()) * h;
        *rc = RECT{0, y, clientRect().right, y + h};
    }
    return TRUE;
}

TreeNode* TreeView::hitTest(POINT pt, UINT* flags) const {
    RECT client = clientRect();
    UINT f = 0;
    if (pt.y < 0) f |= TVHT_ABOVE;
    if (pt.y >= client.bottom) f |= TVHT_BELOW;
    if (pt.x < 0) f |= TVHT_TOLEFT;
    if (pt.x >= client.right) f |= TVHT_TORIGHT;
    TreeNode* node = f ? nullptr : m_top;
    for (int k = f ? 0 : pt.y / itemHeight(); k > 0 && node; --k)
        node = m_model.nextShown(node);
    if (!node) {
        if (flags) *flags = f ? f : TVHT_NOWHERE;
        return nullptr;
    }
    int x = pt.x + m_scrollX, column = columnOf(node) * m_indent;
    int stateWidth = 0, cx = 0, cy = 0;
    if (m_stateImages && ImageList_GetIconSize(m_stateImages, &cx, &cy)) stateWidth = cx;
    RECT label = labelRect(node, topRow() + pt.y / itemHeight());
    if (x < column) {
        bool button = (style() & TVS_HASBUTTONS) && x >= column - m_indent && hasChildren(node);
        f = button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (x < column + stateWidth) {
        f = TVHT_ONITEMSTATEICON;
    } else if (pt.x < label.left) {
        f = TVHT_ONITEMICON;
    } else {
        f = pt.x < label.right ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
    }
    if (flags) *flags = f;
    return node;
}

// The scroll bars follow the rows and the widest row painted; showing or hiding one resizes the
// client area, which comes back here through WM_SIZE, so nested calls are skipped.
void TreeView::updateScrollBars() {
    if (m_updatingBars || (style() & TVS_NOSCROLL)) return;
    m_updatingBars = true;
    RECT client = clientRect();
    int rows = m_model.rows(), page = std::max(1, fullRows());
    SCROLLINFO v{sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 0, rows - 1, static_cast<UINT>(page), topRow(), 0};
    if (rows <= fullRows()) v.nMax = 0, v.nPage = 0, v.nPos = 0;
    SetScrollInfo(m_hwnd, SB_VERT, &v, TRUE);
    if (!(style() & TVS_NOHSCROLL)) {
        SCROLLINFO h{sizeof h,
                     SIF_RANGE | SIF_PAGE | SIF_POS,
                     0,
                     m_widest - 1,
                     static_cast<UINT>(std::max<LONG>(1, client.right)),
                     m_scrollX,
                     0};
        if (m_widest <= client.right) h.nMax = 0, h.nPage = 0, h.nPos = 0;
        SetScrollInfo(m_hwnd, SB_HORZ, &h, TRUE);
    }
    m_updatingBars = false;
    RECT now = clientRect();
    if (now.right != client.right || now.bottom != client.bottom) {
        setTopRow(topRow());
        setScrollX(m_scrollX);
    }
}

void TreeView::setScrollX(int x) {
    x = std::clamp(x, 0, std::max(0, m_widest - static_cast<int>(clientRect().right)));
    if (x == m_scrollX) return;
    int dx = m_scrollX - x;
    m_scrollX = x;
    updateScrollBars();
    scrollRows(dx, 0);
}

void TreeView::onScroll(bool vertical, int code) {
    int page = vertical ? std::max(1, fullRows()) : std::max(1, static_cast<int>(clientRect().right));
    std::optional<int> pos = scrollTarget(vertical, code, vertical ? topRow() : m_scrollX, vertical ? 1 : 8,
                                          page, vertical ? m_model.rows() : m_widest);
    if (!pos) return;
    if (vertical)
        setTopRow(*pos);
    else
        setScrollX(*pos);
}

void TreeView::invalidateNode(const TreeNode* node) const {
    if (!node || !m_model.shown(node)) return;
    int offset = m_model.rowOf(node) - topRow();
    if (offset < 0 || offset > fullRows()) return;
    int h = itemHeight();
    RECT rc{0, offset * h, clientRect().right, (offset + 1) * h};
    InvalidateRect(m_hwnd, &rc, FALSE);
}

LRESULT TreeView::customDraw(HDC dc, DWORD stage, const RECT& rc, const TreeNode* node, COLORREF& text,
                             COLORREF& back) const {
    NMTVCUSTOMDRAW nm{};
    nm.nmcd.dwDrawStage = stage;
    nm.nmcd.hdc = dc;
    nm.nmcd.rc = rc;
    if (node) {
        nm.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(node->handle);
        nm.nmcd.uItemState =
            (node == m_caret ? CDIS_SELECTED : 0u) | (node == m_caret && hasFocus() ? CDIS_FOCUS : 0u);
        nm.nmcd.lItemlParam = node->lParam;
        nm.iLevel = node->level;
    }
    nm.clrText = text;
    nm.clrTextBk = back;
    LRESULT answer = sendNotify(nm.nmcd.hdr, NM_CUSTOMDRAW);
    text = nm.clrText;
    back = nm.clrTextBk;
    return answer;
}

// Dotted lines join an item to its parent's column and carry on past it to later siblings.
void TreeView::drawLines(HDC dc, const TreeNode* node, int y) const {
    int column = columnOf(node);
    if (column == 0) return;
    int h = itemHeight(), cy = y + h / 2;
    COLORREF colour = GetSysColor(COLOR_BTNSHADOW);
    auto vertical = [&](int x, int from, int to) {
        for (int py = from; py < to; ++py)
            if (((x + py) & 1) == 0) SetPixel(dc, x, py, colour);
    };
    int xc = (column - 1) * m_indent + m_indent / 2 - m_scrollX;
    for (int px = xc; px < xc + m_indent / 2 + 2; ++px)
        if (((px + cy) & 1) == 0) SetPixel(dc, px, cy, colour);
    bool above = node->prev || node->parent != m_model.root();
    vertical(xc, above ? y : cy, node->next ? y + h : cy + 1);
    int k = column - 2;
    for (const TreeNode* a = node->parent; a && a != m_model.root() && k >= 0; a = a->parent, --k)
        if (a->next) vertical(k * m_indent + m_indent / 2 - m_scrollX, y, y + h);
}

void TreeView::drawButton(HDC dc, int cx, int cy, bool expanded) const {
    RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
    ctl::fillSolid(dc, box, backColour());
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, cx - 2, cy, nullptr);
    LineTo(dc, cx + 3, cy);
    if (!expanded) {
        MoveToEx(dc, cx, cy - 2, nullptr);
        LineTo(dc, cx, cy + 3);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TreeView::drawRow(HDC dc, TreeNode* node, int y, DWORD drawFlags) {
    int h = itemHeight();
    RECT row{0, y, clientRect().right, y + h};
    COLORREF text = textColour(), back = backColour();
    COLORREF back0 = back;
    HGDIOBJ oldFont = SelectObject(dc, font()); // a receiver's CDRF_NEWFONT lasts one row
    LRESULT r = 0;
    if (drawFlags & CDRF_NOTIFYITEMDRAW) r = customDraw(dc, CDDS_ITEMPREPAINT, row, node, text, back);
    if (!(r & CDRF_SKIPDEFAULT)) {
        DWORD s = style();
        if (s & TVS_HASLINES) drawLines(dc, node, y);
        int column = columnOf(node), x = column * m_indent - m_scrollX;
        if ((s & TVS_HASBUTTONS) && column > 0 && hasChildren(node))
            drawButton(dc, x - m_indent + m_indent / 2, y + h / 2, node->expanded());
        int cx = 0, cy = 0;
        if (m_stateImages && ImageList_GetIconSize(m_stateImages, &cx, &cy)) {
            int image = static_cast<int>((node->state & TVIS_STATEIMAGEMASK) >> 12);
            if (image > 0) ImageList_Draw(m_stateImages, image, dc, x, y + (h - cy) / 2, ILD_TRANSPARENT);
            x += cx;
        }
        bool focused = hasFocus();
        bool selected = node == m_caret && (focused || (s & TVS_SHOWSELALWAYS));
        bool drop = node == m_drop;
        if (m_images && ImageList_GetIconSize(m_images, &cx, &cy)) {
            int image = nodeImage(node, node == m_caret);
            UINT flags = ILD_TRANSPARENT | (node->state & TVIS_OVERLAYMASK) |
                         ((selected && focused) || drop ? ILD_SELECTED : 0u);
            if (image >= 0) ImageList_Draw(m_images, image, dc, x, y + (h - cy) / 2, flags);
            x += cx + 2;
        }
        std::string label = nodeText(node);
        RECT rc{x, y, x + labelWidth(node), y + h};
        m_widest = std::max(m_widest, rc.right + m_scrollX);
        RECT highlight = (s & TVS_FULLROWSELECT) ? RECT{x, y, row.right, y + h} : rc;
        if (selected || drop) {
            ctl::fillSolid(dc, highlight, GetSysColor(focused || drop ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            text = GetSysColor(focused || drop ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
        } else if (back != back0) {
            ctl::fillSolid(dc, rc, back);
        }
        SetTextColor(dc, text);
        RECT inner{rc.left + 2, rc.top, rc.right, rc.bottom};
        DrawText(dc, label.c_str(), static_cast<int>(label.size()), &inner,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (node == m_caret && focused && showFocus()) DrawFocusRect(dc, &highlight);
    }
    if (r & CDRF_NOTIFYPOSTPAINT) customDraw(dc, CDDS_ITEMPOSTPAINT, row, node, text, back);
    SelectObject(dc, oldFont);
}

void TreeView::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client = clientRect();
    HGDIOBJ oldFont = beginPaintText(dc, ps.rcPaint, backColour());
    COLORREF text = textColour(), back = backColour();
    LRESULT pre = customDraw(dc, CDDS_PREPAINT, client, nullptr, text, back);
    int widest = m_widest;
    if (!(pre & CDRF_SKIPDEFAULT)) {
        int h = itemHeight(), first = std::max<int>(0, ps.rcPaint.top / h);
        TreeNode* node = m_top;
        for (int k = 0; k < first && node; ++k)
            node = m_model.nextShown(node);
        for (int y = first * h; node && y < ps.rcPaint.bottom; y += h, node = m_model.nextShown(node))
            drawRow(dc, node, y, static_cast<DWORD>(pre));
    }
    if (pre & CDRF_NOTIFYPOSTPAINT) customDraw(dc, CDDS_POSTPAINT, client, nullptr, text, back);
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
    if (m_widest != widest) updateScrollBars();
}

} // namespace pm::cc
