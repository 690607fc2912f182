// The edit control's settings: profile values read and written (colours in any C integer base,
// the font, a broken profile that keeps the defaults), the round trip through the profile, and
// the options dialog driven like a user: tab width checked, Keyword Case following Syntax
// Coloring, Cancel changing nothing, and OK restyling every open control.

#include "editor/CHHEditCtrl.h"
#include "editor/CHHEditOptionsDlg.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/HHEditSettings.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

TEST(SettingsValues, ColourValuesInAnyBase) {
    struct Case {
        const char* value;
        bool read;
        COLORREF colour;
        BOOL bold, italic;
    } cases[] = {
        {"255,1", true, RGB(255, 0, 0), TRUE, FALSE}, {"0x00FF0000,0,1", true, RGB(0, 0, 255), FALSE, TRUE},
        {"010,0x1,0", true, 8, TRUE, FALSE},          {"12345", false, RGB(1, 2, 3), TRUE, TRUE},
        {"", false, RGB(1, 2, 3), TRUE, TRUE},
    };
    for (const Case& c : cases) {
        hh::ColorEntry entry{RGB(1, 2, 3), TRUE, TRUE};
        EXPECT_EQ(hh::ParseColorValue(c.value, entry), c.read) << c.value;
        EXPECT_EQ(entry.colour, c.colour) << c.value;
        EXPECT_EQ(entry.bold, c.bold) << c.value;
        EXPECT_EQ(entry.italic, c.italic) << c.value;
    }
    EXPECT_EQ(hh::FormatColorValue({RGB(0, 128, 0), TRUE, FALSE}), "0x00008000,1,0");
}

TEST(SettingsValues, FontValuesDescriptionsAndNearestColours) {
    std::string face;
    int height = 0;
    EXPECT_TRUE(hh::ParseFontValue("Lucida Console,-16", face, height));
    EXPECT_EQ(face, "Lucida Console");
    EXPECT_EQ(height, -16);
    EXPECT_FALSE(hh::ParseFontValue(",-16", face, height))
        << "a value beginning with its comma names no font";
    EXPECT_FALSE(hh::ParseFontValue("Courier New", face, height));
    EXPECT_EQ(hh::FontDescription("Courier New", -13, 96), "Courier New, 10 pt");
    EXPECT_EQ(hh::FontDescription("Courier New", -16, 96), "Courier New, 12 pt");

    // The system's default palette: its 20 colours, in order.
    const std::vector<COLORREF> palette = hh::DefaultPaletteColors();
    ASSERT_EQ(palette.size(), 20u);
    EXPECT_EQ(palette.front(), RGB(0, 0, 0));
    EXPECT_EQ(palette[8], RGB(192, 220, 192));
    EXPECT_EQ(palette.back(), RGB(255, 255, 255));
    EXPECT_EQ(palette[hh::NearestColorIndex(palette.data(), 20, RGB(250, 5, 5))], RGB(255, 0, 0));
    EXPECT_EQ(palette[hh::NearestColorIndex(palette.data(), 20, RGB(0, 0, 128))], RGB(0, 0, 128));
    // Black and the grey halfway: the first nearest wins.
    const COLORREF two[] = {RGB(0, 0, 0), RGB(2, 2, 2)};
    EXPECT_EQ(hh::NearestColorIndex(two, 2, RGB(1, 1, 1)), 0);
    EXPECT_EQ(hh::NearestColorIndex(two, 0, RGB(1, 1, 1)), -1);
}

class CSettingsApp : public CWinApp {
public:
    CSettingsApp() : CWinApp("Settings Test") {}
};

// Edit controls in a frame, with an application whose profile is a fresh registry key.
class EditSettings : public ::testing::Test {
protected:
    void SetUp() override {
        app.InitApplication();
        // A key of its own for each test: the test registry outlives the run.
        static int serial = 0;
        app.SetRegistryKey(
            ("Editor Settings " + std::to_string(::getpid()) + "-" + std::to_string(++serial)).c_str());
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Editor", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 420)));
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        pm::setMessageBoxHook(nullptr);
        pm::setDialogHook(nullptr);
        pm::setCommonDialogHook(nullptr);
        controls.clear();
        frame->DestroyWindow();
        pm::afxtest::pump();
    }
    CHHEditCtrl* addControl(BOOL loadSettings, const char* text = "var x = 1; // note") {
        auto control = std::make_unique<CHHEditCtrl>();
        const int top = static_cast<int>(controls.size()) * 190;
        EXPECT_TRUE(control->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_NOHIDESEL,
                                    CRect(0, top, 620, top + 180), frame,
                                    100 + static_cast<UINT>(controls.size())));
        control->SetFormater(&js);
        control->InitControl(loadSettings);
        control->SetText(text);
        controls.push_back(std::move(control));
        pm::afxtest::pump();
        return controls.back().get();
    }
    std::string profile(const char* key) {
        return std::string(app.GetProfileString("ScriptEditor", key, "<none>"));
    }
    static CHARFORMAT formatAt(CHHEditCtrl* control, long pos) {
        CHARRANGE saved{};
        control->GetSel(saved);
        control->SetSel(pos, pos + 1);
        CHARFORMAT cf{};
        control->GetSelectionCharFormat(cf);
        control->SetSel(saved);
        return cf;
    }

    CSettingsApp app;
    CFrameWnd* frame = nullptr;
    CHHJScriptFormater js;
    std::vector<std::unique_ptr<CHHEditCtrl>> controls;
    std::vector<std::string> boxes;
};

} // namespace

TEST_F(EditSettings, AnEmptyProfileGivesTheDefaultsAndSavingWritesTheMarkerAndEveryKey) {
    CHHEditCtrl* edit = addControl(TRUE);
    EXPECT_FALSE(edit->LoadSettings(nullptr));
    EXPECT_EQ(edit->GetTabSize(), 4);
    EXPECT_EQ(edit->GetColorTable()[1].colour, RGB(0, 0, 255));
    edit->SaveSettings(nullptr);
    EXPECT_EQ(profile(""), "1");
    EXPECT_EQ(profile("Font"), "Courier New,-13");
    EXPECT_EQ(app.GetProfileInt("ScriptEditor", "TabSize", 0), 4u);
    for (const char* key : {"Autoindent", "KeywordCase", "SyntaxColoring"})
        EXPECT_EQ(app.GetProfileInt("ScriptEditor", key, 7), 1u) << key;
    EXPECT_EQ(profile("Color0"), "0x00000000,0,0");
    EXPECT_EQ(profile("Color2"), "0x00008000,0,0");
    EXPECT_EQ(profile("Color5"), "0x00000000,1,0");
    EXPECT_EQ(profile("Color9"), "0x00800000,0,0");
}

TEST_F(EditSettings, StoredSettingsComeBackInANewControl) {
    app.WriteProfileString("ScriptEditor", "", "1");
    app.WriteProfileString("ScriptEditor", "Font", "DejaVu Sans Mono,-16");
    app.WriteProfileInt("ScriptEditor", "TabSize", 8);
    app.WriteProfileInt("ScriptEditor", "KeywordCase", 0);
    app.WriteProfileString("ScriptEditor", "Color1", "255,1");
    app.WriteProfileString("ScriptEditor", "Color2", "no comma");
    CHHEditCtrl* edit = addControl(TRUE);
    EXPECT_EQ(edit->GetTabSize(), 8);
    EXPECT_FALSE(edit->GetKeywordCase());
    EXPECT_EQ(edit->GetColorTable()[1].colour, RGB(255, 0, 0));
    EXPECT_TRUE(edit->GetColorTable()[1].bold);
    EXPECT_EQ(edit->GetColorTable()[2].colour, RGB(0, 128, 0)) << "a value without a comma keeps the default";
    const CHARFORMAT keyword = formatAt(edit, 0);
    EXPECT_EQ(keyword.crTextColor, RGB(255, 0, 0));
    EXPECT_TRUE(keyword.dwEffects & CFE_BOLD);
    EXPECT_STREQ(keyword.szFaceName, "DejaVu Sans Mono");

    edit->SaveSettings(nullptr);
    EXPECT_EQ(profile("Font"), "DejaVu Sans Mono,-16");
    EXPECT_EQ(profile("Color1"), "0x000000ff,1,0");
}

TEST_F(EditSettings, AMarkedProfileKeepsAWorkingFontAndTakesTabSizesFromZeroToTwenty) {
    // A marker alone keeps the defaults; a stored tab size outside 0 to 20 is ignored.
    struct Case {
        const char* stored;
        int tabSize;
    } cases[] = {{"", 4}, {"0", 0}, {"20", 20}, {"21", 4}, {"-1", 4}};
    for (const Case& c : cases) {
        const std::string section = std::string("Tabs ") + c.stored;
        app.WriteProfileString(section.c_str(), "", "1");
        if (*c.stored) app.WriteProfileInt(section.c_str(), "TabSize", std::stoi(c.stored));
        app.WriteProfileString(section.c_str(), "Font", ",-20");
        CHHEditCtrl* edit = addControl(FALSE);
        EXPECT_TRUE(edit->LoadSettings(section.c_str()));
        EXPECT_EQ(edit->GetTabSize(), c.tabSize) << "stored tab size '" << c.stored << "'";
        EXPECT_STREQ(formatAt(edit, 0).szFaceName, "Courier New");
        // A Tab still types and counts its tab size in the caret's column.
        edit->SetFocus();
        pm::afxtest::typeText(edit->m_hWnd, "\tx");
        EXPECT_EQ(edit->GetCaretLineCol().x, c.tabSize + 2) << c.stored;
    }
}

namespace {

void click(HWND dialog, int id) {
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void selectListItem(HWND dialog, int id, int item, UINT notify, UINT select) {
    ::SendDlgItemMessageA(dialog, id, select, static_cast<WPARAM>(item), 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, notify),
                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

int paletteIndex(COLORREF colour) {
    const std::vector<COLORREF> palette = hh::DefaultPaletteColors();
    for (std::size_t i = 0; i < palette.size(); ++i)
        if (palette[i] == colour) return static_cast<int>(i);
    return -1;
}

} // namespace

TEST_F(EditSettings, TheOptionsDialogRestylesEveryOpenControlAndSavesTheSettings) {
    CHHEditCtrl* first = addControl(FALSE);
    CHHEditCtrl* second = addControl(FALSE, "function f() { return 2; }");
    pm::setCommonDialogHook([](const pm::CommonDialogRequest& request) {
        pm::CommonDialogAnswer answer;
        EXPECT_TRUE(request.fixedPitchOnly);
        answer.accepted = true;
        answer.font = request.font;
        std::snprintf(answer.font.lfFaceName, sizeof(answer.font.lfFaceName), "DejaVu Sans Mono");
        answer.font.lfHeight = -16;
        return answer;
    });
    bool shown = false;
    pm::setDialogHook([&](HWND dialog) {
        shown = true;
        char text[64] = {};
        ::GetDlgItemTextA(dialog, IDC_HHEDIT_FONTDESC, text, sizeof(text));
        EXPECT_STREQ(text, "Courier New, 10 pt");
        EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_HHEDIT_CLASSES, LB_GETCOUNT, 0, 0), 11);
        // Keywords: blue now; made red and bold.
        selectListItem(dialog, IDC_HHEDIT_CLASSES, 1, LBN_SELCHANGE, LB_SETCURSEL);
        EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_HHEDIT_COLOR, CB_GETCURSEL, 0, 0),
                  paletteIndex(RGB(0, 0, 255)));
        selectListItem(dialog, IDC_HHEDIT_COLOR, paletteIndex(RGB(255, 0, 0)), CBN_SELCHANGE, CB_SETCURSEL);
        ::CheckDlgButton(dialog, IDC_HHEDIT_BOLD, BST_CHECKED);
        click(dialog, IDC_HHEDIT_BOLD);
        // The class without an entry of its own offers nothing to change.
        selectListItem(dialog, IDC_HHEDIT_CLASSES, 10, LBN_SELCHANGE, LB_SETCURSEL);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_HHEDIT_COLOR)));
        selectListItem(dialog, IDC_HHEDIT_CLASSES, 1, LBN_SELCHANGE, LB_SETCURSEL);
        click(dialog, IDC_HHEDIT_FONT);
        ::GetDlgItemTextA(dialog, IDC_HHEDIT_FONTDESC, text, sizeof(text));
        EXPECT_STREQ(text, "DejaVu Sans Mono, 12 pt");
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pm::afxtest::savePng(dialog, "edit_options_dialog");
        ::SetDlgItemTextA(dialog, IDC_HHEDIT_TABWIDTH, "6");
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    first->SendMessage(WM_COMMAND, ID_HHEDIT_OPTIONS);
    pm::afxtest::pump();
    ASSERT_TRUE(shown);
    for (CHHEditCtrl* edit : {first, second}) {
        const CHARFORMAT keyword = formatAt(edit, 0);
        EXPECT_EQ(keyword.crTextColor, RGB(255, 0, 0));
        EXPECT_TRUE(keyword.dwEffects & CFE_BOLD);
        EXPECT_STREQ(keyword.szFaceName, "DejaVu Sans Mono");
        EXPECT_EQ(edit->GetTabSize(), 6);
    }
    EXPECT_EQ(profile("Color1"), "0x000000ff,1,0");
    EXPECT_EQ(profile("Font"), "DejaVu Sans Mono,-16");
    EXPECT_EQ(app.GetProfileInt("ScriptEditor", "TabSize", 0), 6u);
}

TEST_F(EditSettings, TheOptionsDialogRefusesABadTabWidthAndCancelChangesNothing) {
    CHHEditCtrl* edit = addControl(FALSE);
    pm::setDialogHook([&](HWND dialog) {
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_HHEDIT_KEYWORDCASE)));
        ::CheckDlgButton(dialog, IDC_HHEDIT_SYNTAXCOLORING, BST_UNCHECKED);
        click(dialog, IDC_HHEDIT_SYNTAXCOLORING);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_HHEDIT_KEYWORDCASE)));
        for (const char* width : {"0", "21"}) {
            ::SetDlgItemTextA(dialog, IDC_HHEDIT_TABWIDTH, width);
            ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(::IsWindow(dialog)) << width;
        }
        selectListItem(dialog, IDC_HHEDIT_CLASSES, 1, LBN_SELCHANGE, LB_SETCURSEL);
        selectListItem(dialog, IDC_HHEDIT_COLOR, paletteIndex(RGB(255, 0, 0)), CBN_SELCHANGE, CB_SETCURSEL);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(edit->DoOptionsDialog());
    EXPECT_EQ(boxes, (std::vector<std::string>{"Please enter an integer between 1 and 20.",
                                               "Please enter an integer between 1 and 20."}));
    EXPECT_EQ(formatAt(edit, 0).crTextColor, RGB(0, 0, 255));
    EXPECT_TRUE(edit->GetSyntaxColoring());
    EXPECT_EQ(profile(""), "<none>");
}
