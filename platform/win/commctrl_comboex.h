#pragma once
// The extended combo box ("ComboBoxEx32"): its messages, notifications and structures.
// Included by commctrl.h.
