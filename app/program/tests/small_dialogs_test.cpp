// The small dialogs answered as a user would: the "to all" question, the text prompt and the macro
// chooser.

#include "app/program/CConfirmAllDlg.h"
#include "app/program/CInputDlg.h"
#include "app/program/CScriptSelectDlg.h"
#include "app/program/resource_ids.h"
#include "app/program/resources.h"
#include "cmake/test_files.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

namespace {

class SmallDialogs : public ::testing::Test {
protected:
    void SetUp() override { DeclareEditorResources(); }
    void TearDown() override { pm::setDialogHook(nullptr); }
    // Runs the hook on the dialog once it shows.
    void onShow(std::function<void(HWND)> fn) { pm::setDialogHook(std::move(fn)); }
};

} // namespace

TEST_F(SmallDialogs, ConfirmAllAnswers) {
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        short answer;
    };
    auto press = [](int id) {
        return [id](HWND d) { ::SendMessage(d, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    };
    const Case cases[] = {
        {"Yes", press(IDOK), CConfirmAllDlg::kYes},
        {"Yes to all", press(IDC_YES_TO_ALL), CConfirmAllDlg::kYesToAll},
        {"No", press(IDC_CONFIRM_NO), CConfirmAllDlg::kNo},
        {"No to all", press(IDC_NO_TO_ALL), CConfirmAllDlg::kNoToAll},
        {"Cancel", press(IDCANCEL), CConfirmAllDlg::kCancel},
        {"the close box", [](HWND d) { ::SendMessage(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
         CConfirmAllDlg::kCancel},
    };
    for (const Case& c : cases) {
        std::string shown;
        onShow([&](HWND d) {
            char text[128] = {};
            ::GetDlgItemTextA(d, IDC_CONFIRM_TEXT, text, sizeof text);
            shown = text;
            c.act(d);
        });
        CConfirmAllDlg dlg("Save changes to a.js?");
        dlg.DoModal();
        EXPECT_EQ(dlg.m_nAnswer, c.answer) << c.name;
        EXPECT_EQ(shown, "Save changes to a.js?");
    }
}

TEST_F(SmallDialogs, InputCannotBeConfirmedEmpty) {
    BOOL enabledAtStart = FALSE, enabledEmpty = TRUE, enabledAgain = FALSE;
    std::string caption;
    onShow([&](HWND d) {
        char text[64] = {};
        ::GetWindowTextA(d, text, sizeof text);
        caption = text;
        HWND ok = ::GetDlgItem(d, IDOK);
        enabledAtStart = ::IsWindowEnabled(ok);
        ::SetDlgItemTextA(d, IDC_INPUT_TEXT, "");
        enabledEmpty = ::IsWindowEnabled(ok);
        ::SetDlgItemTextA(d, IDC_INPUT_TEXT, "newName");
        enabledAgain = ::IsWindowEnabled(ok);
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    CInputDlg dlg("Function name", "oldName");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "Function name");
    EXPECT_TRUE(enabledAtStart);
    EXPECT_FALSE(enabledEmpty);
    EXPECT_TRUE(enabledAgain);
    EXPECT_EQ(std::string(dlg.m_strText), "newName");
}

TEST_F(SmallDialogs, ScriptChooserListsTheFolderAndTellsTheChoice) {
    std::string folder = pm::afxtest::makeTempFolder();
    pm::test::writeFile(folder + "/b.hbs", "x");
    pm::test::writeFile(folder + "/a.hbs", "x");
    pm::test::writeFile(folder + "/notes.txt", "x");
    int count = -1;
    onShow([&](HWND d) {
        count = static_cast<int>(::SendDlgItemMessageA(d, IDC_SCRIPT_LIST, LB_GETCOUNT, 0, 0));
        ::SendMessage(d, WM_COMMAND, IDC_SCRIPT_EDIT, 0);
    });
    CScriptSelectDlg dlg("Select a macro", "*.hbs", folder.c_str());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(count, 2) << "only the files matching the mask";
    EXPECT_EQ(dlg.m_nCode, CScriptSelectDlg::kEdit);
    EXPECT_TRUE(dlg.m_strName == "a.hbs" || dlg.m_strName == "b.hbs");
    char cwd[4096] = {};
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd) + "/" + std::string(dlg.m_strName), folder + "/" + std::string(dlg.m_strName))
        << "the listed folder is the current directory, so the bare name opens";

    std::string empty = pm::afxtest::makeTempFolder();
    onShow([](HWND d) { ::SendMessage(d, WM_COMMAND, IDOK, 0); });
    CScriptSelectDlg none("Select a macro", "*.hbs", empty.c_str());
    none.DoModal();
    EXPECT_EQ(none.m_nCode, CScriptSelectDlg::kRun);
    EXPECT_TRUE(none.m_strName.IsEmpty()) << "Run on an empty list gives an empty name";
    pm::afxtest::removeFolder(folder);
    pm::afxtest::removeFolder(empty);
}
