// Feeds arbitrary bytes to the PCX image reader: a picture whose sizes agree, or a refusal, without
// ever re-reading the same data endlessly.
#include "app/pcx_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedBitmap picture;
    if (!DecodePcx(data, size, picture)) return 0;
    const BITMAPINFOHEADER& h = picture.Header();
    const int depth = h.biBitCount;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) std::abort();
    if (picture.ColourCount() != (depth == 24 ? 0 : 1 << depth)) std::abort();
    if (picture.PixelBytes() != picture.Stride() * static_cast<std::size_t>(picture.Height())) std::abort();
    // A pair of encoded bytes gives at most 63 decoded ones.
    if (picture.PixelBytes() > (size / 2 + 1) * 63 * 4) std::abort();
    unsigned sum = 0;
    for (int y = 0; y < picture.Height(); ++y)
        sum += picture.Line(y)[picture.Stride() - 1];
    return static_cast<int>(sum & 0);
}
