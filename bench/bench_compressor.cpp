// The QZ10 compressor on a 5 MB JavaScript text and on a default Settings.ini: compression and
// expansion speed and the compressed size, each printed as a ratio to zlib at level 6 (the level
// of gzip -6) on the same bytes, measured in the same run. Ratios above 1 mean slower or larger.
#include "app/lzhuf_coder.h"
#include "app/memory_bytes.h"

#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

std::string JavaScript(std::size_t size) {
    static const char* const words[] = {"function", "var",    "return", "if",     "else",  "for",   "while",
                                        "document", "window", "alert",  "length", "value", "items", "index"};
    std::mt19937 rng(42);
    std::string text;
    while (text.size() < size) {
        int indent = static_cast<int>(rng() % 4) * 4;
        text.append(static_cast<std::size_t>(indent), ' ');
        int tokens = 3 + static_cast<int>(rng() % 8);
        for (int t = 0; t < tokens; t++) {
            if (rng() % 5 == 0)
                text += "name" + std::to_string(rng() % 500);
            else
                text += words[rng() % 14];
            text += (rng() % 4 == 0) ? "(" : (rng() % 3 == 0 ? " = " : " ");
        }
        text += rng() % 6 == 0 ? "// note " + std::to_string(rng() % 100) + "\r\n" : ";\r\n";
    }
    text.resize(size);
    return text;
}

const char kSettings[] =
    "[General]\r\nFirstTime=1\r\nLineNo=1\r\nAutoReload=1\r\nProjectDir=/home/user/Projects\r\n"
    "ProjectMask=*.*\r\n[Intellisense]\r\nAuto=1\r\nListUnique=0\r\nScanlines=40\r\n[Init]\r\n"
    "SaveOnCompile=1\r\n[Workspace]\r\n0=/home/user/Projects/demo.js\r\n[Tools]\r\nItems=1\r\n"
    "0=Line Count\r\n[Line Count]\r\nCmd=/usr/bin/wc\r\nArg=-l $(FilePath)\r\n";

template <class F> double Seconds(F f, int repeat) {
    auto start = Clock::now();
    for (int i = 0; i < repeat; i++)
        f();
    return std::chrono::duration<double>(Clock::now() - start).count() / repeat;
}

void Measure(const char* name, const std::string& data, int repeat) {
    std::string packed;
    double compress = Seconds(
        [&] {
            MemorySource in(data);
            MemorySink out;
            LzhufCoder().Compress(in, static_cast<std::uint32_t>(data.size()), out);
            packed = out.bytes();
        },
        repeat);
    std::string back;
    double expand = Seconds(
        [&] {
            MemorySource in(packed);
            MemorySink out;
            LzhufCoder().Expand(in, packed.size(), out);
            back = out.bytes();
        },
        repeat);
    if (back != data) std::printf("%s: ROUND TRIP FAILED\n", name);

    std::vector<Bytef> zipped(compressBound(data.size()));
    uLongf zippedSize = 0;
    double zCompress = Seconds(
        [&] {
            zippedSize = zipped.size();
            compress2(zipped.data(), &zippedSize, reinterpret_cast<const Bytef*>(data.data()), data.size(),
                      6);
        },
        repeat);
    std::vector<Bytef> unzipped(data.size() + 1);
    double zExpand = Seconds(
        [&] {
            uLongf size = unzipped.size();
            uncompress(unzipped.data(), &size, zipped.data(), zippedSize);
        },
        repeat);

    std::printf("%s (%zu bytes): QZ10 %zu bytes, zlib-6 %lu bytes\n", name, data.size(), packed.size(),
                static_cast<unsigned long>(zippedSize));
    std::printf("  compress time ratio  %.2f  (%.1f MB/s against %.1f MB/s)\n", compress / zCompress,
                data.size() / compress / 1e6, data.size() / zCompress / 1e6);
    std::printf("  expand time ratio    %.2f  (%.1f MB/s against %.1f MB/s)\n", expand / zExpand,
                data.size() / expand / 1e6, data.size() / zExpand / 1e6);
    std::printf("  size ratio           %.3f\n", static_cast<double>(packed.size()) / zippedSize);
}

} // namespace

int main() {
    Measure("JavaScript text", JavaScript(5 * 1024 * 1024), 3);
    Measure("Settings.ini", kSettings, 2000);
    return 0;
}
