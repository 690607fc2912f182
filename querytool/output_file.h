#pragma once
// A file written through a buffer: exports and dumps write many small pieces, and the file sees few
// large writes. The first failed write is kept; every later write is refused.

#include <cstddef>
#include <string>
#include <string_view>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, replacing an existing one. False (and Error() set) when it cannot be created.
    bool Create(const std::string& path);

    // Appends bytes; false once any write has failed.
    bool Write(std::string_view bytes);
    bool Write(char c) { return Write(std::string_view(&c, 1)); }

    // Writes what is buffered and closes the file; false when anything failed.
    bool Close();

    bool Failed() const { return m_error != 0; }
    // The system error number of the first failure, 0 when none.
    int Error() const { return m_error; }

private:
    bool flush();

    int m_fd = -1;
    int m_error = 0;
    std::string m_buffer;
};
