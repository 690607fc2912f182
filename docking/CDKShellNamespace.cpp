#include "docking/CDKShellNamespace.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasSubfolder(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) return true;
    }
    return false;
}

CString NameOf(const CString& strPath) {
    return CString(fs::path(static_cast<LPCSTR>(strPath)).filename().string().c_str());
}

} // namespace

CString CDKShellNamespace::GetDesktopPath() const {
    const char* home = std::getenv("HOME");
    return CString(home && *home ? home : "/");
}

BOOL CDKShellNamespace::IsFolder(const CString& strPath) const {
    std::error_code ec;
    return fs::is_directory(fs::path(static_cast<LPCSTR>(strPath)), ec);
}

BOOL CDKShellNamespace::EnumChildren(const CString& strFolder, std::vector<CDKShellItem>& items) const {
    std::error_code ec;
    fs::directory_iterator it(fs::path(static_cast<LPCSTR>(strFolder)),
                              fs::directory_options::skip_permission_denied, ec);
    if (ec) return FALSE;
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        CDKShellItem item;
        item.m_strPath = it->path().string().c_str();
        item.m_strName = it->path().filename().string().c_str();
        item.m_dwAttributes = DK_SHELL_FILESYSTEM | DK_SHELL_CANRENAME;
        std::error_code ecType;
        if (it->is_directory(ecType)) {
            item.m_dwAttributes |= DK_SHELL_FOLDER;
            if (HasSubfolder(it->path())) item.m_dwAttributes |= DK_SHELL_HASSUBFOLDER;
        }
        items.push_back(item);
    }
    return TRUE;
}

CString CDKShellNamespace::Rename(const CString& strPath, const CString& strNewName) {
    const std::string name(strNewName);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return CString();
    const fs::path from(static_cast<LPCSTR>(strPath));
    const fs::path to = from.parent_path() / name;
    std::error_code ec;
    if (fs::exists(to, ec)) return CString();
    fs::rename(from, to, ec);
    return ec ? CString() : CString(to.string().c_str());
}

CString CDKShellNamespace::CreateFolder(const CString& strFolder) {
    const fs::path folder(static_cast<LPCSTR>(strFolder));
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? "New Folder" : "New Folder (" + std::to_string(n) + ")";
        std::error_code ec;
        if (fs::create_directory(folder / name, ec)) return CString((folder / name).string().c_str());
        if (ec) return CString();
    }
    return CString();
}

BOOL CDKShellNamespace::OpenItem(const CString& strPath) {
    HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    return reinterpret_cast<INT_PTR>(
               ::ShellExecute(hOwner, "open", strPath, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

void CDKShellNamespace::ShowProperties(const CString& strPath) {
    std::error_code ec;
    const fs::path path(static_cast<LPCSTR>(strPath));
    const bool bFolder = fs::is_directory(path, ec);
    CString text = "Name: " + NameOf(strPath) +
                   "\nLocation: " + CString(path.parent_path().string().c_str()) +
                   "\nType: " + (bFolder ? "Folder" : "File");
    if (!bFolder) {
        const auto size = fs::file_size(path, ec);
        if (!ec) text += "\nSize: " + CString(std::to_string(size).c_str()) + " bytes";
    }
    HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    ::MessageBox(hOwner, text, "Properties", MB_OK | MB_ICONINFORMATION);
}

int CDKShellNamespace::Compare(const CDKShellItem& a, const CDKShellItem& b) {
    const bool aFolder = (a.m_dwAttributes & DK_SHELL_FOLDER) != 0;
    const bool bFolder = (b.m_dwAttributes & DK_SHELL_FOLDER) != 0;
    if (aFolder != bFolder) return aFolder ? -1 : 1;
    const int byCase = a.m_strName.CompareNoCase(b.m_strName);
    return byCase != 0 ? byCase : a.m_strName.Compare(b.m_strName);
}
