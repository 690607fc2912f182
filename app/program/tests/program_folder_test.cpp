// The macro files that come in the program folder: the sample macro and the template that new
// macros start from load as modules of the script host.

#include "app/program/tests/support/penmere_fixture.h"

#include "scripting/CHHModuleEdit.h"

TEST_F(PenmereTest, SampleMacroLoadsWithItsCode) {
    writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    start();
    CHHModuleEdit& module = app->GetModule();
    ASSERT_TRUE(module.LoadFromFile(programFile("Scripts/Hello.hbs").c_str()));
    EXPECT_TRUE(module.GetObjects().empty());
    const std::string text(module.GetProcedures().GetText());
    EXPECT_NE(text.find("Doc.Selection = \"// Hello from a macro\"\r\nDoc.NewLine\r\n"), std::string::npos) << text;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PenmereTest, NewMacroTemplateLoadsWithOnlyComments) {
    writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
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
