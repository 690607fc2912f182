#pragma once
// The parts of DrawFrameControl drawn through the painter: the glyphs of the symbol font and the
// round face of a radio button (frame_painting.cpp).

#include "platform/win/gdi/device_context.h"

#include <cstdint>

namespace pm::gdi {

// Glyph `ch` of the symbol font in a cell of `em` pixels centred in `box` (device pixels), in
// `colour`; an inactive glyph is embossed in the 3-D highlight and shadow colours instead.
void drawFrameGlyph(DeviceContext& dc, const RECT& box, int em, char ch, std::uint32_t colour, bool inactive);

// A radio button in the square `box` (device pixels): its sunken rings and face, and its dot when
// checked, for the DFCS_* state.
void drawRadioButton(DeviceContext& dc, const RECT& box, UINT state);

} // namespace pm::gdi
