#include "scripting/CHHScriptProcedureList.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A module file with one object and two groups; its procedure part starts at 0x2D.
const unsigned char kModule[] = {
    0xFF, 0xFF, 0x01, 0x00, 0x11, 0x00, 0x43, 0x48, 0x48, 0x56, 0x42, 0x53, 0x63, 0x72, 0x69, 0x70, 0x74,
    0x45, 0x6E, 0x67, 0x69, 0x6E, 0x65, 0x01, 0x00, 0x00, 0x00, 0x03, 0x4F, 0x62, 0x6A, 0x09, 0x4D, 0x79,
    0x2E, 0x4F, 0x62, 0x6A, 0x65, 0x63, 0x74, 0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x09, 0x28,
    0x47, 0x65, 0x6E, 0x65, 0x72, 0x61, 0x6C, 0x29, 0x01, 0x00, 0x00, 0x00, 0x0E, 0x28, 0x44, 0x65, 0x63,
    0x6C, 0x61, 0x72, 0x61, 0x74, 0x69, 0x6F, 0x6E, 0x73, 0x29, 0x00, 0x07, 0x44, 0x69, 0x6D, 0x20, 0x6E,
    0x0D, 0x0A, 0x00, 0x03, 0x41, 0x70, 0x70, 0x01, 0x00, 0x00, 0x00, 0x05, 0x54, 0x69, 0x6D, 0x65, 0x72,
    0x11, 0x53, 0x75, 0x62, 0x20, 0x41, 0x70, 0x70, 0x5F, 0x54, 0x69, 0x6D, 0x65, 0x72, 0x28, 0x29, 0x0D,
    0x0A, 0x0C, 0x09, 0x6E, 0x20, 0x3D, 0x20, 0x6E, 0x20, 0x2B, 0x20, 0x31, 0x0D, 0x0A, 0x0B, 0x45, 0x6E,
    0x64, 0x20, 0x53, 0x75, 0x62, 0x0D, 0x0A, 0x0D, 0x0A};
const size_t kProcedurePart = 0x2D;

std::vector<unsigned char> part() {
    return {kModule + kProcedurePart, kModule + sizeof kModule};
}

void load(CHHScriptProcedureList& list, const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    list.Serialize(ar);
}

std::vector<unsigned char> store(CHHScriptProcedureList& list) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Close();
    }
    std::vector<unsigned char> out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

std::string names(const CHHScriptProcedureList& list) {
    std::string out;
    for (int i = 0; i < list.GetCount(); ++i) {
        const auto& obj = list.GetAt(i);
        out += std::string(obj.m_strName) + ":";
        for (const auto& p : obj.m_procedures)
            out += std::string(p.m_strName) + ",";
        out += ";";
    }
    return out;
}

TEST(ProcedureList, ModuleFileRoundTripsByteForByte) {
    CHHScriptProcedureList list;
    load(list, part());
    EXPECT_EQ(names(list), "(General):(Declarations),;App:Timer,;");
    EXPECT_STREQ(list.GetText(), "Dim n\r\nSub App_Timer()\r\n\tn = n + 1\r\nEnd Sub\r\n\r\n");
    const auto& app = list.GetAt(1);
    EXPECT_EQ(app.m_nBodyTotal, 12);
    EXPECT_EQ(app.m_nHeadTailTotal, 17 + 11);
    EXPECT_EQ(store(list), part());
}

TEST(ProcedureList, WholeModuleFileReadsToItsEnd) {
    std::vector<unsigned char> bytes(kModule, kModule + sizeof kModule);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    WORD tag, schema, length;
    ar >> tag >> schema >> length;
    ASSERT_EQ(tag, 0xFFFF);
    std::string name(length, '\0');
    ar.Read(name.data(), length);
    EXPECT_EQ(name, "CHHVBScriptEngine");
    DWORD objects, flags;
    CString objectName, progId;
    ar >> objects >> objectName >> progId >> flags;
    EXPECT_EQ(flags, 6u);
    CHHScriptProcedureList list;
    list.Serialize(ar);
    EXPECT_EQ(list.GetCount(), 2);
    BYTE extra;
    EXPECT_EQ(ar.Read(&extra, 1), 0u);
}

TEST(ProcedureList, TruncatedOrOversizedArchivesFailAndChangeNothing) {
    std::vector<unsigned char> full = part();
    CHHScriptProcedureList list;
    load(list, full);
    const std::string before = std::string(list.GetText());
    for (size_t n = 0; n < full.size(); ++n) {
        std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        bool failed = false;
        try {
            load(list, cut);
        } catch (CArchiveException* e) {
            failed = true;
            e->Delete();
        }
        EXPECT_TRUE(failed) << n;
        EXPECT_EQ(std::string(list.GetText()), before);
    }
    const std::vector<unsigned char> huge = {0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    bool refused = false;
    try {
        load(list, huge);
    } catch (CArchiveException* e) {
        refused = e->m_cause == CArchiveException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(ProcedureList, DuplicateNamesInAFileKeepBothTexts) {
    CHHScriptProcedureList source;
    source.AddProcedure("App", "Timer", "Sub App_Timer()\r\n", "\ta = 1\r\n", "End Sub\r\n");
    std::vector<unsigned char> bytes = store(source);
    // Object count 1, procedure count 1 -> 2, and the procedure record twice.
    std::vector<unsigned char> doubled(bytes.begin(), bytes.begin() + 8);
    const size_t nameLen = 1 + 3;
    doubled.insert(doubled.end(), {0x02, 0x00, 0x00, 0x00});
    std::vector<unsigned char> record(bytes.begin() + 4 + nameLen + 4, bytes.end());
    doubled.resize(4 + nameLen);
    doubled.insert(doubled.end(), {0x02, 0x00, 0x00, 0x00});
    doubled.insert(doubled.end(), record.begin(), record.end());
    const std::string a = "a = 1";
    auto at = std::search(record.begin(), record.end(), a.begin(), a.end());
    ASSERT_NE(at, record.end());
    *at = 'b'; // the second copy's body says "\tb = 1"
    doubled.insert(doubled.end(), record.begin(), record.end());
    CHHScriptProcedureList list;
    load(list, doubled);
    std::string text = static_cast<LPCTSTR>(list.GetText());
    EXPECT_NE(text.find("a = 1"), std::string::npos);
    EXPECT_NE(text.find("b = 1"), std::string::npos);
    EXPECT_EQ(store(list), doubled);
}

TEST(ProcedureList, ParsesSortsAndJoins) {
    CHHVBScriptTextParser parser;
    CHHScriptProcedureList list;
    list.Parse("Option Explicit\r\nSub Zed()\r\nEnd Sub\r\nSub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n"
               "Sub app_Click\r\nEnd Sub\r\nFunction Alpha\r\nEnd Function\r\nDim y\r\n",
               &parser);
    EXPECT_EQ(names(list), "(General):(Declarations),Alpha,Zed,;App:Click,Timer,;");
    EXPECT_STREQ(list.GetText(), "Option Explicit\r\nDim y\r\nFunction Alpha\r\nEnd Function\r\n\r\n"
                                 "Sub Zed()\r\nEnd Sub\r\n\r\nSub app_Click\r\nEnd Sub\r\n\r\n"
                                 "Sub App_Timer()\r\n\tx = 1\r\nEnd Sub\r\n\r\n");
    CHHScriptProcedureList empty;
    empty.Parse("", &parser);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST(ProcedureList, NamesFoldedByTheParserKeepEveryText) {
    CHHVBScriptTextParser parser;
    CHHScriptProcedureList list;
    list.Parse("Sub A_B_C\r\n\tone\r\nEnd Sub\r\nSub A_B_D\r\n\ttwo\r\nEnd Sub\r\n", &parser);
    std::string text = static_cast<LPCTSTR>(list.GetText());
    EXPECT_NE(text.find("\tone\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sub A_B_D\r\n\ttwo\r\nEnd Sub\r\n"), std::string::npos);
}

TEST(ProcedureList, AddProcedureAndPositions) {
    CHHScriptProcedureList list;
    EXPECT_TRUE(list.AddProcedure("B", "Second", "h\r\n", "bb\r\n", "t"));
    EXPECT_TRUE(list.AddProcedure("B", "First", "h\r\n", "b\r\n", ""));
    EXPECT_FALSE(list.AddProcedure("b", "FIRST", "x", "y", "z"));
    EXPECT_TRUE(list.AddProcedure("A", "Only", "hh\r\n", "", "t"));
    EXPECT_EQ(names(list), "A:Only,;B:First,Second,;");
    CHHScriptProcedureList::Location loc;
    ASSERT_TRUE(list.FindOrCreate(FALSE, FALSE, "b", "second", loc));
    EXPECT_EQ(loc.nObjectStart, 4 + 3);         // "hh\r\n" + "t\r\n"
    EXPECT_EQ(loc.nProcedureOffset, 3 + 3 + 0); // First: head, body, empty tail
    EXPECT_STREQ(loc.pProcedure->m_strTail, "t\r\n");
    EXPECT_FALSE(list.FindOrCreate(FALSE, TRUE, "b", "Second", loc));
    EXPECT_EQ(loc.pObject, nullptr);
    EXPECT_FALSE(list.FindOrCreate(TRUE, FALSE, "AA", "New", loc));
    EXPECT_EQ(names(list), "A:Only,;AA:New,;B:First,Second,;");
    EXPECT_EQ(loc.nObjectStart, 7);
}

} // namespace
