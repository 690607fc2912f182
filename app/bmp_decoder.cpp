// BMP files: every count and size of the headers is checked against the bytes there are.

#include "app/bmp_decoder.h"

#include "app/little_endian.h"

#include <cstring>

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

bool supportedDepth(unsigned bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The colours of the table: the colours-used field, or one per value of a depth up to 8 bits.
std::size_t tableColours(std::uint32_t used, unsigned bits) {
    if (used) return used;
    return bits <= 8 ? std::size_t{1} << bits : 0;
}

} // namespace

bool DecodeBmpFile(const unsigned char* data, std::size_t size, DecodedBitmap& picture) {
    if (!data || size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M') return false;
    const unsigned char* info = data + kFileHeader;
    const std::size_t rest = size - kFileHeader;
    if (ReadLe32(info) != kInfoHeader) return false;
    const auto width = static_cast<std::int32_t>(ReadLe32(info + 4));
    const auto height = static_cast<std::int32_t>(ReadLe32(info + 8));
    const unsigned bits = ReadLe16(info + 14);
    if (ReadLe16(info + 12) != 1 || !supportedDepth(bits) || ReadLe32(info + 16) != BI_RGB) return false;
    const std::size_t colours = tableColours(ReadLe32(info + 32), bits);
    if (colours > DecodedBitmap::kMaxColours || height == INT32_MIN) return false;
    const std::size_t pixelsAt = kInfoHeader + 4 * colours;
    if (pixelsAt > rest) return false;
    // Rows the file does not hold are refused before any memory is taken for them.
    if (!picture.Allocate(width, height, static_cast<int>(bits), static_cast<int>(colours), rest - pixelsAt))
        return false;
    for (std::size_t i = 0; i < colours; ++i) {
        const unsigned char* entry = info + kInfoHeader + 4 * i;
        picture.Colour(static_cast<int>(i)) = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }
    std::memcpy(picture.Pixels(), info + pixelsAt, picture.PixelBytes());
    return true;
}
