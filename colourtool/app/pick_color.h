#pragma once
// PickColor: takes a colour from anywhere on the screen. Opening hides the main window, copies the
// screen into a full-screen topmost window, and shows a magnifier frame that follows the pointer with
// a 7 x 7 enlargement, a swatch and the components; releasing a button takes the colour under the
// pointer to the clipboard as "#RRGGBB" or into the main window, as DropToClipboard says. Escape
// cancels the pick: nothing changes, and the main window comes back as after a pick.

#include "colourtool/core/colour_value.h"

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/windowless.h"

namespace tintara {

class PickColor : public vb::Form {
public:
    PickColor();
    ~PickColor() override;

    // Opens the picker: sets DropToClipboard, hides the main window, copies the screen and shows the
    // copy full-screen. The tray's "Drop to clipboard" passes true, the tool-bar key "dropper" false.
    static PickColor& open(bool toClipboard);
    // The picker when it exists, or nullptr.
    static PickColor* instance();
    // Destroys the picker.
    static void destroy();

    // The magnifier's frame size and its place beside the pointer at (x, y) of a screen of the
    // given size: 50 pixels right of the pointer, or 170 left of it within 200 pixels of the right
    // edge; vertically centred on the pointer and kept on the screen.
    static constexpr int kFrameWidth = 1620 / 15;
    static constexpr int kFrameHeight = 1860 / 15;
    static POINT framePlace(int x, int y, int screenWidth, int innerHeight);
    // The colour shown for magnifier cells off the screen copy.
    static constexpr COLORREF kOffScreen = RGB(128, 128, 128);

    vb::PictureBox P;    // the screen copy
    vb::PictureBox Wind; // the magnifier frame
    vb::Shape Shape1;
    vb::Label Label1; // "Tintara"
    vb::ControlArray<vb::PictureBox> Zoom{"Zoom"};
    vb::PictureBox Prev;
    vb::Label Label4, Label3, Label2; // "Red", "Green", "Blue"
    vb::Label Red, Green, Blue;
    vb::Label RedHex, GreenHex, BlueHex;

    void P_MouseMove(int button, int shift, int x, int y);
    void P_MouseUp(int button, int shift, int x, int y);

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_KeyDown(int& keyCode, int shift) override;

private:
    void showComponents(const Rgb& rgb);
    void magnify(int x, int y);
    void copyScreen();

    HFONT m_arial = nullptr;
};

} // namespace tintara
