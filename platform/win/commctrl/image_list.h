#pragma once
// An image list: images of one size side by side in one colour bitmap, with a monochrome mask
// beside them when the list has ILC_MASK (mask bit 1: transparent).

#include "platform/win/commctrl.h"

#include <array>
#include <memory>

namespace pm::cc {

class ImageList {
public:
    ImageList(int cx, int cy, UINT flags, int initial, int grow);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int count() const { return m_count; }
    int width() const { return m_cx; }
    int height() const { return m_cy; }
    bool masked() const { return m_flags & ILC_MASK; }
    UINT flags() const { return m_flags; }
    int grow() const { return m_grow; }

    // Appends the images of `image` (and of `mask` when given); the first new index or -1.
    int add(HBITMAP image, HBITMAP mask);
    // Appends the images of `image`, the pixels of colour `key` made transparent.
    int addMasked(HBITMAP image, COLORREF key);
    bool replace(int i, HBITMAP image, HBITMAP mask);
    // Replaces image i by the icon; i == -1 appends. The index or -1.
    int replaceIcon(int i, HICON icon);
    bool remove(int i);
    bool setCount(int n);
    void setSize(int cx, int cy);
    bool draw(int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg, UINT style) const;
    bool info(int i, IMAGEINFO& out) const;
    HICON icon(int i, UINT style) const;
    COLORREF setBkColor(COLORREF colour);
    COLORREF bkColor() const { return m_bk; }
    bool setOverlay(int image, int overlay);
    // A copy with the same images, masks, colour and overlays.
    ImageList* duplicate() const;

private:
    bool valid(int i) const { return i >= 0 && i < m_count; }
    void reserve(int n);
    void copySlot(int to, HBITMAP image, int sx, HBITMAP mask, int cx, int cy);
    void maskByColour(int first, int n, COLORREF key);
    void moveSlots(int from, int to, int n);
    bool blend(int i, COLORREF fg, int percent, HDC dc, int x, int y, int w, int h, bool transparent) const;

    int m_cx, m_cy;
    UINT m_flags;
    int m_grow;
    int m_count = 0;
    int m_capacity = 0;
    HBITMAP m_image = nullptr;
    HBITMAP m_mask = nullptr;
    COLORREF m_bk = CLR_NONE;
    std::array<int, 15> m_overlays;
};

// The list behind a handle, or nullptr for 0 and stale handles.
ImageList* imageListOf(HIMAGELIST himl);
// A handle for a new list.
HIMAGELIST registerImageList(std::unique_ptr<ImageList> list);
// Frees the list of a live handle; false for 0 and stale handles.
bool destroyImageList(HIMAGELIST himl);

} // namespace pm::cc
