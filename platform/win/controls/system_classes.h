#pragma once
// Registration of each standard control class.

namespace pm::ctl {

void registerScrollBarClass();
void registerButtonClass();
void registerStaticClass();
void registerEditClass();
void registerListBoxClasses();
void registerComboBoxClass();

} // namespace pm::ctl
