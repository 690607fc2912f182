#pragma once
// CFrameFileWatcher: the main frame's file watcher. A change of a watched file's time or size is
// posted to the frame as WM_FILE_CHANGED with a copy of the path, which the handler frees; no
// worker starts while the frame is closing.

#include "app/CFileWatcher.h"

class CMainFrame;

class CFrameFileWatcher : public CFileWatcher {
public:
    explicit CFrameFileWatcher(CMainFrame* pFrame) : m_pFrame(pFrame) {}
    ~CFrameFileWatcher() override;

protected:
    void OnFileChange(DWORD dwChange, LPCTSTR lpszPath) override;
    BOOL CanStart() override;

private:
    CMainFrame* m_pFrame;
};
