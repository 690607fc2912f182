#include "colourtool/core/colour_transforms.h"

#include <chrono>
#include <cmath>

namespace tintara {

int webSafe(int component) {
    // c / 51.2 = 5c / 256: round the quotient half to even on the remainder.
    const int c = clampComponent(component);
    int steps = (5 * c) / 256;
    const int rest = (5 * c) % 256;
    if (rest > 128 || (rest == 128 && steps % 2 == 1)) ++steps;
    return 51 * steps;
}

Rgb webSafe(const Rgb& rgb) {
    return Rgb{webSafe(rgb.red), webSafe(rgb.green), webSafe(rgb.blue)};
}

int negative(int component) {
    return 255 - clampComponent(component);
}

Rgb negative(const Rgb& rgb) {
    return Rgb{negative(rgb.red), negative(rgb.green), negative(rgb.blue)};
}

int randomComponent(double unit) {
    if (!(unit >= 0.0)) return 0;
    return clampComponent(static_cast<long long>(std::floor(unit * 256.0)));
}

RandomColourSource::RandomColourSource()
    : m_generator(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

RandomColourSource::RandomColourSource(std::uint32_t seed) : m_generator(seed) {}

Rgb RandomColourSource::next() {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int red = randomComponent(unit(m_generator));
    const int green = randomComponent(unit(m_generator));
    const int blue = randomComponent(unit(m_generator));
    return Rgb{red, green, blue};
}

} // namespace tintara
