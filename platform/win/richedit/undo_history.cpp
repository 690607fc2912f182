#include "platform/win/richedit/undo_history.h"

#include <algorithm>

namespace pm::richedit {

void UndoHistory::record(UndoStep step, bool mergeTyping) {
    if (suspended_) return;
    redo_.clear();
    if (mergeTyping && grouping_ && !undo_.empty() && undo_.back().typing && step.removed.empty()) {
        UndoStep& last = undo_.back();
        if (last.pos + static_cast<int>(last.inserted.size()) == step.pos) {
            last.inserted += step.inserted;
            return;
        }
    }
    grouping_ = mergeTyping;
    step.typing = mergeTyping;
    undo_.push_back(std::move(step));
    if (undo_.size() > limit_) undo_.erase(undo_.begin());
}

UndoStep UndoHistory::takeUndo() {
    UndoStep s = std::move(undo_.back());
    undo_.pop_back();
    grouping_ = false;
    return s;
}

UndoStep UndoHistory::takeRedo() {
    UndoStep s = std::move(redo_.back());
    redo_.pop_back();
    grouping_ = false;
    return s;
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
    grouping_ = false;
}

void UndoHistory::setLimit(std::size_t limit) {
    limit_ = limit;
    while (undo_.size() > limit_)
        undo_.erase(undo_.begin());
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
