// The scripting runtime's classes in the class registry.

#include "platform/script/runtime/regexp.h"
#include "platform/script/runtime/scripting_runtime.h"

#include "platform/com/objbase.h"

namespace pm::vbs {

const CLSID kFileSystemClass = {0x5C1A7D02, 0x3B2E, 0x4F60, {0x9A, 0x41, 0x27, 0x0C, 0x5E, 0x8B, 0x11, 0x02}};

namespace {

const CLSID kDictionaryClass = {0x5C1A7D01, 0x3B2E, 0x4F60, {0x9A, 0x41, 0x27, 0x0C, 0x5E, 0x8B, 0x11, 0x01}};
const CLSID kRegExpClass = {0x5C1A7D03, 0x3B2E, 0x4F60, {0x9A, 0x41, 0x27, 0x0C, 0x5E, 0x8B, 0x11, 0x03}};

pm::ClassCreator creatorOf(Value (*make)()) {
    return [make](IUnknown** out) {
        if (!out) return E_POINTER;
        Value v = make();
        *out = v.obj();
        (*out)->AddRef();
        return S_OK;
    };
}

} // namespace

void registerScriptingRuntime() {
    pm::registerClass(kDictionaryClass, "Scripting.Dictionary", creatorOf(newDictionary));
    pm::registerClass(kFileSystemClass, "Scripting.FileSystemObject", creatorOf(newFileSystemObject));
    pm::registerClass(kRegExpClass, "VBScript.RegExp", creatorOf(newRegExp));
}

} // namespace pm::vbs
