// Libraries above the window manager register what they add from their own libraries.

#include "platform/win/tests/support/test_windows.h"

#include "platform/win/wm/registration.h"

#include <gtest/gtest.h>

TEST(SystemClasses, ExistWithoutRegistrationAndLateProvidersRunBeforeTheNextLookUp) {
    WNDCLASS wc{};
    for (const char* name : {"BUTTON", "EDIT", "ComboLBox", "SCROLLBAR", "MDICLIENT"})
        EXPECT_TRUE(GetClassInfo(nullptr, name, &wc)) << name;
    EXPECT_FALSE(GetClassInfo(nullptr, "PmLateSystemClass", &wc));
    pm::wm::addSystemClassProvider([] {
        WNDCLASS late{};
        late.lpfnWndProc = DefWindowProc;
        late.lpszClassName = "PmLateSystemClass";
        RegisterClass(&late);
    });
    EXPECT_TRUE(GetClassInfo(nullptr, "PmLateSystemClass", &wc));
    HWND w = CreateWindowEx(0, "PmLateSystemClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    EXPECT_NE(w, nullptr);
    DestroyWindow(w);
}
