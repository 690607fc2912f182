#include "platform/win/registry/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pm {

namespace {

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a write to path really replaces: the target of a symbolic link, else path itself.
std::string writeTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& data) {
    data.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

bool replaceFile(const std::string& path, const std::string& data) {
    std::string target = writeTarget(path);
    std::string::size_type slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + (slash == std::string::npos ? "/." : ".") + name + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    struct stat old;
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    bool ok = writeAll(fd, data) && ::fchmod(fd, mode) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), target.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace pm
