#include "colourtool/core/palette.h"

#include <cmath>
#include <optional>

namespace tintara {

namespace {

PaletteResult refused(std::string why) {
    PaletteResult result;
    result.error = std::move(why);
    return result;
}

// A file of a recognised form that is cut short or malformed.
PaletteResult damaged(std::string why) {
    PaletteResult result = refused(std::move(why));
    result.damaged = true;
    return result;
}

PaletteResult accepted(std::vector<Rgb> colours) {
    PaletteResult result;
    result.ok = true;
    result.colours = std::move(colours);
    return result;
}

// Splits off the next line (LF or CR LF ended); false at the end of the text.
bool nextLine(const std::string& text, std::size_t& pos, std::string& line) {
    if (pos >= text.size()) return false;
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads digits at `pos` into `value` (saturating at `cap`); returns how many there were.
std::size_t readDigits(const std::string& text, std::size_t& pos, double& value, double cap) {
    std::size_t count = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++count) {
        value = std::min(value * 10 + (text[pos] - '0'), cap);
    }
    return count;
}

// A colour field: a decimal number (sign, fraction and exponent allowed), rounded down and clamped
// to 0-255. None when the field is not a number.
std::optional<int> componentOfField(const std::string& field) {
    std::size_t pos = 0;
    const bool minus = pos < field.size() && field[pos] == '-';
    if (pos < field.size() && (field[pos] == '-' || field[pos] == '+')) ++pos;
    double value = 0;
    std::size_t digits = readDigits(field, pos, value, 1e300);
    if (pos < field.size() && field[pos] == '.') {
        ++pos;
        double fraction = 0, scale = 1;
        for (; pos < field.size() && isDigit(field[pos]); ++pos, ++digits) {
            if (scale > 1e-300) fraction += (field[pos] - '0') * (scale /= 10);
        }
        value += fraction;
    }
    if (digits == 0) return std::nullopt;
    if (pos < field.size() && (field[pos] == 'e' || field[pos] == 'E')) {
        ++pos;
        const bool negativeExponent = pos < field.size() && field[pos] == '-';
        if (pos < field.size() && (field[pos] == '-' || field[pos] == '+')) ++pos;
        double exponent = 0;
        if (readDigits(field, pos, exponent, 1000) == 0) return std::nullopt;
        value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
    }
    if (pos != field.size()) return std::nullopt;
    const double signedValue = minus ? -value : value;
    if (!(signedValue >= 0)) return 0;
    if (signedValue >= 255) return 255;
    return static_cast<int>(std::floor(signedValue));
}

// The colour count line: a whole number 1 to kMaxPaletteColours, blanks around it allowed.
std::optional<std::size_t> colourCount(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = line.find_last_not_of(" \t");
    std::size_t pos = first;
    double value = 0;
    if (readDigits(line, pos, value, 1e9) == 0 || pos != last + 1) return std::nullopt;
    if (value < 1 || value > kMaxPaletteColours) return std::nullopt;
    return static_cast<std::size_t>(value);
}

// A colour line: fields split at every single space; the first three are red, green and blue.
std::optional<Rgb> colourLine(const std::string& line) {
    int components[3];
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        if (pos > line.size()) return std::nullopt;
        std::size_t end = line.find(' ', pos);
        if (end == std::string::npos) end = line.size();
        const std::optional<int> value = componentOfField(line.substr(pos, end - pos));
        if (!value) return std::nullopt;
        components[i] = *value;
        pos = end + 1;
    }
    return Rgb{components[0], components[1], components[2]};
}

std::string lineNumber(std::size_t n) {
    return "line " + std::to_string(n) + ": ";
}

Rgb tripleAt(const std::string& bytes, std::size_t at) {
    return Rgb{static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1]),
               static_cast<unsigned char>(bytes[at + 2])};
}

std::vector<Rgb> triples(const std::string& bytes, std::size_t at, std::size_t count) {
    std::vector<Rgb> colours;
    colours.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        colours.push_back(tripleAt(bytes, at + 3 * k));
    return colours;
}

} // namespace

PaletteResult readJascPalette(const std::string& bytes) {
    std::size_t pos = 0;
    std::string line;
    if (!nextLine(bytes, pos, line) || line != "JASC-PAL") return refused("line 1 is not \"JASC-PAL\"");
    if (!nextLine(bytes, pos, line)) return damaged("no version line");
    if (!nextLine(bytes, pos, line)) return damaged("no colour count");
    const std::optional<std::size_t> count = colourCount(line);
    if (!count) return damaged(lineNumber(3) + "the colour count is not a number from 1 to 256");
    std::vector<Rgb> colours;
    colours.reserve(*count);
    for (std::size_t k = 0; k < *count; ++k) {
        if (!nextLine(bytes, pos, line))
            return damaged("the file ends after " + std::to_string(k) + " colours");
        const std::optional<Rgb> colour = colourLine(line);
        if (!colour) return damaged(lineNumber(k + 4) + "not three numbers separated by spaces");
        colours.push_back(*colour);
    }
    return accepted(std::move(colours));
}

PaletteResult readGifPalette(const std::string& bytes) {
    if (bytes.compare(0, 3, "GIF") != 0) return refused("the file does not begin with \"GIF\"");
    if (bytes.size() < 13) return damaged("the file ends inside its screen descriptor");
    const unsigned packed = static_cast<unsigned char>(bytes[10]);
    if ((packed & 0x80u) == 0) return refused("the image has no global colour table");
    const std::size_t count = std::size_t{2} << (packed & 7u);
    if (bytes.size() < 13 + 3 * count) return damaged("the file ends inside its global colour table");
    return accepted(triples(bytes, 13, count));
}

PaletteResult readPcxPalette(const std::string& header, const std::string& end) {
    if (header.size() < 64) return damaged("the file ends inside its header palette");
    // An image of one plane of 8 bits a pixel keeps its 256 colours after a marker byte 12 that
    // starts the file's last 769 bytes; the header holds only the first 16.
    const bool eightBits = header.size() >= kPcxHeaderBytes && header[3] == 8 && header[65] == 1;
    if (eightBits && end.size() == kPcxEndPaletteBytes && end[0] == 12) return accepted(triples(end, 1, 256));
    return accepted(triples(header, 16, 16));
}

} // namespace tintara
