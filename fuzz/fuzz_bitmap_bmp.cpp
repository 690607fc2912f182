// Feeds arbitrary bytes to the BMP file reader: a picture whose sizes agree, or a refusal.
#include "app/bmp_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedBitmap picture;
    if (!DecodeBmpFile(data, size, picture)) return 0;
    const BITMAPINFOHEADER& h = picture.Header();
    if (picture.ColourCount() > DecodedBitmap::kMaxColours) std::abort();
    if (picture.PixelBytes() != picture.Stride() * static_cast<std::size_t>(picture.Height())) std::abort();
    if (picture.Stride() * 8 < static_cast<std::size_t>(h.biWidth) * h.biBitCount) std::abort();
    // Every stored byte is read, so that a row outside the picture shows.
    unsigned sum = 0;
    for (int y = 0; y < picture.Height(); ++y)
        sum += picture.Line(y)[picture.Stride() - 1];
    return static_cast<int>(sum & 0);
}
