// Reads macro module files of arbitrary bytes. Any malformed input must end in a framework
// exception with the module unchanged, never a crash, a hang or a huge allocation.

#include "platform/framework/framework.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHVBScriptEngine.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CHHModule module(RUNTIME_CLASS(CHHVBScriptEngine));
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    try {
        CArchive ar(&file, CArchive::load);
        module.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
