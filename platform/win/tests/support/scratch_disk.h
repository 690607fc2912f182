#pragma once
// A folder in which writing fails for every user, root included, for tests of what a failed write
// leaves behind. Where the process may mount file systems (root), the folder is a small tmpfs of its
// own: sealed, it is made read-only (ReadOnly) or filled to the last byte (Full). Elsewhere it is a
// plain folder and sealing caps the size of any file the process writes at one byte, so a write of
// more fails there too (EFBIG). Header only, for the tests of any folder.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace pm::test {

class ScratchDisk {
public:
    enum Kind { ReadOnly, Full };

    explicit ScratchDisk(Kind kind) : m_kind(kind) {
        std::string pattern = (std::filesystem::temp_directory_path() / "scratch-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        m_path = pattern;
        m_mounted =
            ::mount("tmpfs", m_path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k,mode=0755") == 0;
    }
    ~ScratchDisk() {
        unseal();
        if (m_path.empty()) return;
        if (m_mounted) ::umount2(m_path.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    bool mounted() const { return m_mounted; }

    // From now on writing in the folder fails.
    void seal() {
        if (m_sealed) return;
        m_sealed = true;
        if (m_mounted && m_kind == ReadOnly) {
            ::mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr);
            return;
        }
        if (m_mounted) {
            fill();
            return;
        }
        ::getrlimit(RLIMIT_FSIZE, &m_limit);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit one = m_limit;
        one.rlim_cur = 1;
        ::setrlimit(RLIMIT_FSIZE, &one);
    }

    // Writing works again (a read-only disk becomes writable, a full one keeps its filler).
    void unseal() {
        if (!m_sealed) return;
        m_sealed = false;
        if (m_mounted && m_kind == ReadOnly) {
            ::mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_NOSUID | MS_NODEV, nullptr);
            return;
        }
        if (m_mounted) {
            std::error_code ignored;
            std::filesystem::remove(file(".filler"), ignored);
            return;
        }
        ::setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_oldHandler);
    }

    // The names in the folder (a temporary file left behind shows here).
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ec))
            if (entry.path().filename() != ".filler") out.push_back(entry.path().filename().string());
        return out;
    }

private:
    void fill() {
        std::ofstream filler(file(".filler"), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
    }

    Kind m_kind;
    std::string m_path;
    bool m_mounted = false;
    bool m_sealed = false;
    rlimit m_limit{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

} // namespace pm::test
