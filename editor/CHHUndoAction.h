#pragma once
// CHHUndoAction: one step of an undo history. The history (CHHUndoManager) calls Do when the
// action is added, then Undo and Redo as the user goes back and forth.

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

class CHHUndoAction : public CObject {
    DECLARE_DYNAMIC(CHHUndoAction)
public:
    // Performs the action; the history records it only when this answers TRUE.
    virtual BOOL Do() = 0;
    virtual BOOL Undo() = 0;
    virtual BOOL Redo() { return Do(); }
    virtual BOOL CanUndo() { return TRUE; }
    // Shown after "Undo" or "Redo" in the tool tips; empty by default.
    virtual CString GetDescription() { return CString(); }

    // The group the history gave the action; 0 when it was added outside a group.
    int m_nGroup = 0;
};
