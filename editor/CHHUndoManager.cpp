#include "editor/CHHUndoManager.h"

#include "platform/framework/CCmdUI.h"
#include "platform/framework/afxmsg.h"
#include "platform/win/commctrl.h"
#include "platform/win/utf8.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

IMPLEMENT_DYNAMIC(CHHUndoManager, CCmdTarget)

BEGIN_MESSAGE_MAP(CHHUndoManager, CCmdTarget)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndoRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditUndoRedo)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, ID_EDIT_UNDO, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, ID_EDIT_REDO, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, ID_EDIT_UNDO, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, ID_EDIT_REDO, OnToolTipText)
END_MESSAGE_MAP()

namespace {
constexpr int kTipBufferSize = 80;
} // namespace

CHHUndoManager::CHHUndoManager(int limit) : m_nLimit(limit) {}

CHHUndoManager::~CHHUndoManager() = default;

void CHHUndoManager::ClearAll() {
    m_actions.clear();
    m_nCurrent = -1;
}

void CHHUndoManager::removeOldest() {
    m_actions.pop_front();
    if (m_nCurrent >= 0) --m_nCurrent;
}

// The redo side goes before the limit is applied, so a full history whose current action is
// the oldest keeps that action.
BOOL CHHUndoManager::AddAction(CHHUndoAction* action, BOOL record) {
    std::unique_ptr<CHHUndoAction> owned(action);
    if (!owned) return FALSE;
    const BOOL done = owned->Do();
    if (!done || !record) return done;
    owned->m_nGroup = m_nGroupDepth > 0 ? m_nGroupCounter : 0;
    if (m_nCurrent < 0)
        ClearAll();
    else
        m_actions.erase(m_actions.begin() + m_nCurrent + 1, m_actions.end());
    while (m_nLimit > 0 && static_cast<int>(m_actions.size()) >= m_nLimit)
        removeOldest();
    m_actions.push_back(std::move(owned));
    m_nCurrent = static_cast<int>(m_actions.size()) - 1;
    return TRUE;
}

BOOL CHHUndoManager::Undo(BOOL wholeGroup) {
    if (m_nCurrent < 0) return FALSE;
    const int group = m_actions[static_cast<std::size_t>(m_nCurrent)]->m_nGroup;
    for (;;) {
        CHHUndoAction& action = *m_actions[static_cast<std::size_t>(m_nCurrent)];
        if (!action.CanUndo() || !action.Undo()) return FALSE;
        --m_nCurrent;
        if (m_nCurrent < 0 || !wholeGroup || group == 0) return TRUE;
        if (m_actions[static_cast<std::size_t>(m_nCurrent)]->m_nGroup != group) return TRUE;
    }
}

BOOL CHHUndoManager::Redo(BOOL wholeGroup) {
    int next = m_nCurrent + 1;
    if (next >= static_cast<int>(m_actions.size())) return FALSE;
    const int group = m_actions[static_cast<std::size_t>(next)]->m_nGroup;
    for (;;) {
        if (!m_actions[static_cast<std::size_t>(next)]->Redo()) return FALSE;
        m_nCurrent = next++;
        if (next >= static_cast<int>(m_actions.size()) || !wholeGroup || group == 0) return TRUE;
        if (m_actions[static_cast<std::size_t>(next)]->m_nGroup != group) return TRUE;
    }
}

BOOL CHHUndoManager::GetUndoText(CString& description) {
    description.Empty();
    if (m_nCurrent < 0) return FALSE;
    CHHUndoAction& action = *m_actions[static_cast<std::size_t>(m_nCurrent)];
    if (!action.CanUndo()) return FALSE;
    description = action.GetDescription();
    return TRUE;
}

BOOL CHHUndoManager::GetRedoText(CString& description) {
    description.Empty();
    const int next = m_nCurrent + 1;
    if (next >= static_cast<int>(m_actions.size())) return FALSE;
    description = m_actions[static_cast<std::size_t>(next)]->GetDescription();
    return TRUE;
}

// Groups nest: the outermost makes the group, and inner ones add to it.
void CHHUndoManager::BeginGroup() {
    if (m_nGroupDepth++ == 0) ++m_nGroupCounter;
}

void CHHUndoManager::EndGroup() {
    if (m_nGroupDepth > 0) --m_nGroupDepth;
}

BOOL CHHUndoManager::OnEditCommand(UINT nID) {
    if (nID == ID_EDIT_UNDO) return Undo(TRUE);
    if (nID == ID_EDIT_REDO) return Redo(TRUE);
    return FALSE;
}

BOOL CHHUndoManager::IsCommandEnabled(UINT nID) {
    CString description;
    if (nID == ID_EDIT_UNDO) return GetUndoText(description);
    if (nID == ID_EDIT_REDO) return GetRedoText(description);
    return FALSE;
}

BOOL CHHUndoManager::GetTipText(UINT nID, CString& text) {
    if (nID != ID_EDIT_UNDO && nID != ID_EDIT_REDO) return FALSE;
    CString description;
    if (nID == ID_EDIT_UNDO) {
        text = m_strUndoPrefix;
        GetUndoText(description);
    } else {
        text = m_strRedoPrefix;
        GetRedoText(description);
    }
    const int tab = text.Find('\t');
    if (tab >= 0) text = text.Left(tab);
    if (!description.IsEmpty()) text += " " + description;
    if (text.GetLength() > kTipBufferSize - 1) text = text.Left(kTipBufferSize - 1);
    return TRUE;
}

void CHHUndoManager::OnEditUndo() {
    Undo(TRUE);
}

void CHHUndoManager::OnEditRedo() {
    Redo(TRUE);
}

void CHHUndoManager::OnUpdateEditUndoRedo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsCommandEnabled(pCmdUI->m_nID));
}

BOOL CHHUndoManager::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    CString text;
    if (!GetTipText(nID, text)) return FALSE;
    if (pNMHDR->code == TTN_NEEDTEXTW) {
        auto* tip = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
        std::u16string wide;
        pm::decodeShownText(text, static_cast<std::size_t>(text.GetLength()),
                            [&wide](char16_t unit, int) { wide += unit; });
        const std::size_t n = std::min(wide.size(), std::size(tip->szText) - 1);
        std::copy_n(wide.begin(), n, tip->szText);
        tip->szText[n] = u'\0';
        tip->lpszText = tip->szText;
    } else {
        auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
        std::strncpy(tip->szText, text, sizeof(tip->szText) - 1);
        tip->szText[sizeof(tip->szText) - 1] = '\0';
        tip->lpszText = tip->szText;
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}
