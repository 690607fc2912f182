#pragma once
// A fixture that loads the colour tool's main window with fake services: notification area, file
// and colour dialogs, web pages; message boxes are answered and recorded.

#include "colourtool/app/form1.h"

#include "platform/forms/dialog_service.h"
#include "platform/forms/notify_icon.h"
#include "platform/forms/url_opener.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct ShownBox {
    std::string text;
    UINT type;
    HWND owner = nullptr;
};

class Form1Fixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and loads the main window with `commandLine`.
    void start(const std::string& commandLine = "");

    tintara::Form1& form() { return *m_form; }
    // The working colour's Tags and the component boxes as "r,g,b".
    std::string components() const;
    std::string boxes() const;
    // Sets the working colour and redraws, as a pick does.
    void setColour(int red, int green, int blue);
    // A press, drag and release on a window of the form, in its client coordinates.
    void drag(HWND hwnd, POINT from, POINT to);
    void key(int vk, bool shift = false, bool control = false);
    // Saves the main window as test output PNG `name`.png and answers its pixels, row by row
    // (none when it could not be saved).
    std::vector<COLORREF> savePicture(const std::string& name);

    vb::FakeNotifyIcon tray;
    vb::FakeDialogs dialogs;
    vb::FakeUrlOpener urls;
    std::vector<ShownBox> shown; // message boxes, in order
    int answer = IDOK;           // the button every message box answers

private:
    std::unique_ptr<tintara::Form1> m_form;
};
