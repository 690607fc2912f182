#pragma once
// A long operation's progress shown in a dialog's progress text and progress bar. Each step keeps
// the dialog alive (paints, the Stop button) by handling the waiting messages every few
// milliseconds.

#include "querytool/sql_dump.h"

#include "platform/win/windows.h"

class WindowProgress : public DumpProgress {
public:
    WindowProgress(HWND dialog, HWND text, HWND bar) : m_dialog(dialog), m_text(text), m_bar(bar) {}

    void SetText(const std::string& text) override;
    void SetRange(int low, int high, int step) override;
    void Step() override;
    bool Stopped() override { return m_stopped; }
    void Stop() { m_stopped = true; }

private:
    void handleWaitingMessages();

    HWND m_dialog;
    HWND m_text;
    HWND m_bar;
    bool m_stopped = false;
    DWORD m_lastHandled = 0;
};
