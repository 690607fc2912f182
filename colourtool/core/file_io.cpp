#include "colourtool/core/file_io.h"

#include "colourtool/core/vb_text.h"

#include "platform/win/file_contents.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tintara {

namespace {

FileRead refusal(const pm::sys::FileResult& failed) {
    FileRead result;
    result.status = failed.error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
    result.error = result.status == ReadStatus::Missing ? "the file does not exist" : failed.reason;
    return result;
}

FileRead readUpTo(const std::string& path, std::size_t maxBytes, bool refuseLonger) {
    pm::sys::FileRead file = pm::sys::readFileContents(path, maxBytes);
    if (!file) return refusal(file);
    FileRead result;
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

FileRead readFileSuffix(const std::string& path, std::size_t maxBytes) {
    pm::sys::FileResult opened;
    const int fd = pm::sys::openFileForReading(path, opened);
    if (fd < 0) return refusal(opened);
    struct stat st {};
    FileRead result;
    result.status = ReadStatus::Ok;
    const off_t size = ::fstat(fd, &st) == 0 ? st.st_size : 0;
    const off_t start = size > static_cast<off_t>(maxBytes) ? size - static_cast<off_t>(maxBytes) : 0;
    if (start > 0 && ::lseek(fd, start, SEEK_SET) < 0) result.status = ReadStatus::Unreadable;
    result.bytes.resize(maxBytes);
    std::size_t got = 0;
    while (result.status == ReadStatus::Ok && got < maxBytes) {
        const ssize_t n = ::read(fd, &result.bytes[got], maxBytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) result.status = ReadStatus::Unreadable;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (result.status != ReadStatus::Ok) result.error = std::strerror(errno);
    ::close(fd);
    result.bytes.resize(result.status == ReadStatus::Ok ? got : 0);
    return result;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
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
