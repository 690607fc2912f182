#include "scripting/CHHScriptUndoAction.h"

#include "scripting/CHHScriptEditCtrl.h"

CHHScriptUndoAction::CHHScriptUndoAction(CHHScriptEditCtrl* control, const CString& object,
                                         const CString& procedure)
    : m_pControl(control), m_strObject(object), m_strProcedure(procedure) {}

BOOL CHHScriptUndoAction::Do() {
    return m_pControl->GetProcedureBody(m_strObject, m_strProcedure, m_selBefore, m_strBefore);
}

// Shows the procedure again when it left the control; FALSE when it cannot be shown.
BOOL CHHScriptUndoAction::showIfMissing() {
    if (m_pControl->FindProcedureByName(m_strObject, m_strProcedure).pProcedure) return TRUE;
    CHHScriptEditOwner* owner = m_pControl->GetOwnerHooks();
    return owner && owner->ShowProcedure(m_strObject, m_strProcedure) &&
           m_pControl->FindProcedureByName(m_strObject, m_strProcedure).pProcedure;
}

BOOL CHHScriptUndoAction::Undo() {
    if (!showIfMissing()) return FALSE;
    m_pControl->GetProcedureBody(m_strObject, m_strProcedure, m_selAfter, m_strAfter);
    return m_pControl->SetProcedureBody(m_strObject, m_strProcedure, m_selBefore.cpMin, m_selBefore.cpMax,
                                        m_strBefore);
}

BOOL CHHScriptUndoAction::Redo() {
    if (!showIfMissing()) return FALSE;
    return m_pControl->SetProcedureBody(m_strObject, m_strProcedure, m_selAfter.cpMin, m_selAfter.cpMax,
                                        m_strAfter);
}
