// Expands arbitrary bytes as a QZ10 stream, then compresses the same bytes and checks that they
// expand back unchanged.
#include "app/lzhuf_coder.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class MemorySource : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t n = size < m_size - m_pos ? size : m_size - m_pos;
        if (n) std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return n;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(const std::uint8_t* data, std::size_t size) override {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        MemorySource in(data, size);
        MemorySink out;
        LzhufCoder().Expand(in, size, out);
        // Every symbol takes at least a bit and yields at most 60 bytes.
        if (out.bytes.size() > size * 8 * 60) std::abort();
    }
    MemorySource in(data, size);
    MemorySink packed;
    if (LzhufCoder().Compress(in, static_cast<std::uint32_t>(size), packed) != LzhufCoder::Result::Ok)
        std::abort();
    MemorySource again(reinterpret_cast<const std::uint8_t*>(packed.bytes.data()), packed.bytes.size());
    MemorySink back;
    if (LzhufCoder().Expand(again, packed.bytes.size(), back) != LzhufCoder::Result::Ok) std::abort();
    if (back.bytes.size() != size || (size && std::memcmp(back.bytes.data(), data, size) != 0)) std::abort();
    return 0;
}
