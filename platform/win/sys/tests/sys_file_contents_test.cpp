// Reading a user's file without waiting and replacing one safely: links, permissions, every way a
// write can fail (each one leaving the old file whole and no temporary file behind), and paths
// that are not regular files.

#include "cmake/test_files.h"
#include "platform/win/file_contents.h"
#include "platform/win/tests/support/scratch_disk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/un.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using pm::sys::FileReplacement;
using pm::sys::readFileContents;
using pm::sys::replaceFileContents;
using pm::test::ScratchDisk;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "contents-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() { fs::remove_all(m_path); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    std::size_t count() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), {}));
    }

private:
    std::string m_path;
};

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(FileContents, ReplaceKeepsLinksAndPermissions) {
    struct Case {
        const char* name;
        std::function<std::string(const TempFolder&)> make; // the path to replace through
        const char* replaced;                               // the file that must hold the new bytes
        mode_t mode;
    };
    const mode_t fresh = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    const Case cases[] = {
        {"a new file takes the default mode", [](const TempFolder& t) { return t.file("new.txt"); },
         "new.txt", fresh},
        {"permissions 0600 stay",
         [](const TempFolder& t) {
             pm::test::writeFile(t.file("a.txt"), "old");
             ::chmod(t.file("a.txt").c_str(), 0600);
             return t.file("a.txt");
         },
         "a.txt", 0600},
        {"permissions 0644 stay",
         [](const TempFolder& t) {
             pm::test::writeFile(t.file("a.txt"), "old");
             ::chmod(t.file("a.txt").c_str(), 0644);
             return t.file("a.txt");
         },
         "a.txt", 0644},
        {"an absolute link replaces the file it names",
         [](const TempFolder& t) {
             pm::test::writeFile(t.file("real.txt"), "old");
             ::chmod(t.file("real.txt").c_str(), 0640);
             fs::create_symlink(t.file("real.txt"), t.file("link.txt"));
             return t.file("link.txt");
         },
         "real.txt", 0640},
        {"a chain of relative links",
         [](const TempFolder& t) {
             fs::create_directory(t.file("sub"));
             pm::test::writeFile(t.file("sub/real.txt"), "old");
             fs::create_symlink("sub/real.txt", t.file("one"));
             fs::create_symlink("one", t.file("two"));
             return t.file("two");
         },
         "sub/real.txt", fresh},
        {"a link to a file not made yet makes that file",
         [](const TempFolder& t) {
             fs::create_symlink("later.txt", t.file("link.txt"));
             return t.file("link.txt");
         },
         "later.txt", fresh},
        {"backslashes separate folders",
         [](const TempFolder& t) {
             std::string p = t.file("b.txt");
             p[p.find_last_of('/')] = '\\';
             return p;
         },
         "b.txt", fresh},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = c.make(folder);
        const std::size_t before = folder.count();
        const bool existed = fs::exists(folder.file(c.replaced));
        const bool link = fs::is_symlink(fs::symlink_status(path));
        const pm::sys::FileResult r = replaceFileContents(path, std::string("new\0bytes", 9));
        ASSERT_TRUE(r) << r.message();
        EXPECT_EQ(pm::test::readFile(folder.file(c.replaced)), std::string("new\0bytes", 9));
        EXPECT_EQ(modeOf(folder.file(c.replaced)), c.mode);
        EXPECT_EQ(folder.count(), before + (existed ? 0 : 1)) << "no temporary file stays";
        EXPECT_EQ(fs::is_symlink(fs::symlink_status(path)), link) << "a link stays a link";
    }
}

// Each failure is reported, the old file keeps its bytes and nothing new stays in the folder. The
// failures hold for root as well.
TEST(FileContents, FailedReplaceLeavesOldFileWholeAndNoTemporaryFile) {
    struct Case {
        const char* name;
        ScratchDisk::Kind disk;
        std::function<void(ScratchDisk&, const std::string& target)> prepare;
        bool notRegular;
    };
    const Case cases[] = {
        {"a read-only folder", ScratchDisk::ReadOnly,
         [](ScratchDisk& d, const std::string& t) {
             pm::test::writeFile(t, "old bytes");
             d.seal();
         },
         false},
        {"a full disk", ScratchDisk::Full,
         [](ScratchDisk& d, const std::string& t) {
             pm::test::writeFile(t, "old bytes");
             d.seal();
         },
         false},
        {"a read-only file", ScratchDisk::ReadOnly,
         [](ScratchDisk&, const std::string& t) {
             pm::test::writeFile(t, "old bytes");
             ::chmod(t.c_str(), 0444);
         },
         false},
        {"a folder where the file should be", ScratchDisk::ReadOnly,
         [](ScratchDisk&, const std::string& t) { fs::create_directory(t); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDisk disk(c.disk);
        ASSERT_FALSE(disk.path().empty());
        const std::string target = disk.file("a.txt");
        c.prepare(disk, target);
        const auto before = disk.names();
        const pm::sys::FileResult r = replaceFileContents(target, std::string(64 * 1024, 'n'));
        disk.unseal();
        EXPECT_FALSE(r);
        EXPECT_NE(r.error, 0);
        EXPECT_EQ(r.notRegular, c.notRegular);
        EXPECT_NE(r.message().find(target), std::string::npos) << r.message();
        if (!c.notRegular) {
            EXPECT_EQ(pm::test::readFile(target), "old bytes");
        }
        EXPECT_EQ(disk.names(), before) << "a temporary file was left behind";
    }
}

TEST(FileContents, PiecewiseReplacementReplacesOnlyOnCommit) {
    TempFolder folder;
    const std::string target = folder.file("dump.sql");
    pm::test::writeFile(target, "old");
    {
        FileReplacement dropped(target);
        EXPECT_TRUE(dropped.write("half of a dump"));
    }
    EXPECT_EQ(pm::test::readFile(target), "old") << "a replacement never committed changes nothing";
    EXPECT_EQ(folder.count(), 1u);

    FileReplacement replacement(target);
    EXPECT_TRUE(replacement.write("one "));
    EXPECT_TRUE(replacement.write("two"));
    EXPECT_EQ(pm::test::readFile(target), "old");
    ASSERT_TRUE(replacement.commit());
    EXPECT_EQ(pm::test::readFile(target), "one two");
    EXPECT_EQ(folder.count(), 1u);
}

TEST(FileContents, ReadsRegularFilesOnlyAndNeverWaits) {
    TempFolder folder;
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string socketPath = folder.file("sock");
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    struct Case {
        std::string path;
        const char* kind;
        bool tryReplacing; // (not the system's own device)
    };
    // A named pipe without a writer would block an ordinary open for good.
    const Case refused[] = {{pipe, "a named pipe", true},
                            {"/dev/null", "a device", false},
                            {socketPath, "a socket", true},
                            {folder.file("."), "a folder", true}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.path);
        const pm::sys::FileRead r = readFileContents(c.path);
        EXPECT_FALSE(r);
        EXPECT_TRUE(r.notRegular);
        EXPECT_EQ(r.message(), c.path + " is " + c.kind + ", not a regular file");
        EXPECT_EQ(pm::sys::checkChosenFile(c.path).message(), r.message());
        if (!c.tryReplacing) continue;
        const pm::sys::FileResult replaced = replaceFileContents(c.path, "x");
        EXPECT_FALSE(replaced) << "nothing replaces what is not a regular file";
        EXPECT_TRUE(replaced.notRegular);
    }
    ::close(s);
    EXPECT_TRUE(fs::is_fifo(pipe));

    const pm::sys::FileRead missing = readFileContents(folder.file("none"));
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(missing.notRegular);
    EXPECT_TRUE(pm::sys::checkChosenFile(folder.file("none")));
    pm::test::writeFile(folder.file("plain"), "x");
    EXPECT_TRUE(pm::sys::checkChosenFile(folder.file("plain")));
}

// A name typed into a file dialog under /proc or /sys is refused, whether a file stands there or
// would be made there: such files may wait for good when read (/proc/kmsg does).
TEST(FileContents, ASystemFileIsNoChoiceForAUser) {
    for (const char* path : {"/proc/x.sql", "/proc/kmsg", "/proc/self/status", "/sys/kernel/x.txt"}) {
        SCOPED_TRACE(path);
        const pm::sys::FileResult r = pm::sys::checkChosenFile(path);
        EXPECT_FALSE(r);
        EXPECT_TRUE(r.notRegular);
        EXPECT_EQ(r.message(), std::string(path) + " is a system file, not a regular file");
    }
    EXPECT_TRUE(pm::sys::checkChosenFile("/tmp/x.sql")) << "a new file elsewhere is fine";
}

TEST(FileContents, ReadsToTheEndWhateverTheReportedSizeUpToALimit) {
    const pm::sys::FileRead status = readFileContents("/proc/self/status");
    ASSERT_TRUE(status) << status.message();
    EXPECT_NE(status.bytes.find("Name:"), std::string::npos) << "a file of reported size 0 is read whole";
    EXPECT_FALSE(status.cut);

    TempFolder folder;
    const std::string big = folder.file("big");
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    pm::test::writeFile(big, bytes);
    struct Case {
        std::size_t limit;
        std::size_t got;
        bool cut;
    };
    const Case cases[] = {{pm::sys::kWholeFile, 200000, false},
                          {200000, 200000, false},
                          {199999, 199999, true},
                          {65536, 65536, true},
                          {0, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        const pm::sys::FileRead r = readFileContents(big, c.limit);
        ASSERT_TRUE(r);
        EXPECT_EQ(r.bytes, bytes.substr(0, c.got));
        EXPECT_EQ(r.cut, c.cut);
    }
}

} // namespace
