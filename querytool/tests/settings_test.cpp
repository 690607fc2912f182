#include "querytool/settings_file.h"

#include "platform/win/profile.h"

#include "cmake/test_files.h"
#include "support/test_data.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = TestOutputPath("program");
        m_current = TestOutputPath("current");
        std::filesystem::remove_all(m_program);
        std::filesystem::remove_all(m_current);
        std::filesystem::create_directories(m_program);
        std::filesystem::create_directories(m_current);
    }
    TessmarkSettings settings() const { return TessmarkSettings({m_program, m_current}, m_current); }
    std::string currentFile() const { return m_current + "/tessmark.ini"; }
    void writeFile(const std::string& text) const { pm::test::writeFile(currentFile(), text); }

    std::string m_program;
    std::string m_current;
};

std::vector<std::string> paths(const std::vector<RecentFileEntry>& entries) {
    std::vector<std::string> out;
    for (const RecentFileEntry& e : entries)
        out.push_back(std::to_string(e.number) + ":" + e.path);
    return out;
}

} // namespace

TEST_F(Settings, FirstStartCreatesTheDefaultFile) {
    EXPECT_EQ("", settings().ResolvePath());
    ConnectionKeys keys;
    EXPECT_FALSE(settings().ReadConnectionKeys(keys));
    EXPECT_EQ("", keys.host);
    ASSERT_TRUE(settings().CreateDefaultIni());
    EXPECT_EQ(currentFile(), settings().ResolvePath());
    pm::test::expectGolden(TestDataPath("settings/default.ini"), pm::test::readFile(currentFile()));
    EXPECT_TRUE(settings().StartupRecentFiles().empty());
    EXPECT_EQ("0", settings().ReadDatabase());
    ASSERT_TRUE(settings().ReadConnectionKeys(keys));
    EXPECT_EQ("localhost", keys.host);
    EXPECT_EQ("root", keys.user);
    EXPECT_EQ("3306", keys.port);
}

TEST_F(Settings, AFileFoundByTheSearchIsNeverReset) {
    pm::test::writeFile(m_program + "/tessmark.ini", "[TESSMARK]\r\nHost=db.example\r\n");
    ASSERT_TRUE(settings().CreateDefaultIni());
    EXPECT_FALSE(std::filesystem::exists(currentFile()));
    EXPECT_EQ("[TESSMARK]\r\nHost=db.example\r\n", pm::test::readFile(m_program + "/tessmark.ini"));
}

TEST_F(Settings, MissingConnectionKeysReadRoot) {
    writeFile("[TESSMARK]\r\nNumber=0\r\n");
    ConnectionKeys keys;
    ASSERT_TRUE(settings().ReadConnectionKeys(keys));
    EXPECT_EQ("root", keys.host);
    EXPECT_EQ("root", keys.user);
    EXPECT_EQ("root", keys.port);
}

TEST_F(Settings, ConnectionKeysAreWrittenWithoutThePassword) {
    ASSERT_TRUE(settings().CreateDefaultIni());
    ASSERT_TRUE(settings().WriteConnectionKeys({"127.0.0.1", "me", "1234567890"}));
    ConnectionKeys keys;
    ASSERT_TRUE(settings().ReadConnectionKeys(keys));
    EXPECT_EQ("127.0.0.1", keys.host);
    EXPECT_EQ("me", keys.user);
    EXPECT_EQ("12345678", keys.port);
    ASSERT_TRUE(settings().WriteDatabase("shop"));
    EXPECT_EQ("shop", settings().ReadDatabase());
}

TEST_F(Settings, RecentFilesKeepTheLastFiveNewestFirst) {
    ASSERT_TRUE(settings().CreateDefaultIni());
    for (int i = 1; i <= 6; ++i)
        settings().AddRecentFile("/q/f" + std::to_string(i) + ".sql");
    const std::vector<std::string> expected{"1:/q/f6.sql", "2:/q/f5.sql", "3:/q/f4.sql", "4:/q/f3.sql",
                                            "5:/q/f2.sql"};
    EXPECT_EQ(expected, paths(settings().RecentFiles()));
    EXPECT_EQ(expected, paths(settings().StartupRecentFiles()));
    EXPECT_EQ(5u, GetPrivateProfileInt("TESSMARK", "Number", 0, currentFile().c_str()));
    settings().AddRecentFile("/Q/F4.SQL");
    EXPECT_EQ(expected, paths(settings().RecentFiles()));
    EXPECT_EQ("&2 /q/f5.sql", RecentFileMenuText(settings().RecentFiles()[1]));
}

TEST_F(Settings, ValuesAsTheMenusReadThem) {
    struct Case {
        const char* name;
        const char* file;
        std::vector<std::string> startup;
        std::vector<std::string> refresh;
    };
    const Case cases[] = {
        {"hidden zero values",
         "[TESSMARK]\nNumber=3\nFile1=/a.sql\nFile2=0abc\nFile3=/c.sql\n",
         {"1:/a.sql", "3:/c.sql"},
         {"1:/a.sql", "2:0abc", "3:/c.sql"}},
        {"an empty value ends the refresh",
         "[TESSMARK]\nNumber=4\nFile1=/a\nFile2=/b\nFile3=\nFile4=/d\n",
         {"1:/a", "2:/b", "4:/d"},
         {"1:/a", "2:/b"}},
        {"missing keys read as 0", "[TESSMARK]\nNumber=2\nFile1=/a\n", {"1:/a"}, {"1:/a", "2:0"}},
        {"Number not a number", "[TESSMARK]\nNumber=abc\nFile1=/a\n", {}, {}},
        {"Number above the slots",
         "[tessmark]\nnumber=99\nfile1=/a\nFILE2=/b\n",
         {"1:/a", "2:/b"},
         {"1:/a", "2:/b", "3:0", "4:0", "5:0"}},
        {"negative Number", "[TESSMARK]\nNumber=-2\nFile1=/a\n", {}, {}},
        {"no section", "[Other]\nNumber=2\n", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.file);
        EXPECT_EQ(c.startup, paths(settings().StartupRecentFiles()));
        EXPECT_EQ(c.refresh, paths(settings().RecentFiles()));
    }
}

TEST_F(Settings, LongValuesAreReadWhole) {
    const std::string host(300, 'h'), user(200, 'u'), database(150, 'd'), file = "/" + std::string(900, 'f');
    writeFile("[TESSMARK]\r\nNumber=1\r\nFile1=" + file + "\r\nDatabase=" + database + "\r\nHost=" + host +
              "\r\nUser=" + user + "\r\nPort=3306\r\n");
    ConnectionKeys keys;
    ASSERT_TRUE(settings().ReadConnectionKeys(keys));
    EXPECT_EQ(host, keys.host);
    EXPECT_EQ(user, keys.user);
    EXPECT_EQ(database, settings().ReadDatabase());
    EXPECT_EQ(std::vector<std::string>{"1:" + file}, paths(settings().StartupRecentFiles()));
    EXPECT_EQ(std::vector<std::string>{"1:" + file}, paths(settings().RecentFiles()));
}

TEST_F(Settings, AnEmptySlotStopsAddingRecentFiles) {
    writeFile("[TESSMARK]\r\nNumber=1\r\nFile1=/a\r\nFile2=\r\n");
    settings().AddRecentFile("/b");
    EXPECT_EQ("[TESSMARK]\r\nNumber=1\r\nFile1=/a\r\nFile2=\r\n", pm::test::readFile(currentFile()));
}

TEST_F(Settings, SplittersRoundTripAndMalformedValuesReadAsNumbersOrZero) {
    ASSERT_TRUE(settings().CreateDefaultIni());
    EXPECT_EQ(0, settings().LoadSplitter("VSplitter").percent);
    ASSERT_TRUE(settings().SaveSplitter("VSplitter", {199, 0, 4, 600, 25}));
    ASSERT_TRUE(settings().SaveSplitter("HSplitter", {-3, 210, 590, 4, 35}));
    const SplitterLayout v = settings().LoadSplitter("VSplitter");
    EXPECT_EQ(199, v.x);
    EXPECT_EQ(4, v.width);
    EXPECT_EQ(600, v.height);
    EXPECT_EQ(25, v.percent);
    EXPECT_EQ(-3, settings().LoadSplitter("HSplitter").x);
    writeFile("[VSplitter]\nLeft=12px\nRight=\nTop=x\nULeftOrTopPercent= 40 \n");
    const SplitterLayout m = settings().LoadSplitter("VSplitter");
    EXPECT_EQ(12, m.x);
    EXPECT_EQ(0, m.width);
    EXPECT_EQ(0, m.y);
    EXPECT_EQ(40, m.percent);
}

TEST_F(Settings, WithoutAFileWritesAreSkipped) {
    EXPECT_FALSE(settings().WriteConnectionKeys({"h", "u", "1"}));
    EXPECT_FALSE(settings().SaveSplitter("VSplitter", {}));
    settings().AddRecentFile("/a");
    EXPECT_EQ("", settings().ReadDatabase());
    EXPECT_FALSE(std::filesystem::exists(currentFile()));
}
