#pragma once
// Files: CFile (an operating-system file), CMemFile (a growable block of memory) and CStdioFile
// (a buffered file with text-mode line reading and writing). Failures raise CFileException.

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

#include <vector>

class CFileException;

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    enum { hFileNull = -1 };
    enum BufferCommand { bufferRead = 0, bufferCheck = 3 };
    enum BufferFlags { bufferDirect = 0x01 };

    CFile() = default;
    // Opens the file or raises CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // Opens a file; '\\' counts as a path separator. Share flags hold between the openers of this
    // system: shareExclusive and shareDenyWrite/shareDenyRead exclude each other, and
    // shareExclusive excludes itself. On failure answers FALSE and fills pError when given.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual void Close();
    // Closes without raising exceptions.
    virtual void Abort();

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    // Access to a file's contents where they lie in memory, without a copy: bufferCheck answers
    // bufferDirect when the file has it; bufferRead points [*ppBufStart, *ppBufMax) at up to nCount
    // bytes from the position on, moves past them and answers how many. A file on disk answers 0.
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = nullptr,
                              void** ppBufMax = nullptr);

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;  // the name after the last separator
    CString GetFileTitle() const; // the name without its extension
    void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    static void Remove(LPCTSTR lpszFileName);
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    int m_hFile = hFileNull;

protected:
    [[noreturn]] void throwErrno(int nErrno) const;
    CString m_strFileName;
};

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // A file in memory that grows in steps of nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's buffer; it grows (into memory of its own) only when nGrowBytes > 0.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Uses the caller's buffer as the file's contents (length nBufferSize when nGrowBytes is 0,
    // else empty with that room).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the contents to the caller (free it with free()) and empties the file.
    BYTE* Detach();

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}
    UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = nullptr,
                      void** ppBufMax = nullptr) override;

private:
    void growTo(size_t nNewSize);
    void freeOwned();

    UINT m_nGrowBytes;
    BYTE* m_lpBuffer = nullptr;
    size_t m_nBufferSize = 0;
    size_t m_nFileSize = 0;
    size_t m_nPosition = 0;
    bool m_bAutoDelete = true; // the buffer is ours (malloc)
};

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // Text mode (typeText, the default unless typeBinary) reads CR LF as LF and writes LF as CR LF.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;

    // Writes the text (line ends translated in text mode).
    virtual void WriteString(LPCTSTR lpsz);
    // Reads up to nMax - 1 characters of one line, keeping its '\n'; null at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads one line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

private:
    int readByte();
    void dropReadAhead();
    void flushWrites();

    bool m_bText = false;
    std::vector<char> m_readBuf;
    size_t m_readPos = 0;
    std::vector<char> m_writeBuf;
};
