// Window-manager costs, as ratios against baselines measured in the same run: SendMessage against
// a direct call of the window procedure, a post-peek-dispatch round trip against SendMessage, and
// creating, painting and destroying many child windows against creating and destroying them alone.

#include "platform/win/windows.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

volatile LRESULT sink = 0;

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) return static_cast<LRESULT>(wParam + 1);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

template <class F> double seconds(F f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    WNDCLASS wc{};
    wc.lpfnWndProc = proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BenchWindow";
    RegisterClass(&wc);
    HWND top = CreateWindowEx(0, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700, nullptr, nullptr,
                              nullptr, nullptr);
    pump();
    const int n = 200000;
    double direct = seconds([&] {
        for (int i = 0; i < n; ++i)
            sink = proc(top, WM_USER, static_cast<WPARAM>(i), 0);
    });
    double sent = seconds([&] {
        for (int i = 0; i < n; ++i)
            sink = SendMessage(top, WM_USER, static_cast<WPARAM>(i), 0);
    });
    double posted = seconds([&] {
        for (int i = 0; i < n; ++i)
            PostMessage(top, WM_USER, static_cast<WPARAM>(i), 0);
        pump();
    });
    std::vector<HWND> children(1000);
    double plain = seconds([&] {
        for (std::size_t i = 0; i < children.size(); ++i)
            children[i] =
                CreateWindowEx(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, static_cast<int>(i % 40) * 25,
                               static_cast<int>(i / 40) * 27, 24, 26, top, nullptr, nullptr, nullptr);
        for (HWND c : children)
            DestroyWindow(c);
        pump();
    });
    double painted = seconds([&] {
        for (std::size_t i = 0; i < children.size(); ++i)
            children[i] =
                CreateWindowEx(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, static_cast<int>(i % 40) * 25,
                               static_cast<int>(i / 40) * 27, 24, 26, top, nullptr, nullptr, nullptr);
        pump();
        for (HWND c : children)
            InvalidateRect(c, nullptr, TRUE);
        pump();
        for (HWND c : children)
            DestroyWindow(c);
        pump();
    });
    std::printf("SendMessage / direct call:             %.2f\n", sent / direct);
    std::printf("Post+Peek+Dispatch / SendMessage:      %.2f\n", posted / sent);
    std::printf("1000 children painted twice / created: %.2f\n", painted / plain);
    DestroyWindow(top);
    return 0;
}
