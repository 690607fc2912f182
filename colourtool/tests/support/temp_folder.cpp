#include "temp_folder.h"

#include "cmake/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "colourtool";
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    m_path = std::string(PM_TEST_OUTPUT_DIR) + "/colourtool/" + name;
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string path = file(name);
    pm::test::writeFile(path, bytes);
    return path;
}

std::string fileBytes(const std::string& path) {
    if (!std::ifstream(path)) return "<missing>";
    return pm::test::readFile(path);
}

std::string fixture(const std::string& name) {
    return fileBytes(std::string(PM_TEST_DATA_DIR) + "/" + name);
}
