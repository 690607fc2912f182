#pragma once
// The one Qt widget class behind every window. It shows the window's backing image and turns Qt's
// input and window-system events into queued messages; it never calls a window procedure.

#include "platform/win/handles.h"

#include <QWidget>

namespace pm::wm {

class WindowWidget final : public QWidget {
public:
    WindowWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags);
    HWND hwnd() const { return m_hwnd; }
    void detach() { m_hwnd = nullptr; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    HWND m_hwnd;
};

} // namespace pm::wm
