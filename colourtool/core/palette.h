#pragma once
// Palette files: JASC-PAL text, the global colour table of a GIF image and the palette of a PCX
// image (its 256 colours at the end of the file, or the 16 of its header). Each reader gives the
// colours or says why the file is refused; the format is chosen by the file name's extension,
// never by the contents.

#include "colourtool/core/colour_value.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tintara {

// Message box texts (error icon).
extern const char kUnknownPaletteFormat[]; // "Unknown palette format."
extern const char kDamagedPalette[];       // "The palette file is damaged: " and the reason
extern const char kInvalidCustomPalette[]; // "Invalid picture. All BMP pictures in the app directory ..."

// The import dialog.
extern const char kPaletteDialogTitle[];   // "Import file containing palette"
extern const char kPaletteFilterName[];    // "Files containing a palette."
extern const char kPaletteFilterPattern[]; // "*.PAL;*.GIF;*.PCX"

// The most colours a palette may hold.
constexpr std::size_t kMaxPaletteColours = 256;

enum class PaletteFormat { Unknown, Jasc, Gif, Pcx };

struct PaletteResult {
    bool ok = false;
    std::vector<Rgb> colours; // 1 to kMaxPaletteColours entries when ok
    std::string error;        // why the file was refused
    bool damaged = false;     // refused although its form was recognised: cut short or malformed
};

// The text the window shows for a refused file: kDamagedPalette with the reason for a damaged one,
// else kUnknownPaletteFormat.
std::string paletteRefusalText(const PaletteResult& result);

// The format by the name's last four characters, lower-cased: ".pal", ".gif", ".pcx".
PaletteFormat paletteFormatOf(const std::string& fileName);

// The readers, over the file's bytes (or a prefix of them).
PaletteResult readJascPalette(const std::string& bytes);
PaletteResult readGifPalette(const std::string& bytes);
// A PCX image: `header` holds the file's first bytes, `end` its last kPcxEndPaletteBytes (fewer, or
// the whole file, when it is shorter); a file of fewer than kPcxHeaderBytes + kPcxEndPaletteBytes
// bytes has no 256-colour palette.
constexpr std::size_t kPcxHeaderBytes = 128;
constexpr std::size_t kPcxEndPaletteBytes = 769;
PaletteResult readPcxPalette(const std::string& header, const std::string& end);

// Chooses the reader by the name and reads the file; refuses unknown extensions and unreadable files.
PaletteResult readPaletteFile(const std::string& path);

// Swatches of 10 x 10 pixels laid out row by row in a grid of ceil(sqrt(n)) columns, so every
// swatch is visible whether or not n is a perfect square.
struct PaletteGrid {
    static constexpr int kSwatch = 10;

    int columns = 0;
    int rows = 0;

    static PaletteGrid forCount(std::size_t count);
    int clientWidth() const { return columns * kSwatch; }
    int clientHeight() const { return rows * kSwatch; }
    int swatchLeft(std::size_t k) const { return static_cast<int>(k % columns) * kSwatch; }
    int swatchTop(std::size_t k) const { return static_cast<int>(k / columns) * kSwatch; }
};

// Custom palettes: the "*.bmp" files of a folder (any case), sorted by name.
std::vector<std::string> listCustomPalettes(const std::string& folder);

// Whether `bytes`, a BMP file of uncompressed pixels, ends before its last row of pixels (a file cut
// short, whose missing rows would show as black). Other files, whole or not BMP, give false.
bool isCutBitmap(const std::string& bytes);

// A custom palette's menu caption: the lower-cased name before its first ".", first character
// upper-cased ("my.palette.bmp" gives "My", "SUNSET.BMP" gives "Sunset").
std::string customPaletteCaption(const std::string& fileName);

} // namespace tintara
