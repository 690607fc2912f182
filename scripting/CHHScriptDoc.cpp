#include "scripting/CHHScriptDoc.h"

#include "scripting/CHHModule.h"
#include "scripting/CHHScriptErrorInfo.h"
#include "scripting/CHHVBScriptEngine.h"

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

void viewCallback(void* data, LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos, BOOL on) {
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

BOOL CHHScriptDoc::InitEngine() {
    if (m_pEngine) return TRUE;
    m_pEngine = std::make_unique<CHHVBScriptEngine>();
    if (FAILED(m_pEngine->Create(nullptr, nullptr, nullptr, FALSE))) {
        m_pEngine.reset();
        return FALSE;
    }
    m_pEngine->SetCallback(engineCallback, this);
    return TRUE;
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
    if (CHHScriptViewBase* view = GetScriptView()) view->GoToLineColumn(static_cast<int>(info.m_nLine), info.m_nCharPos);
}

// There is no script debugger here, so the engine takes no breakpoints: the change stays in the view.
void CHHScriptDoc::OnViewBreakpoint(LPCTSTR, LPCTSTR, int, int, int, BOOL) {}

void CHHScriptDoc::OnRun() {
    CHHScriptViewBase* view = GetScriptView();
    if (!view || !m_pEngine) return;
    const CString text = view->GetScriptText();
    m_pEngine->DeclareTypeLibs(text, m_strTypeLibPrefix);
    if (m_pEngine->ParseScript(text, nullptr, &m_dwScriptCookie, FALSE) < 0) return;
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
    if (CHHScriptViewBase* view = GetScriptView()) view->Serialize(ar);
}

BOOL CHHScriptDoc::OnNewDocument() {
    if (!InitEngine()) return FALSE;
    if (CHHScriptViewBase* view = GetScriptView()) view->InitView();
    if (!CDocument::OnNewDocument()) return FALSE;
    FillView();
    if (CHHScriptViewBase* view = GetScriptView()) view->ShowProcedure(nullptr, nullptr, FALSE);
    return TRUE;
}

void CHHScriptDoc::OnCloseDocument() {
    if (m_pEngine) m_pEngine->Stop();
    CDocument::OnCloseDocument();
}
