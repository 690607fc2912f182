#pragma once
// Painting a bitmap button from its configuration: the face, the frame, the caption with its
// shadow, the image of the state, and the black outer frame.

#include "app/program/bmp_btn_config.h"

#include "platform/win/windows.h"

struct BmpBtnPaintState {
    bool pressed = false; // held down, or a check or radio button that is checked
    bool disabled = false;
    bool hovering = false; // the mouse rests on the button
};

void PaintBmpBtn(HDC hdc, const RECT& rect, const BmpBtnConfig& config, const BmpBtnPaintState& state);
