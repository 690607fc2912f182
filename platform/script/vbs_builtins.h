#pragma once
// The built-in functions and the vb constants of the language.

#include "platform/script/vbs_value.h"

#include <string>
#include <vector>

namespace pm::vbs {

class Runtime;

using BuiltinFn = Value (*)(Runtime& rt, std::vector<Value>& args);

struct Builtin {
    const char* name; // lower case
    int minArgs;
    int maxArgs; // -1: any number
    BuiltinFn fn;
};

// The built-in function of that (lower-case) name, or null.
const Builtin* findBuiltin(const std::string& key);
// The vb constant of that (lower-case) name, or null.
const Value* findConstant(const std::string& key);

// The parts of the table, one per file.
const std::vector<Builtin>& textBuiltins();
const std::vector<Builtin>& conversionBuiltins();
const std::vector<Builtin>& dateBuiltins();
const std::vector<Builtin>& otherBuiltins();
const std::vector<Builtin>& byteBuiltins();

// Helpers shared by the builtin files.
bool isMissing(const Value& v); // an omitted optional argument
int32_t optionalLong(const std::vector<Value>& args, size_t i, int32_t fallback);
std::string argText(const std::vector<Value>& args, size_t i); // Null is an error

} // namespace pm::vbs
