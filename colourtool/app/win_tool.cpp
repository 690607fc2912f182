#include "colourtool/app/win_tool.h"

#include "colourtool/app/drawn_pictures.h"

#include <stdexcept>

namespace tintara {
namespace {

constexpr COLORREF kLight = 0xC0C0C0;
constexpr COLORREF kDark = 0x808080;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

enum class Edge { Flat, Raised, Sunken };

// The edge colour of (x, y) in a width x height box, or none inside it.
COLORREF edgeColour(Edge edge, int x, int y, int width, int height, COLORREF inside) {
    if (edge == Edge::Flat) return inside;
    bool topLeft = x == 0 || y == 0;
    bool bottomRight = x == width - 1 || y == height - 1;
    if (bottomRight) return edge == Edge::Raised ? kDark : kWhite;
    if (topLeft) return edge == Edge::Raised ? kWhite : kDark;
    return inside;
}

bool inTriangle(int x, int y) {
    // 5, 3 and 1 pixels in rows 10-12, columns 2-6.
    int row = y - 10;
    return row >= 0 && row <= 2 && x >= 2 + row && x <= 6 - row;
}

} // namespace

// The stored images the bar is drawn from.
class WinToolImages {
public:
    WinToolImages() {
        mover[0] = drawPicture(9, 22, [](int x, int y) {
            if (y < 2 || y > 19 || x < 2 || x > 4) return kLight;
            return edgeColour(Edge::Raised, x - 2, y - 2, 3, 18, kLight);
        });
        mover[1] = drawPicture(9, 22, [](int x, int y) {
            if (x < 2 || x > 7) return kLight;
            int left = x < 5 ? 2 : 5;
            return edgeColour(Edge::Raised, x - left, y, 3, 22, kLight);
        });
        mover[2] = drawPicture(1, 22, [](int, int) { return kLight; });
        mover[3] = drawPicture(1, 22, [](int, int) { return kLight; });
        face(0, Edge::Raised, false);
        face(1, Edge::Flat, false);
        face(2, Edge::Sunken, false);
        face(3, Edge::Sunken, true);
        const Edge arrowEdges[3] = {Edge::Raised, Edge::Flat, Edge::Sunken};
        for (int i = 0; i < 3; ++i) {
            Edge edge = arrowEdges[i];
            dropDown[i] = drawPicture(WinTool::kArrowWidth, WinTool::kButtonHeight, [edge](int x, int y) {
                if (inTriangle(x, y)) return kBlack;
                return edgeColour(edge, x, y, WinTool::kArrowWidth, WinTool::kButtonHeight, kLight);
            });
        }
        spacer = drawPicture(WinTool::kSpacerWidth, WinTool::kButtonHeight, [](int x, int) {
            return x == 2 ? kDark : x == 3 ? kWhite : kLight;
        });
    }
    ~WinToolImages() {
        for (HBITMAP image : mover)
            DeleteObject(image);
        for (HBITMAP image : buttons)
            DeleteObject(image);
        for (HBITMAP image : dropDown)
            DeleteObject(image);
        DeleteObject(spacer);
    }
    WinToolImages(const WinToolImages&) = delete;
    WinToolImages& operator=(const WinToolImages&) = delete;

    HBITMAP mover[4] = {};
    HBITMAP buttons[4] = {};
    HBITMAP dropDown[3] = {};
    HBITMAP spacer = nullptr;

private:
    void face(int index, Edge edge, bool checkered) {
        buttons[index] =
            drawPicture(WinTool::kFaceWidth, WinTool::kButtonHeight, [edge, checkered](int x, int y) {
                COLORREF inside = checkered && (x + y) % 2 == 0 ? kWhite : kLight;
                return edgeColour(edge, x, y, WinTool::kFaceWidth, WinTool::kButtonHeight, inside);
            });
    }
};

WinTool::WinTool(vb::Container& container, std::string name, int left, int top, int width)
    : vb::UserControl(container, std::move(name), left, top, width, 26),
      MouseEventHandler(*this, "MouseEventHandler", 0, 0, width, 26), Timer1("Timer1", 1, false),
      m_images(std::make_unique<WinToolImages>()) {
    SetBackColor(kLight);
    MouseEventHandler.BackStyle = vb::vbTransparent;
    MouseEventHandler.MouseDown = [this](int button, int, int x, int y) { press(button, x, y); };
    MouseEventHandler.MouseMove = [this](int button, int, int x, int y) {
        if (button & vb::vbLeftButton) press(vb::vbLeftButton, x, y);
    };
    MouseEventHandler.MouseUp = [this](int button, int, int x, int y) { release(button, x, y); };
    Timer1.OnTimer = [this] { hoverTick(); };
    UserControl_Resize();
    paintBar();
}

WinTool::~WinTool() {
    Timer1.SetEnabled(false);
}

void WinTool::AddButton(const std::string& CallName, HBITMAP picture, const std::string& ToolTipText,
                        bool DropDown, bool EndingSpace) {
    if (ButtonCount() >= kMaxButtons) throw std::out_of_range("Subscript out of range");
    if (!Timer1.Enabled()) Timer1.SetEnabled(true);
    ToolButton button;
    button.CallName = CallName;
    button.ToolTipText = ToolTipText;
    button.DropDown = DropDown;
    button.EndingSpace = EndingSpace;
    m_buttons.push_back(button);
    m_pictures.push_back(picture);
    UserControl_Resize();
    paintBar();
}

void WinTool::Check(const std::string& CallName) {
    for (ToolButton& button : m_buttons)
        if (button.CallName == CallName) button.Checked = true;
}

void WinTool::Clear(const std::string& CallName) {
    for (ToolButton& button : m_buttons)
        if (button.CallName == CallName) button.Checked = false;
}

void WinTool::SetStyle(int style) {
    m_style = style;
    UserControl_Resize();
    paintBar();
}

void WinTool::UserControl_Resize() {
    MouseEventHandler.Move(0, 0, Width(), Height());
    int height = -1;
    switch (m_style) {
    case 0:
    case 1:
        height = 26, m_margin = 2;
        break;
    case 2:
        height = 24, m_margin = 1;
        break;
    case 3:
        height = 22, m_margin = 0;
        break;
    default:
        return;
    }
    if (Height() != height) Move(Left(), Top(), Width(), height);
    MouseEventHandler.Move(0, 0, Width(), Height());
}

int WinTool::faceLeft(int index) const {
    int x = m_margin + moverWidth();
    for (int i = 0; i < index && i < ButtonCount(); ++i)
        x += partsWidth(m_buttons[static_cast<std::size_t>(i)]);
    return x;
}

int WinTool::moverWidth() const {
    return m_style == 0 || m_style == 1 ? 9 : 1;
}

int WinTool::partsWidth(const ToolButton& button) {
    return kFaceWidth + (button.DropDown ? kArrowWidth : 0) + (button.EndingSpace ? kSpacerWidth : 0);
}

bool WinTool::inside(int left, int width, int px, int py) const {
    if (px < 0) px = 0;
    if (py < 0) py = 0;
    return left < px && px < left + width && TopMargin() <= py && py <= TopMargin() + kButtonHeight && py > 1;
}

void WinTool::hoverTick() {
    RECT window{};
    POINT cursor{};
    GetWindowRect(hWnd(), &window);
    GetCursorPos(&cursor);
    int px = cursor.x - window.left, py = cursor.y - window.top;
    std::string tip;
    for (int i = 0; i < ButtonCount(); ++i) {
        ToolButton& button = m_buttons[static_cast<std::size_t>(i)];
        int width = kFaceWidth + (button.DropDown ? kArrowWidth : 0);
        if (inside(faceLeft(i), width, px, py)) {
            button.Hot = true;
            tip = button.ToolTipText;
        } else {
            button.Hot = button.Pressed = button.DropPressed = false;
        }
    }
    if (tip == MouseEventHandler.ToolTipText) return;
    MouseEventHandler.ToolTipText = tip;
    paintBar();
}

void WinTool::press(int mouseButton, int x, int y) {
    bool left = mouseButton == vb::vbLeftButton;
    for (int i = 0; i < ButtonCount(); ++i) {
        ToolButton& button = m_buttons[static_cast<std::size_t>(i)];
        int face = faceLeft(i);
        if (!inside(face, kFaceWidth, x, y))
            button.Pressed = false;
        else if (left)
            button.Pressed = true;
        if (!button.DropDown) continue;
        if (!inside(face + kFaceWidth, kArrowWidth, x, y))
            button.DropPressed = false;
        else if (left)
            button.DropPressed = true;
    }
    paintBar();
}

void WinTool::release(int mouseButton, int x, int y) {
    bool left = mouseButton == vb::vbLeftButton;
    for (int i = 0; i < ButtonCount(); ++i) {
        int face = faceLeft(i);
        if (inside(face, kFaceWidth, x, y)) {
            raise(i, left, false);
            m_buttons[static_cast<std::size_t>(i)].Pressed = false;
        }
        if (m_buttons[static_cast<std::size_t>(i)].DropDown && inside(face + kFaceWidth, kArrowWidth, x, y)) {
            raise(i, left, true);
            m_buttons[static_cast<std::size_t>(i)].DropPressed = false;
        }
    }
    paintBar();
}

void WinTool::raise(int index, bool left, bool dropDown) {
    if (!left || !ButtonClick) return;
    std::string key = m_buttons[static_cast<std::size_t>(index)].CallName;
    bool drop = dropDown;
    ButtonClick(key, drop);
}

void WinTool::paintBar() {
    Cls();
    int w = Width(), h = Height();
    if (m_style != 3) {
        Line(0, 0, 0, h, kWhite);
        Line(0, 0, w, 0, kWhite);
        Line(w - 1, 0, w - 1, h, kDark);
        Line(0, h - 1, w - 1, h - 1, kDark);
        if (m_style >= 0 && m_style <= 2) PaintPicture(m_images->mover[m_style], LeftMargin(), TopMargin());
    }
    int x = m_margin + moverWidth();
    for (int i = 0; i < ButtonCount(); ++i) {
        const ToolButton& button = m_buttons[static_cast<std::size_t>(i)];
        PaintPicture(m_images->buttons[faceImage(button)], x, TopMargin());
        int inset = button.Pressed || button.Checked ? 4 : 3;
        if (m_pictures[static_cast<std::size_t>(i)])
            PaintPicture(m_pictures[static_cast<std::size_t>(i)], x + inset, TopMargin() + inset, 16, 16);
        x += kFaceWidth;
        if (button.DropDown) {
            int arrow = button.DropPressed ? 2 : button.Hot ? 0 : 1;
            PaintPicture(m_images->dropDown[arrow], x, TopMargin(), kArrowWidth, kButtonHeight);
            x += kArrowWidth;
        }
        if (button.EndingSpace) {
            PaintPicture(m_images->spacer, x, 1, kSpacerWidth, kButtonHeight);
            x += kSpacerWidth;
        }
    }
    Refresh();
}

int WinTool::faceImage(const ToolButton& button) {
    if (button.Pressed) return 2;
    if (button.Hot) return button.Checked ? 2 : 0;
    return button.Checked ? 3 : 1;
}

} // namespace tintara
