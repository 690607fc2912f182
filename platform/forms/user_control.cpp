#include "platform/forms/user_control.h"

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

} // namespace vb
