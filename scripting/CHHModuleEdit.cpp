#include "scripting/CHHModuleEdit.h"

#include "scripting/CHHObjectsDlg.h"
#include "scripting/CHHVBScriptEngine.h"

#include <memory>

IMPLEMENT_DYNAMIC(CHHModuleEdit, CHHModule)

BEGIN_MESSAGE_MAP(CHHModuleEdit, CHHModule)
    ON_COMMAND(ID_HHSCRIPT_OBJECTS, OnEditObjects)
    ON_COMMAND(ID_HHSCRIPT_EDIT, OnEditScript)
END_MESSAGE_MAP()

CHHModuleEdit::CHHModuleEdit(CRuntimeClass* pViewClass)
    : CHHModule(RUNTIME_CLASS(CHHVBScriptEngine)), m_pViewClass(pViewClass) {}

void CHHModuleEdit::EditScript(LPCTSTR, LPCTSTR, int, int, BOOL bRunAfterwards) {
    if (!CreateEngine()) return;
    std::unique_ptr<CDialog> dialog(CreateScriptDialog());
    if (!dialog) return;
    Stop();
    dialog->DoModal();
    if (bRunAfterwards) Run();
}

void CHHModuleEdit::EditAtError(BOOL bRunAfterwards) {
    if (!m_bErrorPending) return;
    m_bErrorPending = 0;
    EditScript(nullptr, nullptr, m_nErrorLine, m_nErrorColumn, bRunAfterwards);
}

CDialog* CHHModuleEdit::CreateScriptDialog() {
    return nullptr;
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
