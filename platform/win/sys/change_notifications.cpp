// Folder change notifications over inotify: one instance per notification, watching one folder.
// The descriptor is readable while events are queued, that is while the notification is signalled.

#include "platform/win/sys/kernel_objects.h"

#include "platform/win/winbase.h"

#include <cerrno>
#include <string>

#include <sys/inotify.h>
#include <unistd.h>

namespace pm::sys {
namespace {

constexpr DWORD kKnownFilters = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SECURITY;

class ChangeNotification final : public KernelObject {
public:
    explicit ChangeNotification(int fd) : m_fd(fd) {}
    ~ChangeNotification() override { ::close(m_fd); }

    int waitDescriptor() const override { return m_fd; }

    // Reads every queued event, so the notification waits for the next change.
    void next() {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got > 0 || (got < 0 && errno == EINTR)) continue;
            return;
        }
    }

private:
    int m_fd;
};

// The inotify events of a change filter. Renames and deletions of entries come with the names;
// a file written or touched changes its size or last-write time; the folder itself going away
// signals too, so that a waiter looks again.
uint32_t inotifyMask(DWORD filter) {
    uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    if (filter &
        (FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY))
        mask |= IN_ATTRIB;
    return mask;
}

std::string nativePath(const char* path) {
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

} // namespace
} // namespace pm::sys

using namespace pm::sys;

HANDLE FindFirstChangeNotification(LPCSTR pathName, BOOL watchSubtree, DWORD filter) {
    if (!pathName || !*pathName || filter == 0 || (filter & ~kKnownFilters)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (watchSubtree) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = nativePath(pathName);
    if (::inotify_add_watch(fd, path.c_str(), inotifyMask(filter)) < 0) {
        const int error = errno;
        ::close(fd);
        setFileError(error, path.c_str());
        return INVALID_HANDLE_VALUE;
    }
    return addKernelObject(std::make_shared<ChangeNotification>(fd));
}

BOOL FindNextChangeNotification(HANDLE change) {
    std::shared_ptr<ChangeNotification> notification = kernelObjectOf<ChangeNotification>(change);
    if (!notification) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    notification->next();
    return TRUE;
}

BOOL FindCloseChangeNotification(HANDLE change) {
    if (!kernelObjectOf<ChangeNotification>(change)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(change);
}
