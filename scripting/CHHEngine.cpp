#include "scripting/CHHEngine.h"

#include "editor/CHHFormater.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "scripting/CHHCmdTarget.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHScriptErrorDlg.h"
#include "scripting/ScriptStrings.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CHHEngine, CHHEngineRaw)

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool endsWord(char c) {
    return c == '\0' || isBlank(c) || c == '\r' || c == '\n';
}

// "major.minor" (decimal); a missing minor is 0.
void parseVersion(const CString& text, DWORD& major, DWORD& minor) {
    major = static_cast<DWORD>(std::atoi(text));
    int dot = text.Find('.');
    minor = dot < 0 ? 0 : static_cast<DWORD>(std::atoi(static_cast<LPCTSTR>(text) + dot + 1));
}

} // namespace

CHHEngine::~CHHEngine() {
    Close();
}

void CHHEngine::SetFormater(CHHFormater* pFormater) {
    m_pFormater = pFormater;
    m_bCaseSensitive = pFormater && pFormater->IsCaseSensitive();
}

CString CHHEngine::FoldName(LPCTSTR lpszName) const {
    CString key(lpszName);
    if (!m_bCaseSensitive) key.MakeUpper();
    return key;
}

void CHHEngine::AddNamedItem(const CHHNamedItem& item, BOOL bAddNow) {
    m_namedItems[FoldName(item.m_strName)] = item;
    if (bAddNow) CHHEngineRaw::AddNamedItem(item.m_strName, item.m_dwFlags);
}

BOOL CHHEngine::AddNamedObject(LPCTSTR lpszName, CCmdTarget* pObject, DWORD dwFlags, BOOL bAddNow,
                               BOOL bOwnReference) {
    IDispatch* dispatch = GetScriptInterfaceOf(pObject);
    if (!dispatch) return FALSE;
    AddNamedItem(CHHNamedItem(lpszName, CString(), dwFlags, dispatch, bOwnReference), bAddNow);
    return TRUE;
}

void CHHEngine::AddAllNamedItems() {
    for (const auto& entry : m_namedItems)
        CHHEngineRaw::AddNamedItem(entry.second.m_strName, entry.second.m_dwFlags);
}

void CHHEngine::GetNamedItems(std::vector<CHHNamedItem>& items) const {
    for (const auto& entry : m_namedItems)
        items.push_back(entry.second);
}

HRESULT CHHEngine::ParseScript(LPCTSTR lpszText, LPCTSTR lpszItemName, DWORD* pdwContext,
                               BOOL bAddNamedItemsFirst) {
    m_bErrorAnswered = 0;
    if (bAddNamedItemsFirst) AddAllNamedItems();
    if (pdwContext) *pdwContext = 0;
    return ParseScriptText(lpszText, lpszItemName, 0, 0, SCRIPTTEXT_HOSTMANAGESSOURCE);
}

BOOL CHHEngine::GetTextAttributes(const char16_t* text, int length, WORD* attributes) {
    if (length == 0) return FALSE;
    return SUCCEEDED(GetScriptTextAttributes(text, static_cast<ULONG>(length), nullptr, 0, attributes));
}

HRESULT CHHEngine::Run(BOOL bAddNamedItemsFirst) {
    if (bAddNamedItemsFirst) AddAllNamedItems();
    m_bStopOnLeave = 0;
    return SetScriptState(SCRIPTSTATE_CONNECTED);
}

HRESULT CHHEngine::Pause() {
    if (m_nScriptState != SCRIPTSTATE_CONNECTED) return E_UNEXPECTED;
    return SetScriptState(SCRIPTSTATE_DISCONNECTED);
}

HRESULT CHHEngine::Resume() {
    if (m_nScriptState != SCRIPTSTATE_DISCONNECTED) return E_UNEXPECTED;
    return SetScriptState(SCRIPTSTATE_CONNECTED);
}

HRESULT CHHEngine::Stop() {
    m_bStopOnLeave = 0;
    return SetScriptState(SCRIPTSTATE_INITIALIZED);
}

// A declaration whose word runs to the end of the text (nothing behind it) is reported as failing.
void CHHEngine::DeclareTypeLibs(LPCTSTR lpszText, LPCTSTR lpszPrefix) {
    if (!IsCreated() || !lpszText || !lpszPrefix || !*lpszPrefix) return;
    const size_t prefixLength = std::strlen(lpszPrefix);
    for (const char* pos = std::strstr(lpszText, lpszPrefix); pos; pos = std::strstr(pos, lpszPrefix)) {
        pos += prefixLength;
        while (isBlank(*pos))
            ++pos;
        const char* end = pos;
        while (!endsWord(*end))
            ++end;
        CString word(pos, static_cast<int>(end - pos));
        GUID libid;
        DWORD major = 1, minor = 0;
        bool found = *end && FindTypeLibOfObject(word, libid, major, minor);
        if (!found && *end && word.GetLength() && word[0] == '{') {
            int colon = word.Find(':');
            found = pm::parseGuid(colon < 0 ? word : word.Left(colon), libid);
            if (colon >= 0) parseVersion(word.Mid(colon + 1), major, minor);
        }
        if (found && SUCCEEDED(AddTypeLib(libid, major, minor, 0))) return;
        CString message;
        message.Format(LoadScriptString(IDS_HH_CANTADDTYPELIB), static_cast<LPCTSTR>(word));
        AfxMessageBox(message, MB_OK);
    }
}

BOOL CHHEngine::FindTypeLibOfObject(LPCTSTR lpszObject, GUID& libid, DWORD& dwMajor, DWORD& dwMinor) {
    CLSID clsid;
    std::u16string text = pm::toUtf16(lpszObject ? lpszObject : "");
    const bool braced = !text.empty() && text[0] == u'{';
    if (braced ? !pm::parseGuid(lpszObject, clsid) : FAILED(CLSIDFromProgID(text.c_str(), &clsid)))
        return FALSE;
    WORD major = 0, minor = 0;
    if (!pm::classTypeLib(clsid, libid, major, minor)) return FALSE;
    dwMajor = major;
    dwMinor = minor;
    return TRUE;
}

HRESULT CHHEngine::GetItemInfo(LPCTSTR lpszName, DWORD dwReturnMask, IUnknown** ppUnk,
                               ITypeInfo** ppTypeInfo) {
    if (((dwReturnMask & SCRIPTINFO_IUNKNOWN) && !ppUnk) ||
        ((dwReturnMask & SCRIPTINFO_ITYPEINFO) && !ppTypeInfo))
        return E_INVALIDARG;
    if (ppUnk) *ppUnk = nullptr;
    if (ppTypeInfo) *ppTypeInfo = nullptr;
    auto it = m_namedItems.find(FoldName(lpszName));
    if (it == m_namedItems.end()) return E_UNEXPECTED;
    IUnknown* object = it->second.m_pUnknown;
    if (!object) return E_FAIL;
    if (dwReturnMask & SCRIPTINFO_IUNKNOWN) {
        object->AddRef();
        *ppUnk = object;
    }
    if (!(dwReturnMask & SCRIPTINFO_ITYPEINFO)) return S_OK;
    IProvideClassInfo* classInfo = nullptr;
    HRESULT hr = object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&classInfo));
    if (FAILED(hr)) return hr;
    hr = classInfo->GetClassInfo(ppTypeInfo);
    classInfo->Release();
    return hr;
}

void CHHEngine::OnStateChange(SCRIPTSTATE state) {
    if (m_pfnCallback)
        m_pfnCallback(HHCB_STATECHANGE, m_pCallbackData,
                      reinterpret_cast<void*>(static_cast<intptr_t>(state)));
}

HRESULT CHHEngine::OnScriptError(IActiveScriptError* pError) {
    if (m_bErrorAnswered) return S_OK;
    CHHScriptErrorInfo info;
    info.Fill(pError, m_nParsing);
    const bool pausedHere = m_nScriptState == SCRIPTSTATE_CONNECTED;
    if (pausedHere) SetScriptState(SCRIPTSTATE_DISCONNECTED);
    int answer = m_pfnCallback ? m_pfnCallback(HHCB_SCRIPTERROR, m_pCallbackData, &info) : 0;
    if (answer == 0) {
        // The box belongs to the window the user works in (the macro editor when it is open), so
        // that window is active again when the box closes.
        const BOOL disableDebug = !(m_pDebugApp && m_pDebugApp->IsAvailable());
        HWND owner = nullptr;
        GetWindow(&owner);
        answer = ShowErrorDialog(info, disableDebug, owner ? CWnd::FromHandle(owner) : AfxGetMainWnd());
    }
    if (answer == -1) return S_OK;
    OnErrorDialogResult(answer, info);
    if (answer != IDC_HHERR_END && pausedHere && m_nScriptState == SCRIPTSTATE_DISCONNECTED)
        SetScriptState(SCRIPTSTATE_CONNECTED);
    return S_OK;
}

void CHHEngine::OnLeaveScript() {
    if (m_bStopOnLeave) Stop();
}

int CHHEngine::ShowErrorDialog(const CHHScriptErrorInfo& info, BOOL bDisableDebug, CWnd* pParent) {
    CHHScriptErrorDlg dialog(info.m_nParsing != 0, FormatErrorText(info), bDisableDebug, pParent);
    return static_cast<int>(dialog.DoModal());
}

void CHHEngine::OnErrorDialogResult(int nButton, const CHHScriptErrorInfo& info) {
    if (nButton == IDC_HHERR_END) {
        m_bStopOnLeave = 1;
        if (m_pfnCallback)
            m_pfnCallback(HHCB_ERROREND, m_pCallbackData, const_cast<CHHScriptErrorInfo*>(&info));
    }
    if (nButton == IDC_HHERR_DEBUG && m_pScript)
        m_pScript->InterruptScriptThread(SCRIPTTHREADID_BASE, nullptr, SCRIPTINTERRUPT_DEBUG);
}
