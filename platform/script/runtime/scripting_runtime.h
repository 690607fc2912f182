#pragma once
// The scripting runtime's objects: "Scripting.Dictionary" and "Scripting.FileSystemObject",
// registered in the class registry (with "VBScript.RegExp") by registerScriptingRuntime.

#include "platform/script/vbs_value.h"

namespace pm::vbs {

void registerScriptingRuntime();

// The class of "Scripting.FileSystemObject" (a host that must not let scripts touch files can
// unregister it).
extern const CLSID kFileSystemClass;

Value newDictionary();
Value newFileSystemObject();

} // namespace pm::vbs
