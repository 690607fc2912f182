// Stands in for the maker's web-page editor in the tests: it registers itself as "Sarrowby" (its
// own path and its window) and appends each text handed to it by WM_COPYDATA, as "kind:text", to
// the file named by PM_STAND_IN_LOG. Kind 99 ends it.

#include "app/program_registration.h"

#include "platform/win/windows.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

LRESULT CALLBACK standInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    if (message != WM_COPYDATA) return ::DefWindowProc(hwnd, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const char* log = std::getenv("PM_STAND_IN_LOG");
    if (log)
        std::ofstream(log, std::ios::app | std::ios::binary)
            << data->dwData << ":" << std::string(static_cast<const char*>(data->lpData), data->cbData)
            << "\n";
    if (data->dwData == 99) ::DestroyWindow(hwnd);
    return 1;
}

} // namespace

int main() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = standInProc;
    cls.lpszClassName = "WebEditorStandIn";
    ::RegisterClassA(&cls);
    HWND hwnd = ::CreateWindowExA(0, "WebEditorStandIn", "Sarrowby", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    if (!hwnd) return 3;
    char path[4096] = {};
    ::GetModuleFileName(nullptr, path, sizeof path);
    RegisterProgramWindow("Sarrowby", path, hwnd);
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessage(&msg);
    return 0;
}
