// Replays a fuzz target's seeds in an ordinary build: calls the target's LLVMFuzzerTestOneInput once
// for every file of the folders given (in name order) and for every file given, so that each seed,
// and each crash a fuzzer once found, is a regression test. The file is named before it runs, so a
// crash or a failed check says which seed did it. Fails when a folder or file given holds no seed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> seedsOf(const fs::path& given) {
    std::vector<fs::path> seeds;
    std::error_code error;
    if (!fs::is_directory(given, error)) {
        if (fs::is_regular_file(given, error)) seeds.push_back(given);
        return seeds;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(given, error))
        if (entry.is_regular_file(error)) seeds.push_back(entry.path());
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> seeds;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> found = seedsOf(argv[i]);
        if (found.empty()) {
            std::fprintf(stderr, "no seed in %s\n", argv[i]);
            return 1;
        }
        seeds.insert(seeds.end(), found.begin(), found.end());
    }
    for (const fs::path& seed : seeds) {
        std::fprintf(stderr, "%s\n", seed.c_str());
        const std::string bytes = bytesOf(seed);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "%zu seeds replayed\n", seeds.size());
    return 0;
}
