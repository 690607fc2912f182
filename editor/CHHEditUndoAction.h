#pragma once
// CHHEditUndoAction: an edit control's whole text and selection taken before a change. Undo puts
// them back (keeping the text it replaces for redo); the snapshots share storage with the ones
// taken before them, so a long history of a large text costs little more than one copy, and
// putting one back changes only the stretch where it differs from the text shown. The changes made
// since the snapshot are kept as the control reported them, so that undo reports them taken back
// and redo reports them again: what follows the text (markers) goes with it.

#include "editor/CHHUndoAction.h"
#include "editor/SpanColours.h"
#include "editor/TextSnapshot.h"
#include "platform/win/richedit.h"

#include <memory>
#include <string>
#include <vector>

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

    // A change the control reported (as to OnTextChanged) while this was its latest step.
    void AddChange(BOOL deleted, int start, int end);
    // Colours of the text taken, to come back with it on undo.
    void KeepColours(std::shared_ptr<const hh::SpanColours> colours) { m_colours = std::move(colours); }

private:
    struct State {
        hh::TextSnapshot text;
        CHARRANGE selection{0, 0};
        std::string lineEnd;
        std::string lineEnds;
    };
    struct Change {
        bool deleted;
        int start;
        int end;
    };
    State take();
    void restore(const State& state, bool undo);
    // Reports the changes again, in order, or taken back in reverse order.
    void reportChanges(bool takenBack);

    CHHEditCtrl* m_pCtrl;
    State m_before;
    State m_after;
    std::vector<Change> m_changes;
    std::shared_ptr<const hh::SpanColours> m_colours; // of m_before's text
};
