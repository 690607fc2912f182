#pragma once
// One splitter bar of a query window: a 4-pixel window that the user drags; it keeps its place as a
// share of the query window's width (vertical) or height (horizontal).

#include "querytool/settings_file.h"

#include "platform/win/windows.h"

// The x (or y) of a splitter at the share of the extent: percent × 0.01f × extent, truncated.
int SplitterPosition(int percent, int extent);

// Where a drag to the cursor position puts the splitter: (position, percent) clamped to 1 and
// extent - 5.
struct SplitterDrag {
    int position;
    int percent;
};
SplitterDrag DragSplitter(int cursor, int extent);

class CSplitter {
public:
    CSplitter(HWND queryWindow, bool vertical, int percent);
    virtual ~CSplitter();
    CSplitter(const CSplitter&) = delete;
    CSplitter& operator=(const CSplitter&) = delete;

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Window() const { return m_window; }
    const RECT& Rect() const { return m_rect; }
    int Percent() const { return m_percent; }
    void SetPercent(int percent) { m_percent = percent; }
    int SavedPercent() const { return m_savedPercent; }
    void SetSavedPercent(int percent) { m_savedPercent = percent; }
    // Places the window at x, y with the given size and remembers the rectangle (x, y, width, height).
    void Place(int x, int y, int width, int height);
    SplitterLayout Layout() const;

private:
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_dragging = false;
    HWND m_window = nullptr;
    HWND m_queryWindow;
    RECT m_rect{}; // left, top, width, height
    int m_percent;
    int m_savedPercent;
    bool m_vertical;
};
