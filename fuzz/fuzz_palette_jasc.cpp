// Feeds arbitrary bytes to the JASC-PAL text reader: it must give colours or a refusal, within bounds.
#include "colourtool/core/palette.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tintara::PaletteResult result =
        tintara::readJascPalette(std::string(reinterpret_cast<const char*>(data), size));
    if (result.ok && (result.colours.empty() || result.colours.size() > tintara::kMaxPaletteColours))
        std::abort();
    for (const tintara::Rgb& c : result.colours) {
        if (tintara::clamp(c) != c) std::abort();
    }
    return 0;
}
