// SQL files and the personal folder: save and reopen, the close question, files too big, keys and
// their limit.

#include "support/tessmark_fixture.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/personal_folder.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_files.h"

#include "cmake/test_files.h"
#include "platform/win/commctrl.h"
#include "platform/win/commdlg.h"
#include "platform/win/tests/support/test_windows.h"

#include <filesystem>

namespace {

std::string caption(HWND hwnd) {
    char text[1024] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

} // namespace

class SqlFiles : public TessmarkTest {
protected:
    void SetUp() override {
        TessmarkTest::SetUp();
        m_window = Connect();
        ASSERT_NE(nullptr, m_window);
        pm::setCommonDialogHook([this](const pm::CommonDialogRequest& request) {
            m_dialogTitles.push_back(request.title);
            pm::CommonDialogAnswer answer;
            answer.accepted = !m_chosenPath.empty();
            answer.paths = {m_chosenPath};
            return answer;
        });
    }
    void TearDown() override {
        pm::setCommonDialogHook(nullptr);
        TessmarkTest::TearDown();
    }
    std::string recentItem(int n) {
        char text[1024] = {};
        GetMenuString(m_app->MenuPopup(0), static_cast<UINT>(ID_NORECENTFILES + n), text, sizeof text,
                      MF_BYCOMMAND);
        return text;
    }
    CQueryWindow* m_window = nullptr;
    std::string m_chosenPath;
    std::vector<std::string> m_dialogTitles;
};

TEST_F(SqlFiles, SavedFilesReopenByteForByte) {
    const std::string text = "select 'é' as e;\r\n\tselect 2;\r\n";
    SetEditorText(*m_window, text);
    m_chosenPath = m_folder + "/script.sql";
    Command(ID_SAVE_KEY);
    EXPECT_EQ((std::vector<std::string>{"Save As"}), m_dialogTitles);
    EXPECT_EQ(text, pm::test::readFile(m_chosenPath)) << "CR LF line ends and no NUL at the end";
    EXPECT_EQ("Query - 127.0.0.1.root - " + m_chosenPath, caption(m_window->Window()));
    EXPECT_EQ("&1 " + m_chosenPath, recentItem(1));
    EXPECT_FALSE(m_window->Modified());

    // Unchanged: nothing is written.
    pm::test::writeFile(m_chosenPath, "changed on disk");
    Command(ID_SAVE_KEY);
    EXPECT_EQ("changed on disk", pm::test::readFile(m_chosenPath));

    // A file with a NUL is taken up to it; the text saved again is the same bytes.
    pm::test::writeFile(m_chosenPath, text + std::string(1, '\0') + "tail");
    SetEditorText(*m_window, "");
    m_boxAnswer = IDNO;
    Command(ID_OPEN_KEY);
    EXPECT_EQ("select 'é' as e;\n\tselect 2;\n", m_window->Editor()->GetText());
    m_chosenPath = m_folder + "/again.sql";
    Command(ID_SAVEAS);
    EXPECT_EQ(text, pm::test::readFile(m_chosenPath));

    // The first recent file is the last one saved; choosing it opens it.
    EXPECT_EQ("&1 " + m_chosenPath, recentItem(1));
    SetEditorText(*m_window, "");
    Command(ID_FIRSTRECENT);
    EXPECT_EQ("select 'é' as e;\n\tselect 2;\n", m_window->Editor()->GetText());
}

TEST_F(SqlFiles, FilesTooBigOrUnreadableAreRefusedButListed) {
    const std::string big = m_folder + "/big.sql";
    pm::test::writeFile(big, std::string(0xA00000, 'x'));
    OpenSqlFilePath(*m_window, big);
    EXPECT_EQ("Tessmark: File too big to process !!!", m_boxes.back());
    EXPECT_EQ("", m_window->Editor()->GetText());
    OpenSqlFilePath(*m_window, m_folder + "/missing.sql");
    EXPECT_EQ(0u, m_boxes.back().find("Tessmark: Could not open file.\n2:"));
    EXPECT_EQ("&1 " + m_folder + "/missing.sql", recentItem(1));
    EXPECT_EQ("&2 " + big, recentItem(2));
}

TEST_F(SqlFiles, CancellingTheCloseQuestionKeepsTheWindowAndItsConnection) {
    SetEditorText(*m_window, "select 1");
    m_boxAnswer = IDCANCEL;
    Command(ID_DISCONNECT_KEY);
    EXPECT_EQ(m_window, m_app->ActiveQueryWindow());
    EXPECT_EQ(1, g_appGlobals->connectionCount);
    EXPECT_NE(nullptr, m_window->Connection());
    // Yes with a cancelled Save As dialog also keeps it.
    m_boxAnswer = IDYES;
    Command(ID_DISCONNECT_KEY);
    EXPECT_EQ(m_window, m_app->ActiveQueryWindow());
    m_boxAnswer = IDNO;
    Command(ID_DISCONNECT_KEY);
    EXPECT_EQ(nullptr, m_app->ActiveQueryWindow());
    EXPECT_EQ(0, g_appGlobals->connectionCount);
}

TEST_F(SqlFiles, PersonalKeysAreAddedInsertedAndLimitedTo99) {
    auto addKey = [&](const std::string& name) {
        pm::setDialogHook([name](HWND dialog) {
            SetDlgItemText(dialog, IDC_KEYNAME, name.c_str());
            SendMessage(dialog, WM_COMMAND, IDOK, 0);
            if (IsWindow(dialog)) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(ID_ADDKEY_KEY);
    };
    SetEditorText(*m_window, "");
    Command(ID_ADDKEY_KEY);
    EXPECT_EQ("Tessmark: There is no SQL text. Please enter some values.", m_boxes.back());

    SetEditorText(*m_window, "select 42");
    addKey("answer");
    EXPECT_EQ(std::string("select 42") + '\0', pm::test::readFile(m_folder + "/answer.mys"));
    EXPECT_EQ(1, m_app->PersonalKeyCount());
    addKey("answer");
    EXPECT_EQ(0u, m_boxes.back().find("Tessmark: Could not create personal key file.\n17:"));
    addKey("../outside");
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/../outside.mys"));

    SetEditorText(*m_window, "");
    Command(ID_FIRSTKEY);
    EXPECT_EQ("select 42", m_window->Editor()->GetText());

    for (int i = 2; i <= 99; ++i)
        addKey("k" + std::to_string(i));
    EXPECT_EQ(99, m_app->PersonalKeyCount());
    addKey("one_too_many");
    EXPECT_EQ(
        "Tessmark: Cannot add more keys. You can have atmost 99 keys.\nPlease delete some keys by going to "
        "\nEdit\\Manage Personal Folder",
        m_boxes.back());
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/one_too_many.mys"));
}

TEST_F(SqlFiles, TheFolderListingCapsAt99AndCutsNamesAtTheirFirstStop) {
    for (int i = 0; i < 105; ++i)
        pm::test::writeFile(m_folder + "/key" + std::to_string(100 + i) + ".mys", "x");
    pm::test::writeFile(m_folder + "/a.b.mys", "y");
    pm::test::writeFile(m_folder + "/other.sql", "z");
    const std::vector<std::string> keys = ListPersonalKeys(m_folder);
    ASSERT_EQ(99u, keys.size());
    EXPECT_EQ("a", keys.front());
    m_app->BuildPersonalMenu();
    EXPECT_EQ(99, m_app->PersonalKeyCount());
    EXPECT_EQ(99, GetMenuItemCount(m_app->PersonalMenu()));
}

TEST_F(SqlFiles, ManagingTheFolderDeletesTheTickedKeysAndRebuildsThePopup) {
    for (const char* name : {"alpha", "beta", "gamma"})
        pm::test::writeFile(m_folder + "/" + name + ".mys", std::string("select 1") + '\0');
    m_app->BuildPersonalMenu();
    ASSERT_EQ(3, m_app->PersonalKeyCount());
    m_boxAnswer = IDYES;
    pm::setDialogHook([](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_KEYLIST);
        ASSERT_EQ(3, SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
        char first[64] = {};
        LVITEMA item{};
        item.pszText = first;
        item.cchTextMax = sizeof first;
        SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ("gamma", std::string(first)) << "the list shows the keys in reverse menu order";
        LVITEMA check{};
        check.stateMask = LVIS_STATEIMAGEMASK;
        check.state = INDEXTOSTATEIMAGEMASK(2);
        SendMessage(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&check));
        SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&check));
        SendMessage(dialog, WM_COMMAND, IDC_DELETEKEYS, 0);
    });
    Command(ID_MANAGEKEYS);
    EXPECT_EQ((std::vector<std::string>{"Tessmark: Do you really want to delete the keys ?"}), m_boxes);
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/alpha.mys"));
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/beta.mys"));
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/gamma.mys"));
    EXPECT_EQ(1, m_app->PersonalKeyCount());
    char text[64] = {};
    GetMenuString(m_app->PersonalMenu(), ID_FIRSTKEY, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ("beta", std::string(text));
}
