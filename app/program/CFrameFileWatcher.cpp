// The main frame's file watcher.

#include "app/program/CFrameFileWatcher.h"

#include "app/program/CMainFrame.h"
#include "app/program/resource_ids.h"

CFrameFileWatcher::~CFrameFileWatcher() {
    // The worker calls OnFileChange: it ends before this object does.
    Stop(TRUE);
}

void CFrameFileWatcher::OnFileChange(DWORD dwChange, LPCTSTR lpszPath) {
    if ((dwChange & 7) == 0) return;
    auto* path = new CString(lpszPath);
    if (!::PostMessage(m_pFrame->m_hWnd, WM_FILE_CHANGED, dwChange, reinterpret_cast<LPARAM>(path))) delete path;
}

BOOL CFrameFileWatcher::CanStart() {
    return !m_pFrame->IsClosing();
}
