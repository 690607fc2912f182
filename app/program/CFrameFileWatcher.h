#pragma once
// CFrameFileWatcher: the main frame's file watcher. A change of a watched file's time or size is
// posted to the frame as WM_FILE_CHANGED; lParam points to the path, which this watcher keeps
// until the handler takes it (and frees with itself if the message is never handled). No worker
// starts while the frame is closing.

#include "app/CFileWatcher.h"

#include <list>
#include <mutex>

class CMainFrame;

class CFrameFileWatcher : public CFileWatcher {
public:
    explicit CFrameFileWatcher(CMainFrame* pFrame) : m_pFrame(pFrame) {}
    ~CFrameFileWatcher() override;

    // The path a WM_FILE_CHANGED message points to, taken out of the watcher; FALSE for one it
    // does not hold.
    BOOL TakePath(LPARAM lParam, CString& strPath);

protected:
    void OnFileChange(DWORD dwChange, LPCTSTR lpszPath) override;
    BOOL CanStart() override;

private:
    CMainFrame* m_pFrame;
    std::mutex m_mutex;
    std::list<CString> m_posted; // the paths of messages not handled yet
};
