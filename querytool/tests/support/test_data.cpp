#include "test_data.h"

std::string TestDataPath(const std::string& relative) {
    return std::string(PM_TEST_DATA_DIR) + "/" + relative;
}
