#pragma once
// Golden files: expected outputs kept under tests/data. On a mismatch the actual output is written
// to the build's test-output folder for review; with PM_UPDATE_GOLDEN=1 the golden file is rewritten.

#include <string>

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Path of a file under tests/data.
std::string TestDataPath(const std::string& relative);

// Compares actual with tests/data/<relative>; adds a test failure on a mismatch.
void ExpectGolden(const std::string& actual, const std::string& relative);
