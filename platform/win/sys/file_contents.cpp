// Reading a user's file without waiting, and replacing one safely.

#include "platform/win/file_contents.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace pm::sys {
namespace {

std::string nativePath(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return S_ISREG(mode) ? "" : "not a file";
}

FileResult failure(int error, const std::string& path, bool atOpen) {
    FileResult r;
    r.error = error;
    r.openFailed = atOpen;
    r.path = path;
    r.reason = error == EAGAIN ? "the file cannot be read without waiting" : std::strerror(error);
    return r;
}

FileResult refusal(const std::string& path, mode_t mode) {
    FileResult r = failure(S_ISDIR(mode) ? EISDIR : EINVAL, path, true);
    r.notRegular = true;
    r.reason = kindOf(mode) + ", not a regular file";
    return r;
}

// A file that nobody may write (no write permission at all, which holds for root too), or that this
// process may not write, is not replaced: renaming over it would get round its permissions.
bool writable(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

FileResult readOnly(const std::string& path) {
    FileResult r = failure(EACCES, path, true);
    r.reason = "the file is read-only";
    return r;
}

// The file a write to path lands in: symbolic links followed, also to a file that does not exist yet.
std::string followLinks(const std::string& path, int& error) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (n < 0) {
            error = errno;
            return current;
        }
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        const std::size_t slash = current.find_last_of('/');
        if (link[0] != '/' && slash != std::string::npos) link = current.substr(0, slash + 1) + link;
        current = link;
    }
    error = ELOOP;
    return current;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string FileResult::message() const {
    if (error == 0) return {};
    return notRegular ? path + " is " + reason : path + ": " + reason;
}

// Whether the file, or the folder it would be made in, is on one of the system's own file systems
// (/proc, /sys), whose files are made by the system and may wait for good when read.
bool onSystemFileSystem(const std::string& native) {
    struct statfs fs {};
    if (::statfs(native.c_str(), &fs) != 0) {
        const std::size_t slash = native.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash ? slash : 1);
        if (::statfs(folder.c_str(), &fs) != 0) return false;
    }
    return fs.f_type == PROC_SUPER_MAGIC || fs.f_type == SYSFS_MAGIC;
}

FileResult checkChosenFile(const std::string& path) {
    const std::string native = nativePath(path);
    if (onSystemFileSystem(native)) {
        FileResult r = failure(EINVAL, path, true);
        r.notRegular = true;
        r.reason = "a system file, not a regular file";
        return r;
    }
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    return refusal(path, st.st_mode);
}

int openFileForReading(const std::string& path, FileResult& result) {
    result = FileResult();
    const std::string native = nativePath(path);
    // The type is checked before the open as well: opening a named pipe or a device may wait, or act.
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0) {
        result = failure(errno, path, true);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        result = refusal(path, st.st_mode);
        return -1;
    }
    const int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result = failure(errno, path, true);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result = refusal(path, st.st_mode);
        ::close(fd);
        return -1;
    }
    return fd;
}

FileRead readFileContents(const std::string& path, std::size_t limit) {
    FileRead read;
    const int fd = openFileForReading(path, read);
    if (fd < 0) return read;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        read.bytes.reserve(static_cast<std::size_t>(st.st_size) < limit ? static_cast<std::size_t>(st.st_size)
                                                                        : limit);
    // Read to the end rather than to the reported size, one byte past the limit to see whether it cuts.
    char buffer[65536];
    for (;;) {
        const std::size_t room = limit - read.bytes.size();
        const std::size_t want = room < sizeof buffer ? room + 1 : sizeof buffer;
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            static_cast<FileResult&>(read) = failure(errno, path, false);
            read.bytes.clear();
            break;
        }
        if (n == 0) break;
        const std::size_t got = static_cast<std::size_t>(n);
        if (got > room) {
            read.bytes.append(buffer, room);
            read.cut = true;
            break;
        }
        read.bytes.append(buffer, got);
    }
    ::close(fd);
    return read;
}

FileResult replaceFileContents(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.write(bytes);
    return replacement.commit();
}

FileReplacement::FileReplacement(const std::string& path) : m_path(path) {
    int error = 0;
    m_target = followLinks(nativePath(path), error);
    if (error || m_target.empty() || m_target.back() == '/') {
        fail(error ? error : EISDIR, true);
        return;
    }
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        m_result = refusal(path, old.st_mode);
        return;
    }
    if (exists && !writable(m_target, old)) {
        m_result = readOnly(path);
        return;
    }
    const std::size_t slash = m_target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    m_temporary = folder + "." + name + ".XXXXXX";
    m_fd = ::mkstemp(m_temporary.data());
    if (m_fd < 0) {
        m_temporary.clear();
        fail(errno, true);
        return;
    }
    ::fcntl(m_fd, F_SETFD, FD_CLOEXEC);
    if (::fchmod(m_fd, exists ? (old.st_mode & 07777) : newFileMode()) != 0) {
        fail(errno, true);
        return;
    }
    // Another user's file stays theirs where the process may do so (as root); where it may not, the
    // new file has this process's owner, as any file it makes has.
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        const int kept = ::fchown(m_fd, old.st_uid, old.st_gid);
        static_cast<void>(kept);
    }
}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::fail(int error, bool atOpen) {
    if (m_result) m_result = failure(error, m_path, atOpen);
    discard();
}

void FileReplacement::discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

bool FileReplacement::write(std::string_view bytes) {
    if (!m_result) return false;
    int error = 0;
    if (!writeAll(m_fd, bytes, error)) fail(error, false);
    return static_cast<bool>(m_result);
}

FileResult FileReplacement::commit() {
    if (!m_result) return m_result;
    if (::fsync(m_fd) != 0) {
        fail(errno, false);
        return m_result;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        fail(errno, false);
        return m_result;
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        fail(errno, false);
        return m_result;
    }
    m_temporary.clear();
    return m_result;
}

} // namespace pm::sys
