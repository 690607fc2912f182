#include "colourtool/app/secondary_window.h"

#include "colourtool/app/main_window_link.h"

namespace tintara {

void centreOver(vb::Form& window, const vb::Form& main) {
    window.Move(main.Left() + main.Width() / 2 - window.Width() / 2,
                main.Top() + main.Height() / 2 - window.Height() / 2);
}

void showOverMainWindow(vb::Form& window) {
    window.Load();
    centreOver(window, mainWindow().window());
    window.Show();
    if (mainWindow().alwaysOnTop()) window.SetTopMost(true);
}

} // namespace tintara
