#pragma once
// Byte-exact file access of the colour tool: bounded whole-file and prefix reads, a safe replace
// (temporary file in the same folder, then rename), a copy and a folder listing by extension.

#include <cstddef>
#include <string>
#include <vector>

namespace tintara {

enum class ReadStatus { Ok, Missing, Unreadable, TooLarge };

struct FileRead {
    ReadStatus status = ReadStatus::Unreadable;
    std::string bytes;
    std::string error; // what went wrong, for messages; empty when Ok
};

// Reads a whole file as bytes; files longer than maxBytes are refused (TooLarge).
FileRead readWholeFile(const std::string& path, std::size_t maxBytes);

// Reads at most maxBytes from the start of a file (shorter files give all their bytes).
FileRead readFilePrefix(const std::string& path, std::size_t maxBytes);

// Reads the last maxBytes of a file (shorter files give all their bytes).
FileRead readFileSuffix(const std::string& path, std::size_t maxBytes);

// Replaces the file at `path` with `bytes`: writes a temporary file beside it and renames it over
// the old one, keeping the old file's permissions. A file without any write permission is refused.
// Returns an empty string on success, else what went wrong (the old file is then whole).
std::string writeFileSafely(const std::string& path, const std::string& bytes);

// Whether two paths name the same file (the same text, or one file reached both ways).
bool sameFile(const std::string& a, const std::string& b);

// Copies a file over `to` (an existing copy is replaced). Returns false when it cannot.
bool copyFile(const std::string& from, const std::string& to);

// Names (without folder) of the regular files in `folder` whose extension equals `extension`
// ignoring ASCII case (".bmp" matches "SKY.BMP"), sorted by name ignoring case.
std::vector<std::string> listFilesWithExtension(const std::string& folder, const std::string& extension);

} // namespace tintara
