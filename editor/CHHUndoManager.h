#pragma once
// CHHUndoManager: a bounded undo history. It owns its actions, keeps the position of the most
// recently done one, undoes and redoes whole groups, and gives the texts of the Undo and Redo
// commands and tips. As a command target it answers ID_EDIT_UNDO and ID_EDIT_REDO, their update
// requests and their tool tips.

#include "editor/CHHUndoAction.h"
#include "platform/framework/CCmdTarget.h"

#include <deque>
#include <memory>

#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B
#endif
#ifndef ID_EDIT_REDO
#define ID_EDIT_REDO 0xE12C
#endif

class CCmdUI;
struct NMHDR;

class CHHUndoManager : public CCmdTarget {
    DECLARE_DYNAMIC(CHHUndoManager)
public:
    // limit: the most actions kept (below 1: no limit); the oldest go first.
    explicit CHHUndoManager(int limit = 40);
    ~CHHUndoManager() override;

    // Deletes every action.
    virtual void ClearAll();

    // Runs the action's Do and, when it succeeds and record is set, takes ownership of it as the
    // newest action: whatever could be redone is dropped, then the oldest beyond the limit.
    // Otherwise deletes it. Answers Do's result.
    BOOL AddAction(CHHUndoAction* action, BOOL record = TRUE);
    // Undoes the current action, and with wholeGroup the rest of its group; FALSE when nothing
    // could be undone or an action failed.
    BOOL Undo(BOOL wholeGroup = TRUE);
    BOOL Redo(BOOL wholeGroup = TRUE);
    // Whether Undo (Redo) can run, with the description of the action it would take.
    BOOL GetUndoText(CString& description);
    BOOL GetRedoText(CString& description);

    // Actions added between BeginGroup and EndGroup undo and redo as one step. A group begun
    // inside another belongs to it: the step ends with the outermost EndGroup.
    void BeginGroup();
    void EndGroup();

    // The commands ID_EDIT_UNDO and ID_EDIT_REDO: run them, and whether they are enabled.
    BOOL OnEditCommand(UINT nID);
    BOOL IsCommandEnabled(UINT nID);
    // The tool tip of ID_EDIT_UNDO or ID_EDIT_REDO ("Undo", or "Undo " and the description), cut
    // to fit a tip buffer of 80 characters; FALSE for other ids.
    BOOL GetTipText(UINT nID, CString& text);

    // The most recently done action; null when none is.
    CHHUndoAction* GetCurrentAction() const {
        return m_nCurrent >= 0 ? m_actions[static_cast<std::size_t>(m_nCurrent)].get() : nullptr;
    }
    int GetCount() const { return static_cast<int>(m_actions.size()); }
    int GetLimit() const { return m_nLimit; }

protected:
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndoRedo(CCmdUI* pCmdUI);
    // The tips of the undo and redo buttons; the tip window is raised without being activated.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void removeOldest();

    int m_nLimit;
    std::deque<std::unique_ptr<CHHUndoAction>> m_actions; // oldest first
    int m_nCurrent = -1;                                  // most recently done; -1 for none
    CString m_strUndoPrefix = "Undo";
    CString m_strRedoPrefix = "Redo";
    int m_nGroupCounter = 0;
    int m_nGroupDepth = 0; // groups begun and not yet ended
};
