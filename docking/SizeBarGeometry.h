#pragma once
// Where a docked sizeable bar puts its caption strip and buttons, and what its non-client frame
// takes from the window: a 5-pixel border all round and, docked with a caption, an 11-pixel strip
// across the start of the bar (at the left when docked at the top or bottom, at the top when docked
// left or right) that holds the close and expand buttons.

#include "platform/framework/CRect.h"

namespace dock {

constexpr int kBarBorder = 5;
constexpr int kCaptionStrip = 11;
constexpr int kButtonStep = 13;

struct CaptionRects {
    CRect caption;
    CRect close;  // empty without a close button
    CRect expand; // empty without an expand button
};

// window: the bar's window rectangle; barStyle: the SZBAR_* bits; align: the dock bar's
// CBRS_ALIGN_* bits (0 or floating: no caption).
CaptionRects CalcCaptionRects(const CRect& window, DWORD barStyle, DWORD align, bool floating);
// The client rectangle the non-client frame leaves inside window.
CRect CalcClientRect(const CRect& window, DWORD barStyle, DWORD align, bool floating);
// The default place of a bar in a parent client of width w and height h: its bottom-right part.
CRect DefaultBarRect(int w, int h);

} // namespace dock
