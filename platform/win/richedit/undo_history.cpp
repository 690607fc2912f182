#include "platform/win/richedit/undo_history.h"

#include <algorithm>

namespace pm::richedit {

void UndoHistory::record(UndoStep step, bool mergeTyping) {
    if (m_suspended) return;
    m_redo.clear();
    if (mergeTyping && m_grouping && !m_undo.empty() && m_undo.back().typing && step.removed.empty()) {
        UndoStep& last = m_undo.back();
        if (last.pos + static_cast<int>(last.inserted.size()) == step.pos) {
            last.inserted += step.inserted;
            return;
        }
    }
    m_grouping = mergeTyping;
    step.typing = mergeTyping;
    m_undo.push_back(std::move(step));
    if (m_undo.size() > m_limit) m_undo.erase(m_undo.begin());
}

UndoStep UndoHistory::takeUndo() {
    UndoStep s = std::move(m_undo.back());
    m_undo.pop_back();
    m_grouping = false;
    return s;
}

UndoStep UndoHistory::takeRedo() {
    UndoStep s = std::move(m_redo.back());
    m_redo.pop_back();
    m_grouping = false;
    return s;
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
    m_grouping = false;
}

void UndoHistory::setLimit(std::size_t limit) {
    m_limit = limit;
    while (m_undo.size() > m_limit)
        m_undo.erase(m_undo.begin());
}

std::vector<FormattedPiece> runsOf(const RichTextModel& model, int pos, int len) {
    std::vector<FormattedPiece> pieces;
    int end = pos + len;
    while (pos < end) {
        Run run = model.runs().runAt(pos);
        int stop = std::min(end, run.end);
        if (stop <= pos) break;
        pieces.push_back(FormattedPiece{stop - pos, run.format});
        pos = stop;
    }
    return pieces;
}

} // namespace pm::richedit
