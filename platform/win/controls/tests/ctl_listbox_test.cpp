// The list box: sorted and unsorted items, data, searching, single, multiple and extended
// selection by mouse and keyboard, type-ahead, owner-draw message order and a large list; and the
// block list that holds the items.

#include "platform/win/controls/block_list.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using Strings = std::vector<std::string>;

namespace {

std::vector<int> contents(const pm::ctl::BlockList<int>& list) {
    std::vector<int> items;
    list.forEach([&items](int i) { items.push_back(i); });
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i], items[i]) << "index " << i;
    return items;
}

} // namespace

TEST(BlockList, EditsAtEveryPositionMatchAPlainVector) {
    for (std::size_t blockSize : {1u, 2u, 64u}) {
        for (std::size_t at = 0; at <= 300; at += blockSize == 64 ? 1 : 7) {
            pm::ctl::BlockList<int> list(blockSize);
            std::vector<int> want;
            for (int i = 0; i < 300; ++i) {
                list.insert(list.size(), i);
                want.push_back(i);
            }
            list.insert(at, -1);
            want.insert(want.begin() + static_cast<std::ptrdiff_t>(at), -1);
            list.insert(at / 2, -2);
            want.insert(want.begin() + static_cast<std::ptrdiff_t>(at / 2), -2);
            ASSERT_EQ(contents(list), want) << blockSize << " insert " << at;
            list.erase(at);
            want.erase(want.begin() + static_cast<std::ptrdiff_t>(at));
            list.erase(0);
            want.erase(want.begin());
            ASSERT_EQ(contents(list), want) << blockSize << " erase " << at;
            EXPECT_GE(list.blockCount(), want.size() / (2 * blockSize)) << "blocks stay within their length";
        }
    }
}

TEST(BlockList, EmptiesAndFillsAgain) {
    pm::ctl::BlockList<int> list(2);
    for (int i = 0; i < 10; ++i)
        list.insert(0, i);
    while (list.size() > 0)
        list.erase(list.size() / 2);
    EXPECT_EQ(list.blockCount(), 0u) << "emptied blocks go";
    list.insert(0, 7);
    list.insert(0, 8);
    EXPECT_EQ(contents(list), (std::vector<int>{8, 7}));
    list.clear();
    EXPECT_EQ(list.size(), 0u);
    list.insert(0, 1);
    EXPECT_EQ(contents(list), std::vector<int>{1});
}

namespace {

// What the parent heard: notifications as "cmd:<code>", owner-draw messages as "measure",
// "compare:<a>:<b>", "draw:<item>", "delete:<item>:<data>".
Strings g_heard;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        g_heard.push_back("cmd:" + std::to_string(HIWORD(wParam)));
        return 0;
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        m->itemHeight = 20;
        g_heard.push_back("measure");
        return TRUE;
    }
    case WM_COMPAREITEM: {
        auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        g_heard.push_back("compare:" + std::to_string(c->itemData1) + ":" + std::to_string(c->itemData2));
        return c->itemData1 < c->itemData2 ? -1 : c->itemData1 > c->itemData2 ? 1 : 0;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_heard.push_back("draw:" + std::to_string(d->itemID));
        return TRUE;
    }
    case WM_DELETEITEM: {
        auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
        g_heard.push_back("delete:" + std::to_string(d->itemID) + ":" + std::to_string(d->itemData));
        return TRUE;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

class ListBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        top = pm::test::createParent(parentProc, 500, 400);
        pm::test::pumpMessages();
        g_heard.clear();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND make(DWORD style, int height = 120) {
        HWND lb = CreateWindowEx(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 200,
                                 height, top, reinterpret_cast<HMENU>(3), nullptr, nullptr);
        SendMessage(lb, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return lb;
    }
    static void add(HWND lb, std::initializer_list<const char*> items) {
        for (const char* s : items)
            SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    static Strings items(HWND lb) {
        Strings out;
        for (int i = 0; i < SendMessage(lb, LB_GETCOUNT, 0, 0); ++i) {
            char buf[64];
            SendMessage(lb, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            out.push_back(buf);
        }
        return out;
    }
    static POINT itemPoint(HWND lb, int i) {
        RECT rc;
        SendMessage(lb, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return POINT{rc.left + 5, rc.top + 2};
    }
    static Strings only(const std::string& prefix) {
        Strings out;
        for (const auto& s : g_heard)
            if (s.rfind(prefix, 0) == 0) out.push_back(s);
        return out;
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(ListBoxes, SortedAndUnsortedInsertion) {
    HWND sorted = make(LBS_SORT | LBS_NOTIFY);
    add(sorted, {"pear", "Apple", "banana", "apple", "Cherry"});
    EXPECT_EQ(items(sorted), (Strings{"Apple", "apple", "banana", "Cherry", "pear"}));
    EXPECT_EQ(SendMessage(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 2)
        << "the index it landed at";
    HWND plain = make(0);
    add(plain, {"b", "a"});
    EXPECT_EQ(SendMessage(plain, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("mid")), 1);
    EXPECT_EQ(SendMessage(plain, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")),
              3);
    EXPECT_EQ(items(plain), (Strings{"b", "mid", "a", "end"}));
    EXPECT_TRUE(g_heard.empty()) << "nothing is notified for programmatic changes";
}

TEST_F(ListBoxes, MessagesAndTheirErrors) {
    HWND lb = make(LBS_NOTIFY);
    add(lb, {"alpha", "beta", "gamma", "Beta"});
    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT want;
    } cases[] = {
        {"count", LB_GETCOUNT, 0, 0, 4},
        {"text length", LB_GETTEXTLEN, 2, 0, 5},
        {"text length out of range", LB_GETTEXTLEN, 9, 0, LB_ERR},
        {"no selection yet", LB_GETCURSEL, 0, 0, LB_ERR},
        {"prefix search", LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("GA"), 2},
        {"prefix search wraps", LB_FINDSTRING, 2, reinterpret_cast<LPARAM>("al"), 0},
        {"exact search ignores case", LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>("BETA"), 1},
        {"exact search after an index", LB_FINDSTRINGEXACT, 1, reinterpret_cast<LPARAM>("beta"), 3},
        {"exact search misses prefixes", LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>("bet"), LB_ERR},
        {"set selection", LB_SETCURSEL, 2, 0, 2},
        {"selection", LB_GETCURSEL, 0, 0, 2},
        {"set selection out of range", LB_SETCURSEL, 7, 0, LB_ERR},
        {"set data", LB_SETITEMDATA, 1, 1234, TRUE},
        {"data", LB_GETITEMDATA, 1, 0, 1234},
        {"data out of range", LB_GETITEMDATA, 4, 0, LB_ERR},
        {"select string", LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("b"), 1},
        {"delete", LB_DELETESTRING, 0, 0, 3},
        {"delete out of range", LB_DELETESTRING, 3, 0, LB_ERR},
        {"selection follows deletion", LB_GETCURSEL, 0, 0, 0},
        {"multi-selection messages refused", LB_GETSELCOUNT, 0, 0, LB_ERR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(lb, c.msg, c.wParam, c.lParam), c.want) << c.name;
    EXPECT_TRUE(g_heard.empty());
    SendMessage(lb, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(lb, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(lb, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxes, KeyboardSelectionAndTypeAhead) {
    HWND lb = make(LBS_NOTIFY, 60);
    add(lb, {"cat", "cherry", "cow", "dog", "duck", "eel", "emu", "fox"});
    SetFocus(lb);
    g_heard.clear();
    struct Step {
        const char* name;
        int vk;
        char ch;
        int want;
    } steps[] = {
        {"down from nothing", VK_DOWN, 0, 0},
        {"down", VK_DOWN, 0, 1},
        {"end", VK_END, 0, 7},
        {"home", VK_HOME, 0, 0},
        {"type d", 0, 'd', 3},
        {"type u", 0, 'u', 4},
        {"up", VK_UP, 0, 3},
        {"page down", VK_NEXT, 0, 0},
        {"up at the top", VK_HOME, 0, 0},
    };
    int changes = 0;
    int last = -1;
    for (const Step& s : steps) {
        if (s.vk)
            pm::test::pressKey(lb, s.vk);
        else
            SendMessage(lb, WM_CHAR, static_cast<WPARAM>(s.ch), 1);
        pm::test::pumpMessages();
        LRESULT sel = SendMessage(lb, LB_GETCURSEL, 0, 0);
        if (std::string(s.name) == "page down") {
            EXPECT_GT(sel, 3) << s.name;
        } else {
            EXPECT_EQ(sel, s.want) << s.name;
        }
        if (sel != last) ++changes;
        last = static_cast<int>(sel);
    }
    EXPECT_EQ(only("cmd:1").size(), static_cast<std::size_t>(changes)) << "one LBN_SELCHANGE per change";
    pm::test::advanceClock(1100);
    SendMessage(lb, WM_CHAR, 'c', 1);
    EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 1) << "a new search starts after the selection";
    SendMessage(lb, WM_CHAR, 'o', 1);
    EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 2) << "a longer prefix";
    pm::test::advanceClock(1100);
    SendMessage(lb, WM_CHAR, 'c', 1);
    EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 0) << "the same letter steps on, wrapping";
    EXPECT_NE(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 9);
}

TEST_F(ListBoxes, MouseSelectionInEachMode) {
    HWND single = make(LBS_NOTIFY);
    add(single, {"a", "b", "c", "d"});
    pm::test::click(single, itemPoint(single, 2));
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(single, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetFocus(), single);
    pm::test::doubleClick(single, itemPoint(single, 2));
    pm::test::pumpMessages();
    EXPECT_EQ(only("cmd:2").size(), 1u) << "LBN_DBLCLK";
    DestroyWindow(single);

    auto selected = [](HWND lb) {
        std::vector<int> out(10);
        out.resize(static_cast<std::size_t>(
            SendMessage(lb, LB_GETSELITEMS, 10, reinterpret_cast<LPARAM>(out.data()))));
        return out;
    };
    HWND multiple = make(LBS_MULTIPLESEL);
    add(multiple, {"a", "b", "c", "d"});
    pm::test::click(multiple, itemPoint(multiple, 1));
    pm::test::click(multiple, itemPoint(multiple, 3));
    pm::test::click(multiple, itemPoint(multiple, 1));
    pm::test::pumpMessages();
    EXPECT_EQ(selected(multiple), std::vector<int>{3}) << "clicks toggle";
    DestroyWindow(multiple);

    HWND ext = make(LBS_EXTENDEDSEL);
    add(ext, {"a", "b", "c", "d", "e"});
    pm::test::click(ext, itemPoint(ext, 1));
    pm::test::pumpMessages();
    pm::test::pressKey(ext, VK_DOWN, true);
    pm::test::pressKey(ext, VK_DOWN, true);
    pm::test::pumpMessages();
    EXPECT_EQ(selected(ext), (std::vector<int>{1, 2, 3})) << "Shift extends from the anchor";
    EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 3);
    SendMessage(ext, LB_SETSEL, FALSE, -1);
    EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 0);
    SendMessage(ext, LB_SELITEMRANGEEX, 0, 2);
    EXPECT_EQ(selected(ext), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListBoxes, OwnerDrawMessagesComeInOrder) {
    HWND lb = make(LBS_OWNERDRAWFIXED | LBS_SORT, 50);
    EXPECT_EQ(only("measure").size(), 1u) << "a fixed list measures once, at creation";
    EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0), 20);
    g_heard.clear();
    SendMessage(lb, LB_ADDSTRING, 0, 30);
    SendMessage(lb, LB_ADDSTRING, 0, 10);
    SendMessage(lb, LB_ADDSTRING, 0, 20);
    EXPECT_EQ(only("compare"), (Strings{"compare:10:30", "compare:20:30", "compare:20:10"}));
    EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 0, 0), 10);
    EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 2, 0), 30);
    char buf[sizeof(ULONG_PTR)];
    EXPECT_EQ(SendMessage(lb, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf)),
              static_cast<LRESULT>(sizeof buf));
    ULONG_PTR data = 0;
    std::memcpy(&data, buf, sizeof data);
    EXPECT_EQ(data, 20u) << "without strings, LB_GETTEXT gives the data";
    g_heard.clear();
    UpdateWindow(lb);
    EXPECT_EQ(only("draw"), (Strings{"draw:0", "draw:1", "draw:2"}));
    g_heard.clear();
    SendMessage(lb, LB_DELETESTRING, 1, 0);
    SendMessage(lb, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(only("delete"), (Strings{"delete:1:20", "delete:0:10", "delete:1:30"}));

    g_heard.clear();
    for (LPARAM data : {30, 40, 50, 50, 60})
        SendMessage(lb, LB_ADDSTRING, 0, data);
    EXPECT_EQ(only("compare"), (Strings{"compare:40:30", "compare:50:40", "compare:50:50", "compare:60:50"}))
        << "an item that sorts last is compared with the last item only";
    EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 3, 0), 50);
    EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 4, 0), 60);

    HWND variable = make(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    g_heard.clear();
    add(variable, {"x", "y"});
    EXPECT_EQ(only("measure").size(), 2u) << "a variable list measures each item";
}

TEST_F(ListBoxes, AHundredThousandItemsDrawOnlyWhatShows) {
    HWND lb = make(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL, 100);
    SendMessage(lb, LB_INITSTORAGE, 100000, 0);
    for (int i = 0; i < 100000; ++i)
        SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    EXPECT_EQ(SendMessage(lb, LB_GETCOUNT, 0, 0), 100000);
    SendMessage(lb, LB_SETCURSEL, 99999, 0);
    EXPECT_GE(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 99990) << "the selection is scrolled into view";
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(lb, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 99999);
    EXPECT_EQ(si.nPos, SendMessage(lb, LB_GETTOPINDEX, 0, 0));
    g_heard.clear();
    InvalidateRect(lb, nullptr, TRUE);
    UpdateWindow(lb);
    EXPECT_LE(only("draw").size(), 6u);
    SendMessage(lb, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListBoxes, WhileDrawingIsOffTheScrollBarWaitsAndASortedFillStaysSorted) {
    HWND lb = make(LBS_SORT | WS_VSCROLL, 100);
    SendMessage(lb, WM_SETREDRAW, FALSE, 0);
    Strings want;
    for (int i = 0; i < 600; ++i) {
        // Scrambled order, so that items land all over the list's blocks.
        std::string text = "item " + std::to_string((i * 7919) % 600 + 1000);
        SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        want.push_back(text);
    }
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(lb, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 0) << "the scroll bar waits while drawing is off";
    SendMessage(lb, WM_SETREDRAW, TRUE, 0);
    ASSERT_TRUE(GetScrollInfo(lb, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 599);
    std::sort(want.begin(), want.end());
    EXPECT_EQ(items(lb), want);
}
