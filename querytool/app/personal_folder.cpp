// The personal folder: its pop-up menu, adding, inserting and deleting keys.

#include "querytool/app/personal_folder.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/error_boxes.h"
#include "querytool/app/query_window.h"
#include "querytool/app/resource_ids.h"
#include "querytool/app/sql_editor.h"
#include "querytool/app/sql_files.h"

#include "platform/win/commctrl.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kNoFiles = "<no files in personal folder>";
constexpr std::size_t kMaxKeyName = 127;

CApplication& app() {
    return *g_appGlobals->application;
}

std::string keyFile(const std::string& name) {
    return name + ".mys";
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool hasKeySuffix(const std::string& name) {
    return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".mys") == 0;
}

std::string itemText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

// A name that would put the file outside the folder is refused as the system refuses bad names.
bool validKeyName(const std::string& name) {
    return name.find('/') == std::string::npos && name != "." && name != "..";
}

struct AddKeyRun {
    CQueryWindow* window;
};

void addKey(HWND dialog, AddKeyRun& run) {
    const std::string name = itemText(dialog, IDC_KEYNAME);
    if (name.empty()) {
        TessmarkBox(dialog, "Please enter a SQL key...", MB_ICONSTOP);
        return;
    }
    if (app().PersonalKeyCount() >= MAX_PERSONAL_KEYS) {
        TessmarkBox(dialog,
                    "Cannot add more keys. You can have atmost 99 keys.\nPlease delete some keys by going to "
                    "\nEdit\\Manage Personal Folder",
                    MB_ICONSTOP);
        return;
    }
    if (!validKeyName(name)) {
        ShowSystemError(EINVAL, "Could not create personal key file.");
        return;
    }
    HWND edit = run.window->Editor()->Window();
    const int length = GetWindowTextLength(edit);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(edit, &text[0], length + 1)));
    // A key never replaces another one's file.
    const std::string path = keyFile(name);
    if (fileExists(path)) {
        ShowSystemError(EEXIST, "Could not create personal key file.");
        return;
    }
    const pm::sys::FileResult written = pm::sys::replaceFileContents(path, text + '\0');
    if (!written && written.openFailed) {
        ShowFileError(written, "Could not create personal key file.");
        return;
    }
    if (!written) ShowFileError(written, "Could not write personal key data");
    app().AppendPersonalKey(name);
    EndDialog(dialog, IDOK);
    SetFocus(edit);
}

INT_PTR CALLBACK addKeyProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<AddKeyRun*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        SendDlgItemMessage(dialog, IDC_KEYNAME, EM_LIMITTEXT, kMaxKeyName, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            addKey(dialog, *run);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

std::vector<std::string> menuKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < app().PersonalKeyCount(); ++i) {
        char text[1024] = {};
        GetMenuString(app().PersonalMenu(), static_cast<UINT>(ID_FIRSTKEY + i), text, sizeof text,
                      MF_BYCOMMAND);
        keys.push_back(text);
    }
    return keys;
}

void fillKeyList(HWND list) {
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    RECT units{0, 0, 165, 0};
    MapDialogRect(GetParent(list), &units);
    column.cx = units.right;
    SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    std::vector<std::string> keys = menuKeys();
    if (keys.empty()) keys.push_back("<no key in personal folder>");
    for (const std::string& key : keys) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = 0;
        item.pszText = const_cast<char*>(key.c_str());
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void deleteCheckedKeys(HWND dialog) {
    if (TessmarkBox(dialog, "Do you really want to delete the keys ?",
                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    HWND list = GetDlgItem(dialog, IDC_KEYLIST);
    const int count = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    bool failed = false;
    for (int i = 0; i < count && !failed; ++i) {
        if (((SendMessage(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK) >> 12) - 1) ==
            0)
            continue;
        char text[1024] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (::unlink(keyFile(text).c_str()) != 0) {
            ShowSystemError(errno, "Could not delete personal key.");
            failed = true;
        }
    }
    // The pop-up follows the folder also after a failed deletion.
    app().BuildPersonalMenu();
    if (!failed) EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK manageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        fillKeyList(GetDlgItem(dialog, IDC_KEYLIST));
        EnableWindow(GetDlgItem(dialog, IDC_DELETEKEYS), app().PersonalKeyCount() > 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_DELETEKEYS) {
            deleteCheckedKeys(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::vector<std::string> ListPersonalKeys(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (hasKeySuffix(entry->d_name)) files.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    if (files.size() > static_cast<std::size_t>(MAX_PERSONAL_KEYS)) files.resize(MAX_PERSONAL_KEYS);
    for (std::string& file : files)
        file = file.substr(0, file.find('.'));
    return files;
}

void CApplication::BuildPersonalMenu() {
    const bool first = m_personalMenu == nullptr;
    if (first) m_personalMenu = CreatePopupMenu();
    while (GetMenuItemCount(m_personalMenu) > 0)
        DeleteMenu(m_personalMenu, 0, MF_BYPOSITION);
    m_personalCount = 0;
    char folder[4096] = {};
    for (const std::string& key : ListPersonalKeys(getcwd(folder, sizeof folder) ? folder : "."))
        AppendMenu(m_personalMenu, MF_STRING, static_cast<UINT_PTR>(ID_FIRSTKEY + m_personalCount++),
                   key.c_str());
    if (m_personalCount == 0) AppendMenu(m_personalMenu, MF_STRING | MF_GRAYED, ID_FIRSTKEY, kNoFiles);
    if (first)
        AppendMenu(GetSubMenu(GetMenu(m_frame), 1), MF_POPUP, reinterpret_cast<UINT_PTR>(m_personalMenu),
                   "Insert From Personal Folder");
    DrawMenuBar(m_frame);
}

void CApplication::AppendPersonalKey(const std::string& name) {
    if (m_personalCount == 0) DeleteMenu(m_personalMenu, ID_FIRSTKEY, MF_BYCOMMAND);
    AppendMenu(m_personalMenu, MF_STRING, static_cast<UINT_PTR>(ID_FIRSTKEY + m_personalCount++),
               name.c_str());
}

void AddToPersonalFolder(CQueryWindow& window) {
    if (GetWindowTextLength(window.Editor()->Window()) == 0) {
        TessmarkBox(window.Window(), "There is no SQL text. Please enter some values.", MB_ICONSTOP);
        return;
    }
    AddKeyRun run{&window};
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_KEYNAME), window.Window(), addKeyProc,
                   reinterpret_cast<LPARAM>(&run));
}

void InsertPersonalKey(CQueryWindow& window, int id) {
    char name[1024] = {};
    GetMenuString(app().PersonalMenu(), static_cast<UINT>(id), name, sizeof name, MF_BYCOMMAND);
    const pm::sys::FileRead key = pm::sys::readFileContents(keyFile(name));
    if (!key) {
        ShowFileError(key, key.openFailed ? "Could not read the key file." : "Error reading the key file.");
        return;
    }
    window.Editor()->ReplaceSelection(TextUpToNul(key.bytes));
    SetFocus(window.Editor()->Window());
}

void ManagePersonalFolder(CQueryWindow& window) {
    DialogBoxParam(g_appGlobals->instance, MAKEINTRESOURCE(IDD_MANAGEKEYS), window.Window(), manageProc, 0);
}
