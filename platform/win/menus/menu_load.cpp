// Menus from the program's resources (LoadMenu) and from binary menu templates (LoadMenuIndirect).

#include "platform/win/menus/menu_model.h"
#include "platform/win/res/resources.h"
#include "platform/win/wm/registration.h"

#include "platform/win/utf8.h"

namespace {

constexpr int kMaxDepth = 16;

void fill(HMENU menu, const std::vector<pm::res::MenuItem>& items) {
    for (const pm::res::MenuItem& item : items) {
        if ((item.flags & MF_POPUP) || !item.items.empty()) {
            HMENU sub = CreatePopupMenu();
            fill(sub, item.items);
            AppendMenuA(menu, item.flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.text.c_str());
        } else {
            AppendMenuA(menu, item.flags, item.id, item.text.c_str());
        }
    }
}

// Reads the items of one level of a standard template; returns the position after them.
const WORD* readLevel(HMENU menu, const WORD* p, int depth) {
    if (depth > kMaxDepth) return nullptr;
    for (;;) {
        WORD option = *p++;
        WORD id = 0;
        if (!(option & MF_POPUP)) id = *p++;
        const WORD* text = p;
        while (*p)
            ++p;
        std::string label =
            pm::utf8::fromUtf16(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(p - text));
        ++p;
        UINT flags = option & ~static_cast<UINT>(MF_END);
        if (option & MF_POPUP) {
            HMENU sub = CreatePopupMenu();
            p = readLevel(sub, p, depth + 1);
            if (!p) return nullptr;
            AppendMenuA(menu, flags, reinterpret_cast<UINT_PTR>(sub), label.c_str());
        } else {
            if (!id && label.empty() && !flags) flags = MF_SEPARATOR; // the template's separator form
            AppendMenuA(menu, flags, id, label.empty() ? nullptr : label.c_str());
        }
        if (option & MF_END) return p;
    }
}

} // namespace

HMENU LoadMenuA(HINSTANCE, LPCSTR name) {
    const pm::res::MenuTemplate* t = pm::res::findMenu(name);
    if (!t) return nullptr;
    HMENU menu = CreateMenu();
    fill(menu, t->items);
    return menu;
}

HMENU LoadMenuIndirectA(const void* menuTemplate) {
    if (!menuTemplate) return nullptr;
    auto header = static_cast<const WORD*>(menuTemplate);
    if (header[0] != 0) return nullptr; // only the standard (version 0) format
    const WORD* items = header + 2 + header[1] / sizeof(WORD);
    HMENU menu = CreateMenu();
    if (!readLevel(menu, items, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

// Top-level windows made without a menu get their class's menu through this loader.
extern "C" const bool pm_win_menus_startup =
    (pm::wm::setClassMenuLoader(
         [](HINSTANCE instance, const char* name) { return LoadMenuA(instance, name); }),
     true);
