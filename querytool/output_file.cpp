#include "querytool/output_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputFile::~OutputFile() {
    Close();
}

bool OutputFile::Create(const std::string& path) {
    Close();
    m_error = 0;
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) m_error = errno;
    m_buffer.reserve(kBufferSize);
    return m_fd >= 0;
}

bool OutputFile::Write(std::string_view bytes) {
    if (m_fd < 0 || Failed()) return false;
    m_buffer.append(bytes.data(), bytes.size());
    return m_buffer.size() < kBufferSize || flush();
}

bool OutputFile::flush() {
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t written = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            m_error = written < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    m_buffer.clear();
    return !Failed();
}

bool OutputFile::Close() {
    if (m_fd < 0) return !Failed();
    if (!Failed()) flush();
    if (::close(m_fd) != 0 && !Failed()) m_error = errno;
    m_fd = -1;
    return !Failed();
}
