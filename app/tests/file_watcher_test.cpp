// The file watcher: files changed, renamed away or left alone by another program, two files of one
// folder, many files and many folders, folders that cannot be watched, and stopping.

#include "app/CFileWatcher.h"

#include "cmake/test_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// Records what the worker reports; the test waits for reports with a bound.
class RecordingWatcher : public CFileWatcher {
public:
    ~RecordingWatcher() override { Stop(TRUE); }

    // Waits until path was reported (at most five seconds), with the bits when given (a write
    // may be reported more than once, as it goes); the last bits reported, or -1.
    long waitFor(const std::string& path, long bits = -1) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [&] {
            auto it = m_reports.find(path);
            return it != m_reports.end() && (bits < 0 || static_cast<long>(it->second) == bits);
        });
        auto it = m_reports.find(path);
        return it == m_reports.end() ? -1 : static_cast<long>(it->second);
    }
    bool reported(const std::string& path) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_reports.count(path) != 0;
    }
    void forget() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reports.clear();
    }

    BOOL m_bCanStart = TRUE;

protected:
    void OnFileChange(DWORD dwChange, LPCTSTR lpszPath) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reports[lpszPath] = dwChange;
        m_changed.notify_all();
    }
    BOOL CanStart() override { return m_bCanStart; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, DWORD> m_reports;
};

void touchBack(const std::string& path, std::filesystem::file_time_type when) {
    std::filesystem::last_write_time(path, when);
}

} // namespace

TEST(FileWatcher, ReportsChangesOfTheWatchedFilesOfAFolder) {
    TempFolder folder;
    const std::string a = folder / "a.js", b = folder / "b.js", other = folder / "other.js";
    pm::test::writeFile(a, "var a;");
    pm::test::writeFile(b, "var b;");
    pm::test::writeFile(other, "var c;");
    RecordingWatcher watcher;
    EXPECT_TRUE(watcher.AddFile(a.c_str()));
    EXPECT_TRUE(watcher.AddFile(b.c_str()));
    EXPECT_FALSE(watcher.AddFile(a.c_str())) << "a path is watched once";
    EXPECT_EQ(watcher.GetFolders(), (std::vector<std::string>{folder.Path() + "/", folder.Path() + "/"}))
        << "one folder entry for each file";
    watcher.Start();
    ASSERT_TRUE(watcher.IsRunning());

    pm::test::writeFile(b, "var b = 2;");
    EXPECT_EQ(watcher.waitFor(b) & CWatchedFile::kSizeChanged, CWatchedFile::kSizeChanged);
    EXPECT_FALSE(watcher.reported(a));
    pm::test::writeFile(other, "not watched, but in the folder");

    // The same size and time stamp: unnoticed (made while stopped, so that no look falls between
    // the write and the stamp put back). A change of b afterwards shows the folder was looked at.
    watcher.Stop(FALSE);
    watcher.forget();
    const auto stamp = std::filesystem::last_write_time(a);
    pm::test::writeFile(a, "var x;");
    touchBack(a, stamp);
    watcher.Start();
    pm::test::writeFile(b, "var b = 33;");
    EXPECT_NE(watcher.waitFor(b), -1);
    EXPECT_FALSE(watcher.reported(a)) << "the same size and time stamp";
    EXPECT_FALSE(watcher.reported(other));

    // Closing one of the two leaves the other watched.
    watcher.Stop(FALSE);
    EXPECT_TRUE(watcher.RemoveFile(b.c_str()));
    EXPECT_FALSE(watcher.RemoveFile(b.c_str()));
    EXPECT_EQ(watcher.GetFolders().size(), 1u);
    watcher.Start();
    watcher.forget();
    pm::test::writeFile(a, "var a = 'longer';");
    EXPECT_NE(watcher.waitFor(a), -1);

    // Renamed away: reported gone and no longer watched.
    watcher.forget();
    std::filesystem::rename(a, folder / "moved.js");
    EXPECT_EQ(watcher.waitFor(a, CWatchedFile::kGone), static_cast<long>(CWatchedFile::kGone));
    EXPECT_FALSE(watcher.IsWatched(a.c_str()));
    EXPECT_TRUE(watcher.GetFolders().empty());
}

// One watched file, a.js, in a folder of its own.
struct OneFile {
    OneFile() {
        pm::test::writeFile(a, "1");
        watcher.AddFile(a.c_str());
    }
    TempFolder folder;
    const std::string a = folder / "a.js";
    RecordingWatcher watcher;
};

TEST(FileWatcher, AChangeWhileTheWorkerRestartsIsSeen) {
    OneFile one;
    auto& [folder, a, watcher] = one;
    pm::test::writeFile(a, "12"); // before any worker waited
    watcher.Start();
    EXPECT_EQ(watcher.waitFor(a) & CWatchedFile::kSizeChanged, CWatchedFile::kSizeChanged);
}

TEST(FileWatcher, StopWaitsForTheWorkerAndClosingStartsNone) {
    OneFile one;
    auto& [folder, a, watcher] = one;
    watcher.Start();
    watcher.Stop(TRUE);
    EXPECT_FALSE(watcher.IsRunning());
    pm::test::writeFile(a, "123");
    EXPECT_FALSE(watcher.AddFile((folder / "b.js").c_str())) << "adding is off after Stop(TRUE)";
    watcher.m_bCanStart = FALSE;
    watcher.Start();
    EXPECT_FALSE(watcher.IsRunning()) << "no worker starts while the owner refuses";
    watcher.m_bCanStart = TRUE;
    watcher.Stop(FALSE);
    EXPECT_TRUE(watcher.AddFile((folder / "b.js").c_str()));
    EXPECT_FALSE(watcher.reported(a)) << "nothing is reported by a stopped watcher";
    watcher.Start();
    EXPECT_NE(watcher.waitFor(a), -1) << "the change made while stopped is seen once it runs again";
}

TEST(FileWatcher, ANamedPipeIsWatchedWithoutWaitingForAWriter) {
    OneFile one;
    auto& [folder, a, watcher] = one;
    const std::string pipe = folder / "pipe.js";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(watcher.AddFile(pipe.c_str()));
    watcher.Start();
    pm::test::writeFile(a, "12");
    EXPECT_NE(watcher.waitFor(a), -1) << "the worker looks past the pipe";
    EXPECT_EQ(watcher.waitFor(pipe), 0L) << "reported as a file that exists but cannot be opened";
    watcher.Stop(FALSE);
}

TEST(FileWatcher, ManyFilesAndFoldersStayWatched) {
    TempFolder folder;
    RecordingWatcher watcher;
    std::vector<std::string> inOne, inMany;
    for (int i = 0; i < 70; ++i) {
        inOne.push_back(folder / ("one" + std::to_string(i) + ".js"));
        pm::test::writeFile(inOne.back(), "x");
        watcher.AddFile(inOne.back().c_str());
        const std::string sub = folder / ("f" + std::to_string(i));
        std::filesystem::create_directory(sub);
        inMany.push_back(sub + "/doc.js");
        pm::test::writeFile(inMany.back(), "x");
        watcher.AddFile(inMany.back().c_str());
    }
    // A folder that cannot be watched (gone) is dropped; the others go on.
    const std::string gone = folder / "gone";
    std::filesystem::create_directory(gone);
    pm::test::writeFile(gone + "/doc.js", "x");
    watcher.AddFile((gone + "/doc.js").c_str());
    std::filesystem::remove_all(gone);
    watcher.Start();
    pm::test::writeFile(inOne[69], "xy");
    EXPECT_NE(watcher.waitFor(inOne[69]), -1) << "70 files of one folder are one wait";
    pm::test::writeFile(inMany[10], "xy");
    EXPECT_NE(watcher.waitFor(inMany[10]), -1)
        << "more folders than one wait holds: the first ones stay watched";
}
