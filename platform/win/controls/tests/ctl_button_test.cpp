// Buttons and statics: states, clicks by mouse and keyboard, radio groups, notifications,
// owner-draw message order and the colour messages.

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

using pm::test::MessageRecorder;
using Strings = std::vector<std::string>;

namespace {

// What the parent heard: "command:<id>:<code>", "draw:<id>:<action>:<state>", "ctlcolor:<msg>".
Strings g_heard;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        g_heard.push_back("command:" + std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
        return 0;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_heard.push_back("draw:" + std::to_string(d->CtlID) + ":" + std::to_string(d->itemAction) + ":" +
                          std::to_string(d->itemState));
        return TRUE;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        g_heard.push_back("ctlcolor:" + std::to_string(msg));
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class Buttons : public ::testing::Test {
protected:
    void SetUp() override {
        top = pm::test::createParent(parentProc, 500, 400, true);
        pm::test::pumpMessages();
        g_heard.clear();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND make(const char* cls, DWORD style, int id, const char* text = "Label", int y = 10) {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 120, 24, top,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    // Only the entries of g_heard that start with prefix.
    static Strings heard(const std::string& prefix) {
        Strings out;
        for (const auto& s : g_heard)
            if (s.rfind(prefix, 0) == 0) out.push_back(s);
        return out;
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(Buttons, EachKindAnswersItsDialogCode) {
    struct Case {
        DWORD style;
        LRESULT code;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_CHECKBOX, DLGC_BUTTON},
        {BS_AUTO3STATE, DLGC_BUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
        {BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
    };
    for (const Case& c : cases) {
        HWND b = make("Button", c.style, 1);
        EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << c.style;
        DestroyWindow(b);
    }
    HWND s = make("Static", SS_LEFT, 2);
    EXPECT_EQ(SendMessage(s, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Buttons, ClicksChangeTheStateOfAutomaticButtonsOnly) {
    struct Case {
        const char* name;
        DWORD style;
        UINT before;
        UINT after;
    } cases[] = {
        {"push", BS_PUSHBUTTON, 0, 0},
        {"check box", BS_CHECKBOX, 0, 0},
        {"auto check box", BS_AUTOCHECKBOX, 0, 1},
        {"auto check box, checked", BS_AUTOCHECKBOX, 1, 0},
        {"3-state", BS_3STATE, 2, 2},
        {"auto 3-state", BS_AUTO3STATE, 1, 2},
        {"auto 3-state wraps", BS_AUTO3STATE, 2, 0},
        {"radio", BS_RADIOBUTTON, 0, 0},
        {"auto radio", BS_AUTORADIOBUTTON, 0, 1},
        {"auto radio stays", BS_AUTORADIOBUTTON, 1, 1},
    };
    for (const Case& c : cases) {
        HWND b = make("Button", c.style, 5);
        SendMessage(b, BM_SETCHECK, c.before, 0);
        g_heard.clear();
        pm::test::click(b, POINT{5, 10});
        pm::test::pumpMessages();
        EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(c.after)) << c.name;
        EXPECT_EQ(heard("command"), Strings{"command:5:0"}) << c.name;
        EXPECT_EQ(GetFocus(), b) << c.name;
        DestroyWindow(b);
    }
}

TEST_F(Buttons, SetCheckKeepsToTheButtonsStates) {
    HWND two = make("Button", BS_CHECKBOX, 1);
    HWND three = make("Button", BS_3STATE, 2, "x", 40);
    HWND push = make("Button", BS_PUSHBUTTON, 3, "x", 70);
    SendMessage(two, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(two, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessage(push, BM_SETSTATE, TRUE, 0);
    SetFocus(push);
    EXPECT_EQ(SendMessage(push, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    SendMessage(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongPtr(push, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_NE(GetWindowLongPtr(push, GWL_STYLE) & WS_CHILD, 0) << "BM_SETSTYLE keeps the window styles";
    HDC screen = GetDC(nullptr);
    HANDLE image = reinterpret_cast<HANDLE>(CreateCompatibleBitmap(screen, 8, 8));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SendMessage(push, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)), 0);
    EXPECT_EQ(SendMessage(push, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(image));
    DeleteObject(image);
}

TEST_F(Buttons, AutoRadioButtonsClearTheOthersOfTheirGroup) {
    HWND a = make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 1, "a", 10);
    HWND b = make("Button", BS_AUTORADIOBUTTON, 2, "b", 40);
    HWND c = make("Button", BS_AUTORADIOBUTTON, 3, "c", 70);
    HWND d = make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 4, "d", 100);
    SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(d, BM_SETCHECK, BST_CHECKED, 0);
    pm::test::click(c, POINT{5, 10});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(d, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group";
    EXPECT_NE(GetWindowLongPtr(c, GWL_STYLE) & WS_TABSTOP, 0) << "the checked radio is the group's tab stop";
    EXPECT_EQ(GetWindowLongPtr(a, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(Buttons, KeyboardMouseAndProgrammaticClicks) {
    HWND b = make("Button", BS_AUTOCHECKBOX, 9);
    SetFocus(b);
    pm::test::pressKey(b, VK_SPACE);
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED) << "space clicks";
    pm::test::pressMouse(b, POINT{5, 10});
    pm::test::moveMouse(b, POINT{300, 300});
    pm::test::releaseMouse(b, POINT{300, 300});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED) << "released outside: no click";
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(heard("command"), (Strings{"command:9:0", "command:9:0"}));
    EnableWindow(b, FALSE);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "disabled buttons ignore BM_CLICK";
}

TEST_F(Buttons, NotifyStyleReportsFocusAndDoubleClicks) {
    HWND radio = make("Button", BS_RADIOBUTTON, 4);
    HWND notifying = make("Button", BS_PUSHBUTTON | BS_NOTIFY, 6, "n", 40);
    pm::test::doubleClick(radio, POINT{5, 10});
    pm::test::pumpMessages();
    EXPECT_EQ(heard("command"), (Strings{"command:4:0", "command:4:5"}));
    g_heard.clear();
    SetFocus(notifying);
    SetFocus(radio);
    EXPECT_EQ(heard("command"), (Strings{"command:6:6", "command:6:7"}));
}

TEST_F(Buttons, OwnerDrawnButtonsAskTheirParentInOrder) {
    HWND b = make("Button", BS_OWNERDRAW, 7);
    UpdateWindow(b);
    EXPECT_EQ(heard("draw"), Strings{"draw:7:1:0"});
    g_heard.clear();
    pm::test::click(b, POINT{5, 10});
    pm::test::pumpMessages();
    Strings want{"draw:7:4:16", "draw:7:2:17", "draw:7:2:16", "command:7:0"};
    Strings got = heard("draw");
    for (const auto& s : heard("command"))
        got.push_back(s);
    EXPECT_EQ(got, want);
    g_heard.clear();
    EnableWindow(b, FALSE);
    UpdateWindow(b);
    EXPECT_EQ(heard("draw"), (Strings{"draw:7:4:4", "draw:7:1:4"})) << "disabling takes the focus away first";
}

TEST_F(Buttons, PaintingAsksForTheControlColours) {
    HWND push = make("Button", BS_PUSHBUTTON, 1);
    HWND check = make("Button", BS_CHECKBOX, 2, "c", 40);
    HWND label = make("Static", SS_LEFT, 3, "s", 70);
    g_heard.clear();
    UpdateWindow(push);
    UpdateWindow(check);
    UpdateWindow(label);
    EXPECT_EQ(heard("ctlcolor"), (Strings{"ctlcolor:" + std::to_string(WM_CTLCOLORBTN),
                                          "ctlcolor:" + std::to_string(WM_CTLCOLORSTATIC),
                                          "ctlcolor:" + std::to_string(WM_CTLCOLORSTATIC)}));
}

TEST_F(Buttons, StaticsPassTheMouseOnUnlessTheyNotify) {
    HWND plain = make("Static", SS_LEFT, 1, "plain", 10);
    HWND notifying = make("Static", SS_LEFT | SS_NOTIFY, 2, "notify", 40);
    RECT r;
    GetWindowRect(plain, &r);
    EXPECT_EQ(SendMessage(plain, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTRANSPARENT);
    pm::test::click(notifying, POINT{3, 3});
    pm::test::doubleClick(notifying, POINT{3, 3});
    pm::test::pumpMessages();
    EXPECT_EQ(heard("command"), (Strings{"command:2:0", "command:2:0", "command:2:1"}));
    g_heard.clear();
    EnableWindow(notifying, FALSE);
    EXPECT_EQ(heard("command"), Strings{"command:2:3"});
}

TEST_F(Buttons, StaticImagesAndOwnerDraw) {
    HWND pic = make("Static", SS_BITMAP, 1, "", 10);
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, 40, 30);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SendMessage(pic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bm)), 0);
    RECT rc;
    GetClientRect(pic, &rc);
    EXPECT_EQ(rc.right, 40);
    EXPECT_EQ(rc.bottom, 30);
    EXPECT_EQ(SendMessage(pic, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bm));
    HWND icon = make("Static", SS_ICON, 4, "", 100);
    HICON app = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(app, nullptr);
    SendMessage(icon, STM_SETICON, reinterpret_cast<WPARAM>(app), 0);
    EXPECT_EQ(SendMessage(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(app));
    GetClientRect(icon, &rc);
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXICON)) << "an icon static takes the icon's size";
    UpdateWindow(icon);
    HWND owner = make("Static", SS_OWNERDRAW, 8, "", 60);
    g_heard.clear();
    UpdateWindow(owner);
    EXPECT_EQ(heard("draw"), Strings{"draw:8:1:0"});
    DestroyWindow(pic);
    DeleteObject(bm);
}
