// The combo box: its messages over the list, dropping down and choosing by keyboard and mouse with
// the notifications in order, the edit of drop-down combos, owner-draw and simple combos.

#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <algorithm>

using Strings = std::vector<std::string>;

namespace {

Strings g_heard;

const char* comboCode(int code) {
    switch (code) {
    case CBN_SELCHANGE:
        return "SELCHANGE";
    case CBN_DBLCLK:
        return "DBLCLK";
    case CBN_SETFOCUS:
        return "SETFOCUS";
    case CBN_KILLFOCUS:
        return "KILLFOCUS";
    case CBN_EDITCHANGE:
        return "EDITCHANGE";
    case CBN_EDITUPDATE:
        return "EDITUPDATE";
    case CBN_DROPDOWN:
        return "DROPDOWN";
    case CBN_CLOSEUP:
        return "CLOSEUP";
    case CBN_SELENDOK:
        return "SELENDOK";
    case CBN_SELENDCANCEL:
        return "SELENDCANCEL";
    default:
        return "?";
    }
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == 9) g_heard.push_back(comboCode(HIWORD(wParam)));
        return 0;
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        g_heard.push_back("measure:" + std::to_string(m->CtlID) + ":" +
                          std::to_string(static_cast<int>(m->itemID)));
        m->itemHeight = 18;
        return TRUE;
    }
    case WM_COMPAREITEM: {
        auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
        g_heard.push_back("compare:" + std::to_string(c->CtlID));
        return c->itemData1 < c->itemData2 ? -1 : 1;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_heard.push_back("draw:" + std::to_string(d->CtlID) + ":" +
                          std::to_string(static_cast<int>(d->itemID)) +
                          ((d->itemState & ODS_COMBOBOXEDIT) ? ":field" : ""));
        return TRUE;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

class Combos : public ::testing::Test {
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
    HWND make(DWORD style, std::initializer_list<const char*> items = {"red", "green", "blue", "cyan"}) {
        HWND cb = CreateWindowEx(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 20, 20, 160,
                                 150, top, reinterpret_cast<HMENU>(9), nullptr, nullptr);
        SendMessage(cb, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        for (const char* s : items)
            SendMessage(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        g_heard.clear();
        return cb;
    }
    static std::string text(HWND h) {
        char buf[128];
        GetWindowText(h, buf, sizeof buf);
        return buf;
    }
    // A point in the dropped list's item i, in the combo box's client coordinates.
    static POINT listItem(HWND cb, int i) {
        RECT lr;
        SendMessage(cb, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&lr));
        int h = static_cast<int>(SendMessage(cb, CB_GETITEMHEIGHT, 0, 0));
        POINT p{lr.left + 10, lr.top + 1 + h * i + h / 2};
        ScreenToClient(cb, &p);
        return p;
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(Combos, MessagesOfADropDownList) {
    HWND cb = make(CBS_DROPDOWNLIST | CBS_SORT);
    char buf[32];
    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT want;
    } cases[] = {
        {"count", CB_GETCOUNT, 0, 0, 4},
        {"nothing selected", CB_GETCURSEL, 0, 0, CB_ERR},
        {"exact find, any case", CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>("GREEN"), 2},
        {"exact find misses", CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("gre"),
         CB_ERR},
        {"prefix find (blue, cyan, green, red)", CB_FINDSTRING, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>("cy"), 1},
        {"select", CB_SETCURSEL, 3, 0, 3},
        {"selected", CB_GETCURSEL, 0, 0, 3},
        {"text length", CB_GETLBTEXTLEN, 0, 0, 4},
        {"text", CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(buf), 5},
        {"select out of range", CB_SETCURSEL, 10, 0, CB_ERR},
        {"data", CB_SETITEMDATA, 1, 77, TRUE},
        {"data back", CB_GETITEMDATA, 1, 0, 77},
        {"no edit to limit", CB_LIMITTEXT, 5, 0, CB_ERR},
        {"closed", CB_GETDROPPEDSTATE, 0, 0, FALSE},
        {"delete", CB_DELETESTRING, 0, 0, 3},
    };
    SendMessage(cb, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(cb, c.msg, c.wParam, c.lParam), c.want) << c.name;
    EXPECT_STREQ(buf, "green");
    EXPECT_EQ(text(cb), "") << "the selection was deleted with its item";
    SendMessage(cb, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("r"));
    EXPECT_EQ(text(cb), "red");
    EXPECT_TRUE(g_heard.empty()) << "programmatic changes notify nothing";
    RECT before;
    GetWindowRect(cb, &before);
    EXPECT_LT(before.bottom - before.top, 150) << "a drop-down combo is as high as its field";
    SendMessage(cb, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30);
    EXPECT_EQ(SendMessage(cb, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 30);
    RECT after;
    GetWindowRect(cb, &after);
    EXPECT_EQ(after.bottom - after.top, 36);
    SendMessage(cb, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(cb, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(Combos, OpeningAndChoosingWithTheKeyboard) {
    HWND cb = make(CBS_DROPDOWNLIST);
    pm::test::click(cb, POINT{20, 8});
    pm::test::pumpMessages();
    EXPECT_TRUE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(GetFocus(), cb);
    pm::test::pressKey(cb, VK_DOWN);
    pm::test::pressKey(cb, VK_DOWN);
    pm::test::pressKey(cb, VK_RETURN);
    pm::test::pumpMessages();
    EXPECT_FALSE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(cb, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_heard, (Strings{"SETFOCUS", "DROPDOWN", "SELCHANGE", "SELCHANGE", "SELENDOK", "CLOSEUP"}));
    g_heard.clear();
    pm::test::pressKey(cb, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(cb, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(g_heard, (Strings{"SELENDOK", "SELCHANGE"})) << "a closed list's change is final at once";
    g_heard.clear();
    pm::test::pressKey(cb, VK_F4);
    pm::test::pressKey(cb, VK_UP);
    pm::test::pressKey(cb, VK_ESCAPE);
    pm::test::pumpMessages();
    EXPECT_EQ(g_heard, (Strings{"DROPDOWN", "SELCHANGE", "SELENDCANCEL", "CLOSEUP"}));
    g_heard.clear();
    SendMessage(cb, WM_CHAR, 'r', 1);
    EXPECT_EQ(text(cb), "red") << "type-ahead";
}

TEST_F(Combos, ChoosingWithTheMouseAndCancellingOutside) {
    HWND cb = make(CBS_DROPDOWNLIST);
    pm::test::click(cb, POINT{20, 8});
    pm::test::pumpMessages();
    ASSERT_TRUE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
    POINT item = listItem(cb, 2);
    pm::test::moveMouse(cb, item);
    pm::test::click(cb, item);
    pm::test::pumpMessages();
    EXPECT_FALSE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(text(cb), "blue");
    EXPECT_EQ(g_heard, (Strings{"SETFOCUS", "DROPDOWN", "SELCHANGE", "SELENDOK", "CLOSEUP"}));
    EXPECT_EQ(GetCapture(), nullptr);
    g_heard.clear();
    SendMessage(cb, CB_SHOWDROPDOWN, TRUE, 0);
    pm::test::click(cb, POINT{300, 300});
    pm::test::pumpMessages();
    EXPECT_FALSE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(text(cb), "blue");
    EXPECT_EQ(g_heard, (Strings{"DROPDOWN", "SELENDCANCEL", "CLOSEUP"}));
}

// Moving a drop-down combo with a size taller than its field keeps it as high as its field and
// gives the rest to its dropped list; a size at or below the field's height leaves the list alone.
TEST_F(Combos, ATallerSizeGoesToTheDroppedList) {
    HWND cb = make(CBS_DROPDOWNLIST);
    for (int i = 0; i < 40; ++i)
        SendMessage(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    RECT field;
    GetWindowRect(cb, &field);
    const int fieldHeight = field.bottom - field.top;
    auto droppedHeight = [cb] {
        RECT r;
        SendMessage(cb, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.bottom - r.top;
    };
    for (int height : {fieldHeight + 200, 4}) {
        MoveWindow(cb, 20, 20, 160, height, TRUE);
        RECT now;
        GetWindowRect(cb, &now);
        EXPECT_EQ(now.bottom - now.top, fieldHeight) << height;
        EXPECT_EQ(now.right - now.left, 160) << height;
        EXPECT_EQ(droppedHeight(), 200) << height;
    }
    SendMessage(cb, CB_SHOWDROPDOWN, TRUE, 0);
    RECT list;
    SendMessage(cb, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    EXPECT_EQ(list.top, field.bottom) << "the list opens under the field";
    SendMessage(cb, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Combos, AWiderOrNarrowerComboIsDrawnAsOneMadeAtThatWidth) {
    for (const int width : {240, 100}) {
        HWND resized = make(CBS_DROPDOWNLIST);
        SendMessage(resized, CB_SETCURSEL, 1, 0);
        UpdateWindow(resized);
        MoveWindow(resized, 20, 20, width, 150, TRUE);
        UpdateWindow(resized);
        HWND made = CreateWindowEx(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20, 200,
                                   width, 150, top, reinterpret_cast<HMENU>(10), nullptr, nullptr);
        SendMessage(made, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        for (const char* s : {"red", "green", "blue", "cyan"})
            SendMessage(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendMessage(made, CB_SETCURSEL, 1, 0);
        UpdateWindow(made);
        EXPECT_EQ(pm::test::windowImage(resized), pm::test::windowImage(made))
            << "no drop button left behind, " << width;
        DestroyWindow(resized);
        DestroyWindow(made);
    }
}

TEST_F(Combos, DropDownCombosEditTheirText) {
    HWND cb = make(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    SetFocus(cb);
    EXPECT_EQ(g_heard, Strings{"SETFOCUS"});
    g_heard.clear();
    SendMessage(cb, CB_LIMITTEXT, 3, 0);
    HWND edit = GetFocus();
    ASSERT_NE(edit, cb) << "the edit has the focus";
    for (char c : std::string("gree"))
        SendMessage(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(text(cb), "gre");
    EXPECT_EQ(g_heard.front(), "EDITUPDATE");
    EXPECT_EQ(g_heard[1], "EDITCHANGE");
    g_heard.clear();
    pm::test::pressKey(edit, VK_DOWN);
    pm::test::pumpMessages();
    EXPECT_EQ(text(cb), "red") << "the edit shows the chosen item";
    SetWindowText(cb, "typed");
    EXPECT_EQ(text(cb), "typed") << "the limit applies to typing only";
}

TEST_F(Combos, OwnerDrawMessagesCarryTheComboBox) {
    g_heard.clear();
    HWND cb = CreateWindowEx(0, "ComboBox", "",
                             WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, 20, 20,
                             160, 150, top, reinterpret_cast<HMENU>(9), nullptr, nullptr);
    EXPECT_EQ(g_heard, (Strings{"measure:9:-1", "measure:9:0"})) << "the field, then the list";
    EXPECT_EQ(SendMessage(cb, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
    g_heard.clear();
    SendMessage(cb, CB_ADDSTRING, 0, 5);
    SendMessage(cb, CB_ADDSTRING, 0, 3);
    EXPECT_EQ(g_heard, Strings{"compare:9"});
    EXPECT_EQ(SendMessage(cb, CB_GETITEMDATA, 0, 0), 3);
    SendMessage(cb, CB_SETCURSEL, 1, 0);
    g_heard.clear();
    UpdateWindow(cb);
    EXPECT_EQ(g_heard, Strings{"draw:9:1:field"});
    g_heard.clear();
    SendMessage(cb, CB_SHOWDROPDOWN, TRUE, 0);
    pm::test::pumpMessages();
    Strings draws;
    for (const auto& s : g_heard)
        if (s.rfind("draw", 0) == 0) draws.push_back(s);
    std::sort(draws.begin(), draws.end());
    EXPECT_EQ(draws, (Strings{"draw:9:0", "draw:9:1", "draw:9:1:field"})) << "the list's items and the field";
    SendMessage(cb, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Combos, SimpleCombosShowTheirListAlways) {
    HWND cb = make(CBS_SIMPLE);
    HWND list = nullptr;
    for (HWND c = GetWindow(cb, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32];
        GetClassName(c, cls, sizeof cls);
        if (std::string(cls) == "ComboLBox") list = c;
    }
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT item;
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    pm::test::click(list, POINT{item.left + 5, item.top + 2});
    pm::test::pumpMessages();
    EXPECT_EQ(text(cb), "green");
    EXPECT_EQ(g_heard.back(), "SELCHANGE");
    EXPECT_TRUE(SendMessage(cb, CB_SHOWDROPDOWN, TRUE, 0));
    EXPECT_FALSE(SendMessage(cb, CB_GETDROPPEDSTATE, 0, 0));
}
