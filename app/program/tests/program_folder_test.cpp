// The macro files that come in the program folder: the sample macro and the template that new
// macros start from load as modules of the script host, and the sample runs on the active document.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CEditMDIDoc.h"
#include "platform/win/windlg.h"
#include "scripting/CHHModuleEdit.h"

TEST_F(PenmereTest, SampleMacroLoadsWithItsCode) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    CHHModuleEdit& module = app->GetModule();
    ASSERT_TRUE(module.LoadFromFile(programFile("Scripts/Hello.hbs").c_str()));
    EXPECT_TRUE(module.GetObjects().empty());
    const std::string text(module.GetProcedures().GetText());
    EXPECT_NE(text.find("Doc.Selection = \"// Hello from a macro\"\r\nDoc.NewLine\r\n"), std::string::npos)
        << text;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PenmereTest, NewMacroTemplateLoadsWithOnlyComments) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    CHHModuleEdit& module = app->GetModule();
    ASSERT_TRUE(module.LoadFromFile(programFile("Bin/Template.hbs").c_str()));
    EXPECT_TRUE(module.GetObjects().empty());
    const std::string text(module.GetProcedures().GetText());
    ASSERT_FALSE(text.empty());
    for (size_t at = 0; at < text.size(); at = text.find("\r\n", at) + 2)
        EXPECT_EQ(text[at], '\'') << "every line is a comment: " << text;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PenmereTest, SampleMacroRunsThroughTheApplication) {
    pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start({programFile("Projects/demo.js")});
    ASSERT_NE(activeView(), nullptr);
    std::vector<std::string> dialogs;
    pm::setDialogHook([&dialogs](HWND dialog) {
        char caption[128] = {}, text[1024] = {};
        ::GetWindowText(dialog, caption, sizeof caption);
        ::GetDlgItemTextA(dialog, 28276, text, sizeof text);
        dialogs.push_back(std::string(caption) + ": " + text);
        ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CHHModuleEdit& module = app->GetModule();
    // A failure is then reported here, instead of opening the macro editor at the error.
    module.SetEditOnError(FALSE);
    ASSERT_TRUE(module.LoadFromFile(programFile("Scripts/Hello.hbs").c_str()));
    activeView()->GetEditCtrl()->SetSel(0, 0);
    command(ID_HHSCRIPT_RUN);
    pm::setDialogHook(nullptr);
    EXPECT_TRUE(dialogs.empty()) << dialogs[0] << "\n(App and Doc must know their interfaces before the run)";
    CString text;
    activeView()->GetEditCtrl()->GetWindowText(text);
    EXPECT_EQ(std::string(text).rfind("// Hello from a macro\r\n/* A small script", 0), 0u)
        << std::string(text).substr(0, 80);
    EXPECT_TRUE(activeView()->GetDocument()->IsModified());
}
