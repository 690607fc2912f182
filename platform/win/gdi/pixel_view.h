#pragma once
// A view of 32-bit pixels (0xAARRGGBB): where they are, how many pixels one line takes, and the
// width and height. It owns nothing; the owner keeps the pixels alive and in place.

#include <cstdint>

namespace pm::gdi {

struct PixelView {
    std::uint32_t* bits = nullptr;
    int stride = 0; // pixels from one line to the next
    int width = 0;
    int height = 0;

    bool empty() const { return !bits || width <= 0 || height <= 0; }
    std::uint32_t* line(int y) const { return bits + static_cast<long long>(y) * stride; }
    std::uint32_t pixel(int x, int y) const { return line(y)[x]; }
};

} // namespace pm::gdi
