// Files opened for reading, their times and sizes.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/winbase.h"

#include <cerrno>
#include <cstdint>
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

HANDLE CreateFile(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    if (access != GENERIC_READ || disposition != OPEN_EXISTING) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return INVALID_HANDLE_VALUE;
    }
    std::string path(fileName);
    for (char& c : path)
        if (c == '\\') c = '/';
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
