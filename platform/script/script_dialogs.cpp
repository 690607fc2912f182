// MsgBox over the window layer's MessageBox, and InputBox as a small modal dialog of ours: the
// prompt at the left, OK and Cancel at the right, the edit below.

#include "platform/script/script_dialogs.h"

#include "platform/win/editmsg.h"
#include "platform/win/res/resources.h"
#include "platform/win/winctrl.h"
#include "platform/win/windlg.h"
#include "platform/win/wingdi.h"

#include <mutex>
#include <vector>

namespace pm {
namespace {

constexpr char kInputDialog[] = "PmScriptInputBox";
constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;
constexpr int kTwipsPerPixel = 15;

// The dialog in dialog units; the edit comes first so that it has the focus.
res::DialogTemplate inputTemplate() {
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.cx = 252;
    t.cy = 90;
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    t.items = {
        {"EDIT", "", kEditId, 7, 70, 238, 13, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {"STATIC", "", kPromptId, 7, 7, 178, 58, child | SS_LEFT | SS_NOPREFIX, 0},
        {"BUTTON", "OK", IDOK, 193, 7, 52, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        {"BUTTON", "Cancel", IDCANCEL, 193, 25, 52, 14, child | WS_TABSTOP | BS_PUSHBUTTON, 0},
    };
    return t;
}

struct InputRun {
    const ScriptInputRequest* request;
    std::string answer;
};

// Places the box at the asked position in twips, or centred a third of the way down the screen.
void placeInputBox(HWND dialog, const ScriptInputRequest& request) {
    RECT r;
    GetWindowRect(dialog, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    int x = request.xTwips ? *request.xTwips / kTwipsPerPixel : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = request.yTwips ? *request.yTwips / kTwipsPerPixel : (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string editText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kEditId);
    int length = GetWindowTextLength(edit);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int got = GetWindowText(edit, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

INT_PTR CALLBACK inputProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<InputRun*>(GetWindowLongPtr(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        run = reinterpret_cast<InputRun*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        SetWindowText(dialog, run->request->title.c_str());
        SetDlgItemText(dialog, kPromptId, run->request->prompt.c_str());
        SetDlgItemText(dialog, kEditId, run->request->defaultText.c_str());
        placeInputBox(dialog, *run->request);
        HWND edit = GetDlgItem(dialog, kEditId);
        SetFocus(edit);
        SendMessage(edit, EM_SETSEL, 0, -1);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && run) {
            run->answer = editText(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

int showScriptMessageBox(HWND owner, const std::string& prompt, unsigned buttons, const std::string& title) {
    return MessageBox(owner, prompt.c_str(), title.c_str(), buttons);
}

bool showScriptInputBox(HWND owner, const ScriptInputRequest& request, std::string& answer) {
    static std::once_flag once;
    std::call_once(once, [] { res::addDialog(kInputDialog, inputTemplate()); });
    InputRun run{&request, {}};
    INT_PTR result = DialogBoxParam(nullptr, kInputDialog, owner, inputProc, reinterpret_cast<LPARAM>(&run));
    if (result != IDOK) return false;
    answer = std::move(run.answer);
    return true;
}

} // namespace pm
