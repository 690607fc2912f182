#include "fake_main_window.h"

FakeMainWindow::FakeMainWindow() : m_form("Form1", 376, 121) {
    m_form.Move(300, 400);
    tintara::setMainWindow(this);
}

FakeMainWindow::~FakeMainWindow() {
    tintara::setMainWindow(nullptr);
}

void FakeMainWindow::applyColour(const tintara::Rgb& rgb) {
    working = rgb;
    applied.push_back(rgb);
    if (selected != tintara::kNoSample)
        samples.at(selected) = static_cast<COLORREF>(tintara::colourValue(rgb));
}

void FakeMainWindow::writeSample(int sample, const tintara::Rgb& rgb) {
    int kept = selected;
    selected = sample;
    applyColour(rgb);
    selected = kept;
}
