// The folder picker.

#include "app/program/CFolderDialog.h"

#include "platform/win/commdlg.h"

#include <filesystem>
#include <string>
#include <system_error>

// The name "*..*" matches no file, so the dialog lists only folders.
CFolderDialog::CFolderDialog(CString& strFolder, LPCTSTR lpszTitle, CWnd* pParentWnd)
    : CFileDialog(TRUE, nullptr, "*..*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd),
      m_strFolder(strFolder) {
    m_strTitle = lpszTitle;
    m_ofn.lpstrTitle = m_strTitle;
}

INT_PTR CFolderDialog::DoModal() {
    std::error_code failed;
    std::string folder(static_cast<LPCTSTR>(m_strFolder));
    if (folder.empty()) folder = std::filesystem::current_path(failed).string();
    if (!pm::chooseShownFolder(OwnerWindow(), m_ofn.lpstrTitle, "Select", folder)) return IDCANCEL;
    // The dialog keeps the current directory at the folder it shows.
    const std::filesystem::path shown = std::filesystem::current_path(failed);
    if (failed) return IDCANCEL;
    m_strFolder = shown.string().c_str();
    return IDOK;
}
