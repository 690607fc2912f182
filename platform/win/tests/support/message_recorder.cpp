#include "platform/win/tests/support/test_windows.h"

#include <map>

namespace pm::test {
namespace {

struct Watched {
    WNDPROC previous = nullptr;
};

MessageRecorder*& active() {
    static MessageRecorder* r = nullptr;
    return r;
}

std::map<HWND, Watched>& watched() {
    static std::map<HWND, Watched> w;
    return w;
}

std::map<HWND, std::string>& names() {
    static std::map<HWND, std::string> n;
    return n;
}

struct MessageName {
    UINT message;
    const char* name;
};

#define PM_NAME(m)                                                                                           \
    { m, #m }
constexpr MessageName kNames[] = {
    PM_NAME(WM_CREATE),
    PM_NAME(WM_DESTROY),
    PM_NAME(WM_MOVE),
    PM_NAME(WM_SIZE),
    PM_NAME(WM_ACTIVATE),
    PM_NAME(WM_SETFOCUS),
    PM_NAME(WM_KILLFOCUS),
    PM_NAME(WM_ENABLE),
    PM_NAME(WM_SETREDRAW),
    PM_NAME(WM_SETTEXT),
    PM_NAME(WM_GETTEXT),
    PM_NAME(WM_GETTEXTLENGTH),
    PM_NAME(WM_PAINT),
    PM_NAME(WM_CLOSE),
    PM_NAME(WM_QUIT),
    PM_NAME(WM_ERASEBKGND),
    PM_NAME(WM_SHOWWINDOW),
    PM_NAME(WM_ACTIVATEAPP),
    PM_NAME(WM_CANCELMODE),
    PM_NAME(WM_SETCURSOR),
    PM_NAME(WM_MOUSEACTIVATE),
    PM_NAME(WM_CHILDACTIVATE),
    PM_NAME(WM_GETMINMAXINFO),
    PM_NAME(WM_WINDOWPOSCHANGING),
    PM_NAME(WM_WINDOWPOSCHANGED),
    PM_NAME(WM_CONTEXTMENU),
    PM_NAME(WM_STYLECHANGING),
    PM_NAME(WM_STYLECHANGED),
    PM_NAME(WM_GETICON),
    PM_NAME(WM_NCCREATE),
    PM_NAME(WM_NCDESTROY),
    PM_NAME(WM_NCCALCSIZE),
    PM_NAME(WM_NCHITTEST),
    PM_NAME(WM_NCPAINT),
    PM_NAME(WM_NCACTIVATE),
    PM_NAME(WM_NCMOUSEMOVE),
    PM_NAME(WM_NCLBUTTONDOWN),
    PM_NAME(WM_NCLBUTTONUP),
    PM_NAME(WM_NCLBUTTONDBLCLK),
    PM_NAME(WM_KEYDOWN),
    PM_NAME(WM_KEYUP),
    PM_NAME(WM_CHAR),
    PM_NAME(WM_SYSKEYDOWN),
    PM_NAME(WM_SYSKEYUP),
    PM_NAME(WM_SYSCHAR),
    PM_NAME(WM_COMMAND),
    PM_NAME(WM_SYSCOMMAND),
    PM_NAME(WM_TIMER),
    PM_NAME(WM_MOUSEMOVE),
    PM_NAME(WM_LBUTTONDOWN),
    PM_NAME(WM_LBUTTONUP),
    PM_NAME(WM_LBUTTONDBLCLK),
    PM_NAME(WM_RBUTTONDOWN),
    PM_NAME(WM_RBUTTONUP),
    PM_NAME(WM_MOUSEWHEEL),
    PM_NAME(WM_PARENTNOTIFY),
    PM_NAME(WM_SIZING),
    PM_NAME(WM_CAPTURECHANGED),
    PM_NAME(WM_MOVING),
    PM_NAME(WM_ENTERSIZEMOVE),
    PM_NAME(WM_EXITSIZEMOVE),
    PM_NAME(WM_USER),
};
#undef PM_NAME

} // namespace

const char* messageName(UINT message) {
    for (const MessageName& n : kNames)
        if (n.message == message) return n.name;
    return "WM_?";
}

LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = watched()[hwnd].previous;
    if (MessageRecorder* r = active()) r->m_messages.push_back(Recorded{hwnd, msg, wParam, lParam});
    if (msg == WM_NCDESTROY) watched().erase(hwnd);
    return previous ? CallWindowProc(previous, hwnd, msg, wParam, lParam)
                    : DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MessageRecorder::recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (MessageRecorder* r = active()) r->m_messages.push_back(Recorded{hwnd, msg, wParam, lParam});
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

MessageRecorder::MessageRecorder() {
    active() = this;
}

MessageRecorder::~MessageRecorder() {
    if (active() == this) active() = nullptr;
}

void MessageRecorder::watch(HWND hwnd, const std::string& label) {
    name(hwnd, label);
    if (watched().count(hwnd)) return;
    watched()[hwnd].previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWL_WNDPROC));
    SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc));
}

void MessageRecorder::name(HWND hwnd, const std::string& label) {
    names()[hwnd] = label;
}

std::vector<std::string> MessageRecorder::trace(const std::vector<UINT>& only) const {
    std::vector<std::string> out;
    for (const Recorded& r : m_messages) {
        if (!only.empty() && std::find(only.begin(), only.end(), r.message) == only.end()) continue;
        auto it = names().find(r.hwnd);
        out.push_back((it == names().end() ? std::string("?") : it->second) + ":" + messageName(r.message));
    }
    return out;
}

const char* recordingClass() {
    static const char* name = [] {
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = MessageRecorder::recordingProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "PmRecording";
        RegisterClass(&wc);
        return "PmRecording";
    }();
    return name;
}

} // namespace pm::test
