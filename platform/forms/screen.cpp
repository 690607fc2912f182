#include "platform/forms/screen.h"

#include "platform/win/windows.h"

namespace vb {

int ScreenObject::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenObject::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}
int ScreenObject::WidthTwips() const {
    return Width() * TwipsPerPixel;
}
int ScreenObject::HeightTwips() const {
    return Height() * TwipsPerPixel;
}

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

void DoEvents() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void End() {
    PostQuitMessage(0);
}

} // namespace vb
