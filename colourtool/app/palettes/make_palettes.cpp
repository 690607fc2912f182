// Writes the colour tool's custom palettes, 292 x 63 pixel 24-bit BMP pictures, into the folder named
// on the command line (the program folder). Each is a smooth blend between a few colours, so that
// every pixel is a colour worth picking.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 292;
constexpr int kHeight = 63;

struct Colour {
    int r, g, b;
};

Colour mix(const Colour& a, const Colour& b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return Colour{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

// Across: the stops blended in turn; down: from the blend towards `bottom`.
Colour at(const std::vector<Colour>& stops, const Colour& bottom, int x, int y) {
    double across = static_cast<double>(x) * (stops.size() - 1) / (kWidth - 1);
    std::size_t i = static_cast<std::size_t>(across);
    if (i >= stops.size() - 1) i = stops.size() - 2;
    Colour top = mix(stops[i], stops[i + 1], across - static_cast<double>(i));
    return mix(top, bottom, static_cast<double>(y) / (kHeight - 1) * 0.85);
}

void put(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool writeBmp(const std::string& path, const std::vector<Colour>& stops, const Colour& bottom) {
    const std::size_t rowBytes = (kWidth * 3 + 3) / 4 * 4;
    const std::size_t size = 54 + rowBytes * kHeight;
    std::string bytes(size, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, static_cast<std::uint32_t>(size), 4);
    put(bytes, 10, 54, 4);
    put(bytes, 14, 40, 4);
    put(bytes, 18, kWidth, 4);
    put(bytes, 22, kHeight, 4);
    put(bytes, 26, 1, 2);
    put(bytes, 28, 24, 2);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Colour c = at(stops, bottom, x, y);
            std::size_t p =
                54 + static_cast<std::size_t>(kHeight - 1 - y) * rowBytes + static_cast<std::size_t>(x) * 3;
            put(bytes, p, static_cast<std::uint32_t>(c.b), 1);
            put(bytes, p + 1, static_cast<std::uint32_t>(c.g), 1);
            put(bytes, p + 2, static_cast<std::uint32_t>(c.r), 1);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_palettes FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::vector<Colour> stops;
        Colour bottom;
    } palettes[] = {
        {"Sunset.bmp",
         {{255, 220, 120}, {250, 140, 60}, {220, 60, 80}, {120, 40, 120}, {40, 30, 90}},
         {0, 0, 0}},
        {"Ocean.bmp",
         {{220, 250, 255}, {100, 200, 230}, {20, 120, 190}, {10, 60, 130}, {0, 30, 60}},
         {0, 0, 0}},
        {"Earth.bmp",
         {{240, 225, 190}, {200, 160, 100}, {140, 100, 50}, {90, 120, 60}, {50, 70, 40}},
         {20, 15, 10}},
        {"Pastel.bmp",
         {{255, 200, 210}, {255, 240, 190}, {200, 240, 200}, {190, 220, 255}, {230, 200, 255}},
         {255, 255, 255}},
    };
    for (const auto& p : palettes) {
        if (!writeBmp(folder + "/" + p.name, p.stops, p.bottom)) {
            std::fprintf(stderr, "make_palettes: cannot write %s/%s\n", folder.c_str(), p.name);
            return 1;
        }
    }
    return 0;
}
