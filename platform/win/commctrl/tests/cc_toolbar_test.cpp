// Tool bar: layout and hit tests that agree for flat and wrapping bars with separators and
// drop-down buttons, clicks with NM_CLICK and WM_COMMAND, check buttons and groups, drop-downs.
#include "platform/win/commctrl.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// WM_COMMAND ids as themselves, WM_NOTIFY codes as negative numbers.
std::vector<long> g_heard;
// NM_CUSTOMDRAW stages with their items, and the parent's answers.
std::vector<std::pair<DWORD, DWORD_PTR>> g_stages;
std::function<LRESULT(const NMCUSTOMDRAW&)> g_customDraw;
LRESULT g_allowMove = TRUE;
// A bar whose TBN_QUERYINSERT the parent refuses whatever g_allowMove says.
HWND g_refusingBar = nullptr;
// Whether presses (TBN_BEGINDRAG, TBN_ENDDRAG) and hot changes are heard too, and the parent's
// answer to TBN_HOTITEMCHANGE.
bool g_hearPresses = false;
LRESULT g_keepHot = FALSE;
// The parent's answer to TBN_DROPDOWN, and whether it takes the mouse release meanwhile (as a menu
// it shows would).
LRESULT g_dropDownAnswer = TBDDRET_DEFAULT;
bool g_dropDownTakesRelease = false;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        g_heard.push_back(LOWORD(wParam));
        return 0;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        const auto& cd = *reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        g_stages.emplace_back(cd.dwDrawStage, cd.dwItemSpec);
        return g_customDraw ? g_customDraw(cd) : CDRF_DODEFAULT;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TBN_GETBUTTONINFO) {
        // Two buttons on offer for customising: 300 and 301.
        auto& nm = *reinterpret_cast<NMTOOLBAR*>(lParam);
        g_heard.push_back(static_cast<int>(TBN_GETBUTTONINFO));
        if (nm.iItem >= 2) return FALSE;
        nm.tbButton = TBBUTTON{nm.iItem, 300 + nm.iItem, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1};
        if (nm.pszText) std::snprintf(nm.pszText, static_cast<std::size_t>(nm.cchText), "Offer %d", nm.iItem);
        return TRUE;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFO) {
        auto& nm = *reinterpret_cast<NMTTDISPINFO*>(lParam);
        std::snprintf(nm.szText, sizeof nm.szText, "Tip %d", static_cast<int>(nm.hdr.idFrom));
        g_heard.push_back(static_cast<int>(TTN_GETDISPINFO));
        return 0;
    }
    if (msg == WM_NOTIFY) {
        UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
        bool press = code == TBN_BEGINDRAG || code == TBN_ENDDRAG || code == TBN_HOTITEMCHANGE;
        if (press && !g_hearPresses) return 0;
        if (code == TBN_HOTITEMCHANGE) {
            g_heard.push_back(reinterpret_cast<NMTBHOTITEM*>(lParam)->idNew);
            return g_keepHot;
        }
        if (press) g_heard.push_back(reinterpret_cast<NMTOOLBAR*>(lParam)->iItem);
        g_heard.push_back(static_cast<int>(code));
        if (code == TBN_DROPDOWN) {
            if (g_dropDownTakesRelease) pm::test::pumpMessages();
            return g_dropDownAnswer;
        }
        if (code == TBN_QUERYINSERT && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == g_refusingBar)
            return FALSE;
        return code == TBN_QUERYDELETE || code == TBN_QUERYINSERT ? g_allowMove : 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

const long kDropDown = static_cast<int>(TBN_DROPDOWN), kClick = static_cast<int>(NM_CLICK);

TBBUTTON button(int image, int id, BYTE style, BYTE state = TBSTATE_ENABLED) {
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = id;
    b.fsState = state;
    b.fsStyle = style;
    return b;
}

class Toolbars : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 400, 150, true);
        images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
        HBITMAP bm = CreateBitmap(64, 16, 1, 32, nullptr);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bm);
        const COLORREF colours[] = {RGB(192, 0, 0), RGB(0, 128, 0), RGB(0, 0, 192), RGB(128, 128, 0)};
        for (int i = 0; i < 4; ++i) {
            RECT all{i * 16, 0, i * 16 + 16, 16};
            FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
            HBRUSH b = CreateSolidBrush(colours[i]);
            RECT inner{i * 16 + 3, 3, i * 16 + 13, 13};
            FillRect(mem, &inner, b);
            DeleteObject(b);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
        ImageList_AddMasked(images, bm, GetSysColor(COLOR_BTNFACE));
        DeleteObject(bm);
        g_heard.clear();
        g_stages.clear();
        g_customDraw = nullptr;
        g_allowMove = TRUE;
        g_refusingBar = nullptr;
        g_hearPresses = false;
        g_keepHot = FALSE;
        g_dropDownAnswer = TBDDRET_DEFAULT;
        g_dropDownTakesRelease = false;
    }
    void TearDown() override {
        g_customDraw = nullptr;
        DestroyWindow(parent);
        ImageList_Destroy(images);
    }
    // texts: each button takes a text of the pool (TB_ADDSTRING), of a different length.
    HWND make(DWORD style, DWORD exStyle = TBSTYLE_EX_DRAWDDARROWS, bool texts = false) {
        HWND tb = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(9), nullptr, nullptr);
        SendMessage(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessage(tb, TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(exStyle));
        SendMessage(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        const TBBUTTON buttons[] = {
            button(0, 100, BTNS_BUTTON),        button(0, 0, BTNS_SEP),
            button(1, 101, BTNS_CHECK),         button(2, 102, BTNS_DROPDOWN),
            button(3, 103, BTNS_WHOLEDROPDOWN), button(0, 0, BTNS_SEP),
            button(0, 104, BTNS_BUTTON, 0),     button(1, 105, BTNS_CHECKGROUP),
            button(2, 106, BTNS_CHECKGROUP),
        };
        std::vector<TBBUTTON> list(std::begin(buttons), std::end(buttons));
        if (texts) {
            EXPECT_EQ(SendMessage(tb, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("New\0Open file\0Save\0")),
                      0);
            for (std::size_t i = 0; i < list.size(); ++i)
                list[i].iString = static_cast<INT_PTR>(i % 3);
        }
        SendMessage(tb, TB_ADDBUTTONS, list.size(), reinterpret_cast<LPARAM>(list.data()));
        SendMessage(tb, TB_AUTOSIZE, 0, 0);
        return tb;
    }
    static RECT rectOf(HWND tb, int i) {
        RECT rc{};
        SendMessage(tb, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static POINT centre(RECT rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    HWND parent = nullptr;
    HIMAGELIST images = nullptr;
};

TEST_F(Toolbars, HitTestsAgreeWithItemRectangles) {
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        int width; // 0: the parent's
        bool texts = false;
    };
    const Case cases[] = {
        {"flat", TBSTYLE_FLAT, TBSTYLE_EX_DRAWDDARROWS, 0},
        {"plain without arrows", 0, 0, 0},
        {"flat wrapping", TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NORESIZE, TBSTYLE_EX_DRAWDDARROWS, 90},
        {"texts under images", TBSTYLE_FLAT, TBSTYLE_EX_DRAWDDARROWS, 0, true},
        {"list with texts", TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE, TBSTYLE_EX_DRAWDDARROWS, 2000, true},
        {"list wrapping with texts", TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_WRAPABLE | CCS_NORESIZE,
         TBSTYLE_EX_DRAWDDARROWS, 200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tb = make(c.style, c.exStyle, c.texts);
        if (c.width) SetWindowPos(tb, nullptr, 0, 0, c.width, 100, SWP_NOZORDER);
        int n = static_cast<int>(SendMessage(tb, TB_BUTTONCOUNT, 0, 0));
        ASSERT_EQ(n, 9);
        RECT previous{};
        for (int i = 0; i < n; ++i) {
            TBBUTTON b{};
            SendMessage(tb, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
            RECT rc = rectOf(tb, i);
            POINT pt = centre(rc);
            LRESULT hit = SendMessage(tb, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt));
            EXPECT_EQ(hit, (b.fsStyle & BTNS_SEP) ? -i : i) << i;
            if (i > 0 && rc.top == previous.top) {
                EXPECT_EQ(rc.left, previous.right) << i;
            }
            if (!(b.fsStyle & BTNS_SEP)) {
                RECT byCommand{};
                ASSERT_TRUE(SendMessage(tb, TB_GETRECT, static_cast<WPARAM>(b.idCommand),
                                        reinterpret_cast<LPARAM>(&byCommand)));
                EXPECT_TRUE(EqualRect(&byCommand, &rc));
            }
            previous = rc;
        }
        if (c.width && c.width < 1000)
            EXPECT_GT(SendMessage(tb, TB_GETROWS, 0, 0), 1);
        else
            EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 1);
        DestroyWindow(tb);
    }
}

TEST_F(Toolbars, ArrowsWidenDropDownButtons) {
    HWND with = make(TBSTYLE_FLAT), without = make(TBSTYLE_FLAT, 0);
    RECT a = rectOf(with, 3), b = rectOf(without, 3), plain = rectOf(with, 0);
    EXPECT_GT(a.right - a.left, b.right - b.left);
    EXPECT_EQ(b.right - b.left, plain.right - plain.left);
    RECT whole = rectOf(with, 4);
    EXPECT_GT(whole.right - whole.left, plain.right - plain.left);
}

TEST_F(Toolbars, ClicksCommandsAndDropDowns) {
    HWND tb = make(TBSTYLE_FLAT);
    struct Case {
        const char* name;
        int index;
        int dx; // from the right edge when not zero
        std::vector<long> heard;
    };
    const Case cases[] = {
        {"button", 0, 0, {kClick, 100}},        {"check", 2, 0, {kClick, 101}},
        {"split body", 3, 0, {kClick, 102}},    {"split arrow", 3, -4, {kDropDown}},
        {"whole drop-down", 4, 0, {kDropDown}}, {"disabled", 6, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_heard.clear();
        RECT rc = rectOf(tb, c.index);
        POINT pt = c.dx ? POINT{rc.right + c.dx, (rc.top + rc.bottom) / 2}
                        : POINT{rc.left + 5, (rc.top + rc.bottom) / 2};
        pm::test::click(tb, pt);
        pm::test::pumpMessages();
        EXPECT_EQ(g_heard, c.heard);
    }
    EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONCHECKED, 101, 0));
    EXPECT_FALSE(SendMessage(tb, TB_ISBUTTONPRESSED, 102, 0));

    pm::test::click(tb, centre(rectOf(tb, 7)));
    pm::test::click(tb, centre(rectOf(tb, 8)));
    pm::test::pumpMessages();
    EXPECT_FALSE(SendMessage(tb, TB_ISBUTTONCHECKED, 105, 0));
    EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONCHECKED, 106, 0));
    SendMessage(tb, TB_CHECKBUTTON, 105, TRUE);
    EXPECT_FALSE(SendMessage(tb, TB_ISBUTTONCHECKED, 106, 0));
}

// A drop-down answered with TBDDRET_TREATPRESSED acts as a plain button: pressed until the release,
// then NM_CLICK and the command; at once when the parent took the release.
TEST_F(Toolbars, DropDownsTreatedAsPressedSendTheirCommand) {
    HWND tb = make(TBSTYLE_FLAT);
    g_dropDownAnswer = TBDDRET_TREATPRESSED;
    struct Case {
        const char* name;
        int index;
        int dx; // from the right edge when not zero
        bool takesRelease;
        int command;
    };
    const Case cases[] = {
        {"whole drop-down", 4, 0, false, 103},
        {"split arrow", 3, -4, false, 102},
        {"release taken by the parent", 4, 0, true, 103},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_heard.clear();
        g_dropDownTakesRelease = c.takesRelease;
        RECT rc = rectOf(tb, c.index);
        POINT pt = c.dx ? POINT{rc.right + c.dx, (rc.top + rc.bottom) / 2}
                        : POINT{rc.left + 5, (rc.top + rc.bottom) / 2};
        pm::test::pressMouse(tb, pt);
        if (c.takesRelease) pm::test::releaseMouse(tb, pt);
        pm::test::pumpMessages();
        if (!c.takesRelease) {
            EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONPRESSED, static_cast<WPARAM>(c.command), 0));
            EXPECT_EQ(g_heard, (std::vector<long>{kDropDown}));
            pm::test::releaseMouse(tb, pt);
            pm::test::pumpMessages();
        }
        EXPECT_EQ(g_heard, (std::vector<long>{kDropDown, kClick, c.command}));
        EXPECT_FALSE(SendMessage(tb, TB_ISBUTTONPRESSED, static_cast<WPARAM>(c.command), 0));
        EXPECT_NE(GetCapture(), tb);
    }
}

// Pixels of colour c in the tool bar's rectangle rc.
int countColour(HWND tb, RECT rc, COLORREF c) {
    QImage picture = pm::test::windowImage(tb);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += (picture.pixel(x, y) & 0xFFFFFF) ==
                 (qRgb(GetRValue(c), GetGValue(c), GetBValue(c)) & 0xFFFFFFu);
    return n;
}

TEST_F(Toolbars, CustomDrawStagesAndAnswers) {
    HWND tb = make(TBSTYLE_FLAT);
    SendMessage(tb, TB_PRESSBUTTON, 100, TRUE);
    const COLORREF red = RGB(192, 0, 0), shadow = GetSysColor(COLOR_BTNSHADOW);
    RECT first{};
    SendMessage(tb, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    struct Case {
        const char* name;
        LRESULT whole;
        LRESULT item; // for the first button
        std::size_t stages;
        bool image;
        bool edges;
    };
    const std::size_t items = 9;
    const Case cases[] = {
        {"default", CDRF_DODEFAULT, CDRF_DODEFAULT, 1, true, true},
        {"items and post-paint", CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT, CDRF_NOTIFYPOSTPAINT,
         1 + items + 1 + 1, true, true},
        {"skip an item", CDRF_NOTIFYITEMDRAW, CDRF_SKIPDEFAULT, 1 + items, false, false},
        {"no edges", CDRF_NOTIFYITEMDRAW, TBCDRF_NOEDGES, 1 + items, true, false},
        {"skip everything", CDRF_SKIPDEFAULT, CDRF_DODEFAULT, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_customDraw = [&c](const NMCUSTOMDRAW& cd) {
            if (cd.dwDrawStage == CDDS_PREPAINT) return c.whole;
            if (cd.dwDrawStage == CDDS_ITEMPREPAINT && cd.dwItemSpec == 100) return c.item;
            return static_cast<LRESULT>(CDRF_DODEFAULT);
        };
        g_stages.clear();
        InvalidateRect(tb, nullptr, TRUE);
        UpdateWindow(tb);
        EXPECT_EQ(g_stages.size(), c.stages);
        ASSERT_FALSE(g_stages.empty());
        EXPECT_EQ(g_stages.front().first, static_cast<DWORD>(CDDS_PREPAINT));
        if (c.whole & CDRF_NOTIFYPOSTPAINT) {
            EXPECT_EQ(g_stages.back().first, static_cast<DWORD>(CDDS_POSTPAINT));
            EXPECT_EQ(g_stages[2],
                      std::make_pair(static_cast<DWORD>(CDDS_ITEMPOSTPAINT), static_cast<DWORD_PTR>(100)));
        }
        EXPECT_EQ(countColour(tb, first, red) > 0, c.image);
        EXPECT_EQ(countColour(tb, first, shadow) > 0, c.edges);
    }
}

TEST_F(Toolbars, AltDragMovesAndDeletesButtons) {
    HWND tb = make(TBSTYLE_FLAT | TBSTYLE_ALTDRAG | CCS_ADJUSTABLE);
    SetActiveWindow(parent);
    RECT from = rectOf(tb, 0), to = rectOf(tb, 3);
    const long kDelete = static_cast<int>(TBN_QUERYDELETE), kInsert = static_cast<int>(TBN_QUERYINSERT),
               kChange = static_cast<int>(TBN_TOOLBARCHANGE);

    pm::test::holdKey(tb, VK_MENU, true);
    pm::test::pressMouse(tb, centre(from));
    pm::test::moveMouse(tb, POINT{to.right - 3, centre(to).y});
    pm::test::releaseMouse(tb, POINT{to.right - 3, centre(to).y});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 100, 0), 3);
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 102, 0), 2);
    EXPECT_EQ(g_heard, (std::vector<long>{kDelete, kInsert, kChange}));
    // Now: separator, 101, 102, 100 ...

    g_heard.clear();
    g_allowMove = FALSE;
    pm::test::pressMouse(tb, centre(rectOf(tb, 1)));
    pm::test::releaseMouse(tb, POINT{to.right - 3, centre(to).y});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 101, 0), 1);
    EXPECT_EQ(g_heard, (std::vector<long>{kDelete}));

    g_heard.clear();
    g_allowMove = TRUE;
    RECT client{};
    GetClientRect(tb, &client);
    pm::test::pressMouse(tb, centre(rectOf(tb, 1)));
    pm::test::moveMouse(tb, POINT{centre(from).x, client.bottom + 20});
    pm::test::releaseMouse(tb, POINT{centre(from).x, client.bottom + 20});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 101, 0), -1);
    EXPECT_EQ(SendMessage(tb, TB_BUTTONCOUNT, 0, 0), 8);
    EXPECT_EQ(g_heard, (std::vector<long>{kDelete, kChange}));
    pm::test::holdKey(tb, VK_MENU, false);

    g_heard.clear();
    pm::test::click(tb, centre(rectOf(tb, 1)));
    pm::test::pumpMessages();
    EXPECT_EQ(g_heard.back(), 102);
}

TEST_F(Toolbars, AltDragOntoAnotherAdjustableBarMovesTheButtonWithItsTextAndImage) {
    HWND source = make(TBSTYLE_FLAT | TBSTYLE_ALTDRAG | CCS_ADJUSTABLE, TBSTYLE_EX_DRAWDDARROWS, true);
    HWND target = make(TBSTYLE_FLAT | CCS_ADJUSTABLE | CCS_BOTTOM);
    // The target has images of its own: the moved button's image is added to them.
    HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON blue = ImageList_GetIcon(images, 2, ILD_NORMAL);
    ImageList_AddIcon(own, blue);
    DestroyIcon(blue);
    SendMessage(target, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(own));
    SetActiveWindow(parent);
    const long kDelete = static_cast<int>(TBN_QUERYDELETE), kInsert = static_cast<int>(TBN_QUERYINSERT),
               kChange = static_cast<int>(TBN_TOOLBARCHANGE);
    // A point over the left half of the target's first button, in the source's coordinates.
    auto overTarget = [&] {
        RECT first = rectOf(target, 0);
        POINT pt{first.left + 2, centre(first).y};
        MapWindowPoints(target, source, &pt, 1);
        return pt;
    };
    auto drag = [&](int index) {
        pm::test::holdKey(source, VK_MENU, true);
        pm::test::pressMouse(source, centre(rectOf(source, index)));
        pm::test::moveMouse(source, overTarget());
        pm::test::releaseMouse(source, overTarget());
        pm::test::holdKey(source, VK_MENU, false);
        pm::test::pumpMessages();
    };

    drag(2); // 101, image 1, text "Save"
    EXPECT_EQ(SendMessage(source, TB_COMMANDTOINDEX, 101, 0), -1);
    EXPECT_EQ(SendMessage(source, TB_BUTTONCOUNT, 0, 0), 8);
    // The target has the same buttons as the source had: the moved one comes first.
    EXPECT_EQ(SendMessage(target, TB_BUTTONCOUNT, 0, 0), 10);
    ASSERT_EQ(SendMessage(target, TB_COMMANDTOINDEX, 101, 0), 0);
    TBBUTTON moved{};
    SendMessage(target, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(moved.fsStyle, BTNS_CHECK);
    EXPECT_EQ(moved.fsState & TBSTATE_PRESSED, 0);
    EXPECT_EQ(moved.iBitmap, 1);
    EXPECT_EQ(ImageList_GetImageCount(own), 2);
    char text[32] = {};
    SendMessage(target, TB_GETBUTTONTEXTA, 101, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Save");
    EXPECT_EQ(g_heard, (std::vector<long>{kDelete, kInsert, kChange, kChange}));

    // A bar that refuses the button leaves it on its own bar.
    g_heard.clear();
    g_refusingBar = target;
    drag(2);
    EXPECT_EQ(SendMessage(source, TB_COMMANDTOINDEX, 102, 0), 2);
    EXPECT_EQ(SendMessage(source, TB_BUTTONCOUNT, 0, 0), 8);
    EXPECT_EQ(SendMessage(target, TB_BUTTONCOUNT, 0, 0), 10);
    EXPECT_EQ(g_heard, (std::vector<long>{kDelete, kInsert}));

    // A different image at the same index is no match: the image is added.
    g_refusingBar = nullptr;
    drag(0); // 100, image 0 (red; the target's first is blue)
    SendMessage(target, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(moved.idCommand, 100);
    EXPECT_EQ(moved.iBitmap, 2);
    // A target whose list holds the same image at the same index keeps the index.
    HIMAGELIST alike = ImageList_Duplicate(images);
    SendMessage(target, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(alike));
    drag(1); // 102, image 2
    SendMessage(target, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(moved.idCommand, 102);
    EXPECT_EQ(moved.iBitmap, 2);
    EXPECT_EQ(ImageList_GetImageCount(alike), 4);
    DestroyWindow(target);
    ImageList_Destroy(own);
    ImageList_Destroy(alike);
}

TEST_F(Toolbars, StatesAndIndices) {
    HWND tb = make(TBSTYLE_FLAT);
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 103, 0), 4);
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 999, 0), -1);
    EXPECT_EQ(SendMessage(tb, TB_GETSTATE, 104, 0), 0);
    ASSERT_TRUE(SendMessage(tb, TB_ENABLEBUTTON, 104, TRUE));
    EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONENABLED, 104, 0));
    SendMessage(tb, TB_SETSTATE, 100, TBSTATE_ENABLED | TBSTATE_INDETERMINATE);
    EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONINDETERMINATE, 100, 0));

    RECT before = rectOf(tb, 2);
    ASSERT_TRUE(SendMessage(tb, TB_HIDEBUTTON, 100, TRUE));
    EXPECT_TRUE(SendMessage(tb, TB_ISBUTTONHIDDEN, 100, 0));
    RECT after = rectOf(tb, 2);
    EXPECT_LT(after.left, before.left);
    RECT hidden{};
    EXPECT_FALSE(SendMessage(tb, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&hidden)));

    ASSERT_TRUE(SendMessage(tb, TB_DELETEBUTTON, 0, 0));
    EXPECT_EQ(SendMessage(tb, TB_BUTTONCOUNT, 0, 0), 8);
    TBBUTTON b = button(3, 200, BTNS_BUTTON);
    ASSERT_TRUE(SendMessage(tb, TB_INSERTBUTTON, 1, reinterpret_cast<LPARAM>(&b)));
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 200, 0), 1);
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONSIZE, 0, 0), MAKELONG(23, 23));
}

TEST_F(Toolbars, TextsSizeTheButtons) {
    HWND plain = make(TBSTYLE_FLAT), under = make(TBSTYLE_FLAT, 0, true),
         list = make(TBSTYLE_FLAT | TBSTYLE_LIST, 0, true);
    RECT p = rectOf(plain, 0), u = rectOf(under, 0), l = rectOf(list, 0);
    EXPECT_GT(u.bottom - u.top, p.bottom - p.top) << "texts go under the images";
    EXPECT_GE(u.right - u.left, p.right - p.left);
    EXPECT_EQ(l.bottom - l.top, p.bottom - p.top) << "list texts go beside the images";
    EXPECT_GT(l.right - l.left, u.right - u.left);
    RECT u2 = rectOf(under, 2);
    EXPECT_EQ(u2.right - u2.left, u.right - u.left) << "every button as wide as the widest text";

    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int width;  // of button 0 after the message; 0: unchanged
        int height; // 0: unchanged
    };
    const Case cases[] = {
        {"no text rows", TB_SETMAXTEXTROWS, 0, 0, static_cast<int>(p.right - p.left),
         static_cast<int>(p.bottom - p.top)},
        {"text rows again", TB_SETMAXTEXTROWS, 1, 0, static_cast<int>(u.right - u.left),
         static_cast<int>(u.bottom - u.top)},
        {"at most 30 wide", TB_SETBUTTONWIDTH, 0, MAKELONG(0, 30), 30, 0},
        {"at least 90 wide", TB_SETBUTTONWIDTH, 0, MAKELONG(90, 200), 90, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessage(under, c.message, c.wParam, c.lParam);
        RECT rc = rectOf(under, 0);
        if (c.width) {
            EXPECT_EQ(rc.right - rc.left, c.width);
        }
        if (c.height) {
            EXPECT_EQ(rc.bottom - rc.top, c.height);
        }
    }
    EXPECT_EQ(SendMessage(under, TB_GETTEXTROWS, 0, 0), 1);

    // Mixed buttons: only BTNS_SHOWTEXT buttons show their texts in a list bar.
    SendMessage(list, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    TBBUTTONINFO info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    info.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
    SendMessage(list, TB_SETBUTTONINFO, 100, reinterpret_cast<LPARAM>(&info));
    RECT shown = rectOf(list, 0), bare = rectOf(list, 2);
    EXPECT_EQ(bare.right - bare.left, p.right - p.left);
    EXPECT_GT(shown.right - shown.left, bare.right - bare.left);
}

TEST_F(Toolbars, StringsTextsAndButtonInfo) {
    HWND tb = make(TBSTYLE_FLAT, 0, true);
    EXPECT_EQ(SendMessage(tb, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Cut\0Copy\0")), 3);
    char text[32] = {};
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONTEXT, 101, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "Save");
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONTEXT, 999, 0), -1);
    TBBUTTON own = button(0, 250, BTNS_BUTTON);
    own.iString = reinterpret_cast<INT_PTR>("Own text");
    SendMessage(tb, TB_INSERTBUTTON, 0, reinterpret_cast<LPARAM>(&own));
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONTEXT, 250, 0), 8);

    TBBUTTONINFO info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_COMMAND | TBIF_SIZE | TBIF_LPARAM;
    info.pszText = const_cast<LPSTR>("Renamed");
    info.idCommand = 260;
    info.cx = 70;
    info.lParam = 42;
    EXPECT_EQ(SendMessage(tb, TB_SETBUTTONINFO, 250, reinterpret_cast<LPARAM>(&info)), 0);
    RECT rc = rectOf(tb, 0);
    EXPECT_EQ(rc.right - rc.left, 70);
    TBBUTTONINFO back{};
    back.cbSize = sizeof back;
    back.dwMask = TBIF_BYINDEX | TBIF_TEXT | TBIF_COMMAND | TBIF_LPARAM | TBIF_STATE;
    back.pszText = text;
    back.cchText = 5;
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONINFO, 0, reinterpret_cast<LPARAM>(&back)), 0);
    EXPECT_EQ(back.idCommand, 260);
    EXPECT_EQ(back.lParam, 42u);
    EXPECT_STREQ(text, "Rena") << "cut to the buffer";
    EXPECT_EQ(back.fsState, TBSTATE_ENABLED);
    EXPECT_EQ(SendMessage(tb, TB_GETBUTTONINFO, 999, reinterpret_cast<LPARAM>(&back)), -1);
}

TEST_F(Toolbars, MovingButtonsAndTheInsertMark) {
    HWND tb = make(TBSTYLE_FLAT);
    ASSERT_TRUE(SendMessage(tb, TB_MOVEBUTTON, 0, 3));
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 100, 0), 3);
    EXPECT_FALSE(SendMessage(tb, TB_MOVEBUTTON, 0, 99));
    const COLORREF black = RGB(0, 0, 0);
    RECT at = rectOf(tb, 4);
    RECT edge{at.left - 1, at.top, at.left + 1, at.bottom};
    int before = countColour(tb, edge, black);
    TBINSERTMARK mark{4, 0};
    SendMessage(tb, TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    UpdateWindow(tb);
    EXPECT_GT(countColour(tb, edge, black), before);
    TBINSERTMARK read{};
    SendMessage(tb, TB_GETINSERTMARK, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.iButton, 4);
    mark.iButton = -1;
    SendMessage(tb, TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    UpdateWindow(tb);
    EXPECT_EQ(countColour(tb, edge, black), before);
}

TEST_F(Toolbars, SaveAndRestoreThroughTheRegistry) {
    HWND tb = make(TBSTYLE_FLAT);
    TBSAVEPARAMS where{HKEY_CURRENT_USER, "Software\\PmTests\\Toolbar", "Buttons"};
    ASSERT_TRUE(SendMessage(tb, TB_SAVERESTORE, TRUE, reinterpret_cast<LPARAM>(&where)));
    auto commands = [tb] {
        std::vector<int> ids;
        for (int i = 0; i < SendMessage(tb, TB_BUTTONCOUNT, 0, 0); ++i) {
            TBBUTTON b{};
            SendMessage(tb, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
            ids.push_back(b.idCommand);
        }
        return ids;
    };
    std::vector<int> saved = commands();
    SendMessage(tb, TB_DELETEBUTTON, 2, 0);
    SendMessage(tb, TB_MOVEBUTTON, 0, 5);
    ASSERT_TRUE(SendMessage(tb, TB_SAVERESTORE, FALSE, reinterpret_cast<LPARAM>(&where)));
    // The saved order comes back; 101, neither on the bar nor offered by the parent, stays away.
    saved.erase(std::find(saved.begin(), saved.end(), 101));
    EXPECT_EQ(commands(), saved);

    // Damaged values change nothing.
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_CURRENT_USER, where.pszSubKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const BYTE wrongMagic[] = {'X', 'X', 'X', 'X', 1, 0, 0, 0, 100, 0, 0, 0, 4, 0, 0, 0};
    const BYTE tooMany[] = {'T', 'B', 'S', '1', 0xFF, 0xFF, 0xFF, 0x7F, 100, 0, 0, 0, 4, 0, 0, 0};
    for (const auto* value : {wrongMagic, tooMany}) {
        RegSetValueEx(key, "Buttons", 0, REG_BINARY, value, sizeof wrongMagic);
        EXPECT_FALSE(SendMessage(tb, TB_SAVERESTORE, FALSE, reinterpret_cast<LPARAM>(&where)));
        EXPECT_EQ(commands(), saved);
    }
    RegCloseKey(key);
}

TEST_F(Toolbars, TooltipsAskTheParentAndSetParentRedirects) {
    HWND tb = make(TBSTYLE_FLAT | TBSTYLE_TOOLTIPS);
    auto tips = reinterpret_cast<HWND>(SendMessage(tb, TB_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(IsWindow(tips));
    SendMessage(tb, TB_GETROWS, 0, 0); // lays the bar out
    EXPECT_EQ(SendMessage(tips, TTM_GETTOOLCOUNT, 0, 0), 7) << "one tool per button, none for separators";
    NMTTDISPINFO nm{};
    nm.hdr = {tips, 102, TTN_GETDISPINFO};
    nm.lpszText = nm.szText;
    g_heard.clear();
    SendMessage(tb, WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&nm));
    EXPECT_STREQ(nm.szText, "Tip 102");
    EXPECT_EQ(g_heard, std::vector<long>{static_cast<int>(TTN_GETDISPINFO)});

    HWND other = pm::test::createParent(parentProc, 10, 10);
    ShowWindow(other, SW_HIDE);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tb, TB_SETPARENT, reinterpret_cast<WPARAM>(other), 0)),
              parent);
    g_heard.clear();
    pm::test::click(tb, centre(rectOf(tb, 0)));
    pm::test::pumpMessages();
    EXPECT_EQ(g_heard, (std::vector<long>{kClick, 100}));
    DestroyWindow(other);

    // The style added later brings the tooltips too.
    HWND late = make(TBSTYLE_FLAT);
    EXPECT_EQ(SendMessage(late, TB_GETTOOLTIPS, 0, 0), 0);
    SendMessage(late, TB_SETSTYLE, 0, GetWindowLongPtr(late, GWL_STYLE) | TBSTYLE_TOOLTIPS);
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(SendMessage(late, TB_GETTOOLTIPS, 0, 0))));
}

TEST_F(Toolbars, CustomizeDialogAddsAnOfferedButton) {
    HWND tb = make(TBSTYLE_FLAT | CCS_ADJUSTABLE);
    g_heard.clear();
    // From inside the dialog's loop: choose "Offer 0" (after "Separator"), add it in front, close.
    SetTimer(parent, 7, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        HWND dialog = FindWindow(nullptr, "Customize Toolbar");
        ASSERT_TRUE(dialog);
        SendDlgItemMessage(dialog, 201, LB_SETCURSEL, 1, 0);
        SendDlgItemMessage(dialog, 202, LB_SETCURSEL, 0, 0);
        SendMessage(dialog, WM_COMMAND, 203, 0);
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(tb, TB_CUSTOMIZE, 0, 0);
    const long info = static_cast<int>(TBN_GETBUTTONINFO);
    const std::vector<long> expected{static_cast<int>(TBN_BEGINADJUST),
                                     info,
                                     info,
                                     info,
                                     static_cast<int>(TBN_QUERYINSERT),
                                     static_cast<int>(TBN_TOOLBARCHANGE),
                                     static_cast<int>(TBN_ENDADJUST)};
    EXPECT_EQ(g_heard, expected);
    EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 300, 0), 0);
    EXPECT_EQ(SendMessage(tb, TB_BUTTONCOUNT, 0, 0), 10);
}

TEST_F(Toolbars, PressesAndHotChangesAreAnnounced) {
    HWND tb = make(TBSTYLE_FLAT);
    g_hearPresses = true;
    pm::test::click(tb, centre(rectOf(tb, 0)));
    pm::test::pumpMessages();
    const long begin = static_cast<int>(TBN_BEGINDRAG), end = static_cast<int>(TBN_ENDDRAG);
    // Hot changes are heard as the new command id, presses as the command id and the code; the
    // press may follow the hot change of the mouse arriving.
    ASSERT_GE(g_heard.size(), 6u);
    EXPECT_EQ(std::vector<long>(g_heard.end() - 6, g_heard.end()),
              (std::vector<long>{100, begin, 100, end, kClick, 100}));

    struct Case {
        WPARAM index;
        LRESULT keep;
        LRESULT hotAfter;
    };
    const Case cases[] = {{2, FALSE, 2}, {3, TRUE, 2}, {1, FALSE, -1}, {6, FALSE, -1}};
    SendMessage(tb, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        g_heard.clear();
        g_keepHot = c.keep;
        SendMessage(tb, TB_SETHOTITEM, c.index, 0);
        EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), c.hotAfter);
    }
    // A separator and a disabled button are never hot; leaving is announced with 0.
    EXPECT_TRUE(g_heard.empty()) << "no change from none to none";
    g_heard.clear();
    SendMessage(tb, TB_SETHOTITEM, 2, 0);
    SendMessage(tb, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(g_heard, (std::vector<long>{101, 0}));
}

TEST_F(Toolbars, AHotItemThePointerChoseGoesWhenItLeavesOneSetByTheProgramStays) {
    HWND tb = make(TBSTYLE_FLAT);
    const RECT client = [&] {
        RECT r;
        GetClientRect(tb, &r);
        return r;
    }();
    pm::test::moveMouse(tb, centre(rectOf(tb, 0)));
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), 0);
    pm::test::moveMouse(parent, POINT{10, client.bottom + 40});
    pm::test::advanceClock(500);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), -1) << "the pointer left the bar";

    // A menu bar driven from the keyboard sets its hot item with the pointer elsewhere.
    SendMessage(tb, TB_SETHOTITEM, 2, 0);
    pm::test::advanceClock(500);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), 2);
    // Once the pointer has come over that item, its leaving counts again.
    pm::test::moveMouse(tb, centre(rectOf(tb, 2)));
    pm::test::pumpMessages();
    pm::test::moveMouse(parent, POINT{10, client.bottom + 40});
    pm::test::advanceClock(500);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), -1);
}

TEST_F(Toolbars, AddBitmapCutsImagesIntoTheBarsList) {
    HWND tb = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                             nullptr, nullptr);
    HBITMAP strip = CreateBitmap(32, 15, 1, 32, nullptr);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(strip)};
    EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&add)), 0);
    EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&add)), 2);
    auto list = reinterpret_cast<HIMAGELIST>(SendMessage(tb, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(list);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 15, reinterpret_cast<LPARAM>(&standard)), -1);
    EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&add)), -1);
    DestroyWindow(tb);
    DeleteObject(strip);
}

} // namespace
