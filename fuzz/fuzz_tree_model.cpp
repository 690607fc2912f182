// Tree items and list selections driven by arbitrary operations: the rows the tree model counts
// always match a walk of the shown items, and the selected runs always match a plain set of rows.
#include "platform/win/commctrl/list_view_selection.h"
#include "platform/win/commctrl/tree_view_model.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using pm::cc::TreeModel;
using pm::cc::TreeNode;

void checkRows(const TreeModel& model) {
    std::vector<const TreeNode*> shown;
    std::function<void(const TreeNode*)> walk = [&](const TreeNode* n) {
        for (const TreeNode* c = n->first; c; c = c->next) {
            shown.push_back(c);
            if (c->expanded()) walk(c);
        }
    };
    walk(model.root());
    if (model.rows() != static_cast<int>(shown.size())) std::abort();
    for (std::size_t row = 0; row < shown.size(); ++row) {
        if (model.nodeAt(static_cast<int>(row)) != shown[row]) std::abort();
        if (model.rowOf(shown[row]) != static_cast<int>(row)) std::abort();
    }
}

void driveTree(const std::uint8_t* data, std::size_t size) {
    TreeModel model;
    std::vector<TreeNode*> live{model.root()};
    for (std::size_t i = 0; i + 1 < size && i < 4000; i += 2) {
        std::uint8_t op = data[i] % 4, arg = data[i + 1];
        TreeNode* node = live[arg % live.size()];
        if (op == 0) {
            live.push_back(model.insert(node, arg & 1 ? node->last : nullptr));
        } else if (op == 1 && node != model.root()) {
            model.remove(node,
                         [&](TreeNode& gone) { live.erase(std::find(live.begin(), live.end(), &gone)); });
        } else if (op == 2 && node != model.root()) {
            model.setExpanded(node, !node->expanded());
        } else if (op == 3) {
            model.sortChildren(
                node, [](const TreeNode& a, const TreeNode& b) { return a.handle > b.handle; }, arg & 1);
        }
        if (model.count() != static_cast<int>(live.size()) - 1) std::abort();
    }
    checkRows(model);
}

void driveSelection(const std::uint8_t* data, std::size_t size) {
    constexpr int kRows = 64;
    pm::cc::SelectionRanges runs;
    std::vector<bool> plain(kRows, false);
    int count = kRows;
    for (std::size_t i = 0; i + 2 < size && i < 3000; i += 3) {
        int a = data[i + 1] % kRows, b = data[i + 2] % kRows;
        int first = std::min(a, b), last = std::min(std::max(a, b), count - 1);
        switch (data[i] % 3) {
        case 0:
        case 1:
            if (first > last) break;
            runs.set(first, last, data[i] % 3 == 0);
            for (int r = first; r <= last; ++r)
                plain[static_cast<std::size_t>(r)] = data[i] % 3 == 0;
            break;
        default:
            if (count == 0 || a >= count) break;
            runs.removeRow(a);
            plain.erase(plain.begin() + a);
            plain.push_back(false);
            --count;
            break;
        }
    }
    long long selected = 0;
    for (int r = 0; r < kRows; ++r) {
        if (runs.contains(r) != plain[static_cast<std::size_t>(r)]) std::abort();
        selected += plain[static_cast<std::size_t>(r)] ? 1 : 0;
    }
    if (runs.count() != selected) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] & 1)
        driveTree(data + 1, size - 1);
    else
        driveSelection(data + 1, size - 1);
    return 0;
}
