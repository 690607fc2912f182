// RegExp, Scripting.Dictionary, Scripting.FileSystemObject and the functions added with them,
// checked through the Test object's log.

#include "support/script_cases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using Case = pm::test::ScriptCase;

const Case kRegExp[] = {
    {"test, ignore case and pattern property",
     "Set r = New RegExp\nr.Pattern = \"^ab+c$\"\nTest.Log r.Test(\"abbbc\")\nTest.Log r.Test(\"ABC\")\n"
     "r.IgnoreCase = True\nTest.Log r.Test(\"ABC\")\nTest.Log r.Pattern",
     "True|False|True|^ab+c$"},
    {"replace with groups, first match and global",
     "Set r = New RegExp\nr.Pattern = \"(\\w+)@(\\w+)\"\ns = \"ann@x bob@y\"\nTest.Log r.Replace(s, "
     "\"$2:$1\")\n"
     "r.Global = True\nTest.Log r.Replace(s, \"$2:$1\")\nTest.Log r.Replace(s, \"[$&] $$\")",
     "x:ann bob@y|x:ann y:bob|[ann@x] $ [bob@y] $"},
    {"global match collection walked by For Each, with submatches",
     "Set r = CreateObject(\"VBScript.RegExp\")\nr.Pattern = \"(\\d)(\\d)?\"\nr.Global = True\n"
     "Set ms = r.Execute(\"a12 b3\")\nTest.Log ms.Count\nFor Each m In ms\n"
     "  Test.Log m.FirstIndex & \":\" & m.Value & \":\" & m.Length & \":\" & m.SubMatches.Count & \":\" & "
     "IsEmpty(m.SubMatches(1))\nNext\nTest.Log ms(1).SubMatches(0)\nTest.Log TypeName(ms)",
     "2|1:12:2:2:False|5:3:1:2:True|3|IMatchCollection2"},
    {"multiline anchors",
     "Set r = New RegExp\nr.Pattern = \"^b\"\nTest.Log r.Test(\"a\" & vbLf & \"b\")\nr.Multiline = True\n"
     "Test.Log r.Test(\"a\" & vbLf & \"b\")",
     "False|True"},
    {"match positions count characters as Mid does, a letter beyond 16 bits as one",
     "Set r = New RegExp\nr.Pattern = \"b+\"\ns = \"\xC3\xA9\xF0\x9F\x98\x80"
     "bb\"\nSet m = r.Execute(s)(0)\n"
     "Test.Log m.FirstIndex & \":\" & m.Length & \":\" & (Mid(s, m.FirstIndex + 1, m.Length) = m.Value)",
     "2:2:True"},
    {"the match collection: Item by index, read-only Count, errors for a wrong index or a put",
     "Set r = New RegExp\nr.Pattern = \"\\d\"\nr.Global = True\nSet ms = r.Execute(\"1a2\")\n"
     "Test.Log ms.Item(1).Value & ms(0) & ms.Count\nOn Error Resume Next\nx = ms(2)\nTest.Log Err.Number\n"
     "Err.Clear\nx = ms(-1)\nTest.Log Err.Number\nErr.Clear\nms.Count = 3\nTest.Log Err.Number\nErr.Clear\n"
     "x = ms.Item(0, 1)\nTest.Log Err.Number\nErr.Clear\nx = ms.Length\nTest.Log Err.Number",
     "212|5|5|438|450|438"},
    {"an invalid pattern is error 5017",
     "Set r = New RegExp\nr.Pattern = \"(a\"\nOn Error Resume Next\nx = r.Test(\"a\")\nTest.Log Err.Number",
     "5017"},
};

const Case kDictionary[] = {
    {"add, item, exists, count, remove and keys in order",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nd.Add \"b\", 2\nd.Add \"a\", 1\nd(\"c\") = 3\n"
     "Test.Log d.Count & \" \" & d(\"a\") & \" \" & d.Item(\"c\")\nTest.Log d.Exists(\"a\") & \" \" & "
     "d.Exists(\"A\")\nd.Remove \"b\"\nTest.Log Join(d.Keys, \",\") & \"=\" & Join(d.Items, \",\")\n"
     "For Each k In d\n  Test.Log k\nNext\nd.RemoveAll\nTest.Log d.Count",
     "3 1 3|True False|a,c=1,3|a|c|0"},
    {"text compare mode finds keys without case",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nd.CompareMode = vbTextCompare\nd.Add \"Key\", 1\n"
     "Test.Log d.Exists(\"KEY\")\nd(\"kEy\") = 5\nTest.Log d.Count & \" \" & d(\"key\")\nTest.Log "
     "d.Keys()(0)",
     "True|1 5|Key"},
    {"numbers and strings are different keys; reading a missing key adds it",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nd(1) = \"n\"\nd(\"1\") = \"s\"\nTest.Log d.Count\n"
     "Test.Log d(1.0)\nx = d(\"missing\")\nTest.Log d.Count & IsEmpty(x)",
     "2|n|3True"},
    {"errors: duplicate key, missing key, compare mode after adding",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nOn Error Resume Next\nd.Add \"a\", 1\nd.Add \"a\", 2\n"
     "Test.Log Err.Number\nErr.Clear\nd.Remove \"zz\"\nTest.Log Err.Number\nErr.Clear\nd.CompareMode = 1\n"
     "Test.Log Err.Number",
     "457|32811|5"},
    {"objects as items and keys, renaming a key",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nSet d(Test) = Test\nd(Test).Log \"via item\"\n"
     "d.Add \"old\", 1\nd.Key(\"old\") = \"new\"\nTest.Log d.Items()(1) & \",\" & d.Keys()(1)",
     "via item|1,new"},
    {"numeric keys are one key by value across their types; strings, Empty and Null are apart",
     "Set d = CreateObject(\"Scripting.Dictionary\")\nd(1) = \"a\"\nTest.Log d.Exists(1.0) & "
     "d.Exists(CByte(1)) & d.Exists(CCur(1)) & d.Exists(CDate(1)) & d.Exists(\"1\")\nd(True) = \"t\"\n"
     "Test.Log d(-1) & d.Count\nd(0) = \"z\"\nTest.Log d.Exists(-0.0) & d.Exists(Empty) & d.Exists(Null)\n"
     "d(Empty) = \"e\"\nd(Null) = \"n\"\nTest.Log d.Count & d(0) & d(Empty) & d(Null)",
     "TrueTrueTrueTrueFalse|t2|TrueFalseFalse|5zen"},
    {"binary mode keeps case apart; text mode folds non-ASCII letters too",
     "Set b = CreateObject(\"Scripting.Dictionary\")\nb(\"Ab\") = 1\nTest.Log b.Exists(\"ab\") & "
     "b.Exists(\"Ab\")\nSet t = CreateObject(\"Scripting.Dictionary\")\nt.CompareMode = vbTextCompare\n"
     "t(\"\xC3\x89t\xC3\xA9\") = 1\nTest.Log t.Exists(\"\xC3\xA9T\xC3\x89\") & t.Exists(\"ete\")\n"
     "t.Key(\"\xC3\xA9t\xC3\xA9\") = \"New\"\nTest.Log t.Exists(\"NEW\") & t.Count",
     "FalseTrue|TrueFalse|True1"},
    {"an item released by RemoveAll sees the dictionary empty",
     "Class T\n  Public D\n  Sub Class_Terminate\n    Test.Log D.Count & D.Exists(\"o\")\n  End Sub\n"
     "End Class\nSet d = CreateObject(\"Scripting.Dictionary\")\nSet t = New T\nSet t.D = d\n"
     "d.Add \"o\", t\nd.Add \"p\", 2\nSet t = Nothing\nd.RemoveAll\nTest.Log d.Count",
     "0False|0"},
};

const Case kFunctions[] = {
    {"wide characters",
     "Test.Log AscW(ChrW(8364))\nTest.Log ChrW(65) & ChrW(-1 + 1 + 66)\nTest.Log AscW(\"\xE2\x82\xAC\")",
     "8364|AB|8364"},
    {"byte strings",
     "s = \"abc\"\nTest.Log LenB(s)\nTest.Log AscB(s)\nTest.Log MidB(s, 3, 2)\nTest.Log LeftB(s, 2) & "
     "RightB(s, 2)\n"
     "Test.Log InStrB(s, \"c\")\nTest.Log AscB(ChrB(66))",
     "6|97|b|ac|5|66"},
    {"escape and unescape",
     "Test.Log Escape(\"a b+c/\xC3\xA9\xE2\x82\xAC!\")\nTest.Log Unescape(\"a%20b%u20AC%zz\")",
     "a%20b+c/%E9%u20AC%21|a b\xE2\x82\xAC%zz"},
    {"timer is seconds since midnight", "t = Timer\nTest.Log TypeName(t)\nTest.Log (t >= 0 And t < 86400)",
     "Single|True"},
    {"locale",
     "Test.Log GetLocale\nTest.Log SetLocale(1033)\nOn Error Resume Next\nSetLocale 1031\nTest.Log "
     "Err.Number",
     "1033|1033|5"},
    {"script engine and versions", "Test.Log ScriptEngine & \" \" & (ScriptEngineMajorVersion > 0)",
     "VBScript True"},
};

// A new empty folder for a test to remove, or "" when none could be made.
std::string temporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fsoXXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// Runs script and answers the Test object's log; each script error fails the test.
std::string logOf(const std::string& script) {
    pm::test::Harness h;
    EXPECT_EQ(h.run(script), S_OK);
    for (const auto& e : h.site->errors)
        ADD_FAILURE() << e.number << " " << e.description << " at " << e.line;
    return pm::test::joined(h.test->log);
}

TEST(RuntimeObjects, RegExp) {
    pm::test::runTable(std::begin(kRegExp), std::end(kRegExp));
}
TEST(RuntimeObjects, Dictionary) {
    pm::test::runTable(std::begin(kDictionary), std::end(kDictionary));
}
TEST(RuntimeObjects, AddedFunctions) {
    pm::test::runTable(std::begin(kFunctions), std::end(kFunctions));
}

TEST(RuntimeObjects, FileSystemRoundTripInATemporaryFolder) {
    const std::string dir = temporaryFolder();
    ASSERT_FALSE(dir.empty());
    std::string script =
        "root = \"" + dir + "\"\n" +
        "Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
        "sub1 = fso.BuildPath(root, \"sub\")\nfso.CreateFolder sub1\n"
        "Test.Log fso.FolderExists(sub1) & \" \" & fso.FileExists(sub1)\n"
        "p = fso.BuildPath(sub1, \"notes.txt\")\n"
        "Set t = fso.CreateTextFile(p)\nt.WriteLine \"first\"\nt.Write \"sec\"\nt.WriteLine \"ond\"\n"
        "t.Close\n"
        "Set t = fso.OpenTextFile(p, 8)\nt.WriteLine \"third\"\nt.Close\n"
        "Set t = fso.OpenTextFile(p)\nDo Until t.AtEndOfStream\n  Test.Log t.ReadLine\nLoop\n"
        "t.Close\n"
        "Test.Log Len(fso.OpenTextFile(p, 1).ReadAll) & \" \" & fso.GetFile(p).Size\n"
        "Test.Log fso.GetFileName(p) & \" \" & fso.GetBaseName(p) & \" \" & "
        "fso.GetExtensionName(p) & \" \" & (fso.GetParentFolderName(p) = sub1)\n"
        "fso.CopyFile p, fso.BuildPath(root, \"copy.txt\")\n"
        "fso.MoveFile fso.BuildPath(root, \"copy.txt\"), fso.BuildPath(sub1, \"moved.txt\")\n"
        "For Each f In fso.GetFolder(sub1).Files\n  Test.Log f.Name\nNext\n"
        "For Each f In fso.GetFolder(root).SubFolders\n  Test.Log TypeName(f) & \" \" & f.Name\nNext\n"
        "On Error Resume Next\n"
        "fso.CopyFile p, fso.BuildPath(sub1, \"moved.txt\"), False\nTest.Log Err.Number\nErr.Clear\n"
        "Set t = fso.OpenTextFile(fso.BuildPath(root, \"none.txt\"))\nTest.Log Err.Number\nErr.Clear\n"
        "Set t = fso.OpenTextFile(p)\nt.Write \"x\"\nTest.Log Err.Number\nErr.Clear\n"
        "t.ReadAll\nx = t.ReadLine\nTest.Log Err.Number\nErr.Clear\n"
        "fso.CreateFolder sub1\nTest.Log Err.Number\nErr.Clear\n"
        "fso.DeleteFile fso.BuildPath(sub1, \"*.txt\")\nTest.Log fso.FileExists(p) & \" \" & Err.Number\n";
    EXPECT_EQ(logOf(script), "True False|first|second|third|22 22|notes.txt notes txt True|"
                             "moved.txt|notes.txt|Folder sub|58|53|54|62|58|False 0");
    std::filesystem::remove_all(dir);
}

TEST(RuntimeObjects, FolderCollectionsFindItemsByName) {
    const std::string dir = temporaryFolder();
    ASSERT_FALSE(dir.empty());
    std::filesystem::create_directory(dir + "/inner");
    std::fclose(std::fopen((dir + "/a.txt").c_str(), "w"));
    std::fclose(std::fopen((dir + "/b.txt").c_str(), "w"));
    std::string script =
        "Set folder = CreateObject(\"Scripting.FileSystemObject\").GetFolder(\"" + dir + "\")\n" +
        "Set fs = folder.Files\n"
        "Test.Log TypeName(fs) & \" \" & fs.Count & \" \" & fs(\"b.txt\").Name & \" \" & "
        "fs.Item(\"a.txt\").Name\n"
        "Set subs = folder.SubFolders\nTest.Log TypeName(subs) & \" \" & subs(\"inner\").Name\n"
        "On Error Resume Next\nx = fs(\"c.txt\")\nTest.Log Err.Number\nErr.Clear\n"
        "x = subs(\"a.txt\")\nTest.Log Err.Number\n";
    EXPECT_EQ(logOf(script), "Files 2 b.txt a.txt|Folders inner|76|76");
    std::filesystem::remove_all(dir);
}

} // namespace
