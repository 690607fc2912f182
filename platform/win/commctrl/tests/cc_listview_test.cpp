// List view in report mode: rows and columns, sorted insertion, states with LVN_ITEMCHANGING (which
// may refuse) and LVN_ITEMCHANGED in Win32 order, owner data asking only for painted rows, custom
// draw stages, keyboard and mouse selection, check boxes, geometry and hit tests.
#include "platform/win/commctrl.h"
#include "platform/win/commctrl/list_view_selection.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Heard {
    UINT code;
    int item;
    int sub;
    UINT newState;
    UINT oldState;
};
std::vector<Heard> g_heard;
std::vector<std::pair<int, int>> g_asked; // LVN_GETDISPINFO rows and sub-items
std::vector<std::pair<int, int>> g_hints; // LVN_ODCACHEHINT ranges
std::vector<std::string> g_stages;        // NM_CUSTOMDRAW stages as "stage:item:sub"
int g_refuseItem = -2;                    // LVN_ITEMCHANGING for this item is refused
LRESULT g_prepaintAnswer = CDRF_DODEFAULT;
bool g_refuseEndDrag = false;
bool g_colourRows = false; // custom draw paints row 1 on red and draws green over row 2 afterwards

std::string stageName(DWORD stage) {
    switch (stage) {
    case CDDS_PREPAINT:
        return "pre";
    case CDDS_POSTPAINT:
        return "post";
    case CDDS_ITEMPREPAINT:
        return "item";
    case CDDS_ITEMPOSTPAINT:
        return "itempost";
    case CDDS_SUBITEM | CDDS_ITEMPREPAINT:
        return "sub";
    case CDDS_SUBITEM | CDDS_ITEMPOSTPAINT:
        return "subpost";
    default:
        return "?";
    }
}

LRESULT colourRows(NMLVCUSTOMDRAW* cd) {
    DWORD stage = cd->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1) {
        cd->clrTextBk = RGB(255, 0, 0);
        return CDRF_NEWFONT;
    }
    if (stage == CDDS_ITEMPREPAINT) return cd->nmcd.dwItemSpec == 2 ? CDRF_NOTIFYPOSTPAINT : 0;
    if (stage == CDDS_ITEMPOSTPAINT) {
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(cd->nmcd.hdc, &cd->nmcd.rc, green);
        DeleteObject(green);
    }
    return 0;
}

LRESULT customDraw(NMLVCUSTOMDRAW* cd) {
    if (g_colourRows) return colourRows(cd);
    DWORD stage = cd->nmcd.dwDrawStage;
    int item = static_cast<int>(cd->nmcd.dwItemSpec);
    if (stage == CDDS_PREPAINT) {
        g_stages.push_back("pre");
        return g_prepaintAnswer;
    }
    if (stage == CDDS_POSTPAINT) {
        g_stages.push_back("post");
        return 0;
    }
    if (item > 1) return CDRF_SKIPDEFAULT; // keep the trace to the first two rows
    g_stages.push_back(stageName(stage) + ":" + std::to_string(item) + ":" + std::to_string(cd->iSubItem));
    if (stage == CDDS_ITEMPREPAINT) return item == 0 ? CDRF_NOTIFYSUBITEMDRAW : CDRF_NOTIFYPOSTPAINT;
    if (stage == (CDDS_SUBITEM | CDDS_ITEMPREPAINT)) return cd->iSubItem == 1 ? CDRF_NOTIFYPOSTPAINT : 0;
    return 0;
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->code == LVN_GETDISPINFO) {
        auto* di = reinterpret_cast<NMLVDISPINFO*>(lParam);
        g_asked.push_back({di->item.iItem, di->item.iSubItem});
        if (di->item.mask & LVIF_TEXT)
            std::snprintf(di->item.pszText, static_cast<std::size_t>(di->item.cchTextMax), "r%d c%d",
                          di->item.iItem, di->item.iSubItem);
        return 0;
    }
    if (nm->code == LVN_ODCACHEHINT) {
        auto* hint = reinterpret_cast<NMLVCACHEHINT*>(lParam);
        g_hints.push_back({hint->iFrom, hint->iTo});
        return 0;
    }
    if (nm->code == HDN_ENDDRAG) return g_refuseEndDrag;
    if (nm->code == NM_CUSTOMDRAW) return customDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    if (nm->code == LVN_ODSTATECHANGED) {
        auto* od = reinterpret_cast<NMLVODSTATECHANGE*>(lParam);
        g_heard.push_back({nm->code, od->iFrom, od->iTo, od->uNewState, od->uOldState});
        return 0;
    }
    if (nm->code == LVN_KEYDOWN || nm->code == NM_CLICK || nm->code == NM_RCLICK || nm->code == NM_DBLCLK) {
        auto* ia = reinterpret_cast<NMITEMACTIVATE*>(lParam);
        g_heard.push_back({nm->code, nm->code == LVN_KEYDOWN ? -1 : ia->iItem, 0, 0, 0});
        return 0;
    }
    if (nm->code == LVN_ITEMCHANGING || nm->code == LVN_ITEMCHANGED || nm->code == LVN_COLUMNCLICK ||
        nm->code == LVN_BEGINDRAG || nm->code == LVN_INSERTITEM || nm->code == LVN_DELETEITEM ||
        nm->code == LVN_DELETEALLITEMS) {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(lParam);
        g_heard.push_back({nm->code, lv->iItem, lv->iSubItem, lv->uNewState, lv->uOldState});
        return nm->code == LVN_ITEMCHANGING && lv->iItem == g_refuseItem;
    }
    return 0;
}

const UINT kChanging = LVN_ITEMCHANGING, kChanged = LVN_ITEMCHANGED;
const UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;

class ListView : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 420, 300);
        clearHeard();
        g_refuseItem = -2;
        g_prepaintAnswer = CDRF_DODEFAULT;
        g_refuseEndDrag = false;
        g_colourRows = false;
    }
    void TearDown() override { DestroyWindow(parent); }
    static void clearHeard() {
        g_heard.clear();
        g_asked.clear();
        g_hints.clear();
        g_stages.clear();
    }
    HWND make(DWORD style, int columns = 3, int cx = 400, int cy = 240) {
        HWND lv = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, cx, cy,
                                 parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        const char* names[] = {"Name", "Type", "Size", "Date"};
        for (int i = 0; i < columns; ++i) {
            LVCOLUMN c{};
            c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            c.pszText = const_cast<LPSTR>(names[i]);
            c.cx = 100;
            c.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            SendMessage(lv, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
        }
        return lv;
    }
    static int add(HWND lv, int at, const char* text, LPARAM param = 0) {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = at;
        item.pszText = const_cast<LPSTR>(text);
        item.lParam = param;
        return static_cast<int>(SendMessage(lv, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
    }
    static void fill(HWND lv, int n) {
        for (int i = 0; i < n; ++i) {
            std::string name = "Item " + std::to_string(i);
            add(lv, i, name.c_str(), i);
            std::string size = std::to_string(i * 10);
            ListView_SetItemText(lv, i, 2, const_cast<LPSTR>(size.c_str()));
        }
    }
    static std::string text(HWND lv, int i, int sub) {
        char buffer[64] = {};
        ListView_GetItemText(lv, i, sub, buffer, 64);
        return buffer;
    }
    static void paintNow(HWND lv) {
        InvalidateRect(lv, nullptr, TRUE);
        UpdateWindow(lv);
    }
    static POINT rowPoint(HWND lv, int i, int x = 30) {
        RECT rc{};
        rc.left = LVIR_BOUNDS;
        SendMessage(lv, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return POINT{x, (rc.top + rc.bottom) / 2};
    }
    static std::vector<std::string> trace() {
        std::vector<std::string> out;
        for (const Heard& h : g_heard) {
            std::string name = h.code == kChanging                     ? "changing"
                               : h.code == kChanged                    ? "changed"
                               : h.code == LVN_ODSTATECHANGED          ? "odstate"
                               : h.code == static_cast<UINT>(NM_CLICK) ? "click"
                               : h.code == LVN_KEYDOWN                 ? "keydown"
                                                                       : "other";
            out.push_back(name + ":" + std::to_string(h.item) + ":" + std::to_string(h.oldState) + ">" +
                          std::to_string(h.newState));
        }
        return out;
    }
    HWND parent = nullptr;
};

TEST(SelectionRanges, SetClearAndShift) {
    struct Case {
        const char* name;
        std::function<void(pm::cc::SelectionRanges&)> change;
        std::vector<int> selected; // of rows 0 to 11
        std::size_t runs;
    };
    using R = pm::cc::SelectionRanges;
    const Case cases[] = {
        {"one run", [](R& r) { r.set(2, 5, true); }, {2, 3, 4, 5}, 1},
        {"touching runs merge", [](R& r) { r.set(2, 3, true), r.set(4, 5, true); }, {2, 3, 4, 5}, 1},
        {"hole splits", [](R& r) { r.set(0, 9, true), r.set(3, 4, false); }, {0, 1, 2, 5, 6, 7, 8, 9}, 2},
        {"bridge",
         [](R& r) { r.set(0, 1, true), r.set(5, 6, true), r.set(1, 5, true); },
         {0, 1, 2, 3, 4, 5, 6},
         1},
        {"clear across runs",
         [](R& r) { r.set(0, 2, true), r.set(6, 8, true), r.set(1, 7, false); },
         {0, 8},
         2},
        {"truncate", [](R& r) { r.set(3, 9, true), r.truncate(5); }, {3, 4}, 1},
        {"remove a row", [](R& r) { r.set(2, 3, true), r.set(6, 6, true), r.removeRow(4); }, {2, 3, 5}, 2},
        {"remove a selected row", [](R& r) { r.set(2, 4, true), r.removeRow(3); }, {2, 3}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        R r;
        c.change(r);
        std::vector<int> selected;
        for (int i = 0; i < 12; ++i)
            if (r.contains(i)) selected.push_back(i);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(r.runCount(), c.runs);
        EXPECT_EQ(r.count(), static_cast<long long>(c.selected.size()));
        std::vector<int> walked;
        for (int i = r.next(-1); i >= 0; i = r.next(i))
            walked.push_back(i);
        EXPECT_EQ(walked, c.selected);
    }
}

TEST_F(ListView, InsertSetAndGetItems) {
    HWND lv = make(0);
    EXPECT_EQ(add(lv, 0, "beta", 2), 0);
    EXPECT_EQ(add(lv, 0, "alpha", 1), 0);
    EXPECT_EQ(add(lv, 99, "gamma", 3), 2);
    ListView_SetItemText(lv, 1, 1, const_cast<LPSTR>("second"));
    EXPECT_EQ(text(lv, 0, 0), "alpha");
    EXPECT_EQ(text(lv, 1, 1), "second");
    EXPECT_EQ(text(lv, 2, 1), "");
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = 2;
    ASSERT_TRUE(SendMessage(lv, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 3);
    char small[4] = {};
    LVITEM cut{};
    cut.pszText = small;
    cut.cchTextMax = 4;
    EXPECT_EQ(SendMessage(lv, LVM_GETITEMTEXT, 2, reinterpret_cast<LPARAM>(&cut)), 3);
    EXPECT_STREQ(small, "gam");
    EXPECT_EQ(ListView_GetHeader(lv) != nullptr, true);
    EXPECT_EQ(SendMessage(ListView_GetHeader(lv), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_TRUE(ListView_DeleteItem(lv, 0));
    EXPECT_EQ(text(lv, 0, 0), "beta");
    EXPECT_FALSE(ListView_DeleteItem(lv, 5));
    EXPECT_EQ(ListView_GetItemCount(lv), 2);
}

TEST_F(ListView, SortedInsertionReturnsTheSortedIndex) {
    struct Case {
        DWORD style;
        std::vector<const char*> names;
        std::vector<int> indices;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {LVS_SORTASCENDING,
         {"pear", "Apple", "fig", "apple"},
         {0, 0, 1, 1},
         {"Apple", "apple", "fig", "pear"}},
        {LVS_SORTDESCENDING, {"b", "c", "a"}, {0, 0, 2}, {"c", "b", "a"}},
        {0, {"b", "c", "a"}, {0, 1, 2}, {"b", "c", "a"}},
    };
    for (const Case& c : cases) {
        HWND lv = make(c.style, 1);
        for (std::size_t k = 0; k < c.names.size(); ++k)
            EXPECT_EQ(add(lv, static_cast<int>(k), c.names[k]), c.indices[k]) << c.names[k];
        for (std::size_t k = 0; k < c.order.size(); ++k)
            EXPECT_EQ(text(lv, static_cast<int>(k), 0), c.order[k]);
        DestroyWindow(lv);
    }
}

TEST_F(ListView, SelectionNoticesInWin32Order) {
    struct Case {
        const char* name;
        DWORD style;
        int refuse;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"multiple", 0, -2, {"changing:0:3>2", "changed:0:3>2", "changing:1:0>3", "changed:1:0>3"}},
        {"refused", 0, 1, {"changing:0:3>2", "changed:0:3>2", "changing:1:0>3"}},
        {"single",
         LVS_SINGLESEL,
         -2,
         {"changing:0:3>2", "changed:0:3>2", "changing:0:2>0", "changed:0:2>0", "changing:1:0>3",
          "changed:1:0>3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND lv = make(c.style);
        fill(lv, 3);
        ListView_SetItemState(lv, 0, S | F, S | F);
        clearHeard();
        g_refuseItem = c.refuse;
        ListView_SetItemState(lv, 1, S | F, S | F);
        EXPECT_EQ(trace(), c.expected);
        EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_SELECTED), c.style ? 1 : 0);
        DestroyWindow(lv);
    }
}

TEST_F(ListView, NextItemAndSelectionMark) {
    HWND lv = make(0);
    fill(lv, 6);
    for (int i : {1, 3, 4})
        ListView_SetItemState(lv, i, S, S);
    struct Case {
        int start;
        UINT flags;
        int expected;
    };
    const Case cases[] = {{-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, 3}, {4, LVNI_SELECTED, -1},
                          {-1, LVNI_ALL, 0},      {5, LVNI_ALL, -1},     {4, LVNI_ABOVE | LVNI_SELECTED, 3},
                          {2, LVNI_BELOW, 3},     {0, LVNI_ABOVE, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(ListView_GetNextItem(lv, c.start, c.flags), c.expected) << c.start << " " << c.flags;
    EXPECT_EQ(ListView_GetSelectionMark(lv), 4);
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    ListView_SetItemState(lv, -1, 0, S);
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListView, OwnerDataAsksOnlyForPaintedRows) {
    HWND lv = make(LVS_OWNERDATA, 3);
    ListView_SetItemCount(lv, 1000000);
    EXPECT_EQ(ListView_GetItemCount(lv), 1000000);
    int page = ListView_GetCountPerPage(lv);
    ASSERT_GT(page, 5);
    auto paintedRows = [] {
        std::set<int> rows;
        for (auto& [row, sub] : g_asked)
            rows.insert(row);
        return rows;
    };
    clearHeard();
    paintNow(lv);
    std::size_t firstScreen = g_asked.size();
    std::set<int> rows = paintedRows();
    EXPECT_LE(rows.size(), static_cast<std::size_t>(page + 1));
    EXPECT_EQ(*rows.begin(), 0);
    EXPECT_EQ(firstScreen, rows.size() * 3);
    ASSERT_FALSE(g_hints.empty());
    EXPECT_EQ(g_hints.back().first, 0);

    clearHeard();
    SendMessage(lv, WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(lv);
    EXPECT_EQ(ListView_GetTopIndex(lv), 1000000 - page);
    rows = paintedRows();
    EXPECT_LE(g_asked.size(), firstScreen); // the end costs no more than the first screen
    EXPECT_EQ(*rows.rbegin(), 999999);
    EXPECT_GE(*rows.begin(), 1000000 - page - 1);

    // Selecting everything is one notice and one run, not a million.
    clearHeard();
    ListView_SetItemState(lv, -1, S, S);
    EXPECT_EQ(trace(), (std::vector<std::string>{"changing:-1:0>2", "changed:-1:0>2"}));
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1000000);
    EXPECT_EQ(ListView_GetItemState(lv, 123456, S), S);
    EXPECT_TRUE(g_asked.empty());
    char buffer[32] = {};
    ListView_GetItemText(lv, 42, 2, buffer, 32);
    EXPECT_STREQ(buffer, "r42 c2");
}

TEST_F(ListView, OwnerDataKeyboardRangeSelection) {
    HWND lv = make(LVS_OWNERDATA, 1);
    ListView_SetItemCount(lv, 500);
    SetFocus(lv);
    pm::test::pressKey(lv, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 0);
    clearHeard();
    pm::test::pressKey(lv, VK_END, true);
    pm::test::pumpMessages();
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 499);
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 500);
    std::vector<std::string> t = trace();
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back(), "odstate:0:0>2");
    EXPECT_EQ(ListView_GetTopIndex(lv), 500 - ListView_GetCountPerPage(lv));
}

TEST_F(ListView, KeyboardMovesFocusAndSelection) {
    HWND lv = make(0);
    fill(lv, 40);
    SetFocus(lv);
    clearHeard();
    int page = ListView_GetCountPerPage(lv);
    struct Step {
        int vk;
        bool shift;
        bool control;
        int focus;
        int selected;
    };
    const Step steps[] = {
        {VK_DOWN, false, false, 0, 1},
        {VK_DOWN, false, false, 1, 1},
        {VK_DOWN, true, false, 2, 2},
        {VK_NEXT, false, false, page - 1, 1},
        {VK_NEXT, false, false, 2 * page - 2, 1},
        {VK_HOME, false, false, 0, 1},
        {VK_DOWN, false, true, 1, 1},
        {VK_SPACE, false, true, 1, 2},
        {VK_END, false, false, 39, 1},
        {VK_UP, true, false, 38, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.vk);
        pm::test::pressKey(lv, s.vk, s.shift, s.control);
        pm::test::pumpMessages();
        EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), s.focus);
        EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), s.selected);
    }
    EXPECT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard.front().code, LVN_KEYDOWN);

    ListView_SetColumnWidth(lv, 2, 400); // wider than the list: left and right scroll sideways
    pm::test::pressKey(lv, VK_RIGHT);
    pm::test::pumpMessages();
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(lv, SB_HORZ, &si);
    EXPECT_GT(si.nPos, 0);
    RECT header{};
    GetWindowRect(ListView_GetHeader(lv), &header);
    POINT origin{header.left, header.top};
    ScreenToClient(lv, &origin);
    EXPECT_EQ(origin.x, -si.nPos);
    pm::test::pressKey(lv, VK_LEFT);
    pm::test::pumpMessages();
    GetScrollInfo(lv, SB_HORZ, &si);
    EXPECT_EQ(si.nPos, 0);
}

TEST_F(ListView, CustomDrawStages) {
    HWND lv = make(0, 2);
    fill(lv, 3);
    struct Case {
        LRESULT prepaint;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {CDRF_DODEFAULT, {"pre"}},
        {CDRF_NOTIFYPOSTPAINT, {"pre", "post"}},
        {CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT,
         {"pre", "item:0:0", "sub:0:0", "sub:0:1", "subpost:0:1", "item:1:0", "itempost:1:0", "post"}},
        {CDRF_SKIPDEFAULT, {"pre"}},
    };
    for (const Case& c : cases) {
        g_prepaintAnswer = c.prepaint;
        clearHeard();
        paintNow(lv);
        EXPECT_EQ(g_stages, c.expected);
    }
}

TEST_F(ListView, CustomDrawColoursAndPostPaintChangeThePicture) {
    HWND lv = make(0, 2);
    fill(lv, 4);
    g_colourRows = true;
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    QImage image = pm::test::windowImage(lv);
    auto at = [&](int row, int x) {
        RECT rc{};
        ListView_GetItemRect(lv, row, &rc, LVIR_BOUNDS);
        return image.pixelColor(x, rc.bottom - 2).rgb() & 0xFFFFFF;
    };
    EXPECT_EQ(at(1, 150), 0xFF0000u); // the text background the receiver chose
    EXPECT_EQ(at(2, 150), 0x00FF00u); // drawn after the row
    EXPECT_EQ(at(3, 150), 0xFFFFFFu); // untouched
}

TEST_F(ListView, MouseClicksChecksAndDrags) {
    HWND lv = make(0);
    SendMessage(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    fill(lv, 5);
    EXPECT_EQ(ListView_GetCheckState(lv, 0), 0u);
    pm::test::click(lv, rowPoint(lv, 2, 200));
    pm::test::pumpMessages();
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_SELECTED), 2);
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard.back().code, static_cast<UINT>(NM_CLICK));
    EXPECT_EQ(g_heard.back().item, 2);

    pm::test::click(lv, rowPoint(lv, 3, 8)); // the check box
    pm::test::pumpMessages();
    EXPECT_EQ(ListView_GetCheckState(lv, 3), 1u);
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_SELECTED), 2);
    ListView_SetCheckState(lv, 3, FALSE);
    EXPECT_EQ(ListView_GetCheckState(lv, 3), 0u);

    pm::test::click(lv, rowPoint(lv, 4, 200), VK_LBUTTON);
    pm::test::pumpMessages();
    clearHeard();
    pm::test::pressMouse(lv, rowPoint(lv, 4, 200));
    pm::test::moveMouse(lv, rowPoint(lv, 1, 220));
    pm::test::releaseMouse(lv, rowPoint(lv, 1, 220));
    pm::test::pumpMessages();
    bool dragged = false, clicked = false;
    for (const Heard& h : g_heard)
        dragged |= h.code == LVN_BEGINDRAG && h.item == 4, clicked |= h.code == static_cast<UINT>(NM_CLICK);
    EXPECT_TRUE(dragged);
    EXPECT_FALSE(clicked);

    clearHeard();
    pm::test::doubleClick(lv, rowPoint(lv, 1, 200));
    pm::test::click(lv, rowPoint(lv, 3, 200), VK_RBUTTON);
    pm::test::pumpMessages();
    std::vector<std::pair<UINT, int>> clicks;
    for (const Heard& h : g_heard)
        if (h.code == static_cast<UINT>(NM_DBLCLK) || h.code == static_cast<UINT>(NM_RCLICK))
            clicks.push_back({h.code, h.item});
    EXPECT_EQ(clicks, (std::vector<std::pair<UINT, int>>{{NM_DBLCLK, 1}, {NM_RCLICK, 3}}));
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_SELECTED), 3); // a right click selects the row

    clearHeard();
    pm::test::click(lv, POINT{150, 5}); // the header's second column
    pm::test::pumpMessages();
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard.back().code, LVN_COLUMNCLICK);
    EXPECT_EQ(g_heard.back().sub, 1);
}

TEST_F(ListView, GeometryHitTestsAndScrolling) {
    HWND lv = make(0);
    fill(lv, 100);
    RECT bounds{}, cell{};
    ListView_GetItemRect(lv, 3, &bounds, LVIR_BOUNDS);
    int h = bounds.bottom - bounds.top;
    ASSERT_GT(h, 10);
    ListView_GetSubItemRect(lv, 3, 2, LVIR_BOUNDS, &cell);
    EXPECT_EQ(cell.left, 200);
    EXPECT_EQ(cell.right, 300);
    EXPECT_EQ(cell.top, bounds.top);
    RECT header{};
    GetWindowRect(ListView_GetHeader(lv), &header);
    EXPECT_EQ(bounds.top, header.bottom - header.top + 3 * h);

    struct Case {
        POINT pt;
        UINT msg;
        int item;
        int sub;
        UINT flags;
    };
    const Case cases[] = {
        {{50, bounds.top + 2}, LVM_HITTEST, 3, 0, LVHT_ONITEMLABEL},
        {{250, bounds.top + 2}, LVM_HITTEST, -1, 0, LVHT_NOWHERE},
        {{250, bounds.top + 2}, LVM_SUBITEMHITTEST, 3, 2, LVHT_ONITEMLABEL},
        {{350, bounds.top + 2}, LVM_SUBITEMHITTEST, -1, 0, LVHT_NOWHERE},
        {{50, -4}, LVM_HITTEST, -1, 0, LVHT_ABOVE},
    };
    for (const Case& c : cases) {
        LVHITTESTINFO info{c.pt, 0, 0, 0};
        EXPECT_EQ(SendMessage(lv, c.msg, 0, reinterpret_cast<LPARAM>(&info)), c.item) << c.pt.x;
        EXPECT_EQ(info.iSubItem, c.sub);
        EXPECT_EQ(info.flags, c.flags);
    }

    int page = ListView_GetCountPerPage(lv);
    EXPECT_TRUE(ListView_EnsureVisible(lv, 50, FALSE));
    EXPECT_EQ(ListView_GetTopIndex(lv), 50 - page + 1);
    SendMessage(lv, LVM_SCROLL, 0, -h * 10);
    EXPECT_EQ(ListView_GetTopIndex(lv), 40 - page + 1);
    SendMessage(lv, LVM_SCROLL, 0, 1);
    EXPECT_EQ(ListView_GetTopIndex(lv), 41 - page + 1);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(lv, SB_VERT, &si);
    EXPECT_EQ(si.nPos, ListView_GetTopIndex(lv));
    ListView_SetColumnWidth(lv, 0, 50);
    ListView_GetSubItemRect(lv, 3, 2, LVIR_BOUNDS, &cell);
    EXPECT_EQ(cell.left, 150);
    EXPECT_EQ(ListView_GetColumnWidth(lv, 0), 50);

    // Geometry does not wait for the list to be shown; without headings rows start at the top.
    for (DWORD style : {DWORD{0}, DWORD{LVS_NOCOLUMNHEADER}}) {
        HWND hidden = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | LVS_REPORT | style, 0, 0, 200, 200,
                                     parent, nullptr, nullptr, nullptr);
        fill(hidden, 2);
        RECT row{};
        ListView_GetItemRect(hidden, 1, &row, LVIR_BOUNDS);
        EXPECT_EQ(row.top, (style ? 0 : header.bottom - header.top) + h);
        DestroyWindow(hidden);
    }
}

// Scrolling moves the rows already drawn (grid lines, selection and focus with them) and paints
// only the uncovered band: the picture is the one a whole repaint gives.
TEST_F(ListView, AScrolledListShowsWhatAWholeRepaintShows) {
    HWND lv = make(WS_VSCROLL | WS_HSCROLL | LVS_SHOWSELALWAYS, 4, 300, 200);
    ListView_SetExtendedListViewStyle(lv, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    fill(lv, 80);
    for (int i = 3; i < 70; i += 7)
        ListView_SetItemState(lv, i, LVIS_SELECTED, LVIS_SELECTED);
    SetFocus(lv);
    ListView_SetItemState(lv, 5, LVIS_FOCUSED, LVIS_FOCUSED);
    pm::test::expectScrollsRepaintWhole(lv, {{"line down", WM_VSCROLL, SB_LINEDOWN, 0},
                                             {"two more lines", LVM_SCROLL, 0, 30},
                                             {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
                                             {"line up", WM_VSCROLL, SB_LINEUP, 0},
                                             {"right", WM_HSCROLL, SB_LINEDOWN, 0},
                                             {"page right", WM_HSCROLL, SB_PAGEDOWN, 0},
                                             {"left", WM_HSCROLL, SB_LINEUP, 0},
                                             {"both ways", LVM_SCROLL, 12, -20}});
}

TEST_F(ListView, RowsMadeWhileTheViewHasNoSizeGetTheFontsHeight) {
    HWND lv = make(0, 1, 0, 0);
    fill(lv, 3);
    RECT early{};
    ListView_GetItemRect(lv, 0, &early, LVIR_BOUNDS);
    MoveWindow(lv, 0, 0, 300, 200, TRUE);
    RECT bounds{};
    ListView_GetItemRect(lv, 0, &bounds, LVIR_BOUNDS);
    EXPECT_GT(bounds.bottom - bounds.top, 10);
}

TEST_F(ListView, HeaderDragMovesColumns) {
    struct Case {
        const char* name;
        DWORD exStyle;
        bool refuse;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"moved", LVS_EX_HEADERDRAGDROP, false, {1, 2, 0}},
        {"refused", LVS_EX_HEADERDRAGDROP, true, {0, 1, 2}},
        {"no drag style", 0, false, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND lv = make(0);
        ListView_SetExtendedListViewStyle(lv, c.exStyle);
        fill(lv, 3);
        g_refuseEndDrag = c.refuse;
        HWND header = ListView_GetHeader(lv);
        pm::test::pressMouse(header, POINT{50, 5});
        pm::test::moveMouse(header, POINT{150, 5});
        pm::test::moveMouse(header, POINT{255, 5});
        pm::test::releaseMouse(header, POINT{255, 5});
        pm::test::pumpMessages();
        std::vector<int> order(3);
        SendMessage(lv, LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
        EXPECT_EQ(order, c.order);
        RECT label{};
        ListView_GetItemRect(lv, 0, &label, LVIR_LABEL);
        EXPECT_EQ(label.left, c.order[0] == 0 ? 0 : 200);
        DestroyWindow(lv);
    }
}

TEST_F(ListView, DeletingNotifiesAndKeepsFocus) {
    HWND lv = make(0);
    fill(lv, 4);
    ListView_SetItemState(lv, 2, S | F, S | F);
    clearHeard();
    ListView_DeleteItem(lv, 0);
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 1);
    EXPECT_EQ(ListView_GetSelectionMark(lv), 1);
    ASSERT_EQ(g_heard.size(), 1u);
    EXPECT_EQ(g_heard[0].code, LVN_DELETEITEM);
    clearHeard();
    ListView_DeleteAllItems(lv);
    ASSERT_EQ(g_heard.size(), 4u);
    EXPECT_EQ(g_heard[0].code, LVN_DELETEALLITEMS);
    EXPECT_EQ(g_heard[1].code, LVN_DELETEITEM);
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), -1);

    fill(lv, 2);
    clearHeard();
    DestroyWindow(lv);
    ASSERT_EQ(g_heard.size(), 3u);
    EXPECT_EQ(g_heard[0].code, LVN_DELETEALLITEMS);
    EXPECT_EQ(g_heard[2].code, LVN_DELETEITEM);
    EXPECT_EQ(g_heard[2].item, 1);
}

int CALLBACK byParamDescending(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>(b - a);
}

TEST_F(ListView, SortItemsCarriesStates) {
    HWND lv = make(0);
    fill(lv, 5);
    ListView_SetItemState(lv, 1, S | F, S | F);
    ASSERT_TRUE(SendMessage(lv, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(byParamDescending)));
    EXPECT_EQ(text(lv, 0, 0), "Item 4");
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_SELECTED), 3);
    EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 3);
}

TEST_F(ListView, Picture) {
    HWND lv = make(0, 4, 400, 200);
    SetWindowLongPtr(lv, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(lv, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    SendMessage(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    fill(lv, 6);
    for (int i = 0; i < 6; ++i)
        ListView_SetItemText(lv, i, 1, const_cast<LPSTR>(i % 2 ? "Table" : "View"));
    ListView_SetCheckState(lv, 1, TRUE);
    SetFocus(lv);
    ListView_SetItemState(lv, 2, S | F, S | F);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(parent, pm::test::outputFolder() + "/cc_listview.png"));
}

} // namespace
