// The tree view's keyboard, mouse and label editing.

#include "platform/win/commctrl/tree_view.h"

#include <algorithm>
#include <vector>

namespace pm::cc {
namespace {

constexpr UINT_PTR kEditTimer = 1;

} // namespace

bool TreeView::held(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

void TreeView::clickNotify(UINT code) const {
    NMHDR nm{};
    sendNotify(nm, code);
}

void TreeView::expandAll(TreeNode* node) {
    expand(node, TVE_EXPAND, true);
    std::vector<TreeNode*> children;
    for (TreeNode* c = node->first; c; c = c->next)
        children.push_back(c);
    for (TreeNode* c : children)
        if (m_model.find(c->handle)) expandAll(c);
}

void TreeView::keyDown(WPARAM vk) {
    NMTVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(vk);
    sendNotify(nm.hdr, TVN_KEYDOWN);
    TreeNode* caret = m_caret;
    if (!caret && m_model.root()->first &&
        (vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END || vk == VK_PRIOR || vk == VK_NEXT)) {
        select(m_top ? m_top : m_model.root()->first, TVC_BYKEYBOARD);
        return;
    }
    if (!caret) return;
    int page = std::max(1, fullRows() - 1);
    TreeNode* target = nullptr;
    switch (vk) {
    case VK_UP:
        target = m_model.previousShown(caret);
        break;
    case VK_DOWN:
        target = m_model.nextShown(caret);
        break;
    case VK_HOME:
        target = m_model.root()->first;
        break;
    case VK_END:
        target = m_model.lastShown();
        break;
    case VK_PRIOR:
    case VK_NEXT:
        target = caret;
        for (int k = 0; k < page; ++k) {
            TreeNode* step = vk == VK_NEXT ? m_model.nextShown(target) : m_model.previousShown(target);
            if (!step) break;
            target = step;
        }
        break;
    case VK_LEFT:
        if (caret->expanded() && caret->first) {
            expand(caret, TVE_COLLAPSE, true);
            return;
        }
        [[fallthrough]];
    case VK_BACK:
        target = caret->parent == m_model.root() ? nullptr : caret->parent;
        break;
    case VK_RIGHT:
        if (!caret->expanded()) {
            expand(caret, TVE_EXPAND, true);
            return;
        }
        target = caret->first;
        break;
    case VK_ADD:
        expand(caret, TVE_EXPAND, true);
        return;
    case VK_SUBTRACT:
        expand(caret, TVE_COLLAPSE, true);
        return;
    case VK_MULTIPLY:
        expandAll(caret);
        return;
    default:
        return;
    }
    if (target) select(target, TVC_BYKEYBOARD);
}

void TreeView::mouseDown(POINT pt, bool right) {
    endEdit(false);
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    UINT flags = 0;
    TreeNode* node = hitTest(pt, &flags);
    if (!right && node && (flags & TVHT_ONITEMBUTTON)) {
        expand(node, TVE_TOGGLE, true);
        return;
    }
    bool onItem =
        node && ((flags & TVHT_ONITEM) || ((style() & TVS_FULLROWSELECT) && (flags & TVHT_ONITEMRIGHT)));
    m_editPending =
        !right && onItem && node == m_caret && (flags & TVHT_ONITEMLABEL) && (style() & TVS_EDITLABELS);
    m_pressed = true;
    m_pressRight = right;
    m_pressNode = onItem ? node : nullptr;
    m_pressAt = pt;
    SetCapture(m_hwnd);
}

void TreeView::mouseMove(POINT pt) {
    if (!m_pressed) return;
    if (!ctl::outsideDragRect(m_pressAt, pt)) return;
    m_pressed = false;
    m_editPending = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (m_pressNode && !(style() & TVS_DISABLEDRAGDROP))
        notifyTree(m_pressRight ? TVN_BEGINRDRAG : TVN_BEGINDRAG, 0, nullptr, m_pressNode, m_pressAt);
}

// The click is announced before the selection changes; a receiver that handles it (nonzero)
// keeps the selection as it was.
void TreeView::mouseUp(POINT pt, bool right) {
    if (!m_pressed || m_pressRight != right) return;
    m_pressed = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    TreeNode* node = m_pressNode;
    NMHDR nm{};
    if (right) {
        if (sendNotify(nm, NM_RCLICK)) return;
        POINT screen = pt;
        ClientToScreen(m_hwnd, &screen);
        SendMessage(m_hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hwnd), MAKELPARAM(screen.x, screen.y));
        return;
    }
    if (sendNotify(nm, NM_CLICK)) return;
    if (node && m_model.find(node->handle)) select(node, TVC_BYMOUSE);
    if (m_editPending) SetTimer(m_hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
}

void TreeView::doubleClick(POINT pt) {
    m_editPending = false;
    KillTimer(m_hwnd, kEditTimer);
    UINT flags = 0;
    TreeNode* node = hitTest(pt, &flags);
    NMHDR nm{};
    if (sendNotify(nm, NM_DBLCLK)) return;
    if (node && (flags & TVHT_ONITEM)) expand(node, TVE_TOGGLE, true);
}

HWND TreeView::editLabel(TreeNode* node) {
    endEdit(false);
    if (!node || !m_model.find(node->handle)) return nullptr;
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (m_caret != node) select(node, TVC_UNKNOWN);
    ensureVisible(node);
    std::string text = nodeText(node);
    NMTVDISPINFO nm{};
    fillItem(nm.item, node);
    nm.item.mask |= TVIF_TEXT;
    nm.item.pszText = text.data();
    nm.item.cchTextMax = static_cast<int>(text.size()) + 1;
    if (sendNotify(nm.hdr, TVN_BEGINLABELEDIT)) return nullptr;
    if (!m_model.find(node->handle)) return nullptr;
    RECT rc = labelRect(node, m_model.rowOf(node));
    int width = std::max<int>(rc.right - rc.left + 40, 60);
    m_edit = CreateWindowEx(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                            rc.left, rc.top, width, rc.bottom - rc.top, m_hwnd, nullptr, nullptr, nullptr);
    if (!m_edit) return nullptr;
    m_editNode = node;
    SendMessage(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    SetWindowLongPtr(m_edit, GWLP_USERDATA, GetWindowLongPtr(m_edit, GWLP_WNDPROC));
    SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
    SendMessage(m_edit, EM_SETSEL, 0, -1);
    SetFocus(m_edit);
    return m_edit;
}

// Ends label editing: TVN_ENDLABELEDIT carries the new text (NULL when cancelled); a nonzero
// answer keeps it as the label.
void TreeView::endEdit(bool cancel) {
    if (!m_edit || m_ending) return;
    m_ending = true;
    HWND edit = m_edit;
    TreeNode* node = m_editNode;
    int n = GetWindowTextLength(edit);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(edit, text.data(), n + 1)));
    m_edit = nullptr;
    m_editNode = nullptr;
    bool focused = GetFocus() == edit;
    DestroyWindow(edit);
    if (focused) SetFocus(m_hwnd);
    if (node && m_model.find(node->handle)) {
        NMTVDISPINFO nm{};
        fillItem(nm.item, node);
        nm.item.mask |= TVIF_TEXT;
        nm.item.pszText = cancel ? nullptr : text.data();
        nm.item.cchTextMax = cancel ? 0 : static_cast<int>(text.size()) + 1;
        if (sendNotify(nm.hdr, TVN_ENDLABELEDIT) && !cancel && m_model.find(node->handle)) {
            node->text = text;
            node->textCallback = false;
            invalidateNode(node);
        }
    }
    m_ending = false;
}

LRESULT CALLBACK TreeView::editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    HWND tree = GetParent(hwnd);
    switch (msg) {
    case WM_GETDLGCODE:
        return CallWindowProc(old, hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            SendMessage(tree, TVM_ENDEDITLABELNOW, wParam == VK_ESCAPE, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 0x1B) return 0;
        break;
    default:
        break;
    }
    return CallWindowProc(old, hwnd, msg, wParam, lParam);
}

} // namespace pm::cc
