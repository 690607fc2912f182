#pragma once
// hh::EditTransaction: one change of an edit control made by the control itself (or a view that
// drives it), as a scope. It takes what the change asks for (an undo group, tracking or colouring
// held off, the selection hidden, redraw locked ...) and gives all of it back in its destructor,
// in the reverse order, on every way out. Transactions nest: each keeps and restores the state it
// found, and the selection and redraw come back when the outermost that took them ends.

class CHHEditCtrl;

namespace hh {

enum EditScope : unsigned {
    kUndoGroup = 1 << 0,     // the changes undo and redo as one step; the next edit starts a new one
    kNoTracking = 1 << 1,    // a change takes no undo snapshot of its own
    kNoColouring = 1 << 2,   // ranges are not coloured while it lasts
    kHideSelection = 1 << 3, // the selection is not drawn
    kLockRedraw = 1 << 4,    // nothing is painted; the whole control is repainted at the end
    kBusy = 1 << 5,          // not a user edit: no snapshot, no change report, no refusal
    kNoKeywordCase = 1 << 6, // keywords keep the case they are written in
    kInternal = 1 << 7,      // formats and colouring: changes the control does not follow at all
    kWaitCursor = 1 << 8,
};

class EditTransaction {
public:
    EditTransaction(CHHEditCtrl& ctrl, unsigned scope);
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

private:
    CHHEditCtrl& m_ctrl;
    unsigned m_scope;
    int m_wasBusy;
    int m_wasKeywordCase;
    int m_wasInternal;
    int m_wasSuppressTracking;
    int m_wasColoringSuppressed;
};

} // namespace hh
