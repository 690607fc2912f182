// Windows of other processes: this process's endpoint on a local socket, and the requests sent to
// the endpoints of others. Frames are written field by field, little-endian:
//   request: magic "PMW1", kind, target window, sender window (wParam), data, length, then length bytes
//   answer:  magic "PMW1", status, result

#include "platform/win/wm/remote_windows.h"

#include "platform/win/handle_table.h"
#include "platform/win/wm/wm.h"
#include "platform/win/winbase.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace pm::wm::remote {
namespace {

constexpr std::uint32_t kMagic = 0x31574D50; // "PMW1"
constexpr std::size_t kRequestSize = 36;
constexpr std::size_t kAnswerSize = 16;
// The most a WM_COPYDATA carries; a larger length is refused before anything is allocated.
constexpr std::uint32_t kMaxData = 64u << 20;
// How long the endpoint waits for a request's bytes, and a client for an answer that needs no
// user-interface thread.
constexpr int kQuickMilliseconds = 5000;

enum class Kind : std::uint32_t { IsWindow = 1, InputIdle = 2, CopyData = 3 };
enum class Status : std::uint32_t { Answered = 0, NoWindow = 1, Refused = 2 };

struct Request {
    Kind kind = Kind::IsWindow;
    std::uint64_t target = 0;
    std::uint64_t sender = 0;
    std::uint64_t data = 0;
    std::vector<unsigned char> bytes;
};

struct Answer {
    Status status = Status::Refused;
    std::uint64_t result = 0;
};

void put32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}
void put64(unsigned char* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}
std::uint32_t get32(const unsigned char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}
std::uint64_t get64(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

// ---- The runtime folder ----

// A folder of the user's that nobody else may enter, made when missing; "" when there is none.
std::string ownFolder(const std::string& path) {
    ::mkdir(path.c_str(), 0700);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077))
        return {};
    return path;
}

const std::string& endpointFolder() {
    static const std::string folder = [] {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime && *runtime) return ownFolder(std::string(runtime) + "/pmwin");
        return ownFolder("/tmp/pmwin-" + std::to_string(::getuid()));
    }();
    return folder;
}

bool socketAddress(std::uint32_t pid, sockaddr_un& address) {
    const std::string& folder = endpointFolder();
    if (folder.empty()) return false;
    const std::string path = folder + "/wnd-" + std::to_string(pid);
    if (path.size() >= sizeof address.sun_path) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// ---- Reading and writing whole frames ----

// Waits for the descriptor to be ready; milliseconds -1 is endless. While the user-interface
// thread waits, messages other threads send to it are handled, as a sending thread does.
bool waitReady(int fd, short events, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
    const bool handleSends = onUiThread();
    for (;;) {
        int slice = milliseconds;
        if (milliseconds >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            slice = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        if (handleSends && (slice < 0 || slice > 10)) slice = 10;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, slice);
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
        if (milliseconds >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
        if (handleSends) runIncomingSends();
    }
}

bool readAll(int fd, unsigned char* data, std::size_t size, int milliseconds) {
    for (std::size_t done = 0; done < size;) {
        if (!waitReady(fd, POLLIN, milliseconds)) return false;
        const ssize_t got = ::recv(fd, data + done, size - done, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        if (!waitReady(fd, POLLOUT, kQuickMilliseconds)) return false;
        const ssize_t put = ::send(fd, data + done, size - done, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// ---- This process's endpoint ----

struct LiveWindows {
    std::mutex mutex;
    std::unordered_set<std::uintptr_t> handles;
};

LiveWindows& liveWindows() {
    static LiveWindows* live = new LiveWindows; // kept to the end: endpoint threads may still ask
    return *live;
}

bool isLive(std::uint64_t handle) {
    LiveWindows& live = liveWindows();
    std::lock_guard<std::mutex> lock(live.mutex);
    return live.handles.count(static_cast<std::uintptr_t>(handle)) != 0;
}

std::atomic<bool>& inputIdle() {
    static std::atomic<bool> idle{false};
    return idle;
}

std::string& endpointPath() {
    static std::string path;
    return path;
}

// Requests accepted and not yet answered: a process that ends answers them first.
std::atomic<int>& requestsInFlight() {
    static std::atomic<int> count{0};
    return count;
}

bool samePeer(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

bool readRequest(int fd, Request& request) {
    unsigned char head[kRequestSize];
    if (!readAll(fd, head, sizeof head, kQuickMilliseconds) || get32(head) != kMagic) return false;
    request.kind = static_cast<Kind>(get32(head + 4));
    request.target = get64(head + 8);
    request.sender = get64(head + 16);
    request.data = get64(head + 24);
    const std::uint32_t length = get32(head + 32);
    if (length > kMaxData) return false;
    request.bytes.resize(length);
    return length == 0 || readAll(fd, request.bytes.data(), length, kQuickMilliseconds);
}

Answer handle(Request& request) {
    switch (request.kind) {
    case Kind::IsWindow:
        return Answer{Status::Answered, isLive(request.target) ? 1u : 0u};
    case Kind::InputIdle:
        return Answer{Status::Answered, inputIdle().load() ? 1u : 0u};
    case Kind::CopyData: {
        if (!isLive(request.target)) return Answer{Status::NoWindow, 0};
        COPYDATASTRUCT data{static_cast<ULONG_PTR>(request.data), static_cast<DWORD>(request.bytes.size()),
                            request.bytes.empty() ? nullptr : request.bytes.data()};
        // From this thread the message goes to the user-interface thread, which handles it while
        // this one waits, as a message sent from another thread.
        const LRESULT result =
            ::SendMessage(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.target)), WM_COPYDATA,
                          static_cast<WPARAM>(request.sender), reinterpret_cast<LPARAM>(&data));
        return Answer{Status::Answered, static_cast<std::uint64_t>(result)};
    }
    }
    return Answer{};
}

void serve(int fd) {
    Request request;
    Answer answer;
    if (samePeer(fd) && readRequest(fd, request)) answer = handle(request);
    unsigned char out[kAnswerSize];
    put32(out, kMagic);
    put32(out + 4, static_cast<std::uint32_t>(answer.status));
    put64(out + 8, answer.result);
    writeAll(fd, out, sizeof out);
    ::close(fd);
    --requestsInFlight();
}

void listen(int server) {
    for (;;) {
        const int client = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        ++requestsInFlight();
        std::thread(serve, client).detach();
    }
}

// At the end of the process: no new requests, and the answers under way get out (a request still
// waiting for the user-interface thread, which has ended, is given up after a second).
void removeEndpoint() {
    if (!endpointPath().empty()) ::unlink(endpointPath().c_str());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (requestsInFlight().load() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// ---- Requests to other processes ----

// Connects to process pid's endpoint; -1 when it has none (it is gone or never listened).
int connectTo(std::uint32_t pid) {
    sockaddr_un address{};
    if (!socketAddress(pid, address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

enum class Reach { NoEndpoint, NoAnswer, Answered };

Reach ask(std::uint32_t pid, const Request& request, int milliseconds, Answer& answer) {
    const int fd = connectTo(pid);
    if (fd < 0) return Reach::NoEndpoint;
    std::vector<unsigned char> out(kRequestSize + request.bytes.size());
    put32(out.data(), kMagic);
    put32(out.data() + 4, static_cast<std::uint32_t>(request.kind));
    put64(out.data() + 8, request.target);
    put64(out.data() + 16, request.sender);
    put64(out.data() + 24, request.data);
    put32(out.data() + 32, static_cast<std::uint32_t>(request.bytes.size()));
    if (!request.bytes.empty())
        std::memcpy(out.data() + kRequestSize, request.bytes.data(), request.bytes.size());
    unsigned char in[kAnswerSize];
    const bool answered = writeAll(fd, out.data(), out.size()) && readAll(fd, in, sizeof in, milliseconds) &&
                          get32(in) == kMagic;
    ::close(fd);
    if (!answered) return Reach::NoAnswer;
    answer.status = static_cast<Status>(get32(in + 4));
    answer.result = get64(in + 8);
    return Reach::Answered;
}

} // namespace

std::uint32_t processOf(HWND hwnd) {
    return HandleTable<Window>::tagOf(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::uint32_t processTag() {
    return static_cast<std::uint32_t>(::getpid()) & HandleTable<Window>::kMaxTag;
}

void startEndpoint() {
    static std::once_flag once;
    std::call_once(once, [] {
        sockaddr_un address{};
        if (!socketAddress(processTag(), address)) return;
        const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (server < 0) return;
        // An endpoint left by an ended process of the same id goes first.
        ::unlink(address.sun_path);
        if (::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(server, 16) != 0) {
            ::close(server);
            return;
        }
        ::chmod(address.sun_path, 0600);
        endpointPath() = address.sun_path;
        std::atexit(removeEndpoint);
        std::thread(listen, server).detach();
    });
}

void windowCreated(HWND hwnd) {
    LiveWindows& live = liveWindows();
    std::lock_guard<std::mutex> lock(live.mutex);
    live.handles.insert(reinterpret_cast<std::uintptr_t>(hwnd));
}

void windowFreed(HWND hwnd) {
    LiveWindows& live = liveWindows();
    std::lock_guard<std::mutex> lock(live.mutex);
    live.handles.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

void markInputIdle() {
    inputIdle().store(true);
}

bool isForeign(HWND hwnd) {
    const std::uint32_t tag = processOf(hwnd);
    return hwnd && tag != 0 && tag != processTag();
}

bool isWindow(HWND hwnd) {
    if (!isForeign(hwnd)) return false;
    Request request;
    request.kind = Kind::IsWindow;
    request.target = reinterpret_cast<std::uintptr_t>(hwnd);
    Answer answer;
    return ask(processOf(hwnd), request, kQuickMilliseconds, answer) == Reach::Answered &&
           answer.status == Status::Answered && answer.result != 0;
}

bool send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds, LRESULT* result) {
    if (message != WM_COPYDATA) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->cbData > kMaxData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    Request request;
    request.kind = Kind::CopyData;
    request.target = reinterpret_cast<std::uintptr_t>(hwnd);
    request.sender = static_cast<std::uint64_t>(wParam);
    if (data) {
        request.data = data->dwData;
        const auto* bytes = static_cast<const unsigned char*>(data->lpData);
        if (bytes) request.bytes.assign(bytes, bytes + data->cbData);
    }
    Answer answer;
    const int wait = milliseconds == INFINITE ? -1 : static_cast<int>(milliseconds);
    const Reach reach = ask(processOf(hwnd), request, wait, answer);
    if (reach == Reach::NoAnswer) {
        SetLastError(ERROR_TIMEOUT);
        return false;
    }
    if (reach == Reach::NoEndpoint || answer.status != Status::Answered) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (result) *result = static_cast<LRESULT>(answer.result);
    return true;
}

bool isInputIdle(int pid) {
    Request request;
    request.kind = Kind::InputIdle;
    Answer answer;
    return pid > 0 &&
           ask(static_cast<std::uint32_t>(pid), request, kQuickMilliseconds, answer) == Reach::Answered &&
           answer.status == Status::Answered && answer.result != 0;
}

} // namespace pm::wm::remote
