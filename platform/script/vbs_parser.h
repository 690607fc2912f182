#pragma once
// Parses VBScript text into a Unit.

#include "platform/script/vbs_ast.h"

namespace pm::vbs {

// Parses a whole text; throws ScriptError (compile = true) with the position of the first error.
std::unique_ptr<Unit> parseUnit(const std::string& source, int unitIndex);
// Parses one expression (for Eval); the same errors.
ExprPtr parseExpression(const std::string& source, int unitIndex);

} // namespace pm::vbs
