// The table of window records and the desktop window at the root of the tree.

#include "platform/win/gdi/screen.h"
#include "platform/win/handle_table.h"
#include "platform/win/handle_accounting.h"
#include "platform/win/qtapp.h"
#include "platform/win/wm/remote_windows.h"
#include "platform/win/wm/wm.h"

#include <thread>

namespace pm::wm {
namespace {

// Window handles carry the process id, so another process can name a window of this one.
HandleTable<Window>& table() {
    static HandleTable<Window> t(remote::processTag());
    return t;
}

std::thread::id& uiThread() {
    static std::thread::id id = std::this_thread::get_id();
    return id;
}

// The window found last: messages and queries come in runs for one window, and this spares them
// the table's look-up. Freeing the window forgets it.
struct LastFound {
    HWND handle = nullptr;
    Window* window = nullptr;
};
LastFound lastFound;

// Whether this thread is the UI thread, once asked: 1 yes, -1 no, 0 not asked yet. Every message
// sent asks, so the answer is kept per thread.
thread_local signed char t_uiThread = 0;

} // namespace

bool onUiThread() {
    if (t_uiThread == 0) t_uiThread = std::this_thread::get_id() == uiThread() ? 1 : -1;
    return t_uiThread > 0;
}

Window* window(HWND hwnd) {
    if (!onUiThread()) return nullptr;
    if (hwnd == lastFound.handle) return lastFound.window;
    Window* w = table().get(reinterpret_cast<std::uintptr_t>(hwnd));
    if (w) lastFound = LastFound{hwnd, w};
    return w;
}

Window* newWindow() {
    auto w = std::make_unique<Window>();
    Window* raw = w.get();
    const std::uintptr_t handle = table().add(std::move(w));
    if (handle == 0) return nullptr; // every handle is taken
    raw->handle = reinterpret_cast<HWND>(handle);
    remote::windowCreated(raw->handle);
    return raw;
}

// Records of destroyed windows live on until no window procedure runs, since callers further up
// the stack may still hold them.
std::vector<std::unique_ptr<Window>>& graveyard() {
    static std::vector<std::unique_ptr<Window>> g;
    return g;
}

void freeWindow(Window* w) {
    if (lastFound.window == w) lastFound = LastFound{};
    remote::windowFreed(w->handle);
    graveyard().push_back(table().remove(reinterpret_cast<std::uintptr_t>(w->handle)));
}

void collectDestroyedWindows() {
    if (procDepth() == 0) graveyard().clear();
}

// Every window but the desktop, which lives as long as the process.
const bool kWindowsCounted = registerHandleKind("windows", [] {
    const std::size_t all = table().liveCount();
    return all == 0 ? all : all - 1;
});

Window* desktop() {
    static Window* d = nullptr;
    if (d) return d;
    uiThread();
    ensureQtApplication();
    remote::startEndpoint();
    d = newWindow();
    RECT screen = gdi::screenRect();
    d->rect = screen;
    d->client = RECT{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    d->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_POPUP;
    d->created = true;
    return d;
}

} // namespace pm::wm
