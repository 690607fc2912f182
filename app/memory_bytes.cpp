#include "app/memory_bytes.h"

#include <algorithm>
#include <cstring>

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
    std::size_t n = std::min(size, m_size - m_pos);
    if (n) std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

bool MemorySink::Write(const std::uint8_t* data, std::size_t size) {
    if (size > m_limit - m_bytes.size()) return false;
    m_bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
}
