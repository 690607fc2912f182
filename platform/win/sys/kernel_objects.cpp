// The table of kernel objects, closing their handles and waiting on them.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/handle_table.h"
#include "platform/win/winbase.h"

#include <cerrno>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/stat.h>

namespace pm::sys {
namespace {

struct Slot {
    std::shared_ptr<KernelObject> object;
};

struct Objects {
    std::mutex mutex;
    HandleTable<Slot> table;
};

Objects& objects() {
    static Objects* o = new Objects; // kept to the end of the process: worker threads may still wait
    return *o;
}

std::uintptr_t key(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Milliseconds left until deadline for poll(), -1 for an endless wait.
int pollTimeout(DWORD milliseconds, std::chrono::steady_clock::time_point deadline) {
    if (milliseconds == INFINITE) return -1;
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

KernelObject::~KernelObject() = default;

HANDLE addKernelObject(std::shared_ptr<KernelObject> object) {
    Objects& o = objects();
    std::lock_guard<std::mutex> lock(o.mutex);
    auto slot = std::make_unique<Slot>();
    slot->object = std::move(object);
    return reinterpret_cast<HANDLE>(o.table.add(std::move(slot)));
}

std::shared_ptr<KernelObject> kernelObject(HANDLE handle) {
    Objects& o = objects();
    std::lock_guard<std::mutex> lock(o.mutex);
    Slot* slot = o.table.get(key(handle));
    return slot ? slot->object : nullptr;
}

bool removeKernelObject(HANDLE handle) {
    std::unique_ptr<Slot> slot;
    {
        Objects& o = objects();
        std::lock_guard<std::mutex> lock(o.mutex);
        slot = o.table.remove(key(handle));
    }
    return slot != nullptr; // the object goes outside the lock, once no wait holds it
}

void setFileError(int error, const char* path) {
    switch (error) {
    case ENOENT: {
        std::string parent(path ? path : "");
        const std::size_t slash = parent.find_last_of('/');
        struct stat st {};
        const bool parentMissing =
            slash != std::string::npos && slash > 0 && ::stat(parent.substr(0, slash).c_str(), &st) != 0;
        SetLastError(parentMissing ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        return;
    }
    case ENOTDIR:
        SetLastError(ERROR_PATH_NOT_FOUND);
        return;
    case EACCES:
    case EPERM:
        SetLastError(ERROR_ACCESS_DENIED);
        return;
    case EMFILE:
    case ENFILE:
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return;
    case ENAMETOOLONG:
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return;
    default:
        SetLastError(ERROR_GEN_FAILURE);
    }
}

} // namespace pm::sys

using namespace pm::sys;

BOOL CloseHandle(HANDLE object) {
    if (removeKernelObject(object)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
    if (!handles || count == 0 || count > MAXIMUM_WAIT_OBJECTS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    if (waitAll) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<KernelObject>> waited;
    std::vector<pollfd> fds;
    for (DWORD i = 0; i < count; ++i) {
        std::shared_ptr<KernelObject> object = kernelObject(handles[i]);
        if (!object || object->waitDescriptor() < 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        fds.push_back(pollfd{object->waitDescriptor(), POLLIN, 0});
        waited.push_back(std::move(object));
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(milliseconds == INFINITE ? 0 : milliseconds);
    for (;;) {
        const int ready = ::poll(fds.data(), fds.size(), pollTimeout(milliseconds, deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        for (DWORD i = 0; ready > 0 && i < count; ++i)
            if ((fds[i].revents & (POLLIN | POLLERR | POLLHUP)) && waited[i]->acquire())
                return WAIT_OBJECT_0 + i;
        // Nothing signalled, or another waiter took the signals first.
        if (pollTimeout(milliseconds, deadline) == 0) return WAIT_TIMEOUT;
    }
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}
