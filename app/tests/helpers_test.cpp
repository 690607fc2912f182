#include "app/CDirList.h"
#include "app/file_helpers.h"
#include "app/text_helpers.h"

#include "cmake/test_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(const CStringList& list) {
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        names.push_back(static_cast<LPCTSTR>(list.GetNext(pos)));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Paths, SplitPathPart) {
    struct {
        const char* path;
        const char* parts[4];
    } cases[] = {
        {"/dir/name.ext", {"", "/dir/", "name", "ext"}},
        {"C:\\dir\\name.ext", {"", "C:\\dir\\", "name", "ext"}},
        {"/a/b.c/name", {"", "/a/b.c/", "name", ""}},
        {"name.tar.gz", {"", "", "name.tar", "gz"}},
        {"/dir/", {"", "/dir/", "", ""}},
        {"Template\\page.htm", {"", "Template\\", "page", "htm"}},
        {"", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        for (int part = 0; part < 4; part++) {
            CString out("stale");
            SplitPathPart(c.path, out, part);
            EXPECT_STREQ(out, c.parts[part]) << c.path << " part " << part;
        }
        CString out("stale");
        SplitPathPart(c.path, out, 4);
        EXPECT_STREQ(out, "");
    }
}

TEST(Paths, AppDirAndShortPaths) {
    CString dir;
    GetAppDir(dir);
    ASSERT_GT(dir.GetLength(), 1);
    EXPECT_EQ(dir[dir.GetLength() - 1], '/');
    EXPECT_TRUE(FileExists(dir));
    EXPECT_STREQ(GetAppDirectory(), dir);
    EXPECT_STREQ(GetShortPathIfBlank("/a b/c d.txt"), "/a b/c d.txt");
}

TEST(Files, ExistReadDelete) {
    TempFolder folder;
    std::string path = folder / "f.txt";
    pm::test::writeFile(path, std::string("text\0after", 10));
    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_TRUE(FileExists(folder.Path().c_str()));
    EXPECT_FALSE(FileExists((folder / "none").c_str()));
    std::string backslashed = folder.Path() + "\\f.txt";
    EXPECT_TRUE(FileExists(backslashed.c_str()));
    CString text("stale");
    ASSERT_TRUE(ReadFileToString(path.c_str(), text));
    EXPECT_STREQ(text, "text");
    EXPECT_FALSE(ReadFileToString((folder / "none").c_str(), text));
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(ReadFileToString(folder.Path().c_str(), text));
    DeleteFileSafe(path.c_str());
    EXPECT_FALSE(FileExists(path.c_str()));
    DeleteFileSafe(path.c_str()); // no error for a missing file
    DeleteFileSafe(folder.Path().c_str());
    EXPECT_TRUE(FileExists(folder.Path().c_str())) << "folders are not deleted";
}

TEST(Text, SplitAtDelimiterAndChar) {
    CString left("stale"), rest("Solutions\\Basics\\Alert.htm");
    ASSERT_TRUE(SplitAtDelimiter(left, rest, '\\'));
    EXPECT_STREQ(left, "Solutions");
    EXPECT_STREQ(rest, "Basics\\Alert.htm");
    CString none("abc");
    EXPECT_FALSE(SplitAtDelimiter(left, none, ','));
    EXPECT_STREQ(left, "Solutions");
    EXPECT_STREQ(none, "abc");
    CString edge(",x,");
    ASSERT_TRUE(SplitAtDelimiter(left, edge, ','));
    EXPECT_STREQ(left, "");
    EXPECT_STREQ(edge, "x,");

    CString out("stale"), in("path;word");
    EXPECT_TRUE(SplitAtChar(out, in, ';'));
    EXPECT_STREQ(out, "path");
    EXPECT_STREQ(in, "word");
    EXPECT_FALSE(SplitAtChar(out, in, ';'));
    EXPECT_STREQ(out, "word");
    EXPECT_STREQ(in, "word");
}

TEST(Text, ReverseFindString) {
    struct {
        const char* text;
        const char* part;
        int start;
        int expected;
    } cases[] = {
        {"abcabc", "abc", -1, 3}, {"abcabc", "abc", 2, 0}, {"abcabc", "abc", 3, 3}, {"abcabc", "abc", 99, 3},
        {"abc", "abc", 0, 0},     {"abc", "c", -1, 2},     {"abc", "x", -1, -1},    {"", "a", -1, -1},
        {"abc", "", -1, -1},      {"ab", "abc", -1, -1},   {"aaa", "aa", -1, 1},    {"abc", "a", 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReverseFindString(c.text, c.part, c.start), c.expected)
            << c.text << " " << c.part << " " << c.start;
}

TEST(DirList, Patterns) {
    struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"a.js", "*.*", true},     {"README", "*.*", true},     {"README", "*", true},
        {"README", "*.", true},    {"a.js", "*.", false},       {"a.JS", "*.js", true},
        {"a.json", "*.js", false}, {"demo.js", "d?mo.*", true}, {"demo", "demo.*", true},
        {"a..b", "*..*", true},    {"a.b", "*..*", false},      {"Alert.htm", "a*T.HTM", true},
        {"abc", "a*b*c*", true},   {"ab", "a*b*c", false},      {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDirList::MatchesPattern(c.name, c.pattern), c.matches ? TRUE : FALSE)
            << c.name << " " << c.pattern;
}

class DirListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = std::filesystem::current_path();
        for (const char* d :
             {"Solutions/Basics", "Solutions/Forms/Deep", "Solutions/v1.0", "Solutions/Empty"})
            std::filesystem::create_directories(m_folder / d);
        for (const char* f :
             {"Solutions/top.htm", "Solutions/Basics/Alert.htm", "Solutions/Basics/Loop.js",
              "Solutions/Forms/Check.HTM", "Solutions/Forms/Deep/x.htm", "Solutions/v1.0/old.htm"})
            pm::test::writeFile(m_folder / f, "x");
    }
    void TearDown() override { std::filesystem::current_path(m_saved); }

    TempFolder m_folder;
    std::filesystem::path m_saved;
    CDirList m_list;
};

TEST_F(DirListTest, ListFilesChangesTheCurrentDirectory) {
    CStringList list;
    list.AddTail("stale");
    std::string basics = m_folder / "Solutions/Basics";
    ASSERT_TRUE(m_list.ListFiles(list, "*.*", basics.c_str()));
    EXPECT_EQ(Sorted(list), (std::vector<std::string>{"Alert.htm", "Loop.js"}));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(basics));
    EXPECT_TRUE(FileExists("Alert.htm")) << "a bare name now finds the file in the listed folder";
    ASSERT_TRUE(m_list.ListFiles(list, "*.js"));
    EXPECT_EQ(Sorted(list), std::vector<std::string>{"Loop.js"});
    EXPECT_FALSE(m_list.ListFiles(list, "*.*", (m_folder / "missing").c_str()));
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(DirListTest, ListDirsSkipsNamesWithDots) {
    CStringList list;
    ASSERT_TRUE(m_list.ListDirs(list, (m_folder / "Solutions").c_str()));
    EXPECT_EQ(Sorted(list), (std::vector<std::string>{"Basics", "Empty", "Forms"}));
}

TEST_F(DirListTest, ListRecursive) {
    CStringList list;
    list.AddTail("kept");
    std::filesystem::current_path(m_folder.Path());
    m_list.ListRecursive(list, "*.htm", "Solutions"); // a relative folder
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        names.push_back(static_cast<LPCTSTR>(list.GetNext(pos)));
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "kept");
    EXPECT_EQ(names[1], "Solutions/top.htm") << "a folder's files come before its sub-folders";
    std::vector<std::string> rest(names.begin() + 1, names.end());
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (std::vector<std::string>{"Solutions/Basics/Alert.htm", "Solutions/Forms/Check.HTM",
                                              "Solutions/Forms/Deep/x.htm", "Solutions/top.htm"}));
    auto deep = std::find(names.begin(), names.end(), "Solutions/Forms/Deep/x.htm");
    auto check = std::find(names.begin(), names.end(), "Solutions/Forms/Check.HTM");
    EXPECT_LT(check, deep) << "depth first, files of a folder before its sub-folders";

    CStringList empty;
    m_list.ListRecursive(empty, "*.*", (m_folder / "Solutions/Empty").c_str());
    EXPECT_TRUE(empty.IsEmpty());
}

} // namespace
