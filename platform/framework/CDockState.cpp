// CDockState: the saved layout's bytes. Little-endian 32-bit fields: the tag, the bar count, then per
// bar its fields and its list of held bar ids. Layouts tagged DKS2 keep each bar's floating size
// after its floating position; DKS1 layouts, which have none, are still read.

#include "platform/framework/CDockState.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Exceptions.h"

#include <cstring>
#include <memory>

IMPLEMENT_SERIAL(CDockState, CObject, 1)

namespace {

const char kTag[4] = {'D', 'K', 'S', '2'};
const char kTagWithoutFloatingSize[4] = {'D', 'K', 'S', '1'};
const char* const kEntry = "DockState";
const UINT kMaxBars = 1024;    // more bars than any frame holds
const UINT kMaxHeld = 4096;    // ids (with row ends) one dock bar may list
const int kMaxCoord = 1 << 20; // positions and sizes beyond any screen

class Writer {
public:
    void put(int32_t v) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(static_cast<uint32_t>(v) >> (8 * i)));
    }
    void put(const CPoint& p) {
        put(p.x);
        put(p.y);
    }
    void put(const CSize& s) {
        put(s.cx);
        put(s.cy);
    }
    void put(const CRect& r) {
        put(r.left);
        put(r.top);
        put(r.right);
        put(r.bottom);
    }
    std::vector<BYTE> take() { return std::move(m_bytes); }

private:
    std::vector<BYTE> m_bytes;
};

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool get(int32_t& v) {
        if (m_size - m_pos < 4) return false;
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= static_cast<uint32_t>(m_data[m_pos + i]) << (8 * i);
        m_pos += 4;
        v = static_cast<int32_t>(u);
        return true;
    }
    bool coord(LONG& v) {
        int32_t x = 0;
        if (!get(x) || x < -kMaxCoord || x > kMaxCoord) return false;
        v = x;
        return true;
    }
    bool get(CPoint& p) { return coord(p.x) && coord(p.y); }
    bool get(CSize& s) { return coord(s.cx) && coord(s.cy) && s.cx >= 0 && s.cy >= 0; }
    bool get(CRect& r) { return coord(r.left) && coord(r.top) && coord(r.right) && coord(r.bottom); }
    bool flag(BOOL& b) {
        int32_t v = 0;
        if (!get(v) || (v != 0 && v != 1)) return false;
        b = v;
        return true;
    }
    bool count(UINT& n, UINT max) {
        int32_t v = 0;
        if (!get(v) || v < 0 || static_cast<UINT>(v) > max) return false;
        // Each entry takes at least 4 bytes: a count the rest cannot hold is a damaged one.
        if (static_cast<size_t>(v) > (m_size - m_pos) / 4) return false;
        n = static_cast<UINT>(v);
        return true;
    }
    bool atEnd() const { return m_pos == m_size; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void writeInfo(Writer& w, const CControlBarInfo& info) {
    w.put(static_cast<int32_t>(info.m_nBarID));
    w.put(info.m_bVisible ? 1 : 0);
    w.put(info.m_bFloating ? 1 : 0);
    w.put(info.m_bHorz ? 1 : 0);
    w.put(info.m_bDockBar ? 1 : 0);
    w.put(info.m_pointPos);
    w.put(info.m_nMRUWidth);
    w.put(info.m_bDocking ? 1 : 0);
    w.put(static_cast<int32_t>(info.m_uMRUDockID));
    w.put(info.m_rectMRUDockPos);
    w.put(static_cast<int32_t>(info.m_dwMRUFloatStyle));
    w.put(info.m_ptMRUFloatPos);
    w.put(info.m_sizeFloat);
    w.put(static_cast<int32_t>(info.m_arrBarID.GetSize()));
    for (INT_PTR i = 0; i < info.m_arrBarID.GetSize(); ++i)
        w.put(static_cast<int32_t>(info.m_arrBarID[i]));
}

bool readId(Reader& r, UINT& id) {
    int32_t v = 0;
    if (!r.get(v) || v < 0 || v > 0xFFFF) return false;
    id = static_cast<UINT>(v);
    return true;
}

bool readInfo(Reader& r, CControlBarInfo& info, bool withFloatingSize) {
    int32_t mru = 0, floatStyle = 0;
    UINT held = 0;
    if (!readId(r, info.m_nBarID) || !r.flag(info.m_bVisible) || !r.flag(info.m_bFloating) ||
        !r.flag(info.m_bHorz) || !r.flag(info.m_bDockBar) || !r.get(info.m_pointPos) || !r.get(mru) ||
        !r.flag(info.m_bDocking) || !readId(r, info.m_uMRUDockID) || !r.get(info.m_rectMRUDockPos) ||
        !r.get(floatStyle) || !r.get(info.m_ptMRUFloatPos) ||
        (withFloatingSize && !r.get(info.m_sizeFloat)) || !r.count(held, kMaxHeld))
        return false;
    if (mru < 0 || mru > 32767) return false;
    info.m_nMRUWidth = mru;
    info.m_dwMRUFloatStyle = static_cast<DWORD>(floatStyle);
    for (UINT i = 0; i < held; ++i) {
        UINT id = 0;
        if (!readId(r, id)) return false;
        info.m_arrBarID.Add(id);
    }
    return true;
}

} // namespace

CDockState::~CDockState() {
    Clear();
}

void CDockState::Clear() {
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

std::vector<BYTE> CDockState::ToBytes() const {
    Writer w;
    int32_t tag = 0;
    std::memcpy(&tag, kTag, 4);
    w.put(tag);
    w.put(static_cast<int32_t>(m_arrBarInfo.GetSize()));
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        writeInfo(w, *m_arrBarInfo[i]);
    return w.take();
}

BOOL CDockState::FromBytes(const BYTE* data, size_t size) {
    Clear();
    if (!data || size < 8) return FALSE;
    const bool withFloatingSize = std::memcmp(data, kTag, 4) == 0;
    if (!withFloatingSize && std::memcmp(data, kTagWithoutFloatingSize, 4) != 0) return FALSE;
    Reader r(data + 4, size - 4);
    UINT bars = 0;
    if (!r.count(bars, kMaxBars)) return FALSE;
    for (UINT i = 0; i < bars; ++i) {
        auto info = std::make_unique<CControlBarInfo>();
        if (!readInfo(r, *info, withFloatingSize)) {
            Clear();
            return FALSE;
        }
        m_arrBarInfo.Add(info.release());
    }
    if (!r.atEnd()) {
        Clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CDockState::SaveState(LPCSTR lpszProfileName) const {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    std::vector<BYTE> bytes = ToBytes();
    return app->WriteProfileBinary(lpszProfileName, kEntry, bytes.data(), static_cast<UINT>(bytes.size()));
}

BOOL CDockState::LoadState(LPCSTR lpszProfileName) {
    Clear();
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(lpszProfileName, kEntry, &data, &size)) return FALSE;
    std::unique_ptr<BYTE[]> owned(data);
    return FromBytes(data, size);
}

void CDockState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        const std::vector<BYTE> bytes = ToBytes();
        ar.WriteCount(bytes.size());
        ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        return;
    }
    const DWORD_PTR size = ar.ReadCount();
    ar.CheckCount(size, 1);
    std::vector<BYTE> bytes(size);
    if (ar.Read(bytes.data(), static_cast<UINT>(size)) != size || !FromBytes(bytes.data(), bytes.size()))
        AfxThrowArchiveException(CArchiveException::badSchema);
}
