// Opening a popup of 30 items whose images come from a tool bar, from the menu key the menu bar
// takes to the last item painted, against the same opening of a popup of 30 plain owner-drawn
// items, measured in the same run. The target is under 30 ms per opening.

#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKCoolToolBar.h"
#include "docking/CDKMenuBar.h"
#include "platform/framework/afxwin.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int kItems = 30;
const int kRuns = 21;
int g_drawn = 0;
std::chrono::steady_clock::time_point g_lastDraw;

class CBenchFrame : public CFrameWnd {
public:
    CDKMenuBar m_wndMenuBar;
    CDKCoolToolBar m_wndTools;

protected:
    void lastDrawn() {
        if (++g_drawn != kItems) return;
        g_lastDraw = std::chrono::steady_clock::now();
        ::EndMenu();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The baseline's items: a plain box each, filled.
        auto* draw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (message == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
            measure->itemWidth = 160;
            measure->itemHeight = 20;
            return TRUE;
        }
        if (message == WM_DRAWITEM && !draw->itemData) {
            ::FillRect(draw->hDC, &draw->rcItem, ::GetSysColorBrush(COLOR_MENU));
            lastDrawn();
            return TRUE;
        }
        LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (message == WM_DRAWITEM) lastDrawn();
        return result;
    }
};

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("DockingMenusBench") {}
};

HBITMAP images(int count) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16 * count, 15);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

// A menu bar menu of one popup of 30 items, plain owner-drawn ones or texts with shortcuts.
HMENU barMenu(const char* title, const std::vector<UINT>& ids, bool ownerDrawn) {
    HMENU bar = ::CreateMenu(), popup = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), "Command %d\tCtrl+%d", i, i);
        ::AppendMenu(popup, ownerDrawn ? MF_OWNERDRAW : MF_STRING, ids[static_cast<size_t>(i)],
                     ownerDrawn ? nullptr : text);
    }
    ::AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    return bar;
}

// The median milliseconds per opening, from the menu key (the bar's mnemonic) to the last item
// painted; the popup is ended then.
double openingMs(CDKMenuBar& menuBar, char key) {
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        g_drawn = 0;
        auto start = std::chrono::steady_clock::now();
        menuBar.HandleMenuKey(static_cast<UINT>(key));
        runs.push_back(std::chrono::duration<double, std::milli>(g_lastDraw - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CBenchApp app;
    app.InitApplication();
    pm::afx::registerStandardClasses();
    auto* frame = new CBenchFrame;
    frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400));
    app.m_pMainWnd = frame;
    std::vector<UINT> ids;
    for (int i = 0; i < kItems; ++i)
        ids.push_back(0x9000 + static_cast<UINT>(i));
    frame->m_wndMenuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    frame->m_wndTools.Create(frame);
    frame->m_wndTools.SetButtons(ids.data(), kItems);
    frame->m_wndTools.SetBitmap(images(kItems));
    HMENU plain = barMenu("&Plain", ids, true), bitmap = barMenu("&Bitmap", ids, false);
    frame->m_wndMenuBar.SetMenu(plain);
    frame->RecalcLayout();
    double plainMs = openingMs(frame->m_wndMenuBar, 'P');
    CDKBitmapMenuManager organiser;
    organiser.AttachFrameWnd(frame);
    organiser.SetMenuImagesFromToolBars();
    frame->m_wndMenuBar.SetMenu(bitmap);
    double bitmapMs = openingMs(frame->m_wndMenuBar, 'B');
    std::printf("bitmap popup of %d items, from the key to the last item painted: %.2f ms per opening "
                "(target < 30 ms); "
                "plain owner-drawn popup %.2f ms; ratio %.2f\n",
                kItems, bitmapMs, plainMs, plainMs > 0 ? bitmapMs / plainMs : 0.0);
    organiser.DetachFrameWnd();
    frame->m_wndMenuBar.SetMenu(nullptr);
    frame->DestroyWindow();
    ::DestroyMenu(plain);
    ::DestroyMenu(bitmap);
    return 0;
}
