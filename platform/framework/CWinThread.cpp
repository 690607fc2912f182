// Worker threads over std::thread.

#include "platform/framework/CWinThread.h"

#include "platform/win/winbase.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    // An owner deleting a kept thread waits for it; a self-deleting thread is already done.
    if (m_thread.joinable()) {
        if (m_thread.get_id() == std::this_thread::get_id())
            m_thread.detach();
        else
            m_thread.join();
    }
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT, LPSECURITY_ATTRIBUTES) {
    if (m_thread.joinable() || m_suspended || !m_pfnThreadProc) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(this);
    if (dwCreateFlags & CREATE_SUSPENDED) {
        m_suspended = true;
        return TRUE;
    }
    Start();
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    if (!m_suspended) return 0;
    m_suspended = false;
    Start();
    return 1;
}

BOOL CWinThread::SetThreadPriority(int nPriority) {
    // Priorities are kept for the caller; the system schedules all threads alike.
    m_nPriority = nPriority;
    return TRUE;
}

void CWinThread::Start() {
    m_running = true;
    // A self-deleting thread may end (and delete this) at once: nothing of it is touched after.
    if (m_bAutoDelete) {
        std::thread([this] { Body(); }).detach();
        return;
    }
    m_thread = std::thread([this] { Body(); });
}

void CWinThread::Body() {
    m_nThreadID = ::GetCurrentThreadId();
    UINT result = m_pfnThreadProc(m_pThreadParams);
    m_nExitCode = result;
    if (m_bAutoDelete) {
        delete this;
        return;
    }
    m_running = false;
}

UINT CWinThread::Wait() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
    return m_nExitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}
