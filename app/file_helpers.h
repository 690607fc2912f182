#pragma once
// The program folder, paths and whole files. Paths may use '\' as well as '/' between folders.

#include "platform/framework/CString.h"
#include "platform/framework/FilePaths.h"

// The folder of the running program, ending in '/'. Every data file of the program lives below it.
void GetAppDir(CString& strDir);
// Makes lpszDir (with its trailing separator) the program folder in place of the executable's;
// empty or null goes back to the executable's. Tests run the program over a folder of their own.
void SetAppDirectory(LPCTSTR lpszDir);
CString GetAppDirectory();

// One part of a path: 0 the drive (always empty here), 1 the folder with its leading and trailing
// separator, 2 the file name without extension, 3 the extension without its dot. Any other part
// number gives an empty string.
void SplitPathPart(LPCTSTR lpszPath, CString& strPart, int nPart);

// The path unchanged: there are no short path names on this system, and callers quote paths.
CString GetShortPathIfBlank(LPCTSTR lpszPath);

// Whether the path names a regular file (a symbolic link is followed): not a folder, a pipe, a
// device or a socket, whose reading may wait for ever.
BOOL IsRegularFile(LPCTSTR lpszPath);

// Deletes a file; a failure is ignored.
void DeleteFileSafe(LPCTSTR lpszPath);

// The file's text up to its first NUL byte; FALSE when it cannot be read or is not a regular file.
BOOL ReadFileToString(LPCTSTR lpszPath, CString& strText);

// The system's Windows and System folders, at most 255 characters each.
CString GetWindowsFolder();
CString GetSystemFolder();
