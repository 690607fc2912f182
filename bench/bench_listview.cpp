// List view and tree view costs, as ratios against baselines measured in the same run: painting the
// last screen of an owner-data list of a million rows against its first screen, and against the
// first screen of a list of a thousand; expanding a tree item of 50,000 children per child against
// one of 500, and painting the tree's last screen against its first.

#include "platform/win/commctrl.h"
#include "platform/win/windows.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->code == LVN_GETDISPINFO) {
        auto* di = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (di->item.mask & LVIF_TEXT)
            std::snprintf(di->item.pszText, static_cast<std::size_t>(di->item.cchTextMax),
                          "row %07d, column %d", di->item.iItem, di->item.iSubItem);
    }
    return 0;
}

template <class F> double seconds(F f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void repaint(HWND hwnd, int times) {
    for (int k = 0; k < times; ++k) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
}

HWND ownerDataList(HWND parent, int rows) {
    HWND lv = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                             600, 400, parent, nullptr, nullptr, nullptr);
    for (int c = 0; c < 5; ++c) {
        LVCOLUMN column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 110;
        column.pszText = const_cast<LPSTR>("Column");
        ListView_InsertColumn(lv, c, &column);
    }
    ListView_SetItemCount(lv, rows);
    return lv;
}

// Seconds to insert `children` items under a new top-level item and expand it.
double expandTree(HWND tree, int children) {
    TVINSERTSTRUCT ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<LPSTR>("branch");
    HTREEITEM branch = TreeView_InsertItem(tree, &ins);
    ins.hParent = branch;
    ins.item.pszText = const_cast<LPSTR>("leaf item");
    return seconds([&] {
        for (int i = 0; i < children; ++i)
            TreeView_InsertItem(tree, &ins);
        TreeView_Expand(tree, branch, TVE_EXPAND);
        UpdateWindow(tree);
    });
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitCommonControls();
    WNDCLASS wc{};
    wc.lpfnWndProc = parentProc;
    wc.lpszClassName = "BenchListParent";
    RegisterClass(&wc);
    HWND top = CreateWindowEx(0, "BenchListParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 620, 420, nullptr,
                              nullptr, nullptr, nullptr);
    const int paints = 200;

    HWND small = ownerDataList(top, 1000);
    double smallFirst = seconds([&] { repaint(small, paints); });
    DestroyWindow(small);
    HWND big = ownerDataList(top, 1000000);
    double bigFirst = seconds([&] { repaint(big, paints); });
    SendMessage(big, WM_VSCROLL, SB_BOTTOM, 0);
    double bigLast = seconds([&] { repaint(big, paints); });
    double scrolling = seconds([&] {
        for (int k = 0; k < paints; ++k) {
            SendMessage(big, WM_VSCROLL, k % 2 ? SB_TOP : SB_BOTTOM, 0);
            UpdateWindow(big);
        }
    });
    DestroyWindow(big);
    std::printf("owner data, 1,000,000 rows, first screen / 1,000 rows:  %.2f\n", bigFirst / smallFirst);
    std::printf("owner data, 1,000,000 rows, last screen / first screen: %.2f\n", bigLast / bigFirst);
    std::printf("owner data, jump top<->end and paint / paint in place:  %.2f\n", scrolling / bigFirst);

    HWND tree = CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, 0,
                               0, 600, 400, top, nullptr, nullptr, nullptr);
    double few = expandTree(tree, 500) / 500;
    double many = expandTree(tree, 50000) / 50000;
    double treeFirst = seconds([&] { repaint(tree, paints); });
    SendMessage(tree, WM_VSCROLL, SB_BOTTOM, 0);
    double treeLast = seconds([&] { repaint(tree, paints); });
    std::printf("tree, insert and expand per child, 50,000 / 500:        %.2f\n", many / few);
    std::printf("tree, 50,500 rows, last screen / first screen:          %.2f\n", treeLast / treeFirst);
    DestroyWindow(top);
    return 0;
}
