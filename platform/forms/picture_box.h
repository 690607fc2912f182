#pragma once
// PictureBox: a window with a persistent drawing surface. Everything drawn goes to the surface and
// stays; painting shows the surface, then the windowless controls on it. Drawing marks the window for
// repainting when the program next waits; Refresh repaints at once.

#include "platform/forms/drawing_surface.h"
#include "platform/forms/windowed_control.h"

#include <memory>

namespace vb {

class PictureBox : public WindowedControl, public Container {
public:
    PictureBox(Container& container, std::string name, int left, int top, int width, int height);
    ~PictureBox() override;

    HWND hWnd() const override { return m_hwnd; }

    // The picture drawn at the top-left at its own size; it survives Cls. Not owned.
    void SetPicture(HBITMAP picture);
    HBITMAP Picture() const { return m_picture; }
    // Clears the surface to the back colour and draws the picture.
    void Cls();
    // A one-pixel line including both ends.
    void Line(int x1, int y1, int x2, int y2, COLORREF colour);
    // A filled box including both corners.
    void FillBox(int x1, int y1, int x2, int y2, COLORREF colour);
    // Draws `picture` at (x, y), scaled to width x height when they are given.
    void PaintPicture(HBITMAP picture, int x, int y, int width = -1, int height = -1);
    // The colour at (x, y) of the surface, or -1 outside it.
    long Point(int x, int y) const;
    // The memory device context of the surface, for drawing into it directly.
    HDC surfaceDC() const { return m_surface->dc(); }

    void SetBackColor(COLORREF colour) override;
    // A copy in the same container with the same back colour and picture, hidden.
    std::unique_ptr<PictureBox> clone() const;

protected:
    void placementChanged() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void invalidate();
    void paint();

    std::unique_ptr<DrawingSurface> m_surface;
    HBITMAP m_picture = nullptr;
};

} // namespace vb
