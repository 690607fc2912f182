// The tree view's items, expansion, selection, notifications and messages.

#include "platform/win/commctrl/tree_view.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pm::cc {
namespace {

constexpr int kLabelMax = 260;              // the text buffer offered with TVN_GETDISPINFO
constexpr std::size_t kAnswerMax = 1 << 16; // longest text read from a receiver's own buffer

} // namespace

TreeView::TreeView(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {
    m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// ---- Notifications ----------------------------------------------------------------------------------

void TreeView::fillItem(TVITEM& item, const TreeNode* node) const {
    item = TVITEM{};
    if (!node) return;
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = node->handle;
    item.state = node->state;
    item.stateMask = ~0u;
    item.lParam = node->lParam;
}

LRESULT TreeView::notifyTree(UINT code, UINT action, const TreeNode* oldNode, const TreeNode* newNode,
                             POINT drag) const {
    NMTREEVIEW nm{};
    nm.action = action;
    fillItem(nm.itemOld, oldNode);
    fillItem(nm.itemNew, newNode);
    nm.ptDrag = drag;
    return sendNotify(nm.hdr, code);
}

TVITEM TreeView::askDispInfo(const TreeNode* node, UINT mask, char* buffer, int size) const {
    NMTVDISPINFO nm{};
    fillItem(nm.item, node);
    nm.item.mask = mask | TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
    nm.item.pszText = buffer;
    nm.item.cchTextMax = size;
    nm.item.iImage = node->image;
    nm.item.iSelectedImage = node->selectedImage;
    nm.item.cChildren = node->children;
    sendNotify(nm.hdr, TVN_GETDISPINFO);
    return nm.item;
}

// ---- Items ------------------------------------------------------------------------------------------

TreeNode* TreeView::parentOf(HTREEITEM handle) const {
    return !handle || handle == TVI_ROOT ? m_model.root() : m_model.find(handle);
}

std::string TreeView::nodeText(const TreeNode* node) const {
    if (!node->textCallback) return node->text;
    std::vector<char> buffer(kLabelMax, '\0');
    TVITEM item = askDispInfo(node, TVIF_TEXT, buffer.data(), kLabelMax);
    if (!item.pszText || item.pszText == LPSTR_TEXTCALLBACK) return {};
    std::size_t limit = item.pszText == buffer.data() ? buffer.size() - 1 : kAnswerMax;
    std::string text(item.pszText, strnlen(item.pszText, limit));
    if (item.mask & TVIF_DI_SETITEM) {
        auto* self = const_cast<TreeNode*>(node);
        self->text = text;
        self->textCallback = false;
    }
    return text;
}

int TreeView::nodeImage(const TreeNode* node, bool selected) const {
    int image = selected ? node->selectedImage : node->image;
    if (image != I_IMAGECALLBACK) return image;
    TVITEM item = askDispInfo(node, selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE, nullptr, 0);
    return selected ? item.iSelectedImage : item.iImage;
}

bool TreeView::hasChildren(const TreeNode* node) const {
    if (node->children == kChildrenAuto || node->first) return node->first != nullptr || node->children > 0;
    if (node->children != I_CHILDRENCALLBACK) return node->children > 0;
    return askDispInfo(node, TVIF_CHILDREN, nullptr, 0).cChildren > 0;
}

// TVI_SORT: after the last sibling that sorts before or with text; appending sorted input costs
// one comparison.
TreeNode* TreeView::sortedAfter(TreeNode* parent, const std::string& text) const {
    if (!parent->last || ctl::compareNoCase(parent->last->text, text) <= 0) return parent->last;
    TreeNode* after = nullptr;
    for (TreeNode* c = parent->first; c && ctl::compareNoCase(c->text, text) <= 0; c = c->next)
        after = c;
    return after;
}

LRESULT TreeView::insertItem(const TVINSERTSTRUCT* insert) {
    if (!insert) return 0;
    TreeNode* parent = parentOf(insert->hParent);
    if (!parent) return 0;
    const TVITEM& item = insert->item;
    bool callback = (item.mask & TVIF_TEXT) && item.pszText == LPSTR_TEXTCALLBACK;
    std::string text = (item.mask & TVIF_TEXT) && item.pszText && !callback ? item.pszText : "";
    TreeNode* after = parent->last;
    HTREEITEM where = insert->hInsertAfter;
    if (where == TVI_FIRST) {
        after = nullptr;
    } else if (where == TVI_SORT) {
        after = sortedAfter(parent, text);
    } else if (where != TVI_LAST) {
        TreeNode* sibling = m_model.find(where);
        if (sibling && sibling->parent == parent) after = sibling;
    }
    bool atTop = topRow() == 0;
    TreeNode* node = m_model.insert(parent, after);
    node->text = std::move(text);
    node->textCallback = callback;
    if (item.mask & TVIF_IMAGE) node->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE) node->selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_PARAM) node->lParam = item.lParam;
    if (item.mask & TVIF_CHILDREN) node->children = item.cChildren;
    if (item.mask & TVIF_STATE)
        node->state = item.state & item.stateMask & ~static_cast<UINT>(TVIS_EXPANDED | TVIS_SELECTED);
    if (!m_top || (atTop && parent == m_model.root() && !after)) {
        m_top = m_model.root()->first;
        m_topRow = 0;
        m_topRowKnown = true;
    } else if (m_topRowKnown && m_model.shown(node) && TreeModel::precedes(node, m_top)) {
        ++m_topRow;
    }
    if (m_model.shown(node))
        structureChanged(true);
    else if (!node->prev)
        invalidateNode(parent); // its button may appear
    return reinterpret_cast<LRESULT>(node->handle);
}

LRESULT TreeView::deleteItem(HTREEITEM handle) {
    TreeNode* node = !handle || handle == TVI_ROOT ? nullptr : m_model.find(handle);
    if (handle && handle != TVI_ROOT && !node) return FALSE;
    if (m_edit && (!node || TreeModel::isWithin(m_editNode, node))) endEdit(true);
    // Handles, not items: a receiver of TVN_DELETEITEM may delete more of the tree.
    std::vector<HTREEITEM> tops;
    if (node)
        tops.push_back(node->handle);
    else
        for (TreeNode* c = m_model.root()->first; c; c = c->next)
            tops.push_back(c->handle);
    for (HTREEITEM topHandle : tops) {
        TreeNode* top = m_model.find(topHandle);
        if (!top) continue;
        // The caret moves to a neighbour that stays: the next sibling, the previous, the parent.
        bool caretGoes = m_caret && TreeModel::isWithin(m_caret, top);
        TreeNode* heirNode = top->next ? top->next : top->prev ? top->prev : top->parent;
        HTREEITEM heir = heirNode == m_model.root() || !node ? nullptr : heirNode->handle;
        if (m_top && TreeModel::isWithin(m_top, top)) {
            TreeNode* before = m_model.previousShown(top);
            m_top = before ? before : top->next;
            m_topRowKnown = false;
        } else if (m_top && m_topRowKnown && m_model.shown(top) && TreeModel::precedes(top, m_top)) {
            m_topRow -= top->rows();
        }
        if (m_pressNode && TreeModel::isWithin(m_pressNode, top)) m_pressNode = nullptr, m_pressed = false;
        if (m_drop && TreeModel::isWithin(m_drop, top)) m_drop = nullptr;
        m_model.remove(top, [this](TreeNode& gone) { notifyTree(TVN_DELETEITEM, 0, &gone, nullptr); });
        if (caretGoes) {
            m_caret = nullptr;
            if (TreeNode* next = m_model.find(heir)) select(next, TVC_UNKNOWN);
        }
    }
    if (!m_model.root()->first) m_top = nullptr, m_widest = 0, m_scrollX = 0;
    structureChanged(true);
    return TRUE;
}

LRESULT TreeView::getItem(TVITEM* item) const {
    if (!item) return FALSE;
    const TreeNode* node = m_model.find(item->hItem);
    if (!node) return FALSE;
    if (item->mask & TVIF_TEXT) ctl::copyText(nodeText(node), item->pszText, item->cchTextMax);
    if (item->mask & TVIF_IMAGE) item->iImage = nodeImage(node, false);
    if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = nodeImage(node, true);
    if (item->mask & TVIF_PARAM) item->lParam = node->lParam;
    if (item->mask & TVIF_STATE) item->state = node->state & item->stateMask;
    if (item->mask & TVIF_CHILDREN)
        item->cChildren = node->children == kChildrenAuto ? (node->first ? 1 : 0) : node->children;
    return TRUE;
}

LRESULT TreeView::setItem(const TVITEM* item) {
    if (!item) return FALSE;
    TreeNode* node = m_model.find(item->hItem);
    if (!node) return FALSE;
    if (item->mask & TVIF_TEXT) {
        node->textCallback = item->pszText == LPSTR_TEXTCALLBACK;
        node->text = item->pszText && !node->textCallback ? item->pszText : "";
    }
    if (item->mask & TVIF_IMAGE) node->image = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE) node->selectedImage = item->iSelectedImage;
    if (item->mask & TVIF_PARAM) node->lParam = item->lParam;
    if (item->mask & TVIF_CHILDREN) node->children = item->cChildren;
    if (item->mask & TVIF_STATE) {
        UINT mask = item->stateMask;
        // The expanded state set directly changes the rows without notifications.
        if (mask & TVIS_EXPANDED) {
            bool on = (item->state & TVIS_EXPANDED) != 0;
            if (!on && m_top && m_top != node && TreeModel::isWithin(m_top, node)) m_top = node;
            m_model.setExpanded(node, on);
            mask &= ~static_cast<UINT>(TVIS_EXPANDED);
        }
        node->state = (node->state & ~mask) | (item->state & mask);
        structureChanged();
    }
    invalidateNode(node);
    return TRUE;
}

TreeNode* TreeView::nextItem(TreeNode* node, UINT code) const {
    TreeNode* root = m_model.root();
    switch (code) {
    case TVGN_ROOT:
        return root->first;
    case TVGN_CARET:
        return m_caret;
    case TVGN_DROPHILITE:
        return m_drop;
    case TVGN_FIRSTVISIBLE:
        return topNode();
    case TVGN_LASTVISIBLE:
        return m_model.lastShown();
    default:
        break;
    }
    if (!node) return code == TVGN_CHILD ? root->first : nullptr;
    switch (code) {
    case TVGN_NEXT:
        return node->next;
    case TVGN_PREVIOUS:
        return node->prev;
    case TVGN_PARENT:
        return node->parent == root ? nullptr : node->parent;
    case TVGN_CHILD:
        return node->first;
    case TVGN_NEXTVISIBLE:
        return m_model.shown(node) ? m_model.nextShown(node) : nullptr;
    case TVGN_PREVIOUSVISIBLE:
        return m_model.shown(node) ? m_model.previousShown(node) : nullptr;
    default:
        return nullptr;
    }
}

LRESULT TreeView::sortChildren(HTREEITEM handle, bool recurse, PFNTVCOMPARE compare, LPARAM data) {
    TreeNode* parent = parentOf(handle);
    if (!parent) return FALSE;
    if (compare)
        m_model.sortChildren(
            parent,
            [&](const TreeNode& a, const TreeNode& b) { return compare(a.lParam, b.lParam, data) < 0; },
            recurse);
    else
        m_model.sortChildren(
            parent,
            [this](const TreeNode& a, const TreeNode& b) {
                return ctl::compareNoCase(nodeText(&a), nodeText(&b)) < 0;
            },
            recurse);
    structureChanged();
    return TRUE;
}

// ---- Expansion and selection ------------------------------------------------------------------------

bool TreeView::expand(TreeNode* node, UINT code, bool notify) {
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE) action = node->expanded() ? TVE_COLLAPSE : TVE_EXPAND;
    bool reset = (code & TVE_COLLAPSERESET) && action == TVE_COLLAPSE;
    if (action == TVE_EXPAND && (node->expanded() || !hasChildren(node))) return false;
    if (action == TVE_COLLAPSE && !node->expanded() && !reset) return false;
    if (notify && notifyTree(TVN_ITEMEXPANDING, action, nullptr, node)) return false;
    if (!m_model.find(node->handle)) return false; // deleted by the receiver
    if (action == TVE_COLLAPSE) {
        if (m_top && m_top != node && TreeModel::isWithin(m_top, node)) m_top = node;
        m_model.setExpanded(node, false);
        if (m_caret && m_caret != node && TreeModel::isWithin(m_caret, node)) select(node, TVC_UNKNOWN);
        if (reset) {
            while (node->first)
                deleteItem(node->first->handle);
            node->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
        }
    } else {
        node->state |= TVIS_EXPANDEDONCE;
        m_model.setExpanded(node, true);
    }
    structureChanged();
    if (notify) notifyTree(TVN_ITEMEXPANDED, action, nullptr, node);
    return true;
}

bool TreeView::expandParents(TreeNode* node) {
    std::vector<TreeNode*> chain;
    for (TreeNode* p = node->parent; p && p != m_model.root(); p = p->parent)
        if (!p->expanded()) chain.push_back(p);
    bool any = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        any |= expand(*it, TVE_EXPAND, true);
    return any;
}

bool TreeView::select(TreeNode* node, UINT action) {
    if (node == m_caret) return true;
    if (notifyTree(TVN_SELCHANGING, action, m_caret, node)) return false;
    if (node && !m_model.find(node->handle)) return false;
    TreeNode* old = m_caret;
    if (old) old->state &= ~static_cast<UINT>(TVIS_SELECTED), invalidateNode(old);
    m_caret = node;
    if (node) node->state |= TVIS_SELECTED, invalidateNode(node);
    notifyTree(TVN_SELCHANGED, action, old, node);
    if (m_caret) ensureVisible(m_caret);
    return true;
}

LRESULT TreeView::selectItem(UINT code, HTREEITEM handle) {
    TreeNode* node = m_model.find(handle);
    if (handle && !node) return FALSE;
    switch (code) {
    case TVGN_CARET:
        if (node) expandParents(node);
        return select(node, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        if (m_drop) m_drop->state &= ~static_cast<UINT>(TVIS_DROPHILITED), invalidateNode(m_drop);
        m_drop = node;
        if (node) node->state |= TVIS_DROPHILITED, invalidateNode(node);
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        if (!node) return FALSE;
        expandParents(node);
        setTopRow(m_model.rowOf(node));
        return TRUE;
    default:
        return FALSE;
    }
}

bool TreeView::ensureVisible(TreeNode* node) {
    bool expanded = expandParents(node);
    int row = m_model.rowOf(node), top = topRow(), page = std::max(1, fullRows());
    bool scrolled = row < top || row >= top + page;
    if (row < top) setTopRow(row);
    if (row >= top + page) setTopRow(row - page + 1);
    return scrolled && !expanded;
}

// ---- Messages ---------------------------------------------------------------------------------------

LRESULT TreeView::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (handleCommon(msg, wParam, lParam, common)) {
        if (msg == WM_SETFONT) m_autoHeight = 0, structureChanged();
        return common;
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_STYLECHANGED:
        m_autoHeight = 0;
        structureChanged();
        return 0;
    case WM_SIZE:
        setTopRow(topRow());
        updateScrollBars();
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_caret) invalidateNode(m_caret);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_VSCROLL:
    case WM_HSCROLL:
        onScroll(msg == WM_VSCROLL, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        setTopRow(topRow() - 3 * (static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        mouseDown(pt, msg == WM_RBUTTONDOWN);
        return 0;
    case WM_MOUSEMOVE:
        mouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        mouseUp(pt, msg == WM_RBUTTONUP);
        return 0;
    case WM_LBUTTONDBLCLK:
        doubleClick(pt);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hwnd) m_pressed = false;
        return 0;
    case WM_TIMER:
        if (wParam != 1) return defaultProc(msg, wParam, lParam);
        KillTimer(m_hwnd, 1);
        if (m_editPending && m_caret) editLabel(m_caret);
        m_editPending = false;
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_edit && HIWORD(wParam) == EN_KILLFOCUS) endEdit(false);
        return 0;
    case WM_DESTROY:
        // Receivers free what their items' lParams own on TVN_DELETEITEM, so a tree going away
        // says goodbye to its items, without repainting anything.
        endEdit(true);
        m_caret = m_drop = m_top = m_pressNode = nullptr;
        while (TreeNode* first = m_model.root()->first)
            m_model.remove(first, [this](TreeNode& gone) { notifyTree(TVN_DELETEITEM, 0, &gone, nullptr); });
        return defaultProc(msg, wParam, lParam);
    case TVM_INSERTITEMA:
        return insertItem(reinterpret_cast<const TVINSERTSTRUCT*>(lParam));
    case TVM_DELETEITEM:
        return deleteItem(reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND: {
        TreeNode* node = m_model.find(reinterpret_cast<HTREEITEM>(lParam));
        if (!node) return FALSE;
        // Once an item was expanded, TVM_EXPAND changes it without notifications.
        bool notify = !(node->state & TVIS_EXPANDEDONCE);
        expand(node, static_cast<UINT>(wParam), notify);
        return TRUE;
    }
    case TVM_GETITEMRECT:
        return itemRect(reinterpret_cast<RECT*>(lParam), wParam != 0);
    case TVM_GETCOUNT:
        return m_model.count();
    case TVM_GETINDENT:
        return m_indent;
    case TVM_SETINDENT:
        m_indent = std::max(static_cast<int>(wParam), 8);
        structureChanged();
        return 0;
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? m_stateImages : m_images);
    case TVM_SETIMAGELIST: {
        HIMAGELIST& slot = wParam == TVSIL_STATE ? m_stateImages : m_images;
        HIMAGELIST old = slot;
        slot = reinterpret_cast<HIMAGELIST>(lParam);
        m_autoHeight = 0;
        structureChanged();
        return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM: {
        TreeNode* node = m_model.find(reinterpret_cast<HTREEITEM>(lParam));
        if (lParam && !node && reinterpret_cast<HTREEITEM>(lParam) != TVI_ROOT) return 0;
        TreeNode* found = nextItem(node, static_cast<UINT>(wParam));
        return found ? reinterpret_cast<LRESULT>(found->handle) : 0;
    }
    case TVM_SELECTITEM:
        return selectItem(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMA:
        return getItem(reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEMA:
        return setItem(reinterpret_cast<const TVITEM*>(lParam));
    case TVM_GETITEMSTATE: {
        TreeNode* node = m_model.find(reinterpret_cast<HTREEITEM>(wParam));
        return node ? node->state & static_cast<UINT>(lParam) : 0;
    }
    case TVM_EDITLABELA:
        return reinterpret_cast<LRESULT>(editLabel(m_model.find(reinterpret_cast<HTREEITEM>(lParam))));
    case TVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(m_edit);
    case TVM_ENDEDITLABELNOW:
        if (!m_edit) return FALSE;
        endEdit(wParam != 0);
        return TRUE;
    case TVM_GETVISIBLECOUNT:
        return fullRows();
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info) return 0;
        TreeNode* node = hitTest(info->pt, &info->flags);
        info->hItem = node ? node->handle : nullptr;
        return reinterpret_cast<LRESULT>(info->hItem);
    }
    case TVM_SORTCHILDREN:
        return sortChildren(reinterpret_cast<HTREEITEM>(lParam), wParam != 0, nullptr, 0);
    case TVM_SORTCHILDRENCB: {
        auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
        if (!sort || !sort->lpfnCompare) return FALSE;
        return sortChildren(sort->hParent, wParam != 0, sort->lpfnCompare, sort->lParam);
    }
    case TVM_ENSUREVISIBLE: {
        TreeNode* node = m_model.find(reinterpret_cast<HTREEITEM>(lParam));
        return node ? ensureVisible(node) : FALSE;
    }
    case TVM_SETITEMHEIGHT: {
        int old = itemHeight();
        m_itemHeight = static_cast<int>(static_cast<short>(LOWORD(wParam)));
        if (m_itemHeight < 0) m_itemHeight = 0;
        structureChanged();
        return old;
    }
    case TVM_GETITEMHEIGHT:
        return itemHeight();
    case TVM_SETBKCOLOR: {
        COLORREF old = m_back;
        m_back = static_cast<COLORREF>(lParam);
        redraw();
        return static_cast<LRESULT>(old == CLR_DEFAULT ? static_cast<COLORREF>(-1) : old);
    }
    case TVM_GETBKCOLOR:
        return static_cast<LRESULT>(m_back == CLR_DEFAULT ? static_cast<COLORREF>(-1) : m_back);
    case TVM_SETTEXTCOLOR: {
        COLORREF old = m_text;
        m_text = static_cast<COLORREF>(lParam);
        redraw();
        return static_cast<LRESULT>(old == CLR_DEFAULT ? static_cast<COLORREF>(-1) : old);
    }
    case TVM_GETTEXTCOLOR:
        return static_cast<LRESULT>(m_text == CLR_DEFAULT ? static_cast<COLORREF>(-1) : m_text);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

void registerTreeViewClass() {
    ctl::registerControlClass(WC_TREEVIEW, ctl::controlProc<TreeView>, CS_DBLCLKS, IDC_ARROW);
}

} // namespace pm::cc
