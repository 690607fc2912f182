#include "cmake/test_files.h"
#include "platform/framework/framework.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace {

class FileTest : public ::testing::Test {
protected:
    // A fresh folder per test, so that a failed run leaves nothing in the way of the next.
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::string(PM_TEST_OUTPUT_DIR) + "/framework_files/" + info->name();
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    std::string path(const char* name) const { return m_dir + "/" + name; }

    std::string m_dir;
};

struct OpenFailure {
    const char* name;
    std::string (*target)(const std::string& dir);
    UINT flags;
    int cause;
    int osError;
};

TEST_F(FileTest, OpenFailuresGiveTheCause) {
    pm::test::writeFile(path("plain.txt"), "x");
    const OpenFailure cases[] = {
        {"missing file", [](const std::string& d) { return d + "/nothing.txt"; }, CFile::modeRead,
         CFileException::fileNotFound, ENOENT},
        {"missing folder", [](const std::string& d) { return d + "/no/such/folder.txt"; },
         CFile::modeCreate | CFile::modeWrite, CFileException::badPath, ENOENT},
        {"a folder", [](const std::string& d) { return d; }, CFile::modeRead, CFileException::accessDenied,
         EISDIR},
        {"below a file", [](const std::string& d) { return d + "/plain.txt/x"; }, CFile::modeRead,
         CFileException::badPath, ENOTDIR},
        {"empty name", [](const std::string&) { return std::string(); }, CFile::modeRead,
         CFileException::badPath, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = c.target(m_dir);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(target.c_str(), c.flags, &error));
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_EQ(error.m_lOsError, c.osError);
        EXPECT_STREQ(error.m_strFileName, target.c_str());
        try {
            CFile thrown(target.c_str(), c.flags);
            ADD_FAILURE() << "no exception";
        } catch (CFileException* e) {
            EXPECT_EQ(e->m_cause, c.cause);
            e->Delete();
        }
    }
}

TEST_F(FileTest, ReadWriteSeekAndLength) {
    const std::string name = path("data.bin");
    CFile file(name.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.GetPosition(), 11u);
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    file.Flush();
    try {
        file.Seek(-100, CFile::begin);
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    EXPECT_STREQ(file.GetFileName(), "data.bin");
    EXPECT_STREQ(file.GetFileTitle(), "data");
    file.Close();
    EXPECT_EQ(pm::test::readFile(path("data.bin")), "hello");
}

TEST_F(FileTest, BackslashesSeparateFolders) {
    pm::test::writeFile(path("slashes.txt"), "abc");
    std::string name = path("slashes.txt");
    for (char& c : name)
        c = c == '/' ? '\\' : c;
    CFile file;
    ASSERT_TRUE(file.Open(name.c_str(), CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 3u);
    EXPECT_STREQ(file.GetFileName(), "slashes.txt");
}

TEST_F(FileTest, ShareFlagsExcludeOtherOpeners) {
    pm::test::writeFile(path("shared.txt"), "keep me");
    const std::string name = path("shared.txt");
    CFile writer(name.c_str(), CFile::modeWrite | CFile::modeNoTruncate | CFile::shareExclusive);
    CFile other;
    CFileException error;
    EXPECT_FALSE(other.Open(name.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_FALSE(
        other.Open(name.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error));
    EXPECT_EQ(pm::test::readFile(path("shared.txt")), "keep me"); // the refused create truncated nothing
    EXPECT_TRUE(other.Open(name.c_str(), CFile::modeRead | CFile::shareDenyNone));
    other.Close();
    writer.Close();
    CFile reader1(name.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CFile reader2(name.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_FALSE(other.Open(name.c_str(), CFile::modeWrite | CFile::shareExclusive));
}

TEST_F(FileTest, RemoveAndRename) {
    pm::test::writeFile(path("old.txt"), "1");
    pm::test::writeFile(path("taken.txt"), "2");
    CFile::Rename(path("old.txt").c_str(), path("new.txt").c_str());
    EXPECT_EQ(pm::test::readFile(path("new.txt")), "1");
    try {
        CFile::Rename(path("new.txt").c_str(), path("taken.txt").c_str());
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::accessDenied);
        e->Delete();
    }
    EXPECT_EQ(pm::test::readFile(path("taken.txt")), "2");
    CFile::Remove(path("new.txt").c_str());
    CFile::Remove(path("taken.txt").c_str());
    try {
        CFile::Remove(path("new.txt").c_str());
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}

TEST(CMemFile, GrowsInStepsAndReadsBack) {
    CMemFile file(1024);
    std::string data;
    for (int i = 0; i < 3000; ++i)
        data += static_cast<char>('a' + i % 26);
    file.Write(data.data(), 1000);
    file.Write(data.data() + 1000, 2000);
    EXPECT_EQ(file.GetLength(), 3000u);
    file.Seek(10, CFile::end);
    file.Write("!", 1); // a gap reads as zeros
    EXPECT_EQ(file.GetLength(), 3011u);
    file.SeekToBegin();
    std::string back(3011, '\0');
    EXPECT_EQ(file.Read(&back[0], 5000), 3011u);
    EXPECT_EQ(back.substr(0, 3000), data);
    EXPECT_EQ(back.substr(3000), std::string(10, '\0') + "!");
    file.SetLength(4);
    EXPECT_EQ(file.GetPosition(), 4u);
    BYTE* detached = file.Detach();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(detached), 4), "abcd");
    free(detached);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(CMemFile, AttachedBufferWithoutGrowthIsFixed) {
    BYTE buffer[8] = {'f', 'i', 'x', 'e', 'd', 0, 0, 0};
    CMemFile file(buffer, sizeof buffer);
    EXPECT_EQ(file.GetLength(), 8u);
    file.Write("FIX", 3);
    EXPECT_EQ(buffer[0], 'F');
    file.Seek(0, CFile::end);
    try {
        file.Write("more", 4);
        ADD_FAILURE();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    CMemFile growing(buffer, sizeof buffer, 16);
    EXPECT_EQ(growing.GetLength(), 0u);
    growing.Write("0123456789", 10); // moves into memory of its own
    EXPECT_EQ(growing.GetLength(), 10u);
    EXPECT_EQ(buffer[0], 'F'); // the caller's block is left as it was
}

TEST(CMemFile, BufferReadHandsOutItsOwnBytesAndMovesOn) {
    BYTE buffer[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
    CMemFile file(buffer, sizeof buffer);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferCheck), static_cast<UINT>(CFile::bufferDirect));
    void *start = nullptr, *max = nullptr;
    file.Seek(1, CFile::begin);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferRead, 3, &start, &max), 3u);
    EXPECT_EQ(start, buffer + 1); // the file's own memory, not a copy
    EXPECT_EQ(max, buffer + 4);
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferRead, 100, &start, &max), 2u); // up to the end only
    EXPECT_EQ(max, buffer + 6);
    file.Seek(4, CFile::end);
    EXPECT_EQ(file.GetBufferPtr(CFile::bufferRead, 1, &start, &max), 0u);
    EXPECT_EQ(start, max);
    EXPECT_EQ(file.GetPosition(), 10u); // a read past the end moves nothing
    CFile disk;
    EXPECT_EQ(disk.GetBufferPtr(CFile::bufferCheck), 0u);
}

TEST_F(FileTest, StdioTextModeTranslatesLineEnds) {
    const std::string name = path("lines.txt");
    {
        CStdioFile out(name.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("one\ntwo\n");
        out.WriteString("three");
    }
    EXPECT_EQ(pm::test::readFile(path("lines.txt")), "one\r\ntwo\r\nthree");
    pm::test::writeFile(path("mixed.txt"), "a\r\nb\nc\rd\r\n\r\nlast");
    CStdioFile in(path("mixed.txt").c_str(), CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (in.ReadString(line))
        lines.push_back(static_cast<LPCTSTR>(line));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c\rd", "", "last"}));
    in.SeekToBegin();
    char buf[4];
    EXPECT_STREQ(in.ReadString(buf, sizeof buf), "a\n");
    EXPECT_STREQ(in.ReadString(buf, sizeof buf), "b\n");
    EXPECT_STREQ(in.ReadString(buf, sizeof buf), "c\rd");

    CStdioFile binary(path("mixed.txt").c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_TRUE(binary.ReadString(line));
    EXPECT_STREQ(line, "a\r");
}

TEST_F(FileTest, ArchiveOverADiskFile) {
    const std::string name = path("archive.bin");
    {
        CFile file(name.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        CArchive ar(&file, CArchive::store, 4096);
        ar << CString("text") << 42;
        ar.Close();
    }
    EXPECT_EQ(pm::test::readFile(path("archive.bin")), std::string("\x04text\x2A\0\0\0", 9));
    CFile file(name.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load, 4096);
    CString s;
    int i = 0;
    ar >> s >> i;
    EXPECT_STREQ(s, "text");
    EXPECT_EQ(i, 42);
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 9u);
    // A count larger than the rest of the file is refused before anything is allocated.
    file.SeekToBegin();
    CArchive again(&file, CArchive::load);
    try {
        again.CheckCount(10, 1);
        ADD_FAILURE();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
    again.CheckCount(9, 1);
}

} // namespace
