// Thread hooks: chains newest first; each hook passes on with CallNextHookEx.

#include "platform/win/handle_table.h"
#include "platform/win/handle_accounting.h"
#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"

#include <algorithm>
#include <map>

namespace pm::wm {
namespace {

struct Hook {
    int id;
    HOOKPROC proc;
    bool permanent = false; // stays for the thread's life: not counted as live
};

struct Hooks {
    HandleTable<Hook> table;
    std::map<int, std::vector<HHOOK>> chains; // newest first
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

// The length of each kind's chain, so that the check made for every message sent is one load.
int chainLengths[WH_CALLWNDPROCRET - WH_MSGFILTER + 1];

void countChain(int idHook) {
    chainLengths[idHook - WH_MSGFILTER] = static_cast<int>(hooks().chains[idHook].size());
}

const bool kHooksCounted = registerHandleKind("hooks", [] {
    std::size_t live = 0;
    hooks().table.forEach([&](std::uintptr_t, const Hook& hook) { live += hook.permanent ? 0 : 1; });
    return live;
});

Hook* hookOf(HHOOK h) {
    return hooks().table.get(reinterpret_cast<std::uintptr_t>(h));
}

LRESULT callFrom(const std::vector<HHOOK>& chain, std::size_t start, int code, WPARAM wParam, LPARAM lParam) {
    for (std::size_t i = start; i < chain.size(); ++i)
        if (Hook* h = hookOf(chain[i])) return h->proc(code, wParam, lParam);
    return 0;
}

} // namespace

bool hooksInstalled(int idHook) {
    return idHook >= WH_MSGFILTER && idHook <= WH_CALLWNDPROCRET && chainLengths[idHook - WH_MSGFILTER] > 0;
}

LRESULT callHooks(int idHook, int code, WPARAM wParam, LPARAM lParam) {
    auto it = hooks().chains.find(idHook);
    if (it == hooks().chains.end()) return 0;
    std::vector<HHOOK> chain = it->second;
    return callFrom(chain, 0, code, wParam, lParam);
}

} // namespace pm::wm

using namespace pm::wm;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    if (!proc || idHook < WH_MSGFILTER || idHook > WH_CALLWNDPROCRET) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto h = reinterpret_cast<HHOOK>(hooks().table.add(std::make_unique<Hook>(Hook{idHook, proc})));
    auto& chain = hooks().chains[idHook];
    chain.insert(chain.begin(), h);
    countChain(idHook);
    return h;
}

void pm::keepHookForThread(HHOOK hook) {
    if (Hook* h = hookOf(hook)) h->permanent = true;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    Hook* h = hookOf(hook);
    if (!h) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    auto& chain = hooks().chains[h->id];
    chain.erase(std::remove(chain.begin(), chain.end(), hook), chain.end());
    countChain(h->id);
    hooks().table.remove(reinterpret_cast<std::uintptr_t>(hook));
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    Hook* h = hookOf(hook);
    if (!h) return 0;
    std::vector<HHOOK> chain = hooks().chains[h->id];
    auto it = std::find(chain.begin(), chain.end(), hook);
    if (it == chain.end()) return 0;
    return callFrom(chain, static_cast<std::size_t>(it - chain.begin()) + 1, code, wParam, lParam);
}

BOOL CallMsgFilter(LPMSG msg, int code) {
    if (!msg) return FALSE;
    if (hooksInstalled(WH_SYSMSGFILTER) && callHooks(WH_SYSMSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)))
        return TRUE;
    return hooksInstalled(WH_MSGFILTER) && callHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg))
               ? TRUE
               : FALSE;
}
