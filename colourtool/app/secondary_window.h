#pragma once
// Helpers shared by the colour tool's secondary windows: placing a window over the main window and
// following its always-on-top state, and keeping one instance of a window class.

#include "platform/forms/form.h"

namespace tintara {

// Centres `window` over `main`: left = main left + main width / 2 - width / 2, top likewise.
void centreOver(vb::Form& window, const vb::Form& main);

// Centres `window` over the main window, shows it without making it modal, and makes it topmost
// when the main window is always on top.
void showOverMainWindow(vb::Form& window);

// One window of class T, created on first use and kept (unloaded, hidden) after it is closed; it
// lives until destroy() or the end of the program.
template <class T> class SingleWindow {
public:
    SingleWindow() = default;
    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;

    T& get() {
        if (!m_window) m_window = new T();
        return *m_window;
    }
    T* find() const { return m_window; }
    void destroy() {
        delete m_window;
        m_window = nullptr;
    }

private:
    // Not deleted at exit: windows are not destroyed after the window system has ended.
    T* m_window = nullptr;
};

} // namespace tintara
