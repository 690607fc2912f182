// The colour tool: loads the main window (shown unless started with "-t") and runs the message loop
// until the program ends through the tray menu's Exit or the confirmed close image.

#include "colourtool/app/form1.h"

#include "platform/forms/app.h"

#include "platform/win/windows.h"

int main(int argc, char** argv) {
    vb::SetCommandLine(argc, argv);
    vb::App().Title = "Tintara";
    tintara::Form1 mainWindow;
    mainWindow.Load();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}
