// The menu bar: buttons and mnemonics from the menu, keys (Alt, arrows, Down, a letter, Esc) and
// the pointer (press, move along the bar, release on a command) driving popups in the platform's
// menu loop, the menu-loop messages the frame gets, and where popups open.

#include "docking/tests/support/menu_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace docktest;

namespace {

class MenuBar : public ::testing::Test, protected MenuFrameFixture {
protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
    CDKMenuBar& bar() { return frame->m_wndMenuBar; }
    CRect buttonScreenRect(int index) {
        CRect rect;
        bar().GetItemRect(index, &rect);
        bar().ClientToScreen(&rect);
        return rect;
    }
    // Where the popup that open() opens shows; it is closed at once.
    CRect popupPlace(const std::function<void()>& open) {
        CRect rect;
        inLoops(main, {[&] {
                    std::vector<HWND> popups = popupWindows();
                    ASSERT_EQ(popups.size(), 1u);
                    ::GetWindowRect(popups[0], &rect);
                    pm::test::pressKey(popups[0], VK_ESCAPE);
                }});
        open();
        pm::afxtest::pump();
        return rect;
    }
    int count(const std::string& entry) const {
        return static_cast<int>(std::count(frame->m_log.begin(), frame->m_log.end(), entry));
    }
    // The command arrives once, after the menu loop has ended.
    void expectCommandOnceAfterExit(UINT id) {
        const std::string command = "command " + std::to_string(id);
        ASSERT_EQ(count(command), 1);
        auto it = std::find(frame->m_log.begin(), frame->m_log.end(), command);
        ASSERT_NE(it, frame->m_log.begin());
        EXPECT_EQ(*(it - 1), "WM_EXITMENULOOP");
        EXPECT_EQ(count("WM_ENTERMENULOOP") > 0, true);
    }
};

} // namespace

TEST_F(MenuBar, EachTopLevelItemIsADropDownTextButton) {
    ASSERT_EQ(bar().SendMessage(TB_BUTTONCOUNT), 4);
    const char* texts[] = {"&File", "&Edit", "Find && Replace", "&Help"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON button{};
        bar().SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.idCommand, i + 1);
        EXPECT_EQ(button.fsStyle, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE);
        EXPECT_STREQ(bar().GetButtonText(i), texts[i]);
    }
    // The bar stretches over the frame's width.
    CRect barRect, client;
    bar().GetWindowRect(&barRect);
    frame->GetClientRect(&client);
    EXPECT_GE(barRect.Width(), client.Width());
    EXPECT_TRUE(pm::afxtest::savePng(main, "docking_menu_bar_and_cool_tool_bars"));
}

TEST_F(MenuBar, OnlyASingleAmpersandMakesAMnemonic) {
    // "Find && Replace" shows a literal ampersand: neither "&" nor "R" opens it.
    EXPECT_FALSE(bar().HandleMenuKey('R'));
    EXPECT_FALSE(bar().HandleMenuKey('&'));
    EXPECT_FALSE(bar().HandleMenuKey('Z'));
    EXPECT_TRUE(frame->m_log.empty());
}

TEST_F(MenuBar, AltRightDownChoosesACommandOnceAfterTheLoopEnds) {
    ASSERT_TRUE(bar().HandleMenuKey(0)); // Alt released alone
    EXPECT_TRUE(bar().m_bKeyboardMode);
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 0);
    EXPECT_EQ(::GetFocus(), bar().m_hWnd);
    ASSERT_TRUE(bar().HandleMenuKey(VK_RIGHT));
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 1);
    CRect edit = buttonScreenRect(1);
    CRect popupRect;
    inLoops(main, {[&] {
                std::vector<HWND> popups = popupWindows();
                ASSERT_EQ(popups.size(), 1u);
                ::GetWindowRect(popups[0], &popupRect);
                EXPECT_EQ(bar().m_nOpenPopup, 1);
                // Opened from the keyboard, the popup shows its first item selected.
                pm::test::pressKey(popups[0], VK_RETURN);
            }});
    ASSERT_TRUE(bar().HandleMenuKey(VK_DOWN));
    pm::afxtest::pump();
    // The popup opened under its button.
    EXPECT_EQ(popupRect.TopLeft(), CPoint(edit.left, edit.bottom + 1));
    expectCommandOnceAfterExit(ID_UNDO);
    EXPECT_EQ(bar().m_nOpenPopup, -1);
    EXPECT_FALSE(bar().m_bKeyboardMode);
}

TEST_F(MenuBar, AMnemonicOpensItsPopupAndEscapeReturnsToKeyboardMode) {
    inLoops(main, {[&] {
                ASSERT_EQ(popupWindows().size(), 1u);
                EXPECT_EQ(bar().m_nOpenPopup, 3);
                // The frame's keyboard hook offers Esc first; the menu closes on it.
                EXPECT_FALSE(bar().HandleMenuKey(VK_ESCAPE));
                pm::test::pressKey(popupWindows()[0], VK_ESCAPE);
            }});
    ASSERT_TRUE(bar().HandleMenuKey('h'));
    pm::afxtest::pump();
    EXPECT_EQ(bar().m_nOpenPopup, -1);
    EXPECT_TRUE(bar().m_bKeyboardMode);
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 3);
    frame->m_log.clear();
    ASSERT_TRUE(bar().HandleMenuKey(VK_ESCAPE));
    EXPECT_FALSE(bar().m_bKeyboardMode);
    EXPECT_EQ(frame->m_log, std::vector<std::string>{"WM_EXITMENULOOP"});
}

TEST_F(MenuBar, PressMoveToTheNextButtonAndReleaseOnACommand) {
    CRect file = buttonScreenRect(0), edit = buttonScreenRect(1);
    CPoint editCentre = edit.CenterPoint();
    bar().ScreenToClient(&editCentre);
    std::vector<int> opened;
    CRect firstPopup;
    inLoops(main, {[&] {
                       opened.push_back(bar().m_nOpenPopup);
                       std::vector<HWND> popups = popupWindows();
                       ASSERT_EQ(popups.size(), 1u);
                       ::GetWindowRect(popups[0], &firstPopup);
                       pm::test::moveMouse(bar().m_hWnd, editCentre);
                   },
                   [&] {
                       opened.push_back(bar().m_nOpenPopup);
                       std::vector<HWND> popups = popupWindows();
                       ASSERT_EQ(popups.size(), 1u);
                       // Paste is the third item of Edit.
                       CRect rect;
                       ::GetWindowRect(popups[0], &rect);
                       int itemHeight = (rect.Height() - 6) / 3;
                       pm::test::click(popups[0], POINT{20, 3 + itemHeight * 2 + itemHeight / 2});
                   }});
    CPoint fileCentre = file.CenterPoint();
    bar().ScreenToClient(&fileCentre);
    pm::test::pressMouse(bar().m_hWnd, fileCentre);
    pm::afxtest::pump();
    pm::test::releaseMouse(bar().m_hWnd, fileCentre);
    pm::afxtest::pump();
    EXPECT_EQ(opened, (std::vector<int>{0, 1}));
    // The pressed drop-down button's popup opens right under it.
    EXPECT_EQ(firstPopup.TopLeft(), CPoint(file.left, file.bottom + 1));
    expectCommandOnceAfterExit(ID_PASTE);
    // The bar enters and leaves its loop once around both popups; each tracked popup adds the
    // platform's own pair.
    std::vector<std::string> loop;
    for (const std::string& entry : frame->m_log)
        if (entry != "WM_INITMENU") loop.push_back(entry);
    EXPECT_EQ(loop, (std::vector<std::string>{"WM_ENTERMENULOOP", "WM_ENTERMENULOOP", "WM_EXITMENULOOP",
                                              "WM_ENTERMENULOOP", "WM_EXITMENULOOP", "WM_EXITMENULOOP",
                                              "command " + std::to_string(ID_PASTE)}));
}

TEST_F(MenuBar, AGrayedItemOpensNothing) {
    bar().OpenPopup(2);
    EXPECT_EQ(bar().m_nOpenPopup, -1);
    EXPECT_TRUE(frame->m_log.empty());
    EXPECT_FALSE(bar().HandleMenuKey(VK_LEFT)); // not in keyboard mode, no popup
}

TEST_F(MenuBar, ArrowsWrapAroundTheBar) {
    struct Case {
        int from;
        bool next;
        int to;
    } cases[] = {{0, true, 1}, {3, true, 0}, {0, false, 3}, {2, false, 1}, {-1, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(c.next ? bar().NextButton(c.from, FALSE) : bar().PrevButton(c.from, FALSE), c.to);
    }
}

TEST_F(MenuBar, WithLittleRoomBelowThePopupOpensBesideItsButton) {
    int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    frame->SetWindowPos(nullptr, 60, screenHeight - 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pm::afxtest::pump();
    CRect file = buttonScreenRect(0);
    ASSERT_LT(screenHeight - file.bottom, 200);
    EXPECT_EQ(popupPlace([&] { bar().OpenPopup(0); }).left, file.right + 1);
}

TEST_F(MenuBar, ButtonsFollowTheMenuItemsEnabledState) {
    ::EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED);
    pm::afxtest::pump();
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(bar().SendMessage(TB_ISBUTTONENABLED, 2));
    EXPECT_TRUE(bar().SendMessage(TB_ISBUTTONENABLED, 1));
}

TEST_F(MenuBar, LeftOnTheFirstPopupMovesToTheLastWithoutLeavingTheLoop) {
    std::vector<int> opened;
    inLoops(main, {[&] {
                       opened.push_back(bar().m_nOpenPopup);
                       EXPECT_TRUE(bar().HandleMenuKey(VK_LEFT));
                   },
                   [&] {
                       opened.push_back(bar().m_nOpenPopup);
                       pm::test::pressKey(popupWindows().at(0), VK_ESCAPE);
                   }});
    bar().OpenPopup(0);
    pm::afxtest::pump();
    EXPECT_EQ(opened, (std::vector<int>{0, 3}));
}

TEST_F(MenuBar, OpenRequestsWaitingTogetherOpenOnlyTheLast) {
    std::vector<int> opened;
    inLoops(main, {[&] {
                opened.push_back(bar().m_nOpenPopup);
                pm::test::pressKey(popupWindows().at(0), VK_ESCAPE);
            }});
    for (WPARAM index : {0, 1, 3})
        bar().PostMessage(WM_MENUBAR_OPENPOPUP, index);
    pm::afxtest::pump();
    EXPECT_EQ(opened, std::vector<int>{3});
    EXPECT_EQ(count("WM_EXITMENULOOP"), 2); // one popup: the platform's loop and the bar's
}

TEST_F(MenuBar, SeventeenMenusWrapIntoRowsSoTheLastStaysReachable) {
    const char* titles[] = {"&File",
                            "&Edit",
                            "&View",
                            "&Options",
                            "VB&Script",
                            "&Tools",
                            "F&unctions",
                            "&Operators",
                            "&Date Functions",
                            "&Math Constants && Functions",
                            "&String Functions",
                            "&Window && Frame Functions",
                            "&Document Functions",
                            "&Events",
                            "Htm&l",
                            "&Window",
                            "&Help"};
    HMENU big = ::CreateMenu();
    for (const char* title : titles) {
        HMENU popup = ::CreatePopupMenu();
        ::AppendMenu(popup, MF_STRING, ID_ABOUT, "&About");
        ::AppendMenu(big, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    CRect oneRow;
    bar().GetWindowRect(&oneRow);
    ASSERT_TRUE(bar().SetMenu(big));
    frame->SetWindowPos(nullptr, 0, 0, 500, 360, SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
    pm::afxtest::pump();
    CRect client, window;
    bar().GetClientRect(&client);
    bar().GetWindowRect(&window);
    frame->ScreenToClient(&window);
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    EXPECT_LE(window.right, frameClient.right + 2);
    EXPECT_GE(window.Height(), 2 * (oneRow.Height() - 3));
    // Every button lies inside the bar, on a row of its own or beside the others.
    CRect help;
    for (int i = 0; i < 17; ++i) {
        SCOPED_TRACE(i);
        CRect rect;
        bar().GetItemRect(i, &rect);
        EXPECT_LE(rect.right, client.right);
        EXPECT_LE(rect.bottom, client.bottom);
        if (i == 16) help = rect;
    }
    EXPECT_GT(help.top, 0);
    // The tool bars follow below the menu bar's rows.
    CRect tools;
    frame->m_wndTextBelow.GetWindowRect(&tools);
    frame->ScreenToClient(&tools);
    EXPECT_GE(tools.top, window.bottom - 4);
    EXPECT_TRUE(pm::afxtest::savePng(main, "docking_menu_bar_wrapped"));
    // The last menu opens under its button.
    bar().ClientToScreen(&help);
    CRect popupRect = popupPlace([&] { EXPECT_TRUE(bar().HandleMenuKey('H')); });
    EXPECT_EQ(popupRect.TopLeft(), CPoint(help.left, help.bottom + 1));
    bar().SetMenu(menu);
    ::DestroyMenu(big);
}

// A click on the button of the open popup closes it without opening it again; the next click on
// that button opens it. A popup that closed otherwise while the pointer rested on its button (a
// command chosen from the keyboard) opens on the first click after.
TEST_F(MenuBar, APopupClosedOnItsButtonOpensAgainOnTheNextClick) {
    CPoint file = buttonScreenRect(0).CenterPoint();
    bar().ScreenToClient(&file);
    const auto clickFile = [&] {
        pm::test::pressMouse(bar().m_hWnd, file);
        pm::test::releaseMouse(bar().m_hWnd, file);
    };
    int opened = 0;
    inLoops(main, {[&] {
                ++opened;
                clickFile();
            }});
    clickFile();
    pm::afxtest::pump();
    pm::afxtest::pump();
    ASSERT_EQ(opened, 1) << "the click on its button closed the popup";
    EXPECT_TRUE(popupWindows().empty());

    inLoops(main, {[&] {
                ++opened;
                std::vector<HWND> popups = popupWindows();
                ASSERT_EQ(popups.size(), 1u);
                pm::test::pressKey(popups[0], VK_DOWN);
                pm::test::pressKey(popups[0], VK_RETURN);
            }});
    clickFile();
    pm::afxtest::pump();
    EXPECT_EQ(opened, 2) << "the next click opened it";

    inLoops(main, {[&] {
                ++opened;
                pm::test::pressKey(popupWindows()[0], VK_ESCAPE);
            }});
    clickFile();
    pm::afxtest::pump();
    EXPECT_EQ(opened, 3) << "after a command chosen from the keyboard with the pointer on the button";
    pm::test::pressKey(main, VK_ESCAPE); // the bar leaves its keyboard mode
    pm::afxtest::pump();
}
