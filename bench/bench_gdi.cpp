// GDI on the paths windows paint every time: filling a window-sized rectangle, copying it from a
// memory bitmap, an XOR pattern over it, and lines of text. Fills and copies are printed as ratios
// to the same number of pixels written with std::fill or std::memcpy in the same run; text drawing
// as a ratio to measuring the same text.
#include "platform/win/windows.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 1280, kHeight = 1024, kRounds = 50;
volatile std::uint32_t g_sink;

template <class F> double seconds(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(const char* name, double ours, double baseline) {
    std::printf("%-44s %8.4f s  baseline %8.4f s  ratio %6.2f\n", name, ours, baseline, ours / baseline);
}

struct Surface {
    Surface() {
        HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        DeleteDC(screen);
        old = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

void fills(Surface& s, std::vector<std::uint32_t>& pixels) {
    RECT all{0, 0, kWidth, kHeight};
    const double ours = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            FillRect(s.dc, &all, GetSysColorBrush(i % 2 ? COLOR_BTNFACE : COLOR_WINDOW));
    });
    const double base = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            std::fill(pixels.begin(), pixels.end(), i % 2 ? 0xFFC0C0C0u : 0xFFFFFFFFu);
        g_sink = pixels[7];
    });
    report("FillRect of 1280 x 1024, 50 times", ours, base);
}

void copies(Surface& s, Surface& t, std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint32_t> other(pixels.size(), 1);
    const double ours = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            BitBlt(t.dc, 0, 0, kWidth, kHeight, s.dc, 0, 0, SRCCOPY);
    });
    const double base = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            std::memcpy(other.data(), pixels.data(), pixels.size() * 4);
        g_sink = other[9];
    });
    report("BitBlt SRCCOPY of 1280 x 1024, 50 times", ours, base);
}

void patterns(Surface& s, std::vector<std::uint32_t>& pixels) {
    HBRUSH half = CreateHalftoneBrush();
    HGDIOBJ old = SelectObject(s.dc, half);
    const double ours = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            PatBlt(s.dc, 0, 0, kWidth, kHeight, PATINVERT);
    });
    const double base = seconds([&] {
        for (int i = 0; i < kRounds; ++i)
            for (std::size_t p = 0; p < pixels.size(); ++p)
                pixels[p] ^= (p + p / kWidth) % 2 ? 0xFFFFFFu : 0;
        g_sink = pixels[11];
    });
    report("PatBlt PATINVERT halftone, 50 times", ours, base);
    SelectObject(s.dc, old);
    DeleteObject(half);
}

void text(Surface& s) {
    HFONT font = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    HGDIOBJ old = SelectObject(s.dc, font);
    const char* line = "function member(list, index) { return list[index] || null; } // 60";
    const int n = static_cast<int>(std::strlen(line)), lines = 5000;
    const double ours = seconds([&] {
        for (int i = 0; i < lines; ++i)
            TextOut(s.dc, 0, (i * 14) % kHeight, line, n);
    });
    const double base = seconds([&] {
        SIZE size{};
        for (int i = 0; i < lines; ++i)
            GetTextExtentPoint32(s.dc, line, n, &size);
        g_sink = static_cast<std::uint32_t>(size.cx);
    });
    report("TextOut of a 66-character line, 5000 times", ours, base);
    SelectObject(s.dc, old);
    DeleteObject(font);
}

} // namespace

int main() {
    Surface s, t;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight, 0);
    fills(s, pixels);
    copies(s, t, pixels);
    patterns(s, pixels);
    text(s);
    return 0;
}
