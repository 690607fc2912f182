#pragma once
// The query window's status bar: part 0 texts, elapsed milliseconds, row count and caret position.

#include "platform/win/windows.h"

#include <cstdint>
#include <string>

// The right edges of the four parts for a client width.
void StatusPartEdges(int width, int edges[4]);

class CQueryStatusBar {
public:
    explicit CQueryStatusBar(HWND queryWindow);
    virtual ~CQueryStatusBar();
    CQueryStatusBar(const CQueryStatusBar&) = delete;
    CQueryStatusBar& operator=(const CQueryStatusBar&) = delete;

    HWND Window() const { return m_window; }
    void SetText(const char* text);
    void ShowElapsed(std::uint32_t milliseconds);
    void ShowRowCount(std::uint64_t rows);
    void ShowCaretPosition(HWND editor);
    void ShowBatchResult(bool success);
    // Places the bar along the bottom of a client area of the width and height.
    void Layout(int width, int height);
    std::string PartText(int part) const;

private:
    void setPart(int part, const std::string& text);

    int m_edges[4] = {0, 0, 0, -1};
    HWND m_queryWindow;
    HWND m_window = nullptr;
};
