#include "scripting/CHHDebugApplication.h"

#include "platform/com/objbase.h"

IMPLEMENT_DYNCREATE(CHHDebugApplication, CObject)

namespace {

const CLSID kProcessDebugManager = {
    0x78A51822, 0x51F4, 0x11D0, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};

} // namespace

// No class here offers the debug manager's interfaces, so even a registered class is refused.
HRESULT CHHDebugApplication::Create(LPCTSTR) {
    Close();
    IUnknown* unknown = nullptr;
    HRESULT hr = CoCreateInstance(kProcessDebugManager, nullptr, CLSCTX_ALL, IID_IUnknown,
                                  reinterpret_cast<void**>(&unknown));
    if (FAILED(hr)) return hr;
    unknown->Release();
    return E_NOINTERFACE;
}
