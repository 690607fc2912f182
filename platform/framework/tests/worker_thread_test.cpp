// Worker threads: a worker posts to a window of the user-interface thread; a kept thread is waited
// for; a suspended one starts only when resumed.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Job {
    HWND target = nullptr;
    std::atomic<int> runs{0};
};

UINT postFromWorker(LPVOID param) {
    auto* job = static_cast<Job*>(param);
    job->runs++;
    ::PostMessage(job->target, WM_USER + 7, 42, 0);
    return 5;
}

class CReceiver : public CWnd {
public:
    WPARAM m_received = 0;
    afx_msg LRESULT OnWorkerDone(WPARAM wParam, LPARAM) {
        m_received = wParam;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReceiver, CWnd)
    ON_MESSAGE(WM_USER + 7, OnWorkerDone)
END_MESSAGE_MAP()

} // namespace

TEST(WorkerThreads, AWorkerPostsToTheUserInterfaceThread) {
    CReceiver receiver;
    ASSERT_TRUE(receiver.CreateEx(0, AFX_WND, "r", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    Job job;
    job.target = receiver.m_hWnd;
    CWinThread* thread = AfxBeginThread(&postFromWorker, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(job.runs.load(), 0) << "suspended until resumed";
    thread->ResumeThread();
    EXPECT_EQ(thread->Wait(), 5u);
    EXPECT_EQ(job.runs.load(), 1);
    delete thread;
    pm::afxtest::pump();
    EXPECT_EQ(receiver.m_received, 42u);

    Job selfDeleting;
    selfDeleting.target = receiver.m_hWnd;
    receiver.m_received = 0;
    ASSERT_NE(AfxBeginThread(&postFromWorker, &selfDeleting), nullptr);
    MSG msg{};
    ASSERT_TRUE(::GetMessage(&msg, receiver.m_hWnd, WM_USER + 7, WM_USER + 7));
    ::DispatchMessage(&msg);
    EXPECT_EQ(receiver.m_received, 42u);
    receiver.DestroyWindow();
}
