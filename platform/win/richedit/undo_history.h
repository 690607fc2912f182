#pragma once
// The rich-edit control's own undo and redo of text changes, with typing merged into one step.
// Formats are restored with the text they belonged to.

#include "platform/win/richedit/rich_text_model.h"

#include <string>
#include <vector>

namespace pm::richedit {

struct UndoStep {
    int pos = 0;
    std::string removed; // stored form (single CR breaks)
    std::vector<FormattedPiece> removedRuns;
    std::string inserted;
    FormatId insertedFormat = 0;
    std::vector<FormattedPiece> insertedRuns; // when set, the formats of `inserted`
    bool typing = false;
};

class UndoHistory {
public:
    void record(UndoStep step, bool mergeTyping);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // Steps to reverse or replay; the caller applies them to the model.
    UndoStep takeUndo();
    UndoStep takeRedo();
    void pushRedo(UndoStep step) { m_redo.push_back(std::move(step)); }
    void pushUndo(UndoStep step) { m_undo.push_back(std::move(step)); }
    void clear();
    void stopGrouping() { m_grouping = false; }
    void setLimit(std::size_t limit);
    void setSuspended(bool suspended) { m_suspended = suspended; }
    bool suspended() const { return m_suspended; }

private:
    std::vector<UndoStep> m_undo;
    std::vector<UndoStep> m_redo;
    std::size_t m_limit = 100;
    bool m_grouping = false;
    bool m_suspended = false;
};

// The runs of [pos, pos + len) of a model, for restoring them later.
std::vector<FormattedPiece> runsOf(const RichTextModel& model, int pos, int len);

} // namespace pm::richedit
