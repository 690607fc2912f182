// Non-client areas: sizes, hit testing, a window's own WM_NCCALCSIZE, moving and sizing with the
// mouse, system commands.

#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/wm.h"

#include <gtest/gtest.h>

using pm::test::MessageRecorder;
using pm::test::recordingClass;
using Trace = std::vector<std::string>;

namespace {

constexpr RECT kInsets{7, 11, 5, 3}; // left, top, right, bottom of the custom frame

LRESULT CALLBACK customFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCALCSIZE) {
        RECT* r =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        r->left += kInsets.left;
        r->top += kInsets.top;
        r->right -= kInsets.right;
        r->bottom -= kInsets.bottom;
        return 0;
    }
    if (msg == WM_NCHITTEST) { // the band above the client is a caption
        LRESULT hit = DefWindowProc(hwnd, msg, wParam, lParam);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd, &p);
        return hit == HTBORDER && p.y < 0 ? HTCAPTION : hit;
    }
    return MessageRecorder::recordingProc(hwnd, msg, wParam, lParam);
}

class NonClient : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateWindowEx(0, recordingClass(), "top", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                             nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(top);
        pm::test::pumpMessages();
    }
    HWND framedChild(DWORD style, int x = 50, int y = 40) {
        return CreateWindowEx(0, recordingClass(), "framed", WS_CHILD | WS_VISIBLE | style, x, y, 200, 150,
                              top, nullptr, nullptr, nullptr);
    }
    static RECT screenRect(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return r;
    }
    HWND top = nullptr;
};

} // namespace

TEST_F(NonClient, ClientRectanglesFollowTheStyles) {
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        RECT insets;
    } cases[] = {
        {"none", 0, 0, {0, 0, 0, 0}},
        {"border", WS_BORDER, 0, {1, 1, 1, 1}},
        {"dialog frame", WS_DLGFRAME, 0, {3, 3, 3, 3}},
        {"thick frame", WS_THICKFRAME, 0, {4, 4, 4, 4}},
        {"caption", WS_CAPTION, 0, {3, 3 + GetSystemMetrics(SM_CYCAPTION), 3, 3}},
        {"small caption",
         WS_CAPTION | WS_THICKFRAME,
         WS_EX_TOOLWINDOW,
         {4, 4 + GetSystemMetrics(SM_CYSMCAPTION), 4, 4}},
        {"client edge", 0, WS_EX_CLIENTEDGE, {2, 2, 2, 2}},
        {"static edge", 0, WS_EX_STATICEDGE, {1, 1, 1, 1}},
        {"scroll bars",
         WS_VSCROLL | WS_HSCROLL,
         0,
         {0, 0, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}},
    };
    for (const Case& c : cases) {
        HWND h = CreateWindowEx(c.exStyle, recordingClass(), "", WS_CHILD | c.style, 0, 0, 100, 80, top,
                                nullptr, nullptr, nullptr);
        RECT client;
        GetClientRect(h, &client);
        POINT origin{0, 0};
        MapWindowPoints(h, top, &origin, 1);
        EXPECT_EQ(origin.x, c.insets.left) << c.name;
        EXPECT_EQ(origin.y, c.insets.top) << c.name;
        EXPECT_EQ(client.right, 100 - c.insets.left - c.insets.right) << c.name;
        EXPECT_EQ(client.bottom, 80 - c.insets.top - c.insets.bottom) << c.name;
        RECT adjusted{0, 0, client.right, client.bottom};
        AdjustWindowRectEx(&adjusted, WS_CHILD | c.style, FALSE, c.exStyle);
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            EXPECT_EQ(adjusted.right - adjusted.left, 100) << c.name;
            EXPECT_EQ(adjusted.bottom - adjusted.top, 80) << c.name;
        }
        DestroyWindow(h);
    }
}

TEST_F(NonClient, ThickFrameChildWithItsOwnNcCalcSizeGetsTheClientItAskedFor) {
    WNDCLASS wc{};
    wc.lpfnWndProc = customFrameProc;
    wc.lpszClassName = "CustomFrame";
    RegisterClass(&wc);
    HWND h = CreateWindowEx(0, "CustomFrame", "", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, 30, 20, 200, 100,
                            top, nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 200 - kInsets.left - kInsets.right);
    EXPECT_EQ(client.bottom, 100 - kInsets.top - kInsets.bottom);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.x, 30 + kInsets.left);
    EXPECT_EQ(origin.y, 20 + kInsets.top);
    SetWindowPos(h, nullptr, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 300 - kInsets.left - kInsets.right);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(30 + 1, 20 + 50)), HTLEFT);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(30 + 150, 20 + 50)), HTCLIENT);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(30 + 299, 20 + 119)), HTBOTTOMRIGHT);
    DestroyWindow(h);
}

TEST_F(NonClient, HitTestingOfACaptionedWindow) {
    HWND h = framedChild(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    RECT r = screenRect(h);
    auto hit = [&](int x, int y) {
        return SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    int captionY = 4 + GetSystemMetrics(SM_CYCAPTION) / 2;
    EXPECT_EQ(hit(100, captionY), HTCAPTION);
    EXPECT_EQ(hit(200 - 4 - 8, captionY), HTCLOSE);
    EXPECT_EQ(hit(100, 1), HTTOP);
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(198, 75), HTRIGHT);
    EXPECT_EQ(hit(100, 148), HTBOTTOM);
    EXPECT_EQ(hit(100, 80), HTCLIENT);
    EXPECT_EQ(hit(300, 80), HTNOWHERE);
    DestroyWindow(h);
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindow) {
    HWND h = framedChild(WS_CAPTION | WS_THICKFRAME);
    MessageRecorder rec;
    rec.name(h, "h");
    RECT before = screenRect(h);
    POINT grab{before.left + 60, before.top + 4 + 8};
    pm::test::dragScreen(h, grab, POINT{grab.x + 40, grab.y + 30});
    pm::test::pumpMessages();
    RECT after = screenRect(h);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
    EXPECT_EQ(after.right - after.left, 200);
    Trace t = rec.trace({WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE});
    EXPECT_EQ(t, (Trace{"h:WM_NCLBUTTONDOWN", "h:WM_ENTERSIZEMOVE", "h:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClient, DraggingTheRightBorderSizesTheWindow) {
    HWND h = framedChild(WS_CAPTION | WS_THICKFRAME);
    RECT before = screenRect(h);
    POINT grab{before.right - 2, before.top + 75};
    pm::test::dragScreen(h, grab, POINT{grab.x + 35, grab.y + 20});
    pm::test::pumpMessages();
    RECT after = screenRect(h);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, 235);
    EXPECT_EQ(after.bottom - after.top, 150);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 235 - 8);
}

TEST_F(NonClient, SystemCommandsMaximiseRestoreAndClose) {
    HWND h = framedChild(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX);
    SendMessage(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(h));
    RECT client, parent;
    GetClientRect(h, &client);
    GetClientRect(top, &parent);
    EXPECT_EQ(client.right, parent.right);
    SendMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(h));
    RECT r = screenRect(h);
    EXPECT_EQ(r.right - r.left, 200);
    SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(NonClient, OverlappedWindowsHaveTheDesktopsFrameAndOurMenuBar) {
    HWND main = CreateWindowEx(0, recordingClass(), "main", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 400) << "the desktop draws caption and borders outside our window";
    EXPECT_EQ(client.bottom, 300);
    SetWindowLongPtr(main, GWL_ID, 1234); // a menu handle, as SetMenu stores it
    SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(main, &client);
    EXPECT_EQ(client.bottom, 300 - GetSystemMetrics(SM_CYMENU));
    RECT w;
    GetWindowRect(main, &w);
    EXPECT_EQ(SendMessage(main, WM_NCHITTEST, 0, MAKELPARAM(w.left + 20, w.top + 5)), HTMENU);
    DestroyWindow(main);
}

TEST_F(NonClient, ACustomFrameIsDraggedByItsCaptionAndSizedByItsBorder) {
    WNDCLASS wc{};
    wc.lpfnWndProc = customFrameProc;
    wc.lpszClassName = "CustomFrameDrag";
    RegisterClass(&wc);
    HWND h = CreateWindowEx(0, "CustomFrameDrag", "", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, 30, 20, 200, 100,
                            top, nullptr, nullptr, nullptr);
    RECT r = screenRect(h);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(r.left + 100, r.top + 6)), HTCAPTION);
    pm::test::dragScreen(h, POINT{r.left + 100, r.top + 6}, POINT{r.left + 125, r.top + 21});
    pm::test::pumpMessages();
    RECT moved = screenRect(h);
    EXPECT_EQ(moved.left - r.left, 25);
    EXPECT_EQ(moved.top - r.top, 15);
    pm::test::dragScreen(h, POINT{moved.right - 2, moved.top + 50}, POINT{moved.right + 38, moved.top + 50});
    pm::test::pumpMessages();
    RECT sized = screenRect(h);
    EXPECT_EQ(sized.right - sized.left, 240);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 240 - kInsets.left - kInsets.right);
    DestroyWindow(h);
}

namespace {

// Keeps sizes at least 150 pixels wide, as a WM_SIZING handler may, and notes the edges named.
std::vector<WPARAM> g_sizedEdges;
LRESULT CALLBACK narrowLimitProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZING) {
        g_sizedEdges.push_back(wParam);
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (r->right - r->left < 150) r->right = r->left + 150;
    }
    return MessageRecorder::recordingProc(hwnd, msg, wParam, lParam);
}

} // namespace

// The places a window manager gives a window while it holds it for a move or size: the first one
// announces the move, each goes through WM_MOVING or WM_SIZING (naming the edges that moved, the
// handler's changes kept), and the grab's end closes it.
TEST_F(NonClient, PlacesTheWindowManagerGivesDuringItsGrabGoThroughTheMoveSizeMessages) {
    WNDCLASS wc{};
    wc.lpfnWndProc = narrowLimitProc;
    wc.lpszClassName = "NarrowLimit";
    RegisterClass(&wc);
    HWND h = CreateWindowEx(0, "NarrowLimit", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    MessageRecorder rec;
    rec.name(h, "h");
    pm::wm::Window* w = pm::wm::window(h);
    pm::wm::desktopMoveSizeStarted(w, false, 0);
    EXPECT_TRUE(rec.trace({WM_ENTERSIZEMOVE}).empty()) << "a grab alone announces nothing";
    struct Step {
        const char* name;
        RECT proposed, taken;
        UINT message;
        WPARAM edge;
    } steps[] = {
        {"moved", {110, 120, 310, 220}, {110, 120, 310, 220}, WM_MOVING, 0},
        {"left edge", {90, 120, 310, 220}, {90, 120, 310, 220}, WM_SIZING, WMSZ_LEFT},
        {"bottom-right corner", {90, 120, 330, 240}, {90, 120, 330, 240}, WM_SIZING, WMSZ_BOTTOMRIGHT},
        {"top edge", {90, 100, 330, 240}, {90, 100, 330, 240}, WM_SIZING, WMSZ_TOP},
        {"kept wide by the handler", {90, 100, 200, 240}, {90, 100, 240, 240}, WM_SIZING, WMSZ_RIGHT},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& k = steps[i];
        SCOPED_TRACE(k.name);
        g_sizedEdges.clear();
        pm::wm::followDesktopGeometry(w, k.proposed);
        Trace t = rec.trace({WM_MOVING, WM_SIZING});
        EXPECT_EQ(t.size(), i + 1);
        EXPECT_EQ(t.back(), std::string("h:") + pm::test::messageName(k.message));
        if (k.message == WM_SIZING) {
            EXPECT_EQ(g_sizedEdges, std::vector<WPARAM>{k.edge});
        }
        RECT now = screenRect(h);
        EXPECT_TRUE(EqualRect(&now, &k.taken))
            << now.left << "," << now.top << " " << now.right << "," << now.bottom;
    }
    EXPECT_EQ(rec.trace({WM_ENTERSIZEMOVE, WM_MOVING}).front(), "h:WM_ENTERSIZEMOVE");
    pm::wm::desktopMoveSizeEnded(w);
    pm::wm::followDesktopGeometry(w, RECT{0, 0, 200, 100}); // after the grab: placed, nothing sent
    EXPECT_EQ(rec.trace({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}),
              (Trace{"h:WM_ENTERSIZEMOVE", "h:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(rec.trace({WM_MOVING, WM_SIZING}).size(), std::size(steps));
    RECT placed = screenRect(h);
    EXPECT_EQ(placed.left, 0);
    DestroyWindow(h);
}
