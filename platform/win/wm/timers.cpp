// Timers: a Qt timer only marks a timer due; the loop makes WM_TIMER when the queue is empty,
// at most one pending per timer. Periods below 10 ms run at 10 ms.

#include "platform/win/wm/wm.h"

#include "platform/win/winbase.h"

#include <QTimer>

#include <list>
#include <memory>

namespace pm::wm {
namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC proc = nullptr;
    bool due = false;
    std::unique_ptr<QTimer> qt;
};

std::list<Timer>& timers() {
    static std::list<Timer> t;
    return t;
}

Timer* find(HWND hwnd, UINT_PTR id) {
    for (Timer& t : timers())
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

UINT_PTR freeThreadTimerId() {
    static UINT_PTR next = 0x7FFF;
    while (find(nullptr, ++next) || next == 0) {
    }
    return next;
}

} // namespace

bool knownTimerProc(LPARAM proc) {
    for (const Timer& t : timers())
        if (reinterpret_cast<LPARAM>(t.proc) == proc) return true;
    return false;
}

bool takeDueTimer(Window* filter, MSG* msg, bool remove) {
    for (Timer& t : timers()) {
        if (!t.due) continue;
        Window* w = window(t.hwnd);
        if (t.hwnd && !w) continue;
        if (filter && (!w || (w != filter && !isDescendant(filter, w)))) continue;
        *msg = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), messageTime(), {}};
        if (remove) t.due = false;
        return true;
    }
    return false;
}

void killWindowTimers(Window* w) {
    timers().remove_if([&](const Timer& t) { return t.hwnd == w->handle; });
}

} // namespace pm::wm

using namespace pm::wm;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    desktop();
    if (!hwnd && (id == 0 || !find(nullptr, id))) id = freeThreadTimerId();
    Timer* t = find(hwnd, id);
    if (!t) {
        timers().emplace_back();
        t = &timers().back();
        t->hwnd = hwnd;
        t->id = id;
        t->qt = std::make_unique<QTimer>();
        bool* due = &t->due;
        QObject::connect(t->qt.get(), &QTimer::timeout, [due] { *due = true; });
    }
    t->proc = proc;
    t->due = false;
    t->qt->start(static_cast<int>(std::max<UINT>(elapse, 10)));
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& list = timers();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->hwnd == hwnd && it->id == id) {
            list.erase(it);
            return TRUE;
        }
    return FALSE;
}
