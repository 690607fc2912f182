// The application object: its profile (registry and INI file, archives kept in it), command-line
// parsing, and documents that keep their files when saving fails.

#include "cmake/test_files.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/ProfileArchive.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/scratch_disk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CProfileApp : public CWinApp {
public:
    CProfileApp() : CWinApp("Profile Test") {}
};

void checkProfile(CWinApp& app) {
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -12));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Count", 5)), -12);
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 5), 5u);
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "a value"));
    EXPECT_EQ(std::string(app.GetProfileString("Settings", "Name", "x")), "a value");
    EXPECT_EQ(std::string(app.GetProfileString("Settings", "Other", "fallback")), "fallback");
    BYTE bytes[] = {0, 1, 0x7F, 0x80, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", bytes, sizeof(bytes)));
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &data, &size));
    EXPECT_EQ(std::vector<BYTE>(data, data + size), std::vector<BYTE>(bytes, bytes + sizeof(bytes)));
    delete[] data;
    EXPECT_FALSE(app.GetProfileBinary("Settings", "NoBlob", &data, &size));
    EXPECT_EQ(data, nullptr);

    // An archive kept in the profile: loaded only once saved, with its length beside it.
    EXPECT_FALSE(LoadArchiveFromProfile(app, "State", "Bytes", "Size",
                                        [](CArchive&) { ADD_FAILURE() << "nothing was saved"; }));
    EXPECT_TRUE(SaveArchiveToProfile(app, "State", "Bytes", "Size", [](CArchive& ar) { ar << 7 << -1; }));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("State", "Size", 0)), 8);
    int first = 0, second = 0;
    EXPECT_TRUE(
        LoadArchiveFromProfile(app, "State", "Bytes", "Size", [&](CArchive& ar) { ar >> first >> second; }));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, -1);
}

} // namespace

TEST(Application, ProfileInTheRegistry) {
    CProfileApp app;
    app.InitApplication();
    app.SetRegistryKey("Framework Tests");
    checkProfile(app);
    HKEY section = app.GetSectionKey("Settings");
    ASSERT_NE(section, nullptr);
    DWORD type = 0;
    EXPECT_EQ(::RegQueryValueEx(section, "Count", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ::RegCloseKey(section);
}

TEST(Application, ProfileInAnIniFile) {
    std::string folder = pm::afxtest::makeTempFolder();
    std::string ini = folder + "/profile.ini";
    CProfileApp app;
    app.InitApplication();
    app.m_pszProfileName = ini.c_str();
    checkProfile(app);
    EXPECT_NE(pm::test::readFile(ini).find("Name=a value"), std::string::npos);
    pm::afxtest::removeFolder(folder);
}

TEST(Application, HelpRequestsSayNoneIsThereAndClosingHelpSaysNothing) {
    std::vector<std::string> boxes;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        boxes.push_back(text);
        return IDOK;
    });
    CProfileApp app;
    app.WinHelp(0, HELP_QUIT);
    EXPECT_TRUE(boxes.empty());
    app.WinHelp(0x20000 + 57600, HELP_CONTEXT);
    app.OnHelpIndex();
    EXPECT_EQ(boxes, (std::vector<std::string>(2, "No help is available for this item.")));
    pm::setMessageBoxHook(nullptr);
}

TEST(Application, CommandLines) {
    struct Case {
        std::vector<const char*> args;
        int command;
        const char* file;
    };
    const Case cases[] = {
        {{"prog"}, CCommandLineInfo::FileNew, ""},
        {{"prog", "doc.txt"}, CCommandLineInfo::FileOpen, "doc.txt"},
        {{"prog", "-p", "doc.txt"}, CCommandLineInfo::FilePrint, "doc.txt"},
        {{"prog", "/nologo", "doc.txt"}, CCommandLineInfo::FileOpen, "doc.txt"},
        {{"prog", "-unregister"}, CCommandLineInfo::AppUnregister, ""},
        // Absolute paths are files, not flags.
        {{"prog", "/tmp/some folder/doc.txt"}, CCommandLineInfo::FileOpen, "/tmp/some folder/doc.txt"},
        {{"prog", "/tmp"}, CCommandLineInfo::FileOpen, "/tmp"},
    };
    for (const Case& c : cases) {
        CProfileApp app;
        std::vector<char*> argv;
        for (const char* a : c.args)
            argv.push_back(const_cast<char*>(a));
        app.m_argc = static_cast<int>(argv.size());
        app.m_argv = argv.data();
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << c.args.back();
        EXPECT_EQ(std::string(info.m_strFileName), c.file);
    }
}

namespace {

class CBytesDoc : public CDocument {
public:
    std::string m_bytes;
    bool m_failStore = false;
    void Serialize(CArchive& ar) override {
        if (!ar.IsStoring()) return;
        ar.Write(m_bytes.data(), static_cast<UINT>(m_bytes.size() / 2));
        if (m_failStore) AfxThrowFileException(CFileException::diskFull);
        ar.Write(m_bytes.data() + m_bytes.size() / 2, static_cast<UINT>(m_bytes.size() - m_bytes.size() / 2));
    }
};

} // namespace

TEST(Documents, AFailedSaveLeavesTheOldFileAsItWas) {
    std::vector<std::string> boxes;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        boxes.push_back(text);
        return IDOK;
    });
    std::string folder = pm::afxtest::makeTempFolder();
    std::string path = folder + "/keep.txt";
    pm::test::writeFile(path, "the old contents");

    CBytesDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.m_bytes = "new contents";
    doc.m_failStore = true;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.DoSave(path.c_str()));
    EXPECT_EQ(pm::test::readFile(path), "the old contents");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(doc.IsModified());

    doc.m_failStore = false;
    EXPECT_TRUE(doc.DoSave(path.c_str()));
    EXPECT_EQ(pm::test::readFile(path), "new contents");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(std::string(doc.GetTitle()), "keep.txt");

    // A folder that cannot be written and a full disk (both hold for root): the save fails, says
    // so, and leaves the saved file and nothing else.
    for (pm::test::ScratchDisk::Kind kind : {pm::test::ScratchDisk::ReadOnly, pm::test::ScratchDisk::Full}) {
        SCOPED_TRACE(kind == pm::test::ScratchDisk::ReadOnly ? "read-only folder" : "full disk");
        pm::test::ScratchDisk disk(kind);
        const std::string sealed = disk.file("keep.txt");
        pm::test::writeFile(sealed, "sealed contents");
        disk.seal();
        const std::size_t told = boxes.size();
        doc.SetModifiedFlag();
        EXPECT_FALSE(doc.DoSave(sealed.c_str()));
        disk.unseal();
        EXPECT_EQ(pm::test::readFile(sealed), "sealed contents");
        EXPECT_EQ(boxes.size(), told + 1);
        EXPECT_EQ(disk.names(), std::vector<std::string>{"keep.txt"});
        EXPECT_TRUE(doc.IsModified());
    }
    pm::setMessageBoxHook(nullptr);
    pm::afxtest::removeFolder(folder);
}

namespace {

class CMainApp : public CWinApp {
public:
    explicit CMainApp(BOOL start) : CWinApp("Main Test"), m_start(start) {}
    BOOL m_start;
    bool m_ranExit = false;
    BOOL InitInstance() override {
        if (m_start) ::PostQuitMessage(7);
        return m_start;
    }
    int ExitInstance() override {
        m_ranExit = true;
        return CWinApp::ExitInstance();
    }
};

} // namespace

TEST(Application, WinMainRunsTheLoopOrExitsAtOnce) {
    char name[] = "/usr/bin/sample";
    char* argv[] = {name};
    {
        CMainApp app(TRUE);
        EXPECT_EQ(AfxWinMain(1, argv), 7) << "the exit code of WM_QUIT";
        EXPECT_TRUE(app.m_ranExit);
        EXPECT_EQ(std::string(app.m_pszExeName), "sample");
    }
    {
        CMainApp app(FALSE);
        EXPECT_EQ(AfxWinMain(1, argv), 0);
        EXPECT_TRUE(app.m_ranExit) << "a failed start still cleans up";
    }
}
