#pragma once
// The coder's source and sink over bytes in memory, for the coder's tests, benchmark and fuzz
// target.

#include "app/lzhuf_coder.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Reads bytes that stay where they are (they must outlive the source).
class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, std::size_t size)
        : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    explicit MemorySource(const std::string& data) : MemorySource(data.data(), data.size()) {}

    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Collects the bytes written; refuses a write that would take it past `limit` bytes.
class MemorySink : public ByteSink {
public:
    explicit MemorySink(std::size_t limit = std::string::npos) : m_limit(limit) {}

    bool Write(const std::uint8_t* data, std::size_t size) override;
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::size_t m_limit;
};
