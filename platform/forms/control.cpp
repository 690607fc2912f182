#include "platform/forms/control.h"

#include "platform/forms/tool_tips.h"
#include "platform/forms/windowed_control.h"

#include <algorithm>

namespace vb {

int buttonOfMessage(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return vbLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return vbRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return vbMiddleButton;
    default:
        return 0;
    }
}

int heldButtonsMask(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? vbLeftButton : 0) | ((keys & MK_RBUTTON) ? vbRightButton : 0) |
           ((keys & MK_MBUTTON) ? vbMiddleButton : 0);
}

namespace {

void fire(const MouseEvent& event, int button, int shift, POINT p) {
    if (event) event(button, shift, p.x, p.y);
}

} // namespace

int currentShiftMask() {
    return ((GetKeyState(VK_SHIFT) < 0) ? vbShiftMask : 0) |
           ((GetKeyState(VK_CONTROL) < 0) ? vbCtrlMask : 0) | ((GetKeyState(VK_MENU) < 0) ? vbAltMask : 0);
}

Control::Control(Container* container, std::string name)
    : Name(std::move(name)), m_container(container), m_backColor(GetSysColor(COLOR_BTNFACE)) {}

Control::~Control() = default;

void Control::Move(int left, int top, int width, int height) {
    m_left = left;
    m_top = top;
    if (width >= 0) m_width = width;
    if (height >= 0) m_height = height;
    placementChanged();
}

void Control::copyPropertiesFrom(const Control& other) {
    Tag = other.Tag;
    ToolTipText = other.ToolTipText;
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    m_enabled = other.m_enabled;
    m_backColor = other.m_backColor;
    m_foreColor = other.m_foreColor;
}

void Control::SetVisible(bool visible) {
    m_visible = visible;
    stateChanged();
}

void Control::SetEnabled(bool enabled) {
    m_enabled = enabled;
    stateChanged();
}

void Control::SetBackColor(COLORREF colour) {
    m_backColor = colour;
    Refresh();
}

void Control::SetForeColor(COLORREF colour) {
    m_foreColor = colour;
    Refresh();
}

WindowlessControl::WindowlessControl(Container& container, std::string name)
    : Control(&container, std::move(name)) {
    container.addWindowless(this);
}

WindowlessControl::~WindowlessControl() {
    m_container->removeWindowless(this);
}

void WindowlessControl::Refresh() {
    HWND hwnd = m_container->hWnd();
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void WindowlessControl::ZOrder(bool front) {
    m_container->raiseWindowless(this, front);
    Refresh();
}

bool WindowlessControl::contains(POINT p) const {
    return p.x >= m_left && p.y >= m_top && p.x < m_left + m_width && p.y < m_top + m_height;
}

void WindowlessControl::placementChanged() {
    m_container->syncToolTips();
    Refresh();
}
void WindowlessControl::stateChanged() {
    m_container->syncToolTips();
    Refresh();
}

void Container::addWindowless(WindowlessControl* control) {
    m_windowless.push_back(control);
    syncToolTips();
}

void Container::removeWindowless(WindowlessControl* control) {
    removeWindowlessTool(hWnd(), *control);
    m_windowless.erase(std::remove(m_windowless.begin(), m_windowless.end(), control), m_windowless.end());
    if (m_pressed == control) m_pressed = nullptr;
}

void Container::raiseWindowless(WindowlessControl* control, bool front) {
    removeWindowless(control);
    m_windowless.insert(front ? m_windowless.end() : m_windowless.begin(), control);
    syncToolTips();
}

void Container::syncToolTips() {
    HWND hwnd = hWnd();
    if (!hwnd) return;
    WindowedControl* self = WindowedControl::fromWindow(hwnd);
    if (self) removeWindowedTool(*self);
    for (WindowlessControl* control : m_windowless)
        removeWindowlessTool(hwnd, *control);
    for (auto it = m_windowless.rbegin(); it != m_windowless.rend(); ++it)
        if ((*it)->Visible()) addWindowlessTool(hwnd, **it);
    if (self) addWindowedTool(*self);
}

void Container::paintWindowless(HDC hdc) {
    for (WindowlessControl* control : m_windowless)
        if (control->Visible()) control->paint(hdc);
}

WindowlessControl* Container::windowlessAt(POINT p) const {
    for (auto it = m_windowless.rbegin(); it != m_windowless.rend(); ++it)
        if ((*it)->Visible() && (*it)->Enabled() && (*it)->contains(p)) return *it;
    return nullptr;
}

bool Container::handleMouse(Control& self, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    Control* target = m_pressed;
    if (!target) {
        WindowlessControl* hit = windowlessAt(p);
        target = hit ? static_cast<Control*>(hit) : &self;
    }
    bool own = target == &self;
    POINT local{p.x - (own ? 0 : target->Left()), p.y - (own ? 0 : target->Top())};
    int shift = currentShiftMask();
    int button = buttonOfMessage(msg);
    switch (msg) {
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hWnd()) {
            m_pressed = nullptr;
            m_buttonsDown = 0;
        }
        return false;
    case WM_MOUSEMOVE:
        fire(target->MouseMove, heldButtonsMask(wParam), shift, local);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        bool doubleClick = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
        if (m_buttonsDown == 0) {
            m_pressed = target;
            m_doubleClicked = doubleClick;
            SetCapture(hWnd());
        }
        m_buttonsDown |= button;
        if (!doubleClick)
            fire(target->MouseDown, button, shift, local);
        else if (target->DblClick)
            target->DblClick();
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (!(m_buttonsDown & button)) return true;
        m_buttonsDown &= ~button;
        bool inside =
            own ? (local.x >= 0 && local.y >= 0 && local.x < self.Width() && local.y < self.Height())
                : static_cast<WindowlessControl*>(target)->contains(p);
        bool clicks = m_buttonsDown == 0 && !m_doubleClicked && inside;
        if (m_buttonsDown == 0) {
            m_pressed = nullptr;
            ReleaseCapture();
        }
        fire(target->MouseUp, button, shift, local);
        if (clicks && target->Click) target->Click();
        return true;
    }
    default:
        return false;
    }
}

} // namespace vb
