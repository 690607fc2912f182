#pragma once
// What the secondary windows (palette, named colours, brightness, screen picker) do to the main
// window: give it a colour, read and write its document-colour samples, show or hide it. The
// program's link goes to Form1; tests put a window of their own in its place.

#include "colourtool/core/colour_value.h"

#include "platform/forms/form.h"

namespace tintara {

// The samples: the four text samples are 0-3 (Label1), the background is kBackgroundSample.
constexpr int kBackgroundSample = 4;
constexpr int kNoSample = -1;

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // The main window's form (owner, centring, showing and hiding).
    virtual vb::Form& window() = 0;
    // The main window's always-on-top state, which the secondary windows follow.
    virtual bool alwaysOnTop() const = 0;
    // Sets the working colour's components and calls UpdateSpectra, so the selected sample takes it.
    virtual void applyColour(const Rgb& rgb) = 0;
    // The sample being edited (CON), or kNoSample.
    virtual int selectedSample() const = 0;
    // A sample's colour: the background colour of the background sample, the text colour of a text
    // sample.
    virtual COLORREF sampleColour(int sample) const = 0;
    // Writes a colour into a sample as UpdateSpectra does, keeping the selection (CON and TYP).
    virtual void writeSample(int sample, const Rgb& rgb) = 0;
};

// The link in use (to Form1 unless replaced); nullptr restores the link to Form1.
MainWindowLink& mainWindow();
void setMainWindow(MainWindowLink* link);

} // namespace tintara
