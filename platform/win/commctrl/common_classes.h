#pragma once
// Registration of the common-control classes.

#include "platform/win/commctrl.h"

namespace pm::cc {

// Registers every common-control class (once).
void registerCommonClasses();

void registerStatusBarClass();
void registerProgressClass();
void registerTrackbarClass();
void registerUpDownClass();
void registerTooltipClass();
void registerTabClass();
void registerHeaderClass();
void registerToolbarClass();
void registerComboBoxExClass();
void registerListViewClass();
void registerTreeViewClass();

} // namespace pm::cc
