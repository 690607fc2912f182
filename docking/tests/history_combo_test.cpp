// The history combo: adding, deleting and clearing entries, the registry value it is kept in, and
// where its tool bar goes.

#include "docking/CDKHistoryCombo.h"
#include "docking/HistoryText.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

class HistoryComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_parent.CreateEx(0, AFX_WND, "form", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        ::RegDeleteKey(HKEY_CURRENT_USER, "Software\\Test Company\\Test App\\HistoryCombo");
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    void Make(CDKHistoryCombo& combo) {
        ASSERT_TRUE(
            combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 200, 150), &m_parent, 5));
    }
    static Entries List(const CDKHistoryCombo& combo) {
        Entries entries;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString entry;
            combo.GetLBText(i, entry);
            entries.emplace_back(entry);
        }
        return entries;
    }
    // The stored value, or "<none>".
    static std::string Stored(const char* value) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Test Company\\Test App\\HistoryCombo", 0, KEY_READ,
                           &hKey) != ERROR_SUCCESS)
            return "<none>";
        char buffer[256] = {};
        DWORD cb = sizeof buffer, dwType = 0;
        LONG result = ::RegQueryValueEx(hKey, value, nullptr, &dwType, reinterpret_cast<BYTE*>(buffer), &cb);
        ::RegCloseKey(hKey);
        return result == ERROR_SUCCESS && dwType == REG_SZ ? std::string(buffer) : "<none>";
    }

    CWnd m_parent;
};

TEST_F(HistoryComboTest, NewestFirstWithoutDuplicatesAndWithinTheLimit) {
    CDKHistoryCombo combo;
    Make(combo);
    combo.SetMaxHistory(3);
    EXPECT_FALSE(combo.CanAdd()) << "no text";
    EXPECT_FALSE(combo.AddToHistory());
    for (const char* text : {"one", "two", "one", "three", "four"}) {
        combo.SetWindowText(text);
        EXPECT_TRUE(combo.CanAdd());
        combo.SendMessage(WM_COMMAND, ID_HISTORYCOMBO_ADD);
    }
    EXPECT_EQ(List(combo), Entries({"four", "three", "one"}));
    EXPECT_FALSE(combo.CanAdd()) << "the text is the newest entry";

    combo.SetWindowText("three");
    EXPECT_TRUE(combo.CanDelete()) << "the text names an entry";
    combo.SendMessage(WM_COMMAND, ID_HISTORYCOMBO_DELETE);
    EXPECT_EQ(List(combo), Entries({"four", "one"}));
    combo.SetWindowText("nothing like it");
    EXPECT_FALSE(combo.CanDelete());
    EXPECT_FALSE(combo.DeleteFromHistory(-1));
    EXPECT_FALSE(combo.DeleteFromHistory(7));
    EXPECT_TRUE(combo.CanClear());
    combo.SendMessage(WM_COMMAND, ID_HISTORYCOMBO_CLEAR);
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_FALSE(combo.CanClear());
}

TEST_F(HistoryComboTest, EntriesWithBarsAndBackslashesSurviveTheRegistry) {
    const Entries entries = {"a|b", "C:\\dir\\", "\\|", "", "plain"};
    {
        CDKHistoryCombo combo;
        Make(combo);
        combo.SetHistoryValue("Find", "Test Company", "Test App");
        combo.SetSaveOnDestroy(TRUE);
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            combo.InsertString(0, it->c_str());
        combo.DestroyWindow();
    }
    EXPECT_EQ(Stored("Find"), "a\\|b|C:\\\\dir\\\\|\\\\\\||"
                              "|plain");
    CDKHistoryCombo again;
    again.SetHistoryValue("Find", "Test Company", "Test App");
    again.SetSaveOnDestroy(TRUE);
    Make(again);
    EXPECT_EQ(List(again), entries);
}

TEST_F(HistoryComboTest, OneEntryIsStoredBareAndAnEmptyHistoryDeletesTheValue) {
    CDKHistoryCombo combo;
    Make(combo);
    combo.SetWindowText("only");
    EXPECT_TRUE(combo.SaveHistory("Find", "Test Company", "Test App", HKEY_CURRENT_USER, TRUE))
        << "adds first";
    EXPECT_EQ(Stored("Find"), "only");
    combo.ClearHistory();
    combo.SetWindowText("");
    EXPECT_TRUE(combo.SaveHistory("Find", "Test Company", "Test App", HKEY_CURRENT_USER, TRUE));
    EXPECT_EQ(Stored("Find"), "<none>");
    EXPECT_FALSE(combo.SaveHistory("", "Test Company", "Test App", HKEY_CURRENT_USER, FALSE))
        << "no value name";
}

TEST_F(HistoryComboTest, TheToolBarSitsBesideTheComboAndActsOnIt) {
    CDKHistoryCombo combo;
    Make(combo);
    CToolBar* bar = combo.GetToolBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(::IsWindow(bar->m_hWnd));
    EXPECT_EQ(combo.GetVisibleButtonCount(), 3);
    auto barRect = [&] {
        CRect r;
        bar->GetWindowRect(&r);
        m_parent.ScreenToClient(&r);
        return r;
    };
    CRect comboRect;
    combo.GetWindowRect(&comboRect);
    m_parent.ScreenToClient(&comboRect);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(barRect().left, comboRect.right - bar->GetBorders().right) << "right of the combo";

    // The combo moves: the bar follows.
    combo.MoveWindow(40, 60, 150, 140);
    combo.GetWindowRect(&comboRect);
    m_parent.ScreenToClient(&comboRect);
    EXPECT_EQ(barRect().left, comboRect.right - bar->GetBorders().right);

    // The add button's state follows CanAdd at idle; a click adds the text.
    combo.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONENABLED, ID_HISTORYCOMBO_ADD)) << "no text";
    combo.SetWindowText("find me");
    combo.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar->SendMessage(TB_ISBUTTONENABLED, ID_HISTORYCOMBO_ADD));
    CRect button;
    bar->SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    pm::afxtest::click(bar->m_hWnd, button.CenterPoint());
    pm::afxtest::pump();
    EXPECT_EQ(List(combo), Entries({"find me"}));

    // Placement 1 hides the bar, as does hiding every button.
    combo.PositionToolbar(1, FALSE);
    EXPECT_FALSE(bar->IsWindowVisible());
    combo.PositionToolbar(5, FALSE);
    EXPECT_TRUE(bar->IsWindowVisible());
    for (int i = 0; i < 3; ++i)
        combo.ShowButton(i, FALSE);
    EXPECT_EQ(combo.GetVisibleButtonCount(), 0);
    EXPECT_FALSE(bar->IsWindowVisible());
}

namespace {

constexpr UINT ID_FOREIGN_HANDLED = 0x8201, ID_FOREIGN_UNHANDLED = 0x8202;

// A form that handles one of the tool bar's other commands and records the commands it gets.
class CFormWithCommands : public CWnd {
public:
    std::vector<std::pair<UINT, HWND>> m_commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_commands.emplace_back(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    }
    afx_msg void OnUpdateHandled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFormWithCommands, CWnd)
    ON_UPDATE_COMMAND_UI(ID_FOREIGN_HANDLED, OnUpdateHandled)
END_MESSAGE_MAP()

} // namespace

TEST(HistoryComboForm, TheToolBarFollowsTheCombosEnablingAndPassesOtherCommandsToTheForm) {
    CFormWithCommands form;
    ASSERT_TRUE(form.CreateEx(0, AFX_WND, "form", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CDKHistoryCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 200, 150), &form, 5));
    CToolBar* bar = combo.GetToolBar();
    ASSERT_NE(bar, nullptr);
    combo.EnableWindow(FALSE);
    EXPECT_FALSE(bar->IsWindowEnabled());
    combo.EnableWindow(TRUE);
    EXPECT_TRUE(bar->IsWindowEnabled());

    // Two more buttons on the bar: their updates are the form's, their commands go to it.
    TBBUTTON more[] = {
        {0, static_cast<int>(ID_FOREIGN_HANDLED), TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
        {0, static_cast<int>(ID_FOREIGN_UNHANDLED), TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}};
    bar->SendMessage(TB_ADDBUTTONS, 2, reinterpret_cast<LPARAM>(more));
    combo.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar->SendMessage(TB_ISBUTTONENABLED, ID_FOREIGN_HANDLED));
    EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONENABLED, ID_FOREIGN_UNHANDLED)) << "the form has no handler";
    combo.SendMessage(WM_COMMAND, ID_FOREIGN_HANDLED, reinterpret_cast<LPARAM>(bar->m_hWnd));
    EXPECT_EQ(form.m_commands, (std::vector<std::pair<UINT, HWND>>{{ID_FOREIGN_HANDLED, bar->m_hWnd}}));
    // The bar's own commands stay with the combo (the form hears only the combo's notifications).
    form.m_commands.clear();
    combo.SendMessage(WM_COMMAND, ID_HISTORYCOMBO_CLEAR, reinterpret_cast<LPARAM>(bar->m_hWnd));
    for (const auto& command : form.m_commands)
        EXPECT_NE(command.second, bar->m_hWnd) << command.first;
    combo.DestroyWindow();
    form.DestroyWindow();
}

TEST_F(HistoryComboTest, ToolTipsAreTheSecondPartOfTheCommandsString) {
    pm::res::addString(ID_HISTORYCOMBO_ADD, "Adds the text to the history\nAdd to history");
    pm::res::addString(ID_HISTORYCOMBO_CLEAR, "Clears\n" + std::string(100, 'x'));
    CDKHistoryCombo combo;
    Make(combo);
    auto tip = [&](UINT nID) {
        TOOLTIPTEXT ttt{};
        ttt.hdr.hwndFrom = combo.GetToolBar()->m_hWnd;
        ttt.hdr.idFrom = nID;
        ttt.hdr.code = static_cast<UINT>(TTN_NEEDTEXT);
        combo.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ttt));
        return std::string(ttt.lpszText ? ttt.lpszText : "");
    };
    EXPECT_EQ(tip(ID_HISTORYCOMBO_ADD), "Add to history");
    EXPECT_EQ(tip(ID_HISTORYCOMBO_CLEAR), std::string(79, 'x'))
        << "at most 80 characters with the terminator";
    EXPECT_EQ(tip(ID_HISTORYCOMBO_DELETE), "") << "no string";
}

TEST(HistoryText, StoredListsWithoutEscapesReadBackUnchanged) {
    EXPECT_EQ(docking::SplitHistory(""), Entries{});
    EXPECT_EQ(docking::SplitHistory("x"), Entries({"x"}));
    EXPECT_EQ(docking::SplitHistory("C:\\dir|y\\"), Entries({"C:\\dir", "y\\"}));
    EXPECT_EQ(docking::SplitHistory("a||b"), Entries({"a", "", "b"}));
    EXPECT_EQ(docking::JoinHistory({"x"}), "x");
}

TEST(HistoryComboPlacement, TheToolBarGoesWhereThePlacementSays) {
    const CRect R(100, 50, 200, 70); // a combo 100 by 20
    const CSize size(40, 26);
    const CRect borders(2, 3, 4, 5); // left, top, right, bottom
    struct Case {
        int placement;
        CPoint counted, notCounted;
    } cases[] = {
        {2, {98, 27}, {98, 24}},    {3, {130, 27}, {130, 24}},  {4, {164, 27}, {164, 24}},
        {5, {98, 65}, {98, 70}},    {6, {130, 65}, {130, 70}},  {7, {164, 65}, {164, 70}},
        {8, {62, 47}, {60, 47}},    {9, {62, 47}, {60, 47}},    {10, {62, 49}, {60, 49}},
        {11, {196, 47}, {200, 47}}, {12, {196, 47}, {200, 47}}, {13, {196, 49}, {200, 49}},
        {0, {196, 47}, {200, 47}},  {14, {196, 47}, {200, 47}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.placement);
        EXPECT_EQ(CDKHistoryCombo::CalcToolbarOrigin(c.placement, R, size, borders, FALSE), c.counted);
        EXPECT_EQ(CDKHistoryCombo::CalcToolbarOrigin(c.placement, R, size, borders, TRUE), c.notCounted);
    }
}

} // namespace
