#include "platform/forms/windowless.h"

namespace vb {
namespace {

RECT boundsOf(const Control& control) {
    return RECT{control.Left(), control.Top(), control.Left() + control.Width(),
                control.Top() + control.Height()};
}

} // namespace

Label::Label(Container& container, std::string name, int left, int top, int width, int height)
    : WindowlessControl(container, std::move(name)) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    m_container->syncToolTips();
}

void Label::SetCaption(const std::string& caption) {
    m_caption = caption;
    if (m_autoSize) fitCaption();
    Refresh();
}

void Label::SetAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    if (m_autoSize) fitCaption();
}

void Label::fitCaption() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &size);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    Move(m_left, m_top, size.cx, size.cy);
}

std::unique_ptr<Label> Label::clone() const {
    auto copy = std::make_unique<Label>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->copyPropertiesFrom(*this);
    copy->m_caption = m_caption;
    copy->m_autoSize = m_autoSize;
    copy->BackStyle = BackStyle;
    copy->Alignment = Alignment;
    copy->Font = Font;
    return copy;
}

void Label::paint(HDC hdc) {
    RECT box = boundsOf(*this);
    if (BackStyle == vbOpaque) {
        HBRUSH brush = CreateSolidBrush(m_backColor);
        FillRect(hdc, &box, brush);
        DeleteObject(brush);
    }
    HGDIOBJ oldFont = SelectObject(hdc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(hdc, m_enabled ? m_foreColor : GetSysColor(COLOR_GRAYTEXT));
    UINT align = Alignment == vbCenter ? DT_CENTER : Alignment == vbRightJustify ? DT_RIGHT : DT_LEFT;
    DrawText(hdc, m_caption.c_str(), static_cast<int>(m_caption.size()), &box, align | DT_WORDBREAK);
    SetTextColor(hdc, oldColour);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

Image::Image(Container& container, std::string name, int left, int top, int width, int height)
    : WindowlessControl(container, std::move(name)) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    m_container->syncToolTips();
}

void Image::SetPicture(HBITMAP picture) {
    m_picture = picture;
    Refresh();
}

std::unique_ptr<Image> Image::clone() const {
    auto copy = std::make_unique<Image>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->copyPropertiesFrom(*this);
    copy->m_picture = m_picture;
    copy->Stretch = Stretch;
    return copy;
}

void Image::paint(HDC hdc) {
    if (!m_picture) return;
    BITMAP info{};
    GetObject(m_picture, sizeof info, &info);
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, m_picture);
    if (Stretch)
        StretchBlt(hdc, m_left, m_top, m_width, m_height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    else
        BitBlt(hdc, m_left, m_top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

Shape::Shape(Container& container, std::string name, int left, int top, int width, int height)
    : WindowlessControl(container, std::move(name)) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    m_container->syncToolTips();
}

std::unique_ptr<Shape> Shape::clone() const {
    auto copy = std::make_unique<Shape>(*m_container, Name, m_left, m_top, m_width, m_height);
    copy->copyPropertiesFrom(*this);
    copy->BorderColor = BorderColor;
    return copy;
}

void Shape::paint(HDC hdc) {
    HPEN pen = CreatePen(PS_SOLID, 1, BorderColor);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, m_left, m_top, m_left + m_width, m_top + m_height);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
}

} // namespace vb
