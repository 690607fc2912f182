#include "script_cases.h"

#include <gtest/gtest.h>

namespace pm::test {

std::string joined(const std::vector<std::string>& log) {
    std::string out;
    for (size_t i = 0; i < log.size(); ++i)
        out += (i ? "|" : "") + log[i];
    return out;
}

void runTable(const ScriptCase* begin, const ScriptCase* end) {
    for (const ScriptCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        Harness h;
        EXPECT_EQ(h.run(c->script), S_OK);
        for (const auto& e : h.site->errors)
            ADD_FAILURE() << e.number << " " << e.description << " at " << e.line;
        EXPECT_EQ(joined(h.test->log), c->expected);
    }
}

} // namespace pm::test
