#include "colourtool/app/win_tool.h"

namespace tintara {

class WinToolImages {};

WinTool::WinTool(vb::Container& container, std::string name, int left, int top, int width)
    : vb::UserControl(container, std::move(name), left, top, width, 26),
      MouseEventHandler(*this, "MouseEventHandler", 0, 0, width, 26), Timer1("Timer1", 1, false) {}

WinTool::~WinTool() = default;

void WinTool::AddButton(const std::string&, HBITMAP, const std::string&, bool, bool) {}
void WinTool::Check(const std::string&) {}
void WinTool::Clear(const std::string&) {}
void WinTool::SetStyle(int style) {
    m_style = style;
}
int WinTool::faceLeft(int) const {
    return 0;
}
void WinTool::hoverTick() {}
void WinTool::UserControl_Resize() {}

} // namespace tintara
