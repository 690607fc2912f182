// Files opened for reading, their times and sizes, and copies.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/file_contents.h"

#include "platform/win/winbase.h"

#include <cstdint>
#include <string>

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

// A folder, a named pipe or a device is refused as Windows refuses a folder.
void setReadError(const FileResult& failure, const std::string& path) {
    if (failure.notRegular)
        SetLastError(ERROR_ACCESS_DENIED);
    else
        setFileError(failure.error, path.c_str());
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
    FileResult opened;
    const int fd = openFileForReading(path, opened);
    if (fd < 0) {
        setReadError(opened, path);
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
    const FileRead source = readFileContents(from);
    if (!source) {
        setReadError(source, from);
        return FALSE;
    }
    const FileResult copied = replaceFileContents(to, source.bytes);
    if (!copied) {
        if (copied.notRegular) {
            SetLastError(ERROR_ACCESS_DENIED);
        } else {
            setFileError(copied.error, to.c_str());
            if (GetLastError() == ERROR_GEN_FAILURE) SetLastError(ERROR_WRITE_FAULT);
        }
        return FALSE;
    }
    return TRUE;
}
