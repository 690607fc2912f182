// The standard control classes exist without anyone registering them: this library hands them to
// the window manager at start-up.

#include "platform/win/controls/system_classes.h"

#include "platform/win/controls/control.h"
#include "platform/win/controls/window_scroll_bars.h"
#include "platform/win/wm/registration.h"

namespace {

// Registers "BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "ComboLBox" and "SCROLLBAR" and
// installs the standard window scroll bars.
void registerSystemControlClasses() {
    using namespace pm;
    ctl::installWindowScrollBars();
    ctl::registerScrollBarClass();
    ctl::registerButtonClass();
    ctl::registerStaticClass();
    ctl::registerEditClass();
    ctl::registerListBoxClasses();
    ctl::registerComboBoxClass();
}

} // namespace

// Kept linked by the build (pm_library STARTUP).
extern "C" const bool pm_win_controls_startup =
    (pm::wm::addSystemClassProvider(registerSystemControlClasses), true);
