// Pictures of the common controls in typical states, written to the test output folder for a look.
#include "platform/win/commctrl.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

HWND control(HWND parent, const char* cls, DWORD style, int x, int y, int cx, int cy, const char* text = "") {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, nullptr, nullptr,
                          nullptr);
}

// A bordered popup in the face colour, for one picture of the gallery.
HWND galleryFrame(int cx, int cy) {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "CcGallery";
        return RegisterClass(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowEx(0, "CcGallery", "Gallery", WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50, cx, cy,
                          nullptr, nullptr, nullptr, nullptr);
}

// A masked list of 16 x 16 images, one per colour: rectangles at even indexes, circles at odd ones.
HIMAGELIST shapeImages(std::initializer_list<COLORREF> colours) {
    const int n = static_cast<int>(colours.size());
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, n, n);
    HBITMAP bm = CreateBitmap(16 * n, 16, 1, 32, nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bm);
    RECT all{0, 0, 16 * n, 16};
    FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
    int i = 0;
    for (COLORREF colour : colours) {
        HBRUSH b = CreateSolidBrush(colour);
        HGDIOBJ oldBrush = SelectObject(mem, b);
        if (i % 2)
            Ellipse(mem, i * 16 + 2, 2, i * 16 + 14, 14);
        else
            Rectangle(mem, i * 16 + 2, 3, i * 16 + 14, 13);
        SelectObject(mem, oldBrush);
        DeleteObject(b);
        ++i;
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ImageList_AddMasked(il, bm, GetSysColor(COLOR_BTNFACE));
    DeleteObject(bm);
    return il;
}

TEST(Gallery, BarsAndSliders) {
    InitCommonControls();
    HWND frame = galleryFrame(420, 220);

    HWND sb = control(frame, STATUSCLASSNAME, SBARS_SIZEGRIP, 0, 0, 0, 0);
    int rights[3] = {200, 300, -1};
    SendMessage(sb, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights));
    SendMessage(sb, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessage(sb, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("\tLn 12, Col 4"));
    SendMessage(sb, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("\t\tNUM"));

    HWND pb = control(frame, PROGRESS_CLASS, 0, 10, 10, 250, 18);
    SendMessage(pb, PBM_SETPOS, 60, 0);
    HWND smooth = control(frame, PROGRESS_CLASS, PBS_SMOOTH, 10, 34, 250, 18);
    SendMessage(smooth, PBM_SETPOS, 35, 0);

    HWND tb = control(frame, TRACKBAR_CLASS, TBS_AUTOTICKS, 10, 60, 250, 36);
    SendMessage(tb, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    SendMessage(tb, TBM_SETPOS, TRUE, 4);
    HWND both =
        control(frame, TRACKBAR_CLASS, TBS_AUTOTICKS | TBS_BOTH | TBS_ENABLESELRANGE, 10, 100, 250, 44);
    SendMessage(both, TBM_SETRANGE, FALSE, MAKELPARAM(0, 20));
    SendMessage(both, TBM_SETTICFREQ, 5, 0);
    SendMessage(both, TBM_SETSEL, TRUE, MAKELPARAM(5, 12));
    SendMessage(both, TBM_SETPOS, TRUE, 12);
    HWND vert = control(frame, TRACKBAR_CLASS, TBS_VERT | TBS_AUTOTICKS, 280, 10, 36, 150);
    SendMessage(vert, TBM_SETRANGE, FALSE, MAKELPARAM(0, 8));
    SendMessage(vert, TBM_SETPOS, TRUE, 2);

    HWND header = control(frame, WC_HEADER, HDS_BUTTONS, 10, 160, 260, 20);
    const char* columns[] = {"Name", "Size", "Modified"};
    const int formats[] = {HDF_LEFT | HDF_SORTUP, HDF_RIGHT, HDF_LEFT};
    for (int i = 0; i < 3; ++i) {
        HDITEM item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<LPSTR>(columns[i]);
        item.cxy = 80;
        item.fmt = formats[i] | HDF_STRING;
        SendMessage(header, HDM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    control(frame, "STATIC", WS_BORDER, 330, 20, 70, 20);
    control(frame, UPDOWN_CLASS, UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 16, 20);
    HWND horz = control(frame, UPDOWN_CLASS, UDS_HORZ, 330, 60, 32, 16);
    SendMessage(horz, UDM_SETRANGE, 0, MAKELPARAM(10, 0));

    HIMAGELIST il = shapeImages({RGB(192, 0, 0), RGB(0, 0, 192)});

    pm::test::pumpMessages();
    HDC dc = GetDC(frame);
    ImageList_Draw(il, 0, dc, 330, 100, ILD_TRANSPARENT);
    ImageList_Draw(il, 1, dc, 350, 100, ILD_TRANSPARENT);
    ImageList_Draw(il, 0, dc, 370, 100, ILD_SELECTED);
    ImageList_Draw(il, 1, dc, 390, 100, ILD_FOCUS);
    ReleaseDC(frame, dc);
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_bars.png"));
    ImageList_Destroy(il);
    DestroyWindow(frame);
}

void addTabs(HWND tab, int n, int image = -1) {
    const char* names[] = {"General", "Colours", "Fonts", "Keyboard", "Macros", "Printing", "Files", "Help"};
    for (int i = 0; i < n; ++i) {
        TCITEM item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<LPSTR>(names[i % 8]);
        item.iImage = image < 0 ? -1 : (image + i) % 2;
        SendMessage(tab, TCM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

TEST(Gallery, Tabs) {
    InitCommonControls();
    HWND frame = galleryFrame(560, 330);
    HIMAGELIST il = shapeImages({RGB(0, 128, 0), RGB(0, 128, 0)});

    HWND top = control(frame, WC_TABCONTROL, 0, 10, 10, 260, 140);
    SendMessage(top, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(il));
    addTabs(top, 3, 0);
    SendMessage(top, TCM_SETCURSEL, 1, 0);
    HWND multi = control(frame, WC_TABCONTROL, TCS_MULTILINE | TCS_BOTTOM, 280, 10, 260, 170);
    addTabs(multi, 8);
    SendMessage(multi, TCM_SETCURSEL, 2, 0);
    HWND buttons = control(frame, WC_TABCONTROL, TCS_BUTTONS, 10, 170, 260, 40);
    addTabs(buttons, 3);
    HWND flat = control(frame, WC_TABCONTROL, TCS_BUTTONS | TCS_FLATBUTTONS, 10, 220, 260, 40);
    addTabs(flat, 3);
    SendMessage(flat, TCM_SETCURSEL, 2, 0);
    HWND multiTop = control(frame, WC_TABCONTROL, TCS_MULTILINE, 280, 190, 260, 120);
    addTabs(multiTop, 6);
    SendMessage(multiTop, TCM_SETCURSEL, 0, 0);

    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_tabs.png"));
    DestroyWindow(frame);
    ImageList_Destroy(il);
}

TEST(Gallery, Toolbar) {
    InitCommonControls();
    HWND frame = galleryFrame(320, 90);
    HIMAGELIST il = shapeImages({RGB(192, 0, 0), RGB(0, 128, 0), RGB(0, 0, 192), RGB(128, 0, 128)});

    HWND tb = control(frame, TOOLBARCLASSNAME, TBSTYLE_FLAT, 0, 0, 0, 0);
    SendMessage(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessage(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(il));
    TBBUTTON buttons[7] = {};
    const int images[] = {0, 1, -1, 2, 3, -1, 0};
    const BYTE styles[] = {BTNS_BUTTON,        BTNS_CHECK, BTNS_SEP,   BTNS_DROPDOWN,
                           BTNS_WHOLEDROPDOWN, BTNS_SEP,   BTNS_BUTTON};
    for (int i = 0; i < 7; ++i) {
        buttons[i].iBitmap = images[i] < 0 ? 0 : images[i];
        buttons[i].idCommand = 100 + i;
        buttons[i].fsStyle = styles[i];
        buttons[i].fsState = TBSTATE_ENABLED;
    }
    SendMessage(tb, TB_ADDBUTTONS, 7, reinterpret_cast<LPARAM>(buttons));
    SendMessage(tb, TB_AUTOSIZE, 0, 0);
    SendMessage(tb, TB_PRESSBUTTON, 100, TRUE);
    SendMessage(tb, TB_CHECKBUTTON, 101, TRUE);
    SendMessage(tb, TB_ENABLEBUTTON, 106, FALSE);
    SendMessage(tb, TB_SETHOTITEM, 3, 0);

    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_toolbar.png"));
    DestroyWindow(frame);
    ImageList_Destroy(il);
}

// Text under the images, a list bar with texts beside them, and an extended combo box.
TEST(Gallery, TextToolbars) {
    InitCommonControls();
    HWND frame = galleryFrame(360, 110);
    HIMAGELIST il = shapeImages({RGB(192, 0, 0), RGB(0, 128, 0), RGB(0, 0, 192)});
    const DWORD styles[] = {TBSTYLE_FLAT, TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NORESIZE};
    for (int bar = 0; bar < 2; ++bar) {
        HWND tb = control(frame, TOOLBARCLASSNAME, styles[bar], 0, 50, 358, 30);
        SendMessage(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
        SendMessage(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(il));
        SendMessage(tb, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Back\0Forward\0Search\0"));
        TBBUTTON buttons[4] = {};
        const BYTE kinds[] = {BTNS_BUTTON, BTNS_DROPDOWN, BTNS_SEP, BTNS_BUTTON};
        const int strings[] = {0, 1, -1, 2};
        for (int i = 0; i < 4; ++i) {
            buttons[i].iBitmap = i == 2 ? 0 : (i == 3 ? 2 : i);
            buttons[i].idCommand = 100 + i;
            buttons[i].fsStyle = kinds[i];
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].iString = strings[i];
        }
        SendMessage(tb, TB_ADDBUTTONS, 4, reinterpret_cast<LPARAM>(buttons));
        SendMessage(tb, TB_AUTOSIZE, 0, 0);
        SendMessage(tb, TB_ENABLEBUTTON, 103, FALSE);
    }
    // An extended combo box with images and an indented item.
    HWND combo = control(frame, WC_COMBOBOXEX, CBS_DROPDOWNLIST | WS_VSCROLL, 8, 88, 160, 150);
    SendMessage(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(il));
    const char* names[] = {"Databases", "mysql"};
    for (int i = 0; i < 2; ++i) {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        item.iItem = -1;
        item.pszText = const_cast<LPSTR>(names[i]);
        item.iImage = item.iSelectedImage = i + 1;
        item.iIndent = i;
        SendMessage(combo, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_toolbar_text.png"));
    DestroyWindow(frame);
    ImageList_Destroy(il);
}

HWND g_galleryClient = nullptr;

LRESULT CALLBACK galleryFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefFrameProc(hwnd, g_galleryClient, msg, wParam, lParam);
}

LRESULT CALLBACK galleryChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        char title[64] = {};
        GetWindowText(hwnd, title, sizeof title);
        std::string line = std::string("Text of ") + title;
        TextOut(dc, 6, 6, line.c_str(), static_cast<int>(line.size()));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

// An MDI frame with two restored children, then with the active one maximised.
TEST(Gallery, MdiFrame) {
    WNDCLASS wc{};
    wc.lpfnWndProc = galleryFrameProc;
    wc.lpszClassName = "CcGalleryMdiFrame";
    RegisterClass(&wc);
    wc.lpfnWndProc = galleryChildProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = "CcGalleryMdiChild";
    RegisterClass(&wc);
    HMENU menu = CreateMenu();
    HMENU windowMenu = CreatePopupMenu();
    AppendMenu(windowMenu, MF_STRING, 1, "&Cascade");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&File");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Edit");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
    HWND frame =
        CreateWindowEx(0, "CcGalleryMdiFrame", "Editor",
                       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                       50, 50, 480, 340, nullptr, menu, nullptr, nullptr);
    CLIENTCREATESTRUCT ccs{windowMenu, 50000};
    RECT area{};
    GetClientRect(frame, &area);
    g_galleryClient = CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                                     area.right, area.bottom, frame, nullptr, nullptr, &ccs);
    ShowWindow(frame, SW_SHOW);
    MDICREATESTRUCT first{"CcGalleryMdiChild", "First.js", nullptr, 10, 10, 260, 160, WS_VISIBLE, 0};
    SendMessage(g_galleryClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&first));
    MDICREATESTRUCT second{"CcGalleryMdiChild", "Second.js", nullptr, 150, 90, 260, 160, WS_VISIBLE, 0};
    auto child = reinterpret_cast<HWND>(
        SendMessage(g_galleryClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&second)));
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_mdi_restored.png"));
    SendMessage(g_galleryClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(frame, pm::test::outputFolder() + "/cc_mdi_maximised.png"));
    DestroyWindow(frame);
    g_galleryClient = nullptr;
}

} // namespace
