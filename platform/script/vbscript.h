#pragma once
// Our VBScript engine: its class id, and the registration that makes it creatable by ProgID
// "VBScript" (the program calls registerVBScriptEngine once at start-up).

#include "platform/script/activscp.h"

namespace pm {

void registerVBScriptEngine();

} // namespace pm
