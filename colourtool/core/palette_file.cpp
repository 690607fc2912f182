#include "colourtool/core/palette.h"

#include "colourtool/core/file_io.h"
#include "colourtool/core/vb_text.h"

#include <cstdint>
#include <cstdlib>

namespace tintara {

const char kUnknownPaletteFormat[] = "Unknown palette format.";
const char kDamagedPalette[] = "The palette file is damaged: ";
const char kInvalidCustomPalette[] = "Invalid picture. All BMP pictures in the app directory are shown here.";
const char kPaletteDialogTitle[] = "Import file containing palette";
const char kPaletteFilterName[] = "Files containing a palette.";
const char kPaletteFilterPattern[] = "*.PAL;*.GIF;*.PCX";

namespace {

// More than any palette needs: a JASC-PAL file of 256 colours is about 3 KB, and the GIF and PCX
// header palettes lie in the first 781 and 64 bytes (a PCX file's 256 colours are read from its end).
constexpr std::size_t kPaletteReadLimit = 1 << 20;

} // namespace

PaletteFormat paletteFormatOf(const std::string& fileName) {
    if (fileName.size() < 4) return PaletteFormat::Unknown;
    const std::string ending = asciiLower(fileName.substr(fileName.size() - 4));
    if (ending == ".pal") return PaletteFormat::Jasc;
    if (ending == ".gif") return PaletteFormat::Gif;
    if (ending == ".pcx") return PaletteFormat::Pcx;
    return PaletteFormat::Unknown;
}

PaletteResult readPaletteFile(const std::string& path) {
    const PaletteFormat format = paletteFormatOf(path);
    PaletteResult result;
    if (format == PaletteFormat::Unknown) {
        result.error = "the name does not end in .pal, .gif or .pcx";
        return result;
    }
    const FileRead file = readFilePrefix(path, kPaletteReadLimit);
    if (file.status != ReadStatus::Ok) {
        result.error = file.error;
        return result;
    }
    if (format == PaletteFormat::Jasc) return readJascPalette(file.bytes);
    if (format == PaletteFormat::Gif) return readGifPalette(file.bytes);
    FileRead end = readFileSuffix(path, kPcxEndPaletteBytes);
    if (end.status != ReadStatus::Ok || file.bytes.size() < kPcxHeaderBytes + kPcxEndPaletteBytes)
        end.bytes.clear();
    return readPcxPalette(file.bytes, end.bytes);
}

std::string paletteRefusalText(const PaletteResult& result) {
    if (!result.damaged) return kUnknownPaletteFormat;
    return kDamagedPalette + result.error + ".";
}

PaletteGrid PaletteGrid::forCount(std::size_t count) {
    PaletteGrid grid;
    grid.columns = 1;
    while (static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.columns) < count)
        ++grid.columns;
    grid.rows = static_cast<int>((count + grid.columns - 1) / grid.columns);
    return grid;
}

std::vector<std::string> listCustomPalettes(const std::string& folder) {
    return listFilesWithExtension(folder, ".bmp");
}

namespace {

std::int64_t littleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return size == 4 ? static_cast<std::int32_t>(value) : static_cast<std::int64_t>(value);
}

} // namespace

bool isCutBitmap(const std::string& bytes) {
    constexpr std::int64_t kCoreHeader = 12, kInfoHeader = 40, kRgb = 0, kBitFields = 3;
    if (bytes.compare(0, 2, "BM") != 0 || bytes.size() < 26) return false;
    const std::int64_t header = littleEndian(bytes, 14, 4);
    const bool core = header == kCoreHeader;
    if (!core && (header < kInfoHeader || bytes.size() < 54)) return false;
    const std::int64_t width = littleEndian(bytes, 18, core ? 2 : 4);
    const std::int64_t height = std::abs(littleEndian(bytes, core ? 20 : 22, core ? 2 : 4));
    const std::int64_t bits = littleEndian(bytes, core ? 24 : 28, 2);
    const std::int64_t compression = core ? kRgb : littleEndian(bytes, 30, 4);
    if ((compression != kRgb && compression != kBitFields) || width <= 0 || bits <= 0 || bits > 32)
        return false;
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return littleEndian(bytes, 10, 4) + rowBytes * height > static_cast<std::int64_t>(bytes.size());
}

std::string customPaletteCaption(const std::string& fileName) {
    std::string caption = asciiLower(fileName.substr(0, fileName.find('.')));
    if (!caption.empty()) caption[0] = asciiUpper(caption[0]);
    return caption;
}

} // namespace tintara
