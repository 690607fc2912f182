// GUID constants of the base interfaces and the GUID text forms.

#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "platform/com/typeinfo.h"

#include <cstdio>
#include <cstring>

const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

#define PM_OLE_IID(name, d1) const IID name = {d1, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}
PM_OLE_IID(IID_IUnknown, 0x00000000);
PM_OLE_IID(IID_IClassFactory, 0x00000001);
PM_OLE_IID(IID_IDispatch, 0x00020400);
PM_OLE_IID(IID_ITypeInfo, 0x00020401);
PM_OLE_IID(IID_ITypeLib, 0x00020402);
PM_OLE_IID(IID_IEnumVARIANT, 0x00020404);
#undef PM_OLE_IID

#define PM_CP_IID(name, d1)                                                                                  \
    const IID name = {d1, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}}
PM_CP_IID(IID_IProvideClassInfo, 0xB196B283);
PM_CP_IID(IID_IConnectionPointContainer, 0xB196B284);
PM_CP_IID(IID_IEnumConnectionPoints, 0xB196B285);
PM_CP_IID(IID_IConnectionPoint, 0xB196B286);
PM_CP_IID(IID_IEnumConnections, 0xB196B287);
#undef PM_CP_IID

const IID IID_IProvideClassInfo2 = {
    0xA6BC3AC0, 0xDBAA, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
const IID IID_IProvideMultipleClassInfo = {
    0xA7ABA9C1, 0x8983, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};

namespace pm {

std::string guidToString(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                  g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return buf;
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text+pos.
bool readHex(const char* text, size_t pos, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        int v = hexValue(text[pos + i]);
        if (v < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

} // namespace

bool parseGuid(const char* text, GUID& guid) {
    if (!text || std::strlen(text) != 38 || text[0] != '{' || text[37] != '}') return false;
    if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') return false;
    std::uint32_t v;
    GUID g{};
    if (!readHex(text, 1, 8, v)) return false;
    g.Data1 = v;
    if (!readHex(text, 10, 4, v)) return false;
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 15, 4, v)) return false;
    g.Data3 = static_cast<std::uint16_t>(v);
    static const size_t kBytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(text, kBytePos[i], 2, v)) return false;
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    guid = g;
    return true;
}

} // namespace pm

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    std::string text = pm::guidToString(rguid);
    if (!lpsz || cchMax < static_cast<int>(text.size()) + 1) return 0;
    for (size_t i = 0; i < text.size(); ++i)
        lpsz[i] = static_cast<OLECHAR>(text[i]);
    lpsz[text.size()] = 0;
    return static_cast<int>(text.size()) + 1;
}

HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz) {
    if (!lplpsz) return E_INVALIDARG;
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc(39 * sizeof(OLECHAR)));
    if (!out) return E_OUTOFMEMORY;
    StringFromGUID2(rclsid, out, 39);
    *lplpsz = out;
    return S_OK;
}

HRESULT StringFromIID(REFIID riid, LPOLESTR* lplpsz) {
    return StringFromCLSID(riid, lplpsz);
}

HRESULT IIDFromString(LPCOLESTR lpsz, LPGUID lpiid) {
    if (!lpsz || !lpiid) return E_INVALIDARG;
    std::string text = pm::toBytes(lpsz, pm::oleStrLen(lpsz));
    return pm::parseGuid(text.c_str(), *lpiid) ? S_OK : E_INVALIDARG;
}
