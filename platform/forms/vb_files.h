#pragma once
// File helpers of the forms runtime. Files are read and written byte for byte (only regular files are
// read; writes replace a file safely); paths may use '/' or '\\' as the separator.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vb {

// The whole file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// Makes or replaces the file with `bytes`; false when any step fails (an old file is then whole).
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Copies `from` over `to` (replaced when present); false on failure.
bool FileCopy(const std::string& from, const std::string& to);

enum class ReadResult { Ok, Short, Failed };
// Reads `count` bytes at `offset` into `out` (a binary Get). Short: the file ends before them
// (`out` holds what there was).
ReadResult ReadAt(const std::string& path, std::uint64_t offset, std::size_t count, std::string& out);

// The lines of `bytes`, each ended by CR LF, LF or CR; a final line without an end counts.
std::vector<std::string> SplitLines(const std::string& bytes);

// The names of the plain files matching `pattern` ("folder/*.bmp": '*' and '?' in the name part,
// letters matching either case), sorted by name without case.
std::vector<std::string> Dir(const std::string& pattern);

} // namespace vb
