// InitCommonControls(Ex): the common-control classes exist once either is called.

#include "platform/win/commctrl/common_classes.h"

namespace pm::cc {

void registerCommonClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    registerStatusBarClass();
    registerProgressClass();
    registerTrackbarClass();
    registerUpDownClass();
    registerTooltipClass();
    registerTabClass();
    registerHeaderClass();
    registerToolbarClass();
    registerComboBoxExClass();
    registerListViewClass();
    registerTreeViewClass();
}

} // namespace pm::cc

void InitCommonControls() {
    pm::cc::registerCommonClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* info) {
    if (!info || info->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    pm::cc::registerCommonClasses();
    return TRUE;
}

HRESULT DllGetVersion(DLLVERSIONINFO* info) {
    if (!info || info->cbSize < sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 81;
    info->dwBuildNumber = 0;
    info->dwPlatformID = DLLVER_PLATFORM_NT;
    return S_OK;
}
