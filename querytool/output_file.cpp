#include "querytool/output_file.h"

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputFile::~OutputFile() {
    Close();
}

bool OutputFile::Create(const std::string& path) {
    Close();
    m_error = 0;
    m_file = std::make_unique<pm::sys::FileReplacement>(path);
    m_error = m_file->result().error;
    if (Failed()) m_file.reset();
    m_buffer.reserve(kBufferSize);
    return !Failed();
}

bool OutputFile::Write(std::string_view bytes) {
    if (!m_file || Failed()) return false;
    m_buffer.append(bytes.data(), bytes.size());
    return m_buffer.size() < kBufferSize || flush();
}

bool OutputFile::flush() {
    if (!m_file->write(m_buffer)) m_error = m_file->result().error;
    m_buffer.clear();
    return !Failed();
}

bool OutputFile::Close() {
    if (!m_file) return !Failed();
    if (!Failed() && flush()) m_error = m_file->commit().error;
    m_file.reset();
    return !Failed();
}
