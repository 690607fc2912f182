// The file watcher and its worker thread.

#include "app/CFileWatcher.h"

#include <algorithm>

namespace {

// The filter of the folder notifications: names, sizes and last-write times.
constexpr DWORD kFilter =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

void closeNotifications(std::vector<HANDLE>& handles) {
    for (std::size_t i = 1; i < handles.size(); ++i)
        ::FindCloseChangeNotification(handles[i]);
    handles.resize(1);
}

} // namespace

CFileWatcher::CFileWatcher() : m_hWake(::CreateEvent(nullptr, FALSE, FALSE, nullptr)) {}

CFileWatcher::~CFileWatcher() {
    Stop(TRUE);
    if (m_hWake) ::CloseHandle(m_hWake);
}

BOOL CFileWatcher::AddFile(LPCTSTR lpszPath) {
    const std::string path(lpszPath ? lpszPath : "");
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bEnabled || path.empty() || m_files.count(path)) return FALSE;
        auto file = std::make_unique<CWatchedFile>(lpszPath);
        m_folders.emplace_back(static_cast<LPCSTR>(file->m_strFolder));
        m_files.emplace(path, std::move(file));
    }
    if (m_bRunning) {
        Stop(FALSE);
        Start();
    }
    return TRUE;
}

BOOL CFileWatcher::RemoveFile(LPCTSTR lpszPath) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return removeFile(lpszPath ? lpszPath : "");
}

BOOL CFileWatcher::removeFile(const std::string& path) {
    auto it = m_files.find(path);
    if (it == m_files.end()) return FALSE;
    const std::string folder(static_cast<LPCSTR>(it->second->m_strFolder));
    auto entry = std::find(m_folders.begin(), m_folders.end(), folder);
    if (entry != m_folders.end()) m_folders.erase(entry);
    m_files.erase(it);
    return TRUE;
}

BOOL CFileWatcher::IsWatched(LPCTSTR lpszPath) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_files.count(lpszPath ? lpszPath : "") != 0;
}

std::vector<std::string> CFileWatcher::GetFolders() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_folders;
}

void CFileWatcher::Start() {
    if (m_bRunning || !CanStart() || !m_hWake) return;
    ::ResetEvent(m_hWake);
    m_pWorker = std::make_unique<CWinThread>(&CFileWatcher::WorkerProc, this);
    m_pWorker->m_bAutoDelete = FALSE;
    m_bRunning = m_pWorker->CreateThread();
    if (!m_bRunning) m_pWorker.reset();
}

void CFileWatcher::Stop(BOOL bDisableAdding) {
    if (m_bRunning) {
        m_bRunning = FALSE;
        ::SetEvent(m_hWake);
        m_pWorker->Wait();
        m_pWorker.reset();
    }
    m_bEnabled = !bDisableAdding;
}

UINT CFileWatcher::WorkerProc(LPVOID pParam) {
    static_cast<CFileWatcher*>(pParam)->Work();
    return 0;
}

std::vector<std::string> CFileWatcher::foldersToWatch() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> folders;
    for (const std::string& folder : m_folders) {
        if (static_cast<int>(folders.size()) == kMaxFolders) break;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    }
    return folders;
}

void CFileWatcher::dropFolder(const std::string& folder) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_folders.erase(std::remove(m_folders.begin(), m_folders.end(), folder), m_folders.end());
}

// Each pass waits on one notification per folder (a folder holding several watched files is
// waited on once), after looking at every file: a change made while no pass waited is seen too.
void CFileWatcher::Work() {
    std::vector<HANDLE> handles{m_hWake};
    for (;;) {
        std::vector<std::string> folders;
        for (const std::string& folder : foldersToWatch()) {
            HANDLE change = ::FindFirstChangeNotification(folder.c_str(), FALSE, kFilter);
            if (change == INVALID_HANDLE_VALUE) {
                dropFolder(folder); // its files are watched again once added again
                continue;
            }
            handles.push_back(change);
            folders.push_back(folder);
        }
        for (const std::string& folder : folders)
            checkFiles(folder);
        const DWORD signalled =
            ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        if (signalled == WAIT_OBJECT_0 || signalled >= WAIT_OBJECT_0 + handles.size()) {
            closeNotifications(handles);
            return;
        }
        checkFiles(folders[signalled - WAIT_OBJECT_0 - 1]);
        closeNotifications(handles);
    }
}

void CFileWatcher::checkFiles(const std::string& folder) {
    std::vector<std::pair<std::string, DWORD>> changes;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& [path, file] : m_files) {
            if (folder != static_cast<LPCSTR>(file->m_strFolder)) continue;
            if (std::optional<DWORD> change = file->CheckForChange()) changes.emplace_back(path, *change);
        }
        for (const auto& [path, change] : changes)
            if (change & CWatchedFile::kGone) removeFile(path);
    }
    for (const auto& [path, change] : changes)
        OnFileChange(change, path.c_str());
}
