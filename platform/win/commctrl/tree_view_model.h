#pragma once
// The items of a tree view, without a window: linked siblings under parents, reached through
// HTREEITEM handles that a deleted item's handle no longer matches, and for each item the number
// of rows its children show, kept as items expand, collapse, arrive and go, so that rows and items
// map onto each other without walking the whole tree.

#include "platform/win/commctrl.h"
#include "platform/win/handle_table.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pm::cc {

// cChildren when none was given: the button follows the item's actual children.
constexpr int kChildrenAuto = -2;

struct TreeNode {
    HTREEITEM handle = nullptr;
    TreeNode* parent = nullptr;
    TreeNode* first = nullptr;
    TreeNode* last = nullptr;
    TreeNode* next = nullptr;
    TreeNode* prev = nullptr;
    int below = 0; // rows the children's subtrees show when this item is expanded
    int level = 0; // 0 for top-level items
    std::string text;
    bool textCallback = false;
    int image = 0;
    int selectedImage = 0;
    int children = kChildrenAuto;
    UINT state = 0;
    LPARAM lParam = 0;
    bool going = false; // announced as deleted, or about to be

    bool expanded() const { return (state & TVIS_EXPANDED) != 0; }
    // Rows this item and its shown descendants take.
    int rows() const { return 1 + (expanded() ? below : 0); }
};

class TreeModel {
public:
    TreeModel();

    // The hidden root: its children are the top-level items; it is always expanded.
    TreeNode* root() const { return m_root.get(); }
    // The item of a live handle; nullptr for NULL, stale or foreign handles.
    TreeNode* find(HTREEITEM handle) const;
    // A new item under parent after `after` (nullptr: as the first child).
    TreeNode* insert(TreeNode* parent, TreeNode* after);
    // Removes an item and its descendants; `gone` sees each one, children before parents, while
    // the tree is still whole.
    void remove(TreeNode* node, const std::function<void(TreeNode&)>& gone);
    void setExpanded(TreeNode* node, bool on);
    // Reorders the children of parent (and their children with `recurse`) by `less`, stably.
    void sortChildren(TreeNode* parent, const std::function<bool(const TreeNode&, const TreeNode&)>& less,
                      bool recurse);
    int count() const { return m_count; }
    // Rows the whole tree shows.
    int rows() const { return m_root->below; }
    // True when every ancestor of node is expanded.
    bool shown(const TreeNode* node) const;
    static bool isWithin(const TreeNode* node, const TreeNode* ancestor);
    // True when a comes before b in the order items show in (an ancestor before its descendants);
    // costs the depth plus the siblings between the two branches, or to the nearer end.
    static bool precedes(const TreeNode* a, const TreeNode* b);
    // The row of a shown item (-1 when hidden), and the item at a row (nullptr past the end).
    int rowOf(const TreeNode* node) const;
    TreeNode* nodeAt(int row) const;
    TreeNode* nextShown(const TreeNode* node) const;
    TreeNode* previousShown(const TreeNode* node) const;
    TreeNode* lastShown() const;

private:
    // The children rows of `from` change by delta, and so on up while the items are expanded.
    void addRows(TreeNode* from, int delta);
    void unlink(TreeNode* node);
    void linkAfter(TreeNode* parent, TreeNode* after, TreeNode* node);
    std::vector<HTREEITEM> subtree(const TreeNode* node) const;

    HandleTable<TreeNode> m_table;
    std::unique_ptr<TreeNode> m_root;
    int m_count = 0;
};

} // namespace pm::cc
