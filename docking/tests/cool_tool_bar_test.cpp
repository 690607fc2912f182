// The cool tool bar: texts from each source and the layout widths they give, drop-down arrows,
// indent, the custom-draw stages and colours, button states from command updates, the gripper's
// room, and the appearance kept in the profile.

#include "docking/tests/support/menu_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace docktest;

namespace {

class CoolToolBar : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
    CDKCoolToolBar& bar() { return frame->m_wndTextBelow; }
    std::vector<TBBUTTON> buttons(CDKCoolToolBar& b) {
        std::vector<TBBUTTON> all(static_cast<size_t>(b.SendMessage(TB_BUTTONCOUNT)));
        for (size_t i = 0; i < all.size(); ++i)
            b.SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&all[i]));
        return all;
    }
    std::vector<CString> texts(CDKCoolToolBar& b) {
        std::vector<CString> all;
        for (int i = 0; i < b.SendMessage(TB_BUTTONCOUNT); ++i)
            all.push_back(b.GetButtonText(i));
        return all;
    }
    // Sends a custom-draw notification as the control does (to its parent, which reflects it).
    LRESULT customDraw(DWORD stage, UINT itemState, NMTBCUSTOMDRAW& draw) {
        draw = NMTBCUSTOMDRAW{};
        draw.nmcd.hdr.hwndFrom = bar().m_hWnd;
        draw.nmcd.hdr.idFrom = bar().GetDlgCtrlID();
        draw.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.nmcd.dwDrawStage = stage;
        draw.nmcd.dwItemSpec = ID_NEW;
        draw.nmcd.uItemState = itemState;
        draw.clrText = RGB(1, 2, 3);
        return ::SendMessage(::GetParent(bar().m_hWnd), WM_NOTIFY, draw.nmcd.hdr.idFrom,
                             reinterpret_cast<LPARAM>(&draw));
    }
};

} // namespace

TEST_F(CoolToolBar, TextTypesSetTheTextsAndTheirWidths) {
    struct Case {
        int type;
        std::vector<CString> texts; // New, Open, separator, Cut, Paste, Find, Bold
    } cases[] = {
        {CDKCoolToolBar::textBeforeNewline,
         {"Create a document", "Open a document", "", "Cut the selection", "Insert the clipboard",
          "Find a text", "Bold"}},
        {CDKCoolToolBar::textAfterNewline, {"New", "Open", "", "Cut", "Paste", "Find", ""}},
        {CDKCoolToolBar::textFromMenu, {"", "", "", "", "", "", ""}}, // the frame has no window menu
        {CDKCoolToolBar::textNone, {"", "", "", "", "", "", ""}},
    };
    std::vector<int> widths;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        bar().SetTextType(0, 0xFFFF, c.type);
        EXPECT_EQ(texts(bar()), c.texts);
        std::vector<TBBUTTON> all = buttons(bar());
        // One row: each button its button width, the separator its own, the drop-down its arrow.
        CSize size = bar().CalcSize(all.data(), static_cast<int>(all.size()));
        int expected = 6 * bar().m_sizeButton.cx + all[2].iBitmap + CDKCoolToolBar::GetArrowWidth();
        EXPECT_EQ(size.cx, expected);
        EXPECT_EQ(size.cy, bar().m_sizeButton.cy);
        // One pixel too narrow: two rows, broken at the separator.
        EXPECT_EQ(bar().WrapToolBar(all.data(), static_cast<int>(all.size()), size.cx - 1), 2);
        EXPECT_TRUE(all[2].fsState & TBSTATE_WRAP);
        CSize wrapped = bar().CalcSize(all.data(), static_cast<int>(all.size()));
        EXPECT_EQ(wrapped.cy, 2 * bar().m_sizeButton.cy + all[2].iBitmap);
        EXPECT_LT(wrapped.cx, size.cx);
        widths.push_back(size.cx);
    }
    // Longer texts make wider buttons; no text the narrowest.
    EXPECT_GT(widths[0], widths[1]);
    EXPECT_GT(widths[1], widths[3]);
}

TEST_F(CoolToolBar, HandSetTextsStayAndUnknownTypesEmptyEverything) {
    bar().SetTextType(0, 0xFFFF, CDKCoolToolBar::textAfterNewline);
    bar().SetButtonText(0, "Mine");
    bar().SetTextType(0, 0xFFFF, CDKCoolToolBar::textByHand);
    EXPECT_STREQ(bar().GetButtonText(0), "Mine");
    EXPECT_STREQ(bar().GetButtonText(1), "Open");
    // A range leaves buttons outside it alone.
    bar().SetTextType(ID_CUT, ID_PASTE, CDKCoolToolBar::textNone);
    EXPECT_STREQ(bar().GetButtonText(1), "Open");
    EXPECT_STREQ(bar().GetButtonText(3), "");
    bar().SetTextType(0, 0xFFFF, 9);
    EXPECT_EQ(bar().GetTextType(), CDKCoolToolBar::textNone);
    for (const CString& text : texts(bar()))
        EXPECT_STREQ(text, "");
}

TEST_F(CoolToolBar, ArrowAndIndentWidenTheLayout) {
    std::vector<TBBUTTON> all = buttons(bar());
    int withArrow = bar().CalcSize(all.data(), static_cast<int>(all.size())).cx;
    bar().SetDropDownArrow(FALSE);
    EXPECT_FALSE(bar().GetDropDownArrow());
    EXPECT_EQ(bar().CalcSize(all.data(), static_cast<int>(all.size())).cx,
              withArrow - CDKCoolToolBar::GetArrowWidth());
    bar().SetDropDownArrow(TRUE);
    bar().SetIndent(5);
    EXPECT_EQ(bar().CalcSize(all.data(), static_cast<int>(all.size())).cx, withArrow + 5);
}

TEST_F(CoolToolBar, CustomDrawStagesAndTextColours) {
    NMTBCUSTOMDRAW draw;
    EXPECT_EQ(customDraw(CDDS_PREPAINT, 0, draw), CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    // Default colours leave the control's own text colour.
    EXPECT_EQ(customDraw(CDDS_ITEMPREPAINT, CDIS_HOT, draw), CDRF_NOTIFYPOSTPAINT);
    EXPECT_EQ(draw.clrText, RGB(1, 2, 3));
    bar().m_clrDefaultText = RGB(0, 0, 200);
    bar().m_clrHotText = RGB(200, 0, 0);
    customDraw(CDDS_ITEMPREPAINT, 0, draw);
    EXPECT_EQ(draw.clrText, RGB(0, 0, 200));
    customDraw(CDDS_ITEMPREPAINT, CDIS_HOT, draw);
    EXPECT_EQ(draw.clrText, RGB(200, 0, 0));
    EXPECT_EQ(customDraw(CDDS_ITEMPOSTPAINT, 0, draw), CDRF_DODEFAULT);
    frame->m_lTakeCustomDraw = CDRF_SKIPDEFAULT;
    EXPECT_EQ(customDraw(CDDS_PREPAINT, 0, draw), CDRF_SKIPDEFAULT);
}

TEST_F(CoolToolBar, CommandUpdatesChangeTheStateOnlyWhenItDiffers) {
    pm::test::MessageRecorder rec;
    rec.watch(bar().m_hWnd, "bar");
    auto setStates = [&] {
        int n = 0;
        for (const auto& m : rec.messages())
            n += m.message == TB_SETSTATE;
        return n;
    };
    struct Case {
        int check;
        BOOL paste;
        BYTE boldState;
        int setStates; // TB_SETSTATE messages the update sends
    } cases[] = {{1, TRUE, TBSTATE_ENABLED | TBSTATE_CHECKED, 0},
                 {2, TRUE, TBSTATE_ENABLED | TBSTATE_INDETERMINATE, 1},
                 {0, FALSE, TBSTATE_ENABLED, 2},
                 {0, FALSE, TBSTATE_ENABLED, 0}};
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check);
        frame->m_nBoldCheck = c.check;
        frame->m_bPasteEnabled = c.paste;
        rec.clear();
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        EXPECT_EQ(setStates(), c.setStates);
        TBBUTTON bold = buttons(bar())[6];
        EXPECT_EQ(bold.fsState & (TBSTATE_ENABLED | TBSTATE_CHECKED | TBSTATE_INDETERMINATE), c.boldState);
        EXPECT_EQ(bar().SendMessage(TB_ISBUTTONENABLED, ID_PASTE) != 0, c.paste != FALSE);
    }
}

TEST_F(CoolToolBar, TheGripperTakesRoomOnlyWhenDockedFlatAndNotCool) {
    auto leftRoom = [&] {
        bar().SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        CRect window, client;
        bar().GetWindowRect(&window);
        bar().GetClientRect(&client);
        bar().ClientToScreen(&client);
        return client.left - window.left;
    };
    int withGripper = leftRoom();
    bar().m_bGripper = FALSE;
    EXPECT_EQ(leftRoom(), withGripper - 7);
    bar().m_bGripper = TRUE;
    bar().m_bCool = TRUE;
    EXPECT_LE(leftRoom(), withGripper - 7);
}

TEST_F(CoolToolBar, AppearanceComesBackFromTheProfile) {
    bar().ModifyStyle(0, TBSTYLE_LIST);
    bar().SetIndent(4);
    bar().SetButtonWidths(10, 120);
    bar().m_clrHotText = RGB(10, 20, 30);
    bar().m_bGripper = FALSE;
    bar().SetTextType(0, 0xFFFF, CDKCoolToolBar::textBeforeNewline);
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", TRUE));
    EXPECT_EQ(app->GetProfileInt("Bars_Standard", "TextType", -1), 0);
    EXPECT_EQ(app->GetProfileInt("Bars_Standard", "Customizable", -1), 0);
    recreateFrame();
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", TRUE));
    EXPECT_TRUE(bar().GetStyle() & TBSTYLE_LIST);
    EXPECT_EQ(bar().m_nIndent, 4);
    EXPECT_EQ(bar().m_nMinButtonWidth, 10);
    EXPECT_EQ(bar().m_nMaxButtonWidth, 120);
    EXPECT_EQ(bar().m_clrHotText, RGB(10, 20, 30));
    EXPECT_FALSE(bar().m_bGripper);
    EXPECT_EQ(bar().GetTextType(), CDKCoolToolBar::textBeforeNewline);
    EXPECT_STREQ(bar().GetButtonText(0), "Create a document");
    // Values that are not there leave the bar as it is.
    ASSERT_TRUE(frame->m_wndTextRight.LoadBarState("Bars", "Missing", TRUE));
    EXPECT_TRUE(frame->m_wndTextRight.m_bGripper);
    EXPECT_EQ(frame->m_wndTextRight.GetTextType(), CDKCoolToolBar::textAfterNewline);
}

TEST_F(CoolToolBar, CustomisationNeedsTheTableOfCommands) {
    bar().SetCustomizable(TRUE, TRUE);
    EXPECT_FALSE(bar().IsCustomizable(TRUE));
    EXPECT_FALSE(bar().IsCustomizable(FALSE));
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT};
    bar().SetCustomizeTable(table, 3);
    bar().SetCustomizable(TRUE, FALSE);
    EXPECT_TRUE(bar().IsCustomizable(FALSE));
    EXPECT_FALSE(bar().IsCustomizable(TRUE));
    bar().SetCustomizationMode(frame, main);
    EXPECT_TRUE(bar().IsCustomizable(TRUE));
    EXPECT_FALSE(bar().GetStyle() & CCS_ADJUSTABLE);
    EXPECT_TRUE(bar().InCustomizationMode());
}

namespace {

class CoolCustomisation : public CoolToolBar {
protected:
    void SetUp() override {
        CoolToolBar::SetUp();
        const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
        bar().SetCustomizeTable(table, 6);
        bar().SetCustomizationMode(frame, main);
        frame->m_log.clear();
    }
    std::vector<UINT> ids() {
        std::vector<UINT> all;
        for (const TBBUTTON& b : buttons(bar()))
            all.push_back(static_cast<UINT>(b.idCommand));
        return all;
    }
    void command(int index, UINT id) {
        bar().SetCustomizedButton(index);
        bar().SendMessage(WM_COMMAND, id);
    }
    CPoint centre(int index) {
        CRect rect;
        bar().GetItemRect(index, &rect);
        return rect.CenterPoint();
    }
};

} // namespace

TEST_F(CoolCustomisation, AClickChoosesAButtonAndARightClickOffersItsMenu) {
    pm::test::click(bar().m_hWnd, centre(4));
    pm::afxtest::pump();
    EXPECT_EQ(bar().GetCustomizedButton(), 4);
    // The click chose; it ran no command.
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(), "command " + std::to_string(ID_PASTE)), 0);
    bool pictured = false;
    inLoops(main, {[&] {
                std::vector<HWND> popups = popupWindows();
                ASSERT_EQ(popups.size(), 1u);
                pictured = pm::afxtest::saveScreenPng("docking_cool_bar_customisation");
                pm::test::pressKey(popups[0], VK_ESCAPE);
            }});
    pm::test::pressMouse(bar().m_hWnd, centre(0), VK_RBUTTON);
    pm::afxtest::pump();
    EXPECT_EQ(bar().GetCustomizedButton(), 0);
    pm::test::releaseMouse(bar().m_hWnd, centre(0), VK_RBUTTON);
    pm::afxtest::pump();
    EXPECT_TRUE(pictured);
    // With no button chosen a right release gets no menu.
    bar().SetCustomizedButton(-1);
    bool opened = false;
    inLoops(main, {[&] {
                opened = !popupWindows().empty();
                if (opened) pm::test::pressKey(popupWindows()[0], VK_ESCAPE);
            }});
    bar().SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(centre(0).x, centre(0).y));
    pm::afxtest::pump();
    EXPECT_FALSE(opened);
}

TEST_F(CoolCustomisation, ImageOnlyThenImageAndTextGivesTheTextBack) {
    command(3, ID_COOLBAR_IMAGEONLY);
    EXPECT_STREQ(bar().GetButtonText(3), "");
    EXPECT_STREQ(bar().GetRememberedText(ID_CUT), "Cut");
    command(3, ID_COOLBAR_IMAGEANDTEXT);
    EXPECT_STREQ(bar().GetButtonText(3), "Cut");
    // Bold has no text of its own: its whole string resource is taken.
    command(6, ID_COOLBAR_IMAGEANDTEXT);
    EXPECT_STREQ(bar().GetButtonText(6), "Bold");
}

TEST_F(CoolCustomisation, DeletingAnEndButtonTakesTheSeparatorThatWouldEndTheBar) {
    command(6, ID_COOLBAR_SEPARATORBEFORE);
    EXPECT_EQ(ids(), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_CUT, ID_PASTE, ID_FIND, 0, ID_BOLD}));
    EXPECT_EQ(bar().GetCustomizedButton(), 7);
    command(7, ID_COOLBAR_DELETE);
    EXPECT_EQ(ids(), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_CUT, ID_PASTE, ID_FIND}));
    EXPECT_EQ(bar().GetCustomizedButton(), -1);
    command(0, ID_COOLBAR_DELETE);
    command(0, ID_COOLBAR_DELETE);
    EXPECT_EQ(ids(), (std::vector<UINT>{ID_CUT, ID_PASTE, ID_FIND}));
}

TEST_F(CoolCustomisation, AnOwnerThatAnswersKeepsTheBarFromActing) {
    frame->m_lCoolCommandAnswer = 1;
    command(3, ID_COOLBAR_DELETE);
    command(3, ID_COOLBAR_SEPARATORAFTER);
    EXPECT_EQ(ids().size(), 7u);
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(),
                         "cool command " + std::to_string(ID_COOLBAR_DELETE)),
              1);
}

TEST_F(CoolCustomisation, TheCustomisedButtonsComeBackAfterARestart) {
    // Texts set by hand are the bar's own: they are kept with the buttons.
    bar().SetTextType(0, 0xFFFF, CDKCoolToolBar::textByHand);
    command(3, ID_COOLBAR_DELETE);    // Cut
    command(3, ID_COOLBAR_IMAGEONLY); // Paste, now fourth
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", TRUE));
    // The buttons as stored: their count, then per button its id, image, style byte, whether it
    // shows a text, and the text (a text taken away is kept with its button).
    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app->GetProfileBinary("Bars", "Standard_ButtonsSettings", &data, &size));
    std::vector<BYTE> stored(data, data + size);
    delete[] data;
    EXPECT_EQ(app->GetProfileInt("Bars", "Standard_ButtonsSettings_Size", -1), static_cast<int>(size));
    const std::vector<BYTE> head{6,    0,    0, 0, // six buttons
                                 0x01, 0x83, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 3, 'N', 'e', 'w'}; // New
    ASSERT_GE(stored.size(), head.size());
    EXPECT_EQ(std::vector<BYTE>(stored.begin(), stored.begin() + static_cast<long>(head.size())), head);
    const std::vector<BYTE> paste{0x13, 0x83, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 5, 'P', 'a', 's', 't', 'e'};
    EXPECT_NE(std::search(stored.begin(), stored.end(), paste.begin(), paste.end()), stored.end());
    recreateFrame();
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
    bar().SetCustomizeTable(table, 6);
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", TRUE));
    EXPECT_EQ(ids(), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    EXPECT_STREQ(bar().GetButtonText(0), "New");
    EXPECT_STREQ(bar().GetButtonText(3), "");
    EXPECT_STREQ(bar().GetRememberedText(ID_PASTE), "Paste");
    // Damaged button settings are not applied: the texts set by hand are not there to come back.
    BYTE damaged[] = {2, 0, 0, 0, 1};
    app->WriteProfileBinary("Bars", "Standard_ButtonsSettings", damaged, sizeof(damaged));
    recreateFrame();
    bar().SetCustomizeTable(table, 6);
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", TRUE));
    EXPECT_STREQ(bar().GetButtonText(0), "");
    EXPECT_STREQ(bar().GetRememberedText(ID_PASTE), "");
    // A stored button whose command is no longer on the bar is skipped, its text not remembered.
    const UINT gone = 0x8399;
    BYTE stale[] = {1, 0, 0, 0, LOBYTE(gone), HIBYTE(gone), 0,   0,  0, 0, 0, 0, 0, 0,
                    0, 0, 0, 4, 'G',          'o',          'n', 'e'};
    app->WriteProfileBinary("Bars", "Standard_ButtonsSettings", stale, sizeof(stale));
    app->WriteProfileInt("Bars", "Standard_ButtonsSettings_Size", sizeof(stale));
    recreateFrame();
    bar().SetCustomizeTable(table, 6);
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", TRUE));
    EXPECT_EQ(ids(), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    EXPECT_STREQ(bar().GetRememberedText(gone), "");
}

namespace {
class CountingBar : public CDKCoolToolBar {
public:
    std::vector<BOOL> floating;
    void OnFloatingStateChanged(BOOL bFloating) override { floating.push_back(bFloating); }
};
} // namespace

TEST_F(CoolToolBar, FloatingChangesAreNoticedFromTheFirstMove) {
    CountingBar counting;
    ASSERT_TRUE(counting.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 9));
    counting.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&counting);
    frame->RecalcLayout();
    pm::afxtest::pump();
    // The first position change counts even though the bar never floated.
    ASSERT_FALSE(counting.floating.empty());
    EXPECT_EQ(counting.floating, std::vector<BOOL>{FALSE});
    counting.SetWindowPos(nullptr, 3, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(counting.floating.size(), 1u);
    frame->FloatControlBar(&counting, CPoint(300, 300));
    pm::afxtest::pump();
    EXPECT_EQ(counting.floating, (std::vector<BOOL>{FALSE, TRUE}));
    counting.DestroyWindow();
    pm::afxtest::pump();
}

namespace {
// Sends the bar's own notification to its parent, which hands it back to the bar.
LRESULT notifyFromBar(CDKCoolToolBar& bar, NMHDR& hdr, UINT code) {
    hdr.hwndFrom = bar.m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(bar.GetDlgCtrlID());
    hdr.code = code;
    return ::SendMessage(::GetParent(bar.m_hWnd), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}
} // namespace

TEST_F(CoolToolBar, TheCustomizeDialogIsOfferedTheTableWithTheShortTexts) {
    const UINT table[] = {ID_NEW, ID_PASTE, ID_BOLD, ID_EXIT};
    bar().SetCustomizeTable(table, 4);
    struct Case {
        int item;
        int cchText;
        BOOL offered;
        const char* text;
    } cases[] = {
        {0, 64, TRUE, "New"}, {1, 3, TRUE, "Pa"}, // cut to the buffer, ended
        {1, 0, TRUE, "-"},                        // no room: the buffer is left alone
        {2, 64, TRUE, "???"},                     // a string without a short text
        {3, 64, TRUE, "???"},                     // no string at all
        {4, 64, FALSE, "-"},                      // past the table
        {-1, 64, FALSE, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        char text[64] = "-";
        NMTOOLBARA info{};
        info.iItem = c.item;
        info.pszText = text;
        info.cchText = c.cchText;
        EXPECT_EQ(notifyFromBar(bar(), info.hdr, static_cast<UINT>(TBN_GETBUTTONINFOA)), c.offered);
        EXPECT_STREQ(text, c.text);
        if (!c.offered) continue;
        EXPECT_EQ(info.tbButton.idCommand, static_cast<int>(table[c.item]));
        EXPECT_EQ(info.tbButton.iBitmap, c.item);
        EXPECT_EQ(info.tbButton.fsState, TBSTATE_ENABLED);
        EXPECT_EQ(info.tbButton.fsStyle, 0);
        EXPECT_EQ(info.tbButton.iString, -1);
    }
}

TEST_F(CoolToolBar, TheControlMayMoveButtonsAndAChangeTakesTheTextsAgain) {
    NMTOOLBARA query{};
    EXPECT_EQ(notifyFromBar(bar(), query.hdr, static_cast<UINT>(TBN_QUERYINSERT)), TRUE);
    EXPECT_EQ(notifyFromBar(bar(), query.hdr, static_cast<UINT>(TBN_QUERYDELETE)), TRUE);
    bar().SetTextType(0, 0xFFFF, CDKCoolToolBar::textAfterNewline);
    bar().SetButtonText(0, "Mine");
    ASSERT_TRUE(bar().SendMessage(TB_MOVEBUTTON, 0, 3));
    NMHDR change{};
    EXPECT_EQ(notifyFromBar(bar(), change, static_cast<UINT>(TBN_TOOLBARCHANGE)), 0);
    EXPECT_EQ(texts(bar()), (std::vector<CString>{"Open", "", "Cut", "New", "Paste", "Find", ""}));
}

TEST_F(CoolToolBar, AnAltDragMovesAButtonToTheOtherBarAndTheLayoutSurvivesARestart) {
    const UINT table[] = {ID_NEW, ID_OPEN, ID_CUT, ID_PASTE, ID_FIND, ID_BOLD};
    CDKCoolToolBar& listed = frame->m_wndTextRight;
    auto prepare = [&] {
        for (CDKCoolToolBar* b : {&bar(), &frame->m_wndTextRight}) {
            b->SetCustomizeTable(table, 6);
            b->SetCustomizable(TRUE, FALSE);
        }
        bar().ModifyStyle(0, TBSTYLE_ALTDRAG);
    };
    auto idsOf = [&](CDKCoolToolBar& b) {
        std::vector<UINT> all;
        for (const TBBUTTON& button : buttons(b))
            all.push_back(static_cast<UINT>(button.idCommand));
        return all;
    };
    prepare();
    ASSERT_TRUE(listed.SendMessage(TB_DELETEBUTTON, 3)); // its own Cut
    CRect cut, first;
    bar().GetItemRect(3, &cut);
    listed.GetItemRect(0, &first);
    CPoint target(first.left + 2, first.CenterPoint().y);
    ::MapWindowPoints(listed.m_hWnd, bar().m_hWnd, &target, 1);
    pm::afxtest::holdKey(main, VK_MENU, true);
    pm::test::pressMouse(bar().m_hWnd, cut.CenterPoint());
    pm::test::moveMouse(bar().m_hWnd, target);
    pm::test::releaseMouse(bar().m_hWnd, target);
    pm::afxtest::holdKey(main, VK_MENU, false);
    pm::afxtest::pump();
    EXPECT_EQ(idsOf(bar()), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    EXPECT_EQ(idsOf(listed), (std::vector<UINT>{ID_CUT, ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    // The moved button takes the other bar's texts and keeps its image.
    EXPECT_STREQ(listed.GetButtonText(0), "Cut");
    EXPECT_EQ(buttons(listed)[0].iBitmap, 2);
    EXPECT_EQ(std::count(frame->m_log.begin(), frame->m_log.end(), "command " + std::to_string(ID_CUT)), 0);
    ASSERT_TRUE(bar().SaveBarState("Bars", "Standard", FALSE));
    ASSERT_TRUE(listed.SaveBarState("Bars", "Listed", FALSE));

    recreateFrame();
    CDKCoolToolBar& again = frame->m_wndTextRight;
    prepare();
    ASSERT_TRUE(bar().LoadBarState("Bars", "Standard", FALSE));
    ASSERT_TRUE(again.LoadBarState("Bars", "Listed", FALSE));
    EXPECT_EQ(idsOf(bar()), (std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    EXPECT_EQ(idsOf(again), (std::vector<UINT>{ID_CUT, ID_NEW, ID_OPEN, 0, ID_PASTE, ID_FIND, ID_BOLD}));
    EXPECT_STREQ(again.GetButtonText(0), "Cut");
    EXPECT_EQ(buttons(again)[0].iBitmap, 2);
}
