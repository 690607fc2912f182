#pragma once
// Pictures the colour tool's secondary windows draw for themselves (the tray icon, the palette
// window's hand cursor), and the small conversions from a picture to an icon or a cursor.

#include "platform/win/windows.h"

#include <functional>

namespace tintara {

// A new picture of width x height whose pixel (x, y) `colour` gives; the caller deletes it.
HBITMAP drawPicture(int width, int height, const std::function<COLORREF(int x, int y)>& colour);

// A new icon (or cursor, with its hot spot) showing `picture`, where the pixels of colour
// `transparent` let the background through; nullptr when `picture` is no picture. The caller
// destroys it.
HICON iconOfPicture(HBITMAP picture, COLORREF transparent, bool isIcon, int hotX = 0, int hotY = 0);

// The program's picture, size x size (16 in the notification area): hues across, lighter to darker
// downwards, framed in dark grey.
HBITMAP drawTrayPicture(int size = 16);

// The pointing hand over the palette window: a 32 x 32 picture whose background is kHandBackground
// (transparent in the cursor); its fingertip lies at (5, 0).
constexpr COLORREF kHandBackground = 0xFF00FF;
HBITMAP drawHandPicture();
HCURSOR createHandCursor();

} // namespace tintara
