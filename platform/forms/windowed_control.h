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

    // The control whose window `hwnd` is, or nullptr.
    static WindowedControl* fromWindow(HWND hwnd);
    // A notification the container received from this control's window (WM_COMMAND, WM_VSCROLL,
    // WM_HSCROLL). True when handled.
    virtual bool reflect(UINT /*msg*/, WPARAM /*wParam*/) { return false; }
    // Sets up `hdc` with the control's ForeColor and BackColor and gives a brush of its BackColor,
    // for the container's answer to WM_CTLCOLOR* (kept until the colour changes).
    HBRUSH colourBrush(HDC hdc);

protected:
    // Takes over `hwnd` (created by the derived class) and places it.
    WindowedControl(Container* container, std::string name);
    void attach(HWND hwnd);
    void placementChanged() override;
    void stateChanged() override;

    HWND m_hwnd = nullptr;

private:
    HBRUSH m_brush = nullptr;
    COLORREF m_brushColour = 0;
};

// Hands WM_COMMAND, WM_VSCROLL and WM_HSCROLL from a child window to its control. True when handled.
bool reflectToChild(UINT msg, WPARAM wParam, LPARAM lParam);

// Answers WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX and WM_CTLCOLORSTATIC from a child control with its
// colours. True when handled, the brush in `result`.
bool colourChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Registers (once) a window class of the forms runtime whose procedure is `proc`.
const char* registerFormsClass(const char* name, WNDPROC proc, UINT style = CS_DBLCLKS);

} // namespace vb
