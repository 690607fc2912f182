#include "colourtool/app/form1.h"

#include "colourtool/app/form1_pictures.h"
#include "colourtool/app/globals.h"
#include "colourtool/core/html_document.h"

#include "platform/forms/screen.h"
#include "platform/forms/vb_numeric.h"

#include <stdexcept>

namespace tintara {
namespace {

Form1* g_form1 = nullptr;

constexpr COLORREF kFace = 0xC0C0C0;
constexpr int kSliderTop[3] = {8, 32, 56};
constexpr const char* kSampleCaptions[4] = {"Normal Text", "Link", "Visited Link", "Active Link"};
constexpr COLORREF kBoxColours[3] = {0x8080FF, 0x80FF80, 0xFF8080};
constexpr const char* kBoxTips[3] = {"Red 0-255", "Green 0-255", "Blue 0-255"};

} // namespace

Form1& form1() {
    if (!g_form1) throw std::logic_error("the main window does not exist");
    return *g_form1;
}

Form1::Form1()
    : vb::Form("Form1", kWidth, kHeight, vb::FormBorderStyle::None), Image2(*this, "Image2", 0, 0, 334, 15),
      Image3(*this, "Image3", 333, 0, 16, 15), Image1(*this, "Image1", 348, 0, 13, 15),
      Image4(*this, "Image4", 360, 0, 16, 15), MeCaption(*this, "MeCaption", 1, 0, 330, 15),
      Tool(*this, "Tool", 0, 14, 376), Colors(*this, "Colors", 73, 40, 303, 81),
      ColorSyst(Colors, "ColorSyst", 6, 8, Form1Pictures::kScaleWidth, Form1Pictures::kScaleHeight),
      Named(Colors, "Named", 287, 72, 11, 9), Preview(*this, "Preview", 0, 40, 73, 81),
      Shape1(Preview, "Shape1", 0, 0, 72, 67), Label2(Preview, "Label2", 1, 68, 71, 12),
      Tray(*this, "Tray", 0, 0, 16, 16), TrayIcon(*this), Timer1("Timer1", 500, true),
      m_pictures(std::make_unique<Form1Pictures>()) {
    g_form1 = this;
    createControls();
    wireEvents();
    buildMenus();
}

Form1::~Form1() {
    Timer1.SetEnabled(false);
    Named.Font = nullptr;
    DeleteObject(m_namedFont);
    SetIcon(nullptr); // the pictures, and with them the icons, go before the window
    if (g_form1 == this) g_form1 = nullptr;
}

void Form1::createControls() {
    SetBackColor(kFace);
    SetIcon(m_pictures->icon, m_pictures->smallIcon);
    Image2.SetPicture(m_pictures->titleBar);
    Image3.SetPicture(m_pictures->rollUp);
    Image1.SetPicture(m_pictures->hide);
    Image4.SetPicture(m_pictures->close);
    MeCaption.BackStyle = vb::vbTransparent;
    MeCaption.SetForeColor(0xFFFFFF);
    MeCaption.ZOrder(true);
    Colors.SetBackColor(kFace);
    for (int i = 0; i < 3; ++i) {
        auto& slider = Color.add(i, std::make_unique<vb::PictureBox>(Colors, "", 8, kSliderTop[i], 255, 9));
        slider.Tag = "255";
        auto& box = txtColor.add(i, std::make_unique<vb::TextBox>(Colors, "", 268, kSliderTop[i], 30, 15));
        box.SetBackColor(kBoxColours[i]);
        box.ToolTipText = kBoxTips[i];
        auto& mark =
            Pointer.add(i, std::make_unique<vb::Image>(Colors, "", 8 + 255 - 2, kSliderTop[i] + 9, 5, 3));
        mark.SetPicture(m_pictures->pointer);
    }
    for (int i = 0; i < 4; ++i) {
        auto& scale =
            ColorSystem.add(i, std::make_unique<vb::PictureBox>(Colors, "", 6, 8, Form1Pictures::kScaleWidth,
                                                                Form1Pictures::kScaleHeight));
        scale.SetPicture(m_pictures->scales[i]);
        scale.SetVisible(false);
    }
    ColorSyst.SetBackColor(kFace);
    ColorSyst.SetVisible(false);
    // Below the scale and the blue box, clear of both: a small font fits the row left there.
    m_namedFont = CreateFont(-9, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    Named.Font = m_namedFont;
    Named.SetCaption("N");
    Named.Alignment = vb::vbCenter;
    Named.SetBackColor(0xFFFFFF);
    Named.SetVisible(false);
    Preview.SetBackColor(0xFFFFFF);
    for (int i = 0; i < 4; ++i) {
        auto& sample = Label1.add(i, std::make_unique<vb::Label>(Preview, "", 5, 4 + 15 * i, 64, 13));
        sample.SetCaption(kSampleCaptions[i]);
        sample.BackStyle = vb::vbTransparent;
        // As wide as its text, so the background around the samples can be clicked.
        sample.SetAutoSize(true);
    }
    Label2.SetBackColor(kFace);
    Label2.Alignment = vb::vbCenter;
    Tray.SetPicture(m_pictures->tray);
    Tray.SetVisible(false);
    TrayIcon.SetVisible(false);
    KeyPreview = true;
    SetOLEDropMode(vb::vbOLEDropManual);
}

void Form1::wireEvents() {
    Color.MouseMove = [this](int index, int button, int, int x, int) {
        if (button < 1) return;
        Color[index].Tag = std::to_string(x);
        UpdateSpectra();
    };
    Color.MouseUp = [this](int index, int, int, int x, int) {
        Color[index].Tag = std::to_string(x);
        UpdateSpectra();
    };
    ColorSystem.MouseDown = [this](int index, int, int, int x, int y) { pickFromScale(index, x, y); };
    ColorSystem.MouseMove = [this](int index, int button, int, int x, int y) {
        if (button == vb::vbLeftButton) pickFromScale(index, x, y);
    };
    ColorSyst.MouseDown = [this](int, int, int x, int y) { pickFromCustomPalette(x, y); };
    ColorSyst.MouseMove = [this](int button, int, int x, int y) {
        if (button == vb::vbLeftButton) pickFromCustomPalette(x, y);
    };
    Label1.Click = [this](int index) { Label1_Click(index); };
    Preview.Click = [this] { Preview_Click(); };
    for (int i = 0; i < 3; ++i) {
        vb::TextBox& box = txtColor[i];
        box.GotFocus = [this] { KeyPreview = false; };
        box.MouseDown = [this](int, int, int, int) { KeyPreview = false; };
        box.MouseUp = [this](int, int, int, int) { KeyPreview = false; };
        box.KeyDown = [this, i](int& keyCode, int) {
            if (keyCode != VK_RETURN) return;
            keyCode = 0;
            applyBox(i);
        };
        // The focus leaves a box while another window handles a mouse press: waiting input must not
        // run before that press is handled (its release, and so its click, would be lost).
        box.LostFocus = [this, i] {
            HeldInput held(*this);
            applyBox(i);
        };
    }
    Image2.MouseDown = [this](int button, int, int, int) {
        if (button == vb::vbLeftButton) StartSystemMove();
    };
    MeCaption.MouseDown = Image2.MouseDown;
    Image2.DblClick = [this] { rollUpOrDown(); };
    MeCaption.DblClick = Image2.DblClick;
    Image3.Click = [this] { rollUpOrDown(); };
    Image1.MouseDown = [this](int, int, int, int) { hideWindow(); };
    Image4.Click = [this] { closeImageClick(); };
    Timer1.OnTimer = [this] { statusTick(); };
    Tool.GotFocus = [this] { Colors.SetFocus(); };
    Tool.ButtonClick = [this](std::string& key, bool& dropDown) { Form1_Tool_ButtonClick(key, dropDown); };
    TrayIcon.DblClick = [this](int) { Show_Click(); };
    TrayIcon.MouseUp = [this](int button) { trayMouseUp(button); };
}

int Form1::GetR(ColourValue colorref) {
    return Globals_GetR(colorref);
}
int Form1::GetG(ColourValue colorref) {
    return Globals_GetG(colorref);
}
int Form1::GetB(ColourValue colorref) {
    return Globals_GetB(colorref);
}

long long Form1::component(int i) const {
    double value = vb::Val(Color[i].Tag);
    if (value < -1e9) return -1000000000;
    if (value > 1e9) return 1000000000;
    return static_cast<long long>(value);
}

void Form1::setComponent(int i, long long value) {
    Color[i].Tag = std::to_string(value);
}

Rgb Form1::workingColour() const {
    return Rgb{static_cast<int>(component(0)), static_cast<int>(component(1)),
               static_cast<int>(component(2))};
}

void Form1::setWorkingColour(const Rgb& rgb) {
    setComponent(0, rgb.red);
    setComponent(1, rgb.green);
    setComponent(2, rgb.blue);
}

DocumentColours Form1::documentColours() const {
    DocumentColours colours;
    colours.setTag(Sample::Background, Preview.Tag);
    for (int i = 0; i < 4; ++i)
        colours.setTag(kAllSamples[static_cast<std::size_t>(i) + 1], Label1[i].Tag);
    return colours;
}

void Form1::pickFromScale(int index, int x, int y) {
    // Between swatches the scale shows the window's grey, which is no colour of the scale.
    if (scaleGapAt(index, x, y)) return;
    pickFrom(ColorSystem[index], x, y);
}

void Form1::pickFromCustomPalette(int x, int y) {
    // Beside a picture smaller than the palette area lies the window's grey, not the picture.
    BITMAP info{};
    if (!m_customPalette || !GetObject(m_customPalette.get(), sizeof info, &info)) return;
    if (x < 0 || y < 0 || x >= info.bmWidth || y >= info.bmHeight) return;
    pickFrom(ColorSyst, x, y);
}

void Form1::pickFrom(const vb::PictureBox& picture, int x, int y) {
    std::optional<Rgb> picked = pickedColour(static_cast<ColourValue>(picture.Point(x, y)));
    if (!picked) return;
    setWorkingColour(*picked);
    UpdateSpectra();
}

void Form1::UpdateSpectra() {
    for (int i = 0; i < 3; ++i) {
        if (component(i) < 0) setComponent(i, 0);
        if (component(i) > 255) setComponent(i, 255);
    }
    for (int i = 0; i < 3; ++i)
        txtColor[i].SetText(Color[i].Tag);
    for (int i = 0; i < 3; ++i)
        Pointer[i].Move(static_cast<int>(component(i)) + Color[i].Left() - 2, Pointer[i].Top());
    Rgb rgb = workingColour();
    if (GradientsOn) drawGradients(rgb);
    if (CON) {
        CON->Tag = htmlNotation(rgb);
        if (TYP == 1)
            CON->SetBackColor(colourValue(rgb));
        else
            CON->SetForeColor(colourValue(rgb));
        CON->Refresh();
    }
    // The frame round the selected sample stands out from the background: white on a dark one.
    const Rgb back = rgbOf(static_cast<ColourValue>(Preview.BackColor()));
    Shape1.BorderColor = 299 * back.red + 587 * back.green + 114 * back.blue < 128000 ? 0xFFFFFF : 0;
    for (int i = 0; i < 3; ++i)
        Color[i].Refresh();
    Colors.Refresh();
    pumpOnce();
    showColourName();
}

void Form1::drawGradients(const Rgb& rgb) {
    for (int i = 0; i < 3; ++i) {
        vb::PictureBox& slider = Color[i];
        for (int x = 0; x <= 255; ++x)
            slider.Line(x, 0, x, slider.Height(), static_cast<COLORREF>(gradientColour(i, x, rgb)));
    }
}

void Form1::showColourName() {
    Named.SetVisible(false);
    vb::Menu* colorName = menuItem("popup0b", 3);
    if (colorName) colorName->Enabled = false;
    if (!CON) return;
    std::optional<std::size_t> entry = namedColors().findByNotation(CON->Tag);
    if (!entry) return;
    Named.ToolTipText = namedColors().name(*entry);
    Named.SetVisible(true);
    if (colorName) colorName->Enabled = true;
    Named.Refresh();
}

void Form1::pumpOnce() {
    if (m_pumping) return;
    m_pumping = true;
    vb::DoEvents();
    m_pumping = false;
}

void Form1::Reset() {
    DocText = DefaultDoc;
    FileName.clear();
    CON = &Preview;
    for (int i = 0; i < 3; ++i)
        setComponent(i, 255);
    DocumentColours defaults = DocumentColours::defaults();
    Preview.SetBackColor(colourValue(rgbOfNotation(defaults.tag(Sample::Background))));
    Preview.Tag = defaults.tag(Sample::Background);
    for (int i = 0; i < 4; ++i) {
        const std::string& tag = defaults.tag(kAllSamples[static_cast<std::size_t>(i) + 1]);
        Label1[i].SetForeColor(colourValue(rgbOfNotation(tag)));
        Label1[i].Tag = tag;
    }
    showCaption(kUntitled);
    UpdateSpectra();
    Label1_Click(0);
    markDocumentSaved();
}

void Form1::Label1_Click(int index) {
    vb::Label& sample = Label1[index];
    CON = &sample;
    TYP = 0;
    setWorkingColour(rgbOfNotation(sample.Tag));
    UpdateSpectra();
    // The samples are as wide as their texts: the frame leaves a gap on either side of the text.
    Shape1.Move(sample.Left() - 2, sample.Top() + 1, sample.Width() + 4, sample.Height());
}

void Form1::Preview_Click() {
    CON = &Preview;
    TYP = 1;
    setWorkingColour(rgbOfNotation(Preview.Tag));
    UpdateSpectra();
    Shape1.Move(0, 0, Preview.Width() - 1, Preview.Height() - Label2.Height() - 1);
}

} // namespace tintara
