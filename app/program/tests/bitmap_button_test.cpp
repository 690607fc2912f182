// The bitmap button: its configuration language read item by item, its picture in each state,
// and what it does when clicked, held, hovered and grouped.

#include "app/program/CBmpBtn.h"

#include "app/CIniFile.h"
#include "app/program/CToolsDlg.h"
#include "app/program/resource_ids.h"
#include "app/program/resources.h"
#include "app/program/tool_commands.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"
#include "platform/win/shell/shell.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kToolsButton[] = "L:1~O:0~U:<RARROW~P:<RARROWP~";

TEST(BmpBtnConfig, ItemsOneByOne) {
    const BmpBtnConfig plain = ParseBmpBtnConfig("OK");
    EXPECT_EQ(plain.caption, "OK") << "a text without a colon is the caption";
    EXPECT_EQ(plain.kind, 'P');
    EXPECT_EQ(plain.look.fields, BmpBtnLook{}.fields) << "and every default";
    EXPECT_EQ(plain.look[kFaceColour], static_cast<int>(RGB(192, 192, 192)));
    EXPECT_EQ(plain.look[kBlackFrame], 1);

    EXPECT_EQ(ParseBmpBtnConfig("W:R255G0B0").look[kFaceColour], static_cast<int>(RGB(255, 0, 0)));
    EXPECT_EQ(ParseBmpBtnConfig("W:9").look[kFaceColour], static_cast<int>(RGB(255, 0, 0)));
    EXPECT_EQ(ParseBmpBtnConfig("U:<ONE~U:<TWO").upImage, "<TWO") << "a second U replaces the first";

    const BmpBtnConfig tools = ParseBmpBtnConfig(kToolsButton);
    EXPECT_EQ(tools.upImage, "<RARROW");
    EXPECT_EQ(tools.otherImage, "<RARROWP");
    EXPECT_EQ(tools.look[kOuterBevel], 1);
    EXPECT_EQ(tools.look[kBlackFrame], 0);
    EXPECT_EQ(tools.caption, "");

    const BmpBtnConfig doubled = ParseBmpBtnConfig("S:D1213");
    EXPECT_EQ(doubled.frameStyle, 'D');
    EXPECT_EQ(doubled.look[kOuterBevel], 1);
    EXPECT_EQ(doubled.look[kBevelGap], 2);
    EXPECT_EQ(doubled.look[kInnerBevel], 1);
    EXPECT_EQ(doubled.look[kBlackFrame], 3);

    const BmpBtnConfig repeat = ParseBmpBtnConfig("T:Sx4");
    EXPECT_EQ(repeat.kind, 'S');
    EXPECT_EQ(repeat.upImage, "=sx");
    EXPECT_EQ(repeat.downImage, "=sxH");
    EXPECT_EQ(repeat.otherImage, "=sxD");
    EXPECT_EQ(repeat.repeatDigit, '4');

    const BmpBtnConfig several = ParseBmpBtnConfig("C:Go~J:L~B:R~N:1~R:<HOT~u:Hand~w:click~o:3~d:9~F:d");
    EXPECT_EQ(several.caption, "Go");
    EXPECT_EQ(several.textAlign, 'L');
    EXPECT_EQ(several.imageAlign, 'R');
    EXPECT_EQ(several.tile, '1');
    EXPECT_EQ(several.hoverImage, "<HOT");
    EXPECT_EQ(several.cursor, "Hand");
    EXPECT_EQ(several.sound, "click.wav");
    EXPECT_EQ(several.look[kShadowX], 3);
    EXPECT_EQ(several.look[kShadowY], 3);
    EXPECT_EQ(several.look.disabledText, "9");
    EXPECT_EQ(several.font, "-11,0,0,Arial");
}

TEST(BmpBtnConfig, FieldsSchemesAndPresets) {
    const BmpBtnConfig fields = ParseBmpBtnConfig("f:0#C~f:5#E~f:8#4~f:13#12~f:15#ABCDEFGHIJ~f:20#1~f:7");
    EXPECT_EQ(fields.look[kFaceColour], static_cast<int>(RGB(0, 0, 255)));
    EXPECT_EQ(fields.look[kTextColour], static_cast<int>(RGB(0, 255, 255)))
        << "one character: a colour digit";
    EXPECT_EQ(ParseBmpBtnConfig("f:5#255").look[kTextColour], 255) << "longer: a number";
    EXPECT_EQ(fields.look[kTextShadowColour], static_cast<int>(RGB(0, 0, 128)));
    EXPECT_EQ(fields.look[kBevelGap], 12);
    EXPECT_EQ(fields.look.disabledText, "ABCDEFG") << "field 15 holds 7 characters";

    pm::res::addString(900, "C7F800,2,3,9,0,1,4,5,6,0");
    const BmpBtnConfig scheme = ParseBmpBtnConfig("c:900");
    EXPECT_EQ(scheme.look[kFaceColour], static_cast<int>(RGB(0, 0, 255)));
    EXPECT_EQ(scheme.look[kOuterHighlight], static_cast<int>(RGB(192, 192, 192)));
    EXPECT_EQ(scheme.look[kOuterShadow], static_cast<int>(RGB(255, 255, 255))) << "F is no digit: white";
    EXPECT_EQ(scheme.look[kTextColour], 0);
    EXPECT_EQ(scheme.look[kTextX], 2);
    EXPECT_EQ(scheme.look[kTextY], 3);
    EXPECT_EQ(scheme.look[kTextShadowColour], static_cast<int>(RGB(255, 0, 0)));
    EXPECT_EQ(scheme.look[kOuterBevel], 4);
    EXPECT_EQ(scheme.look[kBlackFrame], 0);
    pm::res::addString(901, "7");
    EXPECT_EQ(ParseBmpBtnConfig("c:901").look[kOuterShadow], static_cast<int>(RGB(128, 128, 128)))
        << "a scheme cut short keeps the rest";

    const BmpBtnConfig check = ParseBmpBtnConfig("s:T");
    EXPECT_EQ(check.kind, 'C');
    EXPECT_EQ(check.downImage, "=F");
    EXPECT_EQ(check.look[kTextX], 19);
    EXPECT_EQ(check.look[kOuterBevel], 0);
    EXPECT_EQ(check.textAlign, 'L');
    EXPECT_EQ(ParseBmpBtnConfig("s:R").upImage, "=U");
    const BmpBtnConfig group = ParseBmpBtnConfig("s:B");
    EXPECT_EQ(group.frameStyle, 'R');
    EXPECT_EQ(group.textAlign, 'G');
    EXPECT_EQ(group.look.disabledText, "C");
    const BmpBtnConfig flat = ParseBmpBtnConfig("s:V");
    EXPECT_EQ(flat.frameStyle, 'D');
    EXPECT_EQ(flat.look[kInnerBevel], 1);
    EXPECT_EQ(flat.look[kBlackFrame], 0);
    EXPECT_EQ(ParseBmpBtnConfig("s:H").tile, '1');
}

TEST(BmpBtnConfig, ItemsCutShortKeepTheDefaultsAndTheTextStopsAt255) {
    const BmpBtnConfig frame = ParseBmpBtnConfig("S:D3");
    EXPECT_EQ(frame.look[kOuterBevel], 3);
    EXPECT_EQ(frame.look[kBevelGap], 6);
    EXPECT_EQ(frame.look[kBlackFrame], 1);
    const BmpBtnConfig repeat = ParseBmpBtnConfig("U:<UP~T:S");
    EXPECT_EQ(repeat.kind, 'S');
    EXPECT_EQ(repeat.upImage, "<UP");
    EXPECT_EQ(repeat.repeatDigit, '1');
    EXPECT_EQ(ParseBmpBtnConfig("L:~O:~d:~:x~W:").look[kOuterBevel], 2);

    const std::string padded = "C:" + std::string(260, 'x') + "~U:<LATE";
    const BmpBtnConfig cut = ParseBmpBtnConfig(padded);
    EXPECT_EQ(cut.caption.size(), 253u);
    EXPECT_EQ(cut.upImage, "") << "an item past the 255th character is not read";

    LOGFONT lf = BmpBtnFont("14,1,1,Times New Roman");
    EXPECT_EQ(lf.lfHeight, 14);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
    lf = BmpBtnFont("16,0,0,Arial");
    EXPECT_EQ(lf.lfWeight, FW_DONTCARE);
    EXPECT_FALSE(lf.lfItalic);
}

// A window that holds bitmap buttons and records the commands they send.
class ButtonParent : public CWnd {
public:
    std::vector<std::pair<UINT, UINT>> commands; // id, code
    std::function<void(UINT, UINT)> onCommand;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        // The framework's handling first: it lets the button see its own notification.
        CWnd::OnCommand(wParam, lParam);
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (onCommand) onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
};

class BitmapButtons : public ::testing::Test {
protected:
    void SetUp() override {
        DeclareEditorResources();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)),
                                    "buttons", WS_POPUP | WS_VISIBLE, 100, 100, 420, 120, nullptr, nullptr));
    }
    void TearDown() override {
        buttons.clear();
        parent.DestroyWindow();
        pm::afxtest::pump();
    }
    CBmpBtn& add(const char* text, UINT id, int x, int y, int cx = 30, int cy = 20, DWORD style = 0) {
        buttons.push_back(std::make_unique<CBmpBtn>());
        EXPECT_TRUE(buttons.back()->Create(text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | style,
                                           CRect(x, y, x + cx, y + cy), &parent, id));
        buttons.back()->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
        return *buttons.back();
    }
    // The button's pixel at (x, y) of its client area, as painted.
    COLORREF pixel(CBmpBtn& button, int x, int y) {
        button.UpdateWindow();
        HDC dc = ::GetDC(button.m_hWnd);
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(button.m_hWnd, dc);
        return c;
    }
    int count(CBmpBtn& button, COLORREF colour) {
        button.UpdateWindow();
        CRect rc;
        button.GetClientRect(&rc);
        HDC dc = ::GetDC(button.m_hWnd);
        int n = 0;
        for (int y = 0; y < rc.bottom; ++y)
            for (int x = 0; x < rc.right; ++x)
                n += ::GetPixel(dc, x, y) == colour;
        ::ReleaseDC(button.m_hWnd, dc);
        return n;
    }
    void click(CBmpBtn& button) {
        pm::afxtest::click(button.m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
    }

    ButtonParent parent;
    std::vector<std::unique_ptr<CBmpBtn>> buttons;
};

} // namespace

TEST_F(BitmapButtons, TheToolsArrowUpPressedAndDisabled) {
    CBmpBtn& up = add(kToolsButton, 1, 5, 5);
    CBmpBtn& pressed = add(kToolsButton, 2, 40, 5);
    CBmpBtn& off = add(kToolsButton, 3, 75, 5);
    add("C:Caption", 4, 110, 5, 70, 24);
    CBmpBtn& checked = add("s:C~C:Checked~L:1~O:0", 5, 185, 5, 70, 24);
    add("C:Double~S:D2111~W:B", 6, 260, 5, 70, 24);
    add("C:Group~s:G", 7, 335, 5, 70, 40);
    CBmpBtn& tiled = add("C:Tiled~s:H", 8, 110, 40, 70, 24);
    add("C:Two\nlines~J:R~L:0~O:0~o:0", 9, 185, 40, 70, 30);
    pressed.SetState(TRUE);
    off.EnableWindow(FALSE);
    tiled.EnableWindow(FALSE);
    checked.SetButtonState('C');
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(parent.m_hWnd, "penmere_bitmap_button_states"));

    EXPECT_EQ(pixel(up, 0, 0), RGB(255, 255, 255)) << "a bevel of one pixel: light at the top left";
    EXPECT_EQ(pixel(up, 29, 19), RGB(128, 128, 128)) << "no black frame: the face reaches the edges";
    EXPECT_GT(count(up, RGB(0, 0, 0)), 20) << "the black arrow";
    EXPECT_EQ(pixel(pressed, 0, 0), RGB(128, 128, 128))
        << "pressed: the light edge takes the shadow's colour";
    EXPECT_EQ(pixel(pressed, 29, 19), RGB(192, 192, 192)) << "and the dark edge the face's";
    EXPECT_EQ(count(off, RGB(0, 0, 0)), 0) << "disabled: the other image, grey";
    EXPECT_GT(count(off, RGB(128, 128, 128)), 20);
    EXPECT_EQ(pixel(buttons[3].operator*(), 69, 23), RGB(0, 0, 0)) << "the default black frame";
    EXPECT_EQ(pixel(checked, 0, 0), pixel(pressed, 0, 0)) << "a checked check button looks pressed";
    EXPECT_GT(count(tiled, RGB(128, 128, 128)), 100) << "the hatch tiled over the face";
}

TEST_F(BitmapButtons, CheckToggledAndRadioClearsItsGroupOnly) {
    CBmpBtn& check = add("s:C~C:Check", 20, 5, 5, 60);
    click(check);
    EXPECT_EQ(check.GetButtonState(), 'C');
    click(check);
    EXPECT_EQ(check.GetButtonState(), 'U');

    CBmpBtn& first = add("s:R", 30, 5, 30, 20, 20, WS_GROUP);
    CBmpBtn& second = add("s:R", 31, 30, 30);
    CBmpBtn& third = add("s:R", 32, 65, 30);
    CBmpBtn& nextGroup = add("s:R", 33, 100, 30, 20, 20, WS_GROUP);
    CBmpBtn& nextOther = add("s:R", 34, 125, 30);
    CButton plain;
    ASSERT_TRUE(
        plain.Create("x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(160, 30, 180, 50), &parent, 35));
    CBmpBtn& beyond = add("s:R", 36, 185, 30);
    for (CBmpBtn* b : {&first, &second, &third, &nextGroup, &nextOther, &beyond})
        b->SetButtonState('C');
    second.SetButtonState('U');
    click(second);
    EXPECT_EQ(second.GetButtonState(), 'C');
    EXPECT_EQ(first.GetButtonState(), 'U') << "the group's first item";
    EXPECT_EQ(third.GetButtonState(), 'U');
    EXPECT_EQ(nextGroup.GetButtonState(), 'C') << "the next group is left alone";
    EXPECT_EQ(nextOther.GetButtonState(), 'C');
    nextOther.SetButtonState('U');
    click(nextOther);
    EXPECT_EQ(nextGroup.GetButtonState(), 'U');
    EXPECT_EQ(third.GetButtonState(), 'U');
    EXPECT_EQ(beyond.GetButtonState(), 'C') << "the search stops at an item that is no bitmap button";
    const std::pair<UINT, UINT> clicked{31, BN_CLICKED};
    EXPECT_NE(std::find(parent.commands.begin(), parent.commands.end(), clicked), parent.commands.end())
        << "the parent hears of the click as well";
}

TEST_F(BitmapButtons, HeldAutoRepeatButtonNotifiesAtOnceAndAtEachInterval) {
    CBmpBtn& repeat = add("T:Sx3~C:+", 40, 5, 5);
    int repeats = 0;
    parent.onCommand = [&](UINT id, UINT code) {
        if (id != 40 || code != 5) return;
        ++repeats;
        if (repeats < 3)
            pm::test::advanceClock(300);
        else
            pm::test::releaseMouse(repeat.m_hWnd, POINT{5, 5});
    };
    pm::test::pressMouse(repeat.m_hWnd, POINT{5, 5});
    pm::afxtest::pump();
    EXPECT_EQ(repeats, 3) << "at once, then after each 300 ms held";
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(parent.commands.back(), std::make_pair(40u, static_cast<UINT>(BN_CLICKED)));
}

TEST_F(BitmapButtons, HoverCursorHoverImageAndClickSound) {
    CBmpBtn& pointed = add("u:Hand~C:Go", 50, 5, 5);
    pointed.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pointed.m_hWnd),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(AfxGetResourceHandle(), "Hand"));
    EXPECT_EQ(parent.commands.back(), std::make_pair(50u + 1024u, 0u));

    CBmpBtn& push = add("C:Push", 51, 40, 5);
    push.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(push.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(parent.commands.back(), std::make_pair(51u, 5u)) << "a push button without a cursor";

    CBmpBtn& hover = add("U:<RARROW~R:<RARROWP~O:0", 52, 75, 5);
    EXPECT_GT(count(hover, RGB(0, 0, 0)), 20);
    hover.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hover.m_hWnd),
                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    pm::afxtest::pump();
    EXPECT_EQ(count(hover, RGB(0, 0, 0)), 0) << "the hover image while the mouse rests on it";
    EXPECT_EQ(::GetCapture(), hover.m_hWnd) << "the button follows the mouse";
    pm::test::moveMouse(hover.m_hWnd, POINT{200, 5});
    pm::afxtest::pump();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_GT(count(hover, RGB(0, 0, 0)), 20) << "the mouse left: the up image again";

    pm::takePlayedSounds();
    CBmpBtn& loud = add("C:Loud~w:/no/such/click", 53, 110, 5);
    click(loud);
    const std::vector<pm::PlayedSound> played = pm::takePlayedSounds();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].file, "/no/such/click.wav");
    EXPECT_EQ(played[0].flags, static_cast<DWORD>(SND_ASYNC | SND_NODEFAULT | SND_FILENAME));
}

TEST_F(BitmapButtons, TheToolsDialogsMacroButtonShowsItsArrowWhileEditing) {
    CIniFile settings;
    SaveToolNames(settings, {"Lint"});
    int browsingInk = -1, editingInk = -1;
    bool isBitmapButton = false;
    pm::setDialogHook([&](HWND d) {
        HWND macro = ::GetDlgItem(d, IDC_TOOL_MACRO);
        auto* button = dynamic_cast<CBmpBtn*>(CWnd::FromHandlePermanent(macro));
        isBitmapButton = button != nullptr;
        if (!button) return;
        browsingInk = count(*button, RGB(0, 0, 0));
        HWND list = ::GetDlgItem(d, IDC_TOOL_LIST);
        ::SendMessage(list, LB_SETCURSEL, 0, 0);
        ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_TOOL_LIST, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list));
        ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_TOOL_EDIT, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(d, IDC_TOOL_EDIT)));
        pm::afxtest::pump();
        editingInk = count(*button, RGB(0, 0, 0));
        pm::afxtest::savePng(d, "penmere_tools_dialog_editing");
        ::EndDialog(d, IDCANCEL);
    });
    CToolsDlg dlg(settings);
    dlg.DoModal();
    pm::setDialogHook(nullptr);
    EXPECT_TRUE(isBitmapButton);
    EXPECT_EQ(browsingInk, 0) << "browsing: the button is off and its arrow grey";
    EXPECT_GT(editingInk, 20) << "editing: the black arrow";
}
