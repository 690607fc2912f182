#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/standard_controls.h"
#include "platform/forms/user_control.h"
#include "platform/forms/windowless.h"

#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using pm::test::pumpMessages;

// A user control that draws a frame on its own surface.
class Swatch : public vb::UserControl {
public:
    Swatch(vb::Container& host, int left, int top) : vb::UserControl(host, "Swatch", left, top, 40, 40) {
        SetBackColor(RGB(255, 255, 0));
        FillBox(8, 8, 31, 31, RGB(255, 0, 255));
    }
};

// One control of every kind, in the colours the colour tool gives them.
class GalleryForm : public vb::Form {
public:
    GalleryForm() : vb::Form("Gallery", 360, 220) {
        SetCaption("Gallery");
        SetBackColor(RGB(212, 208, 200));
        Picture1.SetBackColor(RGB(255, 255, 255));
        for (int x = 0; x <= 119; ++x)
            Picture1.Line(x, 0, x, 59, RGB(x * 2, 0, 255 - x * 2));
        Picture1.FillBox(10, 64, 29, 79, RGB(0, 128, 0));
        OnPicture.SetCaption("Opaque");
        OnPicture.SetBackColor(RGB(255, 255, 160));
        SeeThrough.SetCaption("Transparent");
        SeeThrough.BackStyle = vb::vbTransparent;
        SeeThrough.SetForeColor(RGB(255, 255, 255));
        Frame.BorderColor = RGB(255, 0, 0);
        Caption1.SetCaption("Label on the form");
        red.SetText("255");
        red.SetBackColor(RGB(255, 128, 128));
        List1.AddItem("Lime");
        List1.AddItem("aqua");
        List1.AddItem("Navy");
        Check1.SetValue(1);
        Slider.SetMin(255);
        Slider.SetMax(0);
        Slider.SetValue(64);
        Wide.SetMax(100);
        Wide.SetValue(70);
        auto& first = Cells.add(0, std::make_unique<vb::PictureBox>(*this, "", 10, 180, 16, 16));
        first.SetBackColor(RGB(0, 0, 255));
        Cells.Load(1).Move(30, 180);
        Cells[1].SetBackColor(RGB(0, 200, 0));
        Cells[1].SetVisible(true);
        makePicture();
    }
    ~GalleryForm() override { DeleteObject(m_bitmap); }

    vb::PictureBox Picture1{*this, "Picture1", 10, 10, 120, 100};
    vb::Label OnPicture{Picture1, "OnPicture", 40, 64, 70, 16};
    vb::Label SeeThrough{Picture1, "SeeThrough", 4, 20, 110, 16};
    vb::Shape Frame{*this, "Frame", 140, 130, 60, 40};
    vb::Image Image1{*this, "Image1", 150, 140, 20, 20};
    vb::Label Caption1{*this, "Caption1", 10, 120, 120, 16};
    vb::TextBox red{*this, "red", 10, 145, 60, 22};
    vb::ListBox List1{*this, "List1", 140, 10, 90, 70, true};
    vb::CommandButton OK{*this, "OK", 240, 10, 100, 26, "&OK"};
    vb::CheckBox Check1{*this, "Check1", 240, 45, 115, 20, "&Always on top"};
    vb::VScrollBar Slider{*this, "Slider", 240, 75, 17, 100};
    vb::HScrollBar Wide{*this, "Wide", 140, 90, 90, 17};
    Swatch Tool{*this, 280, 80};
    vb::ControlArray<vb::PictureBox> Cells{"Cells"};

private:
    void makePicture() {
        HDC screen = GetDC(nullptr);
        m_bitmap = CreateCompatibleBitmap(screen, 20, 20);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, m_bitmap);
        RECT all{0, 0, 20, 20};
        HBRUSH brush = CreateSolidBrush(RGB(0, 160, 160));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        Image1.SetPicture(m_bitmap);
    }
    HBITMAP m_bitmap = nullptr;
};

COLORREF pixel(const QImage& image, HWND window, HWND within, POINT p) {
    POINT origin{0, 0};
    MapWindowPoints(within, nullptr, &origin, 1);
    RECT frame{};
    GetWindowRect(window, &frame);
    QRgb c = image.pixel(origin.x - frame.left + p.x, origin.y - frame.top + p.y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

TEST(Gallery, EveryControlKindPaintsInItsColours) {
    GalleryForm form;
    form.Show();
    pumpMessages();
    QImage image = pm::test::windowImage(form.hWnd());
    ASSERT_FALSE(image.isNull());
    struct Case {
        HWND within;
        POINT at;
        COLORREF colour;
        const char* what;
    };
    const Case cases[] = {
        {form.Picture1.hWnd(), {0, 5}, RGB(0, 0, 255), "gradient start"},
        {form.Picture1.hWnd(), {119, 59}, RGB(238, 0, 17), "gradient end"},
        {form.Picture1.hWnd(), {12, 66}, RGB(0, 128, 0), "filled box"},
        {form.Picture1.hWnd(), {108, 78}, RGB(255, 255, 160), "opaque label"},
        {form.Picture1.hWnd(), {1, 21}, RGB(2, 0, 253), "transparent label shows the surface"},
        {form.hWnd(), {140, 130}, RGB(255, 0, 0), "shape outline"},
        {form.hWnd(), {160, 150}, RGB(0, 160, 160), "image"},
        {form.red.hWnd(), {40, 12}, RGB(255, 128, 128), "text box back colour"},
        {form.Tool.hWnd(), {2, 2}, RGB(255, 255, 0), "user control surface"},
        {form.Tool.hWnd(), {20, 20}, RGB(255, 0, 255), "user control drawing"},
        {form.Cells[1].hWnd(), {8, 8}, RGB(0, 200, 0), "loaded array element"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pixel(image, form.hWnd(), c.within, c.at), c.colour) << c.what;
    EXPECT_TRUE(pm::test::saveWindowPng(form.hWnd(), pm::test::outputFolder() + "/forms_gallery.png"));
}

} // namespace
