#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/vb_numeric.h"
#include "platform/forms/screen.h"
#include "platform/forms/screen_capture.h"
#include "platform/forms/timer.h"
#include "platform/forms/user_control.h"
#include "platform/forms/windowless.h"

#include "platform/win/tests/support/test_images.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

using pm::test::pumpMessages;

// A form with a picture box holding windowless labels, a label array and a timer; its event
// procedures record what they saw.
class TestForm : public vb::Form {
public:
    TestForm() : vb::Form("TestForm", 240, 160) {
        SetBackColor(0xC0C0C0);
        Picture1.SetBackColor(0xFFFFFF);
        Label1.SetCaption("Label");
        Label1.SetBackColor(0x00FFFF);
        Label1.Click = [this] { log.push_back("Label1_Click"); };
        Label1.MouseDown = [this](int b, int, int x, int y) { note("Label1_MouseDown", b, x, y); };
        Picture1.MouseDown = [this](int b, int, int x, int y) { note("Picture1_MouseDown", b, x, y); };
        Picture1.MouseMove = [this](int b, int, int x, int y) { note("Picture1_MouseMove", b, x, y); };
        Picture1.MouseUp = [this](int b, int, int x, int y) { note("Picture1_MouseUp", b, x, y); };
        Picture1.Click = [this] { log.push_back("Picture1_Click"); };
        Picture1.DblClick = [this] { log.push_back("Picture1_DblClick"); };
        Picture1.KeyDown = [this](int& key, int shift) {
            log.push_back("Picture1_KeyDown " + std::to_string(key) + " " + std::to_string(shift));
        };
        Picture1.KeyPress = [this](int& key) { log.push_back("Picture1_KeyPress " + std::to_string(key)); };
        auto first = std::make_unique<vb::Label>(*this, "", 10, 130, 40, 16);
        first->SetCaption("One");
        first->Tag = "t0";
        Swatch.add(0, std::move(first));
        Swatch.Click = [this](int index) { log.push_back("Swatch_Click " + std::to_string(index)); };
    }

    std::vector<std::string> log;
    int cancelUnload = 0;
    int loads = 0;
    int swallowKey = -1;

    vb::PictureBox Picture1{*this, "Picture1", 10, 10, 120, 100};
    vb::Label Label1{Picture1, "Label1", 20, 30, 50, 16};
    vb::ControlArray<vb::Label> Swatch{"Swatch"};

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload(int& cancel) override { cancel = cancelUnload; }
    void Form_KeyDown(int& keyCode, int shift) override {
        log.push_back("Form_KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
        if (keyCode == swallowKey) keyCode = 0;
    }
    void Form_KeyPress(int& keyAscii) override { log.push_back("Form_KeyPress " + std::to_string(keyAscii)); }

private:
    void note(const char* what, int button, int x, int y) {
        log.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    }
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        pumpMessages();
        form.log.clear();
    }
    POINT inPicture(int x, int y) const { return POINT{10 + x, 10 + y}; }
    TestForm form;
};

TEST_F(FormTest, LoadRunsOnceAndUnloadCanBeCancelled) {
    EXPECT_EQ(form.loads, 1);
    form.Load();
    form.Show();
    EXPECT_EQ(form.loads, 1);
    form.cancelUnload = 1;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(IsWindowVisible(form.hWnd()));
    SendMessage(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded());
    form.cancelUnload = 0;
    SendMessage(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(IsWindowVisible(form.hWnd()));
    form.Show();
    EXPECT_EQ(form.loads, 2);
}

TEST_F(FormTest, CaptionBorderStylesAndTopMost) {
    form.SetCaption("Tintara");
    EXPECT_EQ(form.Caption(), "Tintara");
    EXPECT_EQ(form.ScaleWidth(), 240);
    EXPECT_EQ(form.ScaleHeight(), 160);
    form.SetBorderStyle(vb::FormBorderStyle::None);
    EXPECT_TRUE(GetWindowLong(form.hWnd(), GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE((GetWindowLong(form.hWnd(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
    EXPECT_EQ(form.ScaleWidth(), 240);
    form.SetBorderStyle(vb::FormBorderStyle::FixedToolWindow);
    EXPECT_TRUE(GetWindowLong(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(form.ScaleHeight(), 160);
    form.SetTopMost(true);
    EXPECT_TRUE(form.TopMost());
    form.SetTopMost(false);
    EXPECT_FALSE(form.TopMost());
}

TEST_F(FormTest, DrawingMethodsReachTheSurface) {
    vb::PictureBox& p = form.Picture1;
    p.Line(5, 5, 5, 20, 0x0000FF);
    EXPECT_EQ(p.Point(5, 5), 0x0000FF);
    EXPECT_EQ(p.Point(5, 20), 0x0000FF); // both ends
    EXPECT_EQ(p.Point(5, 21), 0xFFFFFF);
    p.FillBox(30, 40, 32, 41, 0x00FF00);
    EXPECT_EQ(p.Point(30, 40), 0x00FF00);
    EXPECT_EQ(p.Point(32, 41), 0x00FF00); // both corners
    EXPECT_EQ(p.Point(33, 41), 0xFFFFFF);
    EXPECT_EQ(p.Point(32, 42), 0xFFFFFF);
    p.Cls();
    EXPECT_EQ(p.Point(5, 5), 0xFFFFFF);
    p.SetBackColor(0x112233);
    EXPECT_EQ(p.Point(0, 0), 0x112233);
}

TEST_F(FormTest, TheFormSurfaceKeepsItsDrawingThroughResizes) {
    form.FillBox(200, 20, 209, 29, RGB(0, 0, 255));
    form.Line(200, 40, 230, 40, RGB(255, 0, 0));
    pumpMessages();
    RECT frame{};
    GetWindowRect(form.hWnd(), &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    form.Move(frame.left, frame.top, width - 100, height);
    EXPECT_EQ(form.Point(205, 25), -1);
    form.Move(frame.left, frame.top, width, height);
    pumpMessages();
    struct Case {
        int x, y;
        long colour;
    };
    const Case cases[] = {{205, 25, RGB(0, 0, 255)},
                          {209, 29, RGB(0, 0, 255)},
                          {230, 40, RGB(255, 0, 0)},
                          {210, 30, 0xC0C0C0},
                          {240, 0, -1},
                          {-1, 5, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(form.Point(c.x, c.y), c.colour) << c.x << "," << c.y;
    QImage image = pm::test::windowImage(form.hWnd());
    POINT origin{205, 25};
    ClientToScreen(form.hWnd(), &origin);
    GetWindowRect(form.hWnd(), &frame);
    EXPECT_EQ(image.pixel(origin.x - frame.left, origin.y - frame.top), qRgb(0, 0, 255));
    form.SetBackColor(0xFFFFFF);
    EXPECT_EQ(form.Point(205, 25), 0xFFFFFF);
}

TEST_F(FormTest, PointGivesMinusOneOutside) {
    vb::PictureBox& p = form.Picture1;
    p.FillBox(0, 0, 119, 99, 0x123456);
    const struct {
        int x, y;
        long colour;
    } cases[] = {{0, 0, 0x123456}, {119, 99, 0x123456}, {60, 50, 0x123456}, {120, 0, -1},
                 {0, 100, -1},     {-1, 0, -1},         {0, -1, -1},        {1000, 1000, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(p.Point(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST_F(FormTest, PaintPictureScales) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SetPixel(mem, 0, 0, 0x0000FF);
    SetPixel(mem, 1, 0, 0x00FF00);
    SetPixel(mem, 0, 1, 0xFF0000);
    SetPixel(mem, 1, 1, 0x000000);
    SelectObject(mem, old);
    form.Picture1.PaintPicture(bitmap, 10, 10, 8, 8);
    EXPECT_EQ(form.Picture1.Point(10, 10), 0x0000FF);
    EXPECT_EQ(form.Picture1.Point(17, 10), 0x00FF00);
    EXPECT_EQ(form.Picture1.Point(10, 17), 0xFF0000);
    EXPECT_EQ(form.Picture1.Point(18, 18), 0xFFFFFF);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

TEST_F(FormTest, ScreenCaptureGoesOntoTheSurface) {
    vb::FakeScreenCapture fake(
        [](int x, int y) { return static_cast<COLORREF>((vb::RGB)(x % 256, y % 256, 7)); });
    vb::setScreenCapture(&fake);
    HBITMAP shot = vb::screenCapture().capture(RECT{100, 200, 140, 230});
    vb::setScreenCapture(nullptr);
    form.Picture1.PaintPicture(shot, 0, 0);
    DeleteObject(shot);
    EXPECT_EQ(form.Picture1.Point(0, 0), (vb::RGB)(100, 200, 7));
    EXPECT_EQ(form.Picture1.Point(39, 29), (vb::RGB)(139, 229, 7));
    EXPECT_EQ(form.Picture1.Point(40, 30), 0xFFFFFF);

    HBITMAP real = vb::screenCapture().capture(RECT{0, 0, 16, 8});
    BITMAP info{};
    GetObject(real, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 8);
    DeleteObject(real);
}

TEST_F(FormTest, SystemScreenCaptureSeesTheShownForm) {
    form.FillBox(200, 120, 229, 149, RGB(10, 200, 5));
    pumpMessages();
    POINT at{205, 125};
    ClientToScreen(form.hWnd(), &at);
    HBITMAP shot = vb::screenCapture().capture(RECT{at.x, at.y, at.x + 4, at.y + 4});
    form.Picture1.PaintPicture(shot, 0, 0);
    DeleteObject(shot);
    EXPECT_EQ(form.Picture1.Point(0, 0), RGB(10, 200, 5));
    EXPECT_EQ(form.Picture1.Point(3, 3), RGB(10, 200, 5));
}

TEST_F(FormTest, MouseEventsComeInOrderWithButtonSemantics) {
    HWND hwnd = form.hWnd();
    pm::test::pressMouse(hwnd, inPicture(5, 6));
    pm::test::moveMouse(hwnd, inPicture(7, 8));
    pm::test::releaseMouse(hwnd, inPicture(7, 8));
    pumpMessages();
    // The pointer arrives first: a move with no button held.
    const std::vector<std::string> expected = {"Picture1_MouseMove 0 5,6", "Picture1_MouseDown 1 5,6",
                                               "Picture1_MouseMove 1 7,8", "Picture1_MouseUp 1 7,8",
                                               "Picture1_Click"};
    EXPECT_EQ(form.log, expected);
}

TEST_F(FormTest, CaptureKeepsMovesComingOutsideTheBox) {
    HWND hwnd = form.hWnd();
    pm::test::pressMouse(hwnd, inPicture(5, 5));
    pm::test::moveMouse(hwnd, inPicture(200, 5));
    pm::test::releaseMouse(hwnd, inPicture(200, 5));
    pumpMessages();
    const std::vector<std::string> expected = {"Picture1_MouseMove 0 5,5", "Picture1_MouseDown 1 5,5",
                                               "Picture1_MouseMove 1 200,5", "Picture1_MouseUp 1 200,5"};
    EXPECT_EQ(form.log, expected); // released outside: no Click
    EXPECT_EQ(form.Picture1.Point(200, 5), -1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FormTest, DoubleClickFollowsTheFirstClick) {
    pm::test::doubleClick(form.hWnd(), inPicture(4, 4));
    pumpMessages();
    const std::vector<std::string> expected = {"Picture1_MouseMove 0 4,4", "Picture1_MouseDown 1 4,4",
                                               "Picture1_MouseUp 1 4,4",   "Picture1_Click",
                                               "Picture1_DblClick",        "Picture1_MouseUp 1 4,4"};
    EXPECT_EQ(form.log, expected);
}

TEST_F(FormTest, WindowlessLabelPaintsAboveThePictureAndTakesItsClicks) {
    form.Picture1.FillBox(0, 0, 119, 99, 0xFF0000);
    form.Picture1.Refresh();
    QImage image = pm::test::windowImage(form.Picture1.hWnd());
    EXPECT_EQ(image.pixel(60, 40) & 0xFFFFFF, 0xFFFF00u); // the label's opaque yellow (BGR 00FFFF)
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0x0000FFu);   // the surface around it
    pm::test::click(form.hWnd(), inPicture(25, 35));
    pumpMessages();
    const std::vector<std::string> expected = {"Label1_MouseDown 1 5,5", "Label1_Click"};
    EXPECT_EQ(form.log, expected);
}

// An auto-sized label is as large as its caption: a click beside the text is the picture's.
TEST_F(FormTest, AnAutoSizedLabelFitsItsCaptionAndLeavesTheRestToItsContainer) {
    vb::Label& label = form.Label1;
    label.SetAutoSize(true);
    const int shortWidth = label.Width();
    EXPECT_GT(shortWidth, 10);
    EXPECT_LT(shortWidth, 50);
    EXPECT_GT(label.Height(), 8);
    EXPECT_LE(label.Height(), 16);
    EXPECT_EQ(label.Left(), 20);
    EXPECT_EQ(label.Top(), 30);
    label.SetCaption("Label with a longer caption");
    EXPECT_GT(label.Width(), 2 * shortWidth);
    label.SetCaption("Label");
    EXPECT_EQ(label.Width(), shortWidth);
    pm::test::click(form.hWnd(), inPicture(20 + shortWidth + 5, 35));
    pumpMessages();
    EXPECT_EQ(form.log.back(), "Picture1_Click");
}

TEST_F(FormTest, TransparentLabelShowsTheSurface) {
    form.Label1.BackStyle = vb::vbTransparent;
    form.Label1.SetCaption("");
    form.Picture1.FillBox(0, 0, 119, 99, 0xFF0000);
    form.Picture1.Refresh();
    QImage image = pm::test::windowImage(form.Picture1.hWnd());
    EXPECT_EQ(image.pixel(60, 40) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(FormTest, ShapesAndImagesPaintOnTheirContainer) {
    vb::Shape frame(form.Picture1, "Shape1", 80, 60, 10, 8);
    frame.BorderColor = 0x0000FF;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT all{0, 0, 4, 4};
    HBRUSH green = CreateSolidBrush(0x00FF00);
    FillRect(mem, &all, green);
    SelectObject(mem, old);
    vb::Image icon(form.Picture1, "Image1", 100, 10, 8, 8);
    icon.Stretch = true;
    icon.SetPicture(bitmap);
    form.Picture1.Refresh();
    QImage image = pm::test::windowImage(form.Picture1.hWnd());
    EXPECT_EQ(image.pixel(80, 60) & 0xFFFFFF, 0xFF0000u); // the outline, red
    EXPECT_EQ(image.pixel(89, 67) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(85, 64) & 0xFFFFFF, 0xFFFFFFu);  // inside stays the surface
    EXPECT_EQ(image.pixel(107, 17) & 0xFFFFFF, 0x00FF00u); // the image stretched to 8 x 8
    EXPECT_EQ(image.pixel(108, 18) & 0xFFFFFF, 0xFFFFFFu);
    DeleteObject(green);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    icon.SetPicture(nullptr);
    DeleteObject(bitmap);
}

TEST_F(FormTest, ControlArrayLoadsHiddenCopiesThatRaiseWithTheirIndex) {
    vb::Label& added = form.Swatch.Load(1);
    EXPECT_FALSE(added.Visible());
    EXPECT_EQ(added.Index, 1);
    EXPECT_EQ(added.Name, "Swatch");
    EXPECT_EQ(added.Caption(), "One");
    EXPECT_EQ(added.Tag, "t0");
    EXPECT_EQ(form.Swatch.UBound(), 1);
    EXPECT_THROW(form.Swatch.Load(1), std::invalid_argument);
    added.Move(60, 130);
    added.SetVisible(true);
    pm::test::click(form.hWnd(), POINT{15, 135});
    pm::test::click(form.hWnd(), POINT{65, 135});
    pumpMessages();
    const std::vector<std::string> expected = {"Swatch_Click 0", "Swatch_Click 1"};
    EXPECT_EQ(form.log, expected);
}

TEST_F(FormTest, KeyPreviewRunsTheFormFirstAndAZeroCodeSwallows) {
    form.Picture1.SetFocus();
    form.KeyPreview = true;
    pm::test::pressKey(form.hWnd(), 'R', true);
    pumpMessages();
    std::vector<std::string> expected = {"Form_KeyDown 16 1", "Picture1_KeyDown 16 1",
                                         "Form_KeyDown 82 1", "Picture1_KeyDown 82 1",
                                         "Form_KeyPress 82",  "Picture1_KeyPress 82"};
    EXPECT_EQ(form.log, expected);
    form.log.clear();
    form.swallowKey = VK_LEFT;
    pm::test::pressKey(form.hWnd(), VK_LEFT);
    pumpMessages();
    expected = {"Form_KeyDown 37 0"};
    EXPECT_EQ(form.log, expected);
    form.log.clear();
    form.KeyPreview = false;
    pm::test::pressKey(form.hWnd(), VK_LEFT);
    pumpMessages();
    expected = {"Picture1_KeyDown 37 0"};
    EXPECT_EQ(form.log, expected);
}

TEST_F(FormTest, ABorderlessFormMovesByDraggingItsTitleImage) {
    form.SetBorderStyle(vb::FormBorderStyle::None);
    form.Move(100, 100);
    vb::Image title(form, "Image2", 0, 0, 240, 10);
    title.MouseDown = [&](int, int, int, int) { form.StartSystemMove(); };
    pm::test::dragScreen(form.hWnd(), POINT{150, 105}, POINT{190, 135});
    pumpMessages();
    RECT r{};
    GetWindowRect(form.hWnd(), &r);
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.top, 130);
    EXPECT_EQ(form.Left(), 140);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FormTest, ACustomPointerShowsOverTheInnerArea) {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    ICONINFO info{FALSE, 7, 7, mask, colour};
    HCURSOR dropper = CreateIconIndirect(&info);
    ASSERT_NE(dropper, nullptr);
    form.MouseIcon = dropper;
    form.MousePointer = vb::vbCustom;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessage(form.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hWnd()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), dropper);
    form.MousePointer = vb::vbDefault;
    SendMessage(form.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hWnd()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), dropper);
    SetCursor(nullptr);
    DestroyCursor(dropper);
    DeleteObject(colour);
    DeleteObject(mask);
}

TEST_F(FormTest, WindowStateMinimisesAndRestores) {
    EXPECT_EQ(form.WindowState(), vb::vbNormal);
    form.SetWindowState(vb::vbMinimized);
    EXPECT_EQ(form.WindowState(), vb::vbMinimized);
    form.SetWindowState(vb::vbNormal);
    EXPECT_EQ(form.WindowState(), vb::vbNormal);
    form.SetWindowState(vb::vbMaximized);
    EXPECT_EQ(form.WindowState(), vb::vbMaximized);
}

// A user control that keeps a fixed size and raises its own event to the host.
class TrayLike : public vb::UserControl {
public:
    TrayLike(vb::Container& host) : vb::UserControl(host, "TrayIcon", 0, 0, 50, 50) {
        UserControl_Resize();
        Click = [this] {
            if (ButtonClick) ButtonClick("home", false);
        };
    }
    std::function<void(const std::string& key, bool dropDown)> ButtonClick;

protected:
    void UserControl_Resize() override { Move(Left(), Top(), 28, 28); }
};

TEST_F(FormTest, UserControlsSnapTheirSizeAndRaiseTheirEventsToTheHost) {
    TrayLike tray(form);
    EXPECT_EQ(tray.Width(), 28);
    tray.Move(150, 20, 60, 60);
    EXPECT_EQ(tray.Width(), 28);
    EXPECT_EQ(tray.Height(), 28);
    std::string raised;
    tray.ButtonClick = [&](const std::string& key, bool dropDown) { raised = key + (dropDown ? "+" : ""); };
    int focused = 0;
    tray.GotFocus = [&] { ++focused; };
    pm::test::click(form.hWnd(), POINT{160, 30});
    pumpMessages();
    EXPECT_EQ(raised, "home");
    EXPECT_EQ(GetFocus(), tray.hWnd());
    EXPECT_EQ(focused, 1);
}

// A user control made of constituent controls of its own.
class ToolLike : public vb::UserControl {
public:
    explicit ToolLike(vb::Container& host) : vb::UserControl(host, "Tool", 140, 10, 90, 60) {}
    vb::PictureBox Button1{*this, "Button1", 5, 5, 30, 30};
    vb::PictureBox Button2{*this, "Button2", 45, 5, 30, 30};
};

TEST_F(FormTest, FocusEnteringAUserControlsPartsRaisesItsFocusEventsOnce) {
    ToolLike tool(form);
    std::vector<std::string> seen;
    tool.GotFocus = [&] { seen.push_back("Tool_GotFocus"); };
    tool.LostFocus = [&] { seen.push_back("Tool_LostFocus"); };
    tool.Button1.GotFocus = [&] { seen.push_back("Button1_GotFocus"); };
    form.Picture1.SetFocus();
    tool.Button1.SetFocus();
    tool.Button2.SetFocus();
    form.Picture1.SetFocus();
    EXPECT_EQ(seen, (std::vector<std::string>{"Button1_GotFocus", "Tool_GotFocus", "Tool_LostFocus"}));
}

TEST(Timer, TicksAndNeverReentersItsHandler) {
    vb::Timer timer("Timer1", 1, false);
    int ticks = 0;
    int depth = 0;
    int deepest = 0;
    timer.OnTimer = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        // The timer falls due again while the handler lets events run.
        for (int i = 0; i < 4; ++i) {
            pm::test::advanceClock(10);
            vb::DoEvents();
        }
        --depth;
    };
    timer.SetEnabled(true);
    for (int i = 0; i < 20 && ticks < 3; ++i) {
        pm::test::advanceClock(10);
        vb::DoEvents();
    }
    timer.SetEnabled(false);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(deepest, 1);
}

TEST(Screen, PixelsAndTwips) {
    EXPECT_EQ(vb::Screen().Width(), 1280);
    EXPECT_EQ(vb::Screen().HeightTwips(), 1024 * 15);
    EXPECT_EQ(vb::tw(5640), 376);
}

TEST_F(FormTest, PictureOfTheForm) {
    form.Picture1.Line(0, 99, 119, 0, 0x0000FF);
    form.Swatch.Load(1).Move(60, 130);
    form.Swatch[1].SetCaption("Two");
    form.Swatch[1].SetVisible(true);
    pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(form.hWnd(), pm::test::outputFolder() + "/forms_test_form.png"));
}

} // namespace
