#pragma once
// The one way to read a user's file and the one way to replace one.
//
// Reading never waits: only a regular file is read (a folder, a named pipe, a device or a socket is
// refused before it is opened), it is opened without blocking, and it is read to its end whatever
// size the system reports (files under /proc report 0). Replacing is safe: the bytes go to a new
// file made beside the target, which is flushed to disk and then renamed over it, so a reader sees
// the old or the new contents and a failed write leaves the old file whole. A symbolic link keeps
// pointing at the file it names, which is the one replaced; the replaced file keeps its permissions
// (and its owner where the process may keep it). Paths may use '\' between folders.

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace pm::sys {

// The outcome of a file operation.
struct FileResult {
    int error = 0;           // errno of the failure; 0 when it worked
    bool notRegular = false; // refused: the path names a folder, a named pipe, a device or a socket
    bool openFailed = false; // the file could not be opened or made; else a read or write failed
    std::string path;        // the file as the caller named it
    std::string reason;      // what went wrong ("a named pipe, not a regular file", "Permission denied")

    explicit operator bool() const { return error == 0; }
    // The failure in words, naming the file; empty when it worked.
    std::string message() const;
};

struct FileRead : FileResult {
    std::string bytes;
    bool cut = false; // the file holds more than the limit given; bytes holds the first `limit`
};

constexpr std::size_t kWholeFile = std::numeric_limits<std::size_t>::max();

// Reads the regular file at path, at most `limit` bytes of it.
FileRead readFileContents(const std::string& path, std::size_t limit = kWholeFile);

// Opens the regular file at path for reading without blocking; the descriptor (close-on-exec), or
// -1 with the failure in `result`.
int openFileForReading(const std::string& path, FileResult& result);

// Whether a user may choose path as a file to read or write: a refusal, as readFileContents gives
// it, when something other than a regular file stands at path (symbolic links followed) or when the
// path is on the system's own file systems (/proc, /sys: "a system file"); success when a regular
// file or nothing stands there.
FileResult checkChosenFile(const std::string& path);

// Replaces the contents of the file at path (or makes it) with bytes.
FileResult replaceFileContents(const std::string& path, std::string_view bytes);

// A replacement written in pieces, for output too large to gather first (dumps, exports). Nothing
// is replaced until commit() succeeds; a replacement dropped before that removes its new file and
// leaves the old one whole.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Appends bytes to the new contents; false once any step failed (see result()).
    bool write(std::string_view bytes);
    // Flushes the new file to disk and renames it over the target.
    FileResult commit();
    // The first failure so far (or success).
    const FileResult& result() const { return m_result; }
    // The file that commit() replaces: the path with its symbolic links followed.
    const std::string& target() const { return m_target; }

private:
    void fail(int error, bool atOpen);
    void discard();

    std::string m_path;
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    FileResult m_result;
};

} // namespace pm::sys
