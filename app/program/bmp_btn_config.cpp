// Reading the bitmap button's configuration.

#include "app/program/bmp_btn_config.h"

#include "app/program/dialog_images.h"
#include "app/program/editor_globals.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kMaxText = 255;
constexpr std::size_t kMaxDisabledText = 7;

// A digit read as the character's value less that of "0", as the language has it.
int digit(char c) {
    return c - '0';
}

int number(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

char first(const std::string& value) {
    return value.empty() ? '\0' : value[0];
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// "R" red "G" green "B" blue in decimal, or a colour digit.
COLORREF faceColour(const std::string& value) {
    const std::size_t g = value.find('G');
    const std::size_t b = value.find('B');
    if (first(value) != 'R' || g == std::string::npos || b == std::string::npos || b < g)
        return BmpBtnColourDigit(first(value));
    const int red = number(value.substr(1, g - 1));
    const int green = number(value.substr(g + 1, b - g - 1));
    const int blue = number(value.substr(b + 1));
    return RGB(red, green, blue);
}

// "D" and four digits: the outer bevel, the gap, the inner bevel and the black frame.
void frameStyle(const std::string& value, BmpBtnConfig& config) {
    config.frameStyle = first(value);
    if (config.frameStyle != 'D') return;
    const BmpBtnField fields[] = {kOuterBevel, kBevelGap, kInnerBevel, kBlackFrame};
    for (std::size_t i = 0; i < 4 && i + 1 < value.size(); ++i)
        config.look[fields[i]] = digit(value[i + 1]);
}

// A letter, or "S", a character c and a digit n: an auto-repeat button with the images of c and an
// interval of n tenths of a second.
void kind(const std::string& value, BmpBtnConfig& config) {
    config.kind = first(value);
    if (config.kind != 'S' || value.size() < 2) return;
    const std::string images = std::string("=s") + value[1];
    config.upImage = images;
    config.downImage = images + "H";
    config.otherImage = images + "D";
    if (value.size() >= 3) config.repeatDigit = value[2];
}

// A string resource: six colour digits (fields 0 to 5), then after commas fields 6 and 7, a colour
// digit for field 8 and fields 9 to 14 as numbers.
void colourScheme(const std::string& value, BmpBtnConfig& config) {
    const std::vector<std::string> parts =
        split(static_cast<const char*>(ResourceString(static_cast<UINT>(number(value)))), ',');
    if (parts.empty()) return;
    for (std::size_t i = 0; i < 6 && i < parts[0].size(); ++i)
        config.look.fields[i] = static_cast<int>(BmpBtnColourDigit(parts[0][i]));
    for (std::size_t i = 1; i < parts.size() && i <= 9; ++i) {
        const std::size_t field = i + 5;
        config.look.fields[field] = field == kTextShadowColour
                                        ? static_cast<int>(BmpBtnColourDigit(first(parts[i])))
                                        : number(parts[i]);
    }
}

// "index#value": one field of the record.
void oneField(const std::string& value, BmpBtnConfig& config) {
    const std::size_t hash = value.find('#');
    if (hash == std::string::npos) return;
    const int index = number(value.substr(0, hash));
    const std::string text = value.substr(hash + 1);
    if (index == kNumberFields) {
        config.look.disabledText = text.substr(0, kMaxDisabledText);
        return;
    }
    if (index < 0 || index > kNumberFields - 1) return;
    const bool colour =
        index <= kInnerShadow || index == kTextShadowColour || (index == kTextColour && text.size() == 1);
    config.look.fields[static_cast<std::size_t>(index)] =
        colour ? static_cast<int>(BmpBtnColourDigit(first(text))) : number(text);
}

void setFirstDisabledCharacter(char c, BmpBtnConfig& config) {
    if (config.look.disabledText.empty())
        config.look.disabledText = std::string(1, c);
    else
        config.look.disabledText[0] = c;
}

// A check or radio button: images of the optional module, no bevel, left-aligned, the caption
// 19 pixels in.
void checkLike(BmpBtnConfig& config, char kindLetter, const char* up, const char* down, const char* other) {
    config.kind = kindLetter;
    config.upImage = up;
    config.downImage = down;
    config.otherImage = other;
    config.look[kOuterBevel] = 0;
    config.imageAlign = 'L';
    config.textAlign = 'L';
    config.look[kTextX] = 19;
}

void preset(char letter, BmpBtnConfig& config) {
    switch (letter) {
    case 'B':
    case 'G':
        config.frameStyle = 'R';
        config.textAlign = 'G';
        config.look.disabledText = letter == 'B' ? "C" : "0";
        break;
    case 'C':
    case 'T':
        checkLike(config, 'C', "=C", letter == 'C' ? "=T" : "=F", "=L");
        break;
    case 'R':
        checkLike(config, 'R', "=U", "=D", "=P");
        break;
    case 'H':
    case 'P':
        config.tile = '1';
        config.otherImage = letter == 'H' ? kHatchPattern : kDotPattern;
        break;
    case 'L':
        config.look[kOuterBevel] = 0;
        config.look[kBlackFrame] = 0;
        config.textAlign = 'L';
        config.look.disabledText = "0";
        break;
    case 'V':
        config.frameStyle = 'D';
        config.look[kOuterBevel] = config.look[kInnerBevel] = config.look[kBevelGap] = 1;
        config.look[kBlackFrame] = 0;
        break;
    default:
        break;
    }
}

void applyItem(char code, const std::string& value, BmpBtnConfig& config) {
    switch (code) {
    case 'C':
        config.caption = value;
        break;
    case 'U':
        config.upImage = value;
        break;
    case 'D':
        config.downImage = value;
        break;
    case 'P':
        config.otherImage = value;
        break;
    case 'R':
        config.hoverImage = value;
        break;
    case 'F':
        config.font = value == "D" ? "16,0,0,Arial" : value == "d" ? "-11,0,0,Arial" : value;
        break;
    case 'J':
        config.textAlign = first(value);
        break;
    case 'B':
        config.imageAlign = first(value);
        break;
    case 'S':
        frameStyle(value, config);
        break;
    case 'N':
        config.tile = first(value);
        break;
    case 'T':
        kind(value, config);
        break;
    case 'L':
        if (!value.empty()) config.look[kOuterBevel] = digit(value[0]);
        break;
    case 'O':
        if (!value.empty()) config.look[kBlackFrame] = digit(value[0]);
        break;
    case 'W':
        config.look[kFaceColour] = static_cast<int>(faceColour(value));
        break;
    case 'c':
        colourScheme(value, config);
        break;
    case 'f':
        oneField(value, config);
        break;
    case 'o':
        config.look[kShadowX] = config.look[kShadowY] = number(value);
        break;
    case 'd':
        if (!value.empty()) setFirstDisabledCharacter(value[0], config);
        break;
    case 's':
        preset(first(value), config);
        break;
    case 'u':
        config.cursor = value;
        break;
    case 'w':
        config.sound = value + ".wav";
        break;
    default:
        break;
    }
}

} // namespace

COLORREF BmpBtnColourDigit(char digitChar) {
    static const COLORREF kColours[] = {
        RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
        RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0),
        RGB(0, 255, 0),   RGB(255, 255, 0), RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255)};
    static const char kDigits[] = "0123456789ABCDE";
    if (digitChar == 'G') return 0x02F0CAA6;
    const char* at = digitChar ? std::strchr(kDigits, digitChar) : nullptr;
    return at ? kColours[at - kDigits] : RGB(255, 255, 255);
}

BmpBtnConfig ParseBmpBtnConfig(const std::string& text) {
    const std::string window = text.substr(0, kMaxText);
    BmpBtnConfig config;
    if (window.find(':') == std::string::npos) {
        config.caption = window;
        return config;
    }
    for (const std::string& item : split(window, '~')) {
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos || colon == 0) continue;
        applyItem(item[0], item.substr(colon + 1), config);
    }
    return config;
}

LOGFONT BmpBtnFont(const std::string& font) {
    LOGFONT lf{};
    const std::vector<std::string> parts = split(font, ',');
    if (parts.size() > 0) lf.lfHeight = number(parts[0]);
    if (parts.size() > 1) lf.lfWeight = number(parts[1]) == 0 ? FW_DONTCARE : FW_BOLD;
    if (parts.size() > 2) lf.lfItalic = static_cast<BYTE>(number(parts[2]) != 0);
    if (parts.size() > 3) std::strncpy(lf.lfFaceName, parts[3].c_str(), sizeof lf.lfFaceName - 1);
    return lf;
}
