#include "platform/framework/FilePaths.h"

#include <filesystem>
#include <system_error>

CString NativePath(LPCTSTR lpszPath) {
    CString path(lpszPath ? lpszPath : "");
    path.Replace('\\', '/');
    return path;
}

BOOL FileExists(LPCTSTR lpszPath) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(static_cast<LPCTSTR>(NativePath(lpszPath))), error)
               ? TRUE
               : FALSE;
}
