#include "colourtool/core/file_io.h"

#include "colourtool/core/vb_text.h"

#include "platform/win/file_contents.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tintara {

namespace {

FileRead readUpTo(const std::string& path, std::size_t maxBytes, bool refuseLonger) {
    pm::sys::FileRead file = pm::sys::readFileContents(path, maxBytes);
    FileRead result;
    if (!file) {
        result.status = file.error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        result.error = result.status == ReadStatus::Missing ? "the file does not exist" : file.reason;
        return result;
    }
    if (refuseLonger && file.cut) {
        result.status = ReadStatus::TooLarge;
        result.error = "the file is too large";
        return result;
    }
    result.status = ReadStatus::Ok;
    result.bytes = std::move(file.bytes);
    return result;
}

} // namespace

FileRead readWholeFile(const std::string& path, std::size_t maxBytes) {
    return readUpTo(path, maxBytes, true);
}

FileRead readFilePrefix(const std::string& path, std::size_t maxBytes) {
    return readUpTo(path, maxBytes, false);
}

bool copyFile(const std::string& from, const std::string& to) {
    const pm::sys::FileRead source = pm::sys::readFileContents(from);
    return source && pm::sys::replaceFileContents(to, source.bytes);
}

std::vector<std::string> listFilesWithExtension(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    const std::string wanted = asciiLower(extension);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < wanted.size() || asciiLower(name.substr(name.size() - wanted.size())) != wanted)
            continue;
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = asciiLower(a), lb = asciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

} // namespace tintara
