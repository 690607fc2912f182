#pragma once
// The scripting runtime's objects: "Scripting.Dictionary" and "Scripting.FileSystemObject",
// registered in the class registry (with "VBScript.RegExp") by registerScriptingRuntime.

#include "platform/script/vbs_value.h"

namespace pm::vbs {

void registerScriptingRuntime();

Value newDictionary();
Value newFileSystemObject();

} // namespace pm::vbs
