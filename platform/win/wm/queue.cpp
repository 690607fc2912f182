// The thread's message queue and its loops: posted messages (thread-safe), queued input, WM_QUIT,
// then WM_PAINT and WM_TIMER when nothing else waits, as Win32 retrieves them.

#include "platform/win/wm/input_events.h"
#include "platform/win/wm/remote_windows.h"
#include "platform/win/wm/wm.h"

#include "platform/win/sys/clock.h"
#include "platform/win/winbase.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <mutex>

namespace pm::wm {
namespace {

// Wakes a waiting loop from any thread; the flag folds a burst of posts into one Qt event.
class Waker final : public QObject {
public:
    std::atomic<bool> pending{false};
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        pending = false;
        return true;
    }
};

struct CrossThreadSend {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::promise<LRESULT> result;
};

struct Deferred {
    void (*action)(HWND, bool);
    HWND hwnd;
    bool flag;
};

struct Queue {
    std::mutex mutex;
    std::deque<MSG> posted;
    std::deque<CrossThreadSend*> sends;
    std::deque<RawInput> input;
    std::vector<Deferred> deferred;
    bool quit = false;
    int quitCode = 0;
    std::atomic<Waker*> waker{nullptr};
    MSG current{};
    std::chrono::steady_clock::time_point lastPump{}; // Qt's events, processed at most once a millisecond
    int depth = 0;
    int inCrossSend = 0;
};

Queue& queue() {
    static Queue q;
    return q;
}

// Message times count from the queue's first use, on the platform's clock.
std::uint64_t queueStart() {
    static const std::uint64_t start = sys::clockNow();
    return start;
}

bool hwndMatches(HWND msgHwnd, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return msgHwnd == nullptr;
    if (msgHwnd == filter) return true;
    Window* f = window(filter);
    Window* m = window(msgHwnd);
    return f && m && isDescendant(f, m);
}

bool rangeMatches(UINT message, UINT lo, UINT hi) {
    return (lo == 0 && hi == 0) || (message >= lo && message <= hi);
}

void runDeferred() {
    Queue& q = queue();
    while (!q.deferred.empty()) {
        std::vector<Deferred> now;
        now.swap(q.deferred);
        for (const Deferred& d : now)
            d.action(d.hwnd, d.flag);
    }
}

void runCrossThreadSends() {
    Queue& q = queue();
    for (;;) {
        CrossThreadSend* s = nullptr;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.sends.empty()) return;
            s = q.sends.front();
            q.sends.pop_front();
        }
        ++q.inCrossSend;
        LRESULT r = SendMessage(s->hwnd, s->message, s->wParam, s->lParam);
        --q.inCrossSend;
        s->result.set_value(r);
    }
}

bool takePosted(MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    for (auto it = q.posted.begin(); it != q.posted.end();) {
        if (it->hwnd && !window(it->hwnd)) { // posted to a window destroyed since
            it = q.posted.erase(it);
            continue;
        }
        if (!hwndMatches(it->hwnd, filter) || !rangeMatches(it->message, lo, hi)) {
            ++it;
            continue;
        }
        *out = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    return false;
}

bool takeInput(MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
    Queue& q = queue();
    for (std::size_t i = 0; i < q.input.size();) {
        if (!q.input[i].resolved) {
            // Resolving sends WM_NCHITTEST; work on a copy in case the handler looks at the queue.
            RawInput copy = q.input[i];
            std::size_t size = q.input.size();
            bool ok = resolveInput(copy);
            if (q.input.size() != size) continue;
            if (!ok) {
                q.input.erase(q.input.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            q.input[i] = copy;
        }
        RawInput& in = q.input[i];
        if (!window(in.msg.hwnd) || !hwndMatches(in.msg.hwnd, filter) ||
            !rangeMatches(in.msg.message, lo, hi)) {
            if (!window(in.msg.hwnd)) in.resolved = false;
            ++i;
            continue;
        }
        RawInput taken = in;
        if (remove) q.input.erase(q.input.begin() + static_cast<std::ptrdiff_t>(i));
        if (inputHooksSwallow(taken, remove)) {
            if (!remove) q.input.erase(q.input.begin() + static_cast<std::ptrdiff_t>(i));
            // The key was read from the queue all the same: its state changes as for any key read.
            if (taken.kind == RawInput::Kind::Key) setKeyDown(taken.vk, taken.message == WM_KEYDOWN, false);
            continue;
        }
        if (remove && !acceptInput(taken)) continue;
        *out = taken.msg;
        return true;
    }
    return false;
}

// `input` tells whether the message came from the input queue (it then keeps the time of its input).
bool peekOnce(MSG* msg, HWND filter, UINT lo, UINT hi, bool remove, bool& input) {
    input = false;
    Queue& q = queue();
    collectDestroyedWindows();
    runCrossThreadSends();
    runDeferred();
    if (takePosted(msg, filter, lo, hi, remove)) return true;
    pumpQt(false);
    runDeferred();
    if (takePosted(msg, filter, lo, hi, remove)) return true;
    if (q.quit) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, messageTime(), {}};
        if (remove) q.quit = false;
        return true;
    }
    if (takeInput(msg, filter, lo, hi, remove)) {
        input = true;
        return true;
    }
    if (rangeMatches(WM_PAINT, lo, hi)) {
        Window* f = filter && filter != reinterpret_cast<HWND>(-1) ? window(filter) : nullptr;
        if (filter != reinterpret_cast<HWND>(-1) && (!filter || f)) {
            if (Window* w = nextWindowToPaint(f)) {
                *msg = MSG{w->handle, WM_PAINT, 0, 0, messageTime(), {}};
                return true;
            }
        }
    }
    if (rangeMatches(WM_TIMER, lo, hi) && filter != reinterpret_cast<HWND>(-1)) {
        Window* f = filter ? window(filter) : nullptr;
        if ((!filter || f) && takeDueTimer(f, msg, remove)) return true;
    }
    return false;
}

bool retrieve(MSG* msg, HWND filter, UINT lo, UINT hi, UINT flags) {
    bool remove = (flags & PM_REMOVE) != 0;
    bool input = false;
    if (!peekOnce(msg, filter, lo, hi, remove, input)) {
        sys::lookedAtEmptyQueue();
        return false;
    }
    // Input carries the time it was made, as the keyboard's text for a key is looked up by it;
    // other messages the time they are read.
    if (!input) msg->time = messageTime();
    if (msg->pt.x == 0 && msg->pt.y == 0) msg->pt = cursorScreenPos();
    if (hooksInstalled(WH_GETMESSAGE))
        callHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(msg));
    setCurrentMessage(*msg);
    return true;
}

} // namespace

DWORD messageTime() {
    return static_cast<DWORD>(sys::clockNow() - queueStart());
}

void setCurrentMessage(const MSG& msg) {
    queue().current = msg;
}

void runIncomingSends() {
    runCrossThreadSends();
}

void wakeLoop() {
    Waker* waker = queue().waker.load();
    if (!waker || waker->pending.exchange(true)) return;
    QCoreApplication::postEvent(waker, new QEvent(QEvent::User));
}

void pumpQt(bool wait) {
    Queue& q = queue();
    if (!q.waker) {
        desktop();
        q.waker = new Waker;
        q.lastPump = std::chrono::steady_clock::now();
    }
    if (wait) {
        armTimerWaker();
        remote::markInputIdle();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
        if (std::chrono::steady_clock::now() - q.lastPump < std::chrono::milliseconds(1)) return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    q.lastPump = std::chrono::steady_clock::now();
    if (q.depth <= 1) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void postInput(const MSG& msg, const QString& text) {
    RawInput in;
    in.kind = RawInput::Kind::Char;
    in.resolved = true;
    in.msg = msg;
    in.text = text;
    pushRawInput(in);
}

void pushRawInput(RawInput in) {
    in.time = messageTime();
    queue().input.push_back(std::move(in));
}

void returnPressToQueue(const MSG& press) {
    RawInput in;
    in.kind = RawInput::Kind::Mouse;
    const UINT m = press.message;
    in.message = m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK ? m - WM_NCMOUSEMOVE + WM_MOUSEMOVE : m;
    in.screen = QPoint(press.pt.x, press.pt.y);
    in.keyFlags = (keyDown(VK_LBUTTON) ? MK_LBUTTON : 0) | (keyDown(VK_RBUTTON) ? MK_RBUTTON : 0) |
                  (keyDown(VK_MBUTTON) ? MK_MBUTTON : 0) | (keyDown(VK_SHIFT) ? MK_SHIFT : 0) |
                  (keyDown(VK_CONTROL) ? MK_CONTROL : 0);
    in.time = press.time;
    queue().input.push_front(std::move(in)); // aimed again when it is read: capture may have changed
}

void reaimQueuedMouseInput() {
    for (RawInput& in : queue().input)
        if (in.kind == RawInput::Kind::Mouse) in.resolved = false;
}

void postFront(const MSG& msg) {
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.posted.push_front(msg);
}

void runLater(void (*action)(HWND, bool), HWND hwnd, bool flag) {
    queue().deferred.push_back(Deferred{action, hwnd, flag});
}

LRESULT sendFromWorker(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue& q = queue();
    CrossThreadSend s{hwnd, message, wParam, lParam, {}};
    std::future<LRESULT> result = s.result.get_future();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        q.sends.push_back(&s);
    }
    wakeLoop();
    return result.get();
}

int loopDepthChange(int delta) {
    return queue().depth += delta;
}

} // namespace pm::wm

using namespace pm::wm;

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        if (!onUiThread()) return FALSE;
        for (Window* w : desktop()->children)
            PostMessage(w->handle, message, wParam, lParam);
        return TRUE;
    }
    if (hwnd && onUiThread() && !window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Queue& q = queue();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        q.posted.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
    }
    if (!onUiThread()) wakeLoop();
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessage(nullptr, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    queue().quit = true;
    queue().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg || !onUiThread()) return FALSE;
    return retrieve(msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg || !onUiThread()) return -1;
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    loopDepthChange(1);
    while (!retrieve(msg, hwnd, filterMin, filterMax, PM_REMOVE))
        pumpQt(true);
    loopDepthChange(-1);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    MSG msg;
    while (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        pumpQt(true);
    return TRUE;
}

// Waits for messages of the kinds of the wake mask, and for handles, which are polled every 10 ms
// while no such message comes.
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds, DWORD wakeMask,
                                  DWORD flags) {
    if (count != 0 && !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    QElapsedTimer t;
    t.start();
    QTimer tick;
    tick.setSingleShot(true);
    for (;;) {
        if (count) {
            DWORD r = WaitForMultipleObjects(count, handles, (flags & MWMO_WAITALL) ? TRUE : FALSE, 0);
            if (r != WAIT_TIMEOUT) return r;
        }
        if (wakeMask && (GetQueueStatus(wakeMask) & 0xFFFF)) return WAIT_OBJECT_0 + count;
        bool endless = milliseconds == INFINITE;
        qint64 left = endless ? 0 : static_cast<qint64>(milliseconds) - t.elapsed();
        // A finite wait that has run out ends, however late the clock looked.
        if (!endless && left <= 0) return WAIT_TIMEOUT;
        if (count || !endless)
            tick.start(static_cast<int>(count ? (endless ? 10 : std::min<qint64>(left, 10)) : left));
        pumpQt(true);
    }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL, DWORD milliseconds,
                                DWORD wakeMask) {
    return MsgWaitForMultipleObjectsEx(count, handles, milliseconds, wakeMask, 0);
}

DWORD GetQueueStatus(UINT flags) {
    if (!onUiThread()) return 0;
    Queue& q = queue();
    pumpQt(false);
    DWORD status = 0;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (!q.posted.empty() || q.quit) status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
        if (!q.sends.empty()) status |= QS_SENDMESSAGE;
    }
    for (const RawInput& in : q.input) {
        if (in.kind == RawInput::Kind::Key || in.kind == RawInput::Kind::Char)
            status |= QS_KEY;
        else if (in.message == WM_MOUSEMOVE)
            status |= QS_MOUSEMOVE;
        else
            status |= QS_MOUSEBUTTON;
    }
    if (nextWindowToPaint(nullptr)) status |= QS_PAINT;
    MSG timer;
    if (takeDueTimer(nullptr, &timer, false)) status |= QS_TIMER;
    status &= flags;
    return status << 16 | status;
}

BOOL GetInputState() {
    return (GetQueueStatus(QS_INPUT) & QS_INPUT) != 0;
}

DWORD GetMessagePos() {
    const MSG& m = queue().current;
    return static_cast<DWORD>(MAKELONG(m.pt.x, m.pt.y));
}

LONG GetMessageTime() {
    return static_cast<LONG>(queue().current.time);
}

LPARAM GetMessageExtraInfo() {
    return 0;
}

BOOL InSendMessage() {
    return queue().inCrossSend > 0;
}

DWORD InSendMessageEx(LPVOID) {
    return InSendMessage() ? ISMEX_SEND : ISMEX_NOSEND;
}

BOOL ReplyMessage(LRESULT) {
    return FALSE;
}
