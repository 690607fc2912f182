#pragma once
// The pictures of the dialogs, drawn here: the bitmap button's arrows and built-in patterns, the
// pictures of the maker's programs in the Developer Solutions dialog and the hand cursor of the
// links.

// Bitmap resources of the bitmap button ("<RARROW", "<RARROWP", the patterns of its presets H and
// P), the program pictures and the cursor "Hand".
void DeclareDialogImages();

// The resource names of the patterns the bitmap button's presets H and P tile.
extern const char kHatchPattern[];
extern const char kDotPattern[];
