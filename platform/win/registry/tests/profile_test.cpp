#include "cmake/test_files.h"
#include "platform/win/profile.h"
#include "platform/win/tests/support/scratch_disk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace std::string_literals;

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(PM_TEST_OUTPUT_DIR, 0700);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        m_path = std::string(PM_TEST_OUTPUT_DIR) + "/profile_" + name + ".ini";
        std::remove(m_path.c_str());
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string m_path;
};

const char* const kSample = "; leading comment\r\n"
                            "orphan=before any section\r\n"
                            "[General]\r\n"
                            "  Name  =  Penmere  \r\n"
                            "Empty=\r\n"
                            "Quoted=\"  spaced  \"\r\n"
                            "Single='x'\r\n"
                            "Half=\"open\r\n"
                            "; Name=commented\r\n"
                            "Number=42xyz\r\n"
                            "Negative=-7\r\n"
                            "NoEquals\r\n"
                            "name=duplicate\r\n"
                            "\r\n"
                            "[ Other ]\r\n"
                            "a=1\r\n"
                            "[general]\r\n"
                            "Late=second section of the same name\r\n";

struct ReadCase {
    const char* name;
    const char* app; // nullptr lists sections
    const char* key; // nullptr lists keys
    const char* def;
    DWORD size;
    std::string expected; // buffer content up to and including the final NUL(s)
    DWORD result;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ProfileReadTest : public ProfileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileReadTest, GetPrivateProfileString) {
    pm::test::writeFile(m_path, kSample);
    const ReadCase& c = GetParam();
    std::string buffer(c.size + 4, '#');
    DWORD n = GetPrivateProfileString(c.app, c.key, c.def, buffer.data(), c.size, m_path.c_str());
    EXPECT_EQ(n, c.result);
    EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected);
    EXPECT_EQ(buffer.substr(c.size), "####") << "wrote past the buffer";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReadTest,
    ::testing::Values(
        ReadCase{"BlanksAroundKeyAndValue", "General", "Name", "d", 64, "Penmere\0"s, 7},
        ReadCase{"SectionAndKeyIgnoreCase", "GENERAL", "nAmE", "d", 64, "Penmere\0"s, 7},
        ReadCase{"FirstDuplicateKeyWins", "General", "name", "", 64, "Penmere\0"s, 7},
        ReadCase{"EmptyValueIsFound", "General", "Empty", "dflt", 64, "\0"s, 0},
        ReadCase{"DoubleQuotesRemoved", "General", "Quoted", "", 64, "  spaced  \0"s, 10},
        ReadCase{"SingleQuotesRemoved", "General", "Single", "", 64, "x\0"s, 1},
        ReadCase{"UnmatchedQuoteKept", "General", "Half", "", 64, "\"open\0"s, 5},
        ReadCase{"CommentIsNoKey", "General", "; Name", "dflt", 64, "dflt\0"s, 4},
        ReadCase{"LineWithoutEqualsIsEmptyKey", "General", "NoEquals", "d", 64, "\0"s, 0},
        ReadCase{"KeyBeforeFirstSectionIgnored", "", "orphan", "none", 64, "none\0"s, 4},
        ReadCase{"SectionNameTrimmed", "Other", "a", "", 64, "1\0"s, 1},
        ReadCase{"FirstDuplicateSectionWins", "General", "Late", "missing", 64, "missing\0"s, 7},
        ReadCase{"MissingKeyGivesDefault", "General", "Nope", "fallback", 64, "fallback\0"s, 8},
        ReadCase{"DefaultTrailingBlanksTrimmed", "General", "Nope", " lead  \t ", 64, " lead\0"s, 5},
        ReadCase{"NullDefaultIsEmpty", "General", "Nope", nullptr, 64, "\0"s, 0},
        ReadCase{"MissingSectionGivesDefault", "Nowhere", "Name", "x", 64, "x\0"s, 1},
        ReadCase{"ValueCutToBuffer", "General", "Name", "", 5, "Penm\0"s, 4},
        ReadCase{"DefaultCutToBuffer", "General", "Nope", "abcdef", 3, "ab\0"s, 2},
        ReadCase{"OneByteBuffer", "General", "Name", "", 1, "\0"s, 0},
        ReadCase{"ZeroSizeWritesNothing", "General", "Name", "", 0, "#"s, 0},
        ReadCase{"SectionNames", nullptr, "ignored", "", 64, "General\0Other\0general\0\0"s, 22},
        ReadCase{"SectionNamesCut", nullptr, nullptr, "", 12, "General\0Ot\0\0"s, 10},
        ReadCase{"SectionNamesCutAtBoundary", nullptr, nullptr, "", 10, "General\0\0\0"s, 8},
        ReadCase{"KeyNames", "Other", nullptr, "", 64, "a\0\0"s, 2},
        ReadCase{"KeyNamesInFileOrder", "general", nullptr, "", 80,
                 "Name\0Empty\0Quoted\0Single\0Half\0Number\0Negative\0NoEquals\0name\0\0"s, 60},
        ReadCase{"KeyNamesOfMissingSection", "Nowhere", nullptr, "", 8, "\0\0"s, 0},
        ReadCase{"KeyNamesCut", "General", nullptr, "", 9, "Name\0Em\0\0"s, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileTest, MissingFileGivesDefaultsAndEmptyLists) {
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileString("s", "k", "def ", buffer, sizeof buffer, m_path.c_str()), 3u);
    EXPECT_STREQ(buffer, "def");
    EXPECT_EQ(GetPrivateProfileSectionNames(buffer, sizeof buffer, m_path.c_str()), 0u);
    EXPECT_EQ(std::string(buffer, 2), "\0\0"s);
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 17, m_path.c_str()), 17u);
    EXPECT_FALSE(exists(m_path));
}

TEST_F(ProfileTest, GetPrivateProfileInt) {
    pm::test::writeFile(m_path, kSample);
    struct {
        const char* key;
        INT def;
        INT expected;
    } cases[] = {{"Number", 5, 42}, {"Negative", 5, -7}, {"Empty", 5, 5}, {"Missing", -3, -3},
                 {"Name", 5, 0},    {"a", 9, 9},         {"Single", 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<INT>(GetPrivateProfileInt("General", c.key, c.def, m_path.c_str())), c.expected)
            << c.key;
}

TEST_F(ProfileTest, GetPrivateProfileSection) {
    pm::test::writeFile(m_path, kSample);
    char buffer[256];
    DWORD n = GetPrivateProfileSection("other", buffer, sizeof buffer, m_path.c_str());
    EXPECT_EQ(std::string(buffer, n + 1), "a=1\0\0"s);
    n = GetPrivateProfileSection("General", buffer, 20, m_path.c_str());
    EXPECT_EQ(n, 18u);
    EXPECT_EQ(std::string(buffer, 20), "Name=Penmere\0Empty\0\0"s);
}

struct WriteCase {
    const char* name;
    const char* before; // nullptr: no file
    std::function<BOOL(const char* file)> edit;
    const char* after; // nullptr: no file
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class ProfileWriteTest : public ProfileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWriteTest, Edits) {
    const WriteCase& c = GetParam();
    if (c.before) pm::test::writeFile(m_path, c.before);
    EXPECT_TRUE(c.edit(m_path.c_str()));
    if (!c.after) {
        EXPECT_FALSE(exists(m_path));
        return;
    }
    EXPECT_EQ(pm::test::readFile(m_path), c.after);
}

BOOL setValue(const char* file, const char* app, const char* key, const char* value) {
    return WritePrivateProfileString(app, key, value, file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"CreatesFile", nullptr, [](const char* f) { return setValue(f, "S", "k", "v"); },
                  "[S]\r\nk=v\r\n"},
        WriteCase{"ReplacesValueKeepingKeySpelling", "[S]\nKey = old\nz=1\n",
                  [](const char* f) { return setValue(f, "s", "KEY", "new"); }, "[S]\nKey=new\nz=1\n"},
        WriteCase{"EmptyStringWritesEmptyValue", "[S]\nk=v\n",
                  [](const char* f) { return setValue(f, "S", "k", ""); }, "[S]\nk=\n"},
        WriteCase{"AddsKeyAfterLastEntryOfSection", "[A]\na=1\n\n; note\n[B]\nb=2\n",
                  [](const char* f) { return setValue(f, "A", "n", "x"); },
                  "[A]\na=1\n\n; note\nn=x\n[B]\nb=2\n"},
        WriteCase{"AddsKeyBeforeBlankLines", "[A]\na=1\n\n\n[B]\n",
                  [](const char* f) { return setValue(f, "A", "n", "x"); }, "[A]\na=1\nn=x\n\n\n[B]\n"},
        WriteCase{"AppendsSectionAfterBlankLine", "[A]\na=1",
                  [](const char* f) { return setValue(f, "B", "b", "2"); }, "[A]\na=1\n\n[B]\nb=2\n"},
        WriteCase{"NullValueDeletesKey", "[A]\na=1\nb=2\n",
                  [](const char* f) { return setValue(f, "a", "A", nullptr); }, "[A]\nb=2\n"},
        WriteCase{"NullKeyDeletesSection", "[A]\na=1\n\n[B]\nb=2\n[C]\n",
                  [](const char* f) { return setValue(f, "b", nullptr, nullptr); }, "[A]\na=1\n\n[C]\n"},
        WriteCase{"DeletingMissingKeyCreatesNoFile", nullptr,
                  [](const char* f) { return setValue(f, "A", "a", nullptr); }, nullptr},
        WriteCase{"OtherLineEndsKept", "[S]\na=1\r\nb=2\n",
                  [](const char* f) { return setValue(f, "S", "b", "3"); }, "[S]\na=1\r\nb=3\n"},
        WriteCase{"CommentsAndBlanksKept", ";top\r\n\r\n[A]\r\n; c\r\na=1\r\n",
                  [](const char* f) { return setValue(f, "A", "a", "2"); },
                  ";top\r\n\r\n[A]\r\n; c\r\na=2\r\n"},
        WriteCase{"SectionReplacedWhole", "[A]\n; c\na=1\nb=2\n\n[B]\nx=y\n",
                  [](const char* f) { return WritePrivateProfileSection("a", "n=1\0m=2\0", f); },
                  "[A]\nn=1\nm=2\n\n[B]\nx=y\n"},
        WriteCase{"SectionCreated", nullptr,
                  [](const char* f) { return WritePrivateProfileSection("T", "Number=0\0File1=0\0", f); },
                  "[T]\r\nNumber=0\r\nFile1=0\r\n"},
        WriteCase{"EmptySectionList", "[A]\na=1\n[B]\n",
                  [](const char* f) { return WritePrivateProfileSection("A", "\0", f); }, "[A]\n[B]\n"},
        WriteCase{"NullSectionListDeletes", "[A]\na=1\n[B]\n",
                  [](const char* f) { return WritePrivateProfileSection("A", nullptr, f); }, "[B]\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileTest, RefusesNullSectionOrFile) {
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", m_path.c_str()));
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", nullptr));
    EXPECT_FALSE(WritePrivateProfileSection(nullptr, "a=1\0", m_path.c_str()));
    EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, m_path.c_str()));
    EXPECT_FALSE(exists(m_path));
}

TEST_F(ProfileTest, WrittenValuesReadBack) {
    ASSERT_TRUE(WritePrivateProfileString("TESSMARK", "Host", "localhost", m_path.c_str()));
    ASSERT_TRUE(WritePrivateProfileString("tessmark", "Port", "3306", m_path.c_str()));
    char buffer[32];
    EXPECT_EQ(GetPrivateProfileString("Tessmark", "HOST", "", buffer, sizeof buffer, m_path.c_str()), 9u);
    EXPECT_STREQ(buffer, "localhost");
    EXPECT_EQ(GetPrivateProfileInt("TESSMARK", "port", 0, m_path.c_str()), 3306u);
}

TEST_F(ProfileTest, CrLfLinesOfAnLfFile) {
    pm::test::writeFile(m_path, "[S]\nk=v\r\n[T]\r\nq='x'\r\n");
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileString("S", "k", "", buffer, sizeof buffer, m_path.c_str()), 1u);
    EXPECT_STREQ(buffer, "v");
    EXPECT_EQ(GetPrivateProfileString("T", "q", "", buffer, sizeof buffer, m_path.c_str()), 1u);
    EXPECT_STREQ(buffer, "x");
}

TEST_F(ProfileTest, BareFileNameLivesInConfigFolder) {
    const char* name = "profile_test_bare.ini";
    std::string folder = std::string(PM_TEST_OUTPUT_DIR) + "/profile-config";
    ::setenv("PM_CONFIG_HOME", folder.c_str(), 1);
    std::string inConfig = folder + "/" + name;
    std::remove(inConfig.c_str());
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", name));
    EXPECT_EQ(pm::test::readFile(inConfig), "[S]\r\nk=v\r\n");
    std::remove(inConfig.c_str());
}

TEST_F(ProfileTest, BackslashSeparatesFolders) {
    std::string windowsStyle = m_path;
    windowsStyle[windowsStyle.find_last_of('/')] = '\\';
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", windowsStyle.c_str()));
    EXPECT_EQ(pm::test::readFile(m_path), "[S]\r\nk=v\r\n");
}

TEST_F(ProfileTest, FailedWriteLeavesFileWhole) {
    for (pm::test::ScratchDisk::Kind kind : {pm::test::ScratchDisk::ReadOnly, pm::test::ScratchDisk::Full}) {
        SCOPED_TRACE(kind == pm::test::ScratchDisk::ReadOnly ? "read-only folder" : "full disk");
        pm::test::ScratchDisk disk(kind);
        const std::string file = disk.file("x.ini");
        pm::test::writeFile(file, "[S]\nk=v\n");
        disk.seal();
        const BOOL ok = WritePrivateProfileString("S", "k", "changed", file.c_str());
        disk.unseal();
        EXPECT_FALSE(ok);
        EXPECT_EQ(pm::test::readFile(file), "[S]\nk=v\n");
        EXPECT_EQ(disk.names(), std::vector<std::string>{"x.ini"});
    }
}

TEST_F(ProfileTest, FailedReplaceLeavesNoTemporaryFile) {
    std::string folder = m_path + ".d";
    std::string target = folder + "/x.ini";
    ::mkdir(folder.c_str(), 0700);
    ::mkdir(target.c_str(), 0700); // a folder where the file should be: the rename fails
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", target.c_str()));
    ::rmdir(target.c_str());
    EXPECT_EQ(::rmdir(folder.c_str()), 0) << "a temporary file was left behind";
}

} // namespace
