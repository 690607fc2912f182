#include "scripting/CHHScriptSyntaxView.h"

#include "scripting/CHHScriptErrorInfo.h"

IMPLEMENT_DYNCREATE(CHHScriptSyntaxView, CHHScriptView)

BEGIN_MESSAGE_MAP(CHHScriptSyntaxView, CHHScriptView)
    ON_CONTROL(CBN_SELENDOK, IDC_HHSV_OBJECTS, OnObjectChosenChecked)
    ON_CONTROL(CBN_SELENDOK, IDC_HHSV_EVENTS, OnEventChosenChecked)
END_MESSAGE_MAP()

namespace {

int engineCallback(int type, void* data, void* argument) {
    if (type == HHCB_ERROREND && argument)
        static_cast<CHHScriptSyntaxView*>(data)->OnScriptError(*static_cast<CHHScriptErrorInfo*>(argument));
    return 0;
}

} // namespace

CHHScriptSyntaxView::~CHHScriptSyntaxView() {
    if (m_pEngine) m_pEngine->SetCallback(nullptr, nullptr);
}

BOOL CHHScriptSyntaxView::SetEngine(CHHEngine* engine) {
    return SetEngineClass(engine ? engine->GetRuntimeClass() : nullptr);
}

BOOL CHHScriptSyntaxView::SetEngineClass(CRuntimeClass* engineClass) {
    if (m_pEngine) m_pEngine->SetCallback(nullptr, nullptr);
    m_pEngine.reset();
    if (!engineClass) return TRUE;
    if (!engineClass->IsDerivedFrom(RUNTIME_CLASS(CHHEngine))) return FALSE;
    std::unique_ptr<CHHEngine> engine(static_cast<CHHEngine*>(engineClass->CreateObject()));
    if (!engine || engine->Create(nullptr, nullptr, nullptr, FALSE) < 0) return FALSE;
    engine->SetCallback(engineCallback, this);
    m_pEngine = std::move(engine);
    SetFormater(m_pEngine->GetFormater());
    SetTextParser(m_pEngine->GetTextParser());
    return TRUE;
}

void CHHScriptSyntaxView::OnScriptError(const CHHScriptErrorInfo& info) {
    m_nErrorLine = static_cast<int>(info.m_nLine);
    m_nErrorColumn = info.m_nCharPos;
}

CString CHHScriptSyntaxView::ProcedureText(LPCTSTR object, LPCTSTR procedure) {
    CHHScriptProcedureList::Location loc;
    if (!m_list.FindOrCreate(FALSE, IsCaseSensitive(), object, procedure, loc)) return CString();
    const CHHScriptProcedure& proc = *loc.pProcedure;
    if (!proc.m_bShown || !proc.m_bDirty) return proc.m_strHead + proc.m_strBody + proc.m_strTail;
    const CHHScriptEditCtrl::Found found =
        m_pEdit->FindProcedureByName(loc.pObject->m_strName, proc.m_strName);
    if (!found.pProcedure) return proc.m_strHead + proc.m_strBody + proc.m_strTail;
    return m_pEdit->GetTextRange(CHARRANGE{found.nStart, found.nStart + proc.GetLength()});
}

BOOL CHHScriptSyntaxView::CheckProcedure(LPCTSTR object, LPCTSTR procedure) {
    if (!m_pEngine || !m_pEngine->IsCreated() || m_bChecking || !object || !procedure) return TRUE;
    m_bChecking = TRUE;
    m_nErrorLine = m_nErrorColumn = 0;
    const CString text = ProcedureText(object, procedure);
    BOOL passed = TRUE;
    if (!text.IsEmpty()) {
        passed = m_pEngine->ParseScriptText(text, nullptr, 0, 0, 1) >= 0;
        m_pEngine->Recreate();
        if (!passed) GoToError(object, procedure);
    }
    m_bChecking = FALSE;
    return passed;
}

void CHHScriptSyntaxView::GoToError(LPCTSTR object, LPCTSTR procedure) {
    const BOOL noCreate = m_bNoCreate;
    m_bNoCreate = TRUE;
    CHHScriptProcedureList::Location loc;
    if (ShowProcedure(object, procedure, TRUE) &&
        m_list.FindOrCreate(FALSE, IsCaseSensitive(), object, procedure, loc)) {
        const CHHScriptEditCtrl::Found found =
            m_pEdit->FindProcedureByName(loc.pObject->m_strName, procedure);
        const int firstLine = static_cast<int>(m_pEdit->LineFromChar(found.nStart));
        const long pos = m_pEdit->LineIndex(firstLine + m_nErrorLine) + m_nErrorColumn;
        m_pEdit->SetSel(pos, pos);
        m_pEdit->SetFocus();
    }
    m_bNoCreate = noCreate;
}

BOOL CHHScriptSyntaxView::CheckSyntax() {
    return CheckProcedure(ComboText(m_wndObjects), ComboText(m_wndEvents));
}

// An engine that colours text does so first; the formater then classes the words it left at 0.
BOOL CHHScriptSyntaxView::ColorizeHook(const char16_t* text, int length, WORD* attributes) {
    if (!m_pEngine || !m_pEngine->IsCreated()) return CHHScriptView::ColorizeHook(text, length, attributes);
    return m_pEngine->GetTextAttributes(text, length, attributes);
}

int CHHScriptSyntaxView::OnCloseButton(int state) {
    if (!CheckSyntax()) return 0;
    return CHHScriptView::OnCloseButton(state);
}

void CHHScriptSyntaxView::OnObjectChosenChecked() {
    if (CheckLeftProcedure()) OnObjectChosen();
}

void CHHScriptSyntaxView::OnEventChosenChecked() {
    if (CheckLeftProcedure()) OnEventChosen();
}

// The procedure that was current when a combo got the focus; when it does not compile, both
// combos show it again. The names are taken first: the error box gives the focus back to the
// combo when it closes, and the combo then notes its new selection as the one it had.
BOOL CHHScriptSyntaxView::CheckLeftProcedure() {
    const CString object = m_strFocusObject, event = m_strFocusEvent;
    if (CheckProcedure(object, event)) return TRUE;
    SelectComboText(m_wndObjects, object);
    SelectComboText(m_wndEvents, event);
    return FALSE;
}
