#pragma once
// Brightness: the dialog that adjusts the document colours of the main window by a brightness
// offset and per-component offsets. A timer recomputes the preview from the main window's colours
// and the offsets continuously; "&Apply" writes all five colours back into the main window. Without
// "Affect all" only the selected document colour is adjusted.

#include "colourtool/core/colour_value.h"

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/standard_controls.h"
#include "platform/forms/timer.h"
#include "platform/forms/windowless.h"

#include <array>
#include <cstdint>

namespace tintara {

// A value as a byte: below 0 gives 0, above 255 gives 255.
std::uint8_t Brightness_ClampByte(std::int32_t value);

// A component adjusted by the brightness and its own offset: the sum rounded to the nearest whole
// number (halves to the even neighbour) and clamped to 0-255; sums beyond any integer clamp too.
int adjustedComponent(int base, double brightness, double offset);

class Brightness : public vb::Form {
public:
    Brightness();
    ~Brightness() override;

    // Opens the one dialog over the main window (tool-bar key "filter"); a new opening starts with
    // every offset "0" and "Affect all" unchecked.
    static Brightness& open();
    // The dialog when it exists, or nullptr.
    static Brightness* instance();
    // Destroys the dialog.
    static void destroy();

    vb::ControlArray<vb::Label> Label2{"Label2"}; // "Brightness:", "Red:", "Green:", "Blue:"
    vb::TextBox Bright, Red, Green, Blue;
    vb::VScrollBar VScroll1, VScroll2, VScroll3, VScroll4;
    vb::CheckBox AffectAll;
    vb::PictureBox Preview;
    vb::ControlArray<vb::Label> Label1{"Label1"}; // the text samples on Preview
    vb::CommandButton Command1;                   // "&Apply"
    vb::CommandButton Command2;                   // "&Close"
    vb::Timer Timer1;

    // One tick: the adjusted colours from the main window's, the offsets normalised, the preview set.
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    struct Offset {
        vb::TextBox* box;
        vb::VScrollBar* spinner;
    };
    std::array<Offset, 4> offsets();
    void VScroll_Change(const Offset& offset);
    static void normalise(const Offset& offset);
    void showColours(const Rgb& background, const std::array<Rgb, 4>& samples);
};

} // namespace tintara
