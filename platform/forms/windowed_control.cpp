#include "platform/forms/windowed_control.h"

namespace vb {

WindowedControl::WindowedControl(Container* container, std::string name)
    : Control(container, std::move(name)) {}

WindowedControl::~WindowedControl() {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

void WindowedControl::attach(HWND hwnd) {
    m_hwnd = hwnd;
    RECT r{};
    GetWindowRect(hwnd, &r);
    m_width = r.right - r.left;
    m_height = r.bottom - r.top;
}

void WindowedControl::Refresh() {
    InvalidateRect(m_hwnd, nullptr, TRUE);
    UpdateWindow(m_hwnd);
}

void WindowedControl::ZOrder(bool front) {
    SetWindowPos(m_hwnd, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowedControl::SetFocus() {
    ::SetFocus(m_hwnd);
}

void WindowedControl::placementChanged() {
    MoveWindow(m_hwnd, m_left, m_top, m_width, m_height, TRUE);
}

void WindowedControl::stateChanged() {
    ShowWindow(m_hwnd, m_visible ? SW_SHOWNA : SW_HIDE);
    EnableWindow(m_hwnd, m_enabled);
}

const char* registerFormsClass(const char* name, WNDPROC proc, UINT style) {
    WNDCLASS wc{};
    if (GetClassInfo(GetModuleHandle(nullptr), name, &wc)) return name;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClass(&wc);
    return name;
}

} // namespace vb
