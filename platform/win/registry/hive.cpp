#include "platform/win/registry/hive.h"

#include "platform/win/file_contents.h"

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
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) return;
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(m_fd);
            m_fd = -1;
            return;
        }
    }
    ~FileLock() {
        if (m_fd >= 0) ::close(m_fd); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace

std::string Hive::path() const {
    return configFolder() + "/" + m_fileName;
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
    if (current == m_loadedPath && now == m_stamp) return m_readable;
    // The stamp is taken before reading: a replacement during the read shows as a change next time.
    m_root = RegistryKey();
    sys::FileRead file;
    if (now.exists) file = sys::readFileContents(current);
    m_readable = static_cast<bool>(file);
    if (m_readable) readHive(file.bytes, m_root);
    m_loadedPath = current;
    m_stamp = now;
    return m_readable;
}

long Hive::read(const std::function<long(const RegistryKey& root)>& fn) {
    std::lock_guard<std::mutex> guard(m_mutex);
    refresh();
    return fn(m_root);
}

long Hive::write(const std::function<long(RegistryKey& root, bool& changed)>& fn, long failure) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_readOnly || !makeFolders(configFolder())) return failure;
    std::string file = path();
    FileLock lock(file + ".lock");
    if (!lock.locked() || !refresh()) return failure;
    bool changed = false;
    long result = fn(m_root, changed);
    if (!changed) return result;
    if (!sys::replaceFileContents(file, writeHive(m_root))) {
        m_stamp = Stamp(); // the tree holds an unsaved change: read the file again next time
        m_loadedPath.clear();
        return failure;
    }
    m_stamp = stampOf(file);
    return result;
}

} // namespace pm
