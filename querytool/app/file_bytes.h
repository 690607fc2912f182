#pragma once
// Reading and safely replacing the user's files, with the system error number of a failure.

#include <string>

// Writes the bytes to a temporary file in the same folder and renames it over the path; on failure
// the old file stays whole, errorCode holds errno and createFailed tells whether the file could not
// be made at all (as opposed to a failed write).
bool ReplaceFileBytes(const std::string& path, const std::string& bytes, int& errorCode, bool& createFailed);

// Creates a new file (never replacing one) with the bytes. errorCode and createFailed as above.
bool CreateNewFileBytes(const std::string& path, const std::string& bytes, int& errorCode,
                        bool& createFailed);

// Reads the whole file; false with errno in errorCode when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes, int& errorCode, bool& openFailed);
