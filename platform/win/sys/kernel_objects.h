#pragma once
// The kernel objects behind HANDLEs (events, change notifications, files): one table for the
// process, safe to use from any thread. A wait polls each object's descriptor. Private to
// platform/win/sys.

#include "platform/win/handles.h"

#include <memory>

namespace pm::sys {

class KernelObject {
public:
    virtual ~KernelObject();
    // The descriptor that a wait polls (readable while the object is signalled); -1 when the object
    // cannot be waited on.
    virtual int waitDescriptor() const { return -1; }
    // Called when a wait found the descriptor readable: true when this wait takes the signal (an
    // auto-reset event is reset here, and another waiter may have taken it first).
    virtual bool acquire() { return true; }
};

// A new handle for the object.
HANDLE addKernelObject(std::shared_ptr<KernelObject> object);
// The object of a live handle, or null; it lives on while the caller holds it, even once closed.
std::shared_ptr<KernelObject> kernelObject(HANDLE handle);
template <class T> std::shared_ptr<T> kernelObjectOf(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(kernelObject(handle));
}
// Forgets the handle; false when it was not a live one.
bool removeKernelObject(HANDLE handle);

// Sets the thread's last error from an errno value of a file operation on path.
void setFileError(int error, const char* path);

} // namespace pm::sys
