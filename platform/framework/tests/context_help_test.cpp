// A frame's context-help mode: the click on a window, a command, Esc or the exit message ends it,
// and the help shown (or the default help command) follows from what ended it.

#include "platform/framework/tests/support/framework_test.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const UINT ID_SOMETHING = 0x8300;
const DWORD kAreaContext = 0x20042;

class CHelpApp : public CWinApp {
public:
    std::vector<DWORD_PTR> shown;
    void WinHelp(DWORD_PTR dwData, UINT) override { shown.push_back(dwData); }
};

// A child that names its own help context.
class CHelpArea : public CWnd {
public:
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM) { return kAreaContext; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpArea, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

class CHelpFrame : public CFrameWnd {
public:
    int defaultHelp = 0;
    int ran = 0;
    afx_msg void OnDefaultHelp() { ++defaultHelp; }
    afx_msg void OnSomething() { ++ran; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpFrame, CFrameWnd)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_DEFAULT_HELP, OnDefaultHelp)
    ON_COMMAND(ID_SOMETHING, OnSomething)
END_MESSAGE_MAP()

class ContextHelp : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CHelpFrame;
        ASSERT_TRUE(frame->Create(nullptr, "help", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
        ASSERT_TRUE(area.Create(nullptr, "area", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), frame, 1));
        ASSERT_TRUE(plain.Create(nullptr, "plain", WS_CHILD | WS_VISIBLE, CRect(150, 10, 250, 60), frame, 2));
        pm::afxtest::pump();
    }
    void TearDown() override {
        if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    }
    // Runs help mode with what `queue` puts in the queue waiting for it.
    void run(const std::function<void()>& queue) {
        queue();
        frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
        EXPECT_FALSE(frame->m_bHelpMode);
        EXPECT_NE(::GetCapture(), frame->m_hWnd);
        pm::afxtest::pump();
    }
    CHelpApp app;
    CHelpFrame* frame = nullptr;
    CHelpArea area;
    CWnd plain;
};

} // namespace

TEST_F(ContextHelp, AClickShowsTheHelpOfTheWindowUnderIt) {
    run([&] { pm::test::click(area.m_hWnd, {20, 20}); });
    EXPECT_EQ(app.shown, std::vector<DWORD_PTR>{kAreaContext});
    EXPECT_EQ(frame->defaultHelp, 0);
}

TEST_F(ContextHelp, AClickOnAWindowWithoutHelpAsksForTheDefaultHelp) {
    run([&] { pm::test::click(plain.m_hWnd, {20, 20}); });
    EXPECT_TRUE(app.shown.empty());
    EXPECT_EQ(frame->defaultHelp, 1);
}

TEST_F(ContextHelp, ACommandShowsItsHelpInsteadOfRunning) {
    run([&] { frame->PostMessage(WM_COMMAND, ID_SOMETHING); });
    EXPECT_EQ(app.shown, std::vector<DWORD_PTR>{HID_BASE_COMMAND + ID_SOMETHING});
    EXPECT_EQ(frame->ran, 0);
    frame->SendMessage(WM_COMMAND, ID_SOMETHING);
    EXPECT_EQ(frame->ran, 1) << "out of help mode the command runs";
}

TEST_F(ContextHelp, EscOrTheExitMessageEndWithoutHelp) {
    const std::vector<std::function<void()>> enders = {
        [&] { pm::test::pressKey(frame->m_hWnd, VK_ESCAPE); },
        // Posted while the loop waits: one already waiting would keep help mode from starting.
        [&] {
            frame->SetTimer(1, 10, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(hwnd, id);
                ::PostMessage(hwnd, WM_EXITHELPMODE, 0, 0);
            });
        },
    };
    for (const auto& ender : enders) {
        // The keys and moves before the end reach no window.
        run([&] {
            pm::test::moveMouse(area.m_hWnd, {30, 30});
            ender();
        });
        EXPECT_TRUE(app.shown.empty());
        EXPECT_EQ(frame->defaultHelp, 0);
    }
}
