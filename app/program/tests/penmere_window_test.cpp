// The editor driven as a user would, offscreen: the first run and the runs after it, opening,
// editing and saving a file byte for byte, closing with unsaved edits, the open-file list, damaged
// settings and bar layouts, and a picture of the main window with a coloured script.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/CHHLineMarker.h"
#include "platform/win/richedit.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"

#include <filesystem>

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> openPaths(CMainFrame* frame) {
    return frame->GetOpenFileList();
}

// The pixels of the colour in the window's top left 600 x 300 pixels, as painted.
int pixelsOf(HWND hwnd, COLORREF colour) {
    HDC dc = ::GetDC(hwnd);
    int count = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 600; ++x)
            count += ::GetPixel(dc, x, y) == colour;
    ::ReleaseDC(hwnd, dc);
    return count;
}

} // namespace

TEST_F(PenmereTest, FirstRunShowsTheWelcomePageAndTheSampleOnlyOnce) {
    start();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(endsWith(opened[0], "/Welcome.htm")) << opened[0];
    ASSERT_NE(activeView(), nullptr);
    EXPECT_TRUE(endsWith(std::string(activeView()->GetDocument()->GetPathName()), "Projects/HelloWorld.htm"));
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "penmere_first_run"));
    EXPECT_NE(pm::test::readFile(programFile("Settings.ini")).find("FirstTime=1"), std::string::npos);
    stop();

    opened.clear();
    start();
    EXPECT_TRUE(opened.empty()) << "the welcome page shows on the first run only";
    EXPECT_EQ(openPaths(frame).size(), 1u) << "the sample comes back as part of the open-file list, once";
}

TEST_F(PenmereTest, StartingWithoutAFileOpensNoDocumentAfterTheFirstRun) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    EXPECT_EQ(activeView(), nullptr);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(windowText(frame->m_hWnd), "Corvane JavaScript Editor");
}

TEST_F(PenmereTest, AFileNamedAtTheStartThatCannotBeOpenedIsReportedAndTheEditorStarts) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n[Workspace]\r\n0=" +
                                                         programFile("Projects/demo.js") + "\r\n");
    start({programFile("Projects/gone.js")});
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsWindowVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("gone.js"), std::string::npos) << boxes[0];
    EXPECT_EQ(openPaths(frame), std::vector<std::string>{programFile("Projects/demo.js")})
        << "the last run's documents come back";

    boxes.clear();
    EXPECT_EQ(app->OpenDocumentFile(programFile("Projects").c_str()), nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{programFile("Projects") + "\nThis is a folder, not a file."});
}

TEST_F(PenmereTest, OpenEditAndSaveKeepEveryByteAndTheTitleMark) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/mixed.js");
    pm::test::writeFile(path, "var a = 1;\r\nvar b = \"\xC3\xA9\";\nvar c;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CMDIChildWnd* child = frame->MDIGetActive();
    EXPECT_EQ(windowText(child->m_hWnd), "mixed.js");

    view->GetEditCtrl()->SetSel(0, 0);
    pm::afxtest::typeText(view->GetEditCtrl()->m_hWnd, "x");
    pump();
    EXPECT_EQ(windowText(child->m_hWnd), "mixed.js *");
    EXPECT_EQ(std::string(view->GetDocument()->GetTitle()), "mixed.js *");

    command(ID_FILE_SAVE);
    EXPECT_EQ(pm::test::readFile(path), "xvar a = 1;\r\nvar b = \"\xC3\xA9\";\nvar c;\n");
    EXPECT_EQ(windowText(child->m_hWnd), "mixed.js");
    EXPECT_FALSE(view->GetDocument()->IsModified());

    // The status bar's line and column follow the caret, also when a key typed is coloured at once.
    view->GetEditCtrl()->SetSel(3, 3);
    pump();
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(1)), "  1, 4");
    ::SendMessage(view->GetEditCtrl()->m_hWnd, WM_CHAR, 'y', 0);
    pump();
    EXPECT_EQ(std::string(frame->m_wndStatusBar.GetPaneText(1)), "  1, 5");
}

TEST_F(PenmereTest, TheLineColumnPaneWidensForTheNumbersOfALongFile) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "var x;\n";
    const std::string path = programFile("Projects/long.js");
    pm::test::writeFile(path, text + "            last();\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    view->GetEditCtrl()->GoToLine(200000, 11);
    pump();
    CStatusBar& bar = frame->m_wndStatusBar;
    const int pane = bar.CommandToIndex(ID_INDICATOR_LINECOL);
    ASSERT_EQ(std::string(bar.GetPaneText(pane)), "200001, 12");
    CRect rect;
    bar.GetItemRect(pane, &rect);
    CClientDC dc(&bar);
    CFont* old = dc.SelectObject(bar.GetFont());
    const int needed = dc.GetTextExtent(bar.GetPaneText(pane)).cx;
    dc.SelectObject(old);
    EXPECT_GE(rect.Width() - 6, needed) << "the text fits inside the pane's edge and margins";
}

TEST_F(PenmereTest, ClosingWithUnsavedEditsAsksAndLosesNothing) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/demo.js");
    const std::string original = pm::test::readFile(path);
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    view->GetEditCtrl()->SetSel(0, 0);
    pm::afxtest::typeText(view->GetEditCtrl()->m_hWnd, "// ");
    pump();

    boxAnswer = IDCANCEL;
    ::SendMessage(frame->m_hWnd, WM_CLOSE, 0, 0);
    pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("demo.js"), std::string::npos);
    ASSERT_TRUE(::IsWindow(frame->m_hWnd)) << "Cancel keeps the program open";
    EXPECT_FALSE(frame->IsClosing()) << "a cancelled close leaves the frame working as before";
    EXPECT_EQ(pm::test::readFile(path), original);

    boxAnswer = IDYES;
    // A frame deletes itself with its window: only the handle is asked about afterwards.
    const HWND hFrame = frame->m_hWnd;
    ::SendMessage(hFrame, WM_CLOSE, 0, 0);
    frame = nullptr;
    pump();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(pm::test::readFile(path), "// " + original);
}

TEST_F(PenmereTest, TheOpenFileListComesBackWithoutFilesThatAreGone) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string kept = programFile("Projects/demo.js");
    const std::string gone = programFile("Projects/gone.js");
    pm::test::writeFile(gone, "function gone() {}\n");
    start({kept});
    ASSERT_NE(app->OpenDocumentFile(gone.c_str()), nullptr);
    pump();
    stop();
    std::string settings = pm::test::readFile(programFile("Settings.ini"));
    EXPECT_NE(settings.find("[Workspace]"), std::string::npos);
    EXPECT_NE(settings.find(gone), std::string::npos);

    std::filesystem::remove(gone);
    start();
    EXPECT_EQ(openPaths(frame), std::vector<std::string>{kept});
    stop();
    EXPECT_EQ(pm::test::readFile(programFile("Settings.ini")).find(gone), std::string::npos);
}

TEST_F(PenmereTest, FilesDroppedOnTheWindowOrADocumentOpenInTheirOrder) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string a = programFile("Projects/a.js"), b = programFile("Projects/b.htm");
    const std::string c = programFile("Projects/c.js");
    pm::test::writeFile(a, "var a;\n");
    pm::test::writeFile(b, "<p>b</p>\n");
    pm::test::writeFile(c, "var c;\n");
    start();
    pm::test::MessageRecorder recorder;
    recorder.watch(frame->m_hWnd, "frame");
    CRect client;
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    CPoint middle = client.CenterPoint();
    ::ClientToScreen(frame->m_hWndMDIClient, &middle);
    EXPECT_TRUE(pm::test::dropUrls(frame->m_hWnd, middle, {a, b}));
    pump();
    EXPECT_EQ(openPaths(frame), (std::vector<std::string>{a, b}));
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()), b);

    // On the document's text, as well.
    CRect text;
    activeView()->GetEditCtrl()->GetWindowRect(&text);
    EXPECT_TRUE(pm::test::dropUrls(frame->m_hWnd, text.CenterPoint(), {c}));
    pump();
    EXPECT_EQ(openPaths(frame), (std::vector<std::string>{a, b, c}));
    int drops = 0;
    for (const pm::test::Recorded& message : recorder.messages()) {
        if (message.message != WM_DROPFILES) continue;
        ++drops;
        EXPECT_EQ(::DragQueryFile(reinterpret_cast<HDROP>(message.wParam), 0xFFFFFFFF, nullptr, 0), 0u)
            << "the drop handle is released";
    }
    EXPECT_EQ(drops, 2);
}

TEST_F(PenmereTest, ToolBarButtonsShowTheirTips) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    for (CDKCoolToolBar* bar : {&frame->m_wndToolBar, &frame->m_wndHtmlBar}) {
        HWND tip = reinterpret_cast<HWND>(bar->SendMessage(TB_GETTOOLTIPS));
        ASSERT_TRUE(::IsWindow(tip)) << "CBRS_TOOLTIPS gives the bar its tips";
        CRect item;
        bar->GetItemRect(0, &item);
        pm::test::moveMouse(bar->m_hWnd, item.CenterPoint());
        for (int i = 0; i < 100 && !::IsWindowVisible(tip); ++i)
            pump(10);
        ASSERT_TRUE(::IsWindowVisible(tip));
        TOOLINFO shown{};
        shown.cbSize = sizeof shown;
        ASSERT_TRUE(::SendMessage(tip, TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&shown)));
        EXPECT_EQ(shown.uId, static_cast<UINT_PTR>(bar == &frame->m_wndToolBar ? ID_FILE_NEW : ID_HTML_BOLD));
        pm::test::moveMouse(frame->m_hWndMDIClient, CPoint(300, 300));
        pump(600);
    }
}

TEST_F(PenmereTest, RecentFilesComeBackAtTheNextStart) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string first = programFile("Projects/first.js");
    const std::string second = programFile("Projects/second.js");
    pm::test::writeFile(first, "var a;\n");
    pm::test::writeFile(second, "var b;\n");
    start({first});
    ASSERT_NE(app->OpenDocumentFile(second.c_str()), nullptr);
    pump();
    // Closed before the end, so that the next start reopens nothing that would fill the list anew.
    app->CloseAllDocuments(FALSE);
    pump();
    stop();

    start();
    EXPECT_EQ(activeView(), nullptr);
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    CRecentFileList& recent = *app->m_pRecentFileList;
    EXPECT_EQ(std::string(recent[0]), second);
    EXPECT_EQ(std::string(recent[1]), first);
}

TEST_F(PenmereTest, DamagedSettingsAndBarLayoutStartWithDefaults) {
    pm::test::writeFile(programFile("Settings.ini"),
                        std::string("\xFF\xFE[General\0\nLineNo\n=\n[[]]\nAutoReload=x\n", 40));
    start();
    pump(100);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsAutoReload());
    stop();

    BYTE garbage[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    CWinApp writer("Corvane JavaScript Editor");
    writer.SetRegistryKey("Talvora3");
    // The profile entry the frame's layout is kept in; the framework reads it field by field.
    writer.WriteProfileBinary("JSBars", "DockState", garbage, sizeof garbage);
    start();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndHtmlBar.IsWindowVisible());
}

TEST_F(PenmereTest, HiddenHtmlBarStaysHiddenAtTheNextStart) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    command(ID_VIEW_HTML_BAR);
    EXPECT_FALSE(frame->m_wndHtmlBar.IsWindowVisible());
    stop();
    start();
    EXPECT_FALSE(frame->m_wndHtmlBar.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    command(ID_VIEW_HTML_BAR);
    EXPECT_TRUE(frame->m_wndHtmlBar.IsWindowVisible());
}

TEST_F(PenmereTest, FileOpenShowsAColouredScript) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    ::MoveWindow(frame->m_hWnd, 0, 0, 1000, 700, TRUE);
    answerFileDialog(programFile("Projects/demo.js"));
    command(ID_FILE_OPEN);
    pump(50);
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetDocument()->GetPathName()), programFile("Projects/demo.js"));
    HWND edit = activeView()->GetEditCtrl()->m_hWnd;
    EXPECT_GT(pixelsOf(edit, RGB(0, 0, 255)), 50) << "keywords are blue";
    EXPECT_GT(pixelsOf(edit, RGB(0, 128, 0)), 50) << "comments are green";
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "penmere_main_window"));

    // A second document: both have a tab, the panes stay docked at the left.
    ASSERT_NE(app->OpenDocumentFile(programFile("Solutions/Basics/Loop.js").c_str()), nullptr);
    pm::afxtest::runIdle();
    pump(600);
    EXPECT_EQ(frame->m_wndTabs.Strip().SendMessage(TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(frame->m_wndTabs.Strip().SendMessage(TCM_GETCURSEL), 1)
        << "the new document's tab is the chosen one";
    EXPECT_FALSE(frame->m_wndInfoBar.IsFloating());
    EXPECT_FALSE(frame->m_wndProjBar.IsFloating());
    EXPECT_TRUE(pm::afxtest::savePng(frame->m_hWnd, "penmere_two_documents"));
}

TEST_F(PenmereTest, ViewCommandsWorkOnTheDocumentText) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/cmds.js");
    pm::test::writeFile(path, "if (a) {\n  f(x);\n}\nvar name = 1; name++;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CHHEditCtrl* edit = view->GetEditCtrl();
    auto selection = [edit] {
        CHARRANGE sel{};
        edit->GetSel(sel);
        return std::make_pair(static_cast<long>(sel.cpMin), static_cast<long>(sel.cpMax));
    };
    CString text;
    edit->GetWindowText(text);
    const long closing = static_cast<long>(std::string(text).rfind('}'));

    edit->SetSel(closing + 1, closing + 1);
    command(ID_EDIT_MATCH_BRACE);
    EXPECT_EQ(selection(), std::make_pair(7L, 7L))
        << "Ctrl+] after the closing brace goes before its partner";

    const long name = static_cast<long>(std::string(text).find("name"));
    const long second = static_cast<long>(std::string(text).rfind("name"));
    edit->SetSel(name + 1, name + 1);
    command(ID_EDIT_NEXT_WORD);
    EXPECT_EQ(selection(), std::make_pair(second, second + 4))
        << "Ctrl+F3 finds the next whole word from the caret";
    command(ID_EDIT_NEXT_WORD);
    EXPECT_EQ(selection(), std::make_pair(name, name + 4)) << "and wraps to the start";
    command(ID_EDIT_PREVIOUS_WORD);
    EXPECT_EQ(selection(), std::make_pair(second, second + 4)) << "Ctrl+Shift+F3 wraps to the end";

    command(ID_EDIT_UPPER_CASE);
    command(ID_FILE_SAVE);
    EXPECT_EQ(pm::test::readFile(path), "if (a) {\n  f(x);\n}\nvar name = 1; NAME++;\n")
        << "line ends kept, one word changed";
}

// Lower case, Clear All Bookmarks and the tab stops of command 1225, through the view.
TEST_F(PenmereTest, LowerCaseBookmarksAndTabStops) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    const std::string path = programFile("Projects/more.js");
    pm::test::writeFile(path, "var NAME = 1;\nvar b;\nvar c;\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    CAutoCompleteEditCtrl* edit = view->GetEditCtrl();
    edit->SetFocus();

    // Lower case works on a selection, and is offered only with one.
    HMENU editMenu = ::GetSubMenu(frame->GetMenu(), 1);
    auto offered = [&] {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
        return !(::GetMenuState(editMenu, ID_EDIT_LOWER_CASE, MF_BYCOMMAND) & MF_GRAYED);
    };
    edit->SetSel(4, 4);
    EXPECT_FALSE(offered());
    edit->SetSel(4, 8);
    EXPECT_TRUE(offered());
    pm::afxtest::pressKey(edit->m_hWnd, 'L', false, true);
    pump();
    EXPECT_EQ(view->GetLineText(0), "var name = 1;");
    EXPECT_EQ(viewSelection(view), std::make_pair(4L, 8L)) << "the word stays selected";

    // Alt+F2 clears every bookmark.
    edit->SetBookmark(0, TRUE);
    edit->SetBookmark(2, TRUE);
    auto bookmarks = [edit] {
        int count = 0;
        for (const CHHLineMarker& marker : edit->GetMarkers())
            count += (marker.m_nFlags & HHMARK_BOOKMARK) != 0;
        return count;
    };
    ASSERT_EQ(bookmarks(), 2);
    pm::afxtest::pressKey(edit->m_hWnd, VK_F2, false, false, true);
    pump();
    EXPECT_EQ(bookmarks(), 0);

    // Command 1225 sets 32 tab stops, a tab width apart, once its timer has run.
    edit->SetSel(5, 6);
    view->SendMessage(WM_COMMAND, ID_SET_TAB_STOPS);
    pump(10); // a 1 ms timer runs at the system's shortest period
    PARAFORMAT format{};
    format.cbSize = sizeof format;
    edit->SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    TEXTMETRIC metrics{};
    HDC dc = ::GetDC(edit->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(edit->SendMessage(WM_GETFONT)));
    ::GetTextMetrics(dc, &metrics);
    const int width =
        ::MulDiv(edit->GetTabSize() * metrics.tmAveCharWidth, 1440, ::GetDeviceCaps(dc, LOGPIXELSX));
    ::SelectObject(dc, old);
    ::ReleaseDC(edit->m_hWnd, dc);
    ASSERT_EQ(format.cTabCount, 32);
    EXPECT_EQ(format.rgxTabs[0], width);
    EXPECT_EQ(format.rgxTabs[31], 32 * width);
    EXPECT_EQ(viewSelection(view), std::make_pair(5L, 6L)) << "the selection comes back";
}

TEST_F(PenmereTest, AnUntitledDocumentIsOfferedAndAskedAboutByItsNameWithoutTheMark) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    command(ID_FILE_NEW);
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    pm::afxtest::typeText(view->GetEditCtrl()->m_hWnd, "x");
    pump();
    ASSERT_EQ(std::string(view->GetDocument()->GetTitle()), "Untitled1 *");

    std::vector<std::string> offered;
    pm::setCommonDialogHook([&offered](const pm::CommonDialogRequest& request) {
        offered.push_back(request.fileName);
        return pm::CommonDialogAnswer{};
    });
    command(ID_FILE_SAVE);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], "Untitled1.js");
    EXPECT_EQ(std::string(view->GetDocument()->GetTitle()), "Untitled1 *") << "still unsaved after Cancel";
    EXPECT_EQ(windowText(frame->MDIGetActive()->m_hWnd), "Untitled1 *");

    boxAnswer = IDCANCEL;
    ::SendMessage(frame->m_hWnd, WM_CLOSE, 0, 0);
    pump();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Save changes to Untitled1?");

    const std::string path = programFile("Projects/named.js");
    answerFileDialog(path);
    command(ID_FILE_SAVE);
    EXPECT_EQ(pm::test::readFile(path), "x");
    EXPECT_EQ(std::string(view->GetDocument()->GetTitle()), "named.js");
}
