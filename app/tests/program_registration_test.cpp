// The registry helpers and the program registration: string values of every string type (also
// stored without their zero), the window handle's text, and a program that is not registered.

#include "app/program_registration.h"
#include "app/registry_helpers.h"

#include "platform/win/res/resources.h"
#include "platform/win/windlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kKey[] = "Software\\Registry Helpers Test";

void setRaw(LPCTSTR name, DWORD type, const std::string& bytes) {
    HKEY key = RegCreateKeyAccess(HKEY_CURRENT_USER, kKey, KEY_WRITE);
    ASSERT_NE(key, nullptr);
    ::RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                    static_cast<DWORD>(bytes.size()));
    RegCloseKeySafe(key);
}

HWND fakeHandle(unsigned long long value) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

} // namespace

TEST(RegistryHelpers, StringValuesOfEveryStringType) {
    ASSERT_TRUE(RegSetStringValue(HKEY_CURRENT_USER, kKey, "plain", "C:\\Program Files\\x.exe"));
    setRaw("expand", REG_EXPAND_SZ, std::string("%HOME%/x", 9));
    setRaw("link", REG_LINK, std::string("target", 7));
    setRaw("multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
    setRaw("unterminated", REG_SZ, "abc");
    setRaw("number", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    struct Case {
        const char* name;
        BOOL found;
        const char* text;
    };
    const Case cases[] = {
        {"plain", TRUE, "C:\\Program Files\\x.exe"},
        {"expand", TRUE, "%HOME%/x"},
        {"link", TRUE, "target"},
        {"multi", TRUE, "one"},
        {"unterminated", TRUE, "abc"},
        {"number", FALSE, ""},
        {"missing", FALSE, ""},
    };
    for (const Case& c : cases) {
        CString text = "left over";
        EXPECT_EQ(RegQueryStringValue(HKEY_CURRENT_USER, kKey, c.name, text), c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(std::string(text), c.text) << c.name;
        }
    }
    CString text;
    EXPECT_FALSE(RegQueryStringValue(HKEY_CURRENT_USER, "Software\\No Such Key", "plain", text));
    HKEY key = RegOpenKeyAccess(HKEY_CURRENT_USER, kKey, KEY_READ);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(RegQueryStringValue(key, nullptr, "link", text)) << "a value of the key itself";
    RegCloseKeySafe(key);
    RegCloseKeySafe(nullptr);
}

TEST(ProgramRegistration, PathAndWindowRoundTrip) {
    EXPECT_EQ(std::string(FormatWindowHandle(fakeHandle(7))), "0007");
    EXPECT_EQ(std::string(FormatWindowHandle(fakeHandle(999))), "0999");
    EXPECT_EQ(std::string(FormatWindowHandle(fakeHandle(1000))), "1000");
    EXPECT_EQ(std::string(FormatWindowHandle(fakeHandle(0x123456789ABCD0ULL))), "5124095576030416");

    ASSERT_TRUE(
        RegisterProgramWindow("TESTPROG", "/opt/test prog/testprog", fakeHandle(0x123456789ABCD0ULL)));
    CString value;
    ASSERT_TRUE(RegQueryStringValue(HKEY_CURRENT_USER, g_strProgramsKey, "TESTPROGh", value));
    EXPECT_EQ(std::string(value), "5124095576030416");
    CString path;
    HWND window = nullptr;
    ASSERT_TRUE(FindProgramWindow("TESTPROG", path, window));
    EXPECT_EQ(std::string(path), "/opt/test prog/testprog");
    EXPECT_EQ(window, fakeHandle(0x123456789ABCD0ULL));

    ASSERT_TRUE(RegSetStringValue(HKEY_CURRENT_USER, g_strProgramsKey, "NOWINDOW", "/bin/nowindow"));
    EXPECT_TRUE(FindProgramWindow("NOWINDOW", path, window));
    EXPECT_EQ(window, nullptr) << "no window registered";
    EXPECT_FALSE(FindProgramWindow("UNKNOWN", path, window));
}

TEST(ProgramRegistration, HandingToAProgramThatIsNotRegisteredFails) {
    pm::res::addStrings({{61234, "The program is not installed."}});
    std::vector<std::string> boxes;
    pm::setMessageBoxHook([&boxes](HWND, const std::string& text, const std::string&, UINT) {
        boxes.push_back(text);
        return IDOK;
    });
    EXPECT_FALSE(HandFileToProgram("NOTREGISTERED", nullptr, kCopyDataOpen, "/tmp/a.htm", 0));
    EXPECT_TRUE(boxes.empty()) << "no error string, no message";
    EXPECT_FALSE(HandFileToProgram("NOTREGISTERED", nullptr, kCopyDataOpen, "/tmp/a.htm", 61234));
    EXPECT_EQ(boxes, std::vector<std::string>{"The program is not installed."});

    // Registered, but its window is gone and its program does not start.
    boxes.clear();
    ASSERT_TRUE(RegisterProgramWindow("GONEPROG", "/nonexistent/goneprog", fakeHandle(0x40)));
    EXPECT_FALSE(HandFileToProgram("GONEPROG", nullptr, kCopyDataOpen, "/tmp/a.htm", 61234));
    EXPECT_EQ(boxes.size(), 1u);
    pm::setMessageBoxHook(nullptr);
}
