#include "colourtool/app/main_window_link.h"

#include "colourtool/app/form1.h"

namespace tintara {
namespace {

// The link to the program's Form1.
class Form1Link : public MainWindowLink {
public:
    vb::Form& window() override { return form1(); }
    bool alwaysOnTop() const override { return form1().AlwaysOnTop; }

    void applyColour(const Rgb& rgb) override {
        form1().setWorkingColour(rgb);
        form1().UpdateSpectra();
    }

    int selectedSample() const override {
        Form1& f = form1();
        if (f.CON == &f.Preview) return kBackgroundSample;
        for (int i = 0; i < kBackgroundSample; ++i)
            if (f.Label1.exists(i) && f.CON == &f.Label1[i]) return i;
        return kNoSample;
    }

    COLORREF sampleColour(int sample) const override {
        Form1& f = form1();
        if (sample == kBackgroundSample) return f.Preview.BackColor();
        return f.Label1.exists(sample) ? f.Label1[sample].ForeColor() : 0;
    }

    void writeSample(int sample, const Rgb& rgb) override {
        Form1& f = form1();
        if (sample != kBackgroundSample && !f.Label1.exists(sample)) return;
        vb::Control* keptCon = f.CON;
        float keptTyp = f.TYP;
        f.CON = sample == kBackgroundSample ? static_cast<vb::Control*>(&f.Preview) : &f.Label1[sample];
        f.TYP = sample == kBackgroundSample ? 1.0f : 0.0f;
        applyColour(rgb);
        f.CON = keptCon;
        f.TYP = keptTyp;
    }
};

MainWindowLink* g_link = nullptr;

} // namespace

MainWindowLink& mainWindow() {
    static Form1Link form1Link;
    return g_link ? *g_link : form1Link;
}

void setMainWindow(MainWindowLink* link) {
    g_link = link;
}

} // namespace tintara
