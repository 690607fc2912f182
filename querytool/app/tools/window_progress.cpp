#include "querytool/app/tools/window_progress.h"

#include "platform/win/commctrl.h"

namespace {

constexpr DWORD kHandleEveryMs = 20;
constexpr int kMostMessagesAtOnce = 200;

} // namespace

void WindowProgress::SetText(const std::string& text) {
    SetWindowText(m_text, text.c_str());
    handleWaitingMessages();
}

void WindowProgress::SetRange(int low, int high, int step) {
    SendMessage(m_bar, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    SendMessage(m_bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
    SendMessage(m_bar, PBM_SETPOS, static_cast<WPARAM>(low), 0);
}

void WindowProgress::Step() {
    SendMessage(m_bar, PBM_STEPIT, 0, 0);
    if (GetTickCount() - m_lastHandled >= kHandleEveryMs) handleWaitingMessages();
}

void WindowProgress::handleWaitingMessages() {
    m_lastHandled = GetTickCount();
    MSG msg;
    for (int i = 0; i < kMostMessagesAtOnce && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_stopped = true;
            return;
        }
        if (IsDialogMessage(m_dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}
