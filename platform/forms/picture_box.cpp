#include "platform/forms/picture_box.h"

#include "platform/forms/tool_tips.h"
#include "platform/forms/user_control.h"
#include "platform/win/window_object.h"

#include "platform/forms/form.h"

namespace vb {

PictureBox::PictureBox(Container& container, std::string name, int left, int top, int width, int height)
    : WindowedControl(&container, std::move(name)) {
    m_left = left;
    m_top = top;
    // A container: Tab moves through the controls placed on it as through the form's own.
    HWND hwnd = CreateWindowEx(WS_EX_CONTROLPARENT, registerFormsClass("FormsPictureBox", windowProc), "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, width, height,
                               container.hWnd(), nullptr, GetModuleHandle(nullptr), this);
    attach(hwnd);
    m_surface = std::make_unique<DrawingSurface>(m_width, m_height, m_backColor);
    Cls();
}

PictureBox::~PictureBox() {
    // The window is destroyed by the base class, after this part of the object is gone: its last
    // messages go to the default procedure, not to a half-destroyed picture box.
    if (IsWindow(m_hwnd)) SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
}

std::unique_ptr<PictureBox> PictureBox::clone() const {
    auto copy = std::make_unique<PictureBox>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->copyPropertiesFrom(*this);
    copy->SetEnabled(m_enabled);
    copy->SetPicture(m_picture);
    copy->Cls();
    return copy;
}

void PictureBox::placementChanged() {
    WindowedControl::placementChanged();
    m_surface->resize(m_width, m_height, m_backColor);
}

void PictureBox::SetPicture(HBITMAP picture) {
    m_picture = picture;
    m_surface->paintPicture(picture, 0, 0);
    invalidate();
}

void PictureBox::Cls() {
    m_surface->clear(m_backColor, m_picture);
    invalidate();
}

void PictureBox::SetBackColor(COLORREF colour) {
    m_backColor = colour;
    Cls();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    m_surface->line(x1, y1, x2, y2, colour);
    invalidate();
}

void PictureBox::FillBox(int x1, int y1, int x2, int y2, COLORREF colour) {
    m_surface->fillBox(x1, y1, x2, y2, colour);
    invalidate();
}

void PictureBox::PaintPicture(HBITMAP picture, int x, int y, int width, int height) {
    m_surface->paintPicture(picture, x, y, width, height);
    invalidate();
}

void PictureBox::invalidate() {
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

long PictureBox::Point(int x, int y) const {
    return m_surface->point(x, y);
}

void PictureBox::paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    m_surface->drawTo(hdc);
    paintWindowless(hdc);
    EndPaint(m_hwnd, &ps);
}

LRESULT PictureBox::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        paint();
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_NOTIFY && answerToolTip(lParam)) return 0;
    LRESULT colours = 0;
    if (colourChild(msg, wParam, lParam, colours)) return colours;
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) ::SetFocus(m_hwnd);
    if (msg == WM_SETFOCUS) {
        if (GotFocus) GotFocus();
        userControlFocusEntered(reinterpret_cast<HWND>(wParam), m_hwnd);
    }
    if (msg == WM_KILLFOCUS) {
        if (LostFocus) LostFocus();
        userControlFocusLeft(m_hwnd, reinterpret_cast<HWND>(wParam));
    }
    if (reflectToChild(msg, wParam, lParam) || routeKeyMessage(*this, m_hwnd, msg, wParam) ||
        handleMouse(*this, msg, wParam, lParam))
        return 0;
    return DefWindowProc(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PictureBox::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return pm::borrowedObjectProc<PictureBox, &PictureBox::m_hwnd, &PictureBox::handle>(hwnd, msg, wParam,
                                                                                        lParam);
}

} // namespace vb
