// The dialog manager: DefDlgProc, keyboard navigation in IsDialogMessage (Tab, arrows in groups,
// Enter, Esc, mnemonics), the default push button following the focus, and tab and group order.

#include "platform/win/dialogs/dialog.h"

#include "platform/win/editmsg.h"
#include "platform/win/winctrl.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace pm::dialogs {
namespace {

std::map<HWND, DialogState>& states() {
    static std::map<HWND, DialogState> s;
    return s;
}

LONG styleOf(HWND h) {
    return GetWindowLong(h, GWL_STYLE);
}
// The control's own style decides, so dialogs can be navigated while they are set up hidden.
bool usable(HWND h) {
    return (static_cast<DWORD>(styleOf(h)) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}
UINT dialogCode(HWND h, const MSG* msg = nullptr) {
    return static_cast<UINT>(
        SendMessage(h, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

// The dialog's controls in Z-order, with the controls of WS_EX_CONTROLPARENT children in their place.
void collect(HWND parent, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
            collect(c, out);
            continue;
        }
        out.push_back(c);
    }
}

std::vector<HWND> controlsOf(HWND dialog) {
    std::vector<HWND> all;
    collect(dialog, all);
    return all;
}

// The control of the dialog that holds `h` (h itself, or the child that contains it).
HWND controlHolding(HWND dialog, HWND h) {
    std::vector<HWND> all = controlsOf(dialog);
    for (HWND c = h; c && c != dialog; c = GetParent(c))
        if (std::find(all.begin(), all.end(), c) != all.end()) return c;
    return nullptr;
}

void setDefaultStyle(HWND dialog, HWND preferred) {
    for (HWND c : controlsOf(dialog)) {
        UINT code = dialogCode(c);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
        bool isDefault = c == preferred;
        if (((code & DLGC_DEFPUSHBUTTON) != 0) != isDefault)
            SendMessage(c, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void restoreFocus(HWND dialog) {
    DialogState* s = stateOf(dialog);
    HWND target = s && IsWindow(s->focusSaved) && IsChild(dialog, s->focusSaved) ? s->focusSaved : nullptr;
    if (!target) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target) setDialogFocus(dialog, target);
}

void saveFocus(HWND dialog) {
    HWND focus = GetFocus();
    if (DialogState* s = stateOf(dialog); s && focus && IsChild(dialog, focus)) s->focusSaved = focus;
}

bool returnsDirectly(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
           msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
}

HWND cancelButton(HWND dialog) {
    return GetDlgItem(dialog, IDCANCEL);
}

LRESULT defaultHandling(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            saveFocus(dialog);
        else
            restoreFocus(dialog);
        return 0;
    case WM_SETFOCUS:
        restoreFocus(dialog);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) saveFocus(dialog);
        return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_CLOSE: {
        HWND cancel = cancelButton(dialog);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
        if (target) setDialogFocus(dialog, target);
        return 0;
    }
    case DM_GETDEFID: {
        int id = defaultId(dialog);
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        if (DialogState* s = stateOf(dialog)) s->defId = static_cast<int>(wParam);
        if (!(dialogCode(GetFocus()) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            setDefaultStyle(dialog, GetDlgItem(dialog, static_cast<int>(wParam)));
        return TRUE;
    case WM_GETFONT:
        if (DialogState* s = stateOf(dialog)) return reinterpret_cast<LRESULT>(s->font);
        return 0;
    case WM_NCDESTROY:
        forgetState(dialog);
        return DefWindowProc(dialog, msg, wParam, lParam);
    default:
        return DefWindowProc(dialog, msg, wParam, lParam);
    }
}

// The control whose text carries the mnemonic ch, as '&' followed by ch.
HWND findMnemonic(HWND dialog, char ch) {
    for (HWND c : controlsOf(dialog)) {
        UINT code = dialogCode(c);
        if (!usable(c) || !(code & (DLGC_BUTTON | DLGC_STATIC))) continue;
        if ((code & DLGC_STATIC) && (styleOf(c) & SS_NOPREFIX)) continue;
        char text[256] = {};
        GetWindowText(c, text, sizeof text);
        for (const char* p = text; *p && p[1]; ++p) {
            if (*p != '&') continue;
            if (p[1] == '&') {
                ++p;
                continue;
            }
            if (std::tolower(static_cast<unsigned char>(p[1])) ==
                std::tolower(static_cast<unsigned char>(ch)))
                return c;
            break;
        }
    }
    return nullptr;
}

bool handleMnemonic(HWND dialog, char ch) {
    HWND c = findMnemonic(dialog, ch);
    if (!c) return false;
    bool label = (dialogCode(c) & DLGC_STATIC) || (styleOf(c) & BS_TYPEMASK) == BS_GROUPBOX;
    if (label) {
        // A label hands the focus to the next control that takes it.
        std::vector<HWND> all = controlsOf(dialog);
        auto it = std::find(all.begin(), all.end(), c);
        for (++it; it != all.end(); ++it)
            if (usable(*it) && (styleOf(*it) & WS_TABSTOP)) {
                setDialogFocus(dialog, *it);
                break;
            }
        return true;
    }
    UINT type = styleOf(c) & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) setDialogFocus(dialog, c);
    SendMessage(c, BM_CLICK, 0, 0);
    return true;
}

void pressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool handleKey(HWND dialog, MSG* msg) {
    HWND focus = GetFocus();
    UINT code = focus ? dialogCode(focus, msg) : 0;
    if (code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
    switch (msg->wParam) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB) return false;
        HWND next = GetNextDlgTabItem(dialog, focus, GetKeyState(VK_SHIFT) < 0);
        if (next) setDialogFocus(dialog, next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS) return false;
        HWND next = GetNextDlgGroupItem(dialog, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        if (!next || next == focus) return true;
        setDialogFocus(dialog, next);
        if (dialogCode(next) & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
        return true;
    }
    case VK_RETURN: {
        int id =
            (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? GetDlgCtrlID(focus) : defaultId(dialog);
        pressButton(dialog, id ? id : IDOK);
        return true;
    }
    case VK_ESCAPE:
        pressButton(dialog, IDCANCEL);
        return true;
    default:
        return false;
    }
}

} // namespace

DialogState* stateOf(HWND dialog) {
    auto it = states().find(dialog);
    return it == states().end() ? nullptr : &it->second;
}

DialogState& newState(HWND dialog) {
    return states()[dialog] = DialogState{};
}

void forgetState(HWND dialog) {
    auto it = states().find(dialog);
    if (it == states().end()) return;
    if (it->second.ownsFont) DeleteObject(it->second.font);
    states().erase(it);
}

void setDialogFocus(HWND dialog, HWND control) {
    UINT code = dialogCode(control);
    if (code & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        setDefaultStyle(dialog, control);
    else
        setDefaultStyle(dialog, GetDlgItem(dialog, defaultId(dialog)));
}

int defaultId(HWND dialog) {
    DialogState* s = stateOf(dialog);
    return s ? s->defId : 0;
}

int firstDefaultButton(HWND dialog) {
    for (HWND c : controlsOf(dialog))
        if (dialogCode(c) & DLGC_DEFPUSHBUTTON) return GetDlgCtrlID(c);
    return 0;
}

} // namespace pm::dialogs

using namespace pm::dialogs;

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        INT_PTR r = proc(dialog, msg, wParam, lParam);
        if (!IsWindow(dialog)) return 0;
        if (r) return returnsDirectly(msg) ? r : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
    }
    return defaultHandling(dialog, msg, wParam, lParam);
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
    if (msg->message == WM_KEYDOWN && handleKey(dialog, msg)) return TRUE;
    if (msg->message == WM_CHAR || msg->message == WM_SYSCHAR) {
        HWND focus = GetFocus();
        bool wants = msg->message == WM_CHAR && focus &&
                     (dialogCode(focus, msg) & (DLGC_WANTCHARS | DLGC_WANTMESSAGE));
        if (!wants && msg->wParam > ' ' && handleMnemonic(dialog, static_cast<char>(msg->wParam)))
            return TRUE;
        if (!wants && msg->message == WM_CHAR) return TRUE; // a character nothing takes
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all = controlsOf(dialog);
    int n = static_cast<int>(all.size());
    if (n == 0) return nullptr;
    HWND from = control ? controlHolding(dialog, control) : nullptr;
    int start = static_cast<int>(std::find(all.begin(), all.end(), from) - all.begin());
    if (start == n) start = previous ? 0 : n - 1; // no control yet: the first (or last) one
    int step = previous ? -1 : 1;
    for (int k = 1; k <= n; ++k) {
        HWND c = all[static_cast<std::size_t>(((start + step * k) % n + n) % n)];
        if (usable(c) && (styleOf(c) & WS_TABSTOP)) return c;
    }
    return from;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all = controlsOf(dialog);
    HWND from = control ? controlHolding(dialog, control) : nullptr;
    auto it = std::find(all.begin(), all.end(), from);
    if (it == all.end()) return nullptr;
    int index = static_cast<int>(it - all.begin());
    int first = index;
    while (first > 0 && !(styleOf(all[static_cast<std::size_t>(first)]) & WS_GROUP))
        --first;
    int end = index + 1;
    while (end < static_cast<int>(all.size()) && !(styleOf(all[static_cast<std::size_t>(end)]) & WS_GROUP))
        ++end;
    int size = end - first;
    int step = previous ? -1 : 1;
    for (int k = 1; k < size; ++k) {
        HWND c = all[static_cast<std::size_t>(first + ((index - first + step * k) % size + size) % size)];
        if (usable(c)) return c;
    }
    return from;
}
