// Handing the command line's file to the running editor.

#include "app/program/running_editor.h"

#include "app/program_registration.h"

#include <filesystem>
#include <system_error>

namespace {

// The running editor has a current folder of its own: it gets the full path.
CString fullPath(const CString& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(std::string(path), error);
    return error ? path : CString(full.lexically_normal().string().c_str());
}

} // namespace

BOOL HandCommandLineToRunningEditor(CWinApp& app) {
    CCommandLineInfo cmdInfo;
    app.ParseCommandLine(cmdInfo);
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen) return FALSE;
    CString path;
    HWND running = nullptr;
    if (!FindProgramWindow("PENMERE", path, running) || !::IsWindow(running)) return FALSE;
    return SendCopyDataString(nullptr, running, kCopyDataOpen, fullPath(cmdInfo.m_strFileName));
}
