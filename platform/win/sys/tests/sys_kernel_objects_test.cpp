// Events, waits, folder change notifications and file times, as the file watcher and other
// worker threads use them.

#include "cmake/test_files.h"
#include "platform/win/winbase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>

namespace {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kernel-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

TEST(KernelObjects, AutoResetEventReleasesOneWaitManualResetStaysSignalled) {
    HANDLE autoReset = ::CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE manual = ::CreateEvent(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(autoReset, nullptr);
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::SetEvent(autoReset);
    ::SetEvent(autoReset);
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "setting a signalled event twice releases one wait";

    EXPECT_EQ(::WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    ::ResetEvent(manual);
    EXPECT_EQ(::WaitForSingleObject(manual, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    HANDLE both[] = {autoReset, manual};
    ::SetEvent(manual);
    ::SetEvent(autoReset);
    EXPECT_EQ(::WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0) << "the first signalled one";
    EXPECT_EQ(::WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0 + 1);

    EXPECT_TRUE(::CloseHandle(autoReset));
    EXPECT_FALSE(::CloseHandle(autoReset)) << "a closed handle is stale";
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), WAIT_FAILED);
    EXPECT_TRUE(::CloseHandle(manual));
}

TEST(KernelObjects, AnEventSetOnOneThreadEndsTheWaitOfAnother) {
    HANDLE ready = ::CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE go = ::CreateEvent(nullptr, FALSE, FALSE, nullptr);
    DWORD seen = WAIT_FAILED;
    std::thread worker([&] {
        ::SetEvent(ready);
        seen = ::WaitForSingleObject(go, INFINITE);
    });
    ASSERT_EQ(::WaitForSingleObject(ready, INFINITE), WAIT_OBJECT_0);
    ::SetEvent(go);
    worker.join();
    EXPECT_EQ(seen, WAIT_OBJECT_0);
    ::CloseHandle(ready);
    ::CloseHandle(go);
}

TEST(KernelObjects, WaitsRefuseBadCountsAndObjectsThatCannotBeWaitedOn) {
    HANDLE event = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE many[MAXIMUM_WAIT_OBJECTS + 1];
    for (HANDLE& h : many)
        h = event;
    EXPECT_EQ(::WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, many, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(::WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS, many, FALSE, 0),
              static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(::WaitForMultipleObjects(0, many, FALSE, 0), WAIT_FAILED);

    TempFolder folder;
    pm::test::writeFile(folder.file("a.txt"), "a");
    HANDLE file = ::CreateFile(folder.file("a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE withFile[] = {event, file};
    EXPECT_EQ(::WaitForMultipleObjects(2, withFile, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ::CloseHandle(file);
    ::CloseHandle(event);
}

TEST(KernelObjects, ChangeNotificationSignalsForItsFolderOnlyUntilFindNext) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("sub"));
    pm::test::writeFile(folder.file("doc.js"), "var a;");
    HANDLE change = ::FindFirstChangeNotification(folder.path().c_str(), FALSE,
                                                  FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                      FILE_NOTIFY_CHANGE_LAST_WRITE);
    ASSERT_NE(change, INVALID_HANDLE_VALUE);
    EXPECT_EQ(::WaitForSingleObject(change, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    pm::test::writeFile(folder.file("sub/inner.js"), "x");
    EXPECT_EQ(::WaitForSingleObject(change, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "sub-folders are not watched";

    struct Case {
        const char* name;
        void (*change)(const TempFolder&);
    };
    const Case cases[] = {
        {"rewritten", [](const TempFolder& f) { pm::test::writeFile(f.file("doc.js"), "var a = 1;"); }},
        {"touched",
         [](const TempFolder& f) {
             std::filesystem::last_write_time(f.file("doc.js"),
                                              std::filesystem::file_time_type::clock::now());
         }},
        {"created", [](const TempFolder& f) { pm::test::writeFile(f.file("new.js"), ""); }},
        {"renamed over",
         [](const TempFolder& f) {
             pm::test::writeFile(f.file("sub/saved.tmp"), "saved elsewhere");
             std::filesystem::rename(f.file("sub/saved.tmp"), f.file("doc.js"));
         }},
        {"deleted", [](const TempFolder& f) { std::filesystem::remove(f.file("new.js")); }},
    };
    for (const Case& c : cases) {
        c.change(folder);
        EXPECT_EQ(::WaitForSingleObject(change, INFINITE), WAIT_OBJECT_0) << c.name;
        EXPECT_EQ(::WaitForSingleObject(change, 0), WAIT_OBJECT_0)
            << c.name << ": a wait leaves it signalled";
        EXPECT_TRUE(::FindNextChangeNotification(change));
        EXPECT_EQ(::WaitForSingleObject(change, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << c.name;
    }
    EXPECT_TRUE(::FindCloseChangeNotification(change));
    EXPECT_FALSE(::FindCloseChangeNotification(change));

    EXPECT_EQ(::FindFirstChangeNotification(folder.file("missing").c_str(), FALSE, FILE_NOTIFY_CHANGE_SIZE),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(::FindFirstChangeNotification(folder.file("doc.js").c_str(), FALSE, FILE_NOTIFY_CHANGE_SIZE),
              INVALID_HANDLE_VALUE)
        << "a file is not a folder";
    EXPECT_EQ(::FindFirstChangeNotification(folder.path().c_str(), FALSE, 0), INVALID_HANDLE_VALUE);
}

TEST(KernelObjects, FileTimesAndSizesFollowTheFile) {
    TempFolder folder;
    const std::string path = folder.file("doc.js");
    pm::test::writeFile(path, "12345");
    HANDLE file =
        ::CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME before{}, after{};
    ASSERT_TRUE(::GetFileTime(file, nullptr, nullptr, &before));
    DWORD high = 7;
    EXPECT_EQ(::GetFileSize(file, &high), 5u);
    EXPECT_EQ(high, 0u);
    ::CloseHandle(file);

    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(3));
    pm::test::writeFile(path.c_str(), "1234567");
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(3));
    file = ::CreateFile(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(::GetFileTime(file, nullptr, nullptr, &after));
    EXPECT_EQ(::GetFileSize(file, nullptr), 7u);
    EXPECT_EQ(::CompareFileTime(&after, &before), 1);
    EXPECT_EQ(::CompareFileTime(&before, &after), -1);
    EXPECT_EQ(::CompareFileTime(&after, &after), 0);
    ::CloseHandle(file);

    EXPECT_EQ(
        ::CreateFile(folder.file("none.js").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(
        ::CreateFile(folder.file("none/x.js").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(::CreateFile(folder.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE)
        << "a folder is not a file";
    EXPECT_EQ(::CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST(KernelObjects, CopyFileReplacesTheTargetWholeOrRefuses) {
    TempFolder folder;
    pm::test::writeFile(folder.file("template.hbs"), std::string("module\0bytes", 12));
    pm::test::writeFile(folder.file("old.hbs"), "old");
    EXPECT_TRUE(::CopyFile(folder.file("template.hbs").c_str(), folder.file("new.hbs").c_str(), TRUE));
    EXPECT_FALSE(::CopyFile(folder.file("template.hbs").c_str(), folder.file("old.hbs").c_str(), TRUE));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(::CopyFile(folder.file("template.hbs").c_str(), folder.file("old.hbs").c_str(), FALSE));
    for (const char* name : {"new.hbs", "old.hbs"})
        EXPECT_EQ(pm::test::readFile(folder.file(name)), std::string("module\0bytes", 12)) << name;
    EXPECT_FALSE(::CopyFile(folder.file("none.hbs").c_str(), folder.file("x.hbs").c_str(), FALSE));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(::CopyFile(folder.file("old.hbs").c_str(), folder.file("no/such/x.hbs").c_str(), FALSE));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              3)
        << "no copy left half-made";
}
