#include "scripting/CHHModule.h"

#include "platform/win/file_contents.h"
#include "platform/com/objbase.h"
#include "platform/com/oleauto.h"
#include "platform/script/script_hooks.h"
#include "scripting/CHHCmdTarget.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CHHModule, CCmdTarget)

BEGIN_MESSAGE_MAP(CHHModule, CCmdTarget)
    ON_COMMAND(ID_HHSCRIPT_RUN, OnRun)
    ON_COMMAND(ID_HHSCRIPT_PAUSE, OnPause)
    ON_COMMAND(ID_HHSCRIPT_STOP, OnStop)
    ON_COMMAND(ID_HHSCRIPT_BREAK, OnBreak)
    ON_COMMAND(ID_HHSCRIPT_DEBUGGER, OnOpenDebugger)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_RUN, OnUpdateRun)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_PAUSE, OnUpdatePause)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_STOP, OnUpdateStop)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_BREAK, OnUpdateDebug)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_DEBUGGER, OnUpdateDebug)
END_MESSAGE_MAP()

namespace {

// While script code runs, the queue is served as the application's loop serves it (accelerators
// included): timers fire (a Timer event, the timer that stops the macro), windows paint and
// commands arrive, so a long loop neither hangs the program nor escapes a stop.
void serveQueue() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (pm::afx::preTranslateForApp(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Creates an object of a ProgID or CLSID text; null when it cannot be made.
pm::ComPtr<IUnknown> createObject(LPCTSTR lpszText) {
    std::u16string text = pm::toUtf16(lpszText ? lpszText : "");
    CLSID clsid;
    HRESULT hr = !text.empty() && text[0] == u'{' ? CLSIDFromString(text.c_str(), &clsid)
                                                  : CLSIDFromProgID(text.c_str(), &clsid);
    pm::ComPtr<IUnknown> first, object;
    if (FAILED(hr) || FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, first.putVoid())))
        return object;
    OleRun(first.get());
    first.as(IID_IUnknown, object);
    return object;
}

struct ObjectRecord {
    CString name, text;
    DWORD flags = 0;
};

} // namespace

CHHModule::CHHModule(CRuntimeClass* pEngineClass) : m_pEngineClass(pEngineClass) {}

CHHModule::~CHHModule() {
    Close();
}

BOOL CHHModule::Init(CHHDebugApplication* pDebugApp) {
    if (pDebugApp) m_pDebugApp = pDebugApp;
    CreateEngine(); // an engine object that could not create its engine is kept and tried again by Run
    if (!m_pEngine) return FALSE;
    OnEngineCreated();
    return TRUE;
}

void CHHModule::Close() {
    if (m_pEngine) {
        m_pEngine->Stop();
        m_pEngine.reset();
    }
    m_namedItems.clear();
    m_objects.clear();
}

BOOL CHHModule::IsRunning() const {
    return m_pEngine && m_pEngine->GetScriptState() == SCRIPTSTATE_CONNECTED;
}

BOOL CHHModule::IsPaused() const {
    return m_pEngine && m_pEngine->GetScriptState() == SCRIPTSTATE_DISCONNECTED;
}

void CHHModule::AddNamedObject(LPCTSTR lpszName, CCmdTarget* pObject, DWORD dwFlags, BOOL bOwnReference) {
    m_namedItems.emplace_back(lpszName, CString(), dwFlags, GetScriptInterfaceOf(pObject), bOwnReference);
}

BOOL CHHModule::AddObject(LPCTSTR lpszName, LPCTSTR lpszProgIDOrCLSID, DWORD dwFlags) {
    pm::ComPtr<IUnknown> object = createObject(lpszProgIDOrCLSID);
    if (!object) return FALSE;
    m_objects.emplace_back(lpszName, lpszProgIDOrCLSID, dwFlags, object.get(), TRUE);
    return TRUE;
}

// A Run that arrives while the script's global code runs (a command served from inside the
// script) finds the script running and does nothing; a second engine would abort the first.
BOOL CHHModule::Run() {
    if (m_bStarting) return TRUE;
    if (!m_pEngine && !CreateEngine()) return FALSE;
    m_bErrorPending = 0;
    if (IsPaused()) {
        if (FAILED(m_pEngine->Resume())) return FALSE;
        NotifyResume();
        return TRUE;
    }
    if (!CanRun()) return FALSE;
    if (IsRunning()) return TRUE;
    if (FAILED(m_pEngine->Recreate())) return FALSE;
    CString text = GetScriptText();
    CDWordArray breakpoints;
    GetBreakpoints(breakpoints);
    AddNamedItemsToEngine();
    DeclareObjects(text);
    if (!ParseScript(text, breakpoints)) return FALSE;
    pm::setScriptPollHook(serveQueue);
    m_bStarting = TRUE;
    HRESULT hr = m_pEngine->Run(FALSE);
    m_bStarting = FALSE;
    if (FAILED(hr)) return FALSE;
    NotifyRun();
    // A script that handles no event of its objects has done all it can once its global code
    // returned: the run is over, and the commands show it.
    if (IsRunning() && !HandlesEvents(text)) Stop();
    return TRUE;
}

BOOL CHHModule::HandlesEvents(LPCTSTR lpszText) const {
    CHHTextParser* parser = m_pEngine ? m_pEngine->GetTextParser() : nullptr;
    if (!parser) return TRUE; // no way to tell: the script stays connected
    CHHScriptProcedureList procedures;
    procedures.Parse(lpszText, parser);
    const auto isSource = [](const std::vector<CHHNamedItem>& items, const CString& name) {
        return std::any_of(items.begin(), items.end(), [&](const CHHNamedItem& item) {
            return (item.m_dwFlags & SCRIPTITEM_ISSOURCE) && item.m_strName.CompareNoCase(name) == 0;
        });
    };
    for (int i = 0; i < procedures.GetCount(); ++i) {
        const CString& object = procedures.GetAt(i).m_strName;
        if (isSource(m_namedItems, object) || isSource(m_objects, object)) return TRUE;
    }
    return FALSE;
}

HRESULT CHHModule::Pause() {
    int notified = NotifyPause();
    if (!m_pEngine) return notified;
    if (m_pEngine->GetScriptState() != SCRIPTSTATE_CONNECTED) return E_UNEXPECTED;
    return m_pEngine->SetScriptState(SCRIPTSTATE_DISCONNECTED);
}

// Without an engine object there is nothing to stop.
void CHHModule::Stop() {
    NotifyStop();
    if (m_pEngine) m_pEngine->Stop();
}

void CHHModule::Break() {
    if (m_pDebugApp) m_pDebugApp->CauseBreak();
}

void CHHModule::OpenDebugger() {
    if (m_pDebugApp) m_pDebugApp->StartDebugSession();
}

// A file that cannot be read whole is refused with the framework's message, and the module is
// left empty rather than half loaded.
BOOL CHHModule::LoadFromFile(LPCTSTR lpszPath) {
    CFileException openError;
    CFile file;
    CException* failure = nullptr;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &openError)) {
        failure = &openError;
    } else {
        try {
            CArchive ar(&file, CArchive::load, 4096);
            Serialize(ar);
            ar.Close();
            return TRUE;
        } catch (CException* e) {
            failure = e;
        }
    }
    ReportLoadError(failure, lpszPath);
    if (failure != &openError) failure->Delete();
    m_objects.clear();
    m_procedures.RemoveAll();
    return FALSE;
}

void CHHModule::ReportLoadError(CException* pError, LPCTSTR lpszPath) {
    if (auto* archive = dynamic_cast<CArchiveException*>(pError))
        if (archive->m_strFileName.IsEmpty()) archive->m_strFileName = lpszPath;
    char message[512] = {};
    pError->GetErrorMessage(message, sizeof message);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
}

BOOL CHHModule::SaveToFile(LPCTSTR lpszPath) {
    CMemFile memory;
    try {
        CArchive ar(&memory, CArchive::store, 4096);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    const auto size = static_cast<size_t>(memory.GetLength());
    BYTE* data = memory.Detach();
    const pm::sys::FileResult saved = pm::sys::replaceFileContents(
        lpszPath ? lpszPath : "", std::string_view(reinterpret_cast<char*>(data), size));
    free(data);
    return saved ? TRUE : FALSE;
}

void CHHModule::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        Load(ar);
        return;
    }
    if (!m_bNoHeader && !m_bPlainText) {
        ar.WriteClass(m_pEngineClass);
        ar << static_cast<DWORD>(m_objects.size());
        for (const CHHNamedItem& item : m_objects)
            ar << item.m_strName << item.m_strText << static_cast<DWORD>(item.m_dwFlags);
    }
    if (!m_bPlainText) {
        m_procedures.Serialize(ar);
        return;
    }
    CString text = m_procedures.GetText();
    ar.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
}

void CHHModule::Load(CArchive& ar) {
    CRuntimeClass* engineClass = m_pEngineClass;
    std::vector<ObjectRecord> objects;
    CHHScriptProcedureList procedures;
    if (!m_bNoHeader && !m_bPlainText) {
        engineClass = ar.ReadClass(RUNTIME_CLASS(CHHEngine));
        DWORD count = 0;
        ar >> count;
        ar.CheckCount(count, 6); // two length bytes and the flags at least
        objects.resize(count);
        for (ObjectRecord& record : objects)
            ar >> record.name >> record.text >> record.flags;
    }
    if (m_bPlainText) {
        CString text;
        const auto length = static_cast<int>(ar.GetFile()->GetLength());
        const UINT read = ar.Read(text.GetBufferSetLength(length), static_cast<UINT>(length));
        text.ReleaseBuffer(static_cast<int>(read));
        CHHTextParser* parser = m_pEngine ? m_pEngine->GetTextParser() : nullptr;
        CHHVBScriptTextParser fallback;
        procedures.Parse(text, parser ? parser : &fallback);
    } else {
        procedures.Serialize(ar);
    }
    if (engineClass != m_pEngineClass) m_pEngine.reset();
    m_pEngineClass = engineClass;
    m_objects.clear();
    for (const ObjectRecord& record : objects)
        AddObject(record.name, record.text, record.flags);
    m_procedures = std::move(procedures);
}

CString CHHModule::GetScriptText() {
    OnGetText();
    return m_procedures.GetText();
}

void CHHModule::GetBreakpoints(CDWordArray& positions) {
    m_procedures.GetBreakpoints(positions);
}

BOOL CHHModule::CreateEngine() {
    if (m_pEngine) return TRUE;
    if (!m_pEngineClass) return FALSE;
    auto* engine = dynamic_cast<CHHEngine*>(m_pEngineClass->CreateObject());
    if (!engine) return FALSE;
    m_pEngine.reset(engine);
    if (FAILED(engine->Create(m_pDebugApp, nullptr, nullptr, TRUE))) return FALSE;
    engine->SetCallback(EngineCallback, this);
    engine->SetName(m_strModuleName);
    engine->SetLongName(m_strModuleName);
    return TRUE;
}

BOOL CHHModule::CanRun() {
    return TRUE;
}

void CHHModule::AddNamedItemsToEngine() {
    m_pEngine->RemoveAllNamedItems();
    for (const CHHNamedItem& item : m_namedItems)
        if (item.m_pUnknown) m_pEngine->AddNamedItem(item, FALSE);
    for (const CHHNamedItem& item : m_objects)
        if (item.m_pUnknown) m_pEngine->AddNamedItem(item, FALSE);
}

void CHHModule::DeclareObjects(LPCTSTR lpszText) {
    if (lpszText) m_pEngine->DeclareTypeLibs(lpszText, m_strTypeLibPrefix);
}

BOOL CHHModule::ParseScript(LPCTSTR lpszText, const CDWordArray& breakpoints) {
    LPCTSTR item = m_strItemName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strItemName);
    if (FAILED(m_pEngine->ParseScript(lpszText, item, &m_dwSourceContext, TRUE))) return FALSE;
    CDWordArray positions;
    positions.Copy(breakpoints);
    CHHEngine::ToCharacterPositions(lpszText, positions);
    m_pEngine->SetBreakpoints(positions.GetData(), static_cast<int>(positions.GetSize()), TRUE,
                              m_dwSourceContext);
    return TRUE;
}

void CHHModule::OnEngineCreated() {}

void CHHModule::OnStateChange(int) {}

int CHHModule::OnScriptError(CHHScriptErrorInfo&) {
    return FALSE;
}

void CHHModule::OnErrorEnd(CHHScriptErrorInfo& info) {
    m_bErrorPending = 1;
    m_nErrorLine = static_cast<int>(info.m_nLine);
    m_nErrorColumn = static_cast<int>(info.m_nCharPos);
}

void CHHModule::NotifyRun() {
    Notify(1);
}

int CHHModule::NotifyPause() {
    return Notify(2);
}

void CHHModule::NotifyResume() {
    Notify(4);
}

void CHHModule::NotifyStop() {
    Notify(3);
}

void CHHModule::OnGetText() {}

void CHHModule::OnUpdateRun(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pEngine && !IsRunning());
}

void CHHModule::OnUpdatePause(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsRunning());
    pCmdUI->SetCheck(IsPaused());
}

void CHHModule::OnUpdateStop(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsRunning() || IsPaused());
}

void CHHModule::OnUpdateDebug(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pDebugApp && m_pDebugApp->IsAvailable());
}

int CHHModule::EngineCallback(int nType, void* pModule, void* pArgument) {
    auto* module = static_cast<CHHModule*>(pModule);
    switch (nType) {
    case HHCB_STATECHANGE:
        module->OnStateChange(static_cast<int>(reinterpret_cast<intptr_t>(pArgument)));
        return 0;
    case HHCB_SCRIPTERROR:
        return module->OnScriptError(*static_cast<CHHScriptErrorInfo*>(pArgument));
    case HHCB_ERROREND:
        module->OnErrorEnd(*static_cast<CHHScriptErrorInfo*>(pArgument));
        return 0;
    default:
        return 0;
    }
}
