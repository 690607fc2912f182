// Top-level windows under a real window manager: a captioned frame with an edit box, a tool pane
// it owns, a modal dialog (and a prompt over one) and a message box. Input goes in through the X test
// extension; titles, classes, stacking and the active window are read back from the desktop.

#include "platform/win/desktop_tests/support/desktop_session.h"
#include "platform/win/commdlg.h"
#include "platform/win/res/resources.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/wm/desktop_services.h"
#include "platform/win/wm/wm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace desk = pm::test::desktop;

namespace {

std::vector<std::string>& activationLog() {
    static std::vector<std::string> log;
    return log;
}

const char* nameOf(HWND hwnd);

// The rectangle the last WM_MOVING or WM_SIZING proposed, and the edge the last WM_SIZING named.
RECT proposed{};
WPARAM sizedEdge = 0;

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOVING:
    case WM_SIZING:
        proposed = *reinterpret_cast<const RECT*>(lParam);
        if (msg == WM_SIZING) sizedEdge = wParam;
        break;
    case WM_NCACTIVATE:
        activationLog().push_back(std::string(nameOf(hwnd)) + (wParam ? ":NCACTIVATE+" : ":NCACTIVATE-"));
        break;
    case WM_ACTIVATE:
        activationLog().push_back(std::string(nameOf(hwnd)) + (LOWORD(wParam) ? ":ACTIVATE+" : ":ACTIVATE-"));
        break;
    case WM_SETFOCUS:
        activationLog().push_back(std::string(nameOf(hwnd)) + ":SETFOCUS");
        break;
    case WM_KILLFOCUS:
        activationLog().push_back(std::string(nameOf(hwnd)) + ":KILLFOCUS");
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

const char* frameClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc{};
        wc.lpfnWndProc = frameProc;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "DeskFrame";
        RegisterClass(&wc);
        registered = true;
    }
    return "DeskFrame";
}

HWND frame = nullptr, edit = nullptr, pane = nullptr;

const char* nameOf(HWND hwnd) {
    return hwnd == frame ? "frame" : hwnd == pane ? "pane" : "other";
}

constexpr int kDialogId = 300;
constexpr int kDialogEdit = 10;

std::string dialogText;
bool dialogActiveWhenAnswered = false; // on the desktop too
RECT dialogShown{}, ownerShown{};      // where the desktop showed the dialog and its owner then

INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    char text[64] = {};
    GetDlgItemText(dialog, kDialogEdit, text, sizeof text);
    dialogText = text;
    dialogActiveWhenAnswered = desk::active(dialog);
    dialogShown = desk::desktopRect(dialog);
    ownerShown = desk::desktopRect(GetWindow(dialog, GW_OWNER));
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

// A centred modal dialog of the size and caption given, its items still to come.
pm::res::DialogTemplate centredDialog(const char* caption, short cx, short cy) {
    pm::res::DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    return t;
}

void addDialog() {
    pm::res::DialogTemplate t = centredDialog("Question", 160, 60);
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    t.items = {{"EDIT", "", kDialogEdit, 7, 7, 100, 12, kChild | WS_BORDER | ES_AUTOHSCROLL, 0},
               {"BUTTON", "OK", IDOK, 103, 40, 50, 14, kChild | BS_DEFPUSHBUTTON, 0}};
    pm::res::addDialog(kDialogId, t);
}

// A dialog with a button that opens the prompt above (kDialogId) over it, as a list's New does.
constexpr int kListDialogId = 301;
constexpr int kNewButton = 20;

INT_PTR promptResult = 0;

INT_PTR CALLBACK listDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == kNewButton) {
        promptResult = DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), dialog, dialogProc, 0);
        return TRUE;
    }
    if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

void addListDialog() {
    pm::res::DialogTemplate t = centredDialog("List", 220, 120);
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    t.items = {{"BUTTON", "&New", kNewButton, 163, 7, 50, 14, kChild | BS_PUSHBUTTON, 0},
               {"BUTTON", "OK", IDOK, 163, 100, 50, 14, kChild | BS_DEFPUSHBUTTON, 0}};
    pm::res::addDialog(kListDialogId, t);
}

// The move-size messages and activation changes in a recorder's trace, a run of one message once.
std::vector<std::string> moveSizeTrace(const pm::test::MessageRecorder& recorder) {
    std::vector<std::string> runs;
    for (const std::string& m : recorder.trace(
             {WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING, WM_EXITSIZEMOVE, WM_ACTIVATE, WM_NCACTIVATE}))
        if (runs.empty() || runs.back() != m) runs.push_back(m);
    return runs;
}

bool received(const pm::test::MessageRecorder& recorder, UINT message) {
    return !recorder.trace({message}).empty();
}

class DesktopWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
        frame = CreateWindowEx(0, frameClass(), "Desk frame",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                   WS_MAXIMIZEBOX,
                               200, 150, 480, 320, nullptr, nullptr, nullptr, nullptr);
        edit = CreateWindowEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                              300, 24, frame, nullptr, nullptr, nullptr);
        ShowWindow(frame, SW_SHOW);
        SetFocus(edit);
        ASSERT_TRUE(desk::pumpUntil([] { return desk::active(frame); }))
            << "the window manager never activated the frame";
        activationLog().clear();
    }
    void TearDown() override {
        if (pane) DestroyWindow(pane);
        if (frame) DestroyWindow(frame);
        pane = frame = edit = nullptr;
        desk::pumpFor(50);
    }

    static std::string editText() {
        char text[128] = {};
        GetWindowText(edit, text, sizeof text);
        return text;
    }
    static bool typedReachesEdit(const std::vector<std::string>& keys, const std::string& expected) {
        desk::keys(keys);
        return desk::pumpUntil([&] { return editText() == expected; }, 2000);
    }
    // A point of the frame's non-client area with this hit-test code (caption buttons, caption).
    static POINT pointWithHit(LRESULT hit) {
        RECT r = desk::screenRect(frame);
        for (int y = r.top + 2; y < r.top + 30; y += 2)
            for (int x = r.right - 2; x > r.left; x -= 2)
                if (SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) return POINT{x, y};
        return POINT{-1, -1};
    }
};

TEST_F(DesktopWindows, TitleAndClassOnTheDesktopFollowTheWindowText) {
    EXPECT_EQ(desk::property(frame, "WM_CLASS"), "\"win_desktop_test\", \"Win_desktop_test\"");
    EXPECT_EQ(desk::property(frame, "_NET_WM_NAME"), "\"Desk frame\"");
    SetWindowText(frame, "Renamed twice");
    EXPECT_TRUE(desk::pumpUntil([] { return desk::property(frame, "_NET_WM_NAME") == "\"Renamed twice\""; }))
        << desk::property(frame, "_NET_WM_NAME");
    // A frameless managed window: the window manager adds no decoration of its own.
    EXPECT_EQ(desk::property(frame, "_NET_FRAME_EXTENTS"), "0, 0, 0, 0");
}

TEST_F(DesktopWindows, KeysReachTheFocusedChildOfTheActiveWindow) {
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(typedReachesEdit({"a", "b", "shift+c"}, "abC")) << editText();
}

// The window manager runs the move; the window hears of it in Win32's order and stays active.
TEST_F(DesktopWindows, CaptionDragMovesTheWindowThroughTheWindowManager) {
    pm::test::MessageRecorder recorder;
    recorder.watch(frame, "frame");
    RECT before = desk::screenRect(frame);
    POINT grip = pointWithHit(HTCAPTION);
    ASSERT_GE(grip.x, 0);
    desk::drag(grip, POINT{grip.x + 150, grip.y + 90});
    EXPECT_TRUE(desk::pumpUntil([&] { return desk::screenRect(frame).left == before.left + 150; }));
    EXPECT_TRUE(desk::pumpUntil([&] { return received(recorder, WM_EXITSIZEMOVE); }));
    EXPECT_EQ(moveSizeTrace(recorder), (std::vector<std::string>{"frame:WM_ENTERSIZEMOVE", "frame:WM_MOVING",
                                                                 "frame:WM_EXITSIZEMOVE"}));
    RECT after = desk::screenRect(frame);
    EXPECT_TRUE(EqualRect(&proposed, &after)) << "WM_MOVING proposed where the window went";
    EXPECT_EQ(after.left - before.left, 150);
    EXPECT_EQ(after.top - before.top, 90);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    RECT shown = desk::desktopRect(frame);
    EXPECT_TRUE(EqualRect(&shown, &after)) << "the layer follows where the window manager put it";
    // The button went up inside the window manager: the next click is an ordinary one.
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    desk::click(desk::centre(desk::screenRect(edit)));
    EXPECT_TRUE(typedReachesEdit({"z"}, "z")) << editText();
}

// A quick click on the caption our own non-client area draws, made while the program is busy: the
// release is on the X server before the press is handled, so the window manager is not asked to
// move the window (it would wait for a release that has come already, and the window would follow
// the pointer); the pointer moving on afterwards leaves the window where it was.
TEST_F(DesktopWindows, QuickCaptionClickLeavesTheWindowInPlace) {
    pm::test::MessageRecorder recorder;
    recorder.watch(frame, "frame");
    const RECT before = desk::screenRect(frame);
    const POINT grip = pointWithHit(HTCAPTION);
    ASSERT_GE(grip.x, 0);
    desk::xdotool({"mousemove", std::to_string(grip.x), std::to_string(grip.y)});
    desk::xdotoolWhileBusy({"mousedown", "1", "mouseup", "1"});
    EXPECT_TRUE(desk::pumpUntil([&] { return received(recorder, WM_EXITSIZEMOVE); }));
    desk::xdotool({"mousemove", std::to_string(grip.x + 120), std::to_string(grip.y + 80), "sleep", "0.1",
                   "mousemove", std::to_string(grip.x + 150), std::to_string(grip.y + 90), "sleep", "0.1"});
    desk::pumpFor(300);
    const RECT after = desk::screenRect(frame);
    const RECT shown = desk::desktopRect(frame);
    const bool stayed = EqualRect(&after, &before) && EqualRect(&shown, &before);
    // A move the window manager runs after all ends with Escape, for the tests after this one.
    if (!stayed) desk::keys({"Escape"});
    EXPECT_TRUE(stayed) << "the window went to " << shown.left << "," << shown.top << " from " << before.left
                        << "," << before.top;
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) & 0x8000);
    desk::click(desk::centre(desk::screenRect(edit)));
    EXPECT_TRUE(typedReachesEdit({"z"}, "z")) << editText();
}

TEST_F(DesktopWindows, BorderDragSizesTheWindowThroughTheWindowManager) {
    pm::test::MessageRecorder recorder;
    recorder.watch(frame, "frame");
    RECT before = desk::screenRect(frame);
    POINT edge{before.right - 2, (before.top + before.bottom) / 2};
    ASSERT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
    desk::drag(edge, POINT{edge.x + 70, edge.y});
    EXPECT_TRUE(desk::pumpUntil([&] { return desk::screenRect(frame).right == before.right + 70; }));
    EXPECT_TRUE(desk::pumpUntil([&] { return received(recorder, WM_EXITSIZEMOVE); }));
    EXPECT_EQ(moveSizeTrace(recorder), (std::vector<std::string>{"frame:WM_ENTERSIZEMOVE", "frame:WM_SIZING",
                                                                 "frame:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(sizedEdge, static_cast<WPARAM>(WMSZ_RIGHT));
    RECT after = desk::screenRect(frame);
    EXPECT_TRUE(EqualRect(&proposed, &after)) << "the last WM_SIZING proposed the size the window took";
    EXPECT_EQ(after.right - before.right, 70);
    EXPECT_EQ(after.left, before.left);
    RECT client{};
    GetClientRect(frame, &client);
    RECT outer{0, 0, client.right, client.bottom};
    AdjustWindowRect(&outer, GetWindowLong(frame, GWL_STYLE), FALSE);
    EXPECT_EQ(outer.right - outer.left, after.right - after.left) << "the client area follows the new size";
}

// A window in the desktop's own frame: the window manager runs drags of its title bar and border
// alone, and the window hears of them as far as the manager lets it see them.
TEST_F(DesktopWindows, DragsOfTheDesktopsOwnFrameSendTheMoveSizeMessages) {
    HWND framed = CreateWindowEx(0, frameClass(), "Framed", WS_OVERLAPPEDWINDOW, 300, 250, 400, 260, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(framed, SW_SHOW);
    ASSERT_TRUE(desk::pumpUntil([&] { return desk::active(framed); }));
    int left = 0, right = 0, top = 0, bottom = 0;
    ASSERT_TRUE(desk::pumpUntil([&] {
        return std::sscanf(desk::property(framed, "_NET_FRAME_EXTENTS").c_str(), "%d, %d, %d, %d", &left,
                           &right, &top, &bottom) == 4 &&
               top > 0 && bottom > 0;
    })) << "the window manager gave the window no frame";
    pm::test::MessageRecorder recorder;
    recorder.watch(framed, "framed");

    RECT before = desk::screenRect(framed);
    POINT title{before.left + 80, before.top - top / 2};
    desk::drag(title, POINT{title.x + 100, title.y + 60});
    EXPECT_TRUE(desk::pumpUntil([&] { return received(recorder, WM_EXITSIZEMOVE); }));
    RECT moved = desk::screenRect(framed);
    EXPECT_EQ(moved.left - before.left, 100);
    EXPECT_EQ(moved.top - before.top, 60);
    EXPECT_EQ(
        moveSizeTrace(recorder),
        (std::vector<std::string>{"framed:WM_ENTERSIZEMOVE", "framed:WM_MOVING", "framed:WM_EXITSIZEMOVE"}));
    EXPECT_TRUE(EqualRect(&proposed, &moved));

    recorder.clear();
    POINT handle{(moved.left + moved.right) / 2, moved.bottom + bottom / 2};
    desk::drag(handle, POINT{handle.x, handle.y + 50});
    EXPECT_TRUE(desk::pumpUntil([&] { return received(recorder, WM_EXITSIZEMOVE); }));
    RECT sized = desk::screenRect(framed);
    EXPECT_EQ(sized.bottom - moved.bottom, 50);
    EXPECT_EQ(sized.top, moved.top);
    EXPECT_EQ(
        moveSizeTrace(recorder),
        (std::vector<std::string>{"framed:WM_ENTERSIZEMOVE", "framed:WM_SIZING", "framed:WM_EXITSIZEMOVE"}));
    EXPECT_EQ(sizedEdge, static_cast<WPARAM>(WMSZ_BOTTOM));
    EXPECT_TRUE(EqualRect(&proposed, &sized));
    DestroyWindow(framed);
}

// The system menu's Move: no button is down, so the layer's own loop moves the window with the
// pointer until Enter.
TEST_F(DesktopWindows, KeyboardMoveLoopFollowsThePointerUntilEnter) {
    RECT before = desk::screenRect(frame);
    POINT start = desk::centre(before);
    desk::xdotool({"mousemove", std::to_string(start.x), std::to_string(start.y)});
    desk::xdotoolInBackground({"sleep", "0.3", "mousemove", std::to_string(start.x + 30),
                               std::to_string(start.y + 20), "sleep", "0.2", "mousemove",
                               std::to_string(start.x + 60), std::to_string(start.y + 40), "sleep", "0.3",
                               "key", "Return"});
    SendMessage(frame, WM_SYSCOMMAND, SC_MOVE, 0);
    RECT after = desk::screenRect(frame);
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_TRUE(desk::pumpUntil([&] {
        RECT shown = desk::desktopRect(frame);
        return EqualRect(&shown, &after);
    })) << "the window on the screen is where the layer put it";
}

TEST_F(DesktopWindows, MinimiseButtonIconifiesAndActivationRestores) {
    POINT button = pointWithHit(HTMINBUTTON);
    ASSERT_GE(button.x, 0);
    desk::click(button);
    EXPECT_TRUE(desk::pumpUntil([] { return IsIconic(frame) && desk::iconic(frame); }));
    desk::xdotool({"windowactivate", std::to_string(desk::xWindow(frame))});
    EXPECT_TRUE(desk::pumpUntil([] { return !IsIconic(frame) && !desk::iconic(frame); }));
    EXPECT_TRUE(desk::pumpUntil([] { return GetActiveWindow() == frame && desk::active(frame); }));
    SetFocus(edit);
    EXPECT_TRUE(typedReachesEdit({"r"}, "r")) << editText();
}

// A window the desktop restored is shown restored after a hide: it does not come back iconified.
TEST_F(DesktopWindows, AWindowRestoredByTheDesktopShowsRestoredAfterAHide) {
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(desk::pumpUntil([] { return IsIconic(frame) && desk::iconic(frame); }));
    desk::xdotool({"windowactivate", std::to_string(desk::xWindow(frame))});
    EXPECT_TRUE(desk::pumpUntil([] { return !IsIconic(frame) && !desk::iconic(frame); }));
    ShowWindow(frame, SW_HIDE);
    desk::pumpFor(100);
    ShowWindow(frame, SW_SHOW);
    desk::pumpFor(300);
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_FALSE(desk::iconic(frame)) << desk::property(frame, "_NET_WM_STATE");
    EXPECT_EQ(desk::property(frame, "WM_STATE", "32c"), "1, 0") << "the desktop maps it in its normal state";
}

// The pointer's place is the desktop's, also after it left our windows for a place none of our
// windows covers (where none of our input events followed it).
TEST_F(DesktopWindows, TheCursorPositionFollowsThePointerOutOfOurWindows) {
    const POINT inside = desk::centre(desk::screenRect(frame));
    desk::xdotool({"mousemove", std::to_string(inside.x), std::to_string(inside.y)});
    desk::pumpFor(50);
    desk::xdotool({"mousemove", "1100", "900"});
    desk::pumpFor(50);
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 1100);
    EXPECT_EQ(cursor.y, 900);
}

// The desktop services of a real desktop: its window manager places a maximised window, and the
// desktop's dialogs are shown.
TEST_F(DesktopWindows, TheRealDesktopPlacesMaximisedWindowsAndShowsItsDialogs) {
    pm::wm::DesktopServices& services = pm::wm::desktopServices();
    pm::wm::Window* w = pm::wm::window(frame);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(services.placesWindow(w));
    ShowWindow(frame, SW_MAXIMIZE);
    EXPECT_TRUE(desk::pumpUntil([&] { return services.placesWindow(w); }));
    ShowWindow(frame, SW_RESTORE);
    EXPECT_TRUE(desk::pumpUntil([&] { return !services.placesWindow(w); }));
    bool shown = false;
    services.runDialog([&] {
        shown = true;
        return pm::CommonDialogAnswer{};
    });
    EXPECT_TRUE(shown);
}

// A topmost window is kept above the others by the window manager, and is no longer once it is
// made an ordinary window again; it stays shown throughout.
TEST_F(DesktopWindows, ATopmostWindowIsKeptAboveByTheWindowManager) {
    const auto above = [] {
        return desk::property(frame, "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
    };
    EXPECT_FALSE(above());
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(desk::pumpUntil(above)) << desk::property(frame, "_NET_WM_STATE");
    SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(desk::pumpUntil([&] { return !above(); })) << desk::property(frame, "_NET_WM_STATE");
    EXPECT_EQ(desk::property(frame, "WM_STATE", "32c"), "1, 0") << "the window stays mapped";
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
}

// A window in the desktop's frame is resized and maximised by the desktop only with a sizing
// border; the program itself still sizes a fixed one.
TEST_F(DesktopWindows, TheDesktopSizesAFramedWindowOnlyWithASizingBorder) {
    const struct {
        DWORD style;
        bool sizes;
    } cases[] = {
        {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, false},
        {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, true},
        {WS_OVERLAPPEDWINDOW, true},
    };
    for (const auto& c : cases) {
        HWND w = CreateWindowEx(WS_EX_TOOLWINDOW, frameClass(), "Framed", c.style, 300, 200, 200, 120,
                                nullptr, nullptr, nullptr, nullptr);
        ShowWindow(w, SW_SHOW);
        ASSERT_TRUE(desk::pumpUntil([&] { return desk::active(w); }));
        const std::string allowed = desk::property(w, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_EQ(allowed.find("_NET_WM_ACTION_RESIZE") != std::string::npos, c.sizes) << allowed;
        EXPECT_EQ(allowed.find("_NET_WM_ACTION_MAXIMIZE_HORZ") != std::string::npos, c.sizes) << allowed;
        EXPECT_NE(allowed.find("_NET_WM_ACTION_CLOSE"), std::string::npos) << allowed;
        SetWindowPos(w, nullptr, 0, 0, 260, 150, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(desk::pumpUntil([&] {
            const RECT shown = desk::desktopRect(w);
            return shown.right - shown.left == 260 && shown.bottom - shown.top == 150;
        })) << "the program sizes it";
        DestroyWindow(w);
    }
}

TEST_F(DesktopWindows, MaximiseButtonFillsTheScreenAndRestoresTheOldPlace) {
    RECT before = desk::screenRect(frame);
    desk::click(pointWithHit(HTMAXBUTTON));
    EXPECT_TRUE(desk::pumpUntil([] {
        RECT r = desk::screenRect(frame);
        return IsZoomed(frame) && r.right - r.left == GetSystemMetrics(SM_CXSCREEN);
    }));
    EXPECT_NE(desk::property(frame, "_NET_WM_STATE").find("_NET_WM_STATE_MAXIMIZED_VERT"), std::string::npos);
    desk::click(pointWithHit(HTMAXBUTTON));
    EXPECT_TRUE(desk::pumpUntil([&] {
        RECT r = desk::screenRect(frame);
        return !IsZoomed(frame) && EqualRect(&before, &r);
    }));
    RECT after = desk::screenRect(frame);
    EXPECT_TRUE(EqualRect(&before, &after))
        << after.left << "," << after.top << " " << after.right << "," << after.bottom;
    EXPECT_EQ(desk::property(frame, "_NET_WM_STATE").find("MAXIMIZED"), std::string::npos);
}

TEST_F(DesktopWindows, AMaximisedWindowIconifiedByTheWindowManagerComesBackMaximised) {
    const auto fillsTheScreen = [] {
        RECT r = desk::screenRect(frame);
        return IsZoomed(frame) && r.right - r.left == GetSystemMetrics(SM_CXSCREEN);
    };
    desk::click(pointWithHit(HTMAXBUTTON));
    ASSERT_TRUE(desk::pumpUntil(fillsTheScreen));
    desk::xdotool({"windowminimize", std::to_string(desk::xWindow(frame))});
    ASSERT_TRUE(desk::pumpUntil([] { return IsIconic(frame) && desk::iconic(frame); }));
    desk::xdotool({"windowactivate", std::to_string(desk::xWindow(frame))});
    EXPECT_TRUE(desk::pumpUntil([&] { return !IsIconic(frame) && fillsTheScreen(); }));
    EXPECT_NE(desk::property(frame, "_NET_WM_STATE").find("_NET_WM_STATE_MAXIMIZED_VERT"), std::string::npos);
}

// An owned top-level window tells the desktop its owner whatever kind of window it is: once shown,
// shown again (the native window is mapped anew) and made another kind by a style change (the
// native window is made anew).
TEST_F(DesktopWindows, OwnedWindowsOfEitherKindTellTheDesktopTheirOwner) {
    char owner[32];
    std::snprintf(owner, sizeof owner, "0x%lx", desk::xWindow(frame));
    const DWORD ordinary = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const DWORD popup = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    for (DWORD style : {ordinary, popup}) {
        SCOPED_TRACE(style == ordinary ? "ordinary" : "pop-up");
        HWND owned = CreateWindowEx(0, frameClass(), "Owned", style, 700, 150, 200, 120, frame, nullptr,
                                    nullptr, nullptr);
        const auto toldOwner = [&] { return desk::property(owned, "WM_TRANSIENT_FOR") == owner; };
        ShowWindow(owned, SW_SHOWNA);
        EXPECT_TRUE(desk::pumpUntil(toldOwner)) << desk::property(owned, "WM_TRANSIENT_FOR");
        ShowWindow(owned, SW_HIDE);
        desk::pumpFor(100);
        ShowWindow(owned, SW_SHOWNA);
        EXPECT_TRUE(desk::pumpUntil(toldOwner))
            << "shown again: " << desk::property(owned, "WM_TRANSIENT_FOR");
        SetWindowLong(owned, GWL_STYLE,
                      static_cast<LONG>((style == ordinary ? popup : ordinary) | WS_VISIBLE));
        EXPECT_TRUE(desk::pumpUntil(toldOwner))
            << "made another kind: " << desk::property(owned, "WM_TRANSIENT_FOR");
        DestroyWindow(owned);
    }
}

TEST_F(DesktopWindows, OwnedPaneStaysAboveItsOwnerAndClicksMoveTheActivation) {
    pane = CreateWindowEx(WS_EX_TOOLWINDOW, frameClass(), "Pane",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 720, 150, 220, 200, frame,
                          nullptr, nullptr, nullptr);
    ShowWindow(pane, SW_SHOW);
    ASSERT_TRUE(desk::pumpUntil([] { return desk::active(pane); }));
    EXPECT_EQ(GetActiveWindow(), pane);
    char owner[32];
    std::snprintf(owner, sizeof owner, "0x%lx", desk::xWindow(frame));
    EXPECT_EQ(desk::property(pane, "WM_TRANSIENT_FOR"), owner);

    activationLog().clear();
    ASSERT_TRUE(desk::clickUntil(POINT{desk::screenRect(frame).left + 200, desk::screenRect(frame).top + 200},
                                 [] { return GetActiveWindow() == frame && desk::active(frame); }));
    EXPECT_TRUE(desk::stackedAbove(pane, frame)) << "an owned window stays above its owner";
    desk::saveScreenPng("desktop_owned_pane");
    // Win32's order: the old window is deactivated, the new one activated, and its activation
    // moves the focus.
    std::vector<std::string> expected{"pane:NCACTIVATE-", "pane:ACTIVATE-", "frame:NCACTIVATE+",
                                      "frame:ACTIVATE+",  "pane:KILLFOCUS", "frame:SETFOCUS"};
    EXPECT_EQ(activationLog(), expected);

    activationLog().clear();
    ASSERT_TRUE(desk::clickUntil(desk::centre(desk::screenRect(pane)),
                                 [] { return GetActiveWindow() == pane && desk::active(pane); }));
    expected = {"frame:NCACTIVATE-", "frame:ACTIVATE-", "pane:NCACTIVATE+",
                "pane:ACTIVATE+",    "frame:KILLFOCUS", "pane:SETFOCUS"};
    EXPECT_EQ(activationLog(), expected);

    // Activation asked for by the program goes through the window manager too.
    SetActiveWindow(frame);
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    SetFocus(edit);
    EXPECT_TRUE(typedReachesEdit({"p"}, "p")) << editText();
    SetForegroundWindow(pane);
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(pane); }));
}

// Activations asked for in turn, faster than the desktop answers: its reports of each come late,
// and the layer follows them without asking the desktop again (which would answer an old report
// with a new request, and the two windows could hand the activation back and forth without end).
TEST_F(DesktopWindows, ActivationsAskedForInTurnSettle) {
    pane = CreateWindowEx(WS_EX_TOOLWINDOW, frameClass(), "Pane", WS_POPUP | WS_CAPTION | WS_SYSMENU, 720,
                          150, 220, 200, frame, nullptr, nullptr, nullptr);
    ShowWindow(pane, SW_SHOW);
    ASSERT_TRUE(desk::pumpUntil([] { return desk::active(pane); }));
    for (int turn = 0; turn < 3; ++turn) {
        SetActiveWindow(frame);
        SetActiveWindow(pane);
    }
    desk::pumpFor(1000);
    activationLog().clear();
    desk::pumpFor(500);
    EXPECT_TRUE(activationLog().empty()) << "the activation still goes back and forth";
    EXPECT_TRUE(desk::active(GetActiveWindow())) << "the layer and the desktop agree";
}

TEST_F(DesktopWindows, ModalDialogComesUpAboveTakesKeysAndGivesTheFocusBack) {
    addDialog();
    typedReachesEdit({"q"}, "q");
    // A click on the disabled owner first: the activation goes back to the dialog, which gets the keys.
    RECT r = desk::screenRect(frame);
    desk::answerNextModal(frame,
                          {"mousemove", std::to_string(r.left + 20), std::to_string(r.bottom - 20), "click",
                           "1", "sleep", "0.3", "key", "--delay", "30", "o", "k", "Return"},
                          "desktop_modal_dialog");
    INT_PTR result = DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), frame, dialogProc, 0);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialogText, "ok");
    EXPECT_TRUE(dialogActiveWhenAnswered);
    ASSERT_NE(desk::modalSighting().window, nullptr) << "the dialog never had the desktop's activation";
    EXPECT_TRUE(desk::modalSighting().aboveOwner);
    EXPECT_EQ(desk::modalSighting().title, "\"Question\"");
    // Without a click, the owner is active again and its edit box has the keys.
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(typedReachesEdit({"w"}, "qw")) << editText();
}

// A view that paints lines of black text on white.
LRESULT CALLBACK textViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    for (int y = 2; y < client.bottom; y += 16)
        TextOut(dc, 4, y, "Text the view shows", 19);
    EndPaint(hwnd, &ps);
    return 0;
}

HWND createTextView(HWND parent, const RECT& r) {
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc{};
        wc.lpfnWndProc = textViewProc;
        wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
        wc.lpszClassName = "DeskTextView";
        registered = RegisterClass(&wc) != 0;
    }
    return CreateWindowEx(WS_EX_CLIENTEDGE, "DeskTextView", "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, nullptr);
}

// What a look at the screen from inside a modal loop saw.
struct ScreenLook {
    HWND owner = nullptr;
    HWND view = nullptr;
    RECT column{};      // screen area of the view looked at
    RECT dialog{};      // where the dialog was then
    bool plain = false; // the column showed nothing but the view's background
};
ScreenLook look;

// A modal dialog over part of its owner, and the owner's view painted again while it is up: the
// screen beside the dialog keeps showing what the view drew.
TEST_F(DesktopWindows, AModalDialogLeavesTheOwnersViewOnTheScreenBesideIt) {
    addDialog();
    RECT client{};
    GetClientRect(frame, &client);
    HWND view = createTextView(frame, RECT{0, 40, client.right, client.bottom});
    UpdateWindow(view);
    desk::pumpFor(300);
    const RECT shown = desk::screenRect(view);
    look = ScreenLook{frame, view, RECT{shown.left + 2, shown.top + 2, shown.left + 90, shown.bottom - 2}};
    ASSERT_FALSE(desk::screenShowsOnly(look.column, RGB(255, 255, 255))) << "the view shows its text";

    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        InvalidateRect(look.view, nullptr, TRUE);
    });
    // A look at the screen once the dialog is up and the view drawn again, then the answer.
    SetTimer(nullptr, 0, 600, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        GetWindowRect(GetWindow(look.owner, GW_ENABLEDPOPUP), &look.dialog);
        look.plain = desk::screenShowsOnly(look.column, RGB(255, 255, 255));
        desk::saveScreenPng("desktop_view_beside_modal_dialog");
    });
    desk::answerNextModal(frame, {"sleep", "0.9", "key", "Escape"});
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), frame, dialogProc, 0), IDCANCEL);
    ASSERT_NE(desk::modalSighting().window, nullptr) << "the dialog never had the desktop's activation";
    ASSERT_LT(look.column.right, look.dialog.left) << "the column looked at is beside the dialog";
    EXPECT_FALSE(look.plain) << "beside the dialog the view's text is gone from the screen";
    DestroyWindow(view);
}

// A dialog answered from the keyboard, then a click on the owner's menu bar: the menu opens (a
// popup menu window shows) and takes the keys.
TEST_F(DesktopWindows, TheFirstClickOnTheMenuBarAfterAModalDialogOpensTheMenu) {
    addDialog();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 101, "&Open");
    AppendMenu(file, MF_STRING, 102, "&Close");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    SetMenu(frame, bar);
    desk::pumpFor(200);
    desk::answerNextModal(frame, {"key", "Escape"});
    ASSERT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), frame, dialogProc, 0), IDCANCEL);
    ASSERT_NE(desk::modalSighting().window, nullptr) << "the dialog never had the desktop's activation";

    static bool popupShown = false;
    static int ticks = 0;
    popupShown = false;
    ticks = 0;
    // Inside the menu's loop: a look for the popup, then the menu is left with Escape twice (the
    // popup, then the bar). Without a popup the loop is left after three seconds all the same.
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND popup = FindWindow("#32768", nullptr);
        popupShown = popup && IsWindowVisible(popup);
        if (!popupShown && ++ticks < 100) return;
        KillTimer(nullptr, id);
        desk::xdotoolInBackground({"sleep", "0.2", "key", "--delay", "50", "Escape", "Escape"});
    });
    RECT item{};
    ASSERT_TRUE(GetMenuItemRect(frame, bar, 0, &item));
    desk::click(desk::centre(item));
    desk::pumpFor(800);
    EXPECT_TRUE(popupShown) << "the click on the menu bar opened no menu";
    SetMenu(frame, nullptr);
    DestroyMenu(bar);
}

// A prompt opened by a button of a modal dialog, over it: the prompt is the active window, also
// after a click on the frame under both (disabled, as the dialog is): the desktop's activation goes
// back to the prompt, whose edit box has the keys and its OK button the clicks. Once it is gone,
// the dialog is active again with its focus where it was, and takes the clicks.
TEST_F(DesktopWindows, PromptOverAModalDialogTakesKeysAndClicks) {
    addDialog();
    addListDialog();
    HWND list = nullptr, prompt = nullptr, newButton = nullptr, focusAfterPrompt = nullptr;
    bool promptActiveAfterClick = false;
    const RECT r = desk::screenRect(frame);
    desk::giveInputInTurn({
        {[&] { return (list = desk::activeOwnedBy(frame)) != nullptr; },
         [&] {
             newButton = GetDlgItem(list, kNewButton);
             return desk::clickAt(desk::centre(desk::screenRect(newButton)));
         }},
        {[&] { return (prompt = desk::activeOwnedBy(list)) != nullptr; },
         [&] {
             std::vector<std::string> input = desk::clickAt(POINT{r.left + 20, r.bottom - 20});
             for (const char* a : {"sleep", "0.5", "key", "--delay", "30", "o", "k"})
                 input.push_back(a);
             return input;
         }},
        {[&] { return GetWindowTextLength(GetDlgItem(prompt, kDialogEdit)) == 2; },
         [&] {
             promptActiveAfterClick = desk::active(prompt);
             return desk::clickAt(desk::centre(desk::screenRect(GetDlgItem(prompt, IDOK))));
         }},
        {[&] { return !IsWindow(prompt) && desk::activeOwnedBy(frame) == list; },
         [&] {
             focusAfterPrompt = GetFocus();
             return desk::clickAt(desk::centre(desk::screenRect(GetDlgItem(list, IDOK))));
         }},
        {[&] { return !IsWindow(list); },
         [] {
             return std::vector<std::string>{"sleep", "0"};
         }},
    });
    dialogText.clear();
    promptResult = 0;
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kListDialogId), frame, listDialogProc, 0), IDOK);
    EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "steps that waited in vain";
    EXPECT_TRUE(promptActiveAfterClick) << "the desktop's activation went back to the prompt";
    EXPECT_EQ(dialogText, "ok") << "the keys reached the prompt's edit box";
    EXPECT_EQ(promptResult, IDOK) << "the click reached the prompt's OK";
    EXPECT_EQ(focusAfterPrompt, newButton)
        << "the dialog's focus is back on the button that opened the prompt";
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    EXPECT_EQ(GetFocus(), edit);
}

// A window shown maximised with a centred dialog over it at once: the window manager gives the
// window its place and size a moment later, and the dialog is centred over where the window is
// then, not where it was before.
TEST_F(DesktopWindows, DialogOverAWindowJustShownMaximisedIsCentredOverIt) {
    addDialog();
    HWND big = CreateWindowEx(0, frameClass(), "Big", WS_OVERLAPPEDWINDOW, 60, 80, 420, 300, nullptr, nullptr,
                              nullptr, nullptr);
    ShowWindow(big, SW_SHOWMAXIMIZED);
    // The picture once both are drawn, then the answer.
    SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        desk::saveScreenPng("desktop_dialog_over_maximised");
    });
    desk::answerNextModal(big, {"sleep", "0.6", "key", "Escape"});
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kDialogId), big, dialogProc, 0), IDCANCEL);
    ASSERT_NE(desk::modalSighting().window, nullptr) << "the dialog never had the desktop's activation";
    EXPECT_EQ(ownerShown.right - ownerShown.left, GetSystemMetrics(SM_CXSCREEN)) << "the owner is maximised";
    const POINT dialogCentre = desk::centre(dialogShown), ownerCentre = desk::centre(ownerShown);
    EXPECT_LE(std::abs(dialogCentre.x - ownerCentre.x), 2) << dialogCentre.x << " over " << ownerCentre.x;
    EXPECT_LE(std::abs(dialogCentre.y - ownerCentre.y), 2) << dialogCentre.y << " over " << ownerCentre.y;
    RECT owner = desk::screenRect(big);
    EXPECT_TRUE(EqualRect(&owner, &ownerShown)) << "the layer has the owner where the desktop shows it";
    DestroyWindow(big);
}

TEST_F(DesktopWindows, MessageBoxAnswersItsKeysAndGivesTheFocusBack) {
    desk::answerNextModal(frame, {"key", "--delay", "30", "Tab", "Return"}, "desktop_message_box");
    int answer = MessageBox(frame, "Keep the changes?", "Desk frame", MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    ASSERT_NE(desk::modalSighting().window, nullptr) << "the message box never had the desktop's activation";
    EXPECT_TRUE(desk::modalSighting().aboveOwner);
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(typedReachesEdit({"m"}, "m")) << editText();
}

// A message box over a window that is always on top comes up above it and answers the mouse:
// a click on its Cancel button ends it.
TEST_F(DesktopWindows, MessageBoxOverATopmostWindowTakesTheMouse) {
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(desk::pumpUntil([] {
        return desk::property(frame, "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
    }));
    HWND box = nullptr;
    bool aboveOwner = false;
    desk::giveInputInTurn({
        {[&] { return (box = desk::activeOwnedBy(frame)) != nullptr; },
         [&] {
             aboveOwner = desk::stackedAbove(box, frame);
             return desk::clickAt(desk::centre(desk::screenRect(GetDlgItem(box, IDCANCEL))));
         }},
        // Ended by the click; were it not, Escape would end it after a while and fail the test.
        {[&] { return !IsWindow(box); },
         [] {
             return std::vector<std::string>{"sleep", "0"};
         }},
    });
    EXPECT_EQ(
        MessageBox(frame, "Exit the program?", "Desk frame", MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1),
        IDCANCEL);
    EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "steps that waited in vain";
    EXPECT_TRUE(aboveOwner) << "the box is stacked above its topmost owner";
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
}

// Runs the desktop's Open dialog over the frame while a script waits for another window to be
// active (its id in $a) and then runs `then` (which must end the dialog); the dialog's answer.
BOOL openFileOverFrameWhile(const std::string& then) {
    std::string frameId = std::to_string(desk::xWindow(frame));
    desk::shellInBackground("for i in $(seq 1 100); do a=$(xdotool getactivewindow 2>/dev/null); "
                            "[ -n \"$a\" ] && [ \"$a\" != " +
                            frameId + " ] && break; sleep 0.1; done; " + then);
    char file[260] = {};
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = frame;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Open a file";
    const desk::FileDialogBackstop backstop(30);
    return GetOpenFileName(&ofn);
}

TEST_F(DesktopWindows, DesktopFileDialogStandsOverItsOwnerAndGivesTheFocusBack) {
    ASSERT_TRUE(typedReachesEdit({"c"}, "c"));
    // The desktop's dialog runs its own loop: a script waits for it to be active, notes what it
    // stands over and closes it with Escape.
    std::string noted = pm::test::outputFolder() + "/desktop_file_dialog.txt";
    std::remove(noted.c_str());
    EXPECT_FALSE(
        openFileOverFrameWhile("xprop -id \"$a\" WM_TRANSIENT_FOR > " + noted + "; xdotool key Escape"));
    std::stringstream transientFor;
    transientFor << std::ifstream(noted).rdbuf();
    char frameHex[32];
    std::snprintf(frameHex, sizeof frameHex, "0x%lx", desk::xWindow(frame));
    EXPECT_NE(transientFor.str().find(frameHex), std::string::npos) << transientFor.str();
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(typedReachesEdit({"d"}, "cd")) << editText();
}

// A key released while the desktop's own dialog has the keyboard is released for the window that
// gets the activation back: Ctrl held when the dialog opened no longer turns letters into commands.
TEST_F(DesktopWindows, AKeyReleasedInTheDesktopsDialogIsUpWhenTheOwnerIsActiveAgain) {
    desk::xdotool({"keydown", "ctrl"});
    ASSERT_TRUE(desk::pumpUntil([] { return GetKeyState(VK_CONTROL) < 0; })) << "Ctrl never went down";
    EXPECT_FALSE(openFileOverFrameWhile("xdotool keyup ctrl; xdotool key Escape"));
    ASSERT_TRUE(desk::pumpUntil([] { return desk::active(frame); }));
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_TRUE(typedReachesEdit({"e"}, "e")) << editText();
}

} // namespace

TEST_F(DesktopWindows, ADragOutlineLeavesTheScreenAroundItAndGoesWithoutATrace) {
    desk::pumpFor(200);
    const RECT r = desk::screenRect(frame);
    const POINT inside{r.left + 300, r.top + 200};
    const COLORREF face = desk::screenPixel(inside);
    const RECT outline{r.left + 20, r.top + 80, r.left + 200, r.top + 160};
    auto draw = [&] {
        HDC dc = GetWindowDC(nullptr);
        DrawFocusRect(dc, &outline);
        ReleaseDC(nullptr, dc);
        desk::pumpFor(150);
    };
    // The outline inverts the screen under it; its dots alternate, so of two neighbours on its
    // edge one is drawn.
    const COLORREF inverted = face ^ 0xFFFFFF;
    auto outlineShows = [&] {
        return desk::screenPixel({outline.left, outline.top + 40}) == inverted ||
               desk::screenPixel({outline.left, outline.top + 41}) == inverted;
    };
    draw();
    EXPECT_TRUE(outlineShows());
    EXPECT_EQ(desk::screenPixel(inside), face) << "around the outline the screen shows as it was";
    draw();
    EXPECT_FALSE(outlineShows()) << "drawn twice, the outline is gone";
    EXPECT_EQ(desk::screenPixel(inside), face);
}
