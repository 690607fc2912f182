#include "scripting/CHHScriptDoc.h"

#include "platform/framework/Exceptions.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHScriptApp.h"
#include "scripting/CHHScriptErrorInfo.h"
#include "scripting/CHHVBScriptEngine.h"

#include <new>
#include <vector>

IMPLEMENT_DYNCREATE(CHHScriptDoc, CDocument)

BEGIN_MESSAGE_MAP(CHHScriptDoc, CDocument)
    ON_COMMAND(ID_HHSCRIPT_RUN, OnRun)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_RUN, OnUpdateRun)
    ON_COMMAND(ID_HHSCRIPT_STOP, OnStop)
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_STOP, OnUpdateStop)
END_MESSAGE_MAP()

namespace {

int engineCallback(int type, void* data, void* argument) {
    if (type == HHCB_ERROREND && argument)
        static_cast<CHHScriptDoc*>(data)->OnErrorEnded(*static_cast<CHHScriptErrorInfo*>(argument));
    return 0;
}

// The edit control takes no more; a larger plain-text file is refused rather than cut short.
constexpr ULONGLONG kMaxScriptBytes = 0xA00000;

void viewCallback(void* data, LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos,
                  BOOL on) {
    static_cast<CHHScriptDoc*>(data)->OnViewBreakpoint(object, procedure, line, charPos, modulePos, on);
}

} // namespace

CHHScriptDoc::~CHHScriptDoc() {
    if (m_pEngine) m_pEngine->SetCallback(nullptr, nullptr);
}

CHHScriptViewBase* CHHScriptDoc::GetScriptView() {
    POSITION pos = GetFirstViewPosition();
    while (pos)
        if (auto* view = dynamic_cast<CHHScriptViewBase*>(GetNextView(pos))) return view;
    return nullptr;
}

CHHDebugApplication* CHHScriptDoc::GetDebugApplication() {
    auto* app = dynamic_cast<CHHScriptApp*>(AfxGetApp());
    return app ? &app->GetDebugApplication() : nullptr;
}

void CHHScriptDoc::CreateEngine() {
    m_pEngine.reset(new (std::nothrow) CHHVBScriptEngine);
}

BOOL CHHScriptDoc::InitEngine() {
    if (m_pEngine) return TRUE;
    CreateEngine();
    if (!m_pEngine) return FALSE;
    if (FAILED(m_pEngine->Create(GetDebugApplication(), nullptr, nullptr, FALSE))) {
        m_pEngine.reset();
        return FALSE;
    }
    m_pEngine->SetCallback(engineCallback, this);
    return TRUE;
}

void CHHScriptDoc::ClearObjects() {
    if (m_pEngine) m_pEngine->RemoveAllNamedItems();
}

void CHHScriptDoc::DeclareObjects(LPCTSTR text) {
    if (text && m_pEngine) m_pEngine->DeclareTypeLibs(text, m_strTypeLibPrefix);
}

void CHHScriptDoc::FillView() {
    CHHScriptViewBase* view = GetScriptView();
    if (!view || !m_pEngine) return;
    view->SetViewCallback(viewCallback, this);
    view->UseEngine(m_pEngine.get());
    view->AddSectionObject(nullptr, nullptr);
    std::vector<CHHNamedItem> items;
    m_pEngine->GetNamedItems(items);
    for (const CHHNamedItem& item : items)
        view->AddNamedItem(item);
}

void CHHScriptDoc::OnErrorEnded(const CHHScriptErrorInfo& info) {
    if (CHHScriptViewBase* view = GetScriptView())
        view->GoToLineColumn(static_cast<int>(info.m_nLine), info.m_nCharPos);
}

// The engine sets or deletes the breakpoint at the place in the text it parsed last; an engine
// that cannot debug (every engine here) ignores it, and the breakpoint stays in the view.
void CHHScriptDoc::OnViewBreakpoint(LPCTSTR, LPCTSTR, int, int charPos, int procedureStart, BOOL on) {
    if (!m_pEngine) return;
    CDWordArray position;
    position.Add(static_cast<DWORD>(procedureStart + charPos));
    if (CHHScriptViewBase* view = GetScriptView())
        CHHEngine::ToCharacterPositions(view->GetScriptText(), position);
    m_pEngine->SetBreakpoint(position[0], on, m_dwScriptCookie);
}

// The view's whole text goes to the engine with the named items, then its breakpoints, then the
// engine starts.
void CHHScriptDoc::OnRun() {
    CHHScriptViewBase* view = GetScriptView();
    if (!view || !m_pEngine) return;
    const CString text = view->GetScriptText();
    CDWordArray breakpoints;
    view->GetBreakpoints(breakpoints);
    DeclareObjects(text);
    if (m_pEngine->ParseScript(text, nullptr, &m_dwScriptCookie, TRUE) < 0) return;
    CHHEngine::ToCharacterPositions(text, breakpoints);
    m_pEngine->SetBreakpoints(breakpoints.GetData(), static_cast<int>(breakpoints.GetSize()), TRUE,
                              m_dwScriptCookie);
    m_pEngine->Run(FALSE);
}

void CHHScriptDoc::OnUpdateRun(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pEngine && m_pEngine->GetScriptState() != SCRIPTSTATE_CONNECTED);
}

void CHHScriptDoc::OnStop() {
    if (m_pEngine) m_pEngine->Stop();
}

void CHHScriptDoc::OnUpdateStop(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pEngine && m_pEngine->GetScriptState() == SCRIPTSTATE_CONNECTED);
}

void CHHScriptDoc::Serialize(CArchive& ar) {
    CHHScriptViewBase* view = GetScriptView();
    if (!view) return;
    if (!m_bPlainText) return view->Serialize(ar);
    if (ar.IsStoring()) {
        const CString text = view->GetScriptText();
        ar.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
        return;
    }
    const ULONGLONG length = ar.GetFile()->GetLength();
    if (length > kMaxScriptBytes) AfxThrowArchiveException(CArchiveException::badIndex);
    std::vector<char> bytes(static_cast<size_t>(length) + 1, '\0');
    const UINT read = ar.Read(bytes.data(), static_cast<UINT>(length));
    bytes[read] = '\0';
    view->SetScriptText(bytes.data(), m_pEngine ? m_pEngine->GetTextParser() : nullptr);
}

void CHHScriptDoc::SetTitle(LPCSTR lpszTitle) {
    CDocument::SetTitle(lpszTitle);
    if (m_pEngine) m_pEngine->SetName(GetTitle());
}

// The engine starts afresh without objects, and the view is filled again for it.
void CHHScriptDoc::DeleteContents() {
    if (m_pEngine) m_pEngine->Recreate();
    ClearObjects();
    if (CHHScriptViewBase* view = GetScriptView()) {
        view->ClearView();
        FillView();
    }
    CDocument::DeleteContents();
}

// The engine and the view are ready before the framework empties and fills the document.
BOOL CHHScriptDoc::prepare() {
    if (!InitEngine()) return FALSE;
    if (CHHScriptViewBase* view = GetScriptView()) view->InitView();
    return TRUE;
}

void CHHScriptDoc::showFirstObject() {
    if (CHHScriptViewBase* view = GetScriptView()) view->ShowProcedure(nullptr, nullptr, FALSE);
}

BOOL CHHScriptDoc::OnNewDocument() {
    if (!prepare() || !CDocument::OnNewDocument()) return FALSE;
    showFirstObject();
    return TRUE;
}

BOOL CHHScriptDoc::OnOpenDocument(LPCSTR lpszPathName) {
    if (!prepare() || !CDocument::OnOpenDocument(lpszPathName)) return FALSE;
    showFirstObject();
    return TRUE;
}

void CHHScriptDoc::OnCloseDocument() {
    if (m_pEngine) m_pEngine->Stop();
    CDocument::OnCloseDocument();
}
