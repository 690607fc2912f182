#include "querytool/app/splitter.h"

#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"

int SplitterPosition(int percent, int extent) {
    // The hundredth is the single-precision constant, the product is taken in double precision.
    return static_cast<int>(percent * static_cast<double>(0.01f) * extent);
}

SplitterDrag DragSplitter(int cursor, int extent) {
    if (cursor <= 1) return {1, 1};
    if (cursor > extent - 5) return {extent - 5, 99};
    return {cursor, cursor * 100 / extent};
}

CSplitter::CSplitter(HWND queryWindow, bool vertical, int percent)
    : m_queryWindow(queryWindow), m_percent(percent), m_savedPercent(percent), m_vertical(vertical) {
    m_window = CreateWindowEx(0, vertical ? "VSplitter" : "HSplitter", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                              queryWindow, reinterpret_cast<HMENU>(vertical ? IDC_VSPLITTER : IDC_HSPLITTER),
                              nullptr, this);
    ShowWindow(m_window, SW_SHOWDEFAULT);
}

CSplitter::~CSplitter() {
    if (IsWindow(m_window)) {
        SetWindowLongPtr(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void CSplitter::Place(int x, int y, int width, int height) {
    m_rect = RECT{x, y, width, height};
    MoveWindow(m_window, x, y, width, height, TRUE);
}

SplitterLayout CSplitter::Layout() const {
    return SplitterLayout{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom, m_percent};
}

LRESULT CALLBACK CSplitter::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* splitter = static_cast<CSplitter*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(splitter));
        splitter->m_window = hwnd;
    }
    auto* splitter = reinterpret_cast<CSplitter*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!splitter) return DefWindowProc(hwnd, msg, wParam, lParam);
    return splitter->onMessage(msg, wParam, lParam);
}

LRESULT CSplitter::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    CQueryWindow* window = CQueryWindow::FromWindow(m_queryWindow);
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (m_vertical && window && !window->BrowserVisible()) break;
        SetCapture(m_window);
        m_dragging = true;
        return 0;
    case WM_MOUSEMOVE: {
        if (!m_dragging) break;
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(m_queryWindow, &cursor);
        RECT client;
        GetClientRect(m_queryWindow, &client);
        const SplitterDrag drag =
            DragSplitter(m_vertical ? cursor.x : cursor.y, m_vertical ? client.right : client.bottom);
        m_percent = drag.percent;
        if (m_vertical)
            m_rect.left = drag.position;
        else
            m_rect.top = drag.position;
        MoveWindow(m_window, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom, TRUE);
        return 0;
    }
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        if (!m_dragging) break;
        m_dragging = false;
        if (window) window->Layout();
        return 0;
    }
    return DefWindowProc(m_window, msg, wParam, lParam);
}
