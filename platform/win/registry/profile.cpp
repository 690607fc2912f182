// The private-profile functions over IniDocument. Every call reads the file afresh, so writes of
// other programs are seen at once; writes replace the file atomically.

#include "platform/win/profile.h"

#include "platform/win/file_contents.h"

#include "platform/win/registry/config_folder.h"
#include "platform/win/registry/ini_document.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The path of a profile file: '\\' separates folders too; a bare name lives in the configuration
// folder.
std::string profilePath(LPCSTR fileName) {
    std::string path(fileName);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.find('/') == std::string::npos) path = pm::configFolder() + "/" + path;
    return path;
}

bool validName(LPCSTR fileName) {
    return fileName && *fileName;
}

pm::IniDocument load(LPCSTR fileName, bool* exists = nullptr) {
    if (!validName(fileName)) {
        if (exists) *exists = false;
        return pm::IniDocument(std::string());
    }
    const pm::sys::FileRead file = pm::sys::readFileContents(profilePath(fileName));
    if (exists) *exists = static_cast<bool>(file);
    return pm::IniDocument(file.bytes);
}

bool save(LPCSTR fileName, const pm::IniDocument& doc) {
    std::string path = profilePath(fileName);
    std::string::size_type slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !pm::makeFolders(path.substr(0, slash))) return false;
    return static_cast<bool>(pm::sys::replaceFileContents(path, doc.text()));
}

DWORD copyString(const std::string& s, LPSTR out, DWORD size) {
    if (!out || size == 0) return 0;
    std::size_t n = s.size() < size - 1 ? s.size() : size - 1;
    std::memcpy(out, s.data(), n);
    out[n] = '\0';
    return static_cast<DWORD>(n);
}

// Copies items as a NUL-separated list with a closing NUL; a list that does not fit has its last
// string cut and ends in two NULs, returning size - 2.
DWORD copyList(const std::vector<std::string>& items, LPSTR out, DWORD size) {
    if (!out || size == 0) return 0;
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    std::size_t pos = 0;
    for (const std::string& item : items) {
        if (pos + item.size() + 2 > size) {
            if (pos < size - 2) std::memcpy(out + pos, item.data(), size - 2 - pos);
            out[size - 2] = '\0';
            out[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(out + pos, item.data(), item.size());
        pos += item.size();
        out[pos++] = '\0';
    }
    out[pos] = '\0';
    if (items.empty()) out[1] = '\0';
    return static_cast<DWORD>(pos);
}

std::string trimTrailingBlanks(LPCSTR text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    return s;
}

// Leading decimal digits with an optional sign, as the profile functions read integers.
INT parseInt(const std::string& s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    std::uint32_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    return static_cast<INT>(negative ? 0u - value : value);
}

// Splits a NUL-separated list ending in two NULs into its strings.
std::vector<std::string> splitList(LPCSTR list) {
    std::vector<std::string> items;
    for (LPCSTR p = list; *p; p += std::strlen(p) + 1)
        items.emplace_back(p);
    return items;
}

} // namespace

DWORD GetPrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                              DWORD nSize, LPCSTR lpFileName) {
    pm::IniDocument doc = load(lpFileName);
    if (!lpAppName) return copyList(doc.sectionNames(), lpReturnedString, nSize);
    if (!lpKeyName) return copyList(doc.keyNames(lpAppName), lpReturnedString, nSize);
    std::string value;
    if (!doc.value(lpAppName, lpKeyName, value)) value = trimTrailingBlanks(lpDefault);
    return copyString(value, lpReturnedString, nSize);
}

UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    std::string value;
    if (!lpAppName || !lpKeyName || !load(lpFileName).value(lpAppName, lpKeyName, value) || value.empty())
        return static_cast<UINT>(nDefault);
    return static_cast<UINT>(parseInt(value));
}

DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    std::vector<std::string> lines;
    if (lpAppName) lines = load(lpFileName).sectionLines(lpAppName);
    return copyList(lines, lpReturnedString, nSize);
}

DWORD GetPrivateProfileSectionNames(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName) {
    return copyList(load(lpFileName).sectionNames(), lpszReturnBuffer, nSize);
}

BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
    if (!lpAppName && !lpKeyName && !lpString) return TRUE; // flushes nothing: writes are never cached
    if (!lpAppName || !validName(lpFileName)) return FALSE;
    bool exists = false;
    pm::IniDocument doc = load(lpFileName, &exists);
    bool changed;
    if (!lpKeyName)
        changed = doc.removeSection(lpAppName);
    else if (!lpString)
        changed = doc.removeKey(lpAppName, lpKeyName);
    else
        changed = doc.setValue(lpAppName, lpKeyName, lpString) || !exists;
    return !changed || save(lpFileName, doc) ? TRUE : FALSE;
}

BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName) {
    if (!lpAppName || !validName(lpFileName)) return FALSE;
    pm::IniDocument doc = load(lpFileName);
    bool changed =
        lpString ? doc.replaceSection(lpAppName, splitList(lpString)) : doc.removeSection(lpAppName);
    return !changed || save(lpFileName, doc) ? TRUE : FALSE;
}
