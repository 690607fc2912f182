#pragma once
// Screen capture behind a small interface: the system's (the desktop DC) or a fake for tests.

#include "platform/win/windows.h"

#include <functional>

namespace vb {

class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;
    // A new bitmap (the caller deletes it) of `area` of the screen, in screen coordinates.
    virtual HBITMAP capture(const RECT& area) = 0;
};

// Copies from the desktop's device context.
class SystemScreenCapture : public ScreenCapture {
public:
    HBITMAP capture(const RECT& area) override;
};

// A screen whose colour at each point a function gives.
class FakeScreenCapture : public ScreenCapture {
public:
    explicit FakeScreenCapture(std::function<COLORREF(int x, int y)> pixel) : m_pixel(std::move(pixel)) {}
    HBITMAP capture(const RECT& area) override;

private:
    std::function<COLORREF(int x, int y)> m_pixel;
};

// The capture in use (the system's unless replaced); nullptr restores the system's.
ScreenCapture& screenCapture();
void setScreenCapture(ScreenCapture* capture);

} // namespace vb
