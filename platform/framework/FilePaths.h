#pragma once
// Paths as the programs write them: '\' may stand between folders as well as '/'.

#include "platform/framework/CString.h"

// The path with '\' separators turned into '/'.
CString NativePath(LPCTSTR lpszPath);

// Whether a file or folder exists at the path.
BOOL FileExists(LPCTSTR lpszPath);
