// Expands arbitrary bytes as a QZ10 stream, then compresses the same bytes and checks that they
// expand back unchanged.
#include "app/lzhuf_coder.h"
#include "app/memory_bytes.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        MemorySource in(data, size);
        MemorySink out;
        LzhufCoder().Expand(in, size, out);
        // Every symbol takes at least a bit and yields at most 60 bytes.
        if (out.bytes().size() > size * 8 * 60) std::abort();
    }
    MemorySource in(data, size);
    MemorySink packed;
    if (LzhufCoder().Compress(in, static_cast<std::uint32_t>(size), packed) != LzhufCoder::Result::Ok)
        std::abort();
    MemorySource again(packed.bytes());
    MemorySink back;
    if (LzhufCoder().Expand(again, packed.bytes().size(), back) != LzhufCoder::Result::Ok) std::abort();
    if (back.bytes().size() != size || (size && std::memcmp(back.bytes().data(), data, size) != 0))
        std::abort();
    return 0;
}
