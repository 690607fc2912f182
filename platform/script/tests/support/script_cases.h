#pragma once
// Table tests of the language: each row is a program and the values it logs through the Test
// object, joined with '|'.

#include "script_harness.h"

namespace pm::test {

struct ScriptCase {
    const char* name;
    const char* script;
    const char* expected;
};

std::string joined(const std::vector<std::string>& log);
// Runs each row in a fresh engine: no error may be reported and the log must match.
void runTable(const ScriptCase* begin, const ScriptCase* end);

} // namespace pm::test
