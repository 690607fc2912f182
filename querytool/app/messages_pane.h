#pragma once
// The messages pane: a rich edit that shows the messages text of the last run.

#include "platform/win/windows.h"

#include <string>

class CMessagesPane {
public:
    explicit CMessagesPane(HWND tabControl);
    virtual ~CMessagesPane();
    CMessagesPane(const CMessagesPane&) = delete;
    CMessagesPane& operator=(const CMessagesPane&) = delete;

    HWND Window() const { return m_window; }
    void SetText(const std::string& text);

private:
    HWND m_window = nullptr;
    HWND m_tabControl;
    HFONT m_font = nullptr;
};
