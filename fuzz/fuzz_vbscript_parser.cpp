// Feeds arbitrary bytes to the VBScript tokeniser and parser: they must fail cleanly (a compile
// error) or build a tree, never crash, hang or overflow the stack.

#include "platform/script/vbs_lexer.h"
#include "platform/script/vbs_parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        auto unit = pm::vbs::parseUnit(text, 0);
        (void)unit;
    } catch (const pm::vbs::ScriptError&) {
    }
    try {
        auto expr = pm::vbs::parseExpression(text, 0);
        (void)expr;
    } catch (const pm::vbs::ScriptError&) {
    }
    return 0;
}
