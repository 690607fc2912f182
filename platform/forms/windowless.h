#pragma once
// The windowless controls: Label, Image and Shape, painted and hit-tested by their container.

#include "platform/forms/control.h"

#include <memory>

namespace vb {

enum BackStyle { vbTransparent = 0, vbOpaque = 1 };
enum Alignment { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

class Label : public WindowlessControl {
public:
    Label(Container& container, std::string name, int left, int top, int width, int height);

    const std::string& Caption() const { return m_caption; }
    // Sets the caption; with AutoSize, the label then takes the caption's size.
    void SetCaption(const std::string& caption);
    // With AutoSize on, the label is as wide and high as its caption in its font (from now on and
    // whenever the caption changes), so the area around the text belongs to the container.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    int BackStyle = vbOpaque;
    int Alignment = vbLeftJustify;
    // The font; null for the default GUI font. Not owned.
    HFONT Font = nullptr;

    void paint(HDC hdc) override;
    // A copy in the same container, hidden (a control array's run-time element).
    std::unique_ptr<Label> clone() const;

private:
    void fitCaption();

    std::string m_caption;
    bool m_autoSize = false;
};

class Image : public WindowlessControl {
public:
    Image(Container& container, std::string name, int left, int top, int width, int height);

    // The picture, drawn at its own size or, with Stretch, at the control's. Not owned.
    void SetPicture(HBITMAP picture);
    HBITMAP Picture() const { return m_picture; }
    bool Stretch = false;

    void paint(HDC hdc) override;
    // A copy in the same container, hidden (a control array's run-time element).
    std::unique_ptr<Image> clone() const;

private:
    HBITMAP m_picture = nullptr;
};

// A rectangle outline in BorderColor.
class Shape : public WindowlessControl {
public:
    Shape(Container& container, std::string name, int left, int top, int width, int height);

    COLORREF BorderColor = 0;

    void paint(HDC hdc) override;
    // A copy in the same container, hidden (a control array's run-time element).
    std::unique_ptr<Shape> clone() const;
};

} // namespace vb
