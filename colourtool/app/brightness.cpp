#include "colourtool/app/brightness.h"

#include "colourtool/app/main_window_link.h"
#include "colourtool/app/secondary_window.h"

#include "platform/forms/vb_numeric.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>

namespace tintara {
namespace {

constexpr int kSpinnerRange = 255;
const char* const kOffsetCaptions[] = {"Brightness:", "Red:", "Green:", "Blue:"};
const char* const kSampleCaptions[] = {"Normal Text", "Link", "Visited Link", "Active Link"};

SingleWindow<Brightness>& theDialog() {
    static SingleWindow<Brightness> dialog;
    return dialog;
}

int rowTop(int row) {
    return 10 + 28 * row;
}

// The start of a number while it is typed: a sign, a decimal point, or a sign and a point.
bool isNumberStart(const std::string& text) {
    return text == "-" || text == "+" || text == "." || text == "-." || text == "+.";
}

Rgb adjusted(const Rgb& base, double brightness, double red, double green, double blue) {
    return {adjustedComponent(base.red, brightness, red), adjustedComponent(base.green, brightness, green),
            adjustedComponent(base.blue, brightness, blue)};
}

} // namespace

std::uint8_t Brightness_ClampByte(std::int32_t value) {
    if (value < 0) return 0;
    if (value > 255) return 255;
    return static_cast<std::uint8_t>(value);
}

int adjustedComponent(int base, double brightness, double offset) {
    double sum = base + brightness + offset;
    if (!(sum >= 0)) return 0; // below 0, or not a number
    if (sum > 255) return 255;
    return Brightness_ClampByte(static_cast<std::int32_t>(std::nearbyint(sum)));
}

Brightness::Brightness()
    : vb::Form("Brightness", 266, 158, vb::FormBorderStyle::FixedToolWindow),
      Bright(*this, "Bright", 80, rowTop(0), 44, 21), Red(*this, "Red", 80, rowTop(1), 44, 21),
      Green(*this, "Green", 80, rowTop(2), 44, 21), Blue(*this, "Blue", 80, rowTop(3), 44, 21),
      VScroll1(*this, "VScroll1", 124, rowTop(0), 15, 21),
      VScroll2(*this, "VScroll2", 124, rowTop(1), 15, 21),
      VScroll3(*this, "VScroll3", 124, rowTop(2), 15, 21),
      VScroll4(*this, "VScroll4", 124, rowTop(3), 15, 21),
      AffectAll(*this, "AffectAll", 8, 126, 120, 20, "Affect all"),
      Preview(*this, "Preview", 148, 10, 110, 104), Command1(*this, "Command1", 148, 124, 52, 25, "&Apply"),
      Command2(*this, "Command2", 206, 124, 52, 25, "&Close"), Timer1("Timer1", 1, false) {
    SetCaption("Brightness");
    for (int i = 0; i < 4; ++i) {
        auto caption = std::make_unique<vb::Label>(*this, "Label2", 8, rowTop(i) + 3, 70, 16);
        caption->SetCaption(kOffsetCaptions[i]);
        Label2.add(i, std::move(caption));
        auto sample = std::make_unique<vb::Label>(Preview, "Label1", 10, 12 + 23 * i, 92, 16);
        sample->SetCaption(kSampleCaptions[i]);
        sample->BackStyle = vb::vbTransparent;
        Label1.add(i, std::move(sample));
    }
    for (const Offset& offset : offsets()) {
        offset.spinner->SetMin(kSpinnerRange); // the upper arrow raises the value
        offset.spinner->SetMax(-kSpinnerRange);
        offset.spinner->Change = [this, offset] { VScroll_Change(offset); };
    }
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
}

Brightness::~Brightness() {
    Timer1.SetEnabled(false);
}

Brightness& Brightness::open() {
    Brightness& dialog = theDialog().get();
    showOverMainWindow(dialog);
    return dialog;
}

Brightness* Brightness::instance() {
    return theDialog().find();
}

void Brightness::destroy() {
    theDialog().destroy();
}

std::array<Brightness::Offset, 4> Brightness::offsets() {
    return {Offset{&Bright, &VScroll1}, Offset{&Red, &VScroll2}, Offset{&Green, &VScroll3},
            Offset{&Blue, &VScroll4}};
}

void Brightness::Form_Load() {
    for (const Offset& offset : offsets()) {
        offset.spinner->SetValue(0);
        offset.box->SetText("0");
    }
    AffectAll.SetValue(0);
    Timer1.SetEnabled(true);
}

void Brightness::Form_Unload(int&) {
    Timer1.SetEnabled(false);
}

void Brightness::VScroll_Change(const Offset& offset) {
    std::string value = std::to_string(offset.spinner->Value());
    offset.box->SetText(value);
    offset.box->SetSelStart(static_cast<int>(value.size()));
}

void Brightness::Timer1_Timer() {
    const double b = vb::Val(Bright.Text());
    const double r = vb::Val(Red.Text());
    const double g = vb::Val(Green.Text());
    const double bl = vb::Val(Blue.Text());
    MainWindowLink& main = mainWindow();
    const int selected = main.selectedSample();
    const bool all = AffectAll.Value() == 1;

    Rgb background = rgbOf(static_cast<ColourValue>(main.sampleColour(kBackgroundSample)));
    if (all || selected == kBackgroundSample) background = adjusted(background, b, r, g, bl);
    std::array<Rgb, 4> samples;
    for (int i = 0; i < 4; ++i) {
        samples[i] = rgbOf(static_cast<ColourValue>(main.sampleColour(i)));
        if (all || selected == i) samples[i] = adjusted(samples[i], b, r, g, bl);
    }
    for (const Offset& offset : offsets())
        normalise(offset);
    showColours(background, samples);
}

// An empty box shows "0"; a whole number (halves to even) within the range moves the spinner; the
// box then shows the spinner's value, so any other text reverts. A number's start being typed ("-",
// "+", ".", "-.") stays as it is (it reads as 0). The caret goes to the end only when the text is
// rewritten, so it can be moved and the text selected and edited between ticks.
void Brightness::normalise(const Offset& offset) {
    const std::string text = offset.box->Text();
    if (isNumberStart(text)) return;
    if (std::optional<double> number = vb::ParseNumber(text.empty() ? "0" : text)) {
        double whole = std::nearbyint(*number);
        if (whole >= -kSpinnerRange && whole <= kSpinnerRange)
            offset.spinner->SetValue(static_cast<int>(whole));
    }
    std::string value = std::to_string(offset.spinner->Value());
    if (text == value) return;
    offset.box->SetText(value);
    offset.box->SetSelStart(static_cast<int>(value.size()));
}

void Brightness::showColours(const Rgb& background, const std::array<Rgb, 4>& samples) {
    COLORREF back = static_cast<COLORREF>(colourValue(background));
    if (Preview.BackColor() != back) Preview.SetBackColor(back);
    for (int i = 0; i < 4; ++i) {
        COLORREF fore = static_cast<COLORREF>(colourValue(samples[i]));
        if (Label1[i].ForeColor() != fore) Label1[i].SetForeColor(fore);
    }
}

// Writes all five colours into the main window (the unaffected ones unchanged); the selection
// stays, and the working colour is that of the selected colour again.
void Brightness::Command1_Click() {
    Timer1.SetEnabled(false);
    MainWindowLink& main = mainWindow();
    for (int i = 0; i < 4; ++i)
        main.writeSample(i, rgbOf(static_cast<ColourValue>(Label1[i].ForeColor())));
    main.writeSample(kBackgroundSample, rgbOf(static_cast<ColourValue>(Preview.BackColor())));
    const int selected = main.selectedSample();
    if (selected != kNoSample) main.applyColour(rgbOf(static_cast<ColourValue>(main.sampleColour(selected))));
    Timer1.SetEnabled(true);
}

void Brightness::Command2_Click() {
    Unload();
}

} // namespace tintara
