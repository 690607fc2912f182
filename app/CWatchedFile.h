#pragma once
// CWatchedFile: a file the file watcher looks after: its path, its folder and the last-write time
// and size it had when last seen.

#include "platform/framework/CString.h"
#include "platform/win/winbase.h"

#include <optional>

class CWatchedFile {
public:
    // Change bits: a newer last-write time, another size, the file gone; 0 for a file that exists
    // but cannot be opened.
    enum : DWORD { kSizeChanged = 2, kTimeChanged = 4, kGone = 8 };

    // Reads the time and size now (both zero when the file cannot be opened).
    explicit CWatchedFile(LPCTSTR lpszPath);

    // Looks at the file again and keeps its new time and size: the change bits, or nothing when
    // it is as it was.
    std::optional<DWORD> CheckForChange();

    CString m_strPath;
    CString m_strFolder;
    FILETIME m_ftLastWrite{0, 0};
    DWORD m_dwSize = 0;
};
