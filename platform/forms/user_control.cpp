#include "platform/forms/user_control.h"

#include <vector>

namespace vb {

UserControl::UserControl(Container& container, std::string name, int left, int top, int width, int height)
    : PictureBox(container, std::move(name), left, top, width, height) {}

void UserControl::placementChanged() {
    PictureBox::placementChanged();
    if (m_inResize) return;
    m_inResize = true;
    UserControl_Resize();
    m_inResize = false;
}

namespace {

// The user controls strictly containing `hwnd`, innermost first.
std::vector<UserControl*> userControlsAround(HWND hwnd) {
    std::vector<UserControl*> found;
    for (HWND w = hwnd ? GetParent(hwnd) : nullptr; w; w = GetParent(w))
        if (auto* control = dynamic_cast<UserControl*>(WindowedControl::fromWindow(w)))
            found.push_back(control);
    return found;
}

bool holds(UserControl* control, HWND hwnd) {
    return hwnd && (control->hWnd() == hwnd || IsChild(control->hWnd(), hwnd));
}

} // namespace

void userControlFocusLeft(HWND lost, HWND gained) {
    for (UserControl* control : userControlsAround(lost))
        if (!holds(control, gained) && control->LostFocus) control->LostFocus();
}

void userControlFocusEntered(HWND lost, HWND gained) {
    std::vector<UserControl*> entered = userControlsAround(gained);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it)
        if (!holds(*it, lost) && (*it)->GotFocus) (*it)->GotFocus();
}

} // namespace vb
