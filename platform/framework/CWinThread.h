#pragma once
// CWinThread and AfxBeginThread: a worker thread running a function. Workers talk to the user
// interface by posting messages (PostMessage is safe from any thread). With m_bAutoDelete (the
// default) the object deletes itself when the function returns; an owner that keeps the object
// (m_bAutoDelete FALSE) waits for the thread with Wait or by deleting it.

#include "platform/framework/CCmdTarget.h"
#include "platform/win/winreg.h"

#include <atomic>
#include <thread>

typedef UINT (*AFX_THREADPROC)(LPVOID);

#ifndef THREAD_PRIORITY_NORMAL
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_TIME_CRITICAL 15
#endif
#ifndef CREATE_SUSPENDED
#define CREATE_SUSPENDED 0x00000004
#endif

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread, or with CREATE_SUSPENDED prepares it for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    // Starts a suspended thread; returns the previous suspend count (1), or 0 when it was running.
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority() const { return m_nPriority; }
    // Waits until the function returned (not from the thread itself); its result.
    UINT Wait();
    BOOL IsRunning() const { return m_running.load(); }

    BOOL m_bAutoDelete = TRUE;
    DWORD m_nThreadID = 0;
    HANDLE m_hThread = nullptr; // non-null while the thread exists (an identity, not a waitable object)

private:
    void Start();
    void Body();

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
    int m_nPriority = THREAD_PRIORITY_NORMAL;
    bool m_suspended = false;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    UINT m_nExitCode = 0;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
