// Scroll bars: the range and thumb arithmetic, the window scroll bars of WS_VSCROLL / WS_HSCROLL
// and the "SCROLLBAR" control, driven by the mouse and the keyboard.

#include "platform/win/controls/scroll_bar_model.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <utility>

using pm::ctl::ScrollLayout;
using pm::ctl::ScrollPart;
using pm::ctl::ScrollState;
using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Codes = std::vector<std::pair<int, int>>; // SB_ code, position

namespace {

SCROLLINFO info(UINT mask, int lo, int hi, UINT page, int pos) {
    return SCROLLINFO{sizeof(SCROLLINFO), mask, lo, hi, page, pos, 0};
}

class ScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateWindowEx(0, recordingClass(), "top", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                             nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND child(DWORD style) {
        return CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE | style, 20, 20, 200, 160, top,
                              nullptr, nullptr, nullptr);
    }
    // The scroll messages `to` received, with the window that sent them when from a control.
    Codes scrolls(HWND to, UINT message) const {
        Codes out;
        for (const auto& m : recorder.messages())
            if (m.hwnd == to && m.message == message)
                out.emplace_back(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)));
        return out;
    }
    HWND top = nullptr;
    MessageRecorder recorder;
};

} // namespace

TEST(ScrollState, SettingClampsPageAndPosition) {
    struct Case {
        const char* name;
        SCROLLINFO in;
        int min, max;
        UINT page;
        int pos;
        bool needed;
    } cases[] = {
        {"plain range", info(SIF_RANGE | SIF_POS, 0, 100, 0, 40), 0, 100, 0, 40, true},
        {"position above the page's end", info(SIF_ALL, 0, 99, 10, 95), 0, 99, 10, 90, true},
        {"position below the minimum", info(SIF_ALL, -255, 255, 0, -300), -255, 255, 0, -255, true},
        {"page larger than the range", info(SIF_ALL, 0, 9, 50, 5), 0, 9, 10, 0, false},
        {"page exactly the range", info(SIF_ALL, 0, 9, 10, 3), 0, 9, 10, 0, false},
        {"page one less than the range", info(SIF_ALL, 0, 9, 9, 3), 0, 9, 9, 1, true},
        {"inverted range", info(SIF_ALL, 10, 5, 0, 7), 10, 10, 0, 10, false},
        {"empty range", info(SIF_ALL, 0, 0, 0, 0), 0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        ScrollState s;
        int pos = s.set(c.in);
        EXPECT_EQ(pos, c.pos) << c.name;
        EXPECT_EQ(s.min, c.min) << c.name;
        EXPECT_EQ(s.max, c.max) << c.name;
        EXPECT_EQ(s.page, c.page) << c.name;
        EXPECT_EQ(s.needed(), c.needed) << c.name;
    }
}

TEST(ScrollState, OnlyTheMaskedFieldsAreRead) {
    ScrollState s;
    s.set(info(SIF_ALL, 0, 50, 5, 20));
    s.set(info(SIF_PAGE, 999, -999, 10, 999));
    SCROLLINFO out = info(SIF_ALL, -1, -1, 0, -1);
    s.get(out);
    EXPECT_EQ(out.nMin, 0);
    EXPECT_EQ(out.nMax, 50);
    EXPECT_EQ(out.nPage, 10u);
    EXPECT_EQ(out.nPos, 20);
    EXPECT_EQ(out.nTrackPos, 20);
}

TEST(ScrollLayout, ThumbFollowsThePositionAndThePage) {
    ScrollState s;
    s.set(info(SIF_ALL, 0, 99, 25, 0));
    ScrollLayout l = ScrollLayout::compute(s, 216, 16, true); // track 184
    EXPECT_EQ(l.thumbSize, 184 * 25 / 100);
    EXPECT_EQ(l.thumbStart, 16);
    s.set(info(SIF_POS, 0, 0, 0, 75));
    l = ScrollLayout::compute(s, 216, 16, true);
    EXPECT_EQ(l.thumbStart + l.thumbSize, 200);
    EXPECT_EQ(l.hit(0), ScrollPart::LineUp);
    EXPECT_EQ(l.hit(20), ScrollPart::PageUp);
    EXPECT_EQ(l.hit(l.thumbStart), ScrollPart::Thumb);
    EXPECT_EQ(l.hit(215), ScrollPart::LineDown);
    EXPECT_EQ(l.hit(216), ScrollPart::None);
    for (int pos : {0, 1, 37, 74, 75}) {
        s.set(info(SIF_POS, 0, 0, 0, pos));
        ScrollLayout at = ScrollLayout::compute(s, 216, 16, true);
        EXPECT_EQ(at.posForThumb(s, at.thumbStart), pos) << pos;
    }
    EXPECT_EQ(l.posForThumb(s, -50), 0);
    EXPECT_EQ(l.posForThumb(s, 5000), 75);
}

TEST(ScrollLayout, ShortBarsShareTheirLengthBetweenTheArrows) {
    ScrollState s;
    struct Case {
        int length;
        int arrow;
        bool thumb;
    } cases[] = {{10, 5, false}, {32, 16, false}, {40, 16, false}, {60, 16, true}};
    for (const Case& c : cases) {
        ScrollLayout l = ScrollLayout::compute(s, c.length, 16, true);
        EXPECT_EQ(l.arrow, c.arrow) << c.length;
        EXPECT_EQ(l.thumbSize > 0, c.thumb) << c.length;
    }
    EXPECT_EQ(ScrollLayout::compute(s, 200, 16, false).thumbSize, 0);
}

TEST_F(ScrollBars, WindowBarsShowHideAndKeepTheirValues) {
    HWND w = child(0);
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL, 0);
    SCROLLINFO in = info(SIF_ALL, 0, 99, 10, 50);
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &in, TRUE), 50);
    EXPECT_NE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL, 0);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    SCROLLINFO out = info(SIF_ALL, 0, 0, 0, 0);
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &out));
    EXPECT_EQ(out.nMax, 99);
    EXPECT_EQ(out.nPage, 10u);
    EXPECT_EQ(SetScrollPos(w, SB_VERT, 200, TRUE), 50);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 90);
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(w, SB_VERT, &lo, &hi));
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(0, 99));

    in = info(SIF_RANGE | SIF_PAGE, 0, 9, 10, 0);
    SetScrollInfo(w, SB_VERT, &in, TRUE);
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL, 0) << "a bar with nothing to scroll hides";
    in.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(w, SB_VERT, &in, TRUE);
    EXPECT_NE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL, 0) << "SIF_DISABLENOSCROLL keeps it, disabled";

    EXPECT_TRUE(ShowScrollBar(w, SB_BOTH, TRUE));
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL);
    EXPECT_TRUE(ShowScrollBar(w, SB_HORZ, FALSE));
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_TRUE(SetScrollRange(w, SB_HORZ, 0, 40, TRUE));
    EXPECT_TRUE(EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH)) << "no change";
    EXPECT_FALSE(GetScrollInfo(w, 7, &out));
    DestroyWindow(w);
    EXPECT_FALSE(GetScrollInfo(w, SB_VERT, &out));
}

TEST_F(ScrollBars, ClickingTheWindowBarsArrowsAndPagesSendsTheirCodes) {
    HWND w = child(WS_VSCROLL | WS_HSCROLL);
    SCROLLINFO in = info(SIF_ALL, 0, 99, 20, 40);
    SetScrollInfo(w, SB_VERT, &in, TRUE);
    SetScrollInfo(w, SB_HORZ, &in, TRUE);
    recorder.name(w, "w");
    RECT c;
    GetClientRect(w, &c);
    int arrow = GetSystemMetrics(SM_CYVSCROLL);
    int barX = c.right + 3;
    struct Case {
        const char* name;
        POINT at;
        UINT message;
        int code;
    } cases[] = {
        {"up arrow", {barX, 3}, WM_VSCROLL, SB_LINEUP},
        {"down arrow", {barX, c.bottom - 3}, WM_VSCROLL, SB_LINEDOWN},
        {"page above", {barX, arrow + 2}, WM_VSCROLL, SB_PAGEUP},
        {"page below", {barX, c.bottom - arrow - 2}, WM_VSCROLL, SB_PAGEDOWN},
        {"left arrow", {3, c.bottom + 3}, WM_HSCROLL, SB_LINELEFT},
        {"right arrow", {c.right - 3, c.bottom + 3}, WM_HSCROLL, SB_LINERIGHT},
    };
    for (const Case& k : cases) {
        recorder.clear();
        pm::test::pressMouse(w, k.at);
        pm::test::releaseMouse(w, k.at);
        pm::test::pumpMessages();
        EXPECT_EQ(scrolls(w, k.message), (Codes{{k.code, 0}, {SB_ENDSCROLL, 0}})) << k.name;
        EXPECT_EQ(GetCapture(), nullptr) << k.name;
    }
}

TEST_F(ScrollBars, DraggingTheThumbTracksAndEndsWithThePosition) {
    HWND w = child(WS_VSCROLL);
    SCROLLINFO in = info(SIF_ALL, 0, 100, 10, 0);
    SetScrollInfo(w, SB_VERT, &in, TRUE);
    recorder.name(w, "w");
    RECT c;
    GetClientRect(w, &c);
    int arrow = GetSystemMetrics(SM_CYVSCROLL);
    POINT thumb{c.right + 5, arrow + 3};
    pm::test::pressMouse(w, thumb);
    pm::test::moveMouse(w, POINT{thumb.x, thumb.y + 20});
    pm::test::moveMouse(w, POINT{thumb.x + 2, thumb.y + 500});
    pm::test::releaseMouse(w, POINT{thumb.x + 2, thumb.y + 500});
    pm::test::pumpMessages();
    Codes got = scrolls(w, WM_VSCROLL);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].first, SB_THUMBTRACK);
    EXPECT_GT(got[0].second, 0);
    EXPECT_EQ(got[1], std::make_pair(SB_THUMBTRACK, 91));
    EXPECT_EQ(got[2], std::make_pair(SB_THUMBPOSITION, 91));
    EXPECT_EQ(got[3].first, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 0) << "the window moves the position itself";
}

TEST_F(ScrollBars, ScrollBarControlAnswersItsMessagesAndNotifiesItsParent) {
    HWND sb = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT | WS_TABSTOP, 250, 10, 17,
                             200, top, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(sb, nullptr);
    int lo = -1, hi = -1;
    SendMessage(sb, SBM_GETRANGE, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(0, 100)) << "the default range";
    EXPECT_TRUE(SetScrollRange(sb, SB_CTL, -255, 255, TRUE));
    EXPECT_EQ(SetScrollPos(sb, SB_CTL, 100, TRUE), 0);
    EXPECT_EQ(SendMessage(sb, SBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessage(sb, SBM_SETPOS, 1000, TRUE), 100);
    EXPECT_EQ(GetScrollPos(sb, SB_CTL), 255);
    SCROLLINFO in = info(SIF_PAGE, 0, 0, 11, 0);
    EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &in, TRUE), 245);

    recorder.name(top, "top");
    pm::test::pressMouse(sb, POINT{8, 195});
    pm::test::releaseMouse(sb, POINT{8, 195});
    pm::test::pumpMessages();
    EXPECT_EQ(GetFocus(), sb) << "WS_TABSTOP bars take the focus";
    pm::test::pressKey(sb, VK_PRIOR);
    pm::test::pressKey(sb, VK_HOME);
    pm::test::pumpMessages();
    EXPECT_EQ(scrolls(top, WM_VSCROLL), (Codes{{SB_LINEDOWN, 0},
                                               {SB_ENDSCROLL, 0},
                                               {SB_PAGEUP, 0},
                                               {SB_ENDSCROLL, 0},
                                               {SB_TOP, 0},
                                               {SB_ENDSCROLL, 0}}));
    for (const auto& m : recorder.messages())
        if (m.message == WM_VSCROLL) {
            EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(sb));
        }
    EXPECT_EQ(SendMessage(sb, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    EXPECT_TRUE(EnableScrollBar(sb, SB_CTL, ESB_DISABLE_BOTH));
    recorder.clear();
    pm::test::pressKey(sb, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_TRUE(scrolls(top, WM_VSCROLL).empty()) << "a disabled bar is silent";
}
