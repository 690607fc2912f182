#pragma once
// The "Blob Field" window: one cell of a result shown as a picture when its bytes are one, else as
// text. One per application; modeless, hidden when the active query window changes.

#include "querytool/query_result.h"

#include "platform/win/windows.h"

#include <cstdint>

class CBlobViewer {
public:
    CBlobViewer() = default;
    virtual ~CBlobViewer();
    CBlobViewer(const CBlobViewer&) = delete;
    CBlobViewer& operator=(const CBlobViewer&) = delete;

    HWND Window() const { return m_window; }
    // Shows the value of field `column` (counted from 1) of the row, placed by the result view.
    void ShowCell(HWND resultView, const QueryResult& result, std::uint64_t row, unsigned int column);
    void Hide();
    // The picture shown, or null when the value is shown as text.
    HBITMAP Picture() const { return m_picture; }

private:
    static INT_PTR CALLBACK BlobDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    bool open();
    void paint();
    void forgetPicture();

    HWND m_window = nullptr;
    HBITMAP m_picture = nullptr;
};
