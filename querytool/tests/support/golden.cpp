#include "golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDataPath(const std::string& relative) {
    return std::string(PM_TEST_DATA_DIR) + "/" + relative;
}

void ExpectGolden(const std::string& actual, const std::string& relative) {
    const std::string path = TestDataPath(relative);
    const char* update = std::getenv("PM_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteFileBytes(path, actual);
        return;
    }
    if (!std::filesystem::exists(path)) {
        ADD_FAILURE() << "golden file missing: " << path << " (run with PM_UPDATE_GOLDEN=1 to create it)";
        return;
    }
    if (ReadFileBytes(path) == actual) return;
    const std::string actualPath = std::string(PM_TEST_OUTPUT_DIR) + "/querytool/" + relative + ".actual";
    WriteFileBytes(actualPath, actual);
    ADD_FAILURE() << "output differs from " << path << "; actual output written to " << actualPath;
}
