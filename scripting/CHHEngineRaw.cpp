#include "scripting/CHHEngineRaw.h"

#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/ScriptStrings.h"

IMPLEMENT_DYNAMIC(CHHEngineRaw, CCmdTarget)

namespace {

std::u16string wide(const CString& text) {
    return pm::toUtf16(text, static_cast<size_t>(text.GetLength()));
}

} // namespace

// The site the engine calls; each method forwards to the owner's operation. Its reference count
// never frees it: the owner closes the engine before it goes.
class CHHEngineRaw::XSite final : public IActiveScriptSite,
                                  public IActiveScriptSiteWindow,
                                  public IActiveScriptSiteDebug32 {
public:
    explicit XSite(CHHEngineRaw& owner) : m_owner(owner) {}
    virtual ~XSite() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IActiveScriptSite)
            return pm::answerInterface<IActiveScriptSite>(this, ppv);
        if (riid == IID_IActiveScriptSiteWindow)
            return pm::answerInterface<IActiveScriptSiteWindow>(this, ppv);
        if (riid == IID_IActiveScriptSiteDebug32)
            return pm::answerInterface<IActiveScriptSiteDebug32>(this, ppv);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return m_refs > 0 ? --m_refs : 0; }

    HRESULT STDMETHODCALLTYPE GetLCID(LCID* plcid) override { return m_owner.GetLCID(plcid); }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** ppUnk,
                                          ITypeInfo** ppTi) override {
        std::string bytes = pm::toBytes(name, name ? pm::oleStrLen(name) : 0);
        return m_owner.GetItemInfo(bytes.c_str(), mask, ppUnk, ppTi);
    }
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR* pbstr) override {
        return m_owner.GetDocVersionString(pbstr);
    }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override {
        m_owner.OnScriptTerminate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE state) override {
        m_owner.m_nScriptState = state;
        m_owner.OnStateChange(state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* pError) override {
        return m_owner.OnScriptError(pError);
    }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override {
        m_owner.OnEnterScript();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override {
        m_owner.OnLeaveScript();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override { return m_owner.GetWindow(phwnd); }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override { return m_owner.EnableModeless(enable); }

    HRESULT STDMETHODCALLTYPE GetDocumentContextFromPosition(DWORD context, ULONG offset, ULONG count,
                                                             IDebugDocumentContext** ppsc) override {
        return m_owner.GetDocumentContextFromPosition(context, offset, count, ppsc);
    }
    HRESULT STDMETHODCALLTYPE GetApplication(IDebugApplication** ppda) override {
        return m_owner.GetApplication(ppda);
    }
    HRESULT STDMETHODCALLTYPE GetRootApplicationNode(IDebugApplicationNode** ppdanRoot) override {
        return m_owner.GetRootApplicationNode(ppdanRoot);
    }
    HRESULT STDMETHODCALLTYPE OnScriptErrorDebug(IActiveScriptErrorDebug* pError, BOOL* pfEnterDebugger,
                                                 BOOL* pfCallOnScriptError) override {
        return m_owner.OnScriptErrorDebug(pError, pfEnterDebugger, pfCallOnScriptError);
    }

private:
    CHHEngineRaw& m_owner;
    ULONG m_refs = 0;
};

CHHEngineRaw::CHHEngineRaw() : m_xSite(std::make_unique<XSite>(*this)) {}

CHHEngineRaw::~CHHEngineRaw() {
    Close();
}

HRESULT CHHEngineRaw::Create(LPCTSTR lpszProgIDOrCLSID, CHHDebugApplication* pDebugApp, LPCTSTR lpszName,
                             LPCTSTR lpszLongName, BOOL bWantDebugDocument) {
    std::u16string text = pm::toUtf16(lpszProgIDOrCLSID ? lpszProgIDOrCLSID : "");
    CLSID clsid;
    HRESULT hr = text.size() && text[0] == u'{' ? CLSIDFromString(text.c_str(), &clsid)
                                                : CLSIDFromProgID(text.c_str(), &clsid);
    if (FAILED(hr)) return hr;
    return CreateFromCLSID(clsid, pDebugApp, lpszName, lpszLongName, bWantDebugDocument);
}

// A debug document that cannot be made leaves the engine working; the answer is then S_FALSE.
HRESULT CHHEngineRaw::CreateFromCLSID(REFCLSID clsid, CHHDebugApplication* pDebugApp, LPCTSTR lpszName,
                                      LPCTSTR lpszLongName, BOOL bWantDebugDocument) {
    Close();
    m_nScriptState = m_bErrorAnswered = m_nParsing = 0;
    m_strName = lpszName ? CString(lpszName) : LoadScriptString(IDS_HH_UNTITLED);
    m_strLongName = lpszLongName ? CString(lpszLongName) : m_strName;
    m_clsid = clsid;
    m_pDebugApp = pDebugApp;
    pm::ComPtr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.putVoid());
    if (SUCCEEDED(hr)) hr = OleRun(unknown.get());
    pm::ComPtr<IActiveScript> script;
    pm::ComPtr<IActiveScriptParse> parse;
    if (SUCCEEDED(hr)) hr = unknown.as(IID_IActiveScript, script);
    if (SUCCEEDED(hr)) hr = script.as(IID_IActiveScriptParse, parse);
    if (SUCCEEDED(hr)) hr = parse->InitNew();
    if (SUCCEEDED(hr)) hr = script->SetScriptSite(m_xSite.get());
    if (FAILED(hr)) {
        if (script) script->Close();
        return hr;
    }
    m_pScript = script;
    m_pParse = parse;
    if (!pDebugApp || !bWantDebugDocument) return S_OK;
    return SUCCEEDED(CreateDebugDocument()) ? S_OK : S_FALSE;
}

HRESULT CHHEngineRaw::CreateDebugDocument() {
    pm::ComPtr<IDebugDocumentHelper> document;
    HRESULT hr = m_pDebugApp->CreateDocumentHelper(document.put());
    if (SUCCEEDED(hr))
        hr = document->Init(m_pDebugApp->GetApplication(), wide(m_strName).c_str(),
                            wide(m_strLongName).c_str(), 0);
    if (SUCCEEDED(hr)) hr = document->Attach(nullptr);
    if (SUCCEEDED(hr)) m_pDebugDocument = document;
    return hr;
}

HRESULT CHHEngineRaw::Recreate() {
    const BOOL hadDocument = m_pDebugDocument ? TRUE : FALSE;
    return CreateFromCLSID(m_clsid, m_pDebugApp, m_strName, m_strLongName, hadDocument);
}

void CHHEngineRaw::Close() {
    pm::ComPtr<IActiveScript> script = std::move(m_pScript); // Close may call back into the site
    m_pParse.reset();
    if (script) script->Close();
    m_nScriptState = 0;
    pm::ComPtr<IDebugDocumentHelper> document = std::move(m_pDebugDocument);
    if (document) document->Detach();
}

void CHHEngineRaw::SetName(LPCTSTR lpszName) {
    m_strName = lpszName;
    if (m_pDebugDocument) m_pDebugDocument->SetShortName(wide(m_strName).c_str());
}

void CHHEngineRaw::SetLongName(LPCTSTR lpszName) {
    m_strLongName = lpszName;
    if (m_pDebugDocument) m_pDebugDocument->SetLongName(wide(m_strLongName).c_str());
}

HRESULT CHHEngineRaw::AddNamedItem(LPCTSTR lpszName, DWORD dwFlags) {
    if (!m_pScript) return E_UNEXPECTED;
    return m_pScript->AddNamedItem(pm::toUtf16(lpszName).c_str(), dwFlags);
}

HRESULT CHHEngineRaw::AddTypeLib(REFGUID guid, DWORD dwMajor, DWORD dwMinor, DWORD dwFlags) {
    if (!m_pScript) return E_UNEXPECTED;
    return m_pScript->AddTypeLib(guid, dwMajor, dwMinor, dwFlags);
}

HRESULT CHHEngineRaw::GetScriptTextAttributes(LPCOLESTR pstrCode, ULONG uNumCodeChars,
                                              LPCOLESTR pstrDelimiter, DWORD dwFlags,
                                              SOURCE_TEXT_ATTR* pattr) {
    if (!m_pScript) return E_UNEXPECTED;
    pm::ComPtr<IActiveScriptDebug32> debug;
    const HRESULT hr = m_pScript->QueryInterface(IID_IActiveScriptDebug32, debug.putVoid());
    if (FAILED(hr)) return hr;
    return debug->GetScriptTextAttributes(pstrCode, uNumCodeChars, pstrDelimiter, dwFlags, pattr);
}

HRESULT CHHEngineRaw::SetScriptState(SCRIPTSTATE state) {
    pm::ComPtr<IActiveScript> script = m_pScript; // the engine may be closed from inside the call
    if (!script) return E_UNEXPECTED;
    return script->SetScriptState(state);
}

HRESULT CHHEngineRaw::ParseScriptText(LPCTSTR lpszCode, LPCTSTR lpszItemName, DWORD dwSourceContext,
                                      ULONG ulStartingLine, DWORD dwFlags) {
    pm::ComPtr<IActiveScriptParse> parse = m_pParse;
    if (!parse) return E_UNEXPECTED;
    m_bErrorAnswered = 0;
    m_nParsing = 1;
    std::u16string code = pm::toUtf16(lpszCode ? lpszCode : "");
    std::u16string item = pm::toUtf16(lpszItemName ? lpszItemName : "");
    HRESULT hr = parse->ParseScriptText(code.c_str(), lpszItemName ? item.c_str() : nullptr, nullptr, nullptr,
                                        dwSourceContext, ulStartingLine, dwFlags, nullptr, nullptr);
    m_nParsing = 0;
    return hr;
}

CString CHHEngineRaw::FormatErrorText(const CHHScriptErrorInfo& info) {
    CString text;
    text.Format(LoadScriptString(IDS_HH_ERRORPOSITION), static_cast<int>(info.m_nLine),
                static_cast<int>(info.m_nCharPos));
    if (!info.m_strSourceLine.IsEmpty()) text += LoadScriptString(IDS_HH_SOURCELINE) + info.m_strSourceLine;
    if (!info.m_strDescription.IsEmpty())
        text += LoadScriptString(IDS_HH_DESCRIPTION) + info.m_strDescription;
    return text;
}

HRESULT CHHEngineRaw::GetLCID(LCID* plcid) {
    if (plcid) *plcid = 0;
    return S_OK;
}

HRESULT CHHEngineRaw::GetItemInfo(LPCTSTR, DWORD, IUnknown**, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT CHHEngineRaw::GetDocVersionString(BSTR*) {
    return E_NOTIMPL;
}

void CHHEngineRaw::OnScriptTerminate() {}

void CHHEngineRaw::OnStateChange(SCRIPTSTATE) {}

HRESULT CHHEngineRaw::OnScriptError(IActiveScriptError* pError) {
    CHHScriptErrorInfo info;
    info.Fill(pError, m_nParsing);
    AfxMessageBox(FormatErrorText(info), MB_ICONEXCLAMATION);
    return S_OK;
}

void CHHEngineRaw::OnEnterScript() {
    m_bErrorAnswered = 0;
}

void CHHEngineRaw::OnLeaveScript() {}

HRESULT CHHEngineRaw::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = nullptr;
    CWnd* main = AfxGetApp() ? AfxGetApp()->GetMainWnd() : nullptr;
    if (!main) return E_FAIL;
    HWND popup = ::GetLastActivePopup(main->GetSafeHwnd());
    *phwnd = popup ? popup : main->GetSafeHwnd();
    return *phwnd ? S_OK : E_FAIL;
}

HRESULT CHHEngineRaw::EnableModeless(BOOL bEnable) {
    CWinApp* app = AfxGetApp();
    if (!app) return E_FAIL;
    app->EnableModeless(bEnable);
    return S_OK;
}

HRESULT CHHEngineRaw::OnScriptErrorDebug(IActiveScriptErrorDebug*, BOOL* pbEnterDebugger,
                                         BOOL* pbCallOnScriptErrorWhenContinuing) {
    if (pbEnterDebugger) *pbEnterDebugger = FALSE;
    if (pbCallOnScriptErrorWhenContinuing) *pbCallOnScriptErrorWhenContinuing = TRUE;
    return S_OK;
}

HRESULT CHHEngineRaw::Create(CHHDebugApplication*, LPCTSTR, LPCTSTR, BOOL) {
    return E_FAIL;
}

HRESULT CHHEngineRaw::GetDocumentContextFromPosition(DWORD dwSourceContext, ULONG uCharacterOffset,
                                                     ULONG uNumChars, IDebugDocumentContext** ppContext) {
    if (!ppContext) return E_POINTER;
    *ppContext = nullptr;
    if (!m_pDebugDocument) return E_UNEXPECTED;
    pm::ComPtr<IActiveScript> script;
    ULONG start = 0, count = 0;
    HRESULT hr = m_pDebugDocument->GetScriptBlockInfo(dwSourceContext, script.put(), &start, &count);
    if (FAILED(hr)) return hr;
    return m_pDebugDocument->CreateDebugDocumentContext(start + uCharacterOffset, uNumChars, ppContext);
}

HRESULT CHHEngineRaw::GetApplication(IDebugApplication** ppApplication) {
    if (!ppApplication) return E_POINTER;
    *ppApplication = m_pDebugApp ? m_pDebugApp->GetApplication() : nullptr;
    if (!*ppApplication) return E_UNEXPECTED;
    (*ppApplication)->AddRef();
    return S_OK;
}

HRESULT CHHEngineRaw::GetRootApplicationNode(IDebugApplicationNode** ppNode) {
    if (!ppNode) return E_POINTER;
    *ppNode = nullptr;
    if (!m_pDebugApp) return E_UNEXPECTED;
    return m_pDebugApp->GetRootNode(ppNode);
}
