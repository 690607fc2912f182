// The sizeable tool bar in the docking test program: its control fills the bar and wraps its
// buttons docked, floating and after a resize; a press between the buttons drags the bar; the tips,
// status-bar prompts and the Customize dialog's list come from the commands' strings.

#include "docking/CDKSizeToolBar.h"
#include "docking/tests/support/bar_frame.h"
#include "docking/tests/support/dock_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace docktest;

namespace {

constexpr UINT kBarId = 0xE850;
constexpr int kButtons = 8;
constexpr int kSeparator = 4; // the index of the separator after the fourth button
// The bar's buttons are 0x8101 to 0x8108; 0x8109 is offered with a string without a line feed
// and 0x810A with none at all.
const UINT kAvailable[] = {0x8101, 0x8102, 0x8103, 0x8104, 0x8105, 0x8106, 0x8107, 0x8108, 0x8109, 0x810A};

void AddCommandStrings() {
    pm::res::addStrings({{0x8101, "Opens a document\nOpen"},
                         {0x8102, "Saves the document\nSave"},
                         {0x8103, "Cuts the selection\nCut"},
                         {0x8104, "Copies the selection\nCopy"},
                         {0x8105, "Pastes the clipboard\nPaste"},
                         {0x8106, "Finds text\nFind"},
                         {0x8107, "Prints the document\nPrint"},
                         {0x8108, "Shows help\nHelp"},
                         {0x8109, "A prompt without a tip"}});
    pm::res::addString(0x810B, "Long\n" + std::string(100, 'x'));
}

class SizeToolBar : public ::testing::Test {
protected:
    void SetUp() override {
        AddCommandStrings();
        StartProgram(app);
        frame = app.Frame();
        ASSERT_TRUE(
            bar.Create(frame, "Tools", kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 300, 60)));
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        CToolBarCtrl& tools = bar.GetToolBarCtrl();
        tools.SetButtonStructSize(sizeof(TBBUTTON));
        images = pm::afxtest::makeButtonImages(kButtons); // the tool bar uses it, the test owns it
        TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(images)};
        tools.SendMessage(TB_ADDBITMAP, kButtons, reinterpret_cast<LPARAM>(&bitmap));
        std::vector<TBBUTTON> buttons;
        for (int i = 0; i < kButtons; ++i) {
            buttons.push_back(
                {i, static_cast<int>(kAvailable[i]), TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1});
            if (i == 3) buttons.push_back({6, 0, 0, TBSTYLE_SEP, {}, 0, -1});
        }
        tools.SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        bar.m_szHorz = CSize(500, 60);
        bar.m_szVert = CSize(60, 300);
        frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        pm::afxtest::pump();
    }
    void TearDown() override {
        EndProgram(app);
        ::DeleteObject(images);
    }

    CRect ToolsRect() { return WindowRect(&bar.GetToolBarCtrl()); }
    CRect BarClientRect() {
        CRect client;
        bar.GetClientRect(&client);
        bar.ClientToScreen(&client);
        return client;
    }
    // The rows the buttons sit in, told by their tops.
    size_t Rows() {
        std::set<int> tops;
        for (int i = 0; i < kButtons + 1; ++i) {
            CRect r;
            bar.GetToolBarCtrl().SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            tops.insert(r.top);
        }
        return tops.size();
    }
    // Every button (not the separator, which may end a row) lies inside the control.
    void ExpectButtonsInside() {
        CRect client;
        bar.GetToolBarCtrl().GetClientRect(&client);
        for (int i = 0; i < kButtons + 1; ++i) {
            if (i == kSeparator) continue;
            CRect r;
            bar.GetToolBarCtrl().SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            EXPECT_LE(r.right, client.right) << "button " << i;
        }
    }
    CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame->GetControlBar(id)); }

    CFixtureApp app;
    CFixtureFrame* frame = nullptr;
    HBITMAP images = nullptr;
    CDKSizeToolBar bar{kAvailable, static_cast<int>(std::size(kAvailable))};
};

} // namespace

TEST(SizeToolBarStyle, AdjustableOnlyWithAvailableCommands) {
    const UINT one = 0x8101;
    EXPECT_EQ(CDKSizeToolBar().ToolBarStyle(), 0x5000034Cu);
    EXPECT_EQ(CDKSizeToolBar(&one, 1).ToolBarStyle(), 0x5000036Cu);
    EXPECT_EQ(CDKSizeToolBar(&one, 0).ToolBarStyle(), 0x5000034Cu);
}

TEST_F(SizeToolBar, ControlFillsTheBarAndWrapsDockedFloatingAndResized) {
    CToolBarCtrl& tools = bar.GetToolBarCtrl();
    EXPECT_EQ(tools.GetDlgCtrlID(), CDKSizeToolBar::IDC_TOOLBAR);
    EXPECT_EQ(static_cast<DWORD>(tools.GetStyle()), 0x5000036Cu);
    ASSERT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(ToolsRect(), BarClientRect());
    EXPECT_EQ(Rows(), 1u) << "a wide bar holds the buttons in one row";
    EXPECT_TRUE(SaveScreenPng(frame, "size_tool_bar_docked"));

    // Docked at the left side, as thin as a button or two: the buttons wrap.
    bar.SetWindowPos(nullptr, 0, 0, 60, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    pm::afxtest::pump();
    EXPECT_EQ(ToolsRect(), BarClientRect());
    const size_t thin = Rows();
    EXPECT_GE(thin, 4u);
    ExpectButtonsInside();

    // Laid out as a fixed bar, it is as wide as it asks to be: wider, it wraps into fewer rows.
    bar.m_szVert = CSize(100, 300);
    frame->RecalcLayout();
    pm::afxtest::pump();
    EXPECT_EQ(ToolsRect(), BarClientRect());
    EXPECT_LT(Rows(), thin);
    EXPECT_GT(Rows(), 1u);
    ExpectButtonsInside();
    EXPECT_TRUE(SaveScreenPng(frame, "size_tool_bar_left"));

    // Floating, narrow: wrapped again inside the floating frame.
    bar.m_szFloat = CSize(90, 160);
    frame->FloatControlBar(&bar, CPoint(300, 300));
    frame->RecalcLayout();
    pm::afxtest::pump();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(ToolsRect(), BarClientRect());
    EXPECT_GT(Rows(), 1u);
    ExpectButtonsInside();
    EXPECT_TRUE(SaveScreenPng(frame, "size_tool_bar_floating"));
}

TEST_F(SizeToolBar, PressBetweenTheButtonsDragsTheBarAndAButtonDoesNot) {
    CToolBarCtrl& tools = bar.GetToolBarCtrl();
    CRect separator, lastButton;
    tools.SendMessage(TB_GETITEMRECT, kSeparator, reinterpret_cast<LPARAM>(&separator));
    tools.SendMessage(TB_GETITEMRECT, kButtons, reinterpret_cast<LPARAM>(&lastButton));
    const CPoint button = lastButton.CenterPoint();
    tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
    tools.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    pm::afxtest::pump();
    EXPECT_EQ(bar.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP)) << "a button press stays a button press";

    // From the separator and from the empty area after the buttons, dragged into the middle of the
    // frame: the bar floats.
    for (CPoint from : {separator.CenterPoint(), CPoint(lastButton.right + 40, lastButton.CenterPoint().y)}) {
        frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        pm::afxtest::pump();
        ASSERT_FALSE(bar.IsFloating());
        CPoint screen = from;
        tools.ClientToScreen(&screen);
        CRect middle = WindowRect(frame);
        std::vector<CPoint> moves{screen + CPoint(10, 10), middle.CenterPoint()};
        for (CPoint p : moves) {
            bar.ScreenToClient(&p);
            bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        }
        CPoint release = middle.CenterPoint();
        bar.ScreenToClient(&release);
        bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
        tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        pm::afxtest::pump();
        EXPECT_TRUE(bar.IsFloating()) << from.x << "," << from.y;
    }
}

TEST_F(SizeToolBar, TipsAndPromptsComeFromTheCommandStrings) {
    CToolBarCtrl& tools = bar.GetToolBarCtrl();
    HWND tips = reinterpret_cast<HWND>(tools.SendMessage(TB_GETTOOLTIPS));
    ASSERT_TRUE(::IsWindow(tips));
    struct Case {
        UINT id;
        const char* tip; // nullptr: no tip text
        UINT prompt;     // the prompt the main window was told, 0 for none
    };
    const std::string longTip(79, 'x');
    const Case cases[] = {
        {0x8101, "Open", 0x8101},
        {0x8109, nullptr, 0x8109},         // no line feed: no tip, but still the prompt
        {0x810A, nullptr, 0},              // no string: neither
        {0x810B, longTip.c_str(), 0x810B}, // cut to the tip's own buffer
    };
    for (const Case& c : cases) {
        NMTTDISPINFOA nm{};
        nm.hdr = {tips, c.id, static_cast<UINT>(TTN_NEEDTEXTA)};
        nm.lpszText = LPSTR_TEXTCALLBACK;
        frame->m_nIDLastMessage = 0;
        // Sent to the control, as its tooltip does: the control passes the question to the bar.
        tools.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&nm));
        if (c.tip) {
            EXPECT_EQ(nm.lpszText, nm.szText) << c.id;
            EXPECT_STREQ(nm.szText, c.tip) << c.id;
        } else {
            EXPECT_EQ(nm.lpszText, nullptr) << c.id;
        }
        EXPECT_EQ(frame->m_nIDLastMessage, c.prompt) << c.id;
    }
}

TEST_F(SizeToolBar, ButtonInfoOffersTheAvailableCommands) {
    struct Case {
        int index;
        UINT from;
        LRESULT result;
        const char* text;
    };
    const Case cases[] = {
        {0, CDKSizeToolBar::IDC_TOOLBAR, TRUE, "Open"},
        {8, CDKSizeToolBar::IDC_TOOLBAR, TRUE, "???"}, // no line feed
        {9, CDKSizeToolBar::IDC_TOOLBAR, TRUE, "???"}, // no string
        {10, CDKSizeToolBar::IDC_TOOLBAR, FALSE, ""},  // past the list
        {0, 98, FALSE, ""},                            // another control's question
    };
    for (const Case& c : cases) {
        char text[64] = {};
        NMTOOLBARA nm{};
        nm.hdr = {bar.GetToolBarCtrl().m_hWnd, c.from, static_cast<UINT>(TBN_GETBUTTONINFOA)};
        nm.iItem = c.index;
        nm.pszText = text;
        nm.cchText = sizeof text;
        EXPECT_EQ(bar.SendMessage(WM_NOTIFY, c.from, reinterpret_cast<LPARAM>(&nm)), c.result) << c.index;
        EXPECT_STREQ(text, c.text) << c.index;
        if (c.result) {
            EXPECT_EQ(nm.tbButton.idCommand, static_cast<int>(kAvailable[c.index]));
            EXPECT_EQ(nm.tbButton.iBitmap, c.index);
            EXPECT_EQ(nm.tbButton.fsState, TBSTATE_ENABLED);
        }
    }
    // A small buffer takes what fits.
    char small[3] = {'?', '?', '?'};
    NMTOOLBARA nm{};
    nm.hdr = {bar.GetToolBarCtrl().m_hWnd, CDKSizeToolBar::IDC_TOOLBAR,
              static_cast<UINT>(TBN_GETBUTTONINFOA)};
    nm.iItem = 1;
    nm.pszText = small;
    nm.cchText = sizeof small;
    bar.SendMessage(WM_NOTIFY, CDKSizeToolBar::IDC_TOOLBAR, reinterpret_cast<LPARAM>(&nm));
    EXPECT_STREQ(small, "Sa");
}

namespace {
std::vector<std::string> g_available, g_current;

std::vector<std::string> ListTexts(HWND dialog, int id) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(::SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        ::SendDlgItemMessage(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}
} // namespace

TEST_F(SizeToolBar, CustomizeDialogListsTheAvailableCommandsByTheirTips) {
    g_available.clear();
    g_current.clear();
    // Read from inside the dialog's loop, then closed.
    ::SetTimer(frame->m_hWnd, 7, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hwnd, id);
        HWND dialog = ::FindWindow(nullptr, "Customize Toolbar");
        if (!dialog) return;
        g_available = ListTexts(dialog, 201);
        g_current = ListTexts(dialog, 202);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    bar.GetToolBarCtrl().SendMessage(TB_CUSTOMIZE);
    // The two commands not on the bar, after the separator every list offers.
    EXPECT_EQ(g_available, (std::vector<std::string>{"Separator", "???", "???"}));
    EXPECT_EQ(g_current, (std::vector<std::string>{"Open", "Save", "Cut", "Copy", "Separator", "Paste",
                                                   "Find", "Print", "Help", ""}));
}
