#pragma once
// CHHEditUndoAction: an edit control's whole text and selection taken before a change. Undo puts
// them back (keeping the text it replaces for redo); the snapshots share storage with the ones
// taken before them, so a long history of a large text costs little more than one copy, and
// putting one back changes only the stretch where it differs from the text shown.

#include "editor/CHHUndoAction.h"
#include "editor/TextSnapshot.h"
#include "platform/win/richedit.h"

#include <string>

class CHHEditCtrl;

class CHHEditUndoAction : public CHHUndoAction {
    DECLARE_DYNAMIC(CHHEditUndoAction)
public:
    // Takes the control's text and selection now.
    explicit CHHEditUndoAction(CHHEditCtrl* pCtrl);

    BOOL Do() override { return TRUE; }
    BOOL Undo() override;
    BOOL Redo() override;
    BOOL CanUndo() override { return TRUE; }

private:
    struct State {
        hh::TextSnapshot text;
        CHARRANGE selection{0, 0};
        std::string lineEnd;
        std::string lineEnds;
    };
    State take();
    void restore(const State& state, bool caretAtEnd);

    CHHEditCtrl* m_pCtrl;
    State m_before;
    State m_after;
};
