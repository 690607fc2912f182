#pragma once
// WinTool: the colour tool's owner-drawn tool bar. Buttons are appended with AddButton and drawn
// from stored images (gripper, faces, arrow parts, separator); a transparent overlay takes the mouse
// and the tool tip; a hover timer highlights the button under the pointer. A left release over a
// button raises ButtonClick with its key and whether the release was on its arrow part.

#include "platform/forms/timer.h"
#include "platform/forms/user_control.h"
#include "platform/forms/windowless.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tintara {

class WinToolImages;

struct ToolButton {
    std::string CallName;
    std::string ToolTipText;
    bool DropDown = false;
    bool EndingSpace = false;
    bool Hot = false;
    bool Pressed = false;
    bool DropPressed = false;
    bool Checked = false;
};

class WinTool : public vb::UserControl {
public:
    static constexpr int kMaxButtons = 101;
    static constexpr int kFaceWidth = 23;
    static constexpr int kArrowWidth = 9;
    static constexpr int kSpacerWidth = 6;
    static constexpr int kButtonHeight = 22;

    WinTool(vb::Container& container, std::string name, int left, int top, int width);
    ~WinTool() override;

    // Appends a button; throws std::out_of_range when all 101 slots are used (nothing changes then).
    // `picture` is not owned.
    void AddButton(const std::string& CallName, HBITMAP picture, const std::string& ToolTipText,
                   bool DropDown, bool EndingSpace = false);
    // Sets or clears the check state of every button with this key; no repaint.
    void Check(const std::string& CallName);
    void Clear(const std::string& CallName);

    int Style() const { return m_style; }
    // Stores the layout style (0-3), lays out and repaints.
    void SetStyle(int style);

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    const ToolButton& button(int index) const { return m_buttons.at(index); }
    int LeftMargin() const { return m_margin; }
    int TopMargin() const { return m_margin; }
    // The left edge of button `index`'s face in the layout walk.
    int faceLeft(int index) const;

    // Raised on a left release over a button: its key, and true over the arrow part.
    std::function<void(std::string& CurrentButton, bool& DropDown)> ButtonClick;

    // One hover tick: highlights the button under the cursor and sets the tool tip.
    void hoverTick();
    // The tool tip the overlay shows.
    const std::string& tipText() const { return MouseEventHandler.ToolTipText; }

    vb::Label MouseEventHandler; // transparent overlay over the whole control
    vb::Timer Timer1;

protected:
    void UserControl_Resize() override;

private:
    void press(int button, int x, int y);
    void release(int button, int x, int y);
    // Raises ButtonClick for button `index` when the left button was released.
    void raise(int index, bool left, bool dropDown);
    int moverWidth() const;
    static int partsWidth(const ToolButton& button);
    // The face image for a button's state: 0 hot, 1 normal, 2 pressed, 3 checked.
    static int faceImage(const ToolButton& button);
    void paintBar();
    void drawImage(HBITMAP image, int x, int y, int width = -1, int height = -1);
    // Whether (px, py) lies inside a part starting at `left` of width `width`.
    bool inside(int left, int width, int px, int py) const;

    std::unique_ptr<WinToolImages> m_images;
    std::vector<ToolButton> m_buttons;
    std::vector<HBITMAP> m_pictures; // not owned
    int m_style = 0;
    int m_margin = 2;
};

} // namespace tintara
