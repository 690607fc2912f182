// Painting: invalid regions, WM_PAINT and its companions, DCs on windows, scrolling, redraw
// switches, the desktop overlay, and a picture of a whole test window.

#include "platform/win/tests/support/test_images.h"

#include "platform/win/wm/desktop_overlay.h"
#include "platform/win/wm/window_surface.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Trace = std::vector<std::string>;

namespace {

QRgb rgbOf(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateWindowEx(0, recordingClass(), "top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    QRgb pixel(HWND h, int x, int y) {
        POINT p{x, y};
        MapWindowPoints(h, top, &p, 1);
        return pm::test::windowImage(top).pixel(p.x, p.y) | 0xFF000000u;
    }
    HWND top = nullptr;
};

// Fills a rectangle with one colour.
void fillColour(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

// Fills a rectangle of the window's client area with one colour through a DC taken for it.
void fillClientColour(HWND hwnd, const RECT& r, COLORREF colour) {
    HDC dc = GetDC(hwnd);
    fillColour(dc, r, colour);
    ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK fillProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        fillColour(dc, ps.rcPaint, RGB(200, 0, 0));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return MessageRecorder::recordingProc(hwnd, msg, wParam, lParam);
}

HWND fillChild(HWND parent, int x, int y, int cx, int cy) {
    static bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = fillProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "FillChild";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowEx(0, "FillChild", "", WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent, nullptr, nullptr,
                          nullptr);
}

} // namespace

TEST_F(Painting, InvalidRegionsProduceOnePaintWithTheBoundingRectangle) {
    HWND c = fillChild(top, 10, 10, 100, 80);
    pm::test::pumpMessages();
    HDC dc = GetDC(c);
    RECT all{0, 0, 100, 80};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    ReleaseDC(c, dc);
    RECT a{5, 5, 10, 10}, b{20, 30, 25, 40};
    InvalidateRect(c, &a, TRUE);
    InvalidateRect(c, &b, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(c, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &(const RECT&)RECT{5, 5, 25, 40}));
    ValidateRect(c, &a);
    ASSERT_TRUE(GetUpdateRect(c, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &b));
    UpdateWindow(c);
    EXPECT_FALSE(GetUpdateRect(c, &update, FALSE));
    EXPECT_EQ(pixel(c, 22, 35), qRgb(200, 0, 0));
    EXPECT_EQ(pixel(c, 50, 60), rgbOf(GetSysColor(COLOR_WINDOW)));
}

TEST_F(Painting, ParentsPaintBeforeChildrenAndHiddenWindowsWait) {
    HWND a = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, nullptr,
                            nullptr, nullptr);
    HWND hidden =
        CreateWindowEx(0, recordingClass(), "", WS_CHILD, 60, 0, 50, 50, top, nullptr, nullptr, nullptr);
    pm::test::pumpMessages();
    MessageRecorder rec;
    rec.name(top, "top");
    rec.name(a, "a");
    rec.name(hidden, "hidden");
    InvalidateRect(a, nullptr, TRUE);
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(top, nullptr, TRUE);
    pm::test::pumpMessages();
    EXPECT_EQ(rec.trace({WM_PAINT}), (Trace{"top:WM_PAINT", "a:WM_PAINT"}));
    rec.clear();
    ShowWindow(hidden, SW_SHOWNA);
    pm::test::pumpMessages();
    EXPECT_EQ(rec.trace({WM_PAINT}), (Trace{"hidden:WM_PAINT"}));
}

TEST_F(Painting, SetRedrawFalseHoldsPaintingBack) {
    HWND c = fillChild(top, 0, 0, 50, 50);
    pm::test::pumpMessages();
    SendMessage(c, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(c, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, c, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    SendMessage(c, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(PeekMessage(&msg, c, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Painting, DrawingThroughGetDcShowsAtOnce) {
    HWND c = CreateWindowEx(WS_EX_CLIENTEDGE, recordingClass(), "", WS_CHILD | WS_VISIBLE, 20, 20, 60, 60,
                            top, nullptr, nullptr, nullptr);
    pm::test::pumpMessages();
    fillClientColour(c, RECT{0, 0, 10, 10}, RGB(0, 0, 255));
    EXPECT_EQ(pixel(c, 5, 5), qRgb(0, 0, 255));
    EXPECT_NE(pixel(c, -1, -1), qRgb(0, 0, 255)) << "a client DC stays out of the edge";
}

namespace {

void fillWith(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

} // namespace

TEST_F(Painting, ALockedWindowDrawsOnlyThroughLockDcsAndRepaintsWhenUnlocked) {
    HWND c = fillChild(top, 0, 0, 50, 50);
    HWND other = fillChild(top, 60, 0, 50, 50);
    pm::test::pumpMessages();
    const RECT r{0, 0, 10, 10};
    ASSERT_TRUE(LockWindowUpdate(c));
    EXPECT_FALSE(LockWindowUpdate(other)) << "one window is locked at a time";

    HDC dc = GetDC(c);
    fillWith(dc, r, RGB(0, 0, 255));
    ReleaseDC(c, dc);
    EXPECT_EQ(pixel(c, 5, 5), qRgb(200, 0, 0)) << "an ordinary DC of a locked window draws nowhere";
    dc = GetDCEx(c, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    fillWith(dc, r, RGB(0, 255, 0));
    ReleaseDC(c, dc);
    EXPECT_EQ(pixel(c, 5, 5), qRgb(0, 255, 0)) << "a lock DC draws";
    dc = GetDC(other);
    fillWith(dc, r, RGB(0, 0, 255));
    ReleaseDC(other, dc);
    EXPECT_EQ(pixel(other, 5, 5), qRgb(0, 0, 255)) << "other windows draw as ever";

    // Painted while locked, the window shows nothing new until it is unlocked; then it paints again.
    InvalidateRect(c, nullptr, TRUE);
    pm::test::pumpMessages();
    EXPECT_EQ(pixel(c, 5, 5), qRgb(0, 255, 0));
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    pm::test::pumpMessages();
    EXPECT_EQ(pixel(c, 5, 5), qRgb(200, 0, 0));
    EXPECT_TRUE(LockWindowUpdate(other)) << "unlocked, another window may be locked";
    DestroyWindow(other);
    EXPECT_TRUE(LockWindowUpdate(c)) << "a destroyed window's lock is released";
    LockWindowUpdate(nullptr);
}

TEST_F(Painting, TheLockedDesktopLocksEveryWindowButNotItsOwnLockDc) {
    HWND c = fillChild(top, 0, 0, 50, 50);
    pm::test::pumpMessages();
    HDC dc = GetDC(c);
    fillWith(dc, RECT{0, 0, 10, 10}, RGB(0, 0, 255));
    ReleaseDC(c, dc);
    ASSERT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    dc = GetDC(c);
    fillWith(dc, RECT{0, 0, 10, 10}, RGB(0, 255, 0));
    ReleaseDC(c, dc);
    InvalidateRect(c, nullptr, TRUE);
    pm::test::pumpMessages();
    EXPECT_EQ(pixel(c, 5, 5), qRgb(0, 0, 255))
        << "neither a DC nor a paint shows while the desktop is locked";

    dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ReleaseDC(GetDesktopWindow(), dc); // the overlay exists from its first DC on
    QImage before = *pm::wm::desktopOverlayImage();
    RECT outline{100, 100, 180, 150};
    for (int i = 0; i < 2; ++i) {
        dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        DrawFocusRect(dc, &outline);
        ReleaseDC(GetDesktopWindow(), dc);
        if (i == 0) {
            EXPECT_NE(*pm::wm::desktopOverlayImage(), before) << "a drag outline draws through the lock DC";
        }
    }
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    pm::test::pumpMessages();
    EXPECT_EQ(pixel(c, 5, 5), qRgb(200, 0, 0)) << "unlocked, every window paints again";
}

TEST_F(Painting, AWindowWithoutAreaStillGivesADcThatMeasures) {
    HWND c = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, top, nullptr, nullptr,
                            nullptr);
    HDC dc = GetDC(c);
    ASSERT_NE(dc, nullptr) << "controls measure fonts before they are sized";
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    TEXTMETRIC tm{};
    EXPECT_TRUE(GetTextMetrics(dc, &tm));
    EXPECT_GT(tm.tmHeight, 0);
    fillColour(dc, RECT{0, 0, 10, 10}, RGB(0, 0, 255));
    ReleaseDC(c, dc);
    EXPECT_NE(pixel(top, 5, 5), qRgb(0, 0, 255)) << "it draws nowhere";
}

TEST_F(Painting, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
    HWND c = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, nullptr,
                            nullptr, nullptr);
    pm::test::pumpMessages();
    fillClientColour(c, RECT{0, 20, 100, 30}, RGB(0, 128, 0));
    RECT updated;
    ScrollWindowEx(c, 0, -15, nullptr, nullptr, nullptr, &updated, SW_INVALIDATE);
    EXPECT_TRUE(EqualRect(&updated, &(const RECT&)RECT{0, 85, 100, 100}));
    EXPECT_EQ(pixel(c, 50, 8), qRgb(0, 128, 0));
    EXPECT_NE(pixel(c, 50, 22), qRgb(0, 128, 0));
    RECT update;
    GetUpdateRect(c, &update, FALSE);
    EXPECT_TRUE(EqualRect(&update, &updated));
}

TEST_F(Painting, ScrollWindowLeavesTheCaretWhereItIs) {
    HWND c = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, nullptr,
                            nullptr, nullptr);
    pm::test::pumpMessages();
    HDC dc = GetDC(c);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(c, dc);
    CreateCaret(c, nullptr, 2, 10);
    SetCaretPos(40, 40);
    ShowCaret(c);
    ASSERT_EQ(pixel(c, 40, 45), qRgb(0, 0, 0));
    RECT area{0, 0, 100, 90};
    ScrollWindowEx(c, 0, -20, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    EXPECT_EQ(pixel(c, 40, 45), qRgb(0, 0, 0)) << "the caret is still shown at its place";
    EXPECT_EQ(pixel(c, 40, 25), qRgb(255, 255, 255)) << "no copy of the caret moved with the pixels";
    HideCaret(c);
    EXPECT_EQ(pixel(c, 40, 45), qRgb(255, 255, 255));
    DestroyCaret();
}

TEST_F(Painting, XorOnTheDesktopTwiceLeavesItAsItWas) {
    HDC dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ASSERT_NE(dc, nullptr);
    ReleaseDC(GetDesktopWindow(), dc);
    QImage before = *pm::wm::desktopOverlayImage();
    RECT r{100, 100, 180, 150};
    for (int i = 0; i < 2; ++i) {
        dc = GetWindowDC(nullptr);
        DrawFocusRect(dc, &r);
        if (i == 0) {
            ReleaseDC(nullptr, dc);
            EXPECT_NE(*pm::wm::desktopOverlayImage(), before);
            continue;
        }
        ReleaseDC(nullptr, dc);
    }
    EXPECT_EQ(*pm::wm::desktopOverlayImage(), before);
}

TEST_F(Painting, TheDesktopsClientDcReadsTheScreen) {
    // The screen as it is when its pixels are read, also what was drawn after the DC was taken.
    HDC screen = GetDC(GetDesktopWindow());
    fillClientColour(top, RECT{0, 0, 20, 20}, RGB(10, 200, 30));
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 40);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, 40, 40, screen, 0, 0, SRCCOPY);
    ReleaseDC(GetDesktopWindow(), screen);
    EXPECT_EQ(GetPixel(mem, 5, 5), RGB(10, 200, 30));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

namespace {

// A window whose WM_NCPAINT draws its own frame: a 6-pixel band in a colour of its own.
LRESULT CALLBACK customNcProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCALCSIZE) {
        RECT* r =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        InflateRect(r, -6, -6);
        return 0;
    }
    if (msg == WM_NCPAINT) {
        HDC dc = GetDCEx(hwnd, reinterpret_cast<HRGN>(wParam), DCX_WINDOW | DCX_INTERSECTRGN);
        RECT w;
        GetWindowRect(hwnd, &w);
        fillColour(dc, RECT{0, 0, w.right - w.left, w.bottom - w.top}, RGB(0, 128, 128));
        ReleaseDC(hwnd, dc);
        return 0;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        const char* faces[] = {"MS Sans Serif", "Courier New", "Arial"};
        int y = 4;
        for (const char* face : faces) {
            HFONT f = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
            HGDIOBJ old = SelectObject(dc, f);
            SetBkMode(dc, TRANSPARENT);
            std::string text = std::string(face) + ": The quick brown fox";
            TextOut(dc, 4, y, text.c_str(), static_cast<int>(text.size()));
            SelectObject(dc, old);
            DeleteObject(f);
            y += 18;
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

TEST_F(Painting, PictureOfATestWindow) {
    WNDCLASS wc{};
    wc.lpfnWndProc = customNcProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "CustomNc";
    RegisterClass(&wc);
    WNDCLASS face{};
    face.lpfnWndProc = DefWindowProc;
    face.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    face.lpszClassName = "FaceWindow";
    RegisterClass(&face);
    HWND w =
        CreateWindowEx(WS_EX_WINDOWEDGE, "FaceWindow", "Test window",
                       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                       420, 40, 420, 260, nullptr, nullptr, nullptr, nullptr);
    HWND edge = CreateWindowEx(WS_EX_CLIENTEDGE, "FaceWindow", "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 80, w,
                               nullptr, nullptr, nullptr);
    HWND bordered = CreateWindowEx(0, "FaceWindow", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 140, 10, 120, 80,
                                   w, nullptr, nullptr, nullptr);
    HWND custom = CreateWindowEx(0, "CustomNc", "", WS_CHILD | WS_VISIBLE, 10, 100, 390, 110, w, nullptr,
                                 nullptr, nullptr);
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "FaceWindow", "Tool",
                               WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 270, 10, 130, 80, w, nullptr,
                               nullptr, nullptr);
    ShowWindow(w, SW_SHOW);
    pm::test::pumpMessages();
    std::string path = pm::test::outputFolder() + "/wm_test_window.png";
    ASSERT_TRUE(pm::test::saveWindowPng(w, path));
    QImage img = pm::test::windowImage(w);
    EXPECT_EQ(img.size(), QSize(420, 260));
    int captionY = 4 + GetSystemMetrics(SM_CYCAPTION) / 2;
    EXPECT_EQ(img.pixel(200, captionY) | 0xFF000000u, rgbOf(GetSysColor(COLOR_ACTIVECAPTION)));
    POINT p{0, 0};
    MapWindowPoints(custom, w, &p, 1); // the custom client's origin in w's client area
    RECT wr, cr;
    GetWindowRect(w, &wr);
    GetWindowRect(custom, &cr);
    QPoint band(cr.left - wr.left + 2, cr.top - wr.top + 2);
    EXPECT_EQ(img.pixel(band) | 0xFF000000u, qRgb(0, 128, 128));
    int inked = 0;
    QPoint text(cr.left - wr.left + 6, cr.top - wr.top + 6);
    for (int y = text.y(); y < text.y() + 54; ++y)
        for (int x = text.x(); x < text.x() + 200; ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == 0) ++inked;
    EXPECT_GT(inked, 300) << "the three lines of text are drawn";
    (void)edge;
    (void)bordered;
    (void)tool;
    DestroyWindow(w);
}

TEST_F(Painting, RedrawWindowFlags) {
    struct Case {
        const char* name;
        DWORD parentStyle;
        UINT flags;
        bool useRect;
        Trace want;
    } cases[] = {
        {"invalidate and update now", 0, RDW_INVALIDATE | RDW_UPDATENOW, false, {"p:WM_PAINT"}},
        {"erase now", 0, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW, false, {"p:WM_ERASEBKGND"}},
        {"frame now", 0, RDW_INVALIDATE | RDW_FRAME | RDW_ERASENOW, false, {"p:WM_NCPAINT"}},
        {"children of a parent without WS_CLIPCHILDREN",
         0,
         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN,
         false,
         {"p:WM_PAINT", "c:WM_PAINT"}},
        {"no children", 0, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN, false, {"p:WM_PAINT"}},
        {"clip children keeps them out",
         WS_CLIPCHILDREN,
         RDW_INVALIDATE | RDW_UPDATENOW,
         false,
         {"p:WM_PAINT"}},
        {"a rectangle in the frame only",
         0,
         RDW_INVALIDATE | RDW_FRAME | RDW_ERASENOW,
         true,
         {"p:WM_NCPAINT"}},
        {"validate", 0, RDW_VALIDATE | RDW_UPDATENOW, false, {}},
    };
    for (const Case& k : cases) {
        HWND p = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE | WS_BORDER | k.parentStyle, 0,
                                0, 200, 150, top, nullptr, nullptr, nullptr);
        HWND c = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, p, nullptr,
                                nullptr, nullptr);
        pm::test::pumpMessages();
        MessageRecorder rec;
        rec.name(p, "p");
        rec.name(c, "c");
        RECT inFrame{-1, -1, 5, 0}; // client coordinates reaching into the border
        RedrawWindow(p, k.useRect ? &inFrame : nullptr, nullptr, k.flags);
        EXPECT_EQ(rec.trace({WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}), k.want) << k.name;
        DestroyWindow(p);
    }
}

TEST_F(Painting, TheWidgetsShowTheSamePictureAsTheWindowImages) {
    HWND c = CreateWindowEx(WS_EX_CLIENTEDGE, recordingClass(), "", WS_CHILD | WS_VISIBLE, 30, 40, 120, 90,
                            top, nullptr, nullptr, nullptr);
    HWND g = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 40, 30, c,
                            nullptr, nullptr, nullptr);
    pm::test::pumpMessages();
    fillClientColour(g, RECT{0, 0, 38, 28}, RGB(250, 120, 0));
    QWidget* widget = pm::wm::window(top)->widget;
    QImage shown(widget->size(), QImage::Format_RGB32);
    widget->render(&shown);
    QImage composed = pm::test::windowImage(top);
    ASSERT_EQ(shown.size(), composed.size());
    for (QPoint p : {QPoint(31, 41), QPoint(33, 43), QPoint(45, 55), QPoint(100, 100), QPoint(5, 5)})
        EXPECT_EQ(shown.pixel(p), composed.pixel(p)) << p.x() << "," << p.y();
    EXPECT_EQ(shown.pixel(45, 55) | 0xFF000000u, qRgb(250, 120, 0));
}

// A child is clipped to its parent's client area: where it reaches into the parent's frame and caption,
// or when the parent is too small to keep a client area (a minimised MDI child), the widgets show the
// parent's frame as the window images do, not the child.
TEST_F(Painting, TheWidgetsClipChildrenToTheirParentsClientArea) {
    HWND p = CreateWindowEx(0, recordingClass(), "framed", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME,
                            20, 20, 200, 150, top, nullptr, nullptr, nullptr);
    HWND c = fillChild(p, -15, -15, 60, 40);
    QWidget* widget = pm::wm::window(top)->widget;
    for (int height : {150, 24}) {
        SetWindowPos(p, nullptr, 0, 0, 200, height, SWP_NOMOVE | SWP_NOZORDER);
        pm::test::pumpMessages();
        ASSERT_TRUE(IsWindowVisible(c));
        QImage shown(widget->size(), QImage::Format_RGB32);
        widget->render(&shown);
        QImage composed = pm::test::windowImage(top);
        ASSERT_EQ(shown.size(), composed.size());
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += (shown.pixel(x, y) | 0xFF000000u) != (composed.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(0, differing) << "parent height " << height;
        shown.save(QString::fromStdString(pm::test::outputFolder()) +
                   QString("/wm_clipped_child_%1.png").arg(height));
    }
}

TEST_F(Painting, TheWidgetsShowEveryPixelOfTheWindowImagesAroundChildren) {
    // Two children leave the top window an area of several rectangles to show; its picture has
    // stripes both ways, so a piece shown from the wrong place shows.
    fillChild(top, 50, 40, 100, 80);
    fillChild(top, 0, 200, 60, 100);
    pm::test::pumpMessages();
    HDC dc = GetDC(top);
    for (int i = 0; i < 20; ++i) {
        fillColour(dc, RECT{i * 20, 0, i * 20 + 10, 300}, RGB(i * 12, 255 - i * 12, 60));
        fillColour(dc, RECT{0, i * 15, 400, i * 15 + 5}, RGB(255, i * 12, 255 - i * 12));
    }
    ReleaseDC(top, dc);
    QWidget* widget = pm::wm::window(top)->widget;
    widget->repaint();
    QCoreApplication::processEvents();
    QImage shown = QGuiApplication::primaryScreen()
                       ->grabWindow(0, 0, 0, 400, 300)
                       .toImage()
                       .convertToFormat(QImage::Format_RGB32);
    QImage composed = pm::test::windowImage(top);
    ASSERT_EQ(shown.size(), composed.size());
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            wrong += (shown.pixel(x, y) | 0xFF000000u) != (composed.pixel(x, y) | 0xFF000000u);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shown.pixel(60, 50) | 0xFF000000u, qRgb(200, 0, 0)) << "a child shows its own picture";
}

TEST_F(Painting, AWindowSizedThroughSeveralSizesKeepsThePixelsEverySizeCovered) {
    // Sized without a redraw, a window keeps what it showed where each size it went through
    // covered it, and is white elsewhere.
    const QRgb blue = qRgb(0, 0, 255), white = qRgb(255, 255, 255);
    struct Case {
        const char* name;
        std::vector<SIZE> sizes;
        QRgb topLeft, topRight, bottomLeft, bottomRight; // at (30,20), (80,20), (30,70), (80,70)
    } const cases[] = {
        {"narrower, then back", {{60, 100}, {100, 100}}, blue, white, blue, white},
        {"lower, then back", {{100, 40}, {100, 100}}, blue, blue, white, white},
        {"larger, then back", {{150, 150}, {100, 100}}, blue, blue, blue, blue},
        {"larger", {{150, 150}}, blue, blue, blue, blue},
        {"through no area", {{0, 0}, {100, 100}}, white, white, white, white},
        {"narrower, lower, then larger", {{60, 100}, {100, 40}, {120, 120}}, blue, white, white, white},
    };
    for (const Case& k : cases) {
        HWND c = CreateWindowEx(0, recordingClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, nullptr,
                                nullptr, nullptr);
        pm::test::pumpMessages();
        fillClientColour(c, RECT{0, 0, 100, 100}, RGB(0, 0, 255));
        for (SIZE s : k.sizes)
            SetWindowPos(c, nullptr, 0, 0, s.cx, s.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        EXPECT_EQ(pixel(c, 30, 20), k.topLeft) << k.name;
        EXPECT_EQ(pixel(c, 80, 20), k.topRight) << k.name;
        EXPECT_EQ(pixel(c, 30, 70), k.bottomLeft) << k.name;
        EXPECT_EQ(pixel(c, 80, 70), k.bottomRight) << k.name;
        if (k.sizes.back().cx > 100) {
            EXPECT_EQ(pixel(c, 110, 110), white) << k.name;
        }
        DestroyWindow(c);
    }
}

// A window its children cover shows nothing of its own: it gets no image, or lets go of the one it
// had, and paints again in full once a child that covered it goes.
TEST_F(Painting, AWindowItsChildrenCoverHoldsNoImageAndPaintsAgainWhenUncovered) {
    auto hasImage = [](HWND h) { return !pm::wm::window(h)->surface->image.isNull(); };
    HWND shownFirst = fillChild(top, 10, 10, 150, 100);
    pm::test::pumpMessages();
    ASSERT_TRUE(hasImage(shownFirst));
    HWND hiddenFirst = fillChild(top, 200, 10, 150, 100);
    ShowWindow(hiddenFirst, SW_HIDE);
    std::vector<HWND> covers;
    for (HWND parent : {shownFirst, hiddenFirst}) {
        // Two children that cover it between them.
        covers.push_back(CreateWindowEx(0, recordingClass(), "", WS_CHILD, 0, 0, 150, 60, parent, nullptr,
                                        nullptr, nullptr));
        covers.push_back(CreateWindowEx(0, recordingClass(), "", WS_CHILD, 0, 60, 150, 40, parent, nullptr,
                                        nullptr, nullptr));
    }
    for (HWND c : covers)
        ShowWindow(c, SW_SHOW);
    ShowWindow(hiddenFirst, SW_SHOW);
    pm::test::pumpMessages();
    EXPECT_FALSE(hasImage(shownFirst)) << "its image went once it was covered";
    EXPECT_FALSE(hasImage(hiddenFirst)) << "covered when first shown, it never had one";
    EXPECT_NE(pixel(shownFirst, 75, 30), rgbOf(RGB(200, 0, 0)));
    // A child going uncovers part of each: that part shows the window's own painting.
    ShowWindow(covers[1], SW_HIDE);
    ShowWindow(covers[3], SW_HIDE);
    pm::test::pumpMessages();
    for (HWND parent : {shownFirst, hiddenFirst}) {
        EXPECT_TRUE(hasImage(parent));
        EXPECT_EQ(pixel(parent, 75, 80), rgbOf(RGB(200, 0, 0)));
        EXPECT_NE(pixel(parent, 75, 30), rgbOf(RGB(200, 0, 0))) << "still under a child";
    }
}
