// The standard control classes exist without anyone registering them.

#include "platform/win/controls/system_classes.h"

#include "platform/win/controls/control.h"
#include "platform/win/controls/window_scroll_bars.h"
#include "platform/win/mdi/mdi_client.h"

namespace pm {

void registerSystemControlClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    ctl::installWindowScrollBars();
    ctl::registerScrollBarClass();
    ctl::registerButtonClass();
    ctl::registerStaticClass();
    ctl::registerEditClass();
    ctl::registerListBoxClasses();
    ctl::registerComboBoxClass();
    mdi::registerMdiClientClass();
}

} // namespace pm
