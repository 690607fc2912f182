#include "colourtool/core/colour_value.h"

#include "colourtool/core/vb_text.h"

namespace tintara {

int Globals_GetR(ColourValue colorref) {
    return colorref & 255;
}

// C++ integer division truncates toward zero, as the tool's \ operator does.
int Globals_GetG(ColourValue colorref) {
    return (colorref / 256) & 255;
}

int Globals_GetB(ColourValue colorref) {
    return (colorref / 65536) & 255;
}

ColourValue colourValue(const Rgb& rgb) {
    return (rgb.red & 255) | ((rgb.green & 255) << 8) | ((rgb.blue & 255) << 16);
}

Rgb rgbOf(ColourValue colorref) {
    return Rgb{Globals_GetR(colorref), Globals_GetG(colorref), Globals_GetB(colorref)};
}

int clampComponent(long long component) {
    if (component < 0) return 0;
    if (component > 255) return 255;
    return static_cast<int>(component);
}

Rgb clamp(const Rgb& rgb) {
    return Rgb{clampComponent(rgb.red), clampComponent(rgb.green), clampComponent(rgb.blue)};
}

std::string htmlNotation(const Rgb& rgb) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int component : {rgb.red, rgb.green, rgb.blue}) {
        const int c = clampComponent(component);
        text += digits[c / 16];
        text += digits[c % 16];
    }
    return text;
}

Rgb rgbOfNotation(const std::string& notation) {
    auto pair = [&](std::size_t at) { return at < notation.size() ? hexValue(notation.substr(at, 2)) : 0; };
    return Rgb{pair(1), pair(3), pair(5)};
}

std::optional<Rgb> pickedColour(ColourValue pixel) {
    if (pixel < 0 || pixel > 0xFFFFFF) return std::nullopt;
    return rgbOf(pixel);
}

ColourValue gradientColour(int slider, int x, const Rgb& working) {
    Rgb shown = working;
    if (slider == 0) shown.red = x;
    if (slider == 1) shown.green = x;
    if (slider == 2) shown.blue = x;
    return colourValue(clamp(shown));
}

} // namespace tintara
