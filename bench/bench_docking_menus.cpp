// Opening a popup of 30 items whose images come from a tool bar, from the call that opens it to the
// last item painted, against the same popup with plain items, measured in the same run. The target
// is under 30 ms per opening.

#include "docking/CDKBitmapMenuManager.h"
#include "docking/CDKCoolToolBar.h"
#include "platform/framework/afxwin.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int kItems = 30;
const int kRuns = 20;
int g_drawn = 0;
std::chrono::steady_clock::time_point g_lastDraw;

class CBenchFrame : public CFrameWnd {
public:
    CDKCoolToolBar m_wndTools;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The baseline's items: a plain box each, filled.
        if (message == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
            measure->itemWidth = 160;
            measure->itemHeight = 20;
            return TRUE;
        }
        if (message == WM_DRAWITEM && !reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->itemData) {
            auto* draw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
            ::FillRect(draw->hDC, &draw->rcItem, ::GetSysColorBrush(COLOR_MENU));
            if (++g_drawn == kItems) {
                g_lastDraw = std::chrono::steady_clock::now();
                ::EndMenu();
            }
            return TRUE;
        }
        LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (message == WM_DRAWITEM && ++g_drawn == kItems) {
            g_lastDraw = std::chrono::steady_clock::now();
            ::EndMenu();
        }
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

// Milliseconds per opening, from TrackPopupMenu to the last item painted (the popup is ended then).
double openingMs(HMENU popup, HWND owner) {
    double total = 0;
    for (int run = 0; run < kRuns; ++run) {
        g_drawn = 0;
        auto start = std::chrono::steady_clock::now();
        ::TrackPopupMenu(popup, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
        total += std::chrono::duration<double, std::milli>(g_lastDraw - start).count();
    }
    return total / kRuns;
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
    for (int i = 0; i < kItems; ++i) ids.push_back(0x9000 + static_cast<UINT>(i));
    frame->m_wndTools.Create(frame);
    frame->m_wndTools.SetButtons(ids.data(), kItems);
    frame->m_wndTools.SetBitmap(images(kItems));
    frame->RecalcLayout();
    HMENU plain = ::CreatePopupMenu(), bitmap = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), "Command %d\tCtrl+%d", i, i);
        ::AppendMenu(plain, MF_OWNERDRAW, ids[static_cast<size_t>(i)], nullptr);
        ::AppendMenu(bitmap, MF_STRING, ids[static_cast<size_t>(i)], text);
    }
    double plainMs = openingMs(plain, frame->m_hWnd);
    CDKBitmapMenuManager organiser;
    organiser.AttachFrameWnd(frame);
    organiser.SetMenuImagesFromToolBars();
    double bitmapMs = openingMs(bitmap, frame->m_hWnd);
    std::printf("bitmap popup of %d items: %.2f ms per opening (target < 30 ms); plain owner-drawn popup %.2f ms; ratio %.2f\n",
                kItems, bitmapMs, plainMs, plainMs > 0 ? bitmapMs / plainMs : 0.0);
    organiser.DetachFrameWnd();
    frame->DestroyWindow();
    ::DestroyMenu(plain);
    ::DestroyMenu(bitmap);
    return 0;
}
