#pragma once
// The sample editor's resource ids and the function that declares its resources.

#include "platform/framework/afxres.h"

#define IDR_MAINFRAME 128
#define IDR_TEXTTYPE 129
#define IDR_NOTETYPE 130

namespace sample {
// Declares the menus, accelerators and strings (once).
void declareResources();
} // namespace sample
