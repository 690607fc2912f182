#pragma once
// The desktop's primary screen, as the layer sees it. Private to platform/win.

#include "platform/win/wintypes.h"

namespace pm::gdi {

// The screen's rectangle, and the part of it that is not taken by the desktop's panels.
RECT screenRect();
RECT workArea();

} // namespace pm::gdi
