#include "colourtool/app/pick_color.h"

#include "colourtool/app/globals.h"
#include "colourtool/app/main_window_link.h"
#include "colourtool/app/secondary_window.h"
#include "colourtool/core/vb_text.h"

#include "platform/forms/clipboard.h"
#include "platform/forms/screen.h"
#include "platform/forms/screen_capture.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>

namespace tintara {
namespace {

constexpr int kCells = 7;
constexpr int kCellSize = 135 / 15;
constexpr int kCellPitch = 120 / 15;
constexpr COLORREF kCellFrame = RGB(64, 64, 96);
constexpr COLORREF kFrameColour = RGB(192, 192, 255);
constexpr COLORREF kTitleText = RGB(0, 0, 128);
constexpr COLORREF kTitleBack = RGB(128, 128, 255);

SingleWindow<PickColor>& thePicker() {
    static SingleWindow<PickColor> picker;
    return picker;
}

// A label of the frame in the picker's font.
void place(vb::Label& label, const char* caption, HFONT font, COLORREF back) {
    label.SetCaption(caption);
    label.Font = font;
    label.SetBackColor(back);
}

} // namespace

PickColor::PickColor()
    : vb::Form("PickColor", 1, 1, vb::FormBorderStyle::None), P(*this, "P", 0, 0, 1, 1),
      Wind(*this, "Wind", 0, 0, kFrameWidth, kFrameHeight),
      Shape1(Wind, "Shape1", 0, 0, kFrameWidth, kFrameHeight),
      Label1(Wind, "Label1", 0, 0, 1605 / 15, 210 / 15),
      Prev(Wind, "Prev", 975 / 15, 255 / 15, 525 / 15, 860 / 15),
      Label4(Wind, "Label4", 105 / 15, 1155 / 15, 40, 14),
      Label3(Wind, "Label3", 105 / 15, 1365 / 15, 40, 14),
      Label2(Wind, "Label2", 105 / 15, 1575 / 15, 40, 14), Red(Wind, "Red", 735 / 15, 1155 / 15, 26, 14),
      Green(Wind, "Green", 735 / 15, 1365 / 15, 26, 14), Blue(Wind, "Blue", 735 / 15, 1575 / 15, 26, 14),
      RedHex(Wind, "RedHex", 1155 / 15, 1155 / 15, 26, 14),
      GreenHex(Wind, "GreenHex", 1155 / 15, 1365 / 15, 26, 14),
      BlueHex(Wind, "BlueHex", 1155 / 15, 1575 / 15, 26, 14) {
    m_arial = CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    Wind.SetBackColor(kFrameColour);
    Shape1.BorderColor = kTitleText;
    place(Label1, "Tintara", m_arial, kTitleBack);
    Label1.SetForeColor(kTitleText);
    Label1.Alignment = vb::vbCenter;
    place(Label4, "Red", m_arial, kFrameColour);
    place(Label3, "Green", m_arial, kFrameColour);
    place(Label2, "Blue", m_arial, kFrameColour);
    for (vb::Label* value : {&Red, &Green, &Blue, &RedHex, &GreenHex, &BlueHex})
        place(*value, "", m_arial, kFrameColour);
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            int left = 90 / 15 + kCellPitch * column;
            int top = 255 / 15 + kCellPitch * row;
            Zoom.add(row * kCells + column,
                     std::make_unique<vb::PictureBox>(Wind, "Zoom", left, top, kCellSize, kCellSize));
        }
    }
    Shape1.ZOrder(true);
    Wind.ZOrder(true);
    P.MouseMove = [this](int button, int shift, int x, int y) { P_MouseMove(button, shift, x, y); };
    P.MouseUp = [this](int button, int shift, int x, int y) { P_MouseUp(button, shift, x, y); };
    KeyPreview = true;
}

PickColor::~PickColor() {
    for (vb::Label* label :
         {&Label1, &Label2, &Label3, &Label4, &Red, &Green, &Blue, &RedHex, &GreenHex, &BlueHex})
        label->Font = nullptr;
    DeleteObject(m_arial);
}

PickColor& PickColor::open(bool toClipboard) {
    DropToClipboard = toClipboard;
    PickColor& picker = thePicker().get();
    picker.Load();
    const int width = vb::Screen().WidthTwips() / vb::TwipsPerPixel;
    const int height = vb::Screen().HeightTwips() / vb::TwipsPerPixel;
    picker.Move(0, 0, width, height);
    picker.P.Move(0, 0, width, height);
    // The main window leaves the screen before the copy.
    mainWindow().window().Hide();
    vb::DoEvents();
    picker.copyScreen();
    picker.Show();
    POINT cursor{};
    GetCursorPos(&cursor);
    picker.P_MouseMove(0, 0, cursor.x, cursor.y);
    picker.Refresh();
    picker.P.Refresh();
    return picker;
}

PickColor* PickColor::instance() {
    return thePicker().find();
}

void PickColor::destroy() {
    thePicker().destroy();
}

void PickColor::Form_Load() {
    SetTopMost(true);
}

// The screen copy goes with the picker.
void PickColor::Form_Unload(int&) {
    P.Move(0, 0, 1, 1);
}

void PickColor::Form_KeyDown(int& keyCode, int) {
    if (keyCode != VK_ESCAPE) return;
    keyCode = 0;
    if (!DropToClipboard) mainWindow().window().Show();
    Unload();
}

void PickColor::copyScreen() {
    HBITMAP shot = vb::screenCapture().capture(RECT{0, 0, P.Width(), P.Height()});
    if (!shot) return;
    P.PaintPicture(shot, 0, 0);
    DeleteObject(shot);
}

POINT PickColor::framePlace(int x, int y, int screenWidth, int innerHeight) {
    int top = y - kFrameHeight / 2;
    if (top < 0) top = 0;
    if (top + kFrameHeight > innerHeight) top = innerHeight - kFrameHeight;
    int left = (screenWidth - x) * vb::TwipsPerPixel > 3000 ? x + 50 : x - 170;
    return POINT{left, top};
}

void PickColor::P_MouseMove(int, int, int x, int y) {
    if (std::optional<Rgb> colour = pickedColour(static_cast<ColourValue>(P.Point(x, y)))) {
        showComponents(*colour);
        Prev.SetBackColor(static_cast<COLORREF>(colourValue(*colour)));
    }
    magnify(x, y);
    POINT frame = framePlace(x, y, vb::Screen().WidthTwips() / vb::TwipsPerPixel, ScaleHeight());
    Wind.Move(frame.x, frame.y);
    Wind.Refresh();
}

void PickColor::showComponents(const Rgb& rgb) {
    Red.SetCaption(std::to_string(rgb.red));
    Green.SetCaption(std::to_string(rgb.green));
    Blue.SetCaption(std::to_string(rgb.blue));
    RedHex.SetCaption(vbHex(rgb.red));
    GreenHex.SetCaption(vbHex(rgb.green));
    BlueHex.SetCaption(vbHex(rgb.blue));
}

// The 7 x 7 pixels around the pointer, row by row; cells off the copy show a neutral grey. Each cell
// is framed, and neighbouring cells overlap by their frames, which forms the grid.
void PickColor::magnify(int x, int y) {
    int cell = 0;
    for (int row = y - 3; row <= y + 3; ++row) {
        for (int column = x - 3; column <= x + 3; ++column) {
            long colour = P.Point(column, row);
            vb::PictureBox& zoom = Zoom[cell++];
            zoom.SetBackColor(colour < 0 ? kOffScreen : static_cast<COLORREF>(colour));
            zoom.Line(0, 0, kCellSize - 1, 0, kCellFrame);
            zoom.Line(0, kCellSize - 1, kCellSize - 1, kCellSize - 1, kCellFrame);
            zoom.Line(0, 0, 0, kCellSize - 1, kCellFrame);
            zoom.Line(kCellSize - 1, 0, kCellSize - 1, kCellSize - 1, kCellFrame);
        }
    }
}

void PickColor::P_MouseUp(int, int, int x, int y) {
    std::optional<Rgb> colour = pickedColour(static_cast<ColourValue>(P.Point(x, y)));
    if (DropToClipboard) {
        if (colour) {
            vb::Clipboard().Clear();
            vb::Clipboard().SetText(htmlNotation(*colour));
        }
    } else {
        mainWindow().window().Show();
        if (colour) mainWindow().applyColour(*colour);
    }
    Unload();
}

} // namespace tintara
