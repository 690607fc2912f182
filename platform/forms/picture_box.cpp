#include "platform/forms/picture_box.h"

#include "platform/forms/tool_tips.h"

#include "platform/forms/form.h"

#include <algorithm>

namespace vb {
namespace {

HBITMAP newSurfaceBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void blitBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height) {
    SIZE size = bitmapSize(bitmap);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, bitmap);
    if (width == size.cx && height == size.cy)
        BitBlt(target, x, y, width, height, source, 0, 0, SRCCOPY);
    else
        StretchBlt(target, x, y, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace

PictureBox::PictureBox(Container& container, std::string name, int left, int top, int width, int height)
    : WindowedControl(&container, std::move(name)) {
    m_left = left;
    m_top = top;
    HWND hwnd = CreateWindowEx(0, registerFormsClass("FormsPictureBox", windowProc), "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, width, height,
                               container.hWnd(), nullptr, GetModuleHandle(nullptr), this);
    attach(hwnd);
    makeSurface();
    Cls();
}

PictureBox::~PictureBox() {
    SelectObject(m_surface, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_surface);
}

std::unique_ptr<PictureBox> PictureBox::clone() const {
    auto copy = std::make_unique<PictureBox>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->copyPropertiesFrom(*this);
    copy->SetEnabled(m_enabled);
    copy->SetPicture(m_picture);
    copy->Cls();
    return copy;
}

void PictureBox::makeSurface() {
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = newSurfaceBitmap(m_width, m_height);
    HGDIOBJ old = SelectObject(fresh, bitmap);
    RECT all{0, 0, std::max(m_width, 1), std::max(m_height, 1)};
    HBRUSH brush = CreateSolidBrush(m_backColor);
    FillRect(fresh, &all, brush);
    DeleteObject(brush);
    if (m_surface) {
        BitBlt(fresh, 0, 0, m_width, m_height, m_surface, 0, 0, SRCCOPY);
        SelectObject(m_surface, m_oldBitmap);
        DeleteObject(m_bitmap);
        DeleteDC(m_surface);
    }
    m_surface = fresh;
    m_bitmap = bitmap;
    m_oldBitmap = old;
}

void PictureBox::placementChanged() {
    WindowedControl::placementChanged();
    makeSurface();
}

void PictureBox::SetPicture(HBITMAP picture) {
    m_picture = picture;
    if (picture) blitBitmap(m_surface, picture, 0, 0, bitmapSize(picture).cx, bitmapSize(picture).cy);
    invalidate();
}

void PictureBox::Cls() {
    RECT all{0, 0, m_width, m_height};
    HBRUSH brush = CreateSolidBrush(m_backColor);
    FillRect(m_surface, &all, brush);
    DeleteObject(brush);
    if (m_picture) blitBitmap(m_surface, m_picture, 0, 0, bitmapSize(m_picture).cx, bitmapSize(m_picture).cy);
    invalidate();
}

void PictureBox::SetBackColor(COLORREF colour) {
    m_backColor = colour;
    Cls();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(m_surface, pen);
    MoveToEx(m_surface, x1, y1, nullptr);
    LineTo(m_surface, x2, y2);
    SetPixelV(m_surface, x2, y2, colour);
    SelectObject(m_surface, old);
    DeleteObject(pen);
    invalidate();
}

void PictureBox::FillBox(int x1, int y1, int x2, int y2, COLORREF colour) {
    RECT box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(m_surface, &box, brush);
    DeleteObject(brush);
    invalidate();
}

void PictureBox::PaintPicture(HBITMAP picture, int x, int y, int width, int height) {
    SIZE size = bitmapSize(picture);
    blitBitmap(m_surface, picture, x, y, width < 0 ? size.cx : width, height < 0 ? size.cy : height);
    invalidate();
}

void PictureBox::invalidate() {
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

long PictureBox::Point(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return -1;
    return static_cast<long>(GetPixel(m_surface, x, y));
}

void PictureBox::paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    BitBlt(hdc, 0, 0, m_width, m_height, m_surface, 0, 0, SRCCOPY);
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
    if (msg == WM_SETFOCUS && GotFocus) GotFocus();
    if (msg == WM_KILLFOCUS && LostFocus) LostFocus();
    if (reflectToChild(msg, wParam, lParam) || routeKeyMessage(*this, m_hwnd, msg, wParam) ||
        handleMouse(*this, msg, wParam, lParam))
        return 0;
    return DefWindowProc(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PictureBox::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self || self->m_hwnd != hwnd) return DefWindowProc(hwnd, msg, wParam, lParam);
    return self->handle(msg, wParam, lParam);
}

} // namespace vb
