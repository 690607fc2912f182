#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string fixture(const std::string& name) {
    return fileBytes(std::string(PM_TEST_DATA_DIR) + "/" + name);
}
