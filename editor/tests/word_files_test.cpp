// Word files read from a scratch program folder: members with accessors, tips, aliases and their
// chains and cycles, types found from "x = new T", lookups without regard to case, bounds, and
// files edited on disk taking effect at the next request.

#include "cmake/test_files.h"
#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/HHWordFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace hh;
namespace fs = std::filesystem;

class WordFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("wordfiles_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "AutoComplete");
        folder.SetProgramFolder(root.string() + "/");
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const std::string& name, const std::string& text) {
        pm::test::writeFile((root / "AutoComplete" / name).string(), text);
    }
    std::vector<std::string> members(const std::string& object, bool ownOnly = false) {
        CHHMemberItemArray items;
        FillMembersFromWordFiles(folder, object, ownOnly, resolver(), items);
        std::vector<std::string> texts;
        for (const auto& i : items)
            texts.emplace_back(i.m_strText);
        return texts;
    }
    AliasResolver resolver() {
        return [this](const std::string& name) {
            const auto it = aliases.find(name);
            return it == aliases.end() ? std::string() : it->second;
        };
    }

    fs::path root;
    WordFileFolder folder;
    std::map<std::string, std::string> aliases;
};

TEST_F(WordFilesTest, EntriesGiveItemsByKind) {
    write("Shell.ini", "; the shell\n[Shell]\n0=3,Run,Runs a program\n1=2,Value,get set\n2=2,Name,get\n"
                       "3=2,Plain,read only\n4=16391,Item(index)\n6=1,after the gap\n[Other]\n0=1,x\n");
    EXPECT_EQ(members("Shell"), (std::vector<std::string>{"Run", "set_Value", "get_Value", "get_Name",
                                                          "Plain", "Item(index)"}));
    CHHMemberItemArray items;
    FillMembersFromWordFiles(folder, "Shell", true, resolver(), items);
    EXPECT_EQ(items[5].m_nKind, 16391);
    EXPECT_EQ(items[5].GetGroup(), 1);
    EXPECT_EQ(items[5].GetImage(), 7);
}

TEST_F(WordFilesTest, TipsMatchTheNameExactly) {
    write("shell.ini", "[Shell]\n0=2,Value,The value\\nof the shell\n1=3,Run,Run(cmd)\n2=3,Bare\n");
    const auto tip = [&](const char* word) {
        return QuickInfoFromWordFiles(folder, "Shell", word, resolver());
    };
    EXPECT_EQ(tip("get_Value"), "The value\r\nof the shell");
    EXPECT_EQ(tip("set_Value"), tip("get_Value"));
    EXPECT_EQ(tip("Run"), "Run(cmd)");
    EXPECT_EQ(tip("run"), "");
    EXPECT_EQ(tip("Bare"), ""); // no description field
    EXPECT_EQ(QuickInfoFromWordFiles(folder, "", "Run", resolver()), "");
}

TEST_F(WordFilesTest, AliasesChainsAndCycles) {
    write("A.ini", "[A]\n0=1,a1\n");
    write("B.ini", "[B]\n0=1,b1\n1=1,b2\n");
    aliases = {{"A", "B"}, {"B", "A"}, {"x", "A"}};
    EXPECT_EQ(members("A"), (std::vector<std::string>{"a1", "b1", "b2"})); // the cycle ends
    EXPECT_EQ(members("A", true), (std::vector<std::string>{"a1"}));
    EXPECT_EQ(members("x", true), (std::vector<std::string>{"a1"})); // no file of its own
    aliases = {{"A", "A"}};
    EXPECT_EQ(members("A"), (std::vector<std::string>{"a1"}));
    // A long chain stops after its allowed steps.
    aliases.clear();
    for (int i = 0; i < 40; ++i) {
        const std::string name = "N" + std::to_string(i);
        write(name + ".ini", "[" + name + "]\n0=1," + name + "\n");
        aliases[name] = "N" + std::to_string(i + 1);
    }
    EXPECT_EQ(members("N0").size(), static_cast<size_t>(1 + kMaxAliasSteps));
}

TEST_F(WordFilesTest, EmptyOrUnsafeNamesListNothing) {
    write("A.ini", "[A]\n0=1,a1\n");
    fs::create_directories(root / "secret");
    pm::test::writeFile((root / "secret" / "x.ini").string(), "[x]\n0=1,leak\n");
    aliases = {{"", "A"}};
    EXPECT_TRUE(members("").empty());
    EXPECT_TRUE(members("../secret/x").empty());
    EXPECT_FALSE(folder.Object("../secret/x"));
    EXPECT_FALSE(folder.Object(std::string(200, 'a')));
}

TEST_F(WordFilesTest, FilesAndFolderFoundWithoutRegardToCase) {
    fs::rename(root / "AutoComplete", root / "autocomplete");
    pm::test::writeFile((root / "autocomplete" / "DOCUMENT.INI").string(), "[document]\n0=1,write\n");
    pm::test::writeFile((root / "autocomplete" / "autocomplete.ini").string(), "[Alias]\ndoc=document\n");
    EXPECT_EQ(members("document"), (std::vector<std::string>{"write"}));
    const auto main = folder.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->Find("Alias", "doc"));
    EXPECT_EQ(*main->Find("Alias", "doc"), "document");
    const std::string asked = root.string() + "/AutoComplete/AutoComplete.ini";
    EXPECT_EQ(WordFileFolder::FindPathNoCase(asked), root.string() + "/autocomplete/autocomplete.ini");
    EXPECT_EQ(WordFileFolder::FindPathNoCase(root.string() + "/AutoComplete/None.ini"), "");
}

// The main word file is read once a process: each case runs in a process of its own, which ends
// with the case's result.
TEST_F(WordFilesTest, TheMainFileIsTheOneNamedReadOnceAndMissingAnswersFalse) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    write("Words.ini", "[Alias]\nsh=Shell\n");
    write("Shell.ini", "[Shell]\n0=3,Run\n");
    const std::string words = root.string() + "\\AutoComplete\\Words.ini";
    const std::string missing = root.string() + "/AutoComplete/Missing.ini";
    const auto end = [this](bool ok) {
        fs::remove_all(root);
        ::_exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(
        {
            CAutoCompleteEditCtrl control;
            end(LoadAutoCompleteIni(words.c_str()) && LoadAutoCompleteIni(missing.c_str()) &&
                control.ResolveAlias("sh") == CString("Shell") && LoadNamedAutoCompleteIni("Shell"));
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(end(!LoadAutoCompleteIni(missing.c_str()) && LoadAutoCompleteIni(words.c_str())),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(WordFilesTest, AnEditOnDiskTakesEffectAtTheNextRequest) {
    write("A.ini", "[A]\n0=1,old\n");
    EXPECT_EQ(members("A"), (std::vector<std::string>{"old"}));
    const auto first = folder.Object("A");
    EXPECT_EQ(folder.Object("A"), first); // unchanged: read once
    write("A.ini", "[A]\n0=1,new\n1=1,more\n");
    const fs::path path = root / "AutoComplete" / "A.ini";
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
    EXPECT_EQ(members("A"), (std::vector<std::string>{"new", "more"}));
    fs::remove(path);
    EXPECT_TRUE(members("A").empty());
}

TEST_F(WordFilesTest, TypesFromNewAssignments) {
    const struct {
        const char* line;
        const char* name;
        const char* type;
    } cases[] = {
        {"var s = new Shell;", "s", "Shell"},
        {"s=new  ActiveXObject(\"x\")", "s", ""},   // no " new "
        {"s = new ActiveX_Object", "s", "ActiveX"}, // '_' ends the type
        {"s = new Shell2", "s", "Shell"},           // a digit ends it
        {"t = new Shell", "s", ""},                 // another variable
        {"var s = new Shell", "", ""},              // no name, no type
        {"x = new Shell; s = 1", "s", ""},          // the name only after new
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindNewTypeInLine(c.line, c.name), c.type) << c.line;
    const std::string distant = std::string(95, ' ') + "s = new Shell";
    EXPECT_EQ(FindNewTypeInLine(distant, "s"), ""); // beyond the first 100 characters
}

TEST(WordFileParse, MalformedTextIsBounded) {
    const std::string text =
        "[S]\n0=1,a\n=x\nno equals\n[\n]\n[S]\n1=1,b\n" + std::string(20000, 'k') + "=v\n0 =ignored\n";
    const WordFile file = WordFile::Parse(text);
    std::vector<std::string> entries;
    file.ForEachEntry("S", [&](const std::string& e) {
        entries.push_back(e);
        return true;
    });
    EXPECT_EQ(entries, (std::vector<std::string>{"1,a", "1,b"}));
    EXPECT_TRUE(file.Find("S", "0 ")); // keys are not trimmed
    CHHMemberItemArray items;
    AppendEntryItems(std::string("3,\0\0,tip", 8), items); // a name of NUL bytes gives no item
    AppendEntryItems(std::string("1,a\0b", 6), items);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(std::string(items[0].m_strText), "a");
    const WordFile crlf = WordFile::Parse("[A]\r\n0=1,x\r\n");
    ASSERT_TRUE(crlf.Find("A", "0"));
    EXPECT_EQ(*crlf.Find("A", "0"), "1,x");
}

} // namespace

namespace {

// The word files the program ships: every object lists members and each method has a tip.
TEST(ShippedWordFiles, ListMembersWithTips) {
    hh::WordFileFolder folder;
    folder.SetProgramFolder(std::string(PM_TEST_DATA_DIR) + "/../../data/");
    const hh::AliasResolver none = [](const std::string&) { return std::string(); };
    for (const char* object : {"document", "window", "Math", "String", "Array", "Date", "Shell"}) {
        CHHMemberItemArray items;
        hh::FillMembersFromWordFiles(folder, object, true, none, items);
        EXPECT_GE(items.size(), 10u) << object;
        for (const auto& item : items) {
            EXPECT_EQ(std::string(item.m_strText).find_first_of("_,"), std::string::npos)
                << object << " " << item.m_strText;
            EXPECT_NE(hh::QuickInfoFromWordFiles(folder, object, std::string(item.m_strText), none), "")
                << object << " " << item.m_strText;
        }
    }
    const auto main = folder.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->Find("Alias", "doc"));
    EXPECT_EQ(*main->Find("Alias", "doc"), "document");
}

} // namespace
