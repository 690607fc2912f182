#include "form1_fixture.h"

#include "platform/forms/app.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/windlg.h"

void Form1Fixture::SetUp() {
    vb::setNotifyIcon(&tray);
    vb::setDialogs(&dialogs);
    vb::setUrlOpener(&urls);
    pm::setMessageBoxHook([this](HWND owner, const std::string& text, const std::string&, UINT type) {
        shown.push_back({text, type, owner});
        return answer;
    });
}

void Form1Fixture::TearDown() {
    m_form.reset();
    pm::test::pumpMessages();
    pm::setMessageBoxHook(nullptr);
    vb::setUrlOpener(nullptr);
    vb::setDialogs(nullptr);
    vb::setNotifyIcon(nullptr);
    vb::SetCommandLine(0, nullptr);
}

void Form1Fixture::start(const std::string& commandLine) {
    const char* argv[] = {"tintara", commandLine.c_str()};
    vb::SetCommandLine(commandLine.empty() ? 1 : 2, argv);
    m_form = std::make_unique<tintara::Form1>();
    m_form->Load();
    pm::test::pumpMessages();
}

std::string Form1Fixture::components() const {
    return m_form->Color[0].Tag + "," + m_form->Color[1].Tag + "," + m_form->Color[2].Tag;
}

std::string Form1Fixture::boxes() const {
    return m_form->txtColor[0].Text() + "," + m_form->txtColor[1].Text() + "," + m_form->txtColor[2].Text();
}

void Form1Fixture::setColour(int red, int green, int blue) {
    m_form->setWorkingColour(tintara::Rgb{red, green, blue});
    m_form->UpdateSpectra();
}

void Form1Fixture::drag(HWND hwnd, POINT from, POINT to) {
    pm::test::pressMouse(hwnd, from);
    pm::test::moveMouse(hwnd, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    pm::test::moveMouse(hwnd, to);
    pm::test::releaseMouse(hwnd, to);
    pm::test::pumpMessages();
}

void Form1Fixture::key(int vk, bool shift, bool control) {
    pm::test::pressKey(m_form->hWnd(), vk, shift, control);
    pm::test::pumpMessages();
}

std::vector<COLORREF> Form1Fixture::savePicture(const std::string& name) {
    pm::test::pumpMessages();
    const pm::test::Picture image = pm::test::windowPicture(m_form->hWnd());
    if (!pm::test::savePng(image, pm::test::outputFolder() + "/" + name + ".png")) return {};
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.pixel(x, y);
            pixels.push_back(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
        }
    return pixels;
}
