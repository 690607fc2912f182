#pragma once
// The test data of the folder whose tests are being built: fixtures and golden files under tests/data.

#include <string>

// Path of a file under tests/data.
std::string TestDataPath(const std::string& relative);
