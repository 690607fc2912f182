#include "platform/com/oleauto.h"
#include "platform/win/richedit.h"
#include "platform/win/richedit_runs.h"
#include "platform/win/tom.h"
#include "platform/win/gdi/dc_surface.h"
#include "platform/win/tests/support/test_images.h"
#include "platform/win/windows.h"

#include <gtest/gtest.h>

#include "platform/win/wm/beeps.h"
#include "platform/win/wm/window.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// What the parent window heard from the control, one line per notification.
std::vector<std::string> g_trace;
LRESULT g_refuseProtected = 0;
HWND g_edit = nullptr;
bool g_reenter = false;

std::string describeRange(const CHARRANGE& r) {
    return std::to_string(r.cpMin) + "-" + std::to_string(r.cpMax);
}

const char* messageName(UINT msg) {
    switch (msg) {
    case WM_CHAR:
        return "WM_CHAR";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_PASTE:
        return "WM_PASTE";
    case WM_CUT:
        return "WM_CUT";
    case WM_SETTEXT:
        return "WM_SETTEXT";
    case EM_REPLACESEL:
        return "EM_REPLACESEL";
    case EM_SETCHARFORMAT:
        return "EM_SETCHARFORMAT";
    default:
        return "?";
    }
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == EN_PROTECTED) {
            auto* p = reinterpret_cast<ENPROTECTED*>(lParam);
            g_trace.push_back(std::string("protected ") + messageName(p->msg) + " " + describeRange(p->chrg));
            return g_refuseProtected;
        }
        if (header->code == EN_SELCHANGE) {
            auto* s = reinterpret_cast<SELCHANGE*>(lParam);
            g_trace.push_back("selchange " + describeRange(s->chrg));
            return 0;
        }
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == EN_MSGFILTER) {
        auto* f = reinterpret_cast<MSGFILTER*>(lParam);
        g_trace.push_back("filter " + std::to_string(f->msg));
        return f->msg == WM_CHAR && f->wParam == 'z'; // swallow every typed z
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == EN_LINK) {
        auto* l = reinterpret_cast<ENLINK*>(lParam);
        g_trace.push_back("link " + describeRange(l->chrg));
        return 1;
    }
    if (msg == WM_COMMAND && (HIWORD(wParam) == EN_VSCROLL || HIWORD(wParam) == EN_HSCROLL)) {
        g_trace.push_back(HIWORD(wParam) == EN_VSCROLL ? "vscroll" : "hscroll");
        return 0;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        g_trace.push_back("change");
        if (g_reenter) {
            // A handler that reads and changes the control from inside the notification.
            g_reenter = false;
            CHARRANGE all{0, -1};
            SendMessage(g_edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
            CHARFORMATA cf{};
            cf.cbSize = sizeof cf;
            cf.dwMask = CFM_BOLD;
            cf.dwEffects = CFE_BOLD;
            SendMessage(g_edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        }
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class RichEditTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        RegisterRichEditClasses();
        m_parent = pm::test::createParent(parentProc, 400, 300);
        m_edit = CreateWindowEx(0, legacy() ? RICHEDIT_CLASS10A : RICHEDIT_CLASSA, "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 300,
                                200, m_parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        g_edit = m_edit;
        g_trace.clear();
        g_refuseProtected = 0;
    }
    void TearDown() override { DestroyWindow(m_parent); }

    bool legacy() const { return GetParam(); }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessage(m_edit, msg, w, l); }
    void setText(const char* text) { send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    std::string text() {
        std::string s(static_cast<std::size_t>(send(WM_GETTEXTLENGTH)) + 1, '\0');
        s.resize(static_cast<std::size_t>(send(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()))));
        return s;
    }
    void select(LONG a, LONG b) {
        CHARRANGE r{a, b};
        send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    }
    CHARRANGE selection() {
        CHARRANGE r{};
        send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Protects every character, as the code editor does, and listens to every notification.
    void protectAll() {
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_PROTECTED;
        cf.dwEffects = CFE_PROTECTED;
        send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
        send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
        send(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED);
        g_trace.clear();
    }
    // Client position of the 'c' of "ab\r\ncd": after a break of two or one.
    LONG posOfC() const { return legacy() ? 4 : 3; }
    // Shows the control 300 by 150 with both scroll bars, for pictures of scrolled text.
    void showScrolling() {
        ShowWindow(m_parent, SW_SHOW);
        SetWindowLongPtr(m_edit, GWL_STYLE, GetWindowLongPtr(m_edit, GWL_STYLE) | WS_HSCROLL);
        MoveWindow(m_edit, 0, 0, 300, 150, TRUE);
    }
    void colour(LONG from, LONG to, COLORREF c, bool bold) {
        select(from, to);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_COLOR | CFM_BOLD;
        cf.crTextColor = c;
        cf.dwEffects = bold ? CFE_BOLD : 0;
        send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }

    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
};

TEST_P(RichEditTest, TextLinesAndPositionModels) {
    setText("ab\r\ncd");
    EXPECT_EQ(text(), "ab\r\ncd");
    EXPECT_EQ(send(WM_GETTEXTLENGTH), 6);
    // A buffer too small takes what fits, ended by a NUL, even between CR and LF.
    for (std::size_t room : {1, 3, 4, 5, 7, 8}) {
        SCOPED_TRACE(room);
        std::string cut(8, '#');
        LRESULT got = send(WM_GETTEXT, room, reinterpret_cast<LPARAM>(cut.data()));
        const std::string expected = std::string("ab\r\ncd").substr(0, room - 1);
        EXPECT_EQ(got, static_cast<LRESULT>(expected.size()));
        EXPECT_EQ(cut.substr(0, expected.size() + 1), expected + '\0');
        EXPECT_EQ(cut.substr(expected.size() + 1), std::string(7 - expected.size(), '#'));
    }
    GETTEXTLENGTHEX plain{GTL_DEFAULT, 0};
    EXPECT_EQ(send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&plain)), legacy() ? 6 : 5);
    EXPECT_EQ(send(EM_GETLINECOUNT), 2);
    EXPECT_EQ(send(EM_LINEINDEX, 1), posOfC());
    EXPECT_EQ(send(EM_LINEINDEX, 2), -1);
    EXPECT_EQ(send(EM_LINELENGTH, posOfC()), 2);
    EXPECT_EQ(send(EM_EXLINEFROMCHAR, 0, posOfC()), 1);
    EXPECT_EQ(send(EM_EXLINEFROMCHAR, 0, 99), 1);

    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    LRESULT n = send(EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(n)), legacy() ? "ab\r\n" : "ab\r");

    char range[16] = {};
    TEXTRANGEA tr{{1, posOfC() + 1}, range};
    n = send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    EXPECT_EQ(std::string(range, static_cast<std::size_t>(n)), legacy() ? "b\r\nc" : "b\rc");

    // A position between CR and LF of the 1.0 control never holds the caret.
    select(3, 3);
    EXPECT_EQ(selection().cpMin, legacy() ? 2 : 3);
}

TEST_P(RichEditTest, SelectionMessages) {
    struct Case {
        LONG from, to;
        LONG start10, end10;
        const char* text10;
        LONG start20, end20;
        const char* text20;
    } cases[] = {
        {0, -1, 0, 6, "ab\r\ncd", 0, 5, "ab\rcd"},
        {-1, 0, 6, 6, "", 5, 5, ""},         // deselects, keeping the caret
        {3, 3, 2, 2, "", 3, 3, ""},          // inside CR LF: before the pair
        {5, 99, 5, 6, "d", 5, 5, ""},        // past the end
        {4, 1, 1, 4, "b\r\n", 1, 4, "b\rc"}, // reversed
    };
    setText("ab\r\ncd");
    for (const Case& c : cases) {
        send(EM_SETSEL, static_cast<WPARAM>(c.from), c.to);
        DWORD start = 0, end = 0;
        LRESULT packed = send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        char buf[16] = {};
        LRESULT n = send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf));
        LONG wantStart = legacy() ? c.start10 : c.start20, wantEnd = legacy() ? c.end10 : c.end20;
        EXPECT_EQ(static_cast<LONG>(start), wantStart) << c.from << "," << c.to;
        EXPECT_EQ(static_cast<LONG>(end), wantEnd) << c.from << "," << c.to;
        EXPECT_EQ(packed, MAKELRESULT(wantStart, wantEnd));
        EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), legacy() ? c.text10 : c.text20);
    }
}

TEST_P(RichEditTest, LineMessagesOnEdgeTexts) {
    struct Case {
        const char* text;
        UINT msg;
        WPARAM wParam;
        LONG select; // caret position set first
        LRESULT want10, want20;
    } cases[] = {
        {"", EM_GETLINECOUNT, 0, 0, 1, 1},
        {"", EM_LINEINDEX, 0, 0, 0, 0},
        {"", EM_LINEINDEX, 1, 0, -1, -1},
        {"", EM_LINELENGTH, 0, 0, 0, 0},
        {"", EM_LINEFROMCHAR, 5, 0, 0, 0},
        {"ab\r\ncd\r\n", EM_GETLINECOUNT, 0, 0, 3, 3},
        {"ab\r\ncd\r\n", EM_LINEINDEX, 2, 0, 8, 6},
        {"ab\r\ncd\r\n", EM_LINEINDEX, static_cast<WPARAM>(-1), 4, 4, 3},
        {"ab\r\ncd\r\n", EM_LINELENGTH, 8, 0, 0, 0},
        {"ab\r\ncd\r\n", EM_LINEFROMCHAR, 4, 0, 1, 1},
        {"ab\r\ncd\r\n", EM_LINEFROMCHAR, 6, 0, 1, 2},
        {"ab\r\ncd\r\n", EM_LINEFROMCHAR, 99, 0, 2, 2},
        {"ab\r\ncd\r\n", EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 4, 1, 1},
        {"ab\r\ncd", EM_LINELENGTH, 99, 0, 2, 2},
        {"ab\r\ncd", EM_LINEFROMCHAR, 6, 0, 1, 1},
    };
    for (const Case& c : cases) {
        setText(c.text);
        select(c.select, c.select);
        EXPECT_EQ(send(c.msg, c.wParam), legacy() ? c.want10 : c.want20)
            << c.text << " " << c.msg << " " << c.wParam;
    }
    setText("ab\r\ncd");
    select(1, posOfC() + 1);
    EXPECT_EQ(send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 2)
        << "unselected characters of the selected lines";
    char line[8] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 2) << "the last line has no break";
    EXPECT_EQ(std::string(line, 2), "cd");
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(send(EM_GETLINE, 2, reinterpret_cast<LPARAM>(line)), 0);
}

TEST_P(RichEditTest, ScrollMessagesMoveByWholeLines) {
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    setText(lines.c_str());
    select(0, 0);
    send(EM_SETEVENTMASK, 0, ENM_SCROLL);
    LONG page = 0;
    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        int first;   // the first visible line after it; -1: unchanged
        bool scroll; // EN_VSCROLL expected
    } cases[] = {
        {"line scroll", EM_LINESCROLL, 0, 5, 5, true},
        {"line down", EM_SCROLL, SB_LINEDOWN, 0, 6, true},
        {"page up stops at the top", EM_SCROLL, SB_PAGEUP, 0, 0, true},
        {"line up at the top", EM_SCROLL, SB_LINEUP, 0, 0, false},
        {"not a scroll code", EM_SCROLL, SB_BOTTOM, 0, 0, false},
        {"far down stops at the last line", EM_LINESCROLL, 0, 1000, 100, true},
        {"caret back into view", EM_SCROLLCARET, 0, 0, -1, true},
    };
    for (const Case& c : cases) {
        int before = static_cast<int>(send(EM_GETFIRSTVISIBLELINE));
        g_trace.clear();
        LRESULT r = send(c.msg, c.wParam, c.lParam);
        int after = static_cast<int>(send(EM_GETFIRSTVISIBLELINE));
        if (c.first >= 0) {
            EXPECT_EQ(after, c.first) << c.name;
        } else {
            EXPECT_EQ(after, 0) << c.name;
        }
        if (c.msg == EM_SCROLL) {
            LRESULT want = c.wParam == SB_BOTTOM ? 0 : MAKELRESULT(static_cast<WORD>(after - before), TRUE);
            EXPECT_EQ(r, want) << c.name << ": the lines actually scrolled";
        }
        EXPECT_EQ(g_trace, c.scroll ? std::vector<std::string>{"vscroll"} : std::vector<std::string>{})
            << c.name;
        page = std::max<LONG>(page, after);
    }
}

// A selection set from outside comes into view, by either message; one set while EM_HIDESELECTION
// hides the selection leaves the view alone until the focus comes back.
TEST_P(RichEditTest, ASelectionSetFromOutsideIsScrolledIntoView) {
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    setText(lines.c_str());
    const LONG target = static_cast<LONG>(lines.find("line 80"));
    const auto firstVisible = [this] { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE)); };
    send(EM_SETSEL, static_cast<WPARAM>(target), target + 4);
    EXPECT_GT(firstVisible(), 60) << "EM_SETSEL";
    send(EM_SETSEL, 0, 0);
    EXPECT_EQ(firstVisible(), 0) << "back at the top";
    CHARRANGE range{target, target + 4};
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_GT(firstVisible(), 60) << "EM_EXSETSEL";
    send(EM_SETSEL, 0, 0);
    send(EM_HIDESELECTION, TRUE, FALSE);
    send(EM_SETSEL, static_cast<WPARAM>(target), target + 4);
    EXPECT_EQ(firstVisible(), 0) << "hidden for now: the view stays";
    SetFocus(m_parent);
    SetFocus(m_edit);
    send(EM_SETSEL, 0, 0);
    EXPECT_EQ(firstVisible(), 0);
    send(EM_SETSEL, static_cast<WPARAM>(target), target + 4);
    EXPECT_GT(firstVisible(), 60) << "the focus ended the hiding";
}

// Scrolling moves the pixels already drawn and paints only what they uncover; the picture must be
// the one a whole repaint gives, in every direction, with a selection, tabs, colours and the caret.
TEST_P(RichEditTest, AScrolledViewShowsWhatAWholeRepaintShows) {
    if (legacy()) GTEST_SKIP() << "one model is enough";
    showScrolling();
    std::string lines;
    for (int i = 0; i < 120; ++i)
        lines += "\tline " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 9) * 7, 'w') +
                 (i % 4 ? " tail" : "\tafter a tab") + "\r\n";
    setText(lines.c_str());
    for (LONG from = 0; from < 4000; from += 37)
        colour(from, from + 9, RGB(from % 200, 0, 160), from % 3 != 0);
    SetFocus(m_edit);
    select(150, 620);
    pm::test::expectScrollsRepaintWhole(m_edit, {{"line down", WM_VSCROLL, SB_LINEDOWN, 0},
                                                 {"three lines", EM_LINESCROLL, 0, 3},
                                                 {"line up", WM_VSCROLL, SB_LINEUP, 0},
                                                 {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
                                                 {"page up", WM_VSCROLL, SB_PAGEUP, 0},
                                                 {"right", WM_HSCROLL, SB_LINEDOWN, 0},
                                                 {"further right", WM_HSCROLL, SB_LINEDOWN, 0},
                                                 {"left", WM_HSCROLL, SB_LINEUP, 0},
                                                 {"both ways", EM_LINESCROLL, 2, 2},
                                                 {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0}});
}

// A long line is laid out from points its layout keeps, kept in step with typing, tabs and new
// formats: what it shows, and where the caret goes, is what a layout from the line's start gives.
TEST_P(RichEditTest, ALongLineShowsWhatAFreshLayoutShows) {
    if (legacy()) GTEST_SKIP() << "one model is enough";
    showScrolling();
    // Words, and from the middle on a tab before every fortieth.
    std::string line;
    for (int i = 0; line.size() < 12000; ++i)
        line += (i % 40 == 0 && line.size() > 7000 ? "\t" : "") + std::string("w") + std::to_string(i) + " ";
    const std::string text = line + "\r\nshort\r\n" + line;
    setText(text.c_str());
    for (LONG from = 0; from < 12000; from += 53)
        colour(from, from + 11, RGB(from % 200, 0, 160), from % 3 == 0);
    SetFocus(m_edit);
    HideCaret(m_edit);
    auto look = [&] {
        UpdateWindow(m_edit);
        POINT caret{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), selection().cpMax);
        return std::make_pair(pm::test::windowImage(m_edit), caret);
    };
    auto fresh = [&] {
        // Tab stops set anew: every line is laid out again from its start.
        PARAFORMAT pf{};
        pf.cbSize = sizeof pf;
        send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        InvalidateRect(m_edit, nullptr, TRUE);
        return look();
    };
    // Each step types at one place and then looks at another, which the layout reaches from the
    // points it moved for the typing.
    struct Step {
        const char* name;
        LONG at;
        const char* typed;
        LONG view;
    } steps[] = {{"typing, a look further on", 1000, "abc", 2500},
                 {"typing, a look back", 3000, "xyz", 600},
                 {"a tab before tabs, a look past them", 7600, "\t", 9500},
                 {"typing, a look at the end", 5000, "q", 11990},
                 {"typing near the start, a look at it", 40, "qq", 41},
                 {"typing in the line below", 12030, "below", 12100}};
    for (const Step& s : steps) {
        select(s.at, s.at);
        for (const char* c = s.typed; *c; ++c)
            send(WM_CHAR, static_cast<WPARAM>(*c));
        send(EM_SCROLLCARET);
        UpdateWindow(m_edit);
        select(s.view, s.view);
        send(EM_SCROLLCARET);
        const auto kept = look();
        const auto anew = fresh();
        EXPECT_EQ(kept.first, anew.first) << s.name;
        EXPECT_EQ(kept.second.x, anew.second.x) << s.name;
        colour(s.at - 5, s.at + 2, RGB(0, 128, 0), true);
        select(s.view, s.view);
        send(EM_SCROLLCARET);
        EXPECT_EQ(look().first, fresh().first) << s.name << ", then a new format";
    }
}

// The caret inside a word of a focused control: the word is drawn as it is without the caret (the
// text after the caret once drew over the text before it).
TEST_P(RichEditTest, TheCaretInsideAWordLeavesTheWordWhole) {
    ShowWindow(m_parent, SW_SHOW);
    setText("abcdefgh ijkl\r\nmnop");
    SetFocus(m_edit);
    HideCaret(m_edit);
    auto picture = [&](LONG caret) {
        select(caret, caret);
        InvalidateRect(m_edit, nullptr, TRUE);
        UpdateWindow(m_edit);
        return pm::test::windowImage(m_edit);
    };
    QImage atStart = picture(0);
    EXPECT_EQ(picture(4), atStart);
    EXPECT_EQ(picture(11), atStart);
}

TEST_P(RichEditTest, PointsAndPositions) {
    setText("ab\r\ncd");
    struct Case {
        LONG cp;       // asked for
        LONG expected; // the position found again from its point
    } cases[] = {{0, 0}, {1, 1}, {posOfC(), posOfC()}, {posOfC() + 1, posOfC() + 1}};
    for (const Case& c : cases) {
        POINT pt{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), c.cp);
        LRESULT packed = send(EM_POSFROMCHAR, static_cast<WPARAM>(c.cp), 0);
        EXPECT_EQ(packed, MAKELRESULT(pt.x, pt.y)) << "both calling forms, " << c.cp;
        POINT probe{pt.x + 1, pt.y + 2};
        EXPECT_EQ(send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&probe)), c.expected) << c.cp;
    }
    POINT first{}, second{};
    send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), posOfC());
    EXPECT_GT(second.y, first.y);
    POINT below{0, 1000};
    EXPECT_EQ(send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&below)), legacy() ? 4 : 3)
        << "a point below the text is on the last line";
    // A larger font makes taller lines.
    LOGFONTA lf{};
    lf.lfHeight = -40;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    HFONT big = CreateFontIndirectA(&lf);
    send(WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    POINT tall{};
    send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&tall), posOfC());
    EXPECT_GT(tall.y - first.y, second.y - first.y);
    send(WM_SETFONT, 0, FALSE);
    DeleteObject(big);
}

TEST_P(RichEditTest, RedrawHideSelectionAndSideways) {
    setText("a rather long line of text that goes on well past the right edge of the control's window");
    send(WM_SETREDRAW, FALSE);
    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("x"));
    send(WM_SETREDRAW, TRUE);
    EXPECT_EQ(text().substr(0, 2), "xa") << "edits go on while drawing is off";
    send(EM_HIDESELECTION, FALSE, TRUE);
    EXPECT_TRUE(GetWindowLong(m_edit, GWL_STYLE) & ES_NOHIDESEL) << "a lasting change";
    send(EM_HIDESELECTION, TRUE, TRUE);
    EXPECT_FALSE(GetWindowLong(m_edit, GWL_STYLE) & ES_NOHIDESEL);
    send(EM_SETEVENTMASK, 0, ENM_SCROLL);
    g_trace.clear();
    send(EM_LINESCROLL, 10, 0);
    EXPECT_EQ(g_trace, std::vector<std::string>{"hscroll"});
    g_trace.clear();
    send(WM_HSCROLL, SB_TOP);
    send(WM_HSCROLL, SB_TOP);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"hscroll"})) << "no notice when nothing moved";
}

TEST_P(RichEditTest, SettingsMessages) {
    setText("abc");
    select(3, 3);
    EXPECT_EQ(send(EM_SETOPTIONS, ECOOP_OR, ECO_READONLY) & ECO_READONLY, ECO_READONLY);
    send(WM_CHAR, 'x');
    EXPECT_EQ(text(), "abc") << "read-only through the options";
    EXPECT_EQ(send(EM_SETOPTIONS, ECOOP_XOR, ECO_READONLY) & ECO_READONLY, 0);
    send(WM_CHAR, 'x');
    EXPECT_EQ(text(), "abcx");
    send(EM_SETREADONLY, TRUE);
    EXPECT_EQ(send(EM_GETOPTIONS) & ECO_READONLY, ECO_READONLY);
    send(EM_SETREADONLY, FALSE);
    EXPECT_EQ(send(EM_GETEVENTMASK), 0);
    send(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SCROLL);
    EXPECT_EQ(send(EM_GETEVENTMASK), ENM_CHANGE | ENM_SCROLL);
    EXPECT_EQ(send(EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(send(EM_SETBKGNDCOLOR, 1, 0), static_cast<LRESULT>(RGB(1, 2, 3)));
    RECT r{10, 5, 200, 100}, got{};
    send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.left, 10);
    EXPECT_EQ(got.top, 5);
    EXPECT_EQ(got.right, 200);
    EXPECT_EQ(got.bottom, 100);
    send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 6));
    EXPECT_EQ(send(EM_GETMARGINS), MAKELRESULT(4, 6));
    EXPECT_EQ(send(EM_SETTARGETDEVICE, 0, 0), TRUE);
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_TABSTOPS | PFM_ALIGNMENT | PFM_STARTINDENT;
    pf.cTabCount = 40; // more than there is room for
    for (int i = 0; i < MAX_TAB_STOPS; ++i)
        pf.rgxTabs[i] = 360 * (i + 1);
    pf.wAlignment = PFA_CENTER;
    pf.dxStartIndent = 100;
    EXPECT_EQ(send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)), TRUE);
    PARAFORMAT back{};
    back.cbSize = sizeof back;
    send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.cTabCount, MAX_TAB_STOPS);
    EXPECT_EQ(back.rgxTabs[MAX_TAB_STOPS - 1], 360 * MAX_TAB_STOPS);
    EXPECT_EQ(back.wAlignment, PFA_CENTER);
    EXPECT_EQ(back.dxStartIndent, 100);
}

TEST_P(RichEditTest, ClipboardAndOverwrite) {
    setText("hello world");
    select(0, 5);
    send(WM_COPY);
    EXPECT_EQ(send(EM_CANPASTE, CF_TEXT), TRUE);
    send(EM_SETREADONLY, TRUE);
    EXPECT_EQ(send(EM_CANPASTE, CF_TEXT), FALSE);
    send(WM_CLEAR);
    EXPECT_EQ(text(), "hello world") << "read-only";
    send(EM_SETREADONLY, FALSE);
    send(WM_CLEAR);
    EXPECT_EQ(text(), " world");
    select(1, 1);
    send(WM_PASTE);
    EXPECT_EQ(text(), " helloworld");
    send(WM_KEYDOWN, VK_INSERT);
    select(0, 0);
    send(WM_CHAR, 'X');
    EXPECT_EQ(text(), "Xhelloworld") << "overwrite replaces the next character";
    send(WM_KEYDOWN, VK_INSERT);
    send(WM_CHAR, 'Y');
    EXPECT_EQ(text(), "XYhelloworld");
}

TEST_P(RichEditTest, UndoRedoAndGroupedTyping) {
    if (legacy()) GTEST_SKIP() << "the editors keep their own undo over the 1.0 control";
    setText("");
    send(EM_EMPTYUNDOBUFFER);
    for (char ch : std::string("ab"))
        send(WM_CHAR, static_cast<WPARAM>(ch));
    send(EM_STOPGROUPTYPING);
    send(WM_CHAR, 'c');
    send(EM_SETSEL, 0, 1);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("X"));
    send(EM_SETSEL, 0, 1);
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("Y")); // can-undo off: history gone
    EXPECT_EQ(send(EM_CANUNDO), FALSE);
    setText("");
    send(EM_EMPTYUNDOBUFFER);
    for (char ch : std::string("ab"))
        send(WM_CHAR, static_cast<WPARAM>(ch));
    send(EM_STOPGROUPTYPING);
    send(WM_CHAR, 'c');
    send(EM_SETSEL, 0, 1);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("X"));
    struct Step {
        UINT msg;
        LRESULT result;
        const char* text;
    } steps[] = {
        {EM_UNDO, TRUE, "abc"}, {EM_UNDO, TRUE, "ab"},  {EM_UNDO, TRUE, ""},    {EM_UNDO, FALSE, ""},
        {EM_REDO, TRUE, "ab"},  {EM_REDO, TRUE, "abc"}, {EM_REDO, TRUE, "Xbc"}, {EM_REDO, FALSE, "Xbc"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(send(s.msg), s.result) << s.text;
        EXPECT_EQ(text(), s.text);
    }
    EXPECT_EQ(send(EM_CANREDO), FALSE);
    EXPECT_EQ(send(EM_CANUNDO), TRUE);
}

TEST_P(RichEditTest, Utf8SequencesAreNeverSplit) {
    setText("a\xC3\xA9"
            "b");
    select(2, 2);
    EXPECT_EQ(selection().cpMin, 1);
    send(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(selection().cpMin, 3);
    send(WM_CHAR, 0x20AC); // a euro sign typed: its UTF-8 bytes go in
    EXPECT_EQ(text(), "a\xC3\xA9\xE2\x82\xAC"
                      "b");
}

TEST_P(RichEditTest, NotificationTracesOfEdits) {
    setText("ab\r\ncd");
    protectAll();
    LONG c = posOfC();
    struct Step {
        const char* name;
        LONG selFrom, selTo;
        UINT msg;
        WPARAM wParam;
        std::vector<std::string> trace;
    };
    std::string br = std::to_string(c);
    std::vector<Step> steps = {
        {"typing", 1, 1, WM_CHAR, 'x', {"protected WM_CHAR 1-1", "change", "selchange 2-2"}},
        {"enter",
         1,
         1,
         WM_CHAR,
         '\r',
         {"protected WM_CHAR 1-1", "change", legacy() ? "selchange 3-3" : "selchange 2-2"}},
        {"backspace at a line start",
         c,
         c,
         WM_KEYDOWN,
         VK_BACK,
         {"protected WM_KEYDOWN 2-" + br, "change", "selchange 2-2"}},
        {"delete at a line end", 2, 2, WM_KEYDOWN, VK_DELETE, {"protected WM_KEYDOWN 2-" + br, "change"}},
    };
    for (const Step& s : steps) {
        setText("ab\r\ncd");
        select(s.selFrom, s.selTo);
        g_trace.clear();
        send(s.msg, s.wParam);
        EXPECT_EQ(g_trace, s.trace) << s.name;
    }
}

TEST_P(RichEditTest, ARefusedChangeChangesNothing) {
    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::string trace;
    } cases[] = {
        {"typing", WM_CHAR, 'x', 0, "protected WM_CHAR 1-1"},
        {"set text", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"), "protected WM_SETTEXT 0-3"},
        {"replace", EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("y"), "protected EM_REPLACESEL 1-1"},
        {"backspace", WM_KEYDOWN, VK_BACK, 0, "protected WM_KEYDOWN 0-1"},
    };
    for (const Case& c : cases) {
        setText("abc");
        protectAll();
        select(1, 1);
        g_trace.clear();
        pm::takeRecordedBeeps();
        g_refuseProtected = 1;
        send(c.msg, c.wParam, c.lParam);
        g_refuseProtected = 0;
        EXPECT_EQ(text(), "abc") << c.name;
        EXPECT_EQ(g_trace, std::vector<std::string>{c.trace}) << c.name << ": no EN_CHANGE";
        EXPECT_EQ(pm::takeRecordedBeeps().size(), 1u) << c.name;
    }
}

TEST_P(RichEditTest, SetTextAndCutTraces) {
    setText("ab");
    protectAll();
    select(1, 1);
    g_trace.clear();
    setText("xyz");
    EXPECT_EQ(g_trace, (std::vector<std::string>{"protected WM_SETTEXT 0-2", "change", "selchange 0-0"}));
    select(1, 3);
    g_trace.clear();
    send(WM_CUT);
    EXPECT_EQ(text(), "x");
    EXPECT_EQ(g_trace, (std::vector<std::string>{"protected WM_CUT 1-3", "change", "selchange 1-1"}));
}

TEST_P(RichEditTest, ClipboardCutAndPaste) {
    setText("hello world");
    protectAll();
    select(0, 6);
    send(WM_CUT);
    EXPECT_EQ(text(), "world");
    select(5, 5);
    g_trace.clear();
    send(WM_PASTE);
    EXPECT_EQ(text(), "worldhello ");
    EXPECT_EQ(g_trace, (std::vector<std::string>{"protected WM_PASTE 5-5", "change", "selchange 11-11"}));
}

TEST_P(RichEditTest, HandlersMayReenterFromChangeNotifications) {
    setText("abc");
    protectAll();
    select(3, 3);
    g_reenter = true;
    send(WM_CHAR, 'd');
    EXPECT_EQ(text(), "abcd");
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwMask & CFM_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
}

TEST_P(RichEditTest, CharFormatMaskTellsWhatIsUniform) {
    setText("abcd");
    select(0, 2);
    CHARFORMATA bold{};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD | CFM_COLOR;
    bold.dwEffects = CFE_BOLD;
    bold.crTextColor = RGB(255, 0, 0);
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    select(0, 4);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_FALSE(cf.dwMask & CFM_BOLD);
    EXPECT_FALSE(cf.dwMask & CFM_COLOR);
    EXPECT_TRUE(cf.dwMask & CFM_ITALIC);
    select(0, 2);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwMask & CFM_COLOR);
    EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
}

TEST_P(RichEditTest, FindText) {
    setText("one\r\ntwo two");
    FINDTEXTEXA ft{{0, -1}, "TWO", {}};
    LRESULT at = send(EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&ft));
    EXPECT_EQ(at, legacy() ? 5 : 4);
    EXPECT_EQ(ft.chrgText.cpMax - ft.chrgText.cpMin, 3);
    EXPECT_EQ(send(EM_FINDTEXTEX, FR_MATCHCASE, reinterpret_cast<LPARAM>(&ft)), -1);
    FINDTEXTEXA empty{{0, -1}, "", {}};
    EXPECT_EQ(send(EM_FINDTEXTEX, 0, reinterpret_cast<LPARAM>(&empty)), -1);
    // EM_FINDTEXT answers the same without the found range; the range limits the search.
    FINDTEXTA plain{{0, -1}, "two"};
    EXPECT_EQ(send(EM_FINDTEXT, FR_DOWN | FR_WHOLEWORD, reinterpret_cast<LPARAM>(&plain)), legacy() ? 5 : 4);
    FINDTEXTA limited{{0, legacy() ? 7 : 6}, "two"};
    EXPECT_EQ(send(EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&limited)), -1);
    FINDTEXTA past{{50, -1}, "two"};
    EXPECT_EQ(send(EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&past)), -1);
}

struct Stream {
    std::string data;
    std::size_t at = 0;
    std::size_t piece = 1 << 20; // the most one call hands over
};

DWORD CALLBACK readFrom(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* got) {
    auto* s = reinterpret_cast<Stream*>(cookie);
    std::size_t most = std::min(static_cast<std::size_t>(cb), s->piece);
    LONG n = static_cast<LONG>(std::min<std::size_t>(most, s->data.size() - s->at));
    std::memcpy(buffer, s->data.data() + s->at, static_cast<std::size_t>(n));
    s->at += static_cast<std::size_t>(n);
    *got = n;
    return 0;
}

DWORD CALLBACK writeTo(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done) {
    reinterpret_cast<Stream*>(cookie)->data.append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(cb));
    *done = cb;
    return 0;
}

// The control's own find-all message gives what EM_FINDTEXTEX gives searching on from the end of
// each match, in client positions.
TEST_P(RichEditTest, FindAllTextFindsWhatFindTextFindsInTurn) {
    setText("aaaa\r\nAa aab\r\naa");
    struct Case {
        const char* name;
        const char* pattern;
        WPARAM flags;
        CHARRANGE range;
    } cases[] = {
        {"matches do not overlap", "aa", FR_MATCHCASE, {0, -1}},
        {"case folded", "aa", 0, {0, -1}},
        {"whole words", "aa", FR_WHOLEWORD, {0, -1}},
        {"a break inside", "a\r\na", 0, {0, -1}},
        {"within a range", "a", 0, {2, legacy() ? 9 : 8}},
        {"nothing", "zz", 0, {0, -1}},
        {"empty", "", 0, {0, -1}},
    };
    for (const Case& c : cases) {
        std::vector<CHARRANGE> expected;
        for (FINDTEXTEXA ft{c.range, c.pattern, {}};
             send(EM_FINDTEXTEX, c.flags, reinterpret_cast<LPARAM>(&ft)) >= 0;
             ft.chrg.cpMin = ft.chrgText.cpMax)
            expected.push_back(ft.chrgText);
        std::vector<CHARRANGE> found;
        const pm::FindAllText all{c.range, c.pattern, &found};
        EXPECT_EQ(send(pm::findAllTextMessage(), c.flags, reinterpret_cast<LPARAM>(&all)),
                  static_cast<LRESULT>(expected.size()))
            << c.name;
        ASSERT_EQ(found.size(), expected.size()) << c.name;
        for (std::size_t i = 0; i < found.size(); ++i)
            EXPECT_EQ(describeRange(found[i]), describeRange(expected[i])) << c.name << " " << i;
    }
    std::vector<CHARRANGE> found;
    const pm::FindAllText all{{0, -1}, "aa", &found};
    EXPECT_EQ(send(pm::findAllTextMessage(), FR_MATCHCASE, reinterpret_cast<LPARAM>(&all)), 4);
}

TEST_P(RichEditTest, RtfStreamInThenTextStreamOutKeepsTheText) {
    Stream in{"{{\\colortbl\\red0\\green0\\blue255;\\red0\\green128\\blue0;}\r\n\\cf0\\b var\\cf1\\b0  x = "
              "\\{1\\}\\tab "
              "\\\\\r\n\\par \\'e9\r\n\\par }",
              0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&in), 0, readFrom};
    send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    EXPECT_EQ(es.dwError, 0u);
    Stream out;
    EDITSTREAM os{reinterpret_cast<DWORD_PTR>(&out), 0, writeTo};
    send(EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&os));
    EXPECT_EQ(out.data, "var x = {1}\t\\\r\n\xE9");
    select(0, 1);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);

    Stream bad{"{\\b unclosed", 0};
    EDITSTREAM bs{reinterpret_cast<DWORD_PTR>(&bad), 0, readFrom};
    send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&bs));
    EXPECT_NE(bs.dwError, 0u);
    EXPECT_EQ(text(), "var x = {1}\t\\\r\n\xE9");
}

TEST_P(RichEditTest, RtfStreamInByteByByteAndCutAtTheLimit) {
    const char* rtf =
        "{{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\\cf0 ab\\cf1 cd\r\n\\par ef\r\n\\par }";
    struct Case {
        LONG limit;
        std::size_t piece;
        const char* text;
    } cases[] = {
        {100, 1, "abcd\r\nef"}, {100, 3, "abcd\r\nef"}, {7, 1, "abcd\r\nef"},
        {4, 1, "abcd"},         {5, 2, "abcd\r\n"},     {8, 4096, "abcd\r\nef"},
    };
    for (const Case& c : cases) {
        send(EM_EXLIMITTEXT, 0, c.limit);
        Stream in{rtf, 0, c.piece};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&in), 0, readFrom};
        send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
        EXPECT_EQ(es.dwError, 0u);
        EXPECT_EQ(text(), c.text) << c.limit << " " << c.piece;
        select(2, 3);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255)) << c.limit << " " << c.piece;
    }
    // A cut inside a UTF-8 sequence keeps none of it.
    send(EM_EXLIMITTEXT, 0, 2);
    Stream utf8{"{a\\'c3\\'a9b}", 0, 1};
    EDITSTREAM us{reinterpret_cast<DWORD_PTR>(&utf8), 0, readFrom};
    send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&us));
    EXPECT_EQ(text(), "a");
}

TEST_P(RichEditTest, StreamsOfTheSelectionAndWordFormats) {
    setText("one two");
    select(4, 7);
    Stream in{"{\\b 2}", 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&in), 0, readFrom};
    send(EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&es));
    EXPECT_EQ(text(), "one 2");
    Stream plain{"a\r\nb ", 0};
    EDITSTREAM ps{reinterpret_cast<DWORD_PTR>(&plain), 0, readFrom};
    select(0, 0);
    send(EM_STREAMIN, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&ps));
    EXPECT_EQ(text(), "a\r\nb one 2");
    select(legacy() ? 5 : 4, legacy() ? 8 : 7);
    Stream out;
    EDITSTREAM os{reinterpret_cast<DWORD_PTR>(&out), 0, writeTo};
    send(EM_STREAMOUT, SF_TEXT | SFF_SELECTION, reinterpret_cast<LPARAM>(&os));
    EXPECT_EQ(out.data, "one");
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    select(legacy() ? 9 : 8, legacy() ? 10 : 9);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD) << "the streamed run keeps its format";
    // SCF_WORD with an empty selection formats the word around the caret.
    select(legacy() ? 6 : 5, legacy() ? 6 : 5);
    CHARFORMATA italic{};
    italic.cbSize = sizeof italic;
    italic.dwMask = CFM_ITALIC;
    italic.dwEffects = CFE_ITALIC;
    send(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&italic));
    select(legacy() ? 5 : 4, legacy() ? 8 : 7);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE((cf.dwMask & CFM_ITALIC) && (cf.dwEffects & CFE_ITALIC)) << "the whole word";
    select(legacy() ? 4 : 3, legacy() ? 5 : 4);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_FALSE(cf.dwEffects & CFE_ITALIC) << "the blank before the word";
}

// The selection streamed in again as the text it holds in other formats (text coloured anew): the
// text stays, the formats are the stream's, and it is announced and reported as a replacement.
TEST_P(RichEditTest, StreamingTheSelectionsOwnTextGivesItsFormats) {
    setText("one two three");
    protectAll();
    select(4, 7);
    Stream in{"{{\\colortbl\\red0\\green0\\blue255;}\\cf0 t\\b wo}", 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&in), 0, readFrom};
    g_trace.clear();
    EXPECT_EQ(send(EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&es)), 3);
    EXPECT_EQ(text(), "one two three");
    EXPECT_EQ(g_trace, (std::vector<std::string>{"protected EM_REPLACESEL 4-7", "change", "selchange 7-7"}));
    auto formatOf = [&](LONG from, LONG to) {
        select(from, to);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    };
    EXPECT_EQ(formatOf(4, 7).crTextColor, RGB(0, 0, 255));
    EXPECT_FALSE(formatOf(4, 5).dwEffects & CFE_BOLD);
    EXPECT_TRUE(formatOf(5, 7).dwEffects & CFE_BOLD);
    EXPECT_TRUE(formatOf(5, 7).dwEffects & CFE_PROTECTED) << "what the stream does not set stays";
    EXPECT_NE(formatOf(3, 4).crTextColor, RGB(0, 0, 255)) << "the text around keeps its own";
}

// The control's own message sets many runs at once, as EM_SETCHARFORMAT sets each: in client
// positions (a break is two in the 1.0 control), keeping what the formats leave alone, announced
// as a format change and refused with it; the selection stays.
TEST_P(RichEditTest, FormatRunsSetEachRunAsCharFormatWould) {
    setText("ab\r\ncd ef");
    protectAll();
    select(1, 1);
    CHARFORMATA formats[2]{};
    for (CHARFORMATA& f : formats) {
        f.cbSize = sizeof f;
        f.dwMask = CFM_COLOR | CFM_BOLD;
    }
    formats[0].crTextColor = RGB(0, 0, 255);
    formats[1].crTextColor = RGB(0, 128, 0);
    formats[1].dwEffects = CFE_BOLD;
    const LONG c = posOfC();
    // "b", the break, "cd" blue; " e" green and bold; a run past the end is cut there.
    const pm::CharFormatRun runs[] = {{1, 1}, {c - 2, 0}, {2, 0}, {2, 1}, {50, 0}};
    const pm::CharFormatRuns message{1, formats, 2, runs, std::size(runs)};
    g_trace.clear();
    EXPECT_NE(send(pm::charFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&message)), 0);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"protected EM_SETCHARFORMAT 1-" + std::to_string(c + 5)}));
    EXPECT_EQ(describeRange(selection()), "1-1");
    auto formatOf = [&](LONG pos) {
        select(pos, pos + 1);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    };
    const struct {
        LONG pos;
        COLORREF colour;
        bool bold;
    } expected[] = {{1, RGB(0, 128, 0), true},      {c, RGB(0, 0, 255), false},
                    {c + 1, RGB(0, 0, 255), false}, {c + 2, RGB(0, 128, 0), true},
                    {c + 3, RGB(0, 128, 0), true},  {c + 4, RGB(0, 0, 255), false}};
    for (const auto& e : expected) {
        const CHARFORMATA cf = formatOf(e.pos);
        EXPECT_EQ(cf.crTextColor, e.colour) << e.pos;
        EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, e.bold) << e.pos;
        EXPECT_TRUE(cf.dwEffects & CFE_PROTECTED) << e.pos << ": what the formats leave alone stays";
    }
    EXPECT_NE(formatOf(0).crTextColor, RGB(0, 0, 255)) << "the text before keeps its own";

    select(2, 2);
    g_refuseProtected = 1;
    const pm::CharFormatRun refused[] = {{1, 0}};
    const pm::CharFormatRuns again{0, formats, 2, refused, 1};
    EXPECT_EQ(send(pm::charFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&again)), 0);
    g_refuseProtected = 0;
    EXPECT_NE(formatOf(0).crTextColor, RGB(0, 0, 255)) << "refused";
}

// Reading runs gives, in client positions, what EM_GETCHARFORMAT gives each character, cut to the
// range asked for (a break is two in the 1.0 control, wherever it lies in a run); set again over
// other formats, they make the text look as it did; packed, they are the same runs.
TEST_P(RichEditTest, FormatRunsReadBackAsTheyWereSet) {
    setText("ab\r\ncd ef\r\n\r\ngh");
    const LONG c = posOfC(), breakLength = legacy() ? 2 : 1;
    const LONG length = static_cast<LONG>(send(WM_GETTEXTLENGTH));
    // "b" blue, "\r\ncd " green bold (breaks inside and at its start), "ef\r\n\r\n" blue, "gh" plain.
    colour(1, 2, RGB(0, 0, 255), false);
    colour(2, c + 3, RGB(0, 128, 0), true);
    colour(c + 3, c + 5 + 2 * breakLength, RGB(0, 0, 255), false);
    // Each character's format (a break's half is read as the character before).
    auto formatsEach = [&] {
        std::vector<std::pair<COLORREF, bool>> each;
        for (LONG pos = 0; pos < length; ++pos) {
            select(pos, pos + 1);
            CHARFORMATA cf{};
            cf.cbSize = sizeof cf;
            send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
            each.emplace_back(cf.crTextColor, (cf.dwEffects & CFE_BOLD) != 0);
        }
        return each;
    };
    const auto coloured = formatsEach();
    const struct {
        const char* name;
        LONG from, to;
        std::vector<LONG> lengths;
    } cases[] = {
        {"all", 0, -1, {1, 1, 3 + breakLength, 2 + 2 * breakLength, 2}},
        {"from inside a run to inside another", 2, c + 4, {3 + breakLength, 1}},
        {"one run's middle", c + 1, c + 2, {1}},
        {"nothing", 3, 3, {}},
    };
    for (const auto& t : cases) {
        std::vector<CHARFORMATA> formats;
        std::vector<pm::CharFormatRun> runs;
        const pm::GetCharFormatRuns get{{t.from, t.to}, &formats, &runs};
        EXPECT_EQ(send(pm::getCharFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&get)),
                  static_cast<LRESULT>(t.lengths.size()))
            << t.name;
        std::vector<LONG> lengths;
        std::set<int> used;
        for (const pm::CharFormatRun& run : runs) {
            lengths.push_back(run.length);
            used.insert(run.format);
        }
        EXPECT_EQ(lengths, t.lengths) << t.name;
        EXPECT_EQ(used.size(), formats.size()) << t.name << ": each format once";
        std::vector<CHARFORMATA> packedFormats;
        pm::PackedFormatRuns packed;
        const pm::GetCharFormatRuns getPacked{{t.from, t.to}, &packedFormats, nullptr, &packed};
        EXPECT_EQ(send(pm::getCharFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&getPacked)),
                  static_cast<LRESULT>(t.lengths.size()))
            << t.name;
        std::vector<std::pair<LONG, int>> unpacked, plain;
        packed.forEach([&](LONG runLength, int format) { unpacked.emplace_back(runLength, format); });
        for (const pm::CharFormatRun& run : runs)
            plain.emplace_back(run.length, run.format);
        EXPECT_EQ(unpacked, plain) << t.name;
        EXPECT_EQ(packedFormats.size(), formats.size()) << t.name;
        if (runs.empty()) continue;
        for (const bool asPacked : {false, true}) {
            colour(0, length, RGB(255, 0, 0), true);
            pm::CharFormatRuns set{t.from, formats.data(), static_cast<int>(formats.size()), runs.data(),
                                   runs.size()};
            if (asPacked)
                set = pm::CharFormatRuns{t.from, formats.data(), static_cast<int>(formats.size()), nullptr,
                                         0,      &packed};
            EXPECT_NE(send(pm::charFormatRunsMessage(), 0, reinterpret_cast<LPARAM>(&set)), 0) << t.name;
            const auto restored = formatsEach();
            const LONG to = t.to < 0 ? length : t.to;
            const std::string shown = text();
            for (LONG pos = 0; pos < length; ++pos)
                if (shown[static_cast<std::size_t>(pos)] == '\r' ||
                    shown[static_cast<std::size_t>(pos)] == '\n')
                    continue;
                else if (pos >= t.from && pos < to)
                    EXPECT_EQ(restored[pos], coloured[pos])
                        << t.name << " at " << pos << " packed " << asPacked;
                else
                    EXPECT_EQ(restored[pos], std::make_pair(RGB(255, 0, 0), true))
                        << t.name << " at " << pos << " packed " << asPacked;
            colour(0, length, RGB(0, 0, 0), false);
            colour(1, 2, RGB(0, 0, 255), false);
            colour(2, c + 3, RGB(0, 128, 0), true);
            colour(c + 3, c + 5 + 2 * breakLength, RGB(0, 0, 255), false);
        }
    }
}

// Packed runs give back each run as it was put in: lengths that take one, two and five bytes,
// and format indexes that take a byte or follow it.
TEST(PackedFormatRuns, GiveBackEachRunAsItWasPutIn) {
    const std::vector<std::pair<LONG, int>> runs = {{0, 0},     {1, 3},     {127, 254}, {128, 255},
                                                    {300, 256}, {16383, 1}, {16384, 2}, {0x7FFFFFFF, 70000},
                                                    {5, 0}};
    pm::PackedFormatRuns packed;
    for (const auto& [length, format] : runs)
        packed.push_back(length, format);
    EXPECT_EQ(packed.size(), runs.size());
    std::vector<std::pair<LONG, int>> back;
    packed.forEach([&](LONG length, int format) { back.emplace_back(length, format); });
    EXPECT_EQ(back, runs);
    packed.clear();
    EXPECT_TRUE(packed.empty());
}

TEST_P(RichEditTest, TextLimitAppliesToTypingAndPaste) {
    send(EM_EXLIMITTEXT, 0, 5);
    setText("abcd");
    select(4, 4);
    send(WM_CHAR, 'e');
    send(WM_CHAR, 'f');
    EXPECT_EQ(text(), "abcde");
    select(0, 0);
    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_EQ(text(), "abcde");
}

TEST_P(RichEditTest, FormatRangeAlwaysAdvances) {
    std::string big;
    for (int i = 0; i < 500; ++i)
        big += "line " + std::to_string(i) + "\r\n";
    setText(big.c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    FORMATRANGE fr{};
    fr.hdc = fr.hdcTarget = dc;
    fr.rc = RECT{0, 0, 1440 * 6, 1440 * 2}; // two inches of lines per page
    fr.rcPage = fr.rc;
    fr.chrg = CHARRANGE{0, -1};
    GETTEXTLENGTHEX plain{GTL_DEFAULT, 0};
    LONG length = static_cast<LONG>(send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&plain)));
    int pages = 0;
    LONG last = -1;
    while (fr.chrg.cpMin < length && pages < 1000) {
        LONG next = static_cast<LONG>(send(EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&fr)));
        ASSERT_GT(next, fr.chrg.cpMin);
        last = next;
        fr.chrg.cpMin = next;
        ++pages;
    }
    send(EM_FORMATRANGE, FALSE, 0);
    EXPECT_GT(pages, 5);
    EXPECT_LT(pages, 100);
    EXPECT_EQ(last, length);
    // A page shorter than one line still takes a line.
    fr.rc = RECT{0, 0, 1440, 10};
    fr.chrg = CHARRANGE{0, -1};
    EXPECT_GT(send(EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&fr)), 0);
    DeleteDC(dc);
}

// Holds or releases Ctrl in the thread's keyboard state.
void holdControl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_P(RichEditTest, DragMovesOrCopiesTheSelection) {
    struct Case {
        bool copy;
        LONG limit;
        LONG selFrom, selTo, dropAt;
        LONG boldAt; // where the bold "hel" starts afterwards
        const char* text;
        std::vector<std::string> trace;
    } cases[] = {
        {false,
         100,
         0,
         5,
         11,
         6,
         " worldhello",
         {"protected WM_CUT 0-5", "protected WM_PASTE 11-11", "change", "selchange 6-11"}},
        {true,
         100,
         0,
         5,
         11,
         11,
         "hello worldhello",
         {"protected WM_PASTE 11-11", "change", "selchange 11-16"}},
        {true, 12, 0, 5, 11, 0, "hello world", {}}, // a copy that does not fit the limit
        {false,
         12,
         0,
         5,
         11,
         6,
         " worldhello",
         {"protected WM_CUT 0-5", "protected WM_PASTE 11-11", "change", "selchange 6-11"}},
        {false,
         100,
         6,
         11,
         0,
         5,
         "worldhello ",
         {"protected WM_CUT 6-11", "protected WM_PASTE 0-0", "change", "selchange 0-5"}},
    };
    ShowWindow(m_parent, SW_SHOW);
    for (const Case& c : cases) {
        send(EM_EXLIMITTEXT, 0, c.limit);
        setText("hello world");
        select(0, 3);
        CHARFORMATA bold{};
        bold.cbSize = sizeof bold;
        bold.dwMask = CFM_BOLD;
        bold.dwEffects = CFE_BOLD;
        send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
        protectAll();
        SetFocus(m_edit);
        select(c.selFrom, c.selTo);
        pm::test::pumpMessages();
        g_trace.clear();
        POINT inside{}, end{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&inside), c.selFrom + 2);
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&end), c.dropAt);
        inside.y += 3;
        end.y += 3;
        end.x += c.dropAt > 0 ? 4 : 1;
        pm::test::pressMouse(m_edit, inside);
        pm::test::pumpMessages();
        pm::test::moveMouse(m_edit, POINT{inside.x + 20, inside.y});
        pm::test::moveMouse(m_edit, end);
        pm::test::pumpMessages();
        holdControl(c.copy);
        pm::test::releaseMouse(m_edit, end);
        pm::test::pumpMessages();
        holdControl(false);
        EXPECT_EQ(text(), c.text) << c.copy;
        EXPECT_EQ(g_trace, c.trace) << c.copy;
        if (legacy() || c.trace.empty()) continue;
        // One undo step; redone, the dropped "hel" is bold again.
        EXPECT_EQ(send(EM_UNDO), TRUE);
        EXPECT_EQ(text(), "hello world");
        EXPECT_EQ(send(EM_CANUNDO), FALSE);
        EXPECT_EQ(send(EM_REDO), TRUE);
        EXPECT_EQ(text(), c.text);
        LONG h = c.boldAt;
        select(h, h + 1);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        EXPECT_TRUE(cf.dwEffects & CFE_BOLD) << c.copy;
        select(h + 3, h + 4);
        send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        EXPECT_FALSE(cf.dwEffects & CFE_BOLD) << c.copy;
    }
}

// Drops plain text from another program on the top-level widget of `top`, at a client point of
// `target`; whether the drag was accepted as it entered.
bool dropFromOutside(HWND top, HWND target, POINT client, const char* text) {
    POINT screen = client;
    ClientToScreen(target, &screen);
    return pm::test::dropText(top, screen, text);
}

TEST_P(RichEditTest, TextDroppedFromAnotherProgramIsPastedAtTheDropPoint) {
    struct Case {
        const char* name;
        bool readOnly;
        LONG limit;
        LRESULT refuse;
        bool accepted;
        const char* text;
        std::vector<std::string> trace;
    } cases[] = {
        {"taken",
         false,
         100,
         0,
         true,
         "hello big world",
         {"protected WM_PASTE 6-6", "change", "selchange 6-10"}},
        {"read-only", true, 100, 0, false, "hello world", {}},
        {"past the limit", false, 14, 0, true, "hello world", {}},
        {"refused", false, 100, 1, true, "hello world", {"protected WM_PASTE 6-6"}},
    };
    ShowWindow(m_parent, SW_SHOW);
    pm::test::pumpMessages();
    for (const Case& c : cases) {
        send(EM_SETREADONLY, FALSE);
        setText("hello world");
        send(EM_EXLIMITTEXT, 0, c.limit);
        send(EM_SETREADONLY, c.readOnly);
        protectAll();
        g_refuseProtected = c.refuse;
        POINT w{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&w), 6);
        w.y += 3;
        EXPECT_EQ(dropFromOutside(m_parent, m_edit, w, "big "), c.accepted) << c.name;
        EXPECT_EQ(text(), c.text) << c.name;
        EXPECT_EQ(g_trace, c.trace) << c.name;
    }
    g_refuseProtected = 0;
    send(EM_SETREADONLY, FALSE);
    send(EM_EMPTYUNDOBUFFER);
    setText("ab");
    dropFromOutside(m_parent, m_edit, POINT{1, 3}, "x\ny");
    EXPECT_EQ(text(), "x\r\nyab");
    if (legacy()) return;
    EXPECT_EQ(send(EM_UNDO), TRUE);
    EXPECT_EQ(text(), "ab") << "one undo step";
}

TEST_P(RichEditTest, DragIntoAnotherRichEditMovesOrCopies) {
    HWND other = CreateWindowEx(0, legacy() ? RICHEDIT_CLASS10A : RICHEDIT_CLASSA, "",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE, 305, 0, 80, 100, m_parent,
                                reinterpret_cast<HMENU>(8), nullptr, nullptr);
    struct Case {
        bool copy;
        bool readOnly;
        const char* source;
        const char* target;
        std::vector<std::string> trace;
    } cases[] = {
        {false, false, " world", "XhelloY", {"protected WM_CUT 0-5", "change", "selchange 0-0"}},
        {true, false, "hello world", "XhelloY", {}},
        {false, true, "hello world", "XY", {"protected WM_CUT 0-5"}},
    };
    ShowWindow(m_parent, SW_SHOW);
    for (const Case& c : cases) {
        setText("hello world");
        SendMessage(other, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("XY"));
        SendMessage(other, EM_SETREADONLY, c.readOnly, 0);
        protectAll();
        SetFocus(m_edit);
        select(0, 5);
        pm::test::pumpMessages();
        g_trace.clear();
        POINT inside{}, drop{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&inside), 2);
        SendMessage(other, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&drop), 1);
        inside.y += 3;
        drop.y += 3;
        MapWindowPoints(other, m_edit, &drop, 1);
        pm::test::pressMouse(m_edit, inside);
        pm::test::pumpMessages();
        pm::test::moveMouse(m_edit, POINT{inside.x + 20, inside.y});
        pm::test::moveMouse(m_edit, drop);
        pm::test::pumpMessages();
        holdControl(c.copy);
        pm::test::releaseMouse(m_edit, drop);
        pm::test::pumpMessages();
        holdControl(false);
        EXPECT_EQ(text(), c.source) << c.copy << c.readOnly;
        std::string target(16, '\0');
        target.resize(static_cast<std::size_t>(
            SendMessage(other, WM_GETTEXT, target.size(), reinterpret_cast<LPARAM>(target.data()))));
        EXPECT_EQ(target, c.target) << c.copy << c.readOnly;
        EXPECT_EQ(g_trace, c.trace) << c.copy << c.readOnly;
        if (legacy() || c.readOnly) continue;
        // One undo step in the target; the source of a move has its own.
        EXPECT_EQ(SendMessage(other, EM_UNDO, 0, 0), TRUE);
        EXPECT_EQ(SendMessage(other, EM_CANUNDO, 0, 0), FALSE);
        EXPECT_EQ(send(EM_UNDO), c.copy ? FALSE : TRUE);
        EXPECT_EQ(text(), "hello world");
    }
}

TEST_P(RichEditTest, PictureOfColouredTextWithASelection) {
    if (legacy()) GTEST_SKIP() << "one picture is enough";
    ShowWindow(m_parent, SW_SHOW);
    MoveWindow(m_edit, 0, 0, 380, 120, TRUE);
    LOGFONTA lf{};
    lf.lfHeight = -13;
    std::strcpy(lf.lfFaceName, "Courier New");
    HFONT font = CreateFontIndirect(&lf);
    send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    setText("// colours\r\nfunction area(r) {\r\n\treturn Math.PI * r * r;\r\n}\r\nvar s = \"done\";");
    struct Span {
        LONG from, to;
        COLORREF color;
        bool bold;
    } spans[] = {{0, 10, RGB(0, 128, 0), false}, {11, 19, RGB(0, 0, 255), true},
                 {31, 37, RGB(0, 0, 255), true}, {38, 45, RGB(128, 0, 128), false},
                 {57, 60, RGB(0, 0, 255), true}, {65, 71, RGB(163, 21, 21), false}};
    for (const Span& sp : spans) {
        select(sp.from, sp.to);
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_COLOR | CFM_BOLD;
        cf.crTextColor = sp.color;
        cf.dwEffects = sp.bold ? CFE_BOLD : 0;
        send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    SetFocus(m_edit);
    select(20, 24);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(m_parent, pm::test::outputFolder() + "/richedit_javascript.png"));
    DeleteObject(font);
}

TEST_P(RichEditTest, WindowScrollBarsFollowTheLines) {
    HWND scrolled = CreateWindowEx(0, legacy() ? RICHEDIT_CLASS10A : RICHEDIT_CLASSA, "",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE, 0, 0, 300,
                                   200, m_parent, reinterpret_cast<HMENU>(8), nullptr, nullptr);
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    SendMessage(scrolled, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lines.c_str()));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(scrolled, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 100);
    int page = static_cast<int>(si.nPage);
    EXPECT_GT(page, 3);
    SendMessage(scrolled, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(SendMessage(scrolled, EM_GETFIRSTVISIBLELINE, 0, 0), page);
    GetScrollInfo(scrolled, SB_VERT, &si);
    EXPECT_EQ(si.nPos, page);
    SendMessage(scrolled, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(SendMessage(scrolled, EM_GETFIRSTVISIBLELINE, 0, 0), 100);
    // Lines that fit the width need no horizontal bar; a wider one brings it.
    pm::test::pumpMessages();
    EXPECT_FALSE(GetWindowLong(scrolled, GWL_STYLE) & WS_HSCROLL);
    SendMessage(scrolled, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(200, 'w').c_str()));
    pm::test::pumpMessages();
    EXPECT_TRUE(GetWindowLong(scrolled, GWL_STYLE) & WS_HSCROLL);
    DestroyWindow(scrolled);
}

TEST_P(RichEditTest, MessageFilterSeesAndMaySwallowKeys) {
    setText("ab");
    select(2, 2);
    send(EM_SETEVENTMASK, 0, ENM_KEYEVENTS);
    g_trace.clear();
    send(WM_CHAR, 'z');
    send(WM_CHAR, 'y');
    EXPECT_EQ(text(), "aby");
    EXPECT_EQ(g_trace, (std::vector<std::string>{"filter 258", "filter 258"}));
}

TEST_P(RichEditTest, TextObjectModelRangesFontsSelectionAndUndo) {
    if (legacy()) GTEST_SKIP() << "the text object model is the 2.0 control's";
    setText("select * from t");
    IRichEditOle* ole = nullptr;
    ASSERT_TRUE(send(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)));
    ITextDocument* doc = nullptr;
    ASSERT_EQ(ole->QueryInterface(IID_ITextDocument, reinterpret_cast<void**>(&doc)), S_OK);
    ole->Release();

    ITextRange* range = nullptr;
    ASSERT_EQ(doc->Range(0, 6, &range), S_OK);
    BSTR text = nullptr;
    range->GetText(&text);
    EXPECT_EQ(pm::fromBstr(text), "select");
    SysFreeString(text);
    ITextFont* font = nullptr;
    range->GetFont(&font);
    long undone = 0;
    doc->Undo(tomSuspend, nullptr);
    font->SetForeColor(RGB(0, 0, 255));
    font->SetBold(tomTrue);
    font->SetSize(12);
    doc->Undo(tomResume, nullptr);
    font->Release();
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    select(0, 6);
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.yHeight, 240);
    EXPECT_EQ(doc->Undo(1, &undone), S_FALSE); // formats never entered the undo history
    EXPECT_EQ(undone, 0);

    long start = -1, end = -1;
    range->Expand(tomWindow, nullptr);
    range->GetStart(&start);
    range->GetEnd(&end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 15);
    range->Release();

    ITextSelection* selection = nullptr;
    ASSERT_EQ(doc->GetSelection(&selection), S_OK);
    selection->SetRange(7, 8);
    EXPECT_EQ(selection->GetText(&text), S_OK);
    EXPECT_EQ(pm::fromBstr(text), "*");
    SysFreeString(text);
    EXPECT_EQ(this->selection().cpMin, 7);
    EXPECT_EQ(this->selection().cpMax, 8);
    long frozen = 0;
    doc->Freeze(&frozen);
    EXPECT_EQ(frozen, 1);
    EXPECT_EQ(doc->Unfreeze(&frozen), S_OK);

    // The document outlives its control and then fails cleanly.
    DestroyWindow(m_edit);
    EXPECT_EQ(selection->SetRange(0, 1), E_FAIL);
    EXPECT_EQ(doc->Range(0, 1, &range), E_FAIL);
    selection->Release();
    doc->Release();
}

TEST_P(RichEditTest, LinkTextReportsMouseMessages) {
    ShowWindow(m_parent, SW_SHOW);
    setText("see http://x");
    select(4, 12);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_LINK;
    cf.dwEffects = CFE_LINK;
    send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    send(EM_SETEVENTMASK, 0, ENM_LINK);
    POINT pt{};
    send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), 6);
    g_trace.clear();
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x + 2, pt.y + 3));
    LONG end = 12;
    EXPECT_EQ(g_trace, (std::vector<std::string>{"link 4-" + std::to_string(end)}));
}

// Pages of a 500-line text laid out at 300 dots per inch on letter pages with one-inch margins,
// drawn on page devices and written to a PDF file.
TEST_P(RichEditTest, PrintedPagesBreakWhereTheTextStopsFitting) {
    std::string big;
    for (int i = 0; i < 500; ++i)
        big += "Line " + std::to_string(i) + " of the printed text\r\n";
    setText(big.c_str());
    const int dpi = 300;
    HDC page = pm::gdi::createPageDC(QSize(dpi * 17 / 2, dpi * 11), dpi);
    FORMATRANGE fr{};
    fr.hdc = fr.hdcTarget = page;
    fr.rcPage = RECT{0, 0, 1440 * 17 / 2, 1440 * 11};
    fr.rc = RECT{1440, 1440, 1440 * 15 / 2, 1440 * 10};
    fr.chrg = CHARRANGE{0, -1};
    GETTEXTLENGTHEX plain{GTL_DEFAULT, 0};
    LONG length = static_cast<LONG>(send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&plain)));
    QString path = QString::fromStdString(pm::test::outputFolder()) +
                   (legacy() ? "/richedit_pages_10.pdf" : "/richedit_pages_20.pdf");
    QPdfWriter pdf(path);
    pdf.setResolution(dpi);
    QPainter painter(&pdf);
    std::vector<LONG> starts;
    while (fr.chrg.cpMin < length && starts.size() < 100) {
        starts.push_back(fr.chrg.cpMin);
        RECT all{0, 0, dpi * 17 / 2, dpi * 11};
        FillRect(page, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        LONG next = static_cast<LONG>(send(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
        ASSERT_GT(next, fr.chrg.cpMin);
        if (starts.size() > 1) pdf.newPage();
        painter.drawImage(QPoint(0, 0), *pm::gdi::pageImageOf(page));
        fr.chrg.cpMin = next;
    }
    send(EM_FORMATRANGE, FALSE, 0);
    painter.end();
    // Every page holds the same number of whole lines, the last one what is left.
    ASSERT_GE(starts.size(), 3u);
    LONG firstLine1 = static_cast<LONG>(send(EM_EXLINEFROMCHAR, 0, starts[1]));
    LONG firstLine2 = static_cast<LONG>(send(EM_EXLINEFROMCHAR, 0, starts[2]));
    EXPECT_EQ(send(EM_LINEINDEX, firstLine1), starts[1]);
    EXPECT_EQ(firstLine2, 2 * firstLine1);
    EXPECT_EQ(static_cast<LONG>(starts.size()), (500 + firstLine1 - 1) / firstLine1);
    // Something was drawn inside the margins and nothing outside them.
    const QImage* image = pm::gdi::pageImageOf(page);
    bool inked = false;
    for (int y = dpi; y < dpi * 2 && !inked; ++y)
        for (int x = dpi; x < dpi * 3 && !inked; ++x)
            inked = qGray(image->pixel(x, y)) < 128;
    EXPECT_TRUE(inked);
    for (int x = 0; x < dpi * 17 / 2; x += 7)
        EXPECT_EQ(qGray(image->pixel(x, dpi / 2)), 255);
    if (!legacy())
        image->scaled(image->size() / 4)
            .save(QString::fromStdString(pm::test::outputFolder() + "/richedit_last_page.png"));
    DeleteDC(page);
}

INSTANTIATE_TEST_SUITE_P(BothModels, RichEditTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "RICHEDIT" : "RichEdit20A";
                         });

} // namespace
