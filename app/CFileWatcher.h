#pragma once
// CFileWatcher: the files open in the editor, watched for changes made by other programs. One
// worker thread waits on the change notifications of the files' folders and reports each file of a
// signalled folder that changed its time or size, or went away, to OnFileChange (called on the
// worker thread). The lists change only while no worker runs: Stop waits for it.

#include "app/CWatchedFile.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CWinThread.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class CFileWatcher : public CObject {
public:
    CFileWatcher();
    // Stops the worker and forgets every file. A subclass stops it first in its own destructor,
    // since the worker calls OnFileChange.
    ~CFileWatcher() override;

    // Watches the file (its time and size are read now); FALSE when adding is off or the path is
    // watched already. A running worker is started again so that it waits on the new folder too.
    BOOL AddFile(LPCTSTR lpszPath);
    // Forgets the file and one entry of its folder; FALSE when it was not watched.
    BOOL RemoveFile(LPCTSTR lpszPath);
    // Starts the worker unless it runs or CanStart refuses.
    void Start();
    // Tells the worker to end and waits until it has. bDisableAdding turns adding off until the
    // next Stop without it.
    void Stop(BOOL bDisableAdding);

    BOOL IsRunning() const { return m_bRunning; }
    BOOL IsWatched(LPCTSTR lpszPath) const;
    // The folder entries: one for each watched file, in adding order.
    std::vector<std::string> GetFolders() const;

    // The most folders one wait can hold beside the wake event.
    static constexpr int kMaxFolders = MAXIMUM_WAIT_OBJECTS - 1;

protected:
    // A watched file changed (CWatchedFile's bits), on the worker thread.
    virtual void OnFileChange(DWORD dwChange, LPCTSTR lpszPath) = 0;
    // Whether a worker may start now.
    virtual BOOL CanStart() { return TRUE; }

private:
    static UINT WorkerProc(LPVOID pParam);
    void Work();
    // The distinct folders to wait on, in adding order, at most kMaxFolders.
    std::vector<std::string> foldersToWatch() const;
    void checkFiles(const std::string& folder);
    void dropFolder(const std::string& folder);
    BOOL removeFile(const std::string& path);

    HANDLE m_hWake = nullptr;
    std::unordered_map<std::string, std::unique_ptr<CWatchedFile>> m_files;
    std::vector<std::string> m_folders;
    BOOL m_bRunning = FALSE;
    BOOL m_bEnabled = TRUE;
    std::unique_ptr<CWinThread> m_pWorker;
    mutable std::mutex m_mutex; // the lists, between the user-interface thread and the worker
};
