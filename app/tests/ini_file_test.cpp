#include "app/CIniFile.h"

#include "cmake/test_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const kMissing = "<missing>";

std::string Get(const CIniFile& ini, const char* section, const char* key) {
    CString value;
    return ini.GetString(section, key, value) ? std::string(static_cast<LPCTSTR>(value)) : kMissing;
}

const std::string kLongSection(300, 's');
const std::string kLongKey(400, 'k');

struct Lookup {
    const char* section;
    const char* key;
    const char* expected; // kMissing when the key must be absent
};

struct LoadCase {
    const char* name;
    std::string file;
    std::vector<Lookup> lookups;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class IniLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(IniLoad, Reads) {
    TempFolder folder;
    pm::test::writeFile(folder / "x.ini", GetParam().file);
    CIniFile ini;
    ASSERT_TRUE(ini.Load((folder / "x.ini").c_str()));
    for (const Lookup& l : GetParam().lookups)
        EXPECT_EQ(Get(ini, l.section, l.key), l.expected) << l.section << "/" << l.key;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLoad,
    ::testing::Values(
        LoadCase{"LinesTrimmed", " \t[General] \r\n\t Key=Value \t\r\n", {{"General", "Key", "Value"}}},
        LoadCase{"BlanksAroundEqualsKept", "[S]\r\na = b\r\n", {{"S", "a ", " b"}, {"S", "a", kMissing}}},
        LoadCase{"ValueMayHoldEquals", "[S]\nk=a=b\n", {{"S", "k", "a=b"}}},
        LoadCase{"LineWithoutEquals",
                 "[Words]\nAlpha\n",
                 {{"Words", "alpha", "Alpha"}, {"Words", "Alpha", kMissing}}},
        LoadCase{"CommentsSkipped", "[S]\n;k=1\n  ; x=2\nk=3\n", {{"S", "k", "3"}, {"S", ";k", kMissing}}},
        LoadCase{
            "EntriesBeforeFirstSectionIgnored", "k=1\n[S]\nj=2\n", {{"", "k", kMissing}, {"S", "j", "2"}}},
        LoadCase{"EmptySectionNameIgnored", "[]\nk=1\n[S]\n", {{"", "k", kMissing}, {"S", "k", kMissing}}},
        LoadCase{"TextAfterBracketIgnored", "[a]b\nk=1\n", {{"a", "k", "1"}, {"a]b", "k", kMissing}}},
        LoadCase{"SectionWithoutBracket", "[abc\nk=1\n", {{"abc", "k", "1"}}},
        LoadCase{"SpacesInsideBracketsKept", "[ sp ]\nk=1\n", {{" sp ", "k", "1"}, {"sp", "k", kMissing}}},
        LoadCase{"NamesAreCaseSensitive",
                 "[General]\nKey=1\n",
                 {{"general", "Key", kMissing}, {"General", "key", kMissing}}},
        LoadCase{"LaterKeyWins", "[S]\nk=1\nk=2\n", {{"S", "k", "2"}}},
        LoadCase{"EmptyValueRemovesKey", "[Tools]\nItems=3\nItems=\n", {{"Tools", "Items", kMissing}}},
        LoadCase{"SectionsMerged",
                 "[A]\nx=1\n[B]\ny=2\n[A]\nz=3\nx=4\n",
                 {{"A", "x", "4"}, {"A", "z", "3"}, {"B", "y", "2"}}},
        LoadCase{"LongNames",
                 "[" + kLongSection + "]\n" + kLongKey + "=v\n",
                 {{kLongSection.c_str(), kLongKey.c_str(), "v"}}},
        LoadCase{"LastLineWithoutLineEnd", "[S]\r\nk=v", {{"S", "k", "v"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, CrLfAndLfFilesLoadTheSame) {
    TempFolder folder;
    pm::test::writeFile(folder / "crlf.ini", "[S]\r\na=1\r\nB\r\n");
    pm::test::writeFile(folder / "lf.ini", "[S]\na=1\nB\n");
    CIniFile a, b;
    ASSERT_TRUE(a.Load((folder / "crlf.ini").c_str()));
    ASSERT_TRUE(b.Load((folder / "lf.ini").c_str()));
    for (const char* key : {"a", "b"})
        EXPECT_EQ(Get(a, "S", key), Get(b, "S", key));
    EXPECT_EQ(Get(a, "S", "b"), "B");
}

TEST(IniFile, SecondLoadMerges) {
    TempFolder folder;
    pm::test::writeFile(folder / "1.ini", "[S]\na=1\nb=1\n");
    pm::test::writeFile(folder / "2.ini", "[S]\nb=2\n[T]\nc=2\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Load((folder / "1.ini").c_str()));
    ASSERT_TRUE(ini.Load((folder / "2.ini").c_str()));
    EXPECT_EQ(Get(ini, "S", "a"), "1");
    EXPECT_EQ(Get(ini, "S", "b"), "2");
    EXPECT_EQ(Get(ini, "T", "c"), "2");
}

TEST(IniFile, MissingFileFailsAndKeepsTheStore) {
    TempFolder folder;
    CIniFile ini;
    ini.SetString("S", "k", "v");
    EXPECT_FALSE(ini.Load((folder / "none.ini").c_str()));
    EXPECT_FALSE(ini.Load(folder.Path().c_str())) << "a folder is no file";
    EXPECT_EQ(Get(ini, "S", "k"), "v");
}

TEST(IniFile, EscapedNewlines) {
    CIniFile ini;
    ini.SetString("S", "k", "line one\nline two", TRUE);
    EXPECT_EQ(Get(ini, "S", "k"), "line one`line two");
    CString value;
    ASSERT_TRUE(ini.GetString("S", "k", value, TRUE));
    EXPECT_STREQ(value, "line one\nline two");
}

TEST(IniFile, Integers) {
    TempFolder folder;
    pm::test::writeFile(folder / "n.ini", "[N]\nplain=12\ntail=12abc\nnone=abc\nbig=70000\nneg=-5\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Load((folder / "n.ini").c_str()));
    struct {
        const char* key;
        short expected;
    } cases[] = {
        {"plain", 12}, {"tail", 12}, {"none", 0}, {"big", static_cast<short>(70000 - 65536)}, {"neg", -5}};
    for (const auto& c : cases) {
        short value = 99;
        EXPECT_TRUE(ini.GetInt("N", c.key, value));
        EXPECT_EQ(value, c.expected) << c.key;
    }
    short value = 99;
    EXPECT_FALSE(ini.GetInt("N", "missing", value));
    ini.SetInt("N", "wrap", 40000);
    EXPECT_EQ(Get(ini, "N", "wrap"), "-25536");
}

TEST(IniFile, ShorterListCutsTheLongerOne) {
    TempFolder folder;
    CIniFile ini;
    ini.Load((folder / "list.ini").c_str());
    for (int i = 0; i < 5; i++)
        ini.SetIndexedString("Workspace", i, ("file" + std::to_string(i)).c_str());
    for (int i = 0; i < 2; i++)
        ini.SetIndexedString("Workspace", i, ("new" + std::to_string(i)).c_str());
    ini.SetIndexedString("Workspace", 2, "");
    ASSERT_TRUE(ini.Save());
    std::string text = pm::test::readFile(folder / "list.ini");
    EXPECT_NE(text.find("3=file3\r\n"), std::string::npos);
    EXPECT_NE(text.find("4=file4\r\n"), std::string::npos);
    CIniFile reread;
    ASSERT_TRUE(reread.Load((folder / "list.ini").c_str()));
    std::vector<std::string> entries;
    CString value;
    for (int i = 0; reread.GetIndexedString("Workspace", i, value); i++)
        entries.push_back(static_cast<LPCTSTR>(value));
    EXPECT_EQ(entries, (std::vector<std::string>{"new0", "new1"}));
}

TEST(IniFile, SaveWritesInStoreOrder) {
    TempFolder folder;
    CIniFile ini;
    ini.Load((folder / "Settings.ini").c_str());
    ini.SetString("General", "FirstTime", "1");
    ini.SetString("General", "LineNo", "1");
    ini.SetString("General", "AutoReload", "1");
    ini.SetString("Init", "SaveOnCompile", "1");
    ini.SetString("Tools", "Items", "1");
    ini.SetString("Tools", "0", "Line Count");
    ini.SetString("Line Count", "Cmd", "/usr/bin/wc");
    ini.SetString("Line Count", "Arg", "-l $(FilePath)");
    ini.SetString("General", "FirstTime", ""); // removed, then added again: first of its bucket
    ini.SetString("General", "FirstTime", "0");
    ini.SetString("General", "LineNo", "0"); // replaced in place
    ini.SetString("Empty", "gone", "");      // a section without keys is still written
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(pm::test::readFile(folder / "Settings.ini"),
              "[Line Count]\r\nArg=-l $(FilePath)\r\nCmd=/usr/bin/wc\r\n"
              "[Tools]\r\nItems=1\r\n0=Line Count\r\n"
              "[Empty]\r\n"
              "[Init]\r\nSaveOnCompile=1\r\n"
              "[General]\r\nLineNo=0\r\nFirstTime=0\r\nAutoReload=1\r\n");
}

// Reading a file inserts its keys in file order, so keys sharing a bucket come out in reverse
// order; one key per bucket round-trips unchanged, and a second round trip restores any file.
TEST(IniFile, RoundTripOfOwnFiles) {
    TempFolder folder;
    auto resave = [&](const std::string& name) {
        CIniFile ini;
        EXPECT_TRUE(ini.Load((folder / name).c_str()));
        ini.SetString("S0", "k0", "v"); // the same value, but the store is now modified
        EXPECT_TRUE(ini.Save());
        return pm::test::readFile(folder / name);
    };
    const std::string oneKeyPerBucket = "[S1]\r\nAlpha=x\r\n[S0]\r\nk0=v\r\nk1=v\r\nk2=v\r\n";
    pm::test::writeFile(folder / "single.ini", oneKeyPerBucket);
    EXPECT_EQ(resave("single.ini"), oneKeyPerBucket);

    CIniFile ini;
    ini.Load((folder / "many.ini").c_str());
    for (int i = 0; i < 200; i++)
        ini.SetString(("S" + std::to_string(i % 7)).c_str(), ("k" + std::to_string(i)).c_str(), "v");
    ini.SetString("S0", "k0", "v");
    ASSERT_TRUE(ini.Save());
    std::string first = pm::test::readFile(folder / "many.ini");
    EXPECT_NE(resave("many.ini"), first);
    EXPECT_EQ(resave("many.ini"), first);
}

TEST(IniFile, SaveWritesOnlyWhenModifiedAndAllowed) {
    TempFolder folder;
    std::string path = folder / "s.ini";
    pm::test::writeFile(path, "[S]\r\n; comment\r\nk=v\r\n");
    CIniFile loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_TRUE(loaded.Save());
    EXPECT_EQ(pm::test::readFile(path), "[S]\r\n; comment\r\nk=v\r\n")
        << "a store only loaded writes nothing";

    CIniFile readOnly;
    ASSERT_TRUE(readOnly.Load(path.c_str(), FALSE, TRUE));
    readOnly.SetString("S", "k", "changed");
    EXPECT_TRUE(readOnly.Save());
    EXPECT_EQ(pm::test::readFile(path), "[S]\r\n; comment\r\nk=v\r\n") << "a read-only store never writes";

    CIniFile nowhere;
    nowhere.Load((folder / "no/such/folder/x.ini").c_str());
    nowhere.SetString("S", "k", "v");
    EXPECT_FALSE(nowhere.Save());
}

TEST(IniFile, CompressedStoreLoadsBackEqual) {
    TempFolder folder;
    std::string path = folder / "Settings.qz";
    CIniFile ini;
    EXPECT_TRUE(ini.Load(path.c_str(), TRUE)) << "a missing compressed file reads as empty";
    for (int i = 0; i < 300; i++)
        ini.SetIndexedString("List", i, ("entry number " + std::to_string(i)).c_str());
    ini.SetString("General", "LineNo", "1");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(pm::test::readFile(path).substr(0, 4), "QZ10");
    CIniFile back;
    ASSERT_TRUE(back.Load(path.c_str(), TRUE));
    EXPECT_EQ(Get(back, "General", "LineNo"), "1");
    for (int i = 0; i < 300; i++) {
        CString value;
        ASSERT_TRUE(back.GetIndexedString("List", i, value));
        EXPECT_EQ(std::string(value), "entry number " + std::to_string(i));
    }
}

TEST(IniFile, CompressedFormOfOtherFiles) {
    TempFolder folder;
    pm::test::writeFile(folder / "plain.ini", "[S]\nk=v\n");
    CIniFile plain;
    EXPECT_TRUE(plain.Load((folder / "plain.ini").c_str(), TRUE)) << "no magic: an empty file";
    EXPECT_EQ(Get(plain, "S", "k"), kMissing);
    pm::test::writeFile(folder / "cut.qz", std::string("QZ10\xff\x00\x00\x00\xf3\xf4", 10));
    CIniFile cut;
    EXPECT_FALSE(cut.Load((folder / "cut.qz").c_str(), TRUE)) << "a damaged file is refused";
}

TEST(IniFile, TempFileNames) {
    CString a = MakeTempFileName(), b = MakeTempFileName();
    ASSERT_FALSE(a.IsEmpty());
    EXPECT_NE(std::string(a), std::string(b));
    EXPECT_EQ(std::filesystem::path(static_cast<LPCTSTR>(a)).filename().string().substr(0, 3), "~MS");
    EXPECT_TRUE(std::filesystem::exists(static_cast<LPCTSTR>(a)));
    std::filesystem::remove(static_cast<LPCTSTR>(a));
    std::filesystem::remove(static_cast<LPCTSTR>(b));
}

} // namespace
