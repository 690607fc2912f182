#pragma once
// The base of every control of a form, and the containers that paint and hit-test windowless
// controls. Positions and sizes are pixels relative to the container; colours are COLORREFs.

#include "platform/win/windows.h"

#include <functional>
#include <string>
#include <vector>

namespace vb {

// Mouse buttons as events report them: the one button that changed on Down and Up, the mask of the
// held buttons on Move. Shift is 1 Shift, 2 Ctrl, 4 Alt.
enum MouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftMask { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

using MouseEvent = std::function<void(int button, int shift, int x, int y)>;
using PlainEvent = std::function<void()>;
using KeyEvent = std::function<void(int& keyCode, int shift)>;
using KeyPressEvent = std::function<void(int& keyAscii)>;

// The shift mask of the keys held now.
int currentShiftMask();
// The button a button message is about (vbLeftButton...), 0 for other messages.
int buttonOfMessage(UINT msg);
// The mask of the buttons held, from a mouse message's key flags.
int heldButtonsMask(WPARAM keys);

class Container;

class Control {
public:
    Control(Container* container, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string Name;
    int Index = -1; // the position in a control array, -1 outside one
    std::string Tag;
    std::string ToolTipText;

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Moves and sizes the control; a negative width or height keeps the current one.
    void Move(int left, int top, int width = -1, int height = -1);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    COLORREF BackColor() const { return m_backColor; }
    virtual void SetBackColor(COLORREF colour);
    COLORREF ForeColor() const { return m_foreColor; }
    void SetForeColor(COLORREF colour);

    Container* GetContainer() const { return m_container; }
    // Repaints the control now.
    virtual void Refresh() = 0;

    PlainEvent Click, DblClick;
    MouseEvent MouseDown, MouseMove, MouseUp;
    PlainEvent GotFocus, LostFocus;
    KeyEvent KeyDown;
    KeyPressEvent KeyPress;

protected:
    // Copies the properties every control has (not the name, index or visibility) from `other`.
    void copyPropertiesFrom(const Control& other);
    virtual void placementChanged() = 0;
    virtual void stateChanged() = 0;

    Container* m_container;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    COLORREF m_backColor;
    COLORREF m_foreColor = 0;
};

// A control without a window of its own (Label, Image, Shape): its container paints it above the
// container's surface, in z-order, and hands it the mouse events over it.
class WindowlessControl : public Control {
public:
    WindowlessControl(Container& container, std::string name);
    ~WindowlessControl() override;

    void Refresh() override;
    // Puts the control above (true) or below (false) its windowless siblings.
    void ZOrder(bool front = true);
    bool contains(POINT p) const;
    virtual void paint(HDC hdc) = 0;

protected:
    void placementChanged() override;
    void stateChanged() override;
};

// A control that is a window of ours; its window procedure runs the container side for windowless
// children and turns mouse messages into events.
class Container {
public:
    virtual ~Container() = default;
    virtual HWND hWnd() const = 0;

    void addWindowless(WindowlessControl* control);
    void removeWindowless(WindowlessControl* control);
    void raiseWindowless(WindowlessControl* control, bool front);
    // Paints the visible windowless children, bottom first.
    void paintWindowless(HDC hdc);
    // The topmost visible, enabled windowless child at `p`, or nullptr.
    WindowlessControl* windowlessAt(POINT p) const;
    // Handles a mouse message for the container's own `self` events and its windowless children:
    // the window captures the mouse on a press, and the control pressed keeps the gesture.
    bool handleMouse(Control& self, UINT msg, WPARAM wParam, LPARAM lParam);
    // Rebuilds the tool tips of the windowless children (visible ones, topmost first) ahead of the
    // container's own.
    void syncToolTips();

private:
    std::vector<WindowlessControl*> m_windowless; // bottom first
    Control* m_pressed = nullptr;
    int m_buttonsDown = 0;
    bool m_doubleClicked = false; // the gesture began with a double click: no Click after it
};

} // namespace vb
