#include "app/CFileCompressor.h"

#include "app/file_helpers.h"
#include "app/lzhuf_coder.h"
#include "platform/framework/CString.h"
#include "platform/win/file_contents.h"
#include "platform/win/windlg.h"
#include "platform/win/winuser.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE* f) : m_file(f) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        return std::fread(buffer, 1, size, m_file);
    }

private:
    std::FILE* m_file;
};

// The output goes to a safe replacement of the destination, which takes its place only once whole.
class ReplacementSink : public ByteSink {
public:
    explicit ReplacementSink(pm::sys::FileReplacement& replacement) : m_replacement(replacement) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        return m_replacement.write(std::string_view(reinterpret_cast<const char*>(data), size));
    }

private:
    pm::sys::FileReplacement& m_replacement;
};

// The whole of source, read to its end, in an anonymous temporary file rewound to its start, with
// its length in size. Files whose size the system reports as 0 (those under /proc) are read whole
// all the same. Null when a read or write fails, or when the input is longer than a stored length
// can say (32 bits).
std::FILE* ReadToEnd(std::FILE* source, std::uint64_t& size) {
    std::FILE* spool = std::tmpfile();
    if (!spool) return nullptr;
    std::vector<char> buffer(1 << 16);
    size = 0;
    bool ok = true;
    while (ok) {
        std::size_t n = std::fread(buffer.data(), 1, buffer.size(), source);
        if (n == 0) break;
        size += n;
        ok = size <= 0xFFFFFFFFULL && std::fwrite(buffer.data(), 1, n, spool) == n;
    }
    ok = ok && !std::ferror(source) && std::fflush(spool) == 0 && std::fseek(spool, 0, SEEK_SET) == 0;
    if (ok) return spool;
    std::fclose(spool);
    return nullptr;
}

} // namespace

BOOL CFileCompressor::Run(LPCTSTR lpszSource, LPCTSTR lpszDest, BOOL bCompress) {
    pm::sys::FileResult opened;
    const int fd = pm::sys::openFileForReading(static_cast<LPCTSTR>(NativePath(lpszSource)), opened);
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (fd >= 0) ::close(fd);
        return FALSE;
    }
    std::uint64_t size = 0;
    std::FILE* source = ReadToEnd(file, size);
    std::fclose(file);
    if (!source) return FALSE;
    pm::sys::FileReplacement dest(static_cast<LPCTSTR>(NativePath(lpszDest)));
    if (!dest.result()) {
        std::fclose(source);
        return FALSE;
    }
    LzhufCoder coder;
    coder.SetProgress([this](std::uint32_t& done, std::uint32_t& total) {
        DWORD d = done, t = total;
        OnProgress(&d, &t);
    });
    FileSource in(source);
    ReplacementSink out(dest);
    m_nState = bCompress ? 1 : 2;
    LzhufCoder::Result result =
        bCompress ? coder.Compress(in, static_cast<std::uint32_t>(size), out) : coder.Expand(in, size, out);
    m_nState = 0;
    std::fclose(source);
    if (result == LzhufCoder::Result::Ok && !dest.commit()) result = LzhufCoder::Result::WriteFailed;
    if (result == LzhufCoder::Result::WriteFailed) OnError(1);
    return result == LzhufCoder::Result::Ok ? TRUE : FALSE;
}

void CFileCompressor::OnError(int nCode) {
    CString text;
    text.Format("Error: %d", nCode);
    MessageBox(GetActiveWindow(), text, nullptr, MB_OK);
}

void CFileCompressor::OnProgress(DWORD*, DWORD*) {}
