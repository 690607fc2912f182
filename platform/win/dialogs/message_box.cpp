// MessageBox: a modal dialog of our own, sized to its text, with the icon, the buttons of the MB_
// button set, the default button, and task modality; a hook answers it without a display.

#include "platform/win/dialogs/dialog.h"
#include "platform/win/dialogs/dialog_template.h"

#include "platform/win/winbase.h"
#include "platform/win/winctrl.h"
#include "platform/win/winmenu.h"

#include <string>
#include <vector>

namespace pm::dialogs {
namespace {

constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 440;

MessageBoxHook& boxHook() {
    static MessageBoxHook hook;
    return hook;
}

struct Button {
    int id;
    const char* text;
};

std::vector<Button> buttonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {{IDOK, "OK"}};
    }
}

LPCSTR iconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

struct Box {
    std::string text;
    UINT type = 0;
    std::vector<Button> buttons;
    HICON icon = nullptr;
    RECT textRect{};
    bool hasCancel() const {
        for (const Button& b : buttons)
            if (b.id == IDCANCEL) return true;
        return false;
    }
};

constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

SIZE measureText(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, kMaxTextWidth, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{r.right, r.bottom};
}

// The width the box's title and close button take in its caption.
int captionWidth(HWND dialog) {
    char title[256] = {};
    const int length = GetWindowTextA(dialog, title, sizeof title);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HFONT font = CreateFontIndirect(&ncm.lfCaptionFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, title, length, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx + GetSystemMetrics(SM_CXSIZE) + kMargin;
}

// Sizes the box to its text, buttons and title (as far as the screen allows), centres it over its
// owner, and creates the buttons.
void layout(HWND dialog, Box& box) {
    SIZE text = measureText(box.text);
    int textLeft = box.icon ? kMargin + kIconSize + 12 : kMargin;
    int top = kMargin + std::max<int>(text.cy, box.icon ? kIconSize : 0) + kMargin;
    int buttonsWidth = static_cast<int>(box.buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    int width = std::max(textLeft + text.cx + kMargin, buttonsWidth + 2 * kMargin);
    width = std::max(width, std::min(captionWidth(dialog), GetSystemMetrics(SM_CXSCREEN) * 3 / 4));
    int textTop = box.icon && text.cy < kIconSize ? kMargin + (kIconSize - text.cy) / 2 : kMargin;
    box.textRect = RECT{textLeft, textTop, textLeft + text.cx, textTop + text.cy};
    RECT frame{0, 0, width, top + kButtonHeight + kMargin};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
    SIZE window{frame.right - frame.left, frame.bottom - frame.top};
    RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (HWND owner = GetWindow(dialog, GW_OWNER)) GetWindowRect(owner, &over);
    int x = std::max<int>(0, over.left + (over.right - over.left - window.cx) / 2);
    int y = std::max<int>(0, over.top + (over.bottom - over.top - window.cy) / 2);
    SetWindowPos(dialog, nullptr, x, y, window.cx, window.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    int bx = (width - buttonsWidth) / 2;
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    for (const Button& b : box.buttons) {
        HWND h = CreateWindowEx(0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, bx,
                                top, kButtonWidth, kButtonHeight, dialog,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.id)), nullptr, nullptr);
        if (h) SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        bx += kButtonWidth + kButtonGap;
    }
}

void paint(HWND dialog, const Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (box.icon) DrawIcon(dc, kMargin, kMargin, box.icon);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT r = box.textRect;
    DrawTextA(dc, box.text.c_str(), static_cast<int>(box.text.size()), &r, kTextFormat);
    SelectObject(dc, old);
    EndPaint(dialog, &ps);
}

INT_PTR CALLBACK boxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtr(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        box = reinterpret_cast<Box*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        layout(dialog, *box);
        std::size_t def = ((box->type & MB_DEFMASK) >> 8);
        if (def >= box->buttons.size()) def = 0;
        int defId = box->buttons[def].id;
        SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(defId), 0);
        if (HWND b = GetDlgItem(dialog, defId)) setDialogFocus(dialog, b);
        if (!box->hasCancel())
            EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        return FALSE;
    }
    case WM_PAINT:
        if (!box) return FALSE;
        paint(dialog, *box);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (!box) return FALSE;
        if (id == IDCANCEL && !box->hasCancel()) {
            // Esc and the close box answer a lone OK; Yes/No and Abort/Retry/Ignore need a button.
            if (box->buttons.size() == 1) EndDialog(dialog, IDOK);
            return TRUE;
        }
        for (const Button& b : box->buttons)
            if (b.id == id) EndDialog(dialog, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// With MB_TASKMODAL and no owner, every enabled top-level window of the thread waits for the box.
std::vector<HWND> disableThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            if (IsWindowVisible(h) && IsWindowEnabled(h))
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND h : windows)
        EnableWindow(h, FALSE);
    return windows;
}

} // namespace
} // namespace pm::dialogs

using namespace pm::dialogs;

void pm::setMessageBoxHook(MessageBoxHook hook) {
    boxHook() = std::move(hook);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::string body = text ? text : "";
    std::string title = caption ? caption : "Error";
    if (pm::MessageBoxHook hook = boxHook())
        if (int answer = hook(owner, body, title, type)) return answer;
    Box box;
    box.text = body;
    box.type = type;
    box.buttons = buttonsFor(type);
    if (LPCSTR icon = iconFor(type)) box.icon = LoadIconA(nullptr, icon);
    pm::res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (type & (MB_SYSTEMMODAL | MB_TOPMOST)) t.exStyle |= WS_EX_TOPMOST;
    t.caption = title;
    std::vector<HWND> disabled;
    if (!owner && (type & MB_TASKMODAL)) disabled = disableThreadWindows();
    MessageBeep(type & MB_ICONMASK);
    INT_PTR r = runModal(t, owner, boxProc, reinterpret_cast<LPARAM>(&box));
    for (HWND h : disabled)
        EnableWindow(h, TRUE);
    return static_cast<int>(r);
}
