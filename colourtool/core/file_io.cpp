#include "colourtool/core/file_io.h"

#include "colourtool/core/vb_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace tintara {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string lastError() {
    return std::strerror(errno);
}

FileRead failure(ReadStatus status, std::string error) {
    FileRead result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

// Opens a regular file for reading and gives its size, or a failure.
FileRead openForReading(const std::string& path, File& file, std::uintmax_t& size) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return failure(ReadStatus::Missing, "the file does not exist");
    if (ec) return failure(ReadStatus::Unreadable, ec.message());
    if (st.type() != fs::file_type::regular) return failure(ReadStatus::Unreadable, "not a regular file");
    size = fs::file_size(path, ec);
    if (ec) return failure(ReadStatus::Unreadable, ec.message());
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) return failure(ReadStatus::Unreadable, lastError());
    FileRead ok;
    ok.status = ReadStatus::Ok;
    return ok;
}

FileRead readUpTo(const std::string& path, std::size_t maxBytes, bool refuseLonger) {
    File file;
    std::uintmax_t size = 0;
    FileRead result = openForReading(path, file, size);
    if (result.status != ReadStatus::Ok) return result;
    if (refuseLonger && size > maxBytes) return failure(ReadStatus::TooLarge, "the file is too large");
    // Read at most one byte past the limit, so a file that grew since its size was taken is noticed.
    const std::size_t limit = refuseLonger ? maxBytes + 1 : maxBytes;
    char buffer[65536];
    while (result.bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - result.bytes.size());
        const std::size_t got = std::fread(buffer, 1, want, file.get());
        result.bytes.append(buffer, got);
        if (got < want) break;
    }
    if (std::ferror(file.get())) return failure(ReadStatus::Unreadable, lastError());
    if (refuseLonger && result.bytes.size() > maxBytes)
        return failure(ReadStatus::TooLarge, "the file is too large");
    return result;
}

std::string temporaryNameBeside(const fs::path& target) {
    static std::mt19937 generator{std::random_device{}()};
    const std::string suffix = std::to_string(generator() % 1000000000u);
    return (target.parent_path() / ("." + target.filename().string() + ".tmp" + suffix)).string();
}

bool hasWritePermission(fs::perms p) {
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) !=
           fs::perms::none;
}

std::string writeAll(const std::string& path, const std::string& bytes) {
    File file(std::fopen(path.c_str(), "wbx"));
    if (!file) return lastError();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return lastError();
    if (std::fflush(file.get()) != 0) return lastError();
    std::FILE* raw = file.release();
    if (std::fclose(raw) != 0) return lastError();
    return {};
}

// The file a save replaces: the path made absolute, through a symbolic link to the file it names.
fs::path replacedFile(const std::string& path) {
    std::error_code ec;
    fs::path target = fs::absolute(path, ec);
    if (ec) return fs::path(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

} // namespace

FileRead readWholeFile(const std::string& path, std::size_t maxBytes) {
    return readUpTo(path, maxBytes, true);
}

FileRead readFilePrefix(const std::string& path, std::size_t maxBytes) {
    return readUpTo(path, maxBytes, false);
}

FileRead readFileSuffix(const std::string& path, std::size_t maxBytes) {
    File file;
    std::uintmax_t size = 0;
    FileRead result = openForReading(path, file, size);
    if (result.status != ReadStatus::Ok) return result;
    const std::uintmax_t start = size > maxBytes ? size - maxBytes : 0;
    if (start > 0 && std::fseek(file.get(), static_cast<long>(start), SEEK_SET) != 0)
        return failure(ReadStatus::Unreadable, lastError());
    result.bytes.resize(static_cast<std::size_t>(size - start));
    result.bytes.resize(std::fread(&result.bytes[0], 1, result.bytes.size(), file.get()));
    if (std::ferror(file.get())) return failure(ReadStatus::Unreadable, lastError());
    return result;
}

std::string writeFileSafely(const std::string& path, const std::string& bytes) {
    const fs::path target = replacedFile(path);
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    const bool exists = fs::exists(old);
    if (exists && old.type() != fs::file_type::regular) return "not a regular file";
    if (exists && !hasWritePermission(old.permissions())) return "the file is read-only";

    const std::string temporary = temporaryNameBeside(target);
    std::string error = writeAll(temporary, bytes);
    ec.clear();
    if (error.empty() && exists) fs::permissions(temporary, old.permissions(), ec);
    if (error.empty() && !ec) fs::rename(temporary, target, ec);
    if (error.empty() && ec) error = ec.message();
    if (!error.empty()) fs::remove(temporary, ec);
    return error;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
}

bool copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) && !ec;
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
