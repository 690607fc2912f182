// SAFEARRAYs of VARIANTs (and of plain scalars, copied bytewise).

#include "platform/com/oleauto.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr ULONG kMaxElements = 1u << 28;

// The stored SAFEARRAY is preceded by its element VARTYPE.
struct Header {
    VARTYPE vt;
};

size_t headerBytes() {
    return (sizeof(Header) + alignof(SAFEARRAY) - 1) / alignof(SAFEARRAY) * alignof(SAFEARRAY);
}

ULONG elementSize(VARTYPE vt) {
    switch (vt) {
    case VT_VARIANT:
        return sizeof(VARIANT);
    case VT_I2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_ERROR:
    case VT_INT:
        return 4;
    case VT_R8:
    case VT_DATE:
    case VT_CY:
        return 8;
    case VT_UI1:
        return 1;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    default:
        return 0;
    }
}

VARTYPE elementType(SAFEARRAY* psa) {
    return reinterpret_cast<Header*>(reinterpret_cast<unsigned char*>(psa) - headerBytes())->vt;
}

ULONG elementCount(SAFEARRAY* psa) {
    ULONG n = 1;
    for (USHORT i = 0; i < psa->cDims; ++i)
        n *= psa->rgsabound[i].cElements;
    return psa->cDims ? n : 0;
}

// The bound of dimension nDim (1 = leftmost); bounds are stored rightmost first.
SAFEARRAYBOUND* boundOf(SAFEARRAY* psa, UINT nDim) {
    return &psa->rgsabound[psa->cDims - nDim];
}

void clearElement(VARTYPE vt, void* p) {
    switch (vt) {
    case VT_VARIANT:
        VariantClear(static_cast<VARIANT*>(p));
        break;
    case VT_BSTR:
        SysFreeString(*static_cast<BSTR*>(p));
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (*static_cast<IUnknown**>(p)) (*static_cast<IUnknown**>(p))->Release();
        break;
    default:
        break;
    }
}

HRESULT copyElement(VARTYPE vt, const void* from, void* to) {
    switch (vt) {
    case VT_VARIANT: {
        auto* dst = static_cast<VARIANT*>(to);
        VariantInit(dst);
        return VariantCopy(dst, static_cast<const VARIANT*>(from));
    }
    case VT_BSTR: {
        BSTR s = *static_cast<const BSTR*>(from);
        *static_cast<BSTR*>(to) = s ? SysAllocStringLen(s, SysStringLen(s)) : nullptr;
        return S_OK;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IUnknown* u = *static_cast<IUnknown* const*>(from);
        if (u) u->AddRef();
        *static_cast<IUnknown**>(to) = u;
        return S_OK;
    }
    default:
        std::memcpy(to, from, elementSize(vt));
        return S_OK;
    }
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
    ULONG size = elementSize(vt);
    if (!size || cDims == 0 || cDims > 60 || !rgsabound) return nullptr;
    unsigned long long count = 1;
    for (UINT i = 0; i < cDims; ++i) {
        count *= rgsabound[i].cElements;
        if (count > kMaxElements) return nullptr;
    }
    size_t bytes = headerBytes() + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, bytes));
    if (!block) return nullptr;
    reinterpret_cast<Header*>(block)->vt = vt;
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + headerBytes());
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = FADF_HAVEVARTYPE | (vt == VT_VARIANT ? FADF_VARIANT : 0);
    psa->cbElements = size;
    for (UINT i = 0; i < cDims; ++i)
        psa->rgsabound[cDims - 1 - i] = rgsabound[i];
    psa->pvData = std::calloc(count ? count : 1, size); // zero bytes are VT_EMPTY and null
    if (!psa->pvData) {
        std::free(block);
        return nullptr;
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    SAFEARRAYBOUND b{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &b);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
    VARTYPE vt = elementType(psa);
    auto* data = static_cast<unsigned char*>(psa->pvData);
    ULONG n = elementCount(psa);
    for (ULONG i = 0; i < n; ++i)
        clearElement(vt, data + i * psa->cbElements);
    std::free(psa->pvData);
    std::free(reinterpret_cast<unsigned char*>(psa) - headerBytes());
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) {
    return psa ? psa->cDims : 0;
}
UINT SafeArrayGetElemsize(SAFEARRAY* psa) {
    return psa ? psa->cbElements : 0;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    if (!psa || !pvt) return E_INVALIDARG;
    *pvt = elementType(psa);
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (!psa || !plLbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    *plLbound = boundOf(psa, nDim)->lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (!psa || !plUbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    SAFEARRAYBOUND* b = boundOf(psa, nDim);
    *plUbound = static_cast<LONG>(b->lLbound + static_cast<long long>(b->cElements) - 1);
    return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
    if (!psa || !rgIndices || !ppvData) return E_INVALIDARG;
    // Leftmost index varies slowest in our layout: offset = ((i1 * n2) + i2) * n3 + ...
    unsigned long long offset = 0;
    for (UINT d = 1; d <= psa->cDims; ++d) {
        SAFEARRAYBOUND* b = boundOf(psa, d);
        long long rel = static_cast<long long>(rgIndices[d - 1]) - b->lLbound;
        if (rel < 0 || rel >= static_cast<long long>(b->cElements)) return DISP_E_BADINDEX;
        offset = offset * b->cElements + static_cast<unsigned long long>(rel);
    }
    *ppvData = static_cast<unsigned char*>(psa->pvData) + offset * psa->cbElements;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    void* p;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &p);
    if (FAILED(hr)) return hr;
    if (!pv) return E_INVALIDARG;
    return copyElement(elementType(psa), p, pv);
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    void* p;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &p);
    if (FAILED(hr)) return hr;
    if (!pv) return E_INVALIDARG;
    VARTYPE vt = elementType(psa);
    // Interfaces and strings are passed by value (the pointer), the rest by address.
    const void* from = pv;
    void* value = pv;
    if (vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN) from = &value;
    unsigned char fresh[sizeof(VARIANT)];
    hr = copyElement(vt, from, fresh);
    if (FAILED(hr)) return hr;
    clearElement(vt, p);
    std::memcpy(p, fresh, psa->cbElements);
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (!ppsaOut) return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa) return S_OK;
    std::vector<SAFEARRAYBOUND> bounds(psa->cDims);
    for (UINT d = 1; d <= psa->cDims; ++d)
        bounds[d - 1] = *boundOf(psa, d);
    VARTYPE vt = elementType(psa);
    SAFEARRAY* copy = SafeArrayCreate(vt, psa->cDims, bounds.data());
    if (!copy) return E_OUTOFMEMORY;
    ULONG n = elementCount(psa);
    auto* from = static_cast<unsigned char*>(psa->pvData);
    auto* to = static_cast<unsigned char*>(copy->pvData);
    for (ULONG i = 0; i < n; ++i)
        copyElement(vt, from + i * psa->cbElements, to + i * psa->cbElements);
    *ppsaOut = copy;
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (!psa->cLocks) return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (!psa || !ppvData) return E_INVALIDARG;
    SafeArrayLock(psa);
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) {
    return SafeArrayUnlock(psa);
}
