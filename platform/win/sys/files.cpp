// Files opened for reading, their times and sizes.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/winbase.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pm::sys {
namespace {

class File final : public KernelObject {
public:
    explicit File(int fd) : m_fd(fd) {}
    ~File() override { ::close(m_fd); }
    int descriptor() const { return m_fd; }

private:
    int m_fd;
};

// Seconds from 1601-01-01 (the FILETIME epoch) to 1970-01-01.
constexpr std::uint64_t kEpochDifference = 11644473600ULL;

FILETIME fileTime(const timespec& t) {
    if (t.tv_sec < 0) return FILETIME{0, 0};
    const std::uint64_t ticks = (static_cast<std::uint64_t>(t.tv_sec) + kEpochDifference) * 10000000ULL +
                                static_cast<std::uint64_t>(t.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t ticksOf(const FILETIME& t) {
    return static_cast<std::uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

std::string nativePath(LPCSTR path) {
    std::string p(path ? path : "");
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

// Writes all of source's bytes to target; false on a read or write error.
bool copyBytes(int source, int target) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(target, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            done += put;
        }
    }
}

bool statOf(HANDLE file, struct stat& st) {
    std::shared_ptr<File> f = kernelObjectOf<File>(file);
    if (!f || ::fstat(f->descriptor(), &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

} // namespace
} // namespace pm::sys

using namespace pm::sys;

HANDLE CreateFile(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                  HANDLE) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    if (access != GENERIC_READ || disposition != OPEN_EXISTING) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = nativePath(fileName);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setFileError(errno, path.c_str());
        return INVALID_HANDLE_VALUE;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return addKernelObject(std::make_shared<File>(fd));
}

BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
    struct stat st {};
    if (!statOf(file, st)) return FALSE;
    // The status does not hold a creation time.
    if (creation) *creation = FILETIME{0, 0};
    if (lastAccess) *lastAccess = fileTime(st.st_atim);
    if (lastWrite) *lastWrite = fileTime(st.st_mtim);
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    struct stat st {};
    if (!statOf(file, st)) return INVALID_FILE_SIZE;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(size);
}

LONG CompareFileTime(const FILETIME* first, const FILETIME* second) {
    if (!first || !second) return 0;
    const std::uint64_t a = ticksOf(*first), b = ticksOf(*second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

BOOL CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
    const std::string from = nativePath(existingFileName), to = nativePath(newFileName);
    if (from.empty() || to.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    struct stat st {};
    if (failIfExists && ::stat(to.c_str(), &st) == 0) {
        SetLastError(ERROR_FILE_EXISTS);
        return FALSE;
    }
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        setFileError(errno, from.c_str());
        return FALSE;
    }
    if (::fstat(source, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(source);
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // The copy goes to a new file beside the target, which takes the target's name once complete.
    const std::string temp = to + ".~copy-" + std::to_string(::getpid());
    const int target = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777);
    if (target < 0) {
        const int error = errno;
        ::close(source);
        setFileError(error, to.c_str());
        return FALSE;
    }
    const bool copied = copyBytes(source, target) && ::fsync(target) == 0;
    ::close(source);
    const bool closed = ::close(target) == 0;
    if (!copied || !closed || std::rename(temp.c_str(), to.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        setFileError(error == 0 ? EIO : error, to.c_str());
        if (GetLastError() == ERROR_GEN_FAILURE) SetLastError(ERROR_WRITE_FAULT);
        return FALSE;
    }
    return TRUE;
}
