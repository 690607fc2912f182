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

void CHHEditUndoAction::restore(const State& state, bool caretAtEnd) {
    m_pCtrl->restoreText(state.text);
    m_pCtrl->m_lineEnd = state.lineEnd;
    m_pCtrl->m_lineEnds = state.lineEnds;
    const long caret = caretAtEnd ? state.selection.cpMax : state.selection.cpMin;
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
