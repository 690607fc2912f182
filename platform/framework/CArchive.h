#pragma once
// CArchive: the framework's binary archive over a CFile. Integers are little-endian at their own
// sizes; strings carry a length prefix; objects are written with class tags and back-references so
// that each object and class is stored once. Reading checks every tag, index, count and length and
// raises CArchiveException (never reads past the end, never allocates for more than is there).

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CFile;
class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // An archive still open is flushed (errors are dropped; call Close to see them).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    CFile* GetFile() const { return m_pFile; }
    // Loading: whether no byte read ahead from the file waits in the buffer.
    BOOL IsBufferEmpty() const { return m_nPos == m_nEnd; }
    // Writes what is buffered (storing) or gives back what was read ahead (loading, so the file
    // stands after the last byte read), and detaches from the file.
    void Close();
    // Detaches without writing what is buffered.
    void Abort();
    void Flush();

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    CArchive& operator<<(BYTE by) { return writeLE(by, 1); }
    CArchive& operator<<(char ch) { return writeLE(static_cast<BYTE>(ch), 1); }
    CArchive& operator<<(bool b) { return writeLE(b ? 1 : 0, 1); }
    CArchive& operator<<(WORD w) { return writeLE(w, 2); }
    CArchive& operator<<(short i) { return writeLE(static_cast<WORD>(i), 2); }
    CArchive& operator<<(int i) { return writeLE(static_cast<std::uint32_t>(i), 4); }
    CArchive& operator<<(unsigned u) { return writeLE(u, 4); }
    // long is 64 bits here (LONGLONG, ULONGLONG, DWORD_PTR); LONG and DWORD are int and unsigned.
    CArchive& operator<<(long l) { return writeLE(static_cast<std::uint64_t>(l), 8); }
    CArchive& operator<<(unsigned long u) { return writeLE(static_cast<std::uint64_t>(u), 8); }
    CArchive& operator<<(long long i) { return writeLE(static_cast<std::uint64_t>(i), 8); }
    CArchive& operator<<(unsigned long long u) { return writeLE(u, 8); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(const CString& s);
    // Points, sizes and rectangles: their LONG fields in order.
    CArchive& operator<<(const POINT& pt) { return *this << pt.x << pt.y; }
    CArchive& operator<<(const SIZE& size) { return *this << size.cx << size.cy; }
    CArchive& operator<<(const RECT& rc) { return *this << rc.left << rc.top << rc.right << rc.bottom; }
    CArchive& operator<<(const CObject* pOb) {
        WriteObject(pOb);
        return *this;
    }

    CArchive& operator>>(BYTE& by) { return readLE(by); }
    CArchive& operator>>(char& ch) { return readLE(ch); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(WORD& w) { return readLE(w); }
    CArchive& operator>>(short& i) { return readLE(i); }
    CArchive& operator>>(int& i) { return readLE(i); }
    CArchive& operator>>(unsigned& u) { return readLE(u); }
    CArchive& operator>>(long& l) { return readLE(l); }
    CArchive& operator>>(unsigned long& u) { return readLE(u); }
    CArchive& operator>>(long long& i) { return readLE(i); }
    CArchive& operator>>(unsigned long long& u) { return readLE(u); }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(CString& s);
    CArchive& operator>>(POINT& pt) { return *this >> pt.x >> pt.y; }
    CArchive& operator>>(SIZE& size) { return *this >> size.cx >> size.cy; }
    CArchive& operator>>(RECT& rc) { return *this >> rc.left >> rc.top >> rc.right >> rc.bottom; }
    CArchive& operator>>(CObject*& pOb) {
        pOb = ReadObject(nullptr);
        return *this;
    }
    CArchive& operator>>(const CObject*& pOb) {
        pOb = ReadObject(nullptr);
        return *this;
    }

    // Objects: null tag, a back-reference to an object already in this archive, or its class
    // (new-class tag or class back-reference) followed by the object's Serialize.
    void WriteObject(const CObject* pOb);
    // Reads an object written by WriteObject; a class that is not pClassRefRequested or derived
    // from it raises badClass. Objects are created with their class's CreateObject.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // The same; *pbCreated tells whether the object was made by this read (false for null and for
    // back-references), so that a caller whose load fails knows which objects are its own to free.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested, bool* pbCreated);
    // The class the elements of the next object array read must be of (nullptr: any): an element
    // of another class raises badClass before anything is made for it. It holds for that array's
    // own elements only (not for what they read in turn) and is used up by the next array read.
    void SetNextElementClass(const CRuntimeClass* pClass) { m_pNextElementClass = pClass; }
    const CRuntimeClass* TakeNextElementClass() {
        const CRuntimeClass* pClass = m_pNextElementClass;
        m_pNextElementClass = nullptr;
        return pClass;
    }
    // A mark of how far this load has got; GetObjectsLoadedSince lists the objects made after it,
    // in the order they were made (half-read objects already freed are left out), so that a reader
    // refusing what it read frees what was made for it and nothing it only refers to.
    size_t GetLoadMark() const { return m_loadArray.size(); }
    std::vector<CObject*> GetObjectsLoadedSince(size_t nMark) const;
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // The schema of the object being read (as stored), or (UINT)-1 when none applies.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Element counts: 16 bits below 0xFFFF, else 0xFFFF and 32 bits, else also 64 bits.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();
    // Raises endOfFile unless at least nCount elements of nMinBytes each can still follow;
    // loaders call it before allocating for a count read from the archive.
    void CheckCount(ULONGLONG nCount, UINT nMinBytes);

    CDocument* m_pDocument = nullptr;

private:
    struct LoadEntry {
        bool isClass;
        void* ptr;
        UINT schema;
    };

    template <class T> CArchive& writeLE(T value, int size) {
        BYTE b[8];
        for (int i = 0; i < size; ++i)
            b[i] = static_cast<BYTE>(static_cast<std::uint64_t>(value) >> (8 * i));
        writeBytes(b, static_cast<UINT>(size));
        return *this;
    }
    template <class T> CArchive& readLE(T& value) {
        BYTE b[sizeof(T)];
        readExact(b, sizeof(T));
        std::uint64_t v = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            v |= static_cast<std::uint64_t>(b[i]) << (8 * i);
        value = static_cast<T>(v);
        return *this;
    }
    void writeBytes(const void* p, UINT n);
    void readExact(void* p, UINT n);
    void fillBuffer();
    void checkLoading() const;
    void checkStoring() const;
    [[noreturn]] void fail(int cause) const;
    void writeObjectTag(DWORD nIndex);
    DWORD nextMapIndex();

    CFile* m_pFile;
    bool m_bLoading;
    bool m_bFlushOnDelete;
    std::vector<BYTE> m_buffer;
    size_t m_nPos = 0; // next byte in the buffer (loading: to read; storing: to write)
    size_t m_nEnd = 0; // loading: bytes valid in the buffer
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nDepth = 0;
    const CRuntimeClass* m_pNextElementClass = nullptr;
    DWORD m_nMapCount = 1;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};
