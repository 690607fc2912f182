// CWinApp's profile: values under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section> when
// SetRegistryKey was called, else in the INI file named by m_pszProfileName.

#include "platform/framework/CWinApp.h"

#include "platform/framework/CRecentFileList.h"
#include "platform/framework/afxres.h"

#include <cstdlib>
#include <vector>

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    static CString key;
    key = lpszRegistryKey;
    m_pszRegistryKey = key;
    if (!m_pszProfileName) m_pszProfileName = m_pszAppName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
    if (!m_pszRegistryKey || !m_pszProfileName) return nullptr;
    HKEY software = nullptr, company = nullptr, app = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, "Software", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, &software, &disposition) == ERROR_SUCCESS) {
        if (::RegCreateKeyEx(software, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, &company, &disposition) == ERROR_SUCCESS) {
            ::RegCreateKeyEx(company, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, &app, &disposition);
        }
    }
    if (software) ::RegCloseKey(software);
    if (company) ::RegCloseKey(company);
    return app;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
    HKEY app = GetAppRegistryKey();
    if (!app) return nullptr;
    HKEY section = nullptr;
    DWORD disposition = 0;
    ::RegCreateKeyEx(app, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &section,
                     &disposition);
    ::RegCloseKey(app);
    return section;
}

CString CWinApp::profileFile() const {
    return m_pszProfileName ? CString(m_pszProfileName) : CString();
}

namespace {

// Reads a value of a section key; the key is closed.
bool queryValue(HKEY section, LPCSTR entry, DWORD& type, std::vector<BYTE>& data) {
    if (!section) return false;
    DWORD size = 0;
    bool ok = ::RegQueryValueEx(section, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.resize(size);
        ok = ::RegQueryValueEx(section, entry, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        data.resize(size);
    }
    ::RegCloseKey(section);
    return ok;
}

BOOL setValue(HKEY section, LPCSTR entry, DWORD type, const BYTE* data, DWORD size) {
    if (!section) return FALSE;
    BOOL ok = ::RegSetValueEx(section, entry, 0, type, data, size) == ERROR_SUCCESS;
    ::RegCloseKey(section);
    return ok;
}

} // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
    if (!m_pszRegistryKey) return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, profileFile());
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!queryValue(GetSectionKey(lpszSection), lpszEntry, type, data) || type != REG_DWORD ||
        data.size() != 4)
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(data[0] | (data[1] << 8) | (data[2] << 16) |
                             (static_cast<DWORD>(data[3]) << 24));
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
    if (!m_pszRegistryKey) {
        CString text;
        text.Format("%d", nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, text, profileFile());
    }
    auto v = static_cast<DWORD>(nValue);
    BYTE bytes[4] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                     static_cast<BYTE>(v >> 24)};
    return setValue(GetSectionKey(lpszSection), lpszEntry, REG_DWORD, bytes, 4);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
    if (!m_pszRegistryKey) {
        std::vector<char> buffer(4096);
        for (;;) {
            DWORD n =
                ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "",
                                          buffer.data(), static_cast<DWORD>(buffer.size()), profileFile());
            if (n + 1 < buffer.size()) return CString(buffer.data(), static_cast<int>(n));
            buffer.resize(buffer.size() * 2);
        }
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!queryValue(GetSectionKey(lpszSection), lpszEntry, type, data) || type != REG_SZ)
        return CString(lpszDefault);
    std::size_t length = data.size();
    while (length > 0 && data[length - 1] == 0)
        --length;
    return CString(reinterpret_cast<const char*>(data.data()), static_cast<int>(length));
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, profileFile());
    if (!lpszEntry) {
        // A null entry removes the whole section.
        HKEY app = GetAppRegistryKey();
        if (!app) return FALSE;
        BOOL ok = ::RegDeleteKey(app, lpszSection) == ERROR_SUCCESS;
        ::RegCloseKey(app);
        return ok;
    }
    HKEY section = GetSectionKey(lpszSection);
    if (!lpszValue) {
        if (!section) return FALSE;
        BOOL ok = ::RegDeleteValue(section, lpszEntry) == ERROR_SUCCESS;
        ::RegCloseKey(section);
        return ok;
    }
    CString value(lpszValue);
    return setValue(section, lpszEntry, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(value)),
                    static_cast<DWORD>(value.GetLength() + 1));
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
    *ppData = nullptr;
    *pBytes = 0;
    if (!m_pszRegistryKey) {
        // In an INI file the bytes are kept as pairs of letters 'A' + nibble, low nibble first.
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        if (text.IsEmpty() || text.GetLength() % 2) return FALSE;
        UINT n = static_cast<UINT>(text.GetLength() / 2);
        *ppData = new BYTE[n];
        for (UINT i = 0; i < n; ++i)
            (*ppData)[i] = static_cast<BYTE>(((text[static_cast<int>(2 * i + 1)] - 'A') << 4) |
                                             (text[static_cast<int>(2 * i)] - 'A'));
        *pBytes = n;
        return TRUE;
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!queryValue(GetSectionKey(lpszSection), lpszEntry, type, data) || type != REG_BINARY) return FALSE;
    *ppData = new BYTE[data.empty() ? 1 : data.size()];
    std::copy(data.begin(), data.end(), *ppData);
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes) {
    if (!m_pszRegistryKey) {
        CString text;
        for (UINT i = 0; i < nBytes; ++i) {
            text += static_cast<char>('A' + (pData[i] & 0x0F));
            text += static_cast<char>('A' + ((pData[i] >> 4) & 0x0F));
        }
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    return setValue(GetSectionKey(lpszSection), lpszEntry, REG_BINARY, pData, nBytes);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU == 0 || m_pRecentFileList) return;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
}
