// The macro editor's "Script" dialog opened by the module and driven by input offscreen: event
// procedures made from the combos, member lists of App, Check Syntax, Revert, the module text
// taken back and saved, and the editor opened at an error.

#include "platform/framework/tests/support/framework_test.h"
#include "scripting/CHHModuleEdit.h"
#include "platform/script/activscp.h"
#include "scripting/CHHScriptDlg.h"
#include "scripting/CHHScriptSyntaxView.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "scripting/CHHDebugApplication.h"
#include "support/debugger_fakes.h"
#include "support/script_host_fixture.h"
#include "cmake/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// The macro editor's module on an engine that can debug.
class DebuggingModuleEdit final : public CHHModuleEdit {
public:
    DebuggingModuleEdit() { m_pEngineClass = RUNTIME_CLASS(CDebuggingVBScriptEngine); }
};

// Runs a function from inside the dialog's modal loop: a message posted to this window before
// the dialog opens is dispatched by that loop.
class Driver : public CWnd {
public:
    std::function<void(HWND dialog)> drive;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_APP) return CWnd::WindowProc(message, wParam, lParam);
        HWND dialog = ::GetActiveWindow();
        if (drive) drive(dialog);
        ::SendMessage(dialog, WM_CLOSE, 0, 0);
        return 0;
    }
};

class MacroEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.NewDocument());
        // Each test starts in Event View, where the template puts the dialog.
        for (const char* key : {"X", "Y", "Width", "Height"})
            AfxGetApp()->WriteProfileInt("Settings", (std::string("CHHScriptDlg 0 ") + key).c_str(), -1);
        AfxGetApp()->WriteProfileInt("Settings", "CHHScriptDlg 0 EditMode", 0);
        host.module->Close();
        auto edit = std::make_unique<CHHModuleEdit>();
        edit->Init(nullptr);
        edit->AddNamedObject("App", &host.appObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
        edit->AddNamedObject("Doc", &host.docObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
        module = edit.get();
        host.module = std::move(edit);
        ASSERT_TRUE(
            driver.CreateEx(0, AfxRegisterWndClass(0), "driver", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    }
    void TearDown() override { driver.DestroyWindow(); }

    // Opens the editor and runs drive inside it; the dialog is closed afterwards.
    void edit(const std::function<void()>& drive, LPCTSTR object = nullptr, LPCTSTR procedure = nullptr) {
        driver.drive = [&](HWND d) {
            dialog = d;
            view = static_cast<CHHScriptViewBase*>(CWnd::FromHandle(::GetDlgItem(d, 100)));
            ctrl = view->GetEditCtrl();
            pm::afxtest::pump();
            drive();
        };
        driver.PostMessage(WM_APP);
        module->EditScript(object, procedure, -1, -1, FALSE);
    }
    std::string text() {
        CString t;
        ctrl->GetWindowText(t);
        return std::string(t, static_cast<size_t>(t.GetLength()));
    }
    std::string moduleText() {
        CString t = module->GetProcedures().GetText();
        return std::string(t, static_cast<size_t>(t.GetLength()));
    }
    // Chooses an item of a combo with the mouse: a click drops its list, a click on the item
    // chooses it.
    void choose(CComboBox& combo, const char* item) {
        const int index = view->FindComboItem(combo, item);
        ASSERT_GE(index, 0) << item;
        CRect box;
        combo.GetClientRect(&box);
        pm::afxtest::click(combo.m_hWnd, POINT{box.right - 5, box.Height() / 2});
        HWND list = droppedList();
        ASSERT_NE(list, nullptr) << "the list drops";
        RECT row{};
        ::SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
        pm::afxtest::click(list, POINT{row.left + 5, (row.top + row.bottom) / 2});
        ASSERT_EQ(droppedList(), nullptr) << "the list closes";
    }
    static HWND droppedList() {
        for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            char cls[32] = {};
            ::GetClassName(w, cls, sizeof cls);
            if (std::string(cls) == "ComboLBox" && ::IsWindowVisible(w)) return w;
        }
        return nullptr;
    }
    void caretAt(const char* marker) {
        const auto pos = static_cast<long>(text().find(marker));
        ASSERT_GE(pos, 0) << marker;
        ctrl->SetSel(pos, pos);
    }
    // Capitals go to the control as characters: the input driver types letters as lower case.
    void type(const std::string& text) {
        std::string run;
        for (char c : text) {
            if (c < 'A' || c > 'Z') {
                run += c;
                continue;
            }
            pm::afxtest::typeText(ctrl->m_hWnd, run);
            run.clear();
            ctrl->SendMessage(WM_CHAR, static_cast<WPARAM>(c));
        }
        pm::afxtest::typeText(ctrl->m_hWnd, run);
    }
    // Chooses an item of the edit control's context menu by its mnemonic, from the keyboard.
    void contextCommand(int mnemonic) {
        pm::afxtest::queueKey(ctrl->m_hWnd, VK_F10, true); // Shift+F10
        pm::afxtest::queueKey(ctrl->m_hWnd, mnemonic);
        pm::afxtest::pump();
    }
    // Chooses an item of the dialog's "Script" menu by its mnemonic, from the keyboard.
    void scriptMenu(int mnemonic) {
        pm::afxtest::queueKey(ctrl->m_hWnd, 'S', false, false, true);
        pm::afxtest::queueKey(ctrl->m_hWnd, mnemonic);
        pm::afxtest::pump();
    }
    bool grayed(UINT id) { return (::GetMenuState(::GetMenu(dialog), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    std::vector<std::string> listItems() {
        std::vector<std::string> items;
        CHHMemberListBox& list = ctrl->GetListBox();
        for (int i = 0; i < list.GetCount(); ++i)
            items.emplace_back(reinterpret_cast<const CHHMemberItem*>(list.GetItemData(i))->m_strText);
        return items;
    }

    scripttest::ScriptHost host;
    CHHModuleEdit* module = nullptr;
    Driver driver;
    HWND dialog = nullptr;
    CHHScriptViewBase* view = nullptr;
    CHHScriptEditCtrl* ctrl = nullptr;
};

TEST_F(MacroEditor, ChoosingAppAndTimerCreatesTheHandlerAndTheModuleTakesItBack) {
    edit([&] {
        char caption[32] = {};
        ::GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Script");
        EXPECT_NE(dynamic_cast<CHHScriptSyntaxView*>(view), nullptr);
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        EXPECT_EQ(text(), "Sub App_Timer()\r\n\t\r\nEnd Sub\r\n\r\n");
        CHARRANGE sel{};
        ctrl->GetSel(sel);
        EXPECT_EQ(sel.cpMin, static_cast<long>(text().find('\t')) + 1) << "the caret stands after the tab";
        pm::afxtest::typeText(ctrl->m_hWnd, "n = 1");
    });
    EXPECT_EQ(moduleText(), "Sub App_Timer()\r\n\tn = 1\r\nEnd Sub\r\n\r\n");
}

TEST_F(MacroEditor, TypingAppDotListsAppsMembers) {
    edit([&] {
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        pm::afxtest::typeText(ctrl->m_hWnd, "app.");
        pm::afxtest::pump();
        ASSERT_TRUE(ctrl->IsListOpen());
        const std::vector<std::string> items = listItems();
        for (const char* member : {"TimerInterval", "StopScript"})
            EXPECT_NE(std::find(items.begin(), items.end(), member), items.end()) << member;
    });
}

TEST_F(MacroEditor, CheckSyntaxPutsTheCaretOnTheErrorAndRevertBringsBackTheShownText) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n", &parser);
    edit([&] {
        caretAt("x = 1");
        pm::afxtest::typeText(ctrl->m_hWnd, "lost");
        contextCommand('R'); // "&Revert to Saved"
        EXPECT_EQ(text(), "Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n");

        caretAt("\r\nEnd Sub");
        pm::afxtest::typeText(ctrl->m_hWnd, "\ry = (1 +");
        ctrl->SetSel(0, 0);
        contextCommand('S'); // "Check &Syntax"
        ASSERT_EQ(host.dialogCaptions, std::vector<std::string>{"Syntax Error"});
        int line = -1, column = -1;
        ASSERT_EQ(std::sscanf(host.dialogTexts[0].c_str(), "Line %d, Column %d", &line, &column), 2);
        EXPECT_EQ(line, 2) << host.dialogTexts[0];
        CHARRANGE sel{};
        ctrl->GetSel(sel);
        EXPECT_EQ(sel.cpMin, sel.cpMax);
        EXPECT_EQ(sel.cpMin, ctrl->LineIndex(line) + column) << "the caret at the error's line and column";
        pm::afxtest::savePng(dialog, "macro_editor_syntax_view");
    });
}

TEST_F(MacroEditor, ObjectViewShowsTwoProceduresWithAMemberList) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\n"
                                  "Sub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n\r\n",
                                  &parser);
    edit([&] {
        ::SetWindowPos(dialog, nullptr, 0, 0, 560, 380, SWP_NOMOVE | SWP_NOZORDER); // room for the list
        pm::afxtest::click(view->GetDlgItem(IDC_HHSV_OBJECT_VIEW)->m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
        EXPECT_EQ(text(), moduleText());
        caretAt("t = 1");
        pm::afxtest::typeText(ctrl->m_hWnd, "doc.");
        pm::afxtest::pump();
        EXPECT_TRUE(ctrl->IsListOpen());
        pm::afxtest::savePngWithPopups(dialog, {ctrl->GetListPopup().m_hWnd}, "macro_editor_object_view");
    });
}

TEST_F(MacroEditor, SavedModuleReopensWithTheSameBytes) {
    const std::string folder = pm::afxtest::makeTempFolder();
    edit([&] {
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        pm::afxtest::typeText(ctrl->m_hWnd, "n = 2");
    });
    const std::string first = folder + "/first.hbs", second = folder + "/second.hbs";
    ASSERT_TRUE(module->SaveToFile(first.c_str()));
    ASSERT_TRUE(module->LoadFromFile(first.c_str()));
    edit([] {});
    ASSERT_TRUE(module->SaveToFile(second.c_str()));
    EXPECT_EQ(pm::test::readFile(first), pm::test::readFile(second));
    EXPECT_NE(pm::test::readFile(first).find("n = 2"), std::string::npos);
    pm::afxtest::removeFolder(folder);
}

TEST_F(MacroEditor, EditAtErrorOpensTheEditorAtTheErrorLine) {
    host.answerButton = 28279; // End
    host.RunMacro("Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\nx = 1 / 0\r\n");
    ASSERT_TRUE(module->IsErrorPending());
    const int line = module->GetErrorLine();
    int caretLine = -1;
    driver.drive = [&](HWND d) {
        ctrl = static_cast<CHHScriptViewBase*>(CWnd::FromHandle(::GetDlgItem(d, 100)))->GetEditCtrl();
        caretLine = static_cast<int>(ctrl->LineFromChar(-1));
    };
    driver.PostMessage(WM_APP);
    module->EditAtError(FALSE);
    EXPECT_EQ(caretLine, line);
    EXPECT_FALSE(module->IsErrorPending());
}

TEST_F(MacroEditor, AnErrorEndedWhileTheEditorIsOpenIsShownThereAndLeftNoneToOpenItAgain) {
    module->SetEditOnError(TRUE);
    host.answerButton = 28279; // End
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("x = 1\r\ny = 2\r\nz = x / 0\r\n", &parser);
    int caretLine = -1;
    edit([&] {
        ctrl->SetSel(0, 0);
        module->Run();
        caretLine = static_cast<int>(ctrl->LineFromChar(-1));
        EXPECT_FALSE(module->IsErrorPending()) << "shown in the open editor";
    });
    EXPECT_EQ(caretLine, module->GetErrorLine());
    EXPECT_EQ(module->GetErrorLine(), 2);
    EXPECT_FALSE(module->IsErrorPending()) << "nothing left to open the editor again";
}

} // namespace

namespace {

TEST_F(MacroEditor, AHeaderLineTypedInABodyBecomesAProcedureOfItsOwn) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n", &parser);
    edit([&] {
        caretAt("\r\nEnd Sub");
        type("\rSub Helper()");
        ctrl->SendMessage(WM_CHAR, '\r');
        pm::afxtest::pump();
        EXPECT_EQ(text(), "Sub Helper()\r\n\t\r\nEnd Sub\r\n\r\n") << "the new procedure is shown";
        EXPECT_EQ(std::string(CHHScriptViewBase::ComboText(view->GetObjectsCombo())), "(General)");

        // The same header again: the typed line goes, the procedure stays as it was.
        caretAt("\r\nEnd Sub");
        type("keep\rSub App_Timer()");
        ctrl->SendMessage(WM_CHAR, '\r');
        pm::afxtest::pump();
        EXPECT_EQ(text(), "Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n");
    });
    EXPECT_EQ(moduleText(), "Sub Helper()\r\n\tkeep\r\nEnd Sub\r\n\r\n"
                            "Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n");
}

TEST_F(MacroEditor, ModeSwitchesKeepEditsAndBlankProceduresGo) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n", &parser);
    edit([&] {
        view->SetEditMode(HHMODE_MODULE);
        caretAt("x = 1");
        pm::afxtest::typeText(ctrl->m_hWnd, "full");
        view->SetEditMode(HHMODE_EVENT);
        EXPECT_NE(text().find("fullx = 1"), std::string::npos);
        choose(view->GetObjectsCombo(), "(General)");
        EXPECT_EQ(text(), "'(Declarations)\r\n\t\r\n'End of (Declarations)\r\n\r\n");
        choose(view->GetObjectsCombo(), "App");
    });
    EXPECT_EQ(moduleText(), "Sub App_Timer()\r\n\tfullx = 1\r\nEnd Sub\r\n\r\n")
        << "the untouched section went";
}

} // namespace

namespace {

TEST_F(MacroEditor, ModeButtonsAnswerClicksAndTheViewKeepsItsMarginsWhenResized) {
    edit([&] {
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        EXPECT_EQ(view->GetToolTips().GetToolCount(), 6) << "close, three modes, two combos";
        CWnd* full = view->GetDlgItem(IDC_HHSV_MODULE_VIEW);
        pm::afxtest::click(full->m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
        EXPECT_EQ(view->GetEditMode(), HHMODE_MODULE);
        EXPECT_EQ(static_cast<CButton*>(full)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(static_cast<CButton*>(view->GetDlgItem(IDC_HHSV_EVENT_VIEW))->GetCheck(), BST_UNCHECKED);

        const auto margins = [&] {
            CRect client, place;
            ::GetClientRect(dialog, &client);
            view->GetWindowRect(&place);
            return CSize(client.Width() - place.Width(), client.Height() - place.Height());
        };
        const CSize before = margins();
        ::SetWindowPos(dialog, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
        pm::afxtest::pump();
        EXPECT_EQ(margins(), before);
    });
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Settings", "CHHScriptDlg 0 Width", -1), 700u);
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Settings", "CHHScriptDlg 0 EditMode", -1), 2u);
}

TEST_F(MacroEditor, PlacementIsRestoredOnlyInsideTheScreen) {
    const int screen = ::GetSystemMetrics(SM_CXSCREEN);
    CWinApp* app = AfxGetApp();
    for (const int left : {screen, 0}) {
        app->WriteProfileInt("Settings", "CHHScriptDlg 0 X", left);
        app->WriteProfileInt("Settings", "CHHScriptDlg 0 Y", 20);
        app->WriteProfileInt("Settings", "CHHScriptDlg 0 Width", 420);
        app->WriteProfileInt("Settings", "CHHScriptDlg 0 Height", 260);
        CRect placed;
        edit([&] { ::GetWindowRect(dialog, &placed); });
        EXPECT_EQ(placed.left == left && placed.Width() == 420, left == 0) << left;
    }
}

TEST_F(MacroEditor, TheSavedViewModeIsTakenUpAndZeroKeepsTheStartMode) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n\r\n", &parser);
    for (const int mode : {HHMODE_MODULE, HHMODE_OBJECT, HHMODE_EVENT}) {
        AfxGetApp()->WriteProfileInt("Settings", "CHHScriptDlg 0 EditMode", mode);
        int shown = -1;
        bool buttonChecked = false;
        edit([&] {
            shown = view->GetEditMode();
            const UINT buttons[] = {IDC_HHSV_EVENT_VIEW, IDC_HHSV_OBJECT_VIEW, IDC_HHSV_MODULE_VIEW};
            buttonChecked = static_cast<CButton*>(view->GetDlgItem(buttons[mode]))->GetCheck() == BST_CHECKED;
            EXPECT_EQ(text(), moduleText()) << mode;
        });
        EXPECT_EQ(shown, mode);
        EXPECT_TRUE(buttonChecked) << mode;
    }
}

} // namespace

namespace {

TEST_F(MacroEditor, AnErrorKeepsTheUserOnTheProcedure) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\n"
                                  "Sub App_Timer()\r\n\tt = (1 +\r\nEnd Sub\r\n\r\n",
                                  &parser);
    edit([&] {
        EXPECT_TRUE(view->CheckSyntax()) << "Quit compiles";
        choose(view->GetEventsCombo(), "Timer");
        ASSERT_EQ(std::string(CHHScriptViewBase::ComboText(view->GetEventsCombo())), "Timer");
        choose(view->GetEventsCombo(), "Quit");
        EXPECT_EQ(host.dialogCaptions, std::vector<std::string>{"Syntax Error"});
        EXPECT_EQ(std::string(CHHScriptViewBase::ComboText(view->GetEventsCombo())), "Timer");
        EXPECT_NE(text().find("t = (1 +"), std::string::npos);
        EXPECT_EQ(ctrl->LineFromChar(-1), 1) << "the caret on the error";
    });
}

TEST_F(MacroEditor, CheckSyntaxOnAnEmptyModulePasses) {
    edit([&] { EXPECT_TRUE(view->CheckSyntax()); });
    EXPECT_TRUE(host.dialogCaptions.empty());
}

} // namespace

namespace {

TEST_F(MacroEditor, QuickInfoGlobalMembersAndObjectsWithoutEvents) {
    edit([&] {
        IDispatch* app = host.appObject.GetIDispatch(FALSE);
        view->AddDispatchObject("Glob", app, HHOBJ_GLOBAL_MEMBERS);
        view->AddDispatchObject("Quiet", app, HHOBJ_NO_EVENTS);
        EXPECT_GE(view->FindComboItem(view->GetObjectsCombo(), "Glob"), 0);
        EXPECT_LT(view->FindComboItem(view->GetObjectsCombo(), "Quiet"), 0) << "not an event source";

        CHHExpressionInfo dotted;
        dotted.m_strQualifier = "App";
        const std::string open(view->GetQuickInfo(dotted, "Open"));
        EXPECT_NE(open.find("Open"), std::string::npos) << open;
        EXPECT_NE(open.find("FileName"), std::string::npos) << open;
        EXPECT_TRUE(view->GetQuickInfo(dotted, "Nothing").IsEmpty());

        CHHExpressionInfo none;
        const std::string glob(view->GetQuickInfo(none, "Glob"));
        EXPECT_NE(glob.find(" (Global Members)"), std::string::npos) << glob;
        CHHMemberItemArray functions;
        view->FillMemberList(none, functions, HHLIST_FUNCTIONS);
        EXPECT_TRUE(std::any_of(functions.begin(), functions.end(),
                                [](const CHHMemberItem& item) { return item.m_strText == "StopScript"; }));
    });
}

} // namespace

namespace {

TEST_F(MacroEditor, AHiddenDialogWritesNoPlacement) {
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt("Settings", "CHHScriptDlg 0 Width", 123);
    CHHScriptDlg hidden;
    ASSERT_TRUE(hidden.Create(AfxGetMainWnd()));
    ASSERT_FALSE(hidden.IsWindowVisible());
    hidden.SetWindowPos(nullptr, 0, 0, 640, 400, SWP_NOMOVE | SWP_NOZORDER);
    pm::afxtest::pump();
    EXPECT_EQ(app->GetProfileInt("Settings", "CHHScriptDlg 0 Width", -1), 123u);
}

} // namespace

namespace {

TEST_F(MacroEditor, TheScriptMenuRunsTheShownTextAndStopsIt) {
    CHHVBScriptTextParser parser;
    // The Timer handler keeps the macro running until it is stopped.
    module->GetProcedures().Parse("Doc.Selection = \"old\"\r\nSub App_Timer()\r\n\tn = 1\r\nEnd Sub\r\n",
                                  &parser);
    edit([&] {
        const auto at = static_cast<long>(text().find("old"));
        ctrl->SetSel(at, at + 3);
        pm::afxtest::typeText(ctrl->m_hWnd, "new");
        scriptMenu('R');
        EXPECT_TRUE(module->IsRunning());
        EXPECT_EQ(host.EditText(), "new") << "the macro runs the text typed in the editor";
        scriptMenu('S');
        EXPECT_FALSE(module->IsRunning());
        EXPECT_TRUE(grayed(ID_HHSCRIPT_RUN)) << "while it ran";
        EXPECT_FALSE(grayed(ID_HHSCRIPT_STOP));
        for (UINT id : {ID_HHSCRIPT_BREAK, ID_HHSCRIPT_DEBUGGER, ID_HHSCRIPT_EDIT})
            EXPECT_TRUE(grayed(id)) << id;
        EXPECT_EQ(::GetActiveWindow(), dialog);
    });
    EXPECT_NE(moduleText().find("\"new\""), std::string::npos);
}

TEST_F(MacroEditor, AnErrorOfARunFromTheMenuPutsTheOpenEditorAtItsLine) {
    module->SetEditOnError(TRUE);
    host.answerButton = 28279; // End
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("x = 1\r\ny = 1 / 0\r\n", &parser);
    edit([&] {
        scriptMenu('R');
        ASSERT_EQ(host.dialogCaptions, std::vector<std::string>{"Run-Time Error"});
        // Opening the menu again routes its update requests to the module.
        pm::afxtest::queueKey(ctrl->m_hWnd, 'S', false, false, true);
        pm::afxtest::queueKey(ctrl->m_hWnd, VK_ESCAPE);
        pm::afxtest::queueKey(ctrl->m_hWnd, VK_ESCAPE);
        pm::afxtest::pump();
        EXPECT_FALSE(module->IsErrorPending());
        EXPECT_EQ(view->GetEditMode(), HHMODE_MODULE);
        EXPECT_EQ(ctrl->LineFromChar(-1), 1) << "the line with the error";
        EXPECT_EQ(::GetActiveWindow(), dialog) << "the editor is active again, and no second editor opened";
    });
}

TEST_F(MacroEditor, ProceduresMadeInObjectOrFullModuleViewGoInPlace) {
    const std::string quit = "Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\n",
                      zed = "Sub Zed_Go()\r\n\tz = 1\r\nEnd Sub\r\n\r\n";
    const std::string blankTimer = "Sub App_Timer()\r\n\t\r\nEnd Sub\r\n\r\n";
    const std::string timer = "Sub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n\r\n";
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse((quit + zed).c_str(), &parser);
    edit([&] {
        pm::afxtest::click(view->GetDlgItem(IDC_HHSV_OBJECT_VIEW)->m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
        ASSERT_EQ(text(), quit);
        choose(view->GetEventsCombo(), "Timer");
        EXPECT_EQ(text(), quit + blankTimer);
        pm::afxtest::typeText(ctrl->m_hWnd, "t = 1");
        choose(view->GetEventsCombo(), "Quit");
        EXPECT_EQ(text(), quit + timer);
        EXPECT_EQ(ctrl->LineFromChar(-1), 1) << "the caret in Quit's body";

        pm::afxtest::click(view->GetDlgItem(IDC_HHSV_MODULE_VIEW)->m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
        EXPECT_EQ(text(), quit + timer + zed);
        const std::string declarations = "'(Declarations)\r\n\t\r\n'End of (Declarations)\r\n\r\n";
        choose(view->GetObjectsCombo(), "(General)");
        EXPECT_EQ(text(), declarations + quit + timer + zed);
        choose(view->GetObjectsCombo(), "Zed");
        EXPECT_EQ(text(), quit + timer + zed) << "the blank section went with its text";
        EXPECT_EQ(ctrl->LineFromChar(-1), 9) << "the caret in Go's body";
    });
    EXPECT_EQ(moduleText(), quit + timer + zed);
}

TEST_F(MacroEditor, ALockedProcedureTakesNoTyping) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse(
        "Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\nSub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n\r\n", &parser);
    CHHScriptProcedureList::Location loc;
    ASSERT_TRUE(module->GetProcedures().FindOrCreate(FALSE, FALSE, "App", "Quit", loc));
    loc.pProcedure->m_bLocked = TRUE;
    edit([&] {
        view->SetEditMode(HHMODE_OBJECT);
        caretAt("q = 1");
        pm::afxtest::typeText(ctrl->m_hWnd, "x");
        caretAt("t = 1");
        pm::afxtest::typeText(ctrl->m_hWnd, "y");
    });
    EXPECT_EQ(moduleText(),
              "Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\nSub App_Timer()\r\n\tyt = 1\r\nEnd Sub\r\n\r\n");
    ASSERT_TRUE(module->GetProcedures().FindOrCreate(FALSE, FALSE, "App", "Quit", loc));
    EXPECT_TRUE(loc.pProcedure->m_bLocked) << "the lock comes back with the procedures";
}

} // namespace

namespace {

TEST_F(MacroEditor, TheCloseButtonClosesOnlyWhenTheProcedureCompiles) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Timer()\r\n\tt = (1 +\r\nEnd Sub\r\n\r\n", &parser);
    edit([&] {
        HWND close = view->GetDlgItem(IDC_HHSV_CLOSE)->m_hWnd;
        pm::afxtest::click(close, POINT{5, 5});
        EXPECT_EQ(host.dialogCaptions, std::vector<std::string>{"Syntax Error"});
        CWnd* scriptDialog = CWnd::FromHandlePermanent(dialog);
        EXPECT_TRUE(scriptDialog->ContinueModal()) << "kept open at the error";
        EXPECT_EQ(ctrl->LineFromChar(-1), 1);
        const auto at = static_cast<long>(text().find(" +"));
        ctrl->SetSel(at, at + 2);
        pm::afxtest::typeText(ctrl->m_hWnd, ")");
        pm::afxtest::click(close, POINT{5, 5});
        EXPECT_EQ(host.dialogCaptions.size(), 1u);
        EXPECT_FALSE(scriptDialog->ContinueModal()) << "closing";
    });
    EXPECT_EQ(moduleText(), "Sub App_Timer()\r\n\tt = (1)\r\nEnd Sub\r\n\r\n");
}

} // namespace

namespace {

// Every way of reaching the place after the final line break of a macro of global code puts the
// caret where typing is taken: the end of the last line.
TEST_F(MacroEditor, TheLastLineOfGlobalCodeTakesTypingWhereverTheCaretIsTakenBelowIt) {
    const std::string code = "x = 1\r\nIf x Then\r\n\ty = 2\r\n";
    const struct {
        const char* way;
        std::function<void()> place;
    } ways[] = {
        {"Ctrl+End", [&] { pm::afxtest::pressKey(ctrl->m_hWnd, VK_END, false, true); }},
        {"Down on the last line",
         [&] {
             caretAt("y = 2");
             pm::afxtest::pressKey(ctrl->m_hWnd, VK_DOWN);
         }},
        {"a click below the text",
         [&] {
             CRect client;
             ctrl->GetClientRect(&client);
             pm::afxtest::click(ctrl->m_hWnd, POINT{client.left + 40, client.bottom - 4});
         }},
        {"going to the line after it", [&] { view->GoToLineColumn(3, 0); }},
    };
    CHHVBScriptTextParser parser;
    for (const auto& w : ways) {
        module->GetProcedures().RemoveAll();
        module->GetProcedures().Parse(code.c_str(), &parser);
        edit([&] {
            w.place();
            CHARRANGE sel{};
            ctrl->GetSel(sel);
            EXPECT_EQ(sel.cpMin, static_cast<LONG>(code.size() - 2)) << w.way;
            EXPECT_EQ(sel.cpMax, sel.cpMin) << w.way;
            type("z\rEnd If");
        });
        EXPECT_EQ(moduleText(), "x = 1\r\nIf x Then\r\n\ty = 2z\r\n\tEnd If\r\n") << w.way;
    }
}

TEST_F(MacroEditor, DeclarationsShownAloneTakeTypingAfterCtrlEndAndAProcedureEndStaysProtected) {
    const std::string timer = "Sub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n\r\n";
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse(("Dim n\r\n" + timer).c_str(), &parser);
    edit(
        [&] {
            ASSERT_EQ(text(), "Dim n\r\n");
            pm::afxtest::pressKey(ctrl->m_hWnd, VK_END, false, true);
            type("s");
            choose(view->GetObjectsCombo(), "App");
            ASSERT_EQ(text(), timer);
            pm::afxtest::pressKey(ctrl->m_hWnd, VK_END, false, true);
            CHARRANGE sel{};
            ctrl->GetSel(sel);
            EXPECT_EQ(sel.cpMin, static_cast<LONG>(timer.size()))
                << "after a procedure's end line the caret stays";
            type("u");
            EXPECT_EQ(text(), timer) << "and nothing is typed there";
        },
        "(General)", "(Declarations)");
    EXPECT_EQ(moduleText(), "Dim ns\r\n" + timer);
}

TEST_F(MacroEditor, AMissingEndAtTheEndOfTheMacroCanBeTypedWhereTheEditorOpens) {
    module->SetEditOnError(TRUE);
    host.answerButton = 28279; // End
    host.RunMacro("x = 1\r\nIf x Then\r\n\ty = 2\r\n");
    ASSERT_EQ(host.dialogTexts.size(), 1u);
    ASSERT_NE(host.dialogTexts[0].find("Expected 'End'"), std::string::npos);
    ASSERT_EQ(module->GetErrorLine(), 3) << "the line after the last one";
    driver.drive = [&](HWND d) {
        view = static_cast<CHHScriptViewBase*>(CWnd::FromHandle(::GetDlgItem(d, 100)));
        ctrl = view->GetEditCtrl();
        type("\rEnd If");
    };
    driver.PostMessage(WM_APP);
    module->EditAtError(FALSE);
    EXPECT_EQ(moduleText(), "x = 1\r\nIf x Then\r\n\ty = 2\r\n\tEnd If\r\n");
    host.dialogTexts.clear();
    EXPECT_TRUE(module->Run());
    EXPECT_TRUE(host.dialogTexts.empty()) << "the macro compiles now";
}

} // namespace

namespace {

// A bookmark set from the keyboard stays on its line of the procedure while lines are typed above
// it, in its own procedure or in one before it, and across other procedures and view modes.
TEST_F(MacroEditor, BookmarksMoveWithTheirLinesAcrossProceduresAndViews) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().Parse("Sub App_Quit()\r\n\tq = 1\r\nEnd Sub\r\n\r\n"
                                  "Sub App_Timer()\r\n\tt = 1\r\n\tu = 2\r\nEnd Sub\r\n\r\n",
                                  &parser);
    edit([&] {
        const auto lineOf = [&](const char* marker) {
            return static_cast<int>(ctrl->LineFromChar(static_cast<long>(text().find(marker))));
        };
        const auto marked = [&] {
            std::vector<int> lines;
            for (int line = 0; line < ctrl->GetLineCount(); ++line)
                if (ctrl->GetLineMarkers(line) & HHMARK_BOOKMARK) lines.push_back(line);
            return lines;
        };
        choose(view->GetEventsCombo(), "Timer");
        caretAt("u = 2");
        pm::afxtest::pressKey(ctrl->m_hWnd, VK_F2, false, true); // Ctrl+F2
        ASSERT_EQ(marked(), std::vector<int>{2});
        caretAt("t = 1");
        type("\r\r");
        EXPECT_EQ(marked(), std::vector<int>{lineOf("u = 2")}) << "typed lines above it";

        choose(view->GetEventsCombo(), "Quit");
        EXPECT_TRUE(marked().empty()) << "Quit shows alone";
        pm::afxtest::click(view->GetDlgItem(IDC_HHSV_MODULE_VIEW)->m_hWnd, POINT{5, 5});
        pm::afxtest::pump();
        EXPECT_EQ(marked(), std::vector<int>{lineOf("u = 2")}) << "the whole module";
        caretAt("q = 1");
        type("\r");
        EXPECT_EQ(marked(), std::vector<int>{lineOf("u = 2")}) << "a line typed in the procedure before it";

        // Deleting the marked line with the line break before it takes the bookmark with it.
        const int line = lineOf("u = 2");
        ctrl->SetSel(ctrl->LineIndex(line) - 2, ctrl->LineIndex(line + 1) - 2);
        pm::afxtest::pressKey(ctrl->m_hWnd, VK_DELETE);
        EXPECT_EQ(text().find("u = 2"), std::string::npos);
        EXPECT_TRUE(marked().empty());
    });
}

} // namespace

// Without a script debugger the editor takes no breakpoints, by key or by a click in the margin;
// its bookmarks still work.
TEST_F(MacroEditor, WithoutAScriptDebuggerNoBreakpointIsSet) {
    edit([&] {
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        pm::afxtest::typeText(ctrl->m_hWnd, "n = 1");
        const int line = static_cast<int>(ctrl->LineFromChar(-1));
        pm::afxtest::pressKey(ctrl->m_hWnd, VK_F9);
        EXPECT_EQ(ctrl->GetLineMarkers(line) & HHMARK_BREAKPOINT, 0) << "F9";
        CHHMarginWnd* margin = ctrl->GetMarginWnd();
        const CPoint at = ctrl->GetCharPos(ctrl->LineIndex(line));
        pm::afxtest::click(margin->m_hWnd, POINT{5, at.y + 3});
        EXPECT_EQ(ctrl->GetLineMarkers(line) & HHMARK_BREAKPOINT, 0) << "a click in the margin";
        pm::afxtest::pressKey(ctrl->m_hWnd, VK_F2, false, true);
        EXPECT_EQ(ctrl->GetLineMarkers(line), HHMARK_BOOKMARK) << "Ctrl+F2";
    });
}

// With a script debugger (a fake one: this system has none) breakpoints set in the editor stay
// with the module's procedures when the editor closes, come back when it opens again and go to the
// engine when the macro runs; like every marker they are not stored in the module file.
TEST_F(MacroEditor, BreakpointsSetInTheEditorStayWithTheModuleButNotInItsFile) {
    scripttest::FakeDebugger debugger;
    CHHDebugApplication debug;
    ASSERT_EQ(debug.Create("Penmere"), S_OK);
    host.module->Close();
    auto owned = std::make_unique<DebuggingModuleEdit>();
    ASSERT_TRUE(owned->Init(&debug));
    module = owned.get();
    host.module = std::move(owned);
    CHHVBScriptTextParser parser;
    const CString source = "Sub Go()\r\n\tx = 1\r\n\ty = 2\r\nEnd Sub\r\n";
    module->GetProcedures().Parse(source, &parser);

    edit([&] {
        caretAt("y = 2");
        pm::afxtest::pressKey(ctrl->m_hWnd, VK_F9);
    });
    CDWordArray positions;
    module->GetProcedures().GetBreakpoints(positions);
    ASSERT_EQ(positions.GetSize(), 1);
    EXPECT_EQ(positions[0], moduleText().find("\ty = 2"));

    int marked = -1;
    edit([&] {
        marked = static_cast<int>(ctrl->LineFromChar(static_cast<long>(text().find("y = 2"))));
        marked = (ctrl->GetLineMarkers(marked) & HHMARK_BREAKPOINT) ? 1 : 0;
    });
    EXPECT_EQ(marked, 1) << "the breakpoint is there when the editor opens again";

    scripttest::DebugLog().clear();
    ASSERT_TRUE(module->Run());
    const std::string handed = "Breakpoint 2 at " + std::to_string(positions[0]) + " of 77";
    EXPECT_NE(std::find(scripttest::DebugLog().begin(), scripttest::DebugLog().end(), handed),
              scripttest::DebugLog().end())
        << "the engine gets the breakpoint";
    module->Stop();

    // The file holds the same bytes as one of the text without breakpoints, and reads back none.
    const std::string folder = pm::afxtest::makeTempFolder();
    const std::string markedPath = folder + "/marked.hbs", plainPath = folder + "/plain.hbs";
    CHHModuleEdit file;
    file.GetProcedures() = module->GetProcedures();
    ASSERT_TRUE(file.SaveToFile(markedPath.c_str()));
    CHHModuleEdit plain;
    plain.GetProcedures().Parse(source, &parser);
    ASSERT_TRUE(plain.SaveToFile(plainPath.c_str()));
    EXPECT_EQ(pm::test::readFile(markedPath), pm::test::readFile(plainPath));
    ASSERT_TRUE(file.LoadFromFile(markedPath.c_str()));
    file.GetProcedures().GetBreakpoints(positions);
    EXPECT_EQ(positions.GetSize(), 0);
    pm::afxtest::removeFolder(folder);
    host.module->Close();
}

// Typed at a person's pace, with Shift held for the shifted characters, while the editor colours
// each line: every character arrives, in order.
TEST_F(MacroEditor, EveryCharacterTypedAtAPersonsPaceArrives) {
    const std::string typed = "MsgBox(\"a: \" & b), Left(\"b\", 1) = 2 ' done?";
    edit([&] {
        choose(view->GetObjectsCombo(), "App");
        choose(view->GetEventsCombo(), "Timer");
        pm::afxtest::typeAtPace(ctrl->m_hWnd, typed, 200);
        EXPECT_EQ(text(), "Sub App_Timer()\r\n\t" + typed + "\r\nEnd Sub\r\n\r\n");
    });
    EXPECT_EQ(moduleText(), "Sub App_Timer()\r\n\t" + typed + "\r\nEnd Sub\r\n\r\n");
}
