// Tab control: items, selection with TCN_SELCHANGING (which may refuse) and TCN_SELCHANGE, rows of
// a multi-line control with the selected row next to the display area, hit tests and rectangles.
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
        for (int i = 0; i < 7; ++i) {
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

} // namespace
