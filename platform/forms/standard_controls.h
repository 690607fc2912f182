#pragma once
// The windowed controls over the system's standard controls: TextBox (EDIT), ListBox (LISTBOX),
// CommandButton and CheckBox (BUTTON), VScrollBar and HScrollBar (SCROLLBAR). Their key messages go
// through the form (KeyPreview), their notifications come back as events.

#include "platform/forms/windowed_control.h"

#include <memory>
#include <string>

namespace vb {

class StandardControl : public WindowedControl {
protected:
    StandardControl(Container& container, std::string name, const char* className, DWORD style, int left,
                    int top, int width, int height, const std::string& text = "");
    ~StandardControl() override;
    // Takes the common properties of the array element `element` and hides (a run-time copy).
    void becomeHiddenCopyOf(const StandardControl& element);

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    static bool isButtonUp(UINT msg);
    // Raises the mouse event of a mouse message; false when the handler destroyed the control.
    bool mouseEvent(UINT msg, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previous = nullptr;
};

class TextBox : public StandardControl {
public:
    TextBox(Container& container, std::string name, int left, int top, int width, int height);

    std::string Text() const;
    void SetText(const std::string& text);
    // Places the caret (1-less than VB's 1-based position: 0 is before the first byte).
    void SetSelStart(int start);
    int SelStart() const;

    // Raised on every change of the text, by the user or the program.
    PlainEvent Change;

    bool reflect(UINT msg, WPARAM wParam) override;
    // A copy in the same container with the same text, hidden (a control array's run-time element).
    std::unique_ptr<TextBox> clone() const;
};

class ListBox : public StandardControl {
public:
    // With `sorted`, items are kept in order without regard to case. The box is as high as the
    // whole rows that fit in `height`.
    ListBox(Container& container, std::string name, int left, int top, int width, int height,
            bool sorted = false);

    void AddItem(const std::string& item);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    // The selected item's position, or -1. Setting it selects the item and raises Click.
    int ListIndex() const;
    void SetListIndex(int index);
    // The selected item's text, or "".
    std::string Text() const;

    bool reflect(UINT msg, WPARAM wParam) override;
    // A copy in the same container, sorted alike and holding the same items, none selected, hidden.
    std::unique_ptr<ListBox> clone() const;

private:
    // Shortens the box to a whole number of rows (integral height), so no row shows cut off.
    void fitWholeRows();
};

class CommandButton : public StandardControl {
public:
    CommandButton(Container& container, std::string name, int left, int top, int width, int height,
                  const std::string& caption);
    ~CommandButton() override;

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The default button is clicked by Enter, the cancel button by Escape, anywhere on the form.
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool isCancel);
    // Clicks the button as the user would.
    void press();

    bool reflect(UINT msg, WPARAM wParam) override;
    // A copy in the same container with the same caption, neither default nor cancel, hidden.
    std::unique_ptr<CommandButton> clone() const;

private:
    bool m_default = false;
    bool m_cancel = false;
};

class CheckBox : public StandardControl {
public:
    CheckBox(Container& container, std::string name, int left, int top, int width, int height,
             const std::string& caption);

    std::string Caption() const;

    // 0 unchecked, 1 checked. Setting it raises Click when it changes.
    int Value() const;
    void SetValue(int value);

    bool reflect(UINT msg, WPARAM wParam) override;
    // A copy in the same container with the same caption and value, hidden.
    std::unique_ptr<CheckBox> clone() const;
};

// A scroll bar whose value runs from Min at the top (or left) to Max at the bottom (or right); Min
// may exceed Max, so that the upper arrow raises the value.
class ScrollBar : public StandardControl {
public:
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    void SetMin(int min);
    void SetMax(int max);
    int Value() const { return m_value; }
    // Sets the value (kept within Min and Max); Change follows when it differs.
    void SetValue(int value);
    int SmallChange = 1;
    int LargeChange = 1;

    // Raised when the value changed, by the user or the program; Scroll while the thumb is dragged.
    PlainEvent Change, Scroll;

    bool reflect(UINT msg, WPARAM wParam) override;

protected:
    ScrollBar(Container& container, std::string name, bool vertical, int left, int top, int width,
              int height);
    // Copies the common properties, the range, value and steps of `other`, and hides the copy.
    void copyFrom(const ScrollBar& other);

private:
    void updateBar();
    int positionOf(int value) const;
    int valueAt(int position) const;
    int step() const { return m_max >= m_min ? 1 : -1; }

    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
};

class VScrollBar : public ScrollBar {
public:
    VScrollBar(Container& container, std::string name, int left, int top, int width, int height)
        : ScrollBar(container, std::move(name), true, left, top, width, height) {}
    // A copy in the same container with the same range, value and steps, hidden.
    std::unique_ptr<VScrollBar> clone() const {
        auto copy = std::make_unique<VScrollBar>(*m_container, Name, m_left, m_top, m_width, m_height);
        copy->copyFrom(*this);
        return copy;
    }
};

class HScrollBar : public ScrollBar {
public:
    HScrollBar(Container& container, std::string name, int left, int top, int width, int height)
        : ScrollBar(container, std::move(name), false, left, top, width, height) {}
    // A copy in the same container with the same range, value and steps, hidden.
    std::unique_ptr<HScrollBar> clone() const {
        auto copy = std::make_unique<HScrollBar>(*m_container, Name, m_left, m_top, m_width, m_height);
        copy->copyFrom(*this);
        return copy;
    }
};

} // namespace vb
