// PCX images: the lines are decoded as one stream of runs (a run may go on into the next line),
// into a line buffer of the header's size, then stored in the picture's depth.

#include "app/pcx_decoder.h"

#include "app/little_endian.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 128;
// How far after the image data the marker of a 256-colour palette is looked for.
constexpr std::size_t kPaletteSearch = 7424;
constexpr unsigned char kPaletteMarker = 12;
// A pair of bytes encodes at most 63 bytes.
constexpr std::size_t kLongestRun = 63;

struct Header {
    unsigned version;
    unsigned bits;
    unsigned planes;
    int width;
    int height;
    std::size_t bytesPerLine;
    const unsigned char* palette; // 16 red, green, blue triples
};

// The picture's depth for a layout, 0 for one not offered.
int depthOf(unsigned bits, unsigned planes) {
    if (bits == 1 && planes == 1) return 1;
    if ((bits == 1 && (planes == 3 || planes == 4)) || (bits == 4 && planes == 1)) return 4;
    if (bits == 8 && planes == 1) return 8;
    if (bits == 8 && planes == 3) return 24;
    return 0;
}

bool readHeader(const unsigned char* data, std::size_t size, Header& h) {
    if (size < kHeaderSize || data[0] != 10 || data[2] != 1) return false;
    h.version = data[1];
    h.bits = data[3];
    h.planes = data[65];
    h.width = ReadLe16(data + 8) - ReadLe16(data + 4) + 1;
    h.height = ReadLe16(data + 10) - ReadLe16(data + 6) + 1;
    h.bytesPerLine = ReadLe16(data + 66);
    h.palette = data + 16;
    const std::size_t bitsPerLine = static_cast<std::size_t>(h.width > 0 ? h.width : 0) * h.bits;
    return depthOf(h.bits, h.planes) != 0 && h.width >= 1 && h.height >= 1 &&
           h.bytesPerLine * 8 >= bitsPerLine;
}

// The encoded data as a stream of decoded bytes.
class RunReader {
public:
    RunReader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Next(unsigned char& out) {
        if (m_runLeft > 0) {
            --m_runLeft;
            out = m_runValue;
            return true;
        }
        while (m_pos < m_size) {
            const unsigned char b = m_data[m_pos++];
            if (b < 192) {
                out = b;
                return true;
            }
            if (m_pos >= m_size) return false;
            m_runValue = m_data[m_pos++];
            m_runLeft = b & 63;
            if (m_runLeft == 0) continue;
            --m_runLeft;
            out = m_runValue;
            return true;
        }
        return false;
    }
    bool Fill(std::vector<unsigned char>& line) {
        for (unsigned char& b : line)
            if (!Next(b)) return false;
        return true;
    }
    std::size_t Position() const { return m_pos; }

private:
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = kHeaderSize;
    unsigned m_runLeft = 0;
    unsigned char m_runValue = 0;
};

// Pixels of 1 bit in 3 or 4 planes become 4-bit pixels, bit n from plane n; with 3 planes the
// fourth bit is set when any plane has the pixel set.
void storePlanarPixels(const Header& h, const unsigned char* line, unsigned char* row) {
    for (int x = 0; x < h.width; ++x) {
        const std::size_t byte = static_cast<std::size_t>(x) / 8;
        const int bit = 7 - x % 8;
        unsigned value = 0;
        for (unsigned n = 0; n < h.planes; ++n)
            value |= ((line[n * h.bytesPerLine + byte] >> bit) & 1u) << n;
        if (h.planes == 3 && value) value |= 8;
        row[x / 2] |= static_cast<unsigned char>(x % 2 ? value : value << 4);
    }
}

// Three planes of red, green and blue become blue, green, red triples.
void storeRgbPixels(const Header& h, const unsigned char* line, unsigned char* row) {
    for (int x = 0; x < h.width; ++x) {
        const std::size_t at = static_cast<std::size_t>(x);
        row[3 * at] = line[2 * h.bytesPerLine + at];
        row[3 * at + 1] = line[h.bytesPerLine + at];
        row[3 * at + 2] = line[at];
    }
}

void storeLine(const Header& h, const std::vector<unsigned char>& line, unsigned char* row,
               std::size_t stride) {
    if (h.planes == 1) {
        std::memcpy(row, line.data(), std::min(stride, line.size()));
    } else if (h.bits == 1) {
        storePlanarPixels(h, line.data(), row);
    } else {
        storeRgbPixels(h, line.data(), row);
    }
}

void setColour(DecodedBitmap& picture, int index, const unsigned char* rgb) {
    picture.Colour(index) = RGBQUAD{rgb[2], rgb[1], rgb[0], 0};
}

const unsigned char kDefault16[16][3] = {
    {0, 0, 0},          {0, 0, 0x80},    {0, 0x80, 0},    {0, 0x80, 0x80},
    {0x80, 0, 0},       {0x80, 0, 0x80}, {0x80, 0x80, 0}, {0x80, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0}, {0, 0, 0xFF},    {0, 0xFF, 0},    {0, 0xFF, 0xFF},
    {0xFF, 0, 0},       {0xFF, 0, 0xFF}, {0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF},
};

// Files of versions 3 and 4 carry no palette.
bool hasNoPalette(const Header& h) {
    return h.version == 3 || h.version == 4;
}

void setSmallTable(const Header& h, DecodedBitmap& picture) {
    const int colours = picture.ColourCount();
    const bool sameTwo = colours == 2 && std::memcmp(h.palette, h.palette + 3, 3) == 0;
    if (!hasNoPalette(h) && !sameTwo) {
        for (int i = 0; i < colours; ++i)
            setColour(picture, i, h.palette + 3 * i);
        return;
    }
    static const unsigned char kBlackWhite[2][3] = {{0, 0, 0}, {0xFF, 0xFF, 0xFF}};
    for (int i = 0; i < colours; ++i)
        setColour(picture, i, colours == 2 ? kBlackWhite[i] : kDefault16[i]);
}

// The 768 bytes after the first marker byte within reach of the image data's end; a grey ramp
// when there is no such palette.
void setLargeTable(const unsigned char* data, std::size_t size, std::size_t end, DecodedBitmap& picture) {
    const unsigned char* last = data + std::min(size, end + kPaletteSearch);
    const unsigned char* marker = std::find(data + end, last, kPaletteMarker);
    const bool found = marker != last && static_cast<std::size_t>(data + size - marker) > 768;
    for (int i = 0; i < 256; ++i) {
        const unsigned char grey[3] = {static_cast<unsigned char>(i), static_cast<unsigned char>(i),
                                       static_cast<unsigned char>(i)};
        setColour(picture, i, found ? marker + 1 + 3 * i : grey);
    }
}

} // namespace

bool DecodePcx(const unsigned char* data, std::size_t size, DecodedBitmap& picture) {
    Header h{};
    if (!data || !readHeader(data, size, h)) return false;
    const std::size_t lineBytes = h.planes * h.bytesPerLine;
    // Refused before allocating: more lines than the encoded bytes could give.
    const std::size_t encoded = size - kHeaderSize;
    if (lineBytes * static_cast<std::size_t>(h.height) > (encoded / 2 + 1) * kLongestRun) return false;
    const int depth = depthOf(h.bits, h.planes);
    const int colours = depth == 1 ? 2 : depth == 4 ? 16 : depth == 8 ? 256 : 0;
    if (!picture.Allocate(h.width, h.height, depth, colours)) return false;
    RunReader reader(data, size);
    std::vector<unsigned char> line(lineBytes);
    for (int y = 0; y < h.height; ++y) {
        if (!reader.Fill(line)) return false;
        storeLine(h, line, picture.Line(y), picture.Stride());
    }
    if (colours == 256)
        setLargeTable(data, size, reader.Position(), picture);
    else if (colours)
        setSmallTable(h, picture);
    return true;
}
