#pragma once
// A control that is a window of ours, child of its container's window.

#include "platform/forms/control.h"

namespace vb {

class WindowedControl : public Control {
public:
    ~WindowedControl() override;

    HWND hWnd() const { return m_hwnd; }
    void Refresh() override;
    // Puts the window above (true) or below (false) its sibling windows.
    void ZOrder(bool front = true);
    void SetFocus();

protected:
    // Takes over `hwnd` (created by the derived class) and places it.
    WindowedControl(Container* container, std::string name);
    void attach(HWND hwnd);
    void placementChanged() override;
    void stateChanged() override;

    HWND m_hwnd = nullptr;
};

// Registers (once) a window class of the forms runtime whose procedure is `proc`.
const char* registerFormsClass(const char* name, WNDPROC proc, UINT style = CS_DBLCLKS);

} // namespace vb
