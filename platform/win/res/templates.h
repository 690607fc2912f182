#pragma once
// Builders of menu and dialog templates, so that a program declares its resources in lines that
// read like a resource script. Positions and sizes are in dialog units; every control is a visible
// child, and the ones a user can reach with Tab are tab stops.

#include "platform/win/res/resources.h"
#include "platform/win/editmsg.h"

namespace pm::res {

// The id of a control nothing refers to.
constexpr WORD kStaticId = static_cast<WORD>(-1);

MenuItem item(const char* text, UINT id, UINT flags = 0);
MenuItem separator();
MenuItem popup(const char* text, std::vector<MenuItem> items);

// A modal dialog with a caption and a system menu, in 8-point MS Sans Serif.
DialogTemplate dialog(const char* caption, short cx, short cy, std::vector<DialogItem> items);

DialogItem label(const char* text, WORD id, short x, short y, short cx, short cy = 8);
DialogItem button(const char* text, WORD id, short x, short y, short cx = 50);
DialogItem defaultButton(const char* text, WORD id, short x, short y, short cx = 50);
DialogItem checkBox(const char* text, WORD id, short x, short y, short cx);
// style adds to the radio button's (WS_GROUP for the first of a group).
DialogItem radioButton(const char* text, WORD id, short x, short y, short cx, DWORD style = 0);
DialogItem groupBox(const char* text, WORD id, short x, short y, short cx, short cy);
DialogItem edit(WORD id, short x, short y, short cx, short cy = 12, DWORD style = ES_AUTOHSCROLL);
// A list view with a client edge; style gives its LVS_ values and any window styles it adds.
DialogItem listView(WORD id, short x, short y, short cx, short cy, DWORD style);
DialogItem progressBar(WORD id, short x, short y, short cx);

} // namespace pm::res
