// Builders of menu and dialog templates.

#include "platform/win/res/templates.h"

#include "platform/win/commctrl.h"
#include "platform/win/windlg.h"
#include "platform/win/winctrl.h"
#include "platform/win/winmenu.h"

namespace pm::res {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTabStop = kChild | WS_TABSTOP;

DialogItem pushButton(const char* text, WORD id, short x, short y, short cx, DWORD kind) {
    return {"BUTTON", text, id, x, y, cx, 14, static_cast<DWORD>(kTabStop | kind), 0};
}

} // namespace

MenuItem item(const char* text, UINT id, UINT flags) {
    return MenuItem{text, id, flags, {}};
}

MenuItem separator() {
    return MenuItem{"", 0, MF_SEPARATOR, {}};
}

MenuItem popup(const char* text, std::vector<MenuItem> items) {
    return MenuItem{text, 0, MF_POPUP, std::move(items)};
}

DialogTemplate dialog(const char* caption, short cx, short cy, std::vector<DialogItem> items) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "MS Sans Serif";
    t.pointSize = 8;
    t.items = std::move(items);
    return t;
}

DialogItem label(const char* text, WORD id, short x, short y, short cx, short cy) {
    return {"STATIC", text, id, x, y, cx, cy, static_cast<DWORD>(kChild | SS_LEFT), 0};
}

DialogItem button(const char* text, WORD id, short x, short y, short cx) {
    return pushButton(text, id, x, y, cx, BS_PUSHBUTTON);
}

DialogItem defaultButton(const char* text, WORD id, short x, short y, short cx) {
    return pushButton(text, id, x, y, cx, BS_DEFPUSHBUTTON);
}

DialogItem checkBox(const char* text, WORD id, short x, short y, short cx) {
    return {"BUTTON", text, id, x, y, cx, 10, static_cast<DWORD>(kTabStop | BS_AUTOCHECKBOX), 0};
}

DialogItem radioButton(const char* text, WORD id, short x, short y, short cx, DWORD style) {
    return {"BUTTON", text, id, x, y, cx, 10, static_cast<DWORD>(kTabStop | BS_AUTORADIOBUTTON | style), 0};
}

DialogItem groupBox(const char* text, WORD id, short x, short y, short cx, short cy) {
    return {"BUTTON", text, id, x, y, cx, cy, static_cast<DWORD>(kChild | BS_GROUPBOX), 0};
}

DialogItem edit(WORD id, short x, short y, short cx, short cy, DWORD style) {
    return {"EDIT", "", id, x, y, cx, cy, static_cast<DWORD>(kTabStop | style), WS_EX_CLIENTEDGE};
}

DialogItem listView(WORD id, short x, short y, short cx, short cy, DWORD style) {
    return {WC_LISTVIEWA, "", id, x, y, cx, cy, static_cast<DWORD>(kTabStop | style), WS_EX_CLIENTEDGE};
}

DialogItem progressBar(WORD id, short x, short y, short cx) {
    return {PROGRESS_CLASSA, "", id, x, y, cx, 10, kChild, WS_EX_CLIENTEDGE};
}

} // namespace pm::res
