// The sample editor driven as a user would: new documents, typing, saving, recent files, closing
// with the save prompt, the Window menu, tiling and cascading, a maximised child, the status bar's
// prompts and the tool bar's update handlers.

#include "cmake/test_files.h"
#include "platform/framework/sample/SampleEditor.h"
#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <memory>

using sample::CSampleApp;

namespace {

std::string windowText(HWND hwnd) {
    char text[512] = {};
    ::GetWindowText(hwnd, text, sizeof(text));
    return text;
}

HMENU popupNamed(HMENU bar, const char* name) {
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        char text[64] = {};
        ::GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        if (std::string(text) == name) return ::GetSubMenu(bar, i);
    }
    return nullptr;
}

std::vector<std::string> itemTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class SampleEditor : public ::testing::Test {
protected:
    void SetUp() override {
        folder = pm::afxtest::makeTempFolder();
        app = std::make_unique<CSampleApp>();
        ASSERT_TRUE(app->InitApplication());
        ASSERT_TRUE(app->InitInstance());
        frame = app->MainFrame();
        main = frame->m_hWnd;
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return answer;
        });
        pm::afxtest::pump();
    }
    void TearDown() override {
        answer = IDNO;
        pm::setDialogHook(nullptr);
        pm::setCommonDialogHook(nullptr);
        if (::IsWindow(main)) ::SendMessage(main, WM_CLOSE, 0, 0);
        pm::afxtest::pump();
        pm::setMessageBoxHook(nullptr);
        app.reset();
        pm::afxtest::removeFolder(folder);
    }
    // File New, choosing the document type by its place in the list.
    sample::CTextView* newDocument(int type = 0) {
        pm::setDialogHook([type](HWND dialog) {
            ::SendDlgItemMessageA(dialog, 100, LB_SETCURSEL, static_cast<WPARAM>(type), 0);
            ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        });
        command(ID_FILE_NEW);
        pm::setDialogHook(nullptr);
        return activeView();
    }
    void command(UINT id) {
        ::SendMessage(main, WM_COMMAND, id, 0);
        pm::afxtest::pump();
    }
    CMDIChildWnd* activeChild() { return frame->MDIGetActive(); }
    sample::CTextView* activeView() {
        CMDIChildWnd* child = activeChild();
        return child ? static_cast<sample::CTextView*>(child->GetActiveView()) : nullptr;
    }
    void type(sample::CTextView* view, const std::string& text) {
        view->SetFocus();
        pm::afxtest::typeText(view->m_hWnd, text);
    }
    void answerSaveAs(const std::string& path) {
        pm::setCommonDialogHook([path](const pm::CommonDialogRequest&) {
            pm::CommonDialogAnswer a;
            a.accepted = true;
            a.paths = {path};
            return a;
        });
    }
    // The menu item states after the frame's update handlers ran for the popup.
    UINT itemState(HMENU popup, UINT id) {
        ::SendMessage(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return ::GetMenuState(popup, id, MF_BYCOMMAND);
    }

    std::string folder;
    std::unique_ptr<CSampleApp> app;
    sample::CMainFrame* frame = nullptr;
    HWND main = nullptr;
    std::vector<std::string> boxes;
    int answer = IDCANCEL;
};

} // namespace

TEST_F(SampleEditor, NewTypeTitleAndSaveAsWritesExactlyTheBytes) {
    sample::CTextView* view = newDocument();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(windowText(activeChild()->m_hWnd), "Text1");
    type(view, "hello world");
    EXPECT_EQ(windowText(activeChild()->m_hWnd), "Text1 *");
    EXPECT_EQ(windowText(main), "Sample Editor - Text1");

    std::string path = folder + "/out.txt";
    answerSaveAs(path);
    command(ID_FILE_SAVE_AS);
    EXPECT_EQ(pm::test::readFile(path), "hello world");
    EXPECT_EQ(windowText(activeChild()->m_hWnd), "out.txt");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SampleEditor, ReopensFromTheRecentFileList) {
    std::string path = folder + "/recent.txt";
    type(newDocument(), "kept text");
    answerSaveAs(path);
    command(ID_FILE_SAVE_AS);
    command(ID_FILE_CLOSE);
    ASSERT_EQ(activeChild(), nullptr);

    HMENU file = popupNamed(::GetMenu(main), "&File");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(itemState(file, ID_FILE_MRU_FILE1) & MF_GRAYED, 0u);
    std::vector<std::string> items = itemTexts(file);
    bool listed = false;
    for (const std::string& text : items)
        listed = listed || (text.rfind("&1 ", 0) == 0 && text.find("recent.txt") != std::string::npos);
    EXPECT_TRUE(listed);

    command(ID_FILE_MRU_FILE1);
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetText()), "kept text");
    EXPECT_EQ(windowText(activeChild()->m_hWnd), "recent.txt");
}

TEST_F(SampleEditor, ClosingAModifiedDocumentAsksAndLosesNothing) {
    type(newDocument(), "draft");
    CMDIChildWnd* child = activeChild();

    answer = IDCANCEL;
    command(ID_FILE_CLOSE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Save changes to Text1?");
    EXPECT_EQ(activeChild(), child) << "Cancel keeps the document";
    EXPECT_TRUE(child->GetActiveDocument()->IsModified());

    answer = IDYES;
    std::string path = folder + "/draft.txt";
    answerSaveAs(path);
    command(ID_FILE_CLOSE);
    EXPECT_EQ(activeChild(), nullptr);
    EXPECT_EQ(pm::test::readFile(path), "draft") << "Yes saves before closing";

    type(newDocument(), "thrown away");
    answer = IDNO;
    boxes.clear();
    command(ID_FILE_CLOSE);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(activeChild(), nullptr);
    EXPECT_EQ(pm::test::readFile(path), "draft") << "No leaves every file alone";
}

TEST_F(SampleEditor, ClosingTheProgramWithCancelKeepsEverything) {
    type(newDocument(), "unsaved");
    answer = IDCANCEL;
    ::SendMessage(main, WM_CLOSE, 0, 0);
    pm::afxtest::pump();
    EXPECT_TRUE(::IsWindow(main));
    ASSERT_NE(activeView(), nullptr);
    EXPECT_EQ(std::string(activeView()->GetText()), "unsaved");
}

TEST_F(SampleEditor, WindowMenuTileAndCascade) {
    type(newDocument(), "The first document");
    CMDIChildWnd* first = activeChild();
    type(newDocument(1), "A note");
    CMDIChildWnd* second = activeChild();
    ASSERT_NE(first, second);
    EXPECT_EQ(windowText(second->m_hWnd), "Note1 *");

    command(ID_WINDOW_TILE_HORZ);
    CRect a, b;
    first->GetWindowRect(&a);
    second->GetWindowRect(&b);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(&a, &b)) << "tiled children do not overlap";
    pm::afxtest::savePng(main, "sample_editor_tiled");

    command(ID_WINDOW_CASCADE);
    first->GetWindowRect(&a);
    second->GetWindowRect(&b);
    EXPECT_NE(a.TopLeft(), b.TopLeft());
    EXPECT_TRUE(overlap.IntersectRect(&a, &b)) << "cascaded children overlap";

    HMENU window = popupNamed(::GetMenu(main), "&Window");
    ASSERT_NE(window, nullptr);
    std::vector<std::string> items = itemTexts(window);
    ASSERT_GE(items.size(), 2u);
    bool listsBoth = false;
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        listsBoth = listsBoth || (items[i].find("Text1") != std::string::npos &&
                                  items[i + 1].find("Note1") != std::string::npos);
    EXPECT_TRUE(listsBoth);
    command(AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(activeChild(), first);
}

TEST_F(SampleEditor, MaximisedChildPutsItsButtonsInTheMenuBar) {
    newDocument();
    newDocument(1);
    int before = ::GetMenuItemCount(::GetMenu(main));
    frame->MDIMaximize(activeChild());
    pm::afxtest::pump();
    EXPECT_TRUE(activeChild()->IsZoomed());
    EXPECT_GT(::GetMenuItemCount(::GetMenu(main)), before);
    EXPECT_NE(windowText(main).find("Note1"), std::string::npos);
    pm::afxtest::savePng(main, "sample_editor_maximised");
}

TEST_F(SampleEditor, StatusBarShowsPromptsAndTheIdleMessage) {
    EXPECT_EQ(std::string(frame->m_wndStatusBar.PaneText(0)), "Ready");
    ::SendMessage(main, WM_MENUSELECT, MAKEWPARAM(ID_FILE_OPEN, MF_STRING),
                  reinterpret_cast<LPARAM>(::GetMenu(main)));
    EXPECT_EQ(std::string(frame->m_wndStatusBar.PaneText(0)), "Open an existing document");
    ::SendMessage(main, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.PaneText(0)), "Ready");
    pm::afxtest::savePng(main, "sample_editor_bars");
}

TEST_F(SampleEditor, ToolBarAndMenusFollowTheUpdateHandlersAtIdle) {
    auto enabled = [this](UINT id) { return (frame->m_wndToolBar.ButtonState(id) & TBSTATE_ENABLED) != 0; };
    EXPECT_TRUE(enabled(ID_FILE_NEW));
    EXPECT_FALSE(enabled(ID_FILE_SAVE)) << "no document, no handler";
    EXPECT_FALSE(enabled(ID_EDIT_CUT));

    sample::CTextView* view = newDocument();
    type(view, "select me");
    EXPECT_TRUE(enabled(ID_FILE_SAVE));
    EXPECT_FALSE(enabled(ID_EDIT_CUT)) << "nothing selected";
    view->SendMessage(EM_SETSEL, 0, -1);
    pm::afxtest::runIdle();
    EXPECT_TRUE(enabled(ID_EDIT_CUT));

    HMENU edit = popupNamed(::GetMenu(main), "&Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(itemState(edit, ID_EDIT_CUT) & MF_GRAYED, 0u);
    HMENU viewMenu = popupNamed(::GetMenu(main), "&View");
    EXPECT_NE(itemState(viewMenu, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);
    command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(itemState(viewMenu, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);
}

TEST_F(SampleEditor, AcceleratorsReachTheCommands) {
    sample::CTextView* view = newDocument();
    type(view, "abc");
    std::string path = folder + "/keys.txt";
    answerSaveAs(path);
    view->SetFocus();
    pm::afxtest::pressKey(view->m_hWnd, 'S', false, true);
    EXPECT_EQ(pm::test::readFile(path), "abc");
}

TEST_F(SampleEditor, NewWindowNumbersTheFramesOfADocument) {
    newDocument();
    CMDIChildWnd* first = activeChild();
    command(ID_WINDOW_NEW);
    CMDIChildWnd* second = activeChild();
    ASSERT_NE(first, second);
    EXPECT_EQ(second->GetActiveDocument(), first->GetActiveDocument());
    EXPECT_EQ(windowText(first->m_hWnd), "Text1:1");
    EXPECT_EQ(windowText(second->m_hWnd), "Text1:2");
    second->SendMessage(WM_CLOSE);
    pm::afxtest::pump();
    EXPECT_EQ(windowText(first->m_hWnd), "Text1") << "one frame left: no number";
}

TEST_F(SampleEditor, ControlF4ClosesTheActiveChildThroughTheSavePrompt) {
    sample::CTextView* view = newDocument();
    type(view, "unsaved");
    CMDIChildWnd* child = activeChild();
    answer = IDCANCEL;
    view->SetFocus();
    pm::afxtest::pressKey(view->m_hWnd, VK_F4, false, true);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(activeChild(), child);
    answer = IDNO;
    pm::afxtest::pressKey(view->m_hWnd, VK_F4, false, true);
    EXPECT_EQ(activeChild(), nullptr);
}

TEST_F(SampleEditor, AChildFramesPromptsShowInTheMainStatusBar) {
    newDocument();
    activeChild()->SetMessageText(ID_FILE_SAVE);
    EXPECT_EQ(std::string(frame->m_wndStatusBar.PaneText(0)), "Save the active document");
}

namespace {

struct MenuWatch {
    HHOOK hook = nullptr;
    sample::CSampleStatusBar* bar = nullptr;
    std::vector<std::string> prompts;
};
MenuWatch menuWatch;

// Sees each message of the menu loop: records the status bar's text while the menu is open.
LRESULT CALLBACK watchMenuLoop(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU) menuWatch.prompts.push_back(std::string(menuWatch.bar->PaneText(0)));
    return CallNextHookEx(menuWatch.hook, code, wParam, lParam);
}

} // namespace

TEST_F(SampleEditor, StatusBarFollowsTheHighlightedItemOfAnOpenMenu) {
    menuWatch = MenuWatch{};
    menuWatch.bar = &frame->m_wndStatusBar;
    menuWatch.hook = ::SetWindowsHookEx(WH_MSGFILTER, &watchMenuLoop, nullptr, ::GetCurrentThreadId());
    // Down moves from New to Open; Escape twice leaves the menu.
    ::PostMessage(main, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessage(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessage(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessage(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessage(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ::UnhookWindowsHookEx(menuWatch.hook);
    pm::afxtest::pump();
    auto saw = [](const char* prompt) {
        return std::find(menuWatch.prompts.begin(), menuWatch.prompts.end(), prompt) !=
               menuWatch.prompts.end();
    };
    EXPECT_TRUE(saw("Create a new document"));
    EXPECT_TRUE(saw("Open an existing document"));
    EXPECT_EQ(std::string(frame->m_wndStatusBar.PaneText(0)), "Ready")
        << "the idle prompt when the menu closed";
}

TEST_F(SampleEditor, OpenAndSaveKeepLineEndsAndBytes) {
    std::string source = folder + "/mixed.txt";
    const std::string bytes = "first\nsecond\r\nthird \xC3\xA9 \xE9\n";
    pm::test::writeFile(source, bytes);
    ASSERT_NE(app->OpenDocumentFile(source.c_str()), nullptr);
    std::string copy = folder + "/copy.txt";
    answerSaveAs(copy);
    command(ID_FILE_SAVE_AS);
    EXPECT_EQ(pm::test::readFile(copy), bytes);
}
