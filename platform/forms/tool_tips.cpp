#include "platform/forms/tool_tips.h"

#include "platform/forms/windowed_control.h"

namespace vb {
namespace {

const char* const kToolTipProp = "vb.forms.tooltip";

TOOLINFO toolInfo(HWND hwnd, UINT_PTR id, UINT flags) {
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = flags;
    ti.hwnd = hwnd;
    ti.uId = id;
    ti.lpszText = LPSTR_TEXTCALLBACK;
    return ti;
}

void send(HWND tip, UINT msg, TOOLINFO& ti) {
    if (tip) SendMessage(tip, msg, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND formOf(HWND hwnd) {
    return hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
}

UINT_PTR idOf(WindowlessControl& control) {
    return reinterpret_cast<UINT_PTR>(&control);
}

} // namespace

HWND toolTipWindow(HWND hwnd, bool create) {
    HWND form = formOf(hwnd);
    if (!form) return nullptr;
    auto tip = static_cast<HWND>(GetProp(form, kToolTipProp));
    if (tip || !create) return tip;
    InitCommonControls();
    tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                         0, 0, 0, form, nullptr, GetModuleHandle(nullptr), nullptr);
    SetProp(form, kToolTipProp, tip);
    return tip;
}

void destroyToolTipWindow(HWND form) {
    auto tip = static_cast<HWND>(RemoveProp(form, kToolTipProp));
    if (tip) DestroyWindow(tip);
}

void addWindowedTool(WindowedControl& control) {
    HWND hwnd = control.hWnd();
    if (!hwnd || !GetParent(hwnd)) return;
    TOOLINFO ti = toolInfo(formOf(hwnd), reinterpret_cast<UINT_PTR>(hwnd), TTF_IDISHWND | TTF_SUBCLASS);
    send(toolTipWindow(hwnd), TTM_ADDTOOL, ti);
}

void removeWindowedTool(WindowedControl& control) {
    HWND hwnd = control.hWnd();
    if (!hwnd || !GetParent(hwnd)) return;
    TOOLINFO ti = toolInfo(formOf(hwnd), reinterpret_cast<UINT_PTR>(hwnd), TTF_IDISHWND);
    send(toolTipWindow(hwnd, false), TTM_DELTOOL, ti);
}

void addWindowlessTool(HWND container, WindowlessControl& control) {
    TOOLINFO ti = toolInfo(container, idOf(control), TTF_SUBCLASS);
    ti.rect = RECT{control.Left(), control.Top(), control.Left() + control.Width(),
                   control.Top() + control.Height()};
    send(toolTipWindow(container), TTM_ADDTOOL, ti);
}

void removeWindowlessTool(HWND container, WindowlessControl& control) {
    TOOLINFO ti = toolInfo(container, idOf(control), 0);
    send(toolTipWindow(container, false), TTM_DELTOOL, ti);
}

bool answerToolTip(LPARAM lParam) {
    auto* nm = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (!nm || nm->hdr.code != TTN_GETDISPINFO) return false;
    // Only our own tooltips' tools name controls by their ids.
    HWND owner = GetWindow(nm->hdr.hwndFrom, GW_OWNER);
    if (!owner || toolTipWindow(owner, false) != nm->hdr.hwndFrom) return false;
    const Control* control = nullptr;
    if (nm->uFlags & TTF_IDISHWND)
        control = WindowedControl::fromWindow(reinterpret_cast<HWND>(nm->hdr.idFrom));
    else
        control = reinterpret_cast<const WindowlessControl*>(nm->hdr.idFrom);
    if (!control) return false;
    nm->lpszText = const_cast<char*>(control->ToolTipText.c_str());
    return true;
}

} // namespace vb
