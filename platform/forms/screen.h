#pragma once
// The screen in pixels and twips, and the loop helpers DoEvents and End.

namespace vb {

// Twips per pixel: fixed at 15 (96 dots per inch).
constexpr int TwipsPerPixel = 15;
// Pixels of a length given in twips.
constexpr int tw(int twips) {
    return twips / TwipsPerPixel;
}

struct ScreenObject {
    int Width() const;       // pixels
    int Height() const;      // pixels
    int WidthTwips() const;  // twips
    int HeightTwips() const; // twips
    int TwipsPerPixelX() const { return TwipsPerPixel; }
    int TwipsPerPixelY() const { return TwipsPerPixel; }
};

ScreenObject& Screen();

// Dispatches the messages waiting now, then returns.
void DoEvents();
// Ends the program's message loop.
void End();

} // namespace vb
