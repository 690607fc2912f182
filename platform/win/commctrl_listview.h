#pragma once
// The list view control ("SysListView32"): its styles, messages, notifications and structures.
// Included by commctrl.h.
