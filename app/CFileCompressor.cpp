#include "app/CFileCompressor.h"

#include "app/file_helpers.h"
#include "app/lzhuf_coder.h"
#include "platform/framework/CString.h"
#include "platform/win/windlg.h"
#include "platform/win/winuser.h"

#include <cstdio>
#include <string>

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

class FileSink : public ByteSink {
public:
    explicit FileSink(std::FILE* f) : m_file(f) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        return std::fwrite(data, 1, size, m_file) == size;
    }

private:
    std::FILE* m_file;
};

// The size of an open file, found by seeking to its end; -1 when it cannot be found.
long long FileSize(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    long long size = std::ftell(f);
    if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
    return size;
}

} // namespace

BOOL CFileCompressor::Run(LPCTSTR lpszSource, LPCTSTR lpszDest, BOOL bCompress) {
    std::FILE* source = std::fopen(static_cast<LPCTSTR>(NativePath(lpszSource)), "rb");
    if (!source) return FALSE;
    std::FILE* dest = std::fopen(static_cast<LPCTSTR>(NativePath(lpszDest)), "wb");
    if (!dest) {
        std::fclose(source);
        return FALSE;
    }
    LzhufCoder coder;
    coder.SetProgress([this](std::uint32_t& done, std::uint32_t& total) {
        DWORD d = done, t = total;
        OnProgress(&d, &t);
    });
    FileSource in(source);
    FileSink out(dest);
    long long size = FileSize(source);
    LzhufCoder::Result result = LzhufCoder::Result::ShortInput;
    m_nState = bCompress ? 1 : 2;
    if (size >= 0 && (!bCompress || size <= 0xFFFFFFFFLL))
        result = bCompress ? coder.Compress(in, static_cast<std::uint32_t>(size), out)
                           : coder.Expand(in, static_cast<std::uint64_t>(size), out);
    m_nState = 0;
    std::fclose(source);
    bool closed = std::fclose(dest) == 0;
    if (result == LzhufCoder::Result::Ok && !closed) result = LzhufCoder::Result::WriteFailed;
    if (result == LzhufCoder::Result::WriteFailed) OnError(1);
    return result == LzhufCoder::Result::Ok ? TRUE : FALSE;
}

void CFileCompressor::OnError(int nCode) {
    CString text;
    text.Format("Error: %d", nCode);
    MessageBox(GetActiveWindow(), text, nullptr, MB_OK);
}

void CFileCompressor::OnProgress(DWORD*, DWORD*) {}
