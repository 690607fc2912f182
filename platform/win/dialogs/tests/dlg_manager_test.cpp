// The dialog manager: templates at their pixel sizes, Tab and group order, Enter, Esc, mnemonics,
// the default button, item helpers, binary templates, and message boxes answered by the hooks.

#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

using pm::test::pumpMessages;

namespace {

enum : WORD {
    kName = 10,
    kNameEdit = 11,
    kRadio1 = 20,
    kRadio2 = 21,
    kRadio3 = 22,
    kGrayed = 30,
    kApply = 31
};

// Stand-ins for the standard controls with the dialog codes and button messages the manager uses.
LRESULT CALLBACK fakeButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LONG style = GetWindowLong(hwnd, GWL_STYLE);
    switch (msg) {
    case WM_GETDLGCODE: {
        UINT type = style & 0x0F;
        if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
    case BM_SETSTYLE:
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((style & ~0xFFFF) | (wParam & 0xFFFF)));
        return 0;
    case BM_CLICK:
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                    reinterpret_cast<LPARAM>(hwnd));
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK fakeEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE) return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void registerFakes() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASS wc{};
    wc.lpfnWndProc = fakeButtonProc;
    wc.lpszClassName = "PmFakeButton";
    RegisterClass(&wc);
    wc.lpfnWndProc = fakeEditProc;
    wc.lpszClassName = "PmFakeEdit";
    RegisterClass(&wc);
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return msg == WM_GETDLGCODE ? DLGC_STATIC : DefWindowProc(hwnd, msg, wParam, lParam);
    };
    wc.lpszClassName = "PmFakeLabel";
    RegisterClass(&wc);
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

pm::res::DialogTemplate sampleTemplate() {
    pm::res::DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.x = 10;
    t.y = 10;
    t.cx = 200;
    t.cy = 120;
    t.caption = "Sample";
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    t.items = {
        {"PmFakeLabel", "&Name:", kName, 7, 7, 40, 8, kChild, 0},
        {"PmFakeEdit", "", kNameEdit, 50, 5, 100, 12, kChild | WS_TABSTOP | WS_BORDER, 0},
        {"PmFakeButton", "One", kRadio1, 7, 25, 50, 10, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
         0},
        {"PmFakeButton", "Two", kRadio2, 7, 37, 50, 10, kChild | BS_AUTORADIOBUTTON, 0},
        {"PmFakeButton", "Three", kRadio3, 7, 49, 50, 10, kChild | BS_AUTORADIOBUTTON, 0},
        {"PmFakeButton", "Grayed", kGrayed, 7, 70, 50, 14, kChild | WS_TABSTOP | WS_GROUP | WS_DISABLED, 0},
        {"PmFakeButton", "OK", IDOK, 143, 80, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        {"PmFakeButton", "Cancel", IDCANCEL, 143, 98, 50, 14, kChild | WS_TABSTOP, 0},
        {"PmFakeButton", "&Apply", kApply, 90, 98, 50, 14, kChild | WS_TABSTOP, 0},
    };
    return t;
}

struct DialogRun {
    std::vector<int> commands; // WM_COMMAND ids the dialog saw
    LPARAM initParam = 0;
};
DialogRun* g_run = nullptr;

INT_PTR CALLBACK sampleProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        if (g_run) g_run->initParam = lParam;
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        int id = LOWORD(wParam);
        if (g_run) g_run->commands.push_back(id);
        if (id == IDOK || id == IDCANCEL || id == kApply) EndDialog(dialog, id);
        return TRUE;
    }
    return FALSE;
}

class Dialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerFakes();
        pm::res::addDialog(100, sampleTemplate());
    }
    void SetUp() override {
        g_run = &run;
        owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                               100, 600, 400, nullptr, nullptr, nullptr, nullptr);
        pumpMessages();
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        pm::setMessageBoxHook(nullptr);
        g_run = nullptr;
        DestroyWindow(owner);
        pumpMessages();
    }
    // Runs the sample dialog; `drive` runs once it shows.
    INT_PTR runSample(std::function<void(HWND)> drive, LPARAM param = 0) {
        pm::setDialogHook(std::move(drive));
        return DialogBoxParam(nullptr, MAKEINTRESOURCE(100), owner, sampleProc, param);
    }
    DialogRun run;
    HWND owner = nullptr;
};

int focusId() {
    return GetDlgCtrlID(GetFocus());
}

} // namespace

TEST_F(Dialogs, TemplateComesUpAtThePixelSizesOfItsDialogUnits) {
    HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(100), owner, sampleProc);
    ASSERT_TRUE(dialog);
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(units.right, 6);   // the classic 8-point dialog font's average width
    const int cy = units.bottom; // its height: 12 or 13 with the metric-compatible faces
    EXPECT_TRUE(cy == 12 || cy == 13);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, MulDiv(200, 6, 4));
    EXPECT_EQ(client.bottom, MulDiv(120, cy, 8));
    RECT edit;
    GetWindowRect(GetDlgItem(dialog, kNameEdit), &edit);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, MulDiv(50, 6, 4));
    EXPECT_EQ(edit.top, MulDiv(5, cy, 8));
    EXPECT_EQ(edit.right - edit.left, MulDiv(150, 6, 4) - MulDiv(50, 6, 4));
    EXPECT_EQ(GetWindowLong(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0)) != nullptr, true);
    DestroyWindow(dialog);
}

TEST_F(Dialogs, TabAndShiftTabFollowTheTabStopsAndSkipDisabledControls) {
    std::vector<int> forward, backward;
    INT_PTR r = runSample([&](HWND dialog) {
        forward.push_back(focusId());
        for (int i = 0; i < 5; ++i) {
            SendMessage(dialog, WM_NEXTDLGCTL, 0, FALSE);
            forward.push_back(focusId());
        }
        for (int i = 0; i < 2; ++i) {
            SendMessage(dialog, WM_NEXTDLGCTL, 1, FALSE);
            backward.push_back(focusId());
        }
        pm::test::pressKey(dialog, VK_TAB);
        pm::test::pressKey(dialog, VK_TAB, true);
        pm::test::pressKey(dialog, VK_TAB, true);
        pm::test::pressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(forward, (std::vector<int>{kNameEdit, kRadio1, IDOK, IDCANCEL, kApply, kNameEdit}));
    EXPECT_EQ(backward, (std::vector<int>{kApply, IDCANCEL}));
}

TEST_F(Dialogs, EnterPressesTheDefaultOrTheFocusedButtonAndEscCancels) {
    struct Case {
        const char* name;
        int focus; // 0: leave the focus in the edit
        int key;
        INT_PTR result;
    } cases[] = {{"enter in edit", 0, VK_RETURN, IDOK},
                 {"enter on apply", kApply, VK_RETURN, kApply},
                 {"escape", 0, VK_ESCAPE, IDCANCEL},
                 {"enter on cancel", IDCANCEL, VK_RETURN, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool okWasDefaultWhileApplyFocused = true;
        INT_PTR r = runSample([&](HWND dialog) {
            if (c.focus) {
                SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, c.focus)),
                            TRUE);
                okWasDefaultWhileApplyFocused =
                    (GetWindowLong(GetDlgItem(dialog, IDOK), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
            }
            pm::test::pressKey(dialog, c.key);
        });
        EXPECT_EQ(r, c.result);
        if (c.focus) {
            EXPECT_FALSE(okWasDefaultWhileApplyFocused); // the focused push button is the default
        }
    }
}

TEST_F(Dialogs, ArrowsMoveInsideAGroupAndClickRadioButtons) {
    std::vector<int> visits;
    runSample([&](HWND dialog) {
        SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kRadio1)), TRUE);
        EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, kRadio3), FALSE),
                  GetDlgItem(dialog, kRadio1));
        EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, kRadio1), TRUE),
                  GetDlgItem(dialog, kRadio3));
        for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP})
            pm::test::pressKey(dialog, vk);
        SetTimer(dialog, 1, 10, [](HWND h, UINT, UINT_PTR id, DWORD) {
            KillTimer(h, id);
            EndDialog(h, GetDlgCtrlID(GetFocus()));
        });
    });
    EXPECT_EQ(run.commands, (std::vector<int>{kRadio2, kRadio3, kRadio1, kRadio3}));
}

TEST_F(Dialogs, MnemonicsFocusTheControlAfterALabelAndPressButtons) {
    INT_PTR r = runSample([&](HWND dialog) {
        SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
        pm::test::pressKey(dialog, 'N', false, false, true); // Alt+N: the edit after "&Name:"
        SetTimer(dialog, 1, 10, [](HWND h, UINT, UINT_PTR id, DWORD) {
            KillTimer(h, id);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), kNameEdit);
            pm::test::pressKey(h, 'A', false, false, true); // Alt+A: "&Apply"
        });
    });
    EXPECT_EQ(r, kApply);
}

TEST_F(Dialogs, InitDialogParamAndPointerSizedResults) {
    const INT_PTR big = static_cast<INT_PTR>(0x123456789ABCLL);
    INT_PTR r = runSample([&](HWND dialog) { EndDialog(dialog, big); }, 0x55AA);
    EXPECT_EQ(r, big);
    EXPECT_EQ(run.initParam, 0x55AA);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(Dialogs, DefaultIdCanBeChanged) {
    INT_PTR r = runSample([&](HWND dialog) {
        SendMessage(dialog, DM_SETDEFID, kApply, 0);
        EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(kApply, DC_HASDEFID));
        EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, kApply), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, IDOK), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
        pm::test::pressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(r, kApply);
}

TEST_F(Dialogs, ItemIntegersParseLikeWin32) {
    struct Case {
        const char* text;
        BOOL isSigned;
        BOOL ok;
        UINT value;
    } cases[] = {{"42", FALSE, TRUE, 42},
                 {"  17 ", FALSE, TRUE, 17},
                 {"-5", TRUE, TRUE, UINT(-5)},
                 {"-5", FALSE, FALSE, 0},
                 {"12a", FALSE, FALSE, 0},
                 {"", FALSE, FALSE, 0},
                 {"4294967295", FALSE, TRUE, 0xFFFFFFFFu},
                 {"4294967296", FALSE, FALSE, 0},
                 {"2147483648", TRUE, FALSE, 0},
                 {"-2147483648", TRUE, TRUE, 0x80000000u}};
    HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(100), owner, sampleProc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetDlgItemText(dialog, kNameEdit, c.text);
        BOOL ok = -1;
        EXPECT_EQ(GetDlgItemInt(dialog, kNameEdit, &ok, c.isSigned), c.value);
        EXPECT_EQ(ok, c.ok);
    }
    SetDlgItemInt(dialog, kNameEdit, static_cast<UINT>(-12), TRUE);
    char text[16];
    GetDlgItemText(dialog, kNameEdit, text, sizeof text);
    EXPECT_STREQ(text, "-12");
    DestroyWindow(dialog);
}

TEST_F(Dialogs, IndirectTemplatesInTheBinaryForm) {
    // Header, no menu, no class, caption "T", one item of the predefined class 0x0082 (STATIC
    // stand-in replaced by our label class name) with text "x".
    std::vector<WORD> words;
    auto dword = [&](DWORD d) {
        words.push_back(LOWORD(d));
        words.push_back(HIWORD(d));
    };
    dword(WS_POPUP | WS_CAPTION);
    dword(0);
    words.insert(words.end(), {1, 0, 0, 100, 50, 0, 0, 'T', 0});
    while (words.size() % 2)
        words.push_back(0);
    dword(kChild);
    dword(0);
    words.insert(words.end(), {5, 5, 40, 10, 77});
    for (char ch : std::string("PmFakeLabel"))
        words.push_back(static_cast<WORD>(ch));
    words.insert(words.end(), {0, 'x', 0, 0});
    HWND dialog =
        CreateDialogIndirect(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(words.data()), owner, sampleProc);
    ASSERT_TRUE(dialog);
    char text[8];
    GetWindowText(dialog, text, sizeof text);
    EXPECT_STREQ(text, "T");
    ASSERT_TRUE(GetDlgItem(dialog, 77));
    GetDlgItemText(dialog, 77, text, sizeof text);
    EXPECT_STREQ(text, "x");
    DestroyWindow(dialog);
}

TEST_F(Dialogs, MessageBoxHookAnswers) {
    std::string seenText, seenCaption;
    UINT seenType = 0;
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT type) {
            seenText = text;
            seenCaption = caption;
            seenType = type;
            return answer;
        });
        EXPECT_EQ(MessageBox(owner, "Save changes?", "Editor", MB_YESNOCANCEL | MB_ICONQUESTION), answer);
    }
    EXPECT_EQ(seenText, "Save changes?");
    EXPECT_EQ(seenCaption, "Editor");
    EXPECT_EQ(seenType, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST_F(Dialogs, MessageBoxKeysGiveTheMatchingResults) {
    struct Case {
        const char* name;
        UINT type;
        std::vector<int> keys;
        int result;
    } cases[] = {{"ok by escape", MB_OK | MB_ICONINFORMATION, {VK_ESCAPE}, IDOK},
                 {"cancel by escape", MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
                 {"default yes", MB_YESNO, {VK_RETURN}, IDYES},
                 {"second default", MB_YESNO | MB_DEFBUTTON2 | MB_ICONSTOP, {VK_RETURN}, IDNO},
                 {"escape ignored without cancel", MB_YESNO, {VK_ESCAPE, VK_RETURN}, IDYES},
                 {"retry", MB_RETRYCANCEL | MB_ICONEXCLAMATION, {VK_RETURN}, IDRETRY},
                 {"abort", MB_ABORTRETRYIGNORE, {VK_RETURN}, IDABORT},
                 {"okcancel second", MB_OKCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pm::setDialogHook([&](HWND box) {
            for (int k : c.keys)
                pm::test::pressKey(box, k);
        });
        EXPECT_EQ(MessageBox(owner, "A message for the user.", "Title", c.type), c.result);
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
}

TEST_F(Dialogs, MessageBoxIsSizedToItsText) {
    SIZE small{}, large{};
    for (auto [text, size] : {std::pair<const char*, SIZE*>{"Short.", &small},
                              {"A much longer message that needs a wider box than the short one.\nAnd a "
                               "second line.\nA third line.\nA fourth line.",
                               &large}}) {
        pm::setDialogHook([&, size = size](HWND box) {
            RECT r;
            GetWindowRect(box, &r);
            *size = SIZE{r.right - r.left, r.bottom - r.top};
            if (size == &large) {
                RedrawWindow(box, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                pm::test::saveWindowPng(box, pm::test::outputFolder() + "/dlg_message_box.png");
            }
            EndDialog(box, IDOK);
        });
        MessageBox(owner, text, "Sizes", MB_OK | MB_ICONINFORMATION);
    }
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);

    // A short message under a long title: the box is wide enough for the title and its close box.
    RECT caption{}, title{};
    pm::setDialogHook([&](HWND box) {
        RECT r;
        GetWindowRect(box, &r);
        caption = RECT{0, 0, r.right - r.left, 0};
        HDC dc = GetWindowDC(box);
        NONCLIENTMETRICS ncm{};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        HFONT font = CreateFontIndirect(&ncm.lfCaptionFont);
        HGDIOBJ old = SelectObject(dc, font);
        DrawTextA(dc, "A Rather Long Program Name", -1, &title, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(box, dc);
        EndDialog(box, IDOK);
    });
    MessageBox(owner, "Short.", "A Rather Long Program Name", MB_OK | MB_ICONINFORMATION);
    EXPECT_GE(caption.right, title.right + GetSystemMetrics(SM_CXSIZE)) << "the title is not cut short";
}

TEST_F(Dialogs, ControlDialogsNestInTheTabOrderAndCentredDialogsCentre) {
    pm::res::DialogTemplate page = sampleTemplate();
    page.style = DS_CONTROL | DS_SETFONT | WS_CHILD | WS_VISIBLE | WS_CAPTION;
    page.items.resize(2); // the label and the edit
    pm::res::addDialog(101, page);
    pm::res::DialogTemplate host = sampleTemplate();
    host.style |= DS_CENTER;
    host.items = {{"PmFakeButton", "OK", IDOK, 7, 100, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0}};
    pm::res::addDialog(102, host);
    HWND dialog = CreateDialog(nullptr, MAKEINTRESOURCE(102), owner, sampleProc);
    ASSERT_TRUE(dialog);
    HWND child = CreateDialog(nullptr, MAKEINTRESOURCE(101), dialog, sampleProc);
    ASSERT_TRUE(child);
    EXPECT_TRUE(IsChild(dialog, child));
    EXPECT_EQ(GetWindowLong(child, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLong(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
    HWND ok = GetDlgItem(dialog, IDOK);
    HWND edit = GetDlgItem(child, kNameEdit);
    EXPECT_EQ(GetNextDlgTabItem(dialog, ok, FALSE), edit);
    EXPECT_EQ(GetNextDlgTabItem(dialog, edit, FALSE), ok);
    RECT o, d;
    GetWindowRect(owner, &o);
    GetWindowRect(dialog, &d);
    EXPECT_LE(std::abs((o.left + o.right) - (d.left + d.right)), 1);
    EXPECT_LE(std::abs((o.top + o.bottom) - (d.top + d.bottom)), 1);
    DestroyWindow(dialog);
}
