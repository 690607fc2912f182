// Timers: each falls due on the platform's clock; the loop makes WM_TIMER when the queue is empty,
// at most one pending per timer. One Qt timer only wakes a waiting loop when the next falls due
// (at once on a frozen clock, which the wait then moves to that time).
// Periods below 10 ms run at 10 ms.

#include "platform/win/wm/wm.h"
#include "platform/win/handle_accounting.h"

#include "platform/win/sys/clock.h"
#include "platform/win/winbase.h"

#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <list>

namespace pm::wm {
namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t period = 10;
    std::uint64_t next = 0; // when it falls due next, on the platform's clock
    bool due = false;
};

std::list<Timer>& timers() {
    static std::list<Timer> t;
    return t;
}

const bool kTimersCounted = registerHandleKind("timers", [] { return timers().size(); });

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

// Marks the timers whose time has come. A timer that fell behind by several periods is due once,
// and its next time is a period after now.
void markDueTimers() {
    std::uint64_t now = sys::clockNow();
    for (Timer& t : timers()) {
        if (now < t.next) continue;
        t.due = true;
        t.next += t.period;
        if (t.next <= now) t.next = now + t.period;
    }
}

QTimer& waker() {
    static QTimer* w = [] {
        auto* t = new QTimer; // lives as long as the process's event loop
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        return t;
    }();
    return *w;
}

void (*&blinkTick())() {
    static void (*tick)() = nullptr;
    return tick;
}

QTimer& blinker() {
    static QTimer* b = [] {
        auto* t = new QTimer; // lives as long as the process's event loop
        QObject::connect(t, &QTimer::timeout, [] { blinkTick()(); });
        return t;
    }();
    return *b;
}

} // namespace

void armTimerWaker() {
    std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
    for (const Timer& t : timers())
        if (!t.due) next = std::min(next, t.next);
    if (next == std::numeric_limits<std::uint64_t>::max()) {
        waker().stop();
        return;
    }
    std::uint64_t now = sys::clockNow();
    // A frozen clock moves only when told: a loop that would wait for the next timer finds the clock
    // there at once, as if it had waited.
    if (sys::clockFrozen()) {
        if (next > now) sys::advanceClock(next - now);
        waker().start(0);
        return;
    }
    waker().start(static_cast<int>(next > now ? std::min<std::uint64_t>(next - now, INT32_MAX) : 0));
}

void startBlinking(UINT milliseconds, void (*tick)()) {
    blinkTick() = tick;
    blinker().start(static_cast<int>(milliseconds));
}

void stopBlinking() {
    blinker().stop();
}

bool knownTimerProc(LPARAM proc) {
    for (const Timer& t : timers())
        if (reinterpret_cast<LPARAM>(t.proc) == proc) return true;
    return false;
}

bool takeDueTimer(Window* filter, MSG* msg, bool remove) {
    markDueTimers();
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
    }
    t->proc = proc;
    t->due = false;
    t->period = std::max<UINT>(elapse, 10);
    t->next = pm::sys::clockNow() + t->period;
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
