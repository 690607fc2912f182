#pragma once
// The colour tool's project-wide module: the colour-component helpers and the named-colour table
// (kept with the core), and the flag that tells the screen picker where its colour goes.

#include "colourtool/core/colour_value.h"
#include "colourtool/core/named_colors.h"

namespace tintara {

// True: the screen picker puts its colour on the clipboard; false: into the main window.
extern bool DropToClipboard;

} // namespace tintara
