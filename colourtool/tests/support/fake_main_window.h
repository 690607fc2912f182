#pragma once
// A stand-in for the colour tool's main window: a plain form holding a working colour and five
// document-colour samples, which the secondary windows reach through MainWindowLink.

#include "colourtool/app/main_window_link.h"

#include <array>
#include <vector>

class FakeMainWindow : public tintara::MainWindowLink {
public:
    FakeMainWindow();
    ~FakeMainWindow() override;

    vb::Form& window() override { return m_form; }
    bool alwaysOnTop() const override { return onTop; }
    // As UpdateSpectra: the working colour goes into the selected sample.
    void applyColour(const tintara::Rgb& rgb) override;
    int selectedSample() const override { return selected; }
    COLORREF sampleColour(int sample) const override { return samples.at(sample); }
    void writeSample(int sample, const tintara::Rgb& rgb) override;

    bool onTop = false;
    int selected = 0;
    tintara::Rgb working;
    // Text samples 0-3 and the background (index kBackgroundSample), as COLORREFs.
    std::array<COLORREF, 5> samples{0x000000, 0xFF0000, 0x880088, 0xFF0000, 0xFFFFFF};
    std::vector<tintara::Rgb> applied; // every colour applied, in order

private:
    vb::Form m_form;
};
