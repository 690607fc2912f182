// Shown text from arbitrary bytes: every byte is accounted for, offsets stay in order, and the
// shown text survives a trip through UTF-8.
#include "platform/win/text_codec.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<int> offsets;
    QString shown = pm::decodeText(reinterpret_cast<const char*>(data), size, &offsets);
    if (offsets.size() != static_cast<std::size_t>(shown.size()) + 1) std::abort();
    if (offsets.back() != static_cast<int>(size)) std::abort();
    for (std::size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] < offsets[i - 1]) std::abort();
    if (pm::decodeText(pm::encodeText(shown)) != shown) std::abort();
    return 0;
}
