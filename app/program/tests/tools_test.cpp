// External tools: the macros of a tool's line, the stored list of names, the Tools menu and a real
// run of a stub program that records the arguments it receives.

#include "app/program/tool_commands.h"

#include "app/CIniFile.h"
#include "app/program/CToolListBox.h"
#include "app/program/CToolsDlg.h"
#include "app/program/editor_globals.h"
#include "app/program/resources.h"
#include "app/program/resource_ids.h"
#include "app/program/tests/support/penmere_fixture.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/commdlg.h"
#include "platform/win/shell/shell.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <utility>

TEST(ToolMacros, ExpandedWhereTheyStand) {
    ToolMacroValues values{"/home/u/my docs/page one.js", "/opt/pen", "/", "/usr/bin"};
    struct Case {
        const char* name;
        const char* line;
        bool quote;
        const char* expected;
    };
    const Case cases[] = {
        {"a path with blanks stays one argument", "-f $(FilePath)", true,
         "-f \"/home/u/my docs/page one.js\""},
        {"already in quotes: not quoted again", "\"$(FilePath)\"", true, "\"/home/u/my docs/page one.js\""},
        {"the same token twice", "$(FileName)+$(FileName)", true, "\"page one.js\"+\"page one.js\""},
        {"folder keeps its separator", "$(FileDir)", false, "/home/u/my docs/"},
        {"program and system folders", "$(AppDir) $(WindowsDir) $(SystemDir)", true, "/opt/pen / /usr/bin"},
        {"tokens are case-sensitive", "$(filepath) $(File", true, "$(filepath) $(File"},
        {"no quoting asked", "$(FilePath)", false, "/home/u/my docs/page one.js"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandToolMacros(c.line, values, c.quote), c.expected) << c.name;
}

// Whatever a file's name holds, each value reaches the tool as the argument it stands in: a quote
// in a name never ends an argument early or adds arguments.
TEST(ToolMacros, EveryFileNameComesBackWholeWhenTheLineIsSplit) {
    const char* const paths[] = {
        "/home/u/my docs/page one.js", "/tmp/x\" --evil \"y.js", "/tmp/a\"b.js",
        "/tmp/back\\slash\\",          "/tmp/q\\\" r.js",        "/tmp/tab\there.js",
    };
    for (const char* path : paths) {
        ToolMacroValues values{path, "/opt/pen", "/", "/usr/bin"};
        // Backslashes separate folders too.
        const std::string name = std::string(path).substr(std::string(path).find_last_of("/\\") + 1);
        const std::string line =
            ExpandToolMacros("-f $(FilePath) --name=$(FileName) \"$(FilePath)\" x", values, true);
        EXPECT_EQ(pm::splitCommandLine(line),
                  (std::vector<std::string>{"-f", path, "--name=" + name, path, "x"}))
            << path << " as " << line;
    }
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
    for (int i = 0; i < 30; ++i)
        many.push_back("tool " + std::to_string(i));
    SaveToolNames(settings, many);
    EXPECT_EQ(LoadToolNames(settings).size(), static_cast<size_t>(kMaxTools))
        << "ids after the 26th belong to other commands";

    CIniFile edited; // by hand, without "Items"
    for (const auto& [key, name] : {std::pair{"0", "Lint"}, {"1", "Zip"}, {"3", "Past a gap"}})
        edited.SetString("Tools", key, name, FALSE);
    EXPECT_EQ(LoadToolNames(edited), (std::vector<std::string>{"Lint", "Zip"}))
        << "a file without \"Items\" lists its tools up to the first missing name";
}

TEST(ToolNames, TheListBoxWritesBackToTheSectionItCameFrom) {
    auto* frame = new CFrameWnd; // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, "Tools", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CToolListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 200, 100), frame, 1));
    EXPECT_FALSE(list.Save()) << "no store yet";

    CIniFile settings;
    SaveToolNames(settings, {"Lint", "Zip"}, "Other");
    list.Load(&settings, "Other");
    ASSERT_EQ(list.GetCount(), 2);
    list.DeleteString(0);
    list.AddString("Beautify");
    EXPECT_TRUE(list.Save());
    EXPECT_EQ(LoadToolNames(settings, "Other"), (std::vector<std::string>{"Zip", "Beautify"}));
    EXPECT_TRUE(LoadToolNames(settings).empty()) << "the Tools section is untouched";
    frame->DestroyWindow();
}

namespace {

std::string toolsSettings(int count, const std::string& cmd, const std::string& arg) {
    std::string ini = "[General]\r\nFirstTime=1\r\n[Tools]\r\nItems=" + std::to_string(count) + "\r\n";
    for (int i = 0; i < count; ++i)
        ini += std::to_string(i) + "=Tool " + std::to_string(i) + "\r\n";
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

// Waits on the change notifications of a file's folder until another process has put the file
// there; the notification is made first, so a file that comes at once is not missed.
class FileArrival {
public:
    explicit FileArrival(std::string path)
        : m_path(std::move(path)),
          m_change(::FindFirstChangeNotification(std::filesystem::path(m_path).parent_path().c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME)) {}
    ~FileArrival() {
        if (m_change != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(m_change);
    }
    // Whether the file came within ten seconds of real time (the other process's).
    bool Wait() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(m_path) && m_change != INVALID_HANDLE_VALUE &&
               std::chrono::steady_clock::now() < deadline) {
            ::WaitForSingleObject(m_change, 1000);
            ::FindNextChangeNotification(m_change);
        }
        return std::filesystem::exists(m_path);
    }

private:
    std::string m_path;
    HANDLE m_change;
};

} // namespace

TEST_F(PenmereTest, ToolsMenuListsTheStoredToolsUpToTheCap) {
    pm::test::writeFile(programFile("Settings.ini"), toolsSettings(30, "/bin/true", ""));
    const std::string path = programFile("Projects/a.js");
    pm::test::writeFile(path, "var a;\n");
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

TEST_F(PenmereTest, ToolRunsWithAPathWithBlanksAndQuotesAsOneArgument) {
    const std::string stub = programFile("record args.sh");
    const std::string record = programFile("args.txt");
    pm::test::writeFile(stub, "#!/bin/sh\nfor a in \"$@\"; do printf '%s|' \"$a\"; done > \"" + record +
                                  ".part\"\nmv \"" + record + ".part\" \"" + record + "\"\n");
    std::filesystem::permissions(stub, std::filesystem::perms::owner_all);
    pm::test::writeFile(
        programFile("Settings.ini"),
        toolsSettings(1, stub, "-f $(FilePath) $(FileName) $(AppDir) $(WindowsDir) $(SystemDir)"));
    const std::string path = programFile("Projects/my \"best\" page.js");
    pm::test::writeFile(path, "var a;\n");
    start({path});
    pm::setShellOpenHook(nullptr);
    activeView()->GetEditCtrl()->SetSel(0, 0);
    pm::afxtest::typeText(activeView()->GetEditCtrl()->m_hWnd, "x");
    FileArrival arrival(record);
    command(ID_TOOLS_FIRST);
    ASSERT_TRUE(arrival.Wait()) << "the tool never ran";
    EXPECT_EQ(pm::test::readFile(record),
              "-f|" + path + "|my \"best\" page.js|" + folder + "|/usr/share|/usr/lib|")
        << "the path arrives whole, the name without the modified mark, the program folder without its "
           "separator, the system's folders as the README says";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PenmereTest, ToolWithAMissingProgramSaysSoAndRunsNothing) {
    pm::test::writeFile(programFile("Settings.ini"), toolsSettings(1, "/no/such/tool", "$(FilePath)"));
    const std::string path = programFile("Projects/a.js");
    pm::test::writeFile(path, "var a;\n");
    start({path});
    command(ID_TOOLS_FIRST);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "/no/such/tool not found. Please use Tools/Edit to edit the file location");
    EXPECT_TRUE(opened.empty());
    command(ID_TOOLS_FIRST + 1);
    EXPECT_EQ(boxes.size(), 1u) << "a tool that is not stored does nothing";
}

namespace {

void click(HWND dialog, int id) {
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::string itemText(HWND dialog, int id) {
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

} // namespace

TEST(ToolsDialog, RoundTripKeepsTheSectionsOfDeletedTools) {
    DeclareEditorResources();
    const std::string path = pm::afxtest::makeTempFolder() + "/Settings.ini";
    pm::test::writeFile(path, "[Tools]\r\nItems=1\r\n0=Old tool\r\n[Old tool]\r\nCmd=/bin/old\r\nArg=x\r\n"
                              "[My tool]\r\nCmd=/usr/bin/kept\r\nArg=$(FilePath)\r\n");
    CIniFile settings;
    ASSERT_TRUE(settings.Load(path.c_str()));
    std::vector<std::string> questions;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        questions.push_back(text);
        return IDOK;
    });
    struct Seen {
        bool browsingUpdate = true, browsingNew = false, browsingEdit = true, selectedEdit = false;
        std::string selectedCommand, afterDeleteCommand, newCommand, cancelUpdateCommand, macroArguments;
        bool editingUpdate = false, editingNew = true;
        int afterDeleteCount = -1;
    } seen;
    pm::setDialogHook([&](HWND d) {
        char caption[64] = {};
        ::GetWindowTextA(d, caption, sizeof caption);
        if (std::string(caption) == "Name of the new tool") {
            ::SetDlgItemTextA(d, IDC_INPUT_TEXT, "My tool");
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            return;
        }
        HWND list = ::GetDlgItem(d, IDC_TOOL_LIST);
        seen.browsingUpdate = enabled(d, IDOK);
        seen.browsingNew = enabled(d, IDC_TOOL_NEW);
        seen.browsingEdit = enabled(d, IDC_TOOL_EDIT);
        ::SendMessage(list, LB_SETCURSEL, 0, 0);
        ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_TOOL_LIST, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list));
        seen.selectedCommand = itemText(d, IDC_TOOL_COMMAND);
        seen.selectedEdit = enabled(d, IDC_TOOL_EDIT);
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_tools_dialog");
        click(d, IDC_TOOL_DELETE);
        seen.afterDeleteCount = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
        seen.afterDeleteCommand = itemText(d, IDC_TOOL_COMMAND);
        click(d, IDC_TOOL_NEW);
        seen.newCommand = itemText(d, IDC_TOOL_COMMAND);
        seen.editingUpdate = enabled(d, IDOK);
        seen.editingNew = enabled(d, IDC_TOOL_NEW);
        click(d, IDC_TOOL_CANCEL_UPDATE);
        seen.cancelUpdateCommand = itemText(d, IDC_TOOL_COMMAND);
        click(d, IDC_TOOL_EDIT);
        ::SetDlgItemTextA(d, IDC_TOOL_COMMAND, "/usr/local/bin/lint");
        ::SetDlgItemTextA(d, IDC_TOOL_ARGUMENTS, "-d ");
        ::SendMessage(::GetDlgItem(d, IDC_TOOL_ARGUMENTS), EM_SETSEL, 3, 3);
        ::SendMessage(d, WM_COMMAND, ID_MACRO_FILE_DIR, 0);
        seen.macroArguments = itemText(d, IDC_TOOL_ARGUMENTS);
        click(d, IDOK);
        click(d, IDCANCEL);
    });
    CToolsDlg dlg(settings);
    dlg.DoModal();
    pm::setDialogHook(nullptr);
    pm::setMessageBoxHook(nullptr);

    EXPECT_FALSE(seen.browsingUpdate) << "browsing: Update is off";
    EXPECT_TRUE(seen.browsingNew);
    EXPECT_FALSE(seen.browsingEdit) << "nothing selected yet";
    EXPECT_EQ(seen.selectedCommand, "/bin/old");
    EXPECT_TRUE(seen.selectedEdit);
    EXPECT_EQ(questions, std::vector<std::string>{"Remove selected item?"});
    EXPECT_EQ(seen.afterDeleteCount, 0);
    EXPECT_EQ(seen.afterDeleteCommand, "");
    EXPECT_EQ(seen.newCommand, "") << "a new tool starts with empty texts";
    EXPECT_TRUE(seen.editingUpdate);
    EXPECT_FALSE(seen.editingNew);
    EXPECT_EQ(seen.cancelUpdateCommand, "/usr/bin/kept")
        << "the section of a deleted tool is found again by its name";
    EXPECT_EQ(seen.macroArguments, "-d $(FileDir)");

    CIniFile stored;
    ASSERT_TRUE(stored.Load(path.c_str()));
    EXPECT_EQ(LoadToolNames(stored), std::vector<std::string>{"My tool"});
    CString value;
    EXPECT_TRUE(stored.GetString("My tool", "Cmd", value));
    EXPECT_EQ(std::string(value), "/usr/local/bin/lint");
    EXPECT_TRUE(stored.GetString("My tool", "Arg", value));
    EXPECT_EQ(std::string(value), "-d $(FileDir)");
    EXPECT_TRUE(stored.GetString("Old tool", "Cmd", value)) << "deleting a tool keeps its section";
}

TEST(ToolsDialog, NameThatWouldBreakItsSectionIsRefused) {
    DeclareEditorResources();
    CIniFile settings;
    std::vector<std::string> messages;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    int count = -1;
    bool newEnabled = false;
    pm::setDialogHook([&](HWND d) {
        char caption[64] = {};
        ::GetWindowTextA(d, caption, sizeof caption);
        if (std::string(caption) == "Name of the new tool") {
            ::SetDlgItemTextA(d, IDC_INPUT_TEXT, "lint]x");
            ::SendMessage(d, WM_COMMAND, IDOK, 0);
            return;
        }
        click(d, IDC_TOOL_NEW);
        count = static_cast<int>(::SendDlgItemMessageA(d, IDC_TOOL_LIST, LB_GETCOUNT, 0, 0));
        newEnabled = enabled(d, IDC_TOOL_NEW);
        ::EndDialog(d, IDCANCEL);
    });
    CToolsDlg dlg(settings);
    dlg.DoModal();
    pm::setDialogHook(nullptr);
    pm::setMessageBoxHook(nullptr);
    EXPECT_EQ(messages, std::vector<std::string>{"A tool name cannot contain ']'."});
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(newEnabled) << "still browsing";
}

TEST(ToolsDialog, NewIsOffOnceTheMenuIsFull) {
    DeclareEditorResources();
    CIniFile settings;
    std::vector<std::string> names;
    for (int i = 0; i < kMaxTools; ++i)
        names.push_back("t" + std::to_string(i));
    SaveToolNames(settings, names);
    bool newEnabled = true;
    pm::setDialogHook([&](HWND d) {
        newEnabled = enabled(d, IDC_TOOL_NEW);
        ::EndDialog(d, IDCANCEL);
    });
    CToolsDlg dlg(settings);
    dlg.DoModal();
    pm::setDialogHook(nullptr);
    EXPECT_FALSE(newEnabled);
}

TEST(ToolsDialog, BrowsePutsTheChosenProgramInTheCommand) {
    DeclareEditorResources();
    CIniFile settings;
    bool mustExist = false;
    pm::setCommonDialogHook([&](const pm::CommonDialogRequest& request) {
        mustExist = request.mustExist;
        pm::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = {"/opt/my tools/lint"};
        return answer;
    });
    std::string command;
    bool updateEnabled = false;
    pm::setDialogHook([&](HWND d) {
        click(d, IDC_TOOL_BROWSE);
        command = itemText(d, IDC_TOOL_COMMAND);
        updateEnabled = enabled(d, IDOK);
        ::EndDialog(d, IDCANCEL);
    });
    CToolsDlg dlg(settings);
    dlg.DoModal();
    pm::setDialogHook(nullptr);
    pm::setCommonDialogHook(nullptr);
    EXPECT_TRUE(mustExist) << "only existing files";
    EXPECT_EQ(command, "/opt/my tools/lint") << "a path with a blank is kept whole";
    EXPECT_TRUE(updateEnabled);
}
