#include "platform/forms/url_opener.h"

#include "platform/win/windows.h"

#include <cstdint>

namespace vb {
namespace {

UrlOpener* g_opener = nullptr;

} // namespace

bool SystemUrlOpener::OpenUrl(const std::string& url) {
    // Always a normal window: the caller's own state (hidden, minimised) must not hide the page.
    HINSTANCE result = ShellExecute(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

UrlOpener& urlOpener() {
    static SystemUrlOpener system;
    return g_opener ? *g_opener : system;
}

void setUrlOpener(UrlOpener* opener) {
    g_opener = opener;
}

} // namespace vb
