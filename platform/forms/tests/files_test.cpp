#include "platform/forms/app.h"
#include "platform/forms/vb_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() / ("forms-files-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

TEST_F(FilesTest, WriteAndReadAreByteExact) {
    const std::string bytes("a\r\nb\0c\rd\n\xff", 10);
    ASSERT_TRUE(vb::WriteFileBytes(path("x.bin"), bytes));
    EXPECT_EQ(vb::ReadFileBytes(path("x.bin")), bytes);
    ASSERT_TRUE(vb::WriteFileBytes(path("x.bin"), "z"));
    EXPECT_EQ(vb::ReadFileBytes(path("x.bin")), "z");
    EXPECT_FALSE(vb::ReadFileBytes(path("missing")).has_value());
    EXPECT_FALSE(vb::WriteFileBytes(path("no/such/folder/x"), "z"));
}

TEST_F(FilesTest, BackslashesSeparateFolders) {
    fs::create_directories(m_folder / "sub");
    ASSERT_TRUE(vb::WriteFileBytes(m_folder.string() + "\\sub\\y.txt", "y"));
    EXPECT_EQ(vb::ReadFileBytes(path("sub/y.txt")), "y");
}

TEST_F(FilesTest, FileCopyOverwrites) {
    vb::WriteFileBytes(path("a"), "new");
    vb::WriteFileBytes(path("b"), "old and longer");
    EXPECT_TRUE(vb::FileCopy(path("a"), path("b")));
    EXPECT_EQ(vb::ReadFileBytes(path("b")), "new");
    EXPECT_FALSE(vb::FileCopy(path("missing"), path("c")));
}

TEST_F(FilesTest, ReadAtReportsShortFiles) {
    vb::WriteFileBytes(path("g"), "0123456789");
    std::string out;
    EXPECT_EQ(vb::ReadAt(path("g"), 2, 3, out), vb::ReadResult::Ok);
    EXPECT_EQ(out, "234");
    EXPECT_EQ(vb::ReadAt(path("g"), 8, 4, out), vb::ReadResult::Short);
    EXPECT_EQ(out, "89");
    EXPECT_EQ(vb::ReadAt(path("g"), 10, 1, out), vb::ReadResult::Short);
    EXPECT_EQ(out, "");
    EXPECT_EQ(vb::ReadAt(path("missing"), 0, 1, out), vb::ReadResult::Failed);
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(vb::SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(vb::SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(vb::SplitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(vb::SplitLines(""), Lines{});
}

TEST_F(FilesTest, DirMatchesWithoutCaseAndSortsByName) {
    for (const char* name : {"sunset.BMP", "Autumn.bmp", "beach.bmp", "notes.txt", "x.bmpx"})
        vb::WriteFileBytes(path(name), "");
    fs::create_directories(m_folder / "folder.bmp");
    using Names = std::vector<std::string>;
    EXPECT_EQ(vb::Dir(path("*.bmp")), (Names{"Autumn.bmp", "beach.bmp", "sunset.BMP"}));
    EXPECT_EQ(vb::Dir(m_folder.string() + "\\?EACH.*"), (Names{"beach.bmp"}));
    EXPECT_EQ(vb::Dir(path("*.gif")), Names{});
    EXPECT_EQ(vb::Dir(path("nowhere/*.bmp")), Names{});
}

TEST(App, PathIsTheProgramFolder) {
    EXPECT_EQ(vb::App().Path(), fs::canonical("/proc/self/exe").parent_path().string());
}

TEST(App, TitleIsTheProgramsNameUnlessSet) {
    EXPECT_EQ(vb::App().Title, fs::canonical("/proc/self/exe").filename().string());
}

TEST(App, CommandJoinsTheArguments) {
    const char* argv[] = {"prog", "-t", "a b"};
    vb::SetCommandLine(3, argv);
    EXPECT_EQ(vb::Command(), "-t \"a b\"");
    vb::SetCommandLine(1, argv);
    EXPECT_EQ(vb::Command(), "");
}

} // namespace
