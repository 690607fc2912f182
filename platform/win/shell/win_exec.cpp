// WinExec: a program started and waited for until its user-interface thread waits for input, which
// its endpoint for other processes tells (programs of this system; others are waited for until they
// end or the time is up). The caller's windows are painted while it waits.

#include "platform/win/shell/shell.h"
#include "platform/win/winbase.h"
#include "platform/win/winuser.h"
#include "platform/win/wm/remote_windows.h"

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kIdleWait = std::chrono::seconds(10);
constexpr auto kIdlePoll = std::chrono::milliseconds(20);

// Why the program of path cannot start, or 0.
UINT startProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const std::size_t slash = path.find_last_of('/');
        struct stat parent {};
        const bool folderMissing =
            slash != std::string::npos && slash > 0 && ::stat(path.substr(0, slash).c_str(), &parent) != 0;
        return folderMissing ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    }
    if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0) return ERROR_BAD_FORMAT;
    return 0;
}

// Waits until the started process waits for input or ends, or the time is up. A thread of its own
// asks the process and signals when it is done; the window thread meanwhile goes on painting its
// windows (input stays queued for after). A process still running afterwards is reaped by that
// thread when it ends.
void waitForInputIdle(pid_t pid) {
    HANDLE done = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread([pid, done] {
        const auto deadline = std::chrono::steady_clock::now() + kIdleWait;
        int status = 0;
        bool ended = false;
        while (!ended && std::chrono::steady_clock::now() < deadline) {
            ended = ::waitpid(pid, &status, WNOHANG) == pid;
            if (ended || pm::wm::remote::isInputIdle(static_cast<int>(pid))) break;
            std::this_thread::sleep_for(kIdlePoll);
        }
        ::SetEvent(done);
        if (!ended) ::waitpid(pid, &status, 0);
    }).detach();
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_PAINT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
    }
    ::CloseHandle(done);
}

} // namespace

UINT WinExec(LPCSTR cmdLine, UINT) {
    std::vector<std::string> args = pm::splitCommandLine(cmdLine ? cmdLine : "");
    if (args.empty()) return ERROR_FILE_NOT_FOUND;
    for (char& c : args[0])
        if (c == '\\') c = '/';
    const bool searched = args[0].find('/') == std::string::npos;
    if (!searched)
        if (UINT problem = startProblem(args[0])) return problem;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = searched ? ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)
                                : ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (failed) return failed == ENOENT ? ERROR_FILE_NOT_FOUND : (failed == ENOEXEC ? ERROR_BAD_FORMAT : 0);
    waitForInputIdle(pid);
    return 33;
}
