#pragma once
// One registry hive kept in a file of the configuration folder and shared by every process of the
// user. Reads use a cached tree, re-read whenever the file changed; writes hold an exclusive lock
// on a companion lock file, start from the latest file, and replace it atomically, so concurrent
// writers in different processes lose nothing.

#include "platform/win/registry/registry_key.h"

#include <functional>
#include <mutex>
#include <string>
#include <sys/types.h>

namespace pm {

class Hive {
public:
    // fileName is the hive's file name inside the configuration folder.
    Hive(std::string fileName, bool readOnly) : m_fileName(std::move(fileName)), m_readOnly(readOnly) {}

    bool readOnly() const { return m_readOnly; }

    // Runs fn on the current content of the hive; returns fn's result.
    long read(const std::function<long(const RegistryKey& root)>& fn);

    // Runs fn on the current content under the lock; when fn sets changed, the hive is saved.
    // Returns fn's result, or failure if the hive could not be locked or saved.
    long write(const std::function<long(RegistryKey& root, bool& changed)>& fn, long failure);

private:
    struct Stamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified = 0;
        bool operator==(const Stamp& o) const {
            return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
                   modified == o.modified;
        }
    };

    std::string path() const;
    static Stamp stampOf(const std::string& path);
    // Reads the file again when it changed. False when it exists but could not be read: the tree
    // is then empty and must not be written over the file.
    bool refresh();

    std::string m_fileName;
    bool m_readOnly;
    std::mutex m_mutex;
    std::string m_loadedPath;
    Stamp m_stamp;
    bool m_readable = true;
    RegistryKey m_root;
};

} // namespace pm
