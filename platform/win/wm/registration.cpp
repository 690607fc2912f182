#include "platform/win/wm/registration.h"

#include <cstddef>
#include <vector>

namespace pm::wm {
namespace {

// Function-local statics: the libraries above register from their static objects, whose order
// of construction relative to this file's is unknown.
std::vector<void (*)()>& classProviders() {
    static std::vector<void (*)()> providers;
    return providers;
}

std::size_t& providersRun() {
    static std::size_t run = 0;
    return run;
}

std::vector<DropHandler>& dropHandlers() {
    static std::vector<DropHandler> handlers;
    return handlers;
}

} // namespace

void addSystemClassProvider(void (*provide)()) {
    classProviders().push_back(provide);
}

void runSystemClassProviders() {
    // A provider registers classes, and registering looks classes up: the count moves on before
    // each call so that the nested look-ups run nothing twice.
    while (providersRun() < classProviders().size()) {
        void (*provide)() = classProviders()[providersRun()];
        ++providersRun();
        provide();
    }
}

void addDropHandler(DropHandler handler) {
    dropHandlers().push_back(handler);
}

namespace {
ClassMenuLoader& classMenuLoader() {
    static ClassMenuLoader load = nullptr;
    return load;
}
} // namespace

void setClassMenuLoader(ClassMenuLoader load) {
    classMenuLoader() = load;
}

HMENU loadClassMenu(HINSTANCE instance, const char* name) {
    return classMenuLoader() ? classMenuLoader()(instance, name) : nullptr;
}

const DropHandler* dropHandlerFor(HWND hwnd, const QDropEvent* e) {
    for (const DropHandler& h : dropHandlers())
        if (h.accepts(hwnd, e)) return &h;
    return nullptr;
}

} // namespace pm::wm
