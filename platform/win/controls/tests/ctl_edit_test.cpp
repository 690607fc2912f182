// The edit control: its gap buffer and text model alone, then the "EDIT" window's messages,
// notifications, typing, keyboard selection, clipboard and mouse.

#include "platform/win/controls/edit_text.h"
#include "platform/win/controls/gap_buffer.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <cstring>

using pm::ctl::EditText;
using pm::ctl::GapBuffer;
using Strings = std::vector<std::string>;

TEST(GapBuffer, EditsAtEveryPositionMatchAPlainString) {
    for (std::size_t minGap : {1u, 2u, 64u}) {
        const std::string base = "0123456789abcdef";
        for (std::size_t at = 0; at <= base.size(); ++at) {
            GapBuffer g(minGap);
            g.insert(0, base);
            std::string want = base;
            g.insert(at, "XY");
            want.insert(at, "XY");
            EXPECT_EQ(g.gapPosition(), at + 2);
            ASSERT_EQ(g.text(), want) << minGap << " insert " << at;
            g.erase(0, 1);
            want.erase(0, 1);
            g.erase(want.size() - 1, 10);
            want.erase(want.size() - 1);
            ASSERT_EQ(g.text(), want) << minGap << " erase " << at;
            for (std::size_t i = 0; i < want.size(); ++i)
                ASSERT_EQ(g.at(i), want[i]);
            EXPECT_EQ(g.text(3, 4), want.substr(3, 4));
            EXPECT_EQ(g.text(100, 4), "");
        }
    }
}

TEST(EditText, LinesEndAtLineFeedsWithTheirCarriageReturns) {
    struct Case {
        const char* text;
        int lines;
        std::size_t lastStart;
        std::size_t firstEnd;
    } cases[] = {
        {"", 1, 0, 0},       {"abc", 1, 0, 3},      {"ab\r\ncd", 2, 4, 2}, {"ab\ncd", 2, 3, 2},
        {"ab\r\n", 2, 4, 2}, {"\r\n\r\n", 3, 4, 0}, {"a\rb", 1, 0, 3},
    };
    for (const Case& c : cases) {
        EditText t;
        t.setText(c.text);
        EXPECT_EQ(t.lineCount(), c.lines) << c.text;
        EXPECT_EQ(t.lineStart(c.lines - 1), c.lastStart) << c.text;
        EXPECT_EQ(t.lineEnd(0), c.firstEnd) << c.text;
        EXPECT_EQ(t.lineOf(t.length()), c.lines - 1) << c.text;
    }
}

TEST(EditText, PositionsKeepLineBreaksAndUtf8Whole) {
    EditText t;
    t.setText("a\r\n\xC3\xA9z\xE2\x82\xAC");
    struct Case {
        std::size_t pos, snap, next, prev;
    } cases[] = {
        {0, 0, 1, 0}, {1, 1, 3, 0}, {2, 1, 3, 0}, {3, 3, 5, 1}, {4, 3, 5, 1},
        {5, 5, 6, 3}, {6, 6, 9, 5}, {7, 6, 9, 5}, {8, 6, 9, 5}, {9, 9, 9, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.snap(c.pos), c.snap) << c.pos;
        if (t.snap(c.pos) == c.pos) {
            EXPECT_EQ(t.next(c.pos), c.next) << c.pos;
            EXPECT_EQ(t.prev(c.pos), c.prev) << c.pos;
        }
    }
    EXPECT_EQ(t.characters(0, t.length()), 5u) << "CR LF counts once";
    t.setText("ab\xC3");
    EXPECT_EQ(t.next(2), 3u) << "a broken sequence is one byte";
}

TEST(EditText, WordsAndUndo) {
    EditText t;
    t.setText("one  two\r\nthree");
    EXPECT_EQ(t.wordRight(0), 5u);
    EXPECT_EQ(t.wordRight(5), 8u);
    EXPECT_EQ(t.wordRight(8), 10u);
    EXPECT_EQ(t.wordLeft(10), 8u);
    EXPECT_EQ(t.wordLeft(8), 5u);
    EXPECT_EQ(t.wordLeft(5), 0u);
    std::size_t from = 0, to = 0;
    t.wordAt(6, from, to);
    EXPECT_EQ(from, 5u);
    EXPECT_EQ(to, 8u);

    t.select(3, 3);
    t.replaceSelection("X", true, true);
    t.replaceSelection("Y", true, true);
    EXPECT_EQ(t.text(), "oneXY  two\r\nthree");
    ASSERT_TRUE(t.undo());
    EXPECT_EQ(t.text(), "one  two\r\nthree") << "typing undoes as one step";
    ASSERT_TRUE(t.undo());
    EXPECT_EQ(t.text(), "oneXY  two\r\nthree") << "undoing again redoes";
    EXPECT_EQ(t.selStart(), 3u);
    EXPECT_EQ(t.selEnd(), 5u);
    t.replaceSelection("Z", false, false);
    EXPECT_FALSE(t.canUndo());
}

TEST(EditText, TheLimitCutsInsertionsAtWholeCharacters) {
    EditText t;
    t.setLimit(4);
    t.setText("ab");
    t.select(2, 2);
    bool truncated = false;
    EXPECT_TRUE(t.replaceSelection("\xC3\xA9\xC3\xA9", true, false, &truncated));
    EXPECT_TRUE(truncated);
    EXPECT_EQ(t.text(), "ab\xC3\xA9");
    EXPECT_FALSE(t.replaceSelection("x", true, false, &truncated));
    t.select(0, 2);
    EXPECT_TRUE(t.replaceSelection("\r\n", true, false, &truncated));
    EXPECT_FALSE(truncated);
}

namespace {

Strings g_notes;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        char buf[64];
        GetWindowText(reinterpret_cast<HWND>(lParam), buf, sizeof buf);
        const char* names[] = {"", "SETFOCUS", "KILLFOCUS", "CHANGE", "UPDATE", "MAXTEXT"};
        int code = HIWORD(wParam);
        int i = code == EN_SETFOCUS    ? 1
                : code == EN_KILLFOCUS ? 2
                : code == EN_CHANGE    ? 3
                : code == EN_UPDATE    ? 4
                : code == EN_MAXTEXT   ? 5
                                       : 0;
        g_notes.push_back(std::string(names[i]) + ":" + buf);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class Edits : public ::testing::Test {
protected:
    void SetUp() override {
        top = pm::test::createParent(parentProc, 500, 400);
        pm::test::pumpMessages();
        g_notes.clear();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND make(DWORD style, const char* text = "", int height = 24) {
        HWND e = CreateWindowEx(WS_EX_CLIENTEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200,
                                height, top, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        SendMessage(e, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        g_notes.clear();
        return e;
    }
    static std::string text(HWND e) {
        char buf[512];
        GetWindowText(e, buf, sizeof buf);
        return buf;
    }
    static std::pair<int, int> sel(HWND e) {
        DWORD a = 0, b = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {static_cast<int>(a), static_cast<int>(b)};
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(Edits, TextAndSelectionMessages) {
    HWND e = make(0, "initial");
    EXPECT_EQ(text(e), "initial");
    EXPECT_EQ(GetWindowTextLength(e), 7);
    struct Case {
        int start, end;
        std::pair<int, int> want;
    } cases[] = {{2, 4, {2, 4}}, {4, 2, {2, 4}}, {0, -1, {0, 7}}, {3, 100, {3, 7}}, {-1, 0, {7, 7}}};
    for (const Case& c : cases) {
        SendMessage(e, EM_SETSEL, 0, 0);
        SendMessage(e, EM_SETSEL, 7, 7);
        SendMessage(e, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        EXPECT_EQ(sel(e), c.want) << c.start << "," << c.end;
    }
    EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0), MAKELONG(7, 7));
    SendMessage(e, EM_SETSEL, 0, 3);
    SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("IN"));
    EXPECT_EQ(text(e), "INtial");
    EXPECT_EQ(g_notes, (Strings{"UPDATE:INtial", "CHANGE:INtial"}));
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
    SendMessage(e, EM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "initial");
    g_notes.clear();
    SetWindowText(e, "set");
    EXPECT_EQ(g_notes, (Strings{"UPDATE:set", "CHANGE:set"}));
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0)) << "WM_SETTEXT clears the modified flag";
    HWND multi = make(ES_MULTILINE, "", 60);
    SetWindowText(multi, "quiet");
    EXPECT_TRUE(g_notes.empty()) << "multi-line edits report no WM_SETTEXT change";
    EXPECT_EQ(text(multi), "quiet");
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
    char small[3];
    EXPECT_EQ(GetWindowText(e, small, sizeof small), 2);
    EXPECT_STREQ(small, "se");
}

TEST_F(Edits, LineMessagesOfAMultiLineEdit) {
    HWND e = make(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "first\r\nsecond line\r\n\r\nlast", 80);
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
    struct Case {
        int line;
        LRESULT index;
        const char* text;
    } cases[] = {{0, 0, "first"}, {1, 7, "second line"}, {2, 20, ""}, {3, 22, "last"}, {4, -1, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(e, EM_LINEINDEX, static_cast<WPARAM>(c.line), 0), c.index) << c.line;
        char buf[32] = {};
        *reinterpret_cast<WORD*>(buf) = sizeof buf - 1;
        LRESULT n = SendMessage(e, EM_GETLINE, static_cast<WPARAM>(c.line), reinterpret_cast<LPARAM>(buf));
        EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), c.text) << c.line;
        if (c.index >= 0) {
            EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(c.index), 0), c.line);
            EXPECT_EQ(SendMessage(e, EM_LINELENGTH, static_cast<WPARAM>(c.index), 0),
                      static_cast<LRESULT>(std::strlen(c.text)));
        }
    }
    char tiny[4] = {};
    *reinterpret_cast<WORD*>(tiny) = 3;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(tiny)), 3)
        << "a short buffer takes what fits";
    SendMessage(e, EM_SETSEL, 9, 9);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 7) << "-1 is the caret's line";
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    HWND single = make(0, "one line");
    EXPECT_EQ(SendMessage(single, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_TRUE(SendMessage(e, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(std::vector<int>{16}.data())));
}

// Scrolling moves the lines already drawn (the selection with them) and paints only the
// uncovered band: the picture is the one a whole repaint gives.
TEST_F(Edits, AScrolledEditShowsWhatAWholeRepaintShows) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text +=
            "line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 7) * 6, 'm') + "\tend\r\n";
    HWND e = make(WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_NOHIDESEL, text.c_str(), 150);
    SendMessage(e, EM_SETSEL, 40, 400);
    pm::test::expectScrollsRepaintWhole(e, {{"line down", WM_VSCROLL, SB_LINEDOWN, 0},
                                            {"three lines", EM_LINESCROLL, 0, 3},
                                            {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
                                            {"line up", WM_VSCROLL, SB_LINEUP, 0},
                                            {"right", WM_HSCROLL, SB_LINEDOWN, 0},
                                            {"left", WM_HSCROLL, SB_LINEUP, 0},
                                            {"both ways", EM_LINESCROLL, 4, 2}});
}

TEST_F(Edits, TypingRespectsTheStyles) {
    struct Case {
        const char* name;
        DWORD style;
        const char* typed;
        const char* want;
    } cases[] = {
        {"plain", 0, "Ab 1", "Ab 1"},
        {"number", ES_NUMBER, "a1b2", "12"},
        {"upper case", ES_UPPERCASE, "aBc", "ABC"},
        {"lower case", ES_LOWERCASE, "aBc", "abc"},
        {"read-only", ES_READONLY, "abc", ""},
        {"password keeps the real text", ES_PASSWORD, "pw", "pw"},
    };
    for (const Case& c : cases) {
        HWND e = make(c.style);
        SetFocus(e);
        for (const char* p = c.typed; *p; ++p)
            SendMessage(e, WM_CHAR, static_cast<unsigned char>(*p), 1);
        EXPECT_EQ(text(e), c.want) << c.name;
        DestroyWindow(e);
    }
    HWND e = make(0);
    SendMessage(e, WM_CHAR, 0xE9, 1);
    SendMessage(e, WM_CHAR, 0x20AC, 1);
    EXPECT_EQ(text(e), "\xC3\xA9\xE2\x82\xAC") << "characters are stored as UTF-8";
}

TEST_F(Edits, NotificationsOfTypingAndFocus) {
    HWND e = make(0);
    SetFocus(e);
    pm::test::typeText(e, "ab");
    pm::test::pressKey(e, VK_BACK);
    pm::test::pumpMessages();
    SetFocus(nullptr);
    EXPECT_EQ(g_notes, (Strings{"SETFOCUS:", "UPDATE:a", "CHANGE:a", "UPDATE:ab", "CHANGE:ab", "UPDATE:a",
                                "CHANGE:a", "KILLFOCUS:a"}));
}

TEST_F(Edits, TheLimitRefusesTypingAndReportsIt) {
    HWND e = make(0);
    SendMessage(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
    SetFocus(e);
    pm::test::typeText(e, "abcd");
    pm::test::pumpMessages();
    EXPECT_EQ(text(e), "abc");
    EXPECT_EQ(g_notes.back(), "MAXTEXT:abc");
    SetWindowText(e, "longer than three");
    EXPECT_EQ(text(e), "longer than three") << "WM_SETTEXT is not limited";
}

TEST_F(Edits, KeyboardSelectionAndEditing) {
    HWND e = make(0, "hello world");
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 11, 11);
    pm::test::pressKey(e, VK_LEFT, true, true);
    pm::test::pumpMessages();
    EXPECT_EQ(sel(e), std::make_pair(6, 11)) << "Ctrl+Shift+Left selects the word";
    pm::test::pressKey(e, VK_HOME, true);
    pm::test::pumpMessages();
    EXPECT_EQ(sel(e), std::make_pair(0, 11));
    pm::test::pressKey(e, VK_RIGHT);
    pm::test::pressKey(e, VK_DELETE);
    pm::test::pumpMessages();
    EXPECT_EQ(text(e), "hello world")
        << "Right collapses the selection to its end; Delete at the end does nothing";
    pm::test::pressKey(e, VK_HOME);
    pm::test::pressKey(e, VK_DELETE);
    pm::test::pumpMessages();
    EXPECT_EQ(text(e), "ello world");
    HWND multi = make(ES_MULTILINE | ES_WANTRETURN, "ab", 80);
    SetFocus(multi);
    SendMessage(multi, EM_SETSEL, 1, 1);
    pm::test::pressKey(multi, VK_RETURN);
    pm::test::pumpMessages();
    EXPECT_EQ(text(multi), "a\r\nb");
    pm::test::pressKey(multi, VK_LEFT);
    pm::test::pumpMessages();
    EXPECT_EQ(sel(multi), std::make_pair(1, 1)) << "the caret steps over CR LF at once";
    pm::test::pressKey(multi, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(multi, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
}

TEST_F(Edits, TheCaretFollowsEveryChangeOfTheText) {
    HWND e = make(0, "abcd");
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 2, 2);
    struct Step {
        const char* what;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        WPARAM caret;
    };
    const Step steps[] = {
        {"typing", WM_CHAR, 'c', 0, 3},
        {"backspace", WM_CHAR, 8, 0, 2},
        {"replacing the selection", EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("xyz"), 5},
        {"undo", EM_UNDO, 0, 0, 2},
    };
    for (const Step& step : steps) {
        SendMessage(e, step.msg, step.wParam, step.lParam);
        const LRESULT at = SendMessage(e, EM_POSFROMCHAR, step.caret, 0);
        POINT caret{};
        GetCaretPos(&caret);
        EXPECT_EQ(static_cast<short>(LOWORD(at)), caret.x) << step.what;
    }
}

TEST_F(Edits, DialogCodesAskForTheKeysEachKindNeeds) {
    HWND single = make(0);
    HWND multi = make(ES_MULTILINE, "", 80);
    HWND wantsReturn = make(ES_MULTILINE | ES_WANTRETURN, "", 80);
    MSG ret{nullptr, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    MSG tab{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    EXPECT_EQ(SendMessage(single, WM_GETDLGCODE, 0, 0), base);
    EXPECT_EQ(SendMessage(multi, WM_GETDLGCODE, 0, 0), base | DLGC_WANTALLKEYS);
    EXPECT_EQ(SendMessage(multi, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&ret)), base);
    EXPECT_EQ(SendMessage(wantsReturn, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&ret)),
              base | DLGC_WANTALLKEYS);
    EXPECT_EQ(SendMessage(wantsReturn, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)), base);
}

TEST_F(Edits, ClipboardRoundTripsAndPasswordsStayOff) {
    HWND e = make(0, "cut me");
    SendMessage(e, EM_SETSEL, 0, 4);
    SendMessage(e, WM_CUT, 0, 0);
    EXPECT_EQ(text(e), "me");
    SendMessage(e, EM_SETSEL, 2, 2);
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), "mecut ");
    HWND pw = make(ES_PASSWORD, "secret");
    EXPECT_EQ(SendMessage(pw, EM_GETPASSWORDCHAR, 0, 0), '*');
    SendMessage(pw, EM_SETSEL, 0, -1);
    SendMessage(pw, WM_COPY, 0, 0);
    SendMessage(e, EM_SETSEL, 0, -1);
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), "cut ") << "a password is never copied";
    SendMessage(e, EM_SETREADONLY, TRUE, 0);
    EXPECT_NE(GetWindowLongPtr(e, GWL_STYLE) & ES_READONLY, 0);
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), "cut ");
}

TEST_F(Edits, MousePlacesTheCaretAndSelects) {
    HWND e = make(0, "abcdefgh");
    LRESULT at = SendMessage(e, EM_POSFROMCHAR, 4, 0);
    int x = static_cast<short>(LOWORD(at)), y = static_cast<short>(HIWORD(at));
    EXPECT_EQ(LOWORD(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(x + 1, y + 2))), 4);
    EXPECT_EQ(SendMessage(e, EM_POSFROMCHAR, 100, 0), -1);
    pm::test::pressMouse(e, POINT{x + 1, y + 2});
    LRESULT end = SendMessage(e, EM_POSFROMCHAR, 7, 0);
    pm::test::moveMouse(e, POINT{static_cast<short>(LOWORD(end)) + 1, y + 2});
    pm::test::releaseMouse(e, POINT{static_cast<short>(LOWORD(end)) + 1, y + 2});
    pm::test::pumpMessages();
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(sel(e), std::make_pair(4, 7));
    pm::test::doubleClick(e, POINT{x + 1, y + 2});
    pm::test::pumpMessages();
    EXPECT_EQ(sel(e), std::make_pair(0, 8));
}

// A single line is centred in a box taller than its font; a multi-line edit starts at the top.
TEST_F(Edits, ASingleLineSitsInTheMiddleOfItsBox) {
    HDC dc = GetDC(top);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(top, dc);
    const int line = tm.tmHeight;
    const struct {
        DWORD style;
        int client;
        int top; // of the first character
    } cases[] = {
        {0, line + 7, 3}, {0, line + 4, 2}, {0, line, 0}, {0, line - 3, 0}, {ES_MULTILINE, line + 7, 0}};
    for (const auto& c : cases) {
        HWND e = make(c.style, "0", c.client + 4); // a client edge of 2 on each side
        EXPECT_EQ(static_cast<short>(HIWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), c.top) << c.client;
        RECT format{};
        SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(format.top, c.top) << c.client;
        DestroyWindow(e);
    }
}

TEST_F(Edits, MultiLineEditsWithoutHorizontalScrollingWrapWords) {
    const char* words = "alpha beta gamma delta epsilon zeta eta theta\r\niota";
    HWND wrapped = make(ES_MULTILINE, words, 80);
    HWND scrolled = make(ES_MULTILINE | ES_AUTOHSCROLL, words, 80);
    EXPECT_EQ(SendMessage(scrolled, EM_GETLINECOUNT, 0, 0), 2);
    LRESULT lines = SendMessage(wrapped, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 2);
    std::string text = words;
    for (LRESULT l = 1; l < lines; ++l) {
        LRESULT start = SendMessage(wrapped, EM_LINEINDEX, static_cast<WPARAM>(l), 0);
        ASSERT_GT(start, 0);
        char before = text[static_cast<std::size_t>(start - 1)];
        EXPECT_TRUE(before == ' ' || before == '\n') << "line " << l << " starts at a word";
        EXPECT_EQ(SendMessage(wrapped, EM_LINEFROMCHAR, static_cast<WPARAM>(start), 0), l);
    }
    EXPECT_EQ(SendMessage(wrapped, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0),
              static_cast<LRESULT>(text.find("iota")));
    MoveWindow(wrapped, 10, 10, 2000, 80, TRUE);
    EXPECT_EQ(SendMessage(wrapped, EM_GETLINECOUNT, 0, 0), 2) << "wider, the text lines fit again";
}
