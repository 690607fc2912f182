// The main frame's menu bar driven from the keyboard as in a window's own menu (a menu opened from
// the keyboard shows its first item, a letter two menus share moves between them), Ctrl+F6 and
// Ctrl+Tab between documents, the expansion item of a menu with hidden items, and the frame's side
// of the bar: its refresh when documents come and go, its subclass of the MDI client kept, and
// customisation ended with the frame. A document docked as a pane leaves the others maximised; a
// maximised document's system menu and Window > Cascade keep to what the MDI area allows.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "docking/CDKBitmapMenu.h"
#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKMDIChildWndSizeDock.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <deque>
#include <functional>

namespace {

class MenuBarFrame : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
        pm::test::writeFile(programFile("Projects/one.js"), "var one;\n");
        pm::test::writeFile(programFile("Projects/two.js"), "var two;\n");
    }
    void TearDown() override {
        steps.clear();
        PenmereTest::TearDown();
    }
    CDKMenuBar& bar() { return *frame->GetMenuBar(); }
    HWND editor() { return activeView()->GetEditCtrl()->m_hWnd; }
    std::string activeName() { return std::string(activeView()->GetDocument()->GetTitle()); }
    // Runs the steps one by one, from inside the menu loops that follow, 10 ms apart.
    void inLoops(std::vector<std::function<void()>> list) {
        steps.assign(list.begin(), list.end());
        ::SetTimer(frame->m_hWnd, 79, 10, [](HWND hwnd, UINT, UINT_PTR, DWORD) {
            if (steps.empty()) {
                ::KillTimer(hwnd, 79);
                return;
            }
            auto step = steps.front();
            steps.pop_front();
            step();
        });
    }
    static HWND shownPopup() {
        for (HWND h = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr); h;
             h = ::FindWindowEx(nullptr, h, "#32768", nullptr))
            if (::IsWindowVisible(h)) return h;
        return nullptr;
    }
    static HMENU menuOf(HWND popup) {
        return reinterpret_cast<HMENU>(::SendMessage(popup, MN_GETHMENU, 0, 0));
    }
    static std::vector<UINT> ids(HMENU menu) {
        std::vector<UINT> out;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            out.push_back(::GetMenuItemID(menu, i));
        return out;
    }

    static inline std::deque<std::function<void()>> steps;
};

} // namespace

TEST_F(MenuBarFrame, AMenuOpenedFromTheKeyboardShowsItsFirstItemAndEnterChoosesIt) {
    start({programFile("Projects/one.js")});
    frame->SetActiveWindow();
    bool shown = false, stillOpen = false;
    inLoops({[&] {
                 shown = shownPopup() != nullptr;
                 if (shown) pm::test::pressKey(shownPopup(), VK_RETURN);
             },
             [&] {
                 stillOpen = shownPopup() != nullptr;
                 if (stillOpen) ::EndMenu();
             }});
    pm::afxtest::pressKey(editor(), 'F', false, false, true);
    pump();
    EXPECT_TRUE(shown) << "Alt+F opens File";
    EXPECT_FALSE(stillOpen) << "Enter chose the item selected when it opened";
    EXPECT_EQ(GetAllDocuments().size(), 2u) << "that is New, the first item";
}

TEST_F(MenuBarFrame, ALetterTwoMenusShareMovesBetweenThemAndCtrlF6MovesBetweenDocuments) {
    start({programFile("Projects/one.js")});
    ASSERT_NE(app->OpenDocumentFile(programFile("Projects/two.js").c_str()), nullptr);
    pump();
    frame->SetActiveWindow();
    // "&Window && Frame Functions" (11) and "&Window" (15) both answer W.
    pm::afxtest::pressKey(editor(), 'W', false, false, true);
    pump();
    EXPECT_TRUE(bar().m_bKeyboardMode);
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 11) << "the first of the two is selected, not opened";
    EXPECT_EQ(bar().m_nOpenPopup, -1);
    pm::test::pressKey(bar().m_hWnd, 'W');
    pump();
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 15) << "a second press moves to the next";
    pm::test::pressKey(bar().m_hWnd, 'W');
    pump();
    EXPECT_EQ(bar().SendMessage(TB_GETHOTITEM), 11) << "and round again";
    pm::test::pressKey(bar().m_hWnd, VK_ESCAPE);
    pump();
    EXPECT_FALSE(bar().m_bKeyboardMode);

    ASSERT_EQ(activeName(), "two.js");
    pm::afxtest::pressKey(editor(), VK_F6, false, true);
    pump();
    EXPECT_EQ(activeName(), "one.js") << "Ctrl+F6, as the document's system menu says";
    pm::afxtest::pressKey(editor(), VK_TAB, false, true);
    pump();
    EXPECT_EQ(activeName(), "two.js") << "Ctrl+Tab";
    EXPECT_EQ(viewText(activeView()), "var two;\n") << "neither key reached the text";
}

TEST_F(MenuBarFrame, TheExpansionItemOpensTheSameMenuAgainWithEveryItem) {
    start({programFile("Projects/one.js")});
    CDKBitmapMenuManager& organiser = frame->m_menuManager;
    organiser.SetRecentlyUsedEnabled(TRUE);
    organiser.HideCommand(ID_FILE_CLOSE);
    std::vector<UINT> first, second;
    int reopened = -1;
    inLoops({[&] {
                 first = ids(menuOf(shownPopup()));
                 pm::test::pressKey(shownPopup(), VK_UP); // the expansion item, the last one
             },
             [&] {
                 // What the organiser's hooks post when the expansion item is chosen.
                 ::PostMessage(frame->m_hWnd, WM_COMMAND, ID_BITMAPMENU_EXPAND, 0);
             },
             [&] {
                 second = ids(menuOf(shownPopup()));
                 reopened = bar().m_nOpenPopup;
                 ::EndMenu();
             },
             [] { ::EndMenu(); }}); // should a menu still be open, the test goes on to fail
    bar().OpenPopup(0);
    pump();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), static_cast<UINT>(ID_BITMAPMENU_EXPAND));
    EXPECT_EQ(std::count(first.begin(), first.end(), static_cast<UINT>(ID_FILE_CLOSE)), 0);
    EXPECT_EQ(reopened, 0) << "the File menu again";
    EXPECT_EQ(std::count(second.begin(), second.end(), static_cast<UINT>(ID_FILE_CLOSE)), 1)
        << "with its hidden item";

    // Hidden items made recently used again: the bar's menu is kept to be saved.
    bar().m_modifiedMenus.clear();
    frame->SendMessage(WM_BITMAPMENU_RECENTLYUSEDCHANGED);
    EXPECT_EQ(bar().m_modifiedMenus.count(bar().GetMenu()), 1u);
}

namespace {

WNDPROC g_classProc = nullptr;
LRESULT CALLBACK classProcOnly(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProc(g_classProc, hwnd, message, wParam, lParam);
}

// Whether a WM_IDLEUPDATECMDUI waits in the queue for the window (taken out).
bool takeIdleUpdate(HWND hwnd) {
    MSG msg;
    bool found = false;
    while (::PeekMessage(&msg, hwnd, WM_IDLEUPDATECMDUI, WM_IDLEUPDATECMDUI, PM_REMOVE))
        found = true;
    return found;
}

// A menu-bar frame that outlives its window.
class CKeptFrame : public CDKMenuBarSizeDockMDIFrameWnd {
    void PostNcDestroy() override {}
};

} // namespace

TEST_F(MenuBarFrame, DocumentsComingAndGoingRefreshTheBarAndTheClientStaysSubclassed) {
    start({programFile("Projects/one.js")});
    HWND client = frame->m_hWndMDIClient;
    takeIdleUpdate(bar().m_hWnd);
    ASSERT_NE(app->OpenDocumentFile(programFile("Projects/two.js").c_str()), nullptr);
    EXPECT_TRUE(takeIdleUpdate(bar().m_hWnd)) << "a new document";
    ::SendMessage(client, WM_MDINEXT, 0, 0);
    EXPECT_TRUE(takeIdleUpdate(bar().m_hWnd)) << "another one activated";

    // A subclass put over the frame's without passing messages on: found and undone at idle time.
    WNDCLASS mdi{};
    ASSERT_TRUE(::GetClassInfo(nullptr, "MDICLIENT", &mdi));
    g_classProc = mdi.lpfnWndProc;
    ::SetWindowLongPtr(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProcOnly));
    ::SendMessage(client, WM_MDINEXT, 0, 0);
    EXPECT_FALSE(takeIdleUpdate(bar().m_hWnd));
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    ::SendMessage(client, WM_MDINEXT, 0, 0);
    EXPECT_TRUE(takeIdleUpdate(bar().m_hWnd)) << "the frame hears its client again";
}

TEST_F(MenuBarFrame, CustomisationEndsWithTheFrame) {
    start();
    auto* kept = new CKeptFrame;
    ASSERT_TRUE(kept->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    CDKMenuBar& menuBar = *kept->GetMenuBar();
    menuBar.SetCustomizationMode(kept, kept->m_hWnd);
    EXPECT_TRUE(menuBar.InCustomizationMode());
    kept->DestroyWindow();
    EXPECT_FALSE(menuBar.InCustomizationMode());
    delete kept;
    pump();
}

TEST_F(MenuBarFrame, ADocumentDockedAsAPaneLeavesTheOthersMaximised) {
    start({programFile("Projects/one.js")});
    ASSERT_NE(app->OpenDocumentFile(programFile("Projects/two.js").c_str()), nullptr);
    pump();
    BOOL maximised = FALSE;
    auto* two = static_cast<CDKMDIChildWndSizeDock*>(frame->MDIGetActive(&maximised));
    ASSERT_TRUE(maximised);
    two->SetDocked(TRUE);
    pump();
    CFrameWnd* one = nullptr;
    for (CDocument* doc : GetAllDocuments())
        if (doc->GetTitle() == "one.js")
            one = static_cast<CEditMDIDoc*>(doc)->GetEditView()->GetParentFrame();
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(one->IsZoomed()) << "the document left in the MDI area stays maximised";
    EXPECT_TRUE(two->IsDocked());
}

// A maximised document's system menu offers only what a maximised window can do; Window > Cascade
// restores the documents and places each one whole inside the MDI area.
TEST_F(MenuBarFrame, AMaximisedDocumentsSystemMenuAndCascadeKeepToTheMdiArea) {
    pm::test::writeFile(programFile("Projects/three.js"), "var three;\n");
    start({programFile("Projects/one.js")});
    for (const char* name : {"Projects/two.js", "Projects/three.js"})
        ASSERT_NE(app->OpenDocumentFile(programFile(name).c_str()), nullptr);
    pump();
    BOOL maximised = FALSE;
    CMDIChildWnd* active = frame->MDIGetActive(&maximised);
    ASSERT_TRUE(maximised);
    HMENU system = ::GetSystemMenu(active->m_hWnd, FALSE);
    for (UINT id : {SC_RESTORE, SC_MINIMIZE, SC_CLOSE, SC_MAXIMIZE, SC_MOVE, SC_SIZE}) {
        const bool grayed = (::GetMenuState(system, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
        EXPECT_EQ(grayed, id == SC_MAXIMIZE || id == SC_MOVE || id == SC_SIZE) << id;
    }

    command(ID_WINDOW_CASCADE);
    RECT area{};
    ::GetClientRect(frame->m_hWndMDIClient, &area);
    int children = 0;
    for (HWND c = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(c)) continue;
        ++children;
        RECT r{};
        ::GetWindowRect(c, &r);
        ::MapWindowPoints(nullptr, frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_FALSE(::IsZoomed(c));
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom << " in " << area.right << "x"
            << area.bottom;
    }
    EXPECT_EQ(children, 3);
}
