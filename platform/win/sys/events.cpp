// Events over eventfd: the descriptor is readable while the event is signalled.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/winbase.h"

#include <cerrno>
#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace pm::sys {
namespace {

class Event final : public KernelObject {
public:
    Event(int fd, bool manualReset) : m_fd(fd), m_manualReset(manualReset) {}
    ~Event() override { ::close(m_fd); }

    int waitDescriptor() const override { return m_fd; }
    bool acquire() override { return m_manualReset || take(); }

    void set() {
        const std::uint64_t one = 1;
        while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) {
        }
    }
    void reset() { take(); }

private:
    // Reads the counter back to zero: true when the event was signalled.
    bool take() {
        std::uint64_t value = 0;
        ssize_t got;
        while ((got = ::read(m_fd, &value, sizeof value)) < 0 && errno == EINTR) {
        }
        return got == static_cast<ssize_t>(sizeof value);
    }

    int m_fd;
    bool m_manualReset;
};

std::shared_ptr<Event> eventOf(HANDLE handle) {
    std::shared_ptr<Event> event = kernelObjectOf<Event>(handle);
    if (!event) SetLastError(ERROR_INVALID_HANDLE);
    return event;
}

} // namespace
} // namespace pm::sys

using namespace pm::sys;

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
    if (name && *name) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return nullptr;
    }
    auto event = std::make_shared<Event>(fd, manualReset != FALSE);
    if (initialState) event->set();
    return addKernelObject(std::move(event));
}

BOOL SetEvent(HANDLE event) {
    std::shared_ptr<Event> e = eventOf(event);
    if (!e) return FALSE;
    e->set();
    return TRUE;
}

BOOL ResetEvent(HANDLE event) {
    std::shared_ptr<Event> e = eventOf(event);
    if (!e) return FALSE;
    e->reset();
    return TRUE;
}
