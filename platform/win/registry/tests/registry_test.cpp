#include "platform/win/winreg.h"

#include "cmake/test_files.h"
#include "platform/win/registry/hive_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs body in a child process; returns its exit status (0 when body returned true).
int inChild(const std::function<bool()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(body() ? 0 : 1);
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

LONG setString(HKEY key, const char* name, const char* text) {
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(std::strlen(text) + 1));
}

LONG setDword(HKEY key, const char* name, DWORD value) {
    BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    return RegSetValueEx(key, name, 0, REG_DWORD, bytes, 4);
}

std::string queryString(HKEY key, const char* name) {
    char buffer[256] = "";
    DWORD size = sizeof buffer, type = 0;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return "<missing>";
    return type == REG_SZ ? std::string(buffer) : "<type " + std::to_string(type) + ">";
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(PM_TEST_OUTPUT_DIR, 0700);
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = std::string(PM_TEST_OUTPUT_DIR) + "/registry-" + name;
        for (const char* f : {"HKEY_CURRENT_USER.hive", "HKEY_CLASSES_ROOT.hive", "HKEY_LOCAL_MACHINE.hive"})
            std::remove((m_folder + "/" + f).c_str());
        ::setenv("PM_CONFIG_HOME", m_folder.c_str(), 1);
    }

    HKEY create(HKEY root, const char* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, 0, access, nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

    std::string m_folder;
};

TEST_F(RegistryTest, TypedValuesRoundTrip) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Talvora3\\Settings");
    const BYTE binary[] = {0, 1, 0xFF, '%', ' ', '\n', '\r', 0x7F, ':', '\\', 0x80};
    ASSERT_EQ(setString(key, "Text", "two words % and \\ end"), ERROR_SUCCESS);
    ASSERT_EQ(setDword(key, "Count", 0xDEADBEEF), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Blob", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, nullptr, "default value"), ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\TALVORA3\\settings", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, "text"), "two words % and \\ end");
    EXPECT_EQ(queryString(key, ""), "default value");
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(RegQueryValueEx(key, "COUNT", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(value, 0xDEADBEEFu);
    BYTE data[32];
    size = sizeof data;
    ASSERT_EQ(RegQueryValueEx(key, "Blob", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size),
              std::string(reinterpret_cast<const char*>(binary), sizeof binary));
    size = 99;
    ASSERT_EQ(RegQueryValueEx(key, "Empty", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, QuerySizeRules) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Sizes");
    setString(key, "v", "hello");
    DWORD size = 0, type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    BYTE small[3];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, small, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, OpenAndCreateResults) {
    DWORD disposition = 0;
    HKEY key = create(HKEY_CURRENT_USER, "A\\B\\C\\", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    key = create(HKEY_CURRENT_USER, "a\\b", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    HKEY sub = create(key, "c");
    EXPECT_NE(sub, nullptr);
    RegCloseKey(sub);
    RegCloseKey(key);

    struct {
        const char* path;
        LONG open;
    } cases[] = {{"A\\B\\C", ERROR_SUCCESS},
                 {"A\\B\\D", ERROR_FILE_NOT_FOUND},
                 {"\\A", ERROR_BAD_PATHNAME},
                 {"A\\\\B", ERROR_BAD_PATHNAME},
                 {"", ERROR_SUCCESS},
                 {nullptr, ERROR_SUCCESS},
                 {"Missing", ERROR_FILE_NOT_FOUND}};
    for (const auto& c : cases) {
        HKEY opened = reinterpret_cast<HKEY>(1);
        EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, c.path, 0, KEY_READ, &opened), c.open)
            << (c.path ? c.path : "NULL");
        if (c.open != ERROR_SUCCESS) {
            EXPECT_EQ(opened, nullptr);
        }
        RegCloseKey(opened);
    }
    std::string tooLong(256, 'x');
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, tooLong.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, EnumerationInNameOrder) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Enum");
    for (const char* name : {"beta", "Alpha", "gamma"})
        RegCloseKey(create(key, name));
    setDword(key, "z", 1);
    setDword(key, "M", 2);
    setString(key, "a", "x");
    char name[16];
    std::string keys;
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        LONG status = RegEnumKeyEx(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        EXPECT_EQ(chars, std::strlen(name));
        keys += std::string(name) + ",";
    }
    EXPECT_EQ(keys, "Alpha,beta,gamma,");
    std::string values;
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name, type = 0;
        LONG status = RegEnumValue(key, i, name, &chars, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        values += std::string(name) + ":" + std::to_string(type) + ",";
    }
    EXPECT_EQ(values, "a:1,M:4,z:4,");
    DWORD chars = 5; // "Alpha" needs six with its NUL
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    BYTE data[1];
    DWORD size = sizeof data;
    chars = sizeof name;
    EXPECT_EQ(RegEnumValue(key, 1, name, &chars, nullptr, nullptr, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, Deleting) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Del");
    HKEY child = create(key, "Child\\Grandchild");
    setString(key, "v", "x");
    EXPECT_EQ(RegDeleteValue(key, "V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(key, "Child"), ERROR_ACCESS_DENIED) << "a key with subkeys stays";
    EXPECT_EQ(RegDeleteKey(key, "child\\grandchild"), ERROR_SUCCESS);
    EXPECT_EQ(queryString(child, "v"), "<missing>");
    EXPECT_EQ(setString(child, "v", "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKey(key, "Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(key, "Child"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    RegCloseKey(child);
    RegCloseKey(key);
}

TEST_F(RegistryTest, HandlesAndAccessRights) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Rights");
    RegCloseKey(key);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(setString(key, "v", "x"), ERROR_INVALID_HANDLE);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "v", "x"), ERROR_ACCESS_DENIED);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyEx(key, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, "v"), "<missing>") << "KEY_WRITE gives no query access";
    RegCloseKey(key);
}

TEST_F(RegistryTest, LocalMachineIsReadOnlyAndSeedable) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_ACCESS_DENIED);
    ::mkdir(m_folder.c_str(), 0700);
    pm::test::writeFile(m_folder + "/HKEY_LOCAL_MACHINE.hive",
                        "pmreg 1\nK :\nK :Software\\Seeded\nV 1 :Name :seed%00\n");
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\seeded", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, "name"), "seed");
    EXPECT_EQ(setString(key, "other", "x"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Seeded", 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, HiveFileFormat) {
    HKEY key = create(HKEY_CLASSES_ROOT, "CLSID\\{X}");
    setString(key, "", "a b");
    RegSetValueEx(key, "Bin", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01%"), 2);
    RegCloseKey(key);
    EXPECT_EQ(pm::test::readFile(m_folder + "/HKEY_CLASSES_ROOT.hive"),
              "pmreg 1\nK :\nK :CLSID\nK :CLSID\\{X}\nV 1 : :a%20b%00\nV 3 :Bin :%01%25\n");
}

TEST_F(RegistryTest, MalformedHiveFilesReadWhatTheyCan) {
    const char* files[] = {
        "", "not a hive", "pmreg 1\nV 1 :orphan :x\n",
        "pmreg 1\nK :A\nV 99999999999 :big :x\nV 1 :bad :%G0\nV 1 :cut :%4\nV 1 :ok :yes%00",
        "pmreg 1\nK :A\\\\B\nV 1 :lost :x%00\nK noColon\nK :A\n\n\nV 1 :ok :yes%00\n"};
    ::mkdir(m_folder.c_str(), 0700);
    time_t stamp = 1000000; // each file a modification time of its own, so the registry reads it again
    for (const char* text : files) {
        pm::RegistryKey root;
        pm::readHive(text, root);
        std::string path = m_folder + "/HKEY_CURRENT_USER.hive";
        pm::test::writeFile(path, text);
        ++stamp;
        const struct timespec times[2] = {{stamp, 0}, {stamp, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            EXPECT_EQ(queryString(key, "ok"), "yes") << text;
            EXPECT_EQ(queryString(key, "bad"), "<missing>");
            RegCloseKey(key);
        }
    }
}

TEST_F(RegistryTest, HiveThatIsNoFileIsLeftAlone) {
    std::string hive = m_folder + "/HKEY_CURRENT_USER.hive";
    ::mkdir(m_folder.c_str(), 0700);
    ASSERT_EQ(::mkdir(hive.c_str(), 0700), 0); // exists, but cannot be read as a file
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr),
              ERROR_CANTWRITE);
    EXPECT_EQ(key, nullptr);
    struct stat st;
    EXPECT_TRUE(::stat(hive.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    ::rmdir(hive.c_str());
}

TEST_F(RegistryTest, ProcessesSeeEachOthersWritesAndValuesSurviveRestart) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Shared");
    ASSERT_EQ(setString(key, "FromParent", "p"), ERROR_SUCCESS);
    EXPECT_EQ(queryString(key, "FromChild"), "<missing>");
    int status = inChild([] {
        HKEY k = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Shared", 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS)
            return false;
        return queryString(k, "FromParent") == "p" && setString(k, "FromChild", "c") == ERROR_SUCCESS;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(queryString(key, "FromChild"), "c") << "the parent's cache must follow the file";
    RegCloseKey(key);

    // A new process reading the file from scratch stands for a restart.
    status = inChild([] {
        HKEY k = nullptr;
        return RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Shared", 0, KEY_READ, &k) == ERROR_SUCCESS &&
               queryString(k, "FromParent") == "p" && queryString(k, "FromChild") == "c";
    });
    EXPECT_EQ(status, 0);
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
    const int writers = 4, each = 40;
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        pid_t pid = ::fork();
        if (pid == 0) {
            HKEY k = nullptr;
            bool ok = RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Busy", 0, nullptr, 0, KEY_ALL_ACCESS,
                                     nullptr, &k, nullptr) == ERROR_SUCCESS;
            for (int i = 0; ok && i < each; ++i)
                ok = setDword(k, ("w" + std::to_string(w) + "_" + std::to_string(i)).c_str(), DWORD(i)) ==
                     ERROR_SUCCESS;
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = -1;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Busy", 0, KEY_READ, &key), ERROR_SUCCESS);
    int found = 0;
    char name[32];
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        if (RegEnumValue(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        ++found;
    }
    EXPECT_EQ(found, writers * each);
    RegCloseKey(key);
}

} // namespace
