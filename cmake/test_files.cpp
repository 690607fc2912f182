#include "cmake/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace pm::test {

namespace {

bool updatingGoldens() {
    const char* update = std::getenv("PM_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

// Where the output that differs from goldenPath goes: the test output's "golden" folder, under the
// name of the golden's own folder.
fs::path actualPath(const fs::path& goldenPath) {
    const fs::path golden = fs::absolute(goldenPath).lexically_normal();
    return fs::path(PM_TEST_OUTPUT_DIR) / "golden" / golden.parent_path().filename() /
           (golden.filename().string() + ".actual");
}

} // namespace

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::error_code error;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent, error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) ADD_FAILURE() << "cannot write the test file " << path;
}

bool expectGolden(const std::string& goldenPath, const std::string& actual) {
    if (updatingGoldens()) {
        writeFile(goldenPath, actual);
        return true;
    }
    const std::string written = actualPath(goldenPath).string();
    const bool exists = fs::exists(goldenPath);
    if (exists && readFile(goldenPath) == actual) {
        std::error_code ignored;
        fs::remove(written, ignored); // an earlier run's output, no longer true
        return true;
    }
    writeFile(written, actual);
    if (!exists)
        ADD_FAILURE() << "golden file missing: " << goldenPath << "; the output is in " << written
                      << " (run with PM_UPDATE_GOLDEN=1 to create it)";
    else
        ADD_FAILURE() << "output differs from " << goldenPath << "; the output is in " << written
                      << " (run with PM_UPDATE_GOLDEN=1 to accept it)";
    return false;
}

} // namespace pm::test
