#include "scripting/CHHModuleEdit.h"

#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHObjectsDlg.h"
#include "scripting/CHHScriptDlg.h"
#include "scripting/CHHScriptSyntaxView.h"
#include "scripting/CHHVBScriptEngine.h"

#include <memory>

IMPLEMENT_DYNAMIC(CHHModuleEdit, CHHModule)

BEGIN_MESSAGE_MAP(CHHModuleEdit, CHHModule)
    ON_COMMAND(ID_HHSCRIPT_OBJECTS, OnEditObjects)
    ON_COMMAND(ID_HHSCRIPT_EDIT, OnEditScript)
END_MESSAGE_MAP()

CHHModuleEdit::CHHModuleEdit(CRuntimeClass* pViewClass)
    : CHHModule(RUNTIME_CLASS(CHHVBScriptEngine)), m_pViewClass(pViewClass) {}

void CHHModuleEdit::EditScript(LPCTSTR lpszObject, LPCTSTR lpszProcedure, BOOL bRunAfterwards) {
    EditScript(lpszObject, lpszProcedure, -1, -1, bRunAfterwards);
}

void CHHModuleEdit::EditScript(LPCTSTR lpszObject, LPCTSTR lpszProcedure, int nLine, int nColumn,
                               BOOL bRunAfterwards) {
    if (m_pOpenView || !CreateEngine()) return;
    std::unique_ptr<CHHScriptDlg> dialog(CreateScriptDialog());
    if (!dialog) return;
    if (m_pViewClass) dialog->SetViewClass(m_pViewClass);
    if (!dialog->Create(AfxGetMainWnd())) return;
    Stop();
    CHHScriptViewBase* view = dialog->GetView();
    InitScriptView(*dialog);
    AddNamedItemsToView(*view);
    PutProceduresToView(*view);
    view->ShowProcedure(lpszObject, lpszProcedure, FALSE);
    if (nLine >= 0) view->GoToLineColumn(nLine, nColumn);
    m_pOpenView = view;
    dialog->RunModal();
    m_pOpenView = nullptr;
    TakeProceduresFromView(*view);
    dialog.reset();
    if (bRunAfterwards) Run();
}

void CHHModuleEdit::EditAtError(BOOL bRunAfterwards) {
    if (!m_bErrorPending) return;
    m_bErrorPending = 0;
    if (m_pOpenView) {
        m_pOpenView->GoToLineColumn(m_nErrorLine, m_nErrorColumn);
        return;
    }
    EditScript(nullptr, nullptr, m_nErrorLine, m_nErrorColumn, bRunAfterwards);
}

// An error ended while the editor is open is shown there at once: left pending, it would wait for a
// command routed to the module, and once the editor closed, that command opened it again.
void CHHModuleEdit::OnErrorEnd(CHHScriptErrorInfo& info) {
    CHHModule::OnErrorEnd(info);
    if (m_pOpenView && m_bEditOnError) EditAtError(FALSE);
}

void CHHModuleEdit::PutProceduresToView(CHHScriptViewBase& view) {
    view.LoadProcedureList(m_procedures);
}

void CHHModuleEdit::TakeProceduresFromView(CHHScriptViewBase& view) {
    view.StoreProcedureList(m_procedures);
}

// A macro run from the open editor runs the text the editor shows.
void CHHModuleEdit::OnGetText() {
    if (m_pOpenView) TakeProceduresFromView(*m_pOpenView);
}

CHHScriptDlg* CHHModuleEdit::CreateScriptDialog() {
    return new CHHScriptDlg(nullptr, RUNTIME_CLASS(CHHScriptSyntaxView));
}

void CHHModuleEdit::InitScriptView(CHHScriptDlg& dialog) {
    CHHScriptViewBase* view = dialog.GetView();
    view->UseEngine(m_pEngine.get());
    // Without a script debugger breakpoints have nothing to stop (there is none on this system).
    if (!m_pDebugApp || !m_pDebugApp->IsAvailable()) view->EnableBreakpoints(FALSE);
}

void CHHModuleEdit::AddNamedItemsToView(CHHScriptViewBase& view) {
    view.ClearView();
    view.AddSectionObject(nullptr, nullptr);
    for (const CHHNamedItem& item : m_namedItems)
        view.AddNamedItem(item);
    for (const CHHNamedItem& item : m_objects)
        view.AddNamedItem(item);
}

void CHHModuleEdit::EditObjects(BOOL bRunAfterwards) {
    Stop();
    CHHObjectsDlg dialog(this, AfxGetMainWnd());
    if (dialog.DoModal() == IDOK && bRunAfterwards) Run();
}

BOOL CHHModuleEdit::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CHHModule::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (m_bErrorPending && m_bEditOnError) EditAtError(FALSE);
    return FALSE;
}
