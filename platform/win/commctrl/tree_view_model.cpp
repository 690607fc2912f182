// Tree items linked as siblings, with row counts kept up to date from the changed item upwards.

#include "platform/win/commctrl/tree_view_model.h"

#include <algorithm>
#include <vector>

namespace pm::cc {

TreeModel::TreeModel() : m_root(std::make_unique<TreeNode>()) {
    m_root->state = TVIS_EXPANDED;
    m_root->level = -1;
}

TreeNode* TreeModel::find(HTREEITEM handle) const {
    return m_table.get(reinterpret_cast<std::uintptr_t>(handle));
}

void TreeModel::addRows(TreeNode* from, int delta) {
    for (TreeNode* n = from; n && delta; n = n->parent) {
        n->below += delta;
        if (!n->expanded()) break;
    }
}

void TreeModel::linkAfter(TreeNode* parent, TreeNode* after, TreeNode* node) {
    node->parent = parent;
    node->prev = after;
    node->next = after ? after->next : parent->first;
    if (node->next)
        node->next->prev = node;
    else
        parent->last = node;
    if (after)
        after->next = node;
    else
        parent->first = node;
}

void TreeModel::unlink(TreeNode* node) {
    TreeNode* parent = node->parent;
    (node->prev ? node->prev->next : parent->first) = node->next;
    (node->next ? node->next->prev : parent->last) = node->prev;
    node->prev = node->next = nullptr;
}

TreeNode* TreeModel::insert(TreeNode* parent, TreeNode* after) {
    auto owned = std::make_unique<TreeNode>();
    TreeNode* node = owned.get();
    node->handle = reinterpret_cast<HTREEITEM>(m_table.add(std::move(owned)));
    node->level = parent->level + 1;
    linkAfter(parent, after, node);
    ++m_count;
    addRows(parent, 1);
    return node;
}

// The handles of node and its descendants, parents before children.
std::vector<HTREEITEM> TreeModel::subtree(const TreeNode* node) const {
    std::vector<HTREEITEM> order;
    std::vector<const TreeNode*> stack{node};
    while (!stack.empty()) {
        const TreeNode* n = stack.back();
        stack.pop_back();
        order.push_back(n->handle);
        for (const TreeNode* c = n->first; c; c = c->next)
            stack.push_back(c);
    }
    return order;
}

// `gone` may change the tree itself (even delete these items): every item is looked up again by
// its handle before it is announced or freed, and none is announced twice.
void TreeModel::remove(TreeNode* node, const std::function<void(TreeNode&)>& gone) {
    if (!node || node == m_root.get()) return;
    HTREEITEM handle = node->handle;
    std::vector<HTREEITEM> order = subtree(node);
    std::vector<HTREEITEM> announce;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TreeNode* n = find(*it);
        if (!n->going) n->going = true, announce.push_back(*it);
    }
    for (HTREEITEM h : announce)
        if (TreeNode* n = find(h)) gone(*n);
    node = find(handle);
    if (!node) return;
    order = subtree(node);
    addRows(node->parent, -node->rows());
    unlink(node);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (m_table.remove(reinterpret_cast<std::uintptr_t>(*it))) --m_count;
}

void TreeModel::setExpanded(TreeNode* node, bool on) {
    if (node->expanded() == on) return;
    int before = node->rows();
    node->state = on ? node->state | TVIS_EXPANDED : node->state & ~static_cast<UINT>(TVIS_EXPANDED);
    addRows(node->parent, node->rows() - before);
}

void TreeModel::sortChildren(TreeNode* parent,
                             const std::function<bool(const TreeNode&, const TreeNode&)>& less,
                             bool recurse) {
    std::vector<TreeNode*> children;
    for (TreeNode* c = parent->first; c; c = c->next)
        children.push_back(c);
    std::stable_sort(children.begin(), children.end(),
                     [&](const TreeNode* a, const TreeNode* b) { return less(*a, *b); });
    parent->first = parent->last = nullptr;
    TreeNode* after = nullptr;
    for (TreeNode* c : children) {
        linkAfter(parent, after, c);
        after = c;
    }
    if (recurse)
        for (TreeNode* c : children)
            sortChildren(c, less, true);
}

bool TreeModel::shown(const TreeNode* node) const {
    for (const TreeNode* p = node->parent; p && p != m_root.get(); p = p->parent)
        if (!p->expanded()) return false;
    return true;
}

bool TreeModel::isWithin(const TreeNode* node, const TreeNode* ancestor) {
    for (const TreeNode* n = node; n; n = n->parent)
        if (n == ancestor) return true;
    return false;
}

bool TreeModel::precedes(const TreeNode* a, const TreeNode* b) {
    if (a == b) return false;
    std::vector<const TreeNode*> pathOfB;
    for (const TreeNode* n = b; n; n = n->parent)
        pathOfB.push_back(n);
    const TreeNode* childA = nullptr; // a's branch under the common ancestor
    const TreeNode* common = a;
    for (; common; childA = common, common = common->parent)
        if (std::find(pathOfB.begin(), pathOfB.end(), common) != pathOfB.end()) break;
    if (common == a) return true;  // a is an ancestor of b
    if (common == b) return false; // b is an ancestor of a
    const TreeNode* childB = *(std::find(pathOfB.begin(), pathOfB.end(), common) - 1);
    // Step both ways from a's branch until b's branch or an end turns up.
    for (const TreeNode *ahead = childA->next, *behind = childA->prev;;
         ahead = ahead->next, behind = behind->prev) {
        if (ahead == childB || !behind) return true;
        if (behind == childB || !ahead) return false;
    }
}

int TreeModel::rowOf(const TreeNode* node) const {
    if (!node || !shown(node)) return -1;
    int row = 0;
    for (const TreeNode* n = node; n->parent; n = n->parent) {
        for (const TreeNode* s = n->parent->first; s != n; s = s->next)
            row += s->rows();
        if (n->parent != m_root.get()) ++row;
    }
    return row;
}

TreeNode* TreeModel::nodeAt(int row) const {
    if (row < 0 || row >= rows()) return nullptr;
    const TreeNode* n = m_root.get();
    while (n) {
        const TreeNode* c = n->first;
        for (; c; c = c->next) {
            if (row < c->rows()) break;
            row -= c->rows();
        }
        if (!c) return nullptr;
        if (row == 0) return const_cast<TreeNode*>(c);
        row -= 1;
        n = c;
    }
    return nullptr;
}

TreeNode* TreeModel::nextShown(const TreeNode* node) const {
    if (node->expanded() && node->first) return node->first;
    for (const TreeNode* n = node; n && n != m_root.get(); n = n->parent)
        if (n->next) return n->next;
    return nullptr;
}

TreeNode* TreeModel::previousShown(const TreeNode* node) const {
    if (!node->prev) return node->parent == m_root.get() ? nullptr : node->parent;
    TreeNode* n = node->prev;
    while (n->expanded() && n->last)
        n = n->last;
    return n;
}

TreeNode* TreeModel::lastShown() const {
    TreeNode* n = m_root->last;
    while (n && n->expanded() && n->last)
        n = n->last;
    return n;
}

} // namespace pm::cc
