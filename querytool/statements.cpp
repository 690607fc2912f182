#include "querytool/statements.h"

#include <algorithm>

namespace {

// The first piece of the text from position on, or an empty view with a null data pointer.
std::string_view firstPiece(std::string_view text, std::size_t position) {
    const std::size_t start = text.find_first_not_of(';', position);
    if (start == std::string_view::npos) return {};
    const std::size_t end = text.find(';', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

} // namespace

std::vector<std::string_view> SplitStatements(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t position = 0;
    for (;;) {
        const std::string_view piece = firstPiece(text, position);
        if (piece.data() == nullptr) return pieces;
        pieces.push_back(piece);
        position = static_cast<std::size_t>(piece.data() - text.data()) + piece.size();
    }
}

bool IsBlankStatement(std::string_view piece) {
    return piece.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

bool MentionsUse(std::string_view statement) {
    return statement.find("use") != std::string_view::npos || statement.find("USE") != std::string_view::npos;
}

CurrentStatementPlan PlanCurrentStatement(std::string_view text, std::size_t caretIndex) {
    CurrentStatementPlan plan;
    if (text.empty()) return plan;
    std::size_t i = std::min(caretIndex > 0 ? caretIndex - 1 : 0, text.size() - 1);
    while (i > 0 && text[i] != ';')
        --i;
    std::string_view piece = firstPiece(text, i);
    if (piece.data() == nullptr) piece = firstPiece(text, 0);
    if (piece.data() == nullptr) return plan;
    plan.kind = IsBlankStatement(piece) ? CurrentStatementPlan::RunAll : CurrentStatementPlan::RunPiece;
    plan.piece = piece;
    return plan;
}
