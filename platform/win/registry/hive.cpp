#include "platform/win/registry/hive.h"

#include "platform/win/registry/atomic_file.h"
#include "platform/win/registry/config_folder.h"
#include "platform/win/registry/hive_format.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pm {

namespace {

// An exclusive lock on a file, held for its lifetime.
class FileLock {
public:
    explicit FileLock(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace

std::string Hive::path() const {
    return configFolder() + "/" + fileName_;
}

Hive::Stamp Hive::stampOf(const std::string& path) {
    Stamp s;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}

bool Hive::refresh() {
    std::string current = path();
    Stamp now = stampOf(current);
    if (current == loadedPath_ && now == stamp_) return readable_;
    // The stamp is taken before reading: a replacement during the read shows as a change next time.
    root_ = RegistryKey();
    std::string text;
    readable_ = !now.exists || readWholeFile(current, text);
    if (readable_) readHive(text, root_);
    loadedPath_ = current;
    stamp_ = now;
    return readable_;
}

long Hive::read(const std::function<long(const RegistryKey& root)>& fn) {
    std::lock_guard<std::mutex> guard(mutex_);
    refresh();
    return fn(root_);
}

long Hive::write(const std::function<long(RegistryKey& root, bool& changed)>& fn, long failure) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (readOnly_ || !makeFolders(configFolder())) return failure;
    std::string file = path();
    FileLock lock(file + ".lock");
    if (!lock.locked() || !refresh()) return failure;
    bool changed = false;
    long result = fn(root_, changed);
    if (!changed) return result;
    if (!replaceFile(file, writeHive(root_))) {
        stamp_ = Stamp(); // the tree holds an unsaved change: read the file again next time
        loadedPath_.clear();
        return failure;
    }
    stamp_ = stampOf(file);
    return result;
}

} // namespace pm
