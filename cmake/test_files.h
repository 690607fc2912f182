#pragma once
// Files for tests (cmake/test_files.cpp, linked into every test program): reading and writing a
// file's bytes, and comparing an output with its expected copy kept under a tests/data folder.

#include <string>

namespace pm::test {

// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

// Writes the bytes to a file, replacing it, after making its folder. A write that fails fails the
// running test.
void writeFile(const std::string& path, const std::string& bytes);

// Compares actual with the golden file at goldenPath; true when they are the same. On a difference
// (or a missing golden file) the test fails and actual is written for review to <name>.actual in
// the build tree's test output, under golden/<the golden's folder name>; the source tree is never
// written. With PM_UPDATE_GOLDEN=1 in the environment the golden file is rewritten instead.
bool expectGolden(const std::string& goldenPath, const std::string& actual);

} // namespace pm::test
