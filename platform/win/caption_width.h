#pragma once
// How wide a window must be for its caption to show whole.

#include "platform/win/wintypes.h"

namespace pm {

// The window width that shows a window's whole title and its caption buttons, laid out as the layer
// draws a caption, in the caption font of its kind (the small one for tool windows); 0 for a window
// without a caption.
int captionFitWidth(HWND hwnd);

} // namespace pm
