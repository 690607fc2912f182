#pragma once
// CHHScriptUndoAction: one undo step of a script edit control, kept as the body of the procedure it
// changed, before and after, so that it can be undone after that procedure left the control.

#include "editor/CHHUndoAction.h"
#include "platform/win/richedit.h"

class CHHScriptEditCtrl;

class CHHScriptUndoAction : public CHHUndoAction {
public:
    CHHScriptUndoAction(CHHScriptEditCtrl* control, const CString& object, const CString& procedure);
    // Captures the "before" state.
    BOOL Do() override;
    BOOL Undo() override;
    BOOL Redo() override;

private:
    BOOL showIfMissing();

    CHHScriptEditCtrl* m_pControl;
    CString m_strObject;
    CString m_strProcedure;
    CHARRANGE m_selBefore{};
    CString m_strBefore;
    CHARRANGE m_selAfter{};
    CString m_strAfter;
};
