// Reads stored recently-used states and hidden commands of arbitrary bytes against a small menu tree: damaged
// data must be refused with the hidden set unchanged, never a crash, a hang or an unbounded allocation.

#include "docking/CDKBitmapMenuManager.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"

#include <cstddef>
#include <cstdint>

namespace {

HMENU tree() {
    static HMENU root = [] {
        HMENU top = ::CreateMenu();
        HMENU file = ::CreatePopupMenu();
        HMENU recent = ::CreatePopupMenu();
        ::AppendMenu(recent, MF_STRING, 3, "One");
        ::AppendMenu(file, MF_STRING, 1, "New");
        ::AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent");
        ::AppendMenu(top, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
        ::AppendMenu(top, MF_STRING, 2, "Help");
        return top;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CDKBitmapMenuManager* organiser = new CDKBitmapMenuManager;
    HMENU root = tree();
    HMENU file = ::GetSubMenu(root, 0);
    organiser->ShowSubmenu(file);
    organiser->HideSubmenu(file);
    CMemFile memory(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive ar(&memory, CArchive::load);
    if (!organiser->LoadHiddenSubmenus(ar, root) && organiser->IsItemRecentlyUsed(root, 0)) __builtin_trap();
    // The hidden commands read from the same bytes: a refusal keeps the hidden command.
    organiser->HideCommand(1);
    CMemFile commands(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive commandsAr(&commands, CArchive::load);
    if (!organiser->LoadHiddenCommands(commandsAr) && organiser->ShowCommand(1) == FALSE) __builtin_trap();
    return 0;
}
