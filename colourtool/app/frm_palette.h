#pragma once
// frmPalette: the small tool window "Palette" that shows an imported palette as a grid of 10 x 10
// swatches; pressing, dragging or releasing the left button on a swatch makes its colour the working
// colour. Its surface keeps what is drawn on it until the window is closed. importPalette() is the
// main window's "Import Palette...".

#include "colourtool/core/colour_value.h"
#include "colourtool/core/palette.h"

#include "platform/forms/form.h"

#include <vector>

namespace tintara {

class frmPalette : public vb::Form {
public:
    frmPalette();
    ~frmPalette() override;

    // The one palette window, created on first use.
    static frmPalette& get();
    // The window when it exists, or nullptr.
    static frmPalette* instance();
    // Destroys the window (the next import creates it again).
    static void destroy();

    // Sizes the inner area to the grid of `colours` and draws them as swatches from the top left,
    // over what the surface showed.
    void drawPalette(const std::vector<Rgb>& colours);
    // The swatch grid of the palette shown.
    const PaletteGrid& grid() const { return m_grid; }

protected:
    void Form_Load() override;

private:
    void Form_MouseDown(int button, int x, int y);
    void Form_MouseMove(int button, int x, int y);
    void Form_MouseUp(int button, int x, int y);
    void pick(int x, int y);

    HCURSOR m_hand = nullptr;
    PaletteGrid m_grid;
    std::size_t m_count = 0;
};

// "Import Palette...": asks for a palette file, reads it and shows its colours in the palette window,
// centred over the main window. A cancelled dialog changes nothing; an unknown or malformed file is
// reported ("Unknown palette format.") and changes nothing either.
void importPalette();

} // namespace tintara
