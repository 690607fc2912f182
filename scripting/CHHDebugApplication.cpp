#include "scripting/CHHDebugApplication.h"

#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"

IMPLEMENT_DYNCREATE(CHHDebugApplication, CObject)

namespace {

const CLSID kProcessDebugManager = {
    0x78A51822, 0x51F4, 0x11D0, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};

} // namespace

HRESULT CHHDebugApplication::Create(LPCTSTR lpszName) {
    Close();
    pm::ComPtr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(kProcessDebugManager, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.putVoid());
    if (SUCCEEDED(hr)) hr = OleRun(unknown.get());
    if (SUCCEEDED(hr)) hr = unknown->QueryInterface(IID_IProcessDebugManager32, m_pManager.putVoid());
    if (FAILED(hr)) return hr;
    hr = m_pManager->CreateApplication(m_pApplication.put());
    if (SUCCEEDED(hr) && lpszName) m_pApplication->SetName(pm::toUtf16(lpszName).c_str());
    if (SUCCEEDED(hr)) hr = m_pManager->AddApplication(m_pApplication.get(), &m_dwCookie);
    if (FAILED(hr)) {
        m_pApplication.reset();
        m_pManager.reset();
    }
    return hr;
}

void CHHDebugApplication::Close() {
    if (IsAvailable()) m_pManager->RemoveApplication(m_dwCookie);
    m_dwCookie = 0;
    m_pApplication.reset();
    m_pManager.reset();
}

HRESULT CHHDebugApplication::CreateDocumentHelper(IDebugDocumentHelper** ppHelper) {
    if (!m_pManager) return E_UNEXPECTED;
    return m_pManager->CreateDebugDocumentHelper(nullptr, ppHelper);
}

HRESULT CHHDebugApplication::GetRootNode(IDebugApplicationNode** ppNode) {
    if (!m_pApplication) return E_UNEXPECTED;
    return m_pApplication->GetRootNode(ppNode);
}

HRESULT CHHDebugApplication::CauseBreak() {
    if (!m_pApplication) return E_UNEXPECTED;
    return m_pApplication->CauseBreak();
}

HRESULT CHHDebugApplication::StartDebugSession() {
    if (!m_pApplication) return E_UNEXPECTED;
    return m_pApplication->StartDebugSession();
}
