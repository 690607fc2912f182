// Reads stored menu trees of arbitrary bytes into a menu: damaged data must be refused with the
// menu left as it was, never a crash, a hang or an unbounded allocation.

#include "docking/CDKMenuBar.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HMENU menu = ::CreateMenu();
    ::AppendMenu(menu, MF_STRING, 1, "Kept");
    {
        CDKMenuBar bar;
        CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
        CArchive ar(&file, CArchive::load);
        if (!bar.LoadMenu(menu, ar) && ::GetMenuItemCount(menu) != 1) __builtin_trap();
    }
    ::DestroyMenu(menu);
    return 0;
}
