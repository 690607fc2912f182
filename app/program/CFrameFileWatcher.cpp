// The main frame's file watcher.

#include "app/program/CFrameFileWatcher.h"

#include "app/program/CMainFrame.h"
#include "app/program/resource_ids.h"

#include <algorithm>

CFrameFileWatcher::~CFrameFileWatcher() {
    // The worker calls OnFileChange: it ends before this object does.
    Stop(TRUE);
}

void CFrameFileWatcher::OnFileChange(DWORD dwChange, LPCTSTR lpszPath) {
    if ((dwChange & 7) == 0) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_posted.emplace_back(lpszPath);
    if (!::PostMessage(m_pFrame->m_hWnd, WM_FILE_CHANGED, dwChange,
                       reinterpret_cast<LPARAM>(&m_posted.back())))
        m_posted.pop_back();
}

BOOL CFrameFileWatcher::TakePath(LPARAM lParam, CString& strPath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = std::find_if(m_posted.begin(), m_posted.end(), [lParam](const CString& path) {
        return reinterpret_cast<LPARAM>(&path) == lParam;
    });
    if (it == m_posted.end()) return FALSE;
    strPath = *it;
    m_posted.erase(it);
    return TRUE;
}

BOOL CFrameFileWatcher::CanStart() {
    return !m_pFrame->IsClosing();
}
