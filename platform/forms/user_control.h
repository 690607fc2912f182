#pragma once
// UserControl: a control made of a drawing surface and constituent controls of its own. The class
// deriving from it declares its events as callbacks the host form sets; they run synchronously.

#include "platform/forms/picture_box.h"

namespace vb {

class UserControl : public PictureBox {
public:
    UserControl(Container& container, std::string name, int left, int top, int width, int height);

protected:
    // Runs after every change of size or place; it may Move the control again (to snap its size)
    // without running again.
    virtual void UserControl_Resize() {}

    void placementChanged() override;

private:
    bool m_inResize = false;
};

// Focus moving from `lost` to `gained` (either may be null), told by the window losing it and by
// the window gaining it: user controls around `lost` but not around `gained` raise LostFocus,
// innermost first; those around `gained` but not `lost` raise GotFocus, outermost first.
void userControlFocusLeft(HWND lost, HWND gained);
void userControlFocusEntered(HWND lost, HWND gained);

} // namespace vb
