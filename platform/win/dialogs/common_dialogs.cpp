// The common dialogs' hook and extended error.

#include "platform/win/dialogs/common_dialogs.h"
#include "platform/win/dialogs/modal_owner.h"
#include "platform/win/wm/desktop_services.h"

namespace pm::dialogs {
namespace {

CommonDialogHook& hook() {
    static CommonDialogHook h;
    return h;
}

thread_local DWORD lastError = 0;

} // namespace

CommonDialogAnswer ask(const CommonDialogRequest& request) {
    if (CommonDialogHook h = hook()) return h(request);
    return wm::desktopServices().runDialog([&] {
        ModalOwner modal(request.owner);
        return askDesktop(request);
    });
}

void setExtendedError(DWORD error) {
    lastError = error;
}

} // namespace pm::dialogs

void pm::setCommonDialogHook(CommonDialogHook hook) {
    dialogs::hook() = std::move(hook);
}

DWORD CommDlgExtendedError() {
    return pm::dialogs::lastError;
}
