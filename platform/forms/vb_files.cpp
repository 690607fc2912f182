#include "platform/forms/vb_files.h"

#include "platform/win/file_contents.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vb {
namespace {

namespace fs = std::filesystem;

std::string slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool wildMatch(const char* pattern, const char* name) {
    for (; *pattern; ++pattern, ++name) {
        if (*pattern == '*') {
            for (const char* rest = name;; ++rest) {
                if (wildMatch(pattern + 1, rest)) return true;
                if (!*rest) return false;
            }
        }
        if (!*name || (*pattern != '?' && lower(*pattern) != lower(*name))) return false;
    }
    return !*name;
}

bool lessWithoutCase(const std::string& a, const std::string& b) {
    auto byLower = [](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower)) return false;
    return a < b;
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
    pm::sys::FileRead file = pm::sys::readFileContents(path);
    if (!file) return std::nullopt;
    return std::move(file.bytes);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    return static_cast<bool>(pm::sys::replaceFileContents(path, bytes));
}

bool FileCopy(const std::string& from, const std::string& to) {
    const pm::sys::FileRead source = pm::sys::readFileContents(from);
    return source && pm::sys::replaceFileContents(to, source.bytes);
}

ReadResult ReadAt(const std::string& path, std::uint64_t offset, std::size_t count, std::string& out) {
    out.clear();
    if (offset > pm::sys::kWholeFile - count) return ReadResult::Failed;
    const pm::sys::FileRead file = pm::sys::readFileContents(path, static_cast<std::size_t>(offset) + count);
    if (!file) return ReadResult::Failed;
    if (offset < file.bytes.size()) out = file.bytes.substr(static_cast<std::size_t>(offset));
    return out.size() == count ? ReadResult::Ok : ReadResult::Short;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> Dir(const std::string& pattern) {
    std::string path = slashes(pattern);
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (folder.empty()) folder = "/";
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && wildMatch(namePattern.c_str(), name.c_str())) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), lessWithoutCase);
    return names;
}

} // namespace vb
