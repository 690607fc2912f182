#include "querytool/app/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, int& errorCode, bool& createFailed) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    createFailed = fd < 0;
    if (createFailed) {
        errorCode = errno;
        return false;
    }
    struct stat old;
    fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    errorCode = written ? 0 : errno;
    if (::close(fd) != 0 && written) errorCode = errno;
    if (errorCode == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) errorCode = errno;
    if (errorCode == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool CreateNewFileBytes(const std::string& path, const std::string& bytes, int& errorCode,
                        bool& createFailed) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    createFailed = fd < 0;
    if (createFailed) {
        errorCode = errno;
        return false;
    }
    const bool written = writeAll(fd, bytes);
    errorCode = written ? 0 : errno;
    ::close(fd);
    return written;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, int& errorCode, bool& openFailed) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    openFailed = fd < 0;
    if (openFailed) {
        errorCode = errno;
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            errorCode = errno;
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}
