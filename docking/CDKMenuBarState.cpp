// CDKMenuBar's menus in the application profile: one tree per document type in the section
// "Menu_<class name>", as "MenuItems" (the tree) and "MenuDataSize" (its length).

#include "docking/CDKMenuBar.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ProfileArchive.h"

#include <functional>
#include <vector>

namespace {

const UINT kFirstWindowListCommand = 0xFF00;
const int kMaxStoredText = 255;
// Bounds for stored trees: no menu of this system comes near them.
const int kMaxItemsPerMenu = 1024;
const int kMaxDepth = 16;

struct StoredItem {
    int type = 0;
    int id = 0;
    CString text;
    std::vector<StoredItem> children;
    bool submenu = false;
};

// A text as the archive stores it; only the one- and two-byte length forms are plausible here.
CString readText(CArchive& ar) {
    BYTE shortLength = 0;
    ar >> shortLength;
    UINT length = shortLength;
    if (shortLength == 0xFF) {
        WORD wordLength = 0;
        ar >> wordLength;
        if (wordLength == 0xFFFF) AfxThrowArchiveException(CArchiveException::badIndex);
        length = wordLength;
    }
    std::string bytes(length, '\0');
    if (length && ar.Read(bytes.data(), length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return CString(bytes.c_str());
}

void readTree(CArchive& ar, std::vector<StoredItem>& items, int depth) {
    if (depth > kMaxDepth) AfxThrowArchiveException(CArchiveException::badIndex);
    int count = 0;
    ar >> count;
    if (count < 0 || count > kMaxItemsPerMenu) AfxThrowArchiveException(CArchiveException::badIndex);
    items.resize(static_cast<size_t>(count));
    for (StoredItem& item : items) {
        int hasSubmenu = 0;
        ar >> item.type >> hasSubmenu >> item.id;
        if (hasSubmenu != 0 && hasSubmenu != 1) AfxThrowArchiveException(CArchiveException::badIndex);
        item.submenu = hasSubmenu == 1;
        item.text = readText(ar);
        if (item.submenu) readTree(ar, item.children, depth + 1);
    }
}

void deleteAllItems(HMENU menu) {
    while (::DeleteMenu(menu, 0, MF_BYPOSITION)) {
    }
}

} // namespace

CString CDKMenuBar::MenuSection(LPCSTR lpszName) {
    return CString("Menu_") + (lpszName && *lpszName ? lpszName : "Default~!@#$#$%^");
}

void CDKMenuBar::StoreMenu(HMENU hMenu, CArchive& ar) {
    int count = ::GetMenuItemCount(hMenu);
    ar << count;
    for (int i = 0; i < count; ++i) {
        char text[kMaxStoredText + 1] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info);
        text[kMaxStoredText] = '\0';
        ar << static_cast<int>(info.fType) << (info.hSubMenu ? 1 : 0)
           << (info.hSubMenu ? -1 : static_cast<int>(info.wID));
        ar << CString((info.fType & MFT_SEPARATOR) ? "" : text);
        if (info.hSubMenu) StoreMenu(info.hSubMenu, ar);
    }
}

BOOL CDKMenuBar::LoadMenu(HMENU hMenu, CArchive& ar) {
    // The whole tree is read first: damaged data leaves the menu as it is.
    std::vector<StoredItem> items;
    try {
        readTree(ar, items, 0);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    bool mdi = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()) != nullptr;
    std::function<void(HMENU, const std::vector<StoredItem>&)> build =
        [&](HMENU menu, const std::vector<StoredItem>& list) {
            deleteAllItems(menu);
            for (const StoredItem& item : list) {
                HMENU submenu = nullptr;
                if (item.submenu) {
                    submenu = ::CreatePopupMenu();
                    m_createdPopups.push_back(submenu);
                    build(submenu, item.children);
                }
                auto id = static_cast<UINT>(item.id);
                if (!item.submenu && id == kFirstWindowListCommand && mdi) {
                    // The window list comes back by itself: drop the separator before it.
                    int last = ::GetMenuItemCount(menu) - 1;
                    if (last >= 0 &&
                        (::GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
                        ::DeleteMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
                    m_hWindowMenu = menu;
                }
                if (!item.submenu && id >= kFirstWindowListCommand) continue;
                MENUITEMINFOA info{};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
                info.fType = static_cast<UINT>(item.type);
                info.wID = item.submenu ? 0xFFFFFFFFu : id;
                info.hSubMenu = submenu;
                info.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(item.text));
                ::InsertMenuItemA(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
            }
        };
    build(hMenu, items);
    return TRUE;
}

BOOL CDKMenuBar::SaveMenuState(HMENU hMenu, LPCSTR lpszName) {
    CWinApp* app = AfxGetApp();
    if (!IsCustomizable(TRUE) || !app) return FALSE;
    CString section = MenuSection(lpszName);
    SaveArchiveToProfile(*app, section, "MenuItems", "MenuDataSize",
                         [&](CArchive& ar) { StoreMenu(hMenu, ar); });
    SendToFrame(WM_MENUBAR_SAVED, reinterpret_cast<WPARAM>(hMenu),
                reinterpret_cast<LPARAM>(static_cast<LPCSTR>(section)));
    return TRUE;
}

BOOL CDKMenuBar::LoadMenuState(HMENU hMenu, LPCSTR lpszName) {
    CWinApp* app = AfxGetApp();
    if (!IsCustomizable(TRUE) || !app) return FALSE;
    CString section = MenuSection(lpszName);
    LoadArchiveFromProfile(*app, section, "MenuItems", "MenuDataSize", [&](CArchive& ar) {
        m_hWindowMenu = nullptr;
        LoadMenu(hMenu, ar);
    });
    SendToFrame(WM_MENUBAR_LOADED, reinterpret_cast<WPARAM>(hMenu),
                reinterpret_cast<LPARAM>(static_cast<LPCSTR>(section)));
    return TRUE;
}

BOOL CDKMenuBar::SaveBarState(LPCSTR, LPCSTR, BOOL) {
    for (const auto& entry : m_modifiedMenus)
        SaveMenuState(entry.first, DocumentNameForMenu(entry.first));
    return TRUE;
}
