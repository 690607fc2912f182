// A second process for the tests of windows of other processes. It makes one top-level window,
// writes its handle as a decimal number to the file named by its argument, and answers WM_COPYDATA:
// it appends "data:text:sender-alive" to the file's log (file + ".log") and answers 1 + data. Data 7
// sends the text back to the sender first (while the sender waits for this answer); data 99 ends it.

#include "platform/win/windows.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string logPath;

void answerBack(HWND self, HWND sender, const std::string& text) {
    COPYDATASTRUCT back{70, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    ::SendMessage(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&back));
}

LRESULT CALLBACK peerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    if (message != WM_COPYDATA) return ::DefWindowProc(hwnd, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const std::string text(
        static_cast<const char*>(data->lpData) ? static_cast<const char*>(data->lpData) : "", data->cbData);
    const HWND sender = reinterpret_cast<HWND>(wParam);
    std::ofstream(logPath, std::ios::app | std::ios::binary)
        << data->dwData << ":" << text << ":" << (::IsWindow(sender) ? "alive" : "none") << "\n";
    if (data->dwData == 7) answerBack(hwnd, sender, text);
    if (data->dwData == 99) ::DestroyWindow(hwnd);
    return static_cast<LRESULT>(1 + data->dwData);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string handleFile = argv[1];
    logPath = handleFile + ".log";
    WNDCLASSA cls{};
    cls.lpfnWndProc = peerProc;
    cls.lpszClassName = "RemoteWindowPeer";
    ::RegisterClassA(&cls);
    HWND hwnd = ::CreateWindowExA(0, "RemoteWindowPeer", "peer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!hwnd) return 3;
    const std::string temp = handleFile + ".tmp";
    std::ofstream(temp) << reinterpret_cast<unsigned long long>(hwnd);
    std::rename(temp.c_str(), handleFile.c_str());
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessage(&msg);
    return 0;
}
