#pragma once
// CHHScriptEditOwner: what a script edit control asks of the view that shows it: breakpoint
// reports, showing a procedure again for undo, colouring, and code assistance.

#include "editor/CHHExpressionInfo.h"
#include "editor/CHHMemberItem.h"
#include "platform/framework/framework.h"

class CHHScriptEditOwner {
public:
    virtual ~CHHScriptEditOwner() = default;
    // A breakpoint was turned on or off at (relative line, position) of a procedure whose module
    // position is modulePos.
    virtual void NotifyOwner(LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos,
                             BOOL on) = 0;
    // Brings an existing procedure into the control; FALSE when it cannot.
    virtual BOOL ShowProcedure(LPCTSTR object, LPCTSTR procedure) = 0;
    // The edit control's "Revert to Saved" and "Check Syntax".
    virtual void Revert() {}
    virtual BOOL CheckSyntax() { return TRUE; }
    // A procedure header line was typed and taken out of the text: the owner adds the procedure
    // (or finds the existing one) and shows it.
    virtual void AddTypedProcedure(LPCTSTR, LPCTSTR, const CString&, const CString&, const CString&) {}
    // The caret left this procedure; FALSE when it does not compile.
    virtual BOOL CheckProcedure(LPCTSTR, LPCTSTR) { return TRUE; }
    // Colours the text itself; TRUE when it did.
    virtual BOOL ColorizeHook(const char16_t*, int, WORD*) { return FALSE; }
    virtual void FillMemberList(CHHExpressionInfo&, CHHMemberItemArray&, int) {}
    virtual CString GetQuickInfo(CHHExpressionInfo&, const CString&) { return CString(); }
};
