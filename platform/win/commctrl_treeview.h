#pragma once
// The tree view control ("SysTreeView32"): its styles, messages, notifications and structures.
// Included by commctrl.h.
