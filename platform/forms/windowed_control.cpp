#include "platform/forms/windowed_control.h"

#include "platform/forms/tool_tips.h"

#include <map>

namespace vb {
namespace {

std::map<HWND, WindowedControl*>& controls() {
    static std::map<HWND, WindowedControl*> map;
    return map;
}

} // namespace

WindowedControl::WindowedControl(Container* container, std::string name)
    : Control(container, std::move(name)) {}

WindowedControl::~WindowedControl() {
    removeWindowedTool(*this);
    controls().erase(m_hwnd);
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    if (m_brush) DeleteObject(m_brush);
}

HBRUSH WindowedControl::colourBrush(HDC hdc) {
    if (!m_brush || m_brushColour != m_backColor) {
        if (m_brush) DeleteObject(m_brush);
        m_brush = CreateSolidBrush(m_backColor);
        m_brushColour = m_backColor;
    }
    SetTextColor(hdc, m_foreColor);
    SetBkColor(hdc, m_backColor);
    return m_brush;
}

void WindowedControl::attach(HWND hwnd) {
    m_hwnd = hwnd;
    controls()[hwnd] = this;
    RECT r{};
    GetWindowRect(hwnd, &r);
    m_width = r.right - r.left;
    m_height = r.bottom - r.top;
    addWindowedTool(*this);
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

WindowedControl* WindowedControl::fromWindow(HWND hwnd) {
    auto it = controls().find(hwnd);
    return it == controls().end() ? nullptr : it->second;
}

bool reflectToChild(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COMMAND && msg != WM_VSCROLL && msg != WM_HSCROLL) return false;
    WindowedControl* child = WindowedControl::fromWindow(reinterpret_cast<HWND>(lParam));
    return child && child->reflect(msg, wParam);
}

bool colourChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORLISTBOX && msg != WM_CTLCOLORSTATIC) return false;
    WindowedControl* child = WindowedControl::fromWindow(reinterpret_cast<HWND>(lParam));
    if (!child) return false;
    result = reinterpret_cast<LRESULT>(child->colourBrush(reinterpret_cast<HDC>(wParam)));
    return true;
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
