// The panes driven offscreen: the Functions list follows the active document, the Working Dir
// list shows the working folder with its mask and opens a file on a double click, the Solutions
// tree opens a sample, and typing a member access shows the member list.

#include "app/program/tests/support/penmere_fixture.h"

#include "platform/win/tests/support/test_windows.h"

#include <filesystem>
#include <functional>

#include "app/program/CEditMDIDoc.h"
#include "app/file_helpers.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "docking/CDKSizeDockBar.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

namespace {

CRect windowRect(CWnd* wnd) {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
}

std::vector<std::string> listItems(CListBox& list) {
    std::vector<std::string> items;
    CString text;
    for (int i = 0; i < list.GetCount(); ++i) {
        list.GetText(i, text);
        items.emplace_back(static_cast<LPCSTR>(text));
    }
    return items;
}

class Panes : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\nProjectMask=*.js\r\n");
    }
    CListBox& functions() { return frame->m_wndInfoBar.m_wndFunctions; }
    // Presses the right button over list and answers the command of the first item of the menu it
    // pops up (-1 when none shows); the menu is closed again. The button's press alone: its release
    // would ask the pane for its own menu.
    int menuOnRightClick(CListBox& list) {
        static int firstCommand;
        firstCommand = -1;
        ::SetTimer(frame->m_hWnd, 79, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(hwnd, id);
            HWND popup = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr);
            if (!popup || !::IsWindowVisible(popup)) return;
            HMENU menu = reinterpret_cast<HMENU>(::SendMessage(popup, MN_GETHMENU, 0, 0));
            firstCommand = static_cast<int>(::GetMenuItemID(menu, 0));
            pm::test::pressKey(popup, VK_ESCAPE);
        });
        list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 5));
        pump(20);
        ::KillTimer(frame->m_hWnd, 79);
        return firstCommand;
    }
    void type(const std::string& text) {
        pm::afxtest::typeText(activeView()->GetEditCtrl()->m_hWnd, text);
        pump();
    }
};

} // namespace

TEST_F(Panes, FunctionsListFollowsTheActiveDocument) {
    start({programFile("Projects/demo.js")});
    EXPECT_EQ(listItems(functions()), (std::vector<std::string>{"alpha(a, b)", "beta()"}));

    CHHEditCtrl* edit = activeView()->GetEditCtrl();
    edit->SetSel(0, 0);
    type("function gamma(x) {}");
    pump(60);
    EXPECT_EQ(listItems(functions()), (std::vector<std::string>{"alpha(a, b)", "beta()", "gamma(x)"}))
        << "a heading typed on the caret's line joins the list within the upkeep's period";

    const std::string other = programFile("Projects/other.js");
    pm::test::writeFile(other, "function only() {}\n");
    ASSERT_NE(app->OpenDocumentFile(other.c_str()), nullptr);
    pump(60);
    EXPECT_EQ(listItems(functions()), std::vector<std::string>{"only()"})
        << "the list is the active document's";
}

TEST_F(Panes, FunctionsListStaysEmptyUntilStartUpIsOver) {
    start({programFile("Projects/demo.js")}, false);
    ASSERT_NE(activeView(), nullptr) << "the command line's document is open";
    frame->RebuildFunctionsList(activeView(), TRUE);
    EXPECT_TRUE(listItems(functions()).empty()) << "before the start-up timer nothing is listed";
    pump(20);
    EXPECT_EQ(listItems(functions()).size(), 2u) << "the start-up timer lists the document's functions";
}

TEST_F(Panes, ScanlinesSetsHowFarBackAVariablesTypeIsLookedFor) {
    pm::test::writeFile(programFile("Projects/far.js"), "var d = new Date();\n\n\n\n\n");
    for (const auto& [settings, listed] :
         {std::pair<std::string, bool>{"[Intellisense]\r\nAuto=1\r\nScanlines=2\r\n", false},
          {"[Intellisense]\r\nAuto=1\r\nScanlines=10\r\n", true}}) {
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n" + settings);
        start({programFile("Projects/far.js")});
        CAutoCompleteEditCtrl* edit = activeView()->GetEditCtrl();
        edit->SetFocus();
        edit->SetSel(edit->LineIndex(5), edit->LineIndex(5));
        type("d.");
        pump(50);
        EXPECT_EQ(edit->IsListOpen() != FALSE, listed) << settings;
        stop();
    }
    SetAutoCompleteScanLines(40); // the process-wide default, for the tests after this one
}

TEST_F(Panes, InfoPaneTabsFontAndContextMenus) {
    start({programFile("Projects/demo.js")});
    CInfoTabBar& pane = frame->m_wndInfoBar;
    EXPECT_EQ(pane.m_wndTabs.SendMessage(TCM_GETITEMCOUNT), 2);
    HFONT font = static_cast<HFONT>(pane.m_font.GetSafeHandle());
    for (CWnd* wnd : {static_cast<CWnd*>(&pane.m_wndTabs), static_cast<CWnd*>(&pane.m_wndFunctions),
                      static_cast<CWnd*>(&pane.m_wndWorkDir)})
        EXPECT_EQ(reinterpret_cast<HFONT>(wnd->SendMessage(WM_GETFONT)), font)
            << "the pane's Arial everywhere";
    LOGFONT lf{};
    pane.m_font.GetLogFont(&lf);
    EXPECT_EQ(std::string(lf.lfFaceName), "Arial");
    EXPECT_EQ(lf.lfHeight, 11);

    // A right click shows the list's menu only when the list holds something.
    auto rightClick = [&](CListBox& list) { return menuOnRightClick(list) != -1; };
    EXPECT_TRUE(rightClick(functions()));
    pane.m_wndTabs.SetActivePageIndex(1);
    pane.m_wndWorkDir.ResetContent();
    pump();
    EXPECT_FALSE(rightClick(pane.m_wndWorkDir)) << "no menu on an empty list";
}

// The two lists share their mouse handling: each must still carry its own command and menu.
TEST_F(Panes, EachListDoubleClicksAndPopsUpItsOwnCommands) {
    start({programFile("Projects/demo.js")});
    EXPECT_EQ(menuOnRightClick(functions()), ID_FUNCTIONS_GOTO) << "Go to";
    CListBox& workDir = frame->m_wndInfoBar.m_wndWorkDir;
    frame->m_wndInfoBar.m_wndTabs.SetActivePageIndex(1);
    pump();
    ASSERT_GT(workDir.GetCount(), 0);
    EXPECT_EQ(menuOnRightClick(workDir), ID_WORKDIR_OPEN) << "Open in Editor";

    frame->m_wndInfoBar.m_wndTabs.SetActivePageIndex(0);
    pump();
    CRect item;
    functions().GetItemRect(1, &item);
    pm::test::doubleClick(functions().m_hWnd, item.CenterPoint());
    pump();
    CHHEditCtrl* edit = activeView()->GetEditCtrl();
    CHARRANGE sel{};
    edit->GetSel(sel);
    EXPECT_EQ(edit->LineFromChar(sel.cpMin), 7) << "the double-clicked function, beta()";
}

TEST_F(Panes, GoToFindsTheSelectedFunction) {
    start({programFile("Projects/demo.js")});
    functions().SetCurSel(1);
    command(ID_FUNCTIONS_GOTO);
    CHHEditCtrl* edit = activeView()->GetEditCtrl();
    CHARRANGE sel{};
    edit->GetSel(sel);
    EXPECT_EQ(edit->LineFromChar(sel.cpMin), 7) << "the line of beta()";
}

TEST_F(Panes, ChoosingAFunctionShowsItsHeadingInTheStatusBar) {
    start({programFile("Projects/demo.js")});
    CRect item;
    functions().GetItemRect(1, &item);
    pm::test::click(functions().m_hWnd, item.CenterPoint());
    pump();
    EXPECT_EQ(functions().GetCurSel(), 1);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(0)), "beta()");
}

TEST_F(Panes, WorkingDirListsTheFolderWithTheMaskAndOpensOnDoubleClick) {
    start();
    CListBox& list = frame->m_wndInfoBar.m_wndWorkDir;
    frame->m_wndInfoBar.m_wndTabs.SetActivePageIndex(1);
    pump();
    EXPECT_EQ(listItems(list), std::vector<std::string>{"demo.js"}) << "HelloWorld.htm does not match *.js";
    list.SetCurSel(0);
    CRect item;
    list.GetItemRect(0, &item);
    pm::test::doubleClick(list.m_hWnd, item.CenterPoint());
    pump();
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()), programFile("Projects/demo.js"));
}

TEST_F(Panes, SolutionsTreeOpensASampleOnEnter) {
    start();
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::string(tree.GetItemText(root)), "Solutions");
    HTREEITEM basics = tree.FindChild("Basics", root);
    ASSERT_NE(basics, nullptr);
    HTREEITEM loop = tree.FindChild("Loop.js", basics);
    ASSERT_NE(loop, nullptr);
    tree.SelectItem(loop);
    EXPECT_EQ(std::string(tree.GetSelectedPath()), "Solutions\\Basics\\Loop.js");
    tree.SetFocus();
    pm::afxtest::pressKey(tree.m_hWnd, VK_RETURN);
    pump();
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()),
              programFile("Solutions/Basics/Loop.js"));
}

TEST_F(Panes, SolutionsOpenTellsFoldersFromFilesByTheFileSystem) {
    // The program folder under a name with a dot, and a sample without an extension.
    const std::string dotted = folder + "/pen.folder";
    std::filesystem::create_directory(dotted);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path() != dotted)
            std::filesystem::copy(entry.path(), std::filesystem::path(dotted) / entry.path().filename(),
                                  std::filesystem::copy_options::recursive);
    pm::test::writeFile(dotted + "/Solutions/Basics/NOTES", "read me\n");
    SetAppDirectory((dotted + "/").c_str());
    start();
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    HTREEITEM basics = tree.FindChild("Basics", tree.GetRootItem());
    ASSERT_NE(basics, nullptr);
    tree.SelectItem(basics);
    command(ID_SOLUTIONS_OPEN);
    EXPECT_EQ(activeView(), nullptr) << "a folder is no document";
    EXPECT_TRUE(boxes.empty());
    tree.SelectItem(tree.FindChild("NOTES", basics));
    command(ID_SOLUTIONS_OPEN);
    ASSERT_NE(activeView(), nullptr) << "a sample without an extension opens";
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()), dotted + "/Solutions/Basics/NOTES");
}

TEST_F(Panes, SolutionsTreeShowsTheSampleFoldersAndTheirFilesSortedWithTheRootSelected) {
    for (const char* folder : {"Zeta", "Alpha", "Mid"}) {
        std::filesystem::create_directories(programFile(std::string("Solutions/") + folder));
        pm::test::writeFile(programFile(std::string("Solutions/") + folder + "/a.js"), "");
    }
    std::filesystem::create_directories(programFile("Solutions/Mid/Inner"));
    for (const char* file : {"Mid/z.js", "Mid/m.htm", "Mid/b.js", "Mid/Inner/y.js", "Mid/Inner/c.js"})
        pm::test::writeFile(programFile(std::string("Solutions/") + file), "");
    start();
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), root);
    auto entries = [&](HTREEITEM folder) {
        std::vector<std::string> names;
        for (HTREEITEM item = tree.GetChildItem(folder); item; item = tree.GetNextSiblingItem(item))
            names.emplace_back(static_cast<LPCSTR>(tree.GetItemText(item)));
        return names;
    };
    EXPECT_EQ(entries(root), (std::vector<std::string>{"Alpha", "Basics", "Forms", "Mid", "Zeta"}));
    HTREEITEM mid = tree.FindChild("Mid", root);
    ASSERT_NE(mid, nullptr);
    EXPECT_EQ(entries(mid), (std::vector<std::string>{"a.js", "b.js", "Inner", "m.htm", "z.js"}));
    EXPECT_EQ(entries(tree.FindChild("Inner", mid)), (std::vector<std::string>{"c.js", "y.js"}));
}

TEST_F(Panes, TypingAMemberAccessShowsTheMemberList) {
    pm::test::writeFile(programFile("Settings.ini"),
                        "[General]\r\nFirstTime=1\r\n[Intellisense]\r\nAuto=1\r\n");
    start({programFile("Projects/demo.js")});
    CAutoCompleteEditCtrl* edit = activeView()->GetEditCtrl();
    edit->SetFocus();
    edit->SetSel(0, 0);
    type("document.");
    pump(50);
    EXPECT_TRUE(edit->IsListOpen() && edit->GetListPopup().IsWindowVisible());
    EXPECT_GT(edit->GetListBox().GetCount(), 0);
    EXPECT_TRUE(
        pm::afxtest::savePngWithPopups(frame->m_hWnd, {edit->GetListPopup().m_hWnd}, "penmere_member_list"));
}

TEST_F(Panes, AFloatedAndAResizedPaneComeBackSoAtTheNextStart) {
    start({programFile("Projects/demo.js")});
    frame->FloatControlBar(&frame->m_wndProjBar, CPoint(500, 300));
    pump(50);
    ASSERT_TRUE(frame->m_wndProjBar.IsFloating());
    CFrameWnd* floating = frame->m_wndProjBar.GetParentFrame();
    floating->SetWindowPos(nullptr, 0, 0, 420, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    const CRect floatingRect = windowRect(floating);
    // The Info pane made wider with the splitter at its right.
    auto* left = static_cast<CDKSizeDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_FALSE(left->GetSplitters().empty());
    const int startWidth = windowRect(&frame->m_wndInfoBar).Width();
    left->MoveSplitter(static_cast<int>(left->GetSplitters().size()) - 1, 60);
    pump();
    const int width = windowRect(&frame->m_wndInfoBar).Width();
    ASSERT_EQ(width, startWidth + 60);
    EXPECT_TRUE(pm::afxtest::saveScreenPng("penmere_floating_pane"));
    stop();

    start();
    ASSERT_TRUE(frame->m_wndProjBar.IsFloating());
    EXPECT_EQ(windowRect(frame->m_wndProjBar.GetParentFrame()), floatingRect) << "in its place, at its size";
    EXPECT_EQ(windowText(frame->m_wndProjBar.GetParentFrame()->m_hWnd), "Project") << "under its title";
    EXPECT_TRUE(frame->m_wndProjBar.GetParentFrame()->IsWindowVisible());
    EXPECT_FALSE(frame->m_wndInfoBar.IsFloating());
    EXPECT_EQ(windowRect(&frame->m_wndInfoBar).Width(), width);
}

TEST_F(Panes, MenuBarShowsTheDocumentMenuAndAltActivatesIt) {
    start({programFile("Projects/demo.js")});
    CDKMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar->m_hWnd, nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr) << "the window keeps no menu of its own";
    HMENU menu = bar->GetMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.emplace_back(text);
    }
    EXPECT_EQ(items, (std::vector<std::string>{"&File", "&Edit", "&View", "&Options", "VB&Script", "&Tools",
                                               "F&unctions", "&Operators", "&Date Functions",
                                               "&Math Constants && Functions", "&String Functions",
                                               "&Window && Frame Functions", "&Document Functions", "&Events",
                                               "Htm&l", "&Window", "&Help"}));
    EXPECT_TRUE(CDKMenuBarMDIFrameWnd::AreHooksInstalled());
    EXPECT_EQ(bar->SendMessage(TB_BUTTONCOUNT), 17) << "one button per item: the maximised child adds none";

    frame->SetActiveWindow();
    pm::afxtest::holdKey(activeView()->GetEditCtrl()->m_hWnd, VK_MENU, true);
    pm::afxtest::holdKey(activeView()->GetEditCtrl()->m_hWnd, VK_MENU, false);
    pump();
    EXPECT_TRUE(bar->m_bKeyboardMode) << "Alt pressed and released alone activates the menu bar";
    pm::test::pressKey(activeView()->GetEditCtrl()->m_hWnd, VK_F10);
    pump();
    EXPECT_FALSE(bar->m_bKeyboardMode) << "F10 leaves the menu bar";
    pm::test::pressKey(activeView()->GetEditCtrl()->m_hWnd, VK_F10);
    pump();
    EXPECT_TRUE(bar->m_bKeyboardMode) << "F10 activates the menu bar as Alt does";

    // Down opens the File menu in the menu loop; a picture is taken there and Esc closes it.
    static std::function<void()> inLoop;
    bool pictured = false;
    inLoop = [&] {
        std::vector<HWND> popups;
        for (HWND h = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr); h;
             h = ::FindWindowEx(nullptr, h, "#32768", nullptr))
            if (::IsWindowVisible(h)) popups.push_back(h);
        pictured =
            !popups.empty() && pm::afxtest::savePngWithPopups(frame->m_hWnd, popups, "penmere_bitmap_menu");
        for (HWND h : popups)
            pm::test::pressKey(h, VK_ESCAPE);
        if (!popups.empty()) pm::test::pressKey(popups[0], VK_ESCAPE);
    };
    ::SetTimer(frame->m_hWnd, 79, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hwnd, id);
        inLoop();
    });
    bar->HandleMenuKey(VK_DOWN);
    pump();
    EXPECT_TRUE(pictured) << "the File menu opened from the bar";
    stop();
    EXPECT_FALSE(CDKMenuBarMDIFrameWnd::AreHooksInstalled()) << "closing the last frame removes the hooks";
}

TEST_F(Panes, InContextHelpTheMenuBarFollowsThePointerAndACommandShowsItsHelp) {
    start({programFile("Projects/demo.js")});
    CDKMenuBar* bar = frame->GetMenuBar();
    CRect file, edit;
    bar->GetItemRect(0, &file);
    bar->GetItemRect(1, &edit);
    // The pointer's messages come first; then a command is chosen (posted ones would come before
    // the input). Should a menu have opened all the same, it is seen and closed here.
    static bool menuOpened;
    menuOpened = false;
    ::SetTimer(frame->m_hWnd, 79, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hwnd, id);
        HWND popup = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr);
        if (popup && ::IsWindowVisible(popup)) {
            menuOpened = true;
            pm::test::pressKey(popup, VK_ESCAPE);
        }
        ::PostMessage(hwnd, WM_COMMAND, ID_VIEW_HTML_BAR, 0);
    });
    pm::test::click(bar->m_hWnd, file.CenterPoint());
    pm::test::moveMouse(bar->m_hWnd, edit.CenterPoint());
    frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_FALSE(frame->m_bHelpMode);
    EXPECT_FALSE(menuOpened) << "a click on the bar with no menu open does nothing";
    EXPECT_EQ(bar->SendMessage(TB_GETHOTITEM), 1) << "the bar follows the pointer";
    EXPECT_TRUE(frame->m_wndHtmlBar.IsWindowVisible()) << "the command showed its help instead of running";
    EXPECT_EQ(boxes, std::vector<std::string>{"No help is available for this item."})
        << "there is no help engine";
    command(ID_VIEW_HTML_BAR);
    EXPECT_FALSE(frame->m_wndHtmlBar.IsWindowVisible()) << "after help mode the command runs";
}

TEST_F(Panes, RefreshKeepsTheSelectedFunctionAlsoWhenItIsTheLast) {
    start({programFile("Projects/demo.js")});
    functions().SetCurSel(1);
    command(ID_FUNCTIONS_REFRESH);
    EXPECT_EQ(functions().GetCurSel(), 1);
}

TEST_F(Panes, ProjectTreePathsAndNotifications) {
    start();
    CNotifyTreeCtrl& tree = frame->m_wndProjBar.m_wndTree;
    tree.DeleteAllItems();
    HTREEITEM root = tree.InsertItem("Solutions");
    CStringList paths;
    for (const char* p : {"a\\b.js", "a\\c.js", "A\\d.js", "top.js", "a\\b.js"})
        paths.AddTail(p);
    tree.AddPaths(paths);
    HTREEITEM a = tree.FindChild("a", root);
    ASSERT_NE(a, nullptr);
    EXPECT_NE(tree.FindChild("A", root), nullptr) << "texts are compared with case";
    EXPECT_NE(tree.FindChild("top.js", root), nullptr) << "a path without a folder goes under the first root";
    int children = 0;
    for (HTREEITEM c = tree.GetChildItem(a); c; c = tree.GetNextSiblingItem(c))
        ++children;
    EXPECT_EQ(children, 2) << "one node a with b.js and c.js, b.js once";
    tree.SelectItem(root);
    EXPECT_EQ(std::string(tree.GetSelectedPath()), "Solutions") << "a root item's path is its own text";

    // Commands the tree sends, seen by a window of the test's.
    struct Target : CWnd {
        std::vector<UINT> commands;
        BOOL OnCommand(WPARAM wParam, LPARAM) override {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
    } target;
    ASSERT_TRUE(
        target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    tree.SetNotify(&target, ID_SOLUTIONS_TREE_OPEN);
    tree.SelectItem(nullptr);
    tree.SetFocus();
    pm::afxtest::pressKey(tree.m_hWnd, VK_RETURN);
    pump();
    EXPECT_TRUE(target.commands.empty()) << "Enter with nothing selected sends nothing";
    CRect rootRect;
    tree.GetItemRect(root, &rootRect, TRUE);
    pm::test::click(tree.m_hWnd, CPoint(rootRect.right + 40, rootRect.bottom + 200), VK_RBUTTON);
    pump();
    EXPECT_EQ(target.commands, std::vector<UINT>{ID_SOLUTIONS_TREE_MENU})
        << "a right click sends 1076 even with nothing selected";
    tree.SetNotify(frame, ID_SOLUTIONS_TREE_OPEN);
    target.DestroyWindow();
}

TEST_F(Panes, CtrlEPopsUpTheFunctionsMenuAtTheCursor) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start({programFile("Projects/demo.js")});
    ASSERT_NE(activeView(), nullptr);
    ::SetCursorPos(200, 150);
    static std::function<void()> inLoop;
    CRect place;
    bool pictured = false;
    inLoop = [&] {
        HWND popup = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr);
        if (!popup || !::IsWindowVisible(popup)) return;
        ::GetWindowRect(popup, &place);
        pictured = pm::afxtest::savePngWithPopups(frame->m_hWnd, {popup}, "penmere_functions_popup");
        pm::test::pressKey(popup, VK_ESCAPE);
    };
    ::SetTimer(frame->m_hWnd, 79, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hwnd, id);
        inLoop();
    });
    pm::afxtest::pressKey(activeView()->GetEditCtrl()->m_hWnd, 'E', false, true);
    pump();
    EXPECT_TRUE(pictured) << "Ctrl+E opened a menu";
    EXPECT_EQ(place.TopLeft(), CPoint(205, 155)) << "at the cursor";
}
