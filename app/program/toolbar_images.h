#pragma once
// The tool bars' button pictures, drawn here pixel by pixel: a 24-bit BMP file holding one 16 x 15
// picture per button of the tool-bar layout, in button order, on the light-grey face colour.

#include "platform/win/windows.h"

#include <vector>

// The BMP file of the pictures of tool-bar resource id (its layout must be declared already).
std::vector<unsigned char> DrawToolBarImages(UINT id);
