// The running program, time and threads.

#include "platform/win/winbase.h"

#include "platform/win/sys/clock.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::string programPath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// Every program is one module; its handle is a fixed non-null value.
HMODULE theModule() {
    return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));
}

UINT copyFolder(const char* folder, LPSTR buffer, UINT size) {
    const auto length = static_cast<UINT>(std::strlen(folder));
    if (!buffer || size <= length) return length + 1;
    std::memcpy(buffer, folder, length + 1);
    return length;
}

} // namespace

UINT GetWindowsDirectory(LPSTR buffer, UINT size) {
    return copyFolder("/usr/share", buffer, size);
}

UINT GetSystemDirectory(LPSTR buffer, UINT size) {
    return copyFolder("/usr/lib", buffer, size);
}

HMODULE GetModuleHandle(LPCSTR) {
    return theModule();
}

DWORD GetModuleFileName(HMODULE, LPSTR fileName, DWORD size) {
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::string path = programPath();
    if (path.size() >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

ULONGLONG GetTickCount64() {
    return pm::sys::clockNow();
}

DWORD GetTickCount() {
    return static_cast<DWORD>(GetTickCount64());
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(syscall(SYS_gettid));
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}
