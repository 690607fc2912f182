#pragma once
// Timer: raises its Timer event every Interval milliseconds while enabled. A tick that falls while
// the event still runs (a DoEvents inside it) is skipped.

#include "platform/forms/control.h"

namespace vb {

class Timer {
public:
    explicit Timer(std::string name, int interval = 0, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::string Name;
    std::string Tag;
    PlainEvent OnTimer;

    // The period in milliseconds; 0 stops the timer (periods below the system's minimum run at it).
    int Interval() const { return m_interval; }
    void SetInterval(int interval);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    void restart();
    void fire();

    int m_interval;
    bool m_enabled;
    bool m_running = false;
    UINT_PTR m_id = 0;
};

} // namespace vb
