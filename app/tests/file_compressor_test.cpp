#include "app/CFileCompressor.h"
#include "platform/win/windlg.h"

#include "cmake/test_files.h"
#include "platform/win/tests/support/scratch_disk.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// Records what the hooks receive instead of showing a message box.
class RecordingCompressor : public CFileCompressor {
public:
    void OnError(int nCode) override { errors.push_back(nCode); }
    void OnProgress(DWORD* pdwDone, DWORD* pdwTotal) override {
        EXPECT_EQ(m_nState, expectedState);
        last = *pdwDone;
        total = *pdwTotal;
        ++reports;
    }
    std::vector<int> errors;
    int expectedState = 0;
    DWORD last = 0, total = 0;
    int reports = 0;
};

TEST(FileCompressor, CompressesAndExpandsFiles) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 3000; i++)
        text += "line " + std::to_string(i % 97) + " of the settings\r\n";
    pm::test::writeFile(folder / "plain", text);
    RecordingCompressor c;
    c.expectedState = 1;
    ASSERT_TRUE(c.Run((folder / "plain").c_str(), (folder / "packed").c_str(), TRUE));
    EXPECT_EQ(c.total, text.size());
    EXPECT_EQ(c.last, text.size());
    EXPECT_LT(pm::test::readFile(folder / "packed").size(), text.size() / 4);
    c.expectedState = 2;
    ASSERT_TRUE(c.Run((folder / "packed").c_str(), (folder / "back").c_str(), FALSE));
    EXPECT_EQ(pm::test::readFile(folder / "back"), text);
    EXPECT_TRUE(c.errors.empty());
}

TEST(FileCompressor, EmptyFile) {
    TempFolder folder;
    pm::test::writeFile(folder / "empty", "");
    CFileCompressor c;
    ASSERT_TRUE(c.Run((folder / "empty").c_str(), (folder / "packed").c_str(), TRUE));
    EXPECT_EQ(pm::test::readFile(folder / "packed"), std::string("QZ10\0\0\0\0", 8));
    pm::test::writeFile(folder / "back", "old content");
    ASSERT_TRUE(c.Run((folder / "packed").c_str(), (folder / "back").c_str(), FALSE));
    EXPECT_EQ(pm::test::readFile(folder / "back"), "");
}

// Files under /proc report a size of 0; they are read to their end all the same.
TEST(FileCompressor, ReadsASourceWhoseReportedSizeIsZeroToItsEnd) {
    const std::string text = pm::test::readFile("/proc/version");
    ASSERT_FALSE(text.empty());
    TempFolder folder;
    RecordingCompressor c;
    c.expectedState = 1;
    ASSERT_TRUE(c.Run("/proc/version", (folder / "packed").c_str(), TRUE));
    EXPECT_EQ(c.total, text.size());
    c.expectedState = 2;
    ASSERT_TRUE(c.Run((folder / "packed").c_str(), (folder / "back").c_str(), FALSE));
    EXPECT_EQ(pm::test::readFile(folder / "back"), text);
}

TEST(FileCompressor, FilesThatCannotBeOpened) {
    TempFolder folder;
    pm::test::writeFile(folder / "src", "data");
    CFileCompressor c;
    EXPECT_FALSE(c.Run((folder / "missing").c_str(), (folder / "dst").c_str(), TRUE));
    EXPECT_FALSE(pm::test::readFile(folder / "dst").size());
    EXPECT_FALSE(c.Run((folder / "src").c_str(), (folder / "no/folder/dst").c_str(), TRUE));
}

TEST(FileCompressor, WithoutMagicExpandsToNothing) {
    TempFolder folder;
    pm::test::writeFile(folder / "text", "[General]\r\nLineNo=1\r\n");
    CFileCompressor c;
    EXPECT_TRUE(c.Run((folder / "text").c_str(), (folder / "out").c_str(), FALSE));
    EXPECT_EQ(pm::test::readFile(folder / "out"), "");
}

TEST(FileCompressor, DamagedFileFails) {
    TempFolder folder;
    pm::test::writeFile(folder / "lying", std::string("QZ10\xff\xff\xff\xff\x12\x34", 10));
    RecordingCompressor c;
    EXPECT_FALSE(c.Run((folder / "lying").c_str(), (folder / "out").c_str(), FALSE));
    EXPECT_EQ(pm::test::readFile(folder / "out"), "") << "nothing is written for an impossible length";
    EXPECT_TRUE(c.errors.empty());
}

TEST(FileCompressor, WriteFailureIsReportedAndLeavesTheOldFileWhole) {
    RecordingCompressor c;
    c.expectedState = 1;
    TempFolder folder;
    pm::test::writeFile(folder / "src", std::string(100000, 'x'));
    pm::test::ScratchDisk full(pm::test::ScratchDisk::Full);
    pm::test::writeFile(full.file("packed"), "old");
    full.seal();
    EXPECT_FALSE(c.Run((folder / "src").c_str(), full.file("packed").c_str(), TRUE));
    full.unseal();
    EXPECT_EQ(c.errors, std::vector<int>{1});
    EXPECT_EQ(pm::test::readFile(full.file("packed")), "old");
    EXPECT_EQ(full.names(), std::vector<std::string>{"packed"});
}

TEST(FileCompressor, RefusesANamedPipeAsSourceOrDestination) {
    TempFolder folder;
    pm::test::writeFile(folder / "src", "some text");
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    RecordingCompressor c;
    EXPECT_FALSE(c.Run(pipe.c_str(), (folder / "out").c_str(), TRUE)) << "returns at once, no writer needed";
    EXPECT_FALSE(c.Run((folder / "src").c_str(), pipe.c_str(), TRUE));
    EXPECT_TRUE(c.errors.empty());
}

TEST(FileCompressor, ErrorsAreShownInAMessageBox) {
    std::vector<std::string> shown;
    pm::setMessageBoxHook([&](HWND, const std::string& text, const std::string&, UINT) {
        shown.push_back(text);
        return IDOK;
    });
    TempFolder folder;
    pm::test::writeFile(folder / "src", "some text");
    pm::test::ScratchDisk full(pm::test::ScratchDisk::Full);
    full.seal();
    CFileCompressor c;
    EXPECT_FALSE(c.Run((folder / "src").c_str(), full.file("packed").c_str(), TRUE));
    full.unseal();
    pm::setMessageBoxHook(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"Error: 1"});
}

} // namespace
