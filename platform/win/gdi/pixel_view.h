#pragma once
// A view of 32-bit pixels (0xAARRGGBB): where they are, how many pixels one line takes, and the
// width and height. It owns nothing; the owner keeps the pixels alive and in place. A PixelView
// may write its pixels; a ConstPixelView only reads them.

#include <cstdint>
#include <type_traits>

namespace pm::gdi {

template <class Pixel> struct BasicPixelView {
    Pixel* bits = nullptr;
    int stride = 0; // pixels from one line to the next
    int width = 0;
    int height = 0;

    BasicPixelView() = default;
    BasicPixelView(Pixel* bits_, int stride_, int width_, int height_)
        : bits(bits_), stride(stride_), width(width_), height(height_) {}
    // A view that writes is one that reads, too.
    template <class Other, class = std::enable_if_t<std::is_same_v<const Other, Pixel>>>
    BasicPixelView(const BasicPixelView<Other>& other)
        : bits(other.bits), stride(other.stride), width(other.width), height(other.height) {}

    bool empty() const { return !bits || width <= 0 || height <= 0; }
    Pixel* line(int y) const { return bits + static_cast<long long>(y) * stride; }
    std::uint32_t pixel(int x, int y) const { return line(y)[x]; }
};

using PixelView = BasicPixelView<std::uint32_t>;
using ConstPixelView = BasicPixelView<const std::uint32_t>;

} // namespace pm::gdi
