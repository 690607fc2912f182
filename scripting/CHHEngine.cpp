#include "scripting/CHHEngine.h"

#include "editor/CHHFormater.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "scripting/CHHCmdTarget.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHScriptErrorDlg.h"
#include "scripting/ScriptStrings.h"

#include <algorithm>
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

// With a debug document the text becomes one script block of it, whose context the parse uses.
HRESULT CHHEngine::ParseScript(LPCTSTR lpszText, LPCTSTR lpszItemName, DWORD* pdwContext,
                               BOOL bAddNamedItemsFirst) {
    m_bErrorAnswered = 0;
    if (bAddNamedItemsFirst) AddAllNamedItems();
    DWORD_PTR context = 0;
    if (m_pDebugDocument) {
        const std::u16string text = pm::toUtf16(lpszText ? lpszText : "");
        m_pDebugDocument->AddUnicodeText(text.c_str());
        m_pDebugDocument->DefineScriptBlock(0, static_cast<ULONG>(text.size()), m_pScript.get(), FALSE,
                                            &context);
    }
    if (pdwContext) *pdwContext = static_cast<DWORD>(context);
    return ParseScriptText(lpszText, lpszItemName, static_cast<DWORD>(context), 0,
                           SCRIPTTEXT_HOSTMANAGESSOURCE);
}

HRESULT CHHEngine::SetBreakpoints(const DWORD* pPositions, int nCount, BOOL bSet, DWORD dwContext) {
    if (!m_pScript) return E_UNEXPECTED;
    pm::ComPtr<IActiveScriptDebug32> debug;
    const HRESULT hr = m_pScript->QueryInterface(IID_IActiveScriptDebug32, debug.putVoid());
    if (hr == E_NOINTERFACE) return S_OK;
    if (FAILED(hr)) return hr;
    const BREAKPOINT_STATE state = bSet ? BREAKPOINT_ENABLED : BREAKPOINT_DELETED;
    for (int i = 0; i < nCount; ++i) {
        pm::ComPtr<IEnumDebugCodeContexts> places;
        if (FAILED(debug->EnumCodeContextsOfPosition(dwContext, pPositions[i], 1, places.put())) || !places)
            continue;
        IDebugCodeContext* place = nullptr;
        while (places->Next(1, &place, nullptr) == S_OK && place) {
            place->SetBreakPoint(state);
            place->Release();
        }
    }
    return S_OK;
}

HRESULT CHHEngine::SetBreakpoint(DWORD dwPosition, BOOL bSet, DWORD dwContext) {
    return SetBreakpoints(&dwPosition, 1, bSet, dwContext);
}

void CHHEngine::ToCharacterPositions(LPCTSTR lpszText, CDWordArray& positions) {
    const CString text(lpszText ? lpszText : "");
    for (INT_PTR i = 0; i < positions.GetSize(); ++i) {
        const int bytes = std::min(static_cast<int>(positions[i]), text.GetLength());
        positions[i] = static_cast<DWORD>(pm::toUtf16(std::string(text, static_cast<size_t>(bytes))).size());
    }
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

int CHHEngine::AnswerError(IActiveScriptError* pError, CHHScriptErrorInfo& info, bool& bPausedHere) {
    info.Fill(pError, m_nParsing);
    bPausedHere = m_nScriptState == SCRIPTSTATE_CONNECTED;
    if (bPausedHere) SetScriptState(SCRIPTSTATE_DISCONNECTED);
    const int answer = m_pfnCallback ? m_pfnCallback(HHCB_SCRIPTERROR, m_pCallbackData, &info) : 0;
    if (answer != 0) return answer;
    // The box belongs to the window the user works in (the macro editor when it is open), so that
    // window is active again when the box closes.
    const BOOL disableDebug = !(m_pDebugApp && m_pDebugApp->IsAvailable());
    HWND owner = nullptr;
    GetWindow(&owner);
    return ShowErrorDialog(info, disableDebug, owner ? CWnd::FromHandle(owner) : AfxGetMainWnd());
}

void CHHEngine::ResumeAfterError(bool bPausedHere) {
    if (bPausedHere && m_nScriptState == SCRIPTSTATE_DISCONNECTED) SetScriptState(SCRIPTSTATE_CONNECTED);
}

HRESULT CHHEngine::OnScriptError(IActiveScriptError* pError) {
    if (m_bErrorAnswered) return S_OK;
    CHHScriptErrorInfo info;
    bool pausedHere = false;
    const int answer = AnswerError(pError, info, pausedHere);
    if (answer == -1) return S_OK;
    OnErrorDialogResult(answer, info);
    if (answer != IDC_HHERR_END) ResumeAfterError(pausedHere);
    return S_OK;
}

// Debug enters the debugger; any other answer is final, so the engine is told not to report the
// error again through OnScriptError, and a repeat is ignored until the engine enters script code.
HRESULT CHHEngine::OnScriptErrorDebug(IActiveScriptErrorDebug* pError, BOOL* pbEnterDebugger,
                                      BOOL* pbCallOnScriptErrorWhenContinuing) {
    if (pbEnterDebugger) *pbEnterDebugger = FALSE;
    if (pbCallOnScriptErrorWhenContinuing) *pbCallOnScriptErrorWhenContinuing = FALSE;
    if (m_bErrorAnswered) return E_FAIL;
    CHHScriptErrorInfo info;
    bool pausedHere = false;
    const int answer = AnswerError(pError, info, pausedHere);
    if (answer == IDC_HHERR_DEBUG) {
        if (pbEnterDebugger) *pbEnterDebugger = TRUE;
        ResumeAfterError(pausedHere);
        return S_OK;
    }
    if (answer == IDC_HHERR_END) OnErrorDialogResult(answer, info);
    m_bErrorAnswered = 1;
    if (answer != IDC_HHERR_END && answer != -1) ResumeAfterError(pausedHere);
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
