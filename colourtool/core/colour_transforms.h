#pragma once
// Web-safe, negative and random colours.

#include "colourtool/core/colour_value.h"

#include <cstdint>
#include <random>

namespace tintara {

// 51 x the whole number nearest to c / 51.2, an exact half going to the even neighbour
// (0-25 give 0, 26-76 give 51, 77-128 give 102, 129-179 give 153, 180-230 give 204, 231-255 give 255).
int webSafe(int component);
Rgb webSafe(const Rgb& rgb);

// 255 - c.
int negative(int component);
Rgb negative(const Rgb& rgb);

// The whole-number part of unit x 256 for a unit in [0, 1): 0-255 with equal chance.
int randomComponent(double unit);

// Random colours from a generator seeded once (from the clock, or a given seed for tests).
class RandomColourSource {
public:
    RandomColourSource();
    explicit RandomColourSource(std::uint32_t seed);

    Rgb next();

private:
    std::mt19937 m_generator;
};

} // namespace tintara
