// A stored workspace state (main window placement, bar layout, MDI children, splitter sizes) read
// from arbitrary bytes, as from a hand-made file or registry value: a damaged state is refused with
// nothing left behind or freed twice; a state that is taken stores back to bytes that read back to
// the same state.

#include "docking/CDKWorkspaceState.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Fill(CByteArray& bytes, const uint8_t* data, size_t size) {
    bytes.SetSize(static_cast<INT_PTR>(size));
    if (size) std::memcpy(bytes.GetData(), data, size);
}

bool Same(const CByteArray& a, const CByteArray& b) {
    return a.GetSize() == b.GetSize() &&
           std::memcmp(a.GetData(), b.GetData(), static_cast<size_t>(a.GetSize())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CByteArray input;
    Fill(input, data, size);
    CDKWorkspaceState state;
    if (!state.ReadFromBytes(input)) return 0;
    CByteArray stored, again;
    CDKWorkspaceState second;
    if (!state.WriteToBytes(stored) || !second.ReadFromBytes(stored) || !second.WriteToBytes(again))
        std::abort();
    if (!Same(stored, again)) std::abort();
    return 0;
}
