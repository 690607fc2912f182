#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

TempFolder::TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    m_path = std::string(PM_TEST_OUTPUT_DIR) + "/app/" + name;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}
