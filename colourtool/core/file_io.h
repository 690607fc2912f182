#pragma once
// Byte-exact file access of the colour tool: bounded whole-file and prefix reads, a copy and a
// folder listing by extension. Only regular files are read (never waiting on a named pipe).

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

// Whether two paths name the same file (the same text, or one file reached both ways).
bool sameFile(const std::string& a, const std::string& b);

// Copies a file over `to` (an existing copy is replaced safely). Returns false when it cannot.
bool copyFile(const std::string& from, const std::string& to);

// Names (without folder) of the regular files in `folder` whose extension equals `extension`
// ignoring ASCII case (".bmp" matches "SKY.BMP"), sorted by name ignoring case.
std::vector<std::string> listFilesWithExtension(const std::string& folder, const std::string& extension);

} // namespace tintara
