#include "editor/EditTransaction.h"

#include "editor/CHHEditCtrl.h"

namespace hh {

EditTransaction::EditTransaction(CHHEditCtrl& ctrl, unsigned scope)
    : m_ctrl(ctrl), m_scope(scope), m_wasBusy(ctrl.m_bBusy), m_wasKeywordCase(ctrl.m_bKeywordCase),
      m_wasInternal(ctrl.m_bInternalChange), m_wasSuppressTracking(ctrl.m_bSuppressTracking),
      m_wasColoringSuppressed(ctrl.m_bColoringSuppressed) {
    if (scope & kBusy) ctrl.m_bBusy = TRUE;
    if (scope & kNoKeywordCase) ctrl.m_bKeywordCase = FALSE;
    if (scope & kInternal) ctrl.m_bInternalChange = TRUE;
    if (scope & kNoTracking) ctrl.m_bSuppressTracking = TRUE;
    if (scope & kNoColouring) ctrl.m_bColoringSuppressed = TRUE;
    if (scope & kUndoGroup) ctrl.m_undo.BeginGroup();
    if (scope & kLockRedraw) ctrl.BeginUpdate(FALSE);
    if (scope & kWaitCursor) ctrl.BeginWaitCursor();
    if ((scope & kHideSelection) && ctrl.m_nSelectionHides++ == 0) ctrl.HideSelection(TRUE, FALSE);
}

EditTransaction::~EditTransaction() {
    if ((m_scope & kHideSelection) && --m_ctrl.m_nSelectionHides == 0) m_ctrl.HideSelection(FALSE, FALSE);
    if (m_scope & kWaitCursor) m_ctrl.EndWaitCursor();
    if (m_scope & kLockRedraw) m_ctrl.EndUpdate();
    if (m_scope & kUndoGroup) {
        m_ctrl.m_undo.EndGroup();
        m_ctrl.m_nLastSnapshotKind = 0;
    }
    if (m_scope & kNoColouring) m_ctrl.m_bColoringSuppressed = m_wasColoringSuppressed;
    if (m_scope & kNoTracking) m_ctrl.m_bSuppressTracking = m_wasSuppressTracking;
    if (m_scope & kInternal) m_ctrl.m_bInternalChange = m_wasInternal;
    if (m_scope & kNoKeywordCase) m_ctrl.m_bKeywordCase = m_wasKeywordCase;
    if (m_scope & kBusy) m_ctrl.m_bBusy = m_wasBusy;
}

} // namespace hh
