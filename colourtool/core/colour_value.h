#pragma once
// Colour values of the colour tool: a 32-bit signed value red + 256 x green + 65536 x blue, its
// components, and the HTML notation "#RRGGBB" that every document-colour sample keeps.

#include <cstdint>
#include <optional>
#include <string>

namespace tintara {

using ColourValue = std::int32_t;

// Red, green and blue components, each 0-255 once clamped.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The components of a colour value: value And 255, (value \ 256) And 255, (value \ 65536) And 255,
// with \ truncating toward zero (so -1 gives red 255, green 0, blue 0).
int Globals_GetR(ColourValue colorref);
int Globals_GetG(ColourValue colorref);
int Globals_GetB(ColourValue colorref);

// The colour value of three components (each taken modulo 256, as the system's RGB does).
ColourValue colourValue(const Rgb& rgb);
Rgb rgbOf(ColourValue colorref);

// A component clamped to 0-255 (values below 0 give 0, above 255 give 255).
int clampComponent(long long component);
Rgb clamp(const Rgb& rgb);

// "#" and six upper-case hexadecimal digits RRGGBB of clamped components.
std::string htmlNotation(const Rgb& rgb);

// The components written in a sample's "#RRGGBB" notation: characters 2-3, 4-5 and 6-7, each read
// as a hexadecimal number (a missing or non-hexadecimal pair reads as far as it is hexadecimal).
Rgb rgbOfNotation(const std::string& notation);

// The colour picked at a pixel of a picture: none when the pixel lies outside it (the surface reads
// -1 there, which is no colour).
std::optional<Rgb> pickedColour(ColourValue pixel);

// The colour shown at x (0-255) of component slider `slider` (0 red, 1 green, 2 blue): the working
// colour with that slider's own component replaced by x.
ColourValue gradientColour(int slider, int x, const Rgb& working);

} // namespace tintara
