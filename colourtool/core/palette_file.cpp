#include "colourtool/core/palette.h"

#include "colourtool/core/file_io.h"
#include "colourtool/core/vb_text.h"

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

std::string customPaletteCaption(const std::string& fileName) {
    std::string caption = asciiLower(fileName.substr(0, fileName.find('.')));
    if (!caption.empty()) caption[0] = asciiUpper(caption[0]);
    return caption;
}

} // namespace tintara
