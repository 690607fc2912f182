#pragma once
// Whole-file reading and safe replacement of files the layer keeps.

#include <string>

namespace pm {

// Reads the whole file into data. False when it does not exist or cannot be read.
bool readWholeFile(const std::string& path, std::string& data);

// Writes data to a temporary file in the same folder and renames it over path, so readers see the
// old or the new content, never a mix, and a failed write leaves the old file whole. An existing
// file keeps its permissions; a symbolic link keeps pointing at the replaced file.
bool replaceFile(const std::string& path, const std::string& data);

} // namespace pm
