#include "platform/forms/timer.h"

#include <map>

namespace vb {
namespace {

std::map<UINT_PTR, Timer*>& timers() {
    static std::map<UINT_PTR, Timer*> map;
    return map;
}

} // namespace

Timer::Timer(std::string name, int interval, bool enabled)
    : Name(std::move(name)), m_interval(interval), m_enabled(enabled) {
    restart();
}

Timer::~Timer() {
    m_enabled = false;
    restart();
}

void Timer::SetInterval(int interval) {
    m_interval = interval;
    restart();
}

void Timer::SetEnabled(bool enabled) {
    m_enabled = enabled;
    restart();
}

void Timer::restart() {
    if (m_id) {
        KillTimer(nullptr, m_id);
        timers().erase(m_id);
        m_id = 0;
    }
    if (!m_enabled || m_interval <= 0) return;
    m_id = SetTimer(nullptr, 0, static_cast<UINT>(m_interval), tick);
    timers()[m_id] = this;
}

void Timer::fire() {
    if (m_running || !OnTimer) return;
    m_running = true;
    OnTimer();
    m_running = false;
}

void CALLBACK Timer::tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = timers().find(id);
    if (it != timers().end()) it->second->fire();
}

} // namespace vb
