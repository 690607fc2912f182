// Feeds arbitrary bytes to the PCX palette reader as a whole file, its header and its end as the
// palette file reads them: it must give colours or a refusal, within bounds.
#include "colourtool/core/palette.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string end = size >= tintara::kPcxHeaderBytes + tintara::kPcxEndPaletteBytes
                                ? file.substr(size - tintara::kPcxEndPaletteBytes)
                                : std::string();
    const tintara::PaletteResult result = tintara::readPcxPalette(file, end);
    if (result.ok && (result.colours.empty() || result.colours.size() > tintara::kMaxPaletteColours))
        std::abort();
    for (const tintara::Rgb& c : result.colours) {
        if (tintara::clamp(c) != c) std::abort();
    }
    return 0;
}
