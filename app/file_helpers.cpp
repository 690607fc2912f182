#include "app/file_helpers.h"

#include "platform/win/file_contents.h"
#include "platform/win/winbase.h"

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

namespace {
CString& appDirOverride() {
    static CString dir;
    return dir;
}
} // namespace

void SetAppDirectory(LPCTSTR lpszDir) {
    appDirOverride() = lpszDir ? lpszDir : "";
}

void GetAppDir(CString& strDir) {
    if (!appDirOverride().IsEmpty()) {
        strDir = appDirOverride();
        return;
    }
    std::vector<char> buffer(4096);
    DWORD length = GetModuleFileName(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::string path(buffer.data(), length);
    std::string::size_type slash = path.find_last_of('/');
    strDir = slash == std::string::npos ? CString("./") : CString(path.c_str(), static_cast<int>(slash + 1));
}

CString GetAppDirectory() {
    CString dir;
    GetAppDir(dir);
    return dir;
}

void SplitPathPart(LPCTSTR lpszPath, CString& strPart, int nPart) {
    strPart.Empty();
    std::string path(lpszPath ? lpszPath : "");
    std::string::size_type nameStart = 0;
    for (std::string::size_type i = 0; i < path.size(); i++)
        if (IsSeparator(path[i])) nameStart = i + 1;
    std::string name = path.substr(nameStart);
    std::string::size_type dot = name.find_last_of('.');
    switch (nPart) {
    case 1:
        strPart = path.substr(0, nameStart).c_str();
        break;
    case 2:
        strPart = name.substr(0, dot).c_str();
        break;
    case 3:
        if (dot != std::string::npos) strPart = name.substr(dot + 1).c_str();
        break;
    default:
        break;
    }
}

CString GetShortPathIfBlank(LPCTSTR lpszPath) {
    return CString(lpszPath ? lpszPath : "");
}

CString GetWindowsFolder() {
    char folder[256] = {};
    return ::GetWindowsDirectory(folder, sizeof folder) < sizeof folder ? CString(folder) : CString();
}

CString GetSystemFolder() {
    char folder[256] = {};
    return ::GetSystemDirectory(folder, sizeof folder) < sizeof folder ? CString(folder) : CString();
}

BOOL IsRegularFile(LPCTSTR lpszPath) {
    std::error_code error;
    return fs::is_regular_file(fs::path(static_cast<LPCTSTR>(NativePath(lpszPath))), error) ? TRUE : FALSE;
}

void DeleteFileSafe(LPCTSTR lpszPath) {
    std::error_code error;
    fs::path path(static_cast<LPCTSTR>(NativePath(lpszPath)));
    if (!fs::is_directory(path, error)) fs::remove(path, error);
}

BOOL ReadFileToString(LPCTSTR lpszPath, CString& strText) {
    strText.Empty();
    const pm::sys::FileRead file = pm::sys::readFileContents(lpszPath ? lpszPath : "");
    if (!file) return FALSE;
    strText = file.bytes.c_str();
    return TRUE;
}
