#pragma once
// A file written through a buffer: exports and dumps write many small pieces, and the file sees few
// large writes. The output replaces the file safely: it takes the file's place when closed, and a
// failed write leaves an existing file whole. The first failure is kept; every later write is
// refused.

#include "platform/win/file_contents.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Starts the output that will replace the file (or make it). False (and Error() set) when it
    // cannot be made there.
    bool Create(const std::string& path);

    // Appends bytes; false once any write has failed.
    bool Write(std::string_view bytes);
    bool Write(char c) { return Write(std::string_view(&c, 1)); }

    // Writes what is buffered and puts the output in the file's place; false when anything failed
    // (the old file is then whole).
    bool Close();

    bool Failed() const { return m_error != 0; }
    // The system error number of the first failure, 0 when none.
    int Error() const { return m_error; }

private:
    bool flush();

    std::unique_ptr<pm::sys::FileReplacement> m_file;
    int m_error = 0;
    std::string m_buffer;
};
