// Module files: the bytes of a saved module, round trips, and files that are cut short or hostile.

#include "cmake/test_files.h"
#include "platform/com/objbase.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/windlg.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHVBScriptEngine.h"

#include <gtest/gtest.h>

namespace {

// One object ("Obj", "My.Object", flags 6) and two groups: "(General)" with its declarations and
// "App" with the handler of Timer.
const unsigned char kExample[] = {
    0xFF, 0xFF, 0x01, 0x00, 0x11, 0x00, 0x43, 0x48, 0x48, 0x56, 0x42, 0x53, 0x63, 0x72, 0x69, 0x70, 0x74,
    0x45, 0x6E, 0x67, 0x69, 0x6E, 0x65, 0x01, 0x00, 0x00, 0x00, 0x03, 0x4F, 0x62, 0x6A, 0x09, 0x4D, 0x79,
    0x2E, 0x4F, 0x62, 0x6A, 0x65, 0x63, 0x74, 0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x09, 0x28,
    0x47, 0x65, 0x6E, 0x65, 0x72, 0x61, 0x6C, 0x29, 0x01, 0x00, 0x00, 0x00, 0x0E, 0x28, 0x44, 0x65, 0x63,
    0x6C, 0x61, 0x72, 0x61, 0x74, 0x69, 0x6F, 0x6E, 0x73, 0x29, 0x00, 0x07, 0x44, 0x69, 0x6D, 0x20, 0x6E,
    0x0D, 0x0A, 0x00, 0x03, 0x41, 0x70, 0x70, 0x01, 0x00, 0x00, 0x00, 0x05, 0x54, 0x69, 0x6D, 0x65, 0x72,
    0x11, 0x53, 0x75, 0x62, 0x20, 0x41, 0x70, 0x70, 0x5F, 0x54, 0x69, 0x6D, 0x65, 0x72, 0x28, 0x29, 0x0D,
    0x0A, 0x0C, 0x09, 0x6E, 0x20, 0x3D, 0x20, 0x6E, 0x20, 0x2B, 0x20, 0x31, 0x0D, 0x0A, 0x0B, 0x45, 0x6E,
    0x64, 0x20, 0x53, 0x75, 0x62, 0x0D, 0x0A, 0x0D, 0x0A};
const char kExampleText[] = "Dim n\r\nSub App_Timer()\r\n\tn = n + 1\r\nEnd Sub\r\n\r\n";

const CLSID kMyObject = {0x5C4E0001, 0x1234, 0x4321, {1, 2, 3, 4, 5, 6, 7, 8}};

class Thing final : public pm::ComObject<IUnknown> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) return pm::answerInterface<IUnknown>(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
};

std::string bytesOf(const unsigned char* data, size_t n) {
    return std::string(reinterpret_cast<const char*>(data), n);
}

class ModuleFile : public ::testing::Test {
protected:
    void SetUp() override {
        pm::registerClass(kMyObject, "My.Object", [](IUnknown** out) {
            *out = new Thing;
            return S_OK;
        });
        folder = pm::afxtest::makeTempFolder();
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        pm::setMessageBoxHook(nullptr);
        pm::unregisterClass(kMyObject);
        pm::afxtest::removeFolder(folder);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = folder + "/" + name;
        pm::test::writeFile(path, bytes);
        return path;
    }
    std::string folder;
    std::vector<std::string> messages;
    CHHModule module{RUNTIME_CLASS(CHHVBScriptEngine)};
};

TEST_F(ModuleFile, ExampleLoadsAndSavesByteForByte) {
    const std::string example = bytesOf(kExample, sizeof kExample);
    ASSERT_EQ(example.size(), 145u);
    ASSERT_TRUE(module.LoadFromFile(write("example.hbs", example).c_str()));
    ASSERT_EQ(module.GetObjects().size(), 1u);
    EXPECT_STREQ(module.GetObjects()[0].m_strName, "Obj");
    EXPECT_STREQ(module.GetObjects()[0].m_strText, "My.Object");
    EXPECT_EQ(module.GetObjects()[0].m_dwFlags, 6u);
    EXPECT_TRUE(module.GetObjects()[0].m_pUnknown);
    EXPECT_STREQ(module.GetProcedures().GetText(), kExampleText);
    EXPECT_EQ(module.GetEngineClass(), RUNTIME_CLASS(CHHVBScriptEngine));

    const std::string saved = folder + "/saved.hbs";
    ASSERT_TRUE(module.SaveToFile(saved.c_str()));
    EXPECT_EQ(pm::test::readFile(saved), example);
    // Loading again replaces the objects instead of adding them twice.
    ASSERT_TRUE(module.LoadFromFile(saved.c_str()));
    EXPECT_EQ(module.GetObjects().size(), 1u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ModuleFile, AnObjectThatCannotBeCreatedIsLeftOutSilently) {
    pm::unregisterClass(kMyObject);
    ASSERT_TRUE(module.LoadFromFile(write("example.hbs", bytesOf(kExample, sizeof kExample)).c_str()));
    EXPECT_TRUE(module.GetObjects().empty());
    EXPECT_STREQ(module.GetProcedures().GetText(), kExampleText);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ModuleFile, EveryCutShortFileIsRefusedAndLeavesTheModuleEmpty) {
    const std::string example = bytesOf(kExample, sizeof kExample);
    for (size_t length = 0; length < example.size(); ++length) {
        ASSERT_TRUE(module.LoadFromFile(write("whole.hbs", example).c_str()));
        messages.clear();
        EXPECT_FALSE(module.LoadFromFile(write("cut.hbs", example.substr(0, length)).c_str())) << length;
        EXPECT_TRUE(module.GetObjects().empty()) << length;
        EXPECT_STREQ(module.GetProcedures().GetText(), "") << length;
        EXPECT_EQ(messages.size(), 1u) << length;
    }
}

TEST_F(ModuleFile, HostileFilesAreRefused) {
    const std::string example = bytesOf(kExample, sizeof kExample);
    struct Case {
        const char* name;
        size_t offset;
        std::string bytes;
    };
    const Case cases[] = {
        {"unknown class", 6, "CHHVBScriptEnginX"},
        {"other schema", 2, std::string("\x02\x00", 2)},
        {"a class that is no engine", 4, std::string("\x07\x00", 2) + "CObject"},
        {"object count far beyond the file", 23, std::string("\xFF\xFF\xFF\x7F", 4)},
        {"name length beyond the file", 27, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7)},
        {"group count far beyond the file", 45, std::string("\xFF\xFF\xFF\xFF", 4)},
        {"procedure count far beyond the file", 59, std::string("\x00\x00\x00\x40", 4)},
    };
    for (const Case& c : cases) {
        std::string bytes = example;
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        messages.clear();
        EXPECT_FALSE(module.LoadFromFile(write("hostile.hbs", bytes).c_str())) << c.name;
        EXPECT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(module.GetEngineClass(), RUNTIME_CLASS(CHHVBScriptEngine)) << c.name;
    }
}

TEST_F(ModuleFile, AMissingFileIsReportedAndASaveIntoAMissingFolderFails) {
    EXPECT_FALSE(module.LoadFromFile((folder + "/missing.hbs").c_str()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("missing.hbs"), std::string::npos) << messages[0];
    EXPECT_FALSE(module.SaveToFile((folder + "/no/such/folder/m.hbs").c_str()));
}

TEST_F(ModuleFile, StringLengthsSwitchTheirPrefixAtTheFrameworkBounds) {
    for (int length : {254, 255, 65533, 65534}) {
        CHHScriptProcedureList& procedures = module.GetProcedures();
        procedures.RemoveAll();
        procedures.AddProcedure("(General)", "(Declarations)", "", CString('x', length), "");
        const std::string path = folder + "/long.hbs";
        ASSERT_TRUE(module.SaveToFile(path.c_str()));
        const std::string bytes = pm::test::readFile(path);
        CHHModule other(RUNTIME_CLASS(CHHVBScriptEngine));
        ASSERT_TRUE(other.LoadFromFile(path.c_str())) << length;
        EXPECT_EQ(other.GetProcedures().GetText().GetLength(), length);
        // Header (23), object count, group count, "(General)", count, "(Declarations)", empty head.
        const size_t prefix = 23 + 4 + 4 + 10 + 4 + 15 + 1;
        const unsigned char first = static_cast<unsigned char>(bytes[prefix]);
        EXPECT_EQ(first, length < 255 ? length : 0xFF) << length;
        const bool longForm = bytes.substr(prefix + 1, 2) == std::string("\xFF\xFF", 2);
        EXPECT_EQ(longForm, length >= 65534) << length;
    }
}

} // namespace
