// Dialogs from templates: the dialog font and its base units, the dialog window and its controls,
// WM_INITDIALOG, modeless dialogs, and modal dialogs with their own message loop.

#include "platform/win/dialogs/dialog.h"

#include "platform/win/dialogs/dialog_template.h"
#include "platform/win/dialogs/modal_owner.h"
#include "platform/win/res/resources.h"
#include "platform/win/winmenu.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pm::dialogs {
namespace {

DialogHook& dialogHook() {
    static DialogHook hook;
    return hook;
}

HFONT createDialogFont(const res::DialogTemplate& t, bool* owned) {
    *owned = false;
    if (!(t.style & DS_SETFONT) || t.fontName.empty())
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, t.fontName.c_str(), LF_FACESIZE - 1);
    *owned = true;
    return CreateFontIndirectA(&lf);
}

RECT toPixels(SIZE base, short x, short y, short cx, short cy) {
    return RECT{MulDiv(x, base.cx, 4), MulDiv(y, base.cy, 8), MulDiv(x + cx, base.cx, 4),
                MulDiv(y + cy, base.cy, 8)};
}

// Where a top-level dialog's window goes: at its template position relative to the owner's client
// area, or centred over the owner (or the screen) with DS_CENTER.
POINT placeDialog(const res::DialogTemplate& t, HWND owner, SIZE base, SIZE window) {
    if (t.style & DS_CENTER) {
        RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (owner) GetWindowRect(owner, &over);
        POINT p{over.left + (over.right - over.left - window.cx) / 2,
                over.top + (over.bottom - over.top - window.cy) / 2};
        p.x = std::max<LONG>(0, std::min<LONG>(p.x, GetSystemMetrics(SM_CXSCREEN) - window.cx));
        p.y = std::max<LONG>(0, std::min<LONG>(p.y, GetSystemMetrics(SM_CYSCREEN) - window.cy));
        return p;
    }
    POINT p{MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8)};
    if (owner && !(t.style & DS_ABSALIGN)) ClientToScreen(owner, &p);
    return p;
}

void createControls(HWND dialog, const res::DialogTemplate& t, SIZE base, HFONT font) {
    for (const res::DialogItem& item : t.items) {
        RECT r = toPixels(base, item.x, item.y, item.cx, item.cy);
        HWND c =
            CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, item.windowClass.c_str(), item.text.c_str(),
                           item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr, nullptr);
        if (c) SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

// A template's menu: a name, "#n" for an ordinal, or none.
HMENU loadMenu(const std::string& name) {
    if (name.empty()) return nullptr;
    if (name[0] == '#') return LoadMenuA(nullptr, MAKEINTRESOURCE(std::atoi(name.c_str() + 1)));
    return LoadMenuA(nullptr, name.c_str());
}

} // namespace

SIZE baseUnitsOf(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE s{};
    GetTextExtentPoint32A(dc, letters, 52, &s);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{(s.cx / 26 + 1) / 2, tm.tmHeight};
}

void registerDialogClass() {
    static bool done = false;
    if (done) return;
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kDialogClass;
    done = RegisterClass(&wc) != 0;
}

HWND createDialog(const res::DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param, bool modal) {
    registerDialogClass();
    bool ownsFont = false;
    HFONT font = createDialogFont(t, &ownsFont);
    SIZE base = baseUnitsOf(font);
    DWORD style = t.style;
    DWORD exStyle = t.exStyle;
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    bool child = (style & WS_CHILD) != 0;
    HWND owner = parent;
    if (!child && owner) owner = GetAncestor(owner, GA_ROOT);
    RECT client = toPixels(base, 0, 0, t.cx, t.cy);
    RECT frame = client;
    AdjustWindowRectEx(&frame, style, !t.menu.empty(), exStyle);
    SIZE window{frame.right - frame.left, frame.bottom - frame.top};
    POINT at =
        child ? POINT{MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8)} : placeDialog(t, owner, base, window);
    const char* cls = t.windowClass.empty() ? kDialogClass : t.windowClass.c_str();
    HMENU menu = loadMenu(t.menu);
    HWND dialog = CreateWindowEx(exStyle, cls, t.caption.c_str(), style & ~WS_VISIBLE, at.x, at.y, window.cx,
                                 window.cy, owner, menu, nullptr, nullptr);
    if (!dialog) {
        if (ownsFont) DeleteObject(font);
        return nullptr;
    }
    DialogState& state = newState(dialog);
    state.font = font;
    state.ownsFont = ownsFont;
    state.baseUnits = base;
    state.modal = modal;
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (t.style & DS_SETFONT) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    createControls(dialog, t, base, font);
    if (DialogState* s = stateOf(dialog)) s->defId = firstDefaultButton(dialog);
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(dialog)) {
        HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (focus) setDialogFocus(dialog, focus);
    }
    if (!IsWindow(dialog)) return nullptr;
    if ((t.style & WS_VISIBLE) && !state.ended) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

INT_PTR runModal(const res::DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param) {
    ModalOwner modal(parent);
    HWND dialog = createDialog(t, modal.owner(), proc, param, true);
    INT_PTR result = -1;
    if (dialog) {
        DialogState* s = stateOf(dialog);
        if (!s->ended) {
            ShowWindow(dialog, SW_SHOWNORMAL);
            if (DialogHook hook = dialogHook()) hook(dialog);
        }
        while (IsWindow(dialog) && !(s = stateOf(dialog))->ended) {
            MSG msg;
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (CallMsgFilter(&msg, MSGF_DIALOGBOX)) continue;
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        if ((s = stateOf(dialog))) result = s->result;
    }
    modal.enable();
    if (IsWindow(dialog)) DestroyWindow(dialog);
    modal.end();
    return result;
}

} // namespace pm::dialogs

using namespace pm::dialogs;

void pm::setDialogHook(DialogHook hook) {
    dialogHook() = std::move(hook);
}

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    const pm::res::DialogTemplate* t = pm::res::findDialog(name);
    return t ? runModal(*t, parent, proc, param) : -1;
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param) {
    pm::res::DialogTemplate t;
    if (!parseTemplate(dialogTemplate, &t)) return -1;
    return runModal(t, parent, proc, param);
}

HWND CreateDialogParamA(HINSTANCE, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    const pm::res::DialogTemplate* t = pm::res::findDialog(name);
    return t ? createDialog(*t, parent, proc, param, false) : nullptr;
}

HWND CreateDialogIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param) {
    pm::res::DialogTemplate t;
    if (!parseTemplate(dialogTemplate, &t)) return nullptr;
    return createDialog(t, parent, proc, param, false);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogState* s = stateOf(dialog);
    if (!s) return FALSE;
    s->ended = true;
    s->result = result;
    if (s->modal) {
        if (HWND owner = GetWindow(dialog, GW_OWNER)) EnableWindow(owner, TRUE);
        ShowWindow(dialog, SW_HIDE);
    }
    PostMessage(dialog, WM_NULL, 0, 0); // wakes the dialog's loop
    return TRUE;
}
