#pragma once
// The main window's own pictures, drawn at start-up: the title-bar images, the twelve tool-bar
// icons, the four scale pictures (292 x 63), the slider pointer mark and the window's icon. The
// object owns them.

#include "platform/win/windows.h"

#include <array>

namespace tintara {

class Form1Pictures {
public:
    static constexpr int kScaleWidth = 292;
    static constexpr int kScaleHeight = 63;

    Form1Pictures();
    ~Form1Pictures();
    Form1Pictures(const Form1Pictures&) = delete;
    Form1Pictures& operator=(const Form1Pictures&) = delete;

    HBITMAP titleBar = nullptr; // Image2: 334 x 15
    HBITMAP rollUp = nullptr;   // Image3: 16 x 15
    HBITMAP hide = nullptr;     // Image1: 13 x 15
    HBITMAP close = nullptr;    // Image4: 16 x 15
    HBITMAP pointer = nullptr;  // Pointer(i): 5 x 3
    HBITMAP tray = nullptr;     // Tray: 16 x 16
    // The window's icon: the tray picture at 32 x 32 and at 16 x 16.
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    // T(0..11): new, open, save, copy, topmost, dropper, websafe, negative, palettes, help, brightness,
    // misc (16 x 16).
    std::array<HBITMAP, 12> tools{};
    // ColorSystem(0..3): web-safe grid, VB like, PSP like and Windows like scales.
    std::array<HBITMAP, 4> scales{};
};

// Whether (x, y) of scale picture `scale` (0..3) lies between or beside its swatches, where it
// shows no colour of its own but the window's grey.
bool scaleGapAt(int scale, int x, int y);

// The colour of the web-safe scale, a grid of the 216 web-safe colours, at (x, y).
COLORREF websafeScaleColour(int x, int y);

} // namespace tintara
