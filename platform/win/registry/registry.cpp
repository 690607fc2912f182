// The registry functions over the three hives. An open key is remembered by its hive and path, not
// by a pointer, because a hive's tree is rebuilt whenever another process changed its file.

#include "platform/win/winreg.h"

#include "platform/win/handle_table.h"
#include "platform/win/registry/hive.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

using pm::Hive;
using pm::RegistryKey;
using pm::RegistryValue;

const std::size_t kMaxNameLength = 255;
const std::size_t kMaxDepth = 512;

struct OpenKey {
    Hive* hive;
    std::vector<std::string> path;
    REGSAM access;
};

Hive& classesRoot() {
    static Hive hive("HKEY_CLASSES_ROOT.hive", false);
    return hive;
}
Hive& currentUser() {
    static Hive hive("HKEY_CURRENT_USER.hive", false);
    return hive;
}
Hive& localMachine() {
    static Hive hive("HKEY_LOCAL_MACHINE.hive", true);
    return hive;
}

std::mutex& handleMutex() {
    static std::mutex m;
    return m;
}
pm::HandleTable<OpenKey>& handles() {
    static pm::HandleTable<OpenKey> table;
    return table;
}

std::uintptr_t handleValue(HKEY key) {
    return reinterpret_cast<std::uintptr_t>(key);
}

// The hive and path of a key handle; false for a closed or foreign handle.
bool resolve(HKEY key, OpenKey& out) {
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
        Hive& hive = key == HKEY_CLASSES_ROOT   ? classesRoot()
                     : key == HKEY_CURRENT_USER ? currentUser()
                                                : localMachine();
        out = OpenKey{&hive, {}, KEY_ALL_ACCESS};
        return true;
    }
    std::lock_guard<std::mutex> guard(handleMutex());
    const OpenKey* open = handles().get(handleValue(key));
    if (!open) return false;
    out = *open;
    return true;
}

HKEY addHandle(OpenKey key) {
    std::lock_guard<std::mutex> guard(handleMutex());
    return reinterpret_cast<HKEY>(handles().add(std::make_unique<OpenKey>(std::move(key))));
}

// Splits "a\b\c" into names. An empty or NULL text is no names; a trailing '\' is allowed, a leading
// or doubled one is not.
LONG splitPath(LPCSTR text, std::vector<std::string>& names) {
    names.clear();
    if (!text || !*text) return ERROR_SUCCESS;
    std::string s(text);
    if (s[0] == '\\') return ERROR_BAD_PATHNAME;
    if (s.back() == '\\') s.pop_back();
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t sep = s.find('\\', start);
        if (sep == std::string::npos) sep = s.size();
        if (sep == start) return ERROR_BAD_PATHNAME;
        if (sep - start > kMaxNameLength || names.size() >= kMaxDepth) return ERROR_INVALID_PARAMETER;
        names.push_back(s.substr(start, sep - start));
        start = sep + 1;
    }
    return ERROR_SUCCESS;
}

const RegistryKey* findKey(const RegistryKey& root, const std::vector<std::string>& path) {
    const RegistryKey* key = &root;
    for (const std::string& name : path)
        if (!(key = key->subkey(name))) return nullptr;
    return key;
}

RegistryKey* findKey(RegistryKey& root, const std::vector<std::string>& path) {
    return const_cast<RegistryKey*>(findKey(static_cast<const RegistryKey&>(root), path));
}

const REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE;

std::string valueName(LPCSTR name) {
    return name ? std::string(name) : std::string();
}

// Copies data to a caller's buffer with the size rules of value queries.
LONG copyData(const RegistryValue& v, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (type) *type = v.type;
    if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(v.data.size());
    DWORD room = *size;
    *size = needed;
    if (!data) return ERROR_SUCCESS;
    if (room < needed) return ERROR_MORE_DATA;
    std::memcpy(data, v.data.data(), needed);
    return ERROR_SUCCESS;
}

// Copies a name into a buffer of *chars characters, setting *chars to its length.
LONG copyName(const std::string& name, LPSTR buffer, LPDWORD chars) {
    if (!buffer || !chars) return ERROR_INVALID_PARAMETER;
    if (*chars < name.size() + 1) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *chars = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

LONG openOrCreate(HKEY parent, LPCSTR subKey, REGSAM access, bool create, PHKEY result, LPDWORD disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey base;
    if (!resolve(parent, base)) return ERROR_INVALID_HANDLE;
    std::vector<std::string> names;
    if (LONG status = splitPath(subKey, names)) return status;
    OpenKey key{base.hive, base.path, access};
    key.path.insert(key.path.end(), names.begin(), names.end());
    bool wantsWrite = (access & kWriteRights) != 0;
    LONG status = key.hive->read([&](const RegistryKey& root) -> long {
        if (findKey(root, base.path) == nullptr) return ERROR_KEY_DELETED;
        return findKey(root, key.path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
    if (status == ERROR_KEY_DELETED) return status;
    if (status == ERROR_SUCCESS && key.hive->readOnly() && wantsWrite) return ERROR_ACCESS_DENIED;
    if (status == ERROR_SUCCESS && disposition) *disposition = REG_OPENED_EXISTING_KEY;
    if (status == ERROR_FILE_NOT_FOUND && create) {
        if (key.hive->readOnly()) return ERROR_ACCESS_DENIED;
        if (!(base.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
        bool createdAny = false;
        status = key.hive->write(
            [&](RegistryKey& root, bool& changed) -> long {
                RegistryKey* at = findKey(root, base.path);
                if (!at) return ERROR_KEY_DELETED;
                for (const std::string& name : names) {
                    bool created = false;
                    at = &at->ensureSubkey(name, &created);
                    createdAny = createdAny || created;
                }
                changed = createdAny;
                return ERROR_SUCCESS;
            },
            ERROR_CANTWRITE);
        if (status == ERROR_SUCCESS && disposition)
            *disposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    if (status != ERROR_SUCCESS) return status;
    *result = addHandle(std::move(key));
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    return openOrCreate(hKey, lpSubKey, samDesired, false, phkResult, nullptr);
}

LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                       LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    return openOrCreate(hKey, lpSubKey, samDesired, true, phkResult, lpdwDisposition);
}

LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (!lpData && cbData) return ERROR_NOACCESS;
    if (key.hive->readOnly() || !(key.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
    std::string name = valueName(lpValueName);
    return key.hive->write(
        [&](RegistryKey& root, bool& changed) -> long {
            RegistryKey* at = findKey(root, key.path);
            if (!at) return ERROR_KEY_DELETED;
            changed = at->setValue(name, dwType, data);
            return ERROR_SUCCESS;
        },
        ERROR_CANTWRITE);
}

LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    std::string name = valueName(lpValueName);
    return key.hive->read([&](const RegistryKey& root) -> long {
        const RegistryKey* at = findKey(root, key.path);
        if (!at) return ERROR_KEY_DELETED;
        const RegistryValue* v = at->value(name);
        return v ? copyData(*v, lpType, lpData, lpcbData) : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                     LPSTR lpClass, LPDWORD lpcchClass, PFILETIME) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (lpReserved) return ERROR_INVALID_PARAMETER;
    if (!(key.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    return key.hive->read([&](const RegistryKey& root) -> long {
        const RegistryKey* at = findKey(root, key.path);
        if (!at) return ERROR_KEY_DELETED;
        if (dwIndex >= at->subkeyCount()) return ERROR_NO_MORE_ITEMS;
        LONG status = copyName(at->subkeyAt(dwIndex).name(), lpName, lpcchName);
        if (status == ERROR_SUCCESS && lpClass && lpcchClass && *lpcchClass) {
            *lpClass = '\0';
            *lpcchClass = 0;
        }
        return status;
    });
}

LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    return key.hive->read([&](const RegistryKey& root) -> long {
        const RegistryKey* at = findKey(root, key.path);
        if (!at) return ERROR_KEY_DELETED;
        if (dwIndex >= at->valueCount()) return ERROR_NO_MORE_ITEMS;
        const RegistryValue& v = at->valueAt(dwIndex);
        if (LONG status = copyName(v.name, lpValueName, lpcchValueName)) return status;
        return copyData(v, lpType, lpData, lpcbData);
    });
}

LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> names;
    if (LONG status = splitPath(lpSubKey, names)) return status;
    std::vector<std::string> path = key.path;
    path.insert(path.end(), names.begin(), names.end());
    if (path.empty() || key.hive->readOnly()) return ERROR_ACCESS_DENIED;
    std::string leaf = path.back();
    path.pop_back();
    return key.hive->write(
        [&](RegistryKey& root, bool& changed) -> long {
            RegistryKey* parent = findKey(root, path);
            RegistryKey* target = parent ? parent->subkey(leaf) : nullptr;
            if (!target) return ERROR_FILE_NOT_FOUND;
            if (target->subkeyCount()) return ERROR_ACCESS_DENIED;
            changed = parent->removeSubkey(leaf);
            return ERROR_SUCCESS;
        },
        ERROR_CANTWRITE);
}

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
    OpenKey key;
    if (!resolve(hKey, key)) return ERROR_INVALID_HANDLE;
    if (key.hive->readOnly() || !(key.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string name = valueName(lpValueName);
    return key.hive->write(
        [&](RegistryKey& root, bool& changed) -> long {
            RegistryKey* at = findKey(root, key.path);
            if (!at) return ERROR_KEY_DELETED;
            changed = at->removeValue(name);
            return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        },
        ERROR_CANTWRITE);
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (hKey == HKEY_CLASSES_ROOT || hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(handleMutex());
    return handles().remove(handleValue(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
