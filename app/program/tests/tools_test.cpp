// External tools: the macros of a tool's line, the stored list of names, the Tools menu and a real
// run of a stub program that records the arguments it receives.

#include "app/program/tool_commands.h"

#include "app/CIniFile.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program/tests/support/penmere_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/shell/shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

TEST(ToolMacros, ExpandedWhereTheyStand) {
    ToolMacroValues values{"/home/u/my docs/page one.js", "/opt/pen", "/", "/usr/bin"};
    struct Case {
        const char* name;
        const char* line;
        bool quote;
        const char* expected;
    };
    const Case cases[] = {
        {"a path with blanks stays one argument", "-f $(FilePath)", true, "-f \"/home/u/my docs/page one.js\""},
        {"already in quotes: not quoted again", "\"$(FilePath)\"", true, "\"/home/u/my docs/page one.js\""},
        {"the same token twice", "$(FileName)+$(FileName)", true, "\"page one.js\"+\"page one.js\""},
        {"folder keeps its separator", "$(FileDir)", false, "/home/u/my docs/"},
        {"program and system folders", "$(AppDir) $(WindowsDir) $(SystemDir)", true, "/opt/pen / /usr/bin"},
        {"tokens are case-sensitive", "$(filepath) $(File", true, "$(filepath) $(File"},
        {"no quoting asked", "$(FilePath)", false, "/home/u/my docs/page one.js"},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandToolMacros(c.line, values, c.quote), c.expected) << c.name;
}

TEST(ToolMacros, ValuesAreNotSearchedAgainAndUntitledIsEmpty) {
    ToolMacroValues odd{"/tmp/$(AppDir).js", "/opt/pen", "/", "/usr/bin"};
    EXPECT_EQ(ExpandToolMacros("$(FilePath)", odd, true), "/tmp/$(AppDir).js");
    ToolMacroValues untitled{"", "/opt/pen", "/", "/usr/bin"};
    EXPECT_EQ(ExpandToolMacros("[$(FilePath)][$(FileDir)][$(FileName)]", untitled, true), "[][][]");
}

TEST(ToolNames, StoredInOrderAndBoundedByTheMenu) {
    CIniFile settings;
    SaveToolNames(settings, {"Lint it", "Run"});
    CString value;
    EXPECT_TRUE(settings.GetString("Tools", "0", value));
    EXPECT_EQ(std::string(value), "Lint it");
    EXPECT_FALSE(settings.GetString("Tools", "2", value));
    EXPECT_EQ(LoadToolNames(settings), (std::vector<std::string>{"Lint it", "Run"}));

    SaveToolNames(settings, {"Only"});
    EXPECT_FALSE(settings.GetString("Tools", "1", value)) << "the key after the last is removed";
    EXPECT_EQ(LoadToolNames(settings), std::vector<std::string>{"Only"});

    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("tool " + std::to_string(i));
    SaveToolNames(settings, many);
    EXPECT_EQ(LoadToolNames(settings).size(), static_cast<size_t>(kMaxTools))
        << "ids after the 26th belong to other commands";
}

namespace {

std::string toolsSettings(int count, const std::string& cmd, const std::string& arg) {
    std::string ini = "[General]\r\nFirstTime=1\r\n[Tools]\r\nItems=" + std::to_string(count) + "\r\n";
    for (int i = 0; i < count; ++i) ini += std::to_string(i) + "=Tool " + std::to_string(i) + "\r\n";
    ini += "[Tool 0]\r\nCmd=" + cmd + "\r\nArg=" + arg + "\r\n";
    return ini;
}

std::vector<std::string> menuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

} // namespace

TEST_F(PenmereTest, ToolsMenuListsTheStoredToolsUpToTheCap) {
    writeFile(programFile("Settings.ini"), toolsSettings(30, "/bin/true", ""));
    const std::string path = programFile("Projects/a.js");
    writeFile(path, "var a;\n");
    start({path});
    HMENU tools = ::GetSubMenu(frame->GetMenu(), TOOLS_SUBMENU);
    ASSERT_NE(tools, nullptr);
    std::vector<std::string> texts = menuTexts(tools);
    ASSERT_EQ(texts.size(), static_cast<size_t>(2 + kMaxTools));
    EXPECT_EQ(texts[0], "&Add/Edit...");
    EXPECT_EQ(texts[2], "Tool 0");
    EXPECT_EQ(texts.back(), "Tool 25");
    EXPECT_EQ(::GetMenuItemID(tools, 2 + kMaxTools - 1), static_cast<UINT>(ID_TOOLS_LAST));

    activeView()->RebuildToolsMenu();
    EXPECT_EQ(menuTexts(tools).size(), texts.size()) << "a rebuild replaces the items, never adds to them";
}

TEST_F(PenmereTest, ToolRunsWithAPathWithBlanksAsOneArgument) {
    const std::string stub = programFile("record args.sh");
    const std::string record = programFile("args.txt");
    writeFile(stub, "#!/bin/sh\nfor a in \"$@\"; do printf '%s|' \"$a\"; done > \"" + record + ".part\"\nmv \"" + record +
                        ".part\" \"" + record + "\"\n");
    std::filesystem::permissions(stub, std::filesystem::perms::owner_all);
    writeFile(programFile("Settings.ini"), toolsSettings(1, stub, "-f $(FilePath) $(FileName)"));
    const std::string path = programFile("Projects/my page.js");
    writeFile(path, "var a;\n");
    start({path});
    pm::setShellOpenHook(nullptr);
    activeView()->GetEditCtrl()->SetSel(0, 0);
    pm::afxtest::typeText(activeView()->GetEditCtrl()->m_hWnd, "x");
    command(ID_TOOLS_FIRST);
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    EXPECT_EQ(readFile(record), "-f|" + path + "|my page.js|")
        << "the path arrives whole, the name without the modified mark";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PenmereTest, ToolWithAMissingProgramSaysSoAndRunsNothing) {
    writeFile(programFile("Settings.ini"), toolsSettings(1, "/no/such/tool", "$(FilePath)"));
    const std::string path = programFile("Projects/a.js");
    writeFile(path, "var a;\n");
    start({path});
    command(ID_TOOLS_FIRST);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "/no/such/tool not found. Please use Tools/Edit to edit the file location");
    EXPECT_TRUE(opened.empty());
    command(ID_TOOLS_FIRST + 1);
    EXPECT_EQ(boxes.size(), 1u) << "a tool that is not stored does nothing";
}
