// Accelerator tables and their translation into WM_COMMAND.

#include "platform/win/handle_table.h"
#include "platform/win/res/resources.h"
#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"

#include <map>

namespace pm::wm {
namespace {

struct Accelerators {
    HandleTable<std::vector<ACCEL>> table;
    std::map<res::Name, HACCEL> loaded;
};

Accelerators& accels() {
    static Accelerators a;
    return a;
}

std::vector<ACCEL>* tableOf(HACCEL h) {
    return accels().table.get(reinterpret_cast<std::uintptr_t>(h));
}

bool modifiersMatch(const ACCEL& a) {
    return ((a.fVirt & FSHIFT) != 0) == keyDown(VK_SHIFT) &&
           ((a.fVirt & FCONTROL) != 0) == keyDown(VK_CONTROL) && ((a.fVirt & FALT) != 0) == keyDown(VK_MENU);
}

bool matches(const ACCEL& a, const MSG& msg) {
    if (a.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
        return a.key == msg.wParam && modifiersMatch(a);
    }
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    if (a.key != msg.wParam) return false;
    return ((a.fVirt & FALT) != 0) == (msg.message == WM_SYSCHAR);
}

} // namespace
} // namespace pm::wm

using namespace pm::wm;

HACCEL CreateAcceleratorTable(LPACCEL entries, int count) {
    if (!entries || count <= 0 || count > 0x10000) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto t = std::make_unique<std::vector<ACCEL>>(entries, entries + count);
    return reinterpret_cast<HACCEL>(accels().table.add(std::move(t)));
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR tableName) {
    const std::vector<ACCEL>* table = pm::res::findAccelerators(tableName);
    if (!table || table->empty()) return nullptr;
    pm::res::Name name = pm::res::Name::from(tableName);
    auto it = accels().loaded.find(name);
    if (it != accels().loaded.end() && tableOf(it->second)) return it->second;
    std::vector<ACCEL> copy = *table;
    HACCEL h = CreateAcceleratorTable(copy.data(), static_cast<int>(copy.size()));
    accels().loaded[name] = h;
    return h;
}

BOOL DestroyAcceleratorTable(HACCEL accel) {
    return accels().table.remove(reinterpret_cast<std::uintptr_t>(accel)) ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL accel, LPACCEL entries, int count) {
    std::vector<ACCEL>* t = tableOf(accel);
    if (!t) return 0;
    if (!entries) return static_cast<int>(t->size());
    int n = std::min(count, static_cast<int>(t->size()));
    for (int i = 0; i < n; ++i)
        entries[i] = (*t)[static_cast<std::size_t>(i)];
    return n;
}

int TranslateAccelerator(HWND hwnd, HACCEL accel, LPMSG msg) {
    std::vector<ACCEL>* t = tableOf(accel);
    Window* w = window(hwnd);
    if (!t || !w || !msg) return 0;
    for (const ACCEL& a : *t) {
        if (!matches(a, *msg)) continue;
        SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
