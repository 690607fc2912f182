#include "editor/CHHEditUndoAction.h"

#include "editor/CHHEditCtrl.h"

IMPLEMENT_DYNAMIC(CHHEditUndoAction, CHHUndoAction)

CHHEditUndoAction::CHHEditUndoAction(CHHEditCtrl* pCtrl) : m_pCtrl(pCtrl) {
    m_before = take();
}

CHHEditUndoAction::State CHHEditUndoAction::take() {
    State state;
    state.text = m_pCtrl->takeSnapshot();
    m_pCtrl->GetSel(state.selection);
    state.lineEnd = m_pCtrl->m_lineEnd;
    state.lineEnds = m_pCtrl->m_lineEnds;
    return state;
}

// Typing continues an insertion: one change holds the run.
void CHHEditUndoAction::AddChange(BOOL deleted, int start, int end) {
    if (!deleted && !m_changes.empty() && !m_changes.back().deleted && m_changes.back().end == start) {
        m_changes.back().end = end;
        return;
    }
    m_changes.push_back({deleted != FALSE, start, end});
}

void CHHEditUndoAction::reportChanges(bool takenBack) {
    if (!takenBack) {
        for (const Change& c : m_changes)
            m_pCtrl->OnTextChanged(c.deleted, c.start, c.end);
        return;
    }
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        m_pCtrl->OnTextChanged(!it->deleted, it->start, it->end);
}

// The text shown changes only where it differs; what follows the text (markers) moves with each
// change the step recorded, as it moved when the change was made.
void CHHEditUndoAction::restore(const State& state, bool undo) {
    m_pCtrl->restoreText(state.text, undo ? m_colours.get() : nullptr);
    reportChanges(undo);
    m_pCtrl->m_lineEnd = state.lineEnd;
    m_pCtrl->m_lineEnds = state.lineEnds;
    const long caret = undo ? state.selection.cpMax : state.selection.cpMin;
    m_pCtrl->SetSel(caret, caret);
    m_pCtrl->PostScrollCaret();
    CHARRANGE selection = state.selection;
    m_pCtrl->SetSel(selection);
}

BOOL CHHEditUndoAction::Undo() {
    m_after = take();
    restore(m_before, true);
    return TRUE;
}

BOOL CHHEditUndoAction::Redo() {
    restore(m_after, false);
    return TRUE;
}
