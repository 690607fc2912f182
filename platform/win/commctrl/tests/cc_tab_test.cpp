// Tab control: items, selection with TCN_SELCHANGING (which may refuse) and TCN_SELCHANGE, rows of
// a multi-line control with the selected row next to the display area, hit tests and rectangles,
// and a single row too long for the control scrolled with its up-down.
#include "platform/win/commctrl.h"
#include "platform/win/commctrl/tab_layout.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<int> g_codes;
LRESULT g_refuse = 0;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    g_codes.push_back(static_cast<int>(nm->code));
    return nm->code == TCN_SELCHANGING ? g_refuse : 0;
}

const int kSelChanging = static_cast<int>(TCN_SELCHANGING);
const int kSelChange = static_cast<int>(TCN_SELCHANGE);
const int kClick = static_cast<int>(NM_CLICK);

HWND scrollerOf(HWND tab) {
    HWND scroller = FindWindowEx(tab, nullptr, UPDOWN_CLASS, nullptr);
    return scroller && IsWindowVisible(scroller) ? scroller : nullptr;
}

RECT childRect(HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class Tabs : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 400, 300, true);
        g_codes.clear();
        g_refuse = 0;
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND make(DWORD style, int cx, int cy, int items) {
        HWND tab = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | style, 0, 0, cx, cy, parent,
                                  reinterpret_cast<HMENU>(5), nullptr, nullptr);
        for (int i = 0; i < items; ++i)
            add(tab, i, ("Page " + std::to_string(i)).c_str());
        return tab;
    }
    static LRESULT add(HWND tab, int at, const char* text, LPARAM param = 0) {
        TCITEM item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<LPSTR>(text);
        item.lParam = param;
        return SendMessage(tab, TCM_INSERTITEM, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    static RECT itemRect(HWND tab, int i) {
        RECT rc{};
        SendMessage(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static POINT centre(RECT rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    HWND parent = nullptr;
};

TEST_F(Tabs, ItemsAndSelectionIndices) {
    HWND tab = make(0, 300, 200, 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(add(tab, 0, "Results", 11), 0);
    EXPECT_EQ(add(tab, 9, "Messages", 12), 1);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(add(tab, 0, "Plan", 10), 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 3);

    char text[5] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEM, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Mess");
    EXPECT_EQ(item.lParam, 12);
    EXPECT_FALSE(SendMessage(tab, TCM_GETITEM, 3, reinterpret_cast<LPARAM>(&item)));

    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 2, 0), 1);
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_TRUE(g_codes.empty());
}

TEST_F(Tabs, ClickingSelectsUnlessTheParentRefuses) {
    HWND tab = make(0, 300, 200, 3);
    pm::test::click(tab, centre(itemRect(tab, 2)));
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(g_codes, (std::vector<int>{kSelChanging, kSelChange, kClick}));

    g_codes.clear();
    g_refuse = TRUE;
    pm::test::click(tab, centre(itemRect(tab, 0)));
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(g_codes, (std::vector<int>{kSelChanging, kClick}));

    g_codes.clear();
    g_refuse = FALSE;
    SendMessage(tab, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_codes, (std::vector<int>{kSelChanging, kSelChange}));
}

TEST_F(Tabs, HitTestsAgreeWithItemRectangles) {
    struct Case {
        const char* name;
        DWORD style;
    };
    const Case cases[] = {
        {"single line", 0},
        {"multi-line", TCS_MULTILINE},
        {"multi-line bottom", TCS_MULTILINE | TCS_BOTTOM},
        {"buttons", TCS_BUTTONS | TCS_MULTILINE},
        {"fixed width", TCS_FIXEDWIDTH | TCS_MULTILINE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tab = make(c.style, 220, 200, 7);
        // A single row longer than the control shows its tabs up to its up-down.
        HWND scroller = scrollerOf(tab);
        const int room = scroller ? childRect(scroller).left : 220;
        for (int i = 0; i < 7; ++i) {
            if (centre(itemRect(tab, i)).x >= room) continue;
            TCHITTESTINFO info{centre(itemRect(tab, i)), 0};
            EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), i);
            EXPECT_EQ(info.flags, static_cast<UINT>(TCHT_ONITEMLABEL));
        }
        TCHITTESTINFO none{POINT{100, 150}, 0};
        EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&none)), -1);
        EXPECT_EQ(none.flags, static_cast<UINT>(TCHT_NOWHERE));
        DestroyWindow(tab);
    }
}

TEST_F(Tabs, TheSelectedRowMovesNextToTheDisplayArea) {
    for (bool bottom : {false, true}) {
        SCOPED_TRACE(bottom ? "bottom" : "top");
        HWND tab = make(TCS_MULTILINE | (bottom ? TCS_BOTTOM : 0), 220, 200, 7);
        int rows = static_cast<int>(SendMessage(tab, TCM_GETROWCOUNT, 0, 0));
        ASSERT_GE(rows, 2);
        RECT display{0, 0, 220, 200};
        SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        for (int selected : {0, 6}) {
            SendMessage(tab, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
            RECT sel = itemRect(tab, selected);
            for (int i = 0; i < 7; ++i) {
                RECT rc = itemRect(tab, i);
                if (bottom) {
                    EXPECT_GE(rc.top, sel.top);
                    EXPECT_GE(rc.top, display.bottom);
                } else {
                    EXPECT_LE(rc.top, sel.top);
                    EXPECT_LE(rc.bottom, display.top);
                }
            }
            // The selected row fills the width (right-justified rows).
            LONG rowEnd = 0;
            for (int i = 0; i < 7; ++i)
                if (itemRect(tab, i).top == sel.top) rowEnd = std::max(rowEnd, itemRect(tab, i).right);
            EXPECT_GE(rowEnd, 210);
        }
        DestroyWindow(tab);
    }
}

TEST_F(Tabs, HotTrackingColoursTheTabUnderTheMouse) {
    HWND tab = make(TCS_HOTTRACK, 300, 200, 3);
    RECT rc = itemRect(tab, 1);
    auto hotPixels = [&] {
        QImage picture = pm::test::windowImage(tab);
        COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
        QRgb wanted = qRgb(GetRValue(hot), GetGValue(hot), GetBValue(hot));
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += (picture.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
        return n;
    };
    pm::test::pumpMessages();
    EXPECT_EQ(hotPixels(), 0);
    pm::test::moveMouse(tab, centre(rc));
    pm::test::pumpMessages();
    EXPECT_GT(hotPixels(), 0);
    pm::test::moveMouse(tab, POINT{150, 150});
    pm::test::pumpMessages();
    EXPECT_EQ(hotPixels(), 0);
}

TEST_F(Tabs, AdjustRectGoesBothWays) {
    for (DWORD style :
         {0ul, static_cast<unsigned long>(TCS_BOTTOM), static_cast<unsigned long>(TCS_BUTTONS)}) {
        HWND tab = make(style, 300, 200, 3);
        RECT rc{0, 0, 300, 200};
        SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
        EXPECT_LT(rc.bottom - rc.top, 200);
        SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
        EXPECT_EQ(rc.left, 0);
        EXPECT_EQ(rc.top, 0);
        EXPECT_EQ(rc.right, 300);
        EXPECT_EQ(rc.bottom, 200);
        DestroyWindow(tab);
    }
}

TEST_F(Tabs, VerticalTabsStandAlongTheSide) {
    for (bool right : {false, true}) {
        SCOPED_TRACE(right ? "right" : "left");
        HWND tab = make(TCS_VERTICAL | TCS_MULTILINE | (right ? TCS_RIGHT : 0), 220, 200, 7);
        RECT display{0, 0, 220, 200};
        SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        EXPECT_LT(display.right - display.left, 200);
        EXPECT_GT(display.bottom - display.top, 180);
        for (int i = 0; i < 7; ++i) {
            RECT rc = itemRect(tab, i);
            EXPECT_GT(rc.bottom - rc.top, rc.right - rc.left) << "standing tabs " << i;
            if (right) {
                EXPECT_GE(rc.left, display.right) << i;
            } else {
                EXPECT_LE(rc.right, display.left) << i;
            }
            TCHITTESTINFO info{centre(rc), 0};
            EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), i);
            if (i > 0 && itemRect(tab, i - 1).left == rc.left) {
                EXPECT_EQ(rc.top, itemRect(tab, i - 1).bottom) << i;
            }
        }
        SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
        EXPECT_EQ(display.left, 0);
        EXPECT_EQ(display.right, 220);
        SendMessage(tab, TCM_SETCURSEL, 2, 0);
        pm::test::pumpMessages();
        EXPECT_TRUE(pm::test::saveWindowPng(tab, pm::test::outputFolder() +
                                                     (right ? "/cc_tabs_right.png" : "/cc_tabs_left.png")));
        DestroyWindow(tab);
    }
}

// A row longer than the control: an up-down at its right end scrolls it a tab at a time, no further
// than to show the last tab whole; the tabs scrolled off are neither hit nor drawn.
TEST_F(Tabs, ARowTooLongScrollsWithItsUpDown) {
    HWND tab = make(0, 300, 200, 30);
    HWND scroller = scrollerOf(tab);
    ASSERT_NE(scroller, nullptr);
    const RECT arrows = childRect(scroller);
    EXPECT_EQ(arrows.right, 300);
    EXPECT_EQ(arrows.top, itemRect(tab, 0).top);
    EXPECT_EQ(itemRect(tab, 0).left, pm::cc::kTabMargin);

    const POINT right{(arrows.right - arrows.left) * 3 / 4, (arrows.bottom - arrows.top) / 2};
    const POINT left{(arrows.right - arrows.left) / 4, right.y};
    pm::test::click(scroller, right);
    pm::test::pumpMessages();
    EXPECT_LE(itemRect(tab, 0).right, pm::cc::kTabMargin);
    EXPECT_EQ(itemRect(tab, 1).left, pm::cc::kTabMargin);
    TCHITTESTINFO first{POINT{pm::cc::kTabMargin + 1, centre(itemRect(tab, 1)).y}, 0};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&first)), 1);

    for (int i = 0; i < 40; ++i)
        pm::test::click(scroller, right);
    pm::test::pumpMessages();
    const RECT last = itemRect(tab, 29);
    EXPECT_LE(last.right, arrows.left);
    EXPECT_GT(last.right, arrows.left - (last.right - last.left));
    TCHITTESTINFO under{centre(arrows), 0};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&under)), -1);

    pm::test::click(scroller, left);
    pm::test::pumpMessages();
    EXPECT_GT(itemRect(tab, 29).right, last.right);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(g_codes.empty()) << "scrolling changes no selection";

    MoveWindow(tab, 0, 0, 3000, 200, TRUE);
    EXPECT_EQ(scrollerOf(tab), nullptr);
    EXPECT_EQ(itemRect(tab, 0).left, pm::cc::kTabMargin);
    DestroyWindow(tab);
    EXPECT_EQ(scrollerOf(make(TCS_MULTILINE, 300, 200, 30)), nullptr);
}

// The control's own keys reach every tab of a long row, and whatever selects a tab shows it.
TEST_F(Tabs, KeysAndSelectingShowEveryTabOfALongRow) {
    HWND tab = make(0, 300, 200, 30);
    HWND scroller = scrollerOf(tab);
    ASSERT_NE(scroller, nullptr);
    const int room = childRect(scroller).left;
    auto shown = [&](int i) {
        const RECT rc = itemRect(tab, i);
        return rc.left >= pm::cc::kTabMargin && rc.right <= room;
    };
    SetFocus(tab);
    for (int i = 1; i < 30; ++i) {
        pm::test::pressKey(tab, VK_RIGHT);
        pm::test::pumpMessages();
        ASSERT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), i);
        EXPECT_TRUE(shown(i)) << i;
    }
    pm::test::pressKey(tab, VK_RIGHT);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 29);
    for (int i : {0, 17, 29, 3}) {
        SendMessage(tab, TCM_SETCURSEL, static_cast<WPARAM>(i), 0);
        EXPECT_TRUE(shown(i)) << i;
    }
    pm::test::pressKey(tab, VK_LEFT);
    pm::test::pumpMessages();
    EXPECT_TRUE(shown(2));
    EXPECT_TRUE(pm::test::saveWindowPng(tab, pm::test::outputFolder() + "/cc_tabs_scrolled.png"));
}

// The layout alone: rows filled up to the room, the selected row last, a tab wider than the
// room on a row of its own, nothing for no tabs.
TEST(TabLayout, RowsAtTheirEdges) {
    using pm::cc::TabLayout;
    using pm::cc::TabLayoutInput;
    struct Case {
        const char* name;
        std::vector<int> widths;
        int width;
        int selected;
        bool multiline;
        int rows;
        std::vector<int> rowOf;
    };
    const Case cases[] = {
        {"no tabs", {}, 100, -1, true, 0, {}},
        {"one row fits", {30, 30, 30}, 100, 0, true, 1, {0, 0, 0}},
        {"exactly the room", {48, 48}, 100, 1, true, 1, {0, 0}},
        {"one over", {48, 49}, 100, 1, true, 2, {0, 1}},
        {"wider than the room", {150, 20, 20}, 100, 2, true, 2, {0, 1, 1}},
        {"single line never wraps", {60, 60, 60}, 100, 0, false, 1, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabLayoutInput in;
        in.widths = c.widths;
        in.width = c.width;
        in.itemHeight = 20;
        in.selected = c.selected;
        in.multiline = c.multiline;
        TabLayout out = TabLayout::compute(in, 200);
        EXPECT_EQ(out.rows, c.rows);
        EXPECT_EQ(out.rowOf, c.rowOf);
        if (c.selected < 0) continue;
        // The selected tab's row is the lowest (next to the display area).
        for (const RECT& rc : out.rects)
            EXPECT_LE(rc.top, out.rects[static_cast<std::size_t>(c.selected)].top);
    }
}

// A single row of ten 50-pixel tabs in 200 pixels with a 32-pixel up-down: it scrolls to any first
// tab up to the one that shows the last tab whole (tabs 7 to 9 fill 150 of the 168 pixels).
TEST(TabLayout, ALongSingleRowScrolls) {
    using pm::cc::kTabMargin;
    using pm::cc::TabLayout;
    using pm::cc::TabLayoutInput;
    struct Case {
        const char* name;
        int width;
        int scroller;
        bool multiline;
        int first;
        bool overflow;
        int shown;
    };
    const Case cases[] = {
        {"fits", 600, 32, false, 3, false, 0},
        {"scrolls from the start", 200, 32, false, 0, true, 0},
        {"to a middle tab", 200, 32, false, 4, true, 4},
        {"no further than the end", 200, 32, false, 9, true, 7},
        {"multi-line wraps instead", 200, 32, true, 4, false, 0},
        {"no up-down room", 200, 0, false, 4, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabLayoutInput in;
        in.widths = std::vector<int>(10, 50);
        in.width = c.width;
        in.itemHeight = 20;
        in.selected = 0;
        in.multiline = c.multiline;
        in.scrollerWidth = c.scroller;
        in.firstShown = c.first;
        const TabLayout out = TabLayout::compute(in, 200);
        EXPECT_EQ(out.overflow, c.overflow);
        if (!c.overflow) continue;
        EXPECT_EQ(out.lastFirst, 7);
        EXPECT_EQ(out.firstShown, c.shown);
        EXPECT_EQ(out.rects[static_cast<std::size_t>(c.shown)].left, kTabMargin);
        if (c.shown == 7) {
            EXPECT_LE(out.rects.back().right, c.width - c.scroller);
        }
    }
}

} // namespace
